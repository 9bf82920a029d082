#pragma once

#include "store/MonitorRect.h"

#include <QList>
#include <QString>
#include <QStringList>

class TVLScreenClass;

// The bounding rectangle of a monitor list as left, top, right, bottom. An
// empty list gives the starting values (65535, 65535, -65535, -65535).
struct TMonitorBounds
{
    qint32 Left = 65535;
    qint32 Top = 65535;
    qint32 Right = -65535;
    qint32 Bottom = -65535;
};
TMonitorBounds MonitorBounds(const MonitorRectList &list);

// The monitor list text of preset wall 1, 2 or 3 (1920 x 1080 monitors in
// 2 x 2, 3 x 2 and 3 x 3); empty for any other number.
QString PresetWallText(int option);

// Outcome of the duplicate check when adding a screen.
enum TDuplicateKind : int { dkNone = 0, dkSameName = 1, dkSameAddressAndPort = 2 };

// Walks the whole store; the last screen that matches decides. A matching
// name gives dkSameName, a matching address with the same port text
// dkSameAddressAndPort (the latter wins within one screen).
TDuplicateKind FindDuplicate(const QList<TVLScreenClass *> &store, const QString &name,
                             const QString &address, const QString &portText);

// The first screen of the store, other than `edited`, at `address`
// (case-insensitive) that knows its monitors; nullptr when there is none.
const TVLScreenClass *FindMonitorSource(const QList<TVLScreenClass *> &store,
                                        const TVLScreenClass *edited, const QString &address);

// Everything the dialog's controls hold, as plain values: what CommitToScreen
// copies into a screen and what filling the dialog reads from one.
struct TAddEditValues
{
    QString Name;
    QString Address;
    QString PortText = QStringLiteral("4769");
    QString Password;
    QString TagsText;
    QString SlideshowDelayText = QStringLiteral("0");
    QString XOfsText = QStringLiteral("0");
    QString YOfsText = QStringLiteral("0");
    QString WidthText = QStringLiteral("1920");
    QString HeightText = QStringLiteral("1080");
    int Monitor = 0; // index in "Default", "1" .. "n"
    int Layout = 0;
    int PlaylistMode = 2;
    int ScreenMode = 0;
    int VideoRenderer = 7;
    bool SchedulePause = true;
    bool ScheduleHideScreen = false;
    bool HideMouseCursor = true;
    bool DisableOSD = true;
    bool DisableParts = true;
    QStringList AudioDevices;
    int AudioDeviceIndex = -1; // none chosen
};

// The controls of a fresh "Add Screen".
TAddEditValues NewScreenValues();

// The controls filled from a stored screen; a `Monitor` past the monitor list
// is shown as "Default".
TAddEditValues ValuesFromScreen(const TVLScreenClass &screen);

// Copies the values into the screen, numbers that do not convert taking their
// fallbacks (port 4769, offsets 0, size 1920 x 1080, delay 0). Setting the
// password re-keys the screen's channel cipher.
void CommitValuesToScreen(const TAddEditValues &values, TVLScreenClass &screen);

// Which layout controls show, derived from the layout and the screen mode.
struct TLayoutControlState
{
    bool LayoutVisible = true;
    bool OffsetsVisible = false;
    bool OffsetsEnabled = false;
    bool MonitorVisible = true;
    bool ScreenModeEnabled = false;
};
TLayoutControlState LayoutControlState(int layout, int screenMode);
