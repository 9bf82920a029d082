#pragma once

#include "console/TScreenListModel.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class TVLScreenClass;

// What the screen list needs from the window that owns the store. Every member
// may be left empty; an empty one does nothing (an empty StoreScreens is an
// empty store).
struct TScreenListHooks
{
    // Every screen of the store, in store order.
    std::function<QList<TVLScreenClass *>()> StoreScreens;
    // Takes the screen out of the store and releases it. A connect wait or a
    // modal dialog further up the stack may still refer to the screen, so the
    // release is best deferred (deleteLater).
    std::function<void(TVLScreenClass *)> RemoveFromStore;
    // Saves the store; called after every committed change of it.
    std::function<void()> StoreChanged;
    std::function<void(TVLScreenClass *)> ConnectScreen;
    std::function<void(TVLScreenClass *)> DisconnectScreen;
    // The panel refresh of the selected screen.
    std::function<void()> RefreshScreenPanel;
    // The window's part of ClearSelectionPanels: header " Please select a screen",
    // empty current-playlist and editor lists, screen controls disabled.
    std::function<void()> ResetScreenPanels;
    // The window's update guard: off while the program sets controls itself.
    std::function<void(bool)> SetUpdateGuard;
};

// The logic of the screen list: TAG filter, selection, link mode, counters and
// the bulk actions. No widgets: the panel shows its state, tests drive it directly.
class TScreenListController : public QObject
{
    Q_OBJECT

public:
    explicit TScreenListController(TScreenListHooks hooks, QObject *parent = nullptr);

    TScreenListModel *Model() { return &FModel; }

    // The shown rows' screens, top to bottom (broadcast commands go to these).
    const QList<TVLScreenClass *> &ShownScreens() const { return FModel.Screens(); }
    int ShownCount() const { return static_cast<int>(FModel.Screens().size()); }
    int SelectedRow() const { return FSelectedRow; }
    TVLScreenClass *SelectedScreen() const { return FModel.ScreenAt(FSelectedRow); }
    bool LinkMode() const { return FLinkMode; }
    const QString &FilterText() const { return FFilterText; }

    // "Total PCs (n)": distinct addresses of the whole store.
    int TotalPCs() const { return FTotalPCs; }
    // Recounts "Total PCs" for the panel refresh: an address applied in the
    // properties dialog changes the store without a rebuild. The panel refresh
    // follows most status lines of every screen, so this only walks the store
    // comparing addresses, and counts again only when one differs.
    void RefreshTotalPCs();
    QString TotalPCsCaption() const;
    // "Screens : n" under the TAG filter.
    QString ScreensCaption() const;

    // RebuildScreenList: lists the screens that pass the filter, in order.
    // The selection is lost; callers reset the panels as their action requires.
    void RebuildScreenList();
    // Redraw rows after a change of play state, without rebuilding.
    void RepaintScreenList();
    void RepaintScreen(const TVLScreenClass *screen);

    // MonitorListClick: selects the row and runs the panel refresh. With -1 the
    // selection is gone, so the panels are reset before the refresh.
    void MonitorListClick(int row);
    // Selects a row (or the row of a screen) without the panel refresh.
    void SetSelectedRow(int row);
    bool SelectScreen(const TVLScreenClass *screen);
    void ClearSelectionPanels();

    // LinkScreenButtonClick.
    void ToggleLinkMode();
    void SwitchLinkModeOff();

    // TAGSearchEditChange: the filter text changed.
    void SetFilterText(const QString &text);
    // ClearSearchButtonClick.
    void ClearFilter();
    // The entries of TAGPopupMenu, and picking one (TAGMenuButtonClick).
    QStringList TagMenuEntries() const;
    void PickTag(const QString &tag);

    // ConnectAllButtonClick: starts every shown disconnected screen's connection
    // at once and returns; each connection completes on its own.
    void ConnectAll();
    // DisconnectAllButtonClick; the window calls it at close with the prompt off.
    void DisconnectAll(bool prompt = true);
    // RemoveButtonClick (also the Delete key in the list).
    void DeleteSelectedScreen();
    // RemoveAllButtonClick: deletes the shown screens; hidden ones stay.
    void DeleteAllScreens();

signals:
    void LinkModeChanged(bool linkMode);
    void FilterTextChanged(const QString &text);
    void SelectionChanged(int row);
    void CaptionsChanged();

private:
    QList<TVLScreenClass *> Store() const;
    void RefreshPanel();
    void SetUpdateGuard(bool on);
    void StoreChanged();
    // Takes the screens out of the store, then rebuilds the list with no selection.
    void RemoveScreens(const QList<TVLScreenClass *> &screens);
    bool CountedAddressesMatch(const QList<TVLScreenClass *> &store) const;
    void CountAddresses(const QList<TVLScreenClass *> &store);

    TScreenListHooks FHooks;
    TScreenListModel FModel;
    QString FFilterText;
    bool FLinkMode = false;
    int FSelectedRow = -1;
    int FTotalPCs = 0;
    // The store's addresses at the last count, in store order.
    QList<QString> FCountedAddresses;
    QString FScreensCaption;
};
