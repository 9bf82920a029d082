#include "messages/MessageDialogLogic.h"

#include "app/AppInfo.h"
#include "messages/MessageSeam.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

namespace {

const TDialogButton ButtonOrder[] = {
    TDialogButton::Yes,     TDialogButton::No,       TDialogButton::OK,     TDialogButton::Cancel,
    TDialogButton::Abort,   TDialogButton::Retry,    TDialogButton::Ignore, TDialogButton::All,
    TDialogButton::NoToAll, TDialogButton::YesToAll, TDialogButton::Help,
};

std::optional<TDialogButton> FirstPresent(TDialogButtons buttons,
                                          std::initializer_list<TDialogButton> choices,
                                          TDialogButton fallback)
{
    for (const TDialogButton choice : choices) {
        if (buttons.testFlag(choice))
            return choice;
    }
    if (buttons.testFlag(fallback))
        return fallback;
    return std::nullopt;
}

} // namespace

QString DialogCaption(TDialogType type)
{
    switch (type) {
    case TDialogType::Warning:
        return QStringLiteral("Warning");
    case TDialogType::Error:
        return QStringLiteral("Error");
    case TDialogType::Information:
        return QStringLiteral("Information");
    case TDialogType::Confirmation:
        return QStringLiteral("Confirmation");
    case TDialogType::Custom:
        break;
    }
    return ApplicationTitle();
}

QList<TDialogButton> OrderedButtons(TDialogButtons buttons)
{
    QList<TDialogButton> ordered;
    for (const TDialogButton button : ButtonOrder) {
        if (buttons.testFlag(button))
            ordered.append(button);
    }
    return ordered;
}

QString ButtonCaption(TDialogButton button)
{
    switch (button) {
    case TDialogButton::Yes:
        return QStringLiteral("Yes");
    case TDialogButton::No:
        return QStringLiteral("No");
    case TDialogButton::OK:
        return QStringLiteral("OK");
    case TDialogButton::Cancel:
        return QStringLiteral("Cancel");
    case TDialogButton::Abort:
        return QStringLiteral("Abort");
    case TDialogButton::Retry:
        return QStringLiteral("Retry");
    case TDialogButton::Ignore:
        return QStringLiteral("Ignore");
    case TDialogButton::All:
        return QStringLiteral("All");
    case TDialogButton::NoToAll:
        return QStringLiteral("NoToAll");
    case TDialogButton::YesToAll:
        return QStringLiteral("YesToAll");
    case TDialogButton::Help:
        return QStringLiteral("Help");
    }
    return QString();
}

int ButtonModalResult(TDialogButton button)
{
    switch (button) {
    case TDialogButton::Yes:
        return mrYes;
    case TDialogButton::No:
        return mrNo;
    case TDialogButton::OK:
        return mrOk;
    case TDialogButton::Cancel:
        return mrCancel;
    case TDialogButton::Abort:
        return mrAbort;
    case TDialogButton::Retry:
        return mrRetry;
    case TDialogButton::Ignore:
        return mrIgnore;
    case TDialogButton::All:
        return mrAll;
    case TDialogButton::NoToAll:
        return mrNoToAll;
    case TDialogButton::YesToAll:
        return mrYesToAll;
    case TDialogButton::Help:
        break;
    }
    return mrNone;
}

std::optional<TDialogButton> DefaultButton(TDialogButtons buttons)
{
    return FirstPresent(buttons, {TDialogButton::OK, TDialogButton::Yes}, TDialogButton::Retry);
}

std::optional<TDialogButton> CancelButton(TDialogButtons buttons)
{
    return FirstPresent(buttons, {TDialogButton::Cancel, TDialogButton::No}, TDialogButton::OK);
}

int DismissedResult(TDialogButtons buttons)
{
    const std::optional<TDialogButton> escape = CancelButton(buttons);
    return escape ? ButtonModalResult(*escape) : int(mrCancel);
}

QString DialogClipboardText(const QString &caption, const QString &text, TDialogButtons buttons)
{
    const QString divider = QString(27, u'-') + QStringLiteral("\r\n");
    QString captions;
    for (const TDialogButton button : OrderedButtons(buttons))
        captions += ButtonCaption(button).remove(u'&') + QStringLiteral("   ");
    return divider + caption + QStringLiteral("\r\n") + divider + text + QStringLiteral("\r\n") +
           divider + captions + QStringLiteral("\r\n") + divider;
}

bool WriteClipboardText(const QString &text)
{
    if (MessageSeam::ClipboardFails())
        return false;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text);
    // A clipboard held by another program silently keeps its old content.
    return clipboard->text() == text;
}

bool CopyDialogToClipboard(const QString &caption, const QString &text, TDialogButtons buttons)
{
    QApplication::beep();
    if (WriteClipboardText(DialogClipboardText(caption, text, buttons)))
        return true;
    ShowMessageDialog(QStringLiteral("Cannot open clipboard"), TDialogType::Error,
                      TDialogButton::OK);
    return false;
}
