#pragma once

#include "link/TChannelCipher.h"
#include "link/TLineFramer.h"
#include "schedule/TVLScheduleRecord.h"
#include "store/MonitorRect.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QTcpSocket;
class QWidget;
class TScreenHost;

// One editor playlist item: the text and its selection mark in the editor list.
struct TPlaylistItem
{
    QString Text;
    bool Selected = false;

    bool operator==(const TPlaylistItem &other) const
    {
        return Text == other.Text && Selected == other.Selected;
    }
};

// Play states of a screen.
enum TPlayState : int {
    psDisconnected = -1,
    psConnecting = 100,
    psNoMedia = 0,
    psStopped = 1,
    psPaused = 2,
    psPlaying = 3
};

// One configured screen: its configuration (stored), the state it reports, its
// TCP connection and its channel cipher.
class TVLScreenClass : public QObject
{
    Q_OBJECT

public:
    explicit TVLScreenClass(TScreenHost *host = nullptr);
    ~TVLScreenClass() override;

    // Configuration (stored with the screen).
    QString Name;
    QString Address;
    qint32 Port = 4769;
    QStringList Tags;
    qint32 Monitor = 0;
    qint32 Layout = 0;
    qint32 PlaylistMode = 2;
    qint32 ScreenMode = 0;
    bool DisableOSD = true;
    bool DisableParts = true;
    qint32 CustomXOfs = 0;
    qint32 CustomYOfs = 0;
    qint32 CustomWidth = 1280;
    qint32 CustomHeight = 720;

    qint32 PlayState = psDisconnected;
    bool SysTimeSynched = false;
    double SysTimeDiff = 0.0; // days: local time minus the screen PC's time
    qint32 Volume = 0;

    QStringList CurrentPlaylist;
    QList<TPlaylistItem> Playlist;
    QString NowPlaying;
    QPointer<QWidget> BrowseWindow;
    QString BrowseFolder;
    QString PositionText;
    qint32 LastSocketError = 0;
    qint32 SchedulerState = 0;
    TVLSchedule Schedule;
    qint32 VideoRenderer = 7;
    qint32 SlideshowDelay = 0;

    bool ApplyInProgress = false;
    bool SharePathReplyReceived = false;
    bool ActivationAcknowledged = false;
    qint32 ValidEntryCount = 0;
    bool ScheduleAcknowledged = false;
    qint32 ScheduleReplyValue = 0;
    bool SchedulePause = true;
    bool ScheduleHideScreen = false;
    bool HideMouseCursor = true;
    bool CommandAcknowledged = false;
    bool Counted = false;
    qint32 LastLoadError = 0;
    MonitorRectList MonitorList;
    QString AudioDevice;
    QStringList AudioDevices;

    // The password re-keys the channel cipher on every assignment.
    const QString &Password() const { return FPassword; }
    void SetPassword(const QString &password);
    TChannelCipher &Cipher() { return FCipher; }

    TScreenHost *Host() const { return FHost; }
    void SetHost(TScreenHost *host) { FHost = host; }

private:
    TScreenHost *FHost = nullptr;
    QString FPassword;
    TChannelCipher FCipher;
};
