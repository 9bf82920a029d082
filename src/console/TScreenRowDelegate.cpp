#include "console/TScreenRowDelegate.h"

#include "console/ScreenRowPainter.h"
#include "console/TScreenListModel.h"
#include "link/TVLScreenClass.h"

#include <QAbstractItemView>
#include <QPainter>

TScreenRowDelegate::TScreenRowDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void TScreenRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    if (FClosing)
        return;
    const auto *screen = static_cast<const TVLScreenClass *>(
        index.data(TScreenListModel::ScreenRole).value<void *>());
    if (!screen)
        return;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    ScreenRowPainter::PaintRow(*painter, RowRect(option), *screen, index.data().toString(),
                               selected, FLinkMode, option.font, FPictures);
}

QRect TScreenRowDelegate::RowRect(const QStyleOptionViewItem &option)
{
    // The view lays its rows out at the width it had then; a vertical scroll
    // bar that appears later narrows the viewport without a new layout. The
    // row takes the viewport's width of now, so its picture stays centred.
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    if (!view)
        return option.rect;
    return {0, option.rect.top(), view->viewport()->width(), option.rect.height()};
}

QSize TScreenRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    // No width of its own: a row as wide as the viewport once was would make
    // the list wider than its viewport, and scroll sideways.
    return {1, ScreenRowPainter::RowHeight(option.font, FPictures)};
}
