#include "schedule/ScheduleEntries.h"

#include "schedule/NaturalCompare.h"
#include "schedule/RecordFields.h"
#include "store/RecordText.h"

#include <QStringTokenizer>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

const QDate DayZero(1899, 12, 30);

// Day serials outside years 1..9999 are no calendar day; refusing them keeps the
// stamp arithmetic far from overflow.
constexpr double MinDaySerial = -693594.0;
constexpr double MaxDaySerial = 2958466.0;

// A whole day count as every writer puts it: digits with an optional "-".
bool ReadWholeDays(QStringView text, double &number)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    if (text.size() <= i || text.size() - i > 9)
        return false;
    qint64 days = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        days = days * 10 + (c - u'0');
    }
    number = static_cast<double>(text.startsWith(u'-') ? -days : days);
    return true;
}

// A date value: "." or "," as decimal point (the first one found), empty is 0.
bool ReadDateValue(QStringView value, double &date)
{
    const QStringView trimmed = value.trimmed();
    if (trimmed.isEmpty()) {
        date = 0.5;
        return true;
    }
    double whole = 0.0;
    if (ReadWholeDays(trimmed, whole)) {
        if (whole < MinDaySerial || whole > MaxDaySerial)
            return false;
        date = whole + 0.5;
        return true;
    }
    QString text = trimmed.toString();
    for (QChar &c : text) {
        if (c == u'.' || c == u',') {
            c = u'.';
            break;
        }
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < MinDaySerial || number > MaxDaySerial)
        return false;
    date = number + 0.5;
    return true;
}

// Writes `key` and then `value` in decimal at `out`, and moves `out` past them.
template <size_t N> void PutNumber(char *&out, const char (&key)[N], qint64 value)
{
    std::memcpy(out, key, N - 1);
    out = std::to_chars(out + N - 1, out + N - 1 + 20, value).ptr;
}

// Room for the fixed part of an entry text and its numbers.
constexpr qsizetype EntryTextReserve = 200;

// An index that names no function of its table becomes "no function".
void ClampFunction(qint32 type, qint32 &index)
{
    qint32 highest = -1;
    if (type == 0)
        highest = MaxStandardFuncIndex;
    else if (type == 1)
        highest = MaxExtendedFuncIndex;
    if (index > highest || index < -1)
        index = -1;
}

bool ParseOneEntry(QStringView item, TVLScheduleRecord &entry)
{
    // The kind word in any letter case, with nothing before it.
    if (!item.startsWith(QLatin1String("addentry"), Qt::CaseInsensitive))
        return false;

    bool good = true;
    bool hasStartDate = false, hasStartTime = false, hasEndDate = false, hasEndTime = false;
    // The content is written unescaped, so it may end in "(": all the arguments found
    // are read, not only as many as the count gives.
    for (const QStringView argument : FoundRecordArgumentViews(item)) {
        const TRecordField field = SplitRecordField(argument);
        if (!field.HasKey)
            continue;
        const QStringView key = field.Key;
        if (KeyIs(key, QLatin1String("file"))) {
            entry.File = field.Value.toString();
        } else if (KeyIs(key, QLatin1String("startdate"))) {
            good &= ReadDateValue(field.Value, entry.StartDate);
            hasStartDate = true;
        } else if (KeyIs(key, QLatin1String("enddate"))) {
            good &= ReadDateValue(field.Value, entry.EndDate);
            hasEndDate = true;
        } else if (KeyIs(key, QLatin1String("starttime"))) {
            good &= ReadRecordInteger(field.Value, entry.StartTime);
            hasStartTime = true;
        } else if (KeyIs(key, QLatin1String("endtime"))) {
            good &= ReadRecordInteger(field.Value, entry.EndTime);
            hasEndTime = true;
        } else if (KeyIs(key, QLatin1String("override"))) {
            good &= ReadRecordInteger(field.Value, entry.Override);
        } else if (KeyIs(key, QLatin1String("startfunctype"))) {
            good &= ReadRecordInteger(field.Value, entry.StartFuncType);
        } else if (KeyIs(key, QLatin1String("startfuncindex"))) {
            good &= ReadRecordInteger(field.Value, entry.StartFuncIndex);
        } else if (KeyIs(key, QLatin1String("startfuncvalue"))) {
            good &= ReadRecordInteger(field.Value, entry.StartFuncValue);
        } else if (KeyIs(key, QLatin1String("endfunctype"))) {
            good &= ReadRecordInteger(field.Value, entry.EndFuncType);
        } else if (KeyIs(key, QLatin1String("endfuncindex"))) {
            good &= ReadRecordInteger(field.Value, entry.EndFuncIndex);
        } else if (KeyIs(key, QLatin1String("endfuncvalue"))) {
            good &= ReadRecordInteger(field.Value, entry.EndFuncValue);
        }
    }
    if (!good || !hasStartDate || !hasStartTime || !hasEndDate || !hasEndTime)
        return false;

    ClampFunction(entry.StartFuncType, entry.StartFuncIndex);
    ClampFunction(entry.EndFuncType, entry.EndFuncIndex);
    UpdateStamps(entry);
    return true;
}

} // namespace

qint64 WholeDays(double dateSerial)
{
    return static_cast<qint64>(std::floor(dateSerial));
}

double DateSerialAtNoon(const QDate &date)
{
    return static_cast<double>(DayZero.daysTo(date)) + 0.5;
}

QDate DateOfSerial(double dateSerial)
{
    return DayZero.addDays(WholeDays(dateSerial));
}

double DaySerial(const QDate &date, const QTime &time)
{
    return static_cast<double>(DayZero.daysTo(date)) +
           static_cast<double>(time.msecsSinceStartOfDay()) / 86400000.0;
}

void UpdateStamps(TVLScheduleRecord &entry)
{
    entry.StartStamp = WholeDays(entry.StartDate) * 86400 + entry.StartTime;
    entry.EndStamp = WholeDays(entry.EndDate) * 86400 + entry.EndTime;
}

void AppendDecimal(QString &text, qint64 value)
{
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    text.append(QLatin1String(digits, end.ptr - digits));
}

void AppendScheduleEntryText(QString &text, const TVLScheduleRecord &entry)
{
    text.append(QLatin1String("AddEntry(\"File="));
    text.append(entry.File);
    // The rest is ASCII: gathered in one buffer and appended at once.
    char rest[384];
    char *out = rest;
    PutNumber(out, "\",StartDate=", WholeDays(entry.StartDate));
    PutNumber(out, ",StartTime=", entry.StartTime);
    PutNumber(out, ",EndDate=", WholeDays(entry.EndDate));
    PutNumber(out, ",EndTime=", entry.EndTime);
    PutNumber(out, ",StartFuncType=", entry.StartFuncType);
    PutNumber(out, ",StartFuncIndex=", entry.StartFuncIndex);
    PutNumber(out, ",StartFuncValue=", entry.StartFuncValue);
    PutNumber(out, ",EndFuncType=", entry.EndFuncType);
    PutNumber(out, ",EndFuncIndex=", entry.EndFuncIndex);
    PutNumber(out, ",EndFuncValue=", entry.EndFuncValue);
    PutNumber(out, ",Override=", entry.Override);
    *out++ = ')';
    text.append(QLatin1String(rest, out - rest));
}

QString ScheduleEntryText(const TVLScheduleRecord &entry)
{
    QString text;
    text.reserve(EntryTextReserve + entry.File.size());
    AppendScheduleEntryText(text, entry);
    return text;
}

QStringList ScheduleEntryTexts(const TVLSchedule &schedule)
{
    QStringList texts;
    texts.reserve(schedule.size());
    for (const TVLScheduleRecord &entry : schedule)
        texts.append(ScheduleEntryText(entry));
    return texts;
}

QString ScheduleWireText(const TVLSchedule &schedule)
{
    qsizetype size = 0;
    for (const TVLScheduleRecord &entry : schedule)
        size += EntryTextReserve + 1 + entry.File.size();
    QString text;
    text.reserve(size);
    for (const TVLScheduleRecord &entry : schedule) {
        if (!text.isEmpty())
            text.append(QLatin1Char('|'));
        AppendScheduleEntryText(text, entry);
    }
    return text;
}

void ParseScheduleEntries(const QStringList &texts, TVLSchedule &schedule)
{
    for (const QString &item : texts) {
        TVLScheduleRecord entry;
        if (ParseOneEntry(item, entry))
            schedule.append(entry);
    }
}

void ParseScheduleList(QStringView wireText, TVLSchedule &schedule)
{
    // An empty piece is no entry text, so cutting at every "|" reads the same entries
    // as splitting the list first.
    for (const QStringView item : qTokenize(wireText, u'|')) {
        TVLScheduleRecord entry;
        if (ParseOneEntry(item, entry))
            schedule.append(entry);
    }
}

void CopySchedule(const TVLSchedule &from, TVLSchedule &to)
{
    if (&from == &to)
        return;
    to.clear();
    for (const TVLScheduleRecord &entry : from)
        to.append(entry);
}

int CompareScheduleEntries(const TVLScheduleRecord &a, const TVLScheduleRecord &b)
{
    // Compared in full width: a 32-bit difference turns round for starts more than
    // 68 years apart, and an inconsistent order is undefined for std::sort.
    if (a.StartStamp != b.StartStamp)
        return a.StartStamp < b.StartStamp ? -1 : 1;
    if (a.Override != b.Override)
        return a.Override < b.Override ? -1 : 1;
    return NaturalCompare(a.File, b.File);
}

void SortSchedule(TVLSchedule &schedule)
{
    std::stable_sort(schedule.begin(), schedule.end(),
                     [](const TVLScheduleRecord &a, const TVLScheduleRecord &b) {
                         return CompareScheduleEntries(a, b) < 0;
                     });
}

bool SpanConflictsWith(const TVLScheduleRecord &entry, qint64 start, qint64 end)
{
    const qint64 s = entry.StartStamp;
    const qint64 e = entry.EndStamp;
    const bool startsInside = start >= s && start < e;
    const bool endsInside = end >= s && end < e;
    // A span that covers the whole entry conflicts, also when both end together.
    const bool covers = start < s && e <= end;
    return startsInside || endsInside || covers;
}

qint32 HighestConflictingPriority(const TVLSchedule &schedule, int skipIndex, qint64 start,
                                  qint64 end)
{
    qint32 highest = -1;
    for (int i = 0; i < schedule.size(); ++i) {
        if (i == skipIndex)
            continue;
        const TVLScheduleRecord &entry = schedule.at(i);
        if (SpanConflictsWith(entry, start, end))
            highest = std::max(highest, entry.Override);
    }
    return highest;
}

TPriorityDecision DecidePriority(qint32 chosenPriority, qint32 highestConflicting)
{
    TPriorityDecision decision;
    decision.ChosenPriority = chosenPriority;
    decision.RaisedPriority = chosenPriority;
    if (highestConflicting < chosenPriority) {
        decision.Outcome = TPriorityOutcome::UseChosen;
    } else if (highestConflicting >= MaxSchedulePriority) {
        decision.Outcome = TPriorityOutcome::CannotPlace;
    } else {
        decision.Outcome = TPriorityOutcome::AskToRaise;
        decision.RaisedPriority = highestConflicting + 1;
    }
    return decision;
}

qint64 MomentOf(const QDateTime &localTime)
{
    const QDateTime local = localTime.toLocalTime();
    return DayZero.daysTo(local.date()) * 86400 + local.time().msecsSinceStartOfDay() / 1000;
}

qint64 CurrentMoment()
{
    return MomentOf(QDateTime::currentDateTime());
}

bool IsOutdated(const TVLScheduleRecord &entry, qint64 now)
{
    return entry.EndStamp < now;
}

TEntryPhase ClassifyEntry(const TVLScheduleRecord &entry, qint64 now)
{
    if (IsOutdated(entry, now))
        return TEntryPhase::Outdated;
    // The second at which the entry ends counts as still active: it has begun and
    // is not yet past, so calling it upcoming would be wrong.
    if (now < entry.StartStamp)
        return TEntryPhase::Upcoming;
    return TEntryPhase::Active;
}
