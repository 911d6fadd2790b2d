#include "shell/frmmain.h"

#include "platform/desktopservices.h"
#include "resources/icons.h"
#include "settings/apppaths.h"
#include "settings/settingsstore.h"
#include "shell/csystray.h"
#include "shell/menuhints.h"
#include "shell/termination.h"
#include "shell/version.h"
#include "store/databasefile.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kHideCaption = QStringLiteral("Hide Sensitive Information");
const QString kShowCaption = QStringLiteral("Show Sensitive Information");

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

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Keyvane"));
    setWindowIcon(keyvaneIcon(QStringLiteral("keyvane")));
    createLists();
    createMenus();
    createToolbars();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    for (int c = 0; c < kCategoryCount; ++c) {
        EntryModel& model = m_store.list(c);
        connect(&model, &QAbstractItemModel::rowsInserted, this, &frmMain::updateButtons);
        connect(&model, &QAbstractItemModel::rowsRemoved, this, &frmMain::updateButtons);
        connect(&model, &QAbstractItemModel::modelReset, this, &frmMain::updateButtons);
    }
    connect(m_tabNav, &QTabWidget::currentChanged, this, &frmMain::updateButtons);
    connect(&m_store, &EntryStore::databaseChangedChanged, this, &frmMain::updateButtons);
    m_trayWatch = new QTimer(this);
    m_trayWatch->setInterval(1000);
    connect(m_trayWatch, &QTimer::timeout, this, &frmMain::checkTrayStillThere);
    cSysTray1 = new cSysTray(this);
    cSysTray1->setObjectName(QStringLiteral("cSysTray1"));
    connectTray();
    connectCommands();
    updateButtons();
}

frmMain::~frmMain() = default;

void frmMain::createLists()
{
    m_tabNav = new QTabWidget(this);
    m_tabNav->setObjectName(QStringLiteral("TabNav"));
    for (int c = 0; c < kCategoryCount; ++c) {
        EntryModel& model = m_store.list(c);
        model.setDecoration(categoryIcon(c));
        auto* list = new QTableView(m_tabNav);
        list->setObjectName(QStringLiteral("ListView1_%1").arg(c));
        list->setModel(&model);
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
        m_lists[c] = list;
        m_tabNav->addTab(list, categoryIcon(c), tabCaption(c));
    }
    setCentralWidget(m_tabNav);
}

void frmMain::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addItem(file, "mnuSave", QStringLiteral("Save"))->setShortcut(QKeySequence::Save);
    addSeparator(file, "mnuFile1");
    addItem(file, "mnuPageSetup", QStringLiteral("Page Setup"));
    addItem(file, "mnuPrint", QStringLiteral("Print..."))->setShortcut(QKeySequence::Print);
    addSeparator(file, "mnuFile2");
    addItem(file, "mnuExit", QStringLiteral("Exit"))->setShortcut(QKeySequence::Quit);

    QMenu* entry = menuBar()->addMenu(QStringLiteral("Entry"));
    entry->setObjectName(QStringLiteral("mnuEntry"));
    addItem(entry, "mnuAdd", QStringLiteral("Add New"))->setShortcut(QKeySequence::New);
    addSeparator(entry, "mnuPopUp1");
    addItem(entry, "mnuProperties", QStringLiteral("Properties"));
    addItem(entry, "mnuDelete", QStringLiteral("Delete"));
    addSeparator(entry, "mnuPopUp2");
    addItem(entry, "mnuGo", QStringLiteral("Go!!"));

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    addItem(tools, "mnuReports", QStringLiteral(".Reports"));
    addItem(tools, "mnuPasswordGenerator", QStringLiteral("Password Generator"));
    addSeparator(tools, "mnuTools1");
    addItem(tools, "mnuWindowslogon", QStringLiteral("Windows Logon"));
    addItem(tools, "mnuScreenSaver", QStringLiteral("Screen Saver"));
    addSeparator(tools, "mnuTools2");
    addItem(tools, "mnuSettings", QStringLiteral("Settings"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, "mnuContents", QStringLiteral("Contents"))->setShortcut(QKeySequence(Qt::Key_F1));
    addSeparator(help, "mnuHelp1");
    addItem(help, "mnuAbout", QStringLiteral("About"));
    addSeparator(help, "mnuHelp3");
    addItem(help, "mnuCheckForUpdates", QStringLiteral("Check for Updates..."));

    // The tray's pop-up menu: never in the menu bar.
    m_mnuTray = new QMenu(QStringLiteral("Tray"), this);
    m_mnuTray->setObjectName(QStringLiteral("mnuTray"));
    addItem(m_mnuTray, "mnuRestore", QStringLiteral("Restore"));
    addSeparator(m_mnuTray, "mnuTray1");
    addItem(m_mnuTray, "mnuSettingsTray", QStringLiteral("Settings"));
    addSeparator(m_mnuTray, "mnuTray3");
    addItem(m_mnuTray, "mnuAboutTray", QStringLiteral("About"));
    addItem(m_mnuTray, "mnuExitTray", QStringLiteral("Exit"));
}

void frmMain::createToolbars()
{
    struct Button {
        const char* key;
        const char* tooltip; // nullptr: the button has none
        const char* image;
    };
    static const Button kToolbar1[] = {
        {"New", "New", "New"},
        {"Save", "Save", "Save"},
        {"Delete", "Delete", "Delete"},
        {"Print", "Print", "Print"},
        {"Properties", "Properties", "Properties"},
        {"Settings", nullptr, "Settings"},
        {"Reports", nullptr, "Report"},
        {"Generator", "Password Generator", "Generator"},
        {"Hide", nullptr, "Hide"},
        {"Help", "Help", "Help"},
    };
    m_toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar1->setMovable(false);
    for (const Button& b : kToolbar1) {
        QAction* action = m_toolbar1->addAction(keyvaneIcon(QLatin1String(b.image)), QLatin1String(b.key));
        action->setObjectName(QLatin1String(b.key));
        action->setToolTip(b.tooltip ? QLatin1String(b.tooltip) : QString());
    }
    // A tool button shows its text as a tooltip when it has none; these three have none on purpose.
    for (const char* silent : {"Settings", "Reports", "Hide"})
        if (QWidget* w = m_toolbar1->widgetForAction(m_toolbar1->findChild<QAction*>(QLatin1String(silent))))
            w->setToolTip(QStringLiteral(" "));

    addToolBarBreak();
    m_toolbar2 = addToolBar(QStringLiteral("Toolbar2"));
    m_toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolbar2->setMovable(false);
    m_hideButton = m_toolbar2->addAction(QStringLiteral("Hide Sensitive Information   "));
    m_hideButton->setObjectName(QStringLiteral("Hide"));
    m_hideButton->setCheckable(true);
    connect(m_hideButton, &QAction::triggered, this, &frmMain::toggleSensitiveInformation);
    m_toolbar2->addSeparator();
    m_toolbar2->addAction(QStringLiteral("View Security Configuration   "))
        ->setObjectName(QStringLiteral("Security Configuration"));

    m_toolbar3 = addToolBar(QStringLiteral("Toolbar3"));
    m_toolbar3->setObjectName(QStringLiteral("Toolbar3"));
    m_toolbar3->setMovable(false);
    m_copyButton = new QToolButton(m_toolbar3);
    m_copyButton->setObjectName(QStringLiteral("copy"));
    m_copyButton->setIcon(keyvaneIcon(QStringLiteral("copy")));
    m_copyButton->setToolTip(QStringLiteral("Copy the selected entry"));
    m_copyButton->setPopupMode(QToolButton::InstantPopup);
    auto* copyMenu = new QMenu(m_copyButton);
    copyMenu->setObjectName(QStringLiteral("copyMenu"));
    for (const char* text : {"User Name", "asdf", "asdf", "asdf", "asdf"})
        copyMenu->addAction(QLatin1String(text));
    m_copyButton->setMenu(copyMenu);
    m_toolbar3->addWidget(m_copyButton);
    m_toolbar3->addSeparator();
    QAction* onTop = m_toolbar3->addAction(keyvaneIcon(QStringLiteral("ontop")), QStringLiteral("ontop"));
    onTop->setObjectName(QStringLiteral("ontop"));
    onTop->setToolTip(QStringLiteral("Toggle always on top"));
    onTop->setCheckable(true);
}

bool frmMain::Load()
{
    GetSettings();

    resize(pixels(this, kDesignWidthTwips), pixels(this, kLoadHeightTwips));

    SettingsStore settings;
    const QString login = settings.flag(SettingKey::DiffDB) ? desktop().loginName() : QString();
    m_databasePath = AppPaths::databasePath(!login.isEmpty(), login);

    m_database = std::make_unique<DatabaseFile>(m_databasePath);
    QString lockError;
    if (!m_database->lock(&lockError)) {
        desktop().message(this, lockError, DesktopServices::Icon::Critical);
        m_database.reset();
        m_unloaded = true; // nothing of this run may be written
        return false;
    }
    OpenDatabase(m_databasePath);
    m_store.setDatabaseChanged(false);

    StartMenuHints();
    InstallSizeLimits();
    if (GetWindowsName().trimmed() == QLatin1String("Windows 95"))
        findChild<QAction*>(QStringLiteral("mnuReports"))->setText(QStringLiteral("Reports"));
    else
        InstallMenuDecoration();
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
    if (!loadedWhole)
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
    if (!m_database) return false;
    if (m_database->needsOverwriteConsent()) {
        const QString question =
            QStringLiteral("The database %1 did not load whole when Keyvane started. Saving replaces it with "
                           "the entries shown now; a copy of the old file is kept beside it (.bak).\n\nSave "
                           "anyway?")
                .arg(m_databasePath);
        if (!desktop().askYesNo(this, question, DesktopServices::Icon::Warning)) return false;
        m_database->allowOverwrite();
    }
    QString error;
    if (!m_database->save(m_store, &error)) {
        desktop().message(this,
                          QStringLiteral("The database could not be saved to %1:\n%2\n\nThe file on disk is "
                                         "unchanged and your changes are still here.")
                              .arg(m_databasePath, error),
                          DesktopServices::Icon::Critical);
        return false;
    }
    m_store.setDatabaseChanged(false);
    return true;
}

void frmMain::GetSettings()
{
    SettingsStore settings;
    const bool grid = settings.flag(SettingKey::Gridlines);
    for (QTableView* list : m_lists)
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

std::optional<int> frmMain::AddEntry(const Entry& fields, int whatListView, int whereAt)
{
    const std::optional<int> position = m_store.addEntry(fields, whatListView, whereAt);
    if (!position) desktop().message(this, EntryStore::kFullMessage, DesktopServices::Icon::Warning);
    return position;
}

void frmMain::DeleteEntry()
{
    m_store.deleteEntry(currentCategory(), selectedRow());
}

int frmMain::currentCategory() const
{
    return m_tabNav->currentIndex();
}

int frmMain::selectedRow() const
{
    const QTableView* list = m_lists.at(currentCategory());
    if (list->model()->rowCount() == 0) return -1;
    // A list with entries always has one selected: the first until the user picks another.
    const QModelIndex current = list->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void frmMain::updateButtons()
{
    auto button = [this](const char* key) { return m_toolbar1->findChild<QAction*>(QLatin1String(key)); };
    const bool listHasEntries = m_store.list(currentCategory()).count() > 0;
    button("Delete")->setEnabled(listHasEntries);
    button("Properties")->setEnabled(listHasEntries);
    const bool anyEntries = m_store.totalCount() >= 1;
    button("Print")->setEnabled(anyEntries);
    button("Reports")->setEnabled(anyEntries);
    button("Save")->setEnabled(m_store.databaseChanged());
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

void frmMain::connectTray()
{
    connect(cSysTray1, &cSysTray::MouseDown, this, [this](int button, int) {
        if (button == 2) m_mnuTray->popup(QCursor::pos());
    });
    connect(cSysTray1, &cSysTray::MouseDblClick, this, [this](int button, int) {
        if (button == 1) restoreFromTray();
    });
}

void frmMain::restoreFromTray()
{
    show();
    raise();
    activateWindow();
}

namespace {

// The File, Entry and Tools items by command identifier (2 to 22, headings and separators included), with
// the caption a decorated menu shows and whether the item has an icon.
struct MenuItemInfo {
    const char* name;
    const char* caption;
    bool icon;
};
constexpr int kFirstDecoratedId = 2;
const MenuItemInfo kDecoratedItems[] = {
    {"mnuSave", "Save", true},
    {"mnuFile1", "", false},
    {"mnuPageSetup", "Printer Setup", false},
    {"mnuPrint", "Print", true},
    {"mnuFile2", "", false},
    {"mnuExit", "Exit", false},
    {"mnuEntry", "", false},
    {"mnuAdd", "Add New", true},
    {"mnuPopUp1", "", false},
    {"mnuProperties", "Properties", true},
    {"mnuDelete", "Delete", true},
    {"mnuPopUp2", "", false},
    {"mnuGo", "Go!!", true},
    {"mnuTools", "", false},
    {"mnuReports", "Reports", true},
    {"mnuPasswordGenerator", "Password Generator", true},
    {"mnuTools1", "", false},
    {"mnuWindowslogon", "Windows Logon", true},
    {"mnuScreenSaver", "Screen Saver", true},
    {"mnuTools2", "", false},
    {"mnuSettings", "Settings", true},
};
const char* const kDecoratedProperty = "decorated";

} // namespace

bool frmMain::IsSeparator(int IID) const
{
    const int slot = IID - kFirstDecoratedId;
    if (slot < 0 || slot >= int(std::size(kDecoratedItems))) return false;
    const QAction* action = findChild<QAction*>(QLatin1String(kDecoratedItems[slot].name));
    return action && action->isSeparator();
}

void frmMain::InstallMenuDecoration()
{
    // Decorated items show the captions of this table and, where they have one, an icon; the Help and
    // tray menus stay plain.
    for (const MenuItemInfo& info : kDecoratedItems) {
        QAction* action = findChild<QAction*>(QLatin1String(info.name));
        if (!action || action->isSeparator() || action->menu()) continue;
        action->setText(QLatin1String(info.caption));
        if (info.icon) action->setIcon(keyvaneIcon(QLatin1String(info.name)));
        action->setProperty(kDecoratedProperty, true);
    }
}

void frmMain::StartMenuHints()
{
    // A drawn item carries no text of its own to look up, so only plain items give a hint; a menu that
    // closes leaves the hint standing.
    for (const char* name : {"mnuFile", "mnuEntry", "mnuTools", "mnuHelp", "mnuTray"})
        connect(findChild<QMenu*>(QLatin1String(name)), &QMenu::hovered, this, [this](QAction* action) {
            if (action->isSeparator() || action->property(kDecoratedProperty).toBool()) return;
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
    SettingsStore settings;
    if (settings.flag(SettingKey::AutoSave)) SaveDatabase();
    SaveSettings();
    RemoveTrayIcon();
    if (m_store.databaseChanged() && desktop().askYesNo(this, QStringLiteral("Save changes?")) &&
        !SaveDatabase() &&
        !desktop().askYesNo(this,
                            QStringLiteral("The changes could not be saved. Quit anyway and lose them?"),
                            DesktopServices::Icon::Warning)) {
        // The run goes on: the window and its tray icon come back.
        InstallTrayIcon();
        restoreFromTray();
        return false;
    }
    m_database.reset(); // closes the file and releases the lock
    m_unloaded = true;
    UnloadAllForms(this);
    return true;
}
