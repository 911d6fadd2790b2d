#include "platform/secretclipboard.h"

#include "platform/desktopservices.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

SecretClipboard::SecretClipboard(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &SecretClipboard::tick);
}

void SecretClipboard::copy(const QString& text, int seconds)
{
    desktop().setClipboardSecret(text);
    if (seconds <= 0) {
        stop();
        return;
    }
    m_text = text;
    m_secondsLeft = seconds;
    m_timer->start();
    emit countdown(m_secondsLeft);
}

void SecretClipboard::copy(const QString& text)
{
    copy(text, SettingsStore().number(SettingKey::ClipboardSeconds));
}

void SecretClipboard::clearNow()
{
    if (m_secondsLeft == 0) return;
    if (desktop().clipboardHoldsSecret(m_text)) desktop().clearClipboard();
    stop();
}

void SecretClipboard::stop()
{
    m_timer->stop();
    m_secondsLeft = 0;
    m_text.clear();
    emit countdown(0);
}

void SecretClipboard::tick()
{
    // Something else was copied meanwhile: that stays, and there is nothing left to count down.
    if (!desktop().clipboardHoldsSecret(m_text))
        stop();
    else if (m_secondsLeft <= 1)
        clearNow();
    else
        emit countdown(--m_secondsLeft);
}

SecretClipboard& secretClipboard()
{
    // Owned by the application, so it goes before the clipboard does.
    static QPointer<SecretClipboard> instance;
    if (!instance) instance = new SecretClipboard(QCoreApplication::instance());
    return *instance;
}
