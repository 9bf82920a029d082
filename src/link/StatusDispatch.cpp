#include "link/StatusDispatch.h"

#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageDialogs.h"
#include "schedule/ScheduleEntries.h"
#include "store/RecordText.h"
#include "store/ScreenRecord.h"

#include <QDate>
#include <QPointer>
#include <QTime>

#include <utility>

namespace {

QString PresenterMessage(int number)
{
    return MessageFormat(number, PresenterName());
}

// The screen PC's clock from "year,month,day,hour,minute,second[,...]".
bool ParseScreenClock(const QStringList &items, QDate &date, QTime &time)
{
    int parts[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        parts[i] = items.at(i).toInt(&ok, 10);
        if (!ok)
            return false;
    }
    // Day serials count from year 1; a year 0 or a negative year is no clock.
    if (parts[0] < 1 || parts[0] > 9999)
        return false;
    date = QDate(parts[0], parts[1], parts[2]);
    time = QTime(parts[3], parts[4], parts[5]);
    return date.isValid() && time.isValid();
}

// The message and dialog kind of a playlist file error.
struct TPlaylistErrorText
{
    int Error;
    int Message;
    TDialogType Type;
};

const TPlaylistErrorText PlaylistErrors[] = {
    {-1, 28, TDialogType::Information},
    {-2, 29, TDialogType::Error},
    {-3, 30, TDialogType::Error},
    {-4, 31, TDialogType::Error},
};

// The error code of a playlist reply, 0 when the payload is not one of `errors`.
int PlaylistError(const QString &payload, std::initializer_list<int> errors)
{
    for (const int error : errors) {
        if (payload == QString::number(error))
            return error;
    }
    return 0;
}

} // namespace

TStatusDispatcher::TStatusDispatcher(TStatusHooks &hooks)
    : FHooks(hooks), FClock([] { return QDateTime::currentDateTime(); })
{}

void TStatusDispatcher::SetClock(TClock clock)
{
    FClock = std::move(clock);
}

void TStatusDispatcher::Dispatch(TVLScreenClass *screen, int code, const QString &payload)
{
    if (!screen)
        return;
    switch (code) {
    case 110:
        ClockReply(screen, payload);
        break;
    case 120:
        MonitorReply(screen, payload);
        break;
    case 130:
        screen->AudioDevices = SplitList(payload, QLatin1Char('|'));
        break;
    case 134:
        AudioDeviceReply(screen, payload);
        break;
    case 144:
        RendererReply(screen, payload);
        break;
    case 1000:
        PlayStateReply(screen, payload);
        break;
    case 1100:
        PositionReply(screen, payload);
        break;
    case 1800:
        screen->NowPlaying = payload;
        FHooks.RefreshScreenPanel();
        break;
    case 1811:
        PlaylistChanged(screen, payload);
        break;
    case 1920:
        screen->SharePathReplyReceived = true;
        break;
    case 2300:
        VolumeReply(screen, payload);
        break;
    case 5100:
    case 5110:
    case 5120:
    case 5130:
        screen->CommandAcknowledged = true;
        break;
    case 6000:
        FolderListing(screen, payload);
        break;
    case 6010:
        screen->ValidEntryCount = ReadInteger(payload, 0);
        screen->ActivationAcknowledged = true;
        break;
    case 6020:
        PlaylistSaveReply(screen, payload);
        break;
    case 6030:
        PlaylistFileReply(screen, payload);
        break;
    case 6040:
        CurrentPlaylistReply(screen, payload);
        break;
    case 6110:
        screen->SchedulerState = ReadInteger(payload, 0);
        FHooks.RefreshScreenPanel();
        break;
    case 6120:
        ScheduleReply(screen, payload);
        break;
    case 6130:
        screen->ScheduleReplyValue = ReadInteger(payload, 0);
        screen->ScheduleAcknowledged = true;
        break;
    default:
        break;
    }
}

void TStatusDispatcher::ClockReply(TVLScreenClass *screen, const QString &payload)
{
    const QStringList items = SplitList(payload, QLatin1Char(','));
    if (items.size() < 6)
        return;
    QDate date;
    QTime time;
    if (!ParseScreenClock(items, date, time)) {
        screen->SysTimeSynched = false;
        return;
    }
    const QDateTime now = FClock();
    screen->SysTimeDiff = DaySerial(now.date(), now.time()) - DaySerial(date, time);
    screen->SysTimeSynched = true;
}

void TStatusDispatcher::MonitorReply(TVLScreenClass *screen, const QString &payload)
{
    // Several configured screens may be windows on one PC; they share its monitors.
    const QList<TVLScreenClass *> screens = FHooks.StoreScreens();
    for (TVLScreenClass *other : screens) {
        if (other && other->Address.compare(screen->Address, Qt::CaseInsensitive) == 0)
            ParseMonitorList(payload, other->MonitorList);
    }
}

void TStatusDispatcher::AudioDeviceReply(TVLScreenClass *screen, const QString &payload)
{
    // A configured device the PC offers wins over the one the presenter happens to use.
    if (!screen->AudioDevice.isEmpty() && screen->AudioDevices.contains(screen->AudioDevice)) {
        if (screen->AudioDevice != payload)
            screen->SendLine(QLatin1String("0132 ") + screen->AudioDevice);
        return;
    }
    screen->AudioDevice = payload;
}

void TStatusDispatcher::RendererReply(TVLScreenClass *screen, const QString &payload)
{
    if (ReadInteger(payload, -1) != screen->VideoRenderer)
        screen->SendLine(QLatin1String("0142 ") + QString::number(screen->VideoRenderer));
}

void TStatusDispatcher::PlayStateReply(TVLScreenClass *screen, const QString &payload)
{
    // Only the four presenter states come from a connected screen. Anything else
    // is ignored: taking it would show an open connection as disconnected (or as
    // connecting, which locks the connect button).
    const int state = ReadInteger(payload, psDisconnected);
    if (state < psNoMedia || state > psPlaying)
        return;
    screen->PlayState = state;
    if (state == psNoMedia) {
        screen->NowPlaying.clear();
        screen->PositionText.clear();
    }
    FHooks.RefreshScreenPanel();
    FHooks.RepaintScreenList();
}

void TStatusDispatcher::PositionReply(TVLScreenClass *screen, const QString &payload)
{
    screen->PositionText = payload;
    if (FHooks.IsSelectedScreenSocket(screen))
        FHooks.ShowPositionText(payload);
}

void TStatusDispatcher::PlaylistChanged(TVLScreenClass *screen, const QString &payload)
{
    if (ReadInteger(payload, -1) == 0) {
        screen->CurrentPlaylist.clear();
        FHooks.RefreshScreenPanel();
        return;
    }
    screen->SendLine(QStringLiteral("6040"));
}

void TStatusDispatcher::VolumeReply(TVLScreenClass *screen, const QString &payload)
{
    const int volume = ReadInteger(payload, -1);
    if (volume >= 0)
        screen->Volume = volume;
}

void TStatusDispatcher::FolderListing(TVLScreenClass *screen, const QString &payload)
{
    if (screen->BrowseWindow.isNull())
        return;
    const bool failed = payload == QLatin1String("-1");
    const QStringList items = failed ? QStringList() : SplitList(payload, QLatin1Char('>'));
    FHooks.FolderListingReceived(screen, items);
    if (failed) {
        ShowScreenMessage(screen->Name, MessageText(47) + QLatin1Char('\n') + PresenterMessage(31),
                          TDialogType::Error);
    }
}

void TStatusDispatcher::PlaylistSaveReply(TVLScreenClass *screen, const QString &payload)
{
    if (payload == QLatin1String("0"))
        ShowScreenMessage(screen->Name, MessageText(25), TDialogType::Information);
    else if (payload == QLatin1String("-1"))
        ShowScreenMessage(screen->Name, PresenterMessage(26), TDialogType::Error);
}

void TStatusDispatcher::PlaylistFileReply(TVLScreenClass *screen, const QString &payload)
{
    const int error = PlaylistError(payload, {-1, -2, -3, -4});
    if (error != 0) {
        ShowPlaylistError(screen, error);
        return;
    }
    const QStringList items = SplitList(payload, QLatin1Char('|'));
    if (items.isEmpty())
        return;
    screen->Playlist.clear();
    screen->Playlist.reserve(items.size());
    for (const QString &item : items)
        screen->Playlist.append(TPlaylistItem{item, false});
    FHooks.RefreshScreenPanel();
}

void TStatusDispatcher::CurrentPlaylistReply(TVLScreenClass *screen, const QString &payload)
{
    // "-1" and "-2" are file errors of a playlist load; the current playlist never
    // reports them, so they are taken as entries.
    const int error = PlaylistError(payload, {-3, -4});
    if (error != 0) {
        ShowPlaylistError(screen, error);
        return;
    }
    const QStringList items = SplitList(payload, QLatin1Char('|'));
    if (items.isEmpty())
        return;
    screen->CurrentPlaylist = items;
    FHooks.RefreshScreenPanel();
}

void TStatusDispatcher::ScheduleReply(TVLScreenClass *screen, const QString &payload)
{
    screen->Schedule.clear();
    if (payload == QLatin1String("-1")) {
        QPointer<TVLScreenClass> guard(screen);
        ShowScreenMessage(screen->Name, MessageText(48), TDialogType::Warning);
        if (!guard)
            return;
    } else {
        ParseScheduleEntries(SplitList(payload, QLatin1Char('|')), screen->Schedule);
    }
    FHooks.RefreshScreenPanel();
}

void TStatusDispatcher::ShowPlaylistError(TVLScreenClass *screen, int error)
{
    // Lines keep arriving while the dialog is open; the same error must not open
    // a second dialog on top of its own.
    if (screen->LastLoadError == error || FOpenLoadErrors.contains(screen, error))
        return;
    const TPlaylistErrorText *text = nullptr;
    for (const TPlaylistErrorText &candidate : PlaylistErrors) {
        if (candidate.Error == error)
            text = &candidate;
    }
    if (!text)
        return;

    const int shownBefore = screen->LastLoadError;
    screen->LastLoadError = error;
    FOpenLoadErrors.insert(screen, error);
    QPointer<TVLScreenClass> guard(screen);
    ShowScreenMessage(screen->Name, PresenterMessage(text->Message), text->Type);
    FOpenLoadErrors.remove(screen, error);
    // A dialog opened and closed while this one was open must not clear the
    // guard of this one; hand back what was on screen before.
    if (guard)
        screen->LastLoadError = shownBefore;
}
