#include "store/entry.h"

#include <algorithm>

Entry::Entry(const QString& site, const QString& user, const QString& pass, const QString& url,
             const QString& notes, bool bold)
    : bold(bold)
{
    const std::array<const QString*, kFieldCount> fields = {&site, &user, &pass, &url, &notes};
    int end = 0;
    for (int i = 0; i < kFieldCount; ++i)
        m_ends[i] = end += int(fields[i]->size());
    m_text = QString(end, Qt::Uninitialized); // no allocation when every field is empty
    QChar* out = m_text.data();
    for (const QString* field : fields)
        out = std::copy(field->cbegin(), field->cend(), out);
}

Entry::Entry(QString text, const std::array<int, kFieldCount>& ends) : m_text(std::move(text)), m_ends(ends)
{
}

// Field n's index: any number but 1-4 means the notes.
static int fieldIndex(int n)
{
    return n >= 1 && n < kFieldCount ? n - 1 : kFieldCount - 1;
}

QStringView Entry::field(int n) const
{
    const int i = fieldIndex(n);
    const int begin = i == 0 ? 0 : m_ends[i - 1];
    return QStringView(m_text).mid(begin, m_ends[i] - begin);
}

void Entry::setField(int n, QStringView text)
{
    const int i = fieldIndex(n);
    const int begin = i == 0 ? 0 : m_ends[i - 1];
    const int change = int(text.size()) - (m_ends[i] - begin);
    QString joined(m_text.size() + change, Qt::Uninitialized);
    QChar* out = std::copy(m_text.cbegin(), m_text.cbegin() + begin, joined.data());
    out = std::copy(text.cbegin(), text.cend(), out);
    std::copy(m_text.cbegin() + m_ends[i], m_text.cend(), out);
    m_text = std::move(joined);
    for (int j = i; j < kFieldCount; ++j)
        m_ends[j] += change;
}

QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString trimSpaces(const QString& text)
{
    const QStringView kept = trimSpaces(QStringView(text));
    return kept.size() == text.size() ? text : kept.toString();
}
