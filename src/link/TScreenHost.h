#pragma once

#include <QString>

class TVLScreenClass;
class QObject;

// What a screen object needs from the window that owns the store: the panel
// refresh, the list repaint, the status dispatch of received lines, and the
// closing of windows that belong to a screen which went away. The main window
// implements it; tests implement it with a recorder.
class TScreenHost
{
public:
    virtual ~TScreenHost() = default;

    // Parent for socket components, so they live on the window thread.
    virtual QObject *SocketOwner() = 0;
    virtual void RefreshScreenPanel() = 0;
    virtual void RepaintScreenList() = 0;
    // One accepted line (code, payload) of `screen`.
    virtual void DispatchStatus(TVLScreenClass *screen, int code, const QString &payload) = 0;
    // The screen's connection closed: close its schedule editor and remote browser.
    virtual void ScreenDisconnected(TVLScreenClass *screen) = 0;
};
