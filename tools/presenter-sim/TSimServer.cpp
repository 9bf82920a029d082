#include "TSimServer.h"

#include "TSimLog.h"
#include "TSimSession.h"

#include <QHostAddress>

TSimServer::TSimServer(const TScreenSetup &setup, const TSimFaults &faults, TSimLog &log,
                       QObject *parent)
    : QObject(parent), FSetup(setup), FFaults(faults), FLog(log), FState(setup.Presenter)
{
    connect(&FServer, &QTcpServer::newConnection, this, &TSimServer::AcceptConnections);
    FClock.setInterval(1000);
    connect(&FClock, &QTimer::timeout, this, &TSimServer::Tick);
}

bool TSimServer::Listen()
{
    if (!FServer.listen(QHostAddress::LocalHost, FSetup.Port))
        return false;
    FClock.start();
    return true;
}

void TSimServer::AcceptConnections()
{
    while (QTcpSocket *socket = FServer.nextPendingConnection()) {
        FLog.Note(Port(), QStringLiteral("connection accepted"));
        auto *session = new TSimSession(socket, this, FSetup.Password, FFaults, FLog);
        session->setParent(this);
        FSessions.append(session);
        for (const QString &line : FState.ConnectReports())
            session->SendLine(line);
    }
}

void TSimServer::Broadcast(const QStringList &reports)
{
    FSessions.removeAll(nullptr);
    for (const QPointer<TSimSession> &session : FSessions) {
        for (const QString &line : reports)
            session->SendLine(line);
    }
}

void TSimServer::Tick()
{
    const TPresenterTick tick = FState.Tick();
    if (!tick.Reports.isEmpty())
        Broadcast(tick.Reports);
    if (tick.Position.isEmpty())
        return;
    FSessions.removeAll(nullptr);
    for (const QPointer<TSimSession> &session : FSessions) {
        if (session->WantsPositionReports())
            session->SendLine(tick.Position);
    }
}
