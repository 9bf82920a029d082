// The main window against simulated presenters on loopback: connect from the
// window, the panel filled by the screen's replies, and the shutdown order.
#include "SimulatorProcess.h"
#include "TemporaryProfile.h"
#include "app/TMainForm.h"
#include "console/TScreenListController.h"
#include "link/TVLScreenClass.h"
#include "messages/MessageSeam.h"
#include "store/TConsoleSettings.h"
#include "store/TScreenStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestMainFormLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void connectFillsPanelAndCloseDisconnects();

private:
    std::unique_ptr<TMainForm> NewForm();
    TVLScreenClass *Find(TMainForm &form, const QString &name);

    std::unique_ptr<TTemporaryProfile> FProfile;
    std::unique_ptr<TSimProcess> FSim;
};

void TestMainFormLink::init()
{
    if (qEnvironmentVariableIsEmpty("ORVANE_SIM"))
        QSKIP("ORVANE_SIM does not name the presenter simulator");
    FSim = std::make_unique<TSimProcess>();
    QVERIFY(FSim->Start(2));

    FProfile = std::make_unique<TTemporaryProfile>();
    MessageSeam::Enable();
    TScreenStore store;
    for (int i = 0; i < 2; ++i) {
        auto *screen = new TVLScreenClass;
        screen->Name = i == 0 ? QStringLiteral("Shown") : QStringLiteral("Hidden");
        screen->Address = QStringLiteral("127.0.0.1");
        screen->Port = FSim->Port + i;
        screen->Tags = {i == 0 ? QStringLiteral("Lobby") : QStringLiteral("Hall")};
        store.Append(screen);
    }
    QVERIFY(store.SaveStore());
    ConsoleSettings() = TConsoleSettings();
}

void TestMainFormLink::cleanup()
{
    MessageSeam::Disable();
    FSim.reset();
    FProfile.reset();
}

std::unique_ptr<TMainForm> TestMainFormLink::NewForm()
{
    TMainFormFolders folders;
    folders.ProgramFolder = folders.DataFolder = FProfile->Folder();
    return std::make_unique<TMainForm>(folders);
}

TVLScreenClass *TestMainFormLink::Find(TMainForm &form, const QString &name)
{
    for (TVLScreenClass *screen : form.StoreScreens())
        if (screen->Name == name)
            return screen;
    return nullptr;
}

void TestMainFormLink::connectFillsPanelAndCloseDisconnects()
{
    {
        auto form = NewForm();
        const TMainFormControls &c = form->Controls();
        TVLScreenClass *shown = Find(*form, QStringLiteral("Shown"));
        TVLScreenClass *hidden = Find(*form, QStringLiteral("Hidden"));
        QVERIFY(shown && hidden);

        form->ScreenList().MonitorListClick(form->ScreenList().Model()->RowOf(hidden));
        form->ConnectButtonClick();
        QTRY_VERIFY_WITH_TIMEOUT(hidden->IsConnected(), 10000);

        form->ScreenList().SetFilterText(QStringLiteral("lob"));
        QCOMPARE(form->ScreenList().ShownCount(), 1);
        form->ScreenList().MonitorListClick(0);
        QCOMPARE(form->SelectedScreen(), shown);
        form->ConnectButtonClick();
        QTRY_VERIFY_WITH_TIMEOUT(shown->IsConnected(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(shown->SysTimeSynched, 10000);
        form->RefreshScreenPanel();
        QCOMPARE(c.ConnectButton->text(), QStringLiteral("Disconnect"));
        QVERIFY(c.StopButton->isEnabled());
        QVERIFY(c.SchedEditButton->isEnabled());
        QVERIFY(!c.SysTimeLabel->text().isEmpty());

        // Shutdown: the shown screen is disconnected, the hidden one closed on release.
        QPointer<TVLScreenClass> watchedShown(shown), watchedHidden(hidden);
        form->FormClose();
        QVERIFY(watchedShown.isNull() && watchedHidden.isNull());
        QCOMPARE(form->Store().Count(), 0);
    }

    // The clock difference was kept: before any connection the panel shows the estimate.
    auto form = NewForm();
    TVLScreenClass *shown = Find(*form, QStringLiteral("Shown"));
    QVERIFY(shown && shown->SysTimeSynched);
    QCOMPARE(shown->PlayState, -1);
    form->ScreenList().MonitorListClick(form->ScreenList().Model()->RowOf(shown));
    QVERIFY(!form->Controls().SysTimeLabel->text().isEmpty());
    QVERIFY(!form->Controls().SysTimeLabel->isEnabled());
}

QTEST_MAIN(TestMainFormLink)
#include "tst_mainform_link.moc"
