#include "FakePresenter.h"
#include "link/ScreenSession.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"
#include "messages/MessageSeam.h"
#include "store/AddEditLayoutImage.h"
#include "store/AddEditRules.h"
#include "store/ScreenRecord.h"
#include "store/TAddEditForm.h"
#include "store/TConsoleSettings.h"
#include "store/TScreenStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <limits>

namespace {

QStringList ShownTexts()
{
    QStringList texts;
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    for (const MessageSeam::TShownDialog &dialog : shown)
        texts << dialog.Text;
    return texts;
}

} // namespace

class TestAddEditForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addChecksDuplicates_data();
    void addChecksDuplicates();
    void closeChecksNameAndAddress_data();
    void closeChecksNameAndAddress();
    void notConnectedWarningCanBeSilenced();
    void addRunsModallyAndStoresTheScreen();
    void newScreenStartsFromDefaults();
    void editFillsControlsAndCommits();
    void commitFallbacks_data();
    void commitFallbacks();
    void fakeLayoutReplacesMonitorsWithWall();
    void layoutAndScreenModeRules();
    void addressAdoptsAnotherScreensMonitors();
    void lateEffectWarnings_data();
    void lateEffectWarnings();
    void duplicateAsksForAName();
    void withoutSelectionAsksToSelect();
    void dragMovesTheWindow_data();
    void dragMovesTheWindow();
    void motionRatioMenuStoresTheRatio();
    void keyFiltersCleanTypedAndPastedText_data();
    void keyFiltersCleanTypedAndPastedText();
    void applyPushesToConnectedScreen();
    void monitorBoundsNearTheIntegerLimit();
    void storedBoundsOffAllMonitorsStayReachable();

private:
    TVLScreenClass *AddStored(const QString &name, const QString &address, int port = 4769,
                              const QString &monitors = QString());
    void OpenAdd();
    void OpenEdit(TVLScreenClass *screen);

    TScreenStore *FStore = nullptr;
    TAddEditForm *FForm = nullptr;
    QList<TAddEditCommit> FCommits;
    int FRefreshes = 0;
};

void TestAddEditForm::init()
{
    MessageSeam::Enable();
    ConsoleSettings() = TConsoleSettings();
    FStore = new TScreenStore;
    FForm = new TAddEditForm(FStore);
    FCommits.clear();
    FRefreshes = 0;
    FForm->OnCommitted = [this](TVLScreenClass *, TAddEditCommit kind) { FCommits << kind; };
    FForm->OnRefreshPanel = [this] { ++FRefreshes; };
}

void TestAddEditForm::cleanup()
{
    QCOMPARE(MessageSeam::PendingAnswers(), 0);
    QCOMPARE(MessageSeam::PendingInputs(), 0);
    delete FForm;
    delete FStore;
    MessageSeam::Disable();
}

TVLScreenClass *TestAddEditForm::AddStored(const QString &name, const QString &address, int port,
                                           const QString &monitors)
{
    auto *screen = new TVLScreenClass;
    screen->Name = name;
    screen->Address = address;
    screen->Port = port;
    ParseMonitorList(monitors, screen->MonitorList);
    FStore->Append(screen);
    return screen;
}

void TestAddEditForm::OpenAdd()
{
    FForm->BeginAdd();
    FForm->show();
    FForm->FormActivate();
}

void TestAddEditForm::OpenEdit(TVLScreenClass *screen)
{
    QVERIFY(FForm->BeginEdit(screen));
    FForm->show();
    FForm->FormActivate();
}

void TestAddEditForm::addChecksDuplicates_data()
{
    QTest::addColumn<QStringList>("stored"); // name, address, port per screen
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("message");
    QTest::addColumn<bool>("added");

    const QStringList one = {QStringLiteral("Hall"), QStringLiteral("10.0.0.1"),
                             QStringLiteral("4769")};
    QTest::newRow("no duplicate") << one << "Lobby"
                                  << "10.0.0.2"
                                  << "4769" << int(mrNone) << 0 << true;
    QTest::newRow("name in other case, ignored") << one << "HALL"
                                                 << "10.0.0.2"
                                                 << "4769" << int(mrIgnore) << 35 << true;
    QTest::newRow("name, cancelled") << one << "hall"
                                     << "10.0.0.2"
                                     << "4769" << int(mrCancel) << 35 << false;
    QTest::newRow("port text differs") << one << "Lobby"
                                       << "10.0.0.1"
                                       << "04769" << int(mrNone) << 0 << true;
    QTest::newRow("address and port, cancelled") << one << "Lobby"
                                                 << "10.0.0.1"
                                                 << "4769" << int(mrCancel) << 36 << false;
    const QStringList nameFirst = {QStringLiteral("Lobby"), QStringLiteral("pc-9"),
                                   QStringLiteral("1"),     QStringLiteral("Other"),
                                   QStringLiteral("PC-1"),  QStringLiteral("4769")};
    QTest::newRow("last match decides: address") << nameFirst << "lobby"
                                                 << "pc-1"
                                                 << "4769" << int(mrCancel) << 36 << false;
    const QStringList addressFirst = {QStringLiteral("Other"), QStringLiteral("PC-1"),
                                      QStringLiteral("4769"),  QStringLiteral("Lobby"),
                                      QStringLiteral("pc-9"),  QStringLiteral("1")};
    QTest::newRow("last match decides: name") << addressFirst << "lobby"
                                              << "pc-1"
                                              << "4769" << int(mrIgnore) << 35 << true;
}

void TestAddEditForm::addChecksDuplicates()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(int, answer);
    QFETCH(int, message);
    QFETCH(bool, added);
    ConsoleSettings().OPNotConnectedWarning = true;
    for (int i = 0; i + 2 < stored.size(); i += 3)
        AddStored(stored.at(i), stored.at(i + 1), stored.at(i + 2).toInt());
    const int before = FStore->Count();

    OpenAdd();
    FForm->NameEdit->setText(name);
    FForm->AddrEdit->setText(address);
    FForm->PortEdit->setText(port);
    FForm->SaveButtonClick();
    QCOMPARE(FForm->result(), int(QDialog::Accepted));
    if (answer != mrNone)
        MessageSeam::QueueAnswer(answer);
    TVLScreenClass *screen = FForm->FinishAdd(FForm->result());

    QCOMPARE(ShownTexts(), message ? QStringList({MessageText(message)}) : QStringList());
    if (message)
        QCOMPARE(MessageSeam::Shown().first().Buttons,
                 TDialogButtons(TDialogButton::Cancel | TDialogButton::Ignore));
    QCOMPARE(FStore->Count(), before + (added ? 1 : 0));
    QCOMPARE(screen != nullptr, added);
    QCOMPARE(FCommits,
             added ? QList<TAddEditCommit>({TAddEditCommit::Added}) : QList<TAddEditCommit>());
    if (added) {
        QCOMPARE(FStore->Screens().last(), screen);
        QCOMPARE(screen->Name, name);
        QCOMPARE(screen->Address, address);
    }
}

void TestAddEditForm::closeChecksNameAndAddress_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("message");
    QTest::newRow("no name") << ""
                             << "10.0.0.1" << 45;
    QTest::newRow("no address") << "Hall"
                                << "" << 46;
    QTest::newRow("neither") << ""
                             << "" << 45;
    QTest::newRow("spaces count as given") << " "
                                           << " " << 0;
}

void TestAddEditForm::closeChecksNameAndAddress()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(int, message);
    ConsoleSettings().OPNotConnectedWarning = true;
    OpenAdd();
    FForm->NameEdit->setText(name);
    FForm->AddrEdit->setText(address);
    QTest::keyClick(FForm, Qt::Key_Return);
    if (message) {
        QCOMPARE(ShownTexts(), QStringList({MessageText(message)}));
        QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Error);
        QVERIFY(FForm->isVisible());
        QCOMPARE(FForm->NameEdit->text(), name);
        QTest::keyClick(FForm, Qt::Key_Escape);
        QCOMPARE(FForm->result(), int(QDialog::Rejected));
    } else {
        QVERIFY(ShownTexts().isEmpty());
        QCOMPARE(FForm->result(), int(QDialog::Accepted));
    }
    QVERIFY(!FForm->isVisible());
    QVERIFY(!FForm->DialogActive());
    QVERIFY(!FForm->ApplyButton->isEnabled());
    FForm->FinishAdd(FForm->result());
}

void TestAddEditForm::notConnectedWarningCanBeSilenced()
{
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"));
    OpenEdit(screen);
    MessageSeam::QueueAnswer(mrOk, true);
    FForm->SaveButtonClick();
    QCOMPARE(ShownTexts(), QStringList({MessageText(68)}));
    QVERIFY(MessageSeam::Shown().first().WithCheck);
    QVERIFY(ConsoleSettings().OPNotConnectedWarning);
    FForm->FinishEdit(FForm->result());
    QCOMPARE(FCommits, QList<TAddEditCommit>({TAddEditCommit::Edited}));
    QCOMPARE(FRefreshes, 1);

    MessageSeam::ClearShown();
    OpenEdit(screen);
    FForm->SaveButtonClick();
    QVERIFY(ShownTexts().isEmpty());
    FForm->FinishEdit(FForm->result());
}

void TestAddEditForm::addRunsModallyAndStoresTheScreen()
{
    ConsoleSettings().OPNotConnectedWarning = true;
    QTimer::singleShot(0, FForm, [this] {
        FForm->NameEdit->setText(QStringLiteral("Hall"));
        FForm->AddrEdit->setText(QStringLiteral("10.0.0.1"));
        FForm->SaveButtonClick();
    });
    FForm->AddButtonClick();
    QCOMPARE(FStore->Count(), 1);
    QCOMPARE(FStore->At(0)->Name, QStringLiteral("Hall"));
    QCOMPARE(FCommits, QList<TAddEditCommit>({TAddEditCommit::Added}));
    QCOMPARE(FRefreshes, 1);

    // Cancelled: nothing stored, nothing committed.
    QTimer::singleShot(0, FForm, [this] { FForm->CancelButtonClick(); });
    FForm->AddButtonClick();
    QCOMPARE(FStore->Count(), 1);
    QCOMPARE(FCommits.size(), 1);
}

void TestAddEditForm::newScreenStartsFromDefaults()
{
    TVLScreenClass *connected = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"));
    connected->PlayState = psNoMedia;
    connected->VideoRenderer = 3;
    connected->AudioDevices = QStringList({QStringLiteral("Speakers"), QStringLiteral("HDMI")});
    connected->AudioDevice = QStringLiteral("HDMI");
    connected->SetPassword(QStringLiteral("secret"));
    OpenEdit(connected);
    QVERIFY(!FForm->PasswordEdit->isEnabled());
    QVERIFY(!FForm->AddrEdit->isEnabled());
    QVERIFY(!FForm->PortEdit->isEnabled());
    QCOMPARE(FForm->AudioDeviceCB->currentText(), QStringLiteral("HDMI"));
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());

    FForm->BeginAdd();
    FForm->show();
    // Filling and showing alone do not count as edits.
    QVERIFY(!FForm->ApplyButton->isEnabled());
    QVERIFY(!FForm->SaveButton->isEnabled());
    QVERIFY(FForm->PasswordEdit->isEnabled());
    QVERIFY(FForm->AddrEdit->isEnabled());
    QCOMPARE(FForm->PasswordEdit->text(), QString());
    QCOMPARE(FForm->VideoRendererCB->currentIndex(), 7);
    QCOMPARE(FForm->AudioDeviceCB->count(), 0);
    QCOMPARE(FForm->PortEdit->text(), QStringLiteral("4769"));
    QCOMPARE(FForm->PlaylistModeCB->currentIndex(), 2);
    QCOMPARE(FForm->MonitorCB->count(), 1);
    QCOMPARE(FForm->CustomWidthEdit->text(), QStringLiteral("1920"));
    QVERIFY(FForm->SchedulePauseCBox->isChecked());
    QVERIFY(!FForm->ScheduleHideScreenCBox->isChecked());
    QVERIFY(FForm->DisableOSDCBox->isChecked() && FForm->DisablePartsCBox->isChecked());
    QVERIFY(FForm->DisableOSDCBox->isHidden() && FForm->DisablePartsCBox->isHidden());
    FForm->FormActivate();
    FForm->NameEdit->setText(QStringLiteral("N"));
    QVERIFY(FForm->ApplyButton->isEnabled());
    FForm->CancelButtonClick();
    FForm->FinishAdd(FForm->result());
}

void TestAddEditForm::editFillsControlsAndCommits()
{
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 5000,
                                       QStringLiteral("0,0,1920,1080|1920,0,1920,1080"));
    screen->Monitor = 3;
    screen->Tags = QStringList({QStringLiteral("Zone 4"), QStringLiteral("Section 20")});
    screen->AudioDevices = QStringList({QStringLiteral("A"), QStringLiteral("B")});
    screen->AudioDevice = QStringLiteral("b"); // no exact match: none chosen
    const QString longName = QString(40, QLatin1Char('n'));
    screen->Name = longName;
    OpenEdit(screen);
    QCOMPARE(FForm->NameEdit->text(), longName);
    QCOMPARE(FForm->PortEdit->text(), QStringLiteral("5000"));
    QCOMPARE(FForm->TagsEdit->text(), QStringLiteral("Zone 4, Section 20"));
    QCOMPARE(FForm->MonitorCB->count(), 3);
    QCOMPARE(FForm->MonitorCB->currentIndex(), 0);
    QCOMPARE(screen->Monitor, 0);
    QCOMPARE(FForm->AudioDeviceCB->currentIndex(), -1);

    FForm->TagsEdit->setText(QStringLiteral("a,,b, "));
    MessageSeam::QueueAnswer(mrOk, false); // audio change warning
    MessageSeam::QueueAnswer(mrOk, false); // not connected
    FForm->AudioDeviceCB->setCurrentIndex(1);
    FForm->SaveButtonClick();
    QCOMPARE(ShownTexts(), QStringList({MessageText(83), MessageText(68)}));
    FForm->FinishEdit(FForm->result());
    QCOMPARE(screen->Tags,
             QStringList({QStringLiteral("a"), QString(), QStringLiteral("b"), QString()}));
    QCOMPARE(screen->AudioDevice, QStringLiteral("B"));
    QCOMPARE(screen->Name, longName);
    QCOMPARE(screen->Port, 5000);
}

void TestAddEditForm::commitFallbacks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("port not a number") << "PortEdit"
                                       << "4x" << 4769;
    QTest::newRow("port out of range kept") << "PortEdit"
                                            << "70000" << 70000;
    QTest::newRow("empty x") << "CustomXOfsEdit"
                             << "" << 0;
    QTest::newRow("negative y") << "CustomYOfsEdit"
                                << "-1080" << -1080;
    QTest::newRow("misplaced minus") << "CustomYOfsEdit"
                                     << "10-" << 0;
    QTest::newRow("empty width") << "CustomWidthEdit"
                                 << "" << 1920;
    QTest::newRow("lone minus height") << "CustomHeightEdit"
                                       << "-" << 1080;
    QTest::newRow("empty delay") << "SlideshowDelayEdit"
                                 << "" << 0;
}

void TestAddEditForm::commitFallbacks()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, expected);
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"));
    screen->Layout = 1;
    screen->CustomXOfs = screen->CustomYOfs = 7;
    screen->SlideshowDelay = 9;
    OpenEdit(screen);
    const QMap<QString, QLineEdit *> fields = {
        {QStringLiteral("PortEdit"), FForm->PortEdit},
        {QStringLiteral("CustomXOfsEdit"), FForm->CustomXOfsEdit},
        {QStringLiteral("CustomYOfsEdit"), FForm->CustomYOfsEdit},
        {QStringLiteral("CustomWidthEdit"), FForm->CustomWidthEdit},
        {QStringLiteral("CustomHeightEdit"), FForm->CustomHeightEdit},
        {QStringLiteral("SlideshowDelayEdit"), FForm->SlideshowDelayEdit}};
    fields.value(field)->setText(text);
    FForm->ApplyButtonClick();
    const QMap<QString, int> stored = {
        {QStringLiteral("PortEdit"), screen->Port},
        {QStringLiteral("CustomXOfsEdit"), screen->CustomXOfs},
        {QStringLiteral("CustomYOfsEdit"), screen->CustomYOfs},
        {QStringLiteral("CustomWidthEdit"), screen->CustomWidth},
        {QStringLiteral("CustomHeightEdit"), screen->CustomHeight},
        {QStringLiteral("SlideshowDelayEdit"), screen->SlideshowDelay}};
    QCOMPARE(stored.value(field), expected);
    // Apply on a stored screen saves it but leaves the dialog open.
    QCOMPARE(FCommits, QList<TAddEditCommit>({TAddEditCommit::Applied}));
    QVERIFY(FForm->isVisible());
    QVERIFY(!FForm->ApplyButton->isEnabled());
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());
}

void TestAddEditForm::fakeLayoutReplacesMonitorsWithWall()
{
    ConsoleSettings().OPFakeLayout = 2;
    ConsoleSettings().OPNotConnectedWarning = true;
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4769,
                                       QStringLiteral("0,0,800,600"));
    OpenEdit(screen);
    QCOMPARE(FForm->MonitorCB->count(), 7);
    FForm->SaveButtonClick();
    FForm->FinishEdit(FForm->result());
    QCOMPARE(MonitorListText(screen->MonitorList), PresetWallText(2));
    QCOMPARE(screen->MonitorList.size(), 6);
}

void TestAddEditForm::layoutAndScreenModeRules()
{
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4769,
                                       QStringLiteral("0,0,1920,1080|1920,0,1920,1080"));
    screen->Layout = 1;
    screen->ScreenMode = 1;
    OpenEdit(screen);
    QVERIFY(FForm->CustomXOfsEdit->isVisible() && FForm->CustomXOfsEdit->isEnabled());
    QVERIFY(!FForm->MonitorCB->isVisible());
    QVERIFY(FForm->ScreenModeCB->isEnabled());

    FForm->LayoutCB->setCurrentIndex(2);
    QCOMPARE(FForm->CustomXOfsEdit->text(), QStringLiteral("0"));
    QCOMPARE(FForm->CustomYOfsEdit->text(), QStringLiteral("0"));
    QCOMPARE(FForm->CustomWidthEdit->text(), QStringLiteral("3840"));
    QCOMPARE(FForm->CustomHeightEdit->text(), QStringLiteral("1080"));
    QVERIFY(FForm->CustomXOfsEdit->isVisible() && !FForm->CustomXOfsEdit->isEnabled());
    QCOMPARE(FForm->ScreenModeCB->currentIndex(), 1);

    FForm->LayoutCB->setCurrentIndex(0);
    QCOMPARE(FForm->ScreenModeCB->currentIndex(), 0);
    QVERIFY(!FForm->ScreenModeCB->isEnabled());
    QVERIFY(FForm->MonitorCB->isVisible() && FForm->MonitorLabel->isVisible());
    QVERIFY(!FForm->CustomXOfsEdit->isVisible());

    FForm->LayoutCB->setCurrentIndex(1);
    FForm->ScreenModeCB->setCurrentIndex(2);
    QVERIFY(!FForm->LayoutCB->isVisible() && !FForm->LayoutLabel->isVisible());
    QVERIFY(!FForm->CustomXOfsEdit->isVisible() && !FForm->CustomXOfsLabel->isVisible());
    QVERIFY(!FForm->MonitorCB->isVisible());
    // A change of the playlist mode runs the layout rule but keeps them hidden.
    FForm->PlaylistModeCB->setCurrentIndex(5);
    QVERIFY(!FForm->LayoutCB->isVisible());
    QVERIFY(!FForm->CustomXOfsEdit->isVisible());
    QVERIFY(!FForm->MonitorCB->isVisible());

    FForm->ScreenModeCB->setCurrentIndex(0);
    QVERIFY(FForm->LayoutCB->isVisible() && FForm->CustomXOfsEdit->isVisible());
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());
}

void TestAddEditForm::addressAdoptsAnotherScreensMonitors()
{
    const QString own = QStringLiteral("0,0,1280,1024");
    const QString other = QStringLiteral("0,0,1920,1080|1920,0,1920,1080");
    AddStored(QStringLiteral("Empty"), QStringLiteral("10.0.0.9"));
    AddStored(QStringLiteral("Wall"), QStringLiteral("10.0.0.9"), 4770, other);
    TVLScreenClass *screen =
        AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4769, own);
    screen->Monitor = 1;

    OpenEdit(screen);
    FForm->AddrEdit->setText(QStringLiteral("10.0.0.1"));
    QCOMPARE(MonitorListText(FForm->Monitors()), own);
    QCOMPARE(FForm->MonitorCB->currentIndex(), 1);
    FForm->AddrEdit->setText(QStringLiteral("10.0.0.9"));
    QCOMPARE(MonitorListText(FForm->Monitors()), other);
    QCOMPARE(FForm->MonitorCB->count(), 3);
    QCOMPARE(FForm->MonitorCB->currentIndex(), 0);
    // Cancelled: the screen keeps the monitors it reported.
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());
    QCOMPARE(MonitorListText(screen->MonitorList), own);
    QCOMPARE(screen->Address, QStringLiteral("10.0.0.1"));

    ConsoleSettings().OPNotConnectedWarning = true;
    OpenEdit(screen);
    FForm->AddrEdit->setText(QStringLiteral("10.0.0.9"));
    FForm->SaveButtonClick();
    FForm->FinishEdit(FForm->result());
    QCOMPARE(MonitorListText(screen->MonitorList), other);
    QCOMPARE(screen->Monitor, 0);
}

void TestAddEditForm::lateEffectWarnings_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("message");
    QTest::newRow("audio device") << 0 << 83;
    QTest::newRow("renderer") << 1 << 83;
    QTest::newRow("hide screen") << 2 << 84;
}

void TestAddEditForm::lateEffectWarnings()
{
    QFETCH(int, control);
    QFETCH(int, message);
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"));
    screen->AudioDevices =
        QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    OpenEdit(screen);
    QVERIFY(ShownTexts().isEmpty());
    bool *flags[] = {&ConsoleSettings().OPAudioChangeWarning,
                     &ConsoleSettings().OPVideoChangeWarning,
                     &ConsoleSettings().OPHideScreenWarning};
    const auto change = [this, control](int step) {
        if (control == 0)
            FForm->AudioDeviceCB->setCurrentIndex(step % 3);
        else if (control == 1)
            FForm->VideoRendererCB->setCurrentIndex(step % 9);
        else
            FForm->ScheduleHideScreenCBox->setChecked(step % 2 == 1);
    };
    MessageSeam::QueueAnswer(mrOk, false);
    change(1);
    QCOMPARE(ShownTexts(), QStringList({MessageText(message)}));
    QVERIFY(MessageSeam::Shown().first().WithCheck);
    QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Warning);
    QVERIFY(!*flags[control]);
    QVERIFY(FForm->ApplyButton->isEnabled());
    if (control == 2) {
        // Unchecking does not warn.
        change(2);
        QCOMPARE(MessageSeam::Shown().size(), 1);
    }
    MessageSeam::QueueAnswer(mrOk, true);
    change(3);
    QCOMPARE(MessageSeam::Shown().size(), 2);
    QVERIFY(*flags[control]);
    if (control == 2)
        change(4);
    change(5);
    QCOMPARE(MessageSeam::Shown().size(), 2);
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());
}

void TestAddEditForm::duplicateAsksForAName()
{
    TVLScreenClass *source = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4800,
                                       QStringLiteral("0,0,800,600"));
    source->SetPassword(QStringLiteral("pw"));
    source->VideoRenderer = 2;
    source->Tags = QStringList({QStringLiteral("Zone 4")});

    MessageSeam::QueueInput(false);
    FForm->DuplicateButtonClick(source);
    QCOMPARE(FStore->Count(), 1);
    QCOMPARE(MessageSeam::Shown().size(), 1);
    QVERIFY(MessageSeam::Shown().first().IsInput);
    QCOMPARE(MessageSeam::Shown().first().Caption, MessageText(59));

    MessageSeam::QueueInput(true, QStringLiteral("Hall"));
    FForm->DuplicateButtonClick(source);
    QCOMPARE(FStore->Count(), 2);
    TVLScreenClass *copy = FStore->At(1);
    QCOMPARE(copy->Name, QStringLiteral("Hall"));
    QCOMPARE(copy->Port, 4800);
    QCOMPARE(copy->Password(), QStringLiteral("pw"));
    QCOMPARE(copy->Tags, source->Tags);
    QCOMPARE(copy->VideoRenderer, 7);
    QVERIFY(copy->MonitorList.isEmpty());
    QCOMPARE(FCommits, QList<TAddEditCommit>({TAddEditCommit::Duplicated}));
    QCOMPARE(FRefreshes, 1);
}

void TestAddEditForm::withoutSelectionAsksToSelect()
{
    FForm->EditButtonClick(nullptr);
    FForm->DuplicateButtonClick(nullptr);
    QCOMPARE(ShownTexts(), QStringList({MessageText(6), MessageText(6)}));
    QCOMPARE(MessageSeam::Shown().first().Type, TDialogType::Error);
    QVERIFY(!FForm->isVisible());
    QCOMPARE(FStore->Count(), 0);
}

void TestAddEditForm::dragMovesTheWindow_data()
{
    QTest::addColumn<int>("ratio");
    for (const int ratio : MotionRatios())
        QTest::newRow(qPrintable(QStringLiteral("1:%1").arg(ratio))) << ratio;
}

void TestAddEditForm::dragMovesTheWindow()
{
    QFETCH(int, ratio);
    ConsoleSettings().OPLayoutMotionScale = ratio;
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4769,
                                       QStringLiteral("0,0,1920,1080|1920,0,1920,1080"));
    screen->Monitor = 2;
    OpenEdit(screen);
    const QImage before = FForm->LayoutImage->Picture();
    const QPoint press(100, 100);

    // Only a plain left press starts a drag.
    FForm->LayoutImageMouseDown(press, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    FForm->LayoutImageMouseDown(press, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QVERIFY(!FForm->Dragging());
    QCOMPARE(FForm->LayoutCB->currentIndex(), 0);

    FForm->LayoutImageMouseDown(press, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(FForm->Dragging());
    QCOMPARE(FForm->LayoutCB->currentIndex(), 1);
    QCOMPARE(FForm->CustomXOfsEdit->text(), QStringLiteral("1920"));
    QCOMPARE(FForm->CustomWidthEdit->text(), QStringLiteral("1920"));
    QVERIFY(FForm->CustomXOfsEdit->isEnabled());

    FForm->LayoutImageMouseMove(press + QPoint(10, 0), Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(FForm->CustomXOfsEdit->text(), QString::number(1920 + 10 * ratio));
    FForm->LayoutImageMouseMove(press + QPoint(20, -300), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(FForm->CustomXOfsEdit->text(), QString::number(1920 + 10 * ratio));
    QCOMPARE(FForm->CustomYOfsEdit->text(), QStringLiteral("0"));
    FForm->LayoutImageMouseMove(press + QPoint(30, -300), Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(FForm->CustomXOfsEdit->text(), QString::number(1920 + 30 * ratio));
    QCOMPARE(FForm->CustomYOfsEdit->text(), QString::number(-300 * ratio));
    QVERIFY(FForm->ApplyButton->isEnabled());
    QVERIFY(FForm->LayoutImage->Picture() != before);

    FForm->LayoutImageMouseUp();
    QVERIFY(!FForm->Dragging());
    FForm->LayoutImageMouseMove(press, Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(FForm->CustomXOfsEdit->text(), QString::number(1920 + 30 * ratio));
    FForm->ApplyButtonClick();
    QCOMPARE(screen->Layout, 1);
    QCOMPARE(screen->CustomYOfs, -300 * ratio);
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());
}

void TestAddEditForm::motionRatioMenuStoresTheRatio()
{
    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), 4769,
                                       QStringLiteral("0,0,1920,1080|1920,0,1920,1080"));
    OpenEdit(screen);
    const int scale = LayoutPreviewCurrentScale();
    QVERIFY(scale >= 2);
    QMenu menu;
    FForm->BuildMotionRatioMenu(&menu);
    FForm->BuildMotionRatioMenu(&menu); // rebuilt, not appended
    const QList<QAction *> actions = menu.actions();
    QCOMPARE(actions.size(), 8);
    QCOMPARE(actions.at(0)->text(), MessageText(85));
    QAction *current = nullptr;
    for (QAction *action : actions) {
        if (action->text().endsWith(QStringLiteral(" (") + MessageText(86) + QLatin1Char(')')))
            current = action;
    }
    QVERIFY(current);
    QVERIFY(current->text().startsWith(QStringLiteral("1:") + QString::number(scale)));
    QVERIFY(actions.at(5)->isChecked()); // 1:8, the default
    actions.at(7)->trigger();
    QCOMPARE(ConsoleSettings().OPLayoutMotionScale, 32);
    actions.at(0)->trigger();
    QCOMPARE(ConsoleSettings().OPLayoutMotionScale, 32);
    FForm->CancelButtonClick();
    FForm->FinishEdit(FForm->result());
}

void TestAddEditForm::keyFiltersCleanTypedAndPastedText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("address drops double quotes") << "AddrEdit"
                                                 << "pc\"1\""
                                                 << "pc1";
    QTest::newRow("tags drop vertical bars") << "TagsEdit"
                                             << "Zone|4, A|B"
                                             << "Zone4, AB";
    QTest::newRow("delay takes digits only") << "SlideshowDelayEdit"
                                             << "1a2-34"
                                             << "1234";
    QTest::newRow("delay at most 6") << "SlideshowDelayEdit"
                                     << "12345678"
                                     << "123456";
    QTest::newRow("offset takes digits and minus") << "CustomXOfsEdit"
                                                   << "-1x2.5"
                                                   << "-125";
    QTest::newRow("port unfiltered, at most 5") << "PortEdit"
                                                << "ab12345"
                                                << "ab123";
    QTest::newRow("name at most 32")
        << "NameEdit" << QString(40, QLatin1Char('x')) << QString(32, QLatin1Char('x'));
}

void TestAddEditForm::keyFiltersCleanTypedAndPastedText()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    OpenAdd();
    FForm->LayoutCB->setCurrentIndex(1);
    const QMap<QString, QLineEdit *> fields = {
        {QStringLiteral("AddrEdit"), FForm->AddrEdit},
        {QStringLiteral("TagsEdit"), FForm->TagsEdit},
        {QStringLiteral("SlideshowDelayEdit"), FForm->SlideshowDelayEdit},
        {QStringLiteral("CustomXOfsEdit"), FForm->CustomXOfsEdit},
        {QStringLiteral("PortEdit"), FForm->PortEdit},
        {QStringLiteral("NameEdit"), FForm->NameEdit}};
    QLineEdit *target = fields.value(field);

    target->clear();
    QTest::keyClicks(target, input);
    QCOMPARE(target->text(), expected);

    // Pasting goes through the same filter.
    target->clear();
    target->insert(input);
    QCOMPARE(target->text(), expected);
    FForm->CancelButtonClick();
    FForm->FinishAdd(FForm->result());
}

void TestAddEditForm::applyPushesToConnectedScreen()
{
    TFakePresenter presenter;
    QVERIFY(presenter.Server.isListening());
    QByteArray &received = presenter.Received;

    TVLScreenClass *screen = AddStored(QStringLiteral("Hall"), QStringLiteral("127.0.0.1"),
                                       presenter.Port(), QStringLiteral("0,0,1920,1080"));
    screen->PlayState = psConnecting;
    ConnectScreen(screen);
    QVERIFY(screen->IsConnected());
    QTRY_VERIFY_WITH_TIMEOUT(received.contains("6160 0,-1\r\n"), 5000);
    received.clear();

    OpenEdit(screen);
    QVERIFY(!FForm->AddrEdit->isEnabled() && !FForm->PasswordEdit->isEnabled());
    FForm->PlaylistModeCB->setCurrentIndex(5);
    FForm->LayoutCB->setCurrentIndex(1);
    FForm->CustomXOfsEdit->setText(QStringLiteral("-100"));
    FForm->ApplyButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(received.contains("6160 1,-100,0,1280,720\r\n"), 5000);
    const QList<QByteArray> lines = received.split('\n');
    QVERIFY(lines.contains("5110 exPlaylistMode,5\r"));
    QVERIFY(lines.contains("0110 1\r"));
    QVERIFY(received.indexOf("0110 1") < received.indexOf("6160 1,"));
    QCOMPARE(FCommits, QList<TAddEditCommit>({TAddEditCommit::Applied}));

    // Closing with OK sends the configuration again.
    received.clear();
    MessageSeam::ClearShown();
    FForm->SaveButtonClick();
    QVERIFY(ShownTexts().isEmpty()); // connected: no "not connected" warning
    FForm->FinishEdit(FForm->result());
    QTRY_VERIFY_WITH_TIMEOUT(received.contains("6160 1,-100,0,1280,720\r\n"), 5000);
    QVERIFY(received.contains("5110 exPlaylistMode,5\r\n"));
    DisconnectScreen(screen);
}

void TestAddEditForm::monitorBoundsNearTheIntegerLimit()
{
    // A presenter may report any 32-bit edges; the right and bottom edges must
    // not wrap round to negative values.
    MonitorRectList monitors;
    ParseMonitorList(QStringLiteral("2147483000,0,1920,1080|0,2147483000,1920,1080"), monitors);
    const TMonitorBounds bounds = MonitorBounds(monitors);
    QCOMPARE(bounds.Right, std::numeric_limits<qint32>::max());
    QCOMPARE(bounds.Bottom, std::numeric_limits<qint32>::max());
    QCOMPARE(bounds.Left, 0);
}

void TestAddEditForm::storedBoundsOffAllMonitorsStayReachable()
{
    TConsoleSettings &settings = ConsoleSettings();
    settings.AddEditLeft = -30000;
    settings.AddEditTop = -30000;
    settings.AddEditWidth = 898;
    settings.AddEditHeight = 521;
    FForm->ApplyStoredBounds();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(available.intersects(QRect(FForm->pos(), FForm->size())));
    QCOMPARE(FForm->size(), QSize(898, 521));
}

QTEST_MAIN(TestAddEditForm)
#include "tst_addeditform.moc"
