#include "store/databasemerge.h"

#include "store/entrystore.h"

#include <QHash>

namespace {

// An entry as a key of a multiset: its five fields, not its bold flag (the category is the list it is in).
struct Fields {
    const Entry* entry;
};

bool operator==(Fields a, Fields b)
{
    return a.entry->sameFields(*b.entry);
}

size_t qHash(Fields f, size_t seed)
{
    return f.entry->fieldsHash(seed);
}

using Counts = QHash<Fields, int>;

Counts counted(const QVector<Entry>& list)
{
    Counts counts;
    counts.reserve(list.size());
    for (const Entry& e : list)
        ++counts[Fields{&e}];
    return counts;
}

// The entries of list beyond as many as held holds of each, in list's order: of two equal entries where
// held has one, the later one is the surplus.
QVector<Entry> surplus(const QVector<Entry>& list, const Counts& held)
{
    QVector<Entry> extra;
    Counts seen;
    for (const Entry& e : list)
        if (++seen[Fields{&e}] > held.value(Fields{&e})) extra.append(e);
    return extra;
}

int total(const EntryLists& lists)
{
    int n = 0;
    for (const QVector<Entry>& list : lists)
        n += int(list.size());
    return n;
}

// Appends the additions of every category while the store's limit allows; counts the rest.
void appendWithinLimit(MergeResult& result, const EntryLists& additions)
{
    int room = EntryStore::kMaxEntries - total(result.lists);
    for (int c = 0; c < kCategoryCount; ++c)
        for (const Entry& e : additions[c]) {
            if (room > 0) {
                result.lists[c].append(e);
                --room;
            } else {
                ++result.overLimit;
            }
        }
}

// How the result differs from mine, as multisets.
void countChanges(MergeResult& result, const EntryLists& mine)
{
    for (int c = 0; c < kCategoryCount; ++c) {
        const Counts held = counted(mine[c]);
        const Counts now = counted(result.lists[c]);
        result.added += int(surplus(result.lists[c], held).size());
        result.removed += int(surplus(mine[c], now).size());
    }
}

} // namespace

bool sameEntries(const EntryLists& a, const EntryLists& b)
{
    for (int c = 0; c < kCategoryCount; ++c)
        if (!std::equal(a[c].begin(), a[c].end(), b[c].begin(), b[c].end(),
                        [](const Entry& x, const Entry& y) { return x.sameFields(y); }))
            return false;
    return true;
}

MergeResult mergeChanges(const EntryLists& base, const EntryLists& mine, const EntryLists& theirs)
{
    MergeResult result;
    // Nothing changed on their side: mine stands as it is, in its own order.
    if (sameEntries(base, theirs)) {
        result.lists = mine;
        return result;
    }
    EntryLists additions;
    for (int c = 0; c < kCategoryCount; ++c) {
        const Counts baseCounts = counted(base[c]);
        const Counts mineCounts = counted(mine[c]);
        additions[c] = surplus(mine[c], baseCounts);
        const QVector<Entry> removed = surplus(base[c], mineCounts);
        Counts removals = counted(removed);
        for (const Entry& e : theirs[c]) {
            const auto pending = removals.find(Fields{&e});
            if (pending != removals.end() && *pending > 0)
                --*pending;
            else
                result.lists[c].append(e);
        }
    }
    appendWithinLimit(result, additions);
    countChanges(result, mine);
    return result;
}

MergeResult mergeMissing(const EntryLists& mine, const EntryLists& other)
{
    MergeResult result;
    result.lists = mine;
    EntryLists additions;
    for (int c = 0; c < kCategoryCount; ++c)
        additions[c] = surplus(other[c], counted(mine[c]));
    appendWithinLimit(result, additions);
    countChanges(result, mine);
    return result;
}
