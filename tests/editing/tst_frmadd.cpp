#include "entrystore.h"
#include "fakedesktop.h"
#include "frmadd.h"
#include "frmeditlist.h"
#include "listfiles.h"
#include "testhome.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

class TestFrmAdd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensOnChosenCategory_data();
    void opensOnChosenCategory();
    void nextAndBack();
    void backKeepsTypedTextAndFinishUsesNewCategory();
    void pageCaptions_data();
    void pageCaptions();
    void finishPerCategory_data();
    void finishPerCategory();
    void webPageProtocol_data();
    void webPageProtocol();
    void longAndPaddedInput();
    void remoteSystemFields();
    void remoteSystemNothingPicked();
    void protocolListIgnoresTyping();
    void cancelAddsNothing();
    void passwordBoxesMaskedWhileHidden_data();
    void passwordBoxesMaskedWhileHidden();
    void addedWhileHiddenIsMaskedInTheList();
    void fullStoreKeepsWizardOpen();
    void generatedPasswordGoesToVisiblePage_data();
    void generatedPasswordGoesToVisiblePage();
    void generatorButtonFillsItsPage_data();
    void generatorButtonFillsItsPage();
    void browseFillsFilename_data();
    void browseFillsFilename();
    void missingListFilesGiveEmptyLists();
    void listEditorOpensOnItsTabAndReloadsOnSave_data();
    void listEditorOpensOnItsTabAndReloadsOnSave();
    void listEditorCancelLeavesListsAlone();

private:
    frmAdd& open(int startCategory);
    void goTo(int category);
    template <typename T> T* child(const QString& name)
    {
        T* widget = m_wizard->findChild<T*>(name);
        if (!widget) qWarning("no child %s", qPrintable(name));
        return widget;
    }
    QPushButton* nav(int index) { return child<QPushButton>(QStringLiteral("cmdNav_%1").arg(index)); }
    QLineEdit* box(const char* name, int category)
    {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(category));
    }

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<EntryStore> m_store;
    std::unique_ptr<frmAdd> m_wizard;
};

void TestFrmAdd::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_store = std::make_unique<EntryStore>();
}

void TestFrmAdd::cleanup()
{
    m_wizard.reset();
    m_store.reset();
    m_home.reset();
}

frmAdd& TestFrmAdd::open(int startCategory)
{
    m_wizard = std::make_unique<frmAdd>(*m_store, startCategory);
    m_wizard->show();
    return *m_wizard;
}

void TestFrmAdd::goTo(int category)
{
    if (m_wizard->currentPage() >= 0) QTest::mouseClick(nav(2), Qt::LeftButton);
    child<QComboBox>(QStringLiteral("ImageCombo1"))->setCurrentIndex(category);
    QTest::mouseClick(nav(3), Qt::LeftButton);
    QCOMPARE(m_wizard->currentPage(), category);
}

void TestFrmAdd::opensOnChosenCategory_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Web Pages") << 0 << "Web Page";
    QTest::newRow("Serial Numbers") << 1 << "Serial Number";
    QTest::newRow("Applications") << 2 << "Application";
    QTest::newRow("Wallet") << 3 << "Wallet";
    QTest::newRow("Remote Systems") << 4 << "Remote System";
    QTest::newRow("Misc") << 5 << "Misc";
}

void TestFrmAdd::opensOnChosenCategory()
{
    QFETCH(int, start);
    QFETCH(QString, shown);
    frmAdd& wizard = open(start);
    QCOMPARE(wizard.windowTitle(), QStringLiteral("Add Entry Wizard"));
    auto* combo = child<QComboBox>(QStringLiteral("ImageCombo1"));
    QCOMPARE(combo->count(), 6);
    QCOMPARE(combo->currentText(), shown);
    QCOMPARE(combo->currentData().toString(), shown);
    QVERIFY(!combo->itemIcon(start).isNull());
    QVERIFY(child<QWidget>(QStringLiteral("Begin"))->isVisible());
    QCOMPARE(wizard.currentPage(), -1);
    for (int c = 0; c < 6; ++c)
        QVERIFY(!child<QWidget>(QStringLiteral("Cat_%1").arg(c))->isVisible());
}

void TestFrmAdd::nextAndBack()
{
    open(0);
    QCOMPARE(nav(1)->text(), QStringLiteral("Cancel"));
    QCOMPARE(nav(2)->text(), QStringLiteral("< &Back"));
    QCOMPARE(nav(3)->text(), QStringLiteral("&Next >"));
    QCOMPARE(nav(4)->text(), QStringLiteral("&Finish"));
    auto states = [this] {
        return QList<bool>{nav(1)->isEnabled(), nav(2)->isEnabled(), nav(3)->isEnabled(),
                           nav(4)->isEnabled()};
    };
    QCOMPARE(states(), (QList<bool>{true, false, true, false}));

    child<QComboBox>(QStringLiteral("ImageCombo1"))->setCurrentIndex(3);
    QTest::mouseClick(nav(3), Qt::LeftButton);
    QCOMPARE(m_wizard->currentPage(), 3);
    QVERIFY(child<QWidget>(QStringLiteral("Cat_3"))->isVisible());
    QVERIFY(!child<QWidget>(QStringLiteral("Begin"))->isVisible());
    QCOMPARE(states(), (QList<bool>{true, true, false, true}));

    QTest::mouseClick(nav(2), Qt::LeftButton);
    QCOMPARE(m_wizard->currentPage(), -1);
    QVERIFY(child<QWidget>(QStringLiteral("Begin"))->isVisible());
    QCOMPARE(states(), (QList<bool>{true, false, true, false}));
    QCOMPARE(m_store->totalCount(), 0);
}

void TestFrmAdd::backKeepsTypedTextAndFinishUsesNewCategory()
{
    open(0);
    goTo(2);
    QTest::keyClicks(box("txtSite", 2), QStringLiteral("Editor"));
    goTo(5);
    QTest::keyClicks(box("txtSite", 5), QStringLiteral("Locker"));
    QTest::keyClicks(box("txtURL", 5), QStringLiteral("first note"));
    goTo(2);
    QCOMPARE(box("txtSite", 2)->text(), QStringLiteral("Editor"));
    goTo(5);
    QTest::mouseClick(nav(4), Qt::LeftButton);

    QCOMPARE(m_wizard->result(), int(QDialog::Accepted));
    QCOMPARE(m_store->list(Applications).count(), 0);
    QCOMPARE(m_store->list(Misc).count(), 1);
    QCOMPARE(m_store->list(Misc).entry(0).site, QStringLiteral("Locker"));
    QCOMPARE(m_store->list(Misc).entry(0).url, QStringLiteral("first note"));
}

void TestFrmAdd::pageCaptions_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("Web Page") << 0 << QStringList{"Site Name", "User Name", "Password", "URL", "Notes"};
    QTest::newRow("Serial Number") << 1
                                   << QStringList{"Application", "User Name", "Serial Number", "Filename",
                                                  "Notes"};
    QTest::newRow("Application") << 2
                                 << QStringList{"Application", "User Name", "Password", "Filename", "Notes"};
    QTest::newRow("Wallet") << 3 << QStringList{"Card Type", "Name", "Card #", "Expiration Date", "Notes"};
    QTest::newRow("Remote System") << 4
                                   << QStringList{"Server Address", "User Name", "Password", "Server Type",
                                                  "Protocol"};
    QTest::newRow("Misc") << 5 << QStringList{"Description", "User Name", "Password", "Notes", "Notes"};
}

void TestFrmAdd::pageCaptions()
{
    QFETCH(int, category);
    QFETCH(QStringList, labels);
    open(category);
    goTo(category);
    // The captions of the boxes, in the order of the fields they fill.
    QStringList shown;
    const QWidget* page = child<QWidget>(QStringLiteral("Cat_%1").arg(category));
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->buddy()) shown << label->text();
    QCOMPARE(shown, labels);
    QVERIFY(page->findChild<QLabel*>(QStringLiteral("imgStep_%1").arg(category)));
    QVERIFY(!page->findChild<QLabel*>(QStringLiteral("imgStep_%1").arg(category))->pixmap().isNull());
}

void TestFrmAdd::finishPerCategory_data()
{
    QTest::addColumn<int>("category");
    for (int c : {0, 1, 2, 3, 5})
        QTest::addRow("category %d", c) << c;
}

void TestFrmAdd::finishPerCategory()
{
    QFETCH(int, category);
    open(category);
    goTo(category);

    const char* const names[5] = {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes"};
    for (int f = 0; f < 5; ++f) {
        QLineEdit* edit = box(names[f], category);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->maxLength(), 50);
        QTest::keyClicks(edit, QStringLiteral("v%1").arg(f + 1));
    }

    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_store->list(category).count(), 1);
    const Entry& e = m_store->list(category).entry(0);
    QCOMPARE(e.site, QStringLiteral("v1"));
    QCOMPARE(e.user, QStringLiteral("v2"));
    QCOMPARE(e.pass, QStringLiteral("v3"));
    QCOMPARE(e.url, category == WebPages ? QStringLiteral("http://v4") : QStringLiteral("v4"));
    QCOMPARE(e.notes, QStringLiteral("v5"));
    QVERIFY(e.bold);
    QVERIFY(m_store->databaseChanged());
    QCOMPARE(m_store->totalCount(), 1);
    QVERIFY(!m_wizard->isVisible());
}

void TestFrmAdd::webPageProtocol_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("url");
    QTest::newRow("ftp and abc") << 1 << "abc"
                                 << "ftp://abc";
    QTest::newRow("http and nothing") << 0 << ""
                                      << "http://";
    QTest::newRow("padded address") << 0 << "  abc  "
                                    << "http://abc";
    QTest::newRow("joined then cut") << 0 << QString(50, u'a')
                                     << (QStringLiteral("http://") + QString(43, u'a'));
}

void TestFrmAdd::webPageProtocol()
{
    QFETCH(int, protocol);
    QFETCH(QString, typed);
    QFETCH(QString, url);
    open(0);
    auto* combo = child<QComboBox>(QStringLiteral("cboProtocol_0"));
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("http://"));
    QCOMPARE(combo->itemText(1), QStringLiteral("ftp://"));
    QCOMPARE(combo->currentText(), QStringLiteral("http://"));
    QVERIFY(!combo->isEditable());
    goTo(0);
    combo->setCurrentIndex(protocol);
    QTest::keyClicks(box("txtURL", 0), typed);
    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_store->list(WebPages).entry(0).url, url);
}

void TestFrmAdd::longAndPaddedInput()
{
    open(1);
    goTo(1);
    QTest::keyClicks(box("txtSite", 1), QString(60, u's'));
    QCOMPARE(box("txtSite", 1)->text(), QString(50, u's')); // the user sees where the field ends
    box("txtUserName", 1)->setText(QStringLiteral("  abc  "));
    box("txtPassword", 1)->setText(QString(60, u'p'));
    box("txtNotes", 1)->setText(QStringLiteral("  two  words  "));
    QTest::mouseClick(nav(4), Qt::LeftButton);
    const Entry& e = m_store->list(SerialNumbers).entry(0);
    QCOMPARE(e.site, QString(50, u's'));
    QCOMPARE(e.user, QStringLiteral("abc"));
    QCOMPARE(e.pass, QString(50, u'p'));
    QCOMPARE(e.url, QString());
    QCOMPARE(e.notes, QStringLiteral("two  words"));
}

void TestFrmAdd::remoteSystemFields()
{
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix", "VMS"}));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet", "", "ssh"}));
    open(4);
    goTo(4);
    QVERIFY(!m_wizard->findChild<QLineEdit*>(QStringLiteral("txtURL_4")));
    auto* servers = child<QComboBox>(QStringLiteral("cboServers"));
    auto* protocols = child<QComboBox>(QStringLiteral("cboProtocol_1"));
    QVERIFY(!servers->isEditable());
    QVERIFY(!protocols->isEditable());
    QCOMPARE(servers->count(), 2);
    QCOMPARE(protocols->count(), 2);
    QCOMPARE(protocols->itemText(1), QStringLiteral("ssh"));
    servers->setCurrentIndex(1);
    protocols->setCurrentIndex(1);
    QTest::keyClicks(box("txtSite", 4), QStringLiteral("host.example.org"));
    QTest::keyClicks(box("txtPassword", 4), QStringLiteral("pw"));
    QTest::mouseClick(nav(4), Qt::LeftButton);
    const Entry& e = m_store->list(RemoteSystems).entry(0);
    QCOMPARE(e.site, QStringLiteral("host.example.org"));
    QCOMPARE(e.pass, QStringLiteral("pw"));
    QCOMPARE(e.url, QStringLiteral("VMS"));
    QCOMPARE(e.notes, QStringLiteral("ssh"));
}

void TestFrmAdd::remoteSystemNothingPicked()
{
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix"}));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet"}));
    open(4);
    goTo(4);
    // Nothing is chosen for the user: an untouched list stores an empty field.
    QCOMPARE(child<QComboBox>(QStringLiteral("cboServers"))->currentIndex(), -1);
    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_store->list(RemoteSystems).entry(0).url, QString());
    QCOMPARE(m_store->list(RemoteSystems).entry(0).notes, QString());
}

void TestFrmAdd::protocolListIgnoresTyping()
{
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet", "ssh", "rlogin"}));
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix", "VMS"}));
    open(4);
    goTo(4);
    auto* protocols = child<QComboBox>(QStringLiteral("cboProtocol_1"));
    protocols->setCurrentIndex(0);
    protocols->setFocus();
    QTest::keyClicks(protocols, QStringLiteral("sr"));
    QCOMPARE(protocols->currentIndex(), 0);
    QTest::keyClick(protocols, Qt::Key_Down);
    QCOMPARE(protocols->currentIndex(), 1);

    auto* web = child<QComboBox>(QStringLiteral("cboProtocol_0"));
    QTest::keyClicks(web, QStringLiteral("f"));
    QCOMPARE(web->currentText(), QStringLiteral("http://"));

    // The server list is a plain pick list: a letter does pick there.
    auto* servers = child<QComboBox>(QStringLiteral("cboServers"));
    servers->setFocus();
    QTest::keyClicks(servers, QStringLiteral("V"));
    QCOMPARE(servers->currentText(), QStringLiteral("VMS"));
}

void TestFrmAdd::cancelAddsNothing()
{
    open(0);
    goTo(0);
    QTest::keyClicks(box("txtSite", 0), QStringLiteral("typed"));
    QTest::mouseClick(nav(1), Qt::LeftButton);
    QCOMPARE(m_wizard->result(), int(QDialog::Rejected));
    QVERIFY(!m_wizard->isVisible());
    QCOMPARE(m_store->totalCount(), 0);
    QVERIFY(!m_store->databaseChanged());
}

void TestFrmAdd::passwordBoxesMaskedWhileHidden_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("hidden") << true;
    QTest::newRow("shown") << false;
}

void TestFrmAdd::passwordBoxesMaskedWhileHidden()
{
    QFETCH(bool, hidden);
    m_store->setSensitiveHidden(hidden);
    open(0);
    for (int c = 0; c < 6; ++c) {
        QLineEdit* password = box("txtPassword", c);
        QCOMPARE(password->echoMode(), hidden ? QLineEdit::Password : QLineEdit::Normal);
        QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
                 int('*'));
    }
    // Only the password boxes are masked.
    QCOMPARE(box("txtSite", 0)->echoMode(), QLineEdit::Normal);
}

void TestFrmAdd::addedWhileHiddenIsMaskedInTheList()
{
    m_store->setSensitiveHidden(true);
    m_store->showPasswords(false);
    open(2);
    goTo(2);
    QTest::keyClicks(box("txtPassword", 2), QStringLiteral("open sesame"));
    QTest::mouseClick(nav(4), Qt::LeftButton);
    const EntryModel& list = m_store->list(Applications);
    QCOMPARE(list.entry(0).pass, QStringLiteral("open sesame"));
    QCOMPARE(list.data(list.index(0, 2)).toString(), QStringLiteral("******"));
}

void TestFrmAdd::fullStoreKeepsWizardOpen()
{
    std::array<QVector<Entry>, kCategoryCount> lists;
    lists[Misc] = QVector<Entry>(EntryStore::kMaxEntries, Entry{QStringLiteral("x"), {}, {}, {}, {}, true});
    m_store->setContents(std::move(lists));
    open(0);
    goTo(0);
    QTest::keyClicks(box("txtSite", 0), QStringLiteral("one too many"));
    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_fake->messages, QStringList{EntryStore::kFullMessage});
    QVERIFY(m_wizard->isVisible());
    QCOMPARE(m_wizard->currentPage(), 0);
    QCOMPARE(box("txtSite", 0)->text(), QStringLiteral("one too many"));
    QCOMPARE(m_store->totalCount(), EntryStore::kMaxEntries);
    QCOMPARE(m_store->list(WebPages).count(), 0);
}

void TestFrmAdd::generatedPasswordGoesToVisiblePage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("filled");
    QTest::newRow("Web Page") << 0 << true;
    QTest::newRow("Serial Number") << 1 << false;
    QTest::newRow("Application") << 2 << true;
    QTest::newRow("Wallet") << 3 << false;
    QTest::newRow("Remote System") << 4 << true;
    QTest::newRow("Misc") << 5 << true;
}

void TestFrmAdd::generatedPasswordGoesToVisiblePage()
{
    QFETCH(int, page);
    QFETCH(bool, filled);
    open(0);
    goTo(page);
    box("txtPassword", page)->setText(QStringLiteral("old"));
    m_wizard->UpdateGeneratedPassword(QStringLiteral("G3nerated"));
    for (int c = 0; c < 6; ++c) {
        const QString expected =
            c == page ? (filled ? QStringLiteral("G3nerated") : QStringLiteral("old")) : QString();
        QCOMPARE(box("txtPassword", c)->text(), expected);
    }
    // A generator button sits exactly on the pages that take a generated password.
    QCOMPARE(m_wizard->findChild<QToolButton*>(QStringLiteral("Toolbar1_%1").arg(page)) != nullptr, filled);
}

void TestFrmAdd::generatorButtonFillsItsPage_data()
{
    QTest::addColumn<int>("page");
    for (int c : {0, 2, 4, 5})
        QTest::addRow("page %d", c) << c;
}

void TestFrmAdd::generatorButtonFillsItsPage()
{
    QFETCH(int, page);
    open(0);
    goTo(page);
    box("txtPassword", page)->setText(QStringLiteral("old"));
    QTest::mouseClick(child<QToolButton>(QStringLiteral("Toolbar1_%1").arg(page)), Qt::LeftButton);
    auto* generator = m_wizard->findChild<QDialog*>(QStringLiteral("frmGenerator"));
    QVERIFY(generator);
    QVERIFY(generator->isVisible());
    QVERIFY(generator->isModal());
    QTest::mouseClick(generator->findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    // The generator starts on one character of digits and letters.
    const QString password = box("txtPassword", page)->text();
    QCOMPARE(password.size(), 1);
    QVERIFY(password.at(0).isLetterOrNumber());
    QTRY_VERIFY(!m_wizard->findChild<QDialog*>(QStringLiteral("frmGenerator")));
    QVERIFY(m_wizard->isVisible());
    QCOMPARE(m_store->totalCount(), 0);
}

void TestFrmAdd::browseFillsFilename_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::newRow("Serial Number") << 1 << "tbBrowse";
    QTest::newRow("Application") << 2 << "Toolbar2";
}

void TestFrmAdd::browseFillsFilename()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    open(0);
    goTo(page);
    box("txtURL", page)->setText(QStringLiteral("before"));
    m_fake->fileAnswers.enqueue(QString()); // cancelled
    QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton);
    QCOMPARE(box("txtURL", page)->text(), QStringLiteral("before"));
    m_fake->fileAnswers.enqueue(QStringLiteral("/opt/tools/editor"));
    QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton);
    QCOMPARE(box("txtURL", page)->text(), QStringLiteral("/opt/tools/editor"));
    QCOMPARE(m_fake->questions.size(), 2);
}

void TestFrmAdd::missingListFilesGiveEmptyLists()
{
    open(4);
    goTo(4);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboServers"))->count(), 0);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboProtocol_1"))->count(), 0);
    QVERIFY(m_fake->messages.isEmpty());
    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_store->list(RemoteSystems).count(), 1);
}

void TestFrmAdd::listEditorOpensOnItsTabAndReloadsOnSave_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("combo");
    QTest::newRow("server types") << 0 << "cboServers";
    QTest::newRow("protocols") << 1 << "cboProtocol_1";
}

void TestFrmAdd::listEditorOpensOnItsTabAndReloadsOnSave()
{
    QFETCH(int, tab);
    QFETCH(QString, combo);
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix"}));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet"}));
    open(4);
    goTo(4);
    auto* list = child<QComboBox>(combo);
    list->setCurrentIndex(0);

    QTest::mouseClick(child<QToolButton>(QStringLiteral("tbEditList_%1").arg(tab)), Qt::LeftButton);
    auto* editor = m_wizard->findChild<frmEditList*>();
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->isModal());
    QCOMPARE(editor->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->currentIndex(), tab);

    m_fake->inputAnswers.enqueue(QStringLiteral("added"));
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdAdd_%1").arg(tab)), Qt::LeftButton);
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);

    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QStringLiteral("added"));
    // The choice made before the reload is still the choice.
    QCOMPARE(list->currentText(), tab == 0 ? QStringLiteral("Unix") : QStringLiteral("telnet"));
    QTRY_VERIFY(!m_wizard->findChild<frmEditList*>()); // closed and gone
}

void TestFrmAdd::listEditorCancelLeavesListsAlone()
{
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix"}));
    open(4);
    goTo(4);
    QTest::mouseClick(child<QToolButton>(QStringLiteral("tbEditList_0")), Qt::LeftButton);
    auto* editor = m_wizard->findChild<frmEditList*>();
    QVERIFY(editor);
    m_fake->inputAnswers.enqueue(QStringLiteral("VMS"));
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdAdd_0")), Qt::LeftButton);
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboServers"))->count(), 1);
    QCOMPARE(ListFiles::read(ListFiles::Kind::ServerTypes), QStringList{"Unix"});
}

QTEST_MAIN(TestFrmAdd)
#include "tst_frmadd.moc"
