#pragma once

#include "store/entrymodel.h"

#include <QSortFilterProxyModel>
#include <QVector>

// The words typed into a search, as a rule over entries. Every word must occur, ignoring case, in one of
// the fields it looks at: fields 1, 2, 4 and 5, or only the one named by the last prefix before it
// ("s:" site, "u:" user, "url:" address, "n:" notes). Field 3 is never searched, so what is typed never
// tells anything about a password.
class SearchQuery {
public:
    SearchQuery() = default;
    explicit SearchQuery(const QString& text);

    bool isEmpty() const { return m_words.isEmpty(); }
    bool matches(const Entry& entry) const;

private:
    struct Word {
        QString text;
        int field; // 0: every searched field
    };
    QVector<Word> m_words;
};

// One category's list as a search shows it: a filter over the list's own model, so no entry is copied and
// every command maps the row it sees back to the entry it means.
class EntrySearchModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit EntrySearchModel(EntryModel& source, QObject* parent = nullptr);

    void setQuery(const SearchQuery& query);
    // The list's row of the row shown, or -1 when there is none.
    int sourceRow(int shownRow) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const EntryModel& m_entries;
    SearchQuery m_query;
};
