#pragma once

#include "console/TScreenPictureSource.h"

#include <QPixmap>
#include <QString>

// The pictures the console draws itself, so it needs no image files: the five
// screen states of the list rows, the password lock, the link button's two
// faces and the Play/Pause button's two faces. Each is painted at the given
// device pixel ratio, so it stays crisp on high-density displays.

enum class TStatePicture { Off, NoMedia, Stop, Pause, Play };
constexpr int StatePictureCount = 5;
constexpr int StatePictureSize = 44; // logical pixels, square
constexpr int LockPictureSize = 16;
constexpr int LinkPictureSize = 24;
constexpr int TransportPictureSize = 16;

QPixmap BuiltinStatePicture(TStatePicture state, qreal dpr);
QPixmap BuiltinLockPicture(qreal dpr);
QPixmap BuiltinLinkPicture(qreal dpr);
QPixmap BuiltinLinkBrokePicture(qreal dpr);

// Small glyphs of the transport, editor and panel buttons.
enum class TButtonPicture {
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    SeekBack,
    SeekForward,
    MoveUp,
    MoveDown,
    MoveTop,
    MoveBottom,
    ShowMore,
    ShowLess
};
QPixmap BuiltinButtonPicture(TButtonPicture picture, qreal dpr);

// Pictures of the large buttons of the top row.
enum class TTilePicture {
    AddScreen,
    EditScreen,
    DuplicateScreen,
    DeleteScreen,
    DeleteAllScreens,
    ConnectAll,
    DisconnectAll
};
constexpr int TilePictureSize = 28;
QPixmap BuiltinTilePicture(TTilePicture picture, qreal dpr);

// "monitor_off.bmp" ... "monitor_play.bmp": the data-folder files that replace the built-in ones.
QString StatePictureFileName(TStatePicture state);

// Loads a replacement picture. Plain bitmaps have no alpha channel, so the colour
// of the bottom-left pixel is taken as transparent, as the classic transparent
// bitmap does. Returns false, leaving `picture` alone, when the file is missing
// or cannot be read.
bool LoadReplacementPicture(const QString &path, QPixmap &picture);

// The pictures of this run: built in, the state pictures then replaced from the data folder.
class TConsolePictures : public TScreenPictureSource
{
public:
    void CreateBuiltin(qreal dpr);
    // `dataFolder` ends with a separator. Returns how many files replaced a picture.
    int LoadReplacements(const QString &dataFolder);
    void Release();

    const QPixmap &Picture(TStatePicture state) const;

    QPixmap StatePicture(int playState) const override;
    QPixmap LockPicture() const override { return FLock; }
    QPixmap LinkPicture(bool linked) const override { return linked ? FLink : FLinkBroke; }
    QPixmap ButtonPicture(TButtonPicture picture) const;

private:
    QPixmap FStates[StatePictureCount];
    QPixmap FLock;
    QPixmap FLink;
    QPixmap FLinkBroke;
    qreal FDpr = 1.0;
};
