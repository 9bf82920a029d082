#pragma once

#include <QByteArrayView>
#include <QString>

class TChannelCipher;

// One received line taken apart: deciphered when the screen has a password,
// checked for its four-digit code, split into code and UTF-8 payload.
struct TReceivedLine
{
    enum TKind {
        Ignored,         // not four digits at the start: dropped silently
        Accepted,        // Code and Payload hold the line
        PasswordMismatch // did not decipher to a marked text, or the screen reported 0200/0201
    };
    TKind Kind = Ignored;
    int Code = 0;
    QString Payload;
};

// `cipher` is null for a screen without password.
TReceivedLine ParseReceivedLine(QByteArrayView line, const TChannelCipher *cipher);
