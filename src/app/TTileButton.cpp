#include "app/TTileButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

TTileButton::TTileButton(const QString &objectName, const QString &caption, const QString &hint,
                         QWidget *parent)
    : QPushButton(caption, parent)
{
    setObjectName(objectName);
    setToolTip(hint);
    QFont font = this->font();
    font.setBold(true);
    setFont(font);
}

void TTileButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea = rect().adjusted(6, 6, -6, -6);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
}
