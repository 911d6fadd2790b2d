#include "editing/frmadd.h"
#include "editing/frmeditlist.h"
#include "editing/listfiles.h"
#include "store/categories.h"
#include "store/entrystore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

Q_DECLARE_METATYPE(Entry)

class TestFrmAdd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void eachPage_data();
    void eachPage();
    void finish_data();
    void finish();
    void remoteSystemLists();
    void longListItemsKeepTheWizardNarrow();
    void refusalKeepsWizardOpen_data();
    void refusalKeepsWizardOpen();

private:
    void open(int startCategory, int page = -1); // and on to the page when given
    void goTo(int category);
    template <typename T = QWidget> T* child(const QString& name) { return m_wizard->findChild<T*>(name); }
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

void TestFrmAdd::open(int startCategory, int page)
{
    m_wizard = std::make_unique<frmAdd>(*m_store, startCategory);
    m_wizard->show();
    if (page >= 0) goTo(page);
}

void TestFrmAdd::goTo(int category)
{
    if (m_wizard->currentPage() >= 0) QTest::mouseClick(nav(2), Qt::LeftButton);
    child<QComboBox>(QStringLiteral("ImageCombo1"))->setCurrentIndex(category);
    QTest::mouseClick(nav(3), Qt::LeftButton);
    QCOMPARE(m_wizard->currentPage(), category);
}

void TestFrmAdd::eachPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("browse"); // the page's button that picks a file for the address
    const char* const browse[kCategoryCount]{"", "tbBrowse", "Toolbar2", "", "", ""};
    for (int page = 0; page < kCategoryCount; ++page)
        QTest::newRow(qPrintable(tabCaption(page))) << page << QString(browse[page]);
}

// A generated password goes to the page in view; a cancelled file dialog leaves the address alone.
void TestFrmAdd::eachPage()
{
    QFETCH(int, page);
    QFETCH(QString, browse);
    open(0, page);
    if (!browse.isEmpty()) {
        box("txtURL", page)->setText(QStringLiteral("before"));
        m_fake->fileAnswers << QString() << QStringLiteral("/opt/tools/editor"); // cancelled, then chosen
        QTest::mouseClick(child<QToolButton>(browse), Qt::LeftButton);
        QCOMPARE(box("txtURL", page)->text(), QStringLiteral("before"));
        QTest::mouseClick(child<QToolButton>(browse), Qt::LeftButton);
        QCOMPARE(box("txtURL", page)->text(), QStringLiteral("/opt/tools/editor"));
    }

    auto* button = child<QToolButton>(QStringLiteral("Toolbar1_%1").arg(page));
    QCOMPARE(button != nullptr, page != SerialNumbers && page != Wallet);
    if (!button) return;
    QTest::mouseClick(button, Qt::LeftButton);
    auto* generator = child<QDialog>(QStringLiteral("frmGenerator"));
    QVERIFY(generator && generator->isModal());
    QTest::mouseClick(generator->findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    for (int c = 0; c < kCategoryCount; ++c) // the generator starts on length 1
        QCOMPARE(box("txtPassword", c)->text().size(), c == page ? 1 : 0);
    QVERIFY(m_wizard->isVisible());
}

void TestFrmAdd::finish_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("hidden"); // the sensitive column hidden when the wizard opens
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<Entry>("stored");
    const QString a50(50, u'a');
    QTest::newRow("web ftp") << 0 << 1 << false << QStringList{"s", "u", "p", "abc", "n"}
                             << Entry{"s", "u", "p", "ftp://abc", "n"};
    QTest::newRow("web joined then cut") << 0 << 0 << false << QStringList{"s", "u", "p", "  " + a50, ""}
                                         << Entry{"s", "u", "p", "http://" + a50.left(43), ""};
    // Blanks at the start are trimmed before the cut, so they do not count against the 50.
    const QString a57 = QStringLiteral("abcdefghij").repeated(5) + QStringLiteral("klmnopq");
    QTest::newRow("serial padded and long")
        << 1 << 0 << false << QStringList{"  " + a57, QString(60, u'u'), "p", "  " + a57 + "  ", " n n "}
        << Entry{a57.left(50), QString(50, u'u'), "p", a57.left(50), "n n"};
    QTest::newRow("application, masked: stored clear")
        << 2 << 0 << true << QStringList{"a", "b", "open sesame", "d", "e"}
        << Entry{"a", "b", "open sesame", "d", "e"};
}

void TestFrmAdd::finish()
{
    QFETCH(int, category);
    QFETCH(int, protocol);
    QFETCH(bool, hidden);
    QFETCH(QStringList, typed);
    m_store->setSensitiveHidden(hidden);
    m_store->showPasswords(!hidden);
    open(category);
    // The list the user is looking at is the one offered first.
    QCOMPARE(child<QComboBox>(QStringLiteral("ImageCombo1"))->currentIndex(), category);
    for (int c = 0; c < 6; ++c) { // every page's password box follows the column, drawn with '*'
        QLineEdit* password = box("txtPassword", c);
        QCOMPARE(password->echoMode(), hidden ? QLineEdit::Password : QLineEdit::Normal);
        QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
                 int('*'));
    }
    goTo(category);
    if (category == WebPages) child<QComboBox>(QStringLiteral("cboProtocol_0"))->setCurrentIndex(protocol);
    const char* const names[5] = {"txtSite", "txtUserName", "txtPassword", "txtURL", "txtNotes"};
    for (int f = 0; f < 5; ++f)
        box(names[f], category)->setText(typed.at(f));
    // What is typed stays behind Back, and only the page in view is added.
    goTo((category + 1) % kCategoryCount);
    box("txtSite", (category + 1) % kCategoryCount)->setText(QStringLiteral("elsewhere"));
    goTo(category);
    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_store->totalCount(), 1);
    QTEST(m_store->list(category).entry(0), "stored");
    QVERIFY(!m_wizard->isVisible());
}

// Nothing is chosen for the user and nothing picked by typing; the editor opens on the list of its button,
// and a save reloads the lists, keeping the choices made.
void TestFrmAdd::remoteSystemLists()
{
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix", "VMS"}));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet", "ssh", "rlogin"}));
    open(4, 4);
    auto* servers = child<QComboBox>(QStringLiteral("cboServers"));
    auto* protocols = child<QComboBox>(QStringLiteral("cboProtocol_1"));
    QCOMPARE(servers->currentIndex(), -1);
    protocols->setCurrentIndex(0);
    QTest::keyClicks(protocols, QStringLiteral("sr"));
    QCOMPARE(protocols->currentIndex(), 0);
    QTest::keyClick(protocols, Qt::Key_Down);
    servers->setCurrentIndex(1);

    QTest::mouseClick(child<QToolButton>(QStringLiteral("tbEditList_1")), Qt::LeftButton);
    auto* editor = m_wizard->findChild<frmEditList*>();
    QVERIFY(editor && editor->isVisible() && editor->isModal());
    QCOMPARE(editor->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->currentIndex(), 1);
    m_fake->inputAnswers.enqueue(QStringLiteral("added"));
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdAdd_1")), Qt::LeftButton);
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    QCOMPARE(protocols->itemText(3), QStringLiteral("added"));
    QTRY_VERIFY(!m_wizard->findChild<frmEditList*>());

    box("txtSite", 4)->setText(QStringLiteral("host"));
    QTest::mouseClick(nav(4), Qt::LeftButton);
    const Entry& e = m_store->list(RemoteSystems).entry(0);
    QCOMPARE(e.url(), QStringLiteral("VMS"));
    QCOMPARE(e.notes(), QStringLiteral("ssh"));
    QVERIFY(m_fake->messages.isEmpty());
}

void TestFrmAdd::longListItemsKeepTheWizardNarrow()
{
    open(4);
    const int usual = m_wizard->width();
    m_wizard.reset();
    QVERIFY(ListFiles::write(ListFiles::Kind::ServerTypes, {QString(300, u'S')}));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {QString(300, u'p')}));
    open(4, 4);
    QCOMPARE(m_wizard->width(), usual);
    auto* servers = child<QComboBox>(QStringLiteral("cboServers"));
    QCOMPARE(servers->itemText(0).size(), 300); // kept whole
    servers->showPopup();
    QVERIFY(servers->view()->window()->isVisible());
    QVERIFY(servers->view()->window()->width() <= usual);
    servers->hidePopup();
}

void TestFrmAdd::refusalKeepsWizardOpen_data()
{
    QTest::addColumn<bool>("full");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("message");
    QTest::newRow("store full") << true << "one too many" << EntryStore::kFullMessage;
    QTest::newRow("site outside the code page")
        << false << "Почта"
        << "The Site Name holds characters that cannot be kept: \"П\", \"о\", \"ч\", \"т\", \"а\". Remove "
           "them, or use others.";
}

// The rules are the store's; the wizard shows the refusal and keeps what was typed.
void TestFrmAdd::refusalKeepsWizardOpen()
{
    QFETCH(bool, full);
    QFETCH(QString, site);
    QFETCH(QString, message);
    std::array<QVector<Entry>, kCategoryCount> lists;
    if (full) lists[Misc] = QVector<Entry>(EntryStore::kMaxEntries, Entry{"x", {}, {}, {}, {}, true});
    m_store->setContents(std::move(lists));
    open(0, 0);
    box("txtSite", 0)->setText(site);
    QTest::mouseClick(nav(4), Qt::LeftButton);
    QCOMPARE(m_fake->messages, QStringList{message});
    QVERIFY(m_wizard->isVisible());
    QCOMPARE(box("txtSite", 0)->text(), site);
    QCOMPARE(m_store->list(WebPages).count(), 0);
}

QTEST_MAIN(TestFrmAdd)
#include "tst_frmadd.moc"
