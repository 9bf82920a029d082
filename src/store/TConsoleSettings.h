#pragma once

#include <QtGlobal>

// Window bounds and operator options kept in the store next to the screens.
// One instance lives for the whole run (ConsoleSettings()); the store loads it
// at start and saves it with the screens.
struct TConsoleSettings
{
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
    qint32 OPLayoutMotionScale = 8;
    bool OPMinimizedMode = true;
    qint32 OPFakeLayout = 0;
};

// The settings of this run.
TConsoleSettings &ConsoleSettings();
