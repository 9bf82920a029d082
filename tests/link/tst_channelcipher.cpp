#include "link/Base64Groups.h"
#include "link/TChannelCipher.h"

#include <QtTest>

// Expected bytes come from the openssl command-line tools, not from our code:
//   key:  printf '%s' PW | openssl dgst -sha512            (first 32 bytes)
//   IV:   head -c16 /dev/zero | openssl enc -aes-256-ecb -nopad -K KEY
//   line: printf 'OV00XXXXXXXX LINE' | openssl enc -aes-256-cfb8 -K KEY -iv IV | base64
class TestChannelCipher : public QObject
{
    Q_OBJECT

private slots:
    void initialVector_data();
    void initialVector();
    void knownLines_data();
    void knownLines();
    void freshNonceEveryLine();
    void rekeyAndWipe();
    void groupDecoder_data();
    void groupDecoder();
};

void TestChannelCipher::initialVector_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("iv");
    QTest::newRow("ascii") << QStringLiteral("secret")
                           << QByteArray::fromHex("f69dbba0f42f3b7412cafe2b22dc57e6");
    QTest::newRow("non-ascii utf8") << QStringLiteral("P\u00e4ssw\u00f6rt")
                                    << QByteArray::fromHex("ddda3c8b37206d168aaf6ea23df6d405");
    QTest::newRow("empty") << QString() << QByteArray::fromHex("f0503bb8d57fd0815444710340de992e");
}

void TestChannelCipher::initialVector()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, iv);
    TChannelCipher cipher;
    QVERIFY(!cipher.IsKeyed());
    cipher.SetKey(password);
    QVERIFY(cipher.IsKeyed());
    QCOMPARE(cipher.InitialVector(), iv);
}

void TestChannelCipher::knownLines_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<quint32>("nonce");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("secret 2300") << QStringLiteral("secret") << 0u << QByteArray("2300")
                                 << QByteArray("w7IPWDF0QfXwFz2aTFeLerU=");
    QTest::newRow("utf8 key") << QStringLiteral("P\u00e4ssw\u00f6rt") << 0u << QByteArray("2300")
                              << QByteArray("suC7sam/SOi9XFrU3LN6isQ=");
    QTest::newRow("empty key") << QString() << 0u << QByteArray("2300")
                               << QByteArray("58m53yz6L92vKg/EdaYBm9g=");
    QTest::newRow("nonce 2A") << QStringLiteral("secret") << 0x2Au << QByteArray("2300 55")
                              << QByteArray("w7IPWDF0QfXwFz/gwlbhhbOMWfc=");
    QTest::newRow("empty line, two pads") << QStringLiteral("secret") << 0x12345678u << QByteArray()
                                          << QByteArray("w7IPWDC6v+S2DckrQA==");
    QTest::newRow("highest nonce, utf8 payload")
        << QStringLiteral("secret") << 2147483646u
        << QStringLiteral("6000 \u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac/"
                          "\u65e5\u672c\u8a9e")
               .toUtf8()
        << QByteArray("w7IPWDZT63PNai8vrpm2nc5AKdbqBZOwCGg6Aslz5SGcTB11lSUTFssToZ4=");
}

void TestChannelCipher::knownLines()
{
    QFETCH(QString, password);
    QFETCH(quint32, nonce);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, wire);
    TChannelCipher cipher;
    cipher.SetKey(password);
    QCOMPARE(cipher.EncipherLineWithNonce(line, nonce), wire);
    // Deciphering gives back the whole plaintext, marker and nonce included,
    // and does not depend on an earlier line (the register restarts each time).
    const QByteArray plain = cipher.DecipherLine(wire);
    QCOMPARE(plain.left(4), QByteArray("OV00"));
    QCOMPARE(plain.mid(4, 8), QByteArray::number(nonce, 16).toUpper().rightJustified(8, '0'));
    QCOMPARE(plain.mid(12, 1), QByteArray(" "));
    QCOMPARE(plain.mid(13), line);
    QCOMPARE(cipher.DecipherLine(wire), plain);
}

void TestChannelCipher::freshNonceEveryLine()
{
    TChannelCipher cipher;
    cipher.SetKey(QStringLiteral("secret"));
    TChannelCipher::SeedNonceGenerator(7);
    const QByteArray first = cipher.EncipherLine("5100 fnStop");
    const QByteArray second = cipher.EncipherLine("5100 fnStop");
    QVERIFY(first != second);
    // The marker is enciphered from the same register every time.
    QCOMPARE(first.left(5), second.left(5));
    QCOMPARE(first.size(), 32); // 13 + 11 bytes, no padding
    for (const QByteArray &wire : {first, second}) {
        const QByteArray plain = cipher.DecipherLine(wire);
        QVERIFY(plain.startsWith("OV00"));
        bool ok = false;
        const qlonglong nonce = plain.mid(4, 8).toLongLong(&ok, 16);
        QVERIFY(ok);
        QVERIFY(nonce >= 0 && nonce <= 2147483646);
        QCOMPARE(plain.mid(4, 8), plain.mid(4, 8).toUpper());
        QCOMPARE(plain.mid(13), QByteArray("5100 fnStop"));
    }
}

void TestChannelCipher::rekeyAndWipe()
{
    TChannelCipher cipher;
    cipher.SetKey(QStringLiteral("first"));
    const QByteArray underFirst = cipher.EncipherLineWithNonce("2300", 0);
    cipher.SetKey(QStringLiteral("secret"));
    QCOMPARE(cipher.EncipherLineWithNonce("2300", 0), QByteArray("w7IPWDF0QfXwFz2aTFeLerU="));
    QVERIFY(!cipher.DecipherLine(underFirst).startsWith("OV00"));

    cipher.Wipe();
    QVERIFY(!cipher.IsKeyed());
    QCOMPARE(cipher.InitialVector(), QByteArray(16, char(255)));
    // A wiped cipher produces nothing that could pass for an enciphered line.
    QVERIFY(cipher.EncipherLineWithNonce("2300", 0).isEmpty());
    QVERIFY(!cipher.DecipherLine(QByteArray("w7IPWDF0QfXwFz2aTFeLerU=")).startsWith("OV00"));
}

void TestChannelCipher::groupDecoder_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("three per group") << QByteArray("QUJD") << QByteArray("ABC");
    QTest::newRow("= third place: one byte") << QByteArray("QQ==") << QByteArray("A");
    QTest::newRow("= third place alone: one byte") << QByteArray("QQ=x") << QByteArray("A");
    QTest::newRow("= fourth place: two bytes") << QByteArray("QUI=") << QByteArray("AB");
    QTest::newRow("partial group ignored") << QByteArray("QUJDRA") << QByteArray("ABC");
    QTest::newRow("short text: nothing") << QByteArray("QUJ") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("padding mid-text, group by group")
        << QByteArray("QQ==QUJD") << QByteArray("AABC");
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    // Text from `openssl base64`.
    QTest::newRow("all 256 byte values")
        << QByteArray(
               "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7"
               "PD0+P0BBQkNERUZHSElKS0xNTk9QUVJTVFVWV1hZWltcXV5fYGFiY2RlZmdoaWprbG1ub3BxcnN0dXZ3"
               "eHl6e3x9fn+AgYKDhIWGh4iJiouMjY6PkJGSk5SVlpeYmZqbnJ2en6ChoqOkpaanqKmqq6ytrq+wsbKz"
               "tLW2t7i5uru8vb6/wMHCw8TFxsfIycrLzM3Oz9DR0tPU1dbX2Nna29zd3t/g4eLj5OXm5+jp6uvs7e7v"
               "8PHy8/T19vf4+fr7/P3+/w==")
        << all;
}

void TestChannelCipher::groupDecoder()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(DecodeBase64Groups(text), bytes);
    // Texts our encoder could have produced must come out the same way.
    if (QByteArray::fromBase64(text, QByteArray::AbortOnBase64DecodingErrors).toBase64() == text)
        QCOMPARE(EncodeBase64(bytes), text);
}

QTEST_GUILESS_MAIN(TestChannelCipher)
#include "tst_channelcipher.moc"
