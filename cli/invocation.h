#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A refusal: its message goes to stderr as one line and its status is the program's exit status.
struct CliError {
    QString message;
    int status = 1;
};

[[noreturn]] void fail(const QString& message, int status = 1);

// One run of keyvane-cli: the global options and the words after the command name. A command takes
// its options out of it and then its positional words; an option nobody took is an error.
class Invocation {
public:
    Invocation(QString command, QStringList words, std::optional<QString> databaseOption);

    const QString& command() const { return m_command; }
    // The file given with --db, if any.
    const std::optional<QString>& databaseOption() const { return m_databaseOption; }
    void setDatabaseOption(const QString& path) { m_databaseOption = path; }

    // True when the word --name was given (before any "--").
    bool takeFlag(const QString& name);
    // The value of "--name VALUE" or "--name=VALUE"; fails when the name is given without a value.
    std::optional<QString> takeValue(const QString& name);
    // The words left after the options were taken; fails on an option no one asked for. After a "--"
    // every word is positional, so a field may begin with "--".
    QStringList takePositionals();
    // Every word left, options included, for a command that parses its own (a lone "--" stays in place).
    QStringList takeRest();

    // Output of the command: UTF-8 on stdout.
    static void print(const QByteArray& utf8);
    // A notice on stderr that does not change the exit status.
    static void note(const QString& message);

private:
    QString m_command;
    QStringList m_options;     // words before "--"
    QStringList m_afterDashes; // words after "--"
    std::optional<QString> m_databaseOption;
};

// An unknown option as an error message may name it: the word may be a mistyped field, even a password,
// so only a word that looks like an option name is repeated, and never a value after "=".
QString optionForMessage(const QString& word);

// "0" to "5"; fails on anything else.
int parseCategory(const QString& text);
