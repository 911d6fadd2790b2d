#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Files that hold secrets: readable and writable by their owner only.
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
// Files that hold nothing secret (lists of names, the autostart entry).
constexpr QFileDevice::Permissions kPlainFile = kOwnerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// The one way Keyvane replaces a file: the bytes go to a temporary file in the same folder, which gets its
// permissions before the first byte, is synced, and replaces the old file only once complete. On failure
// the old file is left as it was and error holds a sentence for the user.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions,
                         QString* error);

bool makeOwnerOnly(const QString& path);
