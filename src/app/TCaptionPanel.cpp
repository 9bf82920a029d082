#include "app/TCaptionPanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

const QColor GreyText(0x80, 0x80, 0x80);
const QColor SilverBar(0xC0, 0xC0, 0xC0);

} // namespace

void StartWindowMove(QWidget *widget)
{
    QWidget *window = widget ? widget->window() : nullptr;
    if (window && window->windowHandle())
        window->windowHandle()->startSystemMove();
}

TCaptionPanel::TCaptionPanel(const QString &objectName, const QString &caption,
                             const QColor &barColour, const QColor &frameColour, QWidget *parent)
    : QWidget(parent), FBarColour(barColour), FFrameColour(frameColour)
{
    setObjectName(objectName);
    FCaption = new QLabel(caption, this);
    FCaption->setObjectName(objectName + QStringLiteral("Caption"));
    FCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont bold = FCaption->font();
    bold.setBold(true);
    FCaption->setFont(bold);
    FBody = new QWidget(this);
    FBody->setObjectName(objectName + QStringLiteral("Body"));
    SetGreyed(false);
}

QString TCaptionPanel::Caption() const
{
    return FCaption->text();
}

void TCaptionPanel::SetCaption(const QString &caption)
{
    FCaption->setText(caption);
}

void TCaptionPanel::SetGreyed(bool greyed)
{
    FGreyed = greyed;
    QPalette palette = FCaption->palette();
    palette.setColor(QPalette::WindowText, CaptionColour());
    FCaption->setPalette(palette);
    update();
}

QColor TCaptionPanel::BarColour() const
{
    return FGreyed ? SilverBar : FBarColour;
}

QColor TCaptionPanel::FrameColour() const
{
    return FGreyed ? GreyText : FFrameColour;
}

QColor TCaptionPanel::CaptionColour() const
{
    return FGreyed ? GreyText : QColor(Qt::black);
}

void TCaptionPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.fillRect(QRect(0, 0, width(), CaptionBarHeight), BarColour());
    p.setPen(FrameColour());
    p.drawRect(frame);
    p.drawLine(0, CaptionBarHeight, width() - 1, CaptionBarHeight);
}

void TCaptionPanel::resizeEvent(QResizeEvent *)
{
    FCaption->setGeometry(6, 0, qMax(0, width() - 12), CaptionBarHeight);
    FBody->setGeometry(1, CaptionBarHeight + 1, qMax(0, width() - 2),
                       qMax(0, height() - CaptionBarHeight - 2));
}

void TCaptionPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        StartWindowMove(this);
    QWidget::mousePressEvent(event);
}
