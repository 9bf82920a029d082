#include "link/TVLScreenClass.h"

#include "link/SocketErrors.h"
#include "link/TScreenHost.h"

#include <QNetworkProxy>
#include <QSignalBlocker>

TVLScreenClass::TVLScreenClass(TScreenHost *host) : FHost(host) {}

TVLScreenClass::~TVLScreenClass()
{
    PlayState = psDisconnected;
    // No events may reach a half-destroyed screen, and the host is not told:
    // it is the one releasing us.
    ReleaseSocketComponent();
    FCipher.Wipe();
}

void TVLScreenClass::SetPassword(const QString &password)
{
    FPassword = password;
    FCipher.SetKey(password);
}

void TVLScreenClass::SetReceiveCapacity(qsizetype capacity)
{
    FReceiveBuffer = TLineFramer(capacity);
}

void TVLScreenClass::EmptyReceiveBuffer()
{
    FReceiveBuffer.Clear();
}

void TVLScreenClass::CreateSocketComponent()
{
    if (FSocket)
        return;
    QObject *owner = FHost ? FHost->SocketOwner() : this;
    auto *socket = new QTcpSocket(owner);
    // Screens sit on the local network; a system proxy must not reroute them.
    socket->setProxy(QNetworkProxy::NoProxy);
    connect(socket, &QTcpSocket::connected, this, &TVLScreenClass::HandleConnect);
    connect(socket, &QTcpSocket::disconnected, this, &TVLScreenClass::HandleDisconnect);
    // readyRead is not raised again while a dialog opened by a received line
    // runs the message loop; bytes arriving then would wait unread until the
    // presenter happens to send more. channelReadyRead is raised every time.
    connect(socket, &QTcpSocket::channelReadyRead, this, &TVLScreenClass::HandleRead);
    connect(socket, &QTcpSocket::errorOccurred, this, &TVLScreenClass::OnSocketError);
    FSocket = socket;
}

bool TVLScreenClass::ActivateSocketComponent()
{
    if (!FSocket)
        return false;
    if (FSocket->state() != QAbstractSocket::UnconnectedState)
        return true; // already looking up, connecting or connected
    if (Port < 1 || Port > 65535)
        return false;
    FSocket->connectToHost(Address, quint16(Port));
    return true;
}

void TVLScreenClass::CloseConnection()
{
    if (!FSocket || (FSocket->state() == QAbstractSocket::UnconnectedState && !FConnected))
        return;
    {
        // The disconnect event is run below, once, whatever state the socket was in.
        const QSignalBlocker blocker(FSocket.data());
        // Hand what is queued to the system before cutting the connection.
        FSocket->flush();
        FSocket->abort();
    }
    HandleDisconnect();
}

void TVLScreenClass::ReleaseSocketComponent()
{
    FConnected = false;
    QTcpSocket *socket = FSocket.data();
    FSocket.clear();
    if (!socket)
        return;
    socket->disconnect(this);
    socket->abort();
    // Never destroyed here: this may run inside one of the socket's own events.
    socket->deleteLater();
}

void TVLScreenClass::OnSocketError()
{
    QTcpSocket *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || socket != FSocket)
        return;
    // Qt reports an orderly close by the presenter (it quit, its PC shut down)
    // exactly like a reset. An orderly close is no error, so an open connection
    // closed by the peer only runs the disconnect event that follows.
    if (socket->error() == QAbstractSocket::RemoteHostClosedError && FConnected)
        return;
    int code = WinSockErrorCode(socket->error());
    HandleError(code);
}
