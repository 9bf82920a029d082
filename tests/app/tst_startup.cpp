// Program entry: the single-instance rule on the real program, the folders, the demo store.
#include "TemporaryProfile.h"
#include "app/DemoFleet.h"
#include "app/SingleInstance.h"
#include "app/StartUp.h"
#include "link/TVLScreenClass.h"
#include "store/TScreenStore.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyEndsSilently();
    void lockOfDeadProcessIsTakenOver();
    void profilesHaveTheirOwnLock();
    void dataFolderEndsWithSeparator();
    void demoStoreSeededOnlyWhenEmpty();
};

void TestStartUp::secondCopyEndsSilently()
{
    const QString program = qEnvironmentVariable("ORVANE_BIN");
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        QSKIP("ORVANE_BIN does not name the built program");
    QTemporaryDir profile;
    QVERIFY(profile.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANE_PROFILE_DIR"), profile.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    QVERIFY(first.waitForStarted(10000));
    const QString lockPath = SingleInstanceLockPath(profile.path());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath), 15000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(second.readAllStandardOutput().isEmpty());
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(QFile::exists(lockPath));

    first.kill();
    QVERIFY(first.waitForFinished(10000));
}

void TestStartUp::lockOfDeadProcessIsTakenOver()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("OrvaneDesk.lock"));
    {
        // A copy that crashed leaves its lock behind: its process is gone.
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        QVERIFY(gone.waitForFinished(10000));
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray::number(gone.processId() ? gone.processId() : 999999) +
                    "\norvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    TSingleInstanceLock lock(path);
    QVERIFY(lock.TryAcquire());
    TSingleInstanceLock another(path);
    QVERIFY(!another.TryAcquire());
}

void TestStartUp::profilesHaveTheirOwnLock()
{
    const QString own = SingleInstanceLockPath(QString());
    const QString demo = SingleInstanceLockPath(QStringLiteral("/tmp/orvane-demo"));
    const QString other = SingleInstanceLockPath(QStringLiteral("/tmp/orvane-other"));
    QCOMPARE(QFileInfo(own).fileName(), QStringLiteral("OrvaneDesk.lock"));
    QVERIFY(QFileInfo(demo).fileName().startsWith(QStringLiteral("OrvaneDesk-")));
    QCOMPARE(QSet<QString>({own, demo, other}).size(), 3);
    QCOMPARE(SingleInstanceLockPath(QStringLiteral("/tmp/orvane-demo")), demo);
}

void TestStartUp::dataFolderEndsWithSeparator()
{
    qputenv("ORVANE_DATA_DIR", "/tmp/orvane-pictures");
    QCOMPARE(MainFormFolders().DataFolder, QStringLiteral("/tmp/orvane-pictures/"));
    qunsetenv("ORVANE_DATA_DIR");
    const TMainFormFolders folders = MainFormFolders();
    QVERIFY(folders.DataFolder.endsWith(QLatin1Char('/')));
    QVERIFY(folders.ProgramFolder.endsWith(QLatin1Char('/')));
}

void TestStartUp::demoStoreSeededOnlyWhenEmpty()
{
    TTemporaryProfile profile;
    QVERIFY(profile.isValid());

    QCOMPARE(SeedDemoStore(24769), 8);
    {
        TScreenStore store;
        store.LoadStore();
        QCOMPARE(store.Count(), 8);
        QSet<QString> addresses;
        QSet<int> ports;
        int withPassword = 0;
        for (const TVLScreenClass *screen : store.Screens()) {
            addresses << screen->Address.toLower();
            ports << screen->Port;
            withPassword += screen->Password().isEmpty() ? 0 : 1;
            QVERIFY(!screen->Tags.isEmpty());
        }
        QVERIFY(addresses.size() < 8); // zones of one PC share its address
        QCOMPARE(ports.size(), 8);
        QVERIFY(ports.contains(24769) && ports.contains(24776));
        QVERIFY(withPassword > 0 && withPassword < 8);
        store.Remove(store.At(0));
        QVERIFY(store.SaveStore());
    }
    // The operator's later changes are never overwritten by the seed.
    QCOMPARE(SeedDemoStore(24769), 0);
    TScreenStore store;
    store.LoadStore();
    QCOMPARE(store.Count(), 7);
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
