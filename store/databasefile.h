#pragma once

#include "store/categories.h"
#include "store/databasemerge.h"
#include "store/entry.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class EntryStore;
class QIODevice;
class QFile;
class SealKey;

// The database file: a headerless run of 258-byte records, all of category 0 first, then 1, ... 5.
namespace DatabaseLayout {
constexpr int kFieldSize = 50;
constexpr int kRecordSize = 258;
constexpr int kCategoryOffset = 250;
} // namespace DatabaseLayout

// What a file held, and what of it could not be taken into the store.
struct DatabaseContents {
    EntryLists lists;
    int recordsLoaded = 0;
    int badCategoryRecords = 0; // category not 0-5 (or not a number): skipped
    int recordsBeyondLimit = 0; // past the 32767 the store can hold
    int strayBytes = 0;         // a partial last record
    QString readError;          // the file exists but could not be read (or, sealed, not opened)
    QString createError;        // the file was missing and could not be created

    bool loadedWhole() const;
    // A sentence for the user naming what was not loaded; empty when the file loaded whole.
    QString problems() const;
};

// The file pads the enciphered field 3 with spaces, so a value whose enciphered form ends in a space would
// lose that last character when read back. Empty when the value is kept whole; otherwise a sentence for
// the user, naming the field by its caption.
QString sensitiveFieldProblem(const QString& clear, const QString& caption);
// Empty when the file keeps the entry as it will be stored (each field trimmed and cut to its width);
// otherwise the sentence for the first field it would change, named by its caption (one per field).
QString entryProblem(const Entry& entry, const QStringList& captions);

QByteArray encodeRecord(const Entry& entry, int category);
QByteArray encodeDatabase(const EntryStore& store);
// Reads the records of a device open for reading, which must be able to go back to its start.
DatabaseContents decodeDatabase(QIODevice& device);
// The same from a record-file image in memory.
DatabaseContents decodeImage(QByteArrayView image);

// The file as one stat sees it; a rename over it shows as another inode, a write in place as another change
// time, even when a sync engine keeps the size and the modification time.
struct DiskState {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 inode = 0;

    static DiskState of(const QString& path);
    bool operator==(const DiskState& other) const;
};

// Another database file as it is, not locked and never written: a plain record file, or a sealed one that
// opens with key (it does not load whole otherwise). A missing file does not load.
DatabaseContents readAnotherDatabase(const QString& path, const SealKey* key);
// The copies sync engines and Keyvane itself leave beside a database when two copies met
// (<name>.sync-conflict-<date>-<time>-<device>.adr, <name> (... conflicted copy ...).adr,
// <name>.adr.conflict-<date>): their file names, sorted.
QStringList conflictCopiesBeside(const QString& databasePath);

// What to do when another copy left a file that did not load whole: merge what could be read, or keep mine;
// either way its bytes are kept beside the database first. Or neither, and nothing is written.
enum class ConflictChoice { MergeReadable, KeepMine, Cancel };

struct SaveOutcome {
    bool saved = false;
    bool merged = false; // another copy's changes were merged into the store first
    int added = 0;
    int removed = 0;
    QString conflictCopy; // where the other copy's file was kept, when it was
    QString error;        // when not saved: a sentence for the user; empty when cancelled
};

// One database file held for a whole run: locked against a second writer, read once, saved atomically.
class DatabaseFile {
public:
    explicit DatabaseFile(QString path);
    ~DatabaseFile();

    const QString& path() const { return m_path; }

    // Takes the lock on the file. Fails when another Keyvane (the app or the CLI) holds it.
    bool lock(QString* error);
    bool isLocked() const;
    // Reads the file; a missing file is created empty with owner-only permissions. A sealed file is opened
    // with the key set; one that does not open with it is never written.
    DatabaseContents read();
    // The five fields of a record as the store takes them, still in Windows-1252: trimmed, field 3
    // deciphered. Valid during the call they are handed to.
    using RecordFields = std::array<QByteArrayView, kFieldCount>;
    using CategoryCounts = std::array<int, kCategoryCount>;
    // Hands each record that read() would load to visit(category, fields), in the order of the lists, without
    // building entries: for a reader that only passes the fields on. begin, when given, first learns how many
    // records of each category visit will get (none when the file cannot be read); when it returns false,
    // nothing is visited. The result holds no entries, only what could not be taken. A missing file is not
    // created; a sealed one is opened with the key, as read() opens it.
    DatabaseContents scan(const std::function<void(int category, const RecordFields& fields)>& visit,
                          const std::function<bool(const CategoryCounts& counts)>& begin = {});
    // Writes the store through a temporary file that replaces the old one only once it is complete.
    // A file that did not load whole is written only after allowOverwrite(), and a copy of it is kept
    // beside it first.
    bool save(const EntryStore& store, QString* error);

    // The save of a run that may share the file with another copy: the other copy's changes are merged
    // into the store first, and again should it write while this save is under way. decide is asked only
    // for an other copy's file that did not load whole; one whose merge would exceed the store's limit is
    // kept beside the database, mine saved. One that cannot be read at all is not written over.
    using DecideConflict = std::function<ConflictChoice(const DatabaseContents& theirs)>;
    SaveOutcome saveWithChanges(EntryStore& store, const DecideConflict& decide);
    // The step before the save's write, for a file that changed while nothing was unsaved too: takes in what
    // changedOnDisk() found as saveWithChanges() does, adding to outcome. False when nothing more may happen
    // (cancelled, or the copy beside the database not kept: outcome.error says); unless outcome.merged,
    // mine stays and the file on disk may be written over.
    bool takeInChanges(EntryStore& store, const DatabaseContents& theirs, const DecideConflict& decide,
                       SaveOutcome& outcome);

    // Another copy (a sync engine, a second computer) may replace the file while this run holds it. Before a
    // save: one stat and, only when the file is no longer what this run last read or wrote, one read.
    // Returns what the file holds now when its entries differ from those; nothing otherwise, nor for a file
    // that is gone.
    std::optional<DatabaseContents> changedOnDisk();
    // Merges what changedOnDisk() found into the store: my changes since the last read or save stay, theirs
    // join them, and theirs becomes what later changes are measured against. Nothing is applied when the
    // result would exceed the store's limit (overLimit tells). DatabaseChanged tells whether the file still
    // lacks something the store holds.
    MergeResult mergeChangesInto(EntryStore& store, const DatabaseContents& theirs);
    // changedOnDisk() found a file it could not read at all: nothing to merge or keep aside, so it is not
    // written over.
    bool theirsUnreadable() const { return m_theirUnreadable; }
    // Keeps the bytes changedOnDisk() read beside the database as <name>.conflict-<date>, owner-only; the
    // file on disk may then be written over.
    bool keepConflictCopy(QString* copyPath, QString* error);

    bool needsOverwriteConsent() const { return !m_loadedWhole && !m_overwriteAllowed && !m_writeRefused; }
    void allowOverwrite() { m_overwriteAllowed = true; }
    QString backupPath() const { return m_backupPath; }

    // While a key is set every save seals the file with it (a fresh nonce each time); without one saves
    // are plain. The key stays for the session and is wiped when replaced or dropped.
    void setKey(std::unique_ptr<SealKey> key);
    const SealKey* key() const { return m_key.get(); }
    bool sealed() const { return m_key != nullptr; }
    // Rewrites the file as it is on disk, sealed with the new key or, without one, as the plain record file
    // it holds (byte for byte what a plain save writes), then keeps the key. The entries in memory are not
    // involved, so unsaved changes stay unsaved. On failure file and key stay as they were.
    bool rekey(std::unique_ptr<SealKey> key, QString* error);
    // The file on disk was sealed and did not open with the key: nothing may replace it.
    bool writeRefused() const { return m_writeRefused; }

private:
    bool keepBackup(QString* error);
    // Reads a sealed file whole into bytes and opens it there with the key; the image is a view into bytes.
    std::optional<QByteArrayView> openImage(QFile& file, bool sealed, QByteArray& bytes,
                                            DatabaseContents& contents);
    void remember(EntryLists lists, const DiskState& disk);
    // Saves unless the file's state differs from expected just before the rename.
    bool write(const EntryStore& store, const DiskState& expected, QString* error);

    // What this run last read or wrote, to tell another copy's changes from ours.
    DiskState m_disk;
    EntryLists m_base;
    // What changedOnDisk() last found, until it is merged or saved over.
    DiskState m_theirDisk;
    QByteArray m_theirBytes;
    bool m_theirUnreadable = false;
    bool m_changedDuringSave = false;

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_loadedWhole = true;
    bool m_overwriteAllowed = false;
    bool m_writeRefused = false;
    QString m_backupPath;
    std::unique_ptr<SealKey> m_key;
};
