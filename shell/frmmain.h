#pragma once

#include "store/entrystore.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class DatabaseFile;
class QAction;
class cSysTray;
class QMenu;
class QTabWidget;
class QTimer;
class QTableView;
class QToolBar;
class QToolButton;

// The main window: one list per category on a tab strip, three toolbars, the menus and the status bar.
// Its lists' models are the store; the database file is read at load and written by Save and at exit.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The load handler. False when the program cannot go on (the database is in use by another Keyvane).
    bool Load();

    EntryStore& store() { return m_store; }
    const QString& DatabasePath() const { return m_databasePath; }

    void GetSettings();
    void SaveSettings();
    void ShowPasswords(bool showPws);
    // Adds an entry to a list (see EntryStore::addEntry); says so when the store is full.
    std::optional<int> AddEntry(const Entry& fields, int whatListView, int whereAt = 0);
    // Removes the selected entry of the current list.
    void DeleteEntry();
    // Writes the lists to the database file; says why when it cannot. True when the file was written.
    bool SaveDatabase();

    int currentCategory() const;
    // The row of the selected entry in the current list, or -1 when the list is empty.
    int selectedRow() const;
    QTableView* ListView1(int category) const { return m_lists.at(category); }
    QTabWidget* TabNav() const { return m_tabNav; }
    QMenu* mnuTray() const { return m_mnuTray; }

    // Hands a path, address or command text to the desktop as typed; says so when nothing can take it.
    void OpenWithShell(const QString& target);

    // Seams for the parts of start-up and shutdown that come with the tray and the decorated menus.
    void InstallTrayIcon();
    void RemoveTrayIcon();
    void InstallMenuDecoration();
    void StartMenuHints();
    // Whether the File, Entry or Tools item with this command identifier (2 to 22) is a separator.
    bool IsSeparator(int IID) const;
    cSysTray* trayControl() const { return cSysTray1; }
    void restoreFromTray();

    // Shows the window again when it is hidden and the tray has gone away.
    void checkTrayStillThere();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createLists();
    void createMenus();
    void createToolbars();
    void OpenDatabase(const QString& path);
    void updateButtons();
    void toggleSensitiveInformation();
    void setHideButton(bool hidden);
    void InstallSizeLimits();
    bool unload();
    void connectTray();

    // Commands (frmmain_commands.cpp).
    void connectCommands();
    void ShowEntryProperties();
    void openAddWizard();
    void openReports();
    void openSettings(int tab);
    void Go();
    void launchTelnet(const QString& address);
    void prepareCopyMenu();
    void copyField(int k);
    void toggleAlwaysOnTop(bool onTop);
    void hideToTray();
    void entryMenuOpening();
    void popUpEntryMenu(const QPoint& position);
    bool eventFilter(QObject* watched, QEvent* event) override;
    QAction* item(const char* name) const;

    EntryStore m_store;
    std::unique_ptr<DatabaseFile> m_database;
    QString m_databasePath;
    bool m_unloaded = false;

    QTabWidget* m_tabNav = nullptr;
    std::array<QTableView*, kCategoryCount> m_lists{};
    QToolBar* m_toolbar1 = nullptr;
    QToolBar* m_toolbar2 = nullptr;
    QToolBar* m_toolbar3 = nullptr;
    QAction* m_hideButton = nullptr;
    QToolButton* m_copyButton = nullptr;
    QMenu* m_mnuTray = nullptr;
    cSysTray* cSysTray1 = nullptr;
    QTimer* m_trayWatch = nullptr;
};
