#include "schedule/NaturalCompare.h"

#include <QCollator>
#include <QLocale>

namespace {

// The C locale gets a plain code-point comparison from QCollator, without the
// numeric mode, so the collator is pinned to a real locale.
const QCollator &LogicalCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::English, QLocale::UnitedStates));
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

int NaturalCompare(const QString &a, const QString &b)
{
    const int result = LogicalCollator().compare(a, b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}
