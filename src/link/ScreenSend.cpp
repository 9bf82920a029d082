// Sending: one line, the configuration burst and the window placement.
#include "link/TVLScreenClass.h"

namespace {

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool TVLScreenClass::SendLine(const QString &text)
{
    QTcpSocket *connection = Connection();
    if (!connection)
        return false;
    QByteArray bytes = text.toUtf8();
    if (!FPassword.isEmpty()) {
        bytes = FCipher.EncipherLine(bytes);
        if (bytes.isEmpty())
            return false; // the cipher could not be keyed: never send such a line in clear
    }
    bytes.append("\r\n", 2);
    // One write per line: QTcpSocket queues whatever the system does not take
    // at once and sends it in order, so lines are never cut into each other.
    connection->write(bytes);
    return true;
}

void TVLScreenClass::SendConfiguration()
{
    SendLine(QStringLiteral("0120"));
    SendLine(QStringLiteral("0130"));
    SendLine(QStringLiteral("0134"));
    SendLine(QStringLiteral("0144"));
    SendLine(QStringLiteral("0150 ") + Flag(!HideMouseCursor));
    SendLine(QStringLiteral("2300"));
    SendLine(QStringLiteral("6040"));
    SendLine(QStringLiteral("1100 2"));
    SendLine(DisableOSD ? QStringLiteral("5110 exInterface,12")
                        : QStringLiteral("5110 exInterface,11"));
    SendLine(DisableParts ? QStringLiteral("5110 exPartLoader,0")
                          : QStringLiteral("5110 exPartLoader,1"));
    SendLine(QStringLiteral("5110 exPlaylistMode,") + QString::number(PlaylistMode));
    SendLine(QStringLiteral("5110 exSlideshow,") + QString::number(SlideshowDelay));
    if (Layout == 0)
        SendLine(QStringLiteral("1040 0"));
    else if (Layout == 1)
        SendLine(QStringLiteral("1040 ") + Flag(ScreenMode == 1));
    SendLine(QStringLiteral("6110"));
    SendLine(QStringLiteral("6120"));
    SendLine(QStringLiteral("6140 ") + Flag(SchedulePause));
    SendLine(QStringLiteral("6150 ") + Flag(ScheduleHideScreen));
    SendLine(QStringLiteral("0110 1"));
}

void TVLScreenClass::SendLayout()
{
    if (PlayState == psDisconnected || PlayState == psConnecting)
        return;
    if (ScreenMode == 2) {
        SendLine(QStringLiteral("5110 exInterface,6"));
        SendLine(QStringLiteral("6160 1,32767,32767,100,100"));
    } else if (Layout == 0) {
        SendLine(QStringLiteral("6160 0,") + QString::number(Monitor - 1));
    } else if (Layout == 1 || Layout == 2) {
        SendLine(QStringLiteral("5110 exSkinMode,4"));
        SendLine(QStringLiteral("6160 1,") + QString::number(CustomXOfs) + QLatin1Char(',') +
                 QString::number(CustomYOfs) + QLatin1Char(',') + QString::number(CustomWidth) +
                 QLatin1Char(',') + QString::number(CustomHeight));
    } else {
        SendLine(QStringLiteral("6160 "));
    }
}
