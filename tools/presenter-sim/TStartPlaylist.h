#pragma once

#include "TShareFolder.h"

#include <QString>
#include <QStringList>

// The playlist a screen starts with, from the text an operator gives:
// empty for every media file of the share in natural order, a playlist file
// (.m3u, .m3u8) inside the share, or share paths and web links joined by "|".
// Returns false with the reason when the text names nothing that can play.
bool ResolveStartPlaylist(const TShareFolder &share, const QString &text, QStringList &entries,
                          QString &error);

// Every media file below the share, as share paths written with "\" the way a
// console's playlist names them, in natural order.
QStringList ShareMediaFiles(const TShareFolder &share);
