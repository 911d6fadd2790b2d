#include "editing/frmproperties.h"
#include "settings/settingsstore.h"
#include "store/categories.h"
#include "store/entrystore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

class TestFrmProperties : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsPerCategory_data();
    void controlsPerCategory();
    void settings_data();
    void settings();
    void focusSelectsWholeText();

private:
    void open(int category, int count, int row);
    template <typename T = QWidget> T* child(const char* name)
    {
        return m_dialog->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<EntryStore> m_store;
    std::unique_ptr<frmProperties> m_dialog;
};

void TestFrmProperties::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_store = std::make_unique<EntryStore>();
}

void TestFrmProperties::cleanup()
{
    m_dialog.reset();
    m_store.reset();
    m_home.reset();
}

// Properties on one of `count` sample entries of the category.
void TestFrmProperties::open(int category, int count, int row)
{
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        QVERIFY(
            m_store->addEntry({"site" + n, "user" + n, "pass" + n, "url" + n, "notes" + n, true}, category));
    }
    m_store->setDatabaseChanged(false);
    m_dialog = std::make_unique<frmProperties>(*m_store, category, row);
    m_dialog->show();
}

void TestFrmProperties::controlsPerCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("generate");
    QTest::addColumn<bool>("browse");
    QTest::addColumn<bool>("hidden"); // the sensitive column
    QTest::newRow("Web Pages") << 0 << true << true << false;
    QTest::newRow("Serial Numbers") << 1 << false << true << true;
    QTest::newRow("Applications") << 2 << true << true << false;
    QTest::newRow("Wallet") << 3 << false << false << true;
    QTest::newRow("Remote Systems") << 4 << true << false << false;
    QTest::newRow("Misc") << 5 << true << false << true;
}

void TestFrmProperties::controlsPerCategory()
{
    QFETCH(int, category);
    QFETCH(bool, generate);
    QFETCH(bool, browse);
    QFETCH(bool, hidden);
    m_store->setSensitiveHidden(hidden);
    m_store->showPasswords(!hidden);
    open(category, 2, 1);
    QStringList shown;
    for (const char* name : {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes"}) {
        QCOMPARE(box(name)->echoMode() == QLineEdit::Password, hidden && box(name) == box("txtPassword"));
        shown << box(name)->text();
    }
    // The clear value in the password box, never the mask.
    QCOMPARE(shown, (QStringList{"site2", "user2", "pass2", "url2", "notes2"}));

    QCOMPARE(child("cmdGenerate")->isVisible(), generate);
    QCOMPARE(child("cmdBrowse")->isVisible(), browse);
    if (browse) {
        m_fake->fileAnswers << QString() << QStringLiteral("/usr/bin/editor");
        click("cmdBrowse"); // cancelled
        QCOMPARE(box("txtURL")->text(), QStringLiteral("url2"));
        click("cmdBrowse");
        QCOMPARE(box("txtURL")->text(), QStringLiteral("/usr/bin/editor"));
    }
    if (generate) {
        click("cmdGenerate");
        auto* generator = m_dialog->findChild<QDialog*>(QStringLiteral("frmGenerator"));
        QVERIFY(generator && generator->isModal());
        QTest::mouseClick(generator->findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
        QCOMPARE(box("txtPassword")->text().size(), 1);
    }
    // Only Save stores, and never a value the file would change; the refusal names this list's field.
    box("txtPassword")->setText(QStringLiteral("abcÊ"));
    click("cmdSave");
    const QString refusal = QStringLiteral("The %1 cannot end in").arg(columnCaptions(category).at(2));
    QVERIFY2(m_fake->messages.value(0).startsWith(refusal), qPrintable(m_fake->messages.value(0)));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_store->list(category).entry(1), (Entry{"site2", "user2", "pass2", "url2", "notes2", true}));
}

void TestFrmProperties::settings_data()
{
    QTest::addColumn<QString>("allowEdit"); // a null text leaves the key out
    QTest::addColumn<QString>("allowDelete");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("deletable");
    QTest::addColumn<QString>("button");
    const auto row = [](const char* name, const char* edit, const char* del, bool editable, bool deletable,
                        const char* button) {
        QTest::newRow(name) << QString(edit) << QString(del) << editable << deletable << QString(button);
    };
    row("nothing stored, Save", nullptr, nullptr, true, true, "cmdSave");
    row("edit 0, Save", "0", "1", false, true, "cmdSave");
    row("delete 0, Cancel", "1", "0", true, false, "cmdCancel");
    row("Delete Entry, nothing asked", nullptr, nullptr, true, true, "cmdDelete");
}

void TestFrmProperties::settings()
{
    QFETCH(QString, allowEdit);
    QFETCH(QString, allowDelete);
    QFETCH(bool, editable);
    QFETCH(bool, deletable);
    QFETCH(QString, button);
    SettingsStore settings;
    if (!allowEdit.isNull()) QVERIFY(settings.write(SettingKey::AllowEdit, allowEdit));
    if (!allowDelete.isNull()) QVERIFY(settings.write(SettingKey::AllowDelete, allowDelete));
    m_store->setSensitiveHidden(true); // neither setting depends on it
    open(WebPages, 3, 1);
    for (const char* name :
         {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes", "cmdBrowse", "cmdGenerate"})
        QVERIFY2(child(name)->isEnabled() == editable, name);
    QCOMPARE(child("cmdDelete")->isEnabled(), deletable);
    if (editable) { // cut and trimmed as the wizard does
        box("txtSite")->setText(QStringLiteral("  ") + QString(60, u'a')); // the blanks do not count
        box("txtUserName")->setText(QStringLiteral("  abc  "));
        box("txtPassword")->setText(QStringLiteral(" new secret "));
        box("txtNotes")->clear();
    }
    // Save works either way and rewrites the entry in its place as shown, no longer bold; nothing is asked.
    click(qPrintable(button));
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(m_fake->questions.isEmpty());
    QCOMPARE(m_dialog->result(), int(button == u"cmdCancel" ? QDialog::Rejected : QDialog::Accepted));
    const EntryModel& list = m_store->list(WebPages);
    QCOMPARE(list.count(), button == u"cmdDelete" ? 2 : 3);
    const Entry edited{QString(50, u'a'), "abc", "new secret", "url2", "", false};
    const Entry kept{"site2", "user2", "pass2", "url2", "notes2", button == u"cmdCancel"};
    const Entry third{"site3", "user3", "pass3", "url3", "notes3", true};
    QCOMPARE(list.entry(1), button == u"cmdDelete"             ? third
                            : button == u"cmdSave" && editable ? edited
                                                               : kept);
    QCOMPARE(m_store->databaseChanged(), button != u"cmdCancel");
}

void TestFrmProperties::focusSelectsWholeText()
{
    open(Misc, 1, 0);
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    // By mouse: the click lands in the middle of the text, yet typing replaces all of it.
    QTest::mouseClick(box("txtUserName"), Qt::LeftButton, {}, box("txtUserName")->rect().center());
    QTRY_COMPARE(box("txtUserName")->selectedText(), QStringLiteral("user1"));
    QTest::keyClicks(box("txtUserName"), QStringLiteral("new"));
    QCOMPARE(box("txtUserName")->text(), QStringLiteral("new"));
}

QTEST_MAIN(TestFrmProperties)
#include "tst_frmproperties.moc"
