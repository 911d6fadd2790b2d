#include "categories.h"
#include "entrystore.h"
#include "fakedesktop.h"
#include "frmproperties.h"
#include "settingsstore.h"
#include "testhome.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

class TestFrmProperties : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutPerCategory_data();
    void layoutPerCategory();
    void showsTheSelectedEntry();
    void passwordMaskedWhileHidden_data();
    void passwordMaskedWhileHidden();
    void saveKeepsPositionAndDropsBold();
    void saveTrimsAndCuts();
    void saveWhileHiddenKeepsClearValue();
    void settings_data();
    void settings();
    void saveStillWorksWhenEditingIsOff();
    void deleteEntry();
    void deleteLastEntryEmptiesList();
    void cancelAndEscapeChangeNothing();
    void browse();
    void focusSelectsWholeText();
    void generatedPasswordFillsBox();
    void generateButtonOpensGenerator();
    void showEntryPropertiesWithoutEntryDoesNotOpen();
    void showEntryPropertiesIsModalAndSaves();

private:
    frmProperties& open(int category, int row);
    template <typename T> T* child(const char* name) { return m_dialog->findChild<T*>(QLatin1String(name)); }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
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

frmProperties& TestFrmProperties::open(int category, int row)
{
    m_dialog = std::make_unique<frmProperties>(*m_store, category, row);
    m_dialog->show();
    return *m_dialog;
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
    addSamples(category, 1);
    frmProperties& dialog = open(category, 0);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties"));

    QCOMPARE(box("txtEntry")->text(), tabCaption(category));
    QCOMPARE(child<QLabel>("lblEntry")->text(), QStringLiteral("Entry Type"));
    const QStringList captions = columnCaptions(category);
    const char* const labels[5] = {"lblSite", "lblUser", "lblPassword", "lblUrl", "lblNotes"};
    for (int f = 0; f < 5; ++f)
        QCOMPARE(child<QLabel>(labels[f])->text(), captions.at(f));

    QCOMPARE(child<QPushButton>("cmdGenerate")->isVisible(), generate);
    QCOMPARE(child<QPushButton>("cmdBrowse")->isVisible(), browse);
    // A box beside its button is narrow; without the button it runs the full width, as the notes do.
    const int full = box("txtNotes")->width();
    QCOMPARE(box("txtSite")->width(), full);
    QCOMPARE(box("txtPassword")->width() < full, generate);
    QCOMPARE(box("txtURL")->width() < full, browse);
    if (generate) {
        QVERIFY(child<QPushButton>("cmdGenerate")->geometry().left() >
                box("txtPassword")->geometry().right());
        QVERIFY(child<QPushButton>("cmdGenerate")->geometry().right() <= box("txtNotes")->geometry().right());
    }
    if (browse)
        QVERIFY(child<QPushButton>("cmdBrowse")->geometry().left() > box("txtURL")->geometry().right());
    for (const char* name : {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes"})
        QCOMPARE(box(name)->maxLength(), 50);
}

void TestFrmProperties::showsTheSelectedEntry()
{
    addSamples(Wallet, 3);
    open(Wallet, 1);
    QCOMPARE(box("txtSite")->text(), QStringLiteral("site2"));
    QCOMPARE(box("txtUserName")->text(), QStringLiteral("user2"));
    QCOMPARE(box("txtPassword")->text(), QStringLiteral("pass2"));
    QCOMPARE(box("txtURL")->text(), QStringLiteral("url2"));
    QCOMPARE(box("txtNotes")->text(), QStringLiteral("notes2"));
    QVERIFY(box("txtEntry")->isReadOnly());
}

void TestFrmProperties::passwordMaskedWhileHidden_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("hidden") << true;
    QTest::newRow("shown") << false;
}

void TestFrmProperties::passwordMaskedWhileHidden()
{
    QFETCH(bool, hidden);
    addSamples(Applications, 1);
    m_store->setSensitiveHidden(hidden);
    m_store->showPasswords(!hidden);
    open(Applications, 0);
    QCOMPARE(box("txtPassword")->echoMode(), hidden ? QLineEdit::Password : QLineEdit::Normal);
    QCOMPARE(box("txtPassword")->text(), QStringLiteral("pass1")); // the clear value, never the mask
    QCOMPARE(box("txtSite")->echoMode(), QLineEdit::Normal);
}

void TestFrmProperties::saveKeepsPositionAndDropsBold()
{
    addSamples(RemoteSystems, 3);
    addSamples(Misc, 1);
    open(RemoteSystems, 1);
    box("txtSite")->setText(QStringLiteral("edited"));
    box("txtNotes")->clear();
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);

    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->isVisible());
    const EntryModel& list = m_store->list(RemoteSystems);
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.entry(0).site, QStringLiteral("site1"));
    QCOMPARE(list.entry(1), (Entry{"edited", "user2", "pass2", "url2", "", false}));
    QCOMPARE(list.entry(2).site, QStringLiteral("site3"));
    QVERIFY(list.entry(0).bold);
    QVERIFY(list.entry(2).bold);
    QCOMPARE(m_store->list(Misc).count(), 1);
    QVERIFY(m_store->databaseChanged());
}

void TestFrmProperties::saveTrimsAndCuts()
{
    addSamples(Misc, 1);
    open(Misc, 0);
    box("txtSite")->setText(QString(60, u'a'));
    box("txtUserName")->setText(QStringLiteral("  abc  "));
    box("txtPassword")->setText(QStringLiteral(" ") + QString(55, u'p'));
    box("txtURL")->setText(QStringLiteral("  note one"));
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    const Entry& e = m_store->list(Misc).entry(0);
    QCOMPARE(e.site, QString(50, u'a'));
    QCOMPARE(e.user, QStringLiteral("abc"));
    // What the list holds is what the file will hold: never more than one field's width.
    QVERIFY(e.pass.size() <= 50);
    QCOMPARE(e.pass, QString(49, u'p'));
    QCOMPARE(e.url, QStringLiteral("note one"));
}

void TestFrmProperties::saveWhileHiddenKeepsClearValue()
{
    addSamples(WebPages, 1);
    m_store->setSensitiveHidden(true);
    m_store->showPasswords(false);
    open(WebPages, 0);
    box("txtPassword")->setText(QStringLiteral("new secret"));
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    const EntryModel& list = m_store->list(WebPages);
    QCOMPARE(list.entry(0).pass, QStringLiteral("new secret"));
    QCOMPARE(list.data(list.index(0, 2)).toString(), QStringLiteral("******"));
}

void TestFrmProperties::settings_data()
{
    QTest::addColumn<QString>("allowEdit"); // a null text leaves the key out
    QTest::addColumn<QString>("allowDelete");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("deletable");
    QTest::newRow("nothing stored") << QString() << QString() << true << true;
    QTest::newRow("both 1") << "1"
                            << "1" << true << true;
    QTest::newRow("edit 0") << "0"
                            << "1" << false << true;
    QTest::newRow("delete 0") << "1"
                              << "0" << true << false;
    QTest::newRow("not numbers") << "yes"
                                 << "True" << false << false;
    QTest::newRow("other numbers") << "2"
                                   << "-1" << false << false;
    QTest::newRow("empty texts") << ""
                                 << "" << false << false;
}

void TestFrmProperties::settings()
{
    QFETCH(QString, allowEdit);
    QFETCH(QString, allowDelete);
    QFETCH(bool, editable);
    QFETCH(bool, deletable);
    {
        SettingsStore store;
        if (!allowEdit.isNull()) store.write(SettingKey::AllowEdit, allowEdit);
        if (!allowDelete.isNull()) store.write(SettingKey::AllowDelete, allowDelete);
    }
    m_store->setSensitiveHidden(true); // neither setting depends on it
    addSamples(WebPages, 1);
    open(WebPages, 0);
    for (const char* name :
         {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes", "cmdBrowse", "cmdGenerate"})
        QVERIFY2(child<QWidget>(name)->isEnabled() == editable, name);
    QCOMPARE(child<QPushButton>("cmdDelete")->isEnabled(), deletable);
    QVERIFY(child<QPushButton>("cmdSave")->isEnabled());
    QVERIFY(child<QPushButton>("cmdCancel")->isEnabled());
}

void TestFrmProperties::saveStillWorksWhenEditingIsOff()
{
    SettingsStore().write(SettingKey::AllowEdit, QStringLiteral("0"));
    addSamples(Wallet, 2);
    open(Wallet, 0);
    QVERIFY(!box("txtSite")->isEnabled());
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(m_store->list(Wallet).entry(0), (Entry{"site1", "user1", "pass1", "url1", "notes1", false}));
    QVERIFY(m_store->databaseChanged());
}

void TestFrmProperties::deleteEntry()
{
    addSamples(SerialNumbers, 3);
    open(SerialNumbers, 1);
    QCOMPARE(child<QPushButton>("cmdDelete")->text(), QStringLiteral("Delete Entry"));
    QTest::mouseClick(child<QPushButton>("cmdDelete"), Qt::LeftButton);
    QVERIFY(m_fake->questions.isEmpty()); // nothing asked
    QVERIFY(!m_dialog->isVisible());
    const EntryModel& list = m_store->list(SerialNumbers);
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.entry(0).site, QStringLiteral("site1"));
    QCOMPARE(list.entry(1).site, QStringLiteral("site3"));
    QVERIFY(m_store->databaseChanged());
}

void TestFrmProperties::deleteLastEntryEmptiesList()
{
    addSamples(Misc, 1);
    open(Misc, 0);
    QTest::mouseClick(child<QPushButton>("cmdDelete"), Qt::LeftButton);
    QCOMPARE(m_store->list(Misc).count(), 0);
}

void TestFrmProperties::cancelAndEscapeChangeNothing()
{
    addSamples(WebPages, 1);
    const Entry before = m_store->list(WebPages).entry(0);
    open(WebPages, 0);
    QCOMPARE(child<QPushButton>("cmdCancel")->text(), QStringLiteral("C&ancel"));
    box("txtSite")->setText(QStringLiteral("changed"));
    QTest::mouseClick(child<QPushButton>("cmdCancel"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(!m_dialog->isVisible());

    open(WebPages, 0);
    box("txtSite")->setText(QStringLiteral("changed"));
    QTest::keyClick(box("txtSite"), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));

    QCOMPARE(m_store->list(WebPages).entry(0), before);
    QVERIFY(!m_store->databaseChanged());
}

void TestFrmProperties::browse()
{
    addSamples(Applications, 1);
    open(Applications, 0);
    m_fake->fileAnswers.enqueue(QString());
    QTest::mouseClick(child<QPushButton>("cmdBrowse"), Qt::LeftButton);
    QCOMPARE(box("txtURL")->text(), QStringLiteral("url1"));
    m_fake->fileAnswers.enqueue(QStringLiteral("/usr/bin/editor"));
    QTest::mouseClick(child<QPushButton>("cmdBrowse"), Qt::LeftButton);
    QCOMPARE(box("txtURL")->text(), QStringLiteral("/usr/bin/editor"));
    QVERIFY(m_dialog->isVisible());
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
    // By keyboard.
    QTest::keyClick(box("txtUserName"), Qt::Key_Tab);
    QTRY_COMPARE(box("txtPassword")->selectedText(), QStringLiteral("pass1"));
}

void TestFrmProperties::generatedPasswordFillsBox()
{
    addSamples(WebPages, 1);
    open(WebPages, 0);
    m_dialog->UpdateGeneratedPassword(QStringLiteral("Xy12"));
    QCOMPARE(box("txtPassword")->text(), QStringLiteral("Xy12"));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_store->list(WebPages).entry(0).pass, QStringLiteral("pass1"));
}

void TestFrmProperties::generateButtonOpensGenerator()
{
    addSamples(Misc, 1);
    open(Misc, 0);
    QTest::mouseClick(child<QPushButton>("cmdGenerate"), Qt::LeftButton);
    auto* generator = m_dialog->findChild<QDialog*>(QStringLiteral("frmGenerator"));
    QVERIFY(generator);
    QVERIFY(generator->isModal());
    QTest::mouseClick(generator->findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    QCOMPARE(box("txtPassword")->text().size(), 1);
    QVERIFY(box("txtPassword")->text() != QStringLiteral("pass1"));
    QTRY_VERIFY(!m_dialog->findChild<QDialog*>(QStringLiteral("frmGenerator")));
    QVERIFY(m_dialog->isVisible()); // stays open for saving
}

void TestFrmProperties::showEntryPropertiesWithoutEntryDoesNotOpen()
{
    addSamples(WebPages, 1);
    // Were a dialog to open, this closes it and the test fails instead of hanging.
    bool opened = false;
    QTimer guard;
    connect(&guard, &QTimer::timeout, this, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    guard.start(50);
    ShowEntryProperties(*m_store, Wallet, 0, nullptr);
    ShowEntryProperties(*m_store, WebPages, -1, nullptr);
    ShowEntryProperties(*m_store, WebPages, 1, nullptr);
    ShowEntryProperties(*m_store, 6, 0, nullptr);
    QVERIFY(!opened);
}

void TestFrmProperties::showEntryPropertiesIsModalAndSaves()
{
    addSamples(Wallet, 2);
    bool modal = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<frmProperties*>(QApplication::activeModalWidget());
        if (!dialog) return;
        answer.stop();
        modal = true;
        dialog->findChild<QLineEdit*>(QStringLiteral("txtNotes"))->setText(QStringLiteral("via modal"));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    });
    answer.start(20);
    ShowEntryProperties(*m_store, Wallet, 1, nullptr);
    QVERIFY(modal);
    QCOMPARE(m_store->list(Wallet).entry(1).notes, QStringLiteral("via modal"));
}

QTEST_MAIN(TestFrmProperties)
#include "tst_frmproperties.moc"
