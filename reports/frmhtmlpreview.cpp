#include "frmhtmlpreview.h"

#include "cp1252.h"
#include "desktopservices.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QVBoxLayout>

ReportBrowser::ReportBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
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

void ReportBrowser::mouseReleaseEvent(QMouseEvent* event)
{
    // The raw target: "C:\edit.exe" or a bare host name would be mangled as a URL.
    const QString target =
        event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
    QTextBrowser::mouseReleaseEvent(event);
    if (!target.isEmpty() && !textCursor().hasSelection()) desktop().openWithShell(target);
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (isVisible()) {
        WebBrowser1->setPlainText(QStringLiteral("Loading the report..."));
        repaint();
    }
    WebBrowser1->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    QApplication::restoreOverrideCursor();
}
