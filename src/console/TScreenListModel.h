#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>

class TVLScreenClass;

// The shown screen list (MonitorList): one row per listed screen, in display
// order. Rows refer to store objects; the model never owns or deletes them.
class TScreenListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum TRole { ScreenRole = Qt::UserRole + 1 };

    explicit TScreenListModel(QObject *parent = nullptr);

    // Replaces every row (one model reset).
    void SetScreens(const QList<TVLScreenClass *> &screens);
    void Clear();

    const QList<TVLScreenClass *> &Screens() const { return FScreens; }
    TVLScreenClass *ScreenAt(int row) const;
    // Row of a screen, -1 if it is not shown.
    int RowOf(const TVLScreenClass *screen) const;

    // Asks views to redraw rows whose screen changed state, without a reset.
    void RepaintScreen(const TVLScreenClass *screen);
    void RepaintAll();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<TVLScreenClass *> FScreens;
    QList<QString> FRowTexts;
    QHash<const TVLScreenClass *, int> FRowOfScreen;
};
