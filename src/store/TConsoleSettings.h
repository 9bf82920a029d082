#pragma once

#include <QtGlobal>

class QSettings;

// Window bounds and operator options kept in the store next to the screens.
// One instance lives for the whole run (ConsoleSettings()); the store loads it
// at start and saves it with the screens.
struct TConsoleSettings
{
    // The main window's bounds: written only while WinMAX is false and
    // WinBoundsStored is true (bounds read from the store or taken from the window),
    // so a maximized window keeps its earlier normal bounds in the store.
    qint32 WinLeft = -1, WinTop = -1, WinWidth = -1, WinHeight = -1;
    bool WinMAX = false;
    bool WinBoundsStored = false;
    qint32 LOGLeft = -1, LOGTop = -1, LOGWidth = -1, LOGHeight = -1;
    qint32 SchedEditLeft = -1, SchedEditTop = -1, SchedEditWidth = -1, SchedEditHeight = -1;
    qint32 BrowseLeft = -1, BrowseTop = -1, BrowseWidth = -1, BrowseHeight = -1;
    qint32 AddEditLeft = 0, AddEditTop = 0, AddEditWidth = 0, AddEditHeight = 0;
    bool OPNotConnectedWarning = false;
    bool OPAudioChangeWarning = false;
    bool OPVideoChangeWarning = false;
    bool OPHideScreenWarning = false;
    bool OPScheduleSaveWarning = false;
    qint32 OPLayoutMotionScale = 8; // 1, 2, 4, 8, 16 or 32
    bool OPMinimizedMode = true;
    qint32 OPFakeLayout = 0; // 0 none, 1..3 a preset wall
};

// The settings of this run.
TConsoleSettings &ConsoleSettings();

// Reads the values present in `store` into `settings`; absent or unreadable values
// leave the fields as they are.
void ReadConsoleSettings(const QSettings &store, TConsoleSettings &settings);
// Writes the values whose stored form differs from `settings`.
void WriteConsoleSettings(QSettings &store, const TConsoleSettings &settings);
