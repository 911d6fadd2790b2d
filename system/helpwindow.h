#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QTextBrowser;

// The help pages are shipped inside the program; the contents page links to every other one.
namespace Help {
QUrl contentsPage();
} // namespace Help

// The help window: a resizable browser over the help pages with Back, Forward and Contents. Links to other
// pages open in the window; anything else (a web or mail address) goes to the desktop. Esc closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showPage(const QUrl& page);

    QTextBrowser* txtHelp = nullptr;
    QAction* cmdBack = nullptr;
    QAction* cmdForward = nullptr;
    QAction* cmdContents = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followLink(const QUrl& link);
    void pageChanged();
};

// Help > Contents, F1 and the toolbar's Help button: shows the help window at its contents page, or brings
// the open one forward and turns it back to the contents. The window is independent of the main window and
// is deleted when closed. Returns it (tests look into it).
HelpWindow* ShowHelp();
