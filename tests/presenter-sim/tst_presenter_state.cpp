#include "TPresenterState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

void WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The fields of one listing entry by tag letter, read the way the console reads them.
QHash<QChar, QString> ParseEntry(const QString &entry)
{
    QHash<QChar, QString> fields;
    for (const char tag : {'T', 'N', 'E', 'D', 'S', 'P', 'R', 'F'}) {
        const QString open = QLatin1Char('|') + QLatin1Char(tag);
        const QString close = QLatin1Char('|') + QChar(QLatin1Char(tag)).toLower();
        const qsizetype start = entry.indexOf(open);
        const qsizetype end = entry.indexOf(close);
        if (start >= 0 && end > start)
            fields.insert(QLatin1Char(tag), entry.mid(start + 2, end - start - 2));
    }
    return fields;
}

} // namespace

class TestPresenterState : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FTemp;
    QString FShare;

    TPresenterState MakeState(bool withShare = true)
    {
        TPresenterConfig config;
        if (withShare)
            config.SharePath = FShare;
        TPresenterState state(config);
        state.SetClock([] { return QDateTime(QDate(2024, 1, 1), QTime(9, 30, 5)); });
        return state;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FTemp.isValid());
        FShare = FTemp.filePath(QStringLiteral("share"));
        WriteFile(FShare + QStringLiteral("/a.mp4"), "aaaa");
        WriteFile(FShare + QStringLiteral("/b.mp4"), "bb");
        WriteFile(FShare + QStringLiteral("/Videos/clip.mp4"), "0123456789");
        WriteFile(FShare + QStringLiteral("/Videos/.hidden"), "h");
        QVERIFY(QDir().mkpath(FShare + QStringLiteral("/Videos/2024")));
        QVERIFY(QDir().mkpath(FShare + QStringLiteral("/Lists")));
        WriteFile(FShare + QString::fromUtf8("/Ταινίες/ビデオ.mp4"), "v");
        // Names a listing cannot carry: ">" parts entries, "|" opens tags.
        WriteFile(FShare + QStringLiteral("/bad|name.mp4"), "x");
        WriteFile(FShare + QStringLiteral("/x>y.mp4"), "x");
        WriteFile(FTemp.filePath(QStringLiteral("outside/secret.mp4")), "secret");
        QVERIFY(QFile::link(FTemp.filePath(QStringLiteral("outside")),
                            FShare + QStringLiteral("/escape")));
    }

    void queriesAnswerWithTheirOwnCode_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("replies");
        QTest::newRow("clock") << "0110 1" << QStringList{"0110 2024,1,1,9,30,5"};
        QTest::newRow("monitors") << "0120" << QStringList{"0120 0,0,1920,1080"};
        QTest::newRow("audio devices")
            << "0130" << QStringList{"0130 Speakers (Simulated Audio)|HDMI Output (Simulated)"};
        QTest::newRow("audio device") << "0134" << QStringList{"0134 Speakers (Simulated Audio)"};
        QTest::newRow("renderer") << "0144" << QStringList{"0144 0"};
        QTest::newRow("volume") << "2300" << QStringList{"2300 80"};
        QTest::newRow("position") << "1100 2" << QStringList{"1100 00:00:00"};
        QTest::newRow("share reply") << "1920" << QStringList{"1920"};
        QTest::newRow("function ack") << "5100 fnSomethingElse" << QStringList{"5100"};
        QTest::newRow("setting ack") << "5110 exPlaylistMode,3" << QStringList{"5110"};
        QTest::newRow("empty playlist") << "6040" << QStringList{"6040"};
        QTest::newRow("scheduler") << "6110" << QStringList{"6110 0"};
        QTest::newRow("empty schedule") << "6120" << QStringList{"6120"};
        QTest::newRow("no payload, separator kept") << "2300 " << QStringList{"2300 80"};
        QTest::newRow("setting without reply") << "0150 0" << QStringList{};
        QTest::newRow("unknown code") << "4242 x" << QStringList{};
        QTest::newRow("letter in code") << "23a0" << QStringList{};
        QTest::newRow("too short") << "230" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void queriesAnswerWithTheirOwnCode()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, replies);
        TPresenterState state = MakeState();
        const TPresenterOutput out = state.HandleLine(line);
        QCOMPARE(out.Replies, replies);
        QVERIFY(out.Reports.isEmpty());
    }

    void clockOffsetAndMonitorsAreConfigurable()
    {
        TPresenterConfig config;
        config.ClockOffsetSeconds = -3600 * 10; // crosses midnight into the old year
        config.Monitors = {MonitorRect{0, 0, 1920, 1080}, MonitorRect{-1280, 0, 1280, 1024}};
        TPresenterState state(config);
        state.SetClock([] { return QDateTime(QDate(2024, 1, 1), QTime(9, 30, 5)); });
        QCOMPARE(state.HandleLine(QStringLiteral("0110 1")).Replies,
                 QStringList{QStringLiteral("0110 2023,12,31,23,30,5")});
        QCOMPARE(state.HandleLine(QStringLiteral("0120")).Replies,
                 QStringList{QStringLiteral("0120 0,0,1920,1080|-1280,0,1280,1024")});
    }

    void settingsAreKept()
    {
        TPresenterState state = MakeState();
        state.HandleLine(QStringLiteral("0132 HDMI Output (Simulated)"));
        state.HandleLine(QStringLiteral("0132 No Such Device"));
        state.HandleLine(QStringLiteral("0142 5"));
        state.HandleLine(QStringLiteral("0142 9"));
        state.HandleLine(QStringLiteral("6160 1,10,20,640,480"));
        state.HandleLine(QStringLiteral("5110 exSlideshow,7"));
        QCOMPARE(state.AudioDevice(), QStringLiteral("HDMI Output (Simulated)"));
        QCOMPARE(state.VideoRenderer(), 5);
        QCOMPARE(state.Placement(), QStringLiteral("1,10,20,640,480"));
        QCOMPARE(state.Setting(QStringLiteral("exSlideshow")), QStringLiteral("7"));
        QCOMPARE(state.HandleLine(QStringLiteral("0144")).Replies,
                 QStringList{QStringLiteral("0144 5")});
    }

    void volumeIsReportedAndBounded_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("set") << "2310 40" << 40 << QStringList{"2300 40"};
        QTest::newRow("zero") << "2310 0" << 0 << QStringList{"2300 0"};
        QTest::newRow("above range") << "2310 101" << 80 << QStringList{};
        QTest::newRow("negative") << "2310 -1" << 80 << QStringList{};
        QTest::newRow("not a number") << "2310 loud" << 80 << QStringList{};
    }
    void volumeIsReportedAndBounded()
    {
        QFETCH(QString, line);
        QFETCH(int, volume);
        QFETCH(QStringList, reports);
        TPresenterState state = MakeState();
        QCOMPARE(state.HandleLine(line).Reports, reports);
        QCOMPARE(state.Volume(), volume);
    }

    void playlistActivationCountsExistingEntries()
    {
        TPresenterState state = MakeState();
        const TPresenterOutput out = state.HandleLine(QStringLiteral(
            "6010 "
            "a.mp4|missing.mp4|Videos\\clip.mp4|http://example.com/live|..\\outside\\secret.mp4"));
        QCOMPARE(out.Replies, QStringList{QStringLiteral("6010 3")});
        QCOMPARE(out.Reports, (QStringList{QStringLiteral("1811 3"), QStringLiteral("1800 a.mp4"),
                                           QStringLiteral("1000 2")}));
        QCOMPARE(state.CurrentPlaylist(),
                 (QStringList{QStringLiteral("a.mp4"), QStringLiteral("Videos\\clip.mp4"),
                              QStringLiteral("http://example.com/live")}));
        QCOMPARE(
            state.HandleLine(QStringLiteral("6040")).Replies,
            QStringList{QStringLiteral("6040 a.mp4|Videos\\clip.mp4|http://example.com/live")});

        // The same list again is no playlist change.
        QVERIFY(
            !state.HandleLine(QStringLiteral("6010 a.mp4|Videos\\clip.mp4|http://example.com/live"))
                 .Reports.contains(QStringLiteral("1811 3")));

        // A list with nothing valid leaves the current one alone.
        const TPresenterOutput none = state.HandleLine(QStringLiteral("6010 nothing.mp4"));
        QCOMPARE(none.Replies, QStringList{QStringLiteral("6010 0")});
        QVERIFY(none.Reports.isEmpty());
        QCOMPARE(state.CurrentPlaylist().size(), 3);
    }

    void transportFollowsFunctions()
    {
        TPresenterState state = MakeState();
        // Without media nothing plays.
        QVERIFY(state.HandleLine(QStringLiteral("5100 fnPlay")).Reports.isEmpty());
        QCOMPARE(state.PlayStateValue(), int(TPresenterState::NoMedia));

        state.HandleLine(QStringLiteral("6010 a.mp4|b.mp4"));
        QCOMPARE(state.PlayStateValue(), int(TPresenterState::Paused));
        QCOMPARE(state.Tick().Position, QString());

        QCOMPARE(state.HandleLine(QStringLiteral("5100 fnUnpause")).Reports,
                 QStringList{QStringLiteral("1000 3")});
        QCOMPARE(state.Tick().Position, QStringLiteral("1100 00:00:01"));
        QCOMPARE(state.Tick().Position, QStringLiteral("1100 00:00:02"));

        state.HandleLine(QStringLiteral("5000 3725"));
        QCOMPARE(state.Tick().Position, QStringLiteral("1100 01:02:06"));

        // Play/Pause sends fnPlay in every state: it toggles.
        QCOMPARE(state.HandleLine(QStringLiteral("5100 fnPlay")).Reports,
                 QStringList{QStringLiteral("1000 2")});
        QCOMPARE(state.HandleLine(QStringLiteral("5100 fnPlay")).Reports,
                 QStringList{QStringLiteral("1000 3")});

        QCOMPARE(state.HandleLine(QStringLiteral("5100 fnNextChapter")).Reports,
                 QStringList{QStringLiteral("1800 b.mp4")});
        QCOMPARE(state.HandleLine(QStringLiteral("5100 fnNextChapter")).Reports,
                 QStringList{QStringLiteral("1800 a.mp4")});
        QCOMPARE(state.HandleLine(QStringLiteral("5100 fnPrevChapter")).Reports,
                 QStringList{QStringLiteral("1800 b.mp4")});

        const TPresenterOutput stop = state.HandleLine(QStringLiteral("5100 fnStop"));
        QCOMPARE(stop.Replies, QStringList{QStringLiteral("5100")});
        QCOMPARE(stop.Reports, QStringList{QStringLiteral("1000 1")});
        QCOMPARE(state.PositionSeconds(), 0);
        QCOMPARE(state.Tick().Position, QString());

        QCOMPARE(state.HandleLine(QStringLiteral("1910 0")).Reports,
                 (QStringList{QStringLiteral("1800 a.mp4"), QStringLiteral("1000 3")}));
        QVERIFY(state.HandleLine(QStringLiteral("1910 2")).Reports.isEmpty());
    }

    void startStateIsReportedOnConnect_data()
    {
        QTest::addColumn<int>("startState");
        QTest::addColumn<QStringList>("playlist");
        QTest::addColumn<QStringList>("onConnect");
        const QStringList list{"a.mp4", "b.mp4"};
        QTest::newRow("playing") << 3 << list << QStringList{"1000 3", "1800 a.mp4"};
        QTest::newRow("paused") << 2 << list << QStringList{"1000 2", "1800 a.mp4"};
        QTest::newRow("stopped") << 1 << list << QStringList{"1000 1", "1800 a.mp4"};
        QTest::newRow("no state given") << 0 << list << QStringList();
        QTest::newRow("state without a playlist") << 3 << QStringList() << QStringList();
    }
    void startStateIsReportedOnConnect()
    {
        QFETCH(int, startState);
        QFETCH(QStringList, playlist);
        QFETCH(QStringList, onConnect);
        TPresenterConfig config;
        config.SharePath = FShare;
        config.StartState = startState;
        config.StartPlaylist = playlist;
        TPresenterState state(config);
        QCOMPARE(state.ConnectReports(), onConnect);
        const bool started = !onConnect.isEmpty();
        QCOMPARE(state.PlayStateValue(), started ? startState : int(TPresenterState::NoMedia));
        QCOMPARE(state.CurrentPlaylist(), started ? playlist : QStringList());
        // Only a playing screen's position moves.
        QCOMPARE(state.Tick().Position, startState == TPresenterState::Playing && started
                                            ? QStringLiteral("1100 00:00:01")
                                            : QString());
    }

    void playingMovesOnAfterEachEntryAndWraps()
    {
        TPresenterConfig config;
        config.SharePath = FShare;
        config.StartState = TPresenterState::Playing;
        config.StartPlaylist = QStringList{"a.mp4", "b.mp4"};
        config.EntrySeconds = 3;
        TPresenterState state(config);
        QVERIFY(state.Tick().Reports.isEmpty());
        QVERIFY(state.Tick().Reports.isEmpty());
        TPresenterTick tick = state.Tick();
        QCOMPARE(tick.Reports, QStringList{QStringLiteral("1800 b.mp4")});
        QCOMPARE(tick.Position, QStringLiteral("1100 00:00:00"));
        QCOMPARE(state.NowPlaying(), QStringLiteral("b.mp4"));

        // Pausing holds the entry, however long it waits.
        state.HandleLine(QStringLiteral("5100 fnPause"));
        for (int i = 0; i < 5; ++i)
            QVERIFY(state.Tick().Reports.isEmpty());
        state.HandleLine(QStringLiteral("5100 fnUnpause"));

        // A seek past the end ends the entry at the next second; the list wraps.
        state.HandleLine(QStringLiteral("5000 100"));
        QCOMPARE(state.Tick().Reports, QStringList{QStringLiteral("1800 a.mp4")});
        QCOMPARE(state.PositionSeconds(), 0);
    }

    void withoutShareReportsItsAbsence()
    {
        TPresenterState state = MakeState(false);
        QCOMPARE(state.HandleLine(QStringLiteral("6000")).Replies, QStringList{"6000 -1"});
        QCOMPARE(state.HandleLine(QStringLiteral("6040")).Replies, QStringList{"6040 -4"});
        QCOMPARE(state.HandleLine(QStringLiteral("6030 lobby.m3u")).Replies,
                 QStringList{"6030 -4"});
        QCOMPARE(state.HandleLine(QStringLiteral("6020 lobby.m3u|a.mp4")).Replies,
                 QStringList{"6020 -1"});
        // Web links need no share.
        QCOMPARE(state.HandleLine(QStringLiteral("6010 a.mp4|rtsp://cam/1")).Replies,
                 QStringList{"6010 1"});
    }

    void playlistFilesRoundTrip_data()
    {
        QTest::addColumn<QString>("save");
        QTest::addColumn<QString>("saveReply");
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("loadReply");
        QTest::newRow("saved and read back") << "6020 lobby.m3u|a.mp4|Videos\\clip.mp4"
                                             << "6020 0"
                                             << "6030 lobby.m3u"
                                             << "6030 a.mp4|Videos\\clip.mp4";
        QTest::newRow("in a subfolder, missing entry dropped")
            << "6020 Lists\\list.vlx|gone.mp4|b.mp4"
            << "6020 0"
            << "6030 Lists/list.vlx"
            << "6030 b.mp4";
        QTest::newRow("non-ASCII names")
            << QString::fromUtf8("6020 Ταινίες\\λίστα.m3u|Ταινίες\\ビデオ.mp4") << "6020 0"
            << QString::fromUtf8("6030 Ταινίες\\λίστα.m3u")
            << QString::fromUtf8("6030 Ταινίες\\ビデオ.mp4");
        QTest::newRow("nothing valid") << "6020 empty.m3u|gone.mp4"
                                       << "6020 0"
                                       << "6030 empty.m3u"
                                       << "6030 -3";
        QTest::newRow("missing file") << "6020 |a.mp4"
                                      << "6020 -1"
                                      << "6030 nowhere.m3u"
                                      << "6030 -1";
        QTest::newRow("escape refused") << "6020 ..\\outside\\evil.m3u|a.mp4"
                                        << "6020 -1"
                                        << "6030 ..\\outside\\evil.m3u"
                                        << "6030 -1";
        QTest::newRow("folder is no file") << "6020 Videos|a.mp4"
                                           << "6020 -1"
                                           << "6030 Videos"
                                           << "6030 -1";
    }
    void playlistFilesRoundTrip()
    {
        QFETCH(QString, save);
        QFETCH(QString, saveReply);
        QFETCH(QString, load);
        QFETCH(QString, loadReply);
        TPresenterState state = MakeState();
        QCOMPARE(state.HandleLine(save).Replies, QStringList{saveReply});
        QCOMPARE(state.HandleLine(load).Replies, QStringList{loadReply});
        QVERIFY(!QFile::exists(FTemp.filePath(QStringLiteral("outside/evil.m3u"))));
    }

    void unreadablePlaylistFile()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        const QString path = FShare + QStringLiteral("/locked.m3u");
        WriteFile(path, "a.mp4\r\n");
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        TPresenterState state = MakeState();
        QCOMPARE(state.HandleLine(QStringLiteral("6030 locked.m3u")).Replies,
                 QStringList{"6030 -2"});
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void listingHasTheTaggedForm()
    {
        TPresenterState state = MakeState();
        const QStringList replies = state.HandleLine(QStringLiteral("6000 Videos\\")).Replies;
        QCOMPARE(replies.size(), 1);
        QVERIFY(replies.first().startsWith(QLatin1String("6000 ")));
        const QStringList entries = replies.first().mid(5).split(QLatin1Char('>'));
        QCOMPARE(entries.size(), 3);

        const QHash<QChar, QString> folder = ParseEntry(entries.at(0));
        QCOMPARE(folder.value('N'), QString());
        QCOMPARE(folder.value('E'), QString());
        QCOMPARE(folder.value('P'), QStringLiteral("2024"));

        // A dot file keeps its whole name, or it would look like a folder.
        const QHash<QChar, QString> hidden = ParseEntry(entries.at(1));
        QCOMPARE(hidden.value('N'), QStringLiteral(".hidden"));
        QCOMPARE(hidden.value('E'), QString());

        const QHash<QChar, QString> clip = ParseEntry(entries.at(2));
        QCOMPARE(clip.size(), 8);
        QCOMPARE(clip.value('N'), QStringLiteral("clip"));
        QCOMPARE(clip.value('E'), QStringLiteral(".mp4"));
        QCOMPARE(clip.value('S'), QStringLiteral("10"));
        QCOMPARE(clip.value('P'), QString());
        // Modified just now: a day serial of today, written with a point.
        const double day = clip.value('D').toDouble();
        const double today = QDate(1899, 12, 30).daysTo(QDate::currentDate());
        QVERIFY2(day >= today - 1 && day < today + 2, qPrintable(clip.value('D')));
    }

    void listingRequests_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reply");
        QTest::newRow("empty folder") << "6000 Videos\\2024\\"
                                      << "6000";
        QTest::newRow("missing folder") << "6000 Nowhere\\"
                                        << "6000 -1";
        QTest::newRow("a file") << "6000 a.mp4"
                                << "6000 -1";
        QTest::newRow("parent") << "6000 .."
                                << "6000 -1";
        QTest::newRow("parent inside path") << "6000 Videos\\..\\..\\"
                                            << "6000 -1";
        QTest::newRow("absolute") << "6000 /etc"
                                  << "6000 -1";
        QTest::newRow("drive letter") << "6000 C:\\Windows"
                                      << "6000 -1";
        QTest::newRow("link leading out") << "6000 escape\\"
                                          << "6000 -1";
    }
    void listingRequests()
    {
        QFETCH(QString, line);
        QFETCH(QString, reply);
        TPresenterState state = MakeState();
        QCOMPARE(state.HandleLine(line).Replies, QStringList{reply});
    }

    void rootListingHidesLinksLeadingOutAndKeepsNonAscii()
    {
        TPresenterState state = MakeState();
        const QString reply = state.HandleLine(QStringLiteral("6000")).Replies.value(0);
        QVERIFY(!reply.contains(QLatin1String("escape")));
        QVERIFY(reply.contains(QString::fromUtf8("|PΤαινίες|p")));
        QVERIFY(reply.contains(QLatin1String("|Na|n|E.mp4|e")));
        QVERIFY(!reply.contains(QLatin1String("bad")));
        QVERIFY(!reply.contains(QLatin1String("x>y")));
    }

    void scheduleCountsEntriesWhoseFilesExist()
    {
        TPresenterState state = MakeState();
        const QString good = QStringLiteral(
            "AddEntry(\"File=Videos\\clip.mp4\",StartDate=45292,StartTime=32400,EndDate=45292,"
            "EndTime=36000,StartFuncType=0,StartFuncIndex=-1,StartFuncValue=0,EndFuncType=1,"
            "EndFuncIndex=20,EndFuncValue=50,Override=3)");
        const QString folder = QStringLiteral("AddEntry(\"File=Videos\\\",StartDate=45292)");
        const QString link = QStringLiteral("addentry(\"File=http://example.com/a\",Override=1)");
        const QString functionsOnly = QStringLiteral("AddEntry(\"File=\",StartFuncIndex=4)");
        const QString missing = QStringLiteral("AddEntry(\"File=gone.mp4\",Override=1)");
        const QString outside = QStringLiteral("AddEntry(\"File=..\\outside\\secret.mp4\")");
        const QString junk = QStringLiteral(" AddEntry(\"File=a.mp4\")");
        const QStringList all{good, folder, link, functionsOnly, missing, outside, junk};

        QCOMPARE(state.HandleLine(QStringLiteral("6130 ") + all.join(QLatin1Char('|'))).Replies,
                 QStringList{QStringLiteral("6130 4")});
        // An entry outside the share makes the whole schedule unreadable.
        QCOMPARE(state.HandleLine(QStringLiteral("6120")).Replies,
                 QStringList{QStringLiteral("6120 -1")});

        // Entries are kept as pushed, those with missing files included.
        const QStringList inside{good, folder, link, functionsOnly, missing};
        QCOMPARE(state.HandleLine(QStringLiteral("6130 ") + inside.join(QLatin1Char('|'))).Replies,
                 QStringList{QStringLiteral("6130 4")});
        QCOMPARE(state.HandleLine(QStringLiteral("6120")).Replies,
                 QStringList{QStringLiteral("6120 ") + inside.join(QLatin1Char('|'))});

        QCOMPARE(state.HandleLine(QStringLiteral("6130 ")).Replies,
                 QStringList{QStringLiteral("6130 0")});
        QVERIFY(state.Schedule().isEmpty());
    }

    void schedulerSwitchReportsState()
    {
        TPresenterState state = MakeState();
        QCOMPARE(state.HandleLine(QStringLiteral("6105 1")).Reports, QStringList{"6110 1"});
        QCOMPARE(state.HandleLine(QStringLiteral("6110")).Replies, QStringList{"6110 1"});
        QCOMPARE(state.HandleLine(QStringLiteral("6105 0")).Reports, QStringList{"6110 0"});
        QVERIFY(state.HandleLine(QStringLiteral("6105 maybe")).Reports.isEmpty());
    }

    void splittingListPayloads_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("empty item between") << "a||b|" << QStringList{"a", "", "b"};
        QTest::newRow("single") << "a" << QStringList{"a"};
    }
    void splittingListPayloads()
    {
        QFETCH(QString, payload);
        QFETCH(QStringList, items);
        QCOMPARE(SplitListPayload(payload, QLatin1Char('|')), items);
    }
};

QTEST_GUILESS_MAIN(TestPresenterState)
#include "tst_presenter_state.moc"
