#include "schedule/ScheduleEntries.h"

#include <QTest>

Q_DECLARE_METATYPE(TVLScheduleRecord)

namespace {

TVLScheduleRecord Entry(const QString &file, qint64 startDay, qint32 startTime, qint64 endDay,
                        qint32 endTime, qint32 priority = 0)
{
    TVLScheduleRecord entry;
    entry.File = file;
    entry.StartDate = double(startDay) + 0.5;
    entry.StartTime = startTime;
    entry.EndDate = double(endDay) + 0.5;
    entry.EndTime = endTime;
    entry.Override = priority;
    UpdateStamps(entry);
    return entry;
}

// An entry spanning the given hours of 1 January 2024.
TVLScheduleRecord Hours(int fromHour, int toHour, qint32 priority = 0)
{
    return Entry(QStringLiteral("x"), 45292, fromHour * 3600, 45292, toHour * 3600, priority);
}

qint64 At(int hour)
{
    return 45292LL * 86400 + hour * 3600;
}

void CompareFields(const TVLScheduleRecord &actual, const TVLScheduleRecord &expected)
{
    QCOMPARE(actual.File, expected.File);
    QCOMPARE(WholeDays(actual.StartDate), WholeDays(expected.StartDate));
    QCOMPARE(actual.StartTime, expected.StartTime);
    QCOMPARE(actual.StartStamp, expected.StartStamp);
    QCOMPARE(WholeDays(actual.EndDate), WholeDays(expected.EndDate));
    QCOMPARE(actual.EndTime, expected.EndTime);
    QCOMPARE(actual.EndStamp, expected.EndStamp);
    QCOMPARE(actual.Override, expected.Override);
    QCOMPARE(actual.StartFuncType, expected.StartFuncType);
    QCOMPARE(actual.StartFuncIndex, expected.StartFuncIndex);
    QCOMPARE(actual.StartFuncValue, expected.StartFuncValue);
    QCOMPARE(actual.EndFuncType, expected.EndFuncType);
    QCOMPARE(actual.EndFuncIndex, expected.EndFuncIndex);
    QCOMPARE(actual.EndFuncValue, expected.EndFuncValue);
}

const QString Tail = QStringLiteral(",StartDate=45292,StartTime=32400,EndDate=45292,EndTime=36000");

} // namespace

class TestScheduleEntries : public QObject
{
    Q_OBJECT

private slots:
    void entryTextOfTheWorkedExample()
    {
        TVLScheduleRecord entry =
            Entry(QStringLiteral("Movies\\clip.mp4"), 45292, 32400, 45292, 36000, 3);
        entry.EndFuncType = 1;
        entry.EndFuncIndex = 20;
        entry.EndFuncValue = 50;
        QCOMPARE(
            ScheduleEntryText(entry),
            QStringLiteral("AddEntry(\"File=Movies\\clip.mp4\",StartDate=45292,StartTime=32400,"
                           "EndDate=45292,EndTime=36000,StartFuncType=0,StartFuncIndex=-1,"
                           "StartFuncValue=0,EndFuncType=1,EndFuncIndex=20,EndFuncValue=50,"
                           "Override=3)"));
        QCOMPARE(entry.StartStamp, 45292LL * 86400 + 32400);
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<TVLScheduleRecord>("entry");
        auto functions = [](TVLScheduleRecord e, qint32 st, qint32 si, qint32 sv, qint32 et,
                            qint32 ei, qint32 ev) {
            e.StartFuncType = st, e.StartFuncIndex = si, e.StartFuncValue = sv;
            e.EndFuncType = et, e.EndFuncIndex = ei, e.EndFuncValue = ev;
            return e;
        };
        QTest::newRow("plain") << Entry(QStringLiteral("a.mp4"), 45292, 0, 45293, 86399);
        QTest::newRow("empty content, functions only")
            << functions(Entry(QString(), 45000, 10, 45000, 20, 10), 0, 246, 0, 1, 34, -5);
        QTest::newRow("reserved characters in the path")
            << Entry(QStringLiteral("Zone (A), part=2; x&y <b> 'c' :d\\"), 45292, 1, 45292, 2);
        QTest::newRow("content ending in a parenthesis") << functions(
            Entry(QStringLiteral("Clips\\Intro ("), 45292, 1, 45292, 2, 4), 1, 20, 50, 0, 3, 0);
        QTest::newRow("web link") << Entry(QStringLiteral("https://example.org/a?b=1&c=2"), 45292,
                                           1, 45292, 2, 7);
        QTest::newRow("non-Latin path")
            << Entry(QStringLiteral("Видео/日本語 🎬.mkv"), 45292, 1, 45292, 2);
        QTest::newRow("day before day zero") << Entry(QStringLiteral("old"), -3, 5, -2, 6);
        QTest::newRow("last calendar day")
            << Entry(QStringLiteral("far"), 2958465, 0, 2958465, 86399);
    }
    void textRoundTrip()
    {
        QFETCH(TVLScheduleRecord, entry);
        TVLSchedule parsed;
        ParseScheduleEntries({ScheduleEntryText(entry)}, parsed);
        QCOMPARE(parsed.size(), 1);
        CompareFields(parsed.first(), entry);
    }

    void parseRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("startDay");
        QTest::addColumn<qint32>("priority");
        QTest::addColumn<qint32>("startFuncIndex");
        QTest::addColumn<qint32>("endFuncIndex");

        const QString file = QStringLiteral("AddEntry(\"File=a\"");
        QTest::newRow("mixed case kind word")
            << QStringLiteral("aDdEnTrY(\"File=a\"") + Tail + QLatin1Char(')') << true << 45292LL
            << 0 << -1 << -1;
        QTest::newRow("space before the kind word")
            << QStringLiteral(" AddEntry(\"File=a\"") + Tail + QLatin1Char(')') << false << 0LL << 0
            << -1 << -1;
        QTest::newRow("other kind word")
            << QStringLiteral("Entry(\"File=a\"") + Tail + QLatin1Char(')') << false << 0LL << 0
            << -1 << -1;
        QTest::newRow("unquoted comma cuts the argument")
            << QStringLiteral("AddEntry(StartDate=45292,5,StartTime=0,EndDate=45293,EndTime=0)")
            << true << 45292LL << 0 << -1 << -1;
        QTest::newRow("quoted decimal comma rounds up")
            << QStringLiteral("AddEntry(\"StartDate=45292,5\",StartTime=0,EndDate=45293,EndTime=0)")
            << true << 45293LL << 0 << -1 << -1;
        QTest::newRow("decimal point rounds up")
            << QStringLiteral("AddEntry(StartDate=45292.5,StartTime=0,EndDate=45293,EndTime=0)")
            << true << 45293LL << 0 << -1 << -1;
        QTest::newRow("below the half stays")
            << QStringLiteral("AddEntry(StartDate=45292.4,StartTime=0,EndDate=45293,EndTime=0)")
            << true << 45292LL << 0 << -1 << -1;
        QTest::newRow("empty date is day zero")
            << QStringLiteral("AddEntry(StartDate=,StartTime=0,EndDate=1,EndTime=0)") << true << 0LL
            << 0 << -1 << -1;
        QTest::newRow("keys in any order and case, spaces around numbers")
            << QStringLiteral("AddEntry(override= 4 ,ENDTIME=9,enddate=45292,StartTime=1,"
                              "startdate=45292,\"file=a\")")
            << true << 45292LL << 4 << -1 << -1;
        QTest::newRow("repeated key: the later wins")
            << file + Tail + QStringLiteral(",Override=2,Override=5)") << true << 45292LL << 5 << -1
            << -1;
        QTest::newRow("unknown keys ignored")
            << file + Tail + QStringLiteral(",Colour=red,Override=1)") << true << 45292LL << 1 << -1
            << -1;
        QTest::newRow("Standard index 247 is no function")
            << file + Tail + QStringLiteral(",StartFuncType=0,StartFuncIndex=247,EndFuncIndex=246)")
            << true << 45292LL << 0 << -1 << 246;
        QTest::newRow("Extended index 35 is no function, 34 stays")
            << file + Tail +
                   QStringLiteral(
                       ",StartFuncType=1,StartFuncIndex=35,EndFuncType=1,EndFuncIndex=34)")
            << true << 45292LL << 0 << -1 << 34;
        QTest::newRow("negative index is no function")
            << file + Tail + QStringLiteral(",StartFuncIndex=-7)") << true << 45292LL << 0 << -1
            << -1;
        QTest::newRow("unknown function type has no function")
            << file + Tail + QStringLiteral(",StartFuncType=2,StartFuncIndex=3)") << true << 45292LL
            << 0 << -1 << -1;
        QTest::newRow("priority not a number drops the entry")
            << file + Tail + QStringLiteral(",Override=high)") << false << 0LL << 0 << -1 << -1;
        QTest::newRow("empty time drops the entry")
            << QStringLiteral("AddEntry(StartDate=1,StartTime=,EndDate=1,EndTime=0)") << false
            << 0LL << 0 << -1 << -1;
        QTest::newRow("two decimal points drop the entry")
            << QStringLiteral("AddEntry(StartDate=1.2.3,StartTime=0,EndDate=1,EndTime=0)") << false
            << 0LL << 0 << -1 << -1;
        QTest::newRow("date not finite drops the entry")
            << QStringLiteral("AddEntry(StartDate=inf,StartTime=0,EndDate=1,EndTime=0)") << false
            << 0LL << 0 << -1 << -1;
        QTest::newRow("date beyond the calendar drops the entry")
            << QStringLiteral("AddEntry(StartDate=1e300,StartTime=0,EndDate=1,EndTime=0)") << false
            << 0LL << 0 << -1 << -1;
        QTest::newRow("missing start date drops the entry")
            << QStringLiteral("AddEntry(StartTime=0,EndDate=1,EndTime=0)") << false << 0LL << 0
            << -1 << -1;
        QTest::newRow("missing end time drops the entry")
            << QStringLiteral("AddEntry(StartDate=1,StartTime=0,EndDate=1)") << false << 0LL << 0
            << -1 << -1;
        QTest::newRow("no parentheses")
            << QStringLiteral("AddEntry") << false << 0LL << 0 << -1 << -1;
    }
    void parseRules()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        TVLSchedule schedule;
        ParseScheduleEntries({text}, schedule);
        QCOMPARE(schedule.size(), accepted ? 1 : 0);
        if (!accepted)
            return;
        const TVLScheduleRecord &entry = schedule.first();
        QTEST(WholeDays(entry.StartDate), "startDay");
        QTEST(entry.Override, "priority");
        QTEST(entry.StartFuncIndex, "startFuncIndex");
        QTEST(entry.EndFuncIndex, "endFuncIndex");
        QCOMPARE(entry.StartStamp, WholeDays(entry.StartDate) * 86400 + entry.StartTime);
        QCOMPARE(entry.EndStamp, WholeDays(entry.EndDate) * 86400 + entry.EndTime);
    }

    void badItemsLeaveTheOthers()
    {
        TVLSchedule schedule{Hours(1, 2)};
        ParseScheduleEntries(
            {ScheduleEntryText(Hours(3, 4, 1)), QStringLiteral("-1"),
             QStringLiteral("AddEntry(\"File=a\"") + Tail + QStringLiteral(",Override=x)"),
             QString(), ScheduleEntryText(Hours(5, 6, 2))},
            schedule);
        QCOMPARE(schedule.size(), 3);
        QCOMPARE(schedule.at(1).Override, 1);
        QCOMPARE(schedule.at(2).Override, 2);
    }

    void copyReplacesTheTarget()
    {
        TVLSchedule source{Hours(1, 2, 1), Hours(3, 4, 2)};
        TVLSchedule target{Hours(7, 8, 9)};
        CopySchedule(source, target);
        QCOMPARE(target.size(), 2);
        CompareFields(target.at(1), source.at(1));
        target[0].File = QStringLiteral("changed");
        QCOMPARE(source.at(0).File, QStringLiteral("x"));
    }

    void ordering_data()
    {
        QTest::addColumn<TVLScheduleRecord>("a");
        QTest::addColumn<TVLScheduleRecord>("b");
        QTest::addColumn<int>("sign");
        const auto at9 = [](const QString &file, qint32 priority) {
            return Entry(file, 45292, 32400, 45292, 36000, priority);
        };
        QTest::newRow("earlier start first") << Hours(1, 5, 9) << Hours(2, 3, 0) << -1;
        QTest::newRow("equal start: lower priority first")
            << at9(QStringLiteral("z"), 1) << at9(QStringLiteral("a"), 2) << -1;
        QTest::newRow("digits by value")
            << at9(QStringLiteral("clip2"), 0) << at9(QStringLiteral("clip10"), 0) << -1;
        QTest::newRow("case ignored")
            << at9(QStringLiteral("Clip1"), 0) << at9(QStringLiteral("clip1"), 0) << 0;
        QTest::newRow("starts a century apart")
            << Entry(QStringLiteral("a"), 0, 0, 0, 1)
            << Entry(QStringLiteral("b"), 45292, 0, 45292, 1) << -1;
        QTest::newRow("starts a century apart, reversed")
            << Entry(QStringLiteral("b"), 45292, 0, 45292, 1)
            << Entry(QStringLiteral("a"), 0, 0, 0, 1) << 1;
        QTest::newRow("extreme priorities")
            << at9(QStringLiteral("a"), std::numeric_limits<qint32>::min())
            << at9(QStringLiteral("a"), std::numeric_limits<qint32>::max()) << -1;
    }
    void ordering()
    {
        QFETCH(TVLScheduleRecord, a);
        QFETCH(TVLScheduleRecord, b);
        QFETCH(int, sign);
        const auto signOf = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
        QCOMPARE(signOf(CompareScheduleEntries(a, b)), sign);
        QCOMPARE(signOf(CompareScheduleEntries(b, a)), -sign);
    }

    void sortingIsAConsistentOrder()
    {
        TVLSchedule schedule;
        for (int i = 0; i < 40; ++i) {
            // Days spread over two centuries, so some starts lie far apart.
            schedule.append(Entry(QStringLiteral("clip%1").arg(i % 7), (i * 7919) % 73000, 60 * i,
                                  80000, 0, i % 3));
        }
        SortSchedule(schedule);
        for (int i = 1; i < schedule.size(); ++i)
            QVERIFY(CompareScheduleEntries(schedule.at(i - 1), schedule.at(i)) <= 0);
    }

    void conflicts_data()
    {
        QTest::addColumn<int>("spanFrom");
        QTest::addColumn<int>("spanTo");
        QTest::addColumn<int>("entryFrom");
        QTest::addColumn<int>("entryTo");
        QTest::addColumn<bool>("conflicts");
        QTest::newRow("ends where the entry starts") << 10 << 11 << 11 << 12 << true;
        QTest::newRow("starts where the entry ends") << 10 << 11 << 9 << 10 << false;
        QTest::newRow("covers an entry ending earlier") << 9 << 12 << 10 << 11 << true;
        QTest::newRow("covers an entry ending together") << 9 << 12 << 10 << 12 << true;
        QTest::newRow("same span") << 10 << 12 << 10 << 12 << true;
        QTest::newRow("inside the entry") << 10 << 11 << 9 << 12 << true;
        QTest::newRow("entirely before") << 7 << 8 << 10 << 12 << false;
        QTest::newRow("entirely after") << 13 << 14 << 10 << 12 << false;
    }
    void conflicts()
    {
        QFETCH(int, spanFrom);
        QFETCH(int, spanTo);
        QFETCH(int, entryFrom);
        QFETCH(int, entryTo);
        QFETCH(bool, conflicts);
        const TVLSchedule schedule{Hours(entryFrom, entryTo, 4)};
        QCOMPARE(HighestConflictingPriority(schedule, -1, At(spanFrom), At(spanTo)),
                 conflicts ? 4 : -1);
    }

    void highestConflictSkipsTheEditedEntry()
    {
        const TVLSchedule schedule{Hours(9, 11, 8), Hours(10, 12, 3), Hours(11, 13, 5),
                                   Hours(14, 15, 9)};
        QCOMPARE(HighestConflictingPriority(schedule, -1, At(10), At(12)), 8);
        QCOMPARE(HighestConflictingPriority(schedule, 0, At(10), At(12)), 5);
        QCOMPARE(HighestConflictingPriority(schedule, 2, At(11), At(12)), 3);
        QCOMPARE(HighestConflictingPriority(TVLSchedule(), -1, At(0), At(23)), -1);
    }

    void priorityRaise_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("raised");
        QTest::newRow("no conflict") << 3 << -1 << int(TPriorityOutcome::UseChosen) << 3;
        QTest::newRow("conflict below") << 3 << 2 << int(TPriorityOutcome::UseChosen) << 3;
        QTest::newRow("conflict equal") << 3 << 3 << int(TPriorityOutcome::AskToRaise) << 4;
        QTest::newRow("conflict above") << 0 << 9 << int(TPriorityOutcome::AskToRaise) << 10;
        QTest::newRow("conflict at the top")
            << 10 << 10 << int(TPriorityOutcome::CannotPlace) << 10;
        QTest::newRow("stored priority beyond the top")
            << 5 << 12 << int(TPriorityOutcome::CannotPlace) << 5;
    }
    void priorityRaise()
    {
        QFETCH(int, chosen);
        QFETCH(int, highest);
        const TPriorityDecision decision = DecidePriority(chosen, highest);
        QTEST(int(decision.Outcome), "outcome");
        QCOMPARE(decision.ChosenPriority, chosen);
        QTEST(decision.RaisedPriority, "raised");
    }

    void phases_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("phase");
        QTest::addColumn<bool>("outdated");
        const qint64 start = At(10), end = At(11);
        QTest::newRow("before the start") << start - 1 << int(TEntryPhase::Upcoming) << false;
        QTest::newRow("at the start") << start << int(TEntryPhase::Active) << false;
        QTest::newRow("last second") << end - 1 << int(TEntryPhase::Active) << false;
        QTest::newRow("at the end") << end << int(TEntryPhase::Active) << false;
        QTest::newRow("after the end") << end + 1 << int(TEntryPhase::Outdated) << true;
    }
    void phases()
    {
        QFETCH(qint64, now);
        const TVLScheduleRecord entry = Hours(10, 11);
        QTEST(int(ClassifyEntry(entry, now)), "phase");
        QTEST(IsOutdated(entry, now), "outdated");
    }

    void momentAndDateSerials()
    {
        QCOMPARE(MomentOf(QDateTime(QDate(2024, 1, 1), QTime(9, 0, 1, 999))),
                 45292LL * 86400 + 32401);
        QCOMPARE(DateSerialAtNoon(QDate(2024, 1, 1)), 45292.5);
        QCOMPARE(DateOfSerial(45292.9), QDate(2024, 1, 1));
        QCOMPARE(DateOfSerial(0.5), QDate(1899, 12, 30));
    }
};

QTEST_GUILESS_MAIN(TestScheduleEntries)
#include "tst_scheduleentries.moc"
