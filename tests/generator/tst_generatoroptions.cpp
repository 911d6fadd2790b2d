#include "generator/generatoroptions.h"
#include "generator/passphrase.h"
#include "generator/strength.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(GeneratorOptions)

class TestGeneratorOptions : public QObject {
    Q_OBJECT

private slots:
    void characterRules_data();
    void characterRules();
    void passphrases_data();
    void passphrases();
    void figures_data();
    void figures();
    void strength_data();
    void strength();
};

// Each row: options, and a pattern every one of 10,000 passwords must match.
void TestGeneratorOptions::characterRules_data()
{
    QTest::addColumn<GeneratorOptions>("options");
    QTest::addColumn<QString>("pattern");

    GeneratorOptions o;
    o.length = 12;
    o.symbols = true;
    o.noLookalike = true;
    QTest::newRow("no look-alikes, symbols") << o << R"(^[^lIO01|]{12}$)";
    o = {};
    o.length = 4;
    o.symbols = true;
    o.everyKind = true;
    QTest::newRow("every kind in four characters")
        << o << R"(^(?=.*\d)(?=.*[A-Z])(?=.*[a-z])(?=.*[^A-Za-z0-9]).{4}$)";
    o = {};
    o.passwordType = 1;
    o.symbols = true;
    o.symbolSet = QStringLiteral("#x@ #");
    o.exclude = QStringLiteral("123456789");
    o.everyKind = true;
    o.length = 3;
    QTest::newRow("symbol subset, exclusions") << o << R"(^(?=.*0)(?=.*[#@])[0#@]{3}$)";
    o = {};
    o.passwordType = 2;
    o.letterCase = 2;
    o.exclude = QStringLiteral("aeiou");
    o.length = 20;
    QTest::newRow("lower letters without vowels") << o << R"(^[b-df-hj-np-tv-z]{20}$)";
}

void TestGeneratorOptions::characterRules()
{
    QFETCH(GeneratorOptions, options);
    QFETCH(QString, pattern);
    const QRegularExpression rule(pattern);
    QSet<QChar> seen;
    for (int i = 0; i < 10000; ++i) {
        const QString password = generatePassword(options);
        QVERIFY2(rule.match(password).hasMatch(), qPrintable(password));
        for (const QChar c : password)
            seen.insert(c);
    }
    // Every character the options allow turns up.
    QCOMPARE(seen.size(), int(characterKinds(options).join(QString()).size()));
}

void TestGeneratorOptions::passphrases_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("capitalise");
    QTest::addColumn<bool>("addDigit");
    QTest::addColumn<int>("longest");

    QTest::newRow("3 words") << 3 << "_" << false << false << 0;
    QTest::newRow("12 words in 50 characters") << 12 << "." << true << true << 50;
    QTest::newRow("6 words in 50, long separator") << 6 << "+++" << false << true << 50;
}

void TestGeneratorOptions::passphrases()
{
    QFETCH(int, words);
    QFETCH(QString, separator);
    QFETCH(bool, capitalise);
    QFETCH(bool, addDigit);
    QFETCH(int, longest);
    GeneratorOptions o;
    o.passphrase = true;
    o.words = words;
    o.separator = separator;
    o.capitalise = capitalise;
    o.addDigit = addDigit;
    o.longest = longest;

    const QSet<QString> list(passphraseWords().cbegin(), passphraseWords().cend());
    for (int i = 0; i < 2000; ++i) {
        const QString phrase = generatePassword(o);
        if (longest) QVERIFY2(phrase.size() <= longest, qPrintable(phrase));
        const QStringList parts = phrase.split(separator);
        QCOMPARE(parts.size(), words);
        int capitals = 0, digits = 0;
        for (QString part : parts) {
            capitals += part.at(0).isUpper();
            if (part.back().isDigit()) {
                ++digits;
                part.chop(1);
            }
            QVERIFY2(list.contains(part.toLower()), qPrintable(phrase));
        }
        QCOMPARE(capitals, capitalise ? 1 : 0);
        QCOMPARE(digits, addDigit ? 1 : 0);
    }
}

// Each row: options, the entropy of what they make, and why they make nothing (then 0 bits).
void TestGeneratorOptions::figures_data()
{
    QTest::addColumn<GeneratorOptions>("options");
    QTest::addColumn<double>("bits");
    QTest::addColumn<QString>("problem");

    GeneratorOptions o;
    o.passphrase = true;
    o.words = 7;
    o.capitalise = o.addDigit = true;
    QTest::newRow("7 words, a capital and a digit")
        << o << 7 * std::log2(7776.0) + std::log2(7.0) + std::log2(70.0) << QString();
    int threeLetters = 0;
    for (const QString& w : passphraseWords())
        threeLetters += w.size() == 3;
    o = {};
    o.passphrase = true;
    o.words = 3;
    o.separator = QString();
    o.longest = 9;
    QTest::newRow("only three-letter words fit") << o << 3 * std::log2(double(threeLetters)) << QString();
    o.words = 12;
    o.separator = QStringLiteral("-");
    o.longest = 40;
    QTest::newRow("words that cannot fit") << o << 0.0 << "12 words do not fit in 40 characters.";
    o = {};
    o.length = 10;
    o.symbols = true;
    QTest::newRow("all 94 printable characters") << o << 10 * std::log2(94.0) << QString();
    o = {};
    o.passwordType = 1;
    o.symbols = true;
    o.symbolSet = QStringLiteral("!");
    o.everyKind = true;
    o.length = 2;
    QTest::newRow("a digit and ! in two places") << o << std::log2(20.0) << QString();
    o.symbolSet = QStringLiteral("ab");
    QTest::newRow("a kind left empty") << o << 0.0 << "A chosen kind has no characters left.";
    o = {};
    o.everyKind = true;
    o.length = 2;
    QTest::newRow("too short for every kind")
        << o << 0.0 << "2 characters cannot hold one of each of 3 kinds.";
    o = {};
    o.passwordType = 1;
    o.exclude = QStringLiteral("0123456789");
    QTest::newRow("nothing left") << o << 0.0 << "No characters are left to choose from.";
    o.exclude.clear();
    o.passwordType = 2;
    o.letterCase = 1;
    o.length = 1;
    QTest::newRow("the seed's letters, Q twice as likely")
        << o << 24.0 / 26 * std::log2(26.0) + 2.0 / 26 * std::log2(13.0) << QString();
}

void TestGeneratorOptions::figures()
{
    QFETCH(GeneratorOptions, options);
    QFETCH(double, bits);
    QFETCH(QString, problem);
    QCOMPARE(optionsProblem(options), problem);
    QCOMPARE(generatePassword(options).isEmpty(), !problem.isEmpty());
    QCOMPARE(entropyBits(options), bits);
}

void TestGeneratorOptions::strength_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("rating");

    QTest::newRow("a common word") << "password"
                                   << "very weak";
    QTest::newRow("random, 16 characters") << "k#9Vq!2mZ@7tLx4&"
                                           << "strong";
}

void TestGeneratorOptions::strength()
{
    QFETCH(QString, password);
    QFETCH(QString, rating);
    QCOMPARE(Strength::of(password).rating(), rating);
}

QTEST_GUILESS_MAIN(TestGeneratorOptions)
#include "tst_generatoroptions.moc"
