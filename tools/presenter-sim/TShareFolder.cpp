#include "TShareFolder.h"

#include "schedule/ScheduleEntries.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool IsWebLink(const QString &entry)
{
    return entry.contains(QLatin1String("://"));
}

// A listing cannot carry these characters inside a field: ">" separates
// entries and "|" opens and closes tags.
bool CanBeListed(const QString &name)
{
    return !name.contains(QLatin1Char('>')) && !name.contains(QLatin1Char('|'));
}

QString Tagged(char tag, const QString &value)
{
    const QChar upper = QLatin1Char(tag);
    const QChar lower = upper.toLower();
    return QLatin1Char('|') + upper + value + QLatin1Char('|') + lower;
}

QString ListingEntry(const QFileInfo &info)
{
    const bool folder = info.isDir();
    QString name;
    QString extension;
    if (!folder) {
        name = info.completeBaseName();
        extension = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
        // A name that starts with a dot and has no other one (".hidden") keeps
        // it whole: an empty name would make the entry look like a folder.
        if (name.isEmpty()) {
            name = info.fileName();
            extension.clear();
        }
    }
    // Windows-style attribute bits: 1 read-only, 16 directory, 32 archive.
    const bool readOnly = !info.isWritable();
    const int attributes = (readOnly ? 1 : 0) | (folder ? 16 : 32);
    QString entry;
    entry += Tagged('T', folder ? QStringLiteral("folder") : QStringLiteral("file"));
    entry += Tagged('N', name);
    entry += Tagged('E', extension);
    const QDateTime modified = info.lastModified().toLocalTime();
    entry += Tagged('D', QString::number(DaySerial(modified.date(), modified.time()), 'f', 6));
    entry += Tagged('S', QString::number(folder ? 0 : info.size()));
    entry += Tagged('P', folder ? info.fileName() : QString());
    entry += Tagged('R', QString::number(readOnly ? 1 : 0));
    entry += Tagged('F', QString::number(attributes));
    return entry;
}

bool IsInside(const QString &root, const QString &canonical)
{
    return canonical == root || canonical.startsWith(root + QLatin1Char('/'));
}

} // namespace

TShareFolder::TShareFolder(const QString &rootPath)
{
    if (rootPath.isEmpty())
        return;
    const QFileInfo info(rootPath);
    if (info.isDir())
        FRoot = info.canonicalFilePath();
}

QString TShareFolder::Resolve(const QString &relative) const
{
    if (FRoot.isEmpty())
        return QString();
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char(':')) ||
        path.contains(QChar(0)))
        return QString();
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList kept;
    for (const QString &part : parts) {
        if (part == QLatin1String(".."))
            return QString();
        if (part != QLatin1String("."))
            kept.append(part);
    }
    const QString local =
        kept.isEmpty() ? FRoot : FRoot + QLatin1Char('/') + kept.join(QLatin1Char('/'));

    // A symbolic link inside the share may still point outside it: check the
    // real location of the nearest part of the path that exists.
    QString probe = local;
    while (!QFileInfo::exists(probe) && probe.size() > FRoot.size())
        probe = QFileInfo(probe).path();
    const QString canonical = QFileInfo(probe).canonicalFilePath();
    if (canonical.isEmpty() || !IsInside(FRoot, canonical))
        return QString();
    return local;
}

bool TShareFolder::EntryExists(const QString &entry) const
{
    if (IsWebLink(entry))
        return true;
    if (entry.isEmpty())
        return false;
    const QString local = Resolve(entry);
    return !local.isEmpty() && QFileInfo::exists(local);
}

bool TShareFolder::ListFolder(const QString &relative, QString &listing) const
{
    listing.clear();
    const QString local = Resolve(relative);
    if (local.isEmpty() || !QFileInfo(local).isDir())
        return false;
    const QDir dir(local);
    const QFileInfoList folders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    QStringList entries;
    for (const QFileInfoList *group : {&folders, &files}) {
        for (const QFileInfo &info : *group) {
            const QString child = relative.isEmpty()
                                      ? info.fileName()
                                      : relative + QLatin1Char('/') + info.fileName();
            if (CanBeListed(info.fileName()) && !Resolve(child).isEmpty())
                entries.append(ListingEntry(info));
        }
    }
    listing = entries.join(QLatin1Char('>'));
    return true;
}

bool TShareFolder::WritePlaylist(const QString &relative, const QStringList &entries) const
{
    const QString local = Resolve(relative);
    if (local.isEmpty() || local == FRoot || QFileInfo(local).isDir())
        return false;
    QSaveFile file(local);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &entry : entries) {
        file.write(entry.toUtf8());
        file.write("\r\n");
    }
    return file.commit();
}

int TShareFolder::ReadPlaylist(const QString &relative, QStringList &validEntries) const
{
    validEntries.clear();
    if (!IsAvailable())
        return -4;
    const QString local = Resolve(relative);
    if (local.isEmpty() || !QFileInfo(local).isFile())
        return -1;
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        return -2;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &raw : lines) {
        const QString entry = QString::fromUtf8(raw).trimmed();
        // "#" starts a comment line (extended M3U headers); "|" cannot travel in a reply.
        if (entry.isEmpty() || entry.startsWith(QLatin1Char('#')) ||
            entry.contains(QLatin1Char('|')))
            continue;
        if (EntryExists(entry))
            validEntries.append(entry);
    }
    return validEntries.isEmpty() ? -3 : 0;
}
