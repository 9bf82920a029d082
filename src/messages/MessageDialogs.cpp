#include "messages/MessageDialogs.h"

#include "messages/MessageDialogLogic.h"
#include "messages/MessageSeam.h"
#include "messages/TLOGForm.h"
#include "messages/TMessageFormW.h"

#include <QApplication>
#include <QInputDialog>

namespace {

bool HasWidgetApplication()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

QWidget *DialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    // The log may be hidden or closed while the dialog is up; its owner is steadier.
    QWidget *active = QApplication::activeWindow();
    if (qobject_cast<TLOGForm *>(active))
        return active->parentWidget();
    return active;
}

// Answers the dialog from the test seam; false when the seam is off.
bool AnswerFromSeam(const QString &text, TDialogType type, TDialogButtons buttons, bool withCheck,
                    int &result, bool *flag)
{
    if (!MessageSeam::IsEnabled())
        return false;
    MessageSeam::RecordShown({DialogCaption(type), text, type, buttons, withCheck, false});
    MessageSeam::TQueuedAnswer answer;
    if (MessageSeam::TakeAnswer(answer)) {
        result = answer.ModalResult;
        if (flag)
            *flag = answer.CheckBoxState;
    } else {
        result = DismissedResult(buttons);
    }
    return true;
}

int RunDialog(const QString &text, TDialogType type, TDialogButtons buttons,
              const QString *checkCaption, bool initialState, bool *flag)
{
    int result = mrCancel;
    if (AnswerFromSeam(text, type, buttons, checkCaption != nullptr, result, flag))
        return result;
    if (!HasWidgetApplication()) {
        qWarning("%s", qUtf8Printable(text));
        return DismissedResult(buttons);
    }
    TMessageFormW dialog(text, type, buttons, DialogParent());
    if (checkCaption)
        dialog.AddCheckBox(*checkCaption, initialState);
    dialog.CentreOnScreen();
    result = dialog.exec();
    if (flag)
        *flag = dialog.CheckBoxState();
    return result;
}

} // namespace

int ShowMessageDialog(const QString &text, TDialogType type, TDialogButtons buttons)
{
    return RunDialog(text, type, buttons, nullptr, false, nullptr);
}

int ShowScreenMessage(const QString &screenName, const QString &message, TDialogType type)
{
    return ShowMessageDialog(screenName + QLatin1String("\n\n") + message, type, TDialogButton::OK);
}

int ShowMessageDialogWithCheck(const QString &text, TDialogType type, TDialogButtons buttons,
                               const QString &checkCaption, bool initialState, bool &flag)
{
    return RunDialog(text, type, buttons, &checkCaption, initialState, &flag);
}

bool InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    if (MessageSeam::IsEnabled()) {
        MessageSeam::TShownDialog shown;
        shown.Caption = caption;
        shown.Text = prompt;
        shown.IsInput = true;
        MessageSeam::RecordShown(shown);
        MessageSeam::TQueuedInput input;
        if (!MessageSeam::TakeInput(input) || !input.Accepted)
            return false;
        value = input.Value;
        return true;
    }
    if (!HasWidgetApplication())
        return false;
    bool accepted = false;
    const QString entered =
        QInputDialog::getText(DialogParent(), caption, prompt, QLineEdit::Normal, value, &accepted);
    if (accepted)
        value = entered;
    return accepted;
}
