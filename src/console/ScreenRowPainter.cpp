#include "console/ScreenRowPainter.h"

#include "console/ScreenListRules.h"
#include "console/TScreenPictureSource.h"
#include "link/TVLScreenClass.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace ScreenRowPainter {

namespace {

int AbsoluteFontHeight(const QFont &font)
{
    return QFontInfo(font).pixelSize();
}

int PlayPictureHeight(const TScreenPictureSource *pictures)
{
    if (pictures) {
        const QPixmap play = pictures->StatePicture(psPlaying);
        if (!play.isNull())
            return qRound(play.deviceIndependentSize().height());
    }
    return DefaultPictureHeight;
}

} // namespace

QColor ListBackground(bool linkMode)
{
    return linkMode ? QColor(0xE0, 0xFF, 0xE0) : QColor(0xFF, 0xFF, 0xFF);
}

QColor SelectedRowColor(bool linkMode)
{
    return linkMode ? QColor(0xA0, 0xE0, 0xA0) : QColor(0xAF, 0xF0, 0xAF);
}

int RowHeight(const QFont &font, const TScreenPictureSource *pictures)
{
    return (AbsoluteFontHeight(font) + 2) * 2 + PlayPictureHeight(pictures) + 12;
}

void PaintRow(QPainter &painter, const QRect &rowRect, const TVLScreenClass &screen,
              const QString &rowText, bool selected, bool linkMode, const QFont &font,
              const TScreenPictureSource *pictures)
{
    painter.save();
    painter.fillRect(rowRect, selected ? SelectedRowColor(linkMode) : ListBackground(linkMode));

    // The layout follows the play picture, so rows keep one height whatever
    // state picture (or none, while connecting) a row shows.
    const int pictureHeight = PlayPictureHeight(pictures);
    QPixmap state;
    if (pictures)
        state = pictures->StatePicture(screen.PlayState);
    const int pictureWidth =
        state.isNull() ? pictureHeight : qRound(state.deviceIndependentSize().width());
    const int pictureLeft = rowRect.left() + (rowRect.width() - pictureWidth) / 2;
    const int centreX = pictureLeft + pictureWidth / 2;
    if (!state.isNull())
        painter.drawPixmap(pictureLeft, rowRect.top() + 6, state);

    if (!screen.Password().isEmpty() && pictures) {
        const QPixmap lock = pictures->LockPicture();
        if (!lock.isNull()) {
            const QSize lockSize = lock.deviceIndependentSize().toSize();
            const int lockLeft = pictureLeft + pictureWidth - lockSize.width() + 16;
            const int lockTop = rowRect.top() + (pictureHeight - lockSize.height()) / 2 + 4;
            painter.drawPixmap(lockLeft, lockTop, lock);
        }
    }

    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    const int fontHeight = AbsoluteFontHeight(font);
    const int halfWidth = rowRect.width();
    const QRect nameRect(centreX - halfWidth, rowRect.top() + pictureHeight + 8, 2 * halfWidth,
                         metrics.height());
    const QRect addressRect(centreX - halfWidth, rowRect.top() + pictureHeight + fontHeight + 10,
                            2 * halfWidth, metrics.height());
    painter.setClipRect(rowRect);
    painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
                     ScreenListRules::RowNamePart(rowText));
    painter.drawText(addressRect, Qt::AlignHCenter | Qt::AlignTop,
                     ScreenListRules::RowAddressPart(rowText));
    painter.restore();
}

} // namespace ScreenRowPainter
