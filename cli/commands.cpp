#include "cli/commands.h"

#include "cli/commandline.h"
#include "store/categories.h"

#include <limits>

namespace {

constexpr int kLastCategory = kCategoryCount - 1;
constexpr int kNoLimit = std::numeric_limits<int>::max();

// Options that several commands share, so their help reads the same everywhere.
const Option kShowOption = flag("show", "Shows field 3 as it is, not as ******.");
const Option kEntryCategory =
    required(number("category", "N", 0, kLastCategory, "The category of the entry."));
const Option kEntryIndex =
    required(number("index", "I", 1, kNoLimit, "The entry's number: 1 is the first, as list shows them."));

// The commands, one row each. To add one: write `int fooCommand(const CommandLine& line)` in a file of its
// own (declare it in commands.h, list the file in CMakeLists.txt), then add a row here with its name, the
// fields it takes, its help text and its options. The parser, the checks every command shares (unknown or
// doubled options, numbers, required options, the field count, --db) and `keyvane-cli NAME --help` all come
// from the row; the function reads the options by name and refuses with fail().
const Command kCommands[] = {
    {"list",
     "",
     "Prints one line per entry, in file order (category 0 first): the\n"
     "category number and the five fields, separated by TABs, in UTF-8.\n"
     "A TAB, CR or LF inside a field is printed as \\t, \\r or \\n. Never\n"
     "creates or changes the file; exits with 2 when part of the file\n"
     "could not be read (what could is printed).",
     {number("category", "N", 0, kLastCategory, "Lists category N only."), kShowOption},
     listCommand},
    {"search",
     "WORDS...",
     "Prints the entries that the main window's search box finds for the\n"
     "words, as list prints them. Every word must occur, in any case, in\n"
     "field 1, 2, 4 or 5 (never field 3); s:, u:, url: and n: narrow the\n"
     "words after them to field 1, 2, 4 or 5.",
     {number("category", "N", 0, kLastCategory, "Searches category N only."), kShowOption},
     searchCommand},
    {"add",
     "FIELD1 FIELD2 FIELD3 FIELD4 FIELD5",
     "Appends an entry to category N and saves. Spaces at both ends of\n"
     "each field are dropped; the file keeps 50 characters of a field.\n"
     "A field with characters outside Windows-1252 is refused, as the\n"
     "file could not keep them.\n"
     "A missing database file is created. A field that begins with -\n"
     "goes after a lone --. FIELD3 given as - is read from standard input\n"
     "(one line), which keeps the secret out of the process list.",
     {required(number("category", "N", 0, kLastCategory, "The category of the new entry."))},
     addCommand},
    {"remove", "", "Removes entry I of category N and saves.", {kEntryCategory, kEntryIndex}, removeCommand},
    {"copy",
     "",
     "Puts field F of entry I of category N on the clipboard, marked as a\n"
     "secret so that clipboard managers keep it out of their history;\n"
     "after S seconds it is cleared, unless something else was copied\n"
     "meanwhile. Waits until then. With S 0 the field stays until\n"
     "something else is copied. Needs a graphical session (DISPLAY or\n"
     "WAYLAND_DISPLAY); keyvane-clip, beside keyvane-cli, holds the\n"
     "clipboard. The field never appears on a command line.",
     {kEntryCategory, kEntryIndex,
      number("field", "F", 1, kFieldCount, "The field to copy (3 unless given)."),
      number("seconds", "S", 0, kNoLimit,
             "Seconds until it is cleared (the setting ClipboardSeconds unless given).")},
     copyCommand},
    {"merge",
     "OTHER",
     "Adds each entry of the database file OTHER that this database does\n"
     "not hold yet, at the end of its category, and saves; an entry OTHER\n"
     "holds twice and this database once is added once. Removes nothing\n"
     "and leaves OTHER as it is. Prints how many entries were added.",
     {},
     mergeCommand},
    {"generate",
     "",
     "Prints new passwords, one a line, made as the Password Generator\n"
     "makes them. Without the options after --count, exactly as its first\n"
     "choices do; with them, every character or word is drawn evenly from\n"
     "what they allow. Reads no database.",
     {number("type", "1|2|3", 1, 3, "1 digits, 2 letters, 3 both (the default)."),
      number("case", "1|2|3", 1, 3, "1 upper, 2 lower, 3 mixed (the default)."),
      number("length", "N", 0, 100, "Characters per password, 0 to 100 (6 unless given)."),
      number("count", "K", 1, kNoLimit, "How many passwords (1 unless given)."),
      flag("symbols", "Adds the punctuation of printable ASCII."),
      flag("no-lookalike", "Leaves out l, I, O, 0, 1 and |."),
      text("exclude", "CHARS", "Leaves out these characters."),
      flag("every-kind", "At least one character of each chosen kind."),
      number("words", "N", 3, 12, "A passphrase of N words from the EFF word list instead."),
      text("separator", "S", "Between the words (- unless given)."),
      flag("capitalise", "One word, chosen at random, begins with a capital."),
      flag("digit", "One word, chosen at random, ends in a digit."),
      flag("entropy", "Then prints the entropy of the choice, in bits.")},
     generateCommand},
    {"health",
     "",
     "Prints one line per entry whose field 3 is empty, shorter than 8\n"
     "characters, weak by the strength estimator (under 40 bits) or the\n"
     "same as another's: the category, the entry's number in it, fields 1\n"
     "and 2 (never the password) and what is wrong, separated by TABs.\n"
     "Exits with 0 whatever it finds; 2 when part of the file could not\n"
     "be read.",
     {},
     healthCommand},
    {"export",
     "",
     "Writes every entry, passwords in clear text, as UTF-8 CSV in the\n"
     "layout of Keyvane, KeePassXC, Bitwarden or Chrome, with its header\n"
     "row, to FILE (owner-only) or standard output. Keep such a file safe.",
     {required(flag("csv", "CSV, the one format written.")),
      text("layout", "L", "keyvane (the default), keepassxc, bitwarden or chrome."),
      file("o", "Writes to FILE instead of standard output.")},
     exportCommand},
    {"import",
     "",
     "Adds the rows of a CSV file and saves, all or nothing: a row that\n"
     "cannot be added as it is (a field over 50 characters, a character\n"
     "the database cannot hold, no room left) is named by its line and\n"
     "nothing is added. A group or folder naming a tab (its last part, for\n"
     "a path) gives the category; any other goes to --category.",
     {required(file("csv", "The CSV file: UTF-8, comma, semicolon or TAB separated.")),
      text("layout", "L",
           "auto (from the header row, the default), keyvane, keepassxc, bitwarden or chrome."),
      number("category", "N", 0, kLastCategory, "For rows whose group names no tab (5, Misc, unless given)."),
      flag("cut", "Cuts fields longer than 50 characters instead of refusing.")},
     importCommand},
    {"encrypt",
     "",
     "Seals the database with a password: a stolen copy of the file then\n"
     "reveals nothing without it, and nothing can recover it. With a master\n"
     "password set, that is the password asked for and sealed with;\n"
     "otherwise a new one is asked for (twice at a terminal). Refuses an\n"
     "empty password and a file sealed already.",
     {},
     encryptCommand},
    {"decrypt",
     "",
     "Writes a sealed database back as the plain record file, byte for byte\n"
     "what a plain save writes; the master password then guards Keyvane's\n"
     "windows and these commands again, not the file.",
     {},
     decryptCommand},
    {"report",
     "",
     "Writes the report that \"Save Report As...\" writes for the same\n"
     "choices, byte for byte (Windows-1252), to FILE or standard output.\n"
     "One of --html and --text is needed; each category named must hold\n"
     "entries.",
     {flag("html", "The HTML report."), flag("text", "The text report."),
      required(text("categories", "LIST", "Categories by number (0-5) or name, separated by commas.")),
      flag("mask", "Hides the sensitive field."),
      text("color", "C", "HTML only: white, blue, green, red or black, for the titles."),
      file("o", "Writes the report to FILE (owner-only) instead of standard output.")},
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

// "add --category N FIELD1 ...": the command as a usage line shows it.
QByteArray withSynopsis(const Command& command)
{
    const QString synopsis = command.synopsis();
    return command.name + (synopsis.isEmpty() ? QByteArray() : ' ' + synopsis.toUtf8());
}

QByteArray commandHelp(const Command& command)
{
    return "Usage: keyvane-cli [--db FILE] " + withSynopsis(command) + "\n\n" + command.description +
           "\n\nOptions:\n" + optionsHelp(command.withGlobalOptions());
}

QByteArray helpText()
{
    QByteArray text = "Usage: keyvane-cli [--db FILE] COMMAND [OPTIONS]\n\n"
                      "Reads and changes the Keyvane database from a terminal.\n\nCommands:\n";
    for (const Command& command : kCommands)
        text += "  " + withSynopsis(command) + '\n' + indented(command.description);
    text += "\n\"keyvane-cli COMMAND --help\" tells what each option of a command does.\n"
            "\nCategories and their fields 1 to 5 (field 3 is the sensitive one):\n";
    for (int c = 0; c < kCategoryCount; ++c)
        text += QStringLiteral("  %1 %2: %3\n")
                    .arg(c)
                    .arg(tabCaption(c), columnCaptions(c).join(QStringLiteral(", ")))
                    .toUtf8();
    text += "\nOptions:\n" + optionsHelp(globalOptions()) +
            "\nWithout --db: <login name>.adr, or default.adr when the setting DiffDB\n"
            "is 0, in $KEYVANE_HOME or the per-user data folder.\n"
            "\nThe master password, asked for at the terminal without echo or read as\n"
            "the first line of standard input (then add's FIELD3 - is the next):\n"
            "  A sealed database (see encrypt): every command but generate asks for\n"
            "  it, since nothing opens the file without it; a wrong password, or a\n"
            "  file changed since it was sealed, is refused and the file left as it\n"
            "  is. Saves seal the file again.\n"
            "  A plain database with a master password set (RequirePW=1): list\n"
            "  --show, search --show, report without --mask, export, add, remove,\n"
            "  merge, import, encrypt and copy of field 3 ask for it; list, search,\n"
            "  health and generate do not. It guards these commands only: field 3's\n"
            "  cipher has a fixed key, so whoever can read the file reads every entry.\n"
            "\nadd, remove, merge and import wait for no one: while Keyvane (or\n"
            "another keyvane-cli) holds the database, they refuse to change it.\n"
            "When another copy (a sync engine, a second computer) replaced the file\n"
            "meanwhile, its changes are merged with the command's before the save,\n"
            "and stderr says so.\n"
            "\nExit status: 0 done; 1 refused (bad input, a missing, locked or damaged\n"
            "database, a full store), nothing written; 2 list, search, health, export\n"
            "or report gave only what could be read of the file.\n";
    return text;
}

} // namespace

int runCli(const QStringList& arguments)
{
    try {
        // Global options come before the command; every word from the command's name on is its own.
        QCommandLineParser global;
        global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
        parseWords(global, globalOptions(), arguments, QStringLiteral("see --help"));
        if (global.isSet(QStringLiteral("help"))) {
            print(helpText());
            return 0;
        }
        const QStringList words = global.positionalArguments();
        if (words.isEmpty()) fail(QStringLiteral("no command given (see --help)"));
        const Command* command = findCommand(words.first());
        if (!command)
            fail(QStringLiteral("unknown command %1 (see --help)")
                     .arg(looksLikeName(words.first()) ? QLatin1Char('"') + words.first() + QLatin1Char('"')
                                                       : QStringLiteral("(a word that is no command)")));
        std::optional<QString> database;
        if (global.isSet(QStringLiteral("db"))) database = global.value(QStringLiteral("db"));
        const CommandLine line(*command, words.mid(1), database);
        if (line.isSet("help")) {
            print(commandHelp(*command));
            return 0;
        }
        return command->run(line);
    } catch (const CliError& error) {
        note(error.message);
        return error.status;
    }
}
