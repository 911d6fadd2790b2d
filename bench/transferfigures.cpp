#include "bench/bench.h"
#include "reports/passwordhealth.h"
#include "store/csvtransfer.h"
#include "store/databasefile.h"

#include <QElapsedTimer>

namespace {

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

// Every entry of the full store checked for empty, short, weak and reused passwords.
double healthFigure(BenchContext& context)
{
    QElapsedTimer timer;
    timer.start();
    const HealthReport report = checkPasswordHealth(context.store);
    const double ms = elapsedMs(timer);
    if (report.summary().isEmpty()) qFatal("health: no summary");
    return ms;
}

// A CSV file of 32,767 rows read, checked, added to an empty store and saved once.
double importCsvFigure(BenchContext& context)
{
    const QByteArray csv = exportCsv(context.store, CsvLayout::KeePassXC);
    EntryStore store;
    DatabaseFile file(context.file(QStringLiteral("imported.adr")));
    QElapsedTimer timer;
    timer.start();
    const CsvImport import = readCsvImport(csv, CsvImportOptions{});
    if (!import.ok()) qFatal("import_csv: %s", qPrintable(import.error + import.problems.value(0)));
    addImport(store, import);
    QString error;
    if (!file.save(store, &error)) qFatal("import_csv: %s", qPrintable(error));
    const double ms = elapsedMs(timer);
    if (store.totalCount() != EntryStore::kMaxEntries) qFatal("import_csv: %d entries", store.totalCount());
    return ms;
}
