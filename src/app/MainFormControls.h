#pragma once

#include "app/MainFormLayout.h"

#include <QList>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;
class QWidget;
class TCaptionPanel;
class TConsolePictures;

// Every control of the main window apart from the screen list column. The
// window owns them (they are its children); this only keeps the pointers.
struct TMainFormControls
{
    // Top row.
    QPushButton *AddButton = nullptr;
    QPushButton *EditButton = nullptr;
    QPushButton *DuplicateButton = nullptr;
    QPushButton *RemoveButton = nullptr;
    QPushButton *RemoveAllButton = nullptr;
    QPushButton *ConnectAllButton = nullptr;
    QPushButton *DisconnectAllButton = nullptr;

    // Header row.
    QLabel *HeaderLabel = nullptr;
    QPushButton *ConnectButton = nullptr;

    // Schedule and system time.
    TCaptionPanel *SchedulePanel = nullptr;
    QListWidget *ScheduleListDisplay = nullptr;
    QPushButton *SchedToggleButton = nullptr;
    QPushButton *SchedEditButton = nullptr;
    TCaptionPanel *SysTimePanel = nullptr;
    QLabel *SysTimeLabel = nullptr;
    QTimer *SystemTimeTimer = nullptr;

    // Now playing, position and volume. The now-playing caption is the status text.
    TCaptionPanel *NowPlayingPanel = nullptr;
    QLineEdit *NowPlayingEdit = nullptr;
    QToolButton *PLVisibleButton = nullptr;
    TCaptionPanel *PositionPanel = nullptr;
    QLabel *PositionLabel = nullptr;
    TCaptionPanel *VolumePanel = nullptr;
    QSlider *VolumeTrackBar = nullptr;

    // Current playlist with the transport and seek rows beneath it.
    TCaptionPanel *CurPLPanel = nullptr;
    QListWidget *CurPLListBox = nullptr;
    QWidget *TransportRow = nullptr;
    QToolButton *PlayPauseButton = nullptr;
    QToolButton *StopButton = nullptr;
    QToolButton *PrevButton = nullptr;
    QToolButton *NextButton = nullptr;
    QToolButton *SeekBackButton = nullptr;
    QToolButton *SeekForwardButton = nullptr;
    QWidget *SeekRow = nullptr;
    QLabel *SeekHLabel = nullptr;
    QLabel *SeekMLabel = nullptr;
    QLabel *SeekSLabel = nullptr;
    QLineEdit *SeekH = nullptr;
    QLineEdit *SeekM = nullptr;
    QLineEdit *SeekS = nullptr;
    QPushButton *SeekButton = nullptr;

    // Apply/Copy column and the playlist editor with its two button rows.
    QPushButton *ApplyPLButton = nullptr;
    QPushButton *CopyPLButton = nullptr;
    TCaptionPanel *EditPLPanel = nullptr;
    QListWidget *EditPLListBox = nullptr;
    QMenu *EditPLPopupMenu = nullptr;
    QAction *MenuClearPlaylistEdit = nullptr;
    QWidget *EditorButtonRow = nullptr;
    QPushButton *AddItemButton = nullptr;
    QPushButton *RemoveItemButton = nullptr;
    QPushButton *LoadPlaylistButton = nullptr;
    QPushButton *SavePlaylistButton = nullptr;
    QWidget *EditorMoveRow = nullptr;
    QToolButton *MoveItemTopButton = nullptr;
    QToolButton *MoveItemUPButton = nullptr;
    QToolButton *MoveItemDownButton = nullptr;
    QToolButton *MoveItemBottomButton = nullptr;

    // The controls that follow the selected screen's connection, switched together.
    QList<QWidget *> ScreenControls() const;
    // The panels whose captions and frames grey out with them.
    QList<TCaptionPanel *> Panels() const;
    // The panels, rows and buttons shown only with the extended playlist controls.
    QList<QWidget *> ExtendedControls() const;
};

// Creates every control as a child of `form`, with its name, caption and hint.
void BuildMainFormControls(QWidget *form, const TConsolePictures &pictures,
                           TMainFormControls &controls);

// Places the controls by the size rules and shows or hides the extended ones.
void ApplyMainFormGeometry(TMainFormControls &controls, const TMainFormGeometry &geometry,
                           bool extendedHidden);
