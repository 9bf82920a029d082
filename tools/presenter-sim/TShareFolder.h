#pragma once

#include <QString>
#include <QStringList>

// The presenter's shared media folder: a real directory on this machine.
// Every path a console sends is relative to it, written with "\" or "/".
// Nothing a peer sends may reach outside it: ".." components, absolute
// paths, drive letters and symbolic links that lead out are all refused.
class TShareFolder
{
public:
    explicit TShareFolder(const QString &rootPath = QString());

    // False when the presenter runs without a shared folder.
    bool IsAvailable() const { return !FRoot.isEmpty(); }
    QString RootPath() const { return FRoot; }

    // The absolute local path of `relative`, or an empty text when it is
    // refused or the presenter has no shared folder. The target need not exist,
    // but its nearest existing ancestor must lie inside the share.
    QString Resolve(const QString &relative) const;

    // True when `entry` is a web link or names an existing file or folder inside the share.
    bool EntryExists(const QString &entry) const;

    // The tagged listing of one folder ("" for the root): entries joined by ">",
    // folders first, then files, each sorted by name. Returns false when the
    // folder cannot be listed (no share, refused path, not a folder).
    bool ListFolder(const QString &relative, QString &listing) const;

    // Writes a playlist file, one entry per line. Returns false when it cannot.
    bool WritePlaylist(const QString &relative, const QStringList &entries) const;

    // Reads a playlist file. Result codes as the presenter replies them:
    // 0 read, -1 missing or refused, -2 unreadable, -3 no valid entries, -4 no share.
    int ReadPlaylist(const QString &relative, QStringList &validEntries) const;

private:
    QString FRoot; // canonical, without trailing separator
};
