#include "store/atomicfile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions,
                         QString* error)
{
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    // Unbuffered, so that a short write (disk full, file too large) shows in write()'s count: a buffered
    // QSaveFile can commit a truncated file without reporting it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file.errorString());
    if (!file.setPermissions(permissions)) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const QString why = QStringLiteral("Only %1 of %2 bytes could be written; the disk may be full.")
                                .arg(std::max<qint64>(written, 0))
                                .arg(bytes.size());
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit()) return fail(file.errorString());
    // QSaveFile keeps the permissions of a file it replaces: set ours on the result too.
    if (!QFile::setPermissions(path, permissions))
        return fail(QStringLiteral("The permissions of %1 could not be set.").arg(path));
    return true;
}

bool makeOwnerOnly(const QString& path)
{
    return QFile::setPermissions(path, kOwnerOnly);
}
