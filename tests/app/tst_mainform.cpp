// The main window driven offscreen on a store of its own.
#include "TemporaryProfile.h"
#include "app/TCaptionPanel.h"
#include "app/TMainForm.h"
#include "console/ScreenListPanel.h"
#include "console/TScreenListController.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageSeam.h"
#include "store/TAddEditForm.h"
#include "store/TConsoleSettings.h"
#include "store/TScreenStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

TVLScreenClass *NewScreen(const QString &name, const QString &address, int port,
                          const QStringList &tags = {})
{
    auto *screen = new TVLScreenClass;
    screen->Name = name;
    screen->Address = address;
    screen->Port = port;
    screen->Tags = tags;
    return screen;
}

QStringList Rows(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

QImage IconImage(const QToolButton *button)
{
    return button->icon().pixmap(button->iconSize()).toImage();
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpLoadsStoreAndBuildsList();
    void panelFollowsPlayState_data();
    void panelFollowsPlayState();
    void panelShowsSelectedScreen();
    void schedulerAndApplyButtons();
    void editorSelectionSurvivesRefresh();
    void extendedControlsToggle();
    void closeSavesOnceAndReleasesScreens();
    void committedChangeIsSavedWithoutClose();
    void appliedAddressRecountsPCsAfterCancel();
    void closeWaitsForWaitingAction();
    void addedScreenIsSavedShownAndSelected();
    void committedScreenHiddenByFilterLeavesNoStalePanel_data();
    void committedScreenHiddenByFilterLeavesNoStalePanel();
    void windowRendersInBothModes();

private:
    std::unique_ptr<TMainForm> NewForm();
    TVLScreenClass *Select(TMainForm &form, const QString &name);

    std::unique_ptr<TTemporaryProfile> FProfile;
};

void TestMainForm::init()
{
    FProfile = std::make_unique<TTemporaryProfile>();
    QVERIFY(FProfile->isValid());
    MessageSeam::Enable();

    TScreenStore store;
    store.Append(NewScreen(QStringLiteral("Lobby"), QStringLiteral("10.0.0.5"), 5555,
                           {QStringLiteral("Lobby"), QStringLiteral("Ground")}));
    store.Append(NewScreen(QStringLiteral("Bar"), QStringLiteral("10.0.0.6"), 4769));
    store.Append(NewScreen(QStringLiteral("Hall"), QStringLiteral("10.0.0.6"), 4770));
    QVERIFY(store.SaveStore());
    ConsoleSettings() = TConsoleSettings();
}

void TestMainForm::cleanup()
{
    MessageSeam::Disable();
    FProfile.reset();
}

std::unique_ptr<TMainForm> TestMainForm::NewForm()
{
    TMainFormFolders folders;
    folders.ProgramFolder = folders.DataFolder = FProfile->Folder();
    return std::make_unique<TMainForm>(folders);
}

TVLScreenClass *TestMainForm::Select(TMainForm &form, const QString &name)
{
    for (TVLScreenClass *screen : form.StoreScreens()) {
        if (screen->Name == name) {
            form.ScreenList().SelectScreen(screen);
            return screen;
        }
    }
    return nullptr;
}

void TestMainForm::startUpLoadsStoreAndBuildsList()
{
    auto form = NewForm();
    const TMainFormControls &c = form->Controls();
    QCOMPARE(form->Store().Count(), 3);
    QCOMPARE(form->ScreenList().ShownCount(), 3);
    QCOMPARE(form->windowTitle(), QStringLiteral("Orvane v2.0.1"));
    QCOMPARE(c.HeaderLabel->text(), QStringLiteral(" Please select a screen"));
    QCOMPARE(c.ConnectButton->text(), QStringLiteral("Connect"));
    QCOMPARE(c.NowPlayingPanel->Caption(), QStringLiteral("No Media Loaded"));
    QCOMPARE(c.SchedToggleButton->text(), MessageText(18));
    QVERIFY(!c.StopButton->isEnabled());
    QVERIFY(!c.SchedEditButton->isEnabled());
    QVERIFY(c.SchedulePanel->IsGreyed());
    QVERIFY(form->ExtendedControlsHidden());
    QVERIFY(c.CurPLPanel->isHidden());
    QVERIFY(form->minimumWidth() >= 950 && form->minimumHeight() >= 576);
    QVERIFY(form->findChild<QPushButton *>(QStringLiteral("ConnectAllButton")));
    QVERIFY(form->findChild<QSlider *>(QStringLiteral("VolumeTrackBar")));
    QVERIFY(form->findChild<QLabel *>(QStringLiteral("SysTimeLabel")));
}

void TestMainForm::panelFollowsPlayState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("controls");
    QTest::addColumn<bool>("connectEnabled");
    QTest::addColumn<QString>("connectCaption");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("pausePicture");

    QTest::newRow("disconnected") << -1 << false << true << MessageText(7) << MessageText(14)
                                  << false;
    QTest::newRow("connecting") << 100 << false << false << MessageText(8) << MessageText(8)
                                << false;
    QTest::newRow("no media") << 0 << true << true << MessageText(9) << MessageText(14) << false;
    QTest::newRow("stopped") << 1 << true << true << MessageText(9) << MessageText(15) << false;
    QTest::newRow("paused") << 2 << true << true << MessageText(9) << MessageText(16) << false;
    QTest::newRow("playing") << 3 << true << true << MessageText(9) << MessageText(17) << true;
}

void TestMainForm::panelFollowsPlayState()
{
    QFETCH(int, state);
    QFETCH(bool, controls);
    QFETCH(bool, connectEnabled);
    QFETCH(QString, connectCaption);
    QFETCH(QString, status);
    QFETCH(bool, pausePicture);

    auto form = NewForm();
    const TMainFormControls &c = form->Controls();
    TVLScreenClass *screen = Select(*form, QStringLiteral("Lobby"));
    QVERIFY(screen);
    screen->Volume = 40;
    // Coming from the playing state shows that the pictures and slider follow back.
    screen->PlayState = 3;
    form->RefreshScreenPanel();
    screen->PlayState = state;
    form->RefreshScreenPanel();

    QCOMPARE(c.StopButton->isEnabled(), controls);
    QCOMPARE(c.SeekH->isEnabled(), controls);
    QCOMPARE(c.EditPLListBox->isEnabled(), controls);
    QCOMPARE(c.SysTimeLabel->isEnabled(), controls);
    QCOMPARE(c.SchedEditButton->isEnabled(), controls);
    QCOMPARE(c.ApplyPLButton->isEnabled(), controls);
    QCOMPARE(c.VolumePanel->IsGreyed(), !controls);
    QCOMPARE(c.VolumePanel->BarColour(),
             controls ? QColor(0xDA, 0xEA, 0xFF) : QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(c.SchedulePanel->FrameColour(),
             controls ? QColor(0x8F, 0x71, 0x9F) : QColor(0x80, 0x80, 0x80));
    // The slider shows the screen's volume even greyed; a disconnect zeroes the volume itself.
    QCOMPARE(c.VolumeTrackBar->value(), 40);
    QCOMPARE(c.ConnectButton->isEnabled(), connectEnabled);
    QCOMPARE(c.ConnectButton->text(), connectCaption);
    QCOMPARE(c.NowPlayingPanel->Caption(), status);
    const QImage expected =
        form->Pictures()
            .ButtonPicture(pausePicture ? TButtonPicture::Pause : TButtonPicture::Play)
            .toImage();
    QCOMPARE(IconImage(c.PlayPauseButton), expected);
    // The program's own setting of the slider never counts as the operator's.
    QVERIFY(form->UpdateGuard());
}

void TestMainForm::panelShowsSelectedScreen()
{
    auto form = NewForm();
    const TMainFormControls &c = form->Controls();
    TVLScreenClass *screen = Select(*form, QStringLiteral("Lobby"));
    screen->PlayState = 3;
    screen->Volume = 65;
    screen->NowPlaying = QStringLiteral("Clips\\Summer\\beach.mp4");
    screen->PositionText = QStringLiteral("00:01:02 / 00:03:00");
    screen->CurrentPlaylist = {QStringLiteral("Clips\\intro.mp4"),
                               QStringLiteral("http://example.org/live")};
    screen->Playlist = {{QStringLiteral("a.mp4"), false}, {QStringLiteral("b.mp4"), true}};
    TVLScheduleRecord entry;
    entry.File = QStringLiteral("Folder\\Sub\\");
    screen->Schedule = {entry};
    form->RefreshScreenPanel();

    QCOMPARE(c.HeaderLabel->text(), QStringLiteral(" Lobby, Ground"));
    QCOMPARE(c.NowPlayingEdit->text(), QStringLiteral("beach.mp4"));
    QCOMPARE(c.PositionLabel->text(), screen->PositionText);
    QCOMPARE(c.VolumeTrackBar->value(), 65);
    QCOMPARE(c.VolumeTrackBar->toolTip(), QStringLiteral("65%"));
    QCOMPARE(Rows(c.CurPLListBox),
             QStringList({QStringLiteral("intro.mp4"), QStringLiteral("example.org/live")}));
    QCOMPARE(Rows(c.EditPLListBox),
             QStringList({QStringLiteral("a.mp4"), QStringLiteral("b.mp4")}));
    QVERIFY(!c.EditPLListBox->item(0)->isSelected());
    QVERIFY(c.EditPLListBox->item(1)->isSelected());
    QCOMPARE(Rows(c.ScheduleListDisplay), QStringList({QStringLiteral("Folder\\Sub\\")}));
    QCOMPARE(c.SysTimeLabel->text(), QString());

    // Another screen without TAGs; then no selection leaves the last text in place.
    Select(*form, QStringLiteral("Bar"));
    form->RefreshScreenPanel();
    QCOMPARE(c.HeaderLabel->text(), QLatin1Char(' ') + MessageText(82));
    QVERIFY(c.CurPLListBox->count() == 0);
    QVERIFY(!c.StopButton->isEnabled());

    form->ScreenList().ClearSelectionPanels();
    QCOMPARE(c.HeaderLabel->text(), QStringLiteral(" Please select a screen"));
    QCOMPARE(c.EditPLListBox->count(), 0);
    QCOMPARE(c.VolumeTrackBar->value(), 0);
    QVERIFY(!c.VolumeTrackBar->isEnabled());
}

void TestMainForm::schedulerAndApplyButtons()
{
    auto form = NewForm();
    const TMainFormControls &c = form->Controls();
    TVLScreenClass *screen = Select(*form, QStringLiteral("Hall"));
    screen->PlayState = 1;
    for (int schedulerState : {1, 2}) {
        screen->SchedulerState = schedulerState;
        form->RefreshScreenPanel();
        QCOMPARE(c.SchedToggleButton->text(), MessageText(19));
    }
    screen->SchedulerState = 0;
    screen->ApplyInProgress = true;
    form->RefreshScreenPanel();
    QCOMPARE(c.SchedToggleButton->text(), MessageText(18));
    QVERIFY(!c.ApplyPLButton->isEnabled());
    QVERIFY(!c.CopyPLButton->isEnabled());
    QVERIFY(c.SavePlaylistButton->isEnabled());
    screen->ApplyInProgress = false;
    form->RefreshScreenPanel();
    QVERIFY(c.ApplyPLButton->isEnabled());
}

void TestMainForm::editorSelectionSurvivesRefresh()
{
    auto form = NewForm();
    const TMainFormControls &c = form->Controls();
    TVLScreenClass *screen = Select(*form, QStringLiteral("Lobby"));
    screen->PlayState = 1;
    screen->Playlist = {{QStringLiteral("a.mp4"), false},
                        {QStringLiteral("b.mp4"), false},
                        {QStringLiteral("c.mp4"), false}};
    form->RefreshScreenPanel();
    c.EditPLListBox->item(2)->setSelected(true);
    // A status line of the screen refreshes the panel while the operator works.
    screen->NowPlaying = QStringLiteral("b.mp4");
    form->RefreshScreenPanel();
    QVERIFY(c.EditPLListBox->item(2)->isSelected());
    QVERIFY(!c.EditPLListBox->item(0)->isSelected());
    QVERIFY(screen->Playlist.at(2).Selected);
}

void TestMainForm::extendedControlsToggle()
{
    auto form = NewForm();
    form->resize(1200, 800);
    const TMainFormControls &c = form->Controls();
    const QRect hiddenSchedule = c.SchedulePanel->geometry();
    form->PLVisibleButtonClick();
    QVERIFY(!form->ExtendedControlsHidden());
    QVERIFY(!c.EditPLPanel->isHidden());
    QVERIFY(c.SchedulePanel->height() < hiddenSchedule.height());
    QCOMPARE(c.SchedulePanel->geometry().bottom(), c.SchedEditButton->geometry().bottom());
    QVERIFY(c.NowPlayingPanel->geometry().top() > c.SchedulePanel->geometry().bottom());
    form->FormClose();
    // The mode is kept for the next run.
    QCOMPARE(ConsoleSettings().OPMinimizedMode, false);
}

void TestMainForm::closeSavesOnceAndReleasesScreens()
{
    auto form = NewForm();
    TVLScreenClass *screen = Select(*form, QStringLiteral("Bar"));
    screen->Tags = {QStringLiteral("Changed")};
    QPointer<TVLScreenClass> watched(screen);
    form->FormClose();
    QVERIFY(form->IsClosing());
    QCOMPARE(form->Store().Count(), 0);
    QVERIFY(watched.isNull());
    QCOMPARE(form->ScreenList().ShownCount(), 0);
    // A second close and late refreshes do nothing.
    form->FormClose();
    form->RefreshScreenPanel();
    form->SystemTimeTimerTimer();

    TScreenStore reloaded;
    reloaded.LoadStore();
    QCOMPARE(reloaded.Count(), 3);
    bool found = false;
    for (TVLScreenClass *s : reloaded.Screens())
        found = found || (s->Name == QStringLiteral("Bar") &&
                          s->Tags == QStringList{QStringLiteral("Changed")});
    QVERIFY(found);
}

void TestMainForm::committedChangeIsSavedWithoutClose()
{
    auto form = NewForm();
    form->Store().Append(NewScreen(QStringLiteral("Added"), QStringLiteral("10.0.0.9"), 4769));
    form->StoreChanged();
    TScreenStore reloaded;
    reloaded.LoadStore();
    QCOMPARE(reloaded.Count(), 4);
}

void TestMainForm::appliedAddressRecountsPCsAfterCancel()
{
    // Apply changes the store without a rebuild of the list; the panel refresh
    // that follows the dialog must count the PCs again.
    auto form = NewForm();
    const QLabel *counter = form->ScreenListPanel()->LabelScreens();
    QCOMPARE(counter->text(), QStringLiteral("Total PCs (2)"));
    form->CreatePropertiesDialog();
    TAddEditForm *dialog = form->PropertiesDialog();
    QVERIFY(dialog->BeginEdit(Select(*form, QStringLiteral("Hall"))));
    dialog->AddrEdit->setText(QStringLiteral("10.0.0.7"));
    dialog->ApplyButtonClick();
    dialog->CancelButtonClick();
    dialog->FinishEdit(dialog->result());
    QCOMPARE(counter->text(), QStringLiteral("Total PCs (3)"));
}

void TestMainForm::closeWaitsForWaitingAction()
{
    auto form = NewForm();
    form->show();
    // A connect wait runs the message loop; the operator closes the window meanwhile.
    form->BeginWaitingAction();
    form->BeginWaitingAction();
    QVERIFY(!form->close());
    QVERIFY(!form->IsClosing());
    QCOMPARE(form->Store().Count(), 3);
    form->EndWaitingAction();
    QCoreApplication::processEvents();
    QVERIFY(!form->IsClosing());
    form->EndWaitingAction();
    QTRY_VERIFY_WITH_TIMEOUT(form->IsClosing(), 5000);
    QCOMPARE(form->Store().Count(), 0);
    QVERIFY(!form->isVisible());
}

void TestMainForm::addedScreenIsSavedShownAndSelected()
{
    auto form = NewForm();
    form->CreatePropertiesDialog();
    TAddEditForm *dialog = form->PropertiesDialog();
    QVERIFY(dialog);
    Select(*form, QStringLiteral("Bar"));
    form->ScreenList().ToggleLinkMode();
    QVERIFY(form->ScreenList().LinkMode());

    dialog->BeginAdd();
    dialog->NameEdit->setText(QStringLiteral("Atrium"));
    dialog->AddrEdit->setText(QStringLiteral("10.0.0.20"));
    dialog->TagsEdit->setText(QStringLiteral("Atrium"));
    TVLScreenClass *added = dialog->FinishAdd(QDialog::Accepted);
    QVERIFY(added);

    QCOMPARE(form->ScreenList().ShownCount(), 4);
    QCOMPARE(form->SelectedScreen(), added);
    QVERIFY(!form->ScreenList().LinkMode());
    QCOMPARE(form->Controls().HeaderLabel->text(), QStringLiteral(" Atrium"));
    // Saved at once: a console that is killed now still has the new screen next time.
    TScreenStore reloaded;
    reloaded.LoadStore();
    QCOMPARE(reloaded.Count(), 4);
}

void TestMainForm::committedScreenHiddenByFilterLeavesNoStalePanel_data()
{
    QTest::addColumn<bool>("edit");
    QTest::newRow("added with other TAGs") << false;
    QTest::newRow("edited to other TAGs") << true;
}

void TestMainForm::committedScreenHiddenByFilterLeavesNoStalePanel()
{
    QFETCH(bool, edit);
    auto form = NewForm();
    form->CreatePropertiesDialog();
    TAddEditForm *dialog = form->PropertiesDialog();
    const TMainFormControls &c = form->Controls();
    form->ScreenList().SetFilterText(QStringLiteral("lob"));
    TVLScreenClass *lobby = Select(*form, QStringLiteral("Lobby"));
    QVERIFY(lobby);
    lobby->PlayState = 1;
    form->RefreshScreenPanel();
    QVERIFY(c.StopButton->isEnabled());

    if (edit) {
        QVERIFY(dialog->BeginEdit(lobby));
        dialog->TagsEdit->setText(QStringLiteral("Hall"));
        dialog->FinishEdit(QDialog::Accepted);
    } else {
        dialog->BeginAdd();
        dialog->NameEdit->setText(QStringLiteral("Atrium"));
        dialog->AddrEdit->setText(QStringLiteral("10.0.0.20"));
        dialog->TagsEdit->setText(QStringLiteral("Atrium"));
        QVERIFY(dialog->FinishAdd(QDialog::Accepted));
    }

    // No row is selected now, so the panels must not go on offering Lobby's controls.
    QCOMPARE(form->SelectedScreen(), nullptr);
    QCOMPARE(c.HeaderLabel->text(), QStringLiteral(" Please select a screen"));
    QVERIFY(!c.StopButton->isEnabled());
    QVERIFY(!c.ConnectButton->isEnabled());
}

void TestMainForm::windowRendersInBothModes()
{
    auto form = NewForm();
    form->resize(1100, 720);
    TVLScreenClass *screen = Select(*form, QStringLiteral("Lobby"));
    screen->PlayState = 3;
    screen->Volume = 70;
    screen->NowPlaying = QStringLiteral("Clips\\Summer\\beach.mp4");
    screen->PositionText = QStringLiteral("00:01:02 / 00:03:00");
    screen->CurrentPlaylist = {QStringLiteral("Clips\\intro.mp4"), QStringLiteral("beach.mp4")};
    screen->Playlist = {{QStringLiteral("promo.mp4"), false}, {QStringLiteral("menu.jpg"), false}};
    screen->SysTimeSynched = true;
    form->RefreshScreenPanel();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    const QString folder = qEnvironmentVariable("ORVANE_SNAPSHOT_DIR");
    const QImage compact = form->grab().toImage();
    QVERIFY(!compact.isNull());
    form->PLVisibleButtonClick();
    const QImage extended = form->grab().toImage();
    QVERIFY(compact != extended);
    if (!folder.isEmpty()) {
        compact.save(folder + QStringLiteral("/orvane-window-compact.png"));
        extended.save(folder + QStringLiteral("/orvane-window-extended.png"));
        // Every built-in picture at twice the density, side by side.
        QImage strip(10 * 96, 96, QImage::Format_ARGB32);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        QList<QPixmap> pictures;
        for (int i = 0; i < StatePictureCount; ++i)
            pictures << BuiltinStatePicture(static_cast<TStatePicture>(i), 2.0);
        pictures << BuiltinLockPicture(2.0) << BuiltinLinkPicture(2.0)
                 << BuiltinLinkBrokePicture(2.0) << BuiltinButtonPicture(TButtonPicture::Play, 2.0)
                 << BuiltinButtonPicture(TButtonPicture::Pause, 2.0);
        for (int i = 0; i < pictures.size(); ++i) {
            QImage image = pictures.at(i).toImage();
            image.setDevicePixelRatio(1.0);
            painter.drawImage(i * 96 + 4, 4, image);
        }
        painter.end();
        strip.save(folder + QStringLiteral("/orvane-pictures-2x.png"));
    }
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
