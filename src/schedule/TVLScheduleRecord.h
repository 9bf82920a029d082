#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One timed entry of a screen's schedule. Dates are day serials (day 0 is
// 30 December 1899) held at noon; times are seconds since midnight.
struct TVLScheduleRecord
{
    QString File;
    double StartDate = 0.5;
    qint32 StartTime = 0;
    qint64 StartStamp = 0;
    double EndDate = 0.5;
    qint32 EndTime = 0;
    qint64 EndStamp = 0;
    qint32 Override = 0;
    qint32 StartFuncType = 0;
    qint32 StartFuncIndex = -1;
    qint32 StartFuncValue = 0;
    qint32 EndFuncType = 0;
    qint32 EndFuncIndex = -1;
    qint32 EndFuncValue = 0;
};

using TVLSchedule = QList<TVLScheduleRecord>;
