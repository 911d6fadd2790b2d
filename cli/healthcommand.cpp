#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "reports/passwordhealth.h"

int healthCommand(const CommandLine& line)
{
    const ReadSession session(line, Access::Masked);
    QString text;
    for (const HealthFinding& f : checkPasswordHealth(session.store()).findings) {
        const Entry& entry = session.store().list(f.category).entry(f.row);
        text += QStringLiteral("%1\t%2\t").arg(f.category).arg(f.row + 1);
        appendEscaped(text, entry.site());
        text += QLatin1Char('\t');
        appendEscaped(text, entry.user());
        text += QLatin1Char('\t') + f.problemText() + QLatin1Char('\n');
    }
    print(text.toUtf8());
    return session.status("checked");
}
