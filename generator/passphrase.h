#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The bundled EFF large word list (7,776 words), read once from the program's resources.
const QStringList& passphraseWords();

// Passphrases of `words` words from the list joined by `separator`, with optionally one word capitalised
// and one digit after one word, none longer than `longest` characters (0: no limit). Every such
// passphrase is equally likely: words are drawn by length so that the whole always fits, never cut.
class PassphraseMaker {
public:
    PassphraseMaker(int words, const QString& separator, bool capitalise, bool addDigit, int longest);

    // Whether any passphrase fits.
    bool possible() const;
    QString make() const;
    // log2 of the number of different passphrases.
    double entropyBits() const;

private:
    // ways(k, r): the number of ways to pick k words with r letters or fewer in all.
    double ways(int k, int r) const;

    int m_words;
    QString m_separator;
    bool m_capitalise;
    bool m_addDigit;
    int m_letters; // the letters the words may have in all
    QVector<QVector<double>> m_ways;
};
