#pragma once

#include "store/entrystore.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class DatabaseFile;
class DatabaseWatch;
struct DatabaseContents;
enum class ConflictChoice;
class EntrySearchModel;
class SealKey;
class QAction;
class cSysTray;
class QLineEdit;
class QMenu;
class QStackedWidget;
class LockTriggers;
class QTabWidget;
class QTimer;
class QTableView;
class QToolButton;

// The main window: one list per category on a tab strip, three toolbars, the menus and the status bar.
// Its lists' models are the store; the database file is read at load and written by Save and at exit.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The database file of this user: default.adr, or the login name's file when "DiffDB" is 1.
    static QString resolveDatabasePath();
    // The load handler. False when the program cannot go on (the database is in use by another Keyvane).
    // A sealed database opens with the key given, which the run then keeps for its saves.
    bool Load();
    bool Load(std::unique_ptr<SealKey> key);

    EntryStore& store() { return m_store; }
    // Puts the icon into the tray, once the splash has gone.
    void InstallTrayIcon();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createLists();
    void createSearch();
    // Filters every list by the search text, counts the matches in the tab captions and brings the first
    // tab with a match to the front.
    void applySearch(const QString& text);
    void showMatchCount(int category);
    void createMenus();
    void createToolbars();
    void OpenDatabase(const QString& path);
    // Writes the lists to the database file; says why when it cannot. True when the file was written.
    bool SaveDatabase();
    // The same; at exit nothing is asked about another copy's file, so that an exit never waits.
    bool saveDatabase(bool atExit);
    // Another copy's file did not load whole (or is sealed with another password): what to do with it.
    ConflictChoice askAboutConflict(const DatabaseContents& theirs);
    // The file changed on disk: with no unsaved changes, its changes are taken in at once.
    void mergeChangedFile();
    void showMerged(bool merged, int added, int removed, const QString& conflictCopy);
    // Where each list stands, so that a change of the whole store leaves it on the same entry and scroll.
    struct ListPlace {
        int row = -1; // the store's row selected, or -1
        Entry entry;
        int scroll = 0;
    };
    using ListPlaces = std::array<ListPlace, kCategoryCount>;
    ListPlaces listPlaces() const;
    void restorePlaces(const ListPlaces& places);
    void GetSettings();
    void SaveSettings();
    void ShowPasswords(bool showPws);
    // Removes the selected entry of the current list.
    void DeleteEntry();
    int currentCategory() const;
    // The store's row of the entry selected in the current list as shown, or -1 when it shows none.
    int selectedRow() const;
    void selectFirstRowIfNone(QTableView* list);
    void updateButtons();
    void toggleSensitiveInformation();
    void setHideButton(bool hidden);
    void InstallSizeLimits();
    void InstallMenuDecoration();
    void StartMenuHints();
    void RemoveTrayIcon();
    void restoreFromTray();
    // Shows the window again when it is hidden and the tray has gone away.
    void checkTrayStillThere();
    bool unload();

    // Commands (frmmain_commands.cpp).
    void connectCommands();
    void ShowEntryProperties();
    void importCsv();
    // File > Merge Another Database...: adds the entries another file holds that the store lacks.
    void mergeAnotherDatabase();
    void mergeFrom(const QString& path, const DatabaseContents& other);
    void openAddWizard();
    void openReports();
    void openSettings(int tab);
    void openGenerator();
    // Hands a path, address or command text to the desktop as typed; says so when nothing can take it.
    void OpenWithShell(const QString& target);
    void Go();
    void launchTelnet(const QString& address);
    void prepareCopyMenu();
    void copyField(int k);
    // Field n (1-based) of the selected entry; field 3 always in clear, as a secret that is cleared later.
    void copyEntryField(int n);
    // Field n's text; the sensitive field goes as a secret, cleared later.
    void putOnClipboard(int n, const QString& text);
    void connectListKeys();
    // Locked: the lists are hidden, every other window is closed and every command waits for the master
    // password; nothing is lost. A sealed database's entries and key leave memory, pending changes saved
    // first (when that save fails, nothing is locked).
    void lock();
    // Asks for the master password (wrong answers logged as at start-up); once it is right, unlocks (a
    // sealed database is read again) and runs then.
    void askToUnlock(const std::function<void()>& then = {});
    // Runs a command now, or once the master password has unlocked the window.
    void whenUnlocked(const std::function<void()>& command);
    void unlock(std::unique_ptr<SealKey> key);
    void setLockedLook(bool locked);
    void applyLockSettings();
    void showClipboardCountdown(int secondsLeft);
    void toggleAlwaysOnTop(bool onTop);
    void hideToTray();
    void entryMenuOpening();
    void popUpEntryMenu(const QPoint& position);
    bool eventFilter(QObject* watched, QEvent* event) override;

    EntryStore m_store;
    std::unique_ptr<DatabaseFile> m_database;
    DatabaseWatch* m_watch = nullptr;
    QString m_databasePath;
    bool m_unloaded = false;
    bool m_overwriteDeclined = false; // No to "Save anyway?" during this exit
    bool m_closing = false;           // unload() is asking its questions

    QLineEdit* txtSearch = nullptr;
    bool m_searching = false;          // a search is filtering the lists: captions count the matches
    QStackedWidget* m_pages = nullptr; // the lists, or the unlock button while locked
    LockTriggers* m_lockTriggers = nullptr;
    bool m_locked = false;
    bool m_entriesAway = false; // locked with a sealed database: the file alone holds the entries
    QTabWidget* TabNav = nullptr;
    std::array<QTableView*, kCategoryCount> ListView1{};
    std::array<EntrySearchModel*, kCategoryCount> m_shown{};

    QMenu* mnuFile = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuPageSetup = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuMerge = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEntry = nullptr;
    QAction* mnuAdd = nullptr;
    QAction* mnuProperties = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* mnuGo = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuReports = nullptr;
    QAction* mnuPasswordGenerator = nullptr;
    QAction* mnuPasswordHealth = nullptr;
    QAction* mnuWindowslogon = nullptr;
    QAction* mnuScreenSaver = nullptr;
    QAction* mnuSettings = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuCheckForUpdates = nullptr;
    QMenu* mnuTray = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuSettingsTray = nullptr;
    QAction* mnuAboutTray = nullptr;
    QAction* mnuExitTray = nullptr;

    // Toolbar1's buttons by key, Toolbar2's two and Toolbar3's always-on-top.
    QAction* m_newButton = nullptr;
    QAction* m_saveButton = nullptr;
    QAction* m_deleteButton = nullptr;
    QAction* m_printButton = nullptr;
    QAction* m_propertiesButton = nullptr;
    QAction* m_settingsButton = nullptr;
    QAction* m_reportsButton = nullptr;
    QAction* m_generatorButton = nullptr;
    QAction* m_hideToTrayButton = nullptr;
    QAction* m_helpButton = nullptr;
    QAction* m_hideButton = nullptr;
    QAction* m_securityButton = nullptr;
    QAction* m_onTopButton = nullptr;
    QToolButton* m_copyButton = nullptr;
    std::array<QWidget*, 3> m_silentButtons{}; // the tool buttons without a tooltip

    cSysTray* cSysTray1 = nullptr;
    QTimer* m_trayWatch = nullptr;
};
