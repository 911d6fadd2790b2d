#include "shell/frmmain.h"

#include "access/accesscontrol.h"
#include "access/frmpassword.h"
#include "platform/desktopservices.h"
#include "platform/secretclipboard.h"
#include "resources/icons.h"
#include "settings/apppaths.h"
#include "settings/settingsstore.h"
#include "shell/csystray.h"
#include "shell/databasewatch.h"
#include "shell/locktriggers.h"
#include "shell/menuhints.h"
#include "shell/termination.h"
#include "store/databasefile.h"
#include "store/entrysearch.h"
#include "store/sealedfile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <cstdlib>

namespace {

const QString kHideCaption = QStringLiteral("Hide Sensitive Information");
const QString kShowCaption = QStringLiteral("Show Sensitive Information");
const char* const kDecoratedProperty = "decorated";

// Window measures are kept in twips (1/1440 inch) and turned into pixels at the screen's logical DPI.
constexpr int kLoadHeightTwips = 5115;
constexpr int kDesignWidthTwips = 11400;
constexpr int kColumnWidthTwips = 2540;

int pixels(const QWidget* widget, int twips)
{
    return twips * widget->logicalDpiX() / 1440;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Keyvane"));
    setWindowIcon(keyvaneIcon(QStringLiteral("keyvane")));
    createLists();
    createSearch();
    createMenus();
    createToolbars();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    for (EntrySearchModel* shown : m_shown) {
        connect(shown, &QAbstractItemModel::rowsInserted, this, &frmMain::updateButtons);
        connect(shown, &QAbstractItemModel::rowsRemoved, this, &frmMain::updateButtons);
        connect(shown, &QAbstractItemModel::modelReset, this, &frmMain::updateButtons);
    }
    connect(TabNav, &QTabWidget::currentChanged, this, &frmMain::updateButtons);
    connect(&m_store, &EntryStore::databaseChangedChanged, this, &frmMain::updateButtons);
    m_trayWatch = new QTimer(this);
    m_trayWatch->setObjectName(QStringLiteral("trayWatch"));
    m_trayWatch->setInterval(1000);
    connect(m_trayWatch, &QTimer::timeout, this, &frmMain::checkTrayStillThere);
    cSysTray1 = new cSysTray(this);
    cSysTray1->setObjectName(QStringLiteral("cSysTray1"));
    cSysTray1->setContextMenu(mnuTray);
    connect(cSysTray1, &cSysTray::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) restoreFromTray();
    });
    connectCommands();
    connectListKeys();
    connect(&secretClipboard(), &SecretClipboard::countdown, this, &frmMain::showClipboardCountdown);
    updateButtons();
}

frmMain::~frmMain() = default;

void frmMain::createLists()
{
    TabNav = new QTabWidget(this);
    TabNav->setObjectName(QStringLiteral("TabNav"));
    for (int c = 0; c < kCategoryCount; ++c) {
        EntryModel& model = m_store.list(c);
        model.setDecoration(categoryIcon(c));
        m_shown[c] = new EntrySearchModel(model, this);
        auto* list = new QTableView(TabNav);
        list->setObjectName(QStringLiteral("ListView1_%1").arg(c));
        list->setModel(m_shown[c]);
        QFont bold = list->font();
        bold.setBold(true);
        model.setBoldFont(bold);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSortingEnabled(false);
        list->setWordWrap(false);
        list->setTabKeyNavigation(false);
        list->verticalHeader()->hide();
        // Fixed row heights keep re-masking and filling 32,767 rows cheap.
        list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
        list->horizontalHeader()->setDefaultSectionSize(pixels(this, kColumnWidthTwips));
        list->horizontalHeader()->setHighlightSections(false);
        list->horizontalHeader()->setStretchLastSection(true);
        list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        ListView1[c] = list;
        TabNav->addTab(list, categoryIcon(c), tabCaption(c));
        // A list with entries always shows one selected, the row its commands act on.
        auto select = [this, list] { selectFirstRowIfNone(list); };
        connect(m_shown[c], &QAbstractItemModel::modelReset, list, select);
        connect(m_shown[c], &QAbstractItemModel::rowsInserted, list, select);
        connect(m_shown[c], &QAbstractItemModel::rowsRemoved, list, select);
        connect(m_shown[c], &QAbstractItemModel::layoutChanged, list, select);
        // A match added, deleted or merged in changes the count a search shows in the caption.
        auto count = [this, c] { showMatchCount(c); };
        connect(m_shown[c], &QAbstractItemModel::modelReset, this, count);
        connect(m_shown[c], &QAbstractItemModel::rowsInserted, this, count);
        connect(m_shown[c], &QAbstractItemModel::rowsRemoved, this, count);
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, list, select,
                Qt::QueuedConnection);
    }
    connect(TabNav, &QTabWidget::currentChanged, this,
            [this](int c) { selectFirstRowIfNone(ListView1.at(c)); });
}

void frmMain::createSearch()
{
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("Search (Ctrl+F)"));
    txtSearch->setClearButtonEnabled(true);
    txtSearch->installEventFilter(this);
    connect(txtSearch, &QLineEdit::textChanged, this, &frmMain::applySearch);
    auto* find = new QAction(this);
    find->setObjectName(QStringLiteral("find"));
    find->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)});
    connect(find, &QAction::triggered, this, [this] {
        txtSearch->setFocus(Qt::ShortcutFocusReason);
        txtSearch->selectAll();
    });
    addAction(find);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(txtSearch);
    layout->addWidget(TabNav);

    auto* lockedPage = new QWidget(this);
    auto* unlock = new QPushButton(QStringLiteral("Unlock Keyvane..."), lockedPage);
    unlock->setObjectName(QStringLiteral("cmdUnlock"));
    connect(unlock, &QPushButton::clicked, this, [this] { askToUnlock(); });
    auto* lockedLayout = new QVBoxLayout(lockedPage);
    lockedLayout->addStretch();
    lockedLayout->addWidget(unlock, 0, Qt::AlignCenter);
    lockedLayout->addStretch();

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addWidget(central);
    m_pages->addWidget(lockedPage);
    setCentralWidget(m_pages);

    m_lockTriggers = new LockTriggers(this);
    connect(m_lockTriggers, &LockTriggers::idle, this, &frmMain::lock);
    connect(m_lockTriggers, &LockTriggers::sessionLocked, this, [this] {
        if (SettingsStore().flag(SettingKey::LockOnScreenLock)) lock();
    });
}

void frmMain::applyLockSettings()
{
    const SettingsStore settings;
    m_lockTriggers->setIdleMinutes(settings.number(SettingKey::LockMinutes));
    if (settings.flag(SettingKey::LockOnScreenLock) &&
        ((m_database && m_database->sealed()) || MasterPassword::required(settings)))
        m_lockTriggers->watchSession();
}

void frmMain::lock()
{
    const bool sealed = m_database && m_database->sealed();
    // Only a master password can open it again.
    // Nor while closing: its questions would be answered by the lock.
    if (m_locked || m_unloaded || m_closing || !(sealed || MasterPassword::required(SettingsStore()))) return;
    if (sealed && m_store.databaseChanged() && !saveDatabase(true)) {
        desktop().message(this,
                          QStringLiteral("Keyvane did not lock: locked, it keeps the entries of an encrypted "
                                         "database only in the file, and your changes could not be saved."),
                          DesktopServices::Icon::Warning);
        return;
    }
    // Another window may show entries or take commands: none stays open.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isVisible()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
    }
    if (sealed) {
        m_store.setContents({});
        m_store.setDatabaseChanged(false);
        m_database->setKey(nullptr); // wiped
        m_entriesAway = true;
    }
    m_locked = true;
    setLockedLook(true);
}

void frmMain::setLockedLook(bool locked)
{
    m_pages->setCurrentIndex(locked ? 1 : 0);
    menuBar()->setEnabled(!locked);
    for (QToolBar* toolbar : findChildren<QToolBar*>())
        toolbar->setEnabled(!locked);
    for (QAction* action : actions())
        action->setEnabled(!locked);
}

void frmMain::askToUnlock(const std::function<void()>& then)
{
    if (!m_locked) return;
    // While sealed no "PW" is stored: the password is checked by opening the file, as at start-up.
    auto* password = new frmPassword(this, m_entriesAway ? m_databasePath : QString());
    password->setAttribute(Qt::WA_DeleteOnClose);
    connect(password, &QDialog::accepted, this, [this, password, then] {
        unlock(password->takeKey());
        if (then) then();
    });
    password->open();
}

void frmMain::whenUnlocked(const std::function<void()>& command)
{
    if (m_locked)
        askToUnlock(command);
    else
        command();
}

void frmMain::unlock(std::unique_ptr<SealKey> key)
{
    m_locked = false;
    if (m_entriesAway) {
        m_entriesAway = false;
        m_database->setKey(std::move(key));
        OpenDatabase(m_databasePath);
        m_store.setDatabaseChanged(false);
    }
    setLockedLook(false);
    applyLockSettings();
    // The file may have changed while locked, when nothing was taken in.
    if (m_watch) m_watch->retry();
}

void frmMain::applySearch(const QString& text)
{
    const SearchQuery query(text);
    m_searching = !query.isEmpty();
    int first = -1;
    for (int c = 0; c < kCategoryCount; ++c) {
        m_shown[c]->setQuery(query);
        showMatchCount(c);
        if (m_shown[c]->rowCount() > 0 && first < 0) first = c;
    }
    if (m_searching && first >= 0) TabNav->setCurrentIndex(first);
    updateButtons();
}

void frmMain::showMatchCount(int category)
{
    TabNav->setTabText(
        category, m_searching
                      ? QStringLiteral("%1 (%2)").arg(tabCaption(category)).arg(m_shown[category]->rowCount())
                      : tabCaption(category));
}

void frmMain::createMenus()
{
    mnuFile = addMenu(menuBar(), "mnuFile", QStringLiteral("&File"));
    mnuSave = addItem(mnuFile, "mnuSave", QStringLiteral("Save"));
    mnuSave->setShortcut(QKeySequence::Save);
    addSeparator(mnuFile, "mnuFile1");
    mnuPageSetup = addItem(mnuFile, "mnuPageSetup", QStringLiteral("Page Setup"));
    mnuPrint = addItem(mnuFile, "mnuPrint", QStringLiteral("Print..."));
    mnuPrint->setShortcut(QKeySequence::Print);
    addSeparator(mnuFile, "mnuFile3");
    mnuImport = addItem(mnuFile, "mnuImport", QStringLiteral("Import..."));
    mnuImport->setStatusTip(QStringLiteral("Add entries from a CSV file."));
    mnuExport = addItem(mnuFile, "mnuExport", QStringLiteral("Export..."));
    mnuExport->setStatusTip(QStringLiteral("Write every entry to a CSV file, passwords in clear text."));
    mnuMerge = addItem(mnuFile, "mnuMerge", QStringLiteral("Merge Another Database..."));
    mnuMerge->setStatusTip(
        QStringLiteral("Add the entries of another database file, such as a sync tool's conflict copy."));
    addSeparator(mnuFile, "mnuFile2");
    mnuExit = addItem(mnuFile, "mnuExit", QStringLiteral("Exit"));
    mnuExit->setShortcut(QKeySequence::Quit);

    mnuEntry = addMenu(menuBar(), "mnuEntry", QStringLiteral("Entry"));
    mnuAdd = addItem(mnuEntry, "mnuAdd", QStringLiteral("Add New"));
    mnuAdd->setShortcut(QKeySequence::New);
    addSeparator(mnuEntry, "mnuPopUp1");
    mnuProperties = addItem(mnuEntry, "mnuProperties", QStringLiteral("Properties"));
    mnuDelete = addItem(mnuEntry, "mnuDelete", QStringLiteral("Delete"));
    addSeparator(mnuEntry, "mnuPopUp2");
    mnuGo = addItem(mnuEntry, "mnuGo", QStringLiteral("Go!!"));

    mnuTools = addMenu(menuBar(), "mnuTools", QStringLiteral("&Tools"));
    mnuReports = addItem(mnuTools, "mnuReports", QStringLiteral(".Reports"));
    mnuPasswordGenerator = addItem(mnuTools, "mnuPasswordGenerator", QStringLiteral("Password Generator"));
    mnuPasswordHealth = addItem(mnuTools, "mnuPasswordHealth", QStringLiteral("Password Health..."));
    mnuPasswordHealth->setStatusTip(QStringLiteral("List the empty, short, weak and reused passwords."));
    addSeparator(mnuTools, "mnuTools1");
    mnuWindowslogon = addItem(mnuTools, "mnuWindowslogon", QStringLiteral("Windows Logon"));
    mnuScreenSaver = addItem(mnuTools, "mnuScreenSaver", QStringLiteral("Screen Saver"));
    addSeparator(mnuTools, "mnuTools2");
    mnuSettings = addItem(mnuTools, "mnuSettings", QStringLiteral("Settings"));

    mnuHelp = addMenu(menuBar(), "mnuHelp", QStringLiteral("&Help"));
    mnuContents = addItem(mnuHelp, "mnuContents", QStringLiteral("Contents"));
    mnuContents->setShortcut(QKeySequence(Qt::Key_F1));
    addSeparator(mnuHelp, "mnuHelp1");
    mnuAbout = addItem(mnuHelp, "mnuAbout", QStringLiteral("About"));
    addSeparator(mnuHelp, "mnuHelp3");
    mnuCheckForUpdates = addItem(mnuHelp, "mnuCheckForUpdates", QStringLiteral("Check for Updates..."));

    // The tray's pop-up menu: never in the menu bar.
    mnuTray = new QMenu(QStringLiteral("Tray"), this);
    mnuTray->setObjectName(QStringLiteral("mnuTray"));
    mnuRestore = addItem(mnuTray, "mnuRestore", QStringLiteral("Restore"));
    addSeparator(mnuTray, "mnuTray1");
    mnuSettingsTray = addItem(mnuTray, "mnuSettingsTray", QStringLiteral("Settings"));
    addSeparator(mnuTray, "mnuTray3");
    mnuAboutTray = addItem(mnuTray, "mnuAboutTray", QStringLiteral("About"));
    mnuExitTray = addItem(mnuTray, "mnuExitTray", QStringLiteral("Exit"));
}

void frmMain::createToolbars()
{
    struct Button {
        QAction* frmMain::*member;
        const char* key;
        const char* tooltip; // nullptr: the button has none
        const char* image;
    };
    static const Button kToolbar1[] = {
        {&frmMain::m_newButton, "New", "New", "New"},
        {&frmMain::m_saveButton, "Save", "Save", "Save"},
        {&frmMain::m_deleteButton, "Delete", "Delete", "Delete"},
        {&frmMain::m_printButton, "Print", "Print", "Print"},
        {&frmMain::m_propertiesButton, "Properties", "Properties", "Properties"},
        {&frmMain::m_settingsButton, "Settings", nullptr, "Settings"},
        {&frmMain::m_reportsButton, "Reports", nullptr, "Report"},
        {&frmMain::m_generatorButton, "Generator", "Password Generator", "Generator"},
        {&frmMain::m_hideToTrayButton, "Hide", nullptr, "Hide"},
        {&frmMain::m_helpButton, "Help", "Help", "Help"},
    };
    QToolBar* toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar1->setMovable(false);
    for (const Button& b : kToolbar1) {
        QAction* action = toolbar1->addAction(keyvaneIcon(QLatin1String(b.image)), QLatin1String(b.key));
        action->setObjectName(QLatin1String(b.key));
        action->setToolTip(b.tooltip ? QLatin1String(b.tooltip) : QString());
        this->*b.member = action;
    }
    // A tool button shows its text as a tooltip when it has none; these three have none on purpose, and
    // their tooltip events are kept from them (see eventFilter).
    QAction* const silent[] = {m_settingsButton, m_reportsButton, m_hideToTrayButton};
    for (size_t i = 0; i < std::size(silent); ++i) {
        m_silentButtons[i] = toolbar1->widgetForAction(silent[i]);
        m_silentButtons[i]->installEventFilter(this);
    }

    addToolBarBreak();
    QToolBar* toolbar2 = addToolBar(QStringLiteral("Toolbar2"));
    toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    toolbar2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar2->setMovable(false);
    m_hideButton = toolbar2->addAction(QStringLiteral("Hide Sensitive Information   "));
    m_hideButton->setObjectName(QStringLiteral("Hide"));
    m_hideButton->setCheckable(true);
    connect(m_hideButton, &QAction::triggered, this, &frmMain::toggleSensitiveInformation);
    toolbar2->addSeparator();
    m_securityButton = toolbar2->addAction(QStringLiteral("View Security Configuration   "));
    m_securityButton->setObjectName(QStringLiteral("Security Configuration"));

    QToolBar* toolbar3 = addToolBar(QStringLiteral("Toolbar3"));
    toolbar3->setObjectName(QStringLiteral("Toolbar3"));
    toolbar3->setMovable(false);
    m_copyButton = new QToolButton(toolbar3);
    m_copyButton->setObjectName(QStringLiteral("copy"));
    m_copyButton->setIcon(keyvaneIcon(QStringLiteral("copy")));
    m_copyButton->setToolTip(QStringLiteral("Copy the selected entry"));
    m_copyButton->setPopupMode(QToolButton::InstantPopup);
    auto* copyMenu = new QMenu(m_copyButton);
    copyMenu->setObjectName(QStringLiteral("copyMenu"));
    for (const char* text : {"User Name", "asdf", "asdf", "asdf", "asdf"})
        copyMenu->addAction(QLatin1String(text));
    m_copyButton->setMenu(copyMenu);
    toolbar3->addWidget(m_copyButton);
    toolbar3->addSeparator();
    m_onTopButton = toolbar3->addAction(keyvaneIcon(QStringLiteral("ontop")), QStringLiteral("ontop"));
    m_onTopButton->setObjectName(QStringLiteral("ontop"));
    m_onTopButton->setToolTip(QStringLiteral("Toggle always on top"));
    m_onTopButton->setCheckable(true);
}

QString frmMain::resolveDatabasePath()
{
    const QString login = SettingsStore().flag(SettingKey::DiffDB) ? desktop().loginName() : QString();
    return AppPaths::databasePath(!login.isEmpty(), login);
}

bool frmMain::Load()
{
    return Load(nullptr);
}

bool frmMain::Load(std::unique_ptr<SealKey> key)
{
    GetSettings();

    resize(pixels(this, kDesignWidthTwips), pixels(this, kLoadHeightTwips));

    m_databasePath = resolveDatabasePath();
    m_database = std::make_unique<DatabaseFile>(m_databasePath);
    m_database->setKey(std::move(key));
    QString lockError;
    if (!m_database->lock(&lockError)) {
        desktop().message(this, lockError, DesktopServices::Icon::Critical);
        m_database.reset();
        m_unloaded = true; // nothing of this run may be written
        return false;
    }
    OpenDatabase(m_databasePath);
    m_store.setDatabaseChanged(false);
    m_watch = new DatabaseWatch(m_databasePath, this);
    connect(m_watch, &DatabaseWatch::changed, this, &frmMain::mergeChangedFile);
    if (const QStringList copies = conflictCopiesBeside(m_databasePath); !copies.isEmpty())
        statusBar()->showMessage(
            QStringLiteral("Conflict copies lie beside the database (File > Merge Another Database... adds "
                           "their entries): %1")
                .arg(copies.join(QStringLiteral(", "))));

    StartMenuHints();
    InstallSizeLimits();
    InstallMenuDecoration();
    applyLockSettings();
    return true;
}

void frmMain::OpenDatabase(const QString& path)
{
    DatabaseContents contents = m_database->read();
    const bool loadedWhole = contents.loadedWhole();
    const QString problems = contents.problems();
    // The lists are filled before any message, so that whatever runs while it is open sees them.
    m_store.setContents(std::move(contents.lists));
    if (!contents.createError.isEmpty())
        desktop().message(
            this, QStringLiteral("The database %1 could not be created: %2").arg(path, contents.createError),
            DesktopServices::Icon::Critical);
    if (m_database->writeRefused())
        desktop().message(this,
                          SealedFile::refusedText(path) +
                              QStringLiteral(" Keyvane starts without its entries and will not write it."),
                          DesktopServices::Icon::Critical);
    else if (!loadedWhole)
        desktop().message(
            this,
            QStringLiteral("Not all of the database %1 could be loaded: %2.\n\nThe file will not be "
                           "overwritten unless you agree when saving.")
                .arg(path, problems),
            DesktopServices::Icon::Warning);

    if (m_store.sensitiveHidden()) ShowPasswords(false);
    setHideButton(m_store.sensitiveHidden());
}

bool frmMain::SaveDatabase()
{
    return saveDatabase(false);
}

bool frmMain::saveDatabase(bool atExit)
{
    if (!m_database) return false;
    // Saved before the lock took them away: the file holds them all, and this store none.
    if (m_entriesAway) return true;
    if (m_database->needsOverwriteConsent()) {
        const QString question =
            QStringLiteral("The database %1 did not load whole when Keyvane started. Saving replaces it with "
                           "the entries shown now; a copy of the old file is kept beside it (.bak).\n\nSave "
                           "anyway?")
                .arg(m_databasePath);
        // Yes gives up the records that did not load (the copy aside keeps them): No is the default.
        if (!desktop().askYesNo(this, question, DesktopServices::Icon::Warning,
                                DesktopServices::Answer::No)) {
            m_overwriteDeclined = true;
            return false;
        }
        m_database->allowOverwrite();
    }
    // Another copy (a sync tool, a second computer) may have replaced the file: its changes are merged
    // first. One that did not load whole is asked about; at exit it is kept beside the database without a
    // question, so that an exit, the tray's Exit and SIGTERM stay unattended and neither copy is lost.
    const ListPlaces places = listPlaces();
    const SaveOutcome outcome =
        m_database->saveWithChanges(m_store, [this, atExit](const DatabaseContents& theirs) {
            return atExit ? ConflictChoice::KeepMine : askAboutConflict(theirs);
        });
    if (outcome.merged) restorePlaces(places);
    if (!outcome.saved) {
        if (!outcome.error.isEmpty())
            desktop().message(this,
                              QStringLiteral("The database could not be saved to %1:\n%2\n\nThe file on disk "
                                             "is unchanged and your changes are still here.")
                                  .arg(m_databasePath, outcome.error),
                              DesktopServices::Icon::Critical);
        return false;
    }
    m_store.setDatabaseChanged(false);
    showMerged(outcome.merged, outcome.added, outcome.removed, outcome.conflictCopy);
    return true;
}

ConflictChoice frmMain::askAboutConflict(const DatabaseContents& theirs)
{
    const QString text =
        QStringLiteral(
            "Another copy of the database %1 was written over it, but not all of that copy could be "
            "read: %2.\n\nMerge what could be read into your entries, or keep yours? Either way "
            "that copy is kept beside the database as %3.conflict-<date>.")
            .arg(m_databasePath, theirs.problems(), QFileInfo(m_databasePath).fileName());
    static const ConflictChoice kChoices[] = {ConflictChoice::MergeReadable, ConflictChoice::KeepMine,
                                              ConflictChoice::Cancel};
    return kChoices[desktop().choose(
        this, text,
        {QStringLiteral("Merge What Could Be Read"), QStringLiteral("Keep Mine"), QStringLiteral("Cancel")},
        DesktopServices::Icon::Warning)];
}

void frmMain::mergeChangedFile()
{
    // With unsaved changes the next save merges; nothing was loaded from a sealed file that did not open.
    if (!m_database || m_store.databaseChanged() || m_database->writeRefused()) return;
    // A locked window asks nothing: unlocking looks again. A dialog over the lists may hold a row of them:
    // later, then.
    if (m_locked) return;
    if (QApplication::activeModalWidget()) {
        m_watch->retry();
        return;
    }
    const std::optional<DatabaseContents> theirs = m_database->changedOnDisk();
    // Our own save, the same entries written again, or a file that cannot be read (which the save says).
    if (!theirs || m_database->theirsUnreadable()) return;
    const ListPlaces places = listPlaces();
    SaveOutcome outcome;
    if (!m_database->takeInChanges(
            m_store, *theirs, [this](const DatabaseContents& t) { return askAboutConflict(t); }, outcome)) {
        if (!outcome.error.isEmpty()) desktop().message(this, outcome.error, DesktopServices::Icon::Critical);
        return;
    }
    if (outcome.merged) {
        restorePlaces(places);
        showMerged(true, outcome.added, outcome.removed, outcome.conflictCopy);
        return;
    }
    // Mine kept, theirs beside the database: the file is written over with mine.
    m_store.setDatabaseChanged(true);
    if (SaveDatabase()) showMerged(false, 0, 0, outcome.conflictCopy);
}

void frmMain::showMerged(bool merged, int added, int removed, const QString& conflictCopy)
{
    QStringList parts;
    if (merged)
        parts << QStringLiteral("Merged changes from another copy: %1 added, %2 removed")
                     .arg(added)
                     .arg(removed);
    if (!conflictCopy.isEmpty())
        parts << QStringLiteral("Another copy of the database is kept beside it as %1.").arg(conflictCopy);
    if (!parts.isEmpty()) statusBar()->showMessage(parts.join(QStringLiteral(". ")));
}

frmMain::ListPlaces frmMain::listPlaces() const
{
    ListPlaces places;
    for (int c = 0; c < kCategoryCount; ++c) {
        const QModelIndexList rows = ListView1[c]->selectionModel()->selectedRows();
        if (!rows.isEmpty()) {
            places[c].row = m_shown[c]->sourceRow(rows.first().row());
            places[c].entry = m_store.list(c).entry(places[c].row);
        }
        places[c].scroll = ListView1[c]->verticalScrollBar()->value();
    }
    return places;
}

void frmMain::restorePlaces(const ListPlaces& places)
{
    for (int c = 0; c < kCategoryCount; ++c) {
        const ListPlace& place = places[c];
        const QVector<Entry>& entries = m_store.list(c).entries();
        // The same entry where it is now (of equal ones the nearest), else the same row.
        int row = place.row < 0 ? -1 : std::min(place.row, int(entries.size()) - 1);
        int distance = INT_MAX;
        for (int r = 0; place.row >= 0 && r < entries.size(); ++r)
            if (entries[r].sameFields(place.entry) && std::abs(r - place.row) < distance) {
                row = r;
                distance = std::abs(r - place.row);
            }
        QTableView* list = ListView1[c];
        const QModelIndex shown = m_shown[c]->mapFromSource(m_store.list(c).index(row, 0));
        if (shown.isValid())
            list->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        list->doItemsLayout();
        list->verticalScrollBar()->setValue(place.scroll);
    }
}

void frmMain::GetSettings()
{
    SettingsStore settings;
    const bool grid = settings.flag(SettingKey::Gridlines);
    for (QTableView* list : ListView1)
        list->setShowGrid(grid);
    m_store.setSensitiveHidden(settings.truth(SettingKey::Hidden));
    setHideButton(m_store.sensitiveHidden());
}

void frmMain::SaveSettings()
{
    // Called on the way out, where a question would hold up an unattended exit: the reason goes to stderr.
    SettingsStore settings;
    if (!settings.writeTruth(SettingKey::Hidden, m_store.sensitiveHidden()))
        qWarning("%s", qPrintable(settings.lastError()));
}

void frmMain::ShowPasswords(bool showPws)
{
    m_store.showPasswords(showPws);
}

void frmMain::setHideButton(bool hidden)
{
    m_hideButton->setText(hidden ? kShowCaption : kHideCaption);
    m_hideButton->setChecked(hidden);
}

void frmMain::toggleSensitiveInformation()
{
    // The caption tells what a click does.
    if (m_hideButton->text() == kHideCaption) {
        m_hideButton->setText(kShowCaption);
        if (!m_store.sensitiveHidden()) {
            m_store.setSensitiveHidden(true);
            ShowPasswords(false);
        }
    } else {
        m_hideButton->setText(kHideCaption);
        m_store.setSensitiveHidden(false);
        ShowPasswords(true);
    }
    m_hideButton->setChecked(m_store.sensitiveHidden());
}

void frmMain::DeleteEntry()
{
    const int row = selectedRow();
    if (row < 0) return;
    m_store.deleteEntry(currentCategory(), row);
    // The view would carry the highlight to the next row; the first is selected, as at every fill.
    QTableView* list = ListView1.at(currentCategory());
    list->selectionModel()->clearSelection();
    selectFirstRowIfNone(list);
}

int frmMain::currentCategory() const
{
    return TabNav->currentIndex();
}

int frmMain::selectedRow() const
{
    const QModelIndexList rows = ListView1.at(currentCategory())->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : m_shown.at(currentCategory())->sourceRow(rows.first().row());
}

void frmMain::selectFirstRowIfNone(QTableView* list)
{
    QItemSelectionModel* selection = list->selectionModel();
    if (list->model()->rowCount() == 0 || selection->hasSelection()) return;
    selection->setCurrentIndex(list->model()->index(0, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void frmMain::updateButtons()
{
    const bool listHasEntries = selectedRow() >= 0;
    m_deleteButton->setEnabled(listHasEntries);
    m_propertiesButton->setEnabled(listHasEntries);
    const bool anyEntries = m_store.totalCount() >= 1;
    m_printButton->setEnabled(anyEntries);
    m_reportsButton->setEnabled(anyEntries);
    m_saveButton->setEnabled(m_store.databaseChanged());
}

void frmMain::InstallSizeLimits()
{
    // Never smaller than at load, never larger than the screen.
    setMinimumSize(size());
    if (const QScreen* s = screen()) setMaximumSize(s->availableSize());
}

void frmMain::InstallTrayIcon()
{
    cSysTray1->setTrayIcon(QVariant::fromValue(keyvaneIcon(QStringLiteral("tray"))));
    cSysTray1->setTrayTip(QStringLiteral("Keyvane"));
    cSysTray1->setInTray(true);
}

void frmMain::RemoveTrayIcon()
{
    cSysTray1->setInTray(false);
}

void frmMain::restoreFromTray()
{
    // Minimised, the window would stay an icon; a dialog open over it comes to the front with it.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    askToUnlock();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

void frmMain::InstallMenuDecoration()
{
    // Decorated items of the File, Entry and Tools menus show these captions and, where they have one, an
    // icon; the Help and tray menus stay plain.
    struct Decoration {
        QAction* frmMain::*member;
        const char* caption;
        bool icon;
    };
    static const Decoration kDecorated[] = {
        {&frmMain::mnuSave, "Save", true},
        {&frmMain::mnuPageSetup, "Printer Setup", false},
        {&frmMain::mnuPrint, "Print", true},
        {&frmMain::mnuExit, "Exit", false},
        {&frmMain::mnuAdd, "Add New", true},
        {&frmMain::mnuProperties, "Properties", true},
        {&frmMain::mnuDelete, "Delete", true},
        {&frmMain::mnuGo, "Go!!", true},
        {&frmMain::mnuReports, "Reports", true},
        {&frmMain::mnuPasswordGenerator, "Password Generator", true},
        {&frmMain::mnuWindowslogon, "Windows Logon", true},
        {&frmMain::mnuScreenSaver, "Screen Saver", true},
        {&frmMain::mnuSettings, "Settings", true},
    };
    for (const Decoration& d : kDecorated) {
        QAction* action = this->*d.member;
        action->setText(QLatin1String(d.caption));
        if (d.icon) action->setIcon(keyvaneIcon(action->objectName()));
        action->setProperty(kDecoratedProperty, true);
    }
}

void frmMain::StartMenuHints()
{
    // A drawn item carries no text of its own to look up, so only plain items give a hint; a menu that
    // closes leaves the hint standing.
    for (QMenu* menu : {mnuFile, mnuEntry, mnuTools, mnuHelp, mnuTray})
        connect(menu, &QMenu::hovered, this, [this](QAction* action) {
            // Items that came after the hint table carry their own status tip.
            if (action->isSeparator() || action->property(kDecoratedProperty).toBool() ||
                !action->statusTip().isEmpty())
                return;
            const QString hint = menuHint(action->text());
            if (!hint.isEmpty()) statusBar()->showMessage(hint);
        });
}

bool frmMain::event(QEvent* event)
{
    // Menus and toolbars send an empty status tip as the pointer moves over their items, which would wipe
    // the menu hint; the hint stays until the pointer moves over a list.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty())
        return true;
    return QMainWindow::event(event);
}

void frmMain::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) m_trayWatch->start();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_trayWatch->stop();
}

void frmMain::checkTrayStillThere()
{
    // A hidden window comes back by the tray alone: should the tray go away, show the window again.
    if (isHidden() && !m_unloaded && !desktop().trayAvailable()) restoreFromTray();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (unload())
        event->accept();
    else
        event->ignore();
}

bool frmMain::unload()
{
    if (m_unloaded) return true;
    const QScopedValueRollback<bool> closing(m_closing, true);
    m_overwriteDeclined = false;
    SettingsStore settings;
    if (settings.flag(SettingKey::AutoSave)) saveDatabase(true);
    SaveSettings();
    RemoveTrayIcon();
    // A No to overwriting a database that did not load whole is the user's answer to saving: it is not
    // asked again, and nothing "could not be saved".
    if (m_store.databaseChanged() && !m_overwriteDeclined &&
        desktop().askYesNo(this, QStringLiteral("Save changes?")) && !saveDatabase(true) &&
        !m_overwriteDeclined &&
        !desktop().askYesNo(this,
                            QStringLiteral("The changes could not be saved. Quit anyway and lose them?"),
                            DesktopServices::Icon::Warning, DesktopServices::Answer::No)) {
        // The run goes on: the window and its tray icon come back.
        InstallTrayIcon();
        restoreFromTray();
        return false;
    }
    secretClipboard().clearNow();
    m_database.reset(); // closes the file and releases the lock
    m_unloaded = true;
    UnloadAllForms(this);
    return true;
}
