#include "app/BuiltinPictures.h"

#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

QPixmap BlankPixmap(int size, qreal dpr)
{
    const qreal ratio = dpr > 0 ? dpr : 1.0;
    QPixmap pixmap(qRound(size * ratio), qRound(size * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

struct TScreenColours
{
    QColor Top;
    QColor Bottom;
    QColor Glyph;
};

TScreenColours ColoursOf(TStatePicture state)
{
    switch (state) {
    case TStatePicture::Off:
        return {QColor(0x2B, 0x2F, 0x36), QColor(0x1B, 0x1E, 0x23), QColor(0x8A, 0x90, 0x99)};
    case TStatePicture::NoMedia:
        return {QColor(0x8C, 0x9D, 0xAE), QColor(0x5D, 0x6B, 0x7A), QColor(0xF0, 0xF4, 0xF8)};
    case TStatePicture::Stop:
        return {QColor(0x4D, 0x9A, 0xF0), QColor(0x1F, 0x6F, 0xD1), Qt::white};
    case TStatePicture::Pause:
        return {QColor(0xF7, 0xBE, 0x3C), QColor(0xD9, 0x8A, 0x00), Qt::white};
    case TStatePicture::Play:
        return {QColor(0x45, 0xD1, 0x74), QColor(0x1E, 0x9E, 0x4A), Qt::white};
    }
    return {Qt::gray, Qt::darkGray, Qt::white};
}

void DrawMonitorBody(QPainter &p, const TScreenColours &colours)
{
    // Stand first, so the bezel overlaps its neck.
    QLinearGradient standFill(0, 32, 0, 41);
    standFill.setColorAt(0, QColor(0x5A, 0x60, 0x69));
    standFill.setColorAt(1, QColor(0x3A, 0x3F, 0x47));
    p.setPen(Qt::NoPen);
    p.setBrush(standFill);
    QPolygonF neck;
    neck << QPointF(19, 31) << QPointF(25, 31) << QPointF(26.5, 37.5) << QPointF(17.5, 37.5);
    p.drawPolygon(neck);
    p.drawRoundedRect(QRectF(11, 37, 22, 3.5), 1.5, 1.5);

    QLinearGradient bezelFill(0, 4, 0, 33);
    bezelFill.setColorAt(0, QColor(0x4A, 0x50, 0x5A));
    bezelFill.setColorAt(1, QColor(0x23, 0x27, 0x2E));
    p.setPen(QPen(QColor(0x15, 0x18, 0x1C), 1));
    p.setBrush(bezelFill);
    p.drawRoundedRect(QRectF(1.5, 4.5, 41, 28), 3, 3);

    const QRectF screen(4.5, 7.5, 35, 22);
    QLinearGradient screenFill(screen.topLeft(), screen.bottomLeft());
    screenFill.setColorAt(0, colours.Top);
    screenFill.setColorAt(1, colours.Bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(screenFill);
    p.drawRect(screen);

    // A faint reflection across the upper left of the glass.
    QPainterPath gloss;
    gloss.moveTo(screen.topLeft());
    gloss.lineTo(screen.left() + 20, screen.top());
    gloss.lineTo(screen.left(), screen.top() + 13);
    gloss.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 34));
    p.drawPath(gloss);
}

void DrawStateGlyph(QPainter &p, TStatePicture state, const QColor &glyph)
{
    const QPointF c(22, 18.5);
    switch (state) {
    case TStatePicture::Off: {
        QPen pen(glyph, 2, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRectF ring(c.x() - 6, c.y() - 5.5, 12, 12);
        p.drawArc(ring, 60 * 16, -300 * 16);
        p.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() - 0.5));
        break;
    }
    case TStatePicture::NoMedia: {
        QPen pen(glyph, 2, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 6, 6);
        p.drawLine(QPointF(c.x() - 4.2, c.y() + 4.2), QPointF(c.x() + 4.2, c.y() - 4.2));
        break;
    }
    case TStatePicture::Stop:
        p.setPen(Qt::NoPen);
        p.setBrush(glyph);
        p.drawRoundedRect(QRectF(c.x() - 5.5, c.y() - 5.5, 11, 11), 1.5, 1.5);
        break;
    case TStatePicture::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(glyph);
        p.drawRoundedRect(QRectF(c.x() - 5.5, c.y() - 6, 4, 12), 1, 1);
        p.drawRoundedRect(QRectF(c.x() + 1.5, c.y() - 6, 4, 12), 1, 1);
        break;
    case TStatePicture::Play: {
        QPolygonF triangle;
        triangle << QPointF(c.x() - 4.5, c.y() - 7) << QPointF(c.x() + 7, c.y())
                 << QPointF(c.x() - 4.5, c.y() + 7);
        p.setPen(QPen(glyph, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(glyph);
        p.drawPolygon(triangle);
        break;
    }
    }
}

// One rounded chain link, drawn along the diagonal, centred on `centre`.
void DrawChainLink(QPainter &p, const QPointF &centre, qreal length)
{
    p.save();
    p.translate(centre);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-length / 2, -3.5, length, 7), 3.5, 3.5);
    p.restore();
}

// A small monitor: the state picture's body scaled into `box`.
void DrawSmallMonitor(QPainter &p, const QRectF &box)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / StatePictureSize, box.height() / StatePictureSize);
    DrawMonitorBody(p, ColoursOf(TStatePicture::NoMedia));
    p.restore();
}

// A round badge with a plus or a cross, at the lower right of a tile picture.
void DrawBadge(QPainter &p, const QPointF &centre, const QColor &fill, bool cross)
{
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(fill);
    p.drawEllipse(centre, 6.5, 6.5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    if (cross) {
        p.drawLine(centre + QPointF(-2.6, -2.6), centre + QPointF(2.6, 2.6));
        p.drawLine(centre + QPointF(-2.6, 2.6), centre + QPointF(2.6, -2.6));
    } else {
        p.drawLine(centre + QPointF(-3.2, 0), centre + QPointF(3.2, 0));
        p.drawLine(centre + QPointF(0, -3.2), centre + QPointF(0, 3.2));
    }
}

// One half of a plug: a body with two pins pointing right (or left when mirrored).
void DrawPlugHalf(QPainter &p, const QPointF &tip, bool pointsRight, const QColor &colour)
{
    const qreal dir = pointsRight ? 1 : -1;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QRectF body(tip.x() - dir * 9 - (pointsRight ? 0 : 8), tip.y() - 5, 8, 10);
    p.drawRoundedRect(body.normalized(), 2, 2);
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap));
    if (pointsRight) {
        p.drawLine(QPointF(tip.x() - 1, tip.y() - 2.5), QPointF(tip.x() + 3, tip.y() - 2.5));
        p.drawLine(QPointF(tip.x() - 1, tip.y() + 2.5), QPointF(tip.x() + 3, tip.y() + 2.5));
        p.drawLine(QPointF(body.left(), tip.y()), QPointF(body.left() - 4, tip.y()));
    } else {
        p.drawLine(QPointF(body.right(), tip.y()), QPointF(body.right() + 4, tip.y()));
    }
}

} // namespace

QPixmap BuiltinTilePicture(TTilePicture picture, qreal dpr)
{
    QPixmap pixmap = BlankPixmap(TilePictureSize, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(0x1E, 0x9E, 0x4A), red(0xD0, 0x3A, 0x30), grey(0x80, 0x86, 0x90);
    switch (picture) {
    case TTilePicture::AddScreen:
        DrawSmallMonitor(p, QRectF(0, 0, 24, 24));
        DrawBadge(p, QPointF(21, 20), green, false);
        break;
    case TTilePicture::EditScreen: {
        DrawSmallMonitor(p, QRectF(0, 0, 24, 24));
        p.save();
        p.translate(19, 17);
        p.rotate(-45);
        p.setPen(QPen(QColor(0x6E, 0x4A, 0x10), 0.8));
        p.setBrush(QColor(0xF2, 0xA9, 0x2C));
        p.drawRect(QRectF(-7, -2.2, 11, 4.4));
        p.setBrush(QColor(0xF3, 0xD9, 0xA8));
        QPolygonF nib;
        nib << QPointF(-7, -2.2) << QPointF(-10.5, 0) << QPointF(-7, 2.2);
        p.drawPolygon(nib);
        p.restore();
        break;
    }
    case TTilePicture::DuplicateScreen:
        DrawSmallMonitor(p, QRectF(0, 0, 20, 20));
        DrawSmallMonitor(p, QRectF(8, 7, 20, 20));
        break;
    case TTilePicture::DeleteScreen:
        DrawSmallMonitor(p, QRectF(0, 0, 24, 24));
        DrawBadge(p, QPointF(21, 20), red, true);
        break;
    case TTilePicture::DeleteAllScreens:
        DrawSmallMonitor(p, QRectF(0, 0, 18, 18));
        DrawSmallMonitor(p, QRectF(6, 5, 20, 20));
        DrawBadge(p, QPointF(21, 20), red, true);
        break;
    case TTilePicture::ConnectAll:
        DrawPlugHalf(p, QPointF(13, 14), true, green);
        DrawPlugHalf(p, QPointF(16, 14), false, green);
        break;
    case TTilePicture::DisconnectAll:
        DrawPlugHalf(p, QPointF(10, 14), true, grey);
        DrawPlugHalf(p, QPointF(19, 14), false, grey);
        p.setPen(QPen(red, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 6), QPointF(14.5, 9));
        p.drawLine(QPointF(14.5, 19), QPointF(14.5, 22));
        break;
    }
    return pixmap;
}

QPixmap BuiltinStatePicture(TStatePicture state, qreal dpr)
{
    QPixmap pixmap = BlankPixmap(StatePictureSize, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const TScreenColours colours = ColoursOf(state);
    DrawMonitorBody(p, colours);
    DrawStateGlyph(p, state, colours.Glyph);
    return pixmap;
}

QPixmap BuiltinLockPicture(qreal dpr)
{
    QPixmap pixmap = BlankPixmap(LockPictureSize, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x6E, 0x5A, 0x1E), 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(4.8, 8);
    shackle.lineTo(4.8, 5.2);
    shackle.arcTo(QRectF(4.8, 1.5, 6.4, 7), 180, -180);
    shackle.lineTo(11.2, 8);
    p.drawPath(shackle);

    QLinearGradient body(0, 7, 0, 15);
    body.setColorAt(0, QColor(0xF7, 0xD3, 0x5C));
    body.setColorAt(1, QColor(0xD1, 0x9A, 0x12));
    p.setPen(QPen(QColor(0x8A, 0x65, 0x00), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5A, 0x40, 0x00));
    p.drawEllipse(QPointF(8, 10.6), 1.3, 1.3);
    p.drawRect(QRectF(7.4, 11, 1.2, 2.4));
    return pixmap;
}

QPixmap BuiltinLinkPicture(qreal dpr)
{
    QPixmap pixmap = BlankPixmap(LinkPictureSize, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1F, 0x7A, 0x3A), 2.4));
    DrawChainLink(p, QPointF(8.5, 15.5), 13);
    DrawChainLink(p, QPointF(15.5, 8.5), 13);
    return pixmap;
}

QPixmap BuiltinLinkBrokePicture(qreal dpr)
{
    QPixmap pixmap = BlankPixmap(LinkPictureSize, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 2.4));
    DrawChainLink(p, QPointF(6.5, 17.5), 11);
    DrawChainLink(p, QPointF(17.5, 6.5), 11);
    // The crack between the two halves.
    p.setPen(QPen(QColor(0xD0, 0x30, 0x30), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 8.5), QPointF(9, 6));
    p.drawLine(QPointF(13.5, 15.5), QPointF(15, 18));
    p.drawLine(QPointF(8.5, 10.5), QPointF(6, 9.5));
    p.drawLine(QPointF(15.5, 13.5), QPointF(18, 14.5));
    return pixmap;
}

QPixmap BuiltinButtonPicture(TButtonPicture picture, qreal dpr)
{
    QPixmap pixmap = BlankPixmap(TransportPictureSize, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x2D, 0x34, 0x40);
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ink);
    const auto triangle = [&p](QPointF a, QPointF b, QPointF c) {
        QPolygonF polygon;
        polygon << a << b << c;
        p.drawPolygon(polygon);
    };
    const auto bar = [&p](qreal x, qreal y, qreal w, qreal h) {
        p.drawRoundedRect(QRectF(x, y, w, h), 0.6, 0.6);
    };
    switch (picture) {
    case TButtonPicture::Play:
        triangle({4, 2.5}, {13.5, 8}, {4, 13.5});
        break;
    case TButtonPicture::Pause:
        p.setPen(Qt::NoPen);
        bar(3.5, 2.5, 3.5, 11);
        bar(9, 2.5, 3.5, 11);
        break;
    case TButtonPicture::Stop:
        bar(3.5, 3.5, 9, 9);
        break;
    case TButtonPicture::Previous:
        bar(2.5, 3.5, 2, 9);
        triangle({13.5, 3.5}, {5.5, 8}, {13.5, 12.5});
        break;
    case TButtonPicture::Next:
        bar(11.5, 3.5, 2, 9);
        triangle({2.5, 3.5}, {10.5, 8}, {2.5, 12.5});
        break;
    case TButtonPicture::SeekBack:
        triangle({8, 3.5}, {1.5, 8}, {8, 12.5});
        triangle({14.5, 3.5}, {8, 8}, {14.5, 12.5});
        break;
    case TButtonPicture::SeekForward:
        triangle({1.5, 3.5}, {8, 8}, {1.5, 12.5});
        triangle({8, 3.5}, {14.5, 8}, {8, 12.5});
        break;
    case TButtonPicture::MoveUp:
        triangle({8, 4}, {13.5, 11.5}, {2.5, 11.5});
        break;
    case TButtonPicture::MoveDown:
        triangle({2.5, 4.5}, {13.5, 4.5}, {8, 12});
        break;
    case TButtonPicture::MoveTop:
        bar(2.5, 2, 11, 2);
        triangle({8, 6}, {13.5, 13.5}, {2.5, 13.5});
        break;
    case TButtonPicture::MoveBottom:
        bar(2.5, 12, 11, 2);
        triangle({2.5, 2.5}, {13.5, 2.5}, {8, 10});
        break;
    case TButtonPicture::ShowMore:
        triangle({3, 3}, {13, 3}, {8, 8});
        triangle({3, 8.5}, {13, 8.5}, {8, 13.5});
        break;
    case TButtonPicture::ShowLess:
        triangle({3, 8}, {13, 8}, {8, 3});
        triangle({3, 13.5}, {13, 13.5}, {8, 8.5});
        break;
    }
    return pixmap;
}

QString StatePictureFileName(TStatePicture state)
{
    switch (state) {
    case TStatePicture::Off:
        return QStringLiteral("monitor_off.bmp");
    case TStatePicture::NoMedia:
        return QStringLiteral("monitor_nomedia.bmp");
    case TStatePicture::Stop:
        return QStringLiteral("monitor_stop.bmp");
    case TStatePicture::Pause:
        return QStringLiteral("monitor_pause.bmp");
    case TStatePicture::Play:
        return QStringLiteral("monitor_play.bmp");
    }
    return QString();
}

bool LoadReplacementPicture(const QString &path, QPixmap &picture)
{
    if (!QFileInfo(path).isFile())
        return false;
    QImage image;
    if (!image.load(path) || image.isNull())
        return false;
    if (!image.hasAlphaChannel()) {
        const QRgb key = image.pixel(0, image.height() - 1);
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0x00FFFFFF) == (key & 0x00FFFFFF))
                    line[x] = 0;
            }
        }
    }
    picture = QPixmap::fromImage(image);
    return true;
}

void TConsolePictures::CreateBuiltin(qreal dpr)
{
    FDpr = dpr;
    for (int i = 0; i < StatePictureCount; ++i)
        FStates[i] = BuiltinStatePicture(static_cast<TStatePicture>(i), dpr);
    FLock = BuiltinLockPicture(dpr);
    FLink = BuiltinLinkPicture(dpr);
    FLinkBroke = BuiltinLinkBrokePicture(dpr);
}

int TConsolePictures::LoadReplacements(const QString &dataFolder)
{
    int replaced = 0;
    for (int i = 0; i < StatePictureCount; ++i) {
        const QString path = dataFolder + StatePictureFileName(static_cast<TStatePicture>(i));
        if (LoadReplacementPicture(path, FStates[i]))
            ++replaced;
    }
    return replaced;
}

void TConsolePictures::Release()
{
    for (QPixmap &picture : FStates)
        picture = QPixmap();
    FLock = FLink = FLinkBroke = QPixmap();
}

const QPixmap &TConsolePictures::Picture(TStatePicture state) const
{
    return FStates[static_cast<int>(state)];
}

QPixmap TConsolePictures::StatePicture(int playState) const
{
    switch (playState) {
    case -1:
        return Picture(TStatePicture::Off);
    case 0:
        return Picture(TStatePicture::NoMedia);
    case 1:
        return Picture(TStatePicture::Stop);
    case 2:
        return Picture(TStatePicture::Pause);
    case 3:
        return Picture(TStatePicture::Play);
    default:
        return QPixmap();
    }
}

QPixmap TConsolePictures::ButtonPicture(TButtonPicture picture) const
{
    return BuiltinButtonPicture(picture, FDpr);
}
