#pragma once

#include <QString>
#include <QStringList>

// Texts and choices of the panel that shows the selected screen. Pure routines,
// so the window only puts their results into its controls.

// The header above the panel: a space and the TAGs joined by ", ", or a space
// and the "No TAGs specified" text.
QString PanelHeaderText(const QStringList &tags);

// A schedule entry's content as one row of the schedule display: a web link
// unchanged, else the file name, or for a folder its path.
QString ScheduleDisplayRowText(const QString &file);

// A current-playlist entry (and the now-playing text): the part after the
// first "://" for a link, else the file name.
QString PlaylistRowText(const QString &entry);

// The connect button by play state.
QString ConnectButtonCaption(int playState);
bool ConnectButtonEnabled(int playState);

// Whether the per-screen controls are usable in this play state.
bool ScreenControlsEnabled(int playState);

// The picture of the play/pause button by play state.
enum class TPlayPausePicture { Play, Pause, Unchanged };
TPlayPausePicture PlayPausePicture(int playState);

// The status line by play state.
QString PlayStateText(int playState);

// The volume slider's hint, such as "40%".
QString VolumeHintText(int volume);
