#include "console/TScreenListModel.h"

#include "console/ScreenListRules.h"
#include "link/TVLScreenClass.h"

TScreenListModel::TScreenListModel(QObject *parent) : QAbstractListModel(parent) {}

void TScreenListModel::SetScreens(const QList<TVLScreenClass *> &screens)
{
    beginResetModel();
    FScreens = screens;
    FRowTexts.clear();
    FRowTexts.reserve(screens.size());
    FRowOfScreen.clear();
    FRowOfScreen.reserve(screens.size());
    for (int row = 0; row < static_cast<int>(screens.size()); ++row) {
        FRowTexts.append(ScreenListRules::RowText(*screens.at(row)));
        FRowOfScreen.insert(screens.at(row), row);
    }
    endResetModel();
}

void TScreenListModel::Clear()
{
    SetScreens({});
}

TVLScreenClass *TScreenListModel::ScreenAt(int row) const
{
    return row >= 0 && row < FScreens.size() ? FScreens.at(row) : nullptr;
}

int TScreenListModel::RowOf(const TVLScreenClass *screen) const
{
    return FRowOfScreen.value(screen, -1);
}

void TScreenListModel::RepaintScreen(const TVLScreenClass *screen)
{
    const int row = RowOf(screen);
    if (row < 0)
        return;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DecorationRole});
}

void TScreenListModel::RepaintAll()
{
    if (FScreens.isEmpty())
        return;
    emit dataChanged(index(0), index(static_cast<int>(FScreens.size()) - 1), {Qt::DecorationRole});
}

int TScreenListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FScreens.size());
}

QVariant TScreenListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= FScreens.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return FRowTexts.at(index.row());
    case ScreenRole:
        return QVariant::fromValue(static_cast<void *>(FScreens.at(index.row())));
    default:
        return {};
    }
}
