#include "shell/locktriggers.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QEvent>
#include <QTimer>

LockTriggers::LockTriggers(QObject* parent) : QObject(parent), m_idle(new QTimer(this))
{
    m_idle->setObjectName(QStringLiteral("idleTimer"));
    m_idle->setSingleShot(true);
    connect(m_idle, &QTimer::timeout, this, &LockTriggers::idle);
}

void LockTriggers::watchSession()
{
    if (m_watchingSession) return;
    m_watchingSession = true;
    // D-Bus signals connect by name only; a missing bus or service leaves these unconnected.
    QDBusConnection::sessionBus().connect(
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"), this,
        SLOT(screenSaverActiveChanged(bool)));
    QDBusConnection::systemBus().connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(prepareForSleep(bool)));
}

void LockTriggers::setIdleMinutes(int minutes)
{
    if (minutes <= 0) {
        m_idle->stop();
        QCoreApplication::instance()->removeEventFilter(this);
        return;
    }
    m_idle->setInterval(minutes * 60 * 1000);
    m_idle->start();
    QCoreApplication::instance()->installEventFilter(this);
}

void LockTriggers::screenSaverActiveChanged(bool active)
{
    if (active) emit sessionLocked();
}

void LockTriggers::prepareForSleep(bool starting)
{
    if (starting) emit sessionLocked();
}

bool LockTriggers::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        m_idle->start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
