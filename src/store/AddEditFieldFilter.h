#pragma once

#include <QString>
#include <QValidator>

// The key filter of one text field: characters it does not accept are
// dropped, whether typed or pasted. Set on a QLineEdit as its validator.
class TAddEditFieldFilter : public QValidator
{
    Q_OBJECT

public:
    enum TKind {
        fkDigits,       // "0".."9"
        fkSignedDigits, // "0".."9" and "-"
        fkNoDoubleQuote,
        fkNoVerticalBar
    };

    explicit TAddEditFieldFilter(TKind kind, QObject *parent = nullptr);

    bool Accepts(QChar c) const;
    // `text` without the characters the field does not take.
    QString Clean(const QString &text) const;

    State validate(QString &input, int &pos) const override;

private:
    TKind FKind;
};
