#pragma once

#include <QList>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QString>
#include <optional>

// What Keyvane needs to know about the system it runs on. No widgets here.

// The platform family: "95" (the Windows 95/98 family), "NT" or "Unknown". Never "95" on the systems
// Keyvane is built for, so the Windows password commands only explain that they cannot run.
QString GetPlatform();

// True while the computer has a working network connection, so that the update notice can be fetched.
bool IsDialUpConnected();

namespace PlatformChecks {

// The facts about one network interface that decide whether it carries a connection.
struct InterfaceState {
    QNetworkInterface::InterfaceFlags flags;
    // An address other than loopback and link-local: the interface has really joined a network.
    bool hasRoutableAddress = false;
};

// The decision behind IsDialUpConnected: the system's own reachability report when there is one and it is
// known; otherwise whether any non-loopback interface is up, running and has a routable address.
bool networkIsUp(std::optional<QNetworkInformation::Reachability> reachability,
                 const QList<InterfaceState>& interfaces);

// The interfaces of this computer, as networkIsUp reads them.
QList<InterfaceState> currentInterfaces();

} // namespace PlatformChecks
