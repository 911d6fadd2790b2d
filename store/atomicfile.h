#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <functional>

// Files that hold secrets: readable and writable by their owner only.
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
// Files that hold nothing secret (lists of names, the autostart entry).
constexpr QFileDevice::Permissions kPlainFile = kOwnerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// The one way Keyvane replaces a file: the bytes go to a temporary file in the same folder, which gets its
// permissions before the first byte, is synced, and replaces the old file only once complete. On failure
// the old file is left as it was and error holds a sentence for the user.
// replaceIf, when given, is asked once the new bytes are safely on disk, just before they replace the old
// file: when it returns false, the old file is left as it is and the reason is its error.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions,
                         QString* error, const std::function<bool(QString*)>& replaceIf = {});

// For the temporary files in the data folder, where others might have planted a link: whatever is at path
// (a file left from before, or a link) is removed, never followed, and the file is created afresh and
// owner-only; if the name is taken again in between, the write fails rather than follow it.
bool writeTemporaryFile(const QString& path, const QByteArray& bytes, QString* error);

bool makeOwnerOnly(const QString& path);

// Why a new file cannot be written in folder, in the system's words ("No space left on device."), found by
// writing and removing a file of one byte; empty when one can be written.
QString writeProblem(const QString& folder);
