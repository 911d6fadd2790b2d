#pragma once

#include "reports/reportoptions.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace Reports {

// What a report file holds: the buffer in Windows-1252, then one CR LF.
QByteArray reportFileBytes(const QString& buffer);

// Writes a report file, replacing any file of that name only once the new one is complete. Reports can
// hold passwords in clear, so the file is owner-only. On failure, error says why.
bool writeReportFile(const QString& path, const QString& buffer, QString* error = nullptr);
// The temporary report in the data folder that the viewer shows: created afresh, never through a
// link that may have been planted under its name.
bool writeTemporaryReport(const QString& path, const QString& buffer, QString* error = nullptr);

// The bytes of a report file one category at a time, so that a large report is never held whole: build
// appends the section of one category to the buffer it is given; each section goes to write in
// Windows-1252 as soon as it is built, and the closing CR LF last. Stops at the first false from write.
bool writeReportPieces(const ReportOptions& options, const std::function<void(QString&, int)>& build,
                       const std::function<bool(QByteArrayView)>& write);

} // namespace Reports
