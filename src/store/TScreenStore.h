#pragma once

#include <QList>
#include <QString>

#include <memory>

class QSettings;
class TScreenHost;
class TVLScreenClass;

// The ordered list of all configured screens. The store owns its screen objects and
// releases them when they leave it (Remove, Clear) or when it is destroyed.
//
// LoadStore and SaveStore read and write the persistent store (OpenStoreSettings):
// the screens and the window and option values of ConsoleSettings(). SaveStore only
// writes what differs from the stored values, so it is cheap enough to call after
// every committed change; the console calls it then, not only at close, so that a
// process ending without closing the window keeps what was committed. The store
// stays open between saves, so a save compares with values already in memory instead
// of reading the whole store again; changes made to it from outside are picked up
// before each save.
//
// A store that exists but cannot be read at load is never written over unseen: the
// first save of the run first keeps the unread file beside it as
// "OrvaneDesk.unreadable-<yyyyMMdd-HHmmss>.ini", and saves nothing while that copy
// cannot be made.
class TScreenStore
{
public:
    TScreenStore();
    ~TScreenStore();
    TScreenStore(const TScreenStore &) = delete;
    TScreenStore &operator=(const TScreenStore &) = delete;

    const QList<TVLScreenClass *> &Screens() const { return FScreens; }
    int Count() const { return static_cast<int>(FScreens.size()); }
    TVLScreenClass *At(int index) const { return FScreens.at(index); }
    int IndexOf(const TVLScreenClass *screen) const;

    // Takes ownership and appends at the end.
    void Append(TVLScreenClass *screen);
    // Takes the screen out of the store and releases it.
    void Remove(TVLScreenClass *screen);
    // Takes the screen out of the store; the caller owns it from then on.
    TVLScreenClass *Take(TVLScreenClass *screen);
    // Releases every screen.
    void Clear();
    // Orders the store by CompareScreens (stable).
    void Sort();

    // Appends the stored screens (created with `host`) and sorts the store; loads the
    // window and option values into ConsoleSettings(). A store that cannot be opened
    // loads nothing, silently.
    void LoadStore(TScreenHost *host = nullptr);
    // Writes the screens in store order and ConsoleSettings(). Screen values numbered
    // at or above the new count stay where they are and are never read. Returns false
    // when the store could not be written; the console does not report that.
    bool SaveStore() const;

private:
    // The open store, reopened when the profile it belongs to changes or after an
    // error.
    QSettings &OpenStore() const;
    // Keeps the store file that could not be read at load before it is first
    // overwritten; false while it cannot be kept.
    bool KeepUnreadStore() const;

    QList<TVLScreenClass *> FScreens;
    mutable std::unique_ptr<QSettings> FStore;
    mutable QString FStoreProfile;
    // Set when the store existed but could not be read at load.
    mutable bool FStoreUnread = false;
    mutable QString FUnreadPath;
    // Screen values too large to load, written back unchanged after the loaded
    // screens so that renumbering never overwrites a screen the console skipped.
    QList<QByteArray> FOversizedValues;
};
