// The panel refresh of the main window and the enabling of the screen controls.
#include "app/SystemTimeText.h"
#include "app/TCaptionPanel.h"
#include "app/TMainForm.h"
#include "console/TScreenListController.h"
#include "link/PanelText.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"

#include <QAction>
#include <QDateTime>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace {

void FillList(QListWidget *list, const QStringList &rows)
{
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(rows);
}

} // namespace

void TMainForm::RefreshScreenPanel()
{
    if (FClosing)
        return;
    {
        const QScopedValueRollback<bool> guard(FUpdateGuard, false);
        if (TVLScreenClass *screen = SelectedScreen())
            ShowScreenPanel(screen);
    }
    // Also without a selection: an address applied in the properties dialog
    // changes the count without a rebuild of the list.
    ScreenList().RefreshTotalPCs();
    ShowExtendedControls();
}

void TMainForm::ShowScreenPanel(TVLScreenClass *screen)
{
    const TMainFormControls &c = FControls;
    const int state = screen->PlayState;

    c.HeaderLabel->setText(PanelHeaderText(screen->Tags));
    SetScreenControlsEnabled(ScreenControlsEnabled(state));

    c.ConnectButton->setEnabled(ConnectButtonEnabled(state));
    c.ConnectButton->setText(ConnectButtonCaption(state));

    switch (PlayPausePicture(state)) {
    case TPlayPausePicture::Play:
        c.PlayPauseButton->setIcon(QIcon(FPictures.ButtonPicture(TButtonPicture::Play)));
        break;
    case TPlayPausePicture::Pause:
        c.PlayPauseButton->setIcon(QIcon(FPictures.ButtonPicture(TButtonPicture::Pause)));
        break;
    case TPlayPausePicture::Unchanged:
        break;
    }

    QStringList scheduleRows;
    for (const TVLScheduleRecord &entry : screen->Schedule)
        scheduleRows << ScheduleDisplayRowText(entry.File);
    FillList(c.ScheduleListDisplay, scheduleRows);
    // One row is as high as the text "0" in the list's font.
    const int rowHeight = QFontMetrics(c.ScheduleListDisplay->font()).height();
    for (int i = 0; i < c.ScheduleListDisplay->count(); ++i)
        c.ScheduleListDisplay->item(i)->setSizeHint(QSize(0, rowHeight));

    {
        const QSignalBlocker blocker(c.VolumeTrackBar);
        c.VolumeTrackBar->setValue(screen->Volume);
    }
    c.VolumeTrackBar->setToolTip(VolumeHintText(screen->Volume));

    QStringList currentRows;
    for (const QString &entry : screen->CurrentPlaylist)
        currentRows << PlaylistRowText(entry);
    FillList(c.CurPLListBox, currentRows);

    FFillingEditor = true;
    {
        const QSignalBlocker blocker(c.EditPLListBox);
        c.EditPLListBox->clear();
        for (const TPlaylistItem &item : screen->Playlist) {
            auto *row = new QListWidgetItem(item.Text, c.EditPLListBox);
            row->setSelected(item.Selected);
        }
    }
    FFillingEditor = false;

    c.NowPlayingEdit->setText(PlaylistRowText(screen->NowPlaying));
    c.PositionLabel->setText(screen->PositionText);
    c.NowPlayingPanel->SetCaption(PlayStateText(state));

    SystemTimeTimerTimer();
}

void TMainForm::EditPLListBoxSelectionChange()
{
    // The operator's selection is kept in the rows' marks, so that the next panel
    // refresh (after any status line of the screen) restores it instead of dropping it.
    if (FFillingEditor || FClosing)
        return;
    TVLScreenClass *screen = SelectedScreen();
    if (!screen || screen->Playlist.size() != FControls.EditPLListBox->count())
        return;
    for (int i = 0; i < FControls.EditPLListBox->count(); ++i)
        screen->Playlist[i].Selected = FControls.EditPLListBox->item(i)->isSelected();
}

void TMainForm::ShowExtendedControls()
{
    for (QWidget *widget : FControls.ExtendedControls())
        widget->setVisible(!FExtendedHidden);
    FControls.PLVisibleButton->setIcon(QIcon(FPictures.ButtonPicture(
        FExtendedHidden ? TButtonPicture::ShowMore : TButtonPicture::ShowLess)));
}

void TMainForm::SetScreenControlsEnabled(bool on)
{
    const TMainFormControls &c = FControls;
    for (QWidget *control : c.ScreenControls())
        control->setEnabled(on);
    c.MenuClearPlaylistEdit->setEnabled(on);

    const TVLScreenClass *screen = SelectedScreen();
    if (screen) {
        if (screen->SchedulerState == 0)
            c.SchedToggleButton->setText(MessageText(18));
        else if (screen->SchedulerState == 1 || screen->SchedulerState == 2)
            c.SchedToggleButton->setText(MessageText(19));
        const bool linked = screen->PlayState != -1 && screen->PlayState != 100;
        c.SchedEditButton->setEnabled(linked);
        if (linked) {
            c.ApplyPLButton->setEnabled(!screen->ApplyInProgress);
            c.CopyPLButton->setEnabled(!screen->ApplyInProgress);
        }
    } else {
        c.SchedToggleButton->setText(MessageText(18));
        c.SchedEditButton->setEnabled(false);
    }

    for (TCaptionPanel *panel : c.Panels())
        panel->SetGreyed(!on);

    if (!on) {
        c.PlayPauseButton->setIcon(QIcon(FPictures.ButtonPicture(TButtonPicture::Play)));
        const QScopedValueRollback<bool> guard(FUpdateGuard, false);
        c.VolumeTrackBar->setValue(0);
    }
}

void TMainForm::ResetScreenPanels()
{
    if (FClosing)
        return;
    FControls.HeaderLabel->setText(QStringLiteral(" ") + MessageText(6));
    FillList(FControls.CurPLListBox, {});
    FillList(FControls.EditPLListBox, {});
    SetScreenControlsEnabled(false);
}

void TMainForm::SystemTimeTimerTimer()
{
    if (FClosing)
        return;
    const TVLScreenClass *screen = SelectedScreen();
    if (!screen)
        return;
    FControls.SysTimeLabel->setText(SystemTimeText(screen->SysTimeSynched, screen->SysTimeDiff,
                                                   DateTimeToDays(QDateTime::currentDateTime()),
                                                   FTimeFormat));
}

bool TMainForm::IsSelectedScreenSocket(const TVLScreenClass *screen) const
{
    return screen && SelectedScreen() == screen;
}

void TMainForm::ShowPositionText(const QString &text)
{
    if (FClosing)
        return;
    FControls.PositionLabel->setText(text);
}
