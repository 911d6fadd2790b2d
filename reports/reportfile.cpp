#include "reports/reportfile.h"

#include "store/atomicfile.h"
#include "store/cp1252.h"

namespace Reports {

namespace {

const QByteArrayView kCrLf("\r\n");

} // namespace

QByteArray reportFileBytes(const QString& buffer)
{
    // Room for the line end from the start: appending it would copy the whole report once more.
    QByteArray bytes(buffer.size() + kCrLf.size(), Qt::Uninitialized);
    const qsizetype n = Cp1252::fromUnicode(QStringView(buffer), bytes.data());
    std::copy(kCrLf.begin(), kCrLf.end(), bytes.data() + n);
    bytes.truncate(n + kCrLf.size());
    return bytes;
}

bool writeReportFile(const QString& path, const QString& buffer, QString* error)
{
    return writeFileAtomically(path, reportFileBytes(buffer), kOwnerOnly, error);
}

bool writeTemporaryReport(const QString& path, const QString& buffer, QString* error)
{
    return writeTemporaryFile(path, reportFileBytes(buffer), error);
}

} // namespace Reports
