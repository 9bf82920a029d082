#pragma once

#include <QAbstractSocket>
#include <QString>

// Error codes of the screen link. The operator's texts, the stored last socket
// error and the decisions of ConnectScreen use the WinSock numbering the
// presenter fleet has always reported, so Qt's socket errors are mapped onto it.
enum TWinSockError : int {
    wsaNoError = 0,
    wsaInvalidArgument = 10022,     // WSAEINVAL
    wsaWouldBlock = 10035,          // WSAEWOULDBLOCK
    wsaInProgress = 10036,          // WSAEINPROGRESS
    wsaMessageSize = 10040,         // WSAEMSGSIZE
    wsaNotSupported = 10045,        // WSAEOPNOTSUPP
    wsaAddressInUse = 10048,        // WSAEADDRINUSE
    wsaAddressNotAvailable = 10049, // WSAEADDRNOTAVAIL
    wsaConnectionAborted = 10053,   // WSAECONNABORTED
    wsaConnectionReset = 10054,     // WSAECONNRESET
    wsaNoBuffers = 10055,           // WSAENOBUFS
    wsaTimedOut = 10060,            // WSAETIMEDOUT
    wsaConnectionRefused = 10061,   // WSAECONNREFUSED
    wsaHostUnreachable = 10065,     // WSAEHOSTUNREACH
    wsaAccessDenied = 10013,        // WSAEACCES
    wsaHostNotFound = 11001         // WSAHOST_NOT_FOUND
};

// The WinSock code for a Qt socket error; never 0, so any error ends a connect wait.
int WinSockErrorCode(QAbstractSocket::SocketError error);

// How the screen reacts to an error code.
enum class TErrorClose {
    Keep,             // the connection stays as it is
    CloseIfConnected, // an open connection is closed
    CloseAlways       // the socket is closed at once, connected or not
};
TErrorClose ErrorCloseRule(int code);

// The error dialog's text: message 40, the quoted screen name, two line feeds,
// message 52, " #", the code and the text belonging to the code.
QString SocketErrorText(const QString &screenName, const QString &address, int code);
