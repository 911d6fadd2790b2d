#include "access/failedattemptlog.h"
#include "access/frmpassword.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"
#include "shell/locktriggers.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/quickseal.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

class TestLock : public ShellFixture {
    Q_OBJECT
private slots:
    void init();
    void screenLockLocks_data();
    void screenLockLocks();
    void idleTimeLocks();
    void unlockWrongThenRight();
    void lockedTrayAsksFirst();
    void sealedLockDropsEntries_data();
    void sealedLockDropsEntries();

private:
    void sleep()
    {
        QMetaObject::invokeMethod(window->findChild<LockTriggers*>(), "prepareForSleep", Q_ARG(bool, true));
    }
    // The Password Verification window, answered with the right password unless told otherwise.
    void answerPassword(const QString& typed = QStringLiteral("open sesame"))
    {
        auto* password = window->findChild<frmPassword*>();
        QVERIFY(password && password->isVisible());
        password->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(typed);
        password->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    }
    bool locked() { return window->findChild<QStackedWidget*>(QStringLiteral("pages"))->currentIndex() == 1; }
};

void TestLock::init()
{
    setUp(false);
    SettingsStore settings;
    QVERIFY(settings.write(SettingKey::RequirePW, QStringLiteral("1")));
    QVERIFY(settings.writeSecret(SettingKey::PW, QStringLiteral("open sesame")));
}

void TestLock::screenLockLocks_data()
{
    QTest::addColumn<bool>("requirePW");
    QTest::addColumn<bool>("lockOnScreenLock");
    QTest::addColumn<bool>("locks");
    QTest::newRow("password and the option on") << true << true << true;
    QTest::newRow("option off") << true << false << false;
    QTest::newRow("no master password") << false << true << false;
}

void TestLock::screenLockLocks()
{
    QFETCH(bool, requirePW);
    QFETCH(bool, lockOnScreenLock);
    QFETCH(bool, locks);
    SettingsStore settings;
    QVERIFY(settings.write(SettingKey::RequirePW, QLatin1String(requirePW ? "1" : "0")));
    QVERIFY(settings.write(SettingKey::LockOnScreenLock, QLatin1String(lockOnScreenLock ? "1" : "0")));
    load();
    auto* triggers = window->findChild<LockTriggers*>();
    QMetaObject::invokeMethod(triggers, "screenSaverActiveChanged", Q_ARG(bool, false));
    QVERIFY(!locked());
    QMetaObject::invokeMethod(triggers, "screenSaverActiveChanged", Q_ARG(bool, true));
    QCOMPARE(locked(), locks);
    QCOMPARE(window->findChild<QAction*>(QStringLiteral("find"))->isEnabled(), !locks);
}

void TestLock::idleTimeLocks()
{
    QVERIFY(SettingsStore().write(SettingKey::LockMinutes, QStringLiteral("2")));
    load();
    auto* idle = window->findChild<QTimer*>(QStringLiteral("idleTimer"));
    QVERIFY(idle->isActive());
    QCOMPARE(idle->interval(), 120000);
    idle->start(50); // two minutes pass
    QTRY_VERIFY(locked());
}

void TestLock::unlockWrongThenRight()
{
    load();
    add(0, QStringLiteral("Kept"));
    sleep();
    QVERIFY(locked());

    window->findChild<QPushButton*>(QStringLiteral("cmdUnlock"))->click();
    answerPassword(QStringLiteral("open sesam"));
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY(locked());
    QVERIFY(readFile(FailedAttemptLog::path()).endsWith("\topen sesam\r\n"));

    answerPassword();
    QVERIFY(!locked());
    // Nothing was saved or dropped while locked.
    QVERIFY(window->store().databaseChanged());
    QCOMPARE(window->store().list(0).count(), 1);
}

void TestLock::lockedTrayAsksFirst()
{
    load();
    action("mnuAboutTray")->trigger();
    QWidget* about = window->findChild<QWidget*>(QStringLiteral("frmAbout"));
    QVERIFY(about && about->isVisible());
    sleep();
    QVERIFY(!about->isVisible()); // nothing stays usable over the locked window

    action("mnuSettingsTray")->trigger();
    auto* settings = window->findChild<QWidget*>(QStringLiteral("frmSettings"));
    QVERIFY(!settings || !settings->isVisible());
    answerPassword();
    QVERIFY(!locked());
    settings = window->findChild<QWidget*>(QStringLiteral("frmSettings"));
    QVERIFY(settings && settings->isVisible());
}

void TestLock::sealedLockDropsEntries_data()
{
    QTest::addColumn<bool>("saveFails");
    QTest::newRow("saved, dropped, read again") << false;
    QTest::newRow("save fails: not locked") << true;
}

void TestLock::sealedLockDropsEntries()
{
    QFETCH(bool, saveFails);
    QVERIFY(SettingsStore().remove(SettingKey::PW)); // sealed, the file checks the password
    const QString path = frmMain::resolveDatabasePath();
    QVERIFY(sealQuickly(path, QStringLiteral("open sesame")));
    window = std::make_unique<frmMain>();
    QString password = QStringLiteral("open sesame");
    QVERIFY(window->Load(SealKey::derive(password, *SealedFile::readParams(readFile(path), nullptr))));
    add(0, QStringLiteral("Kept"), QStringLiteral("s3cret"));
    if (saveFails) QVERIFY(QFile::remove(path) && QDir().mkdir(path)); // the save cannot replace it

    sleep();
    QCOMPARE(locked(), !saveFails);
    QCOMPARE(window->store().totalCount(), saveFails ? 1 : 0);
    if (saveFails) {
        QVERIFY(fake->messages.last().contains(QStringLiteral("did not lock")));
        return;
    }
    QVERIFY(SealedFile::isSealed(readFile(path)));
    QVERIFY(!readFile(path).contains("s3cret"));
    window->findChild<QPushButton*>(QStringLiteral("cmdUnlock"))->click();
    answerPassword();
    QVERIFY(!locked());
    QCOMPARE(window->store().list(0).entry(0).pass(), QStringLiteral("s3cret"));
    QVERIFY(!window->store().databaseChanged());
}

QTEST_MAIN(TestLock)
#include "tst_lock.moc"
