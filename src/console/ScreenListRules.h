#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TVLScreenClass;

// The rules of the screen list as plain functions over the store, so they can be
// checked without a window.
namespace ScreenListRules {

// Splits the filter text at commas into lower-cased terms. An empty piece
// between two commas stays (and matches nothing); the piece after the last
// comma counts only if it was not empty before trimming. Empty text: no terms.
QStringList ParseTagFilter(const QString &filterText);

// True if some term is a prefix of some TAG of the screen (both lower-cased).
// `terms` must come from ParseTagFilter.
bool MatchesTagFilter(const TVLScreenClass &screen, const QStringList &terms);

// "Name|Address:Port".
QString RowText(const TVLScreenClass &screen);

// The part of a row text before the first "|" (the name) and after it.
QString RowNamePart(const QString &rowText);
QString RowAddressPart(const QString &rowText);

// The screens of `store` that pass the filter, in case-insensitive order of
// their row texts (ties keep store order). No terms: every screen.
QList<TVLScreenClass *> FilterScreens(const QList<TVLScreenClass *> &store,
                                      const QString &filterText);

// Number of distinct addresses in the store, compared lower-cased.
int CountDistinctAddresses(const QList<TVLScreenClass *> &store);

// Every TAG of the store once (duplicates compared without case, the first
// spelling kept), sorted.
QStringList DistinctTags(const QList<TVLScreenClass *> &store);

// The filter text after picking `tag` from the TAG menu.
QString AppendTagToFilter(const QString &filterText, const QString &tag);

// Lines of the Delete All summary: "Name\t (Address:Port)" for at most
// `maxLines` screens, then "..." if there are more; each line ends with CR LF.
QString DeleteAllSummary(const QList<TVLScreenClass *> &shown, int maxLines = 16);

} // namespace ScreenListRules
