#include "shell/csystray.h"

#include <QSystemTrayIcon>

namespace {
constexpr int kIdentifier = 0;
}

cSysTray::cSysTray(QObject* parent) : QObject(parent) {}

cSysTray::~cSysTray()
{
    // The icon never outlives an orderly shutdown.
    setInTray(false);
}

void cSysTray::setTrayIcon(const QVariant& picture)
{
    if (picture.metaType() != QMetaType::fromType<QIcon>()) return;
    m_icon = picture.value<QIcon>();
    if (m_added) m_shellIcon->setIcon(m_icon);
}

void cSysTray::setTrayTip(const QString& tip)
{
    m_tip = tip;
    if (m_added) m_shellIcon->setToolTip(shownTip());
}

void cSysTray::setInTray(bool inTray)
{
    if (inTray == m_inTray) return;
    if (inTray)
        AddTrayIcon();
    else if (m_added)
        RemoveTrayIcon();
    m_inTray = inTray;
}

void cSysTray::AddTrayIcon()
{
    m_shellIcon = new QSystemTrayIcon(m_icon, this);
    m_shellIcon->setToolTip(shownTip());
    connect(m_shellIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Context:
            DispatchTrayMessage(WM_RBUTTONDOWN, kIdentifier);
            DispatchTrayMessage(WM_RBUTTONUP, kIdentifier);
            break;
        case QSystemTrayIcon::DoubleClick:
            DispatchTrayMessage(WM_LBUTTONDBLCLK, kIdentifier);
            break;
        case QSystemTrayIcon::Trigger:
            DispatchTrayMessage(WM_LBUTTONDOWN, kIdentifier);
            DispatchTrayMessage(WM_LBUTTONUP, kIdentifier);
            break;
        default: // the middle button raises nothing
            break;
        }
    });
    m_shellIcon->show();
    m_added = true;
}

void cSysTray::RemoveTrayIcon()
{
    m_shellIcon->hide();
    delete m_shellIcon;
    m_shellIcon = nullptr;
    m_added = false;
}

void cSysTray::DispatchTrayMessage(int mouseMessage, int identifier)
{
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        emit MouseMove(identifier);
        break;
    case WM_LBUTTONDOWN:
        emit MouseDown(1, identifier);
        break;
    case WM_LBUTTONUP:
        emit MouseUp(1, identifier);
        break;
    case WM_LBUTTONDBLCLK:
        emit MouseDblClick(1, identifier);
        break;
    case WM_RBUTTONDOWN:
        emit MouseDown(2, identifier);
        break;
    case WM_RBUTTONUP:
        emit MouseUp(2, identifier);
        break;
    case WM_RBUTTONDBLCLK:
        emit MouseDblClick(2, identifier);
        break;
    default:
        break;
    }
}
