#include "store/LayoutPreview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

int GCurrentScale = 1;

// Above this the picture is too small to hold anything; it keeps the scale
// search finite for a preview box of 16 pixels or less.
constexpr int MaxScaleExponent = 30;

constexpr QRgb BackgroundPalette[16] = {0x7F8000, 0x800000, 0x000080, 0x7F0080, 0x008080, 0x804B00,
                                        0x404080, 0x801334, 0x80546A, 0x1F4780, 0x400080, 0x80604D,
                                        0x101A4D, 0x802F77, 0x206080, 0x701800};
constexpr QRgb FloatingPalette[16] = {0xFFFF00, 0xFF0000, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFF9500,
                                      0x807FFF, 0xFF2667, 0xFFA8D4, 0x3D8EFF, 0x8000FF, 0xFFC099,
                                      0x2B46CC, 0xFF5EEF, 0x40BFFF, 0xF03400};

QRgb Opaque(QRgb rgb)
{
    return 0xFF000000u | rgb;
}

int RunChannel(int from, int to, int position, int length)
{
    if (length <= 1)
        return from;
    return from + (to - from) * position / (length - 1);
}

QRgb RunColor(QRgb from, QRgb to, int position, int length)
{
    return qRgb(RunChannel(qRed(from), qRed(to), position, length),
                RunChannel(qGreen(from), qGreen(to), position, length),
                RunChannel(qBlue(from), qBlue(to), position, length));
}

QRgb Darken(QRgb color, int amount)
{
    return qRgb(std::max(0, qRed(color) - amount), std::max(0, qGreen(color) - amount),
                std::max(0, qBlue(color) - amount));
}

QRgb HalfAndHalf(QRgb a, QRgb b)
{
    return qRgb((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

// A horizontal run blended half and half with a vertical run, over the
// rectangle (left, top, width, height) of `image`.
void PaintRuns(QImage &image, int left, int top, int width, int height, QRgb hFrom, QRgb hTo,
               QRgb vFrom, QRgb vTo)
{
    // Only the part inside the image is visited, so a rectangle far larger
    // than the image costs no more than the image itself.
    const int firstY = std::max(0, -top);
    const int endY = static_cast<int>(std::min<qint64>(height, qint64(image.height()) - top));
    const int firstX = std::max(0, -left);
    const int endX = static_cast<int>(std::min<qint64>(width, qint64(image.width()) - left));
    for (int y = firstY; y < endY; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(top + y));
        const QRgb vertical = RunColor(vFrom, vTo, y, height);
        for (int x = firstX; x < endX; ++x)
            line[left + x] = HalfAndHalf(RunColor(hFrom, hTo, x, width), vertical);
    }
}

// The dotted outline of a w by h window of which `image` holds the columns
// from `firstColumn` on; the dots keep their places along the whole edge.
void DrawDottedOutline(QImage &image, QRgb pen, int w, int h, int firstColumn)
{
    if (w < 1 || h < 1)
        return;
    const QPoint corners[] = {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}};
    int step = 0;
    for (int i = 0; i < 4; ++i) {
        QPoint p = corners[i];
        const QPoint end = corners[i + 1];
        const int dx = (end.x() > p.x()) - (end.x() < p.x());
        const int dy = (end.y() > p.y()) - (end.y() < p.y());
        // The end point belongs to the next edge, as a line drawn to it leaves it out.
        while (p != end) {
            const int column = p.x() - firstColumn;
            if (step % 2 == 0 && column >= 0 && column < image.width() && p.y() < image.height())
                image.setPixel(column, p.y(), Opaque(pen));
            ++step;
            p += QPoint(dx, dy);
        }
    }
}

void DrawText(QPainter &painter, int x, int y, const QString &text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(x, y + metrics.ascent(), text);
}

QStringList WrapWords(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '));
    for (const QString &word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines.append(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    lines.append(line);
    return lines;
}

bool SetCharHeight(QPainter &painter, const QFont &face, int height)
{
    if (height < 1)
        return false;
    QFont font = face;
    font.setPixelSize(height);
    painter.setFont(font);
    return true;
}

void DrawMonitorTile(QImage &canvas, const QFont &face, const MonitorRect &monitor, int number,
                     int left, int top, int right, int bottom)
{
    const int width = right - left;
    const int height = bottom - top;
    PaintRuns(canvas, left, top, width, height, 0xF0F0F0, 0xC0C0C0, 0xE0E0E0, 0xB0B0B0);

    QPainter painter(&canvas);
    painter.setBackgroundMode(Qt::TransparentMode);
    if (SetCharHeight(painter, face, height / 8)) {
        painter.setPen(QColor(Opaque(LayoutPreviewColors::Background)));
        const QFontMetrics metrics = painter.fontMetrics();
        const QString xText = QStringLiteral("X:") + QString::number(monitor.Left);
        const QString yText = QStringLiteral("Y:") + QString::number(monitor.Top);
        const QString sizeText =
            QString::number(monitor.Width) + QLatin1Char('x') + QString::number(monitor.Height);
        DrawText(painter, left + 8, top + 4, xText);
        DrawText(painter, left + 8, top + metrics.height() + 4, yText);
        DrawText(painter, left + (width - metrics.horizontalAdvance(sizeText)) / 2,
                 bottom - 4 - metrics.height(), sizeText);
    }
    if (SetCharHeight(painter, face, height / 3)) {
        painter.setPen(QColor(Opaque(LayoutPreviewColors::Text)));
        const QFontMetrics metrics = painter.fontMetrics();
        const QString numberText = QString::number(number);
        DrawText(painter, left + (width - metrics.horizontalAdvance(numberText)) / 2,
                 top + (height - metrics.height()) / 2, numberText);
    }
}

struct TPreviewGeometry
{
    int Scale = 1;
    qint64 MinLeft = 0;
    qint64 MinTop = 0;
    QPoint Origin;
};

int ScaledRound(qint64 value, int scale)
{
    return RoundHalfEven(static_cast<double>(value) / scale);
}

void DrawWindow(QImage &picture, const TLayoutPreviewInput &input, const TPreviewGeometry &geo,
                const TPreviewWindow &window, QRgb fill, QRgb pen, bool outline)
{
    // Invisible screens have no window; a layout the presenter does not know
    // places none either.
    if (window.ScreenMode == 2 || window.Layout < 0 || window.Layout > 2)
        return;
    int x = ScaledRound(window.XOfs - geo.MinLeft, geo.Scale);
    int y = ScaledRound(window.YOfs - geo.MinTop, geo.Scale);
    int w = ScaledRound(window.Width, geo.Scale);
    int h = ScaledRound(window.Height, geo.Scale);
    if (window.Layout == 0) {
        if (window.Monitor <= 0 || window.Monitor > input.Monitors.size())
            return;
        const MonitorRect &monitor = input.Monitors.at(window.Monitor - 1);
        x = ScaledRound(monitor.Left - geo.MinLeft, geo.Scale);
        y = ScaledRound(monitor.Top - geo.MinTop, geo.Scale);
        w = ScaledRound(monitor.Width, geo.Scale);
        h = ScaledRound(monitor.Height, geo.Scale);
        if (w < 1 || h < 1)
            return;
    }
    // A window the blend would skip is not painted at all, and of the others
    // only the columns inside the preview: the fields take widths and heights
    // up to 999999, whose full picture would take gigabytes and seconds on
    // every keystroke.
    const qint64 left = qint64(geo.Origin.x()) + x;
    const qint64 top = qint64(geo.Origin.y()) + y;
    if (h <= 2 || top < 0 || top + h > picture.height())
        return;
    const int firstColumn = static_cast<int>(std::clamp<qint64>(-left, 0, w));
    const int endColumn = static_cast<int>(std::clamp<qint64>(picture.width() - left, 0, w));
    if (endColumn <= firstColumn)
        return;
    QImage source(endColumn - firstColumn, h, QImage::Format_RGB32);
    PaintRuns(source, -firstColumn, 0, w, h, fill, Darken(fill, 48), fill, Darken(fill, 64));
    if (outline)
        DrawDottedOutline(source, pen, w, h, firstColumn);
    BlendPicture(picture, source, static_cast<int>(left) + firstColumn, static_cast<int>(top));
}

int ChooseScale(qint64 bw, qint64 bh, int pw, int ph)
{
    int scale = 2;
    for (int k = 1; k <= MaxScaleExponent; ++k) {
        scale = 1 << k;
        if (bw / scale < pw - 16 && bh / scale < ph - 16)
            break;
    }
    return scale;
}

} // namespace

QRgb LayoutPreviewColors::OtherWindowFill(qint32 screenMode, int counter)
{
    const int index = ((counter % 16) + 16) % 16;
    return screenMode == 1 ? FloatingPalette[index] : BackgroundPalette[index];
}

int RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it.
    return static_cast<int>(std::nearbyint(value));
}

int LayoutPreviewCurrentScale()
{
    return GCurrentScale;
}

void BlendPicture(QImage &target, const QImage &source, int x, int y)
{
    if (source.height() <= 2 || y < 0 || y + source.height() > target.height())
        return;
    for (int row = 0; row < source.height(); ++row) {
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(y + row));
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(row));
        for (int col = 0; col < source.width(); ++col) {
            const int tx = x + col;
            if (tx < 0 || tx >= target.width())
                continue;
            out[tx] = HalfAndHalf(out[tx], in[col]);
        }
    }
}

int DrawLayoutPreview(QImage &picture, const TLayoutPreviewInput &input)
{
    const int pw = picture.width();
    const int ph = picture.height();
    if (pw < 1 || ph < 1)
        return 0;
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    picture.fill(Opaque(LayoutPreviewColors::Background));
    {
        QPainter painter(&picture);
        painter.setPen(QColor(Opaque(LayoutPreviewColors::Frame)));
        painter.drawRect(0, 0, pw - 1, ph - 1);
    }
    if (!input.HasScreen)
        return 0;
    if (input.Monitors.isEmpty()) {
        QPainter painter(&picture);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setFont(input.Font);
        painter.setPen(QColor(Opaque(LayoutPreviewColors::Text)));
        const QFontMetrics metrics = painter.fontMetrics();
        // A box narrower than the text would cut it at both ends: wrap it at
        // spaces instead, each line centred.
        const QStringList lines = metrics.horizontalAdvance(input.NoMonitorsText) <= pw
                                      ? QStringList(input.NoMonitorsText)
                                      : WrapWords(input.NoMonitorsText, metrics, pw - 16);
        int y = (ph - metrics.height() * static_cast<int>(lines.size())) / 2;
        for (const QString &line : lines) {
            DrawText(painter, (pw - metrics.horizontalAdvance(line)) / 2, y, line);
            y += metrics.height();
        }
        return 0;
    }

    const MonitorRect &first = input.Monitors.first();
    qint64 minLeft = first.Left, minTop = first.Top;
    qint64 maxRight = qint64(first.Left) + first.Width,
           maxBottom = qint64(first.Top) + first.Height;
    for (const MonitorRect &m : input.Monitors) {
        minLeft = std::min<qint64>(minLeft, m.Left);
        minTop = std::min<qint64>(minTop, m.Top);
        maxRight = std::max<qint64>(maxRight, qint64(m.Left) + m.Width);
        maxBottom = std::max<qint64>(maxBottom, qint64(m.Top) + m.Height);
    }
    const qint64 bw = maxRight - minLeft;
    const qint64 bh = maxBottom - minTop;
    const int scale = ChooseScale(bw, bh, pw, ph);
    GCurrentScale = scale;

    const int cw = RoundHalfEven(static_cast<double>(bw) / scale);
    const int ch = RoundHalfEven(static_cast<double>(bh) / scale);
    TPreviewGeometry geo;
    geo.Scale = scale;
    geo.MinLeft = minLeft;
    geo.MinTop = minTop;
    geo.Origin = QPoint((pw - cw) / 2, (ph - ch) / 2);

    if (cw > 0 && ch > 0) {
        QImage canvas(cw, ch, QImage::Format_RGB32);
        canvas.fill(Opaque(LayoutPreviewColors::Background));
        for (int i = 0; i < input.Monitors.size(); ++i) {
            const MonitorRect &m = input.Monitors.at(i);
            const int left = ScaledRound(m.Left - minLeft, scale);
            const int top = ScaledRound(m.Top - minTop, scale);
            const int right = DivTrunc(qint64(m.Left) + m.Width - minLeft, scale);
            const int bottom = DivTrunc(qint64(m.Top) + m.Height - minTop, scale);
            if (right - left > 0 && bottom - top > 0)
                DrawMonitorTile(canvas, input.Font, m, i + 1, left, top, right, bottom);
        }
        QPainter painter(&picture);
        painter.drawImage(geo.Origin, canvas);
    }

    int counter = 0;
    for (const TPreviewWindow &window : input.Windows) {
        if (window.Edited) {
            if (ScaledRound(window.Width, scale) < 1 || ScaledRound(window.Height, scale) < 1)
                continue;
            const bool floating = window.ScreenMode == 1;
            DrawWindow(picture, input, geo, window,
                       floating ? LayoutPreviewColors::EditedFloatingFill
                                : LayoutPreviewColors::EditedBackgroundFill,
                       floating ? 0x000000 : 0xFFFFFF, true);
            continue;
        }
        if (ScaledRound(window.Width, scale) < 1 || ScaledRound(window.Height, scale) < 1)
            continue;
        const QRgb fill = LayoutPreviewColors::OtherWindowFill(window.ScreenMode, counter);
        ++counter;
        DrawWindow(picture, input, geo, window, fill, 0, false);
    }
    return scale;
}

QList<int> MotionRatios()
{
    return {1, 2, 4, 8, 16, 32};
}

QList<TMotionRatioItem> BuildMotionRatioItems(int currentRatio, int currentScale,
                                              const QString &titleText,
                                              const QString &currentScaleText)
{
    QList<TMotionRatioItem> items;
    TMotionRatioItem title;
    title.Caption = titleText;
    items.append(title);
    TMotionRatioItem separator;
    separator.Separator = true;
    items.append(separator);
    const QList<int> ratios = MotionRatios();
    for (const int ratio : ratios) {
        TMotionRatioItem item;
        item.Ratio = ratio;
        item.Caption = QStringLiteral("1:") + QString::number(ratio);
        if (ratio == currentScale)
            item.Caption += QStringLiteral(" (") + currentScaleText + QLatin1Char(')');
        item.Checked = ratio == currentRatio;
        items.append(item);
    }
    return items;
}

bool TLayoutPreviewDrag::Begin(const QPoint &position, const QString &xOfsText,
                               const QString &yOfsText)
{
    bool xOk = false, yOk = false;
    const qint32 x = ParseIntegerText(xOfsText, &xOk);
    const qint32 y = ParseIntegerText(yOfsText, &yOk);
    FDragging = xOk && yOk;
    FPressPosition = position;
    FPressOffsets = QPoint(x, y);
    return FDragging;
}

QPoint TLayoutPreviewDrag::OffsetsAt(const QPoint &position, int motionRatio) const
{
    return (position - FPressPosition) * motionRatio + FPressOffsets;
}

qint32 ParseIntegerText(const QString &text, bool *ok)
{
    bool converted = false;
    const qint32 value = text.toInt(&converted, 10);
    const bool valid = converted && !text.isEmpty() && text.trimmed() == text;
    if (ok)
        *ok = valid;
    return valid ? value : 0;
}
