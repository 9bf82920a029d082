#include "console/TScreenListController.h"

#include "console/ScreenListRules.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageDialogs.h"

#include <QPointer>
#include <QTcpSocket>

#include <utility>

namespace {

// Bulk actions call out to code that runs the message loop (dialogs, socket
// events), so they walk a snapshot that notices screens released meanwhile.
QList<QPointer<TVLScreenClass>> Snapshot(const QList<TVLScreenClass *> &screens)
{
    QList<QPointer<TVLScreenClass>> snapshot;
    snapshot.reserve(screens.size());
    for (TVLScreenClass *screen : screens)
        snapshot.append(screen);
    return snapshot;
}

bool Confirmed(const QString &text)
{
    return ShowMessageDialog(text, TDialogType::Confirmation,
                             TDialogButton::OK | TDialogButton::Cancel) == mrOk;
}

// Connect All leaves the play state at -1 until a connection opens, so a
// screen whose connect is still under way counts as connecting too: Disconnect
// All must stop it, or it would connect after the operator disconnected all.
bool IsConnectedOrConnecting(const TVLScreenClass &screen)
{
    if (screen.PlayState != psDisconnected)
        return true;
    const QTcpSocket *socket = screen.SocketComponent();
    return socket && socket->state() != QAbstractSocket::UnconnectedState;
}

void ShowNoSelection()
{
    ShowMessageDialog(MessageText(6), TDialogType::Error, TDialogButton::OK);
}

} // namespace

TScreenListController::TScreenListController(TScreenListHooks hooks, QObject *parent)
    : QObject(parent), FHooks(std::move(hooks)), FModel(this)
{
    FScreensCaption = MessageText(41) % QStringLiteral(" : 0");
}

QString TScreenListController::TotalPCsCaption() const
{
    return MessageText(42) % QStringLiteral(" (") % QString::number(FTotalPCs) % QLatin1Char(')');
}

QString TScreenListController::ScreensCaption() const
{
    return FScreensCaption;
}

QList<TVLScreenClass *> TScreenListController::Store() const
{
    return FHooks.StoreScreens ? FHooks.StoreScreens() : QList<TVLScreenClass *>();
}

void TScreenListController::RefreshPanel()
{
    if (FHooks.RefreshScreenPanel)
        FHooks.RefreshScreenPanel();
}

void TScreenListController::SetUpdateGuard(bool on)
{
    if (FHooks.SetUpdateGuard)
        FHooks.SetUpdateGuard(on);
}

void TScreenListController::StoreChanged()
{
    if (FHooks.StoreChanged)
        FHooks.StoreChanged();
}

void TScreenListController::RebuildScreenList()
{
    const QList<TVLScreenClass *> store = Store();
    FModel.SetScreens(ScreenListRules::FilterScreens(store, FFilterText));
    if (FSelectedRow != -1) {
        FSelectedRow = -1;
        emit SelectionChanged(-1);
    }
    CountAddresses(store);
    // Also with an empty store: after the last screen is deleted the caption
    // must not go on counting rows that are gone.
    FScreensCaption = MessageText(41) % QStringLiteral(" : ") % QString::number(ShownCount());
    emit CaptionsChanged();
}

void TScreenListController::RefreshTotalPCs()
{
    const QList<TVLScreenClass *> store = Store();
    if (CountedAddressesMatch(store))
        return;
    const int before = FTotalPCs;
    CountAddresses(store);
    if (FTotalPCs != before)
        emit CaptionsChanged();
}

bool TScreenListController::CountedAddressesMatch(const QList<TVLScreenClass *> &store) const
{
    qsizetype counted = 0;
    for (const TVLScreenClass *screen : store) {
        if (!screen)
            continue;
        if (counted == FCountedAddresses.size())
            return false;
        const QString &address = screen->Address;
        const QString &before = FCountedAddresses.at(counted++);
        // An address nobody assigned since the count still shares its text
        // with the copy kept here, so most checks need no comparison of text.
        if (address.constData() == before.constData() && address.size() == before.size())
            continue;
        if (address != before)
            return false;
    }
    return counted == FCountedAddresses.size();
}

void TScreenListController::CountAddresses(const QList<TVLScreenClass *> &store)
{
    FCountedAddresses.clear();
    FCountedAddresses.reserve(store.size());
    for (const TVLScreenClass *screen : store) {
        if (screen)
            FCountedAddresses.append(screen->Address);
    }
    FTotalPCs = ScreenListRules::CountDistinctAddresses(store);
}

void TScreenListController::RepaintScreenList()
{
    FModel.RepaintAll();
}

void TScreenListController::RepaintScreen(const TVLScreenClass *screen)
{
    FModel.RepaintScreen(screen);
}

void TScreenListController::SetSelectedRow(int row)
{
    if (row < -1 || row >= ShownCount())
        row = -1;
    if (row == FSelectedRow)
        return;
    FSelectedRow = row;
    emit SelectionChanged(row);
}

void TScreenListController::MonitorListClick(int row)
{
    SetSelectedRow(row);
    // The panel refresh only fills the panels of a selected screen; without
    // one they would go on showing, and offering the controls of, the last.
    if (FSelectedRow == -1 && FHooks.ResetScreenPanels)
        FHooks.ResetScreenPanels();
    RefreshPanel();
}

bool TScreenListController::SelectScreen(const TVLScreenClass *screen)
{
    const int row = FModel.RowOf(screen);
    SetSelectedRow(row);
    return row >= 0;
}

void TScreenListController::ClearSelectionPanels()
{
    SetSelectedRow(-1);
    if (FHooks.ResetScreenPanels)
        FHooks.ResetScreenPanels();
}

void TScreenListController::ToggleLinkMode()
{
    FLinkMode = !FLinkMode;
    emit LinkModeChanged(FLinkMode);

    SetUpdateGuard(false);
    const int remembered = FSelectedRow;
    ClearSelectionPanels();
    RebuildScreenList();
    SetSelectedRow(remembered);
    RefreshPanel();
    SetUpdateGuard(true);
}

void TScreenListController::SwitchLinkModeOff()
{
    if (FLinkMode)
        ToggleLinkMode();
}

void TScreenListController::SetFilterText(const QString &text)
{
    if (text == FFilterText)
        return;
    FFilterText = text;
    emit FilterTextChanged(text);

    SetUpdateGuard(false);
    ClearSelectionPanels();
    RebuildScreenList();
    SetUpdateGuard(true);
    SwitchLinkModeOff();
}

void TScreenListController::ClearFilter()
{
    SetFilterText(QString());
}

QStringList TScreenListController::TagMenuEntries() const
{
    return ScreenListRules::DistinctTags(Store());
}

void TScreenListController::PickTag(const QString &tag)
{
    SetFilterText(ScreenListRules::AppendTagToFilter(FFilterText, tag));
    SwitchLinkModeOff();
}

void TScreenListController::ConnectAll()
{
    if (ShownCount() == 0)
        return;
    if (!Confirmed(MessageFormat(73, QString::number(ShownCount()))))
        return;
    if (!FHooks.ConnectScreen)
        return;
    // The play state stays -1, so ConnectScreen starts the connection and
    // returns without waiting; each screen reports its own outcome later.
    for (const QPointer<TVLScreenClass> &screen : Snapshot(ShownScreens())) {
        if (screen && screen->PlayState == psDisconnected)
            FHooks.ConnectScreen(screen);
    }
}

void TScreenListController::DisconnectAll(bool prompt)
{
    int active = 0;
    for (const TVLScreenClass *screen : ShownScreens()) {
        if (IsConnectedOrConnecting(*screen))
            ++active;
    }
    if (active == 0)
        return;
    if (prompt && !Confirmed(MessageFormat(74, QString::number(active))))
        return;
    for (const QPointer<TVLScreenClass> &screen : Snapshot(ShownScreens())) {
        if (!screen || !IsConnectedOrConnecting(*screen))
            continue;
        if (FHooks.DisconnectScreen)
            FHooks.DisconnectScreen(screen);
        if (screen)
            screen->Volume = 0;
        RefreshPanel();
    }
}

void TScreenListController::DeleteSelectedScreen()
{
    QPointer<TVLScreenClass> screen = SelectedScreen();
    if (!screen) {
        ShowNoSelection();
        return;
    }
    if (!Confirmed(MessageFormat(38, screen->Name)) || !screen)
        return;
    RemoveScreens({screen});
}

void TScreenListController::DeleteAllScreens()
{
    if (ShownCount() == 0) {
        ShowNoSelection();
        return;
    }
    const QList<TVLScreenClass *> shown = ShownScreens();
    const QString text =
        MessageFormat(60, QString::number(shown.size()), ScreenListRules::DeleteAllSummary(shown));
    if (!Confirmed(text))
        return;
    RemoveScreens(shown);
}

void TScreenListController::RemoveScreens(const QList<TVLScreenClass *> &screens)
{
    for (const QPointer<TVLScreenClass> &screen : Snapshot(screens)) {
        if (screen && FHooks.RemoveFromStore)
            FHooks.RemoveFromStore(screen);
    }
    RebuildScreenList();
    ClearSelectionPanels();
    RefreshPanel();
    StoreChanged();
    SwitchLinkModeOff();
}
