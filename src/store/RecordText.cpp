#include "store/RecordText.h"

#include "schedule/RecordFields.h"

#include <QLocale>

#include <string>

namespace {

struct TEntity
{
    char16_t Character;
    const char16_t *Word;
    qsizetype Length;
};

// "&" comes first so that, once escaped, every "&" in a text begins an entity word.
constexpr TEntity Entities[] = {
    {u'&', u"&amp", 4},  {u'\'', u"&apos", 5}, {u'"', u"&quot", 5},  {u',', u"&comma", 6},
    {u'<', u"&lt", 3},   {u'>', u"&gt", 3},    {u':', u"&colon", 6}, {u';', u"&scolon", 7},
    {u'(', u"&oprt", 5}, {u')', u"&cprt", 5},
};

// For each ASCII character, one more than its row in Entities; 0 for the others.
struct TEntityIndex
{
    quint8 Row[128] = {};
    quint8 Growth[128] = {}; // how much longer the entity word is than the character
    constexpr TEntityIndex()
    {
        for (int i = 0; i < int(std::size(Entities)); ++i) {
            Row[Entities[i].Character] = quint8(i + 1);
            Growth[Entities[i].Character] = quint8(Entities[i].Length - 1);
        }
    }
};
constexpr TEntityIndex EntityIndex;

// The entity word at the start of `chars` (case-sensitive), or none.
const TEntity *EntityAt(const char16_t *chars, qsizetype available)
{
    for (const TEntity &entity : Entities) {
        // The letter after "&" rules out all but a few words before any full compare.
        if (entity.Length <= available && chars[1] == entity.Word[1] &&
            std::char_traits<char16_t>::compare(chars, entity.Word, size_t(entity.Length)) == 0)
            return &entity;
    }
    return nullptr;
}

const QChar Quote = u'"';
const QChar Comma = u',';

// 1-based character access; outside the text gives a null character, which matches
// none of the marks the walks look for.
class TRecordView
{
public:
    explicit TRecordView(const QString &text) : FText(text), FLength(int(text.size())) {}
    int Length() const { return FLength; }
    QChar At(int position) const
    {
        return position >= 1 && position <= FLength ? FText.at(position - 1) : QChar();
    }
    QString Range(int first, int last) const
    {
        if (first < 1)
            first = 1;
        if (last > FLength)
            last = FLength;
        return last < first ? QString() : FText.mid(first - 1, last - first + 1);
    }
    const QString &Text() const { return FText; }

private:
    const QString &FText;
    int FLength;
};

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

// Blanks: spaces and every control character.
QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

// Where one argument begins: its first position and whether it opens a quoted stretch.
struct TArgumentStart
{
    int Position = 0;
    bool Quoted = false;
};

// The stretch between the first "(" and the last ")"; empty range when either is missing.
struct TArgumentSpan
{
    int Start = 0; // just after "("
    int End = -1;  // just before ")"
    bool Valid = false;
};

TArgumentSpan FindArgumentSpan(const QString &record)
{
    TArgumentSpan span;
    const qsizetype open = record.indexOf(u'(');
    const qsizetype close = record.lastIndexOf(u')');
    if (open < 0 || close < 0)
        return span;
    span.Start = int(open) + 2;
    span.End = int(close);
    span.Valid = true;
    return span;
}

bool HasQuoteFrom(const TRecordView &t, int start)
{
    return start >= 1 && start <= t.Length() && t.Text().indexOf(Quote, start - 1) >= 0;
}

// Walks the arguments once, reporting where each begins (in order, from the first),
// until `wanted` arguments are known (or all of them when `wanted` is 0).
QList<TArgumentStart> WalkArgumentStarts(const TRecordView &t, const TArgumentSpan &span,
                                         int wanted)
{
    QList<TArgumentStart> starts;
    const int n = t.Length();
    const int s = span.Start;
    const int e = span.End;
    const auto enough = [&] { return wanted > 0 && int(starts.size()) >= wanted; };

    if (!HasQuoteFrom(t, s)) {
        starts.append({s, false});
        for (int i = s; i <= e && !enough(); ++i) {
            if (t.At(i) == Comma)
                starts.append({i + 1, false});
        }
        return starts;
    }

    starts.append({s, t.At(s) == Quote});
    bool quoted = false;
    for (int i = s; i <= e && !enough(); ++i) {
        const QChar c = t.At(i);
        if (c == Quote && i == s) {
            quoted = true;
        } else if (c == Comma && i < n && !quoted) {
            quoted = t.At(i + 1) == Quote;
            starts.append({i + 1, quoted});
        } else if (quoted && i < n && t.At(i + 1) == Quote) {
            quoted = false;
        }
    }
    return starts;
}

// The text of one argument from where it begins.
QString ArgumentFrom(const TRecordView &t, const TArgumentSpan &span, bool quotedMode,
                     const TArgumentStart &start)
{
    int p = start.Position;
    int d;
    if (!quotedMode) {
        const int comma = FindFrom(QStringLiteral(","), t.Text(), p);
        d = comma < 2 ? span.End : comma - 1;
    } else {
        if (start.Quoted)
            d = FindFrom(QStringLiteral("\""), t.Text(), p + 1);
        else // from p itself, so an empty argument ends at once instead of taking in the next
            d = FindFrom(QStringLiteral(","), t.Text(), p) - 1;
        if (d < 1)
            d = span.End;
    }
    // Text after the last ")" is no part of any argument.
    if (d > span.End)
        d = span.End;
    if (p <= d && t.At(p) == Quote && t.At(d) == Quote) {
        ++p;
        --d;
    }
    return t.Range(p, d);
}

} // namespace

QString EscapeRecordText(const QString &text)
{
    // Each character maps to itself or to one entity word, so one pass gives the same
    // text as replacing the table's characters one after another, "&" first.
    const char16_t *begin = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = begin + text.size();
    qsizetype grown = 0;
    // Without a branch per character: text mixes reserved and plain characters too
    // irregularly for branches to be predicted. Character 0 is no reserved one.
    for (const char16_t *c = begin; c != end; ++c)
        grown += EntityIndex.Growth[*c < 128 ? *c : 0];
    if (grown == 0)
        return text;

    QString escaped(text.size() + grown, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(escaped.data());
    for (const char16_t *c = begin; c != end; ++c) {
        const quint8 row = EntityIndex.Row[*c < 128 ? *c : 0];
        if (row == 0) {
            *out++ = *c;
            continue;
        }
        const TEntity &entity = Entities[row - 1];
        std::char_traits<char16_t>::copy(out, entity.Word, size_t(entity.Length));
        out += entity.Length;
    }
    return escaped;
}

QString UnescapeRecordText(const QString &text)
{
    // Entity words begin with "&" and hold no other "&", and no word begins another,
    // so at most one word starts at each "&" and no replacement can form a new word.
    // A single left-to-right pass therefore gives what replacing the words one after
    // another gives, with "&amp" last: a value that itself held an entity word
    // ("Tours&colonial" escaped) comes back unchanged.
    qsizetype at = text.indexOf(u'&');
    if (at < 0)
        return text;

    const char16_t *chars = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype length = text.size();
    QString plain(length, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(plain.data());
    std::char_traits<char16_t>::copy(out, chars, size_t(at));
    out += at;
    while (at >= 0) {
        qsizetype next = at + 1;
        if (const TEntity *entity = EntityAt(chars + at, length - at)) {
            *out++ = entity->Character;
            next = at + entity->Length;
        } else {
            *out++ = u'&';
        }
        at = FindRecordMark(text, u'&', next);
        const qsizetype plainEnd = at < 0 ? length : at;
        std::char_traits<char16_t>::copy(out, chars + next, size_t(plainEnd - next));
        out += plainEnd - next;
    }
    plain.truncate(out - reinterpret_cast<const char16_t *>(plain.constData()));
    return plain;
}

int CountRecordArguments(const QString &record)
{
    if (!record.contains(Quote))
        return 1 + int(record.count(Comma));

    const TRecordView t(record);
    const int n = t.Length();
    bool quoted = false;
    int commas = 0;
    for (int i = 1; i <= n; ++i) {
        const QChar c = t.At(i);
        if (c == Quote && i == 1) {
            quoted = true;
        } else if (c == u'(' && i < n) {
            if (t.At(i + 1) == Quote)
                quoted = true;
        } else if (c == Comma && i < n && !quoted) {
            ++commas;
            if (t.At(i + 1) == Quote)
                quoted = true;
        } else if (quoted && i < n && t.At(i + 1) == Quote) {
            quoted = false;
        }
    }
    return commas + 1;
}

QString GetRecordArgument(int index, const QString &record, bool trim)
{
    const TArgumentSpan span = FindArgumentSpan(record);
    if (!span.Valid)
        return QString();
    const TRecordView t(record);
    const int wanted = index < 1 ? 1 : index;
    const QList<TArgumentStart> starts = WalkArgumentStarts(t, span, wanted);
    if (int(starts.size()) < wanted)
        return QString();
    QString argument = ArgumentFrom(t, span, HasQuoteFrom(t, span.Start), starts.at(wanted - 1));
    if (trim && argument.contains(u' '))
        argument = TrimSpaces(argument);
    return argument;
}

QStringList RecordArguments(const QString &record)
{
    const QList<QStringView> views = RecordArgumentViews(record);
    QStringList arguments;
    arguments.reserve(views.size());
    for (const QStringView view : views)
        arguments.append(view.toString());
    return arguments;
}

QString ArgumentKey(const QString &argument)
{
    const qsizetype equals = argument.indexOf(u'=');
    if (equals < 0)
        return QString();
    return TrimSpaces(argument.left(equals));
}

QString ArgumentValue(const QString &argument, bool trim)
{
    const qsizetype equals = argument.indexOf(u'=');
    const QString value = equals < 0 ? argument : argument.mid(equals + 1);
    return trim ? TrimSpaces(value) : value;
}

int FindFrom(const QString &part, const QString &text, int start)
{
    if (part.isEmpty() || text.isEmpty() || text.size() < part.size())
        return 0;
    if (start < 1)
        start = 1;
    if (start > text.size())
        return 0;
    const qsizetype found = text.indexOf(part, start - 1);
    return found < 0 ? 0 : int(found) + 1;
}

void SplitList(const QString &text, QChar separator, QStringList &list)
{
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, from)) {
        list.append(text.mid(from, at - from));
        from = at + 1;
    }
    if (from < text.size())
        list.append(text.mid(from));
}

QStringList SplitList(const QString &text, QChar separator)
{
    QStringList list;
    SplitList(text, separator, list);
    return list;
}

void SplitTrimmedList(const QString &text, QChar separator, QStringList &list)
{
    const QStringList pieces = SplitList(text, separator);
    for (const QString &piece : pieces)
        list.append(TrimBlanks(piece));
}

QString JoinList(const QStringList &list, const QString &separator)
{
    return list.join(separator);
}

int Clamp(int value, int low, int high)
{
    if (value < low)
        value = low;
    if (value > high)
        value = high;
    return value;
}

double Clamp(double value, double low, double high)
{
    if (value < low)
        value = low;
    if (value > high)
        value = high;
    return value;
}

QString ZeroPad(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), u'0') + text;
}

QString SecondsToClockText(qint64 seconds)
{
    // Long spans keep their full hour count, and a negative span keeps its sign,
    // rather than wrapping round to a small or huge positive figure.
    const bool negative = seconds < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(seconds) : quint64(seconds);
    const quint64 hours = magnitude / 3600;
    const quint64 rest = magnitude % 3600;
    const QString clock = ZeroPad(QString::number(hours), 2) + u':' +
                          ZeroPad(QString::number(rest / 60), 2) + u':' +
                          ZeroPad(QString::number(rest % 60), 2);
    return negative ? u'-' + clock : clock;
}

QString AppendPathDelimiter(const QString &text)
{
    if (text.isEmpty() || text.endsWith(u'\\') || text.endsWith(u'/'))
        return text;
    return text + u'\\';
}

QString ParentFolderOf(const QString &path)
{
    if (path.size() < 2)
        return QString();
    const qsizetype at = path.lastIndexOf(u'\\', path.size() - 2);
    return at < 0 ? QString() : path.left(at + 1);
}

bool StartsWith(const QString &text, const QString &prefix)
{
    if (text.isEmpty() || prefix.isEmpty() || text.size() < prefix.size())
        return false;
    return text.startsWith(prefix, Qt::CaseSensitive);
}

bool IsValidFileName(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first == u'.' || first == u'/' || first == u'\\')
        return false;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'<':
        case u'>':
        case u':':
        case u'?':
        case u'*':
        case u'"':
        case u'|':
            return false;
        default:
            break;
        }
    }
    return true;
}

double ReadDecimal(const QString &text, bool *ok)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (ok)
            *ok = true;
        return 0.0;
    }
    // Either separator is taken, so a value written on one PC reads the same on
    // another whatever their number settings.
    QString normal = trimmed;
    const qsizetype comma = normal.indexOf(u',');
    if (comma >= 0)
        normal[comma] = u'.';
    bool converted = false;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    double value = c.toDouble(normal, &converted);
    if (converted && !qIsFinite(value))
        converted = false;
    if (ok)
        *ok = converted;
    return converted ? value : 0.0;
}

qint32 ReadInteger(const QString &text, qint32 fallback)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}
