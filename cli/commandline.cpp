#include "cli/commandline.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

const QString kDb = QStringLiteral("db");

// One rule for every number: ASCII digits only (no sign, no blanks around them), within the option's range.
int readNumber(const Option& option, const QString& text)
{
    bool ok = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar ch) {
        return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    });
    const int value = ok ? text.toInt(&ok) : 0;
    if (!ok || value < option.minimum || value > option.maximum) {
        const QString range = option.maximum == std::numeric_limits<int>::max()
                                  ? QStringLiteral("from %1 up").arg(option.minimum)
                                  : QStringLiteral("from %1 to %2").arg(option.minimum).arg(option.maximum);
        fail(QStringLiteral("%1 must be a whole number %2, not \"%3\"").arg(option.word(), range, text));
    }
    return value;
}

const Option& declared(const std::vector<Option>& options, const char* name)
{
    const auto found = std::find_if(options.cbegin(), options.cend(),
                                    [name](const Option& option) { return qstrcmp(option.name, name) == 0; });
    if (found == options.cend()) qFatal("keyvane-cli: option %s is not declared", name);
    return *found;
}

} // namespace

void fail(const QString& message, int status)
{
    throw CliError{message, status};
}

QString asClause(QString sentence)
{
    if (sentence.endsWith(QLatin1Char('.'))) sentence.chop(1);
    if (!sentence.isEmpty()) sentence[0] = sentence.at(0).toLower();
    return sentence;
}

void print(const QByteArray& utf8)
{
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
}

void note(const QString& message)
{
    const QByteArray line = QStringLiteral("keyvane-cli: %1\n").arg(message).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

QString Option::word() const
{
    return QLatin1String(qstrlen(name) == 1 ? "-" : "--") + QLatin1String(name);
}

Option flag(const char* name, const char* help)
{
    return {name, Option::Flag, "", help};
}

Option text(const char* name, const char* valueName, const char* help)
{
    return {name, Option::Text, valueName, help};
}

Option file(const char* name, const char* help)
{
    return {name, Option::File, "FILE", help};
}

Option number(const char* name, const char* valueName, int minimum, int maximum, const char* help)
{
    return {name, Option::Number, valueName, help, minimum, maximum};
}

Option required(Option option)
{
    option.required = true;
    return option;
}

int Command::fieldCount() const
{
    return int(QString::fromLatin1(fields).split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

QString Command::synopsis() const
{
    QStringList words;
    for (const Option& option : options) {
        QString word = option.word();
        if (option.kind != Option::Flag) word += QLatin1Char(' ') + QLatin1String(option.valueName);
        words << (option.required ? word : QLatin1Char('[') + word + QLatin1Char(']'));
    }
    if (fieldCount() > 0) words << QString::fromLatin1(fields);
    return words.join(QLatin1Char(' '));
}

std::vector<Option> Command::withGlobalOptions() const
{
    std::vector<Option> all = options;
    all.insert(all.end(), globalOptions().cbegin(), globalOptions().cend());
    return all;
}

const std::vector<Option>& globalOptions()
{
    static const std::vector<Option> options = {
        file("db", "The database file to work on; without it, the one Keyvane opens."),
        flag("help", "Shows the help text."),
    };
    return options;
}

void parseWords(QCommandLineParser& parser, const std::vector<Option>& options, const QStringList& words,
                const QString& hint)
{
    // "-o" and "--o" both name the option o; "-abc" is never read as -a -b -c.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& option : options)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString::fromUtf8(option.help),
                                            QString::fromLatin1(option.valueName)));
    // parse() skips the first word as the program's name.
    if (!parser.parse(QStringList{QString()} + words)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            fail(QStringLiteral("unknown option %1 (%2)").arg(optionForMessage(unknown.first()), hint));
        // Qt's other errors name a declared option only: "Missing value after '--category'."
        fail(asClause(parser.errorText()));
    }
    const QStringList given = parser.optionNames();
    for (const Option& option : options) {
        const QString name = QString::fromLatin1(option.name);
        // A repeated option is most likely a slip; say so rather than guess which one was meant.
        if (given.count(name) > 1) fail(QStringLiteral("%1 is given more than once").arg(option.word()));
        if (!parser.isSet(name)) continue;
        if (option.kind == Option::Number) readNumber(option, parser.value(name));
        if (option.kind == Option::File && parser.value(name).isEmpty())
            fail(QStringLiteral("%1 needs a file name").arg(option.word()));
    }
}

CommandLine::CommandLine(const Command& command, const QStringList& words, std::optional<QString> database)
    : m_command(command), m_database(std::move(database))
{
    QString hint = QStringLiteral("see keyvane-cli %1 --help").arg(QLatin1String(command.name));
    if (command.fieldCount() > 0) hint += QStringLiteral("; a field that begins with - goes after a lone --");
    parseWords(m_parser, command.withGlobalOptions(), words, hint);
    // --db is a global option, but taken after the command too, where it is easily typed.
    if (m_parser.isSet(kDb)) {
        if (m_database) fail(QStringLiteral("--db is given more than once"));
        m_database = m_parser.value(kDb);
    }
    if (isSet("help")) return;
    for (const Option& option : command.options)
        if (option.required && !m_parser.isSet(QString::fromLatin1(option.name)))
            fail(QStringLiteral("%1 needs %2 (see --help)")
                     .arg(QLatin1String(command.name),
                          option.kind == Option::Flag
                              ? option.word()
                              : option.word() + QLatin1Char(' ') + QLatin1String(option.valueName)));
    const qsizetype count = m_parser.positionalArguments().size();
    if (command.moreFields() && count < command.fieldCount())
        fail(QStringLiteral("%1 needs at least %2 (see --help)")
                 .arg(QLatin1String(command.name), QLatin1String(command.fields)));
    if (!command.moreFields() && count != command.fieldCount()) {
        if (command.fieldCount() == 0)
            fail(QStringLiteral("%1 takes no fields (see --help)").arg(QLatin1String(command.name)));
        fail(QStringLiteral("%1 takes exactly %2 fields, not %3 (an empty field is \"\")")
                 .arg(QLatin1String(command.name))
                 .arg(command.fieldCount())
                 .arg(count));
    }
}

bool CommandLine::isSet(const char* name) const
{
    return m_parser.isSet(QString::fromLatin1(name));
}

QString CommandLine::value(const char* name) const
{
    return m_parser.value(QString::fromLatin1(name));
}

int CommandLine::number(const char* name, int fallback) const
{
    return isSet(name) ? readNumber(declared(m_command.options, name), value(name)) : fallback;
}

bool looksLikeName(const QString& word)
{
    static const QRegularExpression name(QStringLiteral("^[a-z][a-z-]{0,30}$"));
    return name.match(word).hasMatch();
}

QString optionForMessage(const QString& name)
{
    if (!looksLikeName(name)) return QStringLiteral("(a word beginning with -)");
    return QLatin1String(name.size() == 1 ? "-" : "--") + name;
}

QByteArray optionsHelp(const std::vector<Option>& options)
{
    QStringList heads;
    qsizetype width = 0;
    for (const Option& option : options) {
        heads << option.word() + (option.kind == Option::Flag
                                      ? QString()
                                      : QLatin1Char(' ') + QLatin1String(option.valueName));
        width = std::max(width, heads.last().size());
    }
    QByteArray text;
    for (size_t i = 0; i < options.size(); ++i)
        text += "  " + heads.at(qsizetype(i)).leftJustified(width + 2).toUtf8() + options[i].help + '\n';
    return text;
}
