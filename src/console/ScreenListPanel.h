#pragma once

#include "console/TScreenListController.h"

#include <QListView>
#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class TScreenPictureSource;
class TScreenRowDelegate;

// MonitorList: the list view of the screens, with the Delete key of the list.
// Like a single-selection list box, the selected row stays selected until
// another row is chosen: a click below the rows or a Ctrl+click on the
// selected row leaves it as it is. Rows are always the viewport's width.
class TMonitorListView : public QListView
{
    Q_OBJECT

public:
    explicit TMonitorListView(QWidget *parent = nullptr);

signals:
    void DeletePressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
};

// The left column of the console window: the "Total PCs" counter, the link
// button, the screen list and the TAG filter under it. The window keeps the
// Connect All, Disconnect All and delete buttons and forwards their clicks to
// Controller(); everything here only shows the controller's state.
class TScreenListPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TScreenListPanel(TScreenListHooks hooks, QWidget *parent = nullptr);

    TScreenListController &Controller() { return *FController; }

    // Pictures of the rows and of the link button; not owned, must outlive the panel.
    void SetPictures(const TScreenPictureSource *pictures);
    // Once the window closes, the list draws nothing more.
    void SetClosing(bool closing);

    TMonitorListView *MonitorList() const { return FMonitorList; }
    QLineEdit *TAGSearchEdit() const { return FTAGSearchEdit; }
    QToolButton *LinkScreenButton() const { return FLinkScreenButton; }
    QToolButton *ClearSearchButton() const { return FClearSearchButton; }
    QToolButton *TAGListButton() const { return FTAGListButton; }
    QLabel *LabelScreens() const { return FLabelScreens; }
    QLabel *LabelTAGScreens() const { return FLabelTAGScreens; }

    // The TAG menu rebuilt from the store (TAGPopupMenuPopup); shown by the TAG button.
    void RebuildTAGPopupMenu();
    QMenu *TAGPopupMenu() const { return FTAGPopupMenu; }

signals:
    // Double-click on a row: open its properties ("Edit Screen").
    void EditScreenRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowLinkMode(bool linkMode);
    void ShowSelection(int row);
    void ShowCaptions();
    void ShowFilterText(const QString &text);
    void ViewSelectionChanged();
    void TAGListButtonClick();

    TScreenListController *FController;
    TScreenRowDelegate *FDelegate;
    const TScreenPictureSource *FPictures = nullptr;
    TMonitorListView *FMonitorList;
    QLabel *FLabelScreens;
    QToolButton *FLinkScreenButton;
    QLabel *FLabelTAGFiltering;
    QLineEdit *FTAGSearchEdit;
    QToolButton *FClearSearchButton;
    QToolButton *FTAGListButton;
    QMenu *FTAGPopupMenu;
    QLabel *FLabelTAGScreens;
    bool FShowingSelection = false;
};
