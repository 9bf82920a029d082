#include "console/TScreenRowDelegate.h"

#include "console/ScreenRowPainter.h"
#include "console/TScreenListModel.h"
#include "link/TVLScreenClass.h"

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
    ScreenRowPainter::PaintRow(*painter, option.rect, *screen, index.data().toString(), selected,
                               FLinkMode, option.font, FPictures);
}

QSize TScreenRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width() > 0 ? option.rect.width() : 100,
            ScreenRowPainter::RowHeight(option.font, FPictures)};
}
