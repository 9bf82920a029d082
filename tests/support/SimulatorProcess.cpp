#include "SimulatorProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>

TSimProcess::~TSimProcess()
{
    if (FProcess.state() != QProcess::NotRunning) {
        FProcess.terminate();
        FProcess.waitForFinished(5000);
    }
}

bool TSimProcess::Start(int count, const QStringList &extra, const QString &recordPath)
{
    FRecordPath = recordPath;
    const QString program = qEnvironmentVariable("ORVANE_SIM");
    if (program.isEmpty())
        return false;
    QStringList arguments = extra;
    if (!recordPath.isEmpty())
        arguments = QStringList{QStringLiteral("--record"), recordPath} + arguments;
    // A port found free may be taken before the simulator binds it: retry.
    for (int attempt = 0; attempt < 5; ++attempt) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0) || probe.serverPort() > 65535 - count)
            continue;
        Port = probe.serverPort();
        probe.close();
        FProcess.start(program, QStringList{QStringLiteral("--port"), QString::number(Port),
                                            QStringLiteral("--count"), QString::number(count)} +
                                    arguments);
        QDeadlineTimer deadline(10000);
        QByteArray out;
        while (FProcess.state() != QProcess::NotRunning && !deadline.hasExpired() &&
               out.count("listening on") < count) {
            FProcess.waitForReadyRead(100);
            out += FProcess.readAllStandardOutput();
        }
        if (out.count("listening on") == count)
            return true;
        FProcess.kill();
        FProcess.waitForFinished(5000);
    }
    return false;
}

QList<QByteArray> TSimProcess::Recorded(quint16 port) const
{
    QFile file(FRecordPath);
    QList<QByteArray> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray prefix = QByteArray::number(port) + '\t';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            lines.append(line.mid(prefix.size()));
    }
    return lines;
}
