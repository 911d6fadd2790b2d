#include "reports/reportfile.h"

#include "store/atomicfile.h"
#include "store/cp1252.h"

namespace Reports {

QByteArray reportFileBytes(const QString& buffer)
{
    QByteArray bytes = Cp1252::fromUnicode(buffer);
    bytes.append("\r\n", 2);
    return bytes;
}

bool writeReportFile(const QString& path, const QString& buffer, QString* error)
{
    return writeFileAtomically(path, reportFileBytes(buffer), kOwnerOnly, error);
}

} // namespace Reports
