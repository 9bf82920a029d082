#pragma once

#include "store/MonitorRect.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRgb>
#include <QString>
#include <QStringList>

// One playback window as the preview draws it: the rectangle in desktop pixels
// of the screen PC plus the placement settings that decide whether and where
// it shows.
struct TPreviewWindow
{
    qint32 XOfs = 0;
    qint32 YOfs = 0;
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 Layout = 0;
    qint32 ScreenMode = 0;
    qint32 Monitor = 0;
    // The window the dialog edits: own colours and a dotted outline. Others
    // take the next colour of their mode's palette.
    bool Edited = false;
};

// Everything one redraw needs, gathered by the dialog so the drawing itself
// knows nothing about widgets or the store.
struct TLayoutPreviewInput
{
    bool HasScreen = false;
    MonitorRectList Monitors;
    // In drawing order; later windows blend over earlier ones.
    QList<TPreviewWindow> Windows;
    QFont Font;
    // Shown centred when the screen has no monitors.
    QString NoMonitorsText;
};

namespace LayoutPreviewColors {
constexpr QRgb Background = 0x808080;
constexpr QRgb Frame = 0x000000;
constexpr QRgb Text = 0xFFFFFF;
constexpr QRgb EditedBackgroundFill = 0x008000;
constexpr QRgb EditedFloatingFill = 0x00FF00;
QRgb OtherWindowFill(qint32 screenMode, int counter);
} // namespace LayoutPreviewColors

// Redraws `picture` (its size is the preview box) from `input`. Returns the
// scale used, or 0 when no monitors were drawn.
int DrawLayoutPreview(QImage &picture, const TLayoutPreviewInput &input);

// The scale of the last preview that drew monitors; 1 before any.
int LayoutPreviewCurrentScale();

// Blends `source` half and half into `target` with its top-left at (x, y).
// Sources of 2 pixels height or less, and those that would leave the target
// above or below, are skipped whole; columns outside the target are cut.
void BlendPicture(QImage &target, const QImage &source, int x, int y);

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// Integer division truncating toward zero, as the layout arithmetic expects.
inline int DivTrunc(qint64 a, qint64 b)
{
    return static_cast<int>(a / b);
}

// The motion ratios the context menu offers.
QList<int> MotionRatios();

// One item of the motion ratio menu: its caption, the ratio it picks (0 for
// the title item) and whether it carries the check mark.
struct TMotionRatioItem
{
    QString Caption;
    int Ratio = 0;
    bool Checked = false;
    bool Separator = false;
};

// The menu as it is built each time it opens: a title, a separator, one item
// per ratio; the current ratio is checked and the current scale is named.
QList<TMotionRatioItem> BuildMotionRatioItems(int currentRatio, int currentScale,
                                              const QString &titleText,
                                              const QString &currentScaleText);

// Drag state of the preview: the press position and the offsets at the press.
// It moves the edited window by the motion ratio per preview pixel, without
// snapping or bounds.
class TLayoutPreviewDrag
{
public:
    bool Dragging() const { return FDragging; }
    // Starts a drag when both offsets are integers; returns whether it started.
    bool Begin(const QPoint &position, const QString &xOfsText, const QString &yOfsText);
    // The offsets for the mouse at `position`.
    QPoint OffsetsAt(const QPoint &position, int motionRatio) const;
    void End() { FDragging = false; }

private:
    bool FDragging = false;
    QPoint FPressPosition;
    QPoint FPressOffsets;
};

// A field's text as a 32-bit integer (optional sign, decimal digits, no
// spaces), or `ok` false.
qint32 ParseIntegerText(const QString &text, bool *ok);
