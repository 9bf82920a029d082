#include "TStartPlaylist.h"

#include "TPresenterState.h"
#include "schedule/NaturalCompare.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

bool IsMediaFile(const QString &suffix)
{
    static const QStringList media{
        QStringLiteral("mp4"),  QStringLiteral("mkv"),  QStringLiteral("avi"),
        QStringLiteral("mov"),  QStringLiteral("wmv"),  QStringLiteral("mpg"),
        QStringLiteral("mpeg"), QStringLiteral("m4v"),  QStringLiteral("webm"),
        QStringLiteral("mp3"),  QStringLiteral("wav"),  QStringLiteral("wma"),
        QStringLiteral("aac"),  QStringLiteral("flac"), QStringLiteral("ogg"),
        QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("png"),
        QStringLiteral("bmp"),  QStringLiteral("gif")};
    return media.contains(suffix, Qt::CaseInsensitive);
}

bool IsPlaylistFile(const QString &entry)
{
    return entry.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive) ||
           entry.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive);
}

} // namespace

QStringList ShareMediaFiles(const TShareFolder &share)
{
    QStringList files;
    if (!share.IsAvailable())
        return files;
    const QString root = share.RootPath();
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (!IsMediaFile(info.suffix()))
            continue;
        QString relative = info.filePath().mid(root.size() + 1);
        // Symbolic links that lead out of the share are not the share's media,
        // and "|" would cut the entry apart on the wire.
        if (share.Resolve(relative).isEmpty() || relative.contains(QLatin1Char('|')))
            continue;
        files.append(relative.replace(QLatin1Char('/'), QLatin1Char('\\')));
    }
    std::sort(files.begin(), files.end(),
              [](const QString &a, const QString &b) { return NaturalCompare(a, b) < 0; });
    return files;
}

bool ResolveStartPlaylist(const TShareFolder &share, const QString &text, QStringList &entries,
                          QString &error)
{
    entries.clear();
    if (!share.IsAvailable()) {
        error = QStringLiteral("the screen has no shared folder");
        return false;
    }
    if (text.isEmpty()) {
        entries = ShareMediaFiles(share);
        if (entries.isEmpty())
            error = QStringLiteral("the shared folder holds no media files");
        return !entries.isEmpty();
    }
    if (!text.contains(QLatin1Char('|')) && IsPlaylistFile(text)) {
        switch (share.ReadPlaylist(text, entries)) {
        case 0:
            return true;
        case -3:
            error = QStringLiteral("the playlist file has no valid entries: ") + text;
            return false;
        default:
            error = QStringLiteral("the playlist file cannot be read: ") + text;
            return false;
        }
    }
    for (const QString &entry : SplitListPayload(text, QLatin1Char('|'))) {
        if (!share.EntryExists(entry)) {
            error = QStringLiteral("not in the shared folder: ") + entry;
            entries.clear();
            return false;
        }
        entries.append(entry);
    }
    return true;
}
