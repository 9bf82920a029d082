#pragma once

#include "TShareFolder.h"
#include "store/MonitorRect.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// What one simulated screen is configured with.
struct TPresenterConfig
{
    QString SharePath; // empty: the presenter runs without a shared folder
    MonitorRectList Monitors{MonitorRect{0, 0, 1920, 1080}};
    QStringList AudioDevices{QStringLiteral("Speakers (Simulated Audio)"),
                             QStringLiteral("HDMI Output (Simulated)")};
    qint64 ClockOffsetSeconds = 0;
    // What the screen shows before any console has connected: a play state
    // other than no media (0) together with a non-empty playlist, whose first
    // entry is current.
    int StartState = 0;
    QStringList StartPlaylist;
    // Simulated length of every entry: playing moves on to the next entry
    // (wrapping) after this many seconds; 0 lets an entry play for ever.
    int EntrySeconds = 0;
};

// What one second of playback produces: the position line for the
// connections that asked for it (empty when nothing plays), and reports for
// every connection, such as the next entry's now-playing line.
struct TPresenterTick
{
    QString Position;
    QStringList Reports;
};

// The lines one received line causes: replies go back to the connection that
// sent it, reports go to every connection of the screen.
struct TPresenterOutput
{
    QStringList Replies;
    QStringList Reports;
    bool WantsPositionReports = false;
};

// The presenter of one screen, without any socket: it takes one received
// plaintext line and tells which lines to send. Its state outlives the
// connections, as a real presenter's does.
class TPresenterState
{
public:
    enum PlayState { NoMedia = 0, Stopped = 1, Paused = 2, Playing = 3 };

    explicit TPresenterState(const TPresenterConfig &config = TPresenterConfig());

    TPresenterOutput HandleLine(const QString &line);

    // One second passed: advances the position while playing, moving on to
    // the next entry when the current one has played its length.
    TPresenterTick Tick();

    // What a console hears as soon as it connects, since it does not ask
    // for the play state: the state and the current entry, or nothing
    // while there is no media.
    QStringList ConnectReports() const;

    // Tests fix the clock through this.
    void SetClock(std::function<QDateTime()> clock) { FClock = std::move(clock); }

    int PlayStateValue() const { return FPlayState; }
    int Volume() const { return FVolume; }
    int PositionSeconds() const { return FPosition; }
    const QStringList &CurrentPlaylist() const { return FPlaylist; }
    QString NowPlaying() const;
    const QStringList &Schedule() const { return FSchedule; }
    int SchedulerState() const { return FSchedulerState; }
    QString AudioDevice() const { return FAudioDevice; }
    int VideoRenderer() const { return FRenderer; }
    QString Setting(const QString &name) const { return FSettings.value(name); }
    QString Placement() const { return FPlacement; }
    const TShareFolder &Share() const { return FShare; }

private:
    void RunFunction(const QString &name, TPresenterOutput &out);
    void ActivatePlaylist(const QString &payload, TPresenterOutput &out);
    void SaveSchedule(const QString &payload, TPresenterOutput &out);
    bool ScheduleEntryValid(const QString &entry) const;
    // True when a kept entry names a file outside the share (or there is no share).
    bool ScheduleReachesOutside() const;
    void SetPlayState(int state, TPresenterOutput &out);
    void Jump(int index, TPresenterOutput &out);
    QString ClockText() const;

    TPresenterConfig FConfig;
    TShareFolder FShare;
    std::function<QDateTime()> FClock;
    int FPlayState = NoMedia;
    int FVolume = 80;
    int FPosition = 0;
    QStringList FPlaylist;
    int FIndex = -1;
    QStringList FSchedule;
    int FSchedulerState = 0;
    QString FAudioDevice;
    int FRenderer = 0;
    QHash<QString, QString> FSettings;
    QString FPlacement;
};

// Splits a list payload: empty items between two delimiters stay, an empty
// item at the end is dropped, an empty payload has no items.
QStringList SplitListPayload(const QString &payload, QChar delimiter);
