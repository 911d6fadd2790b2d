#include "cli/passwordprompt.h"

#include "cli/commandline.h"
#include "store/sealedfile.h"

#include <csignal>
#include <cstdio>
#include <iterator>
#include <termios.h>
#include <unistd.h>

namespace {

termios g_saved;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void restoreAndRaise(int signal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &g_saved);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The terminal's echo is off for the life of this object, and back on however it ends: a return, a
// refusal thrown through it, or a signal such as Ctrl+C.
class EchoOff {
public:
    EchoOff()
    {
        if (tcgetattr(STDIN_FILENO, &g_saved) != 0) return;
        m_active = true;
        // A signal the shell told us to ignore stays ignored.
        for (size_t k = 0; k < std::size(kSignals); ++k)
            if ((m_previous[k] = std::signal(kSignals[k], restoreAndRaise)) == SIG_IGN)
                std::signal(kSignals[k], SIG_IGN);
        termios quiet = g_saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (!m_active) return;
        tcsetattr(STDIN_FILENO, TCSANOW, &g_saved); // keeps what was typed after the password
        for (size_t k = 0; k < std::size(kSignals); ++k)
            std::signal(kSignals[k], m_previous[k]);
        std::fputc('\n', stderr); // the Enter typed was not echoed
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    bool m_active = false;
    void (*m_previous[std::size(kSignals)])(int) = {};
};

} // namespace

namespace PasswordPrompt {

QString ask(const char* prompt)
{
    std::optional<QString> line;
    {
        // Only at a terminal; off before the prompt shows, since turning it off drops what was typed ahead.
        const EchoOff quiet;
        if (fromTerminal()) {
            std::fputs(prompt, stderr);
            std::fflush(stderr);
        }
        line = readLine();
    }
    if (!line) fail(QStringLiteral("no password given: standard input ended first"));
    return *line;
}

bool fromTerminal()
{
    return isatty(STDIN_FILENO) == 1;
}

std::optional<QString> readLine()
{
    // Reserved once, so that no copy of a secret is left behind by a growing buffer.
    QByteArray bytes;
    bytes.reserve(1024);
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        bytes.append(char(c));
    if (c == EOF && bytes.isEmpty()) return std::nullopt;
    if (bytes.endsWith('\r')) bytes.chop(1);
    QString line = QString::fromUtf8(bytes);
    wipe(bytes);
    return line;
}

QString askNew()
{
    QString password = ask("New master password: ");
    if (fromTerminal()) {
        QString again = ask("The same again: ");
        const bool same = again == password;
        wipe(again);
        if (!same) {
            wipe(password);
            fail(QStringLiteral("the two passwords differ; nothing was changed"));
        }
    }
    if (password.isEmpty()) fail(QStringLiteral("an empty password protects nothing; nothing was changed"));
    return password;
}

} // namespace PasswordPrompt
