#include "app/MainFormLayout.h"

#include <QtGlobal>

QSize MinimumClientSize(const TMainFormMetrics &metrics)
{
    return QSize(metrics.AddButtonWidth * 19 / 2, metrics.AddButtonHeight * 8);
}

TMainFormGeometry LayOutMainForm(QSize client, bool extendedHidden, const TMainFormMetrics &metrics)
{
    const TMainFormMetrics &k = metrics;
    const QSize minimum = MinimumClientSize(k);
    const int w = qMax(client.width(), minimum.width());
    const int h = qMax(client.height(), minimum.height());
    const int m = k.AddButtonLeft;
    const int half = m / 2;
    TMainFormGeometry g;

    // Top row: the screen buttons from the left, the two bulk connection buttons at the right.
    const int bw = k.AddButtonWidth;
    const int bh = k.AddButtonHeight;
    QRect *leftButtons[] = {&g.AddButton, &g.EditButton, &g.DuplicateButton, &g.RemoveButton,
                            &g.RemoveAllButton};
    int x = m;
    for (QRect *button : leftButtons) {
        *button = QRect(x, m, bw, bh);
        x += bw + k.TopButtonGap;
    }
    g.DisconnectAllButton = QRect(w - m - bw, m, bw, bh);
    g.ConnectAllButton = QRect(g.DisconnectAllButton.left() - m - bw, m, bw, bh);

    const int contentTop = m + bh + m;

    // Left column: counter, screen list, and the TAG panel pinned above the bottom margin.
    const int lw = k.ListColumnWidth;
    g.LabelScreens = QRect(m, contentTop, lw, k.CounterHeight);
    g.TAGPanel = QRect(m, h - m - k.TAGPanelHeight, lw, k.TAGPanelHeight);
    const int listTop = g.LabelScreens.bottom() + 1 + half / 2;
    g.MonitorList = QRect(m, listTop, lw, g.TAGPanel.top() - half - listTop);

    // Right column shares the left edge of "Disconnect All"; the middle stretches up to it.
    const int rx = g.DisconnectAllButton.left();
    const int mx = m + lw + m;
    const int mw = rx - m - mx;

    g.HeaderLabel = QRect(mx, contentTop, mw, k.HeaderHeight);
    g.ConnectButton = QRect(rx, contentTop, bw, k.HeaderHeight);

    const int scheduleTop = g.HeaderLabel.bottom() + 1 + half;
    g.SysTimePanel = QRect(rx, scheduleTop, bw, k.SysTimePanelHeight);
    g.SchedToggleButton = QRect(rx, g.SysTimePanel.bottom() + 1 + half, bw, k.SchedButtonHeight);
    g.SchedEditButton = QRect(rx, g.SchedToggleButton.bottom() + 1 + half, bw, k.SchedButtonHeight);

    const auto placeNowPlayingRow = [&](int top) {
        const int nowPlayingWidth = mw - k.PositionPanelWidth - half;
        g.NowPlayingPanel = QRect(mx, top, nowPlayingWidth, k.NowPlayingHeight);
        g.PositionPanel =
            QRect(mx + mw - k.PositionPanelWidth, top, k.PositionPanelWidth, k.NowPlayingHeight);
        g.VolumePanel = QRect(rx, top, bw, k.NowPlayingHeight);
    };

    if (extendedHidden) {
        placeNowPlayingRow(h - m - k.NowPlayingHeight);
        const int bottom = qMax(g.NowPlayingPanel.top() - half, g.SchedEditButton.bottom() + 1);
        g.SchedulePanel = QRect(mx, scheduleTop, mw, bottom - scheduleTop);
        return g;
    }

    g.SchedulePanel = QRect(mx, scheduleTop, mw, g.SchedEditButton.bottom() + 1 - scheduleTop);
    placeNowPlayingRow(g.SchedulePanel.bottom() + 1 + half);

    // The two playlist panels fill the height down to their button rows.
    const int rowH = k.ButtonRowHeight;
    const int secondRowTop = h - m - rowH;
    const int firstRowTop = secondRowTop - k.ButtonRowGap - rowH;
    const int listsTop = g.NowPlayingPanel.bottom() + 1 + half;
    const int listsHeight = firstRowTop - half - listsTop;

    const int aw = k.ApplyButtonWidth;
    const int curWidth = (w - mx - aw / 2 - (m * 3) / 2) * 38 / 100;
    g.CurPLPanel = QRect(mx, listsTop, curWidth, listsHeight);
    g.TransportRow = QRect(mx, firstRowTop, curWidth, rowH);
    g.SeekRow = QRect(mx, secondRowTop, curWidth, rowH);

    const int curRight = g.CurPLPanel.right() + 1;
    const int columnHeight = k.ApplyButtonHeight * 2 + half;
    const int columnTop = g.CurPLPanel.center().y() - columnHeight / 2;
    g.ApplyPLButton = QRect(curRight + half, columnTop, aw, k.ApplyButtonHeight);
    g.CopyPLButton =
        QRect(curRight + half, columnTop + k.ApplyButtonHeight + half, aw, k.ApplyButtonHeight);

    const int editorLeft = curRight + m + aw;
    const int editorWidth = w - m - editorLeft;
    g.EditPLPanel = QRect(editorLeft, listsTop, editorWidth, listsHeight);
    g.EditorButtonRow = QRect(editorLeft, firstRowTop, editorWidth, rowH);
    g.EditorMoveRow = QRect(editorLeft, secondRowTop, editorWidth, rowH);
    return g;
}

QRect UsableWindowBounds(const QRect &stored, const QList<QRect> &screens, QSize minimum)
{
    QRect bounds(stored.topLeft(), stored.size().expandedTo(minimum));
    if (screens.isEmpty())
        return bounds;
    // The strip along the top edge that must stay reachable.
    const QRect grip(bounds.left(), bounds.top(), bounds.width(), 24);
    for (const QRect &screen : screens) {
        const QRect shared = screen.intersected(grip);
        if (shared.width() >= 64 && shared.height() >= 8)
            return bounds;
    }
    bounds.moveCenter(screens.first().center());
    bounds.moveTop(qMax(bounds.top(), screens.first().top()));
    bounds.moveLeft(qMax(bounds.left(), screens.first().left()));
    return bounds;
}
