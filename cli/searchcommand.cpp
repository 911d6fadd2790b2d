#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "store/entrysearch.h"

int searchCommand(const CommandLine& line)
{
    const int only = line.number("category", -1);
    const bool show = line.isSet("show");
    const SearchQuery query(line.fields().join(QLatin1Char(' ')));

    const ReadSession session(line, show ? Access::Secrets : Access::Masked);
    QString text;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (only >= 0 && c != only) continue;
        for (const Entry& entry : session.store().list(c).entries()) {
            if (!query.matches(entry)) continue;
            text += QString::number(c);
            for (int n = 1; n <= kFieldCount; ++n) {
                text += QLatin1Char('\t');
                appendEscaped(text, n == kSensitiveColumn + 1 && !show ? EntryModel::kMask : entry.field(n));
            }
            text += QLatin1Char('\n');
        }
    }
    print(text.toUtf8());
    return session.status("searched");
}
