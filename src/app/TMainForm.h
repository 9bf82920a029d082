#pragma once

#include "app/BuiltinPictures.h"
#include "app/MainFormControls.h"
#include "link/StatusDispatch.h"
#include "link/TScreenHost.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class TAddEditForm;
class TScreenListController;
class TScreenListPanel;
class TScreenStore;
class TVLScreenClass;

// Folders the window works with, both ending with a separator.
struct TMainFormFolders
{
    QString ProgramFolder;
    QString DataFolder;
};

// The console's main window: the screen list on the left, the selected screen's
// panels on the right. It owns the screen store. Handlers are thin: the logic
// lives in the screen list controller, the status dispatcher and the session
// routines, which tests drive directly.
class TMainForm : public QWidget, public TScreenHost, public TStatusHooks
{
    Q_OBJECT

public:
    // Runs FormCreate: loads the store (ORVANE_PROFILE_DIR chooses another one) and
    // builds the list. The system-time timer starts with the window.
    explicit TMainForm(const TMainFormFolders &folders, QWidget *parent = nullptr);
    ~TMainForm() override;

    // TScreenHost and TStatusHooks.
    QObject *SocketOwner() override { return this; }
    void RefreshScreenPanel() override;
    void RepaintScreenList() override;
    void DispatchStatus(TVLScreenClass *screen, int code, const QString &payload) override;
    void ScreenDisconnected(TVLScreenClass *screen) override;
    bool IsSelectedScreenSocket(const TVLScreenClass *screen) const override;
    void ShowPositionText(const QString &text) override;
    QList<TVLScreenClass *> StoreScreens() const override;
    void FolderListingReceived(TVLScreenClass *screen, const QStringList &items) override;

    // Enables or greys the selected screen's controls together.
    void SetScreenControlsEnabled(bool on);
    // Saves the store after a change the operator committed, so it survives a
    // process that ends without closing the window.
    void StoreChanged();

    // The screen properties dialog, created once after the window (program entry order).
    void CreatePropertiesDialog();
    TAddEditForm *PropertiesDialog() const;

    // Actions that keep the message loop running while they wait (connecting a
    // screen, activating a playlist, pushing a schedule) are bracketed by these.
    // A close request that arrives meanwhile is carried out once the last one
    // ends: closing releases the screens such an action is still working on.
    void BeginWaitingAction();
    void EndWaitingAction();

    void FormShow();
    // Shutdown, in order; entered once, later calls do nothing.
    void FormClose();
    bool IsClosing() const { return FClosing; }
    void SystemTimeTimerTimer();

    TScreenStore &Store() { return *FStore; }
    TScreenListController &ScreenList();
    TScreenListPanel *ScreenListPanel() const { return FScreenListPanel; }
    TVLScreenClass *SelectedScreen() const;
    TStatusDispatcher &Dispatcher() { return FDispatcher; }
    const TMainFormControls &Controls() const { return FControls; }
    const TConsolePictures &Pictures() const { return FPictures; }
    const TMainFormFolders &Folders() const { return FFolders; }

    // The update guard: false while the program itself sets a control's value.
    bool UpdateGuard() const { return FUpdateGuard; }
    void SetUpdateGuard(bool on) { FUpdateGuard = on; }
    bool ExtendedControlsHidden() const { return FExtendedHidden; }

    // Handlers of the top row and the header.
    void AddButtonClick();
    void EditButtonClick();
    void DuplicateButtonClick();
    void RemoveButtonClick();
    void RemoveAllButtonClick();
    void ConnectAllButtonClick();
    void DisconnectAllButtonClick();
    void ConnectButtonClick();
    // Handlers whose actions are built elsewhere; they do nothing yet.
    void PlayPauseButtonClick() {}
    void StopButtonClick() {}
    void PrevButtonClick() {}
    void NextButtonClick() {}
    void SeekBackButtonClick() {}
    void SeekForwardButtonClick() {}
    void SeekButtonClick() {}
    void VolumeTrackBarChange();
    void AddItemButtonClick() {}
    void RemoveItemButtonClick() {}
    void MoveItemUPButtonClick() {}
    void MoveItemDownButtonClick() {}
    void MoveItemTopButtonClick() {}
    void MoveItemBottomButtonClick() {}
    void MenuClearPlaylistEditClick() {}
    void CopyPLButtonClick() {}
    void ApplyPLButtonClick() {}
    void SavePlaylistButtonClick() {}
    void LoadPlaylistButtonClick() {}
    void CurPLListBoxDblClick() {}
    void SchedToggleButtonClick() {}
    void SchedEditButtonClick() {}
    void ScheduleListDisplayDblClick();
    void PLVisibleButtonClick();

    // The size rules (FormResize); also run after the extended controls toggle.
    void FormResize();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FormCreate();
    void ConnectHandlers();
    void CreateScreenListPanel();
    void ResetScreenPanels();
    void ShowScreenPanel(TVLScreenClass *screen);
    void ShowExtendedControls();
    void EditPLListBoxSelectionChange();
    void ScreenCommitted(TVLScreenClass *screen, int kind);
    void ApplyStoredBounds();
    void KeepBoundsForStore();

    TMainFormFolders FFolders;
    TMainFormMetrics FMetrics;
    TMainFormControls FControls;
    TConsolePictures FPictures;
    std::unique_ptr<TScreenStore> FStore;
    TScreenListPanel *FScreenListPanel = nullptr;
    QPointer<TAddEditForm> FAddEditForm;
    TStatusDispatcher FDispatcher;
    bool FClosing = false;
    bool FUpdateGuard = true;
    bool FExtendedHidden = true;
    bool FFillingEditor = false;
    int FWaitingActions = 0;
    bool FCloseDeferred = false;
    QString FTimeFormat;
};
