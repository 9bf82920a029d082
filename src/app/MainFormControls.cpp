#include "app/MainFormControls.h"

#include "app/BuiltinPictures.h"
#include "app/TCaptionPanel.h"
#include "app/TTileButton.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Designed caption bar and frame line colours of the panels.
const QColor MediaBar(0xDA, 0xEA, 0xFF), MediaFrame(0x71, 0x71, 0x9F);
const QColor EditorBar(0xFF, 0xFF, 0xC8), EditorFrame(0xAA, 0xAA, 0x00);
const QColor CurrentBar(0xD8, 0xFF, 0xE8), CurrentFrame(0x00, 0x9B, 0x3E);
const QColor ScheduleBar(0xE8, 0xD8, 0xFF), ScheduleFrame(0x8F, 0x71, 0x9F);
const QColor TimeBar(0xF7, 0xF7, 0xF7), TimeFrame(0x8F, 0x8F, 0x8F);

template <typename T> T *Named(T *widget, const QString &name, const QString &hint = QString())
{
    widget->setObjectName(name);
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption,
                    const QString &hint = QString())
{
    return Named(new QPushButton(caption, parent), name, hint);
}

QToolButton *GlyphButton(QWidget *parent, const QString &name, const QString &hint,
                         const QPixmap &picture)
{
    auto *button = Named(new QToolButton(parent), name, hint);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(TransportPictureSize, TransportPictureSize));
    button->setFixedSize(30, 26);
    button->setAutoRaise(false);
    return button;
}

QVBoxLayout *BodyLayout(TCaptionPanel *panel)
{
    auto *layout = new QVBoxLayout(panel->Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    return layout;
}

// A frameless list that fills the whole body of its panel.
QListWidget *PanelList(TCaptionPanel *panel, const QString &name)
{
    auto *list = Named(new QListWidget(panel->Body()), name);
    list->setFrameShape(QFrame::NoFrame);
    auto *layout = BodyLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    return list;
}

QWidget *ButtonRow(QWidget *parent, const QString &name)
{
    auto *row = Named(new QWidget(parent), name);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    return row;
}

void BuildTopRow(QWidget *form, qreal dpr, TMainFormControls &c)
{
    c.AddButton = new TTileButton(QStringLiteral("AddButton"), QStringLiteral("Add Screen"),
                                  QStringLiteral("Add a new screen entry"), form);
    c.EditButton = new TTileButton(QStringLiteral("EditButton"), QStringLiteral("Edit Screen"),
                                   QStringLiteral("Edit the selected screen entry"), form);
    c.DuplicateButton =
        new TTileButton(QStringLiteral("DuplicateButton"), QStringLiteral("Duplicate Screen"),
                        QStringLiteral("Duplicate the selected screen entry"), form);
    c.RemoveButton =
        new TTileButton(QStringLiteral("RemoveButton"), QStringLiteral("Delete Screen"),
                        QStringLiteral("Delete the selected screen entry (with prompt)"), form);
    c.RemoveAllButton =
        new TTileButton(QStringLiteral("RemoveAllButton"), QStringLiteral("Delete All Screens"),
                        QStringLiteral("Delete all or filtered screens (with prompt)"), form);
    c.ConnectAllButton =
        new TTileButton(QStringLiteral("ConnectAllButton"), QStringLiteral("Connect All"),
                        QStringLiteral("Connect all or filtered screen entries"), form);
    c.DisconnectAllButton =
        new TTileButton(QStringLiteral("DisconnectAllButton"), QStringLiteral("Disconnect All"),
                        QStringLiteral("Disconnect all or filtered screen entries"), form);
    const QList<QPair<QPushButton *, TTilePicture>> pictures = {
        {c.AddButton, TTilePicture::AddScreen},
        {c.EditButton, TTilePicture::EditScreen},
        {c.DuplicateButton, TTilePicture::DuplicateScreen},
        {c.RemoveButton, TTilePicture::DeleteScreen},
        {c.RemoveAllButton, TTilePicture::DeleteAllScreens},
        {c.ConnectAllButton, TTilePicture::ConnectAll},
        {c.DisconnectAllButton, TTilePicture::DisconnectAll}};
    for (const auto &[button, picture] : pictures)
        static_cast<TTileButton *>(button)->SetPicture(BuiltinTilePicture(picture, dpr));
}

void BuildHeaderAndSchedule(QWidget *form, TMainFormControls &c)
{
    c.HeaderLabel = Named(new QLabel(form), QStringLiteral("HeaderLabel"));
    QFont headerFont = c.HeaderLabel->font();
    headerFont.setBold(true);
    headerFont.setPointSizeF(headerFont.pointSizeF() * 1.25);
    c.HeaderLabel->setFont(headerFont);
    c.HeaderLabel->setFrameShape(QFrame::StyledPanel);
    c.HeaderLabel->setAutoFillBackground(true);
    QPalette headerPalette = c.HeaderLabel->palette();
    headerPalette.setColor(QPalette::Window, QColor(0xFA, 0xFA, 0xFC));
    c.HeaderLabel->setPalette(headerPalette);
    c.HeaderLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    QPushButton *connect = Button(form, QStringLiteral("ConnectButton"), QString());
    QFont bold = connect->font();
    bold.setBold(true);
    connect->setFont(bold);
    c.ConnectButton = connect;

    c.SchedulePanel =
        new TCaptionPanel(QStringLiteral("SchedulePanel"), QStringLiteral("Current Schedule"),
                          ScheduleBar, ScheduleFrame, form);
    c.ScheduleListDisplay = PanelList(c.SchedulePanel, QStringLiteral("ScheduleListDisplay"));

    c.SchedToggleButton = Button(form, QStringLiteral("SchedToggleButton"), QString());
    // "Disable Scheduler" has to fit the column's designed width.
    QFont toggleFont = c.SchedToggleButton->font();
    toggleFont.setPointSizeF(toggleFont.pointSizeF() * 0.9);
    c.SchedToggleButton->setFont(toggleFont);
    c.SchedEditButton =
        Button(form, QStringLiteral("SchedEditButton"), QStringLiteral("Edit Schedule"));

    c.SysTimePanel = new TCaptionPanel(QStringLiteral("SysTimePanel"),
                                       QStringLiteral("System Time"), TimeBar, TimeFrame, form);
    c.SysTimeLabel = Named(new QLabel(c.SysTimePanel->Body()), QStringLiteral("SysTimeLabel"));
    c.SysTimeLabel->setAlignment(Qt::AlignCenter);
    QFont timeFont = c.SysTimeLabel->font();
    timeFont.setBold(true);
    timeFont.setPointSizeF(timeFont.pointSizeF() * 1.15);
    c.SysTimeLabel->setFont(timeFont);
    BodyLayout(c.SysTimePanel)->addWidget(c.SysTimeLabel);

    c.SystemTimeTimer = new QTimer(form);
    c.SystemTimeTimer->setObjectName(QStringLiteral("SystemTimeTimer"));
    c.SystemTimeTimer->setInterval(1000);
}

void BuildNowPlayingRow(QWidget *form, const TConsolePictures &pictures, TMainFormControls &c)
{
    c.NowPlayingPanel =
        new TCaptionPanel(QStringLiteral("NowPlayingPanel"), QString(), MediaBar, MediaFrame, form);
    auto *nowLayout = new QHBoxLayout(c.NowPlayingPanel->Body());
    nowLayout->setContentsMargins(4, 4, 4, 4);
    c.NowPlayingEdit =
        Named(new QLineEdit(c.NowPlayingPanel->Body()), QStringLiteral("NowPlayingEdit"));
    c.NowPlayingEdit->setReadOnly(true);
    c.PLVisibleButton = GlyphButton(c.NowPlayingPanel->Body(), QStringLiteral("PLVisibleButton"),
                                    QStringLiteral("Show/Hide extended playlist controls"),
                                    pictures.ButtonPicture(TButtonPicture::ShowMore));
    nowLayout->addWidget(c.NowPlayingEdit, 1);
    nowLayout->addWidget(c.PLVisibleButton);

    c.PositionPanel = new TCaptionPanel(QStringLiteral("PositionPanel"), QStringLiteral("Position"),
                                        MediaBar, MediaFrame, form);
    c.PositionLabel = Named(new QLabel(c.PositionPanel->Body()), QStringLiteral("PositionLabel"));
    c.PositionLabel->setAlignment(Qt::AlignCenter);
    BodyLayout(c.PositionPanel)->addWidget(c.PositionLabel);

    c.VolumePanel = new TCaptionPanel(QStringLiteral("VolumePanel"), QStringLiteral("Volume"),
                                      MediaBar, MediaFrame, form);
    c.VolumeTrackBar = Named(new QSlider(Qt::Horizontal, c.VolumePanel->Body()),
                             QStringLiteral("VolumeTrackBar"), QStringLiteral("0%"));
    c.VolumeTrackBar->setRange(0, 100);
    c.VolumeTrackBar->setPageStep(10);
    BodyLayout(c.VolumePanel)->addWidget(c.VolumeTrackBar);
}

void BuildCurrentPlaylist(QWidget *form, const TConsolePictures &pictures, TMainFormControls &c)
{
    c.CurPLPanel =
        new TCaptionPanel(QStringLiteral("CurPLPanel"), QStringLiteral("Current Playlist"),
                          CurrentBar, CurrentFrame, form);
    c.CurPLListBox = PanelList(c.CurPLPanel, QStringLiteral("CurPLListBox"));

    c.TransportRow = ButtonRow(form, QStringLiteral("TransportRow"));
    const auto glyph = [&](const QString &name, const QString &hint, TButtonPicture picture) {
        QToolButton *button =
            GlyphButton(c.TransportRow, name, hint, pictures.ButtonPicture(picture));
        c.TransportRow->layout()->addWidget(button);
        return button;
    };
    c.PlayPauseButton = glyph(QStringLiteral("PlayPauseButton"), QStringLiteral("Play/Pause"),
                              TButtonPicture::Play);
    c.StopButton =
        glyph(QStringLiteral("StopButton"), QStringLiteral("Stop"), TButtonPicture::Stop);
    c.PrevButton = glyph(QStringLiteral("PrevButton"), QStringLiteral("Previous Track"),
                         TButtonPicture::Previous);
    c.NextButton =
        glyph(QStringLiteral("NextButton"), QStringLiteral("Next Track"), TButtonPicture::Next);
    c.SeekBackButton = glyph(QStringLiteral("SeekBackButton"), QStringLiteral("Seek Backwards"),
                             TButtonPicture::SeekBack);
    c.SeekForwardButton = glyph(QStringLiteral("SeekForwardButton"), QStringLiteral("Seek Forward"),
                                TButtonPicture::SeekForward);
    static_cast<QHBoxLayout *>(c.TransportRow->layout())->addStretch(1);

    c.SeekRow = ButtonRow(form, QStringLiteral("SeekRow"));
    const auto field = [&](const QString &caption, const QString &name, int maxLength,
                           QLabel *&label) {
        label = Named(new QLabel(caption, c.SeekRow), name + QStringLiteral("Label"));
        auto *edit = Named(new QLineEdit(c.SeekRow), name);
        if (maxLength > 0)
            edit->setMaxLength(maxLength);
        edit->setFixedWidth(maxLength > 0 ? 30 : 40);
        edit->setAlignment(Qt::AlignRight);
        c.SeekRow->layout()->addWidget(label);
        c.SeekRow->layout()->addWidget(edit);
        return edit;
    };
    c.SeekH = field(QStringLiteral("H"), QStringLiteral("SeekH"), 0, c.SeekHLabel);
    c.SeekM = field(QStringLiteral("M"), QStringLiteral("SeekM"), 2, c.SeekMLabel);
    c.SeekS = field(QStringLiteral("S"), QStringLiteral("SeekS"), 2, c.SeekSLabel);
    c.SeekButton = Button(c.SeekRow, QStringLiteral("SeekButton"), QStringLiteral("Seek"),
                          QStringLiteral("Seek (HH:MM:SS)"));
    c.SeekRow->layout()->addWidget(c.SeekButton);
    static_cast<QHBoxLayout *>(c.SeekRow->layout())->addStretch(1);
}

void BuildEditor(QWidget *form, const TConsolePictures &pictures, TMainFormControls &c)
{
    c.ApplyPLButton = Button(form, QStringLiteral("ApplyPLButton"), QStringLiteral("Apply"),
                             QStringLiteral("Activate the playlist"));
    c.CopyPLButton = Button(form, QStringLiteral("CopyPLButton"), QStringLiteral("Copy"),
                            QStringLiteral("Copy the current playlist into the editor"));

    c.EditPLPanel =
        new TCaptionPanel(QStringLiteral("EditPLPanel"), QStringLiteral("Playlist Editor"),
                          EditorBar, EditorFrame, form);
    c.EditPLListBox = PanelList(c.EditPLPanel, QStringLiteral("EditPLListBox"));
    c.EditPLListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.EditPLListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    c.EditPLPopupMenu = Named(new QMenu(form), QStringLiteral("EditPLPopupMenu"));
    c.MenuClearPlaylistEdit = c.EditPLPopupMenu->addAction(QString());
    c.MenuClearPlaylistEdit->setObjectName(QStringLiteral("MenuClearPlaylistEdit"));

    c.EditorButtonRow = ButtonRow(form, QStringLiteral("EditorButtonRow"));
    const auto button = [&](const QString &name, const QString &caption, const QString &hint) {
        QPushButton *b = Button(c.EditorButtonRow, name, caption, hint);
        c.EditorButtonRow->layout()->addWidget(b);
        return b;
    };
    c.AddItemButton = button(QStringLiteral("AddItemButton"), QStringLiteral("Add"),
                             QStringLiteral("Add media files"));
    c.RemoveItemButton = button(QStringLiteral("RemoveItemButton"), QStringLiteral("Remove"),
                                QStringLiteral("Remove selected entries"));
    static_cast<QHBoxLayout *>(c.EditorButtonRow->layout())->addStretch(1);
    c.LoadPlaylistButton = button(QStringLiteral("LoadPlaylistButton"), QStringLiteral("Load"),
                                  QStringLiteral("Load playlist from remote screen"));
    c.SavePlaylistButton = button(QStringLiteral("SavePlaylistButton"), QStringLiteral("Save"),
                                  QStringLiteral("Save playlist to remote screen"));

    c.EditorMoveRow = ButtonRow(form, QStringLiteral("EditorMoveRow"));
    const auto mover = [&](const QString &name, const QString &hint, TButtonPicture picture) {
        QToolButton *b = GlyphButton(c.EditorMoveRow, name, hint, pictures.ButtonPicture(picture));
        c.EditorMoveRow->layout()->addWidget(b);
        return b;
    };
    c.MoveItemTopButton = mover(QStringLiteral("MoveItemTopButton"),
                                QStringLiteral("Move item to the top"), TButtonPicture::MoveTop);
    c.MoveItemUPButton = mover(QStringLiteral("MoveItemUPButton"), QStringLiteral("Move item up"),
                               TButtonPicture::MoveUp);
    c.MoveItemDownButton = mover(QStringLiteral("MoveItemDownButton"),
                                 QStringLiteral("Move item down"), TButtonPicture::MoveDown);
    c.MoveItemBottomButton =
        mover(QStringLiteral("MoveItemBottomButton"), QStringLiteral("Move item to the bottom"),
              TButtonPicture::MoveBottom);
    static_cast<QHBoxLayout *>(c.EditorMoveRow->layout())->addStretch(1);
}

} // namespace

QList<QWidget *> TMainFormControls::ScreenControls() const
{
    return {PlayPauseButton,
            StopButton,
            PrevButton,
            NextButton,
            SeekBackButton,
            SeekForwardButton,
            SeekButton,
            SeekH,
            SeekM,
            SeekS,
            SeekHLabel,
            SeekMLabel,
            SeekSLabel,
            VolumeTrackBar,
            ConnectButton,
            AddItemButton,
            RemoveItemButton,
            MoveItemUPButton,
            MoveItemDownButton,
            MoveItemTopButton,
            MoveItemBottomButton,
            ApplyPLButton,
            CopyPLButton,
            LoadPlaylistButton,
            SavePlaylistButton,
            CurPLListBox,
            EditPLListBox,
            NowPlayingEdit,
            SchedToggleButton,
            SysTimeLabel};
}

QList<TCaptionPanel *> TMainFormControls::Panels() const
{
    return {NowPlayingPanel, VolumePanel,   PositionPanel, CurPLPanel,
            EditPLPanel,     SchedulePanel, SysTimePanel};
}

QList<QWidget *> TMainFormControls::ExtendedControls() const
{
    return {CurPLPanel,   TransportRow, SeekRow,         ApplyPLButton,
            CopyPLButton, EditPLPanel,  EditorButtonRow, EditorMoveRow};
}

void BuildMainFormControls(QWidget *form, const TConsolePictures &pictures,
                           TMainFormControls &controls)
{
    BuildTopRow(form, form->devicePixelRatioF(), controls);
    BuildHeaderAndSchedule(form, controls);
    BuildNowPlayingRow(form, pictures, controls);
    BuildCurrentPlaylist(form, pictures, controls);
    BuildEditor(form, pictures, controls);
}

void ApplyMainFormGeometry(TMainFormControls &c, const TMainFormGeometry &g, bool extendedHidden)
{
    c.AddButton->setGeometry(g.AddButton);
    c.EditButton->setGeometry(g.EditButton);
    c.DuplicateButton->setGeometry(g.DuplicateButton);
    c.RemoveButton->setGeometry(g.RemoveButton);
    c.RemoveAllButton->setGeometry(g.RemoveAllButton);
    c.ConnectAllButton->setGeometry(g.ConnectAllButton);
    c.DisconnectAllButton->setGeometry(g.DisconnectAllButton);
    c.HeaderLabel->setGeometry(g.HeaderLabel);
    c.ConnectButton->setGeometry(g.ConnectButton);
    c.SchedulePanel->setGeometry(g.SchedulePanel);
    c.SysTimePanel->setGeometry(g.SysTimePanel);
    c.SchedToggleButton->setGeometry(g.SchedToggleButton);
    c.SchedEditButton->setGeometry(g.SchedEditButton);
    c.NowPlayingPanel->setGeometry(g.NowPlayingPanel);
    c.PositionPanel->setGeometry(g.PositionPanel);
    c.VolumePanel->setGeometry(g.VolumePanel);
    for (QWidget *widget : c.ExtendedControls())
        widget->setVisible(!extendedHidden);
    if (extendedHidden)
        return;
    c.CurPLPanel->setGeometry(g.CurPLPanel);
    c.TransportRow->setGeometry(g.TransportRow);
    c.SeekRow->setGeometry(g.SeekRow);
    c.ApplyPLButton->setGeometry(g.ApplyPLButton);
    c.CopyPLButton->setGeometry(g.CopyPLButton);
    c.EditPLPanel->setGeometry(g.EditPLPanel);
    c.EditorButtonRow->setGeometry(g.EditorButtonRow);
    c.EditorMoveRow->setGeometry(g.EditorMoveRow);
}
