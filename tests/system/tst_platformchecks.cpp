#include "fakedesktop.h"
#include "platformchecks.h"
#include "platformpasswords.h"

#include <QTest>
#include <QWidget>
#include <functional>

using Reachability = QNetworkInformation::Reachability;
using PlatformChecks::InterfaceState;
using Interfaces = QList<InterfaceState>;
using OptionalReachability = std::optional<Reachability>;

Q_DECLARE_METATYPE(OptionalReachability)
using Command = std::function<void(QWidget*)>;

Q_DECLARE_METATYPE(Interfaces)
Q_DECLARE_METATYPE(Command)

namespace {

const auto kUpRunning = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;

InterfaceState ethernet(bool routable = true)
{
    return {kUpRunning | QNetworkInterface::CanBroadcast, routable};
}

InterfaceState loopback()
{
    return {kUpRunning | QNetworkInterface::IsLoopBack, true};
}

} // namespace

class PlatformChecksTest : public QObject {
    Q_OBJECT
private slots:
    void platformIsNeverWindows95();
    void networkIsUp_data();
    void networkIsUp();
    void loopbackNeverCounts();
    void passwordCommandsOnlyExplain_data();
    void passwordCommandsOnlyExplain();
};

void PlatformChecksTest::platformIsNeverWindows95()
{
#ifdef Q_OS_WIN
    QCOMPARE(GetPlatform(), QStringLiteral("NT"));
#else
    QCOMPARE(GetPlatform(), QStringLiteral("Unknown"));
#endif
}

void PlatformChecksTest::networkIsUp_data()
{
    QTest::addColumn<OptionalReachability>("reachability");
    QTest::addColumn<Interfaces>("interfaces");
    QTest::addColumn<bool>("up");

    const OptionalReachability none;
    // The system's own report wins whenever it knows.
    QTest::newRow("online, no interface seen")
        << OptionalReachability(Reachability::Online) << Interfaces{} << true;
    QTest::newRow("site") << OptionalReachability(Reachability::Site) << Interfaces{} << true;
    QTest::newRow("local only, although a cable is in")
        << OptionalReachability(Reachability::Local) << Interfaces{ethernet()} << false;
    QTest::newRow("disconnected, although a cable is in")
        << OptionalReachability(Reachability::Disconnected) << Interfaces{ethernet()} << false;
    // Otherwise the interfaces decide.
    QTest::newRow("unknown, a connected interface")
        << OptionalReachability(Reachability::Unknown) << Interfaces{ethernet()} << true;
    QTest::newRow("unknown, nothing") << OptionalReachability(Reachability::Unknown) << Interfaces{} << false;
    QTest::newRow("no backend, a connected interface") << none << Interfaces{ethernet()} << true;
    QTest::newRow("no backend, only loopback") << none << Interfaces{loopback()} << false;
    QTest::newRow("no backend, up but no carrier")
        << none << Interfaces{{QNetworkInterface::IsUp | QNetworkInterface::CanBroadcast, true}} << false;
    QTest::newRow("no backend, running but switched off")
        << none << Interfaces{{QNetworkInterface::IsRunning, true}} << false;
    QTest::newRow("no backend, link-local address only") << none << Interfaces{ethernet(false)} << false;
    QTest::newRow("no backend, one of several")
        << none << Interfaces{loopback(), ethernet(false), ethernet()} << true;
}

void PlatformChecksTest::networkIsUp()
{
    QFETCH(OptionalReachability, reachability);
    QFETCH(Interfaces, interfaces);
    QFETCH(bool, up);
    QCOMPARE(PlatformChecks::networkIsUp(reachability, interfaces), up);
}

void PlatformChecksTest::loopbackNeverCounts()
{
    // Every system has a loopback interface; its addresses must not make it look connected.
    const Interfaces interfaces = PlatformChecks::currentInterfaces();
    bool sawLoopback = false;
    for (const InterfaceState& i : interfaces) {
        if (i.flags & QNetworkInterface::IsLoopBack) {
            sawLoopback = true;
            QVERIFY(!i.hasRoutableAddress);
        }
    }
    QVERIFY(sawLoopback);
}

void PlatformChecksTest::passwordCommandsOnlyExplain_data()
{
    QTest::addColumn<Command>("command");
    QTest::newRow("Windows Logon") << Command(ChangeWindowsPassword);
    QTest::newRow("Screen Saver") << Command(ChangeScreenSaverPassword);
}

void PlatformChecksTest::passwordCommandsOnlyExplain()
{
    QFETCH(Command, command);
    FakeDesktop& fake = FakeDesktop::install();
    QWidget owner;
    command(&owner);
    QCOMPARE(fake.messages, QStringList{QStringLiteral("This can only be done on Windows 95/98.")});
    QVERIFY(fake.opened.isEmpty());
    QVERIFY(fake.started.isEmpty());
    QVERIFY(fake.questions.isEmpty());
}

QTEST_MAIN(PlatformChecksTest)
#include "tst_platformchecks.moc"
