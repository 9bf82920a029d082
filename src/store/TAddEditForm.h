#pragma once

#include "store/AddEditRules.h"
#include "store/LayoutPreview.h"
#include "store/MonitorRect.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TAddEditLayoutImage;
class TScreenHost;
class TScreenStore;
class TVLScreenClass;

// What a committed change was, for the window that keeps the list.
enum class TAddEditCommit {
    Added,      // a new screen was appended to the store
    Edited,     // the edited screen took the dialog's values and the dialog closed
    Duplicated, // a copy was appended to the store
    Applied     // "Apply" wrote the values into a stored screen; the dialog stays open
};

// The screen properties dialog: creates, edits and duplicates screens, keeps
// the layout preview in step with the layout fields and pushes changes to a
// connected screen. It is created once and reused.
class TAddEditForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAddEditForm(TScreenStore *store, QWidget *parent = nullptr);
    ~TAddEditForm() override;

    // Called after every committed change with the screen concerned: the
    // window saves the store and, except for Applied, rebuilds the shown list,
    // selects that screen and switches link mode off.
    std::function<void(TVLScreenClass *, TAddEditCommit)> OnCommitted;
    // The panel refresh of the main window.
    std::function<void()> OnRefreshPanel;
    // Given to screens this dialog creates.
    void SetScreenHost(TScreenHost *host) { FHost = host; }

    // The three entry points ("Add Screen", "Edit Screen", "Duplicate
    // Screen"); `selected` is the screen of the selected row or nullptr.
    void AddButtonClick();
    void EditButtonClick(TVLScreenClass *selected);
    void DuplicateButtonClick(TVLScreenClass *selected);

    // The entry points in two halves around the modal run, so the dialog can
    // be driven without a nested event loop.
    void BeginAdd();
    TVLScreenClass *FinishAdd(int result);
    bool BeginEdit(TVLScreenClass *selected);
    void FinishEdit(int result);

    TVLScreenClass *EditedScreen() const { return FEditedScreen; }
    bool AddMode() const { return FAddMode; }
    bool DialogActive() const { return FDialogActive; }
    // The monitors the dialog shows: the edited screen's, or those adopted
    // from another screen at the typed address (kept until the commit).
    const MonitorRectList &Monitors() const { return FMonitors; }

    // Handlers, by their bound names.
    void FormShow();
    void FormActivate();
    void FormClose();
    void LayoutCBChange();
    void ScreenModeCBChange();
    void MonitorCBChange();
    void AddrEditChange();
    void EnableApplyButtons();
    void SlideshowDelayEditChange();
    void AudioDeviceCBChange();
    void VideoRendererCBChange();
    void ScheduleHideScreenCBoxClick();
    void ApplyButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();

    void CommitToScreen();
    void AdoptMonitorList();
    void DrawLayoutPreview();

    // Preview handlers.
    void LayoutImageMouseDown(const QPoint &position, Qt::MouseButton button,
                              Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void LayoutImageMouseMove(const QPoint &position, Qt::MouseButtons buttons,
                              Qt::KeyboardModifiers modifiers);
    void LayoutImageMouseUp();
    // Empties `menu` and fills it with the motion ratio items.
    void BuildMotionRatioMenu(QMenu *menu);
    bool Dragging() const { return FDrag.Dragging(); }

    // Bounds kept in the console settings between runs.
    void ApplyStoredBounds();
    void StoreBounds();

    // Controls.
    QLineEdit *NameEdit = nullptr;
    QLineEdit *AddrEdit = nullptr;
    QLineEdit *PortEdit = nullptr;
    QLineEdit *PasswordEdit = nullptr;
    QComboBox *VideoRendererCB = nullptr;
    QComboBox *AudioDeviceCB = nullptr;
    QLineEdit *TagsEdit = nullptr;
    QComboBox *PlaylistModeCB = nullptr;
    QLineEdit *SlideshowDelayEdit = nullptr;
    QCheckBox *ScheduleHideScreenCBox = nullptr;
    QCheckBox *SchedulePauseCBox = nullptr;
    QCheckBox *HideMouseCursorCBox = nullptr;
    QCheckBox *DisableOSDCBox = nullptr;
    QCheckBox *DisablePartsCBox = nullptr;
    QComboBox *ScreenModeCB = nullptr;
    QComboBox *LayoutCB = nullptr;
    QComboBox *MonitorCB = nullptr;
    QLineEdit *CustomXOfsEdit = nullptr;
    QLineEdit *CustomYOfsEdit = nullptr;
    QLineEdit *CustomWidthEdit = nullptr;
    QLineEdit *CustomHeightEdit = nullptr;
    TAddEditLayoutImage *LayoutImage = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *ApplyButton = nullptr;
    QPushButton *SaveButton = nullptr;

    QLabel *LayoutLabel = nullptr;
    QLabel *ScreenModeLabel = nullptr;
    QLabel *MonitorLabel = nullptr;
    QLabel *CustomXOfsLabel = nullptr;
    QLabel *CustomYOfsLabel = nullptr;
    QLabel *CustomWidthLabel = nullptr;
    QLabel *CustomHeightLabel = nullptr;

    // The designed client size.
    static constexpr int DesignedWidth = 898;
    static constexpr int DesignedHeight = 521;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    void done(int result) override;

private:
    void CreateControls();
    void ConnectHandlers();
    QLabel *AddLabel(const QString &text, int x, int y);
    QLineEdit *AddEdit(int x, int y, int width);
    QComboBox *AddComboBox(int x, int y, int width, const QStringList &items);
    QCheckBox *AddCheckBox(const QString &text, int x, int y);
    void SetControls(const TAddEditValues &values);
    TAddEditValues ReadControls() const;
    void FillMonitorList(int chosen);
    void ApplyLayoutControlState();
    void SetFieldText(QLineEdit *edit, const QString &text);
    void SetOffsetFields(qint32 x, qint32 y, qint32 width, qint32 height);
    TLayoutPreviewInput PreviewInput();
    void FormResize();
    bool StartMovingWindow();
    void ShowWarningOnce(int message, bool &flag);
    void NotifyCommitted(TVLScreenClass *screen, TAddEditCommit kind);
    void RefreshPanel();
    QList<TVLScreenClass *> StoreScreens() const;
    void AppendToStore(TVLScreenClass *screen);

    TScreenStore *FStore = nullptr;
    TScreenHost *FHost = nullptr;
    TVLScreenClass *FEditedScreen = nullptr;
    TVLScreenClass *FNewScreen = nullptr; // owned until stored or discarded
    bool FAddMode = false;
    bool FDialogActive = false;
    bool FFilling = false;
    MonitorRectList FMonitors;
    bool FMonitorsAdopted = false;
    TLayoutPreviewDrag FDrag;
    QMenu *FLayoutPopupMenu = nullptr;
};
