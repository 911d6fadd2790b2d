#include "bench/bench.h"
#include "store/databasefile.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

// The app's start: read and decode the file, then fill the six lists.
double loadFigure(BenchContext& context)
{
    EntryStore store;
    QElapsedTimer timer;
    timer.start();
    DatabaseFile file(context.databasePath);
    DatabaseContents contents = file.read();
    store.setContents(std::move(contents.lists));
    const double ms = elapsedMs(timer);
    if (store.totalCount() != EntryStore::kMaxEntries)
        qFatal("load: %d entries instead of %d", store.totalCount(), EntryStore::kMaxEntries);
    return ms;
}

// Encoding and writing alone, without the commit's sync, to tell the two costs apart.
double saveFigure(BenchContext& context)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(context.file(QStringLiteral("plain.adr")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("save: cannot write the plain file");
    const QByteArray bytes = encodeDatabase(context.store);
    file.write(bytes);
    file.close();
    return elapsedMs(timer);
}

// The real save: through a temporary file, synced and renamed over the old one.
double saveSyncFigure(BenchContext& context)
{
    DatabaseFile file(context.file(QStringLiteral("saved.adr")));
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!file.save(context.store, &error)) qFatal("save_sync: %s", qPrintable(error));
    return elapsedMs(timer);
}
