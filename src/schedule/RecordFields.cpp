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

constexpr char16_t QuoteMark = u'"';
constexpr char16_t CommaMark = u',';

// How many arguments the record has: commas outside quoted stretches, plus one. A
// quote opens a stretch only at the very start, right after "(" or right after a
// counted comma; the stretch ends before the next quote.
qsizetype ArgumentCount(QStringView t)
{
    if (!t.contains(QuoteMark))
        return 1 + t.count(CommaMark);
    const char16_t *c = t.utf16();
    const qsizetype n = t.size();
    bool quoted = false;
    qsizetype commas = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = c[i];
        const bool hasNext = i + 1 < n;
        if (ch == QuoteMark && i == 0) {
            quoted = true;
        } else if (ch == u'(' && hasNext) {
            if (c[i + 1] == QuoteMark)
                quoted = true;
        } else if (ch == CommaMark && hasNext && !quoted) {
            ++commas;
            if (c[i + 1] == QuoteMark)
                quoted = true;
        } else if (quoted && hasNext && c[i + 1] == QuoteMark) {
            quoted = false;
        }
    }
    return commas + 1;
}

// Reads the arguments between the first "(" and the last ")" (indexes s to e).
class TArgumentWalk
{
public:
    TArgumentWalk(QStringView t, qsizetype s, qsizetype e)
        : FText(t), FChars(t.utf16()), FLength(t.size()), FStart(s), FEnd(e),
          FQuotedMode(s < FLength && t.indexOf(QuoteMark, s) >= 0)
    {}

    void Collect(qsizetype wanted, QList<QStringView> &arguments) const
    {
        const auto enough = [&] { return arguments.size() >= wanted; };
        if (!FQuotedMode) {
            arguments.append(From(FStart, false));
            for (qsizetype i = FStart; i <= FEnd && !enough(); ++i) {
                if (FChars[i] == CommaMark)
                    arguments.append(From(i + 1, false));
            }
            return;
        }
        arguments.append(From(FStart, FChars[FStart] == QuoteMark));
        bool quoted = false;
        for (qsizetype i = FStart; i <= FEnd && !enough(); ++i) {
            const char16_t ch = FChars[i];
            const bool hasNext = i + 1 < FLength;
            if (ch == QuoteMark && i == FStart) {
                quoted = true;
            } else if (ch == CommaMark && hasNext && !quoted) {
                quoted = FChars[i + 1] == QuoteMark;
                arguments.append(From(i + 1, quoted));
            } else if (quoted && hasNext && FChars[i + 1] == QuoteMark) {
                quoted = false;
            }
        }
    }

private:
    // The argument that begins at p: up to the next comma, or, when it opens a
    // quoted stretch, up to the next quote; never past the stretch's end. Enclosing
    // quotes are dropped.
    QStringView From(qsizetype p, bool startsQuoted) const
    {
        qsizetype d = FEnd;
        if (!FQuotedMode || !startsQuoted) {
            const qsizetype comma = p < FLength ? FText.indexOf(CommaMark, p) : -1;
            if (comma > 0)
                d = comma - 1;
        } else {
            const qsizetype quote = p + 1 < FLength ? FText.indexOf(QuoteMark, p + 1) : -1;
            if (quote >= 0)
                d = quote;
        }
        if (d > FEnd)
            d = FEnd;
        if (p <= d && FChars[p] == QuoteMark && FChars[d] == QuoteMark) {
            ++p;
            --d;
        }
        return d < p ? QStringView() : FText.mid(p, d - p + 1);
    }

    QStringView FText;
    const char16_t *FChars;
    qsizetype FLength;
    qsizetype FStart;
    qsizetype FEnd;
    bool FQuotedMode;
};

} // namespace

QList<QStringView> RecordArgumentViews(QStringView record)
{
    const qsizetype count = ArgumentCount(record);
    QList<QStringView> arguments;
    arguments.reserve(count);
    const qsizetype open = record.indexOf(u'(');
    const qsizetype close = record.lastIndexOf(u')');
    if (open >= 0 && close >= 0)
        TArgumentWalk(record, open + 1, close - 1).Collect(count, arguments);
    while (arguments.size() < count)
        arguments.append(QStringView());
    return arguments;
}

TRecordField SplitRecordField(QStringView argument)
{
    TRecordField field;
    const qsizetype equals = argument.indexOf(u'=');
    if (equals < 0)
        return field;
    field.Key = SpacesTrimmed(argument.left(equals));
    field.HasKey = !field.Key.isEmpty();
    field.Value = argument.mid(equals + 1);
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
    const QStringView text = SpacesTrimmed(value);
    // Plain digits, as every writer puts them, are read directly; anything else
    // takes the general conversion.
    const qsizetype first = text.startsWith(u'-') ? 1 : 0;
    if (text.size() > first && text.size() - first <= 9) {
        qint32 read = 0;
        qsizetype i = first;
        for (; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                break;
            read = read * 10 + (c - u'0');
        }
        if (i == text.size()) {
            number = first ? -read : read;
            return true;
        }
    }
    bool ok = false;
    const int read = text.toInt(&ok);
    if (ok)
        number = read;
    return ok;
}
