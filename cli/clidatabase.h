#pragma once

#include "store/databasefile.h"
#include "store/entrystore.h"

class CommandLine;

// The database this run works on: the file given with --db, or the one the app would open.
QString databasePathFor(const CommandLine& line);

// Appends a field with TAB, CR and LF written as \\t, \\r and \\n, so that an entry stays on one line.
void appendEscaped(QString& line, const QString& field);

// Fails unless the category holds entry number index (1 is the first, as list shows them).
void checkIndex(const EntryStore& store, int category, int index);

// Fails (status 1) when path is a folder or does not exist: the commands that only read create nothing.
void refuseMissing(const QString& path);

// Reads the file without creating or locking it; fails when it does not exist.
DatabaseContents readForListing(const QString& path);
// The same records handed to visit one at a time, in the same order, without building a store.
DatabaseContents scanForListing(const QString& path,
                                const std::function<void(int, const DatabaseFile::RecordFields&)>& visit);

// The exit status of a command that only reads: 0, or 2 after saying on stderr that only what could be read
// was used (for what, as "exported"); problems is empty when the file loaded whole.
int readStatus(const QString& problems, const char* what);

// The store of a command that only reads: all that could be read of the file, which is never created,
// locked or changed.
class ReadSession {
public:
    explicit ReadSession(const QString& path);

    const EntryStore& store() const { return m_store; }
    // The exit status: 0, or 2 after saying on stderr that only what could be read was used (for what,
    // as "exported").
    int status(const char* what) const { return readStatus(m_problems, what); }

private:
    EntryStore m_store;
    QString m_problems; // empty when the file loaded whole
};

// The store of a command that changes the file: the lock is held from construction to destruction, so
// the app or another keyvane-cli cannot write the file in between. Construction fails (status 1) when the
// file is locked, unreadable, or did not load whole: such a file is left exactly as it is.
class EditSession {
public:
    explicit EditSession(const QString& path);

    EntryStore& store() { return m_store; }
    // Writes the store back through DatabaseFile::save; fails with its error.
    void save();

private:
    DatabaseFile m_file;
    EntryStore m_store;
};
