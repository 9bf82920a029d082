#include "store/AddEditRules.h"

#include "link/TVLScreenClass.h"
#include "store/RecordText.h"

#include <algorithm>
#include <limits>

namespace {

qint32 SaturatedEdge(qint64 edge)
{
    return qint32(std::clamp<qint64>(edge, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

} // namespace

TMonitorBounds MonitorBounds(const MonitorRectList &list)
{
    TMonitorBounds bounds;
    for (const MonitorRect &m : list) {
        bounds.Left = std::min(bounds.Left, m.Left);
        bounds.Top = std::min(bounds.Top, m.Top);
        // Summed in 64 bits: a presenter may report edges near the 32-bit limit.
        bounds.Right = SaturatedEdge(std::max<qint64>(bounds.Right, qint64(m.Left) + m.Width));
        bounds.Bottom = SaturatedEdge(std::max<qint64>(bounds.Bottom, qint64(m.Top) + m.Height));
    }
    return bounds;
}

QString PresetWallText(int option)
{
    switch (option) {
    case 1:
        return QStringLiteral(
            "0,0,1920,1080|1920,0,1920,1080|0,1080,1920,1080|1920,1080,1920,1080");
    case 2:
        return QStringLiteral("0,0,1920,1080|1920,0,1920,1080|0,1080,1920,1080|1920,1080,1920,"
                              "1080|3840,0,1920,1080|3840,1080,1920,1080");
    case 3:
        return QStringLiteral("0,0,1920,1080|1920,0,1920,1080|0,1080,1920,1080|1920,1080,1920,"
                              "1080|3840,0,1920,1080|3840,1080,1920,1080|0,2160,1920,1080|1920,"
                              "2160,1920,1080|3840,2160,1920,1080");
    default:
        return QString();
    }
}

TDuplicateKind FindDuplicate(const QList<TVLScreenClass *> &store, const QString &name,
                             const QString &address, const QString &portText)
{
    TDuplicateKind result = dkNone;
    for (const TVLScreenClass *screen : store) {
        if (screen->Name.compare(name, Qt::CaseInsensitive) == 0)
            result = dkSameName;
        // The port is compared as text, so "04769" is not port 4769.
        if (screen->Address.compare(address, Qt::CaseInsensitive) == 0 &&
            QString::number(screen->Port).compare(portText, Qt::CaseInsensitive) == 0)
            result = dkSameAddressAndPort;
    }
    return result;
}

const TVLScreenClass *FindMonitorSource(const QList<TVLScreenClass *> &store,
                                        const TVLScreenClass *edited, const QString &address)
{
    for (const TVLScreenClass *screen : store) {
        if (screen == edited)
            continue;
        if (screen->Address.compare(address, Qt::CaseInsensitive) == 0 &&
            !screen->MonitorList.isEmpty())
            return screen;
    }
    return nullptr;
}

TAddEditValues NewScreenValues()
{
    return TAddEditValues();
}

TAddEditValues ValuesFromScreen(const TVLScreenClass &screen)
{
    TAddEditValues values;
    values.Name = screen.Name;
    values.Address = screen.Address;
    values.PortText = QString::number(screen.Port);
    values.Password = screen.Password();
    values.Layout = screen.Layout;
    values.PlaylistMode = screen.PlaylistMode;
    values.ScreenMode = screen.ScreenMode;
    values.SchedulePause = screen.SchedulePause;
    values.ScheduleHideScreen = screen.ScheduleHideScreen;
    values.HideMouseCursor = screen.HideMouseCursor;
    values.DisableOSD = screen.DisableOSD;
    values.DisableParts = screen.DisableParts;
    values.XOfsText = QString::number(screen.CustomXOfs);
    values.YOfsText = QString::number(screen.CustomYOfs);
    values.WidthText = QString::number(screen.CustomWidth);
    values.HeightText = QString::number(screen.CustomHeight);
    values.SlideshowDelayText = QString::number(screen.SlideshowDelay);
    values.VideoRenderer = screen.VideoRenderer;
    values.Monitor =
        screen.Monitor >= 0 && screen.Monitor <= screen.MonitorList.size() ? screen.Monitor : 0;
    values.AudioDevices = screen.AudioDevices;
    values.AudioDeviceIndex = screen.AudioDevices.indexOf(screen.AudioDevice);
    values.TagsText = screen.Tags.join(QStringLiteral(", "));
    return values;
}

void CommitValuesToScreen(const TAddEditValues &values, TVLScreenClass &screen)
{
    screen.Name = values.Name;
    screen.Address = values.Address;
    // No range check: the field holds at most five digits and the value is kept as typed.
    screen.Port = ReadInteger(values.PortText, 4769);
    screen.Monitor = std::max(0, values.Monitor);
    screen.Layout = values.Layout;
    screen.PlaylistMode = values.PlaylistMode;
    screen.ScreenMode = values.ScreenMode;
    screen.SchedulePause = values.SchedulePause;
    screen.ScheduleHideScreen = values.ScheduleHideScreen;
    screen.HideMouseCursor = values.HideMouseCursor;
    screen.VideoRenderer = values.VideoRenderer;
    screen.DisableOSD = values.DisableOSD;
    screen.DisableParts = values.DisableParts;
    screen.CustomXOfs = ReadInteger(values.XOfsText, 0);
    screen.CustomYOfs = ReadInteger(values.YOfsText, 0);
    screen.CustomWidth = ReadInteger(values.WidthText, 1920);
    screen.CustomHeight = ReadInteger(values.HeightText, 1080);
    screen.SlideshowDelay = ReadInteger(values.SlideshowDelayText, 0);
    screen.SetPassword(values.Password);
    screen.AudioDevice =
        values.AudioDeviceIndex >= 0 && values.AudioDeviceIndex < values.AudioDevices.size()
            ? values.AudioDevices.at(values.AudioDeviceIndex)
            : QString();
    screen.Tags.clear();
    SplitTrimmedList(values.TagsText, QLatin1Char(','), screen.Tags);
}

TLayoutControlState LayoutControlState(int layout, int screenMode)
{
    TLayoutControlState state;
    const bool windowed = layout == 1 || layout == 2;
    state.LayoutVisible = screenMode != 2;
    state.OffsetsVisible = state.LayoutVisible && windowed;
    state.OffsetsEnabled = layout == 1;
    state.MonitorVisible = state.LayoutVisible && layout == 0;
    state.ScreenModeEnabled = windowed;
    return state;
}
