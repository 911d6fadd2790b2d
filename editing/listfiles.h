#pragma once

#include <QString>
#include <QStringList>

// The two small lists offered for remote systems, each kept in a text file in the data folder: one item
// a line, Windows-1252, lines ended by CR LF. Nothing here knows a widget.
namespace ListFiles {

enum class Kind { ServerTypes = 0, Protocols = 1 };

// servers.txt or protocol.txt in the data folder.
QString path(Kind kind);

// Every non-empty line, as it is and in file order. A missing or unreadable file gives no items; the
// reason, when there is one worth telling, goes to error.
QStringList readItems(const QString& filePath, QString* error = nullptr);
// Replaces the file as a whole, one item a line. The old file stays as it was when writing fails.
bool writeItems(const QString& filePath, const QStringList& items, QString* error = nullptr);

inline QStringList read(Kind kind)
{
    return readItems(path(kind));
}
inline bool write(Kind kind, const QStringList& items, QString* error = nullptr)
{
    return writeItems(path(kind), items, error);
}

// The bytes a list is written as.
QByteArray encode(const QStringList& items);
// The items a file's bytes hold. CR LF ends a line, and so do a lone LF or CR, as a file edited by hand
// on another system may have them.
QStringList decode(const QByteArray& bytes);

} // namespace ListFiles
