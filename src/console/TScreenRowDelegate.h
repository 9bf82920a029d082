#pragma once

#include <QStyledItemDelegate>

class TScreenPictureSource;

// Draws the rows of MonitorList (MonitorListDrawItem, MonitorListMeasureItem).
class TScreenRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TScreenRowDelegate(QObject *parent = nullptr);

    void SetPictures(const TScreenPictureSource *pictures) { FPictures = pictures; }
    void SetLinkMode(bool linkMode) { FLinkMode = linkMode; }
    // Once the window closes, rows are no longer drawn.
    void SetClosing(bool closing) { FClosing = closing; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    static QRect RowRect(const QStyleOptionViewItem &option);

    const TScreenPictureSource *FPictures = nullptr;
    bool FLinkMode = false;
    bool FClosing = false;
};
