#pragma once

#include <QPixmap>

// Where the screen list takes its pictures from. The main window provides the
// pictures loaded at start (built-in ones, replaced by files in the data folder).
class TScreenPictureSource
{
public:
    virtual ~TScreenPictureSource() = default;

    // The picture for a play state (-1, 0, 1, 2, 3); a null pixmap for any
    // other state, such as connecting (100), which is drawn without one.
    virtual QPixmap StatePicture(int playState) const = 0;
    // Drawn beside the state picture of a screen with a password.
    virtual QPixmap LockPicture() const = 0;
    // The link button's picture with link mode on (LinkImage) or off (LinkBrokeImage).
    virtual QPixmap LinkPicture(bool linked) const = 0;
};
