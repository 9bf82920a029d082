#include "FakePresenter.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <csignal>

// The simulator as operators and scripts run it.
class TestSimProgram : public QObject
{
    Q_OBJECT

private:
    QString FProgram;

private slots:
    void initTestCase()
    {
        FProgram = QString::fromLocal8Bit(qgetenv("ORVANE_SIM"));
        if (FProgram.isEmpty())
            QSKIP("ORVANE_SIM does not name the simulator program");
    }

    void commandLineOutcomes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--drop-code";
        QTest::newRow("bad option") << QStringList{"--count", "none"} << 2 << "--count";
    }
    void commandLineOutcomes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess process;
        process.start(FProgram, arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), exitCode);
        const QString text =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        QVERIFY2(text.contains(output), qPrintable(text));
    }

    void busyPortIsReported()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
        QProcess process;
        process.start(FProgram, {QStringLiteral("--port"), QString::number(taken.serverPort())});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 1);
    }

    void terminationSignalsEndItCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void terminationSignalsEndItCleanly()
    {
        QFETCH(int, signalNumber);
        const quint16 port = FreeLoopbackPort();
        QProcess process;
        process.start(FProgram, {QStringLiteral("--port"), QString::number(port),
                                 QStringLiteral("--verbose")});
        QTRY_VERIFY_WITH_TIMEOUT(
            (process.waitForReadyRead(50), process.peek(4096).contains("listening on")), 10000);

        // A connected console does not keep it alive.
        QTcpSocket console;
        console.connectToHost(QStringLiteral("127.0.0.1"), port);
        QVERIFY(console.waitForConnected(5000));
        console.write("2300\r\n");
        QVERIFY(console.waitForReadyRead(5000));
        QCOMPARE(console.readAll(), QByteArray("2300 80\r\n"));

        ::kill(static_cast<pid_t>(process.processId()), signalNumber);
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        // --verbose printed what it received.
        QVERIFY(process.readAllStandardOutput().contains(
            QByteArray(QByteArray::number(port) + " < 2300")));
    }
};

QTEST_GUILESS_MAIN(TestSimProgram)
#include "tst_sim_program.moc"
