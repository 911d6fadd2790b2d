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

QString databasePathFor(const CommandLine& line)
{
    if (const auto& given = line.database()) return *given;
    const SettingsStore settings;
    return AppPaths::databasePath(settings.flag(SettingKey::DiffDB), AppPaths::loginName());
}

namespace {

void refuseMissing(const QString& path)
{
    refuseFolder(path);
    // DatabaseFile::read() would create a missing file; listing must not write anything.
    if (!QFileInfo::exists(path)) fail(QStringLiteral("there is no database at %1").arg(path));
}

} // namespace

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
    QString error;
    if (!m_file.save(m_store, &error))
        fail(QStringLiteral("the database %1 could not be saved: %2").arg(m_file.path(), error));
}
