#pragma once

#include <QIcon>
#include <QObject>
#include <QVariant>

class QSystemTrayIcon;

// The notification-area icon as a small control: three properties and four mouse events, the events
// carrying the button (1 left, 2 right) and the icon's identifier (always 0).
class cSysTray : public QObject {
    Q_OBJECT
public:
    // The mouse messages the events are told apart by.
    enum MouseMessage {
        WM_MOUSEMOVE = 512,
        WM_LBUTTONDOWN = 513,
        WM_LBUTTONUP = 514,
        WM_LBUTTONDBLCLK = 515,
        WM_RBUTTONDOWN = 516,
        WM_RBUTTONUP = 517,
        WM_RBUTTONDBLCLK = 518,
    };
    static constexpr int kTipLength = 63; // the tip field holds 64 characters with its terminator

    explicit cSysTray(QObject* parent = nullptr);
    ~cSysTray() override;

    QIcon TrayIcon() const { return m_icon; }
    // Takes an icon only; any other picture (a pixmap, an image) is ignored and the icon stays.
    void setTrayIcon(const QVariant& picture);
    QString TrayTip() const { return m_tip; }
    void setTrayTip(const QString& tip);
    bool InTray() const { return m_inTray; }
    void setInTray(bool inTray);
    // True while the icon is registered with the desktop.
    bool isAdded() const { return m_added; }
    // The tooltip the desktop is given.
    QString shownTip() const { return m_tip.left(kTipLength); }

    // Turns a mouse message for the icon into one event.
    void DispatchTrayMessage(int mouseMessage, int identifier);

signals:
    void MouseMove(int identifier);
    void MouseDown(int button, int identifier);
    void MouseUp(int button, int identifier);
    void MouseDblClick(int button, int identifier);

private:
    void AddTrayIcon();
    void RemoveTrayIcon();

    QIcon m_icon;
    QString m_tip;
    bool m_inTray = false;
    bool m_added = false;
    QSystemTrayIcon* m_shellIcon = nullptr;
};
