#include "schedule/RecordFields.h"

namespace {

QStringView SpacesTrimmed(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

} // namespace

TRecordField SplitRecordField(const QString &argument)
{
    TRecordField field;
    const qsizetype equals = argument.indexOf(u'=');
    if (equals < 0)
        return field;
    const QStringView whole(argument);
    field.Key = SpacesTrimmed(whole.left(equals));
    field.HasKey = !field.Key.isEmpty();
    field.Value = whole.mid(equals + 1);
    return field;
}

bool KeyIs(QStringView key, QLatin1String lowerCaseName)
{
    if (key.size() != lowerCaseName.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i) {
        char16_t c = key[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + (u'a' - u'A'));
        if (c != char16_t(uchar(lowerCaseName[i].toLatin1())))
            return false;
    }
    return true;
}

bool ReadRecordInteger(QStringView value, qint32 &number)
{
    bool ok = false;
    const int read = SpacesTrimmed(value).toInt(&ok);
    if (ok)
        number = read;
    return ok;
}
