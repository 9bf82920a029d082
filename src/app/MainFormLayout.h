#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Designed sizes of the main window's controls; the layout scales nothing,
// it only places these by the window's client size.
struct TMainFormMetrics
{
    int AddButtonLeft = 16; // the one margin of the whole layout
    int AddButtonWidth = 100;
    int AddButtonHeight = 72;
    int TopButtonGap = 8;
    int ListColumnWidth = 216;
    int CounterHeight = 20;
    int TAGPanelHeight = 108;
    int HeaderHeight = 32;
    int SysTimePanelHeight = 52;
    int SchedButtonHeight = 28;
    int NowPlayingHeight = 60;
    int PositionPanelWidth = 136;
    int ApplyButtonWidth = 72;
    int ApplyButtonHeight = 32;
    int ButtonRowHeight = 28;
    int ButtonRowGap = 4;
};

// Where every control of the main window goes, in client coordinates.
struct TMainFormGeometry
{
    QRect AddButton, EditButton, DuplicateButton, RemoveButton, RemoveAllButton;
    QRect ConnectAllButton, DisconnectAllButton;
    QRect LabelScreens, MonitorList, TAGPanel;
    QRect HeaderLabel, ConnectButton;
    QRect SchedulePanel, SysTimePanel, SchedToggleButton, SchedEditButton;
    QRect NowPlayingPanel, PositionPanel, VolumePanel;
    // Only meaningful while the extended playlist controls are shown.
    QRect CurPLPanel, TransportRow, SeekRow;
    QRect ApplyPLButton, CopyPLButton;
    QRect EditPLPanel, EditorButtonRow, EditorMoveRow;
};

// The smallest client size: 9.5 and 8 times the "Add Screen" button (950 by 576 as designed).
QSize MinimumClientSize(const TMainFormMetrics &metrics);

// The size rules of the window. `client` below the minimum is laid out as the minimum.
TMainFormGeometry LayOutMainForm(QSize client, bool extendedHidden,
                                 const TMainFormMetrics &metrics);

// Stored window bounds as they can be used now: kept when enough of the window
// (its top edge, where it is grabbed to move it) lies on one of `screens`, else
// centred on the first screen, so a window saved on a monitor that is gone
// does not open out of reach. The size is never below `minimum`.
QRect UsableWindowBounds(const QRect &stored, const QList<QRect> &screens, QSize minimum);
