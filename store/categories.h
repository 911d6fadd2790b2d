#pragma once

#include <QString>
#include <QStringList>

// The six fixed categories. The index is at once the tab, the list and the number stored in each record.
enum EntryKind : int { WebPages = 0, SerialNumbers, Applications, Wallet, RemoteSystems, Misc };

constexpr int kCategoryCount = 6;
constexpr int kFieldCount = 5;
constexpr int kSensitiveColumn = 2; // field 3, the sensitive one in every category

inline bool isCategory(int index)
{
    return index >= 0 && index < kCategoryCount;
}

QString tabCaption(int category);
QString categoryKeyword(int category); // icon key: "HTML", "SERIAL", ...
QStringList columnCaptions(int category);
