#include "resources/icons.h"
#include "shell/csystray.h"
#include "shell/frmmain.h"
#include "shell/menuhints.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTest>

class TestTrayAndMenus : public QObject {
    Q_OBJECT
private slots:
    void trayPropertiesFollowTheirRules();
    void trayMessagesBecomeEvents_data();
    void trayMessagesBecomeEvents();
    void mainWindowAnswersTheTray();
    void hintLookup_data();
    void hintLookup();
    void hintsOnPlainItemsOnly();
    void decorationAndSeparators();
    void lightGreyBitmapDrawsNothing();
};

void TestTrayAndMenus::trayPropertiesFollowTheirRules()
{
    cSysTray tray;
    const QIcon icon = keyvaneIcon(QStringLiteral("tray"));
    tray.setTrayIcon(QVariant::fromValue(icon));
    QCOMPARE(tray.TrayIcon().cacheKey(), icon.cacheKey());
    tray.setTrayIcon(QVariant::fromValue(QPixmap(16, 16))); // a bitmap: ignored
    QCOMPARE(tray.TrayIcon().cacheKey(), icon.cacheKey());

    tray.setTrayTip(QString(70, QLatin1Char('k')));
    QCOMPARE(tray.TrayTip().size(), 70);
    QCOMPARE(tray.shownTip().size(), 63);

    tray.setInTray(false); // never added: only recorded
    QVERIFY(!tray.isAdded());
    tray.setInTray(true);
    tray.setInTray(true);
    QVERIFY(tray.isAdded());
    QCOMPARE(tray.findChildren<QSystemTrayIcon*>().size(), 1);
    QCOMPARE(tray.findChild<QSystemTrayIcon*>()->toolTip().size(), 63);
    tray.setTrayTip(QStringLiteral("Keyvane"));
    QCOMPARE(tray.findChild<QSystemTrayIcon*>()->toolTip(), QStringLiteral("Keyvane"));
    tray.setInTray(false);
    QVERIFY(!tray.isAdded());
    QCOMPARE(tray.findChildren<QSystemTrayIcon*>().size(), 0);
}

void TestTrayAndMenus::trayMessagesBecomeEvents_data()
{
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("event");
    QTest::newRow("511") << 511 << "";
    QTest::newRow("move") << 512 << "move 7";
    QTest::newRow("left down") << 513 << "down 1 7";
    QTest::newRow("left up") << 514 << "up 1 7";
    QTest::newRow("left double") << 515 << "double 1 7";
    QTest::newRow("right down") << 516 << "down 2 7";
    QTest::newRow("right up") << 517 << "up 2 7";
    QTest::newRow("right double") << 518 << "double 2 7";
    QTest::newRow("middle down") << 519 << "";
}

void TestTrayAndMenus::trayMessagesBecomeEvents()
{
    QFETCH(int, message);
    QFETCH(QString, event);
    cSysTray tray;
    QStringList events;
    connect(&tray, &cSysTray::MouseMove, this, [&](int id) { events << QStringLiteral("move %1").arg(id); });
    connect(&tray, &cSysTray::MouseDown, this,
            [&](int b, int id) { events << QStringLiteral("down %1 %2").arg(b).arg(id); });
    connect(&tray, &cSysTray::MouseUp, this,
            [&](int b, int id) { events << QStringLiteral("up %1 %2").arg(b).arg(id); });
    connect(&tray, &cSysTray::MouseDblClick, this,
            [&](int b, int id) { events << QStringLiteral("double %1 %2").arg(b).arg(id); });
    tray.DispatchTrayMessage(message, 7);
    QCOMPARE(events, event.isEmpty() ? QStringList() : QStringList{event});
}

void TestTrayAndMenus::mainWindowAnswersTheTray()
{
    TestHome home;
    FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    w.InstallTrayIcon();
    cSysTray* tray = w.trayControl();
    QVERIFY(tray->InTray());
    QCOMPARE(tray->TrayTip(), QStringLiteral("Keyvane"));
    QVERIFY(!tray->TrayIcon().isNull());

    w.hide();
    tray->DispatchTrayMessage(cSysTray::WM_LBUTTONDOWN, 0); // a single left click does nothing
    QVERIFY(!w.isVisible());
    tray->DispatchTrayMessage(cSysTray::WM_RBUTTONDOWN, 0); // the menu comes up while the window is hidden
    QTRY_VERIFY(w.mnuTray()->isVisible());
    w.mnuTray()->hide();
    tray->DispatchTrayMessage(cSysTray::WM_LBUTTONDBLCLK, 0);
    QVERIFY(w.isVisible());

    // Hidden, and then the tray goes away: the window comes back by itself.
    FakeDesktop& fake = static_cast<FakeDesktop&>(desktop());
    fake.tray = true;
    w.findChild<QAction*>(QStringLiteral("Hide"))->trigger();
    QVERIFY(!w.isVisible());
    w.checkTrayStillThere();
    QVERIFY(!w.isVisible());
    fake.tray = false;
    w.checkTrayStillThere();
    QVERIFY(w.isVisible());

    QVERIFY(w.close());
    QVERIFY(!tray->InTray()); // the icon goes at exit
}

void TestTrayAndMenus::hintLookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::newRow("page setup") << "Page Setup"
                                << "Configure the printer.";
    QTest::newRow("printer setup finds Prin") << "Printer Setup"
                                              << "Send the password database to the printer.";
    QTest::newRow("blanks trimmed") << "  Add New "
                                    << "Add a new entry to the database.";
    QTest::newRow("design caption") << ".Reports"
                                    << "View and save generated reports.";
    QTest::newRow("Reports has none") << "Reports"
                                      << "";
    QTest::newRow("check for updates") << "Check for Updates..."
                                       << "";
    QTest::newRow("short") << "Go"
                           << "";
}

void TestTrayAndMenus::hintLookup()
{
    QFETCH(QString, text);
    QTEST(menuHint(text), "hint");
}

void TestTrayAndMenus::hintsOnPlainItemsOnly()
{
    TestHome home;
    FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
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
    w.close();
}

void TestTrayAndMenus::decorationAndSeparators()
{
    TestHome home;
    FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    QVERIFY(w.IsSeparator(3) && w.IsSeparator(10) && w.IsSeparator(21));
    QVERIFY(!w.IsSeparator(2) && !w.IsSeparator(8) && !w.IsSeparator(22) && !w.IsSeparator(40));
    for (const char* withIcon : {"mnuSave", "mnuPrint", "mnuAdd", "mnuGo", "mnuReports", "mnuScreenSaver"})
        QVERIFY2(!w.findChild<QAction*>(QLatin1String(withIcon))->icon().isNull(), withIcon);
    for (const char* plain : {"mnuPageSetup", "mnuExit", "mnuContents", "mnuRestore"})
        QVERIFY2(w.findChild<QAction*>(QLatin1String(plain))->icon().isNull(), plain);
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("mnuPrint"))->text(), QStringLiteral("Print"));
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("mnuCheckForUpdates"))->text(),
             QStringLiteral("Check for Updates..."));
    w.close();
}

void TestTrayAndMenus::lightGreyBitmapDrawsNothing()
{
    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(QColor(192, 192, 192));
    grey.setPixel(3, 4, qRgb(10, 20, 30));
    const QImage painted = withTransparentColour(grey);
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter(&canvas).drawImage(0, 0, painted);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            QCOMPARE(canvas.pixel(x, y), (x == 3 && y == 4) ? qRgb(10, 20, 30) : qRgb(255, 255, 255));
}

QTEST_MAIN(TestTrayAndMenus)
#include "tst_trayandmenus.moc"
