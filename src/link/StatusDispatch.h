#pragma once

#include <QDateTime>
#include <QList>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <functional>

class TVLScreenClass;

// What the status dispatch needs from the main window. The window implements
// it; tests implement it with a recorder.
class TStatusHooks
{
public:
    virtual ~TStatusHooks() = default;

    // Shows the selected screen's state (does nothing while the window closes).
    virtual void RefreshScreenPanel() = 0;
    // Redraws the rows of the screen list (their pictures follow the play state).
    virtual void RepaintScreenList() = 0;
    // True when a row is selected and that row's screen is `screen`.
    virtual bool IsSelectedScreenSocket(const TVLScreenClass *screen) const = 0;
    // Puts a position text straight into the position label, without a panel refresh.
    virtual void ShowPositionText(const QString &text) = 0;
    // Every screen of the store, in store order.
    virtual QList<TVLScreenClass *> StoreScreens() const = 0;
    // A folder listing for the screen's open remote browser: the browser empties
    // its list, shows its current folder and adds one row per item (each item is
    // one entry in tagged form). `items` is empty for an empty or failed listing;
    // the failure dialog is shown by the dispatcher afterwards.
    virtual void FolderListingReceived(TVLScreenClass *screen, const QStringList &items) = 0;
};

// Applies every status line a screen sends: updates the screen's live fields,
// sends the replies some codes ask for, shows the dialogs and calls the hooks.
// Dialogs run the message loop, so Dispatch may be entered again while one of
// its own dialogs is open; everything here tolerates that.
class TStatusDispatcher
{
public:
    using TClock = std::function<QDateTime()>;

    explicit TStatusDispatcher(TStatusHooks &hooks);

    // One accepted line of `screen`, in arrival order. Codes without a meaning
    // here (and the password mismatch codes, which the screen object handles
    // before dispatch) are ignored.
    void Dispatch(TVLScreenClass *screen, int code, const QString &payload);

    // The local clock used for the screen clock difference; tests fix it.
    void SetClock(TClock clock);

private:
    void ClockReply(TVLScreenClass *screen, const QString &payload);
    void MonitorReply(TVLScreenClass *screen, const QString &payload);
    void AudioDeviceReply(TVLScreenClass *screen, const QString &payload);
    void RendererReply(TVLScreenClass *screen, const QString &payload);
    void PlayStateReply(TVLScreenClass *screen, const QString &payload);
    void PositionReply(TVLScreenClass *screen, const QString &payload);
    void PlaylistChanged(TVLScreenClass *screen, const QString &payload);
    void VolumeReply(TVLScreenClass *screen, const QString &payload);
    void FolderListing(TVLScreenClass *screen, const QString &payload);
    void PlaylistSaveReply(TVLScreenClass *screen, const QString &payload);
    void PlaylistFileReply(TVLScreenClass *screen, const QString &payload);
    void CurrentPlaylistReply(TVLScreenClass *screen, const QString &payload);
    void ScheduleReply(TVLScreenClass *screen, const QString &payload);
    void ShowPlaylistError(TVLScreenClass *screen, int error);

    TStatusHooks &FHooks;
    TClock FClock;
    // Playlist errors whose dialog is open, per screen; keeps a dialog from
    // being stacked on top of an identical one while the first is still open.
    QMultiHash<const TVLScreenClass *, int> FOpenLoadErrors;
};
