#include "editing/frmproperties.h"
#include "reports/frmreports.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"
#include "shell/launcher.h"
#include "system/helpwindow.h"
#include "system/platformchecks.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

Entry entry(const QString& site, const QString& pass, const QString& url)
{
    return Entry{site, QStringLiteral("anna"), pass, url, QStringLiteral("note"), true};
}

QAction* action(frmMain& w, const char* name)
{
    return w.findChild<QAction*>(QLatin1String(name));
}

QTabWidget* tabs(frmMain& w)
{
    return w.findChild<QTabWidget*>(QStringLiteral("TabNav"));
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void goOpensByCategory_data();
    void goOpensByCategory();
    void telnetChoices_data();
    void telnetChoices();
    void copyMenuFollowsListAndMasking();
    void alwaysOnTopTogglesAndIsWritten();
    void hideNeverLosesTheWindow();
    void entryMenuAndToolbarDispatch();
    void helpAndSystemItems();
    void commandsActOnTheSelectedRow();
    void oneDialogOfEachKind_data();
    void oneDialogOfEachKind();

private:
    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<frmMain> m_window;
};

void TestCommands::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_window = std::make_unique<frmMain>();
    QVERIFY(m_window->Load());
}

void TestCommands::cleanup()
{
    m_window->store().setDatabaseChanged(false);
    m_window->close();
    m_window.reset();
    m_home.reset();
}

void TestCommands::goOpensByCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("web page: field 4 as typed") << 0 << QStringList{"www.example.org"};
    QTest::newRow("serial numbers: the file") << 1 << QStringList{"www.example.org"};
    QTest::newRow("applications: the file") << 2 << QStringList{"www.example.org"};
    QTest::newRow("wallet: nothing") << 3 << QStringList{};
    QTest::newRow("misc: nothing") << 5 << QStringList{};
}

void TestCommands::goOpensByCategory()
{
    QFETCH(int, category);
    QFETCH(QStringList, opened);
    m_window->store().addEntry(entry("site", "pw", "www.example.org"), category);
    tabs(*m_window)->setCurrentIndex(category);
    action(*m_window, "mnuGo")->trigger();
    QCOMPARE(m_fake->opened, opened);
    QVERIFY(m_fake->messages.isEmpty());

    // An opener that cannot take the text says so.
    m_fake->openerWorks = false;
    action(*m_window, "mnuGo")->trigger();
    QCOMPARE(m_fake->messages.size(), opened.isEmpty() ? 0 : 1);
}

void TestCommands::telnetChoices_data()
{
    QTest::addColumn<bool>("launchTelnet");
    QTest::addColumn<bool>("windowsClient");
    QTest::addColumn<bool>("ownClient");
    QTest::addColumn<QStringList>("onPath");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QString>("started");
    QTest::addColumn<bool>("message");
    const QStringList both{"telnet", "xterm"};
    const QString telnet = QStringLiteral("/usr/bin/telnet host.example:23");
    QTest::newRow("telnet off: open the address")
        << false << true << true << both << QStringList{"host.example:23"} << "" << false;
    QTest::newRow("system client in a terminal")
        << true << true << false << both << QStringList{} << "/usr/bin/xterm -e " + telnet << false;
    QTest::newRow("gnome terminal takes --")
        << true << true << false << QStringList{"telnet", "gnome-terminal"} << QStringList{}
        << "/usr/bin/gnome-terminal -- " + telnet << false;
    QTest::newRow("no telnet client")
        << true << true << false << QStringList{"xterm"} << QStringList{} << "" << true;
    QTest::newRow("no terminal") << true << true << false << QStringList{"telnet"} << QStringList{} << ""
                                 << true;
    QTest::newRow("own client, no address")
        << true << false << true << both << QStringList{} << "/opt/tn" << false;
    QTest::newRow("neither client: nothing")
        << true << false << false << both << QStringList{} << "" << false;
}

void TestCommands::telnetChoices()
{
    QFETCH(bool, launchTelnet);
    QFETCH(bool, windowsClient);
    QFETCH(bool, ownClient);
    QFETCH(QStringList, onPath);
    QFETCH(QStringList, opened);
    QFETCH(QString, started);
    QFETCH(bool, message);
    SettingsStore settings;
    QVERIFY(settings.write(SettingKey::LaunchTelnet, QLatin1String(launchTelnet ? "1" : "0")));
    QVERIFY(settings.writeTruth(SettingKey::WindowsTelnet0, windowsClient));
    QVERIFY(settings.writeTruth(SettingKey::WindowsTelnet1, ownClient));
    QVERIFY(settings.write(SettingKey::TelnetPath, QStringLiteral("/opt/tn")));
    m_fake->onPath = onPath;
    m_window->store().addEntry(entry("host.example:23", "pw", "Linux"), 4);
    tabs(*m_window)->setCurrentIndex(4);
    action(*m_window, "mnuGo")->trigger();
    QCOMPARE(m_fake->opened, opened);
    QStringList commands;
    for (const FakeDesktop::Started& s : m_fake->started)
        commands << (QStringList{s.program} + s.arguments).join(QLatin1Char(' '));
    QCOMPARE(commands, started.isEmpty() ? QStringList() : QStringList{started});
    QCOMPARE(!m_fake->messages.isEmpty(), message);
}

void TestCommands::copyMenuFollowsListAndMasking()
{
    QMenu* menu = m_window->findChild<QToolButton*>(QStringLiteral("copy"))->menu();
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 5);
    tabs(*m_window)->setCurrentIndex(3);
    emit menu->aboutToShow();
    QCOMPARE(entries.at(0)->text(), QStringLiteral("Credit Card Type"));
    for (QAction* a : entries)
        QVERIFY(!a->isEnabled()); // an empty list offers nothing

    tabs(*m_window)->setCurrentIndex(0);
    m_window->store().addEntry(entry("Bank", "hunter2", "bank.example"), 0);
    emit menu->aboutToShow(); // hidden: the sensitive entry is not offered
    QCOMPARE(entries.at(2)->text(), QStringLiteral("Password"));
    QVERIFY(entries.at(0)->isEnabled() && !entries.at(2)->isEnabled() && entries.at(4)->isEnabled());
    entries.at(0)->trigger();
    QCOMPARE(m_fake->clipboard, QStringLiteral("Bank"));

    m_window->findChild<QToolBar*>(QStringLiteral("Toolbar2"))->actions().first()->trigger(); // show
    emit menu->aboutToShow();
    QVERIFY(entries.at(2)->isEnabled());
    entries.at(2)->trigger();
    QCOMPARE(m_fake->clipboard, QStringLiteral("hunter2"));
    entries.at(3)->trigger();
    QCOMPARE(m_fake->clipboard, QStringLiteral("bank.example"));
}

void TestCommands::alwaysOnTopTogglesAndIsWritten()
{
    QAction* onTop = action(*m_window, "ontop");
    onTop->trigger();
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(SettingsStore().read(SettingKey::TopMost), QStringLiteral("True"));
    onTop->trigger();
    QVERIFY(!(m_window->windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(SettingsStore().read(SettingKey::TopMost), QStringLiteral("False"));
}

void TestCommands::hideNeverLosesTheWindow()
{
    m_window->show();
    m_fake->tray = false;
    action(*m_window, "Hide")->trigger();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_fake->messages.size(), 1);
    m_fake->tray = true;
    action(*m_window, "Hide")->trigger();
    QVERIFY(!m_window->isVisible());
    action(*m_window, "mnuRestore")->trigger();
    QVERIFY(m_window->isVisible());
}

void TestCommands::entryMenuAndToolbarDispatch()
{
    QMenu* entryMenu = m_window->findChild<QMenu*>(QStringLiteral("mnuEntry"));
    emit entryMenu->aboutToShow();
    QVERIFY(!action(*m_window, "mnuProperties")->isEnabled());
    QVERIFY(!action(*m_window, "mnuDelete")->isEnabled() && !action(*m_window, "mnuGo")->isEnabled());
    action(*m_window, "Properties")->trigger(); // empty list: nothing opens
    QVERIFY(!m_window->findChild<frmProperties*>());

    tabs(*m_window)->setCurrentIndex(2);
    m_window->store().addEntry(entry("one", "p", "f"), 2);
    m_window->store().addEntry(entry("two", "p", "f"), 2);
    emit entryMenu->aboutToShow();
    QVERIFY(action(*m_window, "mnuProperties")->isEnabled());

    action(*m_window, "Properties")->trigger();
    auto* properties = m_window->findChild<frmProperties*>();
    QVERIFY(properties);
    QCOMPARE(properties->category(), 2);
    properties->close();

    for (const char* print : {"mnuPrint", "Print", "mnuReports", "Reports"}) {
        action(*m_window, print)->trigger();
        auto* reports = m_window->findChild<frmReports*>();
        QVERIFY2(reports && reports->isVisible(), print);
        QCOMPARE(reports->findChild<QTabWidget*>()->currentIndex(), int(frmReports::TextTab));
        delete reports;
    }

    action(*m_window, "Delete")->trigger(); // no confirmation
    QVERIFY(m_fake->questions.isEmpty());
    QCOMPARE(m_window->store().list(2).count(), 1);
    QCOMPARE(m_window->store().list(2).entry(0).site, QStringLiteral("two"));

    action(*m_window, "mnuPageSetup")->trigger();
    QCOMPARE(m_fake->pageSetups, 1);
}

void TestCommands::helpAndSystemItems()
{
    action(*m_window, "mnuWindowslogon")->trigger();
    action(*m_window, "mnuScreenSaver")->trigger();
    QCOMPARE(m_fake->messages, QStringList(2, QStringLiteral("This can only be done on Windows 95/98.")));

    QMenu* help = m_window->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    emit help->aboutToShow();
    QCOMPARE(action(*m_window, "mnuCheckForUpdates")->isEnabled(), IsDialUpConnected());

    action(*m_window, "Help")->trigger(); // the toolbar's Help is Contents
    HelpWindow* helpWindow = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<HelpWindow*>(w)) helpWindow = candidate;
    QVERIFY(helpWindow && helpWindow->isVisible());
    delete helpWindow;
}

void TestCommands::commandsActOnTheSelectedRow()
{
    for (const char* site : {"one", "two", "three"})
        m_window->store().addEntry(entry(site, "p", "f"), 0);
    action(*m_window, "mnuSave")->trigger();
    m_window->close();
    m_window.reset();
    m_window = std::make_unique<frmMain>();
    QVERIFY(m_window->Load());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto* list = m_window->findChild<QTableView*>(QStringLiteral("ListView1_0"));
    auto selected = [list] {
        QList<int> rows;
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            rows << index.row();
        return rows;
    };
    auto click = [list](QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
        QCoreApplication::processEvents();
    };
    auto rowCentre = [list](int row) { return list->visualRect(list->model()->index(row, 0)).center(); };
    QCOMPARE(selected(), QList<int>{0}); // filled at load: the first row is shown selected

    click(rowCentre(1));
    click(QPoint(4, list->viewport()->height() - 4)); // the empty area below the rows
    click(rowCentre(1), Qt::ControlModifier);         // Ctrl on the selected row
    QCOMPARE(selected(), QList<int>{1});
    QMenu* copyMenu = m_window->findChild<QToolButton*>(QStringLiteral("copy"))->menu();
    emit copyMenu->aboutToShow();
    copyMenu->actions().at(0)->trigger();
    QCOMPARE(m_fake->clipboard, QStringLiteral("two"));

    action(*m_window, "Delete")->trigger(); // the highlighted row goes, and the first is selected again
    QCOMPARE(m_window->store().list(0).entry(1).site, QStringLiteral("three"));
    QCoreApplication::processEvents();
    QCOMPARE(selected(), QList<int>{0});

    // A list filled while another tab is shown has its first row selected when it comes into view.
    m_window->store().addEntry(entry("app", "p", "f"), 2);
    tabs(*m_window)->setCurrentIndex(2);
    QCOMPARE(m_window->findChild<QTableView*>(QStringLiteral("ListView1_2"))
                 ->selectionModel()
                 ->selectedRows()
                 .size(),
             1);
}

void TestCommands::oneDialogOfEachKind_data()
{
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("tray settings over settings")
        << QStringList{"Settings", "mnuSettingsTray"} << "frmSettings";
    QTest::newRow("security over settings")
        << QStringList{"mnuSettings", "Security Configuration"} << "frmSettings";
    QTest::newRow("tray about over about") << QStringList{"mnuAbout", "mnuAboutTray"} << "frmAbout";
    QTest::newRow("wizard") << QStringList{"New", "mnuAdd"} << "frmAdd";
    QTest::newRow("properties") << QStringList{"Properties", "mnuProperties"} << "frmProperties";
    QTest::newRow("generator") << QStringList{"Generator", "mnuPasswordGenerator"} << "frmGenerator2";
    QTest::newRow("reports") << QStringList{"Reports", "mnuPrint"} << "frmReports";
}

void TestCommands::oneDialogOfEachKind()
{
    QFETCH(QStringList, asked);
    QFETCH(QString, dialog);
    m_window->store().addEntry(entry("site", "pw", "f"), 0);
    m_window->show();
    for (const QString& name : asked)
        m_window->findChild<QAction*>(name)->trigger();
    int open = 0;
    for (QWidget* w : m_window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible() && QLatin1String(w->metaObject()->className()) == dialog) ++open;
    QCOMPARE(open, 1);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
