#pragma once

#include <QString>
#include <optional>

// The master password as the command line takes it: typed at the terminal without echo, or, when standard
// input is not a terminal, one line of it (so that a script can pipe it in).
namespace PasswordPrompt {

bool fromTerminal();
// One password: the prompt goes to stderr and the terminal's echo is off while it is typed. Fails (status 1)
// when standard input ends first.
QString ask(const char* prompt);
// A new password: typed twice at the terminal, which must agree; a single line otherwise. An empty one is
// refused.
QString askNew();
// The next line of standard input without its line end; nullopt at its end. Shares the buffer ask() reads
// from, so a line after the password is not lost.
std::optional<QString> readLine();

} // namespace PasswordPrompt
