#include "store/ScreenRecord.h"

#include "link/TVLScreenClass.h"
#include "schedule/NaturalCompare.h"
#include "schedule/RecordFields.h"
#include "schedule/ScheduleEntries.h"
#include "store/RecordText.h"

#include <cmath>

namespace {

// Builds a record text left to right into one string.
class TRecordWriter
{
public:
    TRecordWriter(QLatin1String kind, qsizetype expectedSize)
    {
        FText.reserve(expectedSize);
        FText.append(kind);
        FText.append(QLatin1Char('('));
    }

    void Quoted(QLatin1String key, QStringView value)
    {
        Separate();
        FText.append(QLatin1Char('"'));
        FText.append(key);
        FText.append(QLatin1Char('='));
        FText.append(value);
        FText.append(QLatin1Char('"'));
    }

    void Plain(QLatin1String key, QStringView value)
    {
        Separate();
        FText.append(key);
        FText.append(QLatin1Char('='));
        FText.append(value);
    }

    void Plain(QLatin1String key, qint64 value)
    {
        Separate();
        FText.append(key);
        FText.append(QLatin1Char('='));
        AppendDecimal(FText, value);
    }

    QString Finish()
    {
        FText.append(QLatin1Char(')'));
        return std::move(FText);
    }

private:
    void Separate()
    {
        if (FArguments++ > 0)
            FText.append(QLatin1Char(','));
    }

    QString FText;
    int FArguments = 0;
};

// "|" is no reserved character, so escaping the joined list is escaping each item.
QString EscapedList(const QStringList &items)
{
    return EscapeRecordText(JoinList(items, QStringLiteral("|")));
}

// The address is written inside quotes without escaping. A double quote would end
// the quoted stretch early, and a "(" right before the closing quote keeps it open,
// so either would shift every later field of the record. Neither can be part of a
// host name or an IP address, so they are left out.
QString StorableAddress(QString address)
{
    address.remove(QLatin1Char('"'));
    while (address.endsWith(QLatin1Char('(')))
        address.chop(1);
    return address;
}

QString EscapedPlaylist(const TVLScreenClass &screen)
{
    qsizetype size = 0;
    for (const TPlaylistItem &item : screen.Playlist)
        size += item.Text.size() + 1;
    QString joined;
    joined.reserve(size);
    for (qsizetype i = 0; i < screen.Playlist.size(); ++i) {
        if (i > 0)
            joined.append(QLatin1Char('|'));
        joined.append(screen.Playlist.at(i).Text);
    }
    return EscapeRecordText(joined);
}

// A rough size of the record text, so that it is built without growing.
qsizetype ExpectedRecordSize(const TVLScreenClass &screen)
{
    qsizetype size = 640 + screen.Name.size() + screen.Address.size() + screen.AudioDevice.size() +
                     screen.MonitorList.size() * 24;
    for (const TPlaylistItem &item : screen.Playlist)
        size += item.Text.size() + 1;
    for (const QString &tag : screen.Tags)
        size += tag.size() + 1;
    for (const QString &device : screen.AudioDevices)
        size += device.size() + 1;
    for (const TVLScheduleRecord &entry : screen.Schedule)
        size += 220 + entry.File.size();
    // Escaped characters grow into entity words.
    return size + size / 4;
}

qint32 IntegerOr(QStringView value, qint32 fallback)
{
    qint32 number = fallback;
    return ReadRecordInteger(value, number) ? number : fallback;
}

// A number read into a Boolean keeps its lowest byte.
bool BooleanOr(QStringView value, bool fallback)
{
    qint32 number = 0;
    return ReadRecordInteger(value, number) ? (number & 0xFF) != 0 : fallback;
}

double FloatOr(QStringView value, double fallback)
{
    bool ok = false;
    const double read = value.trimmed().toDouble(&ok);
    return ok && std::isfinite(read) ? read : fallback;
}

QStringList UnescapedList(QStringView value)
{
    return SplitList(UnescapeRecordText(value.toString()), QLatin1Char('|'));
}

} // namespace

QString GeneralNumberText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");

    // "-d.dddddddddddddde-XX": the 15 significant digits and the decimal exponent.
    const QString scientific = QString::number(value, 'e', 14);
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(ePos + 1).toInt();
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    QString digits = scientific.left(ePos);
    digits.remove(QLatin1Char('-'));
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString text;
    if (exponent < -4 || exponent >= 15) {
        text = digits.left(1);
        if (digits.size() > 1)
            text += QLatin1Char('.') % digits.mid(1);
        text += QLatin1Char('E') % QString::number(exponent);
    } else if (exponent < 0) {
        text = QLatin1String("0.") % QString(-exponent - 1, QLatin1Char('0')) % digits;
    } else if (digits.size() <= exponent + 1) {
        text = digits % QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        text = digits.left(exponent + 1) % QLatin1Char('.') % digits.mid(exponent + 1);
    }
    return negative ? QLatin1Char('-') % text : text;
}

QString SerializeScreen(const TVLScreenClass &screen)
{
    TRecordWriter record(QLatin1String("Screen"), ExpectedRecordSize(screen));
    record.Quoted(QLatin1String("Name"), EscapeRecordText(screen.Name));
    record.Quoted(QLatin1String("Address"), StorableAddress(screen.Address));
    record.Plain(QLatin1String("Port"), screen.Port);
    record.Quoted(QLatin1String("Playlist"), EscapedPlaylist(screen));
    record.Plain(QLatin1String("Monitor"), screen.Monitor);
    record.Plain(QLatin1String("Layout"), screen.Layout);
    record.Plain(QLatin1String("PlaylistMode"), screen.PlaylistMode);
    record.Plain(QLatin1String("ScreenMode"), screen.ScreenMode);
    record.Plain(QLatin1String("SchedulePause"), screen.SchedulePause);
    record.Plain(QLatin1String("ScheduleHideScreen"), screen.ScheduleHideScreen);
    record.Plain(QLatin1String("HideMouseCursor"), screen.HideMouseCursor);
    record.Plain(QLatin1String("VideoRenderer"), screen.VideoRenderer);
    record.Plain(QLatin1String("SlideshowDelay"), screen.SlideshowDelay);
    record.Plain(QLatin1String("DisableOSD"), screen.DisableOSD);
    record.Plain(QLatin1String("DisableParts"), screen.DisableParts);
    record.Plain(QLatin1String("CustomXOfs"), screen.CustomXOfs);
    record.Plain(QLatin1String("CustomYOfs"), screen.CustomYOfs);
    record.Plain(QLatin1String("CustomWidth"), screen.CustomWidth);
    record.Plain(QLatin1String("CustomHeight"), screen.CustomHeight);
    record.Plain(QLatin1String("Schedule"), EscapeRecordText(ScheduleWireText(screen.Schedule)));
    record.Plain(QLatin1String("SchedulerState"), screen.SchedulerState);
    record.Plain(QLatin1String("SysTimeDiff"), GeneralNumberText(screen.SysTimeDiff));
    record.Plain(QLatin1String("SysTimeSynched"), screen.SysTimeSynched);
    record.Quoted(QLatin1String("Tags"), EscapedList(screen.Tags));
    record.Quoted(QLatin1String("Password"), EscapeRecordText(screen.Password()));
    if (!screen.MonitorList.isEmpty())
        record.Quoted(QLatin1String("MonitorList"), MonitorListText(screen.MonitorList));
    if (!screen.AudioDevice.isEmpty())
        record.Quoted(QLatin1String("AudioDevice"), EscapeRecordText(screen.AudioDevice));
    if (!screen.AudioDevices.isEmpty())
        record.Quoted(QLatin1String("AudioDevices"), EscapedList(screen.AudioDevices));
    return record.Finish();
}

void ParseScreen(const QByteArray &utf8, TVLScreenClass &screen)
{
    const QString record = QString::fromUtf8(utf8);
    // Each "Schedule" value, unescaped; read into the schedule once the whole record
    // has been read.
    QStringList scheduleLists;

    for (const QStringView argument : RecordArgumentViews(record)) {
        const TRecordField field = SplitRecordField(argument);
        if (!field.HasKey)
            continue;
        const QStringView key = field.Key;
        const QStringView value = field.Value;

        if (KeyIs(key, QLatin1String("name"))) {
            screen.Name = UnescapeRecordText(value.toString());
        } else if (KeyIs(key, QLatin1String("address"))) {
            screen.Address = value.toString();
        } else if (KeyIs(key, QLatin1String("port"))) {
            screen.Port = IntegerOr(value, 4769);
        } else if (KeyIs(key, QLatin1String("playlist"))) {
            for (const QString &text : UnescapedList(value))
                screen.Playlist.append(TPlaylistItem{text, false});
        } else if (KeyIs(key, QLatin1String("monitor"))) {
            screen.Monitor = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("layout"))) {
            screen.Layout = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("playlistmode"))) {
            screen.PlaylistMode = IntegerOr(value, 2);
        } else if (KeyIs(key, QLatin1String("screenmode"))) {
            screen.ScreenMode = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("schedulepause"))) {
            screen.SchedulePause = BooleanOr(value, true);
        } else if (KeyIs(key, QLatin1String("schedulehidescreen"))) {
            // Falls back to 1 although a new screen has 0: stored files rely on it.
            screen.ScheduleHideScreen = BooleanOr(value, true);
        } else if (KeyIs(key, QLatin1String("hidemousecursor"))) {
            screen.HideMouseCursor = BooleanOr(value, true);
        } else if (KeyIs(key, QLatin1String("videorenderer"))) {
            screen.VideoRenderer = IntegerOr(value, 7);
        } else if (KeyIs(key, QLatin1String("slideshowdelay"))) {
            screen.SlideshowDelay = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("disableosd"))) {
            screen.DisableOSD = BooleanOr(value, true);
        } else if (KeyIs(key, QLatin1String("disableparts"))) {
            screen.DisableParts = BooleanOr(value, true);
        } else if (KeyIs(key, QLatin1String("customxofs"))) {
            screen.CustomXOfs = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("customyofs"))) {
            screen.CustomYOfs = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("customwidth"))) {
            screen.CustomWidth = IntegerOr(value, 1920);
        } else if (KeyIs(key, QLatin1String("customheight"))) {
            screen.CustomHeight = IntegerOr(value, 1080);
        } else if (KeyIs(key, QLatin1String("schedule"))) {
            scheduleLists.append(UnescapeRecordText(value.toString()));
        } else if (KeyIs(key, QLatin1String("schedulerstate"))) {
            screen.SchedulerState = IntegerOr(value, 0);
        } else if (KeyIs(key, QLatin1String("systimediff"))) {
            screen.SysTimeDiff = FloatOr(value, 0.0);
        } else if (KeyIs(key, QLatin1String("systimesynched"))) {
            screen.SysTimeSynched = BooleanOr(value, false);
        } else if (KeyIs(key, QLatin1String("tags"))) {
            screen.Tags.append(UnescapedList(value));
        } else if (KeyIs(key, QLatin1String("password"))) {
            screen.SetPassword(UnescapeRecordText(value.toString()));
        } else if (KeyIs(key, QLatin1String("monitorlist"))) {
            ParseMonitorList(value.toString(), screen.MonitorList);
        } else if (KeyIs(key, QLatin1String("audiodevice"))) {
            screen.AudioDevice = UnescapeRecordText(value.toString());
        } else if (KeyIs(key, QLatin1String("audiodevices"))) {
            screen.AudioDevices.append(UnescapedList(value));
        }
    }

    for (const QString &list : std::as_const(scheduleLists))
        ParseScheduleList(list, screen.Schedule);
}

QString MonitorListText(const MonitorRectList &list)
{
    QStringList pieces;
    pieces.reserve(list.size());
    for (const MonitorRect &rect : list) {
        pieces.append(QString::number(rect.Left) % QLatin1Char(',') % QString::number(rect.Top) %
                      QLatin1Char(',') % QString::number(rect.Width) % QLatin1Char(',') %
                      QString::number(rect.Height));
    }
    return pieces.join(QLatin1Char('|'));
}

void ParseMonitorList(const QString &text, MonitorRectList &list)
{
    list.clear();
    const QStringList pieces = SplitList(text, QLatin1Char('|'));
    for (const QString &piece : pieces) {
        const QStringList parts = piece.split(QLatin1Char(','));
        if (parts.size() != 4)
            continue;
        qint32 numbers[4] = {0, 0, 0, 0};
        bool ok = true;
        for (int i = 0; i < 4 && ok; ++i)
            numbers[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || numbers[2] <= 0 || numbers[3] <= 0)
            continue;
        list.append(MonitorRect{numbers[0], numbers[1], numbers[2], numbers[3]});
    }
}

void CopyScreenConfiguration(const TVLScreenClass &source, TVLScreenClass &target)
{
    if (&source == &target)
        return;
    target.Name = source.Name;
    target.Address = source.Address;
    target.Port = source.Port;
    target.Monitor = source.Monitor;
    target.Layout = source.Layout;
    target.PlaylistMode = source.PlaylistMode;
    target.ScreenMode = source.ScreenMode;
    target.DisableOSD = source.DisableOSD;
    target.DisableParts = source.DisableParts;
    target.CustomXOfs = source.CustomXOfs;
    target.CustomYOfs = source.CustomYOfs;
    target.CustomWidth = source.CustomWidth;
    target.CustomHeight = source.CustomHeight;
    target.SchedulePause = source.SchedulePause;
    target.ScheduleHideScreen = source.ScheduleHideScreen;
    target.SlideshowDelay = source.SlideshowDelay;
    target.SysTimeDiff = source.SysTimeDiff;
    target.SysTimeSynched = source.SysTimeSynched;
    target.SetPassword(source.Password());
    target.HideMouseCursor = source.HideMouseCursor;
    target.Tags = source.Tags;
    target.Playlist = source.Playlist;
    // Through the entry texts, as the store would carry them.
    target.Schedule.clear();
    ParseScheduleEntries(ScheduleEntryTexts(source.Schedule), target.Schedule);
}

QString ScreenSortText(const TVLScreenClass &screen)
{
    return screen.Name % screen.Address % QString::number(screen.Port);
}

int CompareScreens(const TVLScreenClass &a, const TVLScreenClass &b)
{
    return NaturalCompare(ScreenSortText(a), ScreenSortText(b));
}
