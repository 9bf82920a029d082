#include "store/LayoutPreview.h"

#include <QtTest>

namespace {

constexpr QRgb Grey = 0x808080;
// A monitor tile's top-left corner: (#F0 + #E0) / 2 in every channel.
constexpr QRgb TileTopLeft = 0xE8E8E8;

MonitorRect Monitor(int left, int top, int width, int height)
{
    MonitorRect m;
    m.Left = left;
    m.Top = top;
    m.Width = width;
    m.Height = height;
    return m;
}

TPreviewWindow Window(int x, int y, int width, int height, int layout, int mode, int monitor = 0,
                      bool edited = false)
{
    TPreviewWindow w;
    w.XOfs = x;
    w.YOfs = y;
    w.Width = width;
    w.Height = height;
    w.Layout = layout;
    w.ScreenMode = mode;
    w.Monitor = monitor;
    w.Edited = edited;
    return w;
}

// Two 1920 x 1080 monitors side by side: drawn at scale 8 in a 550 x 350
// box as a 480 x 135 canvas at (35, 107).
TLayoutPreviewInput TwoMonitors()
{
    TLayoutPreviewInput input;
    input.HasScreen = true;
    input.Monitors = {Monitor(0, 0, 1920, 1080), Monitor(1920, 0, 1920, 1080)};
    input.NoMonitorsText = QStringLiteral("An initial connection is required.");
    return input;
}

QRgb Pixel(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

QRgb Blend(QRgb target, QRgb source)
{
    return qRgb((qRed(target) + qRed(source)) / 2, (qGreen(target) + qGreen(source)) / 2,
                (qBlue(target) + qBlue(source)) / 2) &
           0xFFFFFF;
}

QImage Draw(const TLayoutPreviewInput &input, int width = 550, int height = 350,
            int *scale = nullptr)
{
    QImage picture(width, height, QImage::Format_RGB32);
    const int used = DrawLayoutPreview(picture, input);
    if (scale)
        *scale = used;
    return picture;
}

} // namespace

class TestLayoutPreview : public QObject
{
    Q_OBJECT

private slots:
    void menuBeforeAnyPreviewNamesScaleOne();
    void canvasScaleAndCentring();
    void monitorLeftOfPrimaryStartsAtCanvasEdge();
    void noMonitorsShowsCentredMessage_data();
    void noMonitorsShowsCentredMessage();
    void tinyBoxDoesNotHang();
    void otherWindowsTakePaletteColoursInOrder_data();
    void otherWindowsTakePaletteColoursInOrder();
    void heightRoundsHalfToEven();
    void fullscreenWindowCoversItsMonitor_data();
    void fullscreenWindowCoversItsMonitor();
    void editedWindowOutlineAndOrder();
    void windowsOutsideThePicture_data();
    void windowsOutsideThePicture();
    void motionRatioMenu();
    void dragMovesByRatio_data();
    void dragMovesByRatio();
};

void TestLayoutPreview::menuBeforeAnyPreviewNamesScaleOne()
{
    QCOMPARE(LayoutPreviewCurrentScale(), 1);
    const QList<TMotionRatioItem> items =
        BuildMotionRatioItems(8, LayoutPreviewCurrentScale(), QStringLiteral("Motion Ratio"),
                              QStringLiteral("Current scale"));
    QCOMPARE(items.at(2).Caption, QStringLiteral("1:1 (Current scale)"));
}

void TestLayoutPreview::canvasScaleAndCentring()
{
    int scale = 0;
    const QImage picture = Draw(TwoMonitors(), 550, 350, &scale);
    QCOMPARE(scale, 8);
    QCOMPARE(LayoutPreviewCurrentScale(), 8);

    QCOMPARE(Pixel(picture, 0, 0), QRgb(0x000000));
    QCOMPARE(Pixel(picture, 549, 349), QRgb(0x000000));
    QCOMPARE(Pixel(picture, 34, 107), Grey);
    QCOMPARE(Pixel(picture, 35, 106), Grey);
    QCOMPARE(Pixel(picture, 35, 107), TileTopLeft);
    // Last column of tile 1: horizontal run at #C0, vertical at #E0.
    QCOMPARE(Pixel(picture, 35 + 239, 107), QRgb(0xD0D0D0));
    QCOMPARE(Pixel(picture, 35 + 240, 107), TileTopLeft);
    // Bottom-right of tile 2, then just outside the canvas.
    QCOMPARE(Pixel(picture, 35 + 479, 107 + 134), QRgb(0xB8B8B8));
    QCOMPARE(Pixel(picture, 35 + 480, 107 + 134), Grey);
    QCOMPARE(Pixel(picture, 35 + 479, 107 + 135), Grey);
}

void TestLayoutPreview::monitorLeftOfPrimaryStartsAtCanvasEdge()
{
    TLayoutPreviewInput input = TwoMonitors();
    input.Monitors = {Monitor(0, 0, 1920, 1080), Monitor(-1280, 0, 1280, 1024)};
    int scale = 0;
    const QImage picture = Draw(input, 550, 350, &scale);
    QCOMPARE(scale, 8);
    // Canvas 400 x 135 at (75, 107); the left monitor starts at its left border.
    QCOMPARE(Pixel(picture, 74, 107), Grey);
    QCOMPARE(Pixel(picture, 75, 107), TileTopLeft);
    QCOMPARE(Pixel(picture, 75 + 160, 107), TileTopLeft);
    QCOMPARE(Pixel(picture, 75 + 159, 107), QRgb(0xD0D0D0));
    // The left monitor is 1024 high: 128 rows, then the canvas shows through.
    QVERIFY(Pixel(picture, 75, 107 + 127) != Grey);
    QCOMPARE(Pixel(picture, 75, 107 + 128), Grey);
}

void TestLayoutPreview::noMonitorsShowsCentredMessage_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wrapped");
    QTest::newRow("fits on one line")
        << 550 << QStringLiteral("An initial connection is required.") << false;
    QTest::newRow("wider than the box")
        << 200
        << QStringLiteral("An initial connection to the screen is required to display the "
                          "layout preview.")
        << true;
}

void TestLayoutPreview::noMonitorsShowsCentredMessage()
{
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(bool, wrapped);
    TLayoutPreviewInput input;
    QImage empty(10, 10, QImage::Format_RGB32);
    QCOMPARE(DrawLayoutPreview(empty, input), 0);
    QCOMPARE(Pixel(empty, 5, 5), Grey);

    input.HasScreen = true;
    input.NoMonitorsText = text;
    int scale = -1;
    const int height = 350;
    const QImage picture = Draw(input, width, height, &scale);
    QCOMPARE(scale, 0);
    int top = height, bottom = -1, left = width, right = -1, white = 0;
    for (int y = 1; y < height - 1; ++y) {
        for (int x = 1; x < width - 1; ++x) {
            const QRgb p = Pixel(picture, x, y);
            QVERIFY2(p == Grey || qRed(p) > 0x80, "only grey and white-ish text pixels");
            white += p == 0xFFFFFF;
            if (p != Grey) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    QVERIFY(white > 20);
    // Centred within a few pixels both ways, and never cut at the sides.
    QVERIFY(qAbs((left + right) - width) < 12);
    QVERIFY(qAbs((top + bottom) - height) < 12);
    QVERIFY(left > 1 && right < width - 2);
    QCOMPARE(bottom - top > 2 * QFontMetrics(input.Font).height(), wrapped);
}

void TestLayoutPreview::tinyBoxDoesNotHang()
{
    // A box of 16 pixels or less can never satisfy the scale search.
    for (const QSize size : {QSize(16, 16), QSize(1, 1), QSize(550, 10)}) {
        int scale = 0;
        const QImage picture = Draw(TwoMonitors(), size.width(), size.height(), &scale);
        QVERIFY(scale >= 2);
        QCOMPARE(picture.size(), size);
    }
}

void TestLayoutPreview::otherWindowsTakePaletteColoursInOrder_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRgb>("first");
    QTest::addColumn<QRgb>("second");
    QTest::newRow("floating") << 1 << QRgb(0xFFFF00) << QRgb(0xFF0000);
    QTest::newRow("background") << 0 << QRgb(0x7F8000) << QRgb(0x800000);
}

void TestLayoutPreview::otherWindowsTakePaletteColoursInOrder()
{
    QFETCH(int, mode);
    QFETCH(QRgb, first);
    QFETCH(QRgb, second);
    TLayoutPreviewInput input = TwoMonitors();
    input.Windows = {Window(0, 0, 960, 540, 1, mode), Window(1920, 0, 960, 540, 1, mode)};
    const QImage picture = Draw(input);
    QCOMPARE(Pixel(picture, 35, 107), Blend(TileTopLeft, first));
    QCOMPARE(Pixel(picture, 35 + 240, 107), Blend(TileTopLeft, second));

    // An invisible screen uses up a colour; a window that scales to nothing does not.
    input.Windows = {Window(0, 0, 960, 540, 1, 2), Window(0, 0, 2, 540, 1, mode),
                     Window(1920, 0, 960, 540, 1, mode)};
    QCOMPARE(Pixel(Draw(input), 35 + 240, 107), Blend(TileTopLeft, second));
}

void TestLayoutPreview::heightRoundsHalfToEven()
{
    // 548 / 8 = 68.5 rows, which rounds to 68 (half-up would give 69).
    const QImage plain = Draw(TwoMonitors());
    TLayoutPreviewInput input = TwoMonitors();
    input.Windows = {Window(0, 0, 960, 548, 1, 1)};
    const QImage picture = Draw(input);
    QVERIFY(Pixel(picture, 40, 107 + 67) != Pixel(plain, 40, 107 + 67));
    QCOMPARE(Pixel(picture, 40, 107 + 68), Pixel(plain, 40, 107 + 68));
}

void TestLayoutPreview::fullscreenWindowCoversItsMonitor_data()
{
    QTest::addColumn<int>("monitor");
    QTest::addColumn<bool>("firstCovered");
    QTest::addColumn<bool>("secondCovered");
    QTest::newRow("default monitor") << 0 << false << false;
    QTest::newRow("monitor 1") << 1 << true << false;
    QTest::newRow("monitor 2") << 2 << false << true;
    QTest::newRow("past the list") << 3 << false << false;
}

void TestLayoutPreview::fullscreenWindowCoversItsMonitor()
{
    QFETCH(int, monitor);
    QFETCH(bool, firstCovered);
    QFETCH(bool, secondCovered);
    const QImage plain = Draw(TwoMonitors());
    TLayoutPreviewInput input = TwoMonitors();
    // The window's own rectangle does not matter in Fullscreen.
    input.Windows = {Window(5000, 5000, 100, 100, 0, 0, monitor)};
    const QImage picture = Draw(input);
    const QRgb fill = LayoutPreviewColors::OtherWindowFill(0, 0);
    QCOMPARE(Pixel(picture, 35, 107), firstCovered ? Blend(TileTopLeft, fill) : TileTopLeft);
    QCOMPARE(Pixel(picture, 35 + 240, 107), secondCovered ? Blend(TileTopLeft, fill) : TileTopLeft);
    // Covered up to the tile's last row and column, not beyond.
    QCOMPARE(Pixel(picture, 35 + 479, 107 + 134) != Pixel(plain, 35 + 479, 107 + 134),
             secondCovered);
}

void TestLayoutPreview::editedWindowOutlineAndOrder()
{
    TLayoutPreviewInput input = TwoMonitors();
    input.Windows = {Window(0, 0, 960, 544, 1, 0, 0, true)};
    QImage picture = Draw(input);
    // Dotted white outline in Background Zone: a dot at the corner, a gap
    // next to it (the dark green fill shows through).
    QCOMPARE(Pixel(picture, 35, 107), Blend(TileTopLeft, 0xFFFFFF));
    QVERIFY(qGreen(Pixel(picture, 36, 107)) < 0xC0);
    QCOMPARE(Pixel(picture, 37, 107), Blend(TileTopLeft, 0xFFFFFF));

    input.Windows = {Window(0, 0, 960, 544, 1, 1, 0, true)};
    picture = Draw(input);
    QCOMPARE(Pixel(picture, 35, 107), Blend(TileTopLeft, 0x000000));

    // A later window blends over an earlier one.
    input.Windows = {Window(0, 0, 960, 544, 1, 1), Window(0, 0, 960, 544, 1, 1, 0, true)};
    picture = Draw(input);
    QCOMPARE(Pixel(picture, 35, 107), Blend(Blend(TileTopLeft, 0xFFFF00), 0x000000));
}

void TestLayoutPreview::windowsOutsideThePicture_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<QPoint>("probe");
    QTest::newRow("above the picture") << 0 << -1000 << 1920 << 1080 << false << QPoint(35, 110);
    QTest::newRow("below the picture") << 0 << 1000 << 1920 << 1080 << false << QPoint(35, 250);
    QTest::newRow("taller than the picture") << 0 << 0 << 1920 << 3000 << false << QPoint(35, 110);
    QTest::newRow("two rows high") << 0 << 0 << 1920 << 16 << false << QPoint(35, 107);
    QTest::newRow("three rows high") << 0 << 0 << 1920 << 24 << true << QPoint(35, 107);
    QTest::newRow("cut on the left") << -960 << 0 << 1920 << 1080 << true << QPoint(0, 150);
    QTest::newRow("cut on the right") << 3720 << 0 << 1920 << 1080 << true << QPoint(549, 150);
    // The largest sizes the fields take: painted whole they took gigabytes
    // and half a minute per redraw.
    QTest::newRow("widest field value, cut on both sides")
        << -960 << 0 << 999999 << 1080 << true << QPoint(549, 150);
    QTest::newRow("largest field values") << 0 << 0 << 999999 << 99999 << false << QPoint(35, 110);
}

void TestLayoutPreview::windowsOutsideThePicture()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, drawn);
    QFETCH(QPoint, probe);
    const QImage plain = Draw(TwoMonitors());
    TLayoutPreviewInput input = TwoMonitors();
    input.Windows = {Window(x, y, width, height, 1, 1)};
    QElapsedTimer timer;
    timer.start();
    const QImage picture = Draw(input);
    QVERIFY2(timer.elapsed() < 5000, "a redraw must not scale with the window's size");
    QCOMPARE(Pixel(picture, probe.x(), probe.y()) != Pixel(plain, probe.x(), probe.y()), drawn);
    if (!drawn)
        QCOMPARE(picture, plain);
}

void TestLayoutPreview::motionRatioMenu()
{
    const QList<TMotionRatioItem> items = BuildMotionRatioItems(
        4, 8, QStringLiteral("Motion Ratio"), QStringLiteral("Current scale"));
    QCOMPARE(items.size(), 8);
    QCOMPARE(items.at(0).Caption, QStringLiteral("Motion Ratio"));
    QCOMPARE(items.at(0).Ratio, 0);
    QVERIFY(items.at(1).Separator);
    QStringList captions;
    QList<int> checked;
    for (int i = 2; i < items.size(); ++i) {
        captions << items.at(i).Caption;
        if (items.at(i).Checked)
            checked << items.at(i).Ratio;
    }
    QCOMPARE(captions, QStringList({QStringLiteral("1:1"), QStringLiteral("1:2"),
                                    QStringLiteral("1:4"), QStringLiteral("1:8 (Current scale)"),
                                    QStringLiteral("1:16"), QStringLiteral("1:32")}));
    QCOMPARE(checked, QList<int>({4}));
}

void TestLayoutPreview::dragMovesByRatio_data()
{
    QTest::addColumn<int>("ratio");
    for (const int ratio : MotionRatios())
        QTest::newRow(qPrintable(QStringLiteral("1:%1").arg(ratio))) << ratio;
}

void TestLayoutPreview::dragMovesByRatio()
{
    QFETCH(int, ratio);
    TLayoutPreviewDrag drag;
    QVERIFY(!drag.Begin(QPoint(5, 5), QStringLiteral("1-2"), QStringLiteral("0")));
    QVERIFY(!drag.Dragging());
    QVERIFY(drag.Begin(QPoint(100, 100), QStringLiteral("-40"), QStringLiteral("1080")));
    QCOMPARE(drag.OffsetsAt(QPoint(100, 100), ratio), QPoint(-40, 1080));
    QCOMPARE(drag.OffsetsAt(QPoint(110, 95), ratio), QPoint(-40 + 10 * ratio, 1080 - 5 * ratio));
    drag.End();
    QVERIFY(!drag.Dragging());
}

QTEST_MAIN(TestLayoutPreview)
#include "tst_layoutpreview.moc"
