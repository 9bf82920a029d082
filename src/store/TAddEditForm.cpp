#include "store/TAddEditForm.h"

#include "app/MainFormLayout.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageDialogs.h"
#include "store/AddEditFieldFilter.h"
#include "store/AddEditLayoutImage.h"
#include "store/ScreenRecord.h"
#include "store/TConsoleSettings.h"
#include "store/TScreenStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

// The left offset of the name field, used as the margin everywhere.
constexpr int Margin = 8;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 25;
constexpr int EditHeight = 23;
constexpr int LeftColumnWidth = 420;
constexpr int RightColumnLeft = 444;
constexpr int RightColumnRight = TAddEditForm::DesignedWidth - Margin;
constexpr int PreviewTop = 116;

const char *const LimitProperty = "fieldLimit";

QStringList PlaylistModeItems()
{
    return {QStringLiteral("Do nothing"),
            QStringLiteral("Auto-Rewind"),
            QStringLiteral("Auto-Replay"),
            QStringLiteral("Close Player"),
            QStringLiteral("Shutdown Windows"),
            QStringLiteral("Play Next dir file (media ext)"),
            QStringLiteral("Minimize"),
            QStringLiteral("Eject CD"),
            QStringLiteral("Close Media"),
            QStringLiteral("Open Media Library"),
            QStringLiteral("Randomize Playlist & Replay"),
            QStringLiteral("Play Next dir file (same ext)"),
            QStringLiteral("Play Next Random dir file (media ext)"),
            QStringLiteral("Play Next Random dir file (same ext)")};
}

QStringList VideoRendererItems()
{
    return {QStringLiteral("Standard Overlay (No Derived Aspect Ratio or Color Control support)"),
            QStringLiteral("Overlay Mixer (Limited to the primary monitor on most hardware)"),
            QStringLiteral("VMR7 (Requires Windows XP)"),
            QStringLiteral("VMR9 Windowed (Requires DirectX 9)"),
            QStringLiteral("VMR9 Windowless (Requires DirectX 9)"),
            QStringLiteral("VMR9 Renderless (Requires DirectX 9)"),
            QStringLiteral("Haali's Video Renderer"),
            QStringLiteral("EVR (Requires Windows VISTA or .NET3 installed)"),
            QStringLiteral("MadVR")};
}

} // namespace

TAddEditForm::TAddEditForm(TScreenStore *store, QWidget *parent) : QDialog(parent), FStore(store)
{
    setWindowTitle(QStringLiteral("Screen Properties"));
    CreateControls();
    ConnectHandlers();
    FLayoutPopupMenu = new QMenu(this);
    resize(DesignedWidth, DesignedHeight);
    const int minWidth = CustomHeightEdit->geometry().right() + 1 + Margin;
    const int minHeight = HideMouseCursorCBox->geometry().bottom() + 1 + ButtonHeight + 2 * Margin;
    setMinimumSize(minWidth, minHeight);
}

TAddEditForm::~TAddEditForm()
{
    delete FNewScreen;
}

QLabel *TAddEditForm::AddLabel(const QString &text, int x, int y)
{
    auto *label = new QLabel(text, this);
    label->move(x, y);
    label->adjustSize();
    label->installEventFilter(this);
    return label;
}

QLineEdit *TAddEditForm::AddEdit(int x, int y, int width)
{
    auto *edit = new QLineEdit(this);
    edit->setGeometry(x, y, width, EditHeight);
    return edit;
}

QComboBox *TAddEditForm::AddComboBox(int x, int y, int width, const QStringList &items)
{
    auto *box = new QComboBox(this);
    box->setGeometry(x, y, width, EditHeight);
    box->addItems(items);
    return box;
}

QCheckBox *TAddEditForm::AddCheckBox(const QString &text, int x, int y)
{
    auto *box = new QCheckBox(text, this);
    box->setGeometry(x, y, LeftColumnWidth, 20);
    return box;
}

void TAddEditForm::CreateControls()
{
    const int x = Margin;
    AddLabel(QStringLiteral("Name :"), x, 8);
    NameEdit = AddEdit(x, 24, LeftColumnWidth);
    NameEdit->setProperty(LimitProperty, 32);
    NameEdit->setMaxLength(32);

    AddLabel(QStringLiteral("Address or IP :"), x, 54);
    AddrEdit = AddEdit(x, 70, 300);
    AddrEdit->setValidator(new TAddEditFieldFilter(TAddEditFieldFilter::fkNoDoubleQuote, AddrEdit));
    AddLabel(QStringLiteral("Port :"), x + 308, 54);
    PortEdit = AddEdit(x + 308, 70, LeftColumnWidth - 308);
    PortEdit->setProperty(LimitProperty, 5);
    PortEdit->setMaxLength(5);

    AddLabel(QStringLiteral("Encrypt communication with a password :"), x, 100);
    PasswordEdit = AddEdit(x, 116, LeftColumnWidth);

    AddLabel(QStringLiteral("Video rendering technology :"), x, 146);
    VideoRendererCB = AddComboBox(x, 162, LeftColumnWidth, VideoRendererItems());
    VideoRendererCB->setCurrentIndex(7);

    AddLabel(QStringLiteral("Audio output device :"), x, 192);
    AudioDeviceCB = AddComboBox(x, 208, LeftColumnWidth, {});

    AddLabel(QStringLiteral("Comma separated TAGS (e.g. Zone 4, Section 20) :"), x, 238);
    TagsEdit = AddEdit(x, 254, LeftColumnWidth);
    TagsEdit->setValidator(new TAddEditFieldFilter(TAddEditFieldFilter::fkNoVerticalBar, TagsEdit));

    AddLabel(QStringLiteral("Playlist mode :"), x, 284);
    PlaylistModeCB = AddComboBox(x, 300, 180, PlaylistModeItems());
    PlaylistModeCB->setCurrentIndex(2);
    AddLabel(QStringLiteral("Image slideshow delay (0 = disabled) :"), x + 188, 284);
    SlideshowDelayEdit = AddEdit(x + 188, 300, LeftColumnWidth - 188);
    SlideshowDelayEdit->setProperty(LimitProperty, 6);
    SlideshowDelayEdit->setMaxLength(6);
    SlideshowDelayEdit->setValidator(
        new TAddEditFieldFilter(TAddEditFieldFilter::fkDigits, SlideshowDelayEdit));

    ScheduleHideScreenCBox =
        AddCheckBox(QStringLiteral("Hide screen at end of scheduled playback"), x, 334);
    SchedulePauseCBox = AddCheckBox(QStringLiteral("Pause at end of scheduled playback"), x, 356);
    SchedulePauseCBox->setChecked(true);
    HideMouseCursorCBox = AddCheckBox(QStringLiteral("Hide mouse cursor"), x, 378);
    HideMouseCursorCBox->setChecked(true);
    DisableOSDCBox =
        AddCheckBox(QStringLiteral("Disable the presenter's Popup-OSD messages"), x, 400);
    DisableOSDCBox->setChecked(true);
    DisableOSDCBox->hide();
    DisablePartsCBox =
        AddCheckBox(QStringLiteral("Disable the presenter's Multi-Part file loader"), x, 422);
    DisablePartsCBox->setChecked(true);
    DisablePartsCBox->hide();

    const int rx = RightColumnLeft;
    LayoutLabel = AddLabel(QStringLiteral("Screen layout :"), rx, 8);
    // Wide enough for "Custom Position" whole; the monitor list needs only
    // "Default" and a number.
    LayoutCB = AddComboBox(rx, 24, 140,
                           {QStringLiteral("Fullscreen"), QStringLiteral("Custom Position"),
                            QStringLiteral("Video Wall")});
    ScreenModeLabel = AddLabel(QStringLiteral("Screen mode :"), rx + 148, 8);
    ScreenModeCB =
        AddComboBox(rx + 148, 24, 180,
                    {QStringLiteral("Background Zone"), QStringLiteral("Floating Zone (on top)"),
                     QStringLiteral("Invisible (audio only)")});
    MonitorLabel = AddLabel(QStringLiteral("Monitor :"), rx + 336, 8);
    MonitorCB = AddComboBox(rx + 336, 24, RightColumnRight - rx - 336, {});

    const int offsetWidth = (RightColumnRight - rx - 3 * Margin) / 4;
    QLineEdit **offsetEdits[] = {&CustomXOfsEdit, &CustomYOfsEdit, &CustomWidthEdit,
                                 &CustomHeightEdit};
    QLabel **offsetLabels[] = {&CustomXOfsLabel, &CustomYOfsLabel, &CustomWidthLabel,
                               &CustomHeightLabel};
    const QString offsetCaptions[] = {QStringLiteral("X-Offset"), QStringLiteral("Y-Offset"),
                                      QStringLiteral("Width"), QStringLiteral("Height")};
    for (int i = 0; i < 4; ++i) {
        const int left = rx + i * (offsetWidth + Margin);
        *offsetLabels[i] = AddLabel(offsetCaptions[i], left, 54);
        QLineEdit *edit = AddEdit(left, 70, i == 3 ? RightColumnRight - left : offsetWidth);
        edit->setProperty(LimitProperty, 6);
        edit->setMaxLength(6);
        edit->setValidator(new TAddEditFieldFilter(TAddEditFieldFilter::fkSignedDigits, edit));
        *offsetEdits[i] = edit;
    }

    AddLabel(QStringLiteral("Layout preview :"), rx, 100);
    LayoutImage = new TAddEditLayoutImage(this);
    LayoutImage->setGeometry(rx, PreviewTop, RightColumnRight - rx,
                             DesignedHeight - 2 * Margin - ButtonHeight - PreviewTop);

    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    ApplyButton = new QPushButton(QStringLiteral("Apply"), this);
    SaveButton = new QPushButton(QStringLiteral("Apply && Close"), this);
    for (QPushButton *button : {CancelButton, ApplyButton, SaveButton}) {
        button->resize(ButtonWidth, ButtonHeight);
        button->setAutoDefault(false);
    }
    ApplyButton->setEnabled(false);
    SaveButton->setEnabled(false);

    SetControls(NewScreenValues());
}

void TAddEditForm::ConnectHandlers()
{
    // Changes the dialog makes to its own controls while filling them are
    // not the operator's and run no handler.
    const auto bind = [this](auto *sender, auto signal, void (TAddEditForm::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            if (!FFilling)
                (this->*handler)();
        });
    };
    for (QLineEdit *edit : {NameEdit, PortEdit, TagsEdit, PasswordEdit})
        bind(edit, &QLineEdit::textChanged, &TAddEditForm::EnableApplyButtons);
    for (QCheckBox *box :
         {SchedulePauseCBox, HideMouseCursorCBox, DisableOSDCBox, DisablePartsCBox})
        bind(box, &QCheckBox::toggled, &TAddEditForm::EnableApplyButtons);
    bind(AddrEdit, &QLineEdit::textChanged, &TAddEditForm::AddrEditChange);
    bind(SlideshowDelayEdit, &QLineEdit::textChanged, &TAddEditForm::SlideshowDelayEditChange);
    bind(LayoutCB, &QComboBox::currentIndexChanged, &TAddEditForm::LayoutCBChange);
    bind(PlaylistModeCB, &QComboBox::currentIndexChanged, &TAddEditForm::LayoutCBChange);
    bind(ScreenModeCB, &QComboBox::currentIndexChanged, &TAddEditForm::ScreenModeCBChange);
    bind(MonitorCB, &QComboBox::currentIndexChanged, &TAddEditForm::MonitorCBChange);
    for (QLineEdit *edit : {CustomXOfsEdit, CustomYOfsEdit, CustomWidthEdit, CustomHeightEdit})
        bind(edit, &QLineEdit::textChanged, &TAddEditForm::MonitorCBChange);
    bind(AudioDeviceCB, &QComboBox::currentIndexChanged, &TAddEditForm::AudioDeviceCBChange);
    bind(VideoRendererCB, &QComboBox::currentIndexChanged, &TAddEditForm::VideoRendererCBChange);
    bind(ScheduleHideScreenCBox, &QCheckBox::toggled, &TAddEditForm::ScheduleHideScreenCBoxClick);
    connect(ApplyButton, &QPushButton::clicked, this, &TAddEditForm::ApplyButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TAddEditForm::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TAddEditForm::CancelButtonClick);

    connect(LayoutImage, &TAddEditLayoutImage::MouseDown, this, [this](QMouseEvent *event) {
        LayoutImageMouseDown(event->position().toPoint(), event->button(), event->buttons(),
                             event->modifiers());
    });
    connect(LayoutImage, &TAddEditLayoutImage::MouseMove, this, [this](QMouseEvent *event) {
        LayoutImageMouseMove(event->position().toPoint(), event->buttons(), event->modifiers());
    });
    connect(LayoutImage, &TAddEditLayoutImage::MouseUp, this, &TAddEditForm::LayoutImageMouseUp);
    connect(LayoutImage, &TAddEditLayoutImage::PopupRequested, this,
            [this](const QPoint &globalPosition) {
                BuildMotionRatioMenu(FLayoutPopupMenu);
                FLayoutPopupMenu->popup(globalPosition);
            });
}

// ---- Filling and reading the controls ----

void TAddEditForm::SetFieldText(QLineEdit *edit, const QString &text)
{
    // Stored values are shown as they are: the key filter and the length
    // limit only govern what the operator types.
    const int limit = edit->property(LimitProperty).toInt();
    if (limit > 0)
        edit->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
    const QValidator *validator = edit->validator();
    edit->setValidator(nullptr);
    edit->setText(text);
    edit->setValidator(validator);
}

void TAddEditForm::SetControls(const TAddEditValues &values)
{
    const QScopedValueRollback<bool> filling(FFilling, true);
    SetFieldText(NameEdit, values.Name);
    SetFieldText(AddrEdit, values.Address);
    SetFieldText(PortEdit, values.PortText);
    SetFieldText(PasswordEdit, values.Password);
    LayoutCB->setCurrentIndex(values.Layout);
    PlaylistModeCB->setCurrentIndex(values.PlaylistMode);
    ScreenModeCB->setCurrentIndex(values.ScreenMode);
    SchedulePauseCBox->setChecked(values.SchedulePause);
    ScheduleHideScreenCBox->setChecked(values.ScheduleHideScreen);
    HideMouseCursorCBox->setChecked(values.HideMouseCursor);
    DisableOSDCBox->setChecked(values.DisableOSD);
    DisablePartsCBox->setChecked(values.DisableParts);
    SetFieldText(CustomXOfsEdit, values.XOfsText);
    SetFieldText(CustomYOfsEdit, values.YOfsText);
    SetFieldText(CustomWidthEdit, values.WidthText);
    SetFieldText(CustomHeightEdit, values.HeightText);
    SetFieldText(SlideshowDelayEdit, values.SlideshowDelayText);
    VideoRendererCB->setCurrentIndex(values.VideoRenderer);
    FillMonitorList(values.Monitor);
    AudioDeviceCB->clear();
    AudioDeviceCB->addItems(values.AudioDevices);
    AudioDeviceCB->setCurrentIndex(values.AudioDeviceIndex);
    SetFieldText(TagsEdit, values.TagsText);
}

TAddEditValues TAddEditForm::ReadControls() const
{
    TAddEditValues values;
    values.Name = NameEdit->text();
    values.Address = AddrEdit->text();
    values.PortText = PortEdit->text();
    values.Password = PasswordEdit->text();
    values.TagsText = TagsEdit->text();
    values.SlideshowDelayText = SlideshowDelayEdit->text();
    values.XOfsText = CustomXOfsEdit->text();
    values.YOfsText = CustomYOfsEdit->text();
    values.WidthText = CustomWidthEdit->text();
    values.HeightText = CustomHeightEdit->text();
    values.Monitor = MonitorCB->currentIndex();
    values.Layout = LayoutCB->currentIndex();
    values.PlaylistMode = PlaylistModeCB->currentIndex();
    values.ScreenMode = ScreenModeCB->currentIndex();
    values.VideoRenderer = VideoRendererCB->currentIndex();
    values.SchedulePause = SchedulePauseCBox->isChecked();
    values.ScheduleHideScreen = ScheduleHideScreenCBox->isChecked();
    values.HideMouseCursor = HideMouseCursorCBox->isChecked();
    values.DisableOSD = DisableOSDCBox->isChecked();
    values.DisableParts = DisablePartsCBox->isChecked();
    for (int i = 0; i < AudioDeviceCB->count(); ++i)
        values.AudioDevices.append(AudioDeviceCB->itemText(i));
    values.AudioDeviceIndex = AudioDeviceCB->currentIndex();
    return values;
}

void TAddEditForm::FillMonitorList(int chosen)
{
    const QScopedValueRollback<bool> filling(FFilling, true);
    MonitorCB->clear();
    MonitorCB->addItem(MessageText(81));
    for (int i = 1; i <= FMonitors.size(); ++i)
        MonitorCB->addItem(QString::number(i));
    MonitorCB->setCurrentIndex(chosen >= 0 && chosen < MonitorCB->count() ? chosen : 0);
}

void TAddEditForm::SetOffsetFields(qint32 x, qint32 y, qint32 width, qint32 height)
{
    const QScopedValueRollback<bool> filling(FFilling, true);
    SetFieldText(CustomXOfsEdit, QString::number(x));
    SetFieldText(CustomYOfsEdit, QString::number(y));
    SetFieldText(CustomWidthEdit, QString::number(width));
    SetFieldText(CustomHeightEdit, QString::number(height));
}

// ---- Entry points ----

void TAddEditForm::BeginAdd()
{
    delete FNewScreen;
    FNewScreen = new TVLScreenClass(FHost);
    FEditedScreen = FNewScreen;
    FAddMode = true;
    FMonitors.clear();
    FMonitorsAdopted = false;
    // A new screen starts from the defaults of a new screen object, whatever
    // the previous use of the dialog left in the renderer, audio and
    // password fields.
    SetControls(NewScreenValues());
    AddrEdit->setEnabled(true);
    PortEdit->setEnabled(true);
    PasswordEdit->setEnabled(true);
    NameEdit->setFocus();
    LayoutCBChange();
}

TVLScreenClass *TAddEditForm::FinishAdd(int result)
{
    TVLScreenClass *screen = FNewScreen;
    if (result != QDialog::Accepted || !screen) {
        delete FNewScreen;
        FNewScreen = nullptr;
        FEditedScreen = nullptr;
        return nullptr;
    }
    const TDuplicateKind duplicate =
        FindDuplicate(StoreScreens(), NameEdit->text(), AddrEdit->text(), PortEdit->text());
    bool keep = duplicate == dkNone;
    if (!keep) {
        const int message = duplicate == dkSameName ? 35 : 36;
        keep = ShowMessageDialog(MessageText(message), TDialogType::Warning,
                                 TDialogButton::Cancel | TDialogButton::Ignore) == mrIgnore;
    }
    FNewScreen = nullptr;
    FEditedScreen = nullptr;
    if (!keep) {
        delete screen;
        return nullptr;
    }
    FEditedScreen = screen;
    CommitToScreen();
    FEditedScreen = nullptr;
    AppendToStore(screen);
    NotifyCommitted(screen, TAddEditCommit::Added);
    RefreshPanel();
    return screen;
}

void TAddEditForm::AddButtonClick()
{
    BeginAdd();
    FinishAdd(exec());
}

bool TAddEditForm::BeginEdit(TVLScreenClass *selected)
{
    if (!selected) {
        ShowMessageDialog(MessageText(6), TDialogType::Error, TDialogButton::OK);
        return false;
    }
    const int fakeLayout = ConsoleSettings().OPFakeLayout;
    if (fakeLayout >= 1 && fakeLayout <= 3)
        ParseMonitorList(PresetWallText(fakeLayout), selected->MonitorList);
    if (selected->Monitor > selected->MonitorList.size())
        selected->Monitor = 0;

    delete FNewScreen;
    FNewScreen = nullptr;
    FAddMode = false;
    // A connected screen's connection data cannot change under it.
    const bool disconnected = selected->PlayState == psDisconnected;
    AddrEdit->setEnabled(disconnected);
    PortEdit->setEnabled(disconnected);
    PasswordEdit->setEnabled(disconnected);
    FEditedScreen = selected;
    FMonitors = selected->MonitorList;
    FMonitorsAdopted = false;
    SetControls(ValuesFromScreen(*selected));
    NameEdit->setFocus();
    return true;
}

void TAddEditForm::FinishEdit(int result)
{
    TVLScreenClass *screen = FEditedScreen;
    if (result == QDialog::Accepted && screen) {
        CommitToScreen();
        NotifyCommitted(screen, TAddEditCommit::Edited);
        if (screen->PlayState != psDisconnected)
            screen->SendConfiguration();
        screen->SendLayout();
    }
    FEditedScreen = nullptr;
    RefreshPanel();
}

void TAddEditForm::EditButtonClick(TVLScreenClass *selected)
{
    if (!BeginEdit(selected))
        return;
    FinishEdit(exec());
}

void TAddEditForm::DuplicateButtonClick(TVLScreenClass *selected)
{
    if (!selected) {
        ShowMessageDialog(MessageText(6), TDialogType::Error, TDialogButton::OK);
        return;
    }
    QString name = selected->Name;
    if (!InputQuery(MessageText(59), QString(), name))
        return;
    auto *copy = new TVLScreenClass(FHost ? FHost : selected->Host());
    CopyScreenConfiguration(*selected, *copy);
    copy->Name = name;
    AppendToStore(copy);
    NotifyCommitted(copy, TAddEditCommit::Duplicated);
    RefreshPanel();
}

// ---- Showing, closing, keys, moving and sizing ----

void TAddEditForm::FormShow()
{
    LayoutCBChange();
    ScreenModeCBChange();
    AudioDeviceCBChange();
    VideoRendererCBChange();
}

void TAddEditForm::FormActivate()
{
    FDialogActive = true;
}

void TAddEditForm::FormClose()
{
    FDialogActive = false;
    FDrag.End();
    ApplyButton->setEnabled(false);
    SaveButton->setEnabled(false);
}

void TAddEditForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
    // Activation follows the show; waiting for the window system's
    // activation alone would leave the dialog inert where there is none.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

void TAddEditForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TAddEditForm::done(int result)
{
    FormClose();
    StoreBounds();
    QDialog::done(result);
}

void TAddEditForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SaveButtonClick();
        return;
    case Qt::Key_Escape:
        CancelButtonClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TAddEditForm::StartMovingWindow()
{
    QWindow *window = windowHandle();
    return window && window->startSystemMove();
}

void TAddEditForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && StartMovingWindow())
        return;
    QDialog::mousePressEvent(event);
}

bool TAddEditForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel *>(watched) &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        StartMovingWindow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAddEditForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TAddEditForm::FormResize()
{
    const int buttonTop = height() - Margin - ButtonHeight;
    SaveButton->move(width() - Margin - ButtonWidth, buttonTop);
    ApplyButton->move(SaveButton->x() - Margin - ButtonWidth, buttonTop);
    CancelButton->move(ApplyButton->x() - Margin - ButtonWidth, buttonTop);
    LayoutImage->setGeometry(RightColumnLeft, PreviewTop,
                             std::max(1, width() - Margin - RightColumnLeft),
                             std::max(1, height() - 2 * Margin - ButtonHeight - PreviewTop));
    DrawLayoutPreview();
}

void TAddEditForm::ApplyStoredBounds()
{
    const TConsoleSettings &settings = ConsoleSettings();
    if (settings.AddEditWidth > 0 && settings.AddEditHeight > 0) {
        // Bounds saved on a monitor that is gone must not open the dialog out of reach.
        QList<QRect> screens;
        for (const QScreen *screen : QGuiApplication::screens())
            screens << screen->availableGeometry();
        const QRect bounds =
            UsableWindowBounds(QRect(settings.AddEditLeft, settings.AddEditTop,
                                     settings.AddEditWidth, settings.AddEditHeight),
                               screens, minimumSize());
        move(bounds.topLeft());
        resize(bounds.size());
    }
}

void TAddEditForm::StoreBounds()
{
    TConsoleSettings &settings = ConsoleSettings();
    settings.AddEditLeft = x();
    settings.AddEditTop = y();
    settings.AddEditWidth = width();
    settings.AddEditHeight = height();
}

// ---- Rules ----

void TAddEditForm::ApplyLayoutControlState()
{
    // Visibility follows the layout and the screen mode together, so a
    // change of the playlist mode while "Invisible (audio only)" is chosen
    // leaves the layout controls hidden.
    const TLayoutControlState state =
        LayoutControlState(LayoutCB->currentIndex(), ScreenModeCB->currentIndex());
    LayoutLabel->setVisible(state.LayoutVisible);
    LayoutCB->setVisible(state.LayoutVisible);
    for (QLabel *label : {CustomXOfsLabel, CustomYOfsLabel, CustomWidthLabel, CustomHeightLabel})
        label->setVisible(state.OffsetsVisible);
    for (QLineEdit *edit : {CustomXOfsEdit, CustomYOfsEdit, CustomWidthEdit, CustomHeightEdit}) {
        edit->setVisible(state.OffsetsVisible);
        edit->setEnabled(state.OffsetsEnabled);
    }
    MonitorLabel->setVisible(state.MonitorVisible);
    MonitorCB->setVisible(state.MonitorVisible);
    ScreenModeLabel->setEnabled(state.ScreenModeEnabled);
    ScreenModeCB->setEnabled(state.ScreenModeEnabled);
}

void TAddEditForm::LayoutCBChange()
{
    const int layout = LayoutCB->currentIndex();
    if (layout == 0 && ScreenModeCB->currentIndex() != 0) {
        const QScopedValueRollback<bool> filling(FFilling, true);
        ScreenModeCB->setCurrentIndex(0);
    }
    ApplyLayoutControlState();
    if (layout == 2 && !FMonitors.isEmpty()) {
        const TMonitorBounds bounds = MonitorBounds(FMonitors);
        SetOffsetFields(bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                        bounds.Bottom - bounds.Top);
    }
    DrawLayoutPreview();
    EnableApplyButtons();
}

void TAddEditForm::ScreenModeCBChange()
{
    ApplyLayoutControlState();
    MonitorCBChange();
    EnableApplyButtons();
}

void TAddEditForm::MonitorCBChange()
{
    if (!FDialogActive)
        return;
    DrawLayoutPreview();
    EnableApplyButtons();
}

void TAddEditForm::AddrEditChange()
{
    if (!FDialogActive)
        return;
    AdoptMonitorList();
    DrawLayoutPreview();
    EnableApplyButtons();
}

void TAddEditForm::EnableApplyButtons()
{
    if (!FDialogActive)
        return;
    ApplyButton->setEnabled(true);
    SaveButton->setEnabled(true);
}

void TAddEditForm::SlideshowDelayEditChange()
{
    EnableApplyButtons();
}

void TAddEditForm::ShowWarningOnce(int message, bool &flag)
{
    ShowMessageDialogWithCheck(MessageText(message), TDialogType::Warning, TDialogButton::OK,
                               MessageText(69), false, flag);
}

void TAddEditForm::AudioDeviceCBChange()
{
    AudioDeviceCB->setToolTip(AudioDeviceCB->currentText());
    EnableApplyButtons();
    if (FDialogActive && !ConsoleSettings().OPAudioChangeWarning)
        ShowWarningOnce(83, ConsoleSettings().OPAudioChangeWarning);
}

void TAddEditForm::VideoRendererCBChange()
{
    VideoRendererCB->setToolTip(VideoRendererCB->currentText());
    EnableApplyButtons();
    if (FDialogActive && !ConsoleSettings().OPVideoChangeWarning)
        ShowWarningOnce(83, ConsoleSettings().OPVideoChangeWarning);
}

void TAddEditForm::ScheduleHideScreenCBoxClick()
{
    EnableApplyButtons();
    if (FDialogActive && ScheduleHideScreenCBox->isChecked() &&
        !ConsoleSettings().OPHideScreenWarning)
        ShowWarningOnce(84, ConsoleSettings().OPHideScreenWarning);
}

void TAddEditForm::AdoptMonitorList()
{
    const TVLScreenClass *source =
        FindMonitorSource(StoreScreens(), FEditedScreen, AddrEdit->text());
    if (!source)
        return;
    // The adopted list stays with the dialog until a commit, so a passing
    // match while typing an address does not overwrite the edited screen's
    // monitors when the dialog is then cancelled.
    FMonitors = source->MonitorList;
    FMonitorsAdopted = true;
    FillMonitorList(0);
}

// ---- Commit ----

void TAddEditForm::CommitToScreen()
{
    if (!FEditedScreen)
        return;
    if (FMonitorsAdopted) {
        FEditedScreen->MonitorList = FMonitors;
        FMonitorsAdopted = false;
    }
    CommitValuesToScreen(ReadControls(), *FEditedScreen);
}

void TAddEditForm::ApplyButtonClick()
{
    CommitToScreen();
    if (FEditedScreen && FEditedScreen->PlayState != psDisconnected) {
        FEditedScreen->SendConfiguration();
        FEditedScreen->SendLayout();
    }
    ApplyButton->setEnabled(false);
    SaveButton->setEnabled(false);
    // A new screen is stored only when the dialog closes with OK.
    if (!FAddMode && FEditedScreen)
        NotifyCommitted(FEditedScreen, TAddEditCommit::Applied);
}

void TAddEditForm::SaveButtonClick()
{
    if (NameEdit->text().isEmpty()) {
        ShowMessageDialog(MessageText(45), TDialogType::Error, TDialogButton::OK);
        return;
    }
    if (AddrEdit->text().isEmpty()) {
        ShowMessageDialog(MessageText(46), TDialogType::Error, TDialogButton::OK);
        return;
    }
    if (!ConsoleSettings().OPNotConnectedWarning && FDialogActive && FEditedScreen &&
        FEditedScreen->PlayState == psDisconnected)
        ShowWarningOnce(68, ConsoleSettings().OPNotConnectedWarning);
    ApplyButton->setEnabled(false);
    SaveButton->setEnabled(false);
    accept();
}

void TAddEditForm::CancelButtonClick()
{
    reject();
}

void TAddEditForm::NotifyCommitted(TVLScreenClass *screen, TAddEditCommit kind)
{
    if (OnCommitted)
        OnCommitted(screen, kind);
}

void TAddEditForm::RefreshPanel()
{
    if (OnRefreshPanel)
        OnRefreshPanel();
}

// ---- Layout preview ----

TLayoutPreviewInput TAddEditForm::PreviewInput()
{
    TLayoutPreviewInput input;
    input.HasScreen = FEditedScreen != nullptr;
    input.Font = font();
    input.NoMonitorsText = MessageText(90);
    if (!FEditedScreen)
        return input;
    if (FMonitors.isEmpty())
        AdoptMonitorList();
    input.Monitors = FMonitors;
    const QString address = AddrEdit->text();
    const QList<TVLScreenClass *> screens = StoreScreens();
    for (const TVLScreenClass *screen : screens) {
        if (screen == FEditedScreen || screen->Address.compare(address, Qt::CaseInsensitive) != 0)
            continue;
        TPreviewWindow window;
        window.XOfs = screen->CustomXOfs;
        window.YOfs = screen->CustomYOfs;
        window.Width = screen->CustomWidth;
        window.Height = screen->CustomHeight;
        window.Layout = screen->Layout;
        window.ScreenMode = screen->ScreenMode;
        window.Monitor = screen->Monitor;
        input.Windows.append(window);
    }
    // The edited window goes on top of the others so it is never hidden by them.
    bool xOk = false, yOk = false, wOk = false, hOk = false;
    TPreviewWindow edited;
    edited.XOfs = ParseIntegerText(CustomXOfsEdit->text(), &xOk);
    edited.YOfs = ParseIntegerText(CustomYOfsEdit->text(), &yOk);
    edited.Width = ParseIntegerText(CustomWidthEdit->text(), &wOk);
    edited.Height = ParseIntegerText(CustomHeightEdit->text(), &hOk);
    if (xOk && yOk && wOk && hOk) {
        edited.Layout = LayoutCB->currentIndex();
        edited.ScreenMode = ScreenModeCB->currentIndex();
        edited.Monitor = MonitorCB->currentIndex();
        edited.Edited = true;
        input.Windows.append(edited);
    }
    return input;
}

void TAddEditForm::DrawLayoutPreview()
{
    QImage picture(LayoutImage->size(), QImage::Format_RGB32);
    const TLayoutPreviewInput input = PreviewInput();
    ::DrawLayoutPreview(picture, input);
    LayoutImage->SetPicture(picture);
}

void TAddEditForm::LayoutImageMouseDown(const QPoint &position, Qt::MouseButton button,
                                        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    if (button != Qt::LeftButton || buttons != Qt::LeftButton || modifiers != Qt::NoModifier ||
        FDrag.Dragging())
        return;
    if (LayoutCB->currentIndex() != 1) {
        const int monitor = MonitorCB->currentIndex();
        if (LayoutCB->currentIndex() == 0 && monitor >= 1 && monitor <= FMonitors.size()) {
            const MonitorRect &m = FMonitors.at(monitor - 1);
            SetOffsetFields(m.Left, m.Top, m.Width, m.Height);
        }
        {
            const QScopedValueRollback<bool> filling(FFilling, true);
            LayoutCB->setCurrentIndex(1);
        }
        LayoutCBChange();
    }
    if (FDrag.Begin(position, CustomXOfsEdit->text(), CustomYOfsEdit->text()))
        LayoutImageMouseMove(position, Qt::LeftButton, Qt::NoModifier);
}

void TAddEditForm::LayoutImageMouseMove(const QPoint &position, Qt::MouseButtons buttons,
                                        Qt::KeyboardModifiers modifiers)
{
    // Holding Shift (or any other key or button) pauses the drag.
    if (!FDrag.Dragging() || buttons != Qt::LeftButton || modifiers != Qt::NoModifier)
        return;
    const QPoint offsets = FDrag.OffsetsAt(position, ConsoleSettings().OPLayoutMotionScale);
    SetFieldText(CustomXOfsEdit, QString::number(offsets.x()));
    SetFieldText(CustomYOfsEdit, QString::number(offsets.y()));
}

void TAddEditForm::LayoutImageMouseUp()
{
    FDrag.End();
}

void TAddEditForm::BuildMotionRatioMenu(QMenu *menu)
{
    menu->clear();
    const QList<TMotionRatioItem> items =
        BuildMotionRatioItems(ConsoleSettings().OPLayoutMotionScale, LayoutPreviewCurrentScale(),
                              MessageText(85), MessageText(86));
    for (const TMotionRatioItem &item : items) {
        if (item.Separator) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(item.Caption);
        if (item.Ratio == 0)
            continue;
        action->setCheckable(true);
        action->setChecked(item.Checked);
        const int ratio = item.Ratio;
        connect(action, &QAction::triggered, this,
                [ratio] { ConsoleSettings().OPLayoutMotionScale = ratio; });
    }
}

// ---- Store ----

QList<TVLScreenClass *> TAddEditForm::StoreScreens() const
{
    return FStore ? FStore->Screens() : QList<TVLScreenClass *>();
}

void TAddEditForm::AppendToStore(TVLScreenClass *screen)
{
    if (FStore)
        FStore->Append(screen);
}
