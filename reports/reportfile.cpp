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

bool writeReportPieces(const ReportOptions& options, const std::function<void(QString&, int)>& build,
                       const std::function<bool(QByteArrayView)>& write)
{
    QString section; // both buffers keep their room from one category to the next
    QByteArray bytes;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (!options.categories[c]) continue;
        section.resize(0);
        build(section, c);
        bytes.resize(section.size());
        bytes.truncate(Cp1252::fromUnicode(QStringView(section), bytes.data()));
        if (!write(bytes)) return false;
    }
    return write(kCrLf);
}

bool writeTemporaryReport(const QString& path, const QString& buffer, QString* error)
{
    return writeTemporaryFile(path, reportFileBytes(buffer), error);
}

} // namespace Reports
