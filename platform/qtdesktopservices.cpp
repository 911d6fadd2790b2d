#include "platform/qtdesktopservices.h"

#include "settings/apppaths.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>

namespace {

const QString kTitle = QStringLiteral("Keyvane");

QMessageBox::Icon boxIcon(DesktopServices::Icon icon)
{
    switch (icon) {
    case DesktopServices::Icon::Information:
        return QMessageBox::Information;
    case DesktopServices::Icon::Warning:
        return QMessageBox::Warning;
    case DesktopServices::Icon::Critical:
        return QMessageBox::Critical;
    case DesktopServices::Icon::Question:
        return QMessageBox::Question;
    case DesktopServices::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDesktopServices::message(QWidget* parent, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDesktopServices::askYesNo(QWidget* parent, const QString& text, Icon icon, Answer byDefault)
{
    QMessageBox box(boxIcon(icon), kTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(byDefault == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

int QtDesktopServices::choose(QWidget* parent, const QString& text, const QStringList& choices, Icon icon)
{
    QMessageBox box(boxIcon(icon), kTitle, text, QMessageBox::NoButton, parent);
    QList<QPushButton*> buttons;
    for (const QString& choice : choices)
        buttons << box.addButton(choice, buttons.size() + 1 < choices.size() ? QMessageBox::AcceptRole
                                                                             : QMessageBox::RejectRole);
    box.setEscapeButton(buttons.last());
    box.exec();
    const int clicked = int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return clicked < 0 ? int(choices.size()) - 1 : clicked;
}

std::optional<QString> QtDesktopServices::inputText(QWidget* parent, const QString& prompt,
                                                    const QString& title, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtDesktopServices::inputPassword(QWidget* parent, const QString& prompt,
                                                        const QString& title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Password, QString(), &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QString QtDesktopServices::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString QtDesktopServices::saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

bool QtDesktopServices::openWithShell(const QString& target)
{
    if (target.isEmpty()) return false;
    // xdg-open started directly (no shell) tells us whether it could be started at all.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) return QProcess::startDetached(opener, {target}, QDir::homePath());
    // Without it, Qt's opener takes only what it can take as typed: an existing file or folder, or an
    // address that names its scheme. Nothing is added to the text; anything else is for the caller to say.
    if (QFileInfo::exists(target))
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
    const QUrl url(target, QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() && QDesktopServices::openUrl(url);
}

bool QtDesktopServices::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments, QDir::homePath());
}

QString QtDesktopServices::findProgram(const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return path;
    }
    return {};
}

void QtDesktopServices::setClipboardText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

QString QtDesktopServices::clipboardText()
{
    return QApplication::clipboard()->text();
}

namespace {
const QString kSecretHint = QStringLiteral("x-kde-passwordManagerHint");
}

void QtDesktopServices::setClipboardSecret(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(kSecretHint, QByteArrayLiteral("secret"));
    QApplication::clipboard()->setMimeData(data);
}

bool QtDesktopServices::clipboardHoldsSecret(const QString& text)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->data(kSecretHint) == "secret" && data->text() == text;
}

void QtDesktopServices::clearClipboard()
{
    QApplication::clipboard()->clear();
}

void QtDesktopServices::pageSetup(QWidget* parent)
{
    QPrinter printer;
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

bool QtDesktopServices::trayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtDesktopServices::printerAvailable()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString QtDesktopServices::loginName()
{
    return AppPaths::loginName();
}
