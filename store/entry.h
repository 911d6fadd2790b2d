#pragma once

#include "store/categories.h"

#include <QString>
#include <QVector>
#include <array>

// One entry: five text fields; field 3 (pass) is the sensitive one in every category.
struct Entry {
    QString site;  // field 1, the list's item text
    QString user;  // field 2
    QString pass;  // field 3, always held in clear; the list derives its masked display from it
    QString url;   // field 4
    QString notes; // field 5
    bool bold = true;

    // Field n, 1-based as the users and the file count them.
    const QString& field(int n) const;
    QString& field(int n);
    bool operator==(const Entry& other) const;
};

// Trims spaces, and only spaces, at both ends, as the store has always trimmed its fields.
QString trimSpaces(const QString& text);

// The six lists of a database, category by category.
using EntryLists = std::array<QVector<Entry>, kCategoryCount>;
