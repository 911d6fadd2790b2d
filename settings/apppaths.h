#pragma once

#include <QString>

// Where Keyvane keeps its files. $KEYVANE_HOME, when set, holds everything (a self-contained folder);
// otherwise the per-user data and config locations are used. Folders are created owner-only.
namespace AppPaths {

// The data folder (database, list files, log, temporary reports), without a trailing separator.
QString dataFolder();
QString settingsFile();
// A file in the data folder.
QString dataFile(const QString& name);

// The OS login name of the current user; empty when it cannot be told.
QString loginName();
// "<login>.adr" in the data folder when diffDb is on and the login name is known, else "default.adr".
QString databasePath(bool diffDb, const QString& login);

// Returns the text before the first NUL, or the text itself.
QString TrimAtNul(const QString& text);

} // namespace AppPaths
