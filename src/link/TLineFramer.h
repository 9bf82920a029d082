#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Cuts a received byte stream into CR LF terminated lines, without touching a
// socket. The buffer is bounded: a peer that sends more than `capacity` bytes
// without a line end makes Append() report an overflow instead of growing.
class TLineFramer
{
public:
    // Far above the largest honest reply (a folder listing of 20,000 entries).
    static constexpr qsizetype DefaultCapacity = 32 * 1024 * 1024;

    explicit TLineFramer(qsizetype capacity = DefaultCapacity);

    // Appends bytes; returns false (and empties the buffer) if the unfinished
    // line would exceed the capacity.
    bool Append(const QByteArray &bytes);

    // Takes the next complete line (without CR LF) off the buffer.
    bool TakeLine(QByteArray &line);
    // The same without copying: the view stays valid until the next call of
    // Append, TakeLine, TakeLineView or Clear.
    bool TakeLineView(QByteArrayView &line);

    void Clear();
    qsizetype BufferedSize() const;
    qsizetype Capacity() const { return FCapacity; }

private:
    void Compact();

    QByteArray FBuffer;
    qsizetype FStart = 0;    // first byte not yet taken
    qsizetype FScanFrom = 0; // no CR LF starts before this offset (beyond FStart)
    qsizetype FCapacity;
};
