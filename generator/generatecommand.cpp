#include "generator/generatecommand.h"

#include "generator/randompassword.h"

#include <QTextStream>
#include <limits>
#include <map>
#include <optional>

namespace {

struct Option {
    int minimum;
    int maximum;
    const char* rule; // completes "--name must be ..."
};

const std::map<QString, Option>& options()
{
    static const std::map<QString, Option> table = {
        {QStringLiteral("type"), {1, 3, "1 (digits), 2 (letters) or 3 (digits and letters)"}},
        {QStringLiteral("case"), {1, 3, "1 (upper), 2 (lower) or 3 (mixed)"}},
        {QStringLiteral("length"), {0, 100, "a whole number from 0 to 100"}},
        {QStringLiteral("count"), {1, std::numeric_limits<int>::max(), "a whole number from 1 up"}},
    };
    return table;
}

int fail(QTextStream& err, const QString& problem)
{
    err << "keyvane-cli generate: " << problem << '\n';
    err.flush();
    return 1;
}

} // namespace

QString generateCommandUsage()
{
    return QStringLiteral(
        "usage: keyvane-cli generate [--type 1|2|3] [--case 1|2|3] [--length N] [--count K]\n"
        "  --type    1 digits, 2 letters, 3 digits and letters (default 3)\n"
        "  --case    1 upper, 2 lower, 3 mixed (default 3)\n"
        "  --length  characters per password, 0 to 100 (default 6)\n"
        "  --count   number of passwords, one a line (default 1)\n");
}

int runGenerateCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    std::map<QString, int> given;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            out << generateCommandUsage();
            out.flush();
            return 0;
        }
        if (!word.startsWith(QLatin1String("--")))
            return fail(err, QStringLiteral("unexpected argument \"%1\"").arg(word));

        QString name = word.mid(2);
        std::optional<QString> value;
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const auto option = options().find(name);
        if (option == options().end()) return fail(err, QStringLiteral("unknown option \"--%1\"").arg(name));
        if (!value) {
            if (i + 1 >= args.size()) return fail(err, QStringLiteral("--%1 needs a value").arg(name));
            value = args.at(++i);
        }
        // A repeated option is most likely a slip; say so rather than guess which one was meant.
        if (given.count(name)) return fail(err, QStringLiteral("--%1 is given more than once").arg(name));

        bool ok = false;
        const int number = value->toInt(&ok);
        if (!ok || number < option->second.minimum || number > option->second.maximum)
            return fail(err, QStringLiteral("--%1 must be %2, not \"%3\"")
                                 .arg(name, QString::fromLatin1(option->second.rule), *value));
        given[name] = number;
    }

    const auto valueOf = [&given](const char* name, int fallback) {
        const auto it = given.find(QString::fromLatin1(name));
        return it == given.end() ? fallback : it->second;
    };

    RandomPassword engine;
    engine.setLength(static_cast<qint16>(valueOf("length", engine.Length())));
    engine.setPasswordType(valueOf("type", engine.PasswordType()));
    engine.setLetterCase(valueOf("case", engine.LetterCase()));
    const int count = valueOf("count", 1);
    for (int k = 0; k < count; ++k) {
        if (k > 0) engine.Generate();
        out << engine.Password() << '\n';
    }
    out.flush();
    return 0;
}
