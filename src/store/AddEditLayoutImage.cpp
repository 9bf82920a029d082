#include "store/AddEditLayoutImage.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

TAddEditLayoutImage::TAddEditLayoutImage(QWidget *parent) : QWidget(parent)
{
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TAddEditLayoutImage::SetPicture(const QImage &picture)
{
    FPicture = picture;
    update();
}

void TAddEditLayoutImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, FPicture);
}

void TAddEditLayoutImage::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(event);
}

void TAddEditLayoutImage::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(event);
}

void TAddEditLayoutImage::mouseReleaseEvent(QMouseEvent *event)
{
    emit MouseUp(event);
}

void TAddEditLayoutImage::contextMenuEvent(QContextMenuEvent *event)
{
    emit PopupRequested(event->globalPos());
}
