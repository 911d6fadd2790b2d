#pragma once

#include <QObject>

class QTimer;

// What makes Keyvane lock itself: the desktop's screen locking or the machine going to sleep, heard over
// D-Bus where there is a bus (without one, nothing is heard and nothing fails), and minutes without input.
class LockTriggers : public QObject {
    Q_OBJECT
public:
    explicit LockTriggers(QObject* parent = nullptr);

    // Minutes of no keyboard or mouse input in this program before a lock; 0 never.
    void setIdleMinutes(int minutes);

public slots:
    void screenSaverActiveChanged(bool active);
    void prepareForSleep(bool starting);

signals:
    void idle();
    void sessionLocked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer* m_idle = nullptr;
};
