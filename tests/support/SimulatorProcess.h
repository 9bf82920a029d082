#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// The presenter simulator program (named by ORVANE_SIM) serving `count`
// screens on consecutive free loopback ports from Port on.
class TSimProcess
{
public:
    ~TSimProcess();

    // True once every screen listens. `recordPath`, when given, is where the
    // simulator records the lines it receives.
    bool Start(int count, const QStringList &extra = {}, const QString &recordPath = QString());

    // The lines received on `port`, in order, as the simulator deciphered them.
    QList<QByteArray> Recorded(quint16 port) const;

    quint16 Port = 0;

private:
    QProcess FProcess;
    QString FRecordPath;
};
