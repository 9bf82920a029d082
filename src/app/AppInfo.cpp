#include "app/AppInfo.h"

QString ApplicationTitle()
{
    return QStringLiteral("Orvane");
}

QString ApplicationVersionText()
{
    return QStringLiteral("Orvane v2.0.1");
}
