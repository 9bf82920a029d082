#include "messages/TMessageFormW.h"

#include "messages/MessageDialogLogic.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

std::optional<QStyle::StandardPixmap> DialogIcon(TDialogType type)
{
    switch (type) {
    case TDialogType::Warning:
        return QStyle::SP_MessageBoxWarning;
    case TDialogType::Error:
        return QStyle::SP_MessageBoxCritical;
    case TDialogType::Information:
        return QStyle::SP_MessageBoxInformation;
    case TDialogType::Confirmation:
        return QStyle::SP_MessageBoxQuestion;
    case TDialogType::Custom:
        break;
    }
    return std::nullopt;
}

// A list of many screen names would make the dialog taller than the monitor and
// put its buttons out of reach; such a text scrolls within part of the screen.
QWidget *FitTextToScreen(QLabel *textLabel, QWidget *parent)
{
    const QScreen *screen =
        parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return textLabel;
    const QSize room = screen->availableGeometry().size() * 2 / 3;
    const QSize wanted = textLabel->sizeHint();
    if (wanted.height() <= room.height() && wanted.width() <= room.width())
        return textLabel;
    auto *scroller = new QScrollArea(textLabel->parentWidget());
    scroller->setObjectName(QStringLiteral("MessageTextScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(textLabel);
    const int bar = scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    scroller->setFixedSize(qMin(wanted.width() + bar, room.width()),
                           qMin(wanted.height() + bar, room.height()));
    return scroller;
}

} // namespace

TMessageFormW::TMessageFormW(const QString &text, TDialogType type, TDialogButtons buttons,
                             QWidget *parent)
    : QDialog(parent), FText(text), FButtonSet(buttons)
{
    setWindowTitle(DialogCaption(type));
    setModal(true);

    auto *messageRow = new QHBoxLayout;
    if (const std::optional<QStyle::StandardPixmap> icon = DialogIcon(type)) {
        auto *iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(*icon, nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop);
        messageRow->addWidget(iconLabel);
    }
    // Plain text: screen names and addresses must never be read as markup.
    auto *textLabel = new QLabel(this);
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    textLabel->setObjectName(QStringLiteral("MessageText"));
    messageRow->addWidget(FitTextToScreen(textLabel, parent), 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    const std::optional<TDialogButton> defaultButton = DefaultButton(buttons);
    for (const TDialogButton button : OrderedButtons(buttons)) {
        auto *pushButton = new QPushButton(ButtonCaption(button), this);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, [this, button] { ButtonClick(button); });
        if (defaultButton && *defaultButton == button) {
            pushButton->setDefault(true);
            pushButton->setFocus();
        }
        FButtons.insert(button, pushButton);
        buttonRow->addWidget(pushButton);
    }
    buttonRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(messageRow);
    layout->addLayout(buttonRow);
}

void TMessageFormW::AddCheckBox(const QString &caption, bool initialState)
{
    if (!FCheckBox) {
        FCheckBox = new QCheckBox(this);
        layout()->addWidget(FCheckBox);
    }
    FCheckBox->setText(caption);
    FCheckBox->setChecked(initialState);
}

bool TMessageFormW::CheckBoxState() const
{
    return FCheckBox && FCheckBox->isChecked();
}

void TMessageFormW::CentreOnScreen()
{
    adjustSize();
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TMessageFormW::reject()
{
    // Closing the window by any means other than a button counts as Cancel.
    done(mrCancel);
}

void TMessageFormW::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyDialogToClipboard(windowTitle(), FText, FButtonSet);
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (const std::optional<TDialogButton> escape = CancelButton(FButtonSet))
            ButtonClick(*escape);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A focused button takes Enter itself; otherwise the default button does.
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        if (focused) {
            focused->click();
            return;
        }
        if (const std::optional<TDialogButton> enter = DefaultButton(FButtonSet))
            ButtonClick(*enter);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageFormW::ButtonClick(TDialogButton button)
{
    const int result = ButtonModalResult(button);
    // Help asks for help on the dialog and leaves it open; there is no help to show.
    if (result == mrNone)
        return;
    done(result);
}
