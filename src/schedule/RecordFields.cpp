#include "schedule/RecordFields.h"

#include <algorithm>
#include <cstring>

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

} // namespace

// Record walks look for the next mark many times over short distances, where the
// general search's set-up costs more than the search; there four characters are
// compared at once instead.
qsizetype FindRecordMark(QStringView text, char16_t mark, qsizetype from)
{
    const char16_t *c = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = from < 0 ? 0 : from;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    constexpr quint64 Ones = 0x0001000100010001ULL;
    constexpr quint64 Highs = 0x8000800080008000ULL;
    const quint64 pattern = Ones * mark;
    for (const qsizetype near = std::min(size, i + 64); i + 4 <= near; i += 4) {
        quint64 word;
        std::memcpy(&word, c + i, sizeof word);
        const quint64 x = word ^ pattern;
        // The lowest lane flagged here is the first character equal to the mark.
        const quint64 found = (x - Ones) & ~x & Highs;
        if (found)
            return i + qCountTrailingZeroBits(found) / 16;
    }
    // Far marks: the general search is quicker once it runs.
    if (size - i > 16)
        return text.indexOf(QChar(mark), i);
#endif
    for (; i < size; ++i) {
        if (c[i] == mark)
            return i;
    }
    return -1;
}

namespace {

// How many arguments the record has: commas outside quoted stretches, plus one. A
// quote opens a stretch at the very start, right after "(" or right after a counted
// comma; the stretch ends at the character before the next quote, unless that
// character is "(". The walk jumps from mark to mark instead of visiting every
// character.
qsizetype ArgumentCount(QStringView t)
{
    if (FindRecordMark(t, QuoteMark, 0) < 0)
        return 1 + std::count(t.utf16(), t.utf16() + t.size(), CommaMark);
    const char16_t *c = t.utf16();
    const qsizetype n = t.size();
    qsizetype commas = 0;
    qsizetype nextComma = -2; // -2: not looked for yet; -1: there is none
    qsizetype nextParen = -2;
    const auto next = [&](char16_t mark, qsizetype &cached, qsizetype from) {
        if (cached != -1 && cached < from)
            cached = FindRecordMark(t, mark, from);
        return cached;
    };
    bool quoted = c[0] == QuoteMark;
    qsizetype i = quoted ? 1 : 0;
    while (i < n) {
        if (quoted) {
            const qsizetype quote = FindRecordMark(t, QuoteMark, i + 1);
            if (quote < 0)
                break;
            const qsizetype before = quote - 1;
            quoted = c[before] == u'(';
            i = before + 1;
            continue;
        }
        const qsizetype comma = next(CommaMark, nextComma, i);
        const qsizetype paren = next(u'(', nextParen, i);
        if (comma < 0 && paren < 0)
            break;
        const qsizetype at = comma < 0 ? paren : (paren < 0 ? comma : std::min(comma, paren));
        const bool hasNext = at + 1 < n;
        if (c[at] == CommaMark && hasNext)
            ++commas;
        quoted = hasNext && c[at + 1] == QuoteMark;
        i = at + 1;
    }
    return commas + 1;
}

// Reads the arguments between the first "(" and the last ")" (indexes s to e).
class TArgumentWalk
{
public:
    TArgumentWalk(QStringView t, qsizetype s, qsizetype e)
        : FText(t), FChars(t.utf16()), FLength(t.size()), FStart(s), FEnd(e),
          FQuotedMode(s < FLength && FindRecordMark(t, QuoteMark, s) >= 0)
    {}

    // Fills `arguments` from the first; returns how many the stretch holds, at most
    // `wanted`.
    qsizetype Collect(qsizetype wanted, QStringView *arguments) const
    {
        qsizetype found = 0;
        if (!FQuotedMode) {
            arguments[found++] = From(FStart, false);
            for (qsizetype i = FStart; i <= FEnd && found < wanted; ++i) {
                i = Find(CommaMark, i);
                if (i < 0 || i > FEnd)
                    break;
                arguments[found++] = From(i + 1, false);
            }
            return found;
        }
        // A quoted stretch opens at the stretch's start or right after a separating
        // comma, and ends at the character before the next quote.
        bool quoted = FChars[FStart] == QuoteMark;
        arguments[found++] = From(FStart, quoted);
        qsizetype i = quoted ? FStart + 1 : FStart;
        while (i <= FEnd && found < wanted) {
            if (quoted) {
                const qsizetype quote = Find(QuoteMark, i + 1);
                if (quote < 0 || quote - 1 > FEnd)
                    break;
                quoted = false;
                i = quote;
                continue;
            }
            const qsizetype comma = Find(CommaMark, i);
            if (comma < 0 || comma > FEnd)
                break;
            quoted = comma + 1 < FLength && FChars[comma + 1] == QuoteMark;
            arguments[found++] = From(comma + 1, quoted);
            i = comma + 1;
        }
        return found;
    }

private:
    // The argument that begins at p: up to the next comma, or, when it opens a
    // quoted stretch, up to the next quote; never past the stretch's end. Enclosing
    // quotes are dropped.
    QStringView From(qsizetype p, bool startsQuoted) const
    {
        qsizetype d = FEnd;
        if (!FQuotedMode || !startsQuoted) {
            const qsizetype comma = p < FLength ? Find(CommaMark, p) : -1;
            if (comma > 0)
                d = comma - 1;
        } else {
            const qsizetype quote = p + 1 < FLength ? Find(QuoteMark, p + 1) : -1;
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

    // The walk looks for the mark that ends an argument right after reading the
    // argument up to that same mark; the last search is remembered for it.
    qsizetype Find(char16_t mark, qsizetype from) const
    {
        if (mark != FLastMark || from != FLastFrom) {
            FLastMark = mark;
            FLastFrom = from;
            FLastFound = FindRecordMark(FText, mark, from);
        }
        return FLastFound;
    }

    QStringView FText;
    const char16_t *FChars;
    qsizetype FLength;
    qsizetype FStart;
    qsizetype FEnd;
    bool FQuotedMode;
    mutable char16_t FLastMark = 0;
    mutable qsizetype FLastFrom = -1;
    mutable qsizetype FLastFound = -1;
};

} // namespace

QList<QStringView> RecordArgumentViews(QStringView record)
{
    // Arguments the stretch does not hold stay empty.
    QList<QStringView> arguments(ArgumentCount(record));
    const qsizetype open = record.indexOf(u'(');
    const qsizetype close = record.lastIndexOf(u')');
    if (open >= 0 && close >= 0)
        TArgumentWalk(record, open + 1, close - 1).Collect(arguments.size(), arguments.data());
    return arguments;
}

QList<QStringView> FoundRecordArgumentViews(QStringView record)
{
    const qsizetype open = record.indexOf(u'(');
    const qsizetype close = record.lastIndexOf(u')');
    if (open < 0 || close < 0)
        return QList<QStringView>(1);
    // Every argument after the first begins after a comma of the stretch.
    const QStringView stretch = record.mid(open + 1, std::max<qsizetype>(close - open - 1, 0));
    QList<QStringView> arguments(
        1 + std::count(stretch.utf16(), stretch.utf16() + stretch.size(), CommaMark));
    arguments.resize(
        TArgumentWalk(record, open + 1, close - 1).Collect(arguments.size(), arguments.data()));
    return arguments;
}

TRecordField SplitRecordField(QStringView argument)
{
    TRecordField field;
    const qsizetype equals = FindRecordMark(argument, u'=', 0);
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
