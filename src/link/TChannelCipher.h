#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

typedef struct evp_cipher_ctx_st EVP_CIPHER_CTX;

// The per-screen line cipher: AES-256 in CFB-8, keyed from the first 32 bytes
// of SHA-512 of the password, with the feedback register reset to the initial
// vector (AES of a zero block) before every line, in both directions.
class TChannelCipher
{
public:
    TChannelCipher();
    ~TChannelCipher();
    TChannelCipher(const TChannelCipher &) = delete;
    TChannelCipher &operator=(const TChannelCipher &) = delete;

    // Keys the cipher from `password` (also when it is empty); wipes an earlier key first.
    void SetKey(const QString &password);
    bool IsKeyed() const;
    // The 16 bytes every line's feedback register starts from (all 255 when wiped).
    QByteArray InitialVector() const;

    // "OV00" + eight upper-case hex digits of a fresh nonce + " " + utf8Line,
    // enciphered and Base64-encoded, without line end.
    QByteArray EncipherLine(const QByteArray &utf8Line);
    // The same with a given nonce (0..2147483646); for known-answer checks.
    QByteArray EncipherLineWithNonce(const QByteArray &utf8Line, quint32 nonce);

    // Base64-decodes (whole groups only) and deciphers one received line, without line end.
    // Returns the raw plaintext, marker and nonce included.
    QByteArray DecipherLine(QByteArrayView base64Line) const;

    // Zeroes the key schedule, fills the initial vector and register with 255, unkeyed after.
    void Wipe();

    // The nonce an enciphered line would carry next; exposed so tests can fix it.
    static void SeedNonceGenerator(quint32 seed);
    static quint32 NextNonce();

private:
    // One context per direction, keyed once per password: a line only resets
    // the feedback register to the initial vector, it never redoes the key schedule.
    EVP_CIPHER_CTX *FEncrypt = nullptr;
    EVP_CIPHER_CTX *FDecrypt = nullptr;
    unsigned char FKey[32];
    unsigned char FIV[16];
    bool FKeyed = false;
};
