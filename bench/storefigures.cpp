#include "bench/bench.h"
#include "store/databasefile.h"
#include "store/sealedfile.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

const QString kBenchPassword = QStringLiteral("correct horse battery staple");

// The full database sealed once under the standard parameters, held open with its key as the app holds it.
DatabaseFile& sealedDatabase(BenchContext& context)
{
    static const std::unique_ptr<DatabaseFile> file = [&context] {
        auto made = std::make_unique<DatabaseFile>(context.file(QStringLiteral("sealed.adr")));
        QString password = kBenchPassword;
        made->setKey(SealKey::derive(password, KdfParams::standard()));
        QString error;
        if (!made->sealed() || !made->save(context.store, &error)) qFatal("sealed: %s", qPrintable(error));
        return made;
    }();
    return *file;
}

// Reads and decodes the file into the six lists, as the main window does at its start; the figure's time.
double timedLoad(DatabaseFile& file, const char* figure)
{
    // A file held open remembers what it read last. Kept alive here as well, the previous run's entries are
    // not released within this run's read, as a fresh file releases nothing.
    static EntryLists previousRun;
    EntryStore store;
    QElapsedTimer timer;
    timer.start();
    store.setContents(file.read().lists);
    const double ms = elapsedMs(timer);
    if (store.totalCount() != EntryStore::kMaxEntries)
        qFatal("%s: %d entries instead of %d", figure, store.totalCount(), EntryStore::kMaxEntries);
    previousRun = store.contents();
    return ms;
}

} // namespace

// The app's start: read and decode the file, then fill the six lists.
double loadFigure(BenchContext& context)
{
    DatabaseFile file(context.databasePath);
    return timedLoad(file, "load");
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

// The real save as it happens again and again while the app runs: the check for another copy's changes,
// then through a temporary file, synced, checked once more and renamed over the old one.
double saveSyncFigure(BenchContext& context)
{
    DatabaseFile file(context.file(QStringLiteral("saved.adr")));
    QString error;
    if (!file.save(context.store, &error)) qFatal("save_sync: %s", qPrintable(error));
    QElapsedTimer timer;
    timer.start();
    const SaveOutcome outcome =
        file.saveWithChanges(context.store, [](const DatabaseContents&) { return ConflictChoice::Cancel; });
    if (!outcome.saved || outcome.merged) qFatal("save_sync: %s", qPrintable(outcome.error));
    return elapsedMs(timer);
}

// The start of a sealed database: the password window derives the key and opens the file with it, then the
// main window reads and decodes it into the lists.
double unlockFigure(BenchContext& context)
{
    const QString path = sealedDatabase(context).path();
    QElapsedTimer timer;
    timer.start();
    QFile sealed(path);
    if (!sealed.open(QIODevice::ReadOnly)) qFatal("unlock: cannot read %s", qPrintable(path));
    QString password = kBenchPassword;
    QString error;
    DatabaseFile file(path);
    file.setKey(SealedFile::unlock(sealed.readAll(), password, nullptr, &error));
    if (!file.sealed()) qFatal("unlock: %s", qPrintable(error));
    const double unlockMs = elapsedMs(timer);
    return unlockMs + timedLoad(file, "unlock");
}

// As load, with the key already derived.
double loadSealedFigure(BenchContext& context)
{
    return timedLoad(sealedDatabase(context), "load_sealed");
}

// As save_sync, sealed with the key already derived (a fresh nonce each time).
double saveSealedSyncFigure(BenchContext& context)
{
    DatabaseFile& file = sealedDatabase(context);
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!file.save(context.store, &error)) qFatal("save_sealed_sync: %s", qPrintable(error));
    return elapsedMs(timer);
}
