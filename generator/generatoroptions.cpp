#include "generator/generatoroptions.h"

#include "generator/passphrase.h"
#include "generator/randompassword.h"

#include <QHash>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

const QString kPunctuation = QStringLiteral("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
const QString kLookalikes = QStringLiteral("lIO01|");

namespace {

bool digitsChosen(const GeneratorOptions& o)
{
    return o.passwordType == 1 || o.passwordType == 3;
}

bool lettersChosen(const GeneratorOptions& o)
{
    return o.passwordType != 1;
}

PassphraseMaker passphraseMaker(const GeneratorOptions& o)
{
    return PassphraseMaker(o.words, o.separator, o.capitalise, o.addDigit, o.longest);
}

// The seed's engine, set up in the order the dialogs write its settings.
RandomPassword seedEngine(const GeneratorOptions& o)
{
    RandomPassword engine;
    engine.setLength(static_cast<qint16>(o.length));
    engine.setPasswordType(o.passwordType);
    engine.setLetterCase(o.letterCase);
    return engine;
}

// Per character, the seed's engine takes a digit or letter on a coin, Q from two of its 26 letter slots,
// and the case on a coin: the draws are uneven, so their entropy is Shannon's.
double seedEntropyBits(const GeneratorOptions& o)
{
    QHash<QChar, double> chance;
    const double letterShare = o.passwordType == 3 ? 0.5 : o.passwordType == 1 ? 0.0 : 1.0;
    for (char d = '0'; d <= '9'; ++d)
        chance[QLatin1Char(d)] += (1.0 - letterShare) / 10;
    for (const char slot : QByteArrayView(RandomPassword::kLetterSlots)) {
        const double p = letterShare / 26;
        if (o.letterCase != 2) chance[QLatin1Char(slot)] += o.letterCase == 1 ? p : p / 2;
        if (o.letterCase != 1) chance[QChar(QLatin1Char(slot)).toLower()] += o.letterCase == 2 ? p : p / 2;
    }
    double perCharacter = 0;
    for (const double p : chance)
        if (p > 0) perCharacter -= p * std::log2(p);
    return std::max(o.length, 0) * perCharacter;
}

// How many of the pool's strings of the given length hold at least one character of every kind, as a
// share of all of them (inclusion and exclusion over the kinds left out).
double everyKindShare(const QStringList& kinds, int pool, int length)
{
    double share = 0;
    const int subsets = 1 << kinds.size();
    for (int leftOut = 0; leftOut < subsets; ++leftOut) {
        int missing = 0, sign = 1;
        for (int k = 0; k < kinds.size(); ++k)
            if (leftOut & (1 << k)) {
                missing += int(kinds.at(k).size());
                sign = -sign;
            }
        share += sign * std::pow(double(pool - missing) / pool, length);
    }
    return share;
}

} // namespace

bool GeneratorOptions::moreOptions() const
{
    return symbols || noLookalike || !exclude.isEmpty() || everyKind || passphrase;
}

QStringList characterKinds(const GeneratorOptions& o)
{
    QStringList wanted;
    if (digitsChosen(o)) wanted << QStringLiteral("0123456789");
    if (lettersChosen(o) && o.letterCase != 2) wanted << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    if (lettersChosen(o) && o.letterCase != 1) wanted << QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    if (o.symbols) {
        // Only punctuation counts as a symbol: letters, digits or spaces typed into the set are ignored.
        QString symbols;
        for (const QChar c : o.symbolSet.isEmpty() ? kPunctuation : o.symbolSet)
            if (kPunctuation.contains(c)) symbols += c;
        wanted << symbols;
    }

    QStringList kinds;
    for (const QString& kind : wanted) {
        QString kept;
        for (const QChar c : kind) {
            const bool unwanted =
                (o.noLookalike && kLookalikes.contains(c)) || o.exclude.contains(c) || kept.contains(c);
            if (!unwanted) kept += c;
        }
        kinds << kept;
    }
    return kinds;
}

QString optionsProblem(const GeneratorOptions& o)
{
    if (o.passphrase) {
        if (passphraseWords().isEmpty()) return QStringLiteral("The word list is missing.");
        return passphraseMaker(o).possible()
                   ? QString()
                   : QStringLiteral("%1 words do not fit in %2 characters.").arg(o.words).arg(o.longest);
    }
    if (!o.moreOptions()) return {};
    const QStringList kinds = characterKinds(o);
    if (kinds.join(QString()).isEmpty()) return QStringLiteral("No characters are left to choose from.");
    if (o.everyKind && kinds.contains(QString()))
        return QStringLiteral("A chosen kind has no characters left.");
    if (o.everyKind && o.length < kinds.size())
        return QStringLiteral("%1 characters cannot hold one of each of %2 kinds.")
            .arg(o.length)
            .arg(kinds.size());
    return {};
}

QString generatePassword(const GeneratorOptions& o)
{
    if (!optionsProblem(o).isEmpty()) return {};
    if (o.passphrase) return passphraseMaker(o).make();
    if (!o.moreOptions()) return seedEngine(o).Password();

    const QStringList kinds = characterKinds(o);
    const QString pool = kinds.join(QString());
    auto* random = QRandomGenerator::system();
    // Drawing again until every kind is there keeps all the passwords that qualify equally likely.
    for (;;) {
        QString password;
        for (int i = 0; i < o.length; ++i)
            password += pool.at(int(random->bounded(quint32(pool.size()))));
        const bool complete =
            !o.everyKind || std::all_of(kinds.cbegin(), kinds.cend(), [&](const QString& kind) {
                return std::any_of(kind.cbegin(), kind.cend(), [&](QChar c) { return password.contains(c); });
            });
        if (complete) return password;
    }
}

double entropyBits(const GeneratorOptions& o)
{
    if (!optionsProblem(o).isEmpty()) return 0;
    if (o.passphrase) return passphraseMaker(o).entropyBits();
    if (!o.moreOptions()) return seedEntropyBits(o);

    const QStringList kinds = characterKinds(o);
    const int pool = int(kinds.join(QString()).size());
    const double bits = std::max(o.length, 0) * std::log2(pool);
    return o.everyKind ? bits + std::log2(everyKindShare(kinds, pool, o.length)) : bits;
}
