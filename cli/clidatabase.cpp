#include "cli/clidatabase.h"

#include "cli/commandline.h"
#include "settings/apppaths.h"
#include "settings/settingsstore.h"

#include <QFileInfo>

namespace {

void refuseFolder(const QString& path)
{
    if (QFileInfo(path).isDir()) fail(QStringLiteral("%1 is a folder, not a database file").arg(path));
}

} // namespace

void appendEscaped(QString& line, const QString& field)
{
    for (const QChar ch : field) {
        switch (ch.unicode()) {
        case u'\t':
            line += QLatin1String("\\t");
            break;
        case u'\n':
            line += QLatin1String("\\n");
            break;
        case u'\r':
            line += QLatin1String("\\r");
            break;
        default:
            line += ch;
        }
    }
}

QString databasePathFor(const CommandLine& line)
{
    if (const auto& given = line.database()) return *given;
    const SettingsStore settings;
    return AppPaths::databasePath(settings.flag(SettingKey::DiffDB), AppPaths::loginName());
}

void refuseMissing(const QString& path)
{
    refuseFolder(path);
    // DatabaseFile::read() would create a missing file; listing must not write anything.
    if (!QFileInfo::exists(path)) fail(QStringLiteral("there is no database at %1").arg(path));
}

DatabaseContents readForListing(const QString& path)
{
    refuseMissing(path);
    return DatabaseFile(path).read();
}

DatabaseContents scanForListing(const QString& path,
                                const std::function<void(int, const DatabaseFile::RecordFields&)>& visit)
{
    refuseMissing(path);
    return DatabaseFile(path).scan(visit);
}

void checkIndex(const EntryStore& store, int category, int index)
{
    const int count = store.list(category).count();
    if (index > count)
        fail(QStringLiteral("category %1 has %2 entries: there is no entry %3")
                 .arg(category)
                 .arg(count)
                 .arg(index));
}

ReadSession::ReadSession(const QString& path)
{
    DatabaseContents contents = readForListing(path);
    if (!contents.loadedWhole()) m_problems = contents.problems();
    m_store.setContents(std::move(contents.lists));
}

int readStatus(const QString& problems, const char* what)
{
    if (problems.isEmpty()) return 0;
    note(QStringLiteral("only what could be read was %1: %2").arg(QLatin1String(what), problems));
    return 2;
}

EditSession::EditSession(const QString& path) : m_file(path)
{
    refuseFolder(path);
    QString error;
    if (!m_file.lock(&error)) fail(error);
    DatabaseContents contents = m_file.read();
    if (!contents.loadedWhole())
        fail(QStringLiteral("%1 was not changed: it did not load whole (%2); only Keyvane itself overwrites "
                            "such a file, after asking")
                 .arg(path, contents.problems()));
    m_store.setContents(std::move(contents.lists));
}

void EditSession::save()
{
    // Another copy (a sync engine, a second computer) may replace the file meanwhile: its changes join ours
    // rather than being written over. One that did not load whole is left for Keyvane to ask about.
    QString refusal;
    const SaveOutcome outcome = m_file.saveWithChanges(m_store, [&](const DatabaseContents& theirs) {
        refusal =
            QStringLiteral("%1 was not changed: another copy replaced it meanwhile with a file that did "
                           "not load whole (%2); open it in Keyvane to decide")
                .arg(m_file.path(), theirs.problems());
        return ConflictChoice::Cancel;
    });
    if (!refusal.isEmpty()) fail(refusal);
    if (!outcome.saved)
        fail(QStringLiteral("the database %1 could not be saved: %2").arg(m_file.path(), outcome.error));
    if (outcome.merged)
        note(QStringLiteral("Merged changes from another copy: %1 added, %2 removed")
                 .arg(outcome.added)
                 .arg(outcome.removed));
    if (!outcome.conflictCopy.isEmpty())
        note(QStringLiteral("another copy's changes would not fit in the database: its file was kept as %1")
                 .arg(outcome.conflictCopy));
}
