#pragma once

#include "TPresenterState.h"
#include "TSimOptions.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

class TSimLog;
class TSimSession;

// One simulated screen: a TCP server on 127.0.0.1, its presenter state shared
// by all of its connections, and the one-second position clock.
class TSimServer : public QObject
{
    Q_OBJECT

public:
    TSimServer(const TScreenSetup &setup, const TSimFaults &faults, TSimLog &log,
               QObject *parent = nullptr);

    bool Listen();
    QString ErrorText() const { return FServer.errorString(); }
    quint16 Port() const { return FServer.serverPort(); }
    TPresenterState &State() { return FState; }

    // Sends unsolicited reports to every connection of this screen.
    void Broadcast(const QStringList &reports);

private:
    void AcceptConnections();
    void Tick();

    TScreenSetup FSetup;
    TSimFaults FFaults;
    TSimLog &FLog;
    TPresenterState FState;
    QTcpServer FServer;
    QTimer FClock;
    QList<QPointer<TSimSession>> FSessions;
};
