#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "store/entrysearch.h"

namespace {

// As list prints a field: one line whatever it holds.
void appendField(QString& line, const QString& field)
{
    for (const QChar ch : field) {
        if (ch == u'\t')
            line += QLatin1String("\\t");
        else if (ch == u'\n')
            line += QLatin1String("\\n");
        else if (ch == u'\r')
            line += QLatin1String("\\r");
        else
            line += ch;
    }
}

} // namespace

int searchCommand(const CommandLine& line)
{
    const int only = line.number("category", -1);
    const bool show = line.isSet("show");
    const SearchQuery query(line.fields().join(QLatin1Char(' ')));

    const DatabaseContents contents = readForListing(databasePathFor(line));
    QString text;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (only >= 0 && c != only) continue;
        for (const Entry& entry : contents.lists[c]) {
            if (!query.matches(entry)) continue;
            text += QString::number(c);
            for (int n = 1; n <= kFieldCount; ++n) {
                text += QLatin1Char('\t');
                appendField(text, n == kSensitiveColumn + 1 && !show ? EntryModel::kMask : entry.field(n));
            }
            text += QLatin1Char('\n');
        }
    }
    print(text.toUtf8());
    if (!contents.loadedWhole()) {
        note(QStringLiteral("not everything was searched: %1").arg(contents.problems()));
        return 2;
    }
    return 0;
}
