#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

// Everything a form asks of the desktop goes through here, so that tests can script the answers and no
// modal box ever blocks them. Message boxes are titled "Keyvane".
class DesktopServices {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Yes, No };

    virtual ~DesktopServices() = default;

    virtual void message(QWidget* parent, const QString& text, Icon icon = Icon::None) = 0;
    // The default answer (Return) is No for a question whose Yes throws work away.
    virtual bool askYesNo(QWidget* parent, const QString& text, Icon icon = Icon::Question,
                          Answer byDefault = Answer::Yes) = 0;
    // One button per choice; the index of the one clicked. Esc and the close box give the last choice.
    virtual int choose(QWidget* parent, const QString& text, const QStringList& choices,
                       Icon icon = Icon::Question) = 0;
    // Nothing when the user cancels.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                             const QString& initial = {}) = 0;
    // The same with the typed characters hidden; scripted like inputText where the echo does not matter.
    virtual std::optional<QString> inputPassword(QWidget* parent, const QString& prompt, const QString& title)
    {
        return inputText(parent, prompt, title);
    }
    // Empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;

    // The desktop's default action on a path or address, the text as typed. False when nothing could
    // take it.
    virtual bool openWithShell(const QString& target) = 0;
    // Starts a program with its own arguments, never through a shell.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The first of the programs that can be found on the PATH, or empty.
    virtual QString findProgram(const QStringList& names) = 0;

    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() = 0;
    // The text marked as a secret ("x-kde-passwordManagerHint" = "secret"), which clipboard managers keep
    // out of their history.
    virtual void setClipboardSecret(const QString& text) = 0;
    // Whether the clipboard still holds this text as a secret, as Keyvane put it there.
    virtual bool clipboardHoldsSecret(const QString& text) = 0;
    virtual void clearClipboard() = 0;

    // The system's page setup for the default printer; a cancel changes nothing.
    virtual void pageSetup(QWidget* parent) = 0;

    virtual bool trayAvailable() = 0;
    virtual bool printerAvailable() = 0;
    virtual QString loginName() = 0;
};

// The services in force: the real desktop unless a test installed its own.
DesktopServices& desktop();
// Installs other services (tests); returns the ones in force before. Passing nothing restores the real
// desktop.
std::unique_ptr<DesktopServices> installDesktopServices(std::unique_ptr<DesktopServices> services);
