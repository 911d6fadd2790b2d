#include "system/autostart.h"

#include "store/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Autostart {

QString entryPath()
{
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // Qt takes a relative XDG_CONFIG_HOME as it is; the base-directory rules ignore it, like an unset one.
    if (QDir::isRelativePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config) + QStringLiteral("/autostart/keyvane.desktop");
}

QString execArgument(const QString& programPath)
{
    // Quoting rules of the Exec key: inside double quotes, '"', '`', '$' and '\' take a backslash; a
    // literal '%' is written "%%" so it is not taken for a field code.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : programPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        if (c == u'%') quoted += u'%';
        quoted += c;
    }
    quoted += u'"';

    // Then the escapes of every string value of a desktop entry, which are undone first when it is read.
    QString escaped;
    for (const QChar c : quoted) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString entryText(const QString& programPath, const QString& keyvaneHome)
{
    QString exec = execArgument(programPath);
    // Started on a folder of its own, the program is started on it again at the next login: env sets the
    // variable, as an absolute path, since the session starts elsewhere.
    if (!keyvaneHome.isEmpty())
        exec = QStringLiteral("env ") +
               execArgument(QStringLiteral("KEYVANE_HOME=") + QDir(keyvaneHome).absolutePath()) + u' ' + exec;
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Keyvane\n"
                          "Comment=Password manager\n"
                          "Exec=%1\n"
                          "Terminal=false\n")
        .arg(exec);
}

bool setStartWithSession(bool on, const QString& programPath, QString* error)
{
    const QString path = entryPath();
    if (!on) {
        QFile entry(path);
        if (!entry.exists() || entry.remove()) return true;
        if (error) *error = entry.errorString();
        return false;
    }

    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("The folder %1 could not be created.")
                         .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        return false;
    }
    return writeFileAtomically(path, entryText(programPath, qEnvironmentVariable("KEYVANE_HOME")).toUtf8(),
                               kPlainFile, error);
}

} // namespace Autostart
