// End-to-end: a screen object talks to the presenter simulator program over
// loopback, and the simulator's record shows what the console really sent.
#include "RecordingHost.h"
#include "SimulatorProcess.h"
#include "link/ScreenSession.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageSeam.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QList<QByteArray> Bytes(const QStringList &lines)
{
    QList<QByteArray> bytes;
    for (const QString &line : lines)
        bytes.append(line.toUtf8());
    return bytes;
}

// The burst of a screen with the default presenter options.
QStringList DefaultBurst(const QString &stayOnTop)
{
    QStringList burst{"0120",
                      "0130",
                      "0134",
                      "0144",
                      "0150 0",
                      "2300",
                      "6040",
                      "1100 2",
                      "5110 exInterface,12",
                      "5110 exPartLoader,0",
                      "5110 exPlaylistMode,2",
                      "5110 exSlideshow,0"};
    if (!stayOnTop.isEmpty())
        burst.append(stayOnTop);
    burst += QStringList{"6110", "6120", "6140 1", "6150 0", "0110 1"};
    return burst;
}

const char *const GreekFolder = "Ταινίες";
const char *const JapaneseFile = "ビデオ.mp4";

} // namespace

class TestSessionSim : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FTemp;
    std::unique_ptr<TSimProcess> FSim;
    // Ports of the fleet: plain, enciphered with "s3cret", enciphered with "other".
    quint16 PlainPort() const { return FSim->Port; }
    quint16 SecretPort() const { return FSim->Port + 1; }
    quint16 OtherPort() const { return FSim->Port + 2; }

    // `configure` sets further fields before the connect starts.
    std::unique_ptr<TVLScreenClass>
    Connect(TDispatchingHost &host, quint16 port, const QString &password = QString(),
            const std::function<void(TVLScreenClass &)> &configure = nullptr)
    {
        auto screen = std::make_unique<TVLScreenClass>(&host);
        screen->Name = QStringLiteral("Lobby");
        screen->Address = QStringLiteral("127.0.0.1");
        screen->Port = port;
        screen->SetPassword(password);
        if (configure)
            configure(*screen);
        host.Show(screen.get());
        // As the Connect button does: the wait only runs for a screen at 100.
        screen->PlayState = psConnecting;
        ConnectScreen(screen.get());
        return screen;
    }

    // Waits for the screen's burst and the simulator's last reply (the clock),
    // then checks the recorded lines: `expected` first when given, then the
    // renderer correction exactly when the simulator reported another renderer.
    QList<QByteArray> VerifyRecordedAfterConnect(const TDispatchingHost &host,
                                                 const TVLScreenClass &screen, quint16 port,
                                                 qsizetype before,
                                                 const QList<QByteArray> &expected)
    {
        QList<QByteArray> recorded;
        [&] {
            QCOMPARE(screen.PlayState, int(psNoMedia));
            QTRY_VERIFY_WITH_TIMEOUT(screen.SysTimeSynched, 5000);
            QString simRenderer;
            for (const TDispatchingHost::TDispatched &line : host.Dispatched) {
                if (line.Code == 144)
                    simRenderer = line.Payload;
            }
            const QByteArray rendererText = QByteArray::number(screen.VideoRenderer);
            const bool corrected = simRenderer.toUtf8() != rendererText;
            const qsizetype burst = expected.isEmpty() ? 19 : expected.size();
            const qsizetype total = burst + (corrected ? 1 : 0);
            QTRY_VERIFY_WITH_TIMEOUT(FSim->Recorded(port).size() >= before + total, 5000);
            recorded = FSim->Recorded(port).mid(before);
            if (!expected.isEmpty())
                QCOMPARE(recorded.mid(0, burst), expected);
            if (corrected)
                QCOMPARE(recorded.value(burst), QByteArray("0142 ") + rendererText);
            QCOMPARE(recorded.size(), total);
        }();
        return recorded;
    }

    QString MediaPath() const
    {
        return QString::fromUtf8(GreekFolder) + QLatin1Char('\\') + QString::fromUtf8(JapaneseFile);
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("ORVANE_SIM"))
            QSKIP("ORVANE_SIM does not name the simulator program");
        QVERIFY(FTemp.isValid());
        const QString share = FTemp.filePath(QStringLiteral("share"));
        QVERIFY(QDir().mkpath(share + QLatin1Char('/') + QString::fromUtf8(GreekFolder)));
        QFile media(share + QLatin1Char('/') + QString::fromUtf8(GreekFolder) + QLatin1Char('/') +
                    QString::fromUtf8(JapaneseFile));
        QVERIFY(media.open(QIODevice::WriteOnly));
        media.close();

        FSim = std::make_unique<TSimProcess>();
        QVERIFY(FSim->Start(3,
                            {QStringLiteral("--share"), share, QStringLiteral("--password-for"),
                             QStringLiteral("1=s3cret"), QStringLiteral("--password-for"),
                             QStringLiteral("2=other")},
                            FTemp.filePath(QStringLiteral("record.txt"))));
    }

    void init() { MessageSeam::Enable(); }
    void cleanup() { MessageSeam::Disable(); }

    void burstAndPlacementArriveByteForByte_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("screenMode");
        QTest::addColumn<int>("monitor");
        QTest::addColumn<QString>("stayOnTop");
        QTest::addColumn<QStringList>("placement");
        QTest::newRow("fullscreen, default monitor")
            << 0 << 0 << 0 << "1040 0" << QStringList{"6160 0,-1"};
        QTest::newRow("fullscreen, monitor 2")
            << 0 << 0 << 2 << "1040 0" << QStringList{"6160 0,1"};
        QTest::newRow("custom, floating zone")
            << 1 << 1 << 0 << "1040 1" << QStringList{"5110 exSkinMode,4", "6160 1,-10,20,640,480"};
        QTest::newRow("custom, background zone")
            << 1 << 0 << 0 << "1040 0" << QStringList{"5110 exSkinMode,4", "6160 1,-10,20,640,480"};
        QTest::newRow("video wall") << 2 << 1 << 0 << QString()
                                    << QStringList{"5110 exSkinMode,4", "6160 1,-10,20,640,480"};
        QTest::newRow("invisible, fullscreen layout")
            << 0 << 2 << 1 << "1040 0"
            << QStringList{"5110 exInterface,6", "6160 1,32767,32767,100,100"};
        QTest::newRow("invisible, video wall")
            << 2 << 2 << 0 << QString()
            << QStringList{"5110 exInterface,6", "6160 1,32767,32767,100,100"};
        QTest::newRow("unknown layout") << 3 << 0 << 0 << QString() << QStringList{"6160 "};
    }
    void burstAndPlacementArriveByteForByte()
    {
        QFETCH(int, layout);
        QFETCH(int, screenMode);
        QFETCH(int, monitor);
        QFETCH(QString, stayOnTop);
        QFETCH(QStringList, placement);

        const qsizetype before = FSim->Recorded(PlainPort()).size();
        TDispatchingHost host;
        auto screen = Connect(host, PlainPort(), QString(), [&](TVLScreenClass &s) {
            s.Layout = layout;
            s.ScreenMode = screenMode;
            s.Monitor = monitor;
            s.CustomXOfs = -10;
            s.CustomYOfs = 20;
            s.CustomWidth = 640;
            s.CustomHeight = 480;
        });
        QCOMPARE(screen->PlayState, int(psNoMedia));

        const QList<QByteArray> expected = Bytes(DefaultBurst(stayOnTop) + placement);
        VerifyRecordedAfterConnect(host, *screen, PlainPort(), before, expected);

        // The replies filled the reported fields.
        QCOMPARE(screen->MonitorList, (MonitorRectList{MonitorRect{0, 0, 1920, 1080}}));
        QCOMPARE(screen->AudioDevices.size(), 2);
        QCOMPARE(screen->AudioDevice, screen->AudioDevices.first());
        QVERIFY(qAbs(screen->SysTimeDiff) < 5.0 / 86400);
        QVERIFY(MessageSeam::Shown().isEmpty());
        DisconnectScreen(screen.get());
        QCOMPARE(screen->PlayState, int(psDisconnected));
    }

    void presenterOptionsShapeTheBurst()
    {
        const qsizetype before = FSim->Recorded(PlainPort()).size();
        TDispatchingHost host;
        auto screen = Connect(host, PlainPort(), QString(), [](TVLScreenClass &s) {
            s.HideMouseCursor = false;
            s.DisableOSD = false;
            s.DisableParts = false;
            s.PlaylistMode = 13;
            s.SlideshowDelay = 25;
            s.SchedulePause = false;
            s.ScheduleHideScreen = true;
            s.VideoRenderer = 3;
        });
        const QList<QByteArray> recorded =
            VerifyRecordedAfterConnect(host, *screen, PlainPort(), before, {});
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(recorded.at(4), QByteArray("0150 1"));
        QCOMPARE(recorded.at(8), QByteArray("5110 exInterface,11"));
        QCOMPARE(recorded.at(9), QByteArray("5110 exPartLoader,1"));
        QCOMPARE(recorded.at(10), QByteArray("5110 exPlaylistMode,13"));
        QCOMPARE(recorded.at(11), QByteArray("5110 exSlideshow,25"));
        QCOMPARE(recorded.at(15), QByteArray("6140 0"));
        QCOMPARE(recorded.at(16), QByteArray("6150 1"));
        DisconnectScreen(screen.get());
    }

    void sessionsCarryNonAsciiBothWays_data()
    {
        QTest::addColumn<bool>("enciphered");
        QTest::newRow("plain") << false;
        QTest::newRow("enciphered") << true;
    }
    void sessionsCarryNonAsciiBothWays()
    {
        QFETCH(bool, enciphered);
        const quint16 port = enciphered ? SecretPort() : PlainPort();
        TDispatchingHost host;
        auto screen = Connect(host, port, enciphered ? QStringLiteral("s3cret") : QString());
        QCOMPARE(screen->PlayState, int(psNoMedia));
        QTRY_VERIFY_WITH_TIMEOUT(screen->SysTimeSynched, 5000);

        const qsizetype before = host.Dispatched.size();
        const QString line = QStringLiteral("6010 ") + MediaPath();
        QVERIFY(screen->SendLine(line));
        // One activation makes the simulator write four lines at once; all of
        // them are dispatched, in order.
        QTRY_VERIFY_WITH_TIMEOUT(host.Dispatched.size() >= before + 4, 5000);
        QCOMPARE(host.DispatchedCodes().mid(before, 4), (QList<int>{6010, 1811, 1800, 1000}));
        QVERIFY(screen->ActivationAcknowledged);
        QCOMPARE(screen->ValidEntryCount, 1);
        QCOMPARE(screen->NowPlaying, MediaPath());
        QCOMPARE(screen->PlayState, int(psPaused));
        QTRY_COMPARE_WITH_TIMEOUT(screen->CurrentPlaylist, QStringList{MediaPath()}, 5000);
        QVERIFY(FSim->Recorded(port).contains(line.toUtf8()));

        QVERIFY(screen->SendLine(QStringLiteral("5100 fnUnpause")));
        QTRY_COMPARE_WITH_TIMEOUT(screen->PlayState, int(psPlaying), 5000);
        QVERIFY(screen->CommandAcknowledged);
        // Position reports tick once a second after the "1100 2" of the burst.
        QTRY_VERIFY_WITH_TIMEOUT(screen->PositionText.startsWith(QLatin1String("00:00:0")) &&
                                     screen->PositionText != QLatin1String("00:00:00"),
                                 5000);
        QVERIFY(screen->SendLine(QStringLiteral("5100 fnStop")));
        QTRY_COMPARE_WITH_TIMEOUT(screen->PlayState, int(psStopped), 5000);
        QVERIFY(MessageSeam::Shown().isEmpty());
        DisconnectScreen(screen.get());
    }

    void encipheredLinesReachTheSimulatorAsSent()
    {
        const qsizetype before = FSim->Recorded(SecretPort()).size();
        TDispatchingHost host;
        auto screen = Connect(host, SecretPort(), QStringLiteral("s3cret"));
        VerifyRecordedAfterConnect(
            host, *screen, SecretPort(), before,
            Bytes(DefaultBurst(QStringLiteral("1040 0")) + QStringList{"6160 0,-1"}));
        DisconnectScreen(screen.get());
    }

    void passwordMismatchDropsTheScreen()
    {
        TDispatchingHost host;
        auto screen = Connect(host, OtherPort(), QStringLiteral("s3cret"));
        QTRY_COMPARE_WITH_TIMEOUT(screen->PlayState, int(psDisconnected), 5000);
        // The simulator answers every line of the burst; let the rest arrive.
        QTest::qWait(200);
        QVERIFY(host.Dispatched.isEmpty());
        const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().Type, TDialogType::Information);
        QCOMPARE(shown.first().Text,
                 QStringLiteral("Lobby\n\n") + MessageFormat(79, PresenterName()));
        QVERIFY(FSim->Recorded(OtherPort()).isEmpty());
        QVERIFY(!screen->SendLine(QStringLiteral("2300")));
    }

    void plainConsoleAgainstEncipheredScreen()
    {
        TDispatchingHost host;
        auto screen = Connect(host, SecretPort());
        QTRY_COMPARE_WITH_TIMEOUT(screen->PlayState, int(psDisconnected), 5000);
        QCOMPARE(MessageSeam::Shown().size(), 1);
        QVERIFY(host.Dispatched.isEmpty());
    }

    void misbehavingScreens_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("staysConnected");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("garbage lines are dropped")
            << QStringList{"--garbage"} << QString() << true << 0;
        QTest::newRow("garbage lines, enciphered")
            << QStringList{"--garbage", "--password", "s3cret"} << "s3cret" << true << 0;
        QTest::newRow("late clock reply")
            << QStringList{"--delay-code", "0110=300"} << QString() << true << 0;
        QTest::newRow("connection dropped mid-burst")
            << QStringList{"--drop-after", "5"} << QString() << false << -1;
        QTest::newRow("over-long line")
            << QStringList{"--long-line", "200000"} << QString() << false << 1;
        QTest::newRow("screen with a wrong password")
            << QStringList{"--password", "s3cret", "--wrong-password"} << "s3cret" << false << 1;
    }
    void misbehavingScreens()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, password);
        QFETCH(bool, staysConnected);
        QFETCH(int, dialogs);
        TSimProcess sim;
        QVERIFY(sim.Start(1,
                          faults + QStringList{QStringLiteral("--share"),
                                               FTemp.filePath(QStringLiteral("share"))},
                          FTemp.filePath(QStringLiteral("faults.txt"))));

        TDispatchingHost host;
        auto screen = Connect(host, sim.Port, password,
                              [](TVLScreenClass &s) { s.SetReceiveCapacity(1000); });

        if (staysConnected) {
            QTRY_VERIFY_WITH_TIMEOUT(screen->SysTimeSynched, 5000);
            QCOMPARE(screen->PlayState, int(psNoMedia));
            QCOMPARE(screen->Volume, 80);
            DisconnectScreen(screen.get());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(screen->PlayState, int(psDisconnected), 5000);
            QVERIFY(!screen->SendLine(QStringLiteral("2300")));
        }
        if (dialogs >= 0)
            QCOMPARE(MessageSeam::Shown().size(), dialogs);
    }
};

QTEST_MAIN(TestSessionSim)
#include "tst_session_sim.moc"
