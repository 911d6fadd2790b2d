#include "reports/frmhtmlpreview.h"

#include "platform/desktopservices.h"
#include "store/cp1252.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QVBoxLayout>

ReportBrowser::ReportBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ReportBrowser::openAnchor);
}

QVariant ReportBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
        QFile file(name.toLocalFile());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return Cp1252::toUnicode(file.readAll());
    }
    return QTextBrowser::loadResource(type, name);
}

void ReportBrowser::mousePressEvent(QMouseEvent* event)
{
    // The raw target: as a URL, "C:\edit.exe" or a bare host name would be mangled.
    m_pressedAnchor = event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
    QTextBrowser::mousePressEvent(event);
}

void ReportBrowser::openAnchor()
{
    QString target;
    std::swap(target, m_pressedAnchor);
    if (target.isEmpty()) // activated from the keyboard: the cursor stands on the link
        target = textCursor().charFormat().anchorHref();
    if (!target.isEmpty()) desktop().openWithShell(target);
}

frmHTMLPreview::frmHTMLPreview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHTMLPreview"));
    setWindowTitle(QStringLiteral("HTML Tables Report Preview"));
    setSizeGripEnabled(true);
    WebBrowser1 = new ReportBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);
    resize(760, 520);
}

void frmHTMLPreview::navigate(const QString& path)
{
    if (!QFile::exists(path)) // closed, and its file removed, before it could be shown
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (isVisible()) {
        WebBrowser1->setPlainText(QStringLiteral("Loading the report..."));
        // Let the window appear with that text before the browser is busy for a while.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        repaint();
    }
    WebBrowser1->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    QApplication::restoreOverrideCursor();
}
