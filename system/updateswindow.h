#pragma once

#include <QDialog>
#include <QPointer>
#include <QUrl>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTextBrowser;

// Where the update notice lives: "/updates/keyvane.txt" on the maker's site, or on the given site.
QUrl updateAddress();
QUrl updateAddressOn(const QUrl& site);

// "Updates for Keyvane": the program's version beside the maker's update notice, fetched when the window
// first shows. A notice that cannot be fetched leaves its error in the window. While the window is open the
// main window is disabled; however the window goes (Close, Esc, its close box, deletion) the main window is
// enabled again. It is not a child of the main window, which would disable it as well.
class frmUpdates : public QDialog {
    Q_OBJECT
public:
    // The largest notice read; anything longer is cut off there.
    static constexpr qint64 kMaxNoticeBytes = 64 * 1024;

    explicit frmUpdates(const QString& version, QWidget* mainWindow, const QUrl& address = updateAddress(),
                        QWidget* parent = nullptr);
    ~frmUpdates() override;

    // True from the start of the fetch until its text or error is in the window.
    bool isFetching() const;

    QLabel* lblCurrentVersion = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;
    QPushButton* cmdClose = nullptr;

signals:
    // The notice, or the reason it could not be had, is now in the window.
    void noticeShown();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fetch();
    void fetched();
    void setMainWindowEnabled(bool enabled);

    QPointer<QWidget> m_mainWindow;
    QUrl m_address;
    QString m_version;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    bool m_started = false;
    bool m_cutOff = false;
};

// Help > "Check for Updates...": opens the update window for the main window without waiting; it is
// deleted when closed.
frmUpdates* ShowUpdates(const QString& version, QWidget* mainWindow);
