#include "store/RecordText.h"

#include <QElapsedTimer>
#include <QTest>

class TestRecordText : public QObject
{
    Q_OBJECT
private slots:
    void escapeRoundTrip_data();
    void escapeRoundTrip();
    void escapeKnownForm();
    void unescapeLeavesNonEntitiesAlone_data();
    void unescapeLeavesNonEntitiesAlone();
    void entityWordsAtEveryPosition();

    void arguments_data();
    void arguments();
    void oneWalkMatchesIndexedReading_data();
    void oneWalkMatchesIndexedReading();
    void writtenRecordReadsBack();
    void keyAndValue_data();
    void keyAndValue();
    void trimmedArgument();

    void findFrom_data();
    void findFrom();
    void splitAndJoin_data();
    void splitAndJoin();
    void splitTrimmed_data();
    void splitTrimmed();

    void smallRoutines();
    void clockText_data();
    void clockText();
    void paths_data();
    void paths();
    void fileNames_data();
    void fileNames();
    void decimals_data();
    void decimals();

    void longInputStaysLinear();
};

void TestRecordText::escapeRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("every reserved") << QStringLiteral("Tom \"T\" (2), east: west; a & <b> 'c'");
    QTest::newRow("literal entity") << QStringLiteral("Tours&colonial");
    QTest::newRow("literal amp word") << QStringLiteral("&amp&ampamp;&");
    QTest::newRow("only ampersands") << QStringLiteral("&&&");
    QTest::newRow("empty") << QString();
    QTest::newRow("unicode") << QStringLiteral("Écran «Nord» – 東京, (1)");
    QTest::newRow("bar and equals untouched") << QStringLiteral("a|b=c");
}

void TestRecordText::escapeRoundTrip()
{
    QFETCH(QString, text);
    const QString escaped = EscapeRecordText(text);
    for (const QChar reserved : QStringLiteral("'\",<>:;()"))
        QVERIFY2(!escaped.contains(reserved), qPrintable(escaped));
    QCOMPARE(UnescapeRecordText(escaped), text);
}

void TestRecordText::escapeKnownForm()
{
    QCOMPARE(EscapeRecordText(QStringLiteral("Tom \"T\" (2), east: west; a & <b> 'c'")),
             QStringLiteral("Tom &quotT&quot &oprt2&cprt&comma east&colon west&scolon a &amp "
                            "&ltb&gt &aposc&apos"));
}

void TestRecordText::unescapeLeavesNonEntitiesAlone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper case") << QStringLiteral("&AMP") << QStringLiteral("&AMP");
    QTest::newRow("mixed case") << QStringLiteral("&Comma") << QStringLiteral("&Comma");
    QTest::newRow("bare ampersand") << QStringLiteral("a & b") << QStringLiteral("a & b");
    QTest::newRow("trailing ampersand") << QStringLiteral("x&") << QStringLiteral("x&");
    QTest::newRow("semicolon kept") << QStringLiteral("&lt;") << QStringLiteral("<;");
    QTest::newRow("amp not rescanned") << QStringLiteral("&ampcomma") << QStringLiteral("&comma");
}

void TestRecordText::unescapeLeavesNonEntitiesAlone()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(UnescapeRecordText(text), expected);
}

void TestRecordText::entityWordsAtEveryPosition()
{
    const QStringList words{"&amp", "&apos",  "&quot",   "&comma", "&lt",
                            "&gt",  "&colon", "&scolon", "&oprt",  "&cprt"};
    const QString plain = QStringLiteral("&'\",<>:;()");
    const QString base = QStringLiteral("ab");
    for (qsizetype w = 0; w < words.size(); ++w) {
        for (int at = 0; at <= base.size(); ++at) {
            // A literal entity word anywhere survives the round trip...
            const QString literal = QString(base).insert(at, words.at(w));
            QCOMPARE(UnescapeRecordText(EscapeRecordText(literal)), literal);
            // ...and an escaped character anywhere comes back as the character.
            const QString withChar = QString(base).insert(at, plain.at(w));
            QCOMPARE(UnescapeRecordText(QString(base).insert(at, words.at(w))), withChar);
        }
    }
}

void TestRecordText::arguments_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty parentheses") << QStringLiteral("Screen()") << QStringList{QString()};
    QTest::newRow("quoted comma") << QStringLiteral("Screen(\"Name=a,b\",Port=1)")
                                  << QStringList{QStringLiteral("Name=a,b"),
                                                 QStringLiteral("Port=1")};
    QTest::newRow("unquoted only")
        << QStringLiteral("AddEntry(A=1,B=2,C=3)")
        << QStringList{QStringLiteral("A=1"), QStringLiteral("B=2"), QStringLiteral("C=3")};
    QTest::newRow("mixed forms")
        << QStringLiteral("Screen(\"Name=Lobby\",\"Address=10.0.0.7\",Port=4769,\"T=(x)\")")
        << QStringList{QStringLiteral("Name=Lobby"), QStringLiteral("Address=10.0.0.7"),
                       QStringLiteral("Port=4769"), QStringLiteral("T=(x)")};
    QTest::newRow("quoted after unquoted")
        << QStringLiteral("X(Port=1,\"Name=a,b\")")
        << QStringList{QStringLiteral("Port=1"), QStringLiteral("Name=a,b")};
    QTest::newRow("empty quoted value")
        << QStringLiteral("X(A=1,\"\",B=2)")
        << QStringList{QStringLiteral("A=1"), QString(), QStringLiteral("B=2")};
    QTest::newRow("empty unquoted between quoted")
        << QStringLiteral("X(\"A=1\",,B=2)")
        << QStringList{QStringLiteral("A=1"), QString(), QStringLiteral("B=2")};
    QTest::newRow("empty unquoted")
        << QStringLiteral("X(a,,b)")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("trailing comma")
        << QStringLiteral("X(a,)") << QStringList{QStringLiteral("a"), QString()};
    QTest::newRow("text after last parenthesis ignored")
        << QStringLiteral("X(A=1,\"B=2\") tail")
        << QStringList{QStringLiteral("A=1"), QStringLiteral("B=2")};
    // Text after the last ")" belongs to no argument, even when a comma follows there.
    QTest::newRow("tail with comma, unquoted")
        << QStringLiteral("X(A=1,B=2) tail, more")
        << QStringList{QStringLiteral("A=1"), QStringLiteral("B=2"), QString()};
    QTest::newRow("tail with comma, quoted")
        << QStringLiteral("X(\"A=1\",B=2) x,y")
        << QStringList{QStringLiteral("A=1"), QStringLiteral("B=2"), QString()};
    QTest::newRow("unbalanced quote")
        << QStringLiteral("X(\"Name=abc)") << QStringList{QStringLiteral("\"Name=abc")};
}

void TestRecordText::arguments()
{
    QFETCH(QString, record);
    QFETCH(QStringList, expected);
    QCOMPARE(CountRecordArguments(record), int(expected.size()));
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(GetRecordArgument(int(i) + 1, record, false), expected.at(i));
    QCOMPARE(GetRecordArgument(int(expected.size()) + 1, record, false), QString());
}

void TestRecordText::oneWalkMatchesIndexedReading_data()
{
    QTest::addColumn<QString>("record");
    QTest::newRow("typical") << QStringLiteral("Screen(\"Name=a,b\",Port=1,\"Tags=x|y\")");
    QTest::newRow("no parentheses") << QStringLiteral("Name=a,Port=1");
    QTest::newRow("only open") << QStringLiteral("X(\"a,b");
    QTest::newRow("close before open") << QStringLiteral(")a,b(");
    QTest::newRow("quotes everywhere") << QStringLiteral("\"(\",\"\"\",\",)\"");
    QTest::newRow("paren before closing quote") << QStringLiteral("X(\"A=(\",B=1)");
    QTest::newRow("empty") << QString();
    QTest::newRow("lone quote") << QStringLiteral("\"");
    QTest::newRow("commas in kind") << QStringLiteral("a,b(c,d)");
}

void TestRecordText::oneWalkMatchesIndexedReading()
{
    QFETCH(QString, record);
    const int count = CountRecordArguments(record);
    QVERIFY(count >= 1);
    const QStringList all = RecordArguments(record);
    QCOMPARE(int(all.size()), count);
    for (int i = 1; i <= count; ++i)
        QCOMPARE(all.at(i - 1), GetRecordArgument(i, record, false));
}

void TestRecordText::writtenRecordReadsBack()
{
    // A screen name holding every reserved character and a list value, written the
    // way the store writes them, must read back exactly.
    const QString name = QStringLiteral("Hall \"A\", (left): 50% & more; <x> 'y'");
    const QStringList tags{QStringLiteral("front,desk"), QString(), QStringLiteral("a=b")};
    const QString record = QStringLiteral("Screen(\"Name=") + EscapeRecordText(name) +
                           QStringLiteral("\",Port=4769,\"Tags=") +
                           EscapeRecordText(JoinList(tags, QStringLiteral("|"))) +
                           QStringLiteral("\")");
    QCOMPARE(CountRecordArguments(record), 3);
    QString readName;
    QStringList readTags;
    int port = 0;
    for (int i = 1; i <= CountRecordArguments(record); ++i) {
        const QString argument = GetRecordArgument(i, record, false);
        const QString key = ArgumentKey(argument).toLower();
        if (key == QLatin1String("name"))
            readName = UnescapeRecordText(ArgumentValue(argument, false));
        else if (key == QLatin1String("port"))
            port = ArgumentValue(argument, true).toInt();
        else if (key == QLatin1String("tags"))
            SplitList(UnescapeRecordText(ArgumentValue(argument, false)), u'|', readTags);
    }
    QCOMPARE(readName, name);
    QCOMPARE(port, 4769);
    QCOMPARE(readTags, tags);
}

void TestRecordText::keyAndValue_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("trimmedValue");
    QTest::newRow("plain") << QStringLiteral("PORT=7") << QStringLiteral("PORT")
                           << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("value with equals") << QStringLiteral("Address=a=b") << QStringLiteral("Address")
                                       << QStringLiteral("a=b") << QStringLiteral("a=b");
    QTest::newRow("spaces") << QStringLiteral(" Port = 5000 ") << QStringLiteral("Port")
                            << QStringLiteral(" 5000 ") << QStringLiteral("5000");
    QTest::newRow("no equals") << QStringLiteral("lonely") << QStringLiteral("")
                               << QStringLiteral("lonely") << QStringLiteral("lonely");
    QTest::newRow("empty value") << QStringLiteral("Name=") << QStringLiteral("Name")
                                 << QStringLiteral("") << QStringLiteral("");
    QTest::newRow("tab kept") << QStringLiteral("Name=\tx ") << QStringLiteral("Name")
                              << QStringLiteral("\tx ") << QStringLiteral("\tx");
}

void TestRecordText::keyAndValue()
{
    QFETCH(QString, argument);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, trimmedValue);
    QCOMPARE(ArgumentKey(argument), key);
    QCOMPARE(ArgumentValue(argument, false), value);
    QCOMPARE(ArgumentValue(argument, true), trimmedValue);
}

void TestRecordText::trimmedArgument()
{
    const QString record = QStringLiteral("X(\" Port = 5000 \")");
    const QString argument = GetRecordArgument(1, record, true);
    QCOMPARE(argument, QStringLiteral("Port = 5000"));
    QCOMPARE(ArgumentKey(argument).toLower(), QStringLiteral("port"));
    QCOMPARE(ArgumentValue(argument, true), QStringLiteral("5000"));
    QCOMPARE(GetRecordArgument(1, record, false), QStringLiteral(" Port = 5000 "));
}

void TestRecordText::findFrom_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("position");
    QTest::newRow("first") << QStringLiteral(",") << QStringLiteral("a,b,c") << 1 << 2;
    QTest::newRow("from the match") << QStringLiteral(",") << QStringLiteral("a,b,c") << 2 << 2;
    QTest::newRow("after it") << QStringLiteral(",") << QStringLiteral("a,b,c") << 3 << 4;
    QTest::newRow("none after") << QStringLiteral(",") << QStringLiteral("a,b,c") << 5 << 0;
    QTest::newRow("start past end") << QStringLiteral(",") << QStringLiteral("a,b") << 99 << 0;
    QTest::newRow("start below one") << QStringLiteral("a") << QStringLiteral("abc") << -5 << 1;
    QTest::newRow("case sensitive") << QStringLiteral("B") << QStringLiteral("abc") << 1 << 0;
    QTest::newRow("empty part") << QStringLiteral("") << QStringLiteral("abc") << 1 << 0;
    QTest::newRow("empty text") << QStringLiteral("a") << QStringLiteral("") << 1 << 0;
    QTest::newRow("text shorter") << QStringLiteral("abcd") << QStringLiteral("abc") << 1 << 0;
}

void TestRecordText::findFrom()
{
    QFETCH(QString, part);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, position);
    QCOMPARE(FindFrom(part, text, start), position);
}

void TestRecordText::splitAndJoin_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("joined");
    QTest::newRow("inner empty, final dropped")
        << QStringLiteral("x||y|") << QStringList{"x", "", "y"} << QStringLiteral("x||y");
    QTest::newRow("a||b") << QStringLiteral("a||b") << QStringList{"a", "", "b"}
                          << QStringLiteral("a||b");
    QTest::newRow("a|") << QStringLiteral("a|") << QStringList{"a"} << QStringLiteral("a");
    QTest::newRow("empty") << QStringLiteral("") << QStringList{} << QStringLiteral("");
    QTest::newRow("only separator") << QStringLiteral("|") << QStringList{""} << QStringLiteral("");
    QTest::newRow("leading separator")
        << QStringLiteral("|a") << QStringList{"", "a"} << QStringLiteral("|a");
}

void TestRecordText::splitAndJoin()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QFETCH(QString, joined);
    QStringList list{QStringLiteral("kept")};
    SplitList(text, u'|', list);
    QCOMPARE(list, QStringList{QStringLiteral("kept")} + pieces);
    QCOMPARE(JoinList(pieces, QStringLiteral("|")), joined);
}

void TestRecordText::splitTrimmed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("blank remainder kept") << QStringLiteral("a, ") << QStringList{"a", ""};
    QTest::newRow("controls trimmed") << QStringLiteral("\t a \r\n,b\x01") << QStringList{"a", "b"};
    QTest::newRow("inner spaces kept") << QStringLiteral(" a b ,c") << QStringList{"a b", "c"};
    QTest::newRow("final separator") << QStringLiteral("a,") << QStringList{"a"};
}

void TestRecordText::splitTrimmed()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QStringList list;
    SplitTrimmedList(text, u',', list);
    QCOMPARE(list, pieces);
}

void TestRecordText::smallRoutines()
{
    QCOMPARE(ZeroPad(QStringLiteral("7"), 5), QStringLiteral("00007"));
    QCOMPARE(ZeroPad(QStringLiteral("123456"), 5), QStringLiteral("123456"));
    QCOMPARE(ZeroPad(QString(), 2), QStringLiteral("00"));
    QCOMPARE(ZeroPad(QStringLiteral("1"), -3), QStringLiteral("1"));

    QCOMPARE(Clamp(5, 0, 10), 5);
    QCOMPARE(Clamp(-1, 0, 10), 0);
    QCOMPARE(Clamp(11, 0, 10), 10);
    QCOMPARE(Clamp(0.5, 1.0, 2.0), 1.0);

    QVERIFY(StartsWith(QStringLiteral("1000 x"), QStringLiteral("1000")));
    QVERIFY(StartsWith(QStringLiteral("ab"), QStringLiteral("ab")));
    QVERIFY(!StartsWith(QStringLiteral("ab"), QStringLiteral("AB")));
    QVERIFY(!StartsWith(QStringLiteral("a"), QStringLiteral("ab")));
    QVERIFY(!StartsWith(QString(), QStringLiteral("a")));
    QVERIFY(!StartsWith(QStringLiteral("a"), QString()));
}

void TestRecordText::clockText_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("00:00:00");
    QTest::newRow("mixed") << qint64(3725) << QStringLiteral("01:02:05");
    QTest::newRow("hundred hours") << qint64(360000) << QStringLiteral("100:00:00");
    // Spans beyond 65535 hours keep their hours instead of wrapping to a small figure.
    QTest::newRow("beyond 16-bit hours")
        << qint64(65536) * 3600 + 61 << QStringLiteral("65536:01:01");
    QTest::newRow("negative keeps its sign") << qint64(-3725) << QStringLiteral("-01:02:05");
}

void TestRecordText::clockText()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(SecondsToClockText(seconds), text);
}

void TestRecordText::paths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("withDelimiter");
    QTest::addColumn<QString>("parent");
    QTest::newRow("folder") << QStringLiteral("C:\\a\\b\\") << QStringLiteral("C:\\a\\b\\")
                            << QStringLiteral("C:\\a\\");
    QTest::newRow("file") << QStringLiteral("C:\\a") << QStringLiteral("C:\\a\\")
                          << QStringLiteral("C:\\");
    QTest::newRow("slash end") << QStringLiteral("a/b/") << QStringLiteral("a/b/")
                               << QStringLiteral("");
    QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("") << QStringLiteral("");
    QTest::newRow("one delimiter")
        << QStringLiteral("\\") << QStringLiteral("\\") << QStringLiteral("");
    QTest::newRow("relative") << QStringLiteral("media\\clip.mp4")
                              << QStringLiteral("media\\clip.mp4\\") << QStringLiteral("media\\");
}

void TestRecordText::paths()
{
    QFETCH(QString, path);
    QFETCH(QString, withDelimiter);
    QFETCH(QString, parent);
    QCOMPARE(AppendPathDelimiter(path), withDelimiter);
    QCOMPARE(ParentFolderOf(path), parent);
}

void TestRecordText::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << QStringLiteral("list.m3u") << true;
    QTest::newRow("inner folder") << QStringLiteral("a\\b.txt") << true;
    QTest::newRow("empty") << QStringLiteral("") << false;
    QTest::newRow("dot first") << QStringLiteral(".hidden") << false;
    QTest::newRow("slash first") << QStringLiteral("/abs") << false;
    QTest::newRow("backslash first") << QStringLiteral("\\abs") << false;
    for (const char *bad : {"a<b", "a>b", "c:x", "a?", "a*", "a\"b", "a|b"})
        QTest::newRow(bad) << QString::fromLatin1(bad) << false;
}

void TestRecordText::fileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidFileName(name), valid);
}

void TestRecordText::decimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");
    QTest::newRow("point") << QStringLiteral("45123.5") << 45123.5 << true;
    QTest::newRow("comma") << QStringLiteral("45123,25") << 45123.25 << true;
    QTest::newRow("negative") << QStringLiteral("-0,5") << -0.5 << true;
    QTest::newRow("integer") << QStringLiteral("12") << 12.0 << true;
    QTest::newRow("empty") << QStringLiteral("") << 0.0 << true;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0.0 << false;
    QTest::newRow("two separators") << QStringLiteral("1,5,3") << 0.0 << false;
    QTest::newRow("infinite") << QStringLiteral("inf") << 0.0 << false;
}

void TestRecordText::decimals()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, ok);
    bool converted = !ok;
    QCOMPARE(ReadDecimal(text, &converted), value);
    QCOMPARE(converted, ok);
    // The system's number settings must not matter.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(ReadDecimal(text), value);
    QLocale::setDefault(saved);
}

void TestRecordText::longInputStaysLinear()
{
    // One megabyte of hostile text: many arguments, unbalanced quotes, entity words.
    QString manyArguments = QStringLiteral("X(");
    for (int i = 0; i < 100000; ++i)
        manyArguments += QStringLiteral("\"K=v,\",");
    manyArguments += QStringLiteral("\"Last=1\")");
    const QString entities = QString(QStringLiteral("&comma")).repeated(170000);
    const QString unbalanced = QStringLiteral("X(\"") + QString(1 << 20, u'a');

    QElapsedTimer timer;
    timer.start();
    const QStringList all = RecordArguments(manyArguments);
    QCOMPARE(all.size(), 100001);
    QCOMPARE(all.last(), QStringLiteral("Last=1"));
    QCOMPARE(GetRecordArgument(100001, manyArguments, false), QStringLiteral("Last=1"));
    QCOMPARE(UnescapeRecordText(EscapeRecordText(entities)), entities);
    QCOMPARE(UnescapeRecordText(entities), QString(170000, u','));
    QCOMPARE(CountRecordArguments(unbalanced), 1);
    QCOMPARE(GetRecordArgument(1, unbalanced, true), QString());
    QStringList pieces;
    SplitList(QString(1 << 20, u'|'), u'|', pieces);
    QCOMPARE(pieces.size(), 1 << 20);
    QVERIFY2(timer.elapsed() < 5000, "record text routines are too slow on long input");
}

QTEST_GUILESS_MAIN(TestRecordText)
#include "tst_recordtext.moc"
