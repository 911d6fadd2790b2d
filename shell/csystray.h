#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QVariant>

class QMenu;

// The notification-area icon as a small control: three properties, the menu its right click opens and
// the desktop's activations of the icon.
class cSysTray : public QObject {
    Q_OBJECT
public:
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
    // The menu the desktop opens on a right click, also while the main window is hidden.
    void setContextMenu(QMenu* menu);

signals:
    void activated(QSystemTrayIcon::ActivationReason reason);

private:
    void AddTrayIcon();
    void RemoveTrayIcon();

    QIcon m_icon;
    QString m_tip;
    bool m_inTray = false;
    bool m_added = false;
    QPointer<QMenu> m_menu;
    QSystemTrayIcon* m_shellIcon = nullptr;
};
