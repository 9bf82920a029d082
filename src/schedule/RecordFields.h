#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringView>

// Every argument of a record text, as GetRecordArgument(i, record, false) gives it
// for i = 1 .. CountRecordArguments(record), found in one walk and returned as views
// into `record` (which must outlive them). Arguments past the ones the text holds are
// empty.
QList<QStringView> RecordArgumentViews(QStringView record);

// Every argument the walk between the parentheses finds, in order, without cutting
// the list to the argument count. The count keeps a quoted stretch open at a "(" right
// before its closing quote, so a quoted value that ends in "(" and is not escaped (the
// content of a schedule entry) would hide every argument after it from the count.
QList<QStringView> FoundRecordArgumentViews(QStringView record);

// Index of the first `mark` at or after `from` in `text`, or -1. Quicker than the
// general search over the short distances between a record's marks.
qsizetype FindRecordMark(QStringView text, char16_t mark, qsizetype from);

// One argument of a record text taken apart without copying: the key is the text
// before the first "=" with spaces trimmed, the value everything after it.
struct TRecordField
{
    bool HasKey = false;
    QStringView Key;
    QStringView Value;
};
TRecordField SplitRecordField(QStringView argument);

// Keys are matched with the letters A to Z folded to lower case and nothing else.
bool KeyIs(QStringView key, QLatin1String lowerCaseName);

// A decimal 32-bit integer, spaces around it allowed.
bool ReadRecordInteger(QStringView value, qint32 &number);
