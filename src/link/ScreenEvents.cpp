// The screen's handlers of its socket's connect, disconnect, read and error events.
#include "link/TVLScreenClass.h"

#include "link/ReceivedLine.h"
#include "link/ScreenSession.h"
#include "link/SocketErrors.h"
#include "link/TScreenHost.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageDialogs.h"

void TVLScreenClass::HandleConnect()
{
    FConnected = true;
    // Bytes left from an earlier connection must not prefix the first new line.
    FReceiveBuffer.Clear();
    PlayState = psNoMedia;
    if (FHost) {
        FHost->RefreshScreenPanel();
        FHost->RepaintScreenList();
    }
    SendConfiguration();
    SendLayout();
}

void TVLScreenClass::HandleDisconnect()
{
    if (FSocket) {
        FConnected = false;
        PlayState = psDisconnected;
    }
    LastSocketError = 0;
    LastLoadError = 0;
    NowPlaying.clear();
    PositionText.clear();
    CurrentPlaylist.clear();
    if (FHost) {
        FHost->ScreenDisconnected(this);
        FHost->RefreshScreenPanel();
        FHost->RepaintScreenList();
    }
}

void TVLScreenClass::HandleRead()
{
    QTcpSocket *socket = FSocket.data();
    if (!socket)
        return;
    if (!FReceiveBuffer.Append(socket->readAll())) {
        HandleReceiveOverflow();
        return;
    }
    // A dispatched line may open a dialog, whose message loop runs further
    // reads of this screen (they take the following lines) or even releases it.
    const QPointer<TVLScreenClass> alive(this);
    QByteArrayView line;
    while (alive && FReceiveBuffer.TakeLineView(line)) {
        if (!AcceptLine(line))
            break;
    }
}

bool TVLScreenClass::AcceptLine(QByteArrayView line)
{
    const TReceivedLine received =
        ParseReceivedLine(line, FPassword.isEmpty() ? nullptr : &FCipher);
    switch (received.Kind) {
    case TReceivedLine::Ignored:
        return true;
    case TReceivedLine::PasswordMismatch:
        HandlePasswordMismatch();
        return false;
    case TReceivedLine::Accepted:
        break;
    }
    if (FHost)
        FHost->DispatchStatus(this, received.Code, received.Payload);
    return true;
}

void TVLScreenClass::HandlePasswordMismatch()
{
    FReceiveBuffer.Clear();
    DisconnectScreen(this);
    ShowScreenMessage(Name, MessageFormat(79, PresenterName()), TDialogType::Information);
}

void TVLScreenClass::HandleReceiveOverflow()
{
    // A peer that never ends its line would otherwise eat all memory.
    FReceiveBuffer.Clear();
    const qsizetype limit = FReceiveBuffer.Capacity();
    DisconnectScreen(this);
    ShowScreenMessage(Name,
                      MessageText(52) + QStringLiteral(" - the screen sent a line longer than ") +
                          QString::number(limit) +
                          QStringLiteral(" bytes. The connection has been closed."),
                      TDialogType::Error);
}

void TVLScreenClass::HandleError(int &errorCode)
{
    const int code = errorCode;
    LastSocketError = code;
    const QPointer<TVLScreenClass> alive(this);
    ShowMessageDialog(SocketErrorText(Name, Address, code), TDialogType::Error, TDialogButton::OK);
    if (!alive)
        return;
    switch (ErrorCloseRule(code)) {
    case TErrorClose::CloseAlways:
        // Closing runs the disconnect event even when the socket never got
        // past the lookup: that brings the screen back to -1 and clears the
        // error, so the component stays for the next attempt.
        if (FSocket && FSocket->state() != QAbstractSocket::UnconnectedState)
            CloseConnection();
        else
            HandleDisconnect();
        break;
    case TErrorClose::CloseIfConnected:
        if (FSocket && FSocket->state() == QAbstractSocket::ConnectedState) {
            CloseConnection();
            LastSocketError = 0;
        }
        break;
    case TErrorClose::Keep:
        break;
    }
    if (PlayState != psDisconnected && PlayState != psConnecting && FHost)
        FHost->RefreshScreenPanel();
    errorCode = 0;
}
