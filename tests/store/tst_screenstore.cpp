#include "TemporaryProfile.h"
#include "link/TVLScreenClass.h"
#include "schedule/ScheduleEntries.h"
#include "store/ScreenRecord.h"
#include "store/StoreSettings.h"
#include "store/TConsoleSettings.h"
#include "store/TScreenStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include <memory>
#include <sys/stat.h>

namespace {

TVLScreenClass *NewScreen(const QString &name)
{
    auto *screen = new TVLScreenClass;
    screen->Name = name;
    screen->Address = QStringLiteral("10.0.0.7");
    return screen;
}

struct TFileStamp
{
    quint64 Inode = 0;
    qint64 ModifiedNs = 0;
    unsigned Mode = 0;
};

TFileStamp StampOf(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {quint64(info.st_ino), qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            unsigned(info.st_mode & 07777)};
}

} // namespace

class TestScreenStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTemporaryProfile> FProfile;

    QString StorePath() const { return FProfile->filePath(QStringLiteral("OrvaneDesk.ini")); }
    // Copies of a store that could not be read, kept beside it.
    QStringList UnreadCopies() const
    {
        return QDir(FProfile->path()).entryList({QStringLiteral("OrvaneDesk.unreadable-*.ini")});
    }
    // An independent reader and writer of the same store.
    std::unique_ptr<QSettings> Raw() const
    {
        return std::make_unique<QSettings>(StorePath(), QSettings::IniFormat);
    }

private slots:
    void init()
    {
        FProfile = std::make_unique<TTemporaryProfile>();
        QVERIFY(FProfile->isValid());
    }

    void cleanup() { FProfile.reset(); }

    void profileDirectoryHoldsTheStore()
    {
        QCOMPARE(QFileInfo(OpenStoreSettings()->fileName()), QFileInfo(StorePath()));
    }

    void thousandsOfScreensComeBackInNaturalOrder()
    {
        const int count = 3000;
        TScreenStore store;
        for (int i = count; i >= 1; --i) {
            TVLScreenClass *screen = NewScreen(QStringLiteral("Screen %1").arg(i));
            screen->Tags = {QStringLiteral("Zone %1").arg(i % 7), QStringLiteral("a,b(\"c\")")};
            screen->Playlist = {{QStringLiteral("Movies\\%1, (cut).mp4").arg(i), false}};
            screen->SetPassword(QStringLiteral("pw \"%1\" &amp; ,()").arg(i));
            TVLScheduleRecord entry;
            entry.File = QStringLiteral("clip %1 & (b)").arg(i);
            entry.StartDate = entry.EndDate = 45292.5;
            entry.EndTime = i;
            entry.Override = i % 11;
            UpdateStamps(entry);
            screen->Schedule = {entry};
            store.Append(screen);
        }
        QVERIFY(store.SaveStore());

        TScreenStore loaded;
        loaded.LoadStore();
        QCOMPARE(loaded.Count(), count);
        for (int i = 0; i < count; ++i) {
            const TVLScreenClass &screen = *loaded.At(i);
            const int n = i + 1;
            QCOMPARE(screen.Name, QStringLiteral("Screen %1").arg(n));
            QCOMPARE(screen.Password(), QStringLiteral("pw \"%1\" &amp; ,()").arg(n));
            QCOMPARE(screen.Tags.value(1), QStringLiteral("a,b(\"c\")"));
            QCOMPARE(screen.Playlist.value(0).Text, QStringLiteral("Movies\\%1, (cut).mp4").arg(n));
            QCOMPARE(screen.Schedule.size(), 1);
            QCOMPARE(screen.Schedule.first().File, QStringLiteral("clip %1 & (b)").arg(n));
            QCOMPARE(screen.Schedule.first().EndTime, n);
        }
    }

    void reservedCharactersAtEveryDistanceSurviveTheStore()
    {
        // Values of every length up to well past the point where the reader stops
        // comparing a few characters at a time and searches ahead instead.
        const int longest = 150;
        const auto text = [](int length, char16_t fill, const QString &tail) -> QString {
            return QString(length, QChar(fill)) + tail;
        };
        TScreenStore store;
        for (int n = 0; n <= longest; ++n) {
            auto *screen = new TVLScreenClass;
            screen->Port = 1000 + n;
            screen->Name = text(n, u'n', QStringLiteral("\"(a,b)\""));
            screen->Address = text(n, u'1', QStringLiteral(".2"));
            screen->Tags = {text(n, u't', QStringLiteral("&amp;&colon")), QStringLiteral(",")};
            screen->Playlist = {{text(n, u'p', QStringLiteral("<x>;'y'")), false}};
            TVLScheduleRecord entry;
            entry.File = text(n, u'f', QStringLiteral("(1),2"));
            entry.StartDate = entry.EndDate = 45292.5;
            entry.EndTime = n;
            UpdateStamps(entry);
            screen->Schedule = {entry, entry};
            store.Append(screen);
        }
        QVERIFY(store.SaveStore());

        TScreenStore loaded;
        loaded.LoadStore();
        QCOMPARE(loaded.Count(), longest + 1);
        for (const TVLScreenClass *screen : loaded.Screens()) {
            const int n = screen->Port - 1000;
            QCOMPARE(screen->Name, text(n, u'n', QStringLiteral("\"(a,b)\"")));
            QCOMPARE(screen->Address, text(n, u'1', QStringLiteral(".2")));
            QCOMPARE(screen->Tags, QStringList({text(n, u't', QStringLiteral("&amp;&colon")),
                                                QStringLiteral(",")}));
            QCOMPARE(screen->Playlist.size(), 1);
            QCOMPARE(screen->Playlist.first().Text, text(n, u'p', QStringLiteral("<x>;'y'")));
            QCOMPARE(screen->Schedule.size(), 2);
            QCOMPARE(screen->Schedule.last().File, text(n, u'f', QStringLiteral("(1),2")));
            QCOMPARE(screen->Schedule.last().EndTime, n);
        }
    }

    void valuesAboveTheCountStayAndAreNotRead()
    {
        TScreenStore store;
        for (int i = 1; i <= 5; ++i)
            store.Append(NewScreen(QStringLiteral("S%1").arg(i)));
        QVERIFY(store.SaveStore());
        const QByteArray oldFourth = Raw()->value(QStringLiteral("Screen00003")).toByteArray();
        store.Remove(store.At(0));
        store.Remove(store.At(3));
        QVERIFY(store.SaveStore());

        const auto raw = Raw();
        QCOMPARE(raw->value(QStringLiteral("ScreenCount")).toInt(), 3);
        QVERIFY(raw->value(QStringLiteral("Screen00002")).toByteArray().contains("Name=S4"));
        QCOMPARE(raw->value(QStringLiteral("Screen00003")).toByteArray(), oldFourth);
        QVERIFY(raw->contains(QStringLiteral("Screen00004")));

        TScreenStore loaded;
        loaded.LoadStore();
        QCOMPARE(loaded.Count(), 3);
        QCOMPARE(loaded.At(2)->Name, QStringLiteral("S4"));
    }

    void handWrittenStoreSkipsMissingAndOversizedValues()
    {
        QByteArray exactlyAtLimit = "Screen(\"Name=Big\",Pad=";
        exactlyAtLimit += QByteArray(1048576 - exactlyAtLimit.size() - 1, 'x') + ')';
        {
            const auto raw = Raw();
            raw->setValue(QStringLiteral("ScreenCount"), 6);
            raw->setValue(QStringLiteral("Screen00000"), QByteArray("Screen(\"Name=First\")"));
            raw->setValue(QStringLiteral("Screen00002"), QByteArray(1048577, 'y'));
            raw->setValue(QStringLiteral("Screen00003"), QByteArray("not a record"));
            raw->setValue(QStringLiteral("Screen00005"), exactlyAtLimit);
            raw->setValue(QStringLiteral("Screen00006"), QByteArray("Screen(\"Name=Stale\")"));
            raw->setValue(QStringLiteral("Screen7"), QByteArray("Screen(\"Name=Misnamed\")"));
        }
        TScreenStore store;
        store.LoadStore();
        QStringList names;
        for (const TVLScreenClass *screen : store.Screens())
            names << screen->Name;
        QCOMPARE(names, (QStringList{QString(), QStringLiteral("Big"), QStringLiteral("First")}));
        QCOMPARE(store.At(0)->Port, 4769);

        // Saving renumbers the loaded screens; the one too large to load must
        // not be overwritten by them.
        QVERIFY(store.SaveStore());
        const auto raw = Raw();
        QCOMPARE(raw->value(QStringLiteral("ScreenCount")).toInt(), 4);
        QCOMPARE(raw->value(QStringLiteral("Screen00003")).toByteArray(), QByteArray(1048577, 'y'));
        TScreenStore reloaded;
        reloaded.LoadStore();
        QCOMPARE(reloaded.Count(), 3);
    }

    void valuesWrittenByHandWithoutQuotesLoad()
    {
        // As a person writes the INI file: no quotes around the values, so the INI
        // reader cuts them at their commas. Non-ASCII bytes of a byte array are
        // written as \x escapes.
        QFile file(StorePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\n"
                   "ScreenCount=3\n"
                   "Screen00000=@ByteArray(Screen(\\\"Name=Caf\\xc3\\xa9 &oprt1&cprt\\\","
                   "\\\"Address=10.0.0.7\\\",Port=5000,\\\"Tags=Zone 4|Section 20\\\"))\n"
                   "Screen00001=\"@ByteArray(Screen(\\\"Name=Quoted\\\",Port=5001))\"\n"
                   "Screen00002=Screen(\\\"Name=Plain\\\",Port=5002)\n");
        file.close();

        TScreenStore store;
        store.LoadStore();
        QCOMPARE(store.Count(), 3);
        QCOMPARE(store.At(0)->Name, QString::fromUtf8("Caf\xc3\xa9 (1)"));
        QCOMPARE(store.At(0)->Address, QStringLiteral("10.0.0.7"));
        QCOMPARE(store.At(0)->Port, 5000);
        QCOMPARE(store.At(0)->Tags,
                 (QStringList{QStringLiteral("Zone 4"), QStringLiteral("Section 20")}));
        QCOMPARE(store.At(1)->Name, QStringLiteral("Plain"));
        QCOMPARE(store.At(1)->Port, 5002);
        QCOMPARE(store.At(2)->Name, QStringLiteral("Quoted"));
        QCOMPARE(store.At(2)->Port, 5001);
    }

    void absurdCountDoesNotStallTheStart()
    {
        {
            const auto raw = Raw();
            raw->setValue(QStringLiteral("ScreenCount"), std::numeric_limits<qint32>::max());
            raw->setValue(QStringLiteral("Screen00001"), QByteArray("Screen(\"Name=B\")"));
            raw->setValue(QStringLiteral("Screen00000"), QByteArray("Screen(\"Name=A\")"));
        }
        QElapsedTimer timer;
        timer.start();
        TScreenStore store;
        store.LoadStore();
        QCOMPARE(store.Count(), 2);
        QVERIFY(timer.elapsed() < 5000);
    }

    void unreadableStoreLoadsAndSavesNothing()
    {
        QVERIFY(QDir(FProfile->path()).mkdir(QStringLiteral("OrvaneDesk.ini")));
        TScreenStore store;
        store.LoadStore();
        QCOMPARE(store.Count(), 0);
        QCOMPARE(ConsoleSettings().OPLayoutMotionScale, 8);
        store.Append(NewScreen(QStringLiteral("A")));
        QVERIFY(!store.SaveStore());
    }

    void storeUnreadAtStartIsKeptBeforeItIsWrittenOver()
    {
        {
            TScreenStore earlier;
            for (const char *name : {"A", "B", "C"})
                earlier.Append(NewScreen(QString::fromLatin1(name)));
            QVERIFY(earlier.SaveStore());
        }
        QFile file(StorePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray earlierStore = file.readAll();
        file.close();

        // Something else stands in the store's place while the console starts.
        const QString movedAway = FProfile->filePath(QStringLiteral("moved"));
        QVERIFY(QFile::rename(StorePath(), movedAway));
        QVERIFY(QDir(FProfile->path()).mkdir(QStringLiteral("OrvaneDesk.ini")));
        TScreenStore store;
        store.LoadStore();
        QCOMPARE(store.Count(), 0);
        store.Append(NewScreen(QStringLiteral("New")));
        QVERIFY(!store.SaveStore());

        // Back again by the next save: the three screens never loaded are kept
        // beside the store before it takes this run's screens.
        QVERIFY(QDir(FProfile->path()).rmdir(QStringLiteral("OrvaneDesk.ini")));
        QVERIFY(QFile::rename(movedAway, StorePath()));
        QVERIFY(store.SaveStore());
        store.At(0)->Port = 1;
        QVERIFY(store.SaveStore());
        const QStringList copies = UnreadCopies();
        QCOMPARE(copies.size(), 1);
        QFile copy(FProfile->filePath(copies.first()));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), earlierStore);
        QCOMPARE(StampOf(copy.fileName()).Mode, 0600u);

        TScreenStore loaded;
        loaded.LoadStore();
        QCOMPARE(loaded.Count(), 1);
        QCOMPARE(loaded.At(0)->Name, QStringLiteral("New"));
    }

    void damagedStoreLoadsWhatIsReadableAndIsKeptAside()
    {
        {
            TScreenStore earlier;
            earlier.Append(NewScreen(QStringLiteral("A")));
            QVERIFY(earlier.SaveStore());
        }
        // A hand edit leaves a section header unclosed: the settings reader
        // reports the file as damaged and would refuse to write it again.
        QFile file(StorePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n[broken\n");
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray damaged = file.readAll();
        file.close();

        TScreenStore store;
        store.LoadStore();
        QCOMPARE(store.Count(), 1);
        QCOMPARE(store.At(0)->Name, QStringLiteral("A"));
        store.Append(NewScreen(QStringLiteral("New")));
        QVERIFY(store.SaveStore());

        const QStringList copies = UnreadCopies();
        QCOMPARE(copies.size(), 1);
        QFile copy(FProfile->filePath(copies.first()));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), damaged);

        TScreenStore loaded;
        loaded.LoadStore();
        QCOMPARE(loaded.Count(), 2);
        QCOMPARE(loaded.At(0)->Name, QStringLiteral("A"));
        QCOMPARE(loaded.At(1)->Name, QStringLiteral("New"));
    }

    void storeFileIsForItsOwnerOnly()
    {
        TScreenStore store;
        store.Append(NewScreen(QStringLiteral("A")));
        QVERIFY(store.SaveStore());
        QCOMPARE(StampOf(StorePath()).Mode, 0600u);

        // A store left readable by an older version is closed on the next save.
        QVERIFY(QFile::setPermissions(StorePath(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ReadOther));
        store.At(0)->Port = 1;
        QVERIFY(store.SaveStore());
        QCOMPARE(StampOf(StorePath()).Mode, 0600u);
    }

    void savesReplaceTheFileWholeAndOnlyOnChange()
    {
        TScreenStore store;
        store.Append(NewScreen(QStringLiteral("A")));
        QVERIFY(store.SaveStore());
        const TFileStamp first = StampOf(StorePath());

        // Nothing changed: the file is not touched at all.
        QVERIFY(store.SaveStore());
        const TFileStamp unchanged = StampOf(StorePath());
        QCOMPARE(unchanged.Inode, first.Inode);
        QCOMPARE(unchanged.ModifiedNs, first.ModifiedNs);

        // A change is written to a new file that then takes the old one's place, so
        // a crash while writing leaves the previous store whole.
        store.At(0)->Name = QStringLiteral("B");
        QVERIFY(store.SaveStore());
        QVERIFY(StampOf(StorePath()).Inode != first.Inode);
        const QStringList files = QDir(FProfile->path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files, QStringList{QStringLiteral("OrvaneDesk.ini")});

        TScreenStore loaded;
        loaded.LoadStore();
        QCOMPARE(loaded.At(0)->Name, QStringLiteral("B"));
    }

    void consoleSettingsRoundTrip()
    {
        TConsoleSettings &settings = ConsoleSettings();
        settings.WinLeft = -100, settings.WinTop = 20, settings.WinWidth = 1000,
        settings.WinHeight = 700;
        settings.WinBoundsStored = true;
        settings.LOGLeft = 1, settings.LOGHeight = 4;
        settings.SchedEditTop = 5, settings.SchedEditWidth = 6;
        settings.BrowseLeft = 7, settings.BrowseHeight = 8;
        settings.AddEditLeft = 9, settings.AddEditWidth = 10;
        settings.OPNotConnectedWarning = settings.OPAudioChangeWarning = true;
        settings.OPVideoChangeWarning = settings.OPHideScreenWarning = true;
        settings.OPScheduleSaveWarning = true;
        settings.OPLayoutMotionScale = 32;
        settings.OPMinimizedMode = false;
        settings.OPFakeLayout = 3;
        const TConsoleSettings saved = settings;
        QVERIFY(TScreenStore().SaveStore());

        // Maximized: the normal bounds stored before stay in place.
        settings.WinMAX = true;
        settings.WinLeft = 0, settings.WinWidth = 5000;
        QVERIFY(TScreenStore().SaveStore());

        settings = TConsoleSettings();
        TScreenStore().LoadStore();
        QVERIFY(settings.WinMAX);
        QVERIFY(settings.WinBoundsStored);
        QCOMPARE(settings.WinLeft, saved.WinLeft);
        QCOMPARE(settings.WinWidth, saved.WinWidth);
        QCOMPARE(settings.WinHeight, saved.WinHeight);
        QCOMPARE(settings.LOGLeft, 1);
        QCOMPARE(settings.LOGTop, -1);
        QCOMPARE(settings.LOGHeight, 4);
        QCOMPARE(settings.SchedEditWidth, 6);
        QCOMPARE(settings.BrowseHeight, 8);
        QCOMPARE(settings.AddEditWidth, 10);
        QCOMPARE(settings.AddEditHeight, 0);
        QVERIFY(settings.OPNotConnectedWarning && settings.OPAudioChangeWarning &&
                settings.OPVideoChangeWarning && settings.OPHideScreenWarning &&
                settings.OPScheduleSaveWarning);
        QCOMPARE(settings.OPLayoutMotionScale, 32);
        QVERIFY(!settings.OPMinimizedMode);
        QCOMPARE(settings.OPFakeLayout, 3);
    }

    void damagedOptionValuesKeepTheirDefaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("fakeLayout");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("maximized");
        QTest::newRow("zero drag ratio") << "OPLayoutMotionScale"
                                         << "0" << 8 << 0 << true << false;
        QTest::newRow("odd drag ratio") << "OPLayoutMotionScale"
                                        << "3" << 8 << 0 << true << false;
        QTest::newRow("unknown wall") << "OPFakeLayout"
                                      << "9" << 8 << 0 << true << false;
        QTest::newRow("negative wall") << "OPFakeLayout"
                                       << "-1" << 8 << 0 << true << false;
        QTest::newRow("flag read by its lowest byte") << "OPMinimizedMode"
                                                      << "256" << 8 << 0 << false << false;
        QTest::newRow("maximized by the lowest byte") << "WinMAX"
                                                      << "257" << 8 << 0 << true << true;
        QTest::newRow("maximized only when the byte is 1") << "WinMAX"
                                                           << "2" << 8 << 0 << true << false;
        QTest::newRow("not a number") << "OPMinimizedMode"
                                      << "yes" << 8 << 0 << true << false;
    }
    void damagedOptionValuesKeepTheirDefaults()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        Raw()->setValue(name, value);
        TScreenStore().LoadStore();
        QTEST(ConsoleSettings().OPLayoutMotionScale, "scale");
        QTEST(ConsoleSettings().OPFakeLayout, "fakeLayout");
        QTEST(ConsoleSettings().OPMinimizedMode, "minimized");
        QTEST(ConsoleSettings().WinMAX, "maximized");
    }

    void ownershipOfScreens()
    {
        TScreenStore store;
        QPointer<TVLScreenClass> removed = NewScreen(QStringLiteral("A"));
        QPointer<TVLScreenClass> taken = NewScreen(QStringLiteral("B"));
        QPointer<TVLScreenClass> kept = NewScreen(QStringLiteral("C"));
        store.Append(removed);
        store.Append(taken);
        store.Append(kept);
        store.Append(kept);
        QCOMPARE(store.Count(), 3);
        store.Remove(removed);
        QVERIFY(removed.isNull());
        std::unique_ptr<TVLScreenClass> own(store.Take(taken));
        QCOMPARE(own.get(), taken.data());
        QCOMPARE(store.IndexOf(kept), 0);
        store.Clear();
        QVERIFY(kept.isNull());
        QVERIFY(!taken.isNull());
    }
};

QTEST_GUILESS_MAIN(TestScreenStore)
#include "tst_screenstore.moc"
