#include "ScreenFleet.h"
#include "console/ScreenListRules.h"

#include <QTest>

using namespace ScreenListRules;

class TestScreenListRules : public QObject
{
    Q_OBJECT

private slots:
    void filterSelectsByTagPrefix_data();
    void filterSelectsByTagPrefix();
    void rowsStandInNameOrder();
    void totalPCsCountsAddressesWithoutCase();
    void tagMenuListsEachTagOnce();
    void pickedTagIsAppendedToFilter();
    void deleteAllSummaryStopsAfterSixteenLines_data();
    void deleteAllSummaryStopsAfterSixteenLines();
};

void TestScreenListRules::filterSelectsByTagPrefix_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("shown");

    const QStringList all{QStringLiteral("Bar"), QStringLiteral("Hall"), QStringLiteral("Kiosk"),
                          QStringLiteral("Plain"), QStringLiteral("Stage")};
    QTest::newRow("empty filter shows all") << QString() << all;
    QTest::newRow("prefix, any case")
        << QStringLiteral("lob") << QStringList{QStringLiteral("Hall"), QStringLiteral("Kiosk")};
    QTest::newRow("upper-case term")
        << QStringLiteral("LOBBY-") << QStringList{QStringLiteral("Kiosk")};
    QTest::newRow("two terms") << QStringLiteral("lob, 2nd")
                               << QStringList{QStringLiteral("Hall"), QStringLiteral("Kiosk"),
                                              QStringLiteral("Stage")};
    QTest::newRow("trailing comma adds nothing")
        << QStringLiteral("bar,") << QStringList{QStringLiteral("Bar")};
    QTest::newRow("empty term between commas")
        << QStringLiteral(",bar") << QStringList{QStringLiteral("Bar")};
    QTest::newRow("lone comma shows none") << QStringLiteral(",") << QStringList{};
    QTest::newRow("lone blank shows none") << QStringLiteral(" ") << QStringList{};
    QTest::newRow("blank after comma is an empty term")
        << QStringLiteral("bar, ") << QStringList{QStringLiteral("Bar")};
    QTest::newRow("control characters trimmed")
        << QStringLiteral("\tmain\x01") << QStringList{QStringLiteral("Bar")};
    QTest::newRow("not a prefix") << QStringLiteral("obby") << QStringList{};
}

void TestScreenListRules::filterSelectsByTagPrefix()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, shown);

    TScreenFleet fleet;
    fleet.Add(QStringLiteral("Stage"), QStringLiteral("10.0.0.4"), 4769,
              {QStringLiteral("2nd floor")});
    fleet.Add(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4769, {QStringLiteral("Lobby")});
    fleet.Add(QStringLiteral("Plain"), QStringLiteral("10.0.0.9"));
    fleet.Add(QStringLiteral("Bar"), QStringLiteral("10.0.0.2"), 4769,
              {QStringLiteral("main lobby"), QStringLiteral("bar")});
    fleet.Add(QStringLiteral("Kiosk"), QStringLiteral("10.0.0.3"), 4769,
              {QStringLiteral("LOBBY-2")});

    QStringList names;
    for (const TVLScreenClass *screen : FilterScreens(fleet.Screens(), filter))
        names.append(screen->Name);
    QCOMPARE(names, shown);
}

void TestScreenListRules::rowsStandInNameOrder()
{
    TScreenFleet fleet;
    fleet.Add(QStringLiteral("lobby2"), QStringLiteral("b"), 1);
    fleet.Add(QStringLiteral("Lobby"), QStringLiteral("z"), 1);
    fleet.Add(QStringLiteral("LOBBY"), QStringLiteral("a"), 2);
    fleet.Add(QStringLiteral("atrium"), QStringLiteral("c"), 1);

    QStringList rows;
    for (const TVLScreenClass *screen : FilterScreens(fleet.Screens(), QString()))
        rows.append(RowText(*screen));
    QCOMPARE(rows, (QStringList{QStringLiteral("atrium|c:1"), QStringLiteral("LOBBY|a:2"),
                                QStringLiteral("Lobby|z:1"), QStringLiteral("lobby2|b:1")}));
    QCOMPARE(RowNamePart(rows.at(1)), QStringLiteral("LOBBY"));
    QCOMPARE(RowAddressPart(rows.at(1)), QStringLiteral("a:2"));
}

void TestScreenListRules::totalPCsCountsAddressesWithoutCase()
{
    TScreenFleet fleet;
    QCOMPARE(CountDistinctAddresses(fleet.Screens()), 0);
    fleet.Add(QStringLiteral("A"), QStringLiteral("PC1"), 4769);
    fleet.Add(QStringLiteral("B"), QStringLiteral("pc1"), 4770);
    fleet.Add(QStringLiteral("C"), QStringLiteral("pc2"), 4769);
    QCOMPARE(CountDistinctAddresses(fleet.Screens()), 2);
}

void TestScreenListRules::tagMenuListsEachTagOnce()
{
    TScreenFleet fleet;
    fleet.Add(QStringLiteral("A"), QStringLiteral("a"), 1,
              {QStringLiteral("lobby"), QStringLiteral("Entrance")});
    fleet.Add(QStringLiteral("B"), QStringLiteral("b"), 1,
              {QStringLiteral("LOBBY"), QStringLiteral("bar")});
    QCOMPARE(
        DistinctTags(fleet.Screens()),
        (QStringList{QStringLiteral("bar"), QStringLiteral("Entrance"), QStringLiteral("lobby")}));
}

void TestScreenListRules::pickedTagIsAppendedToFilter()
{
    QCOMPARE(AppendTagToFilter(QString(), QStringLiteral("Lobby")), QStringLiteral("Lobby"));
    QCOMPARE(AppendTagToFilter(QStringLiteral("bar"), QStringLiteral("Lobby")),
             QStringLiteral("bar, Lobby"));
}

void TestScreenListRules::deleteAllSummaryStopsAfterSixteenLines_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("ellipsis");
    QTest::newRow("one") << 1 << 1 << false;
    QTest::newRow("sixteen") << 16 << 16 << false;
    QTest::newRow("seventeen") << 17 << 17 << true;
    QTest::newRow("twenty") << 20 << 17 << true;
}

void TestScreenListRules::deleteAllSummaryStopsAfterSixteenLines()
{
    QFETCH(int, count);
    QFETCH(int, lines);
    QFETCH(bool, ellipsis);

    TScreenFleet fleet;
    for (int i = 0; i < count; ++i)
        fleet.Add(QStringLiteral("S%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("h"),
                  4000 + i);
    const QString summary = DeleteAllSummary(fleet.Screens());
    QVERIFY(summary.endsWith(QStringLiteral("\r\n")));
    const QStringList rows = summary.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), lines);
    QCOMPARE(rows.first(), QStringLiteral("S00\t (h:4000)"));
    QCOMPARE(rows.last() == QStringLiteral("..."), ellipsis);
}

QTEST_GUILESS_MAIN(TestScreenListRules)
#include "tst_screenlistrules.moc"
