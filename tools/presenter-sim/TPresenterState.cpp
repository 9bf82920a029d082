#include "TPresenterState.h"

#include "store/RecordText.h"
#include "store/ScreenRecord.h"

#include <QRegularExpression>

namespace {

bool ParseWhole(const QString &text, int &value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (ok)
        value = parsed;
    return ok;
}

// A line without payload is the four digits alone.
QString Line(const char *code, const QString &payload)
{
    if (payload.isEmpty())
        return QLatin1String(code);
    return QLatin1String(code) + QLatin1Char(' ') + payload;
}

QString Line(const char *code, int value)
{
    return Line(code, QString::number(value));
}

// The content path of a schedule entry text: the value of its File key.
bool ScheduleEntryFile(const QString &entry, QString &file)
{
    static const QRegularExpression form(QStringLiteral("^addentry\\s*\\(\\s*\"?file=([^\"]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (!entry.startsWith(QLatin1String("addentry"), Qt::CaseInsensitive))
        return false;
    const QRegularExpressionMatch match = form.match(entry);
    file = match.hasMatch() ? match.captured(1) : QString();
    return true;
}

} // namespace

QStringList SplitListPayload(const QString &payload, QChar delimiter)
{
    return SplitList(payload, delimiter);
}

TPresenterState::TPresenterState(const TPresenterConfig &config)
    : FConfig(config), FShare(config.SharePath), FClock([] { return QDateTime::currentDateTime(); })
{
    if (!FConfig.AudioDevices.isEmpty())
        FAudioDevice = FConfig.AudioDevices.first();
    const bool startsWithMedia = FConfig.StartState == Stopped || FConfig.StartState == Paused ||
                                 FConfig.StartState == Playing;
    if (startsWithMedia && !FConfig.StartPlaylist.isEmpty()) {
        FPlaylist = FConfig.StartPlaylist;
        FIndex = 0;
        FPlayState = FConfig.StartState;
    }
}

QString TPresenterState::NowPlaying() const
{
    return FIndex >= 0 && FIndex < FPlaylist.size() ? FPlaylist.at(FIndex) : QString();
}

QString TPresenterState::ClockText() const
{
    const QDateTime now = FClock().addSecs(FConfig.ClockOffsetSeconds);
    const QDate d = now.date();
    const QTime t = now.time();
    QStringList parts;
    for (int value : {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()})
        parts.append(QString::number(value));
    return parts.join(QLatin1Char(','));
}

TPresenterTick TPresenterState::Tick()
{
    TPresenterTick tick;
    if (FPlayState != Playing)
        return tick;
    ++FPosition;
    // A seek may have put the position past the end: that ends the entry too.
    if (FConfig.EntrySeconds > 0 && FPosition >= FConfig.EntrySeconds) {
        TPresenterOutput out;
        Jump(FIndex + 1, out);
        tick.Reports = out.Reports;
    }
    tick.Position = Line("1100", SecondsToClockText(FPosition));
    return tick;
}

QStringList TPresenterState::ConnectReports() const
{
    if (FPlayState == NoMedia)
        return {};
    return {Line("1000", FPlayState), Line("1800", NowPlaying())};
}

void TPresenterState::SetPlayState(int state, TPresenterOutput &out)
{
    if (state == FPlayState)
        return;
    FPlayState = state;
    out.Reports.append(Line("1000", state));
}

void TPresenterState::Jump(int index, TPresenterOutput &out)
{
    if (FPlaylist.isEmpty())
        return;
    const int count = static_cast<int>(FPlaylist.size());
    FIndex = ((index % count) + count) % count;
    FPosition = 0;
    out.Reports.append(Line("1800", NowPlaying()));
}

void TPresenterState::RunFunction(const QString &name, TPresenterOutput &out)
{
    const bool hasMedia = !FPlaylist.isEmpty();
    if (name == QLatin1String("fnPlay")) {
        // The console's Play/Pause button sends fnPlay in every state.
        if (FPlayState == Playing)
            SetPlayState(Paused, out);
        else if (hasMedia)
            SetPlayState(Playing, out);
    } else if (name == QLatin1String("fnPause")) {
        if (FPlayState == Playing)
            SetPlayState(Paused, out);
    } else if (name == QLatin1String("fnUnpause")) {
        if (FPlayState == Paused)
            SetPlayState(Playing, out);
    } else if (name == QLatin1String("fnStop")) {
        if (FPlayState == Playing || FPlayState == Paused) {
            FPosition = 0;
            SetPlayState(Stopped, out);
        }
    } else if (name == QLatin1String("fnNext") || name == QLatin1String("fnNextChapter")) {
        Jump(FIndex + 1, out);
    } else if (name == QLatin1String("fnPrevious") || name == QLatin1String("fnPrevChapter")) {
        Jump(FIndex - 1, out);
    } else if (name == QLatin1String("fnSkipForward")) {
        if (hasMedia)
            FPosition += 10;
    } else if (name == QLatin1String("fnSkipBackward")) {
        FPosition = qMax(0, FPosition - 10);
    }
}

void TPresenterState::ActivatePlaylist(const QString &payload, TPresenterOutput &out)
{
    QStringList valid;
    for (const QString &entry : SplitListPayload(payload, QLatin1Char('|'))) {
        if (FShare.EntryExists(entry))
            valid.append(entry);
    }
    out.Replies.append(Line("6010", static_cast<int>(valid.size())));
    if (valid.isEmpty())
        return;
    if (valid != FPlaylist) {
        FPlaylist = valid;
        out.Reports.append(Line("1811", static_cast<int>(FPlaylist.size())));
    }
    // A new list waits at its first entry until the console unpauses it.
    Jump(0, out);
    SetPlayState(Paused, out);
}

bool TPresenterState::ScheduleEntryValid(const QString &entry) const
{
    QString file;
    if (!ScheduleEntryFile(entry, file))
        return false;
    return file.isEmpty() || FShare.EntryExists(file);
}

bool TPresenterState::ScheduleReachesOutside() const
{
    for (const QString &entry : FSchedule) {
        QString file;
        ScheduleEntryFile(entry, file);
        if (!file.isEmpty() && !file.contains(QLatin1String("://")) &&
            FShare.Resolve(file).isEmpty())
            return true;
    }
    return false;
}

void TPresenterState::SaveSchedule(const QString &payload, TPresenterOutput &out)
{
    // Every entry is kept, as pushed; the reply counts those that can play.
    FSchedule.clear();
    int valid = 0;
    for (const QString &entry : SplitListPayload(payload, QLatin1Char('|'))) {
        QString file;
        if (!ScheduleEntryFile(entry, file))
            continue;
        FSchedule.append(entry);
        if (ScheduleEntryValid(entry))
            ++valid;
    }
    out.Replies.append(Line("6130", valid));
}

TPresenterOutput TPresenterState::HandleLine(const QString &line)
{
    TPresenterOutput out;
    if (line.size() < 4)
        return out;
    for (int i = 0; i < 4; ++i) {
        if (line.at(i) < QLatin1Char('0') || line.at(i) > QLatin1Char('9'))
            return out;
    }
    const int code = QStringView(line).left(4).toInt();
    const QString payload = line.mid(5);
    int number = 0;

    switch (code) {
    case 110:
        out.Replies.append(Line("0110", ClockText()));
        break;
    case 120:
        out.Replies.append(Line("0120", MonitorListText(FConfig.Monitors)));
        break;
    case 130:
        out.Replies.append(Line("0130", FConfig.AudioDevices.join(QLatin1Char('|'))));
        break;
    case 132:
        if (FConfig.AudioDevices.contains(payload))
            FAudioDevice = payload;
        break;
    case 134:
        out.Replies.append(Line("0134", FAudioDevice));
        break;
    case 142:
        if (ParseWhole(payload, number) && number >= 0 && number <= 8)
            FRenderer = number;
        break;
    case 144:
        out.Replies.append(Line("0144", FRenderer));
        break;
    case 150:
    case 1040:
    case 6140:
    case 6150:
        FSettings.insert(line.left(4), payload);
        break;
    case 1100:
        out.WantsPositionReports = true;
        out.Replies.append(Line("1100", SecondsToClockText(FPosition)));
        break;
    case 1910:
        if (ParseWhole(payload, number) && number >= 0 && number < FPlaylist.size()) {
            Jump(number, out);
            SetPlayState(Playing, out);
        }
        break;
    case 1920:
        out.Replies.append(QStringLiteral("1920"));
        break;
    case 2300:
        out.Replies.append(Line("2300", FVolume));
        break;
    case 2310:
        if (ParseWhole(payload, number) && number >= 0 && number <= 100) {
            FVolume = number;
            out.Reports.append(Line("2300", FVolume));
        }
        break;
    case 5000:
        if (ParseWhole(payload, number) && number >= 0 && !FPlaylist.isEmpty())
            FPosition = number;
        break;
    case 5100:
        out.Replies.append(QStringLiteral("5100"));
        RunFunction(payload.trimmed(), out);
        break;
    case 5110: {
        const qsizetype comma = payload.indexOf(QLatin1Char(','));
        if (comma > 0)
            FSettings.insert(payload.left(comma), payload.mid(comma + 1));
        out.Replies.append(QStringLiteral("5110"));
        break;
    }
    case 6000: {
        QString listing;
        out.Replies.append(
            Line("6000", FShare.ListFolder(payload, listing) ? listing : QStringLiteral("-1")));
        break;
    }
    case 6010:
        ActivatePlaylist(payload, out);
        break;
    case 6020: {
        QStringList items = SplitListPayload(payload, QLatin1Char('|'));
        const QString name = items.isEmpty() ? QString() : items.takeFirst();
        const bool saved = !name.trimmed().isEmpty() && FShare.WritePlaylist(name, items);
        out.Replies.append(Line("6020", saved ? 0 : -1));
        break;
    }
    case 6030: {
        QStringList entries;
        const int result = FShare.ReadPlaylist(payload, entries);
        out.Replies.append(result == 0 ? Line("6030", entries.join(QLatin1Char('|')))
                                       : Line("6030", result));
        break;
    }
    case 6040:
        out.Replies.append(FShare.IsAvailable() ? Line("6040", FPlaylist.join(QLatin1Char('|')))
                                                : Line("6040", -4));
        break;
    case 6105:
        if (payload == QLatin1String("1") || payload == QLatin1String("0")) {
            FSchedulerState = payload.toInt();
            out.Reports.append(Line("6110", FSchedulerState));
        }
        break;
    case 6110:
        out.Replies.append(Line("6110", FSchedulerState));
        break;
    case 6120:
        out.Replies.append(ScheduleReachesOutside()
                               ? Line("6120", -1)
                               : Line("6120", FSchedule.join(QLatin1Char('|'))));
        break;
    case 6130:
        SaveSchedule(payload, out);
        break;
    case 6160:
        FPlacement = payload;
        break;
    default:
        break;
    }
    return out;
}
