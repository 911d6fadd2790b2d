#include "system/updateswindow.h"

#include "resources/icons.h"
#include "store/cp1252.h"
#include "system/aboutbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kTransferTimeoutMs = 20000;

// The notice is meant as UTF-8 text; an older notice in the Windows code page still reads right.
QString noticeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Cp1252::toUnicode(bytes) : text;
}

// Centred over the main window, but whole on its screen: the window is taller than the main window at its
// smallest.
void placeOver(QWidget* window, const QWidget* mainWindow)
{
    QRect frame = window->rect();
    frame.moveCenter(mainWindow->geometry().center());
    if (const QScreen* screen = mainWindow->screen()) {
        const QRect area = screen->availableGeometry();
        frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
        frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    }
    window->move(frame.topLeft());
}

} // namespace

QUrl updateAddressOn(const QUrl& site)
{
    QUrl address = site;
    QString path = site.path();
    if (path.endsWith(QLatin1Char('/'))) path.chop(1);
    address.setPath(path + QStringLiteral("/updates/keyvane.txt"));
    return address;
}

QUrl updateAddress()
{
    return updateAddressOn(Maker::site());
}

frmUpdates::frmUpdates(const QString& version, QWidget* mainWindow, const QUrl& address, QWidget* parent)
    : QDialog(parent), m_mainWindow(mainWindow), m_address(address), m_version(version)
{
    setObjectName(QStringLiteral("frmUpdates"));
    setWindowTitle(QStringLiteral("Updates for Keyvane"));
    setWindowIcon(keyvaneIcon(QStringLiteral("keyvane")));
    setSizeGripEnabled(true);

    lblCurrentVersion = new QLabel(QStringLiteral("Current version:"), this);
    lblCurrentVersion->setObjectName(QStringLiteral("lblCurrentVersion"));
    QFont arial = lblCurrentVersion->font();
    arial.setFamily(QStringLiteral("Arial"));
    arial.setBold(true);
    lblCurrentVersion->setFont(arial);
    lblCurrentVersion->setText(QStringLiteral("Current version:  ") + version);

    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setOpenLinks(false);
    WebBrowser1->setLineWrapMode(QTextEdit::WidgetWidth);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(lblCurrentVersion);
    layout->addWidget(WebBrowser1, 1);
    layout->addLayout(buttons);

    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    resize(540, 380);
}

frmUpdates::~frmUpdates()
{
    // A fetch still under way must not report to a window that is going.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    setMainWindowEnabled(true);
}

bool frmUpdates::isFetching() const
{
    return !m_reply.isNull();
}

void frmUpdates::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    setMainWindowEnabled(false);
    if (m_started) return;
    m_started = true;
    if (m_mainWindow) {
        // Above the main window, and in front of it on screen.
        if (windowHandle() && m_mainWindow->windowHandle())
            windowHandle()->setTransientParent(m_mainWindow->windowHandle());
        if (m_mainWindow->isVisible()) placeOver(this, m_mainWindow);
    }
    fetch();
}

void frmUpdates::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous()) setMainWindowEnabled(true);
}

void frmUpdates::setMainWindowEnabled(bool enabled)
{
    if (m_mainWindow) m_mainWindow->setEnabled(enabled);
}

void frmUpdates::fetch()
{
    if (!m_network) m_network = new QNetworkAccessManager(this);
    WebBrowser1->setPlainText(
        QStringLiteral("Fetching the update notice from\n%1 ...").arg(m_address.toString()));
    QNetworkRequest request(m_address);
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Keyvane/") + m_version);
    m_cutOff = false;
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        // A notice is a few lines; never hold an endless answer in memory.
        if (received > kMaxNoticeBytes && m_reply && !m_cutOff) {
            m_cutOff = true;
            m_reply->abort();
        }
    });
    connect(m_reply, &QNetworkReply::finished, this, &frmUpdates::fetched);
}

void frmUpdates::fetched()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply) return;
    reply->deleteLater();
    if (m_cutOff) {
        WebBrowser1->setPlainText(
            QStringLiteral("The update notice at\n%1\nis larger than Keyvane reads (%2 KB), so "
                           "it is not shown.")
                .arg(m_address.toString())
                .arg(kMaxNoticeBytes / 1024));
    } else if (reply->error() != QNetworkReply::NoError) {
        // The address on a line of its own, so that it is never broken in the middle of its path.
        WebBrowser1->setPlainText(QStringLiteral("The update notice could not be fetched from\n%1\n\n%2")
                                      .arg(m_address.toString(), reply->errorString()));
    } else {
        const QString text = noticeText(reply->readAll());
        WebBrowser1->setPlainText(text.trimmed().isEmpty() ? QStringLiteral("The update notice is empty.")
                                                           : text);
    }
    emit noticeShown();
}

frmUpdates* ShowUpdates(const QString& version, QWidget* mainWindow)
{
    auto* updates = new frmUpdates(version, mainWindow);
    updates->setAttribute(Qt::WA_DeleteOnClose);
    // Not a child of the main window (which it disables), so it is placed over it by hand, at the size it
    // was made with.
    if (mainWindow) placeOver(updates, mainWindow);
    updates->show();
    return updates;
}
