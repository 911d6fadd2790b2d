#include "generator/randompassword.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <memory>

namespace {

// Hands out a script of uniform values (then 0) and counts the draws.
struct Script {
    QList<double> values;
    int draws = 0;
    double next()
    {
        ++draws;
        return values.isEmpty() ? 0.0 : values.takeFirst();
    }
};

// The middle of slot n (1-based) of `count` equal slots of [0, 1).
double slot(int n, int count)
{
    return (n - 0.5) / count;
}

// `count` passwords of 100 characters from the secure source.
QStringList drawn(int type, int letterCase, int count)
{
    RandomPassword engine;
    engine.setPasswordType(type);
    engine.setLetterCase(letterCase);
    engine.setLength(100);
    QStringList passwords;
    for (int i = 0; i < count; ++i) {
        engine.Generate();
        passwords << engine.Password();
    }
    return passwords;
}

} // namespace

class TestRandomPassword : public QObject {
    Q_OBJECT

private slots:
    void draws_data();
    void draws();
    void everySettingWriteRegenerates();
    void characterSets_data();
    void characterSets();
    void frequencies();
};

void TestRandomPassword::draws_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("letterCase");
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits: floor(10r)") << 1 << 3 << 4 << QList<double>{0.0, 0.05, 0.99, 0.5} << "0095";
    QTest::newRow("upper letters around the doubled Q")
        << 2 << 1 << 7
        << QList<double>{slot(14, 26), slot(15, 26), slot(16, 26), slot(17, 26), slot(18, 26), 0.0, 0.9999}
        << "NQPQRAZ";
    QTest::newRow("mixed letters: letter, then case coin")
        << 2 << 0 << 3 << QList<double>{0.0, 0.49, 0.0, 0.5, slot(26, 26), 0.1} << "AaZ";
    QTest::newRow("alphanumeric mixed: coin, value, case coin")
        << 3 << 3 << 3 << QList<double>{0.49, 0.7, 0.5, slot(26, 26), 0.2, 0.5, 0.0, 0.8} << "7Za";
    QTest::newRow("zero length draws nothing") << 3 << 3 << 0 << QList<double>{} << "";
}

void TestRandomPassword::draws()
{
    QFETCH(int, type);
    QFETCH(int, letterCase);
    QFETCH(int, length);
    QFETCH(QList<double>, values);
    QFETCH(QString, expected);

    auto script = std::make_shared<Script>();
    RandomPassword engine([script] { return script->next(); });
    engine.setLength(0);
    engine.setPasswordType(type);
    engine.setLetterCase(letterCase);
    script->values = values;
    script->draws = 0;
    engine.setLength(qint16(length));
    QCOMPARE(engine.Password(), expected);
    QCOMPARE(script->draws, int(values.size())); // exactly the scripted draws, no more, no fewer
}

// Every write of a setting draws a new password, even of the same value.
void TestRandomPassword::everySettingWriteRegenerates()
{
    auto script = std::make_shared<Script>();
    RandomPassword engine([script] { return script->next(); });
    engine.setPasswordType(1);
    script->values = {slot(2, 10), slot(3, 10), slot(4, 10)};
    engine.setLength(3);
    QCOMPARE(engine.Password(), QStringLiteral("123"));

    script->values = {slot(5, 10), slot(6, 10), slot(7, 10)};
    engine.setPasswordType(1);
    QCOMPARE(engine.Password(), QStringLiteral("456"));
    script->values = {slot(8, 10), slot(9, 10), slot(10, 10)};
    engine.setLetterCase(2);
    QCOMPARE(engine.Password(), QStringLiteral("789"));
}

void TestRandomPassword::characterSets_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("letterCase");
    QTest::addColumn<QString>("klass");

    QTest::newRow("digits") << 1 << 1 << "0-9";
    QTest::newRow("letters lower") << 2 << 2 << "a-np-z";
    QTest::newRow("letters, other type and case") << 0 << 9 << "A-NP-Za-np-z";
    QTest::newRow("alphanumeric lower") << 3 << 2 << "0-9a-np-z";
    QTest::newRow("alphanumeric mixed") << 3 << 3 << "0-9A-NP-Za-np-z";
}

// 20,000 characters (upper-case letters: see frequencies): each one from the set, and every member of the set
// seen (missing one of 1-in-120 odds has a probability below 1e-70).
void TestRandomPassword::characterSets()
{
    QFETCH(int, type);
    QFETCH(int, letterCase);
    QFETCH(QString, klass);

    const QRegularExpression allowed(QStringLiteral("^[%1]{100}$").arg(klass));
    const QStringList passwords = drawn(type, letterCase, 200);
    for (const QString& password : passwords)
        QVERIFY2(allowed.match(password).hasMatch(), qPrintable(password));
    const QString seen = passwords.join(QString());
    const QRegularExpression one(QStringLiteral("^[%1]$").arg(klass));
    for (char c = '0'; c <= 'z'; ++c)
        QCOMPARE(seen.contains(QLatin1Char(c)), one.match(QString(QLatin1Char(c))).hasMatch());
}

// 260,000 upper-case letters: each plain letter is expected 10,000 times (deviation about 100), "Q"
// 20,000 times; 100,000 alphanumeric characters are half digits (deviation about 160). The bounds are
// over ten deviations wide, so only a wrong table or a skewed draw breaks them.
void TestRandomPassword::frequencies()
{
    QHash<QChar, int> counts;
    for (QChar c : drawn(2, 1, 2600).join(QString()))
        ++counts[c];
    QCOMPARE(counts.size(), 25); // A to Z without O: nothing from outside the set
    QCOMPARE(counts.value(QLatin1Char('O')), 0);
    const int q = counts.value(QLatin1Char('Q'));
    QVERIFY2(q > 18000 && q < 22000, qPrintable(QString::number(q)));
    for (char c = 'A'; c <= 'Z'; ++c) {
        const int n = counts.value(QLatin1Char(c));
        QVERIFY2(c == 'O' || c == 'Q' || (n > 8500 && n < 11500),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1Char(c)).arg(n)));
    }

    int digits = 0, upper = 0;
    for (QChar c : drawn(3, 3, 1000).join(QString())) {
        digits += c.isDigit();
        upper += c.isUpper();
    }
    QVERIFY2(digits > 48000 && digits < 52000, qPrintable(QString::number(digits)));
    QVERIFY2(upper > 23000 && upper < 27000, qPrintable(QString::number(upper)));
}

QTEST_APPLESS_MAIN(TestRandomPassword)
#include "tst_randompassword.moc"
