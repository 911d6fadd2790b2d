#include "editing/listfiles.h"

#include "settings/apppaths.h"
#include "store/atomicfile.h"
#include "store/cp1252.h"

#include <QFile>

namespace ListFiles {

QString path(Kind kind)
{
    return AppPaths::dataFile(kind == Kind::ServerTypes ? QStringLiteral("servers.txt")
                                                        : QStringLiteral("protocol.txt"));
}

QByteArray encode(const QStringList& items)
{
    QByteArray bytes;
    for (const QString& item : items) {
        bytes += Cp1252::fromUnicode(item);
        bytes += "\r\n";
    }
    return bytes;
}

QStringList decode(const QByteArray& bytes)
{
    QStringList items;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes.at(end) != '\r' && bytes.at(end) != '\n')
            ++end;
        if (end > start) items << Cp1252::toUnicode(bytes.constData() + start, end - start);
        if (end < size && bytes.at(end) == '\r' && end + 1 < size && bytes.at(end + 1) == '\n') ++end;
        start = end + 1;
    }
    return items;
}

QStringList readItems(const QString& filePath, QString* error)
{
    QFile file(filePath);
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return {};
    }
    return decode(file.readAll());
}

bool writeItems(const QString& filePath, const QStringList& items, QString* error)
{
    // Not secret: the lists keep the permissions a plain new file gets.
    return writeFileAtomically(filePath, encode(items), kPlainFile, error);
}

} // namespace ListFiles
