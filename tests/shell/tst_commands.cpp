#include "editing/frmproperties.h"
#include "reports/frmreports.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"
#include "shell/launcher.h"
#include "system/helpwindow.h"
#include "system/platformchecks.h"
#include "tests/shell/shellfixture.h"

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

} // namespace

class TestCommands : public QObject, private ShellFixture {
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
};

void TestCommands::init()
{
    setUp();
}

void TestCommands::cleanup()
{
    tearDown();
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
    window->store().addEntry(entry("site", "pw", "www.example.org"), category);
    tabs()->setCurrentIndex(category);
    action("mnuGo")->trigger();
    QCOMPARE(fake->opened, opened);
    QVERIFY(fake->messages.isEmpty());

    // An opener that cannot take the text says so.
    fake->openerWorks = false;
    action("mnuGo")->trigger();
    QCOMPARE(fake->messages.size(), opened.isEmpty() ? 0 : 1);
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
    fake->onPath = onPath;
    window->store().addEntry(entry("host.example:23", "pw", "Linux"), 4);
    tabs()->setCurrentIndex(4);
    action("mnuGo")->trigger();
    QCOMPARE(fake->opened, opened);
    QStringList commands;
    for (const FakeDesktop::Started& s : fake->started)
        commands << (QStringList{s.program} + s.arguments).join(QLatin1Char(' '));
    QCOMPARE(commands, started.isEmpty() ? QStringList() : QStringList{started});
    QCOMPARE(!fake->messages.isEmpty(), message);
}

void TestCommands::copyMenuFollowsListAndMasking()
{
    QMenu* menu = window->findChild<QToolButton*>(QStringLiteral("copy"))->menu();
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 5);
    tabs()->setCurrentIndex(3);
    emit menu->aboutToShow();
    QCOMPARE(entries.at(0)->text(), QStringLiteral("Credit Card Type"));
    for (QAction* a : entries)
        QVERIFY(!a->isEnabled()); // an empty list offers nothing

    tabs()->setCurrentIndex(0);
    window->store().addEntry(entry("Bank", "hunter2", "bank.example"), 0);
    emit menu->aboutToShow(); // hidden: the sensitive entry is not offered
    QCOMPARE(entries.at(2)->text(), QStringLiteral("Password"));
    QVERIFY(entries.at(0)->isEnabled() && !entries.at(2)->isEnabled() && entries.at(4)->isEnabled());
    entries.at(0)->trigger();
    QCOMPARE(fake->clipboard, QStringLiteral("Bank"));

    window->findChild<QToolBar*>(QStringLiteral("Toolbar2"))->actions().first()->trigger(); // show
    emit menu->aboutToShow();
    QVERIFY(entries.at(2)->isEnabled());
    entries.at(2)->trigger();
    QCOMPARE(fake->clipboard, QStringLiteral("hunter2"));
    entries.at(3)->trigger();
    QCOMPARE(fake->clipboard, QStringLiteral("bank.example"));
}

void TestCommands::alwaysOnTopTogglesAndIsWritten()
{
    QAction* onTop = action("ontop");
    onTop->trigger();
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(SettingsStore().read(SettingKey::TopMost), QStringLiteral("True"));
    onTop->trigger();
    QVERIFY(!(window->windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(SettingsStore().read(SettingKey::TopMost), QStringLiteral("False"));
}

void TestCommands::hideNeverLosesTheWindow()
{
    window->show();
    fake->tray = false;
    action("Hide")->trigger();
    QVERIFY(window->isVisible());
    QCOMPARE(fake->messages.size(), 1);
    fake->tray = true;
    action("Hide")->trigger();
    QVERIFY(!window->isVisible());
    action("mnuRestore")->trigger();
    QVERIFY(window->isVisible());
}

void TestCommands::entryMenuAndToolbarDispatch()
{
    QMenu* entryMenu = window->findChild<QMenu*>(QStringLiteral("mnuEntry"));
    emit entryMenu->aboutToShow();
    QVERIFY(!action("mnuProperties")->isEnabled());
    QVERIFY(!action("mnuDelete")->isEnabled() && !action("mnuGo")->isEnabled());
    action("Properties")->trigger(); // empty list: nothing opens
    QVERIFY(!window->findChild<frmProperties*>());

    tabs()->setCurrentIndex(2);
    window->store().addEntry(entry("one", "p", "f"), 2);
    window->store().addEntry(entry("two", "p", "f"), 2);
    emit entryMenu->aboutToShow();
    QVERIFY(action("mnuProperties")->isEnabled());

    action("Properties")->trigger();
    auto* properties = window->findChild<frmProperties*>();
    QVERIFY(properties);
    QCOMPARE(properties->category(), 2);
    properties->close();

    for (const char* print : {"mnuPrint", "Print", "mnuReports", "Reports"}) {
        action(print)->trigger();
        auto* reports = window->findChild<frmReports*>();
        QVERIFY2(reports && reports->isVisible(), print);
        QCOMPARE(reports->findChild<QTabWidget*>()->currentIndex(), int(frmReports::TextTab));
        delete reports;
    }

    action("Delete")->trigger(); // no confirmation
    QVERIFY(fake->questions.isEmpty());
    QCOMPARE(window->store().list(2).count(), 1);
    QCOMPARE(window->store().list(2).entry(0).site(), QStringLiteral("two"));

    action("mnuPageSetup")->trigger();
    QCOMPARE(fake->pageSetups, 1);
}

void TestCommands::helpAndSystemItems()
{
    action("mnuWindowslogon")->trigger();
    action("mnuScreenSaver")->trigger();
    QCOMPARE(fake->messages, QStringList(2, QStringLiteral("This can only be done on Windows 95/98.")));

    QMenu* help = window->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    emit help->aboutToShow();
    QCOMPARE(action("mnuCheckForUpdates")->isEnabled(), IsDialUpConnected());

    action("Help")->trigger(); // the toolbar's Help is Contents
    HelpWindow* helpWindow = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<HelpWindow*>(w)) helpWindow = candidate;
    QVERIFY(helpWindow && helpWindow->isVisible());
    delete helpWindow;
}

void TestCommands::commandsActOnTheSelectedRow()
{
    for (const char* site : {"one", "two", "three"})
        window->store().addEntry(entry(site, "p", "f"), 0);
    action("mnuSave")->trigger();
    window->close();
    load();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTableView* list = this->list(0);
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
    QMenu* copyMenu = window->findChild<QToolButton*>(QStringLiteral("copy"))->menu();
    emit copyMenu->aboutToShow();
    copyMenu->actions().at(0)->trigger();
    QCOMPARE(fake->clipboard, QStringLiteral("two"));

    action("Delete")->trigger(); // the highlighted row goes, and the first is selected again
    QCOMPARE(window->store().list(0).entry(1).site(), QStringLiteral("three"));
    QCoreApplication::processEvents();
    QCOMPARE(selected(), QList<int>{0});

    // A list filled while another tab is shown has its first row selected when it comes into view.
    window->store().addEntry(entry("app", "p", "f"), 2);
    tabs()->setCurrentIndex(2);
    QCOMPARE(this->list(2)->selectionModel()->selectedRows().size(), 1);
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
    window->store().addEntry(entry("site", "pw", "f"), 0);
    window->show();
    for (const QString& name : asked)
        window->findChild<QAction*>(name)->trigger();
    int open = 0;
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible() && QLatin1String(w->metaObject()->className()) == dialog) ++open;
    QCOMPARE(open, 1);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
