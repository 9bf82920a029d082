#pragma once

#include "schedule/TVLScheduleRecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>

// Highest index of a Standard (type 0) and an Extended (type 1) presenter function.
constexpr qint32 MaxStandardFuncIndex = 246;
constexpr qint32 MaxExtendedFuncIndex = 34;
// Highest priority the editor offers; nothing can be placed above it.
constexpr qint32 MaxSchedulePriority = 10;

// Day serials: day 0 is 30 December 1899.
qint64 WholeDays(double dateSerial);
double DateSerialAtNoon(const QDate &date);
QDate DateOfSerial(double dateSerial);
// A moment as whole days since day 0 plus the time of day as a fraction.
double DaySerial(const QDate &date, const QTime &time);

// Recomputes StartStamp and EndStamp from the dates and times.
void UpdateStamps(TVLScheduleRecord &entry);

// The one-line entry text used on the wire and in storage.
QString ScheduleEntryText(const TVLScheduleRecord &entry);
// Appends the entry text to `text`.
void AppendScheduleEntryText(QString &text, const TVLScheduleRecord &entry);
// Appends a whole number in plain decimal, "-" before a negative one.
void AppendDecimal(QString &text, qint64 value);
// One entry text per entry, in list order.
QStringList ScheduleEntryTexts(const TVLSchedule &schedule);
// The entry texts joined by "|", nothing escaped.
QString ScheduleWireText(const TVLSchedule &schedule);

// Appends one entry for every good entry text in `texts`, in order; other items are
// skipped silently. An item needs all four of StartDate, StartTime, EndDate and
// EndTime: every writer writes them, so a text without one is not an entry.
void ParseScheduleEntries(const QStringList &texts, TVLSchedule &schedule);
// The same for entry texts joined by "|" (the wire form, or the stored form once
// unescaped), without cutting the list into separate strings first.
void ParseScheduleList(QStringView wireText, TVLSchedule &schedule);

// Replaces the content of `to` with a copy of `from`.
void CopySchedule(const TVLSchedule &from, TVLSchedule &to);

// Earlier start first, then lower priority, then File in natural order.
int CompareScheduleEntries(const TVLScheduleRecord &a, const TVLScheduleRecord &b);
// Stable sort by CompareScheduleEntries.
void SortSchedule(TVLSchedule &schedule);

// True when the span [start, end) conflicts with the entry's [StartStamp, EndStamp).
bool SpanConflictsWith(const TVLScheduleRecord &entry, qint64 start, qint64 end);
// Highest Override among the entries that conflict with the span, leaving out the
// entry at `skipIndex` (-1 for none); -1 when none conflicts.
qint32 HighestConflictingPriority(const TVLSchedule &schedule, int skipIndex, qint64 start,
                                  qint64 end);

// What the editor does with the priority the operator chose, given the highest
// conflicting priority.
enum class TPriorityOutcome {
    UseChosen,   // no conflict at or above the chosen priority
    CannotPlace, // the conflicting entries already have the highest priority
    AskToRaise   // ask the operator; accepted gives RaisedPriority, else ChosenPriority
};
struct TPriorityDecision
{
    TPriorityOutcome Outcome = TPriorityOutcome::UseChosen;
    qint32 ChosenPriority = 0;
    qint32 RaisedPriority = 0;
};
TPriorityDecision DecidePriority(qint32 chosenPriority, qint32 highestConflicting);

// "Now" as a moment: today's day serial times 86400 plus the local time of day in
// whole seconds.
qint64 MomentOf(const QDateTime &localTime);
qint64 CurrentMoment();

bool IsOutdated(const TVLScheduleRecord &entry, qint64 now);

enum class TEntryPhase { Outdated, Active, Upcoming };
// Outdated once EndStamp lies before now, upcoming while now lies before
// StartStamp, active in between.
TEntryPhase ClassifyEntry(const TVLScheduleRecord &entry, qint64 now);
