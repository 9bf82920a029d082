#pragma once

#include <QByteArray>

// Base64 of the enciphered channel (standard alphabet, "=" padding, no line breaks).
QByteArray EncodeBase64(const QByteArray &bytes);

// Decodes whole groups of four characters only; characters after the last
// whole group are ignored. Within a group a "=" in the third place yields one
// byte, a "=" in the fourth place alone two, otherwise three. Characters outside
// the alphabet count as zero bits: the decoder never fails, whatever it is fed.
QByteArray DecodeBase64Groups(const char *text, qsizetype length);
inline QByteArray DecodeBase64Groups(const QByteArray &text)
{
    return DecodeBase64Groups(text.constData(), text.size());
}
