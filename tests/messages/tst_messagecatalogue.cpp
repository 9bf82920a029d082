#include "messages/MessageCatalogue.h"

#include <QTest>

class TestMessageCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void lineBreaksAndGaps();
    void placeholders_data();
    void placeholders();
};

void TestMessageCatalogue::texts_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QStringLiteral("Select Function from the List Below");
    QTest::newRow("21") << 21
                        << QStringLiteral("An overlapping schedule entry with the same or higher "
                                          "priority has been detected,\r\n\r\nWould you like "
                                          "increase priority to ensure playback?");
    QTest::newRow("31") << 31
                        << QStringLiteral("This %s instance was probably not executed with the "
                                          "required \"/SharePath:[Path]\" command line "
                                          "parameter.");
    QTest::newRow("38") << 38 << QStringLiteral("Remove Screen \"%s\" ?");
    QTest::newRow("50") << 50
                        << QStringLiteral("Unable to Connect.\r\n\r\nMake sure the Port and "
                                          "IP/Address values are correct\r\nand no firewall is "
                                          "blocking the connection.");
    QTest::newRow("54") << 54
                        << QStringLiteral("The playlist was not activated on the following "
                                          "screens:\r\n\r\n%s\r\nMake sure all selected screens "
                                          "are executed with\r\nthe required "
                                          "\"/SharePath:[Path]\" command line parameter.");
    QTest::newRow("60") << 60
                        << QStringLiteral("This action will delete (%s) screen(s):\r\n\r\n%s\r\n"
                                          "Are you sure?");
    QTest::newRow("61") << 61
                        << QStringLiteral("Editing a connected screen is prohibited.\r\nTo edit "
                                          "the screen please disconnect first.");
    QTest::newRow("69") << 69 << QStringLiteral("Do not show this dialog again");
    QTest::newRow("79") << 79
                        << QStringLiteral("The password specified for this screen does not "
                                          "match the password specified in %s !");
    QTest::newRow("87") << 87 << QStringLiteral("Socket busy, try reconnecting.");
    QTest::newRow("90") << 90
                        << QStringLiteral("An initial connection to the screen is required to "
                                          "display the layout preview.");
}

void TestMessageCatalogue::texts()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(MessageText(number), text);
}

void TestMessageCatalogue::lineBreaksAndGaps()
{
    QCOMPARE(MessageText(61).count(QStringLiteral("\r\n")), 1);

    int listed = 0;
    for (int number = 0; number <= 90; ++number) {
        const QString text = MessageText(number);
        if (!text.isEmpty())
            ++listed;
        QVERIFY2(!text.contains(u'\\'), qPrintable(text));
        // Every break is a full CR LF pair.
        QCOMPARE(text.count(u'\r'), text.count(QStringLiteral("\r\n")));
        QCOMPARE(text.count(u'\n'), text.count(QStringLiteral("\r\n")));
    }
    QCOMPARE(listed, 84);
    for (int unlisted : {32, 43, 44, 75, 78, 88, 89, 91, 1000, -1})
        QVERIFY2(MessageText(unlisted).isEmpty(), qPrintable(QString::number(unlisted)));

    const QString webLink = MessageText(65);
    QVERIFY(webLink.startsWith(
        QStringLiteral("Specify the web link's URL address:\r\n\r\nexample:\r\nhttp://")));
    QVERIFY(webLink.endsWith(QStringLiteral("/display.html\r\n")));
}

void TestMessageCatalogue::placeholders_data()
{
    QTest::addColumn<QString>("filled");
    QTest::addColumn<QString>("expected");
    QTest::newRow("presenter name")
        << MessageFormat(26, PresenterName())
        << QStringLiteral(
               "Unable to save playlist, make sure Velmora has write access on the shared path");
    QTest::newRow("screen list block")
        << MessageFormat(53, ScreenListText({QStringLiteral("A"), QStringLiteral("B")}))
        << QStringLiteral("The command was not applied to the following screens:\r\n\r\nA\r\nB\r\n"
                          "\r\nMake sure all selected screens are connected.");
    QTest::newRow("two placeholders in order")
        << MessageFormat(60, QStringLiteral("2"), ScreenListText({QStringLiteral("X")}))
        << QStringLiteral("This action will delete (2) screen(s):\r\n\r\nX\r\n\r\nAre you sure?");
    // A name holding "%s" must not swallow the next argument.
    QTest::newRow("inserted text not rescanned")
        << MessageFormat(60, QStringLiteral("%s"), QStringLiteral("N"))
        << QStringLiteral("This action will delete (%s) screen(s):\r\n\r\nN\r\nAre you sure?");
    QTest::newRow("no placeholder")
        << MessageFormat(23, QStringLiteral("x")) << QStringLiteral("Are you sure?");
    QTest::newRow("empty list") << ScreenListText({}) << QString();
}

void TestMessageCatalogue::placeholders()
{
    QFETCH(QString, filled);
    QFETCH(QString, expected);
    QCOMPARE(filled, expected);
}

QTEST_GUILESS_MAIN(TestMessageCatalogue)
#include "tst_messagecatalogue.moc"
