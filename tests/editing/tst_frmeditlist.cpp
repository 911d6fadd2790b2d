#include "fakedesktop.h"
#include "frmeditlist.h"
#include "listfiles.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <memory>

class TestFrmEditList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadsBothFiles();
    void opensOnTab_data();
    void opensOnTab();
    void addUsesItsOwnPrompt_data();
    void addUsesItsOwnPrompt();
    void cancelledPromptAddsEmptyRow();
    void removeFollowsSelection();
    void saveWritesBothFiles();
    void removeAllAndSave();
    void cancelWritesNothing();
    void unwritableFileKeepsEditorOpen();

private:
    frmEditList& open(int tab);
    template <typename T> T* child(const QString& name) { return m_editor->findChild<T*>(name); }
    QListWidget* list(int index) { return child<QListWidget>(index == 0 ? "List1" : "List2"); }
    QPushButton* button(const char* name) { return child<QPushButton>(QLatin1String(name)); }
    QByteArray bytesOf(const char* name) const
    {
        QFile file(m_home->file(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void writeBytes(const char* name, const QByteArray& bytes)
    {
        QFile file(m_home->file(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
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

frmEditList& TestFrmEditList::open(int tab)
{
    m_editor = std::make_unique<frmEditList>(tab);
    m_editor->show();
    return *m_editor;
}

void TestFrmEditList::loadsBothFiles()
{
    writeBytes("servers.txt", "Unix\r\n\r\nWindows NT\r\n");
    writeBytes("protocol.txt", "telnet\r\nss\xe9h\r\n\r\n");
    frmEditList& editor = open(0);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Edit List"));
    QCOMPARE(itemsOf(list(0)), (QStringList{"Unix", "Windows NT"}));
    QCOMPARE(itemsOf(list(1)), (QStringList{"telnet", QStringLiteral("ss\u00e9h")}));
    QVERIFY(!button("cmdRemove_0")->isEnabled());
    QVERIFY(!button("cmdRemove_1")->isEnabled());
    QVERIFY(button("cmdSave")->isDefault());
}

void TestFrmEditList::opensOnTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::newRow("server types") << 0 << "Server Types";
    QTest::newRow("protocols") << 1 << "Server Protocols";
}

void TestFrmEditList::opensOnTab()
{
    QFETCH(int, tab);
    QFETCH(QString, caption);
    open(tab);
    auto* tabs = child<QTabWidget>(QStringLiteral("SSTab1"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->currentIndex(), tab);
    QCOMPARE(tabs->tabText(tab), caption);
    QVERIFY(list(tab)->isVisible());
    QVERIFY(!list(1 - tab)->isVisible());
}

void TestFrmEditList::addUsesItsOwnPrompt_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("server types") << 0 << "Please enter the server type to add.";
    QTest::newRow("protocols") << 1 << "Please enter the protocol to add.";
}

void TestFrmEditList::addUsesItsOwnPrompt()
{
    QFETCH(int, tab);
    QFETCH(QString, prompt);
    writeBytes(tab == 0 ? "servers.txt" : "protocol.txt", "b\r\n");
    open(tab);
    m_fake->inputAnswers.enqueue(QStringLiteral("a"));
    m_fake->inputAnswers.enqueue(QStringLiteral("a"));
    QTest::mouseClick(button(tab == 0 ? "cmdAdd_0" : "cmdAdd_1"), Qt::LeftButton);
    QTest::mouseClick(button(tab == 0 ? "cmdAdd_0" : "cmdAdd_1"), Qt::LeftButton);
    QCOMPARE(m_fake->questions, (QStringList{prompt, prompt}));
    // Appended as given: no sorting and no duplicate check.
    QCOMPARE(itemsOf(list(tab)), (QStringList{"b", "a", "a"}));
    QCOMPARE(list(1 - tab)->count(), 0);
}

void TestFrmEditList::cancelledPromptAddsEmptyRow()
{
    open(1);
    m_fake->inputAnswers.enqueue(std::nullopt);
    m_fake->inputAnswers.enqueue(QStringLiteral("ssh"));
    QTest::mouseClick(button("cmdAdd_1"), Qt::LeftButton);
    QTest::mouseClick(button("cmdAdd_1"), Qt::LeftButton);
    QCOMPARE(itemsOf(list(1)), (QStringList{"", "ssh"}));
    QTest::mouseClick(button("cmdSave"), Qt::LeftButton);
    QCOMPARE(bytesOf("protocol.txt"), QByteArray("\r\nssh\r\n"));
    QCOMPARE(ListFiles::read(ListFiles::Kind::Protocols), QStringList{"ssh"});
}

void TestFrmEditList::removeFollowsSelection()
{
    writeBytes("servers.txt", "Unix\r\nVMS\r\nNT\r\n");
    open(0);
    QTest::mouseClick(button("cmdRemove_0"), Qt::LeftButton); // disabled: nothing happens
    QCOMPARE(list(0)->count(), 3);

    list(0)->setCurrentRow(1);
    QVERIFY(button("cmdRemove_0")->isEnabled());
    QVERIFY(!button("cmdRemove_1")->isEnabled());
    QTest::mouseClick(button("cmdRemove_0"), Qt::LeftButton);
    QCOMPARE(itemsOf(list(0)), (QStringList{"Unix", "NT"}));

    list(0)->clearSelection();
    QVERIFY(!button("cmdRemove_0")->isEnabled());
    QCOMPARE(bytesOf("servers.txt"), QByteArray("Unix\r\nVMS\r\nNT\r\n")); // nothing written yet
}

void TestFrmEditList::saveWritesBothFiles()
{
    writeBytes("servers.txt", "Unix\r\n\r\nVMS");
    open(0);
    QSignalSpy saved(m_editor.get(), &frmEditList::listsSaved);
    m_fake->inputAnswers.enqueue(QStringLiteral("Caf\u00e9 \u20ac"));
    QTest::mouseClick(button("cmdAdd_1"), Qt::LeftButton);
    QTest::mouseClick(button("cmdSave"), Qt::LeftButton);
    QCOMPARE(bytesOf("servers.txt"), QByteArray("Unix\r\nVMS\r\n"));
    QCOMPARE(bytesOf("protocol.txt"), QByteArray("Caf\xe9 \x80\r\n"));
    QCOMPARE(saved.count(), 1);
    QCOMPARE(m_editor->result(), int(QDialog::Accepted));
    QVERIFY(!m_editor->isVisible());
    QVERIFY(m_fake->messages.isEmpty());
}

void TestFrmEditList::removeAllAndSave()
{
    writeBytes("servers.txt", "Unix\r\n");
    writeBytes("protocol.txt", "telnet\r\n");
    open(0);
    list(0)->setCurrentRow(0);
    QTest::mouseClick(button("cmdRemove_0"), Qt::LeftButton);
    list(1)->setCurrentRow(0);
    QTest::mouseClick(button("cmdRemove_1"), Qt::LeftButton);
    QTest::mouseClick(button("cmdSave"), Qt::LeftButton);
    QCOMPARE(bytesOf("servers.txt"), QByteArray());
    QCOMPARE(bytesOf("protocol.txt"), QByteArray());
}

void TestFrmEditList::cancelWritesNothing()
{
    writeBytes("servers.txt", "Unix\r\n");
    open(0);
    QSignalSpy saved(m_editor.get(), &frmEditList::listsSaved);
    m_fake->inputAnswers.enqueue(QStringLiteral("VMS"));
    QTest::mouseClick(button("cmdAdd_0"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    QCOMPARE(bytesOf("servers.txt"), QByteArray("Unix\r\n"));
    QVERIFY(!QFile::exists(m_home->file("protocol.txt")));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(m_editor->result(), int(QDialog::Rejected));
}

void TestFrmEditList::unwritableFileKeepsEditorOpen()
{
    // A folder in the file's place cannot be replaced by a file, whoever runs the test.
    QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("servers.txt")));
    open(0);
    QSignalSpy saved(m_editor.get(), &frmEditList::listsSaved);
    m_fake->inputAnswers.enqueue(QStringLiteral("Unix"));
    m_fake->inputAnswers.enqueue(QStringLiteral("ssh"));
    QTest::mouseClick(button("cmdAdd_0"), Qt::LeftButton);
    QTest::mouseClick(button("cmdAdd_1"), Qt::LeftButton);
    QTest::mouseClick(button("cmdSave"), Qt::LeftButton);

    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY(m_fake->messages.first().contains(QStringLiteral("servers.txt")));
    QVERIFY(!m_fake->messages.first().contains(QStringLiteral("protocol.txt")));
    QVERIFY(m_editor->isVisible());
    QCOMPARE(itemsOf(list(0)), QStringList{"Unix"}); // nothing typed is lost
    // The file that could be written was, and whoever shows the lists is told to reload.
    QCOMPARE(bytesOf("protocol.txt"), QByteArray("ssh\r\n"));
    QCOMPARE(saved.count(), 1);
}

QTEST_MAIN(TestFrmEditList)
#include "tst_frmeditlist.moc"
