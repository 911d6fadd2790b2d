#pragma once

#include "platform/desktopservices.h"

// The real desktop through Qt: message and input boxes, file dialogs, the default opener, the clipboard.
class QtDesktopServices : public DesktopServices {
public:
    void message(QWidget* parent, const QString& text, Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, Icon icon, Answer byDefault) override;
    int choose(QWidget* parent, const QString& text, const QStringList& choices, Icon icon) override;
    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& initial) override;
    std::optional<QString> inputPassword(QWidget* parent, const QString& prompt,
                                         const QString& title) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    bool openWithShell(const QString& target) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QStringList& names) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    void setClipboardSecret(const QString& text) override;
    bool clipboardHoldsSecret(const QString& text) override;
    void clearClipboard() override;
    void pageSetup(QWidget* parent) override;
    bool trayAvailable() override;
    bool printerAvailable() override;
    QString loginName() override;
};
