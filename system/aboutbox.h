#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>

class QPushButton;

// The maker's addresses: the home page, the comments mailbox, and the site the update notice lives on.
namespace Maker {
QUrl site();
QString homePage();
QString commentsAddress();
// A new message to commentsAddress() in the user's mail program.
QString commentsMail();
} // namespace Maker

// A label that acts as a link: it looks like one, takes the mouse and, once focused, Enter or Space.
class AboutLink : public QLabel {
    Q_OBJECT
public:
    explicit AboutLink(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// "About Keyvane": the program's name and version, a link to the maker's site and one to write to the
// maker. Modal; "&Close" or Esc closes it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    AboutLink* Label5 = nullptr;
    AboutLink* Label6 = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void openAddress(const QString& address, const QString& shown);
};

// Help > About and the tray menu's About: opens the box over parent (which may be hidden) without waiting;
// it is deleted when closed.
frmAbout* ShowAbout(QWidget* parent);
