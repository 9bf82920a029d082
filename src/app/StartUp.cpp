#include "app/StartUp.h"

#include "app/DemoFleet.h"
#include "app/SingleInstance.h"
#include "messages/TLOGForm.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString WithSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TMainFormFolders MainFormFolders()
{
    TMainFormFolders folders;
    folders.ProgramFolder = WithSeparator(QCoreApplication::applicationDirPath());
    const QString overridden = qEnvironmentVariable("ORVANE_DATA_DIR");
    if (!overridden.isEmpty()) {
        folders.DataFolder = WithSeparator(overridden);
        return folders;
    }
    // The first location is the user's own; the ones after it are shared by all users.
    const QStringList locations =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    folders.DataFolder = locations.size() > 1
                             ? WithSeparator(locations.at(1)) + QStringLiteral("Orvane/")
                             : folders.ProgramFolder;
    return folders;
}

int RunOrvane(int argc, char *argv[])
{
    TSingleInstanceLock lock(SingleInstanceLockPath(qEnvironmentVariable("ORVANE_PROFILE_DIR")));
    if (!lock.TryAcquire())
        return 0;

    QApplication app(argc, argv);
    bool demoPortGiven = false;
    const int demoPort = qEnvironmentVariableIntValue("ORVANE_DEMO_PORT", &demoPortGiven);
    if (demoPortGiven && demoPort > 0 && demoPort < 65536)
        SeedDemoStore(demoPort);

    TMainForm form(MainFormFolders());
    form.CreatePropertiesDialog();
    LOGForm();
    SetLOGFormOwner(&form);
    form.show();
    form.FormShow();
    return app.exec();
}
