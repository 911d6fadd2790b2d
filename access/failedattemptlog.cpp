#include "access/failedattemptlog.h"

#include "settings/apppaths.h"
#include "store/cp1252.h"

#include <QFile>

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

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

// Opens the log owner-only, tightening an existing file that was left readable by others.
bool openLog(QFile& file, QIODevice::OpenMode mode)
{
    const bool existed = file.exists();
    if (!file.open(mode, kOwnerOnly)) return false;
    if (existed) file.setPermissions(kOwnerOnly);
    return true;
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
    QFile file(path());
    if (!openLog(file, QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = file.errorString();
        return false;
    }
    file.close();
    return true;
}

} // namespace FailedAttemptLog

bool LogFailedAttempt(const QString& typed)
{
    const QByteArray bytes = FailedAttemptLog::line(QDateTime::currentDateTime(), typed);
    QFile file(FailedAttemptLog::path());
    // Unbuffered, so a short write shows here rather than being lost at close.
    if (!openLog(file, QIODevice::Append | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()) {
        // Only the reason: the line itself holds what was typed.
        qWarning("The failed-attempt log could not be written: %s", qPrintable(file.errorString()));
        return false;
    }
    file.close();
    return true;
}
