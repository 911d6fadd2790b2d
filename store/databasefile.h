#pragma once

#include "store/categories.h"
#include "store/entry.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <array>
#include <functional>
#include <memory>

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
    std::array<QVector<Entry>, kCategoryCount> lists;
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
    // Hands each record that read() would load to visit(category, fields), in the order of the lists, without
    // building entries: for a reader that only passes the fields on. The result holds no entries, only what
    // could not be taken. A missing file is not created.
    DatabaseContents scan(const std::function<void(int category, const RecordFields& fields)>& visit);
    // Writes the store through a temporary file that replaces the old one only once it is complete.
    // A file that did not load whole is written only after allowOverwrite(), and a copy of it is kept
    // beside it first.
    bool save(const EntryStore& store, QString* error);

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
    void readSealed(QFile& file, bool sealed, DatabaseContents& contents);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_loadedWhole = true;
    bool m_overwriteAllowed = false;
    bool m_writeRefused = false;
    QString m_backupPath;
    std::unique_ptr<SealKey> m_key;
};
