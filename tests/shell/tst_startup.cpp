#include "access/frmpassword.h"
#include "access/frmsettingspw.h"
#include "settings/settingsstore.h"
#include "shell/csystray.h"
#include "shell/frmmain.h"
#include "shell/startup.h"
#include "store/databasefile.h"
#include "system/frmsettings.h"
#include "tests/shell/shellfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

namespace {

QStringList databaseFiles(const TestHome& home)
{
    return QDir(home.path()).entryList({QStringLiteral("*.adr")}, QDir::Files);
}

void closeAll()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<frmMain*>(w)) main->store().setDatabaseChanged(false);
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    QApplication::processEvents();
}

// Looks at the program while a message of the load is open, as a user's slow click would find it.
class WatchingDesktop : public FakeDesktop {
public:
    bool splashTimerRan = false;
    int entriesShown = -1;
    void message(QWidget* parent, const QString& text, Icon icon) override
    {
        if (auto* splash = topLevel<frmSplash>(); splash && splash->Timer1()->isActive())
            splashTimerRan = true;
        if (auto* main = qobject_cast<frmMain*>(parent)) entriesShown = main->store().totalCount();
        FakeDesktop::message(parent, text, icon);
    }
};

} // namespace

class TestStartup : public ShellFixture {
    Q_OBJECT
private slots:
    void init() { setUp(false); }
    void cleanup()
    {
        closeAll();
        tearDown();
    }
    void withoutPasswordTheSplashLoadsTheMainWindow();
    void passwordWindowComesFirstAndCancelTouchesNothing();
    void rightPasswordOpensTheStore();
    void loadMessagesWaitForTheUser();
    void settingsCommandsOpenTheDialog();
    void dataFolderOthersMayWriteIsSaid_data();
    void dataFolderOthersMayWriteIsSaid();
};

void TestStartup::withoutPasswordTheSplashLoadsTheMainWindow()
{
    QVERIFY(StartKeyvane());
    auto* splash = topLevel<frmSplash>();
    QVERIFY(splash);
    frmMain* main = splash->mainWindow();
    QVERIFY(main->isVisible());
    QVERIFY(!main->isEnabled()); // until the splash has gone
    QCOMPARE(databaseFiles(*home), QStringList{"anna.adr"});
    QPointer<frmSplash> watched(splash);
    QTRY_VERIFY_WITH_TIMEOUT(watched.isNull() || !watched->isVisible(), 5000);
    QVERIFY(main->isEnabled());
    QVERIFY(main->findChild<cSysTray*>(QStringLiteral("cSysTray1"))->InTray());
}

void TestStartup::passwordWindowComesFirstAndCancelTouchesNothing()
{
    QVERIFY(SettingsStore().write(SettingKey::RequirePW, QStringLiteral("1")));
    QVERIFY(SettingsStore().writeSecret(SettingKey::PW, QStringLiteral("Sesame")));
    QVERIFY(StartKeyvane());
    auto* password = topLevel<frmPassword>();
    QVERIFY(password);
    QVERIFY(!topLevel<frmMain>() && !topLevel<frmSplash>());
    QVERIFY(databaseFiles(*home).isEmpty());
    QTest::keyClick(password, Qt::Key_Escape);
    QApplication::processEvents();
    QVERIFY(!topLevel<frmMain>());
    QVERIFY(databaseFiles(*home).isEmpty());
}

void TestStartup::rightPasswordOpensTheStore()
{
    QVERIFY(SettingsStore().write(SettingKey::RequirePW, QStringLiteral("1")));
    QVERIFY(SettingsStore().writeSecret(SettingKey::PW, QStringLiteral("Sesame")));
    QVERIFY(StartKeyvane());
    auto* password = topLevel<frmPassword>();
    QVERIFY(password);
    QTest::keyClicks(password->findChild<QLineEdit*>(QStringLiteral("txtPassword")),
                     QStringLiteral("Sesame"));
    password->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    QTRY_VERIFY(topLevel<frmMain>());
    QCOMPARE(databaseFiles(*home), QStringList{"anna.adr"});
}

void TestStartup::loadMessagesWaitForTheUser()
{
    auto watching = std::make_unique<WatchingDesktop>();
    WatchingDesktop& desktopSeen = *watching;
    installDesktopServices(std::move(watching));
    QVERIFY(
        writeFile(home->file(QStringLiteral("anna.adr")),
                  encodeRecord(Entry{QStringLiteral("kept"), {}, {}, {}, {}, true}, 0) + QByteArray(9, 'x')));
    QVERIFY(StartKeyvane());
    QCOMPARE(desktopSeen.messages.size(), 1);
    // The splash's time had not begun, and the list already held what was loaded.
    QVERIFY(!desktopSeen.splashTimerRan);
    QCOMPARE(desktopSeen.entriesShown, 1);
    QVERIFY(topLevel<frmSplash>()->Timer1()->isActive());
    desktopSeen.yesNoAnswers << false; // at exit: do not overwrite the damaged file
}

void TestStartup::settingsCommandsOpenTheDialog()
{
    load();
    action("Security Configuration")->trigger();
    auto* settings = window->findChild<frmSettings*>();
    QVERIFY(settings && settings->isVisible());
    // Grid lines off, applied to the lists at once on Ok.
    settings->findChild<QCheckBox*>(QStringLiteral("chkGridlines"))->setChecked(false);
    settings->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    for (int c = 0; c < kCategoryCount; ++c)
        QVERIFY(!list(c)->showGrid());

    // With a settings password required, its window comes first.
    QVERIFY(SettingsStore().write(SettingKey::RequireSettingsPW, QStringLiteral("1")));
    action("mnuSettings")->trigger();
    QVERIFY(window->findChild<frmSettingsPW*>());
}

void TestStartup::dataFolderOthersMayWriteIsSaid_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("warnings");
    QTest::newRow("owner only") << 0700 << 0;
    QTest::newRow("group may write") << 0770 << 1;
}

void TestStartup::dataFolderOthersMayWriteIsSaid()
{
    QFETCH(int, mode);
    QFETCH(int, warnings);
    QVERIFY(::chmod(QFile::encodeName(home->path()).constData(), mode_t(mode)) == 0);
    QVERIFY(StartKeyvane());
    QCOMPARE(fake->messages.filter(QStringLiteral("Other users may write in the data folder")).size(),
             warnings);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
