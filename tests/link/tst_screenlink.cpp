#include "FakePresenter.h"
#include "RecordingHost.h"

#include "link/ScreenSession.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageSeam.h"

#include <QtTest>

#include <memory>

using Lines = QList<QByteArray>;
using Received = QList<TRecordingHost::TDispatched>;

namespace {

const QByteArray DefaultBurst =
    "0120\r\n0130\r\n0134\r\n0144\r\n0150 0\r\n2300\r\n6040\r\n1100 2\r\n"
    "5110 exInterface,12\r\n5110 exPartLoader,0\r\n"
    "5110 exPlaylistMode,2\r\n5110 exSlideshow,0\r\n1040 0\r\n"
    "6110\r\n6120\r\n6140 1\r\n6150 0\r\n0110 1\r\n6160 0,-1\r\n";

QString Greek()
{
    return QStringLiteral("\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac/\u65e5\u672c\u8a9e");
}

QString MismatchText()
{
    return QStringLiteral("Lobby\n\n") + MessageFormat(79, PresenterName());
}

} // namespace

class TestScreenLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void configurationBurst();
    void placement_data();
    void placement();
    void receivedLines_data();
    void receivedLines();
    void lineSplitOverReads();
    void staleBytesDoNotReachNextConnection();
    void screenReleasedWhileDispatching();
    void linesArrivingWhileALineIsHandled();
    void encipheredSession();
    void passwordMismatch_data();
    void passwordMismatch();
    void overlongLineDisconnects();
    void connectFailures_data();
    void connectFailures();
    void connectTimesOut();
    void connectAllDoesNotWait();
    void errorEvents_data();
    void errorEvents();
    void presenterGoesAway_data();
    void presenterGoesAway();
    void connectButton();
    void destroyWhileConnected();

private:
    std::unique_ptr<TVLScreenClass> MakeScreen(quint16 port);
    // Connects through the Connect button and waits for the whole burst.
    bool ConnectAndTakeBurst(TVLScreenClass *screen, TFakePresenter &presenter);

    std::unique_ptr<TRecordingHost> FHost;
};

void TestScreenLink::init()
{
    MessageSeam::Enable();
    FHost = std::make_unique<TRecordingHost>();
}

void TestScreenLink::cleanup()
{
    FHost.reset();
    MessageSeam::Disable();
}

std::unique_ptr<TVLScreenClass> TestScreenLink::MakeScreen(quint16 port)
{
    auto screen = std::make_unique<TVLScreenClass>(FHost.get());
    screen->Name = QStringLiteral("Lobby");
    screen->Address = QStringLiteral("127.0.0.1");
    screen->Port = port;
    return screen;
}

bool TestScreenLink::ConnectAndTakeBurst(TVLScreenClass *screen, TFakePresenter &presenter)
{
    ToggleScreenConnection(screen);
    if (!screen->IsConnected() || screen->PlayState != psNoMedia || !presenter.WaitForPeer())
        return false;
    const int lines = presenter.WaitForLines(19).size();
    presenter.Received.clear();
    return lines >= 18;
}

void TestScreenLink::configurationBurst()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    ToggleScreenConnection(screen.get());
    QCOMPARE(screen->PlayState, int(psNoMedia));
    QVERIFY(presenter.WaitForPeer());
    presenter.WaitForLines(19);
    QCOMPARE(presenter.Received, DefaultBurst);
    QVERIFY(FHost->Refreshes >= 2);
    QVERIFY(FHost->Repaints >= 1);

    // Every option flipped; the burst is resent as is when the configuration changes.
    presenter.Received.clear();
    screen->HideMouseCursor = false;
    screen->DisableOSD = false;
    screen->DisableParts = false;
    screen->PlaylistMode = 13;
    screen->SlideshowDelay = 15;
    screen->SchedulePause = false;
    screen->ScheduleHideScreen = true;
    screen->SendConfiguration();
    presenter.WaitForLines(18);
    QCOMPARE(presenter.Received,
             QByteArray("0120\r\n0130\r\n0134\r\n0144\r\n0150 1\r\n2300\r\n6040\r\n1100 2\r\n"
                        "5110 exInterface,11\r\n5110 exPartLoader,1\r\n"
                        "5110 exPlaylistMode,13\r\n5110 exSlideshow,15\r\n1040 0\r\n"
                        "6110\r\n6120\r\n6140 0\r\n6150 1\r\n0110 1\r\n"));
}

void TestScreenLink::placement_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("screenMode");
    QTest::addColumn<int>("monitor");
    QTest::addColumn<Lines>("onTop");
    QTest::addColumn<Lines>("placement");
    const Lines custom{"5110 exSkinMode,4", "6160 1,-1920,20,640,360"};
    const Lines invisible{"5110 exInterface,6", "6160 1,32767,32767,100,100"};
    QTest::newRow("fullscreen, default monitor")
        << 0 << 0 << 0 << Lines{"1040 0"} << Lines{"6160 0,-1"};
    QTest::newRow("fullscreen, monitor 2, floating")
        << 0 << 1 << 2 << Lines{"1040 0"} << Lines{"6160 0,1"};
    QTest::newRow("custom, background") << 1 << 0 << 0 << Lines{"1040 0"} << custom;
    QTest::newRow("custom, floating") << 1 << 1 << 0 << Lines{"1040 1"} << custom;
    QTest::newRow("video wall") << 2 << 1 << 0 << Lines{} << custom;
    QTest::newRow("invisible over fullscreen") << 0 << 2 << 3 << Lines{"1040 0"} << invisible;
    QTest::newRow("invisible over video wall") << 2 << 2 << 0 << Lines{} << invisible;
    QTest::newRow("unknown layout") << 7 << 0 << 0 << Lines{} << Lines{"6160 "};
}

void TestScreenLink::placement()
{
    QFETCH(int, layout);
    QFETCH(int, screenMode);
    QFETCH(int, monitor);
    QFETCH(Lines, onTop);
    QFETCH(Lines, placement);
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    screen->Layout = layout;
    screen->ScreenMode = screenMode;
    screen->Monitor = monitor;
    screen->CustomXOfs = -1920;
    screen->CustomYOfs = 20;
    screen->CustomWidth = 640;
    screen->CustomHeight = 360;
    ToggleScreenConnection(screen.get());
    QVERIFY(presenter.WaitForPeer());
    const int expected = 17 + onTop.size() + placement.size();
    const Lines lines = presenter.WaitForLines(expected);
    QCOMPARE(lines.size(), expected);
    QCOMPARE(lines.mid(12, onTop.size()), onTop);
    QCOMPARE(lines.at(12 + onTop.size()), QByteArray("6110"));
    QCOMPARE(lines.mid(17 + onTop.size()), placement);

    // No placement while disconnected or connecting.
    presenter.Received.clear();
    for (int state : {int(psDisconnected), int(psConnecting)}) {
        screen->PlayState = state;
        screen->SendLayout();
    }
    screen->PlayState = psPlaying;
    screen->SendLine(QStringLiteral("2300"));
    QCOMPARE(presenter.WaitForLines(1), Lines{"2300"});
}

void TestScreenLink::receivedLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Received>("dispatched");
    QTest::addColumn<qsizetype>("leftOver");
    QTest::newRow("two lines in one read")
        << QByteArray("1000 1\r\n1800 http://x/a.mp4\r\n")
        << Received{{1000, "1"}, {1800, "http://x/a.mp4"}} << qsizetype(0);
    QTest::newRow("no payload, with and without separator")
        << QByteArray("2300\r\n2300 \r\n") << Received{{2300, ""}, {2300, ""}} << qsizetype(0);
    QTest::newRow("separator not looked at")
        << QByteArray("2300x55\r\n") << Received{{2300, "55"}} << qsizetype(0);
    QTest::newRow("malformed lines dropped, the rest handled")
        << QByteArray("23x0 5\r\n230\r\n\r\n-100 1\r\n 1000 1\r\n1000 2\r\n")
        << Received{{1000, "2"}} << qsizetype(0);
    QTest::newRow("leading zero code") << QByteArray("0110 2026,12,7,9,30,0\r\n")
                                       << Received{{110, "2026,12,7,9,30,0"}} << qsizetype(0);
    QTest::newRow("non-ascii payload") << (QByteArray("6000 ") + Greek().toUtf8() + "\r\n")
                                       << Received{{6000, Greek()}} << qsizetype(0);
    QTest::newRow("unfinished tail waits")
        << QByteArray("1000 1\r\n1800 par") << Received{{1000, "1"}} << qsizetype(8);
}

void TestScreenLink::receivedLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Received, dispatched);
    QFETCH(qsizetype, leftOver);
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    presenter.Send(bytes);
    QTRY_COMPARE(screen->ReceiveBufferSize(), leftOver);
    QTRY_COMPARE(FHost->Dispatched.size(), dispatched.size());
    QCOMPARE(FHost->Dispatched, dispatched);
    QVERIFY(MessageSeam::Shown().isEmpty());
}

void TestScreenLink::lineSplitOverReads()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    presenter.Send("10");
    QTRY_COMPARE(screen->ReceiveBufferSize(), qsizetype(2));
    presenter.Send("00 2\r");
    QTRY_COMPARE(screen->ReceiveBufferSize(), qsizetype(7));
    QVERIFY(FHost->Dispatched.isEmpty());
    presenter.Send("\n");
    QTRY_COMPARE(FHost->Dispatched.size(), 1);
    QCOMPARE(FHost->Dispatched.first(), (TRecordingHost::TDispatched{1000, "2"}));
    QCOMPARE(screen->ReceiveBufferSize(), qsizetype(0));
}

void TestScreenLink::staleBytesDoNotReachNextConnection()
{
    TFakePresenter first;
    auto screen = MakeScreen(first.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), first));
    first.Send("18");
    QTRY_COMPARE(screen->ReceiveBufferSize(), qsizetype(2));
    ToggleScreenConnection(screen.get());
    QCOMPARE(screen->PlayState, int(psDisconnected));

    TFakePresenter second;
    screen->Port = second.Port();
    QVERIFY(ConnectAndTakeBurst(screen.get(), second));
    second.Send("1000 1\r\n");
    QTRY_COMPARE(FHost->Dispatched.size(), 1);
    QCOMPARE(FHost->Dispatched.first(), (TRecordingHost::TDispatched{1000, "1"}));
}

void TestScreenLink::screenReleasedWhileDispatching()
{
    // The window may release a screen while one of its lines is being handled
    // (a dialog opened by that line runs the message loop); the lines behind
    // it must then be dropped, not handled on a released screen.
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    FHost->OnDispatch = [&screen](TVLScreenClass *, int code, const QString &) {
        if (code == 1000)
            screen.reset();
    };
    presenter.Send("1000 1\r\n2300 5\r\n6110 1\r\n");
    QTRY_VERIFY(!screen);
    QVERIFY(presenter.WaitForPeerGone());
    QCOMPARE(FHost->Dispatched, (Received{{1000, "1"}}));
}

void TestScreenLink::linesArrivingWhileALineIsHandled()
{
    // A line that opens a dialog runs the message loop until the operator
    // answers; what the screen sends meanwhile is handled then, in order
    // after the lines already waiting.
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    bool handledWhileOpen = false;
    FHost->OnDispatch = [&](TVLScreenClass *, int code, const QString &) {
        if (code != 1000)
            return;
        presenter.Send("2300 5\r\n");
        handledWhileOpen = QTest::qWaitFor([&] { return FHost->Dispatched.size() == 3; }, 5000);
    };
    presenter.Send("1000 1\r\n6110 1\r\n");
    QTRY_COMPARE(FHost->Dispatched.size(), 3);
    QVERIFY(handledWhileOpen);
    QCOMPARE(FHost->Dispatched, (Received{{1000, "1"}, {6110, "1"}, {2300, "5"}}));
    QCOMPARE(screen->ReceiveBufferSize(), qsizetype(0));
}

void TestScreenLink::encipheredSession()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    screen->SetPassword(QStringLiteral("secret"));
    TChannelCipher presenterCipher;
    presenterCipher.SetKey(QStringLiteral("secret"));

    ToggleScreenConnection(screen.get());
    QVERIFY(presenter.WaitForPeer());
    const Lines wire = presenter.WaitForLines(19);
    QCOMPARE(wire.size(), 19);
    QByteArray burst;
    for (const QByteArray &line : wire) {
        const QByteArray plain = presenterCipher.DecipherLine(line);
        QVERIFY2(plain.startsWith("OV00"), line.constData());
        burst += plain.mid(13) + "\r\n";
    }
    QCOMPARE(burst, DefaultBurst);

    // Non-ASCII both ways, several lines in one read.
    presenter.Received.clear();
    QVERIFY(screen->SendLine(QStringLiteral("6000 ") + Greek()));
    const Lines sent = presenter.WaitForLines(1);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(presenterCipher.DecipherLine(sent.first()).mid(13),
             QByteArray("6000 ") + Greek().toUtf8());
    presenter.Send(presenterCipher.EncipherLine("1000 3") + "\r\n" +
                   presenterCipher.EncipherLine(QByteArray("6000 ") + Greek().toUtf8()) + "\r\n" +
                   presenterCipher.EncipherLine("2300") + "\r\n");
    QTRY_COMPARE(FHost->Dispatched.size(), 3);
    QCOMPARE(FHost->Dispatched, (Received{{1000, "3"}, {6000, Greek()}, {2300, QString()}}));

    // A new password holds from the next line on, both ways.
    presenter.Received.clear();
    screen->SetPassword(QStringLiteral("other"));
    TChannelCipher otherCipher;
    otherCipher.SetKey(QStringLiteral("other"));
    QVERIFY(screen->SendLine(QStringLiteral("2300")));
    const Lines next = presenter.WaitForLines(1);
    QCOMPARE(next.size(), 1);
    QCOMPARE(otherCipher.DecipherLine(next.first()).mid(13), QByteArray("2300"));
    presenter.Send(otherCipher.EncipherLine("1000 1") + "\r\n");
    QTRY_COMPARE(FHost->Dispatched.size(), 4);
    QCOMPARE(FHost->Dispatched.last(), (TRecordingHost::TDispatched{1000, "1"}));
    QVERIFY(MessageSeam::Shown().isEmpty());
}

void TestScreenLink::passwordMismatch_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("bytes");
    TChannelCipher secret;
    secret.SetKey(QStringLiteral("secret"));
    TChannelCipher other;
    other.SetKey(QStringLiteral("other"));
    const QByteArray valid = secret.EncipherLine("1000 1") + "\r\n";
    QTest::newRow("presenter keyed differently")
        << QStringLiteral("secret") << (other.EncipherLine("1000 2") + "\r\n" + valid);
    QTest::newRow("presenter without password")
        << QStringLiteral("secret") << (QByteArray("1000 2\r\n") + valid);
    // "ov0000000000 1000 1" under "secret", from the openssl tool.
    QTest::newRow("lower-case marker")
        << QStringLiteral("secret") << QByteArray("46O6LSMFKDgPxchckmeIE/rneQ==\r\n" + valid);
    QTest::newRow("presenter reports 0200, enciphered")
        << QStringLiteral("secret") << (secret.EncipherLine("0200") + "\r\n" + valid);
    QTest::newRow("presenter reports 0201, plain") << QString() << QByteArray("0201\r\n1000 1\r\n");
}

void TestScreenLink::passwordMismatch()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, bytes);
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    screen->SetPassword(password);
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    const int disconnectsBefore = FHost->Disconnects;

    // The mismatch disconnects from inside the read event; the socket must
    // survive until that event is over.
    presenter.Send(bytes);
    QTRY_COMPARE(MessageSeam::Shown().size(), 1);
    const MessageSeam::TShownDialog shown = MessageSeam::Shown().first();
    QCOMPARE(shown.Text, MismatchText());
    QCOMPARE(shown.Type, TDialogType::Information);
    QCOMPARE(screen->PlayState, int(psDisconnected));
    QVERIFY(!screen->IsConnected());
    QVERIFY(!screen->SocketComponent());
    QCOMPARE(screen->ReceiveBufferSize(), qsizetype(0));
    QVERIFY(FHost->Disconnects > disconnectsBefore);
    QVERIFY(presenter.WaitForPeerGone());
    QTest::qWait(20);
    QVERIFY(FHost->Dispatched.isEmpty()); // the valid line after it was not handled
    QCOMPARE(MessageSeam::Shown().size(), 1);
}

void TestScreenLink::overlongLineDisconnects()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    screen->SetReceiveCapacity(1024);
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    presenter.Send("1000 1\r\n" + QByteArray(600, 'a'));
    QTRY_COMPARE(FHost->Dispatched.size(), 1);
    presenter.Send(QByteArray(600, 'a'));
    QTRY_COMPARE(screen->PlayState, int(psDisconnected));
    QVERIFY(presenter.WaitForPeerGone());
    QCOMPARE(MessageSeam::Shown().size(), 1);
    QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Error);
    QVERIFY(MessageSeam::Shown().first().Text.startsWith(QStringLiteral("Lobby\n\n")));
    QVERIFY(MessageSeam::Shown().first().Text.contains(QStringLiteral("1024")));
    QCOMPARE(screen->ReceiveBufferSize(), qsizetype(0));

    // The console goes on: the same screen connects again.
    TFakePresenter again;
    screen->Port = again.Port();
    QVERIFY(ConnectAndTakeBurst(screen.get(), again));
    again.Send("2300 40\r\n");
    QTRY_COMPARE(FHost->Dispatched.size(), 2);
}

void TestScreenLink::connectFailures_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("port"); // -1: a port nothing listens on
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("componentKept");
    QTest::newRow("refused") << QStringLiteral("127.0.0.1") << -1
                             << (QStringLiteral("Screen \"Lobby\"\n\nERROR #10061 - ") +
                                 MessageText(50))
                             << false;
    QTest::newRow("unresolvable") << QStringLiteral("no-such-screen.invalid") << -1
                                  << (QStringLiteral("Screen \"Lobby\"\n\nERROR #11001 - ") +
                                      MessageFormat(51, QStringLiteral("no-such-screen.invalid")))
                                  << true;
    const QString badPort = QStringLiteral("Lobby\n\n") + MessageText(50);
    QTest::newRow("port above 16 bits") << QStringLiteral("127.0.0.1") << 70000 << badPort << false;
    QTest::newRow("port 0") << QStringLiteral("127.0.0.1") << 0 << badPort << false;
}

void TestScreenLink::connectFailures()
{
    QFETCH(QString, address);
    QFETCH(int, port);
    QFETCH(QString, text);
    QFETCH(bool, componentKept);
    if (port == -1) {
        port = FreeLoopbackPort();
        QVERIFY(port != 0);
    }
    auto screen = MakeScreen(0);
    screen->Port = port;
    screen->Address = address;
    QElapsedTimer timer;
    timer.start();
    ToggleScreenConnection(screen.get());
    QVERIFY(timer.elapsed() < 4000);          // ended by the error, not by the wait
    QCOMPARE(MessageSeam::Shown().size(), 1); // and no timeout message after it
    QCOMPARE(MessageSeam::Shown().first().Text, text);
    QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Error);
    QCOMPARE(screen->PlayState, int(psDisconnected));
    QCOMPARE(screen->LastSocketError, 0);
    QCOMPARE(screen->SocketComponent() != nullptr, componentKept);
}

void TestScreenLink::connectTimesOut()
{
    // A listener whose queue is full drops further connection requests, so a
    // connect to it hangs like one to a host that does not answer.
    QTcpServer server;
    server.setListenBacklogSize(0);
    server.setMaxPendingConnections(1);
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<QTcpSocket>> fillers;
    bool hangs = false;
    for (int i = 0; i < 8 && !hangs; ++i) {
        fillers.push_back(std::make_unique<QTcpSocket>());
        fillers.back()->connectToHost(QHostAddress::LocalHost, server.serverPort());
        hangs = !fillers.back()->waitForConnected(1000);
    }
    if (!hangs)
        QSKIP("this system accepts every connection request");
    fillers.back()->abort();

    auto screen = MakeScreen(server.serverPort());
    ToggleScreenConnection(screen.get(), TConnectWait{10, 50});
    QCOMPARE(MessageSeam::Shown().size(), 1);
    QCOMPARE(MessageSeam::Shown().first().Text, QStringLiteral("Lobby\n\n") + MessageText(37));
    QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Error);
    QCOMPARE(screen->PlayState, int(psDisconnected));
    QVERIFY(!screen->SocketComponent());
    QCOMPARE(screen->LastSocketError, 0);
}

void TestScreenLink::connectAllDoesNotWait()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    ConnectScreen(screen.get());
    QCOMPARE(screen->PlayState, int(psDisconnected)); // returned before any event
    QTRY_COMPARE(screen->PlayState, int(psNoMedia));
    QVERIFY(presenter.WaitForPeer());

    // Refused without the wait: the error stays recorded on the screen...
    const quint16 closedPort = FreeLoopbackPort();
    QVERIFY(closedPort != 0);
    auto refused = MakeScreen(closedPort);
    ConnectScreen(refused.get());
    QTRY_COMPARE(MessageSeam::Shown().size(), 1);
    QCOMPARE(refused->LastSocketError, 10061);
    QCOMPARE(refused->PlayState, int(psDisconnected));
    // ...and must not cut short the next, waited connect.
    TFakePresenter later;
    refused->Port = later.Port();
    ToggleScreenConnection(refused.get());
    QCOMPARE(refused->PlayState, int(psNoMedia));
    QVERIFY(later.WaitForPeer());
}

void TestScreenLink::errorEvents_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("rest");
    QTest::addColumn<bool>("closes");
    QTest::newRow("10049 socket busy")
        << 10049 << (QStringLiteral(" - ") + MessageText(87)) << true;
    QTest::newRow("10053 aborted") << 10053 << (QStringLiteral(" - ") + MessageText(49)) << true;
    QTest::newRow("10054 reset") << 10054 << (QStringLiteral(" - ") + MessageText(49)) << true;
    QTest::newRow("10060 timed out") << 10060 << QStringLiteral(".") << false;
    QTest::newRow("10061 refused") << 10061 << (QStringLiteral(" - ") + MessageText(50)) << false;
    QTest::newRow("11001 lookup") << 11001
                                  << (QStringLiteral(" - ") +
                                      MessageFormat(51, QStringLiteral("127.0.0.1")))
                                  << true;
    QTest::newRow("any other code") << 10065 << QString() << false;
}

void TestScreenLink::errorEvents()
{
    QFETCH(int, code);
    QFETCH(QString, rest);
    QFETCH(bool, closes);
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    const int refreshes = FHost->Refreshes;
    int errorCode = code;
    screen->HandleError(errorCode);
    QCOMPARE(errorCode, 0); // nothing left for the socket layer to raise
    QCOMPARE(MessageSeam::Shown().size(), 1);
    QCOMPARE(MessageSeam::Shown().first().Text,
             QStringLiteral("Screen \"Lobby\"\n\nERROR #") + QString::number(code) + rest);
    QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Error);
    QCOMPARE(screen->IsConnected(), !closes);
    QCOMPARE(screen->PlayState, closes ? int(psDisconnected) : int(psNoMedia));
    QCOMPARE(screen->LastSocketError, closes ? 0 : code);
    QCOMPARE(FHost->Refreshes > refreshes, true);
    if (closes)
        QVERIFY(presenter.WaitForPeerGone());
}

void TestScreenLink::presenterGoesAway_data()
{
    QTest::addColumn<bool>("reset");
    QTest::newRow("orderly close") << false;
    QTest::newRow("reset") << true;
}

void TestScreenLink::presenterGoesAway()
{
    QFETCH(bool, reset);
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    screen->NowPlaying = QStringLiteral("a.mp4");
    screen->CurrentPlaylist = QStringList{QStringLiteral("a.mp4")};
    if (reset) {
        presenter.Peer->abort();
    } else {
        presenter.Peer->disconnectFromHost();
    }
    QTRY_COMPARE(screen->PlayState, int(psDisconnected));
    QVERIFY(!screen->IsConnected());
    QCOMPARE(FHost->Disconnects, 1);
    QVERIFY(screen->NowPlaying.isEmpty());
    QVERIFY(screen->CurrentPlaylist.isEmpty());
    QCOMPARE(screen->LastSocketError, 0);
    QVERIFY(!screen->SendLine(QStringLiteral("2300")));
    // Qt cannot tell a reset from an orderly close; neither is shown as an error.
    QVERIFY(MessageSeam::Shown().isEmpty());
}

void TestScreenLink::connectButton()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    ToggleScreenConnection(nullptr); // no selection: nothing

    screen->PlayState = psConnecting;
    ToggleScreenConnection(screen.get());
    QVERIFY(!screen->SocketComponent());
    QCOMPARE(screen->PlayState, int(psConnecting));

    screen->PlayState = psDisconnected;
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    screen->Volume = 70;
    const int refreshes = FHost->Refreshes;
    ToggleScreenConnection(screen.get());
    QCOMPARE(screen->PlayState, int(psDisconnected));
    QCOMPARE(screen->Volume, 0);
    QVERIFY(FHost->Refreshes > refreshes);
    QCOMPARE(FHost->Disconnects, 1);
    QVERIFY(!screen->SocketComponent());
    QVERIFY(presenter.WaitForPeerGone());
    QVERIFY(!screen->SendLine(QStringLiteral("2300")));
    QVERIFY(MessageSeam::Shown().isEmpty());
}

void TestScreenLink::destroyWhileConnected()
{
    TFakePresenter presenter;
    auto screen = MakeScreen(presenter.Port());
    screen->SetPassword(QStringLiteral("secret"));
    QVERIFY(ConnectAndTakeBurst(screen.get(), presenter));
    const int disconnects = FHost->Disconnects;
    screen.reset();
    QVERIFY(presenter.WaitForPeerGone());
    QCOMPARE(FHost->Disconnects, disconnects); // the host releasing us is not called back
    QVERIFY(MessageSeam::Shown().isEmpty());
}

QTEST_MAIN(TestScreenLink)
#include "tst_screenlink.moc"
