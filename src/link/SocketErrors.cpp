#include "link/SocketErrors.h"

#include "messages/MessageCatalogue.h"

// Qt socket error -> WinSock code.
//
//   ConnectionRefusedError          10061  nothing listens on the port
//   RemoteHostClosedError           10054  the presenter closed or reset the connection
//   HostNotFoundError               11001  the address does not resolve
//   SocketTimeoutError              10060  the connect attempt timed out
//   SocketAddressNotAvailableError  10049  the local address is not available
//   AddressInUseError               10048
//   SocketAccessError               10013
//   SocketResourceError             10055  out of sockets or buffers
//   NetworkError                    10065  network or host unreachable, cable out
//   DatagramTooLargeError           10040
//   UnsupportedSocketOperationError 10045
//   UnfinishedSocketOperationError  10036
//   TemporaryError                  10035
//   anything else (proxy, TLS, unknown) 10022
//
// Qt reports a reset and an orderly close by the peer alike; 10054 is the
// closer of the two WinSock codes, and both lead to the same text and action.
int WinSockErrorCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return wsaConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return wsaConnectionReset;
    case QAbstractSocket::HostNotFoundError:
        return wsaHostNotFound;
    case QAbstractSocket::SocketTimeoutError:
        return wsaTimedOut;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return wsaAddressNotAvailable;
    case QAbstractSocket::AddressInUseError:
        return wsaAddressInUse;
    case QAbstractSocket::SocketAccessError:
        return wsaAccessDenied;
    case QAbstractSocket::SocketResourceError:
        return wsaNoBuffers;
    case QAbstractSocket::NetworkError:
        return wsaHostUnreachable;
    case QAbstractSocket::DatagramTooLargeError:
        return wsaMessageSize;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return wsaNotSupported;
    case QAbstractSocket::UnfinishedSocketOperationError:
        return wsaInProgress;
    case QAbstractSocket::TemporaryError:
        return wsaWouldBlock;
    default:
        return wsaInvalidArgument;
    }
}

TErrorClose ErrorCloseRule(int code)
{
    switch (code) {
    case wsaAddressNotAvailable:
    case wsaConnectionAborted:
    case wsaConnectionReset:
        return TErrorClose::CloseIfConnected;
    case wsaHostNotFound:
        return TErrorClose::CloseAlways;
    default:
        return TErrorClose::Keep;
    }
}

QString SocketErrorText(const QString &screenName, const QString &address, int code)
{
    QString rest;
    switch (code) {
    case wsaAddressNotAvailable:
        rest = QStringLiteral(" - ") + MessageText(87);
        break;
    case wsaConnectionAborted:
    case wsaConnectionReset:
        rest = QStringLiteral(" - ") + MessageText(49);
        break;
    case wsaTimedOut:
        rest = QStringLiteral(".");
        break;
    case wsaConnectionRefused:
        rest = QStringLiteral(" - ") + MessageText(50);
        break;
    case wsaHostNotFound:
        rest = QStringLiteral(" - ") + MessageFormat(51, address);
        break;
    default:
        break;
    }
    return MessageText(40) + QStringLiteral(" \"") + screenName + QStringLiteral("\"\n\n") +
           MessageText(52) + QStringLiteral(" #") + QString::number(code) + rest;
}
