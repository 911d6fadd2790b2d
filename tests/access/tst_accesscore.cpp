#include "accesscontrol.h"
#include "cipher.h"
#include "failedattemptlog.h"
#include "settingsstore.h"
#include "testhome.h"

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
    void supply_data();
    void supply();
    void change_data();
    void change();
    void missingAnswerKeepsTheNewPassword();
    void settingsPasswordChange_data();
    void settingsPasswordChange();

    void logLineBytes_data();
    void logLineBytes();
    void logAppendsOwnerOnly();
    void clearThenFailOnceLeavesOneLine();
    void unwritableLogIsReportedNotFatal();

private:
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Read and write for the owner, nothing for group and others.
    static bool ownerOnly(const QString& path)
    {
        return (int(QFile::permissions(path)) & 0x7077) ==
               int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    static QString raw(const QString& key) { return SettingsStore().read(key, QStringLiteral("<missing>")); }

    std::unique_ptr<TestHome> m_home;
};

void TestAccessCore::comparisonsAreExact_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("no key, empty typed") << false << ""
                                         << "" << true;
    QTest::newRow("no key, something typed") << false << ""
                                             << "x" << false;
    QTest::newRow("empty stored") << true << ""
                                  << "" << true;
    QTest::newRow("same") << true << "Open Sesame"
                          << "Open Sesame" << true;
    QTest::newRow("one letter's case") << true << "Open Sesame"
                                       << "open Sesame" << false;
    QTest::newRow("trailing blank typed") << true << "Open Sesame"
                                          << "Open Sesame " << false;
    QTest::newRow("trailing blank stored") << true << "pw "
                                           << "pw" << false;
    QTest::newRow("leading blank kept") << true << " pw"
                                        << " pw" << true;
    QTest::newRow("empty typed") << true << "pw"
                                 << "" << false;
    QTest::newRow("beyond Latin-1") << true << "p€ß"
                                    << "p€ß" << true;
}

void TestAccessCore::comparisonsAreExact()
{
    QFETCH(bool, stored);
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    SettingsStore settings;
    if (stored) {
        settings.writeSecret(SettingKey::PW, password);
        settings.writeSecret(SettingKey::SettingsPW, password);
        settings.writeSecret(SettingKey::Answer, password);
    }
    QCOMPARE(MasterPassword::matches(settings, typed), matches);
    QCOMPARE(SettingsPassword::matches(settings, typed), matches);
    QCOMPARE(MasterPassword::answerMatches(settings, typed), matches);
}

void TestAccessCore::supply_data()
{
    QTest::addColumn<QStringList>("boxes"); // password, again, question, answer
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("stored"); // PW, Question, Answer in clear, "<old>" for the earlier value
    QTest::newRow("mismatch stores nothing")
        << QStringList{"abc", "abC", "Pet?", "Rex"} << int(Outcome::Mismatch)
        << QStringList{"<old>", "<old>", "<old>"};
    QTest::newRow("question and answer") << QStringList{"abc", "abc", "Pet?", "Rex"} << int(Outcome::Done)
                                         << QStringList{"abc", "Pet?", "Rex"};
    QTest::newRow("no question clears the old one")
        << QStringList{"abc", "abc", "", ""} << int(Outcome::Done) << QStringList{"abc", "", ""};
    QTest::newRow("answer without question")
        << QStringList{"abc", "abc", "", "Rex"} << int(Outcome::Done) << QStringList{"abc", "", "Rex"};
    QTest::newRow("question without answer keeps the password")
        << QStringList{"abc", "abc", "Pet?", ""} << int(Outcome::MissingAnswer)
        << QStringList{"abc", "<old>", "<old>"};
    QTest::newRow("empty password") << QStringList{"", "", "", ""} << int(Outcome::Done)
                                    << QStringList{"", "", ""};
}

void TestAccessCore::supply()
{
    QFETCH(QStringList, boxes);
    QFETCH(int, outcome);
    QFETCH(QStringList, stored);
    SettingsStore settings;
    settings.writeSecret(SettingKey::PW, QStringLiteral("<old>"));
    settings.writeSecret(SettingKey::Question, QStringLiteral("<old>"));
    settings.writeSecret(SettingKey::Answer, QStringLiteral("<old>"));
    QCOMPARE(int(MasterPassword::supply(settings, boxes[0], boxes[1], boxes[2], boxes[3])), outcome);
    QCOMPARE(settings.readSecret(SettingKey::PW), stored[0]);
    QCOMPARE(settings.readSecret(SettingKey::Question), stored[1]);
    QCOMPARE(settings.readSecret(SettingKey::Answer), stored[2]);
    // Stored enciphered, never in clear.
    if (!stored[0].isEmpty()) QCOMPARE(raw(SettingKey::PW), EncryptText(stored[0], kProgramKey));
}

void TestAccessCore::change_data()
{
    QTest::addColumn<QStringList>("boxes"); // old, new, again, question, answer
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("stored"); // PW, Question, Answer
    const QStringList before{"old", "Pet?", "Rex"};
    QTest::newRow("wrong old") << QStringList{"Old", "n", "n", "", ""} << int(Outcome::WrongOld) << before;
    QTest::newRow("old checked before the new pair")
        << QStringList{"", "n", "m", "", ""} << int(Outcome::WrongOld) << before;
    QTest::newRow("new pair differs")
        << QStringList{"old", "n", "m", "", ""} << int(Outcome::Mismatch) << before;
    QTest::newRow("empty reminder clears it")
        << QStringList{"old", "n", "n", "", ""} << int(Outcome::Done) << QStringList{"n", "", ""};
    QTest::newRow("new reminder") << QStringList{"old", "n", "n", "Town?", "Rome"} << int(Outcome::Done)
                                  << QStringList{"n", "Town?", "Rome"};
    QTest::newRow("question without answer")
        << QStringList{"old", "n", "n", "Town?", ""} << int(Outcome::MissingAnswer)
        << QStringList{"n", "Pet?", "Rex"};
}

void TestAccessCore::change()
{
    QFETCH(QStringList, boxes);
    QFETCH(int, outcome);
    QFETCH(QStringList, stored);
    SettingsStore settings;
    settings.writeSecret(SettingKey::PW, QStringLiteral("old"));
    settings.writeSecret(SettingKey::Question, QStringLiteral("Pet?"));
    settings.writeSecret(SettingKey::Answer, QStringLiteral("Rex"));
    QCOMPARE(int(MasterPassword::change(settings, boxes[0], boxes[1], boxes[2], boxes[3], boxes[4])),
             outcome);
    QCOMPARE(settings.readSecret(SettingKey::PW), stored[0]);
    QCOMPARE(settings.readSecret(SettingKey::Question), stored[1]);
    QCOMPARE(settings.readSecret(SettingKey::Answer), stored[2]);
}

void TestAccessCore::missingAnswerKeepsTheNewPassword()
{
    // After the missing-answer stop the old box is checked against the password just stored.
    SettingsStore settings;
    settings.writeSecret(SettingKey::PW, QStringLiteral("old"));
    QCOMPARE(MasterPassword::change(settings, "old", "new", "new", "Town?", ""), Outcome::MissingAnswer);
    QCOMPARE(MasterPassword::change(settings, "old", "new", "new", "Town?", "Rome"), Outcome::WrongOld);
    QCOMPARE(MasterPassword::change(settings, "new", "new", "new", "Town?", "Rome"), Outcome::Done);
    QCOMPARE(MasterPassword::question(settings), QStringLiteral("Town?"));
}

void TestAccessCore::settingsPasswordChange_data()
{
    QTest::addColumn<bool>("hadOne");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("stored");
    QTest::newRow("first, old is empty") << false << QStringList{"", "s", "s"} << int(Outcome::Done) << "s";
    QTest::newRow("first, old typed") << false << QStringList{"x", "s", "s"} << int(Outcome::WrongOld) << "";
    QTest::newRow("replace") << true << QStringList{"guard", "s", "s"} << int(Outcome::Done) << "s";
    QTest::newRow("old in other case")
        << true << QStringList{"Guard", "s", "s"} << int(Outcome::WrongOld) << "guard";
    QTest::newRow("mismatch") << true << QStringList{"guard", "s", "S"} << int(Outcome::Mismatch) << "guard";
}

void TestAccessCore::settingsPasswordChange()
{
    QFETCH(bool, hadOne);
    QFETCH(QStringList, boxes);
    QFETCH(int, outcome);
    QFETCH(QString, stored);
    SettingsStore settings;
    settings.writeSecret(SettingKey::PW, QStringLiteral("master"));
    if (hadOne) settings.writeSecret(SettingKey::SettingsPW, QStringLiteral("guard"));
    QCOMPARE(int(SettingsPassword::change(settings, boxes[0], boxes[1], boxes[2])), outcome);
    QCOMPARE(settings.readSecret(SettingKey::SettingsPW), stored);
    QCOMPARE(settings.readSecret(SettingKey::PW), QStringLiteral("master"));
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
    QTest::newRow("de_DE") << "de_DE" << afternoon << "guess"
                           << QByteArray("Attempt made on 05.03.24 13:02:03:  \tguess\r\n");
    QTest::newRow("midnight prints the date alone")
        << "en_GB" << QDateTime(QDate(2024, 3, 5), QTime(0, 0)) << "x"
        << QByteArray("Attempt made on 05/03/2024:  \tx\r\n");
    QTest::newRow("blanks kept, empty entry ends in the tab")
        << "de_DE" << afternoon << "" << QByteArray("Attempt made on 05.03.24 13:02:03:  \t\r\n");
    QTest::newRow("leading blanks") << "de_DE" << afternoon << "  pw "
                                    << QByteArray("Attempt made on 05.03.24 13:02:03:  \t  pw \r\n");
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

void TestAccessCore::logAppendsOwnerOnly()
{
    const QString path = m_home->file(QStringLiteral("pw_log.txt"));
    QCOMPARE(FailedAttemptLog::path(), path);
    const QDateTime before = QDateTime::currentDateTime();
    for (const char* typed : {"one", "two", "three"})
        QVERIFY(LogFailedAttempt(QLatin1String(typed)));
    const QDateTime after = QDateTime::currentDateTime();

    const QList<QByteArray> lines = readAll(path).split('\n');
    QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last line end
    QCOMPARE(lines.last(), QByteArray());
    const char* typed[] = {"one", "two", "three"};
    for (int i = 0; i < 3; ++i) {
        // The line as written at one of the seconds the calls took.
        bool found = false;
        for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after && !found; t = t.addSecs(1))
            found = lines[i] + '\n' == FailedAttemptLog::line(t, QLatin1String(typed[i]));
        QVERIFY2(found, lines[i].constData());
    }
    QVERIFY(ownerOnly(path));
}

void TestAccessCore::clearThenFailOnceLeavesOneLine()
{
    const QString path = FailedAttemptLog::path();
    QVERIFY(LogFailedAttempt(QStringLiteral("a")));
    QVERIFY(LogFailedAttempt(QStringLiteral("b")));
    QVERIFY(FailedAttemptLog::clear());
    QCOMPARE(readAll(path), QByteArray());
    QVERIFY(LogFailedAttempt(QStringLiteral("c")));
    QCOMPARE(readAll(path).count("\r\n"), 1);
    QVERIFY(readAll(path).endsWith(":  \tc\r\n"));

    // Clearing a missing log creates it empty and owner-only.
    QVERIFY(QFile::remove(path));
    QVERIFY(FailedAttemptLog::clear());
    QCOMPARE(readAll(path), QByteArray());
    QVERIFY(ownerOnly(path));
}

void TestAccessCore::unwritableLogIsReportedNotFatal()
{
    // A folder where the log should be: no file can be opened there, even by a superuser.
    QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("pw_log.txt")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed-attempt log could not be written"));
    QVERIFY(!LogFailedAttempt(QStringLiteral("secret guess")));
    QString error;
    QVERIFY(!FailedAttemptLog::clear(&error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestAccessCore)
#include "tst_accesscore.moc"
