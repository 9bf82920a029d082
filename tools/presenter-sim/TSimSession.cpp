#include "TSimSession.h"

#include "TSimLog.h"
#include "TSimServer.h"

#include <QTimer>

namespace {

bool StartsWithCode(const QByteArray &line, int &code)
{
    if (line.size() < 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (line.at(i) < '0' || line.at(i) > '9')
            return false;
    }
    code = line.left(4).toInt();
    return true;
}

// What --garbage sends: lines the console must drop without effect.
const char *const GarbageLines[] = {
    "not a protocol line", "12", "12a4 digits broken by a letter", "\x01\x02\xff\xfe binary",
    "9999 unknown code",
};

} // namespace

TSimSession::TSimSession(QTcpSocket *socket, TSimServer *server, const QString &password,
                         const TSimFaults &faults, TSimLog &log)
    : FSocket(socket), FServer(server), FFaults(faults), FLog(log), FPort(server->Port())
{
    socket->setParent(this);
    if (faults.WrongPassword) {
        FCipher.SetKey(password.isEmpty() ? QStringLiteral("wrong")
                                          : password + QStringLiteral("#wrong"));
        FKeyed = true;
    } else if (!password.isEmpty()) {
        FCipher.SetKey(password);
        FKeyed = true;
    }
    connect(socket, &QTcpSocket::readyRead, this, &TSimSession::HandleReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);

    if (faults.Garbage)
        SendGarbage();
    if (faults.LongLineBytes > 0)
        SendLongLine();
    // Bytes may have arrived before the session was wired up.
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &TSimSession::HandleReadyRead);
}

void TSimSession::WriteFramed(const QByteArray &payload)
{
    if (!FSocket || FSocket->state() != QAbstractSocket::ConnectedState)
        return;
    QByteArray bytes = FKeyed ? FCipher.EncipherLine(payload) : payload;
    bytes.append("\r\n");
    if (FLongLineOpen)
        FHeldOutput.append(bytes);
    else
        FSocket->write(bytes);
}

void TSimSession::SendLine(const QString &line)
{
    const QByteArray utf8 = line.toUtf8();
    FLog.Sent(FPort, utf8);
    WriteFramed(utf8);
}

void TSimSession::SendGarbage()
{
    for (const char *line : GarbageLines)
        WriteFramed(QByteArray(line));
}

void TSimSession::SendLongLine()
{
    if (!FSocket)
        return;
    // Written raw and in pieces: the point is the length, not the content.
    const QByteArray chunk(64 * 1024, 'x');
    qint64 left = FFaults.LongLineBytes;
    FSocket->write("1100 ");
    left -= 5;
    while (left > 0) {
        const qint64 part = qMin<qint64>(left, chunk.size());
        FSocket->write(chunk.constData(), part);
        left -= part;
    }
    // The line end follows later, so the peer holds an unfinished line of
    // the full length, as from a screen that streams without end.
    // Everything else waits, or it would become part of that line.
    FLongLineOpen = true;
    QTimer::singleShot(500, this, [this] {
        FLongLineOpen = false;
        if (FSocket)
            FSocket->write("\r\n" + FHeldOutput);
        FHeldOutput.clear();
    });
}

void TSimSession::HandleReadyRead()
{
    if (!FSocket || FClosing)
        return;
    if (!FFramer.Append(FSocket->readAll())) {
        FLog.Note(FPort, QStringLiteral("line too long, connection closed"));
        FClosing = true;
        FSocket->abort();
        return;
    }
    QByteArray raw;
    while (!FClosing && FFramer.TakeLine(raw))
        HandleLine(raw);
}

void TSimSession::HandleLine(const QByteArray &raw)
{
    QByteArray text = raw;
    int code = -1;
    if (FKeyed) {
        const QByteArray plain = FCipher.DecipherLine(raw);
        if (!plain.startsWith("OV00")) {
            FLog.Note(FPort, QStringLiteral("line does not decipher: password mismatch"));
            // A console without a password would not decipher our answer, so
            // a plain protocol line gets a plain mismatch report.
            if (StartsWithCode(raw, code)) {
                FLog.Sent(FPort, "0201");
                FSocket->write("0201\r\n");
            } else {
                SendLine(QStringLiteral("0201"));
            }
            return;
        }
        text = plain.mid(13);
    }
    FLog.Received(FPort, text);
    ++FLinesReceived;

    const TPresenterOutput output = FServer->State().HandleLine(QString::fromUtf8(text));
    if (output.WantsPositionReports)
        FWantsPosition = true;
    if (StartsWithCode(text, code))
        SendReplies(code, output.Replies);
    if (!output.Reports.isEmpty())
        FServer->Broadcast(output.Reports);

    if (FFaults.DropAfterLines > 0 && FLinesReceived >= FFaults.DropAfterLines) {
        FLog.Note(FPort, QStringLiteral("dropping the connection as asked"));
        FClosing = true;
        FSocket->disconnectFromHost();
    }
}

void TSimSession::SendReplies(int code, const QStringList &replies)
{
    if (replies.isEmpty() || FFaults.DroppedCodes.contains(code))
        return;
    if (FFaults.Garbage)
        SendGarbage();
    const int delay = FFaults.DelayMs.value(code, 0);
    if (delay <= 0) {
        for (const QString &line : replies)
            SendLine(line);
        return;
    }
    QTimer::singleShot(delay, this, [this, replies] {
        for (const QString &line : replies)
            SendLine(line);
    });
}
