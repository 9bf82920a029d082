#include "console/ScreenListPanel.h"

#include "console/ScreenRowPainter.h"
#include "console/TScreenPictureSource.h"
#include "console/TScreenRowDelegate.h"

#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

TMonitorListView::TMonitorListView(QWidget *parent) : QListView(parent)
{
    setObjectName(QStringLiteral("MonitorList"));
    // Every row has the same height, so the view lays out and paints only the
    // visible rows, even with thousands of screens.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont listFont = font();
    listFont.setPixelSize(11);
    setFont(listFont);
}

void TMonitorListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        emit DeletePressed();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags TMonitorListView::selectionCommand(const QModelIndex &index,
                                                                       const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (!index.isValid() ||
        (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

TScreenListPanel::TScreenListPanel(TScreenListHooks hooks, QWidget *parent)
    : QWidget(parent), FController(new TScreenListController(std::move(hooks), this)),
      FDelegate(new TScreenRowDelegate(this)), FMonitorList(new TMonitorListView(this)),
      FLabelScreens(new QLabel(this)), FLinkScreenButton(new QToolButton(this)),
      FLabelTAGFiltering(new QLabel(QStringLiteral("TAG Filtering"), this)),
      FTAGSearchEdit(new QLineEdit(this)), FClearSearchButton(new QToolButton(this)),
      FTAGListButton(new QToolButton(this)), FTAGPopupMenu(new QMenu(this)),
      FLabelTAGScreens(new QLabel(this))
{
    FLabelScreens->setObjectName(QStringLiteral("LabelScreens"));
    FLinkScreenButton->setObjectName(QStringLiteral("LinkScreenButton"));
    FLinkScreenButton->setToolTip(QStringLiteral("Link screen controls"));
    FTAGSearchEdit->setObjectName(QStringLiteral("TAGSearchEdit"));
    FClearSearchButton->setObjectName(QStringLiteral("ClearSearchButton"));
    FClearSearchButton->setText(QStringLiteral("X"));
    FClearSearchButton->setEnabled(false);
    FTAGListButton->setObjectName(QStringLiteral("TAGListButton"));
    FTAGListButton->setText(QStringLiteral("..."));
    FTAGPopupMenu->setObjectName(QStringLiteral("TAGPopupMenu"));
    FLabelTAGScreens->setObjectName(QStringLiteral("LabelTAGScreens"));

    FMonitorList->setModel(FController->Model());
    FMonitorList->setItemDelegate(FDelegate);
    FMonitorList->setAutoFillBackground(true);

    auto *header = new QHBoxLayout;
    header->addWidget(FLabelScreens, 1);
    header->addWidget(FLinkScreenButton);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(FTAGSearchEdit, 1);
    filterRow->addWidget(FClearSearchButton);
    filterRow->addWidget(FTAGListButton);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(header);
    column->addWidget(FMonitorList, 1);
    column->addWidget(FLabelTAGFiltering);
    column->addLayout(filterRow);
    column->addWidget(FLabelTAGScreens);

    FTAGSearchEdit->installEventFilter(this);

    connect(FController, &TScreenListController::LinkModeChanged, this,
            &TScreenListPanel::ShowLinkMode);
    connect(FController, &TScreenListController::SelectionChanged, this,
            &TScreenListPanel::ShowSelection);
    connect(FController, &TScreenListController::CaptionsChanged, this,
            &TScreenListPanel::ShowCaptions);
    connect(FController, &TScreenListController::FilterTextChanged, this,
            &TScreenListPanel::ShowFilterText);
    // Selection, not the current index: the view makes the first row current
    // when it takes the focus, which must not select a screen.
    connect(FMonitorList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TScreenListPanel::ViewSelectionChanged);
    connect(FMonitorList, &QAbstractItemView::doubleClicked, this,
            &TScreenListPanel::EditScreenRequested);
    connect(FMonitorList, &TMonitorListView::DeletePressed, FController,
            &TScreenListController::DeleteSelectedScreen);
    connect(FLinkScreenButton, &QToolButton::clicked, FController,
            &TScreenListController::ToggleLinkMode);
    connect(FTAGSearchEdit, &QLineEdit::textChanged, FController,
            &TScreenListController::SetFilterText);
    connect(FClearSearchButton, &QToolButton::clicked, FController,
            &TScreenListController::ClearFilter);
    connect(FTAGListButton, &QToolButton::clicked, this, &TScreenListPanel::TAGListButtonClick);

    ShowLinkMode(false);
    ShowCaptions();
}

void TScreenListPanel::SetPictures(const TScreenPictureSource *pictures)
{
    FPictures = pictures;
    FDelegate->SetPictures(pictures);
    ShowLinkMode(FController->LinkMode());
    // Row heights follow the play picture.
    FMonitorList->doItemsLayout();
}

void TScreenListPanel::SetClosing(bool closing)
{
    FDelegate->SetClosing(closing);
}

void TScreenListPanel::RebuildTAGPopupMenu()
{
    FTAGPopupMenu->clear();
    const QStringList tags = FController->TagMenuEntries();
    for (const QString &tag : tags) {
        QAction *entry = FTAGPopupMenu->addAction(tag);
        connect(entry, &QAction::triggered, this, [this, tag] { FController->PickTag(tag); });
    }
}

bool TScreenListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FTAGSearchEdit &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TScreenListPanel::ShowLinkMode(bool linkMode)
{
    FDelegate->SetLinkMode(linkMode);
    QPalette palette = FMonitorList->palette();
    const QColor background = ScreenRowPainter::ListBackground(linkMode);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Text, Qt::black);
    FMonitorList->setPalette(palette);
    const QPixmap picture = FPictures ? FPictures->LinkPicture(linkMode) : QPixmap();
    if (picture.isNull()) {
        FLinkScreenButton->setIcon(QIcon());
        FLinkScreenButton->setText(linkMode ? QStringLiteral("Linked") : QStringLiteral("Link"));
    } else {
        FLinkScreenButton->setIcon(QIcon(picture));
        FLinkScreenButton->setIconSize(picture.deviceIndependentSize().toSize());
    }
    FMonitorList->viewport()->update();
}

void TScreenListPanel::ShowSelection(int row)
{
    FShowingSelection = true;
    QItemSelectionModel *selection = FMonitorList->selectionModel();
    if (row < 0) {
        selection->clear();
    } else {
        const QModelIndex index = FController->Model()->index(row);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        FMonitorList->scrollTo(index);
    }
    FShowingSelection = false;
}

void TScreenListPanel::ShowCaptions()
{
    FLabelScreens->setText(FController->TotalPCsCaption());
    FLabelTAGScreens->setText(FController->ScreensCaption());
}

void TScreenListPanel::ShowFilterText(const QString &text)
{
    if (FTAGSearchEdit->text() != text)
        FTAGSearchEdit->setText(text);
    FClearSearchButton->setEnabled(!text.isEmpty());
}

void TScreenListPanel::ViewSelectionChanged()
{
    if (FShowingSelection)
        return;
    const QModelIndexList selected = FMonitorList->selectionModel()->selectedIndexes();
    const int row = selected.isEmpty() ? -1 : selected.first().row();
    if (row != FController->SelectedRow())
        FController->MonitorListClick(row);
}

void TScreenListPanel::TAGListButtonClick()
{
    RebuildTAGPopupMenu();
    FTAGPopupMenu->popup(QCursor::pos());
}
