#include "app/SystemTimeText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr qint64 MsecsPerDay = 24LL * 60 * 60 * 1000;

const QDate &DayZero()
{
    static const QDate day(1899, 12, 30);
    return day;
}

} // namespace

double DateTimeToDays(const QDateTime &local)
{
    const double days = static_cast<double>(DayZero().daysTo(local.date()));
    const double fraction =
        static_cast<double>(local.time().msecsSinceStartOfDay()) / static_cast<double>(MsecsPerDay);
    // Before day 0 the fraction still counts forward from the day's start, but
    // the integral part is negative, so the two are combined with opposite signs.
    return days >= 0 ? days + fraction : days - fraction;
}

QTime EstimatedScreenTime(double consoleNowDays, double sysTimeDiff)
{
    double intPart = 0;
    // std::modf keeps the sign, so the fraction of -0.25 is -0.25 as wanted.
    double t = std::modf(consoleNowDays, &intPart) - std::modf(sysTimeDiff, &intPart);
    if (t > 1)
        t -= 1;
    else if (t < 0)
        t += 1;
    // Round to whole milliseconds first so that 0.0625 days is 01:30:00 and not
    // 01:29:59.999; exactly one day is midnight.
    qint64 msecs = std::llround(t * static_cast<double>(MsecsPerDay)) % MsecsPerDay;
    if (msecs < 0)
        msecs += MsecsPerDay;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs));
}

QString LongTimeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format = format.trimmed();
    return format.isEmpty() ? QStringLiteral("HH:mm:ss") : format;
}

QString SystemTimeText(bool sysTimeSynched, double sysTimeDiff, double consoleNowDays,
                       const QString &format)
{
    if (!sysTimeSynched)
        return QString();
    return QLocale::system().toString(EstimatedScreenTime(consoleNowDays, sysTimeDiff), format);
}
