#include "store/TConsoleSettings.h"

TConsoleSettings &ConsoleSettings()
{
    static TConsoleSettings settings;
    return settings;
}
