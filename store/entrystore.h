#pragma once

#include "store/categories.h"
#include "store/entrymodel.h"

#include <QObject>
#include <array>
#include <optional>

// The working store: six category lists and the two program-wide flags that belong to them.
class EntryStore : public QObject {
    Q_OBJECT
public:
    // Record numbers in the file are 16-bit signed, so this is all one database can hold.
    static constexpr int kMaxEntries = 32767;
    static const QString kFullMessage;

    explicit EntryStore(QObject* parent = nullptr);

    EntryModel& list(int category) { return *m_lists.at(category); }
    const EntryModel& list(int category) const { return *m_lists.at(category); }
    int totalCount() const;

    // Trims the five fields, inserts at whereAt (1-based; 0 appends) as a bold row, sets DatabaseChanged.
    // Returns the 1-based position used, or nothing when the store is full.
    std::optional<int> addEntry(const Entry& fields, int category, int whereAt = 0);
    // Puts an edited entry back at its own position (not bold, as an edited row is no longer new).
    void reinsertEntry(int category, int row, const Entry& fields);
    void deleteEntry(int category, int row);
    // Replaces every list with what was read from the file; leaves DatabaseChanged as it was.
    void setContents(EntryLists lists);
    // The six lists as they are now (shared with the models until either changes).
    EntryLists contents() const;

    bool databaseChanged() const { return m_databaseChanged; }
    void setDatabaseChanged(bool changed);
    bool sensitiveHidden() const { return m_sensitiveHidden; }
    void setSensitiveHidden(bool hidden) { m_sensitiveHidden = hidden; }
    // Re-derives the sensitive column of every list: clear when showPws, "******" otherwise.
    void showPasswords(bool showPws);

signals:
    void databaseChangedChanged(bool changed);

private:
    std::array<EntryModel*, kCategoryCount> m_lists{};
    bool m_databaseChanged = false;
    bool m_sensitiveHidden = false;
};
