#include "link/TChannelCipher.h"

#include "link/Base64Groups.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/sha.h>

#include <chrono>
#include <cstring>
#include <random>

namespace {

// Park-Miller yields 1..2147483646; one less covers 0..2147483645, inside the
// range the presenter accepts. The nonce carries no meaning, it only makes
// equal lines encipher differently.
std::minstd_rand &NonceEngine()
{
    static std::minstd_rand engine(static_cast<std::minstd_rand::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    return engine;
}

const char HexDigits[] = "0123456789ABCDEF";

// "OV00" + 8 upper-case hex digits + " " + the line.
QByteArray MarkedPlaintext(const QByteArray &utf8Line, quint32 nonce)
{
    QByteArray plain(13 + utf8Line.size(), Qt::Uninitialized);
    char *p = plain.data();
    std::memcpy(p, "OV00", 4);
    for (int i = 0; i < 8; ++i)
        p[4 + i] = HexDigits[(nonce >> (28 - 4 * i)) & 0xF];
    p[12] = ' ';
    if (!utf8Line.isEmpty())
        std::memcpy(p + 13, utf8Line.constData(), size_t(utf8Line.size()));
    return plain;
}

} // namespace

TChannelCipher::TChannelCipher() : FEncrypt(EVP_CIPHER_CTX_new()), FDecrypt(EVP_CIPHER_CTX_new())
{
    std::memset(FKey, 0, sizeof FKey);
    std::memset(FIV, 255, sizeof FIV);
}

TChannelCipher::~TChannelCipher()
{
    Wipe();
    EVP_CIPHER_CTX_free(FEncrypt);
    EVP_CIPHER_CTX_free(FDecrypt);
}

void TChannelCipher::SetKey(const QString &password)
{
    Wipe();
    const QByteArray utf8 = password.toUtf8();
    unsigned char digest[SHA512_DIGEST_LENGTH];
    SHA512(reinterpret_cast<const unsigned char *>(utf8.constData()), size_t(utf8.size()), digest);
    std::memcpy(FKey, digest, sizeof FKey);
    OPENSSL_cleanse(digest, sizeof digest);

    // The initial vector is the key's encryption of a zero block.
    unsigned char zero[16] = {};
    int produced = 0;
    EVP_CIPHER_CTX *ecb = EVP_CIPHER_CTX_new();
    bool ok = ecb && EVP_EncryptInit_ex(ecb, EVP_aes_256_ecb(), nullptr, FKey, nullptr) == 1 &&
              EVP_CIPHER_CTX_set_padding(ecb, 0) == 1 &&
              EVP_EncryptUpdate(ecb, FIV, &produced, zero, sizeof zero) == 1 && produced == 16;
    EVP_CIPHER_CTX_free(ecb);

    ok = ok && EVP_EncryptInit_ex(FEncrypt, EVP_aes_256_cfb8(), nullptr, FKey, FIV) == 1 &&
         EVP_DecryptInit_ex(FDecrypt, EVP_aes_256_cfb8(), nullptr, FKey, FIV) == 1;
    if (!ok) {
        Wipe();
        return;
    }
    FKeyed = true;
}

bool TChannelCipher::IsKeyed() const
{
    return FKeyed;
}

QByteArray TChannelCipher::InitialVector() const
{
    return QByteArray(reinterpret_cast<const char *>(FIV), sizeof FIV);
}

QByteArray TChannelCipher::EncipherLine(const QByteArray &utf8Line)
{
    return EncipherLineWithNonce(utf8Line, NextNonce());
}

QByteArray TChannelCipher::EncipherLineWithNonce(const QByteArray &utf8Line, quint32 nonce)
{
    if (!FKeyed)
        return QByteArray();
    QByteArray data = MarkedPlaintext(utf8Line, nonce);
    auto *bytes = reinterpret_cast<unsigned char *>(data.data());
    int produced = 0;
    // Resetting only the IV keeps the key schedule; every line starts from the IV.
    if (EVP_EncryptInit_ex(FEncrypt, nullptr, nullptr, nullptr, FIV) != 1 ||
        EVP_EncryptUpdate(FEncrypt, bytes, &produced, bytes, int(data.size())) != 1)
        return QByteArray();
    return EncodeBase64(data);
}

QByteArray TChannelCipher::DecipherLine(QByteArrayView base64Line) const
{
    QByteArray data = DecodeBase64Groups(base64Line.data(), base64Line.size());
    if (!FKeyed || data.isEmpty())
        return data;
    auto *bytes = reinterpret_cast<unsigned char *>(data.data());
    int produced = 0;
    if (EVP_DecryptInit_ex(FDecrypt, nullptr, nullptr, nullptr, FIV) != 1 ||
        EVP_DecryptUpdate(FDecrypt, bytes, &produced, bytes, int(data.size())) != 1)
        return QByteArray(); // never carries the marker, so it reads as a mismatch
    return data;
}

void TChannelCipher::Wipe()
{
    OPENSSL_cleanse(FKey, sizeof FKey);
    // Resetting a context cleanses its key schedule and feedback register.
    EVP_CIPHER_CTX_reset(FEncrypt);
    EVP_CIPHER_CTX_reset(FDecrypt);
    std::memset(FIV, 255, sizeof FIV);
    FKeyed = false;
}

void TChannelCipher::SeedNonceGenerator(quint32 seed)
{
    NonceEngine().seed(seed);
}

quint32 TChannelCipher::NextNonce()
{
    return quint32(NonceEngine()() - 1);
}
