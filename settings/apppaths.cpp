#include "settings/apppaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

QString ensureFolder(const QString& path)
{
    // The last folder is made owner-only as it is made; those above it, if missing, as usual.
    const QString clean = QDir::cleanPath(path);
    if (!QFileInfo::exists(clean)) {
        QDir().mkpath(QFileInfo(clean).path());
        QDir().mkdir(clean, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    return clean;
}

QString keyvaneHome()
{
    return qEnvironmentVariable("KEYVANE_HOME");
}

} // namespace

namespace AppPaths {

QString dataFolder()
{
    const QString home = keyvaneHome();
    if (!home.isEmpty()) return ensureFolder(home);
    return ensureFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/Keyvane"));
}

QString settingsFile()
{
    const QString home = keyvaneHome();
    if (!home.isEmpty()) return ensureFolder(home) + QStringLiteral("/keyvane.ini");
    return ensureFolder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/Keyvane")) +
           QStringLiteral("/Keyvane.ini");
}

QString dataFile(const QString& name)
{
    return dataFolder() + QLatin1Char('/') + name;
}

QString loginName()
{
#ifdef Q_OS_UNIX
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return TrimAtNul(QString::fromLocal8Bit(entry->pw_name));
#endif
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) name = qEnvironmentVariable("USERNAME");
    return TrimAtNul(name);
}

QString databasePath(bool diffDb, const QString& login)
{
    if (diffDb && !login.isEmpty()) return dataFile(login + QStringLiteral(".adr"));
    return dataFile(QStringLiteral("default.adr"));
}

QString TrimAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

} // namespace AppPaths
