#pragma once

#include <QImage>
#include <QWidget>

class QMenu;

// The picture that shows the layout preview. It only paints the image it is
// given and reports mouse presses, moves, releases, size changes and context
// menu requests; the dialog decides what they mean.
class TAddEditLayoutImage : public QWidget
{
    Q_OBJECT

public:
    explicit TAddEditLayoutImage(QWidget *parent = nullptr);

    const QImage &Picture() const { return FPicture; }
    void SetPicture(const QImage &picture);

signals:
    void MouseDown(QMouseEvent *event);
    void MouseMove(QMouseEvent *event);
    void MouseUp(QMouseEvent *event);
    void PopupRequested(const QPoint &globalPosition);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QImage FPicture;
};
