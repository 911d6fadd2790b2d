#include "reports/reportfile.h"

#include "store/cp1252.h"
#include "store/databasefile.h"

#include <QSaveFile>

namespace Reports {

QByteArray reportFileBytes(const QString& buffer)
{
    QByteArray bytes = Cp1252::fromUnicode(buffer);
    bytes.append("\r\n", 2);
    return bytes;
}

bool writeReportFile(const QString& path, const QString& buffer, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    // Owner-only before any byte is written, so the report is never readable by others, not even briefly.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = reportFileBytes(buffer);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    makeOwnerOnly(path);
    return true;
}

} // namespace Reports
