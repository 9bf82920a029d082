#include "FakePresenter.h"

#include <QTest>

TFakePresenter::TFakePresenter()
{
    Server.listen(QHostAddress::LocalHost, 0);
    connect(&Server, &QTcpServer::newConnection, this, [this] {
        QTcpSocket *peer = Server.nextPendingConnection();
        if (!peer || Peer) {
            delete peer;
            return;
        }
        Peer = peer;
        connect(peer, &QTcpSocket::readyRead, this, [this, peer] { Received += peer->readAll(); });
        connect(peer, &QTcpSocket::disconnected, this, [this] { PeerGone = true; });
    });
}

bool TFakePresenter::WaitForPeer(int ms)
{
    return QTest::qWaitFor([this] { return !Peer.isNull(); }, ms);
}

QList<QByteArray> TFakePresenter::WaitForLines(int count, int ms)
{
    // The caller compares what arrived, so a shortfall shows there.
    (void)QTest::qWaitFor([this, count] { return Received.count("\r\n") >= count; }, ms);
    QList<QByteArray> lines = Received.split('\n');
    lines.removeLast(); // what follows the last line end
    for (QByteArray &line : lines)
        line.chop(1);
    return lines;
}

QStringList TFakePresenter::TakeLinesUntil(const QString &sentinel, int ms)
{
    const QByteArray marker = sentinel.toUtf8() + "\r\n";
    (void)QTest::qWaitFor([this, &marker] { return Received.contains(marker); }, ms);
    const qsizetype end = Received.indexOf(marker);
    if (end < 0)
        return {};
    const QByteArray taken = Received.left(end + marker.size());
    Received.remove(0, taken.size());
    QStringList lines = QString::fromUtf8(taken).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

bool TFakePresenter::WaitForPeerGone(int ms)
{
    return QTest::qWaitFor([this] { return PeerGone; }, ms);
}

void TFakePresenter::Send(const QByteArray &bytes)
{
    Peer->write(bytes);
    Peer->flush();
}

quint16 FreeLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
