// Lines per second through the screen's receive path (framing, Base64, CFB-8,
// code and payload split), plain and enciphered, next to raw OpenSSL CFB-8 over
// the same bytes. Prints one table; no arguments.
#include "link/Base64Groups.h"
#include "link/ReceivedLine.h"
#include "link/TChannelCipher.h"
#include "link/TLineFramer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <openssl/evp.h>
#include <openssl/sha.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr qint64 MinimumNs = 400'000'000; // each figure runs at least this long
constexpr qsizetype ReadSize = 64 * 1024; // bytes handed over per socket read

// A plaintext line of about `size` bytes: a position report or a folder listing.
QByteArray MakeLine(qsizetype size)
{
    if (size <= 100) {
        QByteArray line("1100 00:12:34.567 / 01:45:00.000 [playing] ");
        while (line.size() < size)
            line.append('x');
        return line.left(size);
    }
    QByteArray line("6000 ");
    for (int i = 0; line.size() < size; ++i)
        line += "<f>Folder " + QByteArray::number(i) + "/clip_" + QByteArray::number(i) +
                ".mp4<s>123456<d>45000.5>";
    return line.left(size);
}

struct TFigure
{
    double LinesPerSecond = 0;
    double MegabytesPerSecond = 0;
};

// Runs `once` (which handles `linesPerRun` lines of `bytesPerRun` wire bytes) until MinimumNs.
template <typename Body> TFigure Measure(qsizetype linesPerRun, qsizetype bytesPerRun, Body once)
{
    QElapsedTimer timer;
    qint64 runs = 0;
    timer.start();
    do {
        once();
        ++runs;
    } while (timer.nsecsElapsed() < MinimumNs);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    return {double(runs * linesPerRun) / seconds,
            double(runs * bytesPerRun) / seconds / (1024.0 * 1024.0)};
}

// The receive path as the screen runs it on every read.
qsizetype ReceiveAll(const QList<QByteArray> &reads, const TChannelCipher *cipher)
{
    TLineFramer framer;
    qsizetype accepted = 0;
    for (const QByteArray &read : reads) {
        framer.Append(read);
        QByteArrayView line;
        while (framer.TakeLineView(line)) {
            const TReceivedLine received = ParseReceivedLine(line, cipher);
            accepted += received.Kind == TReceivedLine::Accepted ? received.Payload.size() : 0;
        }
    }
    return accepted;
}

QList<QByteArray> CutIntoReads(const QByteArray &wire)
{
    QList<QByteArray> reads;
    for (qsizetype at = 0; at < wire.size(); at += ReadSize)
        reads.append(wire.mid(at, ReadSize));
    return reads;
}

void Row(const char *what, const TFigure &figure)
{
    std::printf("  %-34s %14.0f lines/s %10.1f MiB/s\n", what, figure.LinesPerSecond,
                figure.MegabytesPerSecond);
}

void RunCase(const char *title, qsizetype lineSize, int lineCount)
{
    const QByteArray plainLine = MakeLine(lineSize);
    TChannelCipher cipher;
    cipher.SetKey(QStringLiteral("bench password"));

    QByteArray plainWire;
    QByteArray cipherWire;
    QList<QByteArray> ciphertexts; // the raw bytes CFB-8 works on, per line
    for (int i = 0; i < lineCount; ++i) {
        plainWire += plainLine + "\r\n";
        const QByteArray enciphered = cipher.EncipherLine(plainLine);
        cipherWire += enciphered + "\r\n";
        ciphertexts.append(DecodeBase64Groups(enciphered));
    }
    const QList<QByteArray> plainReads = CutIntoReads(plainWire);
    const QList<QByteArray> cipherReads = CutIntoReads(cipherWire);
    qsizetype sink = 0;

    std::printf("%s (%lld-byte line, %d lines per run)\n", title, (long long)lineSize, lineCount);
    const TFigure plain =
        Measure(lineCount, plainWire.size(), [&] { sink += ReceiveAll(plainReads, nullptr); });
    Row("receive path, plain", plain);
    const TFigure enciphered =
        Measure(lineCount, cipherWire.size(), [&] { sink += ReceiveAll(cipherReads, &cipher); });
    Row("receive path, enciphered", enciphered);

    // Raw CFB-8 over the same ciphertext, register reset per line, key set once.
    const QByteArray password = QByteArray("bench password");
    unsigned char digest[SHA512_DIGEST_LENGTH];
    SHA512(reinterpret_cast<const unsigned char *>(password.constData()), size_t(password.size()),
           digest);
    const QByteArray iv = cipher.InitialVector();
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    EVP_DecryptInit_ex(ctx, EVP_aes_256_cfb8(), nullptr, digest,
                       reinterpret_cast<const unsigned char *>(iv.constData()));
    QByteArray out(ciphertexts.first().size(), Qt::Uninitialized);
    const TFigure raw = Measure(lineCount, cipherWire.size(), [&] {
        for (const QByteArray &bytes : ciphertexts) {
            int produced = 0;
            EVP_DecryptInit_ex(ctx, nullptr, nullptr, nullptr,
                               reinterpret_cast<const unsigned char *>(iv.constData()));
            EVP_DecryptUpdate(ctx, reinterpret_cast<unsigned char *>(out.data()), &produced,
                              reinterpret_cast<const unsigned char *>(bytes.constData()),
                              int(bytes.size()));
            sink += produced;
        }
    });
    EVP_CIPHER_CTX_free(ctx);
    Row("raw OpenSSL CFB-8, same bytes", raw);
    std::printf("  enciphered path / raw CFB-8 time: %.2fx\n\n",
                raw.LinesPerSecond / enciphered.LinesPerSecond);
    if (sink == 42)
        std::printf(" ");
}

} // namespace

int main()
{
    RunCase("Status line", 60, 20000);
    RunCase("Folder listing", 64 * 1024, 16);
    return 0;
}
