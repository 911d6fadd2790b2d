#pragma once

#include <QByteArray>
#include <QString>

namespace Reports {

// What a report file holds: the buffer in Windows-1252, then one CR LF.
QByteArray reportFileBytes(const QString& buffer);

// Writes a report file, replacing any file of that name only once the new one is complete. Reports can
// hold passwords in clear, so the file is owner-only. On failure, error says why.
bool writeReportFile(const QString& path, const QString& buffer, QString* error = nullptr);
// The temporary report in the data folder that the viewer shows: created afresh, never through a
// link that may have been planted under its name.
bool writeTemporaryReport(const QString& path, const QString& buffer, QString* error = nullptr);

} // namespace Reports
