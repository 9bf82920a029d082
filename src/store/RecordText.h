#pragma once

#include <QString>
#include <QStringList>

// Routines for the one-line record texts in which screens and schedule entries are
// stored: Kind("Key=Value",Key=Value,...). Positions are 1-based; no routine
// modifies its arguments or fails on any input.

// Reserved characters <-> entity words ("&amp", "&apos", "&quot", "&comma", "&lt",
// "&gt", "&colon", "&scolon", "&oprt", "&cprt"). Unescape is the exact inverse.
QString EscapeRecordText(const QString &text);
QString UnescapeRecordText(const QString &text);

// Number of arguments between the parentheses (at least 1).
int CountRecordArguments(const QString &record);

// The index-th argument (from 1) without its enclosing quotes; empty when the record
// has fewer arguments or no parentheses. `trim` removes leading and trailing spaces.
QString GetRecordArgument(int index, const QString &record, bool trim);

// Every argument, 1 to CountRecordArguments(record), read in one pass: the same
// texts as GetRecordArgument(i, record, false), without the cost of one walk each.
QStringList RecordArguments(const QString &record);

// The text before the first "=", spaces trimmed; empty when there is no "=".
QString ArgumentKey(const QString &argument);
// Everything after the first "=" (the whole argument without one).
QString ArgumentValue(const QString &argument, bool trim);

// First position at or after `start` where `part` occurs (case-sensitive); 0 when
// not found, when either text is empty or `text` is shorter than `part`.
int FindFrom(const QString &part, const QString &text, int start);

// Appends the pieces of `text` cut at `separator` to `list` (not cleared first).
// An empty final piece is dropped: "a||b" gives a, "", b; "a|" gives a.
void SplitList(const QString &text, QChar separator, QStringList &list);
// The same pieces as a new list.
QStringList SplitList(const QString &text, QChar separator);
// As SplitList, each piece trimmed of spaces and control characters; a remainder of
// blanks is kept as one empty item.
void SplitTrimmedList(const QString &text, QChar separator, QStringList &list);
QString JoinList(const QStringList &list, const QString &separator);

int Clamp(int value, int low, int high);
double Clamp(double value, double low, double high);

// Prepends "0" until the text is at least `width` characters long.
QString ZeroPad(const QString &text, int width);

// "H:MM:SS" with hours padded to two digits: 3725 gives "01:02:05".
QString SecondsToClockText(qint64 seconds);

// Appends "\" unless the text is empty or already ends in "\" or "/".
QString AppendPathDelimiter(const QString &text);
// The text up to and including the "\" before the last part: "C:\a\b\" gives "C:\a\".
QString ParentFolderOf(const QString &path);

// Case-sensitive; false when either text is empty or `text` is shorter.
bool StartsWith(const QString &text, const QString &prefix);

// False when empty, when starting with ".", "/" or "\", or holding < > : ? * " |.
bool IsValidFileName(const QString &text);

// A decimal whole number, spaces around it allowed; `fallback` for any other text,
// including numbers outside the 32-bit range.
qint32 ReadInteger(const QString &text, qint32 fallback);

// A decimal number written with "." or "," as separator, read the same whatever the
// locale. The empty text gives 0; text that is no number gives 0 with *ok false.
double ReadDecimal(const QString &text, bool *ok = nullptr);
