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

void TTileButton::SetPicture(const QPixmap &picture)
{
    FPicture = picture;
    update();
}

void TTileButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect textArea = rect().adjusted(6, 6, -6, -6);
    if (!FPicture.isNull()) {
        const QSizeF size = FPicture.deviceIndependentSize();
        const int left = (width() - qRound(size.width())) / 2;
        painter.setOpacity(isEnabled() ? 1.0 : 0.4);
        painter.drawPixmap(left, 8, FPicture);
        painter.setOpacity(1.0);
        textArea.setTop(8 + qRound(size.height()) + 2);
    }
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
}
