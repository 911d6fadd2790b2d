#include "system/helpwindow.h"

#include "platform/desktopservices.h"
#include "resources/icons.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Keyvane Help");

QString helpStyleSheet()
{
    QFile file(QStringLiteral(":/help/help.css"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

QUrl Help::contentsPage()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(kTitle);
    setWindowIcon(keyvaneIcon(QStringLiteral("help")));

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("tbHelp"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->setMovable(false);
    cmdBack = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdBack->setShortcut(QKeySequence::Back);
    cmdBack->setEnabled(false);
    cmdForward =
        toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    cmdForward->setObjectName(QStringLiteral("cmdForward"));
    cmdForward->setShortcut(QKeySequence::Forward);
    cmdForward->setEnabled(false);
    cmdContents = toolbar->addAction(keyvaneIcon(QStringLiteral("help")), QStringLiteral("Contents"));
    cmdContents->setObjectName(QStringLiteral("cmdContents"));
    cmdContents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    // Links are followed here, so that addresses outside the help go to the desktop instead.
    txtHelp->setOpenLinks(false);
    txtHelp->setOpenExternalLinks(false);
    txtHelp->document()->setDefaultStyleSheet(helpStyleSheet());
    txtHelp->document()->setDocumentMargin(14);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(txtHelp);

    connect(cmdBack, &QAction::triggered, txtHelp, &QTextBrowser::backward);
    connect(cmdForward, &QAction::triggered, txtHelp, &QTextBrowser::forward);
    connect(cmdContents, &QAction::triggered, this, [this] { showPage(Help::contentsPage()); });
    connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QAction::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QAction::setEnabled);
    connect(txtHelp, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(txtHelp, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);

    setMinimumSize(420, 300);
    resize(760, 600);
    // Keys scroll the page from the start; the toolbar is one Tab away.
    txtHelp->setFocus();
}

void HelpWindow::showPage(const QUrl& page)
{
    txtHelp->setSource(page, QTextDocument::HtmlResource);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::followLink(const QUrl& link)
{
    const QUrl target = txtHelp->source().resolved(link);
    if (target.scheme() == QLatin1String("qrc"))
        showPage(target);
    else
        desktop().openWithShell(link.toString());
}

void HelpWindow::pageChanged()
{
    const QString page = txtHelp->documentTitle();
    setWindowTitle(page.isEmpty() || page == kTitle ? kTitle : kTitle + QStringLiteral(" - ") + page);
}

HelpWindow* ShowHelp()
{
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showPage(Help::contentsPage());
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
