#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString SingleInstanceLockPath(const QString &profileDir)
{
    QString name = QStringLiteral("OrvaneDesk");
    if (!profileDir.isEmpty()) {
        const QByteArray key = QFileInfo(profileDir).absoluteFilePath().toUtf8();
        const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
        name += QLatin1Char('-') + QString::fromLatin1(hash.left(12));
    }
    return QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
}

TSingleInstanceLock::TSingleInstanceLock(const QString &path) : FLock(path)
{
    // Only a dead owner makes the lock stale, never its age: the console runs for days.
    FLock.setStaleLockTime(0);
}

bool TSingleInstanceLock::TryAcquire()
{
    return FLock.tryLock(0);
}
