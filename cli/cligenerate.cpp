#include "cli/commandline.h"
#include "cli/commands.h"
#include "generator/generatoroptions.h"
#include "generator/randompassword.h"

int generateCommand(const CommandLine& line)
{
    GeneratorOptions o;
    o.passwordType = line.number("type", o.passwordType);
    o.letterCase = line.number("case", o.letterCase);
    o.length = line.number("length", o.length);
    o.symbols = line.isSet("symbols");
    o.noLookalike = line.isSet("no-lookalike");
    o.exclude = line.value("exclude");
    o.everyKind = line.isSet("every-kind");
    o.passphrase = line.isSet("words");
    o.words = line.number("words", o.words);
    if (line.isSet("separator")) o.separator = line.value("separator");
    o.capitalise = line.isSet("capitalise");
    o.addDigit = line.isSet("digit");
    // Options of the other mode would be silently ignored; a script relying on them is better told.
    const auto refuse = [&line](std::initializer_list<const char*> names, const char* rule) {
        for (const char* name : names)
            if (line.isSet(name))
                fail(QStringLiteral("--%1 %2").arg(QLatin1String(name), QLatin1String(rule)));
    };
    if (o.passphrase)
        refuse({"type", "case", "length", "symbols", "no-lookalike", "exclude", "every-kind"},
               "is for passwords of characters, not with --words");
    else
        refuse({"separator", "capitalise", "digit"}, "needs --words");
    const QString problem = optionsProblem(o);
    if (!problem.isEmpty()) fail(problem);

    const int count = line.number("count", 1);
    if (o.moreOptions()) {
        for (int k = 0; k < count; ++k)
            print(generatePassword(o).toUtf8() + '\n');
    } else {
        // Without the new options, the engine exactly as the dialogs use it.
        RandomPassword engine;
        engine.setLength(static_cast<qint16>(o.length));
        engine.setPasswordType(o.passwordType);
        engine.setLetterCase(o.letterCase);
        for (int k = 0; k < count; ++k) {
            if (k > 0) engine.Generate();
            print(engine.Password().toUtf8() + '\n');
        }
    }
    if (line.isSet("entropy")) print(QStringLiteral("%1 bits\n").arg(entropyBits(o), 0, 'f', 1).toUtf8());
    return 0;
}
