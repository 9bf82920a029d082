#pragma once

#include "link/TScreenHost.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

// Records what a screen asks of its window.
class TRecordingHost : public TScreenHost
{
public:
    struct TDispatched
    {
        int Code = 0;
        QString Payload;
        bool operator==(const TDispatched &other) const
        {
            return Code == other.Code && Payload == other.Payload;
        }
    };

    QObject *SocketOwner() override { return &Owner; }
    void RefreshScreenPanel() override { ++Refreshes; }
    void RepaintScreenList() override { ++Repaints; }
    void DispatchStatus(TVLScreenClass *screen, int code, const QString &payload) override;
    void ScreenDisconnected(TVLScreenClass *) override { ++Disconnects; }

    QObject Owner;
    int Refreshes = 0;
    int Repaints = 0;
    int Disconnects = 0;
    QList<TDispatched> Dispatched;
    // Runs inside every dispatch, after recording it.
    std::function<void(TVLScreenClass *, int, const QString &)> OnDispatch;
};

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
    bool WaitForPeerGone(int ms = 5000);
    void Send(const QByteArray &bytes);

    QTcpServer Server;
    QPointer<QTcpSocket> Peer;
    QByteArray Received;
    bool PeerGone = false;
};
