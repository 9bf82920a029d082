#include "messages/MessageSeam.h"

#include <QQueue>

#include <utility>

namespace MessageSeam {
namespace {

struct TSeamState
{
    bool Enabled = false;
    QQueue<TQueuedAnswer> Answers;
    QQueue<TQueuedInput> Inputs;
    QList<TShownDialog> Shown;
    QStringList LogEntries;
    bool ClipboardFails = false;
    std::function<void(const TShownDialog &)> WhileOpen;
};

TSeamState &State()
{
    static TSeamState state;
    return state;
}

} // namespace

void Enable()
{
    State() = TSeamState();
    State().Enabled = true;
}

void Disable()
{
    State() = TSeamState();
}

bool IsEnabled()
{
    return State().Enabled;
}

void QueueAnswer(int modalResult, bool checkBoxState)
{
    State().Answers.enqueue(TQueuedAnswer{modalResult, checkBoxState});
}

void QueueInput(bool accepted, const QString &value)
{
    State().Inputs.enqueue(TQueuedInput{accepted, value});
}

int PendingAnswers()
{
    return int(State().Answers.size());
}

int PendingInputs()
{
    return int(State().Inputs.size());
}

QList<TShownDialog> Shown()
{
    return State().Shown;
}

void ClearShown()
{
    State().Shown.clear();
}

void SetClipboardFails(bool fails)
{
    State().ClipboardFails = fails;
}

bool ClipboardFails()
{
    return State().Enabled && State().ClipboardFails;
}

QStringList LogEntries()
{
    return State().LogEntries;
}

void ClearLogEntries()
{
    State().LogEntries.clear();
}

void RecordShown(const TShownDialog &shown)
{
    if (!State().Enabled)
        return;
    State().Shown.append(shown);
    // A copy: the action may replace itself or reset the seam.
    const std::function<void(const TShownDialog &)> whileOpen = State().WhileOpen;
    if (whileOpen)
        whileOpen(shown);
}

void SetWhileOpen(std::function<void(const TShownDialog &)> action)
{
    State().WhileOpen = std::move(action);
}

bool TakeAnswer(TQueuedAnswer &answer)
{
    if (State().Answers.isEmpty())
        return false;
    answer = State().Answers.dequeue();
    return true;
}

bool TakeInput(TQueuedInput &input)
{
    if (State().Inputs.isEmpty())
        return false;
    input = State().Inputs.dequeue();
    return true;
}

void RecordLogEntry(const QString &text)
{
    if (State().Enabled)
        State().LogEntries.append(text);
}

} // namespace MessageSeam
