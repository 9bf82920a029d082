// Fleet-scale figures of the screen list: rebuilding and painting a list of
// 10,000 screens, Connect All against 1,000 simulated screens, and the CPU the
// console spends on the position reports of 1,000 playing screens.

#include "app/BuiltinPictures.h"
#include "console/ScreenListPanel.h"
#include "link/ScreenSession.h"
#include "link/StatusDispatch.h"
#include "link/TScreenHost.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageSeam.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void Print(const QString &text)
{
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// 1,000 client sockets here and 2,000 in the simulator, which inherits the limit.
void RaiseOpenFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Pumps events until `done` holds or `timeoutMs` passed; false on timeout.
template <typename Done> bool PumpUntil(Done done, int timeoutMs)
{
    // The ticker only wakes the loop up; between events the process sleeps,
    // so the CPU measured is the console's own work.
    QTimer ticker;
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QString Ms(double ms)
{
    return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
}

// Stands in for the main window: owns the store, routes every received line
// through the real status dispatch and repaints the real list.
class TBenchWindow : public TScreenHost, public TStatusHooks
{
public:
    TBenchWindow() : FDispatcher(*this)
    {
        TScreenListHooks hooks;
        hooks.StoreScreens = [this] { return FStore; };
        hooks.ConnectScreen = [](TVLScreenClass *screen) { ConnectScreen(screen); };
        hooks.DisconnectScreen = DisconnectScreen;
        Panel = std::make_unique<TScreenListPanel>(hooks);
        FPictures.CreateBuiltin(1.0);
        Panel->SetPictures(&FPictures);
        Panel->resize(260, 900);
        Panel->show();
    }

    ~TBenchWindow() override
    {
        Panel.reset();
        qDeleteAll(FStore);
    }

    void Populate(int count, bool withHost)
    {
        qDeleteAll(FStore);
        FStore.clear();
        FClockReplies.clear();
        QRandomGenerator random(7);
        for (int i = 0; i < count; ++i) {
            auto *screen = new TVLScreenClass(withHost ? this : nullptr);
            screen->Name =
                QStringLiteral("Screen %1").arg(random.bounded(100000), 5, 10, QLatin1Char('0'));
            screen->Address =
                QStringLiteral("10.%1.%2.%3").arg(i / 65536).arg((i / 256) % 256).arg(i % 256);
            screen->Tags = {QStringLiteral("floor-%1").arg(i % 12),
                            QStringLiteral("zone-%1").arg(i % 40)};
            screen->PlayState = i % 5 == 4 ? psConnecting : (i % 5) - 1;
            if (i % 7 == 0)
                screen->SetPassword(QStringLiteral("pw"));
            FStore.append(screen);
        }
    }

    QList<TVLScreenClass *> &Store() { return FStore; }
    int ClockReplies() const { return static_cast<int>(FClockReplies.size()); }
    qint64 PositionReports = 0;
    std::unique_ptr<TScreenListPanel> Panel;

    // TScreenHost
    QObject *SocketOwner() override { return Panel.get(); }
    void RefreshScreenPanel() override {}
    void RepaintScreenList() override { Panel->Controller().RepaintScreenList(); }
    void DispatchStatus(TVLScreenClass *screen, int code, const QString &payload) override
    {
        // The clock request closes the configuration burst: its reply means
        // the screen has answered the whole burst.
        if (code == 110)
            FClockReplies.insert(screen);
        else if (code == 1100)
            ++PositionReports;
        FDispatcher.Dispatch(screen, code, payload);
    }
    void ScreenDisconnected(TVLScreenClass *) override {}

    // TStatusHooks
    bool IsSelectedScreenSocket(const TVLScreenClass *screen) const override
    {
        return Panel->Controller().SelectedScreen() == screen;
    }
    void ShowPositionText(const QString &text) override { FPositionText = text; }
    QList<TVLScreenClass *> StoreScreens() const override { return FStore; }
    void FolderListingReceived(TVLScreenClass *, const QStringList &) override {}

private:
    TConsolePictures FPictures;
    TStatusDispatcher FDispatcher;
    QList<TVLScreenClass *> FStore;
    QSet<const TVLScreenClass *> FClockReplies;
    QString FPositionText;
};

void BenchListOf10000(TBenchWindow &window)
{
    window.Populate(10000, false);
    TScreenListController &list = window.Panel->Controller();
    QWidget *viewport = window.Panel->MonitorList()->viewport();
    QImage canvas(viewport->size(), QImage::Format_ARGB32_Premultiplied);

    std::vector<double> rebuild, repaint, both, filtered;
    int filteredRows = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        list.RebuildScreenList();
        const double rebuilt = double(clock.nsecsElapsed()) / 1e6;
        // The view lays its rows out on the next pass of the event loop.
        QCoreApplication::processEvents();
        viewport->render(&canvas);
        const double total = double(clock.nsecsElapsed()) / 1e6;
        rebuild.push_back(rebuilt);
        repaint.push_back(total - rebuilt);
        both.push_back(total);

        clock.restart();
        list.SetFilterText(QStringLiteral("floor-1, zone-3"));
        filtered.push_back(double(clock.nsecsElapsed()) / 1e6);
        filteredRows = list.ShownCount();
        list.SetFilterText(QString());
    }
    list.RebuildScreenList();
    if (qEnvironmentVariableIsSet("BENCH_SAVE_LIST"))
        canvas.save(qEnvironmentVariable("BENCH_SAVE_LIST"));
    std::vector<double> rowRepaint;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        list.RepaintScreenList();
        QCoreApplication::processEvents();
        viewport->render(&canvas);
        rowRepaint.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    Print(QStringLiteral("list of 10,000 screens: RebuildScreenList %1, full repaint %2, "
                         "both %3 (aim < 50 ms); filter change %4 (%5 rows); "
                         "repaint after a state change %6")
              .arg(Ms(Median(rebuild)), Ms(Median(repaint)), Ms(Median(both)), Ms(Median(filtered)))
              .arg(filteredRows)
              .arg(Ms(Median(rowRepaint))));
}

bool StartSimulator(QProcess &sim, const QString &program, int count, const QString &share,
                    quint16 &firstPort)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        firstPort = quint16(20000 + QRandomGenerator::global()->bounded(30000));
        int listening = 0;
        QObject::connect(&sim, &QProcess::readyReadStandardOutput, &sim, [&sim, &listening] {
            while (sim.canReadLine()) {
                if (sim.readLine().startsWith("listening on"))
                    ++listening;
            }
        });
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim.start(program,
                  {QStringLiteral("--port"), QString::number(firstPort), QStringLiteral("--count"),
                   QString::number(count), QStringLiteral("--share"), share});
        const bool up = PumpUntil(
            [&] { return listening == count || sim.state() == QProcess::NotRunning; }, 20000);
        QObject::disconnect(&sim, &QProcess::readyReadStandardOutput, nullptr, nullptr);
        if (up && listening == count)
            return true;
        sim.kill();
        PumpUntil([&sim] { return sim.state() == QProcess::NotRunning; }, 5000);
    }
    return false;
}

void BenchFleetOf1000(TBenchWindow &window)
{
    const QString program = qEnvironmentVariable("ORVANE_SIM");
    if (program.isEmpty()) {
        Print(QStringLiteral("Connect All: skipped (ORVANE_SIM is not set)"));
        return;
    }
    constexpr int Count = 1000;
    QProcess sim;
    quint16 firstPort = 0;
    const QTemporaryDir share;
    if (!share.isValid() || !StartSimulator(sim, program, Count, share.path(), firstPort)) {
        Print(QStringLiteral("Connect All: skipped (the simulator did not start)"));
        return;
    }

    window.Populate(Count, true);
    for (int i = 0; i < Count; ++i) {
        TVLScreenClass *screen = window.Store().at(i);
        screen->Address = QStringLiteral("127.0.0.1");
        screen->Port = firstPort + i;
        screen->PlayState = psDisconnected;
        screen->SetPassword(QString());
    }
    TScreenListController &list = window.Panel->Controller();
    list.SetFilterText(QString());
    list.RebuildScreenList();
    list.MonitorListClick(0);

    MessageSeam::Enable();
    MessageSeam::QueueAnswer(mrOk);
    QElapsedTimer clock;
    clock.start();
    list.ConnectAll();
    const double started = double(clock.nsecsElapsed()) / 1e6;
    auto allConnected = [&window] {
        for (const TVLScreenClass *screen : window.Store()) {
            if (screen->PlayState != psNoMedia)
                return false;
        }
        return true;
    };
    const bool connected = PumpUntil(allConnected, 30000);
    const double connectedMs = double(clock.nsecsElapsed()) / 1e6;
    const bool answered = PumpUntil([&window] { return window.ClockReplies() == Count; }, 30000);
    const double answeredMs = double(clock.nsecsElapsed()) / 1e6;
    Print(
        QStringLiteral("Connect All, 1,000 screens: returned after %1; all at state 0 after %2%3; "
                       "all bursts answered after %4%5 (aim < 3000 ms); dialogs shown: %6")
            .arg(Ms(started), Ms(connectedMs),
                 connected ? QString() : QStringLiteral(" (TIMED OUT)"), Ms(answeredMs),
                 answered ? QString() : QStringLiteral(" (TIMED OUT)"))
            .arg(MessageSeam::Shown().size() - 1));

    if (connected) {
        // Start every screen playing, so each reports its position once a second.
        for (TVLScreenClass *screen : window.Store()) {
            screen->SendLine(QStringLiteral("6010 http://media.invalid/loop.mp4"));
            screen->SendLine(QStringLiteral("5100 fnUnpause"));
        }
        auto allPlaying = [&window] {
            for (const TVLScreenClass *screen : window.Store()) {
                if (screen->PlayState != psPlaying)
                    return false;
            }
            return true;
        };
        if (PumpUntil(allPlaying, 20000)) {
            // Let the first reports settle, then measure a few seconds.
            PumpUntil([] { return false; }, 1500);
            const qint64 reportsBefore = window.PositionReports;
            const double cpuBefore = CpuSeconds();
            QElapsedTimer wall;
            wall.start();
            PumpUntil([] { return false; }, 5000);
            const double seconds = double(wall.nsecsElapsed()) / 1e9;
            const double cpu = CpuSeconds() - cpuBefore;
            Print(QStringLiteral("report stream, 1,000 playing screens: %1 position reports/s, "
                                 "console CPU %2 % of one core (aim < 10 %)")
                      .arg(double(window.PositionReports - reportsBefore) / seconds, 0, 'f', 0)
                      .arg(100.0 * cpu / seconds, 0, 'f', 1));
        } else {
            Print(QStringLiteral("report stream: skipped (not every screen started playing)"));
        }
    }

    list.DisconnectAll(false);
    MessageSeam::Disable();
    sim.terminate();
    if (!PumpUntil([&sim] { return sim.state() == QProcess::NotRunning; }, 5000))
        sim.kill();
    PumpUntil([&sim] { return sim.state() == QProcess::NotRunning; }, 5000);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    RaiseOpenFileLimit();
    QApplication app(argc, argv);

    TBenchWindow window;
    BenchListOf10000(window);
    BenchFleetOf1000(window);
    return 0;
}
