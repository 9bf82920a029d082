#include "TSimOptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void Touch(const QString &path, const QByteArray &content = QByteArray())
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList Args(const QString &line)
{
    QStringList args{QStringLiteral("orvane-presenter-sim")};
    if (!line.isEmpty())
        args += line.split(QLatin1Char(' '));
    return args;
}

} // namespace

class TestSimOptions : public QObject
{
    Q_OBJECT

private slots:
    void defaultsGiveOneScreenOnTheUsualPort()
    {
        TSimOptions options;
        QString message;
        QCOMPARE(ParseSimArguments(Args(QString()), options, message), TParseOutcome::Run);
        QCOMPARE(options.Screens.size(), 1);
        QCOMPARE(options.Screens.first().Port, quint16(4769));
        QVERIFY(options.Screens.first().Password.isEmpty());
        QVERIFY(options.Screens.first().Presenter.SharePath.isEmpty());
        QCOMPARE(options.Screens.first().Presenter.Monitors,
                 (MonitorRectList{MonitorRect{0, 0, 1920, 1080}}));
        QVERIFY(!options.Verbose);
        QCOMPARE(options.Faults.DropAfterLines, 0);
    }

    void fleetOptionsApplyPerScreen()
    {
        QTemporaryDir shareA;
        QTemporaryDir shareB;
        TSimOptions options;
        QString message;
        const QStringList args =
            Args(QStringLiteral("--port 5000 --count 3 --password all --password-for 1=one "
                                "--share %1 --share-for 2=%2 --clock-offset -90 --verbose "
                                "--entry-length 5")
                     .arg(shareA.path(), shareB.path())) +
            QStringList{QStringLiteral("--monitors"),
                        QStringLiteral("0,0,1920,1080|1920,0,1280,1024"),
                        QStringLiteral("--monitors"), QStringLiteral("2=-1280,0,1280,720")};
        QCOMPARE(ParseSimArguments(args, options, message), TParseOutcome::Run);
        QCOMPARE(options.Screens.size(), 3);
        QCOMPARE(options.Screens.at(2).Port, quint16(5002));
        QCOMPARE(options.Screens.at(0).Password, QStringLiteral("all"));
        QCOMPARE(options.Screens.at(1).Password, QStringLiteral("one"));
        QCOMPARE(options.Screens.at(1).Presenter.SharePath, shareA.path());
        QCOMPARE(options.Screens.at(2).Presenter.SharePath, shareB.path());
        QCOMPARE(options.Screens.at(0).Presenter.ClockOffsetSeconds, qint64(-90));
        QCOMPARE(
            options.Screens.at(1).Presenter.Monitors,
            (MonitorRectList{MonitorRect{0, 0, 1920, 1080}, MonitorRect{1920, 0, 1280, 1024}}));
        QCOMPARE(options.Screens.at(2).Presenter.Monitors,
                 (MonitorRectList{MonitorRect{-1280, 0, 1280, 720}}));
        QVERIFY(options.Verbose);
        QCOMPARE(options.Screens.at(2).Presenter.EntrySeconds, 5);
    }

    void faultOptions()
    {
        TSimOptions options;
        QString message;
        QCOMPARE(
            ParseSimArguments(
                Args(QStringLiteral("--delay-code 6010=250 --delay-code 0110=5 --drop-code 6130 "
                                    "--drop-after 7 --garbage --long-line 4096 --wrong-password")),
                options, message),
            TParseOutcome::Run);
        QCOMPARE(options.Faults.DelayMs.value(6010), 250);
        QCOMPARE(options.Faults.DelayMs.value(110), 5);
        QVERIFY(options.Faults.DroppedCodes.contains(6130));
        QCOMPARE(options.Faults.DropAfterLines, 7);
        QVERIFY(options.Faults.Garbage);
        QCOMPARE(options.Faults.LongLineBytes, qint64(4096));
        QVERIFY(options.Faults.WrongPassword);
    }

    void startForGivesAScreenMedia_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("playlist");
        const QStringList allMedia{"clip2.mp4", "clip10.mp4", "Menus\\monday.jpg"};
        QTest::newRow("share's media in natural order") << "1=playing" << 3 << allMedia;
        QTest::newRow("state in capitals") << "1=Paused" << 2 << allMedia;
        QTest::newRow("playlist file, invalid lines dropped")
            << "1=stopped:Lists\\lobby.m3u" << 1 << QStringList{"clip10.mp4", "Menus\\monday.jpg"};
        QTest::newRow("joined paths and a web link")
            << "1=playing:Menus/monday.jpg|http://example.com/live" << 3
            << QStringList{"Menus/monday.jpg", "http://example.com/live"};
    }
    void startForGivesAScreenMedia()
    {
        QFETCH(QString, argument);
        QFETCH(int, state);
        QFETCH(QStringList, playlist);
        QTemporaryDir share;
        Touch(share.filePath(QStringLiteral("clip10.mp4")));
        Touch(share.filePath(QStringLiteral("clip2.mp4")));
        Touch(share.filePath(QStringLiteral("Menus/monday.jpg")));
        Touch(share.filePath(QStringLiteral("notes.pdf")));
        Touch(share.filePath(QStringLiteral("Lists/lobby.m3u")),
              "#EXTM3U\r\nclip10.mp4\r\nmissing.mp4\r\nMenus\\monday.jpg\r\n");
        TSimOptions options;
        QString message;
        const QStringList args = Args(QStringLiteral("--count 2 --share-for 1=") + share.path()) +
                                 QStringList{QStringLiteral("--start-for"), argument};
        QCOMPARE(ParseSimArguments(args, options, message), TParseOutcome::Run);
        const TPresenterConfig &started = options.Screens.at(1).Presenter;
        QCOMPARE(started.StartState, state);
        QCOMPARE(started.StartPlaylist, playlist);
        QCOMPARE(started.EntrySeconds, 60);
        QCOMPARE(options.Screens.at(0).Presenter.StartState, 0);
        QVERIFY(options.Screens.at(0).Presenter.StartPlaylist.isEmpty());
    }

    void startForRefusesWhatCannotPlay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::newRow("unknown state") << "0=rewinding";
        QTest::newRow("no media state") << "0=nomedia";
        QTest::newRow("index out of range") << "1=playing";
        QTest::newRow("missing file") << "0=playing:gone.mp4";
        QTest::newRow("path leaving the share") << "0=playing:../outside.mp4";
        QTest::newRow("empty item") << "0=playing:clip.mp4||clip.mp4";
        QTest::newRow("playlist without valid entries") << "0=paused:empty.m3u";
        QTest::newRow("missing playlist file") << "0=paused:gone.m3u";
    }
    void startForRefusesWhatCannotPlay()
    {
        QFETCH(QString, argument);
        QTemporaryDir share;
        Touch(share.filePath(QStringLiteral("clip.mp4")));
        Touch(share.filePath(QStringLiteral("empty.m3u")), "gone.mp4\r\n");
        TSimOptions options;
        QString message;
        const QStringList args = Args(QStringLiteral("--share ") + share.path()) +
                                 QStringList{QStringLiteral("--start-for"), argument};
        QCOMPARE(ParseSimArguments(args, options, message), TParseOutcome::Error);
        QVERIFY2(message.contains(QLatin1String("--start-for")), qPrintable(message));
    }

    void startForNeedsMediaToStartWith_data()
    {
        QTest::addColumn<bool>("withShare");
        QTest::newRow("no shared folder") << false;
        QTest::newRow("share without media files") << true;
    }
    void startForNeedsMediaToStartWith()
    {
        QFETCH(bool, withShare);
        QTemporaryDir share;
        Touch(share.filePath(QStringLiteral("readme.txt")));
        TSimOptions options;
        QString message;
        QStringList args = Args(QStringLiteral("--start-for 0=playing"));
        if (withShare)
            args << QStringLiteral("--share") << share.path();
        QCOMPARE(ParseSimArguments(args, options, message), TParseOutcome::Error);
    }

    void helpListsTheOptions()
    {
        TSimOptions options;
        QString message;
        QCOMPARE(ParseSimArguments(Args(QStringLiteral("--help")), options, message),
                 TParseOutcome::Help);
        for (const char *name :
             {"--port", "--count", "--password-for", "--monitors", "--clock-offset", "--start-for",
              "--entry-length", "--drop-after", "--wrong-password"})
            QVERIFY2(message.contains(QLatin1String(name)), name);
    }

    void badArgumentsAreRefused_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("port zero") << "--port 0";
        QTest::newRow("port text") << "--port http";
        QTest::newRow("ports past the end") << "--port 65535 --count 2";
        QTest::newRow("count zero") << "--count 0";
        QTest::newRow("password index out of range") << "--count 2 --password-for 2=x";
        QTest::newRow("password without index") << "--password-for x";
        QTest::newRow("monitor with three numbers") << "--monitors 0,0,1920";
        QTest::newRow("monitor with zero width") << "--monitors 0,0,0,1080";
        QTest::newRow("delay without time") << "--delay-code 6010";
        QTest::newRow("code of five digits") << "--drop-code 61300";
        QTest::newRow("drop after zero") << "--drop-after 0";
        QTest::newRow("long line zero") << "--long-line 0";
        QTest::newRow("clock offset text") << "--clock-offset soon";
        QTest::newRow("negative entry length") << "--entry-length -5";
        QTest::newRow("missing share") << "--share /nonexistent/orvane/share";
        QTest::newRow("unknown option") << "--frobnicate";
        QTest::newRow("stray argument") << "stray";
    }
    void badArgumentsAreRefused()
    {
        QFETCH(QString, line);
        TSimOptions options;
        QString message;
        QCOMPARE(ParseSimArguments(Args(line), options, message), TParseOutcome::Error);
        QVERIFY(!message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSimOptions)
#include "tst_sim_options.moc"
