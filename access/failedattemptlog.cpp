#include "access/failedattemptlog.h"

#include "settings/apppaths.h"
#include "store/cp1252.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The locale's long time pattern without its time-zone field ("h:mm:ss AP t" becomes "h:mm:ss AP"):
// the log has always shown wall-clock time only.
QString longTimeWithoutZone(const QLocale& locale)
{
    const QString pattern = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'') quoted = !quoted;
        if (quoted || c != u't') {
            result += c;
            continue;
        }
        // Drop the run of 't' and the blanks before it.
        while (i + 1 < pattern.size() && pattern.at(i + 1) == u't')
            ++i;
        while (!result.isEmpty() && result.back().isSpace())
            result.chop(1);
    }
    return result.trimmed();
}

// Opens the log for writing, owner-only, and never through a symbolic link: one planted in a folder others
// may write would send the typed passwords elsewhere. An existing file left readable by others is tightened.
bool openLog(QFile& file, QIODevice::OpenMode mode, QString* error)
{
    const int flags =
        O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (mode & QIODevice::Append ? O_APPEND : O_TRUNC);
    const int fd = ::open(QFile::encodeName(FailedAttemptLog::path()).constData(), flags, 0600);
    if (fd < 0 || ::fchmod(fd, 0600) != 0) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0) ::close(fd);
        return false;
    }
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    if (error) *error = file.errorString();
    return false;
}

} // namespace

namespace FailedAttemptLog {

QString path()
{
    return AppPaths::dataFile(QStringLiteral("pw_log.txt"));
}

QString generalDate(const QDateTime& when, const QLocale& locale)
{
    const QTime time = when.time();
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0) return date;
    return date + u' ' + locale.toString(time, longTimeWithoutZone(locale));
}

QByteArray line(const QDateTime& when, const QString& typed, const QLocale& locale)
{
    // Some locales separate the time from its AM/PM marker with a narrow no-break space, which the
    // code page lacks; a plain blank reads the same.
    QString date = generalDate(when, locale);
    date.replace(QChar(0x202F), u' ');
    return Cp1252::fromUnicode(QStringLiteral("Attempt made on ") + date + QStringLiteral(":  \t") + typed +
                               QStringLiteral("\r\n"));
}

bool clear(QString* error)
{
    QFile file;
    return openLog(file, QIODevice::WriteOnly | QIODevice::Truncate, error);
}

} // namespace FailedAttemptLog

bool LogFailedAttempt(const QString& typed)
{
    const QByteArray bytes = FailedAttemptLog::line(QDateTime::currentDateTime(), typed);
    QFile file;
    QString error;
    // Unbuffered, so a short write shows here rather than being lost at close.
    if (!openLog(file, QIODevice::Append | QIODevice::Unbuffered, &error) ||
        file.write(bytes) != bytes.size()) {
        // Only the reason: the line itself holds what was typed.
        qWarning("The failed-attempt log could not be written: %s",
                 qPrintable(error.isEmpty() ? file.errorString() : error));
        return false;
    }
    return true;
}
