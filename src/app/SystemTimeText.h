#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

// Date-times as day counts: day 0 is 30 December 1899, the fraction is the time of day.
double DateTimeToDays(const QDateTime &local);

// The selected screen's wall-clock time estimated from the console's clock and the
// stored difference (console minus screen, in days). Only the time of day matters,
// so whole days of difference drop out.
QTime EstimatedScreenTime(double consoleNowDays, double sysTimeDiff);

// The system's long time format without a time-zone part: the estimate is the
// screen PC's time, and the console's zone name would be wrong next to it.
QString LongTimeFormat();

// The text of the "System Time" panel: empty while the screen never reported its clock.
QString SystemTimeText(bool sysTimeSynched, double sysTimeDiff, double consoleNowDays,
                       const QString &format);
