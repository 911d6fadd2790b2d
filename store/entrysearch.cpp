#include "store/entrysearch.h"

namespace {

// The prefixes that narrow the words after them to one field.
struct Prefix {
    QLatin1String text;
    int field;
};
const Prefix kPrefixes[] = {
    {QLatin1String("s:"), 1},
    {QLatin1String("u:"), 2},
    {QLatin1String("url:"), 4},
    {QLatin1String("n:"), 5},
};

bool contains(QStringView field, const QString& word)
{
    return field.contains(word, Qt::CaseInsensitive);
}

} // namespace

SearchQuery::SearchQuery(const QString& text)
{
    int field = 0;
    for (QString word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        for (const Prefix& prefix : kPrefixes)
            if (word.startsWith(prefix.text, Qt::CaseInsensitive)) {
                field = prefix.field;
                word.remove(0, prefix.text.size());
                break;
            }
        if (!word.isEmpty()) m_words.append({word, field});
    }
}

bool SearchQuery::matches(const Entry& entry) const
{
    for (const Word& word : m_words) {
        const bool found = word.field
                               ? contains(entry.field(word.field), word.text)
                               : contains(entry.site(), word.text) || contains(entry.user(), word.text) ||
                                     contains(entry.url(), word.text) || contains(entry.notes(), word.text);
        if (!found) return false;
    }
    return true;
}

EntrySearchModel::EntrySearchModel(EntryModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), m_entries(source)
{
    // An entry edited while shown stays in view until the search changes, rather than vanish under the
    // user; and masking the sensitive column does not re-run the search over every row.
    setDynamicSortFilter(false);
    setSourceModel(&source);
}

void EntrySearchModel::setQuery(const SearchQuery& query)
{
    if (query.isEmpty() && m_query.isEmpty()) return;
    m_query = query;
    // One layout change for the whole list: filtering by removals and insertions would signal each
    // scattered run of rows on its own, and a long list has thousands of them.
    invalidate();
}

int EntrySearchModel::sourceRow(int shownRow) const
{
    if (shownRow < 0 || shownRow >= rowCount()) return -1;
    return mapToSource(index(shownRow, 0)).row();
}

bool EntrySearchModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return m_query.isEmpty() || m_query.matches(m_entries.entry(sourceRow));
}
