#include "FakePresenter.h"
#include "RecordingHost.h"
#include "ScreenFleet.h"
#include "console/TScreenListController.h"
#include "link/ScreenSession.h"
#include "messages/MessageSeam.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>

namespace {

// The screen list over `fleet`, connecting and disconnecting for real.
TScreenListHooks FleetHooks(const TScreenFleet &fleet)
{
    TScreenListHooks hooks;
    hooks.StoreScreens = [&fleet] { return fleet.Screens(); };
    hooks.ConnectScreen = [](TVLScreenClass *screen) { ConnectScreen(screen); };
    hooks.DisconnectScreen = DisconnectScreen;
    return hooks;
}

} // namespace

// Connect All against real listeners on the loopback interface.
class TestConnectAll : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageSeam::Enable(); }
    void cleanup() { MessageSeam::Disable(); }
    void startsAllAtOnceAndEachOpensOnItsOwn();
    void disconnectAllStopsConnectsUnderWay();
};

void TestConnectAll::startsAllAtOnceAndEachOpensOnItsOwn()
{
    TRecordingHost host;
    TScreenFleet fleet;
    std::vector<std::unique_ptr<TFakePresenter>> presenters;
    for (int i = 0; i < 4; ++i) {
        presenters.push_back(std::make_unique<TFakePresenter>());
        QVERIFY(presenters.back()->Server.isListening());
        fleet
            .Add(QStringLiteral("Screen %1").arg(i), QStringLiteral("127.0.0.1"),
                 presenters.back()->Port())
            ->SetHost(&host);
    }
    // A port nobody listens on: its failure is reported, the others go on.
    const quint16 closedPort = FreeLoopbackPort();
    QVERIFY(closedPort != 0);
    TVLScreenClass *refused =
        fleet.Add(QStringLiteral("Zz refused"), QStringLiteral("127.0.0.1"), closedPort);
    refused->SetHost(&host);

    TScreenListController list(FleetHooks(fleet));
    list.RebuildScreenList();

    MessageSeam::QueueAnswer(mrOk);
    QElapsedTimer clock;
    clock.start();
    list.ConnectAll();
    QVERIFY2(clock.elapsed() < 1000, "Connect All waited for the connections");
    for (const TVLScreenClass *screen : fleet.Screens())
        QCOMPARE(screen->PlayState, int(psDisconnected));

    auto allOpen = [&fleet, refused] {
        for (const TVLScreenClass *screen : fleet.Screens()) {
            if (screen != refused && screen->PlayState != psNoMedia)
                return false;
        }
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(allOpen(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(
        !MessageSeam::Shown().isEmpty() &&
            MessageSeam::Shown().last().Text.contains(QStringLiteral("Unable to Connect")),
        5000);
    QCOMPARE(refused->PlayState, int(psDisconnected));
    QVERIFY(host.Repaints >= 4);

    // Each listener got its connection and the configuration burst on it.
    for (const auto &presenter : presenters) {
        QVERIFY(presenter->WaitForPeer(2000));
        QCOMPARE(presenter->WaitForLines(1, 2000).value(0), QByteArray("0120"));
    }

    MessageSeam::QueueAnswer(mrOk);
    list.DisconnectAll();
    for (const TVLScreenClass *screen : fleet.Screens())
        QCOMPARE(screen->PlayState, int(psDisconnected));
}

void TestConnectAll::disconnectAllStopsConnectsUnderWay()
{
    TRecordingHost host;
    TScreenFleet fleet;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    for (int i = 0; i < 3; ++i)
        fleet
            .Add(QStringLiteral("Screen %1").arg(i), QStringLiteral("127.0.0.1"),
                 server.serverPort())
            ->SetHost(&host);

    TScreenListController list(FleetHooks(fleet));
    list.RebuildScreenList();

    MessageSeam::QueueAnswer(mrOk);
    list.ConnectAll();
    // Still at -1, but connecting: Disconnect All counts and stops them.
    MessageSeam::QueueAnswer(mrOk);
    list.DisconnectAll();
    QCOMPARE(MessageSeam::Shown().last().Text, QStringLiteral("Disconnect from 3 screens?"));
    QTest::qWait(300); // long enough for a loopback connect that was not stopped to open
    for (const TVLScreenClass *screen : fleet.Screens()) {
        QCOMPARE(screen->PlayState, int(psDisconnected));
        QVERIFY(!screen->IsConnected());
    }
}

QTEST_MAIN(TestConnectAll)
#include "tst_connectall.moc"
