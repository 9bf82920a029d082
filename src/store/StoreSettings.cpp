#include "store/StoreSettings.h"

#include <QDir>

QString StoreProfileDir()
{
    return qEnvironmentVariable("ORVANE_PROFILE_DIR");
}

std::unique_ptr<QSettings> OpenStoreSettings()
{
    const QString profileDir = StoreProfileDir();
    if (!profileDir.isEmpty()) {
        return std::make_unique<QSettings>(
            QDir(profileDir).filePath(QStringLiteral("OrvaneDesk.ini")), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QStringLiteral("Kestrova"), QStringLiteral("OrvaneDesk"));
}

QString StoreFilePath(const QSettings &settings)
{
#ifdef Q_OS_WIN
    if (settings.format() == QSettings::NativeFormat)
        return QString();
#endif
    return settings.fileName();
}
