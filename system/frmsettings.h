#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "system/frmsettings_apply.h"

class DatabaseFile;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// "Settings": the user's preferences on three tabs, written to the settings store on "&Ok" only (the
// password windows it opens, "Clear Log" and start with the session act at once).
class frmSettings : public QDialog {
    Q_OBJECT
public:
    enum Tab { GeneralPreferences = 0, SecurityAndUsers = 1, Options = 2 };

    // applyGridlines receives the grid-line choice on Ok, to show it at once in the main window's lists.
    // Given the open database, the Security and Users tab offers to seal it with the master password.
    explicit frmSettings(int tab = GeneralPreferences, std::function<void(bool)> applyGridlines = {},
                         QWidget* parent = nullptr, DatabaseFile* database = nullptr);

    // Ok's work: start with the session, the settings in their order, the dropped and copied passwords,
    // then the grid lines.
    void ApplyChanges();

private:
    QWidget* generalTab();
    QWidget* securityTab();
    QWidget* optionsTab();
    void load();
    void connectEvents();
    void updateTelnetControls();
    void updateSealControls();
    void applySealing(bool requirePW);

    void chkRequirePW_MouseUp();
    void cmdViewLog_Click();
    void cmdClearLog_Click();
    void cmdBrowse_Click();
    void cmdChangePW_Click();
    void cmdChangeSettingsPassword_Click();

    std::function<void(bool)> m_applyGridlines;
    SettingsChoices m_shown; // what the controls showed at opening
    DatabaseFile* m_database = nullptr;

    QTabWidget* SSTab1 = nullptr;
    QCheckBox* chkAutoSave = nullptr;
    QCheckBox* chkAutoToTray = nullptr;
    QCheckBox* chkLoadAtStartup = nullptr;
    QSpinBox* spnClipboardSeconds = nullptr;
    QCheckBox* chkRequirePW = nullptr;
    QPushButton* cmdChangePW = nullptr;
    QCheckBox* chkEncryptDB = nullptr;
    QCheckBox* chkLogPWs = nullptr;
    QPushButton* cmdViewLog = nullptr;
    QPushButton* cmdClearLog = nullptr;
    QCheckBox* chkDiffDB = nullptr;
    QCheckBox* chkAllowEdit = nullptr;
    QCheckBox* chkAllowDelete = nullptr;
    QCheckBox* chkRequireSettingsPassword = nullptr;
    QCheckBox* chkUseSamePW = nullptr;
    QCheckBox* chkLockOnScreenLock = nullptr;
    QSpinBox* spnLockMinutes = nullptr;
    QPushButton* cmdChangeSettingsPassword = nullptr;
    QCheckBox* chkGridlines = nullptr;
    QCheckBox* chkLaunchTelnet = nullptr;
    std::array<QRadioButton*, 2> optTelnetClient{};
    QLineEdit* txtTelnetPath = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// Opens the settings dialog on a tab, window-modal over parent and deleted when closed, after asking for
// the settings password when one is required (a cancel there leaves the dialog unopened). Returns the
// window shown first: the frmSettingsPW question or the frmSettings dialog.
QDialog* openSettingsDialog(int tab, std::function<void(bool)> applyGridlines, QWidget* parent,
                            DatabaseFile* database = nullptr);
