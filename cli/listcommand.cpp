#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"

namespace {

// Keeps one entry on one line whatever its fields hold.
void appendField(QString& line, const QString& field)
{
    for (const QChar ch : field) {
        switch (ch.unicode()) {
        case u'\t':
            line += QLatin1String("\\t");
            break;
        case u'\n':
            line += QLatin1String("\\n");
            break;
        case u'\r':
            line += QLatin1String("\\r");
            break;
        default:
            line += ch;
        }
    }
}

} // namespace

int listCommand(const CommandLine& line)
{
    const int only = line.number("category", -1);
    const bool show = line.isSet("show");

    const DatabaseContents contents = readForListing(databasePathFor(line));
    QString text;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (only >= 0 && c != only) continue;
        for (const Entry& entry : contents.lists[c]) {
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
        note(QStringLiteral("not everything was listed: %1").arg(contents.problems()));
        return 2;
    }
    return 0;
}
