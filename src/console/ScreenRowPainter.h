#pragma once

#include <QColor>
#include <QString>

class QFont;
class QPainter;
class QRect;
class TScreenPictureSource;
class TVLScreenClass;

// Drawing of one row of the screen list, kept apart from any view so it can be
// checked on an image.
namespace ScreenRowPainter {

// Row background: a selected row is green, darker while link mode is on;
// other rows take the list's background.
QColor ListBackground(bool linkMode);
QColor SelectedRowColor(bool linkMode);

// Picture height used for the layout when no play picture is available.
constexpr int DefaultPictureHeight = 44;

// (absolute font height + 2) x 2 + play picture height + 12.
int RowHeight(const QFont &font, const TScreenPictureSource *pictures);

// Paints the row in `rowRect`: background, the state picture centred 6 pixels
// below the top, the lock for a screen with a password, and below them the
// name and "address:port" from `rowText`, each centred on the picture.
void PaintRow(QPainter &painter, const QRect &rowRect, const TVLScreenClass &screen,
              const QString &rowText, bool selected, bool linkMode, const QFont &font,
              const TScreenPictureSource *pictures);

} // namespace ScreenRowPainter
