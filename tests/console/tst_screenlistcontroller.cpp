#include "ScreenFleet.h"
#include "console/TScreenListController.h"
#include "messages/MessageSeam.h"

#include <QSignalSpy>
#include <QTest>

// Drives the list logic through its hooks; connecting and disconnecting are
// recorded, not performed.
class TestScreenListController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionsFollowTheStore();
    void totalPCsRecountedWithoutRebuild_data();
    void totalPCsRecountedWithoutRebuild();
    void linkToggleKeepsTheSelectedRow();
    void linkModeSwitchesOffOnListChanges_data();
    void linkModeSwitchesOffOnListChanges();
    void filterChangeClearsSelectionAndEnablesClear();
    void connectAllStartsOnlyDisconnectedScreens();
    void disconnectAllAsksFirst_data();
    void disconnectAllAsksFirst();
    void deleteScreenNeedsSelectionAndConsent();
    void deleteAllRemovesOnlyShownScreens();
    void deleteAllOfEverythingShowsZeroScreens();

private:
    std::unique_ptr<TScreenListController> MakeList();

    std::unique_ptr<TScreenFleet> FFleet;
    QList<TVLScreenClass *> FConnected, FDisconnected;
    int FSaves = 0, FPanelRefreshes = 0, FPanelResets = 0;
};

void TestScreenListController::init()
{
    MessageSeam::Enable();
    FFleet = std::make_unique<TScreenFleet>();
    FFleet->Add(QStringLiteral("Hall"), QStringLiteral("PC1"), 4769, {QStringLiteral("Lobby")});
    FFleet->Add(QStringLiteral("Kiosk"), QStringLiteral("pc1"), 4770, {QStringLiteral("lobby")});
    FFleet->Add(QStringLiteral("Bar"), QStringLiteral("pc2"), 4769, {QStringLiteral("bar")});
    FConnected.clear();
    FDisconnected.clear();
    FSaves = FPanelRefreshes = FPanelResets = 0;
}

void TestScreenListController::cleanup()
{
    QCOMPARE(MessageSeam::PendingAnswers(), 0);
    MessageSeam::Disable();
    FFleet.reset();
}

std::unique_ptr<TScreenListController> TestScreenListController::MakeList()
{
    TScreenListHooks hooks;
    hooks.StoreScreens = [this] { return FFleet->Screens(); };
    hooks.RemoveFromStore = [this](TVLScreenClass *screen) { FFleet->Remove(screen); };
    hooks.StoreChanged = [this] { ++FSaves; };
    hooks.ConnectScreen = [this](TVLScreenClass *screen) { FConnected.append(screen); };
    hooks.DisconnectScreen = [this](TVLScreenClass *screen) {
        FDisconnected.append(screen);
        screen->PlayState = psDisconnected;
    };
    hooks.RefreshScreenPanel = [this] { ++FPanelRefreshes; };
    hooks.ResetScreenPanels = [this] { ++FPanelResets; };
    auto list = std::make_unique<TScreenListController>(hooks);
    list->RebuildScreenList();
    return list;
}

void TestScreenListController::captionsFollowTheStore()
{
    auto list = MakeList();
    QCOMPARE(list->TotalPCsCaption(), QStringLiteral("Total PCs (2)"));
    QCOMPARE(list->ScreensCaption(), QStringLiteral("Screens : 3"));
    list->SetFilterText(QStringLiteral("lob"));
    QCOMPARE(list->ScreensCaption(), QStringLiteral("Screens : 2"));
    // The PC count is over the whole store, not the shown rows.
    QCOMPARE(list->TotalPCsCaption(), QStringLiteral("Total PCs (2)"));
}

void TestScreenListController::totalPCsRecountedWithoutRebuild_data()
{
    // Store: Hall on PC1, Kiosk on pc1, Bar on pc2.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("expected");
    QTest::newRow("address moved to a new PC") << "edit"
                                               << "Kiosk"
                                               << "pc3" << 3;
    QTest::newRow("address moved onto a PC in other case") << "edit"
                                                           << "Bar"
                                                           << "Pc1" << 1;
    QTest::newRow("same address typed again") << "edit"
                                              << "Kiosk"
                                              << "pc1" << 2;
    QTest::newRow("screen added") << "add"
                                  << "New"
                                  << "10.0.0.9" << 3;
    QTest::newRow("screen released") << "remove"
                                     << "Bar"
                                     << "" << 1;
}

void TestScreenListController::totalPCsRecountedWithoutRebuild()
{
    QFETCH(QString, change);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(int, expected);
    auto list = MakeList();
    QSignalSpy captions(list.get(), &TScreenListController::CaptionsChanged);
    TVLScreenClass *screen = nullptr;
    for (TVLScreenClass *candidate : FFleet->Screens()) {
        if (candidate->Name == name)
            screen = candidate;
    }
    if (change == QLatin1String("edit"))
        screen->Address = QString(address.constData(), address.size());
    else if (change == QLatin1String("add"))
        FFleet->Add(name, address);
    else
        FFleet->Remove(screen);

    list->RefreshTotalPCs();
    QCOMPARE(list->TotalPCs(), expected);
    QCOMPARE(list->TotalPCsCaption(), QStringLiteral("Total PCs (%1)").arg(expected));
    QCOMPARE(captions.size(), expected == 2 ? 0 : 1);
    // Nothing changed since: no new count, no new caption.
    list->RefreshTotalPCs();
    QCOMPARE(captions.size(), expected == 2 ? 0 : 1);
}

void TestScreenListController::linkToggleKeepsTheSelectedRow()
{
    auto list = MakeList();
    list->MonitorListClick(2);
    QCOMPARE(list->SelectedScreen()->Name, QStringLiteral("Kiosk"));
    const int refreshes = FPanelRefreshes;

    list->ToggleLinkMode();
    QVERIFY(list->LinkMode());
    QCOMPARE(list->SelectedRow(), 2);
    QCOMPARE(FPanelResets, 1);
    QCOMPARE(FPanelRefreshes, refreshes + 1);
    list->ToggleLinkMode();
    QVERIFY(!list->LinkMode());
}

void TestScreenListController::linkModeSwitchesOffOnListChanges_data()
{
    QTest::addColumn<int>("event");
    QTest::addColumn<bool>("changesStore");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("filter typed") << 0 << false << -1;
    QTest::newRow("filter cleared") << 1 << false << -1;
    QTest::newRow("tag picked") << 2 << false << -1;
    QTest::newRow("screen deleted") << 3 << true << -1;
    QTest::newRow("all deleted") << 4 << true << -1;
    // The properties dialog switches it off directly; the toggle keeps the row.
    QTest::newRow("screen added or edited") << 5 << false << 0;
}

void TestScreenListController::linkModeSwitchesOffOnListChanges()
{
    QFETCH(int, event);
    QFETCH(bool, changesStore);
    QFETCH(int, selectedAfter);

    auto list = MakeList();
    if (event == 1)
        list->SetFilterText(QStringLiteral("b"));
    list->ToggleLinkMode();
    list->MonitorListClick(0);
    QVERIFY(list->LinkMode());

    switch (event) {
    case 0:
        list->SetFilterText(QStringLiteral("l"));
        break;
    case 1:
        list->ClearFilter();
        break;
    case 2:
        list->PickTag(QStringLiteral("bar"));
        QCOMPARE(list->FilterText(), QStringLiteral("bar"));
        break;
    case 3:
        MessageSeam::QueueAnswer(mrOk);
        list->DeleteSelectedScreen();
        break;
    case 4:
        MessageSeam::QueueAnswer(mrOk);
        list->DeleteAllScreens();
        break;
    case 5:
        list->SwitchLinkModeOff();
        break;
    }
    QVERIFY(!list->LinkMode());
    QCOMPARE(list->SelectedRow(), selectedAfter);
    QCOMPARE(FSaves, changesStore ? 1 : 0);
}

void TestScreenListController::filterChangeClearsSelectionAndEnablesClear()
{
    auto list = MakeList();
    QStringList texts;
    connect(list.get(), &TScreenListController::FilterTextChanged, this,
            [&texts](const QString &text) { texts.append(text); });
    list->MonitorListClick(1);
    list->SetFilterText(QStringLiteral("lob"));
    QCOMPARE(list->SelectedRow(), -1);
    QCOMPARE(FPanelResets, 1);
    list->ClearFilter();
    list->ClearFilter(); // already empty: nothing happens
    QCOMPARE(texts, (QStringList{QStringLiteral("lob"), QString()}));
    QCOMPARE(list->ShownCount(), 3);
}

void TestScreenListController::connectAllStartsOnlyDisconnectedScreens()
{
    auto list = MakeList();
    list->ShownScreens().at(1)->PlayState = psPlaying;

    MessageSeam::QueueAnswer(mrCancel);
    list->ConnectAll();
    QVERIFY(FConnected.isEmpty());

    MessageSeam::QueueAnswer(mrOk);
    list->ConnectAll();
    QCOMPARE(MessageSeam::Shown().last().Text, QStringLiteral("Connect to 3 screens?"));
    QCOMPARE(FConnected,
             (QList<TVLScreenClass *>{list->ShownScreens().at(0), list->ShownScreens().at(2)}));
    // Not set to connecting first, so nobody waits for these connections.
    QCOMPARE(list->ShownScreens().at(0)->PlayState, int(psDisconnected));
}

void TestScreenListController::disconnectAllAsksFirst_data()
{
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("disconnected");
    QTest::newRow("prompt, OK") << true << int(mrOk) << 2;
    QTest::newRow("prompt, Cancel") << true << int(mrCancel) << 0;
    QTest::newRow("no prompt at close") << false << int(mrNone) << 2;
}

void TestScreenListController::disconnectAllAsksFirst()
{
    QFETCH(bool, prompt);
    QFETCH(int, answer);
    QFETCH(int, disconnected);

    auto list = MakeList();
    list->ShownScreens().at(0)->PlayState = psConnecting;
    list->ShownScreens().at(2)->PlayState = psPaused;
    list->ShownScreens().at(2)->Volume = 60;
    if (prompt)
        MessageSeam::QueueAnswer(answer);

    list->DisconnectAll(prompt);
    QCOMPARE(MessageSeam::Shown().size(), prompt ? 1 : 0);
    if (prompt)
        QCOMPARE(MessageSeam::Shown().first().Text, QStringLiteral("Disconnect from 2 screens?"));
    QCOMPARE(FDisconnected.size(), disconnected);
    QCOMPARE(list->ShownScreens().at(2)->Volume, disconnected ? 0 : 60);

    // Nothing connected: no question at all.
    FDisconnected.clear();
    list->ShownScreens().at(0)->PlayState = psDisconnected;
    list->ShownScreens().at(2)->PlayState = psDisconnected;
    MessageSeam::ClearShown();
    list->DisconnectAll(true);
    QVERIFY(MessageSeam::Shown().isEmpty());
    QVERIFY(FDisconnected.isEmpty());
}

void TestScreenListController::deleteScreenNeedsSelectionAndConsent()
{
    auto list = MakeList();
    list->DeleteSelectedScreen();
    QCOMPARE(MessageSeam::Shown().last().Text, QStringLiteral("Please select a screen"));
    QCOMPARE(MessageSeam::Shown().last().Type, TDialogType::Error);

    list->MonitorListClick(0);
    MessageSeam::QueueAnswer(mrCancel);
    list->DeleteSelectedScreen();
    QCOMPARE(MessageSeam::Shown().last().Text, QStringLiteral("Remove Screen \"Bar\" ?"));
    QCOMPARE(FFleet->Screens().size(), 3);
    QCOMPARE(FSaves, 0);

    MessageSeam::QueueAnswer(mrOk);
    list->DeleteSelectedScreen();
    QCOMPARE(FFleet->Screens().size(), 2);
    QCOMPARE(list->ShownCount(), 2);
    QCOMPARE(list->SelectedRow(), -1);
    QCOMPARE(list->TotalPCsCaption(), QStringLiteral("Total PCs (1)"));
    QCOMPARE(FSaves, 1);
}

void TestScreenListController::deleteAllRemovesOnlyShownScreens()
{
    for (int i = 0; i < 17; ++i)
        FFleet->Add(QStringLiteral("Wall %1").arg(i, 2, 10, QLatin1Char('0')),
                    QStringLiteral("10.1.0.%1").arg(i), 5000, {QStringLiteral("lobby-wall")});
    auto list = MakeList();
    list->SetFilterText(QStringLiteral("lob"));
    QCOMPARE(list->ShownCount(), 19);

    MessageSeam::QueueAnswer(mrOk);
    list->DeleteAllScreens();
    const QString text = MessageSeam::Shown().last().Text;
    QVERIFY2(text.startsWith(QStringLiteral("This action will delete (19) screen(s):\r\n\r\n"
                                            "Hall\t (PC1:4769)\r\nKiosk\t (pc1:4770)\r\n"
                                            "Wall 00\t (10.1.0.0:5000)\r\n")),
             qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("Wall 13\t (10.1.0.13:5000)\r\n...\r\n\r\n"
                                          "Are you sure?")),
             qPrintable(text));
    QCOMPARE(FFleet->Screens().size(), 1);
    QCOMPARE(FFleet->Screens().first()->Name, QStringLiteral("Bar"));
    QCOMPARE(list->ShownCount(), 0);
    QCOMPARE(FSaves, 1);
}

void TestScreenListController::deleteAllOfEverythingShowsZeroScreens()
{
    auto list = MakeList();
    MessageSeam::QueueAnswer(mrOk);
    list->DeleteAllScreens();
    QVERIFY(FFleet->Screens().isEmpty());
    QCOMPARE(list->ScreensCaption(), QStringLiteral("Screens : 0"));
    QCOMPARE(list->TotalPCsCaption(), QStringLiteral("Total PCs (0)"));

    MessageSeam::ClearShown();
    list->DeleteAllScreens();
    QCOMPARE(MessageSeam::Shown().last().Text, QStringLiteral("Please select a screen"));
}

QTEST_MAIN(TestScreenListController)
#include "tst_screenlistcontroller.moc"
