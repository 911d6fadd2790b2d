#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <optional>
#include <vector>

// A refusal: its message goes to stderr as one line and its status is the program's exit status.
struct CliError {
    QString message;
    int status = 1;
};

[[noreturn]] void fail(const QString& message, int status = 1);
// A sentence for the user as a part of a message line: no full stop, a small first letter.
QString asClause(QString sentence);
// Output of a command: UTF-8 on stdout.
void print(const QByteArray& utf8);
// A notice on stderr ("keyvane-cli: ...") that does not change the exit status.
void note(const QString& message);

// One option of a command, declared once: the parser, the checks and --help all read it.
struct Option {
    enum Kind { Flag, Text, File, Number };
    const char* name; // "category" is written --category; a one-letter name such as "o" is written -o
    Kind kind;
    const char* valueName; // in --help: N, LIST, FILE; none for a flag
    const char* help;      // one line
    int minimum = 0;       // Number only
    int maximum = 0;
    bool required = false;

    // How the user writes it: --category, -o.
    QString word() const;
};

Option flag(const char* name, const char* help);
Option text(const char* name, const char* valueName, const char* help);
// A value that must not be empty.
Option file(const char* name, const char* help);
// Digits only, nothing around them, from minimum to maximum.
Option number(const char* name, const char* valueName, int minimum, int maximum, const char* help);
Option required(Option option);

class CommandLine;

// One command of keyvane-cli, as a row of the table in commands.cpp.
struct Command {
    const char* name;
    const char* fields;      // the words it takes besides its options, as --help names them ("" for none)
    const char* description; // for --help, lines of up to 72 characters
    std::vector<Option> options;
    // Runs the command and returns the exit status; a refusal is thrown with fail().
    int (*run)(const CommandLine& line);

    int fieldCount() const;
    // Fields that end in "..." take that many words or more.
    bool moreFields() const { return QByteArray(fields).endsWith("..."); }
    // What follows the name in a usage line, made from the options and fields.
    QString synopsis() const;
    // Its options, then --db and --help, which every command takes.
    std::vector<Option> withGlobalOptions() const;
};

// The options of keyvane-cli itself, taken before the command name and after it alike.
const std::vector<Option>& globalOptions();

// The words of one run of a command, parsed by its declared options. Construction fails on an unknown or
// doubled option, a bad number, a missing value, a missing required option or a wrong number of fields;
// with --help only the first four are checked.
class CommandLine {
public:
    CommandLine(const Command& command, const QStringList& words, std::optional<QString> database);

    bool isSet(const char* name) const;
    // The option's value; empty when it was not given.
    QString value(const char* name) const;
    // A Number option's value, or fallback when it was not given.
    int number(const char* name, int fallback) const;
    // The words that are not options; after a lone "--" every word is one, so a field may begin with "-".
    QStringList fields() const { return m_parser.positionalArguments(); }
    // The file given with --db, before or after the command name.
    const std::optional<QString>& database() const { return m_database; }

private:
    const Command& m_command;
    QCommandLineParser m_parser;
    std::optional<QString> m_database;
};

// Parses words by the declared options, with the checks every command shares (see CommandLine).
void parseWords(QCommandLineParser& parser, const std::vector<Option>& options, const QStringList& words,
                const QString& hint);

// A word such as a command or option name: lower-case letters and dashes. Words of any other shape may be
// a mistyped field, even a password, and are never repeated in a message.
bool looksLikeName(const QString& word);

// An unknown option (its name, as Qt gives it: no dashes, no "=value") as a message may name it.
QString optionForMessage(const QString& name);

// Lines of "  --name VALUE  help", aligned, for --help.
QByteArray optionsHelp(const std::vector<Option>& options);
