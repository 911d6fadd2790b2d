#include "cli/clidatabase.h"

#include "access/accesscontrol.h"
#include "access/failedattemptlog.h"
#include "cli/commandline.h"
#include "cli/passwordprompt.h"
#include "settings/apppaths.h"
#include "settings/settingsstore.h"
#include "store/sealedfile.h"

#include <QFile>
#include <QFileInfo>

namespace {

void refuseFolder(const QString& path)
{
    if (QFileInfo(path).isDir()) fail(QStringLiteral("%1 is a folder, not a database file").arg(path));
}

// As the password window does: a wrong password is logged, beside a sealed file without its text.
[[noreturn]] void refusePassword(const QString& message, const QString& typed)
{
    if (SettingsStore().flag(SettingKey::LogPWs)) LogFailedAttempt(typed);
    fail(message);
}

// Without a settings file no master password is set; none is created just to read that.
bool passwordRequired()
{
    return QFile::exists(AppPaths::settingsFile()) && MasterPassword::required(SettingsStore());
}

// The database the app opens.
QString appDatabasePath()
{
    return AppPaths::databasePath(SettingsStore().flag(SettingKey::DiffDB), AppPaths::loginName());
}

KdfParams sealedParams(const QString& path)
{
    QFile file(path);
    QString error;
    std::optional<KdfParams> params;
    if (file.open(QIODevice::ReadOnly))
        params =
            SealedFile::readParams(file.read(SealedLayout::kHeaderSize + SealedLayout::kTagSize), &error);
    else
        error = file.errorString();
    if (!params) fail(QStringLiteral("the database %1 cannot be opened: %2").arg(path, error));
    return *params;
}

} // namespace

void appendEscaped(QString& line, QStringView field)
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

void refuseMissing(const QString& path)
{
    refuseFolder(path);
    // DatabaseFile::read() would create a missing file; reading must not write anything.
    if (!QFileInfo::exists(path)) fail(QStringLiteral("there is no database at %1").arg(path));
}

void refuseUnopened(const DatabaseFile& file)
{
    if (file.writeRefused())
        refusePassword(QStringLiteral("the database %1 does not open with this password, or it was changed "
                                      "since it was sealed; it is left as it is")
                           .arg(file.path()),
                       QString());
}

QString databasePathFor(const CommandLine& line)
{
    if (const auto& given = line.database()) return *given;
    return appDatabasePath();
}

std::unique_ptr<DatabaseFile> openDatabase(const CommandLine& line, Access access, QString* typed)
{
    const QString path = databasePathFor(line);
    refuseFolder(path);
    auto file = std::make_unique<DatabaseFile>(path);
    if (SealedFile::isSealedFile(path)) {
        const KdfParams params = sealedParams(path);
        QString password = PasswordPrompt::ask("Master password: ");
        if (typed) *typed = password;
        QString error;
        file->setKey(SealKey::derive(password, params, &error)); // wipes what was typed unless kept in *typed
        if (!file->sealed()) fail(asClause(error));
    } else if (access == Access::Secrets && passwordRequired()) {
        QString password = PasswordPrompt::ask("Master password: ");
        if (!MasterPassword::matches(SettingsStore(), password))
            refusePassword(QStringLiteral("the master password is wrong; nothing was done"), password);
        if (typed) *typed = password;
        wipe(password);
    }
    return file;
}

DatabaseContents readDatabase(const CommandLine& line, Access access)
{
    refuseMissing(databasePathFor(line));
    const std::unique_ptr<DatabaseFile> file = openDatabase(line, access);
    DatabaseContents contents = file->read();
    refuseUnopened(*file);
    return contents;
}

DatabaseContents scanDatabase(const CommandLine& line, Access access,
                              const std::function<void(int, const DatabaseFile::RecordFields&)>& visit)
{
    refuseMissing(databasePathFor(line));
    const std::unique_ptr<DatabaseFile> file = openDatabase(line, access);
    DatabaseContents contents = file->scan(visit);
    refuseUnopened(*file);
    return contents;
}

bool isAppDatabase(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(appDatabasePath()).canonicalFilePath();
}

DatabaseContents readOtherFile(const QString& path)
{
    refuseMissing(path);
    if (SealedFile::isSealedFile(path))
        fail(QStringLiteral("%1 is sealed with a password; this command takes a plain database file")
                 .arg(path));
    return readAnotherDatabase(path, nullptr);
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

ReadSession::ReadSession(const CommandLine& line, Access access)
{
    DatabaseContents contents = readDatabase(line, access);
    m_problems = contents.problems();
    m_store.setContents(std::move(contents.lists));
}

int readStatus(const QString& problems, const char* what)
{
    if (problems.isEmpty()) return 0;
    note(QStringLiteral("only what could be read was %1: %2").arg(QLatin1String(what), problems));
    return 2;
}

EditSession::EditSession(std::unique_ptr<DatabaseFile> file) : m_file(std::move(file))
{
    QString error;
    if (!m_file->lock(&error)) fail(error);
    DatabaseContents contents = m_file->read();
    refuseUnopened(*m_file);
    if (!contents.loadedWhole())
        fail(QStringLiteral("%1 was not changed: it did not load whole (%2); only Keyvane itself overwrites "
                            "such a file, after asking")
                 .arg(m_file->path(), contents.problems()));
    m_store.setContents(std::move(contents.lists));
}

void EditSession::save()
{
    // Another copy (a sync engine, a second computer) may replace the file meanwhile: its changes join ours
    // rather than being written over. One that did not load whole is left for Keyvane to ask about.
    QString refusal;
    const SaveOutcome outcome = m_file->saveWithChanges(m_store, [&](const DatabaseContents& theirs) {
        refusal =
            QStringLiteral("%1 was not changed: another copy replaced it meanwhile with a file that did "
                           "not load whole (%2); open it in Keyvane to decide")
                .arg(m_file->path(), theirs.problems());
        return ConflictChoice::Cancel;
    });
    if (!refusal.isEmpty()) fail(refusal);
    if (!outcome.saved)
        fail(QStringLiteral("the database %1 could not be saved: %2").arg(m_file->path(), outcome.error));
    if (outcome.merged)
        note(QStringLiteral("Merged changes from another copy: %1 added, %2 removed")
                 .arg(outcome.added)
                 .arg(outcome.removed));
    if (!outcome.conflictCopy.isEmpty())
        note(QStringLiteral("another copy's changes would not fit in the database: its file was kept as %1")
                 .arg(outcome.conflictCopy));
}
