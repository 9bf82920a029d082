#include "store/AddEditFieldFilter.h"

#include <algorithm>

TAddEditFieldFilter::TAddEditFieldFilter(TKind kind, QObject *parent)
    : QValidator(parent), FKind(kind)
{}

bool TAddEditFieldFilter::Accepts(QChar c) const
{
    switch (FKind) {
    case fkDigits:
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    case fkSignedDigits:
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-');
    case fkNoDoubleQuote:
        // A double quote would end the quoted address in the stored record.
        return c != QLatin1Char('"');
    case fkNoVerticalBar:
        // "|" separates list items in stored records and cannot be escaped.
        return c != QLatin1Char('|');
    }
    return true;
}

QString TAddEditFieldFilter::Clean(const QString &text) const
{
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (Accepts(c))
            cleaned.append(c);
    }
    return cleaned;
}

QValidator::State TAddEditFieldFilter::validate(QString &input, int &pos) const
{
    // The cursor keeps its place among the characters that stay.
    int dropped = 0;
    for (int i = 0; i < pos && i < input.size(); ++i) {
        if (!Accepts(input.at(i)))
            ++dropped;
    }
    const QString cleaned = Clean(input);
    if (cleaned != input) {
        input = cleaned;
        pos = std::min<int>(pos - dropped, static_cast<int>(input.size()));
    }
    return Acceptable;
}
