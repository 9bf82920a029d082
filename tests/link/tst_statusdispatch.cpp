#include "FakePresenter.h"
#include "RecordingHost.h"
#include "link/StatusDispatch.h"
#include "link/TScreenHost.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageSeam.h"

#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

const char GoodEntry[] =
    "AddEntry(\"File=Movies\\clip.mp4\",StartDate=45292,StartTime=32400,EndDate=45292,"
    "EndTime=36000,StartFuncType=0,StartFuncIndex=-1,StartFuncValue=0,EndFuncType=1,"
    "EndFuncIndex=20,EndFuncValue=50,Override=3)";

} // namespace

class TestStatusDispatch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clock_data();
    void clock();
    void monitorsGoToEveryScreenOfTheAddress();
    void audioDevicesReplaceTheList();
    void playState_data();
    void playState();
    void positionOnlyReachesTheLabelOfTheSelectedScreen();
    void nowPlayingAndScalarReplies();
    void playlistChange();
    void playlistFileForTheEditor_data();
    void playlistFileForTheEditor();
    void currentPlaylist_data();
    void currentPlaylist();
    void playlistErrorIsNotStackedOnItself();
    void playlistSaveReply_data();
    void playlistSaveReply();
    void scheduleReply();
    void folderListing();
    void repliesToAudioDeviceAndRenderer();
    void hostilePayloads_data();
    void hostilePayloads();

private:
    std::unique_ptr<TRecordingHooks> Hooks;
    std::unique_ptr<TStatusDispatcher> Dispatcher;
    std::unique_ptr<TVLScreenClass> Screen;

    void Dispatch(int code, const QString &payload)
    {
        Dispatcher->Dispatch(Screen.get(), code, payload);
    }
    static QString DialogText(const QString &message)
    {
        return QStringLiteral("Lobby\n\n") + message;
    }
};

void TestStatusDispatch::init()
{
    MessageSeam::Enable();
    Hooks = std::make_unique<TRecordingHooks>();
    Dispatcher = std::make_unique<TStatusDispatcher>(*Hooks);
    Screen = std::make_unique<TVLScreenClass>();
    Screen->Name = QStringLiteral("Lobby");
    Screen->Address = QStringLiteral("10.0.0.7");
    Hooks->Store = {Screen.get()};
}

void TestStatusDispatch::cleanup()
{
    Screen.reset();
    Dispatcher.reset();
    Hooks.reset();
    MessageSeam::Disable();
}

void TestStatusDispatch::clock_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<bool>("synched");
    QTest::addColumn<double>("diff"); // NaN: SysTimeDiff keeps its earlier value

    const double unchanged = qQNaN();
    const QDateTime leapNight(QDate(2024, 2, 29), QTime(23, 59, 59));
    const QDateTime noon(QDate(2024, 1, 1), QTime(12, 0, 0));
    QTest::newRow("leap day, clocks agree")
        << leapNight << QStringLiteral("2024,2,29,23,59,59") << true << 0.0;
    QTest::newRow("screen one hour ahead")
        << noon << QStringLiteral("2024,1,1,13,0,0") << true << -1.0 / 24;
    QTest::newRow("screen one second behind across the year")
        << QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0)) << QStringLiteral("2023,12,31,23,59,59")
        << true << 1.0 / 86400;
    QTest::newRow("items after the sixth are ignored")
        << noon << QStringLiteral("2024,1,1,12,0,0,999,x") << true << 0.0;
    QTest::newRow("spaces around numbers")
        << noon << QStringLiteral("2024, 1, 1, 12, 0, 0") << true << 0.0;
    QTest::newRow("29 February of a common year")
        << noon << QStringLiteral("2023,2,29,12,0,0") << false << unchanged;
    QTest::newRow("30 February") << noon << QStringLiteral("2024,2,30,12,0,0") << false
                                 << unchanged;
    QTest::newRow("month 13") << noon << QStringLiteral("2024,13,1,12,0,0") << false << unchanged;
    QTest::newRow("year 0") << noon << QStringLiteral("0,1,1,12,0,0") << false << unchanged;
    QTest::newRow("negative year") << noon << QStringLiteral("-5,1,1,12,0,0") << false << unchanged;
    QTest::newRow("hour 24") << noon << QStringLiteral("2024,1,1,24,0,0") << false << unchanged;
    QTest::newRow("second 60") << noon << QStringLiteral("2024,1,1,12,0,60") << false << unchanged;
    QTest::newRow("not a number") << noon << QStringLiteral("2024,1,x,12,0,0") << false
                                  << unchanged;
    QTest::newRow("overflowing year")
        << noon << QStringLiteral("99999999999,1,1,12,0,0") << false << unchanged;
    QTest::newRow("empty item") << noon << QStringLiteral("2024,,1,12,0,0") << false << unchanged;
}

void TestStatusDispatch::clock()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, payload);
    QFETCH(bool, synched);
    QFETCH(double, diff);

    Dispatcher->SetClock([now] { return now; });
    Screen->SysTimeSynched = !synched;
    Screen->SysTimeDiff = 0.25;
    Dispatch(110, payload);

    QCOMPARE(Screen->SysTimeSynched, synched);
    const double expected = qIsNaN(diff) ? 0.25 : diff;
    QVERIFY2(qAbs(Screen->SysTimeDiff - expected) < 1e-9,
             qPrintable(QString::number(Screen->SysTimeDiff, 'g', 17)));
}

void TestStatusDispatch::monitorsGoToEveryScreenOfTheAddress()
{
    TVLScreenClass sameUpper;
    sameUpper.Address = QStringLiteral("Wall-PC.local");
    TVLScreenClass sameLower;
    sameLower.Address = QStringLiteral("wall-pc.LOCAL");
    TVLScreenClass other;
    other.Address = QStringLiteral("wall-pc2.local");
    other.MonitorList = {MonitorRect{0, 0, 800, 600}};
    sameLower.MonitorList = {MonitorRect{5, 5, 5, 5}, MonitorRect{6, 6, 6, 6}};
    Screen->Address = QStringLiteral("WALL-PC.local");
    Hooks->Store = {&sameUpper, Screen.get(), &other, &sameLower};

    Dispatch(120, QStringLiteral("0,0,1920,1080|-1280,0,1280,1024"));

    const MonitorRectList expected = {MonitorRect{0, 0, 1920, 1080},
                                      MonitorRect{-1280, 0, 1280, 1024}};
    QCOMPARE(Screen->MonitorList, expected);
    QCOMPARE(sameUpper.MonitorList, expected);
    QCOMPARE(sameLower.MonitorList, expected); // replaced, not appended
    const MonitorRectList untouched = {MonitorRect{0, 0, 800, 600}};
    QCOMPARE(other.MonitorList, untouched);

    // Bad pieces are dropped; an empty report empties every list of the PC.
    Dispatch(120, QStringLiteral("1,2,3|0,0,0,10|a,b,c,d|0,0,640,480"));
    const MonitorRectList goodOnly = {MonitorRect{0, 0, 640, 480}};
    QCOMPARE(sameUpper.MonitorList, goodOnly);
    Dispatch(120, QString());
    QVERIFY(sameLower.MonitorList.isEmpty());
    QVERIFY(Screen->MonitorList.isEmpty());
}

void TestStatusDispatch::audioDevicesReplaceTheList()
{
    Screen->AudioDevices = {QStringLiteral("old")};
    Dispatch(130, QStringLiteral("Speakers||HDMI (Realtek)|"));
    QCOMPARE(Screen->AudioDevices, QStringList({QStringLiteral("Speakers"), QString(),
                                                QStringLiteral("HDMI (Realtek)")}));
    Dispatch(130, QString());
    QVERIFY(Screen->AudioDevices.isEmpty());
}

void TestStatusDispatch::playState_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<bool>("shown");

    QTest::newRow("playing") << QStringLiteral("3") << int(psPlaying) << false << true;
    QTest::newRow("stopped") << QStringLiteral("1") << int(psStopped) << false << true;
    QTest::newRow("no media clears what played")
        << QStringLiteral("0") << int(psNoMedia) << true << true;
    // An open connection is never shown as disconnected or connecting.
    QTest::newRow("not a number") << QStringLiteral("play") << int(psPaused) << false << false;
    QTest::newRow("disconnected") << QStringLiteral("-1") << int(psPaused) << false << false;
    QTest::newRow("connecting") << QStringLiteral("100") << int(psPaused) << false << false;
    QTest::newRow("unknown state") << QStringLiteral("4") << int(psPaused) << false << false;
}

void TestStatusDispatch::playState()
{
    QFETCH(QString, payload);
    QFETCH(int, state);
    QFETCH(bool, cleared);
    QFETCH(bool, shown);

    Screen->PlayState = psPaused;
    Screen->NowPlaying = QStringLiteral("clip.mp4");
    Screen->PositionText = QStringLiteral("00:01:02");
    Dispatch(1000, payload);

    QCOMPARE(Screen->PlayState, state);
    QCOMPARE(Screen->NowPlaying.isEmpty(), cleared);
    QCOMPARE(Screen->PositionText.isEmpty(), cleared);
    QCOMPARE(Hooks->Refreshes, shown ? 1 : 0);
    QCOMPARE(Hooks->Repaints, shown ? 1 : 0);
}

void TestStatusDispatch::positionOnlyReachesTheLabelOfTheSelectedScreen()
{
    Dispatch(1100, QStringLiteral("00:00:10 / 00:03:00"));
    QCOMPARE(Screen->PositionText, QStringLiteral("00:00:10 / 00:03:00"));
    QVERIFY(Hooks->PositionLabels.isEmpty());

    Hooks->Selected = Screen.get();
    Dispatch(1100, QStringLiteral("00:00:11 / 00:03:00"));
    QCOMPARE(Hooks->PositionLabels, QStringList{QStringLiteral("00:00:11 / 00:03:00")});
    QCOMPARE(Hooks->Refreshes, 0);
}

void TestStatusDispatch::nowPlayingAndScalarReplies()
{
    Dispatch(1800, QStringLiteral("http://example.org/live.m3u8"));
    QCOMPARE(Screen->NowPlaying, QStringLiteral("http://example.org/live.m3u8"));
    QCOMPARE(Hooks->Refreshes, 1);

    Dispatch(2300, QStringLiteral("40"));
    QCOMPARE(Screen->Volume, 40);
    Dispatch(2300, QStringLiteral("loud"));
    Dispatch(2300, QStringLiteral("-3"));
    QCOMPARE(Screen->Volume, 40);
    Dispatch(2300, QStringLiteral("0"));
    QCOMPARE(Screen->Volume, 0);

    Dispatch(6110, QStringLiteral("2"));
    QCOMPARE(Screen->SchedulerState, 2);
    Dispatch(6110, QStringLiteral("on"));
    QCOMPARE(Screen->SchedulerState, 0);

    Dispatch(6010, QStringLiteral("12"));
    QVERIFY(Screen->ActivationAcknowledged);
    QCOMPARE(Screen->ValidEntryCount, 12);
    Dispatch(6010, QStringLiteral("x"));
    QCOMPARE(Screen->ValidEntryCount, 0);

    Dispatch(6130, QStringLiteral("-2"));
    QVERIFY(Screen->ScheduleAcknowledged);
    QCOMPARE(Screen->ScheduleReplyValue, -2);
    Dispatch(6130, QStringLiteral("99999999999"));
    QCOMPARE(Screen->ScheduleReplyValue, 0);

    Dispatch(1920, QString());
    QVERIFY(Screen->SharePathReplyReceived);
    for (const int code : {5100, 5110, 5120, 5130}) {
        Screen->CommandAcknowledged = false;
        Dispatch(code, QString());
        QVERIFY2(Screen->CommandAcknowledged, qPrintable(QString::number(code)));
    }
    QVERIFY(MessageSeam::Shown().isEmpty());
}

void TestStatusDispatch::playlistChange()
{
    // Without a connection the query goes nowhere; the list must stay as it was.
    Screen->CurrentPlaylist = {QStringLiteral("a.mp4")};
    Dispatch(1811, QStringLiteral("5"));
    QCOMPARE(Screen->CurrentPlaylist, QStringList{QStringLiteral("a.mp4")});
    QCOMPARE(Hooks->Refreshes, 0);

    Dispatch(1811, QStringLiteral("0"));
    QVERIFY(Screen->CurrentPlaylist.isEmpty());
    QCOMPARE(Hooks->Refreshes, 1);
}

void TestStatusDispatch::playlistFileForTheEditor_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QStringList>("playlist"); // empty: the editor list is left alone
    QTest::addColumn<int>("dialogType");       // -1: no dialog
    QTest::addColumn<QString>("message");

    const int none = -1;
    QTest::newRow("entries") << QStringLiteral("a.mp4|Clips\\b.mp4||c.jpg|")
                             << QStringList{QStringLiteral("a.mp4"), QStringLiteral("Clips\\b.mp4"),
                                            QString(), QStringLiteral("c.jpg")}
                             << none << QString();
    QTest::newRow("empty payload") << QString() << QStringList() << none << QString();
    QTest::newRow("does not exist")
        << QStringLiteral("-1") << QStringList() << int(TDialogType::Information)
        << QStringLiteral("Playlist file does not exist");
    QTest::newRow("no read access")
        << QStringLiteral("-2") << QStringList() << int(TDialogType::Error)
        << QStringLiteral("Playlist file does not have read-access");
    QTest::newRow("no valid entries")
        << QStringLiteral("-3") << QStringList() << int(TDialogType::Error)
        << QStringLiteral("Playlist file did not contain any valid entries");
    QTest::newRow("no shared path")
        << QStringLiteral("-4") << QStringList() << int(TDialogType::Error)
        << QStringLiteral("This Velmora instance was probably not executed with the required "
                          "\"/SharePath:[Path]\" command line parameter.");
    QTest::newRow("other negative numbers are entries")
        << QStringLiteral("-5") << QStringList{QStringLiteral("-5")} << none << QString();
}

void TestStatusDispatch::playlistFileForTheEditor()
{
    QFETCH(QString, payload);
    QFETCH(QStringList, playlist);
    QFETCH(int, dialogType);
    QFETCH(QString, message);

    const QList<TPlaylistItem> before = {TPlaylistItem{QStringLiteral("kept"), true}};
    Screen->Playlist = before;
    Dispatch(6030, payload);

    if (playlist.isEmpty()) {
        QCOMPARE(Screen->Playlist, before);
        QCOMPARE(Hooks->Refreshes, 0);
    } else {
        QList<TPlaylistItem> expected;
        for (const QString &text : std::as_const(playlist))
            expected.append(TPlaylistItem{text, false});
        QCOMPARE(Screen->Playlist, expected);
        QCOMPARE(Hooks->Refreshes, 1);
    }
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), dialogType < 0 ? 0 : 1);
    if (dialogType >= 0) {
        QCOMPARE(int(shown.first().Type), dialogType);
        QCOMPARE(shown.first().Text, DialogText(message));
    }
    QCOMPARE(Screen->LastLoadError, 0);
}

void TestStatusDispatch::currentPlaylist_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QStringList>("playlist"); // empty: unchanged
    QTest::addColumn<bool>("dialog");

    QTest::newRow("entries") << QStringLiteral("x||y")
                             << QStringList{QStringLiteral("x"), QString(), QStringLiteral("y")}
                             << false;
    QTest::newRow("-1 is an entry here")
        << QStringLiteral("-1") << QStringList{QStringLiteral("-1")} << false;
    QTest::newRow("-2 is an entry here")
        << QStringLiteral("-2") << QStringList{QStringLiteral("-2")} << false;
    QTest::newRow("no valid entries") << QStringLiteral("-3") << QStringList() << true;
    QTest::newRow("no shared path") << QStringLiteral("-4") << QStringList() << true;
    QTest::newRow("empty payload") << QString() << QStringList() << false;
}

void TestStatusDispatch::currentPlaylist()
{
    QFETCH(QString, payload);
    QFETCH(QStringList, playlist);
    QFETCH(bool, dialog);

    Screen->CurrentPlaylist = {QStringLiteral("kept")};
    Dispatch(6040, payload);

    QCOMPARE(Screen->CurrentPlaylist,
             playlist.isEmpty() ? QStringList{QStringLiteral("kept")} : playlist);
    QCOMPARE(Hooks->Refreshes, playlist.isEmpty() ? 0 : 1);
    QCOMPARE(MessageSeam::Shown().size(), dialog ? 1 : 0);
}

void TestStatusDispatch::playlistErrorIsNotStackedOnItself()
{
    // Lines that arrive while a dialog is open are dispatched from inside it.
    int depth = 0;
    QList<int> errorWhenOpened;
    int errorAfterInnerClosed = 0;
    MessageSeam::SetWhileOpen([&](const MessageSeam::TShownDialog &) {
        errorWhenOpened.append(Screen->LastLoadError);
        ++depth;
        if (depth == 1) {
            Dispatch(6030, QStringLiteral("-1")); // its own error: nothing
            Dispatch(6040, QStringLiteral("-3")); // another error: a dialog on top
            errorAfterInnerClosed = Screen->LastLoadError;
            Dispatch(6030, QStringLiteral("-1")); // still open beneath: nothing
        } else if (depth == 2) {
            Dispatch(6040, QStringLiteral("-3"));
            Dispatch(6030, QStringLiteral("-1")); // open beneath this one: nothing
        }
        --depth;
    });

    Dispatch(6030, QStringLiteral("-1"));

    QList<TDialogType> types;
    for (const MessageSeam::TShownDialog &shown : MessageSeam::Shown())
        types.append(shown.Type);
    QCOMPARE(types, QList<TDialogType>({TDialogType::Information, TDialogType::Error}));
    QCOMPARE(errorWhenOpened, QList<int>({-1, -3}));
    QCOMPARE(errorAfterInnerClosed, -1);
    QCOMPARE(Screen->LastLoadError, 0);

    // Once closed, the same error shows again, also twice from one read.
    MessageSeam::SetWhileOpen(nullptr);
    MessageSeam::ClearShown();
    Dispatch(6030, QStringLiteral("-1"));
    Dispatch(6030, QStringLiteral("-1"));
    QCOMPARE(MessageSeam::Shown().size(), 2);
    QCOMPARE(Screen->LastLoadError, 0);
}

void TestStatusDispatch::playlistSaveReply_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<int>("dialogType"); // -1: no dialog
    QTest::addColumn<QString>("message");

    QTest::newRow("saved") << QStringLiteral("0") << int(TDialogType::Information)
                           << QStringLiteral("Playlist saved successfully");
    QTest::newRow("not saved")
        << QStringLiteral("-1") << int(TDialogType::Error)
        << QStringLiteral(
               "Unable to save playlist, make sure Velmora has write access on the shared path");
    QTest::newRow("anything else") << QStringLiteral("1") << -1 << QString();
    QTest::newRow("empty") << QString() << -1 << QString();
}

void TestStatusDispatch::playlistSaveReply()
{
    QFETCH(QString, payload);
    QFETCH(int, dialogType);
    QFETCH(QString, message);

    Dispatch(6020, payload);
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), dialogType < 0 ? 0 : 1);
    if (dialogType >= 0) {
        QCOMPARE(int(shown.first().Type), dialogType);
        QCOMPARE(shown.first().Text, DialogText(message));
        QCOMPARE(shown.first().Buttons, TDialogButtons(TDialogButton::OK));
    }
}

void TestStatusDispatch::scheduleReply()
{
    const QString good = QString::fromLatin1(GoodEntry);
    Screen->Schedule = {TVLScheduleRecord{}};

    // Items that are no entries are dropped; the good ones replace the old schedule.
    Dispatch(6120, good + QStringLiteral("|garbage|AddEntry(Override=x)|| AddEntry()|") + good);
    QCOMPARE(Screen->Schedule.size(), 2);
    QCOMPARE(Screen->Schedule.first().File, QStringLiteral("Movies\\clip.mp4"));
    QCOMPARE(Screen->Schedule.first().Override, 3);
    QCOMPARE(Screen->Schedule.first().EndFuncIndex, 20);
    QCOMPARE(Hooks->Refreshes, 1);
    QVERIFY(MessageSeam::Shown().isEmpty());

    Dispatch(6120, QStringLiteral("-1"));
    QVERIFY(Screen->Schedule.isEmpty());
    QCOMPARE(Hooks->Refreshes, 2);
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().Type, TDialogType::Warning);
    QCOMPARE(shown.first().Text,
             DialogText(QStringLiteral("The remote schedule could not be read as it contains "
                                       "entries outside of the shared path.")));

    Screen->Schedule = {TVLScheduleRecord{}};
    Dispatch(6120, QString());
    QVERIFY(Screen->Schedule.isEmpty());
}

void TestStatusDispatch::folderListing()
{
    const QString listing = QStringLiteral("|Nclip|n|E.mp4|e>|PVideos|p>|Nlist|n|E.m3u|e");

    // No browser open: the listing is dropped.
    Dispatch(6000, listing);
    Dispatch(6000, QStringLiteral("-1"));
    QVERIFY(Hooks->Listings.isEmpty());
    QVERIFY(MessageSeam::Shown().isEmpty());

    QWidget browser;
    Screen->BrowseWindow = &browser;
    Dispatch(6000, listing);
    QCOMPARE(Hooks->Listings.size(), 1);
    QCOMPARE(Hooks->Listings.last().first, Screen.get());
    QCOMPARE(Hooks->Listings.last().second,
             QStringList({QStringLiteral("|Nclip|n|E.mp4|e"), QStringLiteral("|PVideos|p"),
                          QStringLiteral("|Nlist|n|E.m3u|e")}));

    // An empty listing still empties the browser, without a dialog.
    Dispatch(6000, QString());
    QCOMPARE(Hooks->Listings.size(), 2);
    QVERIFY(Hooks->Listings.last().second.isEmpty());
    QVERIFY(MessageSeam::Shown().isEmpty());

    Dispatch(6000, QStringLiteral("-1"));
    QCOMPARE(Hooks->Listings.size(), 3);
    QVERIFY(Hooks->Listings.last().second.isEmpty());
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().Type, TDialogType::Error);
    QCOMPARE(shown.first().Text,
             DialogText(QStringLiteral("No files available.\nThis Velmora instance was probably "
                                       "not executed with the required \"/SharePath:[Path]\" "
                                       "command line parameter.")));
}

void TestStatusDispatch::repliesToAudioDeviceAndRenderer()
{
    TRecordingHost host;
    TFakePresenter peer;
    QVERIFY(peer.Server.isListening());
    Screen->SetHost(&host);
    Screen->Address = QStringLiteral("127.0.0.1");
    Screen->Port = peer.Port();
    Screen->CreateSocketComponent();
    QVERIFY(Screen->ActivateSocketComponent());
    QVERIFY(peer.WaitForPeer());
    QTRY_VERIFY_WITH_TIMEOUT(Screen->IsConnected(), 5000);
    QVERIFY(Screen->SendLine(QStringLiteral("9000")));
    QVERIFY(!peer.TakeLinesUntil(QStringLiteral("9000")).isEmpty()); // the connect burst

    // 0134: a configured device the PC offers is asked for again when another is in use.
    Screen->AudioDevices = {QStringLiteral("Speakers"), QStringLiteral("HDMI Ωμέγα")};
    Screen->AudioDevice = QStringLiteral("HDMI Ωμέγα");
    Dispatch(134, QStringLiteral("Speakers"));
    Dispatch(134, QStringLiteral("HDMI Ωμέγα"));
    QVERIFY(Screen->SendLine(QStringLiteral("9001")));
    QCOMPARE(peer.TakeLinesUntil(QStringLiteral("9001")),
             QStringList({QStringLiteral("0132 HDMI Ωμέγα"), QStringLiteral("9001")}));
    QCOMPARE(Screen->AudioDevice, QStringLiteral("HDMI Ωμέγα"));

    // Not configured, or configured but not offered: the reported device is adopted.
    Screen->AudioDevice.clear();
    Dispatch(134, QStringLiteral("Speakers"));
    QCOMPARE(Screen->AudioDevice, QStringLiteral("Speakers"));
    Screen->AudioDevice = QStringLiteral("USB headset");
    Dispatch(134, QStringLiteral("Speakers"));
    QCOMPARE(Screen->AudioDevice, QStringLiteral("Speakers"));

    // 0144: a renderer other than the configured one is corrected; so is garbage.
    Screen->VideoRenderer = 3;
    Dispatch(144, QStringLiteral("3"));
    Dispatch(144, QStringLiteral("7"));
    Dispatch(144, QStringLiteral("renderer"));
    // 1811: a changed playlist is fetched.
    Dispatch(1811, QStringLiteral("5"));
    QVERIFY(Screen->SendLine(QStringLiteral("9002")));
    QCOMPARE(peer.TakeLinesUntil(QStringLiteral("9002")),
             QStringList({QStringLiteral("0142 3"), QStringLiteral("0142 3"),
                          QStringLiteral("6040"), QStringLiteral("9002")}));
    QVERIFY(Screen->AudioDevices.size() == 2);

    Screen->CloseConnection();
    Screen->ReleaseSocketComponent();
}

void TestStatusDispatch::hostilePayloads_data()
{
    QTest::addColumn<int>("code");
    const int codes[] = {0,    110,  120,  130,  134,  144,  200,  201,  1000,  1100,
                         1800, 1811, 1920, 2300, 5100, 5110, 5120, 5130, 6000,  6010,
                         6020, 6030, 6040, 6110, 6120, 6130, 9999, -1,   100000};
    for (const int code : codes)
        QTest::addRow("%04d", code) << code;
}

void TestStatusDispatch::hostilePayloads()
{
    QFETCH(int, code);

    const QByteArray invalidUtf8("\xff\xfe\xc3\x28\xa0\xa1\xe2\x28\xa1\xf0\x28\x8c\xbc", 13);
    QString manyItems;
    for (int i = 0; i < 20000; ++i)
        manyItems += QStringLiteral("AddEntry(Override=%1)|>,").arg(i);
    const QStringList payloads = {
        QString(),
        QStringLiteral(" "),
        QString(8 * 1024 * 1024, QLatin1Char('9')),
        QString(200000, QLatin1Char('|')),
        QString(200000, QLatin1Char('>')),
        QString(200000, QLatin1Char(',')),
        manyItems,
        QString::fromUtf8(invalidUtf8),
        QStringLiteral("-2147483648"),
        QStringLiteral("-2147483649"),
        QStringLiteral("2147483648"),
        QStringLiteral("99999999999999999999999"),
        QStringLiteral("-0"),
        QStringLiteral("0x10"),
        QStringLiteral("1e9"),
        QStringLiteral("-4|-3"),
        QStringLiteral("2147483647,2147483647,2147483647,2147483647,2147483647,2147483647"),
        QStringLiteral("-2147483648,-1,-1,-1,-1,-1"),
        QStringLiteral("2147483647,2147483647,-2147483648,-2147483648|0,0,1,1"),
        QStringLiteral("AddEntry(\"File=|\",StartDate=1e308,EndDate=-1e308,StartTime=-1)"),
        QString(QChar(0)) + QStringLiteral("\r\n\x01"),
    };

    QWidget browser;
    Screen->BrowseWindow = &browser;
    Screen->AudioDevice = QStringLiteral("Speakers");
    for (const QString &payload : payloads) {
        Screen->AudioDevices = {QStringLiteral("Speakers")};
        Dispatcher->Dispatch(Screen.get(), code, payload);
        QVERIFY(Screen->PlayState == psDisconnected ||
                (Screen->PlayState >= psNoMedia && Screen->PlayState <= psPlaying));
        QVERIFY(Screen->Volume >= 0);
        QCOMPARE(Screen->LastLoadError, 0);
        for (const MonitorRect &monitor : std::as_const(Screen->MonitorList))
            QVERIFY(monitor.Width > 0 && monitor.Height > 0);
    }
    QCOMPARE(MessageSeam::PendingAnswers(), 0);
}

QTEST_MAIN(TestStatusDispatch)
#include "tst_statusdispatch.moc"
