#pragma once

#include "TSimOptions.h"
#include "link/TChannelCipher.h"
#include "link/TLineFramer.h"

#include <QObject>
#include <QPointer>
#include <QTcpSocket>

class TSimServer;
class TSimLog;

// One console connection to a simulated screen: frames and deciphers what
// arrives, hands each line to the screen's presenter state and sends back what
// it answers, misbehaving as the fault options ask.
class TSimSession : public QObject
{
    Q_OBJECT

public:
    TSimSession(QTcpSocket *socket, TSimServer *server, const QString &password,
                const TSimFaults &faults, TSimLog &log);

    // Enciphers when the screen has a password, frames and writes one line.
    void SendLine(const QString &line);
    bool WantsPositionReports() const { return FWantsPosition; }

private:
    void HandleReadyRead();
    void HandleLine(const QByteArray &raw);
    void SendReplies(int code, const QStringList &replies);
    void SendGarbage();
    void SendLongLine();
    void WriteFramed(const QByteArray &payload);

    QPointer<QTcpSocket> FSocket;
    TSimServer *FServer;
    TSimFaults FFaults;
    TSimLog &FLog;
    TLineFramer FFramer;
    TChannelCipher FCipher;
    bool FKeyed = false;
    bool FWantsPosition = false;
    bool FClosing = false;
    bool FLongLineOpen = false;
    QByteArray FHeldOutput;
    int FLinesReceived = 0;
    quint16 FPort = 0;
};
