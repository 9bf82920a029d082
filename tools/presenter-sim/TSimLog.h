#pragma once

#include <QFile>
#include <QString>

// Where the simulator tells what it receives: stdout with --verbose, and a
// record file that tests read back to see the console's lines byte for byte.
class TSimLog
{
public:
    TSimLog(bool verbose, const QString &recordPath);

    bool IsOpen() const { return FRecordPath.isEmpty() || FRecord.isOpen(); }
    void Received(quint16 port, const QByteArray &line);
    void Sent(quint16 port, const QByteArray &line);
    void Note(quint16 port, const QString &text);

private:
    bool FVerbose;
    QString FRecordPath;
    QFile FRecord;
};
