#include "cli/commands.h"

#include "cli/invocation.h"
#include "store/categories.h"

namespace {

// The dispatch: one line per command.
const Command kCommands[] = {
    {"list", "[--category N] [--show]",
     "Prints one line per entry, in file order (category 0 first): the\n"
     "category number and the five fields, separated by TABs, in UTF-8.\n"
     "Field 3 shows as ****** unless --show is given. A TAB, CR or LF\n"
     "inside a field is printed as \\t, \\r or \\n. --category N lists\n"
     "one category. Never creates or changes the file; exits with 2 when\n"
     "part of the file could not be read (what could is printed).",
     listCommand},
    {"add", "--category N FIELD1 FIELD2 FIELD3 FIELD4 FIELD5",
     "Appends an entry to category N and saves. Spaces at both ends of\n"
     "each field are dropped; the file keeps 50 characters of a field.\n"
     "A missing database file is created. A field that begins with --\n"
     "goes after a lone --. FIELD3 given as - is read from standard input\n"
     "(one line), which keeps the secret out of the process list.",
     addCommand},
    {"remove", "--category N --index I",
     "Removes entry I (1 is the first, as list shows them) of category N\n"
     "and saves.",
     removeCommand},
    {"generate", "[--type 1|2|3] [--case 1|2|3] [--length N] [--count K]",
     "Prints K new passwords (1 unless given), one a line, made as the\n"
     "Password Generator makes them. --type: 1 digits, 2 letters, 3 both\n"
     "(the default); --case: 1 upper, 2 lower, 3 mixed (the default);\n"
     "--length 0 to 100 (6 unless given). Reads no database.",
     generateCommand},
    {"report", "(--html|--text) --categories LIST [--mask] [--color C] [-o FILE]",
     "Writes the report that \"Save Report As...\" writes for the same\n"
     "choices, byte for byte (Windows-1252), to FILE or standard output.\n"
     "LIST names categories by number (0-5) or name, separated by commas;\n"
     "each must hold entries. --mask hides the sensitive field. --color\n"
     "(HTML only): white, blue, green, red or black, for the titles.",
     reportCommand},
};

const Command* findCommand(const QString& name)
{
    for (const Command& command : kCommands)
        if (name == QLatin1String(command.name)) return &command;
    return nullptr;
}

QByteArray indented(const char* text)
{
    QByteArray out;
    for (const QByteArray& line : QByteArray(text).split('\n'))
        out += "      " + line + '\n';
    return out;
}

QByteArray helpText()
{
    QByteArray text = "Usage: keyvane-cli [--db FILE] COMMAND [OPTIONS]\n\n"
                      "Reads and changes the Keyvane database from a terminal.\n\nCommands:\n";
    for (const Command& command : kCommands)
        text +=
            QByteArray("  ") + command.name + ' ' + command.synopsis + '\n' + indented(command.description);
    text += "\nCategories and their fields 1 to 5 (field 3 is the sensitive one):\n";
    for (int c = 0; c < kCategoryCount; ++c)
        text += QStringLiteral("  %1 %2: %3\n")
                    .arg(c)
                    .arg(tabCaption(c), columnCaptions(c).join(QStringLiteral(", ")))
                    .toUtf8();
    text += "\nOptions:\n"
            "  --db FILE  The database file to work on. Without it, the file Keyvane\n"
            "             opens: <login name>.adr, or default.adr when the setting\n"
            "             DiffDB is 0, in $KEYVANE_HOME or the per-user data folder.\n"
            "  --help     Shows this text.\n"
            "\nadd and remove wait for no one: while Keyvane (or another keyvane-cli)\n"
            "holds the database, they refuse to change it.\n"
            "\nExit status: 0 done; 1 refused (bad input, a missing, locked or damaged\n"
            "database, a full store), nothing written; 2 list printed only part of\n"
            "the file.\n";
    return text;
}

} // namespace

int runCli(const QStringList& arguments)
{
    try {
        QStringList words = arguments;
        std::optional<QString> database;
        // Global options come before the command.
        while (!words.isEmpty() && words.first().startsWith(QLatin1String("--")) &&
               words.first() != QLatin1String("--")) {
            const QString option = words.takeFirst();
            if (option == QLatin1String("--help")) {
                Invocation::print(helpText());
                return 0;
            }
            if (option == QLatin1String("--db")) {
                if (words.isEmpty()) fail(QStringLiteral("--db needs a file name"));
                database = words.takeFirst();
            } else if (option.startsWith(QLatin1String("--db="))) {
                database = option.mid(5);
            } else {
                fail(QStringLiteral("unknown option %1 (see --help)").arg(optionForMessage(option)));
            }
        }
        if (words.isEmpty()) fail(QStringLiteral("no command given (see --help)"));
        const QString name = words.takeFirst();
        const Command* command = findCommand(name);
        if (!command) fail(QStringLiteral("unknown command \"%1\" (see --help)").arg(name));
        Invocation invocation(name, words, database);
        // --db is a global option, but taken after the command too, where it is easily typed.
        if (const std::optional<QString> late = invocation.takeValue(QStringLiteral("--db")))
            invocation.setDatabaseOption(*late);
        if (invocation.takeFlag(QStringLiteral("--help"))) {
            Invocation::print(helpText());
            return 0;
        }
        return command->run(invocation);
    } catch (const CliError& error) {
        Invocation::note(error.message);
        return error.status;
    }
}
