#pragma once

class TVLScreenClass;

// How long ConnectScreen waits for the outcome of a connect: passes of the
// message loop, each ending early on any event, at most PassMs long.
struct TConnectWait
{
    int Passes = 50;
    int PassMs = 100;
};

// Opens the screen's connection and waits for its outcome while the message
// loop keeps running. A screen at play state -1 (Connect All does not set 100
// first) is not waited for: it connects or fails later through its events.
// A connect that neither opened nor failed within the wait ends with message 37.
void ConnectScreen(TVLScreenClass *screen, const TConnectWait &wait = TConnectWait());

// Closes the screen's connection (its disconnect handler runs before the socket
// is released) and leaves it at play state -1.
void DisconnectScreen(TVLScreenClass *screen);

// The Connect button on the selected screen (none: nothing): connecting, it
// does nothing; disconnected, it sets 100, refreshes the panel and connects;
// otherwise it disconnects, zeroes the volume and refreshes the panel.
void ToggleScreenConnection(TVLScreenClass *selected, const TConnectWait &wait = TConnectWait());
