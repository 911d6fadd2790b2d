#pragma once

#include "store/categories.h"

#include <QHashFunctions>
#include <QString>
#include <QStringView>
#include <QVector>
#include <array>

// One entry: five text fields; field 3 (pass) is the sensitive one in every category. The fields are held
// back to back in one string, so that an entry costs a single allocation: a full store holds tens of
// thousands of them.
class Entry {
public:
    Entry() = default;
    Entry(const QString& site, const QString& user, const QString& pass, const QString& url,
          const QString& notes, bool bold = true);
    // The fields already back to back in text, field n ending at ends[n - 1].
    Entry(QString text, const std::array<int, kFieldCount>& ends);

    // Field n, 1-based as the users and the file count them.
    QStringView field(int n) const;
    void setField(int n, QStringView text);

    QStringView site() const { return field(1); } // the list's item text
    QStringView user() const { return field(2); }
    // Always held in clear; the list derives its masked display from it.
    QStringView pass() const { return field(3); }
    QStringView url() const { return field(4); }
    QStringView notes() const { return field(5); }

    // The same five fields, whatever the bold flags: the joined text and where each field ends.
    bool sameFields(const Entry& other) const { return m_ends == other.m_ends && m_text == other.m_text; }
    bool operator==(const Entry& other) const { return bold == other.bold && sameFields(other); }
    // A hash of the five fields, agreeing with sameFields.
    size_t fieldsHash(size_t seed) const { return qHash(m_text, seed); }

    bool bold = true;

private:
    QString m_text;
    std::array<int, kFieldCount> m_ends{};
};

// Trims spaces, and only spaces, at both ends, as the store has always trimmed its fields.
QString trimSpaces(const QString& text);
QStringView trimSpaces(QStringView text);

// The six lists of a database, category by category.
using EntryLists = std::array<QVector<Entry>, kCategoryCount>;
