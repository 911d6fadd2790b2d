#include "settings/processguard.h"

#include "settings/apppaths.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace ProcessGuard {

bool disableCoreDumps()
{
    bool done = true;
#ifdef Q_OS_UNIX
    const rlimit none{0, 0};
    done = setrlimit(RLIMIT_CORE, &none) == 0;
#endif
#ifdef Q_OS_LINUX
    // Also covers a core handler that ignores the limit, and keeps other processes from reading memory.
    done = prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0 && done;
#endif
    return done;
}

QString dataFolderWarning()
{
    const QString folder = AppPaths::dataFolder();
    if (!(QFileInfo(folder).permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther))) return {};
    return QStringLiteral("Other users may write in the data folder %1, so they could put links there that "
                          "send what Keyvane writes elsewhere. Keyvane does not follow such links, but the "
                          "folder should be writable by you alone (chmod go-w).")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace ProcessGuard
