// The main window's commands: menus, toolbars, the list pop-up, "Go!!", copying a field, always on top.
#include "access/frmpassword.h"
#include "editing/frmadd.h"
#include "editing/frmproperties.h"
#include "editing/frmtransfer.h"
#include "generator/frmgenerator2.h"
#include "platform/desktopservices.h"
#include "platform/opendialog.h"
#include "platform/secretclipboard.h"
#include "reports/frmhealth.h"
#include "reports/frmreports.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"
#include "shell/launcher.h"
#include "shell/version.h"
#include "store/databasefile.h"
#include "store/sealedfile.h"
#include "system/aboutbox.h"
#include "system/frmsettings.h"
#include "system/helpwindow.h"
#include "system/platformchecks.h"
#include "system/platformpasswords.h"
#include "system/updateswindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

void frmMain::connectCommands()
{
    auto on = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };
    // File
    on(mnuSave, &frmMain::SaveDatabase);
    on(mnuPageSetup, [this] { desktop().pageSetup(this); });
    on(mnuPrint, &frmMain::openReports);
    on(mnuExit, &QWidget::close);
    on(mnuImport, &frmMain::importCsv);
    on(mnuMerge, &frmMain::mergeAnotherDatabase);
    on(mnuExport, [this] {
        if (raiseOpenDialog<frmExport>(this)) return;
        auto* dialog = new frmExport(m_store, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    // Entry
    on(mnuAdd, &frmMain::openAddWizard);
    on(mnuProperties, &frmMain::ShowEntryProperties);
    on(mnuDelete, &frmMain::DeleteEntry);
    on(mnuGo, &frmMain::Go);
    connect(mnuEntry, &QMenu::aboutToShow, this, &frmMain::entryMenuOpening);
    // Tools
    on(mnuReports, &frmMain::openReports);
    on(mnuWindowslogon, [this] { ChangeWindowsPassword(this); });
    on(mnuScreenSaver, [this] { ChangeScreenSaverPassword(this); });
    on(mnuSettings, [this] { openSettings(frmSettings::GeneralPreferences); });
    on(mnuPasswordGenerator, &frmMain::openGenerator);
    on(mnuPasswordHealth, [this] {
        if (raiseOpenDialog<frmHealth>(this)) return;
        auto* health = new frmHealth(m_store, this);
        health->setAttribute(Qt::WA_DeleteOnClose);
        health->open();
    });
    // Help
    on(mnuContents, [] { ShowHelp(); });
    on(mnuAbout, [this] { ShowAbout(this); });
    on(mnuCheckForUpdates, [this] { ShowUpdates(programVersion(), this); });
    connect(mnuHelp, &QMenu::aboutToShow, this,
            [this] { mnuCheckForUpdates->setEnabled(IsDialUpConnected()); });
    // Tray menu: while locked, the master password first.
    on(mnuAboutTray, [this] { whenUnlocked([this] { ShowAbout(this); }); });
    on(mnuSettingsTray, [this] { whenUnlocked([this] { openSettings(frmSettings::GeneralPreferences); }); });
    on(mnuRestore, &frmMain::restoreFromTray);
    on(mnuExitTray, [this] { whenUnlocked([this] { close(); }); });

    // Toolbar1
    on(m_newButton, &frmMain::openAddWizard);
    on(m_saveButton, &frmMain::SaveDatabase);
    on(m_deleteButton, &frmMain::DeleteEntry);
    on(m_printButton, &frmMain::openReports);
    on(m_reportsButton, &frmMain::openReports);
    on(m_propertiesButton, [this] {
        if (selectedRow() >= 0) ShowEntryProperties();
    });
    on(m_generatorButton, &frmMain::openGenerator);
    on(m_settingsButton, [this] { openSettings(frmSettings::GeneralPreferences); });
    on(m_hideToTrayButton, &frmMain::hideToTray);
    on(m_helpButton, [] { ShowHelp(); });

    // Toolbar2 (the show/hide button is the main window's own)
    on(m_securityButton, [this] { openSettings(frmSettings::SecurityAndUsers); });

    // Toolbar3
    QMenu* copyMenu = m_copyButton->menu();
    connect(copyMenu, &QMenu::aboutToShow, this, &frmMain::prepareCopyMenu);
    const QList<QAction*> entries = copyMenu->actions();
    for (int k = 1; k <= entries.size(); ++k)
        connect(entries.at(k - 1), &QAction::triggered, this, [this, k] { copyField(k); });
    connect(m_onTopButton, &QAction::toggled, this, &frmMain::toggleAlwaysOnTop);

    // The lists: the Entry menu pops up on a right click; moving over a list clears the menu hint.
    for (QTableView* list : ListView1) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, &frmMain::popUpEntryMenu);
        list->viewport()->setMouseTracking(true);
        list->viewport()->installEventFilter(this);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        statusBar()->clearMessage();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A click on the empty area below the rows, or a Ctrl+click on the selected row, would leave no row
        // selected while the commands still need one: the selection stays as it is.
        auto* list = qobject_cast<QTableView*>(watched->parent());
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!list) break;
        const QModelIndex index = list->indexAt(mouse->position().toPoint());
        if (!index.isValid() || ((mouse->modifiers() & Qt::ControlModifier) &&
                                 list->selectionModel()->isRowSelected(index.row())))
            return true;
        break;
    }
    case QEvent::KeyPress: {
        // Esc gives up the search, Down goes on to the matches; either way the list takes the keys.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched != txtSearch || (key != Qt::Key_Escape && key != Qt::Key_Down)) break;
        if (key == Qt::Key_Escape) txtSearch->clear();
        QTableView* list = ListView1.at(currentCategory());
        selectFirstRowIfNone(list);
        list->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case QEvent::ToolTip:
        // Settings, Reports and Hide have no tooltip; a tool button would show its text instead.
        if (std::find(m_silentButtons.begin(), m_silentButtons.end(), watched) != m_silentButtons.end())
            return true;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::entryMenuOpening()
{
    const bool any = selectedRow() >= 0;
    for (QAction* action : {mnuProperties, mnuDelete, mnuGo})
        action->setEnabled(any);
}

void frmMain::popUpEntryMenu(const QPoint& position)
{
    auto* list = qobject_cast<QTableView*>(sender());
    mnuEntry->popup(list->viewport()->mapToGlobal(position));
}

void frmMain::openAddWizard()
{
    if (raiseOpenDialog<frmAdd>(this)) return;
    auto* wizard = new frmAdd(m_store, currentCategory(), this);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    wizard->open();
}

void frmMain::openGenerator()
{
    if (raiseOpenDialog<frmGenerator2>(this)) return;
    auto* generator = new frmGenerator2(this);
    generator->setAttribute(Qt::WA_DeleteOnClose);
    generator->open();
}

void frmMain::openReports()
{
    if (raiseOpenDialog<frmReports>(this)) return;
    auto* reports = new frmReports(
        m_store, frmReports::TextTab, [this](const QString& text) { statusBar()->showMessage(text); }, this);
    reports->setAttribute(Qt::WA_DeleteOnClose);
    reports->open();
}

void frmMain::openSettings(int tab)
{
    openSettingsDialog(
        tab,
        [this](bool on) {
            for (QTableView* list : ListView1)
                list->setShowGrid(on);
            applyLockSettings();
        },
        this, m_database.get());
}

void frmMain::importCsv()
{
    if (raiseOpenDialog<frmImport>(this)) return;
    const QString path = desktop().openFileName(this, QStringLiteral("Import"), QDir::homePath(),
                                                QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        desktop().message(this,
                          QStringLiteral("%1 could not be read: %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()),
                          DesktopServices::Icon::Critical);
        return;
    }
    auto* dialog = new frmImport(
        m_store, file.readAll(), [this] { return SaveDatabase(); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void frmMain::mergeAnotherDatabase()
{
    const QString path = desktop().openFileName(
        this, QStringLiteral("Merge Another Database"), QFileInfo(m_databasePath).path(),
        QStringLiteral("Keyvane databases (*.adr *.adr.conflict-*);;All files (*)"));
    if (path.isEmpty()) return;
    // A sealed copy of this database opens with the session's key; another one asks for its own password.
    DatabaseContents other = readAnotherDatabase(path, m_database ? m_database->key() : nullptr);
    if (other.readError.isEmpty() || !SealedFile::isSealedFile(path)) {
        mergeFrom(path, other);
        return;
    }
    auto* password = new frmPassword(this, path);
    password->setAttribute(Qt::WA_DeleteOnClose);
    password->setWindowTitle(QStringLiteral("Password of %1").arg(QFileInfo(path).fileName()));
    connect(password, &QDialog::accepted, this, [this, password, path] {
        const std::unique_ptr<SealKey> key = password->takeKey();
        mergeFrom(path, readAnotherDatabase(path, key.get()));
    });
    password->open();
}

void frmMain::mergeFrom(const QString& path, const DatabaseContents& other)
{
    const QString name = QDir::toNativeSeparators(path);
    if (!other.readError.isEmpty()) {
        desktop().message(this, QStringLiteral("%1 could not be read: %2").arg(name, other.readError),
                          DesktopServices::Icon::Critical);
        return;
    }
    const MergeResult merged = mergeMissing(m_store.contents(), other.lists);
    if (merged.overLimit > 0) {
        desktop().message(this,
                          QStringLiteral("Nothing was merged: %1 more entries would not fit in the %2 a "
                                         "database holds.")
                              .arg(merged.overLimit)
                              .arg(EntryStore::kMaxEntries),
                          DesktopServices::Icon::Warning);
        return;
    }
    if (merged.added > 0) {
        const ListPlaces places = listPlaces();
        m_store.setContents(merged.lists);
        restorePlaces(places);
        m_store.setDatabaseChanged(true);
    }
    const QString added =
        QStringLiteral("Entries added from %1: %2.").arg(name, QString::number(merged.added));
    if (other.loadedWhole())
        statusBar()->showMessage(added);
    else
        desktop().message(
            this, added + QStringLiteral("\n\nNot all of it could be read: %1.").arg(other.problems()),
            DesktopServices::Icon::Warning);
}

void frmMain::ShowEntryProperties()
{
    const int row = selectedRow();
    if (row < 0 || raiseOpenDialog<frmProperties>(this)) return;
    auto* properties = new frmProperties(m_store, currentCategory(), row, this);
    properties->setAttribute(Qt::WA_DeleteOnClose);
    properties->open();
}

void frmMain::OpenWithShell(const QString& target)
{
    if (!desktop().openWithShell(target))
        desktop().message(
            this,
            QStringLiteral("Keyvane could not open \"%1\": nothing on this desktop opens it.").arg(target),
            DesktopServices::Icon::Warning);
}

void frmMain::Go()
{
    const int category = currentCategory();
    const int row = selectedRow();
    if (row < 0) return;
    const Launch launch = launchFor(category, m_store.list(category).entry(row), SettingsStore());
    switch (launch.kind) {
    case Launch::Kind::Nothing:
        return;
    case Launch::Kind::Open:
        if (launch.target.isEmpty())
            desktop().message(this, QStringLiteral("This entry has no address or file to open."));
        else
            OpenWithShell(launch.target);
        return;
    case Launch::Kind::Telnet:
        launchTelnet(launch.target);
        return;
    case Launch::Kind::Program:
        if (launch.target.isEmpty())
            desktop().message(this,
                              QStringLiteral("No telnet program is chosen. Choose one in the settings, on "
                                             "the \"Remote Systems\" tab."));
        else if (!desktop().startProgram(launch.target, {}))
            desktop().message(
                this, QStringLiteral("The telnet program \"%1\" could not be started.").arg(launch.target),
                DesktopServices::Icon::Warning);
        return;
    }
}

void frmMain::launchTelnet(const QString& address)
{
    const QString telnet = desktop().findProgram({QStringLiteral("telnet")});
    if (telnet.isEmpty()) {
        desktop().message(this,
                          QStringLiteral("No telnet client was found on this system. Install one (the "
                                         "\"telnet\" package), or choose your own telnet program in the "
                                         "settings."),
                          DesktopServices::Icon::Warning);
        return;
    }
    const QString terminal = desktop().findProgram(terminalProgramNames());
    if (terminal.isEmpty()) {
        desktop().message(this, QStringLiteral("No terminal program was found to run telnet in."),
                          DesktopServices::Icon::Warning);
        return;
    }
    if (!desktop().startProgram(terminal, telnetArguments(terminal, telnet, address)))
        desktop().message(this,
                          QStringLiteral("The terminal program \"%1\" could not be started.").arg(terminal),
                          DesktopServices::Icon::Warning);
}

void frmMain::prepareCopyMenu()
{
    const QList<QAction*> entries = m_copyButton->menu()->actions();
    const EntryModel& list = m_store.list(currentCategory());
    const bool any = selectedRow() >= 0;
    for (int k = 0; k < entries.size(); ++k) {
        entries.at(k)->setText(list.headerData(k, Qt::Horizontal).toString());
        entries.at(k)->setEnabled(any);
    }
    if (any && m_store.sensitiveHidden()) entries.at(kSensitiveColumn)->setEnabled(false);
}

void frmMain::copyField(int k)
{
    const int row = selectedRow();
    if (row < 0) return;
    // As the list shows it: the sensitive entry is only offered while the column is in clear.
    const EntryModel& list = m_store.list(currentCategory());
    putOnClipboard(k, list.data(list.index(row, k - 1)).toString());
}

void frmMain::copyEntryField(int n)
{
    const int row = selectedRow();
    if (row < 0) return;
    putOnClipboard(n, m_store.list(currentCategory()).entry(row).field(n).toString());
}

void frmMain::putOnClipboard(int n, const QString& text)
{
    if (n == kSensitiveColumn + 1)
        secretClipboard().copy(text);
    else
        desktop().setClipboardText(text);
}

void frmMain::connectListKeys()
{
    // Keys of the list that has the focus; the same action serves all six lists.
    auto key = [this](const char* name, const QList<QKeySequence>& keys, auto handler) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        for (QTableView* list : ListView1)
            list->addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    key("keyCopyUser", {QKeySequence(Qt::CTRL | Qt::Key_B)}, [this] { copyEntryField(2); });
    key("keyCopyPassword", {QKeySequence(Qt::CTRL | Qt::Key_C)}, [this] { copyEntryField(3); });
    key("keyCopyUrl", {QKeySequence(Qt::CTRL | Qt::Key_U)}, [this] { copyEntryField(4); });
    key("keyProperties", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [this] {
        if (selectedRow() >= 0) ShowEntryProperties();
    });
    key("keyGo", {QKeySequence(Qt::CTRL | Qt::Key_G)}, &frmMain::Go);
}

void frmMain::showClipboardCountdown(int secondsLeft)
{
    if (secondsLeft > 0)
        statusBar()->showMessage(QStringLiteral("The clipboard will be cleared in %1 s.").arg(secondsLeft));
    else
        statusBar()->clearMessage();
}

void frmMain::toggleAlwaysOnTop(bool onTop)
{
    const QRect placement = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    setGeometry(placement);
    show();
    SettingsStore settings;
    if (!settings.writeTruth(SettingKey::TopMost, onTop)) statusBar()->showMessage(settings.lastError());
}

void frmMain::hideToTray()
{
    // Without a tray nothing could bring the window back.
    if (desktop().trayAvailable())
        hide();
    else
        desktop().message(this, QStringLiteral("This desktop has no system tray, so Keyvane stays in view."));
}
