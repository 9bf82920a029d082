// Times saving and loading the screen store at fleet sizes far above real ones:
// every screen has a 50-entry schedule, a 100-item playlist and 6 monitors.
#include "link/TVLScreenClass.h"
#include "schedule/ScheduleEntries.h"
#include "store/ScreenRecord.h"
#include "store/TScreenStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

TVLScreenClass *FullScreen(int number)
{
    auto *screen = new TVLScreenClass;
    screen->Name = QStringLiteral("Screen %1 (hall, level 2)").arg(number);
    screen->Address =
        QStringLiteral("10.%1.%2.%3").arg(number / 65536).arg(number / 256 % 256).arg(number % 256);
    screen->SetPassword(QStringLiteral("secret, \"%1\"").arg(number));
    screen->Tags = {QStringLiteral("Zone %1").arg(number % 12),
                    QStringLiteral("Section (%1)").arg(number % 40)};
    for (int i = 0; i < 100; ++i)
        screen->Playlist.append(
            {QStringLiteral("Movies\\Season %1\\clip, part %2.mp4").arg(i / 10).arg(i), false});
    for (int i = 0; i < 50; ++i) {
        TVLScheduleRecord entry;
        entry.File = QStringLiteral("Schedules\\day %1 & night (%2).m3u").arg(i).arg(number);
        entry.StartDate = entry.EndDate = 45292.5 + i;
        entry.StartTime = 32400;
        entry.EndTime = 36000;
        entry.Override = i % 11;
        entry.EndFuncType = 1;
        entry.EndFuncIndex = 20;
        entry.EndFuncValue = 50;
        UpdateStamps(entry);
        screen->Schedule.append(entry);
    }
    for (int i = 0; i < 6; ++i)
        screen->MonitorList.append({1920 * i, 0, 1920, 1080});
    return screen;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QList<int> sizes = argc > 1 ? QList<int>{QString::fromLocal8Bit(argv[1]).toInt()}
                                      : QList<int>{1000, 10000, 50000};
    out << "screens  record-bytes  file-MB  save-s  unchanged-save-s  one-change-save-s  load-s\n";
    for (const int count : sizes) {
        QTemporaryDir profile;
        qputenv("ORVANE_PROFILE_DIR", QFile::encodeName(profile.path()));
        qint64 recordBytes = 0;
        double save = 0, unchanged = 0, oneChange = 0;
        QElapsedTimer timer;
        {
            TScreenStore store;
            for (int i = 0; i < count; ++i)
                store.Append(FullScreen(i));
            recordBytes = SerializeScreen(*store.At(0)).toUtf8().size();

            timer.start();
            store.SaveStore();
            save = timer.nsecsElapsed() / 1e9;
            timer.restart();
            store.SaveStore();
            unchanged = timer.nsecsElapsed() / 1e9;
            store.At(count / 2)->Port = 1;
            timer.restart();
            store.SaveStore();
            oneChange = timer.nsecsElapsed() / 1e9;
        }
        // The saving store is gone, so the load reads the file as a fresh start does.
        TScreenStore loaded;
        timer.restart();
        loaded.LoadStore();
        const double load = timer.nsecsElapsed() / 1e9;
        const double fileMb =
            QFileInfo(profile.filePath(QStringLiteral("OrvaneDesk.ini"))).size() / 1e6;
        out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
                   .arg(count, 7)
                   .arg(recordBytes, 12)
                   .arg(fileMb, 7, 'f', 1)
                   .arg(save, 6, 'f', 2)
                   .arg(unchanged, 16, 'f', 2)
                   .arg(oneChange, 17, 'f', 2)
                   .arg(load, 6, 'f', 2);
        out.flush();
        if (loaded.Count() != count || loaded.At(0)->Schedule.size() != 50)
            return 1;
    }
    return 0;
}
