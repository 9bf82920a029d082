#include "app/TMainForm.h"

#include "app/AppInfo.h"
#include "app/SystemTimeText.h"
#include "app/TCaptionPanel.h"
#include "console/ScreenListPanel.h"
#include "link/PanelText.h"
#include "link/ScreenSession.h"
#include "link/TChannelCipher.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "store/TAddEditForm.h"
#include "store/TConsoleSettings.h"
#include "store/TScreenStore.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

TMainForm::TMainForm(const TMainFormFolders &folders, QWidget *parent)
    : QWidget(parent), FFolders(folders), FStore(std::make_unique<TScreenStore>()),
      FDispatcher(*this)
{
    setObjectName(QStringLiteral("MainForm"));
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormClose();
    // The dialog refers to the store, which goes before the window's children do.
    delete FAddEditForm;
}

void TMainForm::FormCreate()
{
    // The name alone: a display name set as well would be appended by the
    // platform to every window caption, after a dash.
    QApplication::setApplicationName(ApplicationTitle());

    // Nonces of enciphered lines must differ from run to run.
    TChannelCipher::SeedNonceGenerator(
        static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() & 0xFFFFFFFF));

    FPictures.CreateBuiltin(devicePixelRatioF());
    FPictures.LoadReplacements(FFolders.DataFolder);

    BuildMainFormControls(this, FPictures, FControls);
    CreateScreenListPanel();
    FTimeFormat = LongTimeFormat();

    FControls.ConnectButton->setText(MessageText(7));
    FControls.NowPlayingPanel->SetCaption(MessageText(14));
    ResetScreenPanels();

    FStore->LoadStore(this);
    FExtendedHidden = ConsoleSettings().OPMinimizedMode;
    ApplyStoredBounds();

    ScreenList().RebuildScreenList();
    RefreshScreenPanel();

    setWindowTitle(ApplicationVersionText());
    FControls.MenuClearPlaylistEdit->setText(MessageText(72));
    setMinimumSize(MinimumClientSize(FMetrics));
    ConnectHandlers();
    FormResize();
    FControls.SystemTimeTimer->start();
}

void TMainForm::CreateScreenListPanel()
{
    TScreenListHooks hooks;
    hooks.StoreScreens = [this] { return FStore->Screens(); };
    hooks.RemoveFromStore = [this](TVLScreenClass *screen) {
        // A connect wait or a dialog further up the stack may still hold the screen.
        if (FStore->Take(screen))
            screen->deleteLater();
    };
    hooks.StoreChanged = [this] { StoreChanged(); };
    hooks.ConnectScreen = [](TVLScreenClass *screen) { ConnectScreen(screen); };
    hooks.DisconnectScreen = [](TVLScreenClass *screen) { DisconnectScreen(screen); };
    hooks.RefreshScreenPanel = [this] { RefreshScreenPanel(); };
    hooks.ResetScreenPanels = [this] { ResetScreenPanels(); };
    hooks.SetUpdateGuard = [this](bool on) { SetUpdateGuard(on); };
    FScreenListPanel = new TScreenListPanel(std::move(hooks), this);
    FScreenListPanel->setObjectName(QStringLiteral("ScreenListPanel"));
    FScreenListPanel->SetPictures(&FPictures);
}

void TMainForm::ConnectHandlers()
{
    const TMainFormControls &c = FControls;
    connect(c.AddButton, &QPushButton::clicked, this, &TMainForm::AddButtonClick);
    connect(c.EditButton, &QPushButton::clicked, this, &TMainForm::EditButtonClick);
    connect(c.DuplicateButton, &QPushButton::clicked, this, &TMainForm::DuplicateButtonClick);
    connect(c.RemoveButton, &QPushButton::clicked, this, &TMainForm::RemoveButtonClick);
    connect(c.RemoveAllButton, &QPushButton::clicked, this, &TMainForm::RemoveAllButtonClick);
    connect(c.ConnectAllButton, &QPushButton::clicked, this, &TMainForm::ConnectAllButtonClick);
    connect(c.DisconnectAllButton, &QPushButton::clicked, this,
            &TMainForm::DisconnectAllButtonClick);
    connect(c.ConnectButton, &QPushButton::clicked, this, &TMainForm::ConnectButtonClick);
    connect(FScreenListPanel, &TScreenListPanel::EditScreenRequested, this,
            &TMainForm::EditButtonClick);

    connect(c.PlayPauseButton, &QToolButton::clicked, this, &TMainForm::PlayPauseButtonClick);
    connect(c.StopButton, &QToolButton::clicked, this, &TMainForm::StopButtonClick);
    connect(c.PrevButton, &QToolButton::clicked, this, &TMainForm::PrevButtonClick);
    connect(c.NextButton, &QToolButton::clicked, this, &TMainForm::NextButtonClick);
    connect(c.SeekBackButton, &QToolButton::clicked, this, &TMainForm::SeekBackButtonClick);
    connect(c.SeekForwardButton, &QToolButton::clicked, this, &TMainForm::SeekForwardButtonClick);
    connect(c.SeekButton, &QPushButton::clicked, this, &TMainForm::SeekButtonClick);
    connect(c.VolumeTrackBar, &QSlider::valueChanged, this, &TMainForm::VolumeTrackBarChange);

    connect(c.AddItemButton, &QPushButton::clicked, this, &TMainForm::AddItemButtonClick);
    connect(c.RemoveItemButton, &QPushButton::clicked, this, &TMainForm::RemoveItemButtonClick);
    connect(c.MoveItemUPButton, &QToolButton::clicked, this, &TMainForm::MoveItemUPButtonClick);
    connect(c.MoveItemDownButton, &QToolButton::clicked, this, &TMainForm::MoveItemDownButtonClick);
    connect(c.MoveItemTopButton, &QToolButton::clicked, this, &TMainForm::MoveItemTopButtonClick);
    connect(c.MoveItemBottomButton, &QToolButton::clicked, this,
            &TMainForm::MoveItemBottomButtonClick);
    connect(c.MenuClearPlaylistEdit, &QAction::triggered, this,
            &TMainForm::MenuClearPlaylistEditClick);
    connect(c.EditPLListBox, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &at) {
                FControls.EditPLPopupMenu->popup(FControls.EditPLListBox->mapToGlobal(at));
            });
    connect(c.EditPLListBox, &QListWidget::itemSelectionChanged, this,
            &TMainForm::EditPLListBoxSelectionChange);
    connect(c.CopyPLButton, &QPushButton::clicked, this, &TMainForm::CopyPLButtonClick);
    connect(c.ApplyPLButton, &QPushButton::clicked, this, &TMainForm::ApplyPLButtonClick);
    connect(c.SavePlaylistButton, &QPushButton::clicked, this, &TMainForm::SavePlaylistButtonClick);
    connect(c.LoadPlaylistButton, &QPushButton::clicked, this, &TMainForm::LoadPlaylistButtonClick);
    connect(c.CurPLListBox, &QListWidget::itemDoubleClicked, this,
            &TMainForm::CurPLListBoxDblClick);
    connect(c.PLVisibleButton, &QToolButton::clicked, this, &TMainForm::PLVisibleButtonClick);

    connect(c.SchedToggleButton, &QPushButton::clicked, this, &TMainForm::SchedToggleButtonClick);
    connect(c.SchedEditButton, &QPushButton::clicked, this, &TMainForm::SchedEditButtonClick);
    connect(c.ScheduleListDisplay, &QListWidget::itemDoubleClicked, this,
            &TMainForm::ScheduleListDisplayDblClick);
    connect(c.SystemTimeTimer, &QTimer::timeout, this, &TMainForm::SystemTimeTimerTimer);
}

void TMainForm::CreatePropertiesDialog()
{
    if (FAddEditForm)
        return;
    FAddEditForm = new TAddEditForm(FStore.get(), this);
    FAddEditForm->SetScreenHost(this);
    FAddEditForm->OnRefreshPanel = [this] { RefreshScreenPanel(); };
    FAddEditForm->OnCommitted = [this](TVLScreenClass *screen, TAddEditCommit kind) {
        ScreenCommitted(screen, static_cast<int>(kind));
    };
}

TAddEditForm *TMainForm::PropertiesDialog() const
{
    return FAddEditForm;
}

void TMainForm::ScreenCommitted(TVLScreenClass *screen, int kind)
{
    StoreChanged();
    if (FClosing || static_cast<TAddEditCommit>(kind) == TAddEditCommit::Applied)
        return;
    TScreenListController &list = ScreenList();
    list.RebuildScreenList();
    // The rebuild dropped the selection. When the filter hides this screen no
    // row is selected any more, and the panels must not go on showing (and
    // offering the controls of) the screen that was selected before.
    if (!list.SelectScreen(screen))
        list.ClearSelectionPanels();
    list.SwitchLinkModeOff();
    RefreshScreenPanel();
}

void TMainForm::FormShow()
{
    if (FAddEditForm)
        FAddEditForm->ApplyStoredBounds();
}

void TMainForm::FormClose()
{
    if (FClosing)
        return;
    FClosing = true;
    FScreenListPanel->SetClosing(true);
    FControls.SystemTimeTimer->stop();

    KeepBoundsForStore();
    FStore->SaveStore();

    ScreenList().DisconnectAll(false);

    // The list refers to the screens without owning them: empty it before they go.
    ScreenList().Model()->Clear();
    while (FStore->Count() > 0)
        FStore->Remove(FStore->At(FStore->Count() - 1));

    FPictures.Release();
}

void TMainForm::StoreChanged()
{
    KeepBoundsForStore();
    FStore->SaveStore();
}

void TMainForm::ApplyStoredBounds()
{
    const TConsoleSettings &s = ConsoleSettings();
    if (s.WinBoundsStored && s.WinWidth > 0 && s.WinHeight > 0) {
        QList<QRect> screens;
        for (const QScreen *screen : QGuiApplication::screens())
            screens << screen->availableGeometry();
        setGeometry(UsableWindowBounds(QRect(s.WinLeft, s.WinTop, s.WinWidth, s.WinHeight), screens,
                                       MinimumClientSize(FMetrics)));
    } else {
        resize(1100, 720);
    }
    if (s.WinMAX)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::KeepBoundsForStore()
{
    TConsoleSettings &s = ConsoleSettings();
    s.WinMAX = isMaximized();
    if (!s.WinMAX) {
        const QRect bounds = geometry();
        s.WinLeft = bounds.left();
        s.WinTop = bounds.top();
        s.WinWidth = bounds.width();
        s.WinHeight = bounds.height();
        s.WinBoundsStored = true;
    }
    s.OPMinimizedMode = FExtendedHidden;
    if (FAddEditForm)
        FAddEditForm->StoreBounds();
}

TScreenListController &TMainForm::ScreenList()
{
    return FScreenListPanel->Controller();
}

TVLScreenClass *TMainForm::SelectedScreen() const
{
    return FScreenListPanel->Controller().SelectedScreen();
}

QList<TVLScreenClass *> TMainForm::StoreScreens() const
{
    return FStore->Screens();
}

void TMainForm::RepaintScreenList()
{
    if (FClosing)
        return;
    ScreenList().RepaintScreenList();
}

void TMainForm::DispatchStatus(TVLScreenClass *screen, int code, const QString &payload)
{
    if (FClosing)
        return;
    FDispatcher.Dispatch(screen, code, payload);
}

void TMainForm::ScreenDisconnected(TVLScreenClass *screen)
{
    if (screen && screen->BrowseWindow)
        screen->BrowseWindow->close();
}

void TMainForm::FolderListingReceived(TVLScreenClass *, const QStringList &)
{
    // The remote browser fills its list itself once it exists.
}

void TMainForm::AddButtonClick()
{
    CreatePropertiesDialog();
    FAddEditForm->AddButtonClick();
}

void TMainForm::EditButtonClick()
{
    CreatePropertiesDialog();
    FAddEditForm->EditButtonClick(SelectedScreen());
}

void TMainForm::DuplicateButtonClick()
{
    CreatePropertiesDialog();
    FAddEditForm->DuplicateButtonClick(SelectedScreen());
}

void TMainForm::RemoveButtonClick()
{
    ScreenList().DeleteSelectedScreen();
}

void TMainForm::RemoveAllButtonClick()
{
    ScreenList().DeleteAllScreens();
}

void TMainForm::ConnectAllButtonClick()
{
    ScreenList().ConnectAll();
}

void TMainForm::DisconnectAllButtonClick()
{
    ScreenList().DisconnectAll(true);
}

void TMainForm::ConnectButtonClick()
{
    BeginWaitingAction();
    ToggleScreenConnection(SelectedScreen());
    EndWaitingAction();
}

void TMainForm::BeginWaitingAction()
{
    ++FWaitingActions;
}

void TMainForm::EndWaitingAction()
{
    if (FWaitingActions > 0)
        --FWaitingActions;
    if (FWaitingActions == 0 && FCloseDeferred) {
        FCloseDeferred = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TMainForm::VolumeTrackBarChange()
{
    if (!FUpdateGuard)
        return;
    FControls.VolumeTrackBar->setToolTip(VolumeHintText(FControls.VolumeTrackBar->value()));
}

void TMainForm::ScheduleListDisplayDblClick()
{
    if (FControls.SchedEditButton->isEnabled())
        SchedEditButtonClick();
}

void TMainForm::PLVisibleButtonClick()
{
    FExtendedHidden = !FExtendedHidden;
    RefreshScreenPanel();
    FormResize();
}

void TMainForm::FormResize()
{
    if (FClosing)
        return;
    const TMainFormGeometry geometry = LayOutMainForm(size(), FExtendedHidden, FMetrics);
    ApplyMainFormGeometry(FControls, geometry, FExtendedHidden);
    const QRect column = geometry.LabelScreens.united(geometry.TAGPanel);
    FScreenListPanel->setGeometry(column);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (FWaitingActions > 0) {
        FCloseDeferred = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TMainForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        StartWindowMove(this);
    QWidget::mousePressEvent(event);
}
