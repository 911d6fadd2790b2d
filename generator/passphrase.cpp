#include "generator/passphrase.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {

// The words grouped by their length, shortest first.
struct WordsByLength {
    int shortest = 0;
    QVector<QStringList> groups; // groups[n] holds the words of n letters
};

const WordsByLength& wordsByLength()
{
    static const WordsByLength table = [] {
        WordsByLength t;
        for (const QString& word : passphraseWords()) {
            if (t.groups.size() <= word.size()) t.groups.resize(word.size() + 1);
            t.groups[word.size()] << word;
        }
        t.shortest = int(std::find_if(t.groups.cbegin(), t.groups.cend(),
                                      [](const QStringList& g) { return !g.isEmpty(); }) -
                         t.groups.cbegin());
        return t;
    }();
    return table;
}

quint32 below(quint32 bound)
{
    return QRandomGenerator::system()->bounded(bound);
}

} // namespace

const QStringList& passphraseWords()
{
    static const QStringList words = [] {
        // Each line is the five dice numbers, a TAB and the word.
        QFile file(QStringLiteral(":/generator/wordlist/eff_large_wordlist.txt"));
        QStringList list;
        if (!file.open(QIODevice::ReadOnly)) return list;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QByteArray word = line.mid(line.indexOf('\t') + 1).trimmed();
            if (!word.isEmpty()) list << QString::fromLatin1(word);
        }
        return list;
    }();
    return words;
}

PassphraseMaker::PassphraseMaker(int words, const QString& separator, bool capitalise, bool addDigit,
                                 int longest)
    : m_words(std::max(words, 1)), m_separator(separator), m_capitalise(capitalise), m_addDigit(addDigit)
{
    const int unlimited = m_words * (int(wordsByLength().groups.size()) - 1);
    m_letters = unlimited;
    if (longest > 0)
        m_letters =
            std::min<int>(unlimited, longest - int(separator.size()) * (m_words - 1) - (addDigit ? 1 : 0));

    // Small enough to count in full: at most 12 words of at most 9 letters.
    const WordsByLength& table = wordsByLength();
    const int letters = std::max(m_letters, 0);
    m_ways = QVector<QVector<double>>(m_words + 1, QVector<double>(letters + 1, 0.0));
    std::fill(m_ways[0].begin(), m_ways[0].end(), 1.0);
    for (int k = 1; k <= m_words; ++k)
        for (int r = 0; r <= letters; ++r)
            for (int n = table.shortest; n < table.groups.size() && n <= r; ++n)
                m_ways[k][r] += table.groups[n].size() * m_ways[k - 1][r - n];
}

double PassphraseMaker::ways(int k, int r) const
{
    return r < 0 ? 0.0 : m_ways.at(k).at(r);
}

bool PassphraseMaker::possible() const
{
    return !passphraseWords().isEmpty() && ways(m_words, m_letters) > 0;
}

QString PassphraseMaker::make() const
{
    if (!possible()) return {};
    const WordsByLength& table = wordsByLength();
    QStringList chosen;
    int left = m_letters;
    for (int i = m_words; i > 0; --i) {
        // The length of this word, weighted by how many ways the rest can still fit behind it.
        QVector<double> weight(table.groups.size(), 0.0);
        double total = 0;
        for (int n = table.shortest; n < table.groups.size() && n <= left; ++n)
            total += weight[n] = table.groups[n].size() * ways(i - 1, left - n);
        double pick = QRandomGenerator::system()->generateDouble() * total;
        int n = table.shortest;
        for (int m = table.shortest; m < weight.size(); ++m) {
            if (weight[m] <= 0) continue;
            n = m; // the last length that fits, should rounding carry the pick past the total
            if (pick < weight[m]) break;
            pick -= weight[m];
        }
        const QStringList& group = table.groups[n];
        chosen << group.at(int(below(quint32(group.size()))));
        left -= n;
    }
    if (m_capitalise) {
        QString& word = chosen[int(below(quint32(m_words)))];
        word[0] = word.at(0).toUpper();
    }
    if (m_addDigit) chosen[int(below(quint32(m_words)))] += QChar(u'0' + char16_t(below(10)));
    return chosen.join(m_separator);
}

double PassphraseMaker::entropyBits() const
{
    if (!possible()) return 0;
    return std::log2(ways(m_words, m_letters)) + (m_capitalise ? std::log2(m_words) : 0.0) +
           (m_addDigit ? std::log2(10.0 * m_words) : 0.0);
}
