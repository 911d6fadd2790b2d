#include "categories.h"
#include "entrystore.h"
#include "fakedesktop.h"
#include "frmproperties.h"
#include "settingsstore.h"
#include "testhome.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

class TestFrmProperties : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutPerCategory_data();
    void layoutPerCategory();
    void saveInPlace_data();
    void saveInPlace();
    void settings_data();
    void settings();
    void deleteEntry();
    void cancelAndEscapeChangeNothing();
    void browseAndGenerate();
    void focusSelectsWholeText();

private:
    void open(int category, int row);
    template <typename T = QWidget> T* child(const char* name)
    {
        return m_dialog->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void addSamples(int category, int count);

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

void TestFrmProperties::addSamples(int category, int count)
{
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        QVERIFY(
            m_store->addEntry({"site" + n, "user" + n, "pass" + n, "url" + n, "notes" + n, true}, category));
    }
    m_store->setDatabaseChanged(false);
}

void TestFrmProperties::open(int category, int row)
{
    m_dialog = std::make_unique<frmProperties>(*m_store, category, row);
    m_dialog->show();
}

void TestFrmProperties::layoutPerCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("generate");
    QTest::addColumn<bool>("browse");
    QTest::newRow("Web Pages") << 0 << true << true;
    QTest::newRow("Serial Numbers") << 1 << false << true;
    QTest::newRow("Applications") << 2 << true << true;
    QTest::newRow("Wallet") << 3 << false << false;
    QTest::newRow("Remote Systems") << 4 << true << false;
    QTest::newRow("Misc") << 5 << true << false;
}

void TestFrmProperties::layoutPerCategory()
{
    QFETCH(int, category);
    QFETCH(bool, generate);
    QFETCH(bool, browse);
    addSamples(category, 2);
    open(category, 1);
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Properties"));
    QCOMPARE(box("txtEntry")->text(), tabCaption(category));
    QStringList labels;
    for (const char* name : {"lblSite", "lblUser", "lblPassword", "lblUrl", "lblNotes"})
        labels << child<QLabel>(name)->text();
    QCOMPARE(labels, columnCaptions(category));
    QStringList shown;
    for (const char* name : {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes"}) {
        QCOMPARE(box(name)->maxLength(), 50);
        shown << box(name)->text();
    }
    QCOMPARE(shown, (QStringList{"site2", "user2", "pass2", "url2", "notes2"}));

    QCOMPARE(child("cmdGenerate")->isVisible(), generate);
    QCOMPARE(child("cmdBrowse")->isVisible(), browse);
    // A box beside its button is narrow; without the button it runs the full width, as the notes do.
    const QRect full = box("txtNotes")->geometry();
    QCOMPARE(box("txtSite")->geometry().right(), full.right());
    QCOMPARE(box("txtPassword")->geometry().right() < full.right(), generate);
    QCOMPARE(box("txtURL")->geometry().right() < full.right(), browse);
    if (generate) QVERIFY(child("cmdGenerate")->geometry().left() > box("txtPassword")->geometry().right());
    if (browse) QVERIFY(child("cmdBrowse")->geometry().left() > box("txtURL")->geometry().right());
}

void TestFrmProperties::saveInPlace_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("sensitive shown") << false;
    QTest::newRow("sensitive hidden") << true;
}

void TestFrmProperties::saveInPlace()
{
    QFETCH(bool, hidden);
    m_store->setSensitiveHidden(hidden);
    m_store->showPasswords(!hidden);
    addSamples(RemoteSystems, 3);
    addSamples(Misc, 1);
    open(RemoteSystems, 1);
    QCOMPARE(box("txtPassword")->echoMode(), hidden ? QLineEdit::Password : QLineEdit::Normal);
    QCOMPARE(box("txtPassword")->text(), QStringLiteral("pass2")); // the clear value, never the mask
    QCOMPARE(box("txtSite")->echoMode(), QLineEdit::Normal);

    box("txtSite")->setText(QString(60, u'a'));
    box("txtUserName")->setText(QStringLiteral("  abc  "));
    box("txtPassword")->setText(QStringLiteral(" new secret "));
    box("txtNotes")->clear();
    click("cmdSave");

    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->isVisible());
    const EntryModel& list = m_store->list(RemoteSystems);
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.entry(0).site, QStringLiteral("site1"));
    QCOMPARE(list.entry(1), (Entry{QString(50, u'a'), "abc", "new secret", "url2", "", false}));
    QCOMPARE(list.entry(2).site, QStringLiteral("site3"));
    QVERIFY(list.entry(0).bold && list.entry(2).bold);
    QCOMPARE(list.data(list.index(1, 2)).toString(),
             hidden ? QStringLiteral("******") : QStringLiteral("new secret"));
    QCOMPARE(m_store->list(Misc).count(), 1);
    QVERIFY(m_store->databaseChanged());
}

void TestFrmProperties::settings_data()
{
    QTest::addColumn<QString>("allowEdit"); // a null text leaves the key out
    QTest::addColumn<QString>("allowDelete");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("deletable");
    QTest::newRow("nothing stored") << QString() << QString() << true << true;
    QTest::newRow("edit 0") << "0"
                            << "1" << false << true;
    QTest::newRow("delete 0") << "1"
                              << "0" << true << false;
    QTest::newRow("not numbers") << "yes"
                                 << "True" << false << false;
    QTest::newRow("other numbers") << "2"
                                   << "-1" << false << false;
}

void TestFrmProperties::settings()
{
    QFETCH(QString, allowEdit);
    QFETCH(QString, allowDelete);
    QFETCH(bool, editable);
    QFETCH(bool, deletable);
    {
        SettingsStore settings;
        if (!allowEdit.isNull()) settings.write(SettingKey::AllowEdit, allowEdit);
        if (!allowDelete.isNull()) settings.write(SettingKey::AllowDelete, allowDelete);
    }
    m_store->setSensitiveHidden(true); // neither setting depends on it
    addSamples(WebPages, 1);
    open(WebPages, 0);
    for (const char* name :
         {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes", "cmdBrowse", "cmdGenerate"})
        QVERIFY2(child(name)->isEnabled() == editable, name);
    QCOMPARE(child("cmdDelete")->isEnabled(), deletable);
    // Save works either way and rewrites the entry as shown.
    click("cmdSave");
    QCOMPARE(m_store->list(WebPages).entry(0), (Entry{"site1", "user1", "pass1", "url1", "notes1", false}));
}

void TestFrmProperties::deleteEntry()
{
    addSamples(SerialNumbers, 3);
    open(SerialNumbers, 1);
    QCOMPARE(child<QPushButton>("cmdDelete")->text(), QStringLiteral("Delete Entry"));
    click("cmdDelete");
    QVERIFY(m_fake->questions.isEmpty()); // nothing asked
    QVERIFY(!m_dialog->isVisible());
    const EntryModel& list = m_store->list(SerialNumbers);
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.entry(1).site, QStringLiteral("site3"));
    QVERIFY(m_store->databaseChanged());
}

void TestFrmProperties::cancelAndEscapeChangeNothing()
{
    addSamples(WebPages, 1);
    const Entry before = m_store->list(WebPages).entry(0);
    for (bool escape : {false, true}) {
        open(WebPages, 0);
        box("txtSite")->setText(QStringLiteral("changed"));
        if (escape)
            QTest::keyClick(box("txtSite"), Qt::Key_Escape);
        else
            click("cmdCancel");
        QVERIFY(!m_dialog->isVisible());
    }
    QCOMPARE(m_store->list(WebPages).entry(0), before);
    QVERIFY(!m_store->databaseChanged());
}

void TestFrmProperties::browseAndGenerate()
{
    addSamples(Applications, 1);
    open(Applications, 0);
    m_fake->fileAnswers << QString() << QStringLiteral("/usr/bin/editor");
    click("cmdBrowse"); // cancelled
    QCOMPARE(box("txtURL")->text(), QStringLiteral("url1"));
    click("cmdBrowse");
    QCOMPARE(box("txtURL")->text(), QStringLiteral("/usr/bin/editor"));

    click("cmdGenerate");
    auto* generator = m_dialog->findChild<QDialog*>(QStringLiteral("frmGenerator"));
    QVERIFY(generator && generator->isModal());
    QTest::mouseClick(generator->findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    QCOMPARE(box("txtPassword")->text().size(), 1);
    QTRY_VERIFY(!m_dialog->findChild<QDialog*>(QStringLiteral("frmGenerator")));
    QVERIFY(m_dialog->isVisible());                                             // stays open for saving
    QCOMPARE(m_store->list(Applications).entry(0).url, QStringLiteral("url1")); // only Save stores
}

void TestFrmProperties::focusSelectsWholeText()
{
    addSamples(Misc, 1);
    open(Misc, 0);
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    // By mouse: the click lands in the middle of the text, yet typing replaces all of it.
    QTest::mouseClick(box("txtUserName"), Qt::LeftButton, {}, box("txtUserName")->rect().center());
    QTRY_COMPARE(box("txtUserName")->selectedText(), QStringLiteral("user1"));
    QTest::keyClicks(box("txtUserName"), QStringLiteral("new"));
    QCOMPARE(box("txtUserName")->text(), QStringLiteral("new"));
    QTest::keyClick(box("txtUserName"), Qt::Key_Tab);
    QTRY_COMPARE(box("txtPassword")->selectedText(), QStringLiteral("pass1"));
}

QTEST_MAIN(TestFrmProperties)
#include "tst_frmproperties.moc"
