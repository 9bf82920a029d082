#include "ScreenFleet.h"
#include "console/ScreenRowPainter.h"
#include "console/TScreenPictureSource.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QColor PlayColour(0xC0, 0x10, 0x10);
const QColor OffColour(0x10, 0x10, 0xC0);
const QColor LockColour(0xF0, 0xC0, 0x00);

class TSolidPictures : public TScreenPictureSource
{
public:
    QPixmap StatePicture(int playState) const override
    {
        if (playState == psPlaying)
            return Solid(44, PlayColour);
        if (playState == psDisconnected)
            return Solid(44, OffColour);
        return {};
    }
    QPixmap LockPicture() const override { return Solid(16, LockColour); }
    QPixmap LinkPicture(bool) const override { return {}; }

private:
    static QPixmap Solid(int size, const QColor &colour)
    {
        QPixmap pixmap(size, size);
        pixmap.fill(colour);
        return pixmap;
    }
};

QFont DesignedFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

QImage PaintOne(const TVLScreenClass &screen, bool selected, bool linkMode)
{
    const TSolidPictures pictures;
    const int height = ScreenRowPainter::RowHeight(DesignedFont(), &pictures);
    QImage image(200, height + 10, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    ScreenRowPainter::PaintRow(painter, QRect(0, 5, 200, height), screen,
                               QStringLiteral("Hall|10.0.0.1:4769"), selected, linkMode,
                               DesignedFont(), &pictures);
    return image;
}

} // namespace

class TestScreenRowPainter : public QObject
{
    Q_OBJECT

private slots:
    void rowHeightFollowsFontAndPicture();
    void backgroundFollowsSelectionAndLinkMode_data();
    void backgroundFollowsSelectionAndLinkMode();
    void pictureLockAndTextArePlaced();
    void connectingScreenHasNoPicture();
};

void TestScreenRowPainter::rowHeightFollowsFontAndPicture()
{
    const TSolidPictures pictures;
    QCOMPARE(ScreenRowPainter::RowHeight(DesignedFont(), &pictures), 82);
}

void TestScreenRowPainter::backgroundFollowsSelectionAndLinkMode_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("linkMode");
    QTest::addColumn<QColor>("background");
    QTest::newRow("plain") << false << false << QColor(0xFF, 0xFF, 0xFF);
    QTest::newRow("linked") << false << true << QColor(0xE0, 0xFF, 0xE0);
    QTest::newRow("selected") << true << false << QColor(0xAF, 0xF0, 0xAF);
    QTest::newRow("selected, linked") << true << true << QColor(0xA0, 0xE0, 0xA0);
}

void TestScreenRowPainter::backgroundFollowsSelectionAndLinkMode()
{
    QFETCH(bool, selected);
    QFETCH(bool, linkMode);
    QFETCH(QColor, background);

    TVLScreenClass screen;
    const QImage image = PaintOne(screen, selected, linkMode);
    QCOMPARE(image.pixelColor(1, 5), background);
    QCOMPARE(image.pixelColor(199, 86), background);
    // Nothing outside the row.
    QCOMPARE(image.pixelColor(1, 4), QColor(Qt::magenta));
    QCOMPARE(image.pixelColor(1, 87), QColor(Qt::magenta));
}

void TestScreenRowPainter::pictureLockAndTextArePlaced()
{
    TVLScreenClass screen;
    screen.PlayState = psPlaying;
    screen.SetPassword(QStringLiteral("secret"));
    const QImage image = PaintOne(screen, false, false);
    const int top = 5;

    // State picture: centred, 6 below the row top.
    QCOMPARE(image.pixelColor(78, top + 6), PlayColour);
    QCOMPARE(image.pixelColor(121, top + 49), PlayColour);
    QCOMPARE(image.pixelColor(77, top + 6), QColor(Qt::white));
    QCOMPARE(image.pixelColor(78, top + 5), QColor(Qt::white));

    // Lock: 16 right of the picture's right edge less its width, vertically centred + 4.
    QCOMPARE(image.pixelColor(122, top + 18), LockColour);
    QCOMPARE(image.pixelColor(137, top + 33), LockColour);
    QCOMPARE(image.pixelColor(138, top + 33), QColor(Qt::white));

    // Both text lines sit below the picture, within the row.
    auto darkPixelsIn = [&image](int fromY, int toY) {
        int dark = 0;
        for (int y = fromY; y < toY; ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        return dark;
    };
    QVERIFY(darkPixelsIn(top + 52, top + 65) > 0);
    QVERIFY(darkPixelsIn(top + 65, top + 82) > 0);
}

void TestScreenRowPainter::connectingScreenHasNoPicture()
{
    TVLScreenClass screen;
    screen.PlayState = psConnecting;
    const QImage image = PaintOne(screen, false, false);
    for (int y = 5; y < 55; ++y)
        QCOMPARE(image.pixelColor(100, y), QColor(Qt::white));

    screen.PlayState = psDisconnected;
    QCOMPARE(PaintOne(screen, false, false).pixelColor(100, 30), OffColour);
}

QTEST_MAIN(TestScreenRowPainter)
#include "tst_screenrowpainter.moc"
