#include "LinkTestSupport.h"

#include <QTest>

void TRecordingHost::DispatchStatus(TVLScreenClass *screen, int code, const QString &payload)
{
    Dispatched.append({code, payload});
    if (OnDispatch)
        OnDispatch(screen, code, payload);
}

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

bool TFakePresenter::WaitForPeerGone(int ms)
{
    return QTest::qWaitFor([this] { return PeerGone; }, ms);
}

void TFakePresenter::Send(const QByteArray &bytes)
{
    Peer->write(bytes);
    Peer->flush();
}
