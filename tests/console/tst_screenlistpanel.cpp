#include "ScreenFleet.h"
#include "console/ScreenListPanel.h"
#include "console/ScreenRowPainter.h"
#include "messages/MessageSeam.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
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
    void clicksThatWouldDeselectKeepTheRow_data();
    void clicksThatWouldDeselectKeepTheRow();
    void selectionLostInTheViewResetsThePanels();
    void rowsFollowTheViewportWidth();
};

namespace {

// A panel on a store of its own, shown offscreen, counting the panel refreshes
// and resets it asks of the window.
struct TShownPanel
{
    explicit TShownPanel(int screens)
    {
        for (int i = 0; i < screens; ++i)
            fleet.Add(QStringLiteral("Screen %1").arg(i, 2, 10, QLatin1Char('0')),
                      QStringLiteral("pc%1").arg(i));
        TScreenListHooks hooks;
        hooks.StoreScreens = [this] { return fleet.Screens(); };
        hooks.RefreshScreenPanel = [this] { ++refreshes; };
        hooks.ResetScreenPanels = [this] { ++resets; };
        panel = std::make_unique<TScreenListPanel>(hooks);
        panel->Controller().RebuildScreenList();
        panel->resize(240, 600);
        panel->show();
    }

    QListView *View() const { return panel->MonitorList(); }
    QRect RowRect(int row) const
    {
        return View()->visualRect(panel->Controller().Model()->index(row));
    }

    TScreenFleet fleet;
    std::unique_ptr<TScreenListPanel> panel;
    int refreshes = 0;
    int resets = 0;
};

// Horizontal middle of the dark pixels of the name line of `row`.
double NameCentre(QListView *view, const QRect &row)
{
    const QImage image = view->viewport()->grab().toImage();
    const int top = row.top() + ScreenRowPainter::DefaultPictureHeight + 8;
    const int bottom = qMin(top + QFontMetrics(view->font()).height(), image.height());
    int left = image.width(), right = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    return right < 0 ? -1.0 : (left + right) / 2.0;
}

} // namespace

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

void TestScreenListPanel::clicksThatWouldDeselectKeepTheRow_data()
{
    QTest::addColumn<bool>("belowTheRows");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("click below the rows") << true << Qt::KeyboardModifiers();
    QTest::newRow("Ctrl+click below the rows")
        << true << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Ctrl+click on the selected row")
        << false << Qt::KeyboardModifiers(Qt::ControlModifier);
}

void TestScreenListPanel::clicksThatWouldDeselectKeepTheRow()
{
    QFETCH(bool, belowTheRows);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    TShownPanel shown(3);
    QVERIFY(QTest::qWaitForWindowExposed(shown.panel.get()));
    QWidget *viewport = shown.View()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, shown.RowRect(1).center());
    QCOMPARE(shown.panel->Controller().SelectedRow(), 1);

    const QPoint at = belowTheRows
                          ? QPoint(shown.RowRect(2).center().x(), shown.RowRect(2).bottom() + 40)
                          : shown.RowRect(1).center();
    QVERIFY(viewport->rect().contains(at));
    QTest::mouseClick(viewport, Qt::LeftButton, modifiers, at);
    QCOMPARE(shown.panel->Controller().SelectedRow(), 1);
    QCOMPARE(shown.View()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(shown.View()->selectionModel()->selectedRows().first().row(), 1);
    QCOMPARE(shown.resets, 0);

    // Ctrl+click on another row still moves the selection there.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, shown.RowRect(0).center());
    QCOMPARE(shown.panel->Controller().SelectedRow(), 0);
}

void TestScreenListPanel::selectionLostInTheViewResetsThePanels()
{
    // However the view's selection empties, the panels must not go on showing
    // (and offering the controls of) the screen that was selected.
    TShownPanel shown(3);
    shown.panel->Controller().MonitorListClick(2);
    QCOMPARE(shown.View()->selectionModel()->selectedRows().size(), 1);
    const int refreshes = shown.refreshes;
    shown.View()->clearSelection();
    QCOMPARE(shown.panel->Controller().SelectedRow(), -1);
    QCOMPARE(shown.resets, 1);
    QCOMPARE(shown.refreshes, refreshes + 1);
}

void TestScreenListPanel::rowsFollowTheViewportWidth()
{
    // Enough rows for a vertical scroll bar: it must not leave rows wider than
    // the viewport, scrollable sideways and drawn off centre.
    TShownPanel shown(30);
    QVERIFY(QTest::qWaitForWindowExposed(shown.panel.get()));
    QListView *view = shown.View();
    for (const int width : {240, 400, 180}) {
        shown.panel->resize(width, 600);
        QTRY_COMPARE_WITH_TIMEOUT(
            view->viewport()->width(),
            width - 2 * view->frameWidth() - view->verticalScrollBar()->width(), 2000);
        QVERIFY(view->verticalScrollBar()->isVisible());
        QVERIFY(!view->horizontalScrollBar()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(shown.RowRect(0).width(), view->viewport()->width(), 2000);
        view->scrollTo(shown.panel->Controller().Model()->index(0));
        QCOMPARE(view->horizontalScrollBar()->value(), 0);
        QVERIFY(qAbs(NameCentre(view, shown.RowRect(0)) - (view->viewport()->width() - 1) / 2.0) <=
                1.5);
    }
}

QTEST_MAIN(TestScreenListPanel)
#include "tst_screenlistpanel.moc"
