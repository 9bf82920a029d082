#include "link/ReceivedLine.h"

#include "link/TChannelCipher.h"

#include <QByteArray>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const QByteArrayView LineMarker("OV00");
constexpr qsizetype MarkedPrefixLength = 13; // marker, eight hex digits, space

} // namespace

TReceivedLine ParseReceivedLine(QByteArrayView line, const TChannelCipher *cipher)
{
    TReceivedLine result;
    QByteArray plain;
    if (cipher) {
        plain = cipher->DecipherLine(line);
        if (!plain.startsWith(LineMarker)) {
            result.Kind = TReceivedLine::PasswordMismatch;
            return result;
        }
        line = QByteArrayView(plain).sliced(qMin(MarkedPrefixLength, plain.size()));
    }
    if (line.size() < 4 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2]) ||
        !IsDigit(line[3]))
        return result;
    result.Code =
        (line[0] - '0') * 1000 + (line[1] - '0') * 100 + (line[2] - '0') * 10 + (line[3] - '0');
    if (result.Code == 200 || result.Code == 201) {
        result.Kind = TReceivedLine::PasswordMismatch;
        return result;
    }
    result.Kind = TReceivedLine::Accepted;
    // The fifth character is the separator and is not looked at.
    if (line.size() > 5)
        result.Payload = QString::fromUtf8(line.sliced(5));
    return result;
}
