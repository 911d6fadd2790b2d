#include "system/platformchecks.h"

#include <QHostAddress>

QString GetPlatform()
{
#ifdef Q_OS_WIN
    // Every Windows a Qt 6 program runs on belongs to the NT family.
    return QStringLiteral("NT");
#else
    return QStringLiteral("Unknown");
#endif
}

bool IsDialUpConnected()
{
    std::optional<QNetworkInformation::Reachability> reachability;
    // Loading is done once per process; later calls find the backend already in place.
    if (QNetworkInformation::instance() || QNetworkInformation::loadDefaultBackend()) {
        if (const QNetworkInformation* info = QNetworkInformation::instance();
            info && info->supports(QNetworkInformation::Feature::Reachability))
            reachability = info->reachability();
    }
    return PlatformChecks::networkIsUp(reachability, PlatformChecks::currentInterfaces());
}

namespace PlatformChecks {

bool networkIsUp(std::optional<QNetworkInformation::Reachability> reachability,
                 const QList<InterfaceState>& interfaces)
{
    using Reachability = QNetworkInformation::Reachability;
    if (reachability && *reachability != Reachability::Unknown)
        return *reachability == Reachability::Site || *reachability == Reachability::Online;
    for (const InterfaceState& i : interfaces) {
        const auto needed = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
        if ((i.flags & needed) == needed && !(i.flags & QNetworkInterface::IsLoopBack) &&
            i.hasRoutableAddress)
            return true;
    }
    return false;
}

QList<InterfaceState> currentInterfaces()
{
    QList<InterfaceState> states;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        InterfaceState state{interface.flags(), false};
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (!ip.isNull() && !ip.isLoopback() && !ip.isLinkLocal()) state.hasRoutableAddress = true;
        }
        states << state;
    }
    return states;
}

} // namespace PlatformChecks
