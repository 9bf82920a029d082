#include "link/TVLScreenClass.h"
#include "schedule/ScheduleEntries.h"
#include "store/RecordText.h"
#include "store/ScreenRecord.h"

#include <QLocale>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<TVLScreenClass> Parsed(const QString &record)
{
    auto screen = std::make_unique<TVLScreenClass>();
    ParseScreen(record.toUtf8(), *screen);
    return screen;
}

std::unique_ptr<TVLScreenClass> RoundTrip(const TVLScreenClass &screen)
{
    return Parsed(SerializeScreen(screen));
}

TVLScheduleRecord Entry(const QString &file, qint32 priority)
{
    TVLScheduleRecord entry;
    entry.File = file;
    entry.StartDate = 45292.5;
    entry.StartTime = 32400;
    entry.EndDate = 45293.5;
    entry.EndTime = 600;
    entry.Override = priority;
    entry.EndFuncType = 1;
    entry.EndFuncIndex = 20;
    entry.EndFuncValue = 50;
    UpdateStamps(entry);
    return entry;
}

// A screen with every stored field away from its default.
void FillEveryField(TVLScreenClass &screen)
{
    screen.Name = QStringLiteral("Lobby (east), \"main\" & more: 1; <2> 'x' &colon");
    screen.Address = QStringLiteral("lobby-pc.example.org");
    screen.Port = 5000;
    screen.Playlist = {{QStringLiteral("Movies\\a, b (1).mp4"), false},
                       {QStringLiteral("https://x.org/?a=1&b=2"), false},
                       {QStringLiteral("Фильм 🎬.mkv"), false}};
    screen.Monitor = 2;
    screen.Layout = 1;
    screen.PlaylistMode = 13;
    screen.ScreenMode = 2;
    screen.SchedulePause = false;
    screen.ScheduleHideScreen = true;
    screen.HideMouseCursor = false;
    screen.VideoRenderer = 3;
    screen.SlideshowDelay = -4;
    screen.DisableOSD = false;
    screen.DisableParts = false;
    screen.CustomXOfs = -1920;
    screen.CustomYOfs = -5;
    screen.CustomWidth = 3840;
    screen.CustomHeight = 2160;
    screen.Schedule = {Entry(QStringLiteral("Zone (A), part=2\\"), 3),
                       Entry(QStringLiteral("x&amp;y"), 10)};
    screen.SchedulerState = 2;
    screen.SysTimeDiff = -1.0 / 86400.0;
    screen.SysTimeSynched = true;
    screen.Tags = {QStringLiteral("Zone 4"), QString(), QStringLiteral("a,b(c)\"d\"")};
    screen.SetPassword(QStringLiteral("p@ss, \"word\" (&amp) ü"));
    screen.MonitorList = {{0, 0, 1920, 1080}, {-1280, -200, 1280, 1024}};
    screen.AudioDevice = QStringLiteral("Speakers (Realtek, HD)");
    screen.AudioDevices = {QStringLiteral("Speakers (Realtek, HD)"), QStringLiteral("HDMI: 2")};
}

void CompareConfiguration(const TVLScreenClass &a, const TVLScreenClass &b)
{
    QCOMPARE(a.Name, b.Name);
    QCOMPARE(a.Address, b.Address);
    QCOMPARE(a.Port, b.Port);
    QCOMPARE(a.Playlist.size(), b.Playlist.size());
    for (int i = 0; i < a.Playlist.size(); ++i)
        QCOMPARE(a.Playlist.at(i).Text, b.Playlist.at(i).Text);
    QCOMPARE(a.Monitor, b.Monitor);
    QCOMPARE(a.Layout, b.Layout);
    QCOMPARE(a.PlaylistMode, b.PlaylistMode);
    QCOMPARE(a.ScreenMode, b.ScreenMode);
    QCOMPARE(a.SchedulePause, b.SchedulePause);
    QCOMPARE(a.ScheduleHideScreen, b.ScheduleHideScreen);
    QCOMPARE(a.HideMouseCursor, b.HideMouseCursor);
    QCOMPARE(a.VideoRenderer, b.VideoRenderer);
    QCOMPARE(a.SlideshowDelay, b.SlideshowDelay);
    QCOMPARE(a.DisableOSD, b.DisableOSD);
    QCOMPARE(a.DisableParts, b.DisableParts);
    QCOMPARE(a.CustomXOfs, b.CustomXOfs);
    QCOMPARE(a.CustomYOfs, b.CustomYOfs);
    QCOMPARE(a.CustomWidth, b.CustomWidth);
    QCOMPARE(a.CustomHeight, b.CustomHeight);
    QCOMPARE(ScheduleEntryTexts(a.Schedule), ScheduleEntryTexts(b.Schedule));
    QCOMPARE(a.SchedulerState, b.SchedulerState);
    QCOMPARE(GeneralNumberText(a.SysTimeDiff), GeneralNumberText(b.SysTimeDiff));
    QCOMPARE(a.SysTimeSynched, b.SysTimeSynched);
    QCOMPARE(a.Tags, b.Tags);
    QCOMPARE(a.Password(), b.Password());
    QCOMPARE(a.MonitorList, b.MonitorList);
    QCOMPARE(a.AudioDevice, b.AudioDevice);
    QCOMPARE(a.AudioDevices, b.AudioDevices);
}

} // namespace

class TestScreenRecord : public QObject
{
    Q_OBJECT

private slots:
    void newScreenIsWrittenExactly()
    {
        TVLScreenClass screen;
        screen.Name = QStringLiteral("Hall");
        screen.Address = QStringLiteral("10.0.0.7");
        QCOMPARE(
            SerializeScreen(screen).toUtf8(),
            QByteArray("Screen(\"Name=Hall\",\"Address=10.0.0.7\",Port=4769,\"Playlist=\","
                       "Monitor=0,Layout=0,PlaylistMode=2,ScreenMode=0,SchedulePause=1,"
                       "ScheduleHideScreen=0,HideMouseCursor=1,VideoRenderer=7,SlideshowDelay=0,"
                       "DisableOSD=1,DisableParts=1,CustomXOfs=0,CustomYOfs=0,CustomWidth=1280,"
                       "CustomHeight=720,Schedule=,SchedulerState=0,SysTimeDiff=0,"
                       "SysTimeSynched=0,\"Tags=\",\"Password=\")"));
    }

    void everyFieldSurvivesARoundTrip()
    {
        TVLScreenClass screen;
        FillEveryField(screen);
        const auto back = RoundTrip(screen);
        CompareConfiguration(*back, screen);
        // Writing what was read gives the same text again.
        QCOMPARE(SerializeScreen(*back), SerializeScreen(screen));
    }

    void valuesThatCannotBeCarriedSpoilNoOtherField_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("storedAddress");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("storedTags");
        QTest::newRow("double quote in the address")
            << QStringLiteral("10.0.\"0.7") << QStringLiteral("10.0.0.7") << QStringList()
            << QStringList();
        QTest::newRow("address ending in a parenthesis")
            << QStringLiteral("host((") << QStringLiteral("host") << QStringList() << QStringList();
        QTest::newRow("quote, comma and parenthesis in the address")
            << QStringLiteral("a\",Port=1,(\"") << QStringLiteral("a,Port=1,") << QStringList()
            << QStringList();
        QTest::newRow("bar in a TAG")
            << QStringLiteral("10.0.0.7") << QStringLiteral("10.0.0.7")
            << QStringList{QStringLiteral("a|b"), QStringLiteral("c")}
            << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    }
    void valuesThatCannotBeCarriedSpoilNoOtherField()
    {
        QFETCH(QString, address);
        QFETCH(QStringList, tags);
        TVLScreenClass screen;
        FillEveryField(screen);
        screen.Address = address;
        screen.Tags = tags;
        const auto back = RoundTrip(screen);
        QTEST(back->Address, "storedAddress");
        QTEST(back->Tags, "storedTags");
        screen.Address = back->Address;
        screen.Tags = back->Tags;
        CompareConfiguration(*back, screen);
    }

    void handWrittenRecords_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unreadable hide flag falls back to 1")
            << QStringLiteral("Screen(ScheduleHideScreen=x)") << "ScheduleHideScreen"
            << "1";
        QTest::newRow("absent hide flag stays 0")
            << QStringLiteral("Screen(Port=1)") << "ScheduleHideScreen"
            << "0";
        QTest::newRow("empty width falls back to 1920")
            << QStringLiteral("Screen(CustomWidth=)") << "CustomWidth"
            << "1920";
        QTest::newRow("absent width stays 1280")
            << QStringLiteral("Screen(Port=1)") << "CustomWidth"
            << "1280";
        QTest::newRow("unreadable height falls back to 1080")
            << QStringLiteral("Screen(CustomHeight=tall)") << "CustomHeight"
            << "1080";
        QTest::newRow("unreadable port falls back to 4769")
            << QStringLiteral("Screen(Port=http)") << "Port"
            << "4769";
        QTest::newRow("Boolean keeps the lowest byte: 256")
            << QStringLiteral("Screen(DisableOSD=256)") << "DisableOSD"
            << "0";
        QTest::newRow("Boolean keeps the lowest byte: 257")
            << QStringLiteral("Screen(SysTimeSynched=257)") << "SysTimeSynched"
            << "1";
        QTest::newRow("spaces around keys and numbers")
            << QStringLiteral("Screen(\" Port = 5000 \")") << "Port"
            << "5000";
        QTest::newRow("upper-case key") << QStringLiteral("Screen(PORT=7)") << "Port"
                                        << "7";
        QTest::newRow("later key wins") << QStringLiteral("Screen(Port=7,Port=8)") << "Port"
                                        << "8";
        QTest::newRow("escaped TAG list")
            << QStringLiteral("Screen(\"Tags=Zone 4|Section 20\")") << "Tags"
            << "Zone 4/Section 20";
        QTest::newRow("repeated TAG key appends")
            << QStringLiteral("Screen(\"Tags=a\",\"Tags=b|\")") << "Tags"
            << "a/b";
        QTest::newRow("name with comma and parenthesis")
            << QStringLiteral("Screen(\"Name=Hall &oprtA&cprt&comma 2\")") << "Name"
            << "Hall (A), 2";
        QTest::newRow("literal entity word in a name")
            << QStringLiteral("Screen(\"Name=Tours&ampcolonial\")") << "Name"
            << "Tours&colonial";
        QTest::newRow("address kept unescaped")
            << QStringLiteral("Screen(\"Address=a&comma b\")") << "Address"
            << "a&comma b";
        QTest::newRow("clock difference in exponent form")
            << QStringLiteral("Screen(SysTimeDiff=1.15740740740741E-5)") << "SysTimeDiff"
            << "1.15740740740741E-5";
        QTest::newRow("unreadable clock difference")
            << QStringLiteral("Screen(SysTimeDiff=half)") << "SysTimeDiff"
            << "0";
        QTest::newRow("no parentheses") << QStringLiteral("Screen Port=1") << "Port"
                                        << "4769";
        QTest::newRow("empty record") << QString() << "Name"
                                      << "";
        QTest::newRow("monitor list not unescaped")
            << QStringLiteral("Screen(\"MonitorList=0,0,800,600|1,1,2,2\")") << "MonitorList"
            << "0,0,800,600|1,1,2,2";
        QTest::newRow("schedule read after the record")
            << QStringLiteral("Screen(Schedule=AddEntry&oprtStartDate=1&commaStartTime=2&comma"
                              "EndDate=3&commaEndTime=4&cprt|junk,Port=9)")
            << "Schedule"
            << "1/2/3/4";
    }
    void handWrittenRecords()
    {
        QFETCH(QString, record);
        QFETCH(QString, field);
        const auto screen = Parsed(record);
        QString actual;
        if (field == QLatin1String("ScheduleHideScreen"))
            actual = QString::number(screen->ScheduleHideScreen);
        else if (field == QLatin1String("CustomWidth"))
            actual = QString::number(screen->CustomWidth);
        else if (field == QLatin1String("CustomHeight"))
            actual = QString::number(screen->CustomHeight);
        else if (field == QLatin1String("Port"))
            actual = QString::number(screen->Port);
        else if (field == QLatin1String("DisableOSD"))
            actual = QString::number(screen->DisableOSD);
        else if (field == QLatin1String("SysTimeSynched"))
            actual = QString::number(screen->SysTimeSynched);
        else if (field == QLatin1String("Tags"))
            actual = screen->Tags.join(QLatin1Char('/'));
        else if (field == QLatin1String("Name"))
            actual = screen->Name;
        else if (field == QLatin1String("Address"))
            actual = screen->Address;
        else if (field == QLatin1String("SysTimeDiff"))
            actual = GeneralNumberText(screen->SysTimeDiff);
        else if (field == QLatin1String("MonitorList"))
            actual = MonitorListText(screen->MonitorList);
        else if (field == QLatin1String("Schedule") && screen->Schedule.size() == 1) {
            const TVLScheduleRecord &e = screen->Schedule.first();
            actual = QStringLiteral("%1/%2/%3/%4")
                         .arg(WholeDays(e.StartDate))
                         .arg(e.StartTime)
                         .arg(WholeDays(e.EndDate))
                         .arg(e.EndTime);
        }
        QTEST(actual, "expected");
    }

    void passwordReadReKeysTheCipher()
    {
        const auto screen = Parsed(QStringLiteral("Screen(\"Password=se&commacret\")"));
        QCOMPARE(screen->Password(), QStringLiteral("se,cret"));
        QVERIFY(screen->Cipher().IsKeyed());
    }

    void generalNumberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("one second") << 1.0 / 86400.0 << "1.15740740740741E-5";
        QTest::newRow("minus one second") << -1.0 / 86400.0 << "-1.15740740740741E-5";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("smallest fixed") << 0.0001 << "0.0001";
        QTest::newRow("just below") << 0.00009 << "9E-5";
        QTest::newRow("whole") << 42.0 << "42";
        QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("sixteen digits") << 1e15 << "1E15";
        QTest::newRow("large") << -1.5e20 << "-1.5E20";
        QTest::newRow("rounded to fifteen digits") << 2.0 / 3.0 << "0.666666666666667";
        QTest::newRow("not finite") << std::numeric_limits<double>::infinity() << "0";
    }
    void generalNumberText()
    {
        QFETCH(double, value);
        QTEST(GeneralNumberText(value), "text");
    }

    void numbersIgnoreTheLocale()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TVLScreenClass screen;
        screen.SysTimeDiff = 0.25;
        const QString record = SerializeScreen(screen);
        const auto back = Parsed(record);
        QLocale::setDefault(previous);
        QVERIFY(record.contains(QLatin1String(",SysTimeDiff=0.25,")));
        QCOMPARE(back->SysTimeDiff, 0.25);
    }

    void monitorLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("bad pieces left out")
            << QStringLiteral("10,10,0,600|0,0,800,600|a,b,c,d|1,2,3") << "0,0,800,600";
        QTest::newRow("negative origin kept") << QStringLiteral("0,0,1920,1080|-1920,-10,1920,1080")
                                              << "0,0,1920,1080|-1920,-10,1920,1080";
        QTest::newRow("negative height and five parts")
            << QStringLiteral("0,0,1,-1|0,0,1,1,1|") << "";
        QTest::newRow("empty") << QString() << "";
    }
    void monitorLists()
    {
        QFETCH(QString, text);
        MonitorRectList list{{1, 1, 1, 1}};
        ParseMonitorList(text, list);
        QTEST(MonitorListText(list), "kept");
    }

    void duplicateCopiesConfigurationButNotReports()
    {
        TVLScreenClass source;
        FillEveryField(source);
        TVLScreenClass target;
        CopyScreenConfiguration(source, target);
        QCOMPARE(target.Password(), source.Password());
        QVERIFY(target.Cipher().IsKeyed());
        QCOMPARE(ScheduleEntryTexts(target.Schedule), ScheduleEntryTexts(source.Schedule));
        QCOMPARE(target.Tags, source.Tags);
        QCOMPARE(target.CustomXOfs, source.CustomXOfs);
        QCOMPARE(target.ScheduleHideScreen, source.ScheduleHideScreen);
        QCOMPARE(target.VideoRenderer, 7);
        QCOMPARE(target.SchedulerState, 0);
        QVERIFY(target.MonitorList.isEmpty());
        QVERIFY(target.AudioDevice.isEmpty());
        QVERIFY(target.AudioDevices.isEmpty());
        target.Schedule[0].Override = 0;
        QCOMPARE(source.Schedule.at(0).Override, 3);
    }

    void screensSortNaturally()
    {
        const auto named = [](const QString &name) {
            auto screen = std::make_unique<TVLScreenClass>();
            screen->Name = name;
            screen->Address = QStringLiteral("10.0.0.7");
            return screen;
        };
        QVERIFY(CompareScreens(*named(QStringLiteral("Screen 2")),
                               *named(QStringLiteral("Screen 10"))) < 0);
        QVERIFY(CompareScreens(*named(QStringLiteral("Screen 1")),
                               *named(QStringLiteral("Screen 2"))) < 0);
        QVERIFY(CompareScreens(*named(QStringLiteral("lobby")), *named(QStringLiteral("Lobby"))) ==
                0);
        auto a = named(QStringLiteral("Hall"));
        auto b = named(QStringLiteral("Hall"));
        b->Port = 80; // "Hall10.0.0.780" before "Hall10.0.0.74769"
        QVERIFY(CompareScreens(*b, *a) < 0);
    }
};

QTEST_GUILESS_MAIN(TestScreenRecord)
#include "tst_screenrecord.moc"
