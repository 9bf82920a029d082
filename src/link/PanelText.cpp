#include "link/PanelText.h"

#include "link/TVLScreenClass.h"
#include "messages/MessageCatalogue.h"

namespace {

const QLatin1String LinkMarker("://");

// Position just past the last path or drive delimiter, 0 when there is none.
qsizetype FileNameStart(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    const qsizetype colon = path.lastIndexOf(QLatin1Char(':'));
    return qMax(slash, colon) + 1;
}

} // namespace

QString PanelHeaderText(const QStringList &tags)
{
    if (tags.isEmpty())
        return QLatin1Char(' ') + MessageText(82);
    return QLatin1Char(' ') + tags.join(QLatin1String(", "));
}

QString ScheduleDisplayRowText(const QString &file)
{
    if (file.contains(LinkMarker))
        return file;
    const qsizetype nameStart = FileNameStart(file);
    if (nameStart < file.size())
        return file.mid(nameStart);
    return file.left(nameStart);
}

QString PlaylistRowText(const QString &entry)
{
    const qsizetype link = entry.indexOf(LinkMarker);
    if (link >= 0)
        return entry.mid(link + LinkMarker.size());
    return entry.mid(FileNameStart(entry));
}

QString ConnectButtonCaption(int playState)
{
    switch (playState) {
    case psDisconnected:
        return MessageText(7);
    case psConnecting:
        return MessageText(8);
    default:
        return MessageText(9);
    }
}

bool ConnectButtonEnabled(int playState)
{
    return playState != psConnecting;
}

bool ScreenControlsEnabled(int playState)
{
    return playState != psDisconnected && playState != psConnecting;
}

TPlayPausePicture PlayPausePicture(int playState)
{
    switch (playState) {
    case psNoMedia:
    case psStopped:
    case psPaused:
        return TPlayPausePicture::Play;
    case psPlaying:
        return TPlayPausePicture::Pause;
    default:
        return TPlayPausePicture::Unchanged;
    }
}

QString PlayStateText(int playState)
{
    switch (playState) {
    case psStopped:
        return MessageText(15);
    case psPaused:
        return MessageText(16);
    case psPlaying:
        return MessageText(17);
    case psConnecting:
        return MessageText(8);
    default:
        return MessageText(14);
    }
}

QString VolumeHintText(int volume)
{
    return QString::number(volume) + QLatin1Char('%');
}
