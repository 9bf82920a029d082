#include "TSimLog.h"

#include <cstdio>

namespace {

void PrintLine(const QByteArray &text)
{
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

TSimLog::TSimLog(bool verbose, const QString &recordPath)
    : FVerbose(verbose), FRecordPath(recordPath), FRecord(recordPath)
{
    if (!recordPath.isEmpty())
        FRecord.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

void TSimLog::Received(quint16 port, const QByteArray &line)
{
    const QByteArray prefix = QByteArray::number(port);
    if (FVerbose)
        PrintLine(prefix + " < " + line);
    if (FRecord.isOpen())
        FRecord.write(prefix + '\t' + line + '\n');
}

void TSimLog::Sent(quint16 port, const QByteArray &line)
{
    if (FVerbose)
        PrintLine(QByteArray::number(port) + " > " + line);
}

void TSimLog::Note(quint16 port, const QString &text)
{
    if (FVerbose)
        PrintLine(QByteArray::number(port) + " : " + text.toUtf8());
}
