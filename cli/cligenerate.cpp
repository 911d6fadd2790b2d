#include "cli/commandline.h"
#include "cli/commands.h"
#include "generator/randompassword.h"

int generateCommand(const CommandLine& line)
{
    // The engine's own defaults are the dialogs' ones: digits and letters, mixed case, six characters.
    RandomPassword engine;
    engine.setLength(static_cast<qint16>(line.number("length", engine.Length())));
    engine.setPasswordType(line.number("type", engine.PasswordType()));
    engine.setLetterCase(line.number("case", engine.LetterCase()));
    const int count = line.number("count", 1);
    for (int k = 0; k < count; ++k) {
        if (k > 0) engine.Generate();
        print(engine.Password().toUtf8() + '\n');
    }
    return 0;
}
