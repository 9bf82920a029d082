#pragma once

#include <QList>
#include <QtGlobal>

// One monitor of a screen PC, in that PC's desktop pixels. Left and Top may
// be negative for a monitor left of or above the primary one.
struct MonitorRect
{
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Width = 0;
    qint32 Height = 0;

    bool operator==(const MonitorRect &other) const
    {
        return Left == other.Left && Top == other.Top && Width == other.Width &&
               Height == other.Height;
    }
    bool operator!=(const MonitorRect &other) const { return !(*this == other); }
};

using MonitorRectList = QList<MonitorRect>;
