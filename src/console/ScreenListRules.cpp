#include "console/ScreenListRules.h"

#include "link/TVLScreenClass.h"
#include "store/RecordText.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace ScreenListRules {

QStringList ParseTagFilter(const QString &filterText)
{
    QStringList terms;
    SplitTrimmedList(filterText, QLatin1Char(','), terms);
    for (QString &term : terms)
        term = term.toLower();
    return terms;
}

bool MatchesTagFilter(const TVLScreenClass &screen, const QStringList &terms)
{
    for (const QString &tag : screen.Tags) {
        const QString lowerTag = tag.toLower();
        for (const QString &term : terms) {
            if (!term.isEmpty() && lowerTag.startsWith(term))
                return true;
        }
    }
    return false;
}

QString RowText(const TVLScreenClass &screen)
{
    return screen.Name % QLatin1Char('|') % screen.Address % QLatin1Char(':') %
           QString::number(screen.Port);
}

QString RowNamePart(const QString &rowText)
{
    const qsizetype bar = rowText.indexOf(QLatin1Char('|'));
    return bar < 0 ? rowText : rowText.left(bar);
}

QString RowAddressPart(const QString &rowText)
{
    const qsizetype bar = rowText.indexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : rowText.mid(bar + 1);
}

QList<TVLScreenClass *> FilterScreens(const QList<TVLScreenClass *> &store,
                                      const QString &filterText)
{
    const QStringList terms = ParseTagFilter(filterText);

    struct TKeyedScreen
    {
        QString NameKey;
        QString RestKey;
        TVLScreenClass *Screen;
    };
    std::vector<TKeyedScreen> keyed;
    keyed.reserve(static_cast<size_t>(store.size()));
    for (TVLScreenClass *screen : store) {
        if (!screen || (!terms.isEmpty() && !MatchesTagFilter(*screen, terms)))
            continue;
        const QString rest = screen->Address % QLatin1Char(':') % QString::number(screen->Port);
        keyed.push_back({screen->Name.toCaseFolded(), rest.toCaseFolded(), screen});
    }
    // Name first, then address and port: comparing whole row texts would put
    // "Lobby2|..." before "Lobby|..." because "2" sorts before "|".
    std::stable_sort(keyed.begin(), keyed.end(), [](const TKeyedScreen &a, const TKeyedScreen &b) {
        const int byName = a.NameKey.compare(b.NameKey);
        if (byName != 0)
            return byName < 0;
        return a.RestKey < b.RestKey;
    });

    QList<TVLScreenClass *> shown;
    shown.reserve(static_cast<qsizetype>(keyed.size()));
    for (const TKeyedScreen &entry : keyed)
        shown.append(entry.Screen);
    return shown;
}

int CountDistinctAddresses(const QList<TVLScreenClass *> &store)
{
    QSet<QString> addresses;
    addresses.reserve(store.size());
    for (const TVLScreenClass *screen : store) {
        if (screen)
            addresses.insert(screen->Address.toLower());
    }
    return static_cast<int>(addresses.size());
}

QStringList DistinctTags(const QList<TVLScreenClass *> &store)
{
    QSet<QString> seen;
    QStringList tags;
    for (const TVLScreenClass *screen : store) {
        if (!screen)
            continue;
        for (const QString &tag : screen->Tags) {
            const QString key = tag.toCaseFolded();
            if (seen.contains(key))
                continue;
            seen.insert(key);
            tags.append(tag);
        }
    }
    std::sort(tags.begin(), tags.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return tags;
}

QString AppendTagToFilter(const QString &filterText, const QString &tag)
{
    if (filterText.isEmpty())
        return tag;
    return filterText % QStringLiteral(", ") % tag;
}

QString DeleteAllSummary(const QList<TVLScreenClass *> &shown, int maxLines)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString summary;
    int listed = 0;
    for (const TVLScreenClass *screen : shown) {
        if (listed == maxLines) {
            summary += QStringLiteral("...") % lineEnd;
            break;
        }
        summary += screen->Name % QStringLiteral("\t (") % screen->Address % QLatin1Char(':') %
                   QString::number(screen->Port) % QLatin1Char(')') % lineEnd;
        ++listed;
    }
    return summary;
}

} // namespace ScreenListRules
