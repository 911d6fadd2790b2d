#include "editing/frmeditlist.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

class TestFrmEditList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void editThenSaveOrCancel_data();
    void editThenSaveOrCancel();
    void unwritableFileKeepsEditorOpen();

private:
    void open(int tab);
    QListWidget* list(int index) { return m_editor->findChild<QListWidget*>(index == 0 ? "List1" : "List2"); }
    void click(const QString& name)
    {
        QTest::mouseClick(m_editor->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    QByteArray bytesOf(const char* name) const { return readFile(m_home->file(QLatin1String(name))); }
    static QStringList itemsOf(const QListWidget* list)
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<frmEditList> m_editor;
};

void TestFrmEditList::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
}

void TestFrmEditList::cleanup()
{
    m_editor.reset();
    m_home.reset();
}

void TestFrmEditList::open(int tab)
{
    m_editor = std::make_unique<frmEditList>(tab);
    m_editor->show();
}

void TestFrmEditList::editThenSaveOrCancel_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("Save") << true;
    QTest::newRow("Cancel writes nothing") << false;
}

void TestFrmEditList::editThenSaveOrCancel()
{
    QFETCH(bool, save);
    QVERIFY(writeFile(m_home->file("servers.txt"), "Unix\r\nVMS\r\n"));
    open(0);
    QSignalSpy saved(m_editor.get(), &frmEditList::listsSaved);
    // Appended as given, a cancelled box as an empty row: no sorting, no duplicate check.
    m_fake->inputAnswers << QStringLiteral("Unix") << std::nullopt << QStringLiteral("ssh");
    click("cmdAdd_0");
    click("cmdAdd_0");
    click("cmdAdd_1");
    QCOMPARE(m_fake->questions,
             (QStringList{"Please enter the server type to add.", "Please enter the server type to add.",
                          "Please enter the protocol to add."}));
    QCOMPARE(itemsOf(list(0)), (QStringList{"Unix", "VMS", "Unix", ""}));
    QCOMPARE(itemsOf(list(1)), QStringList{"ssh"});
    // What the file would keep as "?" is refused at once, naming what cannot be kept.
    m_fake->inputAnswers << QStringLiteral("Łódź");
    click("cmdAdd_1");
    QCOMPARE(itemsOf(list(1)), QStringList{"ssh"});
    QCOMPARE(
        m_fake->messages,
        QStringList{"The protocol holds characters that cannot be kept: \"Ł\", \"ź\". Remove them, or use "
                    "others."});

    click("cmdRemove_0"); // nothing selected: nothing removed
    QCOMPARE(list(0)->count(), 4);
    list(0)->setCurrentRow(1);
    click("cmdRemove_0");
    QCOMPARE(itemsOf(list(0)), (QStringList{"Unix", "Unix", ""}));
    click(save ? "cmdSave" : "cmdCancel");
    QCOMPARE(bytesOf("servers.txt"),
             save ? QByteArray("Unix\r\nUnix\r\n\r\n") : QByteArray("Unix\r\nVMS\r\n"));
    QCOMPARE(bytesOf("protocol.txt"), save ? QByteArray("ssh\r\n") : QByteArray("<missing>"));
    QCOMPARE(saved.count(), save ? 1 : 0);
    QCOMPARE(m_editor->result(), int(save ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(m_fake->messages.size(), 1); // the refusal alone
}

void TestFrmEditList::unwritableFileKeepsEditorOpen()
{
    // A folder in the file's place cannot be replaced by a file, whoever runs the test.
    QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("servers.txt")));
    open(0);
    QSignalSpy saved(m_editor.get(), &frmEditList::listsSaved);
    m_fake->inputAnswers << QStringLiteral("Unix") << QStringLiteral("ssh");
    click("cmdAdd_0");
    click("cmdAdd_1");
    click("cmdSave");
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY(m_fake->messages.first().contains(QStringLiteral("servers.txt")));
    QVERIFY(!m_fake->messages.first().contains(QStringLiteral("protocol.txt")));
    QVERIFY(m_editor->isVisible());
    QCOMPARE(itemsOf(list(0)), QStringList{"Unix"}); // nothing typed is lost
    // The file that could be written was, and whoever shows the lists reloads them.
    QCOMPARE(bytesOf("protocol.txt"), QByteArray("ssh\r\n"));
    QCOMPARE(saved.count(), 1);
}

QTEST_MAIN(TestFrmEditList)
#include "tst_frmeditlist.moc"
