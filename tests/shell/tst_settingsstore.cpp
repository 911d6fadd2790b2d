#include "apppaths.h"
#include "cipher.h"
#include "settingsstore.h"
#include "testhome.h"

#include <QFile>
#include <QTest>

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void freshStoreReadsEachDefault();
    void flagsAndTruthValues_data();
    void flagsAndTruthValues();
    void writesExactTexts();
    void passwordsAreEnciphered();
    void filesLiveInKeyvaneHome();
    void databasePathFromUserName();
};

void TestSettingsStore::freshStoreReadsEachDefault()
{
    TestHome home;
    SettingsStore s;
    QVERIFY(!s.flag(SettingKey::RequirePW, 0));
    QVERIFY(s.flag(SettingKey::DiffDB, 1));
    QVERIFY(s.flag(SettingKey::AutoSave, 1));
    QVERIFY(!s.flag(SettingKey::AutoToTray, 0));
    QVERIFY(s.flag(SettingKey::Gridlines, 1));
    QVERIFY(s.truth(SettingKey::Hidden, true));
    QVERIFY(s.truth(SettingKey::WindowsTelnet0, true) && s.truth(SettingKey::WindowsTelnet1, true));
    // One key, two readers, two defaults: absent reads as each reader's own.
    QVERIFY(!s.flag(SettingKey::RequireSettingsPW, 0));
    QCOMPARE(s.flagValue(SettingKey::RequireSettingsPW, 1), 1);
    QCOMPARE(s.readSecret(SettingKey::PW), QString());
    QVERIFY(!s.contains(SettingKey::PW));
}

void TestSettingsStore::flagsAndTruthValues_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("flagDefault1");
    QTest::addColumn<bool>("flagDefault0");
    QTest::addColumn<bool>("truthDefaultTrue");
    QTest::addColumn<bool>("truthDefaultFalse");
    QTest::newRow("1") << "1" << true << true << true << true;
    QTest::newRow("0") << "0" << false << false << false << false;
    QTest::newRow("True") << "True" << true << false << true << true;
    QTest::newRow("false lower case") << "false" << true << false << false << false;
    QTest::newRow("2") << "2" << false << false << true << true;
    QTest::newRow("hand-edited junk") << "yes please" << true << false << true << false;
    QTest::newRow("empty") << "" << true << false << true << false;
}

void TestSettingsStore::flagsAndTruthValues()
{
    QFETCH(QString, stored);
    TestHome home;
    SettingsStore s;
    s.write(QStringLiteral("Key"), stored);
    QTEST(s.flag(QStringLiteral("Key"), 1), "flagDefault1");
    QTEST(s.flag(QStringLiteral("Key"), 0), "flagDefault0");
    QTEST(s.truth(QStringLiteral("Key"), true), "truthDefaultTrue");
    QTEST(s.truth(QStringLiteral("Key"), false), "truthDefaultFalse");
}

void TestSettingsStore::writesExactTexts()
{
    TestHome home;
    {
        SettingsStore s;
        s.writeTruth(SettingKey::Hidden, false);
        s.writeTruth(SettingKey::WindowsTelnet0, true);
        s.writeFlag(SettingKey::AutoSave, false);
    }
    QFile ini(home.file(QStringLiteral("keyvane.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY(text.startsWith("[Settings]"));
    QVERIFY(text.contains("Hidden=False"));
    QVERIFY(text.contains("WindowsTelnet0=True"));
    QVERIFY(text.contains("AutoSave=0"));
}

void TestSettingsStore::passwordsAreEnciphered()
{
    TestHome home;
    SettingsStore s;
    s.writeSecret(SettingKey::PW, QStringLiteral("Open sesame"));
    QCOMPARE(s.read(SettingKey::PW), EncryptText(QStringLiteral("Open sesame"), kProgramKey));
    QCOMPARE(s.readSecret(SettingKey::PW), QStringLiteral("Open sesame"));
    QFile ini(s.filePath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(!ini.readAll().contains("sesame"));
    QCOMPARE(ini.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
}

void TestSettingsStore::filesLiveInKeyvaneHome()
{
    TestHome home;
    QCOMPARE(AppPaths::dataFolder(), home.path());
    QCOMPARE(AppPaths::settingsFile(), home.file(QStringLiteral("keyvane.ini")));
    QCOMPARE(AppPaths::dataFile(QStringLiteral("servers.txt")), home.file(QStringLiteral("servers.txt")));
}

void TestSettingsStore::databasePathFromUserName()
{
    TestHome home;
    QCOMPARE(AppPaths::databasePath(true, QStringLiteral("anna")), home.file(QStringLiteral("anna.adr")));
    QCOMPARE(AppPaths::databasePath(true, QString()), home.file(QStringLiteral("default.adr")));
    QCOMPARE(AppPaths::databasePath(false, QStringLiteral("anna")), home.file(QStringLiteral("default.adr")));
    QCOMPARE(AppPaths::TrimAtNul(QStringLiteral("anna") + QChar(0) + QStringLiteral("junk")),
             QStringLiteral("anna"));
    QVERIFY(!AppPaths::loginName().isEmpty());
}

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
