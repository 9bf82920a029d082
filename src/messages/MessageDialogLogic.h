#pragma once

#include "messages/MessageDialogs.h"

#include <QList>
#include <QString>
#include <optional>

// The decisions behind the message dialog, kept free of widgets.

// "Warning", "Error", "Information", "Confirmation"; the program's title for Custom.
QString DialogCaption(TDialogType type);

// The buttons of the set in their fixed left-to-right order.
QList<TDialogButton> OrderedButtons(TDialogButtons buttons);

QString ButtonCaption(TDialogButton button);

// The modal result a button closes the dialog with; mrNone for Help, which does not close.
int ButtonModalResult(TDialogButton button);

// The button Enter presses: OK, else Yes, else Retry; none when that one is not shown.
std::optional<TDialogButton> DefaultButton(TDialogButtons buttons);

// The button Escape presses: Cancel, else No, else OK; none when that one is not shown.
std::optional<TDialogButton> CancelButton(TDialogButtons buttons);

// The result of a dialog dismissed without a choice: its Escape button's result, or
// the result of closing the window when it has none.
int DismissedResult(TDialogButtons buttons);

// The plain text Ctrl+C puts on the clipboard: caption, message and button captions,
// each after a divider line.
QString DialogClipboardText(const QString &caption, const QString &text, TDialogButtons buttons);

// Puts the text on the system clipboard; false when the clipboard cannot be used.
bool WriteClipboardText(const QString &text);

// Beeps and copies the dialog's text; on failure reports "Cannot open clipboard"
// through the error dialog and returns false.
bool CopyDialogToClipboard(const QString &caption, const QString &text, TDialogButtons buttons);
