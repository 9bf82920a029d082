#include "link/ScreenSession.h"

#include "link/TScreenHost.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageDialogs.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace {

bool WaitIsOver(const TVLScreenClass *screen)
{
    return screen->IsConnected() || screen->LastSocketError != 0 ||
           screen->PlayState == psDisconnected;
}

void RefreshPanel(TVLScreenClass *screen)
{
    if (screen->Host())
        screen->Host()->RefreshScreenPanel();
}

// One pass: handle what is pending, then sleep up to `ms` unless a socket
// event of this screen arrives first. The loop keeps the window responsive.
void WaitOnePass(TVLScreenClass *screen, int ms)
{
    QCoreApplication::processEvents();
    if (WaitIsOver(screen))
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (QTcpSocket *socket = screen->SocketComponent()) {
        QObject::connect(socket, &QAbstractSocket::stateChanged, &loop, &QEventLoop::quit);
        QObject::connect(socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    }
    loop.exec();
}

} // namespace

void ConnectScreen(TVLScreenClass *screen, const TConnectWait &wait)
{
    if (!screen)
        return;
    screen->CreateSocketComponent();
    // A code left by an earlier, unwaited connect would end this wait at once.
    screen->LastSocketError = 0;
    if (!screen->ActivateSocketComponent()) {
        screen->ReleaseSocketComponent();
        // The stored port may be any number; one no socket can use must not
        // make the Connect button a silent no-op.
        if (screen->Port < 1 || screen->Port > 65535) {
            const QPointer<TVLScreenClass> alive(screen);
            ShowScreenMessage(screen->Name, MessageText(50), TDialogType::Error);
            if (!alive)
                return;
        }
        // Left at 100 the screen could never be connected again from the button.
        screen->PlayState = psDisconnected;
        RefreshPanel(screen);
        return;
    }

    const QPointer<TVLScreenClass> alive(screen);
    for (int pass = 0; pass < wait.Passes; ++pass) {
        if (!alive || WaitIsOver(screen))
            break;
        WaitOnePass(screen, wait.PassMs);
    }
    if (!alive)
        return;

    if (screen->LastSocketError > 0 ||
        (!screen->IsConnected() && screen->PlayState != psDisconnected)) {
        const bool timedOut = screen->LastSocketError == 0 && !screen->IsConnected();
        screen->ReleaseSocketComponent();
        if (timedOut) {
            ShowScreenMessage(screen->Name, MessageText(37), TDialogType::Error);
            if (!alive)
                return;
        }
        screen->PlayState = psDisconnected;
        RefreshPanel(screen);
    }
    screen->LastSocketError = 0;
}

void DisconnectScreen(TVLScreenClass *screen)
{
    if (!screen)
        return;
    screen->PlayState = psDisconnected;
    if (!screen->SocketComponent())
        return;
    screen->CloseConnection();
    screen->ReleaseSocketComponent();
}

void ToggleScreenConnection(TVLScreenClass *selected, const TConnectWait &wait)
{
    if (!selected || selected->PlayState == psConnecting)
        return;
    if (selected->PlayState == psDisconnected) {
        selected->PlayState = psConnecting;
        RefreshPanel(selected);
        ConnectScreen(selected, wait);
        return;
    }
    DisconnectScreen(selected);
    selected->Volume = 0;
    RefreshPanel(selected);
}
