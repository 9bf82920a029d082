#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A presenter on 127.0.0.1 that takes one connection and records its bytes.
class TFakePresenter : public QObject
{
    Q_OBJECT

public:
    TFakePresenter();
    quint16 Port() const { return Server.serverPort(); }

    bool WaitForPeer(int ms = 5000);
    // Waits until `count` complete lines arrived; returns them (without CR LF).
    QList<QByteArray> WaitForLines(int count, int ms = 5000);
    // Waits for the line `sentinel`, then takes the lines up to and including
    // it out of Received; empty when it does not arrive in time.
    QStringList TakeLinesUntil(const QString &sentinel, int ms = 5000);
    bool WaitForPeerGone(int ms = 5000);
    void Send(const QByteArray &bytes);

    QTcpServer Server;
    QPointer<QTcpSocket> Peer;
    QByteArray Received;
    bool PeerGone = false;
};

// A loopback port nobody listens on (until someone else takes it).
quint16 FreeLoopbackPort();
