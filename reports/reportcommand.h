#pragma once

#include <QString>
#include <optional>

class DatabaseFile;
struct DatabaseContents;
class QIODevice;

namespace Reports {

// A report as `keyvane-cli report` asks for it, its values as the user typed them.
struct ReportRequest {
    bool html = false; // else the text report
    // Comma-separated; a category is named by its number 0-5, its keyword (HTML, SERIAL, APP, WALLET,
    // REMOTE, MISC), its tab caption or its caption in the reports dialog, in any case.
    QString categories;
    bool mask = false;
    std::optional<QString> color; // HTML only: white, blue, green, red or black
    QString outputFile;           // empty: the report goes to out
};

// Writes the same bytes that the reports dialog saves for the same choices, to the output file (owner-only)
// or to out, laying out the database file's records as they are read (a sealed one with its key): no store of
// entries, no whole report in memory on the way to out. Returns false with a one-line *error, and nothing
// written, on a bad request or a failed write. *read tells what of the file could not be taken.
bool writeRequestedReport(DatabaseFile& database, const ReportRequest& request, QIODevice& out,
                          DatabaseContents* read, QString* error);

} // namespace Reports
