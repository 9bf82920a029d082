#pragma once

#include "messages/MessageDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A seam through which tests answer message dialogs and input boxes without any
// window opening, and read back what would have been shown. Production code never
// enables it; while it is disabled every call below is harmless.
namespace MessageSeam {

// What one dialog or input box would have shown.
struct TShownDialog
{
    QString Caption;
    QString Text;
    TDialogType Type = TDialogType::Custom;
    TDialogButtons Buttons;
    bool WithCheck = false;
    bool IsInput = false; // an InputQuery box: Caption and Text hold caption and prompt
};

// Enabling clears the queues and the record of shown dialogs and log entries.
void Enable();
void Disable();
bool IsEnabled();

// The next message dialog returns `modalResult`; a dialog with a check box also
// writes `checkBoxState` to its flag. With the queue empty a dialog returns the
// result of its Escape button and leaves the flag as it was.
void QueueAnswer(int modalResult, bool checkBoxState = false);

// The next input box returns `accepted` and, when accepted, sets the value.
// With the queue empty an input box is cancelled.
void QueueInput(bool accepted, const QString &value = QString());

// Answers still waiting in the queues; a test checks these reached zero.
int PendingAnswers();
int PendingInputs();

QList<TShownDialog> Shown();
void ClearShown();

// Runs `action` while each following dialog or input box is "open": after it is
// recorded and before it returns. Lets a test deliver what arrives during a modal
// dialog, such as a status line. Dialogs shown by the action run it again, so the
// action limits its own depth. An empty function removes it; Enable() clears it.
void SetWhileOpen(std::function<void(const TShownDialog &)> action);

// While set, copying a dialog to the clipboard fails as if another program held it.
void SetClipboardFails(bool fails);
bool ClipboardFails();

// The text of every notification-log entry added while enabled, in order.
QStringList LogEntries();
void ClearLogEntries();

// Used by the dialog and log routines themselves.
struct TQueuedAnswer
{
    int ModalResult = mrCancel;
    bool CheckBoxState = false;
};
struct TQueuedInput
{
    bool Accepted = false;
    QString Value;
};
void RecordShown(const TShownDialog &shown);
bool TakeAnswer(TQueuedAnswer &answer);
bool TakeInput(TQueuedInput &input);
void RecordLogEntry(const QString &text);

} // namespace MessageSeam
