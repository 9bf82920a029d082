#include "TemporaryProfile.h"

#include "store/TConsoleSettings.h"

#include <QFile>

TTemporaryProfile::TTemporaryProfile()
{
    qputenv("ORVANE_PROFILE_DIR", QFile::encodeName(path()));
    ConsoleSettings() = TConsoleSettings();
}

TTemporaryProfile::~TTemporaryProfile()
{
    qunsetenv("ORVANE_PROFILE_DIR");
}

QString TTemporaryProfile::Folder() const
{
    return path() + QLatin1Char('/');
}
