#include "editing/frmproperties.h"
#include "settings/settingsstore.h"
#include "system/helpwindow.h"
#include "tests/shell/shellfixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestCommands : public ShellFixture {
    Q_OBJECT
private slots:
    void goOpensByCategory_data();
    void goOpensByCategory();
    void telnetChoices_data();
    void telnetChoices();
    void copyMenuFollowsListAndMasking();
    void alwaysOnTopTogglesAndIsWritten();
    void hideNeverLosesTheWindow();
    void entryMenuAndToolbarDispatch();
    void helpAndSystemItems();
    void oneDialogOfEachKind_data();
    void oneDialogOfEachKind();
};

void TestCommands::goOpensByCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("web page: field 4 as typed") << 0 << QStringList{"www.example.org"};
    QTest::newRow("wallet: nothing") << 3 << QStringList{};
}

void TestCommands::goOpensByCategory()
{
    QFETCH(int, category);
    QFETCH(QStringList, opened);
    add(category, "site", "pw", "www.example.org");
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
    // Arguments joined by '|': the address must come as one of its own.
    const QString telnet = QStringLiteral("/usr/bin/telnet|host.example:23");
    QTest::newRow("telnet off: open the address")
        << false << true << true << both << QStringList{"host.example:23"} << "" << false;
    QTest::newRow("system client in a terminal")
        << true << true << false << both << QStringList{} << "/usr/bin/xterm|-e|" + telnet << false;
    QTest::newRow("gnome terminal takes --")
        << true << true << false << QStringList{"telnet", "gnome-terminal"} << QStringList{}
        << "/usr/bin/gnome-terminal|--|" + telnet << false;
    QTest::newRow("no telnet client")
        << true << true << false << QStringList{"xterm"} << QStringList{} << "" << true;
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
    QFETCH(QString, started);
    SettingsStore settings;
    QVERIFY(settings.write(SettingKey::LaunchTelnet, QLatin1String(launchTelnet ? "1" : "0")));
    QVERIFY(settings.writeTruth(SettingKey::WindowsTelnet0, windowsClient));
    QVERIFY(settings.writeTruth(SettingKey::WindowsTelnet1, ownClient));
    QVERIFY(settings.write(SettingKey::TelnetPath, QStringLiteral("/opt/tn")));
    fake->onPath = onPath;
    add(4, "host.example:23", "pw", "Linux");
    tabs()->setCurrentIndex(4);
    action("mnuGo")->trigger();
    QTEST(fake->opened, "opened");
    QStringList commands;
    for (const FakeDesktop::Started& s : fake->started)
        commands << (QStringList{s.program} + s.arguments).join(QLatin1Char('|'));
    QCOMPARE(commands, started.isEmpty() ? QStringList() : QStringList{started});
    QTEST(!fake->messages.isEmpty(), "message");
}

void TestCommands::copyMenuFollowsListAndMasking()
{
    QMenu* menu = window->findChild<QToolButton*>(QStringLiteral("copy"))->menu();
    const QList<QAction*> entries = menu->actions();
    add(0, "Bank", "hunter2", "bank.example");
    emit menu->aboutToShow(); // hidden: the sensitive entry is not offered
    QVERIFY(entries.at(0)->isEnabled() && !entries.at(2)->isEnabled());

    window->findChild<QToolBar*>(QStringLiteral("Toolbar2"))->actions().first()->trigger(); // show
    emit menu->aboutToShow();
    QVERIFY(entries.at(2)->isEnabled());
    entries.at(2)->trigger();
    QCOMPARE(fake->clipboard, QStringLiteral("hunter2"));
}

void TestCommands::alwaysOnTopTogglesAndIsWritten()
{
    QAction* onTop = action("ontop");
    onTop->trigger();
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(SettingsStore().read(SettingKey::TopMost), QStringLiteral("True"));
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
}

void TestCommands::entryMenuAndToolbarDispatch()
{
    action("Properties")->trigger(); // empty list: nothing opens
    QVERIFY(!window->findChild<frmProperties*>());

    tabs()->setCurrentIndex(2);
    add(2, "one");
    add(2, "two");
    action("Properties")->trigger();
    auto* properties = window->findChild<frmProperties*>();
    QVERIFY(properties);
    QCOMPARE(properties->category(), 2);
    properties->close();

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

    action("Help")->trigger(); // the toolbar's Help is Contents
    auto* helpWindow = topLevel<HelpWindow>();
    QVERIFY(helpWindow);
    delete helpWindow;
}

void TestCommands::oneDialogOfEachKind_data()
{
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("tray settings over settings")
        << QStringList{"Settings", "mnuSettingsTray"} << "frmSettings";
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
    add(0, "site");
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
