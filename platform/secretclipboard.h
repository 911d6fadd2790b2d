#pragma once

#include <QObject>
#include <QString>

class QTimer;

// A secret on the clipboard for a while: copied marked as a secret, so that clipboard managers leave it
// out of their history, and taken off again after the set number of seconds, but only while the clipboard
// still holds it: whatever the user copied since stays. One per program (secretClipboard()), so that a
// second secret takes over the countdown of the first.
class SecretClipboard : public QObject {
    Q_OBJECT
public:
    explicit SecretClipboard(QObject* parent = nullptr);

    // Copies text marked as a secret; with seconds > 0 it is cleared that much later, 0 never.
    void copy(const QString& text, int seconds);
    // Copies with the user's "ClipboardSeconds".
    void copy(const QString& text);
    // Does a pending clear now (at exit).
    void clearNow();
    int secondsLeft() const { return m_secondsLeft; }

signals:
    // Each second while a clear is pending, with the seconds left; 0 once it is over, cleared or not.
    void countdown(int secondsLeft);

private:
    void tick();
    void stop();

    QTimer* m_timer = nullptr;
    QString m_text;
    int m_secondsLeft = 0;
};

// The program's one secret clipboard.
SecretClipboard& secretClipboard();
