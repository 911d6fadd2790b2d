#include "system/platformchecks.h"

#include <QTest>

using Reachability = QNetworkInformation::Reachability;
using PlatformChecks::InterfaceState;
using Interfaces = QList<InterfaceState>;
using OptionalReachability = std::optional<Reachability>;

Q_DECLARE_METATYPE(OptionalReachability)
Q_DECLARE_METATYPE(Interfaces)

class PlatformChecksTest : public QObject {
    Q_OBJECT
private slots:
    void networkIsUp_data();
    void networkIsUp();
};

void PlatformChecksTest::networkIsUp_data()
{
    QTest::addColumn<OptionalReachability>("reachability");
    QTest::addColumn<Interfaces>("interfaces");
    QTest::addColumn<bool>("up");
    const auto upRunning = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
    const InterfaceState cable{upRunning, true};
    const InterfaceState loopback{upRunning | QNetworkInterface::IsLoopBack, true};
    const OptionalReachability none;
    // The system's own report wins whenever it knows.
    QTest::newRow("online") << OptionalReachability(Reachability::Online) << Interfaces{} << true;
    QTest::newRow("local only") << OptionalReachability(Reachability::Local) << Interfaces{cable} << false;
    // Otherwise the interfaces decide.
    QTest::newRow("unknown, cable") << OptionalReachability(Reachability::Unknown) << Interfaces{cable}
                                    << true;
    QTest::newRow("no backend, cable among others")
        << none << Interfaces{loopback, {upRunning, false}, cable} << true;
    QTest::newRow("only loopback") << none << Interfaces{loopback} << false;
    QTest::newRow("up, no carrier") << none << Interfaces{{QNetworkInterface::IsUp, true}} << false;
    QTest::newRow("link-local only") << none << Interfaces{{upRunning, false}} << false;
}

void PlatformChecksTest::networkIsUp()
{
    QFETCH(OptionalReachability, reachability);
    QFETCH(Interfaces, interfaces);
    QFETCH(bool, up);
    QCOMPARE(PlatformChecks::networkIsUp(reachability, interfaces), up);
}

QTEST_MAIN(PlatformChecksTest)
#include "tst_platformchecks.moc"
