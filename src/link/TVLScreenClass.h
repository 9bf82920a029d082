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
#include <QTcpSocket>

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

    // Sends one line (without its end): UTF-8, enciphered when a password is
    // set, CR LF appended. False when the screen has no open connection.
    bool SendLine(const QString &text);
    // The configuration burst and the window placement sent after connecting.
    void SendConfiguration();
    void SendLayout();

    // The open connection: present from the connect event to the disconnect event.
    bool IsConnected() const { return FConnected; }
    QTcpSocket *Connection() const { return FConnected ? FSocket.data() : nullptr; }
    // The socket component: from ConnectScreen to DisconnectScreen or a failed connect.
    QTcpSocket *SocketComponent() const { return FSocket.data(); }

    // Socket component lifecycle, driven by ConnectScreen and DisconnectScreen.
    void CreateSocketComponent();
    // Starts the asynchronous lookup and connect; false if that could not start.
    bool ActivateSocketComponent();
    // Closes the open (or opening) connection; runs HandleDisconnect when one was active.
    void CloseConnection();
    // Deactivates and releases the component. Deletion is deferred, so this is
    // safe from inside one of the socket's own events.
    void ReleaseSocketComponent();

    // Handlers of the socket component's events.
    void HandleConnect();
    void HandleDisconnect();
    void HandleRead();
    // `errorCode` is a WinSock-style code (see link/SocketErrors.h); set to 0 on return.
    void HandleError(int &errorCode);

    void EmptyReceiveBuffer();
    qsizetype ReceiveBufferSize() const { return FReceiveBuffer.BufferedSize(); }
    // Bound of an unfinished received line; the default is far above any honest reply.
    void SetReceiveCapacity(qsizetype capacity);

private:
    void OnSocketError();
    // Takes one received line apart; false when the rest of the buffer must not be handled.
    bool AcceptLine(QByteArrayView line);
    void HandlePasswordMismatch();
    void HandleReceiveOverflow();

    TScreenHost *FHost = nullptr;
    QString FPassword;
    TChannelCipher FCipher;
    QPointer<QTcpSocket> FSocket;
    bool FConnected = false;
    TLineFramer FReceiveBuffer;
};
