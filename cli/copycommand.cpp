#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QProcess>

int copyCommand(const CommandLine& line)
{
    const int category = line.number("category", 0);
    const int index = line.number("index", 1);
    const int field = line.number("field", kSensitiveColumn + 1);
    const int seconds = line.isSet("seconds") ? line.number("seconds", 0)
                                              : SettingsStore().number(SettingKey::ClipboardSeconds);

    const ReadSession session(line, field == kSensitiveColumn + 1 ? Access::Secrets : Access::Masked);
    checkIndex(session.store(), category, index);
    const QString value = session.store().list(category).entry(index - 1).field(field).toString();
    if (value.isEmpty())
        fail(QStringLiteral("field %1 of that entry is empty: there is nothing to copy").arg(field));

    // The clipboard belongs to a graphical program; this one stays free of the GUI libraries. The value goes
    // through a pipe, never on a command line that others could read.
    QProcess clip;
    clip.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/keyvane-clip");
    clip.start(program, {QString::number(seconds)});
    if (!clip.waitForStarted())
        fail(
            QStringLiteral("copy needs %1, which could not be started: %2").arg(program, clip.errorString()));
    clip.write(value.toUtf8());
    clip.closeWriteChannel();
    clip.waitForFinished(-1);
    if (clip.exitStatus() == QProcess::NormalExit && clip.exitCode() == 0) return session.status("read");
    // keyvane-clip says why in one line of its own; Qt, when it cannot open the display, in several.
    const QByteArray reason = clip.readAllStandardError().trimmed();
    const qsizetype own = reason.lastIndexOf("keyvane-clip: ");
    fail(own >= 0 ? QString::fromUtf8(reason.mid(own + 14)).section(QLatin1Char('\n'), 0, 0)
                  : QStringLiteral("the clipboard could not be reached: no display could be opened"));
}
