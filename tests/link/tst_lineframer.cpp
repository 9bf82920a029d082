#include "link/TLineFramer.h"

#include <QtTest>

class TestLineFramer : public QObject
{
    Q_OBJECT

private slots:
    void framing_data();
    void framing();
    void bound_data();
    void bound();
};

using Chunks = QList<QByteArray>;

void TestLineFramer::framing_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Chunks>("lines");
    QTest::addColumn<qsizetype>("leftOver");
    QTest::newRow("two lines in one read")
        << Chunks{"1000 1\r\n1800 a\r\n"} << Chunks{"1000 1", "1800 a"} << qsizetype(0);
    QTest::newRow("line split over reads")
        << Chunks{"10", "00 2", "\r\n"} << Chunks{"1000 2"} << qsizetype(0);
    QTest::newRow("CR LF split over reads")
        << Chunks{"1000 2\r", "\n2300"} << Chunks{"1000 2"} << qsizetype(4);
    QTest::newRow("lone CR and lone LF are no line end")
        << Chunks{"a\rb\nc\r\n"} << Chunks{"a\rb\nc"} << qsizetype(0);
    QTest::newRow("empty lines kept")
        << Chunks{"\r\n\r\nx\r\n"} << Chunks{"", "", "x"} << qsizetype(0);
    QTest::newRow("tail stays for next read")
        << Chunks{"1000 1\r\n18", "00 b"} << Chunks{"1000 1"} << qsizetype(6);
    QTest::newRow("many small reads") << Chunks{"6",  "0",  "4", "0", " ", "x", "|",  "y",
                                                "\r", "\n", "2", "3", "0", "0", "\r", "\n"}
                                      << Chunks{"6040 x|y", "2300"} << qsizetype(0);
}

void TestLineFramer::framing()
{
    QFETCH(Chunks, chunks);
    QFETCH(Chunks, lines);
    QFETCH(qsizetype, leftOver);
    TLineFramer framer;
    Chunks taken;
    for (const QByteArray &chunk : chunks) {
        QVERIFY(framer.Append(chunk));
        QByteArray line;
        while (framer.TakeLine(line))
            taken.append(line);
    }
    QCOMPARE(taken, lines);
    QCOMPARE(framer.BufferedSize(), leftOver);
}

void TestLineFramer::bound_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("unfinished line at the bound") << Chunks{QByteArray(16, 'a')} << true;
    QTest::newRow("unfinished line past the bound") << Chunks{QByteArray(17, 'a')} << false;
    QTest::newRow("grows past the bound over reads")
        << Chunks{QByteArray(10, 'a'), QByteArray(10, 'a')} << false;
    // Many short complete lines in one read are no overflow.
    QTest::newRow("complete lines beyond the bound in one read")
        << Chunks{QByteArray("0123456789\r\n").repeated(5) + "abc"} << true;
    QTest::newRow("long tail after complete lines")
        << Chunks{QByteArray("01\r\n") + QByteArray(17, 'a')} << false;
}

void TestLineFramer::bound()
{
    QFETCH(Chunks, chunks);
    QFETCH(bool, accepted);
    TLineFramer framer(16);
    bool ok = true;
    for (const QByteArray &chunk : chunks) {
        ok = framer.Append(chunk);
        if (!ok)
            break;
        QByteArray line;
        while (framer.TakeLine(line)) {
        }
    }
    QCOMPARE(ok, accepted);
    if (!ok) {
        // The buffer is emptied and usable again.
        QCOMPARE(framer.BufferedSize(), qsizetype(0));
        QVERIFY(framer.Append("2300 5\r\n"));
        QByteArray line;
        QVERIFY(framer.TakeLine(line));
        QCOMPARE(line, QByteArray("2300 5"));
    }
}

QTEST_GUILESS_MAIN(TestLineFramer)
#include "tst_lineframer.moc"
