#include "bench/bench.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A program started with vfork, so that the size of this process costs the child nothing. Standard error is
// dropped; standard output goes to /dev/null or to a pipe. A traced child stops just before its end, so that
// its own peak memory can be read then: the kernel's figure for a child also counts what its parent held
// when it was started.
class Child {
public:
    Child(const QString& program, const QStringList& arguments, const QStringList& environment, bool pipeOut,
          bool traced)
    {
        std::vector<std::string> words{program.toStdString()};
        for (const QString& a : arguments)
            words.push_back(a.toStdString());
        // Ours first: the first of two equal names is the one a program reads.
        std::vector<std::string> variables;
        for (const QString& v : environment)
            variables.push_back(v.toStdString());
        for (char** v = environ; *v; ++v)
            variables.emplace_back(*v);
        std::vector<char*> argv, envp;
        for (std::string& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        for (std::string& v : variables)
            envp.push_back(v.data());
        envp.push_back(nullptr);

        int out[2] = {-1, -1};
        if (pipeOut && pipe(out) != 0) qFatal("bench: no pipe");
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        started = nowMs();
        m_pid = vfork();
        if (m_pid == 0) {
            if (traced) ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
            dup2(pipeOut ? out[1] : null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            if (pipeOut) {
                close(out[0]);
                close(out[1]);
            }
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(null);
        if (m_pid < 0) qFatal("bench: %s could not be started", qPrintable(program));
        if (pipeOut) {
            close(out[1]);
            m_out = out[0];
        }
        if (traced) {
            int status = 0; // stopped at its exec
            if (waitpid(m_pid, &status, 0) != m_pid || !WIFSTOPPED(status))
                qFatal("bench: the child did not stop");
            ptrace(PTRACE_SETOPTIONS, m_pid, nullptr, PTRACE_O_TRACEEXIT);
            ptrace(PTRACE_CONT, m_pid, nullptr, nullptr);
        }
    }
    ~Child()
    {
        if (m_out >= 0) close(m_out);
    }

    // Reads standard output until text arrives; false at its end or after a minute of silence.
    bool waitFor(const char* text)
    {
        std::string seen;
        char buffer[256];
        ssize_t n;
        pollfd ready{m_out, POLLIN, 0};
        while (poll(&ready, 1, 60000) > 0 && (n = read(m_out, buffer, sizeof buffer)) > 0) {
            seen.append(buffer, size_t(n));
            if (seen.find(text) != std::string::npos) return true;
        }
        return false;
    }

    // The peak resident memory so far, in megabytes, while the child runs.
    double peakMb() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_pid));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
        return -1;
    }

    void kill() { ::kill(m_pid, SIGKILL); }

    // Waits for the end; the exit status, or -1 for a killed child. A traced child's peak memory is read
    // just before it ends.
    int wait()
    {
        int status = 0;
        while (waitpid(m_pid, &status, 0) == m_pid && WIFSTOPPED(status)) {
            int signal = WSTOPSIG(status);
            if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
                peakAtEnd = peakMb();
                signal = 0;
            } else if (signal == SIGTRAP) {
                signal = 0;
            }
            ptrace(PTRACE_CONT, m_pid, nullptr, reinterpret_cast<void*>(qintptr(signal)));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    double started = 0;
    double peakAtEnd = -1;

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

// keyvane-cli on the full database, writing to /dev/null; the whole process, its peak memory as the memory.
double cliFigure(BenchContext& context, const QStringList& arguments)
{
    Child child(QStringLiteral(KEYVANE_CLI_PATH),
                QStringList{QStringLiteral("--db"), context.databasePath} + arguments,
                {QStringLiteral("KEYVANE_HOME=") + context.file(QStringLiteral("cli-home"))}, false, true);
    const int status = child.wait();
    const double ms = nowMs() - child.started;
    if (status != 0) qFatal("keyvane-cli %s: exit status %d", qPrintable(arguments.join(u' ')), status);
    context.memoryMb = child.peakAtEnd;
    return ms;
}

// A data folder of its own: the in-process figures may hold the lock on theirs, and a second Keyvane would
// only say that the database is in use.
QString appStartHome(BenchContext& context)
{
    const QString home = context.file(QStringLiteral("app-start-home"));
    if (QDir().mkpath(home) && !QFile::exists(home + QStringLiteral("/default.adr"))) {
        QFile::copy(context.databasePath, home + QStringLiteral("/default.adr"));
        QFile ini(home + QStringLiteral("/keyvane.ini"));
        if (!ini.open(QIODevice::WriteOnly) || ini.write("[Settings]\nDiffDB=0\n") < 0)
            qFatal("app_start: the settings cannot be written");
    }
    return home;
}

const QStringList kEveryCategory{QStringLiteral("--categories"), QStringLiteral("0,1,2,3,4,5")};

} // namespace

double cliListFigure(BenchContext& context)
{
    return cliFigure(context, {QStringLiteral("list"), QStringLiteral("--show")});
}

double cliReportHtmlFigure(BenchContext& context)
{
    return cliFigure(context,
                     QStringList{QStringLiteral("report"), QStringLiteral("--html")} + kEveryCategory);
}

double cliReportTextFigure(BenchContext& context)
{
    return cliFigure(context,
                     QStringList{QStringLiteral("report"), QStringLiteral("--text")} + kEveryCategory);
}

// The real program, offscreen, from its start until its main window has painted with the full store; the
// memory is its peak up to then. It is killed there, before it could write anything.
double appStartFigure(BenchContext& context)
{
    Child app(QStringLiteral(KEYVANE_APP_PATH), {},
              {QStringLiteral("KEYVANE_HOME=") + appStartHome(context),
               QStringLiteral("QT_QPA_PLATFORM=offscreen"), QStringLiteral("KEYVANE_FIRST_PAINT_MARK=1")},
              true, false);
    const bool painted = app.waitFor("painted");
    const double ms = nowMs() - app.started;
    context.memoryMb = app.peakMb();
    app.kill();
    app.wait();
    if (!painted) qFatal("app_start: the main window never said it painted");
    return ms;
}
