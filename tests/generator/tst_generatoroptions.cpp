#include "generator/generatoroptions.h"
#include "generator/passphrase.h"
#include "generator/strength.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(GeneratorOptions)

namespace {

// Options for characters: type, case and length as the seed's engine takes them.
GeneratorOptions characters(int type, int letterCase, int length, bool symbols = false,
                            bool everyKind = false)
{
    GeneratorOptions o;
    o.passwordType = type;
    o.letterCase = letterCase;
    o.length = length;
    o.symbols = symbols;
    o.everyKind = everyKind;
    return o;
}

GeneratorOptions passphrase(int words, const QString& separator, bool capitalise, bool addDigit, int longest)
{
    GeneratorOptions o;
    o.passphrase = true;
    o.words = words;
    o.separator = separator;
    o.capitalise = capitalise;
    o.addDigit = addDigit;
    o.longest = longest;
    return o;
}

} // namespace

class TestGeneratorOptions : public QObject {
    Q_OBJECT

private slots:
    void passphrases_data();
    void passphrases();
    void figures_data();
    void figures();
    void strength_data();
    void strength();
};

void TestGeneratorOptions::passphrases_data()
{
    QTest::addColumn<GeneratorOptions>("options");
    QTest::newRow("3 words") << passphrase(3, "_", false, false, 0);
    QTest::newRow("12 words in 50 characters") << passphrase(12, ".", true, true, 50);
    QTest::newRow("6 words in 50, long separator") << passphrase(6, "+++", false, true, 50);
}

void TestGeneratorOptions::passphrases()
{
    QFETCH(GeneratorOptions, options);
    const QSet<QString> list(passphraseWords().cbegin(), passphraseWords().cend());
    for (int i = 0; i < 2000; ++i) {
        const QString phrase = generatePassword(options);
        if (options.longest) QVERIFY2(phrase.size() <= options.longest, qPrintable(phrase));
        const QStringList parts = phrase.split(options.separator);
        QCOMPARE(parts.size(), options.words);
        int capitals = 0, digits = 0;
        for (QString part : parts) {
            capitals += part.at(0).isUpper();
            if (part.back().isDigit()) {
                ++digits;
                part.chop(1);
            }
            QVERIFY2(list.contains(part.toLower()), qPrintable(phrase));
        }
        QCOMPARE(capitals, options.capitalise ? 1 : 0);
        QCOMPARE(digits, options.addDigit ? 1 : 0);
    }
}

// Each row: options, the entropy of what they make, why they make nothing (then 0 bits), and a pattern
// every one of 10,000 passwords must match.
void TestGeneratorOptions::figures_data()
{
    QTest::addColumn<GeneratorOptions>("options");
    QTest::addColumn<double>("bits");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("pattern"); // empty: none drawn
    const auto row = [](const char* name, const GeneratorOptions& o, double bits, const char* pattern = "",
                        const char* problem = "") { QTest::newRow(name) << o << bits << problem << pattern; };

    row("7 words, a capital and a digit", passphrase(7, "-", true, true, 0),
        7 * std::log2(7776.0) + std::log2(7.0) + std::log2(70.0));
    int threeLetters = 0;
    for (const QString& w : passphraseWords())
        threeLetters += w.size() == 3;
    row("only three-letter words fit", passphrase(3, QString(), false, false, 9),
        3 * std::log2(double(threeLetters)));
    row("words that cannot fit", passphrase(12, "-", false, false, 40), 0.0, "",
        "12 words do not fit in 40 characters.");
    row("all 94 printable characters", characters(3, 3, 10, true), 10 * std::log2(94.0));
    GeneratorOptions o = characters(3, 3, 12, true);
    o.noLookalike = true;
    row("no look-alikes, symbols", o, 12 * std::log2(88.0), R"(^[^lIO01|]{12}$)");
    row("every kind in four characters", characters(3, 3, 4, true, true), std::log2(24.0 * 10 * 26 * 26 * 32),
        R"(^(?=.*\d)(?=.*[A-Z])(?=.*[a-z])(?=.*[^A-Za-z0-9]).{4}$)");
    o = characters(1, 3, 2, true, true);
    o.symbolSet = QStringLiteral("!");
    row("a digit and ! in two places", o, std::log2(20.0));
    o.symbolSet = QStringLiteral("ab");
    row("a kind left empty", o, 0.0, "", "A chosen kind has no characters left.");
    o.symbolSet = QStringLiteral("#x@ #");
    o.exclude = QStringLiteral("123456789");
    o.length = 3;
    row("symbol subset, exclusions", o, std::log2(18.0), R"(^(?=.*0)(?=.*[#@])[0#@]{3}$)");
    row("too short for every kind", characters(3, 3, 2, false, true), 0.0, "",
        "2 characters cannot hold one of each of 3 kinds.");
    o = characters(1, 3, 6);
    o.exclude = QStringLiteral("0123456789");
    row("nothing left", o, 0.0, "", "No characters are left to choose from.");
    o = characters(2, 2, 20);
    o.exclude = QStringLiteral("aeiou");
    row("lower letters without vowels", o, 20 * std::log2(21.0), R"(^[b-df-hj-np-tv-z]{20}$)");
    row("the seed's letters, Q twice as likely", characters(2, 1, 1),
        24.0 / 26 * std::log2(26.0) + 2.0 / 26 * std::log2(13.0));
}

void TestGeneratorOptions::figures()
{
    QFETCH(GeneratorOptions, options);
    QFETCH(double, bits);
    QFETCH(QString, problem);
    QFETCH(QString, pattern);
    QCOMPARE(optionsProblem(options), problem);
    QCOMPARE(generatePassword(options).isEmpty(), !problem.isEmpty());
    QCOMPARE(entropyBits(options), bits);
    if (pattern.isEmpty()) return;
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
