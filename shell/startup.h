#pragma once

#include <QWidget>
#include <memory>

class QTimer;
class frmMain;
class SealKey;

// The start routine: asks for the master password when one is required or the database is sealed, then
// opens the splash, which loads the main window. Returns false when the program cannot start (nothing was
// opened).
bool StartKeyvane();

// The splash window: loads the main window, then closes itself after 2300 ms.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2300;

    explicit frmSplash(QWidget* parent = nullptr);
    // Loads and shows the main window; false when it could not load. A sealed database opens with the key.
    bool Load();
    bool Load(std::unique_ptr<SealKey> key);
    frmMain* mainWindow() const { return m_main; }
    QTimer* Timer1() const { return m_timer; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Timer1_Timer();

    frmMain* m_main = nullptr;
    QTimer* m_timer = nullptr;
};
