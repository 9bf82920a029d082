#include "TSimLog.h"
#include "TSimServer.h"
#include "link/TChannelCipher.h"
#include "link/TLineFramer.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A bare console: writes framed lines and collects what comes back.
class TestClient
{
public:
    explicit TestClient(quint16 port, const QString &password = QString())
    {
        if (!password.isEmpty()) {
            FCipher.SetKey(password);
            FKeyed = true;
        }
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] {
            FFramer.Append(Socket.readAll());
            QByteArray line;
            while (FFramer.TakeLine(line))
                Raw.append(line);
        });
        Socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        Socket.waitForConnected(5000);
    }

    void Send(const QList<QByteArray> &lines)
    {
        QByteArray bytes;
        for (const QByteArray &line : lines)
            bytes += (FKeyed ? FCipher.EncipherLine(line) : line) + "\r\n";
        Socket.write(bytes);
    }

    bool WaitFor(qsizetype count, int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (Raw.size() < count && !deadline.hasExpired())
            QTest::qWait(10);
        return Raw.size() >= count;
    }

    // Received lines as text, the cipher's marker and nonce removed.
    QStringList Lines() const
    {
        QStringList lines;
        for (const QByteArray &raw : Raw) {
            const QByteArray plain = FKeyed ? FCipher.DecipherLine(raw) : raw;
            lines.append(FKeyed && plain.startsWith("OV00") ? QString::fromUtf8(plain.mid(13))
                         : FKeyed                           ? QStringLiteral("<mismatch>")
                                                            : QString::fromUtf8(plain));
        }
        return lines;
    }

    QTcpSocket Socket;
    QList<QByteArray> Raw;
    TChannelCipher FCipher;

private:
    TLineFramer FFramer;
    bool FKeyed = false;
};

} // namespace

class TestSimSession : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FTemp;
    std::unique_ptr<TSimLog> FLog;
    std::unique_ptr<TSimServer> FServer;

    quint16 Start(const QString &password = QString(), const TSimFaults &faults = TSimFaults(),
                  const TPresenterConfig &presenter = TPresenterConfig())
    {
        TScreenSetup setup;
        setup.Port = 0;
        setup.Password = password;
        setup.Presenter = presenter;
        setup.Presenter.SharePath = FTemp.path();
        FLog = std::make_unique<TSimLog>(false, FTemp.filePath(QStringLiteral("record.txt")));
        FServer = std::make_unique<TSimServer>(setup, faults, *FLog);
        if (!FServer->Listen())
            return 0;
        return FServer->Port();
    }

private slots:
    void initTestCase()
    {
        QFile media(FTemp.filePath(QString::fromUtf8("Ταινία.mp4")));
        QVERIFY(media.open(QIODevice::WriteOnly));
    }

    void cleanup()
    {
        FServer.reset();
        FLog.reset();
        QFile::remove(FTemp.filePath(QStringLiteral("record.txt")));
    }

    void plainLinesInOneWriteAreEachAnswered()
    {
        TestClient client(Start());
        client.Send({"2300", "0144", "0110 1"});
        QVERIFY(client.WaitFor(3));
        QCOMPARE(client.Lines().at(0), QStringLiteral("2300 80"));
        QCOMPARE(client.Lines().at(1), QStringLiteral("0144 0"));
        QVERIFY(client.Lines().at(2).startsWith(QLatin1String("0110 ")));
    }

    void encipheredRoundTripKeepsNonAscii()
    {
        TestClient client(Start(QStringLiteral("s3cret")), QStringLiteral("s3cret"));
        const QString entry = QString::fromUtf8("Ταινία.mp4");
        client.Send({"2310 55", QByteArray("6010 ") + entry.toUtf8()});
        // 2300 report, then 6010 reply, 1811, 1800 and 1000 reports.
        QVERIFY(client.WaitFor(5));
        QCOMPARE(client.Lines(),
                 (QStringList{QStringLiteral("2300 55"), QStringLiteral("6010 1"),
                              QStringLiteral("1811 1"), QStringLiteral("1800 ") + entry,
                              QStringLiteral("1000 2")}));
        // Each line carries the marker, eight upper-case hex digits and a space.
        const QByteArray plain = client.FCipher.DecipherLine(client.Raw.first());
        QVERIFY(QRegularExpression(QStringLiteral("^OV00[0-9A-F]{8} 2300 55$"))
                    .match(QString::fromUtf8(plain))
                    .hasMatch());

        QFile record(FTemp.filePath(QStringLiteral("record.txt")));
        QVERIFY(record.open(QIODevice::ReadOnly));
        const QByteArray port = QByteArray::number(FServer->Port());
        QCOMPARE(record.readAll(), port + "\t2310 55\n" + port + "\t6010 " + entry.toUtf8() + '\n');
    }

    void passwordMismatchIsReported_data()
    {
        QTest::addColumn<QString>("serverPassword");
        QTest::addColumn<QString>("clientPassword");
        QTest::addColumn<bool>("wrongPassword");
        QTest::newRow("different passwords") << "right"
                                             << "other" << false;
        QTest::newRow("plain console, keyed screen") << "right"
                                                     << "" << false;
        QTest::newRow("screen told to use a wrong one") << "right"
                                                        << "right" << true;
    }
    void passwordMismatchIsReported()
    {
        QFETCH(QString, serverPassword);
        QFETCH(QString, clientPassword);
        QFETCH(bool, wrongPassword);
        TSimFaults faults;
        faults.WrongPassword = wrongPassword;
        TestClient client(Start(serverPassword, faults), clientPassword);
        client.Send({"2300"});
        QVERIFY(client.WaitFor(1));
        if (clientPassword.isEmpty()) {
            QCOMPARE(client.Lines(), QStringList{QStringLiteral("0201")});
        } else {
            // Whatever the screen answers, this console cannot read it.
            QCOMPARE(client.Lines(), QStringList{QStringLiteral("<mismatch>")});
        }
    }

    void faultsMisbehaveAsAsked()
    {
        TSimFaults faults;
        faults.DroppedCodes.insert(6110);
        faults.DelayMs.insert(2300, 300);
        TestClient client(Start(QString(), faults));
        client.Send({"2300", "6110", "0144"});
        QVERIFY(client.WaitFor(2));
        QCOMPARE(client.Lines(),
                 (QStringList{QStringLiteral("0144 0"), QStringLiteral("2300 80")}));
        QTest::qWait(50);
        QCOMPARE(client.Raw.size(), 2);
    }

    void dropAfterClosesTheConnection()
    {
        TSimFaults faults;
        faults.DropAfterLines = 2;
        TestClient client(Start(QString(), faults));
        QSignalSpy closed(&client.Socket, &QTcpSocket::disconnected);
        client.Send({"2300", "0144", "6110"});
        QVERIFY(closed.wait(5000));
        QCOMPARE(client.Lines(),
                 (QStringList{QStringLiteral("2300 80"), QStringLiteral("0144 0")}));
    }

    void garbageAndLongLinesArriveFirst()
    {
        TSimFaults faults;
        faults.Garbage = true;
        faults.LongLineBytes = 100000;
        TestClient client(Start(QString(), faults));
        client.Send({"2300"});
        // Five garbage lines, the long line, then (garbage again and) the reply;
        // nothing may be glued onto the long line while its end is held back.
        QVERIFY(client.WaitFor(5 + 1 + 5 + 1));
        QCOMPARE(client.Raw.at(0), QByteArray("not a protocol line"));
        QCOMPARE(client.Raw.at(5).size(), 100000);
        QVERIFY(client.Raw.at(5).startsWith("1100 xxx"));
        QCOMPARE(client.Lines().last(), QStringLiteral("2300 80"));
    }

    void startedScreenGreetsEveryConnectionAndMovesOn()
    {
        TPresenterConfig presenter;
        presenter.StartState = TPresenterState::Playing;
        presenter.StartPlaylist =
            QStringList{QString::fromUtf8("Ταινία.mp4"), QStringLiteral("http://example.com/live")};
        presenter.EntrySeconds = 1;
        TestClient client(Start(QStringLiteral("s3cret"), TSimFaults(), presenter),
                          QStringLiteral("s3cret"));
        QVERIFY(client.WaitFor(2));
        QCOMPARE(client.Lines().mid(0, 2),
                 (QStringList{QStringLiteral("1000 3"),
                              QStringLiteral("1800 ") + presenter.StartPlaylist.first()}));
        // The next entry is announced to every connection, asked or not.
        QTRY_VERIFY_WITH_TIMEOUT(
            client.Lines().contains(QStringLiteral("1800 http://example.com/live")), 5000);
        TestClient later(FServer->Port(), QStringLiteral("s3cret"));
        QVERIFY(later.WaitFor(2));
        QCOMPARE(later.Lines().at(0), QStringLiteral("1000 3"));
        QVERIFY(later.Lines().at(1).startsWith(QLatin1String("1800 ")));
    }

    void positionReportsGoOnlyToConnectionsThatAsked()
    {
        TestClient asking(Start());
        TestClient silent(FServer->Port());
        asking.Send({"1100 2", "6010 http://example.com/stream", "5100 fnUnpause"});
        QTRY_VERIFY_WITH_TIMEOUT(asking.Lines().contains(QStringLiteral("1000 3")), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(asking.Lines().contains(QStringLiteral("1100 00:00:01")), 5000);
        // The other console hears the play state, never the position.
        QVERIFY(silent.Lines().contains(QStringLiteral("1000 3")));
        for (const QString &line : silent.Lines())
            QVERIFY2(!line.startsWith(QLatin1String("1100")), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestSimSession)
#include "tst_sim_session.moc"
