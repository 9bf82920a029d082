#include "link/Base64Groups.h"

#include <array>

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<quint8, 256> MakeDecodeTable()
{
    std::array<quint8, 256> table{};
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(Alphabet[i])] = static_cast<quint8>(i);
    return table;
}

constexpr std::array<quint8, 256> DecodeTable = MakeDecodeTable();

} // namespace

QByteArray EncodeBase64(const QByteArray &bytes)
{
    return bytes.toBase64();
}

QByteArray DecodeBase64Groups(const char *text, qsizetype length)
{
    const qsizetype groups = length / 4;
    QByteArray out(groups * 3, Qt::Uninitialized);
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    const auto *src = reinterpret_cast<const unsigned char *>(text);
    qsizetype written = 0;
    for (qsizetype g = 0; g < groups; ++g, src += 4) {
        const quint32 bits = (quint32(DecodeTable[src[0]]) << 18) |
                             (quint32(DecodeTable[src[1]]) << 12) |
                             (quint32(DecodeTable[src[2]]) << 6) | quint32(DecodeTable[src[3]]);
        dst[written++] = static_cast<unsigned char>(bits >> 16);
        if (src[2] == '=')
            continue;
        dst[written++] = static_cast<unsigned char>(bits >> 8);
        if (src[3] == '=')
            continue;
        dst[written++] = static_cast<unsigned char>(bits);
    }
    out.truncate(written);
    return out;
}
