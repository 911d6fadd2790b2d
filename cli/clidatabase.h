#pragma once

#include "store/databasefile.h"
#include "store/entrystore.h"

#include <memory>

class CommandLine;

// The database this run works on: the file given with --db, or the one the app would open.
QString databasePathFor(const CommandLine& line);

// Appends a field with TAB, CR and LF written as \\t, \\r and \\n, so that an entry stays on one line.
void appendEscaped(QString& line, QStringView field);

// Fails unless the category holds entry number index (1 is the first, as list shows them).
void checkIndex(const EntryStore& store, int category, int index);

// What a command does with field 3. A sealed file asks every command for the master password, since nothing
// opens it without; on a plain file with a master password required (RequirePW=1) a command that shows
// field 3 or changes the file asks for it too, so that the command line is no way around it.
enum class Access { Masked, Secrets };

// The database of this run, ready to read, lock or save, the master password asked for as access needs it
// (a wrong one for a plain file fails at once; a sealed file opens with the key derived from what was
// typed, or its read fails). Writes nothing, and asks nothing about a file that does not exist. The password
// typed is put in *typed when asked for; the caller wipes it.
std::unique_ptr<DatabaseFile> openDatabase(const CommandLine& line, Access access, QString* typed = nullptr);
// Fails (status 1) when path is a folder or does not exist: the commands that only read create nothing.
void refuseMissing(const QString& path);
// Fails (status 1) when the file was sealed and did not open with the key derived from the password typed.
void refuseUnopened(const DatabaseFile& file);
// Reads it without creating or locking it; fails when it does not exist or the password does not open it.
DatabaseContents readDatabase(const CommandLine& line, Access access);
// The same records handed to visit one at a time, in the same order, without building a store.
DatabaseContents scanDatabase(const CommandLine& line, Access access,
                              const std::function<void(int, const DatabaseFile::RecordFields&)>& visit);
// The file is the database the app opens, whose settings hold the master password while it is plain.
bool isAppDatabase(const QString& path);
// A plain database file other than this run's, such as merge's OTHER; a sealed one is refused.
DatabaseContents readOtherFile(const QString& path);

// The exit status of a command that only reads: 0, or 2 after saying on stderr that only what could be read
// was used (for what, as "exported"); problems is empty when the file loaded whole.
int readStatus(const QString& problems, const char* what);

// The store of a command that only reads: all that could be read of the file, which is never created,
// locked or changed. It is read as readDatabase reads it.
class ReadSession {
public:
    ReadSession(const CommandLine& line, Access access);

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
// file is locked, unreadable, does not open with the password, or did not load whole: such a file is left
// exactly as it is. A sealed file is saved sealed again.
class EditSession {
public:
    // The file as openDatabase(line, Access::Secrets) gives it.
    explicit EditSession(std::unique_ptr<DatabaseFile> file);

    EntryStore& store() { return m_store; }
    DatabaseFile& file() { return *m_file; }
    // Writes the store back through DatabaseFile::saveWithChanges; fails with its error.
    void save();

private:
    std::unique_ptr<DatabaseFile> m_file;
    EntryStore m_store;
};
