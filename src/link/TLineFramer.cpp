#include "link/TLineFramer.h"

#include <algorithm>

TLineFramer::TLineFramer(qsizetype capacity) : FCapacity(capacity) {}

bool TLineFramer::Append(const QByteArray &bytes)
{
    if (BufferedSize() == 0) {
        // Usual case: no unfinished line. Sharing the read's bytes saves a copy.
        FBuffer = bytes;
        FStart = 0;
        FScanFrom = 0;
    } else {
        FBuffer.append(bytes);
    }
    if (BufferedSize() <= FCapacity)
        return true;
    // Over the bound only matters for the unfinished last line: complete lines
    // are taken off right after every append.
    const qsizetype lastEnd = FBuffer.lastIndexOf("\r\n");
    const qsizetype tailStart = lastEnd >= FStart ? lastEnd + 2 : FStart;
    if (FBuffer.size() - tailStart <= FCapacity)
        return true;
    Clear();
    return false;
}

bool TLineFramer::TakeLineView(QByteArrayView &line)
{
    const qsizetype end = FBuffer.indexOf("\r\n", std::max(FScanFrom, FStart));
    if (end < 0) {
        Compact();
        // A CR at the very end may be completed by the next append.
        FScanFrom = std::max<qsizetype>(FBuffer.size() - 1, 0);
        return false;
    }
    line = QByteArrayView(FBuffer.constData() + FStart, end - FStart);
    FStart = end + 2;
    FScanFrom = FStart;
    return true;
}

bool TLineFramer::TakeLine(QByteArray &line)
{
    QByteArrayView view;
    if (!TakeLineView(view))
        return false;
    line = view.toByteArray();
    return true;
}

void TLineFramer::Clear()
{
    FBuffer.clear();
    FStart = 0;
    FScanFrom = 0;
}

qsizetype TLineFramer::BufferedSize() const
{
    return FBuffer.size() - FStart;
}

void TLineFramer::Compact()
{
    if (FStart == 0)
        return;
    if (FStart >= FBuffer.size()) {
        // Keep a modest allocation for the next read; give back a huge one.
        if (FBuffer.capacity() > 1024 * 1024)
            FBuffer.clear();
        else
            FBuffer.truncate(0);
    } else {
        FBuffer.remove(0, FStart);
    }
    FScanFrom = std::max<qsizetype>(FScanFrom - FStart, 0);
    FStart = 0;
}
