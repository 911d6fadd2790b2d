#pragma once

#include "platform/desktopservices.h"

#include <QQueue>
#include <QStringList>

// Scripted desktop for form tests: answers come from queues, and everything asked for is recorded.
// An unscripted question fails the test rather than block it.
class FakeDesktop : public DesktopServices {
public:
    struct Started {
        QString program;
        QStringList arguments;
    };

    // Installs a fresh fake as the desktop in force and returns it; it stays until the next install.
    static FakeDesktop& install();

    QStringList messages;
    QStringList questions;
    QStringList noByDefault; // the questions asked with No as their default
    QQueue<bool> yesNoAnswers;
    QQueue<int> choiceAnswers; // indexes into the choices offered
    QQueue<std::optional<QString>> inputAnswers;
    QQueue<QString> fileAnswers;
    QStringList opened;
    QList<Started> started;
    QStringList onPath; // programs findProgram() can see
    QString clipboard;
    bool clipboardSecret = false; // the clipboard's text carries the secret mark
    int pageSetups = 0;
    bool tray = false;
    bool printer = true;
    bool openerWorks = true;
    QString login = QStringLiteral("anna");

    void message(QWidget* parent, const QString& text, Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, Icon icon, Answer byDefault) override;
    int choose(QWidget* parent, const QString& text, const QStringList& choices, Icon icon) override;
    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& initial) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    bool openWithShell(const QString& target) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QStringList& names) override;
    void setClipboardText(const QString& text) override
    {
        clipboard = text;
        clipboardSecret = false;
    }
    QString clipboardText() override { return clipboard; }
    void setClipboardSecret(const QString& text) override
    {
        clipboard = text;
        clipboardSecret = true;
    }
    bool clipboardHoldsSecret(const QString& text) override { return clipboardSecret && clipboard == text; }
    void clearClipboard() override { setClipboardText(QString()); }
    void pageSetup(QWidget*) override { ++pageSetups; }
    bool trayAvailable() override { return tray; }
    bool printerAvailable() override { return printer; }
    QString loginName() override { return login; }
};
