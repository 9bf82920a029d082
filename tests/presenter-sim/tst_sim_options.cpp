#include "TSimOptions.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

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
                                "--share %1 --share-for 2=%2 --clock-offset -90 --verbose")
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

    void helpListsTheOptions()
    {
        TSimOptions options;
        QString message;
        QCOMPARE(ParseSimArguments(Args(QStringLiteral("--help")), options, message),
                 TParseOutcome::Help);
        for (const char *name : {"--port", "--count", "--password-for", "--monitors",
                                 "--clock-offset", "--drop-after", "--wrong-password"})
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
