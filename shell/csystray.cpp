#include "shell/csystray.h"

#include <QMenu>

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

void cSysTray::setContextMenu(QMenu* menu)
{
    m_menu = menu;
    if (m_added) m_shellIcon->setContextMenu(menu);
}

void cSysTray::AddTrayIcon()
{
    m_shellIcon = new QSystemTrayIcon(m_icon, this);
    m_shellIcon->setToolTip(shownTip());
    m_shellIcon->setContextMenu(m_menu);
    connect(m_shellIcon, &QSystemTrayIcon::activated, this, &cSysTray::activated);
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
