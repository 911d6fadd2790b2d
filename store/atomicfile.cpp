#include "store/atomicfile.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Writes all of bytes to an unbuffered file. A short write is followed by another, which fails with the
// system's reason (a full disk, say).
bool writeAll(QFileDevice& file, const QByteArray& bytes, QString* error)
{
    qint64 written = 0;
    for (qint64 n = 0; written < bytes.size(); written += n)
        if ((n = file.write(bytes.constData() + written, bytes.size() - written)) <= 0) break;
    if (written == bytes.size()) return true;
    if (error)
        *error = QStringLiteral("Only %1 of %2 bytes could be written: %3.")
                     .arg(written)
                     .arg(bytes.size())
                     .arg(file.errorString());
    return false;
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions,
                         QString* error, const std::function<bool(QString*)>& replaceIf)
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
    if (!writeAll(file, bytes, error)) {
        file.cancelWriting();
        return false;
    }
    // Synced before the question, so that the commit's own sync has nothing left to wait for and the
    // answer still holds when the rename comes.
    if (replaceIf) {
        if (::fsync(file.handle()) != 0) {
            file.cancelWriting();
            return fail(QStringLiteral("The new file could not be written to the disk."));
        }
        if (!replaceIf(error)) {
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) return fail(file.errorString());
    // QSaveFile keeps the permissions of a file it replaces: set ours on the result too.
    if (!QFile::setPermissions(path, permissions))
        return fail(QStringLiteral("The permissions of %1 could not be set.").arg(path));
    return true;
}

bool writeTemporaryFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    const auto fail = [error](int code) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(code)) + u'.';
        return false;
    };
    if (::unlink(name.constData()) != 0 && errno != ENOENT) return fail(errno);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return fail(errno);
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(EIO);
    }
    if (writeAll(file, bytes, error)) return true;
    file.close();
    QFile::remove(path);
    return false;
}

bool makeOwnerOnly(const QString& path)
{
    return QFile::setPermissions(path, kOwnerOnly);
}

QString writeProblem(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.keyvane-XXXXXX"));
    if (!probe.open() || probe.write("x", 1) != 1 || !probe.flush()) return probe.errorString() + u'.';
    return {};
}
