#pragma once

#include <QFlags>
#include <QString>

// Kinds of the message dialog. Custom has no icon and the program's title as caption.
enum class TDialogType { Warning, Error, Information, Confirmation, Custom };

// Buttons in their fixed left-to-right order.
enum class TDialogButton {
    Yes = 0x001,
    No = 0x002,
    OK = 0x004,
    Cancel = 0x008,
    Abort = 0x010,
    Retry = 0x020,
    Ignore = 0x040,
    All = 0x080,
    NoToAll = 0x100,
    YesToAll = 0x200,
    Help = 0x400
};
Q_DECLARE_FLAGS(TDialogButtons, TDialogButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDialogButtons)

// Modal results of a dialog.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};

// Shows the modal message dialog centred on the screen; returns the modal result.
int ShowMessageDialog(const QString &text, TDialogType type, TDialogButtons buttons);

// A failure that concerns one screen: its name, a blank line, then the message,
// with OK alone.
int ShowScreenMessage(const QString &screenName, const QString &message, TDialogType type);

// The same dialog with a check box below the buttons; the box's state is written
// to `flag` when the dialog closes, whatever button was pressed.
int ShowMessageDialogWithCheck(const QString &text, TDialogType type, TDialogButtons buttons,
                               const QString &checkCaption, bool initialState, bool &flag);

// One-line input box. Returns true and updates `value` when the operator confirms.
bool InputQuery(const QString &caption, const QString &prompt, QString &value);
