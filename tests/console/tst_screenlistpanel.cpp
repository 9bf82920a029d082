#include "ScreenFleet.h"
#include "console/ScreenListPanel.h"
#include "console/ScreenRowPainter.h"
#include "messages/MessageSeam.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// The panel's widgets reach the list logic and show its state.
class TestScreenListPanel : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageSeam::Enable(); }
    void cleanup()
    {
        QCOMPARE(MessageSeam::PendingAnswers(), 0);
        MessageSeam::Disable();
    }
    void widgetsDriveTheList();
};

void TestScreenListPanel::widgetsDriveTheList()
{
    TScreenFleet fleet;
    fleet.Add(QStringLiteral("Hall"), QStringLiteral("pc1"), 4769, {QStringLiteral("Lobby")});
    fleet.Add(QStringLiteral("Bar"), QStringLiteral("pc2"), 4769, {QStringLiteral("bar")});
    int refreshes = 0;
    TScreenListHooks hooks;
    hooks.StoreScreens = [&fleet] { return fleet.Screens(); };
    hooks.RemoveFromStore = [&fleet](TVLScreenClass *screen) { fleet.Remove(screen); };
    hooks.RefreshScreenPanel = [&refreshes] { ++refreshes; };
    TScreenListPanel panel(hooks);
    TScreenListController &list = panel.Controller();
    list.RebuildScreenList();
    panel.resize(240, 600);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.LabelScreens()->text(), QStringLiteral("Total PCs (2)"));
    QCOMPARE(panel.LabelTAGScreens()->text(), QStringLiteral("Screens : 2"));

    // Clicking a row selects it and refreshes the panels.
    QListView *view = panel.MonitorList();
    const QRect second = view->visualRect(list.Model()->index(1));
    QCOMPARE(second.height(), ScreenRowPainter::RowHeight(view->font(), nullptr));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(list.SelectedScreen()->Name, QStringLiteral("Hall"));
    QCOMPARE(refreshes, 1);

    // The link button colours the list; typing a filter switches it off again.
    panel.LinkScreenButton()->click();
    QVERIFY(list.LinkMode());
    QCOMPARE(view->palette().color(QPalette::Base), QColor(0xE0, 0xFF, 0xE0));
    QCOMPARE(view->selectionModel()->currentIndex().row(), 1);
    QVERIFY(!panel.ClearSearchButton()->isEnabled());
    QTest::keyClicks(panel.TAGSearchEdit(), QStringLiteral("lob"));
    QVERIFY(!list.LinkMode());
    QCOMPARE(view->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(list.ShownCount(), 1);
    QVERIFY(panel.ClearSearchButton()->isEnabled());
    QVERIFY(!view->selectionModel()->hasSelection());

    // Escape in the filter field changes nothing; the clear button empties it.
    QTest::keyClick(panel.TAGSearchEdit(), Qt::Key_Escape);
    QCOMPARE(panel.TAGSearchEdit()->text(), QStringLiteral("lob"));
    panel.ClearSearchButton()->click();
    QCOMPARE(panel.TAGSearchEdit()->text(), QString());
    QCOMPARE(list.ShownCount(), 2);

    // The TAG menu offers the store's TAGs; picking one fills the filter.
    panel.RebuildTAGPopupMenu();
    QCOMPARE(panel.TAGPopupMenu()->actions().size(), 2);
    panel.TAGPopupMenu()->actions().first()->trigger();
    QCOMPARE(panel.TAGSearchEdit()->text(), QStringLiteral("bar"));

    // The Delete key in the list deletes the selected screen, after the prompt.
    list.MonitorListClick(0);
    MessageSeam::QueueAnswer(mrOk);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(fleet.Screens().size(), 1);
    QCOMPARE(panel.LabelTAGScreens()->text(), QStringLiteral("Screens : 0"));
}

QTEST_MAIN(TestScreenListPanel)
#include "tst_screenlistpanel.moc"
