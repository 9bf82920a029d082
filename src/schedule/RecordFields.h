#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringView>

// One argument of a record text taken apart without copying: the key is the text
// before the first "=" with spaces trimmed, the value everything after it.
struct TRecordField
{
    bool HasKey = false;
    QStringView Key;
    QStringView Value;
};
TRecordField SplitRecordField(const QString &argument);

// Keys are matched with the letters A to Z folded to lower case and nothing else.
bool KeyIs(QStringView key, QLatin1String lowerCaseName);

// A decimal 32-bit integer, spaces around it allowed.
bool ReadRecordInteger(QStringView value, qint32 &number);
