#include "store/entry.h"

const QString& Entry::field(int n) const
{
    return const_cast<Entry*>(this)->field(n);
}

QString& Entry::field(int n)
{
    switch (n) {
    case 1:
        return site;
    case 2:
        return user;
    case 3:
        return pass;
    case 4:
        return url;
    default:
        return notes;
    }
}

bool Entry::operator==(const Entry& other) const
{
    return site == other.site && user == other.user && pass == other.pass && url == other.url &&
           notes == other.notes && bold == other.bold;
}

QString trimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}
