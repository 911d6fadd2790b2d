#include "shell/csystray.h"
#include "shell/frmmain.h"
#include "shell/menuhints.h"
#include "tests/shell/shellfixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

class TestTrayAndMenus : public ShellFixture {
    Q_OBJECT
private slots:
    void trayPropertiesFollowTheirRules();
    void mainWindowAnswersTheTray();
    void restoreUndoesHidingAndMinimising_data();
    void restoreUndoesHidingAndMinimising();
    void hintLookup_data();
    void hintLookup();
    void hintsOnPlainItemsOnly();
};

void TestTrayAndMenus::trayPropertiesFollowTheirRules()
{
    cSysTray tray;
    tray.setTrayTip(QString(70, QLatin1Char('k')));
    tray.setInTray(true);
    tray.setInTray(true); // twice: still one icon
    QCOMPARE(tray.findChildren<QSystemTrayIcon*>().size(), 1);
    QCOMPARE(tray.findChild<QSystemTrayIcon*>()->toolTip().size(), 63);
    tray.setInTray(false);
    QCOMPARE(tray.findChildren<QSystemTrayIcon*>().size(), 0);
}

void TestTrayAndMenus::mainWindowAnswersTheTray()
{
    frmMain& w = *window;
    w.InstallTrayIcon();
    auto* tray = w.findChild<cSysTray*>(QStringLiteral("cSysTray1"));
    QSystemTrayIcon* icon = tray->findChild<QSystemTrayIcon*>();
    // The right click's menu is the desktop's to open, also while the window is hidden.
    QCOMPARE(icon->contextMenu(), w.findChild<QMenu*>(QStringLiteral("mnuTray")));

    // Hidden, and then the tray goes away: the window comes back by itself.
    w.show();
    w.findChild<QTimer*>(QStringLiteral("trayWatch"))->setInterval(10);
    fake->tray = true;
    action("Hide")->trigger();
    QVERIFY(!w.isVisible());
    QTest::qWait(50);
    QVERIFY(!w.isVisible());
    fake->tray = false;
    QTRY_VERIFY(w.isVisible());

    QVERIFY(w.close());
    QVERIFY(!tray->InTray()); // the icon goes at exit
}

void TestTrayAndMenus::restoreUndoesHidingAndMinimising_data()
{
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("hidden, Restore") << false << false;
    QTest::newRow("minimised, Restore") << true << false;
    QTest::newRow("minimised, double click") << true << true;
}

void TestTrayAndMenus::restoreUndoesHidingAndMinimising()
{
    QFETCH(bool, minimised);
    QFETCH(bool, doubleClick);
    frmMain& w = *window;
    w.InstallTrayIcon();
    w.show();
    if (minimised)
        w.showMinimized();
    else
        w.hide();
    if (doubleClick)
        emit w.findChild<QSystemTrayIcon*>()->activated(QSystemTrayIcon::DoubleClick);
    else
        action("mnuRestore")->trigger();
    QVERIFY(w.isVisible());
    QVERIFY(!w.isMinimized());
}

void TestTrayAndMenus::hintLookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    const auto row = [](const char* text, const char* hint) { QTest::newRow(text) << text << hint; };
    row("Page Setup", "Configure the printer.");
    row("Printer Setup", "Send the password database to the printer."); // finds "Prin"
    row("  Add New ", "Add a new entry to the database.");              // blanks trimmed
    row(".Reports", "View and save generated reports.");                // the design caption
    row("Go", "");
}

void TestTrayAndMenus::hintLookup()
{
    QFETCH(QString, text);
    QTEST(menuHint(text), "hint");
}

void TestTrayAndMenus::hintsOnPlainItemsOnly()
{
    frmMain& w = *window;
    auto hover = [&](const char* menu, const char* item) {
        emit w.findChild<QMenu*>(QLatin1String(menu))->hovered(w.findChild<QAction*>(QLatin1String(item)));
    };
    hover("mnuHelp", "mnuContents");
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Display the help file."));
    hover("mnuHelp", "mnuCheckForUpdates"); // no hint: the previous one stays
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Display the help file."));
    hover("mnuFile", "mnuSave"); // drawn by the decoration: no text to look up
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Display the help file."));
    QStatusTipEvent emptyTip{QString()}; // what a menu bar sends as the pointer moves on
    QApplication::sendEvent(&w, &emptyTip);
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Display the help file."));
    hover("mnuTray", "mnuAboutTray");
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Display information about Keyvane."));
}

QTEST_MAIN(TestTrayAndMenus)
#include "tst_trayandmenus.moc"
