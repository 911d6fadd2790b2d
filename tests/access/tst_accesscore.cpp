#include "access/accesscontrol.h"
#include "access/failedattemptlog.h"
#include "settings/settingsstore.h"
#include "store/cipher.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "store/sealedfile.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using MasterPassword::Outcome;

class TestAccessCore : public QObject {
    Q_OBJECT
private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void comparisonsAreExact_data();
    void comparisonsAreExact();
    void supplyAndChange_data();
    void supplyAndChange();
    void logLineBytes_data();
    void logLineBytes();
    void logAppendsClearsOwnerOnly();
    void logNotWritten_data();
    void logNotWritten();
    void sealChangeUnseal();

private:
    std::unique_ptr<TestHome> m_home;
};

void TestAccessCore::comparisonsAreExact_data()
{
    QTest::addColumn<QString>("password"); // null: no key stored
    QTest::addColumn<bool>("matches");
    QTest::addColumn<QString>("typed");
    QTest::newRow("no key: the empty password") << QString() << true << "";
    QTest::newRow("no key, something typed") << QString() << false << "x";
    QTest::newRow("same") << "Open Sesame" << true << "Open Sesame";
    QTest::newRow("one letter's case") << "Open Sesame" << false << "open Sesame";
    QTest::newRow("trailing blank") << "Open Sesame" << false << "Open Sesame ";
    QTest::newRow("leading blank kept") << " pw" << true << " pw";
    QTest::newRow("beyond Latin-1") << "p€ß" << true << "p€ß";
}

void TestAccessCore::comparisonsAreExact()
{
    QFETCH(QString, password);
    QFETCH(bool, matches);
    QFETCH(QString, typed);
    SettingsStore settings;
    if (!password.isNull())
        for (const Setting* key : {&SettingKey::PW, &SettingKey::SettingsPW, &SettingKey::Answer})
            QVERIFY(settings.writeSecret(*key, password));
    QCOMPARE(MasterPassword::matches(settings, typed), matches);
    QCOMPARE(SettingsPassword::matches(settings, typed), matches);
    QCOMPARE(MasterPassword::answerMatches(settings, typed), matches);
}

void TestAccessCore::supplyAndChange_data()
{
    // Before each row: "PW" old, "Question" Pet?, "Answer" Rex. Supply has no old-password box.
    QTest::addColumn<bool>("change");
    QTest::addColumn<QStringList>("boxes"); // old, new, again, question, answer
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("stored"); // PW, Question, Answer
    const QStringList before{"old", "Pet?", "Rex"};
    QTest::newRow("supply: mismatch")
        << false << QStringList{"", "abc", "abC", "", ""} << int(Outcome::Mismatch) << before;
    QTest::newRow("supply: empty reminder clears it")
        << false << QStringList{"", "abc", "abc", "", ""} << int(Outcome::Done) << QStringList{"abc", "", ""};
    QTest::newRow("supply: question without answer keeps the password")
        << false << QStringList{"", "abc", "abc", "Town?", ""} << int(Outcome::MissingAnswer)
        << QStringList{"abc", "Pet?", "Rex"};
    QTest::newRow("change: wrong old")
        << true << QStringList{"Old", "n", "n", "", ""} << int(Outcome::WrongOld) << before;
    QTest::newRow("change: old checked first")
        << true << QStringList{"", "n", "m", "", ""} << int(Outcome::WrongOld) << before;
    QTest::newRow("change: mismatch")
        << true << QStringList{"old", "n", "m", "", ""} << int(Outcome::Mismatch) << before;
    QTest::newRow("change: new reminder") << true << QStringList{"old", "n", "n", "Town?", "Rome"}
                                          << int(Outcome::Done) << QStringList{"n", "Town?", "Rome"};
    // Kept as "??????", the password would no longer match what is typed at the next start.
    QTest::newRow("supply: password the settings cannot keep")
        << false << QStringList{"", "пароль", "пароль", "", ""} << int(Outcome::Unkept) << before;
    QTest::newRow("change: answer the settings cannot keep")
        << true << QStringList{"old", "n", "n", "Town?", "Łódź"} << int(Outcome::Unkept) << before;
}

void TestAccessCore::supplyAndChange()
{
    QFETCH(bool, change);
    QFETCH(QStringList, boxes);
    QFETCH(int, outcome);
    QFETCH(QStringList, stored);
    SettingsStore settings;
    QVERIFY(settings.writeSecret(SettingKey::PW, QStringLiteral("old")));
    QVERIFY(settings.writeSecret(SettingKey::Question, QStringLiteral("Pet?")));
    QVERIFY(settings.writeSecret(SettingKey::Answer, QStringLiteral("Rex")));
    const Outcome result =
        change ? MasterPassword::change(settings, boxes[0], boxes[1], boxes[2], boxes[3], boxes[4])
               : MasterPassword::supply(settings, boxes[1], boxes[2], boxes[3], boxes[4]);
    QCOMPARE(int(result), outcome);
    QCOMPARE(settings.readSecret(SettingKey::PW), stored[0]);
    QCOMPARE(settings.readSecret(SettingKey::Question), stored[1]);
    QCOMPARE(settings.readSecret(SettingKey::Answer), stored[2]);
    // Stored enciphered, never in clear.
    QCOMPARE(settings.read(SettingKey::PW), EncryptText(stored[0], kProgramKey));
}

void TestAccessCore::logLineBytes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    const QDateTime afternoon(QDate(2024, 3, 5), QTime(13, 2, 3));
    QTest::newRow("en_US") << "en_US" << afternoon << "guess"
                           << QByteArray("Attempt made on 3/5/24 1:02:03 PM:  \tguess\r\n");
    QTest::newRow("de_DE, blanks kept")
        << "de_DE" << afternoon << "  pw " << QByteArray("Attempt made on 05.03.24 13:02:03:  \t  pw \r\n");
    QTest::newRow("midnight prints the date alone")
        << "en_GB" << QDateTime(QDate(2024, 3, 5), QTime(0, 0)) << "x"
        << QByteArray("Attempt made on 05/03/2024:  \tx\r\n");
    QTest::newRow("Windows-1252") << "de_DE" << afternoon << QString::fromUtf8("é€Ω")
                                  << QByteArray("Attempt made on 05.03.24 13:02:03:  \t\xE9\x80?\r\n");
}

void TestAccessCore::logLineBytes()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, when);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QCOMPARE(FailedAttemptLog::line(when, typed, QLocale(locale)), bytes);
}

void TestAccessCore::logAppendsClearsOwnerOnly()
{
    const QString path = m_home->file(QStringLiteral("pw_log.txt"));
    QCOMPARE(FailedAttemptLog::path(), path);
    // Clearing a missing log creates it empty and owner-only.
    QVERIFY(FailedAttemptLog::clear());
    QCOMPARE(readFile(path), QByteArray());
    QVERIFY(ownerOnly(path));
    QVERIFY(QFile::remove(path));

    // Each line as written at one of the seconds the calls took, in the system's format.
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(LogFailedAttempt(QStringLiteral("one")) && LogFailedAttempt(QStringLiteral("two")));
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(ownerOnly(path));
    bool found = false;
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after && !found; t = t.addSecs(1))
        for (QDateTime u = t; u <= after && !found; u = u.addSecs(1))
            found = readFile(path) == FailedAttemptLog::line(t, "one") + FailedAttemptLog::line(u, "two");
    QVERIFY2(found, readFile(path).constData());

    QVERIFY(FailedAttemptLog::clear());
    QCOMPARE(readFile(path), QByteArray());
    QVERIFY(LogFailedAttempt(QStringLiteral("c")));
    QCOMPARE(readFile(path).count("\r\n"), 1);
}

void TestAccessCore::logNotWritten_data()
{
    QTest::addColumn<bool>("link"); // else a folder, where no file can be opened, even by a superuser
    QTest::newRow("a folder in its place") << false;
    // Planted by another user of a shared data folder, to collect the typed passwords: not followed.
    QTest::newRow("a link in its place") << true;
}

void TestAccessCore::logNotWritten()
{
    QFETCH(bool, link);
    const QString elsewhere = m_home->file(QStringLiteral("elsewhere.txt"));
    if (link)
        QVERIFY(QFile::link(elsewhere, FailedAttemptLog::path()));
    else
        QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("pw_log.txt")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed-attempt log could not be written"));
    QVERIFY(!LogFailedAttempt(QStringLiteral("secret guess")));
    QString error;
    QVERIFY(!FailedAttemptLog::clear(&error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(elsewhere));
}

// Sealing takes "PW" out of the settings; a change re-seals under a new salt and nonce; unsealing gives back
// the plain file byte for byte and the password to the settings.
void TestAccessCore::sealChangeUnseal()
{
    const QString path = m_home->file(QStringLiteral("anna.adr"));
    EntryStore store;
    store.addEntry({QStringLiteral("Bank"), QStringLiteral("anna"), QStringLiteral("1234"), {}, {}, true}, 3);
    DatabaseFile db(path);
    QString error;
    QVERIFY(db.save(store, &error));
    const QByteArray plain = readFile(path);
    SettingsStore settings;
    QVERIFY(settings.writeSecret(SettingKey::PW, QStringLiteral("old")));
    QVERIFY(settings.writeSecret(SettingKey::Question, QStringLiteral("Pet?")));

    QVERIFY2(Sealing::seal(db, settings, QStringLiteral("old"), &error), qPrintable(error));
    const QByteArray sealed = readFile(path);
    QVERIFY(SealedFile::isSealed(sealed));
    QVERIFY(!settings.contains(SettingKey::PW));

    QCOMPARE(MasterPassword::change(settings, QStringLiteral("Old"), QStringLiteral("new"),
                                    QStringLiteral("new"), {}, {}, &error, &db),
             Outcome::WrongOld);
    QCOMPARE(readFile(path), sealed);
    QCOMPARE(MasterPassword::change(settings, QStringLiteral("old"), QStringLiteral("new"),
                                    QStringLiteral("new"), {}, {}, &error, &db),
             Outcome::Done);
    const QByteArray resealed = readFile(path);
    using namespace SealedLayout;
    QVERIFY(resealed.mid(kSaltOffset, kSaltSize) != sealed.mid(kSaltOffset, kSaltSize));
    QVERIFY(resealed.mid(kNonceOffset, kNonceSize) != sealed.mid(kNonceOffset, kNonceSize));
    QVERIFY(!settings.contains(SettingKey::PW));
    QVERIFY(settings.readSecret(SettingKey::Question).isEmpty());
    QString old = QStringLiteral("old");
    QVERIFY(!SealedFile::unlock(resealed, old, nullptr, &error));

    QVERIFY2(Sealing::unseal(db, settings, QStringLiteral("new"), &error), qPrintable(error));
    QCOMPARE(readFile(path), plain);
    QCOMPARE(settings.readSecret(SettingKey::PW), QStringLiteral("new"));
}

QTEST_GUILESS_MAIN(TestAccessCore)
#include "tst_accesscore.moc"
