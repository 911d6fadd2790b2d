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
    // Starts listening for the screen locking and the machine going to sleep (once; later calls do
    // nothing). Not done when made: reaching the buses costs start-up time that a run that cannot lock
    // need not pay.
    void watchSession();

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
    bool m_watchingSession = false;
};
