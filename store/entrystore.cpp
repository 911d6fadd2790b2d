#include "store/entrystore.h"

const QString EntryStore::kFullMessage =
    QStringLiteral("The database is full: it can hold at most 32767 entries. Delete an entry before adding "
                   "another.");

namespace {

Entry trimmed(const Entry& fields, bool bold)
{
    Entry e = fields; // shares the text: most entries have nothing to trim
    for (int n = 1; n <= kFieldCount; ++n)
        if (const QStringView field = fields.field(n), kept = trimSpaces(field); kept.size() != field.size())
            e.setField(n, kept);
    e.bold = bold;
    return e;
}

} // namespace

EntryStore::EntryStore(QObject* parent) : QObject(parent)
{
    for (int c = 0; c < kCategoryCount; ++c)
        m_lists[c] = new EntryModel(c, this);
}

int EntryStore::totalCount() const
{
    int total = 0;
    for (const EntryModel* model : m_lists)
        total += model->count();
    return total;
}

std::optional<int> EntryStore::addEntry(const Entry& fields, int category, int whereAt)
{
    if (totalCount() >= kMaxEntries) return std::nullopt;
    EntryModel& model = list(category);
    if (whereAt <= 0 || whereAt > model.count() + 1) whereAt = model.count() + 1;
    model.insertEntry(whereAt - 1, trimmed(fields, true));
    setDatabaseChanged(true);
    return whereAt;
}

void EntryStore::reinsertEntry(int category, int row, const Entry& fields)
{
    list(category).replaceEntry(row, trimmed(fields, false));
    setDatabaseChanged(true);
}

void EntryStore::deleteEntry(int category, int row)
{
    EntryModel& model = list(category);
    if (row < 0 || row >= model.count()) return;
    model.removeEntry(row);
    setDatabaseChanged(true);
}

void EntryStore::setContents(EntryLists lists)
{
    for (int c = 0; c < kCategoryCount; ++c)
        m_lists[c]->setEntries(std::move(lists[c]));
}

EntryLists EntryStore::contents() const
{
    EntryLists lists;
    for (int c = 0; c < kCategoryCount; ++c)
        lists[c] = m_lists[c]->entries();
    return lists;
}

void EntryStore::setDatabaseChanged(bool changed)
{
    if (m_databaseChanged == changed) return;
    m_databaseChanged = changed;
    emit databaseChangedChanged(changed);
}

void EntryStore::showPasswords(bool showPws)
{
    for (EntryModel* model : m_lists)
        model->setMasked(!showPws);
}
