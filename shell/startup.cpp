#include "shell/startup.h"
#include "shell/termination.h"

#include "access/frmpassword.h"
#include "platform/desktopservices.h"
#include "resources/icons.h"
#include "settings/processguard.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"
#include "shell/version.h"
#include "store/sealedfile.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

bool showSplash(std::unique_ptr<SealKey> key)
{
    auto* splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    if (!splash->Load(std::move(key))) {
        delete splash;
        return false;
    }
    splash->show();
    splash->raise();
    return true;
}

} // namespace

bool StartKeyvane()
{
    if (const QString warning = ProcessGuard::dataFolderWarning(); !warning.isEmpty())
        desktop().message(nullptr, warning, DesktopServices::Icon::Warning);
    // A sealed file asks for its password whatever "RequirePW" says: nothing else opens it.
    const QString path = frmMain::resolveDatabasePath();
    const bool sealed = SealedFile::isSealedFile(path);
    if (!sealed && !SettingsStore().flag(SettingKey::RequirePW)) return showSplash(nullptr);
    // The password window is the only window until the right password is given; Cancel ends the program
    // before the database is opened or created.
    auto* password = new frmPassword(nullptr, sealed ? path : QString());
    password->setAttribute(Qt::WA_DeleteOnClose);
    // The key is taken while the window still exists; the splash gets it once the window has gone.
    auto key = std::make_shared<std::unique_ptr<SealKey>>();
    QObject::connect(password, &QDialog::accepted, qApp, [password, key] { *key = password->takeKey(); });
    // Queued: the splash runs an event loop while it shows, and the password window must have finished
    // closing (it deletes itself) before that.
    QObject::connect(
        password, &QDialog::accepted, qApp,
        [key] {
            if (!showSplash(std::move(*key))) UnloadAllForms();
        },
        Qt::QueuedConnection);
    QObject::connect(
        password, &frmPassword::cancelled, qApp, [] { UnloadAllForms(); }, Qt::QueuedConnection);
    password->show();
    return true;
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Keyvane"));
    setFixedSize(420, 240);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(kShowMs);
    connect(m_timer, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

bool frmSplash::Load()
{
    return Load(nullptr);
}

bool frmSplash::Load(std::unique_ptr<SealKey> key)
{
    m_main = new frmMain;
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    if (!m_main->Load(std::move(key))) {
        delete m_main;
        m_main = nullptr;
        return false;
    }
    m_main->show();
    if (const QScreen* screen = m_main->screen())
        move(screen->availableGeometry().center() - rect().center());
    // The main window is usable only once the splash has gone. The splash's time runs from here: a message
    // the load had to show may have stayed open for any time.
    m_main->setEnabled(false);
    m_timer->start();
    return true;
}

void frmSplash::Timer1_Timer()
{
    close();
    m_main->setEnabled(true);
    if (SettingsStore().flag(SettingKey::AutoToTray) && desktop().trayAvailable()) m_main->hide();
    m_main->InstallTrayIcon();
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0x1f, 0x3b, 0x5c));
    sky.setColorAt(1, QColor(0x0e, 0x1c, 0x2d));
    painter.fillRect(rect(), sky);
    painter.drawPixmap(28, 70, keyvaneIcon(QStringLiteral("keyvane")).pixmap(96, 96));
    painter.setPen(Qt::white);
    QFont title = font();
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(140, 70, width() - 150, 56), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Keyvane"));
    QFont small = font();
    small.setPixelSize(14);
    painter.setFont(small);
    painter.drawText(QRect(142, 126, width() - 150, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Password manager, version %1").arg(programVersion()));
    painter.drawText(QRect(142, 200, width() - 150, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Loading your entries..."));
}
