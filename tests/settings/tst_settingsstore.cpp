#include "settings/apppaths.h"
#include "settings/settingsstore.h"
#include "store/cipher.h"
#include "tests/support/testhome.h"

#include <QTest>
#include <memory>

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }
    void freshStoreReadsEachDefault();
    void flagsAndTruthValues_data();
    void flagsAndTruthValues();
    void writesExactTexts();
    void failedWriteIsReported();
    void passwordsAreEnciphered();
    void databasePathFromUserName();

private:
    std::unique_ptr<TestHome> m_home;
};

void TestSettingsStore::freshStoreReadsEachDefault()
{
    SettingsStore s;
    // One key, two readers, two defaults: absent reads as each reader's own.
    QVERIFY(!s.flag(SettingKey::RequireSettingsPW));
    QVERIFY(s.flagInDialog(SettingKey::RequireSettingsPW));
    QCOMPARE(s.readSecret(SettingKey::PW), QString());
}

void TestSettingsStore::flagsAndTruthValues_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<bool>("truthDefaultTrue");
    QTest::addColumn<bool>("truthDefaultFalse");
    QTest::newRow("1") << "1" << true << true << true;
    QTest::newRow("0") << "0" << false << false << false;
    QTest::newRow("blank and 1.0") << " 1.0" << true << true << true;
    QTest::newRow("True") << "True" << false << true << true;
    QTest::newRow("false lower case") << "false" << false << false << false;
    QTest::newRow("1.5 is not 1") << "1.5" << false << true << true;
    QTest::newRow("nan") << "nan" << false << true << false;
    QTest::newRow("hand-edited junk") << "yes please" << false << true << false;
}

void TestSettingsStore::flagsAndTruthValues()
{
    QFETCH(QString, stored);
    SettingsStore s;
    QVERIFY(s.write(SettingKey::RequirePW, stored) && s.write(SettingKey::Hidden, stored) &&
            s.write(SettingKey::TopMost, stored));
    QTEST(s.flag(SettingKey::RequirePW), "flag");
    QTEST(s.truth(SettingKey::Hidden), "truthDefaultTrue");
    QTEST(s.truth(SettingKey::TopMost), "truthDefaultFalse");
}

void TestSettingsStore::writesExactTexts()
{
    SettingsStore s; // each write reaches the file at once
    QVERIFY(s.writeTruth(SettingKey::Hidden, false));
    QVERIFY(s.writeTruth(SettingKey::WindowsTelnet0, true));
    QVERIFY(s.write(SettingKey::AutoSave, QStringLiteral("0")));
    const QByteArray text = readFile(m_home->file(QStringLiteral("keyvane.ini")));
    QVERIFY(text.startsWith("[Settings]"));
    QVERIFY(text.contains("Hidden=False"));
    QVERIFY(text.contains("WindowsTelnet0=True"));
    QVERIFY(text.contains("AutoSave=0"));
}

void TestSettingsStore::failedWriteIsReported()
{
    QVERIFY(writeFile(m_home->file(QStringLiteral("not-a-folder")), {}));
    SettingsStore s(m_home->file(QStringLiteral("not-a-folder/keyvane.ini")));
    QVERIFY(!s.writeSecret(SettingKey::PW, QStringLiteral("secret")));
    QVERIFY(s.lastError().contains(QStringLiteral("could not be written")));
}

void TestSettingsStore::passwordsAreEnciphered()
{
    // Left readable by others (by hand or by another program): made owner-only before a secret goes in.
    QVERIFY(writeFile(AppPaths::settingsFile(), QByteArray()));
    QVERIFY(QFile::setPermissions(AppPaths::settingsFile(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    SettingsStore s;
    QVERIFY(ownerOnly(s.filePath()));
    QVERIFY(s.writeSecret(SettingKey::PW, QStringLiteral("Open sesame")));
    QCOMPARE(s.read(SettingKey::PW), EncryptText(QStringLiteral("Open sesame"), kProgramKey));
    QCOMPARE(s.readSecret(SettingKey::PW), QStringLiteral("Open sesame"));
    QVERIFY(!readFile(s.filePath()).contains("sesame"));
    QVERIFY(ownerOnly(s.filePath()));
}

void TestSettingsStore::databasePathFromUserName()
{
    QCOMPARE(AppPaths::databasePath(true, QStringLiteral("anna")), m_home->file(QStringLiteral("anna.adr")));
    QCOMPARE(AppPaths::databasePath(true, QString()), m_home->file(QStringLiteral("default.adr")));
    QCOMPARE(AppPaths::databasePath(false, QStringLiteral("anna")),
             m_home->file(QStringLiteral("default.adr")));
    QCOMPARE(AppPaths::TrimAtNul(QStringLiteral("anna") + QChar(0) + QStringLiteral("junk")),
             QStringLiteral("anna"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
