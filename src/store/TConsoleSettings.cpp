#include "store/TConsoleSettings.h"

#include "store/StoredValues.h"

#include <QSettings>

namespace {

struct TIntegerValue
{
    const char *Name;
    qint32 TConsoleSettings::*Field;
};

struct TFlagValue
{
    const char *Name;
    bool TConsoleSettings::*Field;
};

// In store order: each group Left, Top, Width, Height.
const TIntegerValue WindowBounds[] = {
    {"LOGLeft", &TConsoleSettings::LOGLeft},
    {"LOGTop", &TConsoleSettings::LOGTop},
    {"LOGWidth", &TConsoleSettings::LOGWidth},
    {"LOGHeight", &TConsoleSettings::LOGHeight},
    {"SchedEditLeft", &TConsoleSettings::SchedEditLeft},
    {"SchedEditTop", &TConsoleSettings::SchedEditTop},
    {"SchedEditWidth", &TConsoleSettings::SchedEditWidth},
    {"SchedEditHeight", &TConsoleSettings::SchedEditHeight},
    {"BrowseLeft", &TConsoleSettings::BrowseLeft},
    {"BrowseTop", &TConsoleSettings::BrowseTop},
    {"BrowseWidth", &TConsoleSettings::BrowseWidth},
    {"BrowseHeight", &TConsoleSettings::BrowseHeight},
    {"AddEditLeft", &TConsoleSettings::AddEditLeft},
    {"AddEditTop", &TConsoleSettings::AddEditTop},
    {"AddEditWidth", &TConsoleSettings::AddEditWidth},
    {"AddEditHeight", &TConsoleSettings::AddEditHeight},
};

const TIntegerValue MainWindowBounds[] = {
    {"WinLeft", &TConsoleSettings::WinLeft},
    {"WinTop", &TConsoleSettings::WinTop},
    {"WinWidth", &TConsoleSettings::WinWidth},
    {"WinHeight", &TConsoleSettings::WinHeight},
};

const TFlagValue WarningFlags[] = {
    {"OPNotConnectedWarning", &TConsoleSettings::OPNotConnectedWarning},
    {"OPAudioChangeWarning", &TConsoleSettings::OPAudioChangeWarning},
    {"OPVideoChangeWarning", &TConsoleSettings::OPVideoChangeWarning},
    {"OPHideScreenWarning", &TConsoleSettings::OPHideScreenWarning},
    {"OPScheduleSaveWarning", &TConsoleSettings::OPScheduleSaveWarning},
};

QString NameOf(const char *name)
{
    return QString::fromLatin1(name);
}

// Booleans are stored as 32-bit values and read by their lowest byte.
bool ReadFlag(const QSettings &store, const char *name, bool &flag)
{
    qint32 value = 0;
    if (!ReadStoredInteger(store, NameOf(name), value))
        return false;
    flag = (value & 0xFF) != 0;
    return true;
}

bool IsMotionScale(qint32 value)
{
    return value == 1 || value == 2 || value == 4 || value == 8 || value == 16 || value == 32;
}

} // namespace

TConsoleSettings &ConsoleSettings()
{
    static TConsoleSettings settings;
    return settings;
}

void ReadConsoleSettings(const QSettings &store, TConsoleSettings &settings)
{
    for (const TIntegerValue &bound : MainWindowBounds) {
        if (ReadStoredInteger(store, NameOf(bound.Name), settings.*bound.Field))
            settings.WinBoundsStored = true;
    }
    qint32 maximized = 0;
    if (ReadStoredInteger(store, QStringLiteral("WinMAX"), maximized))
        settings.WinMAX = (maximized & 0xFF) == 1;
    for (const TIntegerValue &bound : WindowBounds)
        ReadStoredInteger(store, NameOf(bound.Name), settings.*bound.Field);
    for (const TFlagValue &flag : WarningFlags)
        ReadFlag(store, flag.Name, settings.*flag.Field);

    // The drag ratio divides pointer motion and the wall preset indexes a table: a
    // value outside their ranges in a damaged store keeps the default.
    qint32 scale = 0;
    if (ReadStoredInteger(store, QStringLiteral("OPLayoutMotionScale"), scale) &&
        IsMotionScale(scale))
        settings.OPLayoutMotionScale = scale;
    ReadFlag(store, "OPMinimizedMode", settings.OPMinimizedMode);
    qint32 fakeLayout = 0;
    if (ReadStoredInteger(store, QStringLiteral("OPFakeLayout"), fakeLayout) && fakeLayout >= 0 &&
        fakeLayout <= 3)
        settings.OPFakeLayout = fakeLayout;
}

void WriteConsoleSettings(QSettings &store, const TConsoleSettings &settings)
{
    if (!settings.WinMAX && settings.WinBoundsStored) {
        for (const TIntegerValue &bound : MainWindowBounds)
            WriteStoredInteger(store, NameOf(bound.Name), settings.*bound.Field);
    }
    WriteStoredInteger(store, QStringLiteral("WinMAX"), settings.WinMAX ? 1 : 0);
    for (const TIntegerValue &bound : WindowBounds)
        WriteStoredInteger(store, NameOf(bound.Name), settings.*bound.Field);
    for (const TFlagValue &flag : WarningFlags)
        WriteStoredInteger(store, NameOf(flag.Name), settings.*flag.Field ? 1 : 0);
    WriteStoredInteger(store, QStringLiteral("OPLayoutMotionScale"), settings.OPLayoutMotionScale);
    WriteStoredInteger(store, QStringLiteral("OPMinimizedMode"), settings.OPMinimizedMode ? 1 : 0);
    WriteStoredInteger(store, QStringLiteral("OPFakeLayout"), settings.OPFakeLayout);
}
