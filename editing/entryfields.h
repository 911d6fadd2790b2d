#pragma once

#include "store/databasefile.h"

#include <QString>

// What a dialog box's text becomes on its way into an entry: blanks trimmed at both ends, then cut to
// the width of a database field, so the list holds exactly what the file will keep.
namespace EntryFields {

constexpr int kMaxLength = DatabaseLayout::kFieldSize;

QString fieldValue(const QString& boxText);
// The Web Page address: the chosen protocol followed directly by the typed address.
QString joinedUrl(const QString& protocol, const QString& address);

} // namespace EntryFields
