#include "randompassword.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <memory>

namespace {

// A uniform source that hands out a script of values (then 0) and counts what was drawn.
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

QSet<QChar> charactersOf(const QString& klass)
{
    QSet<QChar> set;
    const QRegularExpression one(QStringLiteral("^[%1]$").arg(klass));
    for (char c = '0'; c <= 'z'; ++c)
        if (one.match(QString(QLatin1Char(c))).hasMatch()) set.insert(QLatin1Char(c));
    return set;
}

} // namespace

class TestRandomPassword : public QObject {
    Q_OBJECT

private slots:
    void freshInstance();
    void freshInstanceDrawsAMixedPassword();
    void draws_data();
    void draws();
    void everySettingWriteRegenerates();
    void lengths_data();
    void lengths();
    void characterSets_data();
    void characterSets();
    void letterFrequencies();
    void mixedPasswordsAreBalanced();
};

void TestRandomPassword::freshInstance()
{
    const RandomPassword engine;
    QCOMPARE(engine.LetterCase(), 3);
    QCOMPARE(engine.PasswordType(), 3);
    QCOMPARE(engine.Length(), qint16(6));
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-NP-Za-np-z]{6}$")).match(engine.Password()).hasMatch(),
             qPrintable(engine.Password()));
}

// Construction generates once with type 3: with every value 0 each character is a coin for "digit"
// followed by the digit 0, two draws a character.
void TestRandomPassword::freshInstanceDrawsAMixedPassword()
{
    auto script = std::make_shared<Script>();
    const RandomPassword engine([script] { return script->next(); });
    QCOMPARE(engine.Password(), QStringLiteral("000000"));
    QCOMPARE(script->draws, 12);
}

void TestRandomPassword::draws_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("letterCase");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits: floor(10r)") << 1 << 3 << QList<double>{0.0, 0.05, 0.99, 0.5} << "0095";
    QTest::newRow("upper letters around the doubled Q")
        << 2 << 1
        << QList<double>{slot(14, 26), slot(15, 26), slot(16, 26), slot(17, 26), slot(18, 26), 0.0, 0.9999}
        << "NQPQRAZ";
    QTest::newRow("lower letters") << 2 << 2 << QList<double>{slot(15, 26), slot(16, 26), slot(17, 26)}
                                   << "qpq";
    QTest::newRow("mixed letters: letter, then case coin")
        << 2 << 3 << QList<double>{0.0, 0.49, 0.0, 0.5, slot(26, 26), 0.1} << "AaZ";
    QTest::newRow("any other case is mixed") << 2 << 0 << QList<double>{slot(2, 26), 0.7} << "b";
    QTest::newRow("any other type is letters") << 7 << 1 << QList<double>{slot(3, 26)} << "C";
    QTest::newRow("alphanumeric mixed: coin, value, case coin")
        << 3 << 3 << QList<double>{0.49, 0.7, 0.5, slot(26, 26), 0.2, 0.5, 0.0, 0.8} << "7Za";
    QTest::newRow("alphanumeric upper: no case coin")
        << 3 << 1 << QList<double>{0.6, 0.0, 0.1, 0.3, 0.99, slot(17, 26)} << "A3Q";
    QTest::newRow("alphanumeric lower") << 3 << 2 << QList<double>{0.6, slot(2, 26), 0.2, 0.95} << "b9";
    QTest::newRow("a source at its very edge stays in the tables")
        << 2 << 1 << QList<double>{1.0, -0.1} << "ZA";
}

void TestRandomPassword::draws()
{
    QFETCH(int, type);
    QFETCH(int, letterCase);
    QFETCH(QList<double>, values);
    QFETCH(QString, expected);

    auto script = std::make_shared<Script>();
    RandomPassword engine([script] { return script->next(); });
    engine.setLength(0);
    engine.setPasswordType(type);
    engine.setLetterCase(letterCase);

    script->values = values;
    script->draws = 0;
    engine.setLength(qint16(expected.size()));
    QCOMPARE(engine.Password(), expected);
    QCOMPARE(script->draws, int(values.size())); // exactly the scripted draws, no more, no fewer
}

void TestRandomPassword::everySettingWriteRegenerates()
{
    auto script = std::make_shared<Script>();
    RandomPassword engine([script] { return script->next(); });
    engine.setPasswordType(1);

    script->values = {slot(2, 10), slot(3, 10), slot(4, 10)};
    engine.setLength(3);
    QCOMPARE(engine.Password(), QStringLiteral("123"));

    // Reading is free: the same text until the next write.
    const int drawn = script->draws;
    QCOMPARE(engine.Password(), QStringLiteral("123"));
    QCOMPARE(engine.Password(), QStringLiteral("123"));
    QCOMPARE(script->draws, drawn);

    // Writing the same value again still regenerates.
    script->values = {slot(5, 10), slot(6, 10), slot(7, 10)};
    engine.setPasswordType(1);
    QCOMPARE(engine.Password(), QStringLiteral("456"));

    script->values = {slot(8, 10), slot(9, 10), slot(10, 10)};
    engine.setLetterCase(2);
    QCOMPARE(engine.Password(), QStringLiteral("789"));

    script->values = {slot(1, 10), slot(1, 10), slot(1, 10)};
    engine.Generate();
    QCOMPARE(engine.Password(), QStringLiteral("000"));
    QCOMPARE(engine.LetterCase(), 2);
    QCOMPARE(engine.PasswordType(), 1);
    QCOMPARE(engine.Length(), qint16(3));
}

void TestRandomPassword::lengths_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expectedSize");

    QTest::newRow("zero is empty") << 0 << 0;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("twelve") << 12 << 12;
    QTest::newRow("the dialogs' longest") << 100 << 100;
    QTest::newRow("the longest the type holds") << 32767 << 32767;
    QTest::newRow("negative is empty") << -1 << 0;
    QTest::newRow("most negative is empty") << -32768 << 0;
}

void TestRandomPassword::lengths()
{
    QFETCH(int, length);
    QFETCH(int, expectedSize);

    RandomPassword engine;
    engine.setLength(qint16(length));
    QCOMPARE(engine.Length(), qint16(length));
    QCOMPARE(engine.Password().size(), expectedSize);
}

void TestRandomPassword::characterSets_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("letterCase");
    QTest::addColumn<QString>("klass");

    QTest::newRow("digits") << 1 << 3 << "0-9";
    QTest::newRow("digits ignore the case") << 1 << 1 << "0-9";
    QTest::newRow("letters upper") << 2 << 1 << "A-NP-Z";
    QTest::newRow("letters lower") << 2 << 2 << "a-np-z";
    QTest::newRow("letters mixed") << 2 << 3 << "A-NP-Za-np-z";
    QTest::newRow("letters, other type and case") << 0 << 9 << "A-NP-Za-np-z";
    QTest::newRow("alphanumeric upper") << 3 << 1 << "0-9A-NP-Z";
    QTest::newRow("alphanumeric lower") << 3 << 2 << "0-9a-np-z";
    QTest::newRow("alphanumeric mixed") << 3 << 3 << "0-9A-NP-Za-np-z";
}

// 20,000 characters: every one from the set, and every member of the set seen (a member of 1 in 120
// odds per character is missed with a probability below 1e-70).
void TestRandomPassword::characterSets()
{
    QFETCH(int, type);
    QFETCH(int, letterCase);
    QFETCH(QString, klass);

    RandomPassword engine;
    engine.setPasswordType(type);
    engine.setLetterCase(letterCase);
    engine.setLength(100);
    const QRegularExpression allowed(QStringLiteral("^[%1]{100}$").arg(klass));
    QSet<QChar> seen;
    for (int i = 0; i < 200; ++i) {
        engine.Generate();
        const QString password = engine.Password();
        QVERIFY2(allowed.match(password).hasMatch(), qPrintable(password));
        for (QChar c : password)
            seen.insert(c);
    }
    QCOMPARE(seen, charactersOf(klass));
}

// 260,000 upper-case letters: each of the 24 plain letters is expected 10,000 times (standard deviation
// about 100) and "Q" 20,000 times. The bounds are twenty deviations wide, so only a wrong table or a
// skewed draw can break them.
void TestRandomPassword::letterFrequencies()
{
    RandomPassword engine;
    engine.setPasswordType(2);
    engine.setLetterCase(1);
    engine.setLength(100);
    QHash<QChar, int> counts;
    for (int i = 0; i < 2600; ++i) {
        engine.Generate();
        for (QChar c : engine.Password())
            ++counts[c];
    }
    QCOMPARE(counts.value(QLatin1Char('O')), 0);
    QCOMPARE(counts.size(), 25);
    const int q = counts.value(QLatin1Char('Q'));
    QVERIFY2(q > 18000 && q < 22000, qPrintable(QString::number(q)));
    for (char c = 'A'; c <= 'Z'; ++c) {
        if (c == 'O' || c == 'Q') continue;
        const int n = counts.value(QLatin1Char(c));
        QVERIFY2(n > 8000 && n < 12000, qPrintable(QStringLiteral("%1: %2").arg(QLatin1Char(c)).arg(n)));
        const double ratio = double(q) / n;
        QVERIFY2(ratio > 1.6 && ratio < 2.4,
                 qPrintable(QStringLiteral("Q/%1 = %2").arg(QLatin1Char(c)).arg(ratio)));
    }
}

// 100,000 alphanumeric characters: half digits, the letters half upper case, the digits even.
void TestRandomPassword::mixedPasswordsAreBalanced()
{
    RandomPassword engine;
    engine.setLength(100);
    int digits = 0, upper = 0, lower = 0;
    QHash<QChar, int> digitCounts;
    for (int i = 0; i < 1000; ++i) {
        engine.Generate();
        for (QChar c : engine.Password()) {
            if (c.isDigit()) {
                ++digits;
                ++digitCounts[c];
            } else if (c.isUpper()) {
                ++upper;
            } else {
                ++lower;
            }
        }
    }
    QVERIFY2(digits > 47000 && digits < 53000, qPrintable(QString::number(digits)));
    const double upperShare = double(upper) / (upper + lower);
    QVERIFY2(upperShare > 0.46 && upperShare < 0.54, qPrintable(QString::number(upperShare)));
    QCOMPARE(digitCounts.size(), 10);
    for (auto it = digitCounts.cbegin(); it != digitCounts.cend(); ++it)
        QVERIFY2(it.value() > digits / 10 * 0.8 && it.value() < digits / 10 * 1.2,
                 qPrintable(QStringLiteral("%1: %2").arg(it.key()).arg(it.value())));
}

QTEST_APPLESS_MAIN(TestRandomPassword)
#include "tst_randompassword.moc"
