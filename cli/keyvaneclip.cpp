// keyvane-clip SECONDS: puts its standard input on the clipboard marked as a secret, clears it after SECONDS
// unless something else was copied meanwhile (0: never), and exits once the clipboard is no longer its own.
// keyvane-cli copy starts it, so that the CLI itself needs no GUI library.
#include "platform/desktopservices.h"
#include "platform/secretclipboard.h"
#include "settings/processguard.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <cstdio>

namespace {

int refuse(const char* message)
{
    std::fprintf(stderr, "keyvane-clip: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    ProcessGuard::disableCoreDumps(); // it holds a secret
    // Without a display Qt would abort with several lines; say it in one.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return refuse(
            "there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set) to hold the clipboard");
    bool ok = argc == 2;
    const int seconds = ok ? QByteArray(argv[1]).toInt(&ok) : 0;
    if (!ok || seconds < 0) return refuse("usage: keyvane-clip SECONDS, the text on standard input");

    QApplication app(argc, argv);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return refuse("standard input cannot be read");
    const QString text = QString::fromUtf8(in.readAll());

    SecretClipboard& clipboard = secretClipboard();
    clipboard.copy(text, seconds);
    // Done when the countdown is over, or as soon as the clipboard holds anything else.
    QObject::connect(&clipboard, &SecretClipboard::countdown, &app, [](int left) {
        if (left == 0) QCoreApplication::quit();
    });
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, &app, [&text] {
        if (!desktop().clipboardHoldsSecret(text)) QCoreApplication::quit();
    });
    std::printf(seconds > 0 ? "On the clipboard, marked as a secret, for %d seconds.\n"
                            : "On the clipboard, marked as a secret, until something else is copied.\n",
                seconds);
    std::fflush(stdout);
    return app.exec();
}
