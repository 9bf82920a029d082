#pragma once

#include "messages/MessageDialogs.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QPushButton;

// The modal message dialog: icon, text, a row of buttons and an optional check box.
// Its choices (captions, order, Enter and Escape buttons, copied text) come from
// MessageDialogLogic; this class only wires them to widgets.
class TMessageFormW : public QDialog
{
    Q_OBJECT
public:
    TMessageFormW(const QString &text, TDialogType type, TDialogButtons buttons,
                  QWidget *parent = nullptr);

    // Adds the check box below the buttons.
    void AddCheckBox(const QString &caption, bool initialState);
    bool CheckBoxState() const;

    QPushButton *Button(TDialogButton button) const { return FButtons.value(button); }
    QCheckBox *CheckBox() const { return FCheckBox; }

    // Moves the dialog to the middle of the screen it is on.
    void CentreOnScreen();

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ButtonClick(TDialogButton button);

    QString FText;
    TDialogButtons FButtonSet;
    QMap<TDialogButton, QPushButton *> FButtons;
    QCheckBox *FCheckBox = nullptr;
};
