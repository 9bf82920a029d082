#include "link/PanelText.h"
#include "link/TVLScreenClass.h"

#include <QtTest>

class TestPanelText : public QObject
{
    Q_OBJECT

private slots:
    void headerText_data();
    void headerText();
    void scheduleRow_data();
    void scheduleRow();
    void playlistRow_data();
    void playlistRow();
    void controlsByPlayState_data();
    void controlsByPlayState();
};

void TestPanelText::headerText_data()
{
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << QStringList() << QStringLiteral(" No TAGs specified");
    QTest::newRow("one") << QStringList{QStringLiteral("Lobby")} << QStringLiteral(" Lobby");
    QTest::newRow("several, kept in order")
        << QStringList{QStringLiteral("West"), QStringLiteral("Floor 2"), QStringLiteral("Ads")}
        << QStringLiteral(" West, Floor 2, Ads");
    QTest::newRow("an empty TAG still counts") << QStringList{QString()} << QStringLiteral(" ");
}

void TestPanelText::headerText()
{
    QFETCH(QStringList, tags);
    QFETCH(QString, expected);
    QCOMPARE(PanelHeaderText(tags), expected);
}

void TestPanelText::scheduleRow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("file in a folder")
        << QStringLiteral("Movies\\clip.mp4") << QStringLiteral("clip.mp4");
    QTest::newRow("file at the root") << QStringLiteral("clip.mp4") << QStringLiteral("clip.mp4");
    QTest::newRow("folder shows its path")
        << QStringLiteral("Movies\\2024\\") << QStringLiteral("Movies\\2024\\");
    QTest::newRow("drive letter counts as a delimiter")
        << QStringLiteral("D:clip.mp4") << QStringLiteral("clip.mp4");
    QTest::newRow("web link unchanged")
        << QStringLiteral("http://host/a\\b:c.html") << QStringLiteral("http://host/a\\b:c.html");
    QTest::newRow("no content") << QString() << QString();
    QTest::newRow("non-ASCII name")
        << QStringLiteral("Βίντεο\\ビデオ.mp4") << QStringLiteral("ビデオ.mp4");
}

void TestPanelText::scheduleRow()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QCOMPARE(ScheduleDisplayRowText(file), expected);
}

void TestPanelText::playlistRow_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");

    QTest::newRow("file") << QStringLiteral("Movies\\clip.mp4") << QStringLiteral("clip.mp4");
    QTest::newRow("link loses its scheme") << QStringLiteral("https://example.org/display.html")
                                           << QStringLiteral("example.org/display.html");
    QTest::newRow("only the first marker is cut")
        << QStringLiteral("http://proxy/?u=http://a") << QStringLiteral("proxy/?u=http://a");
    QTest::newRow("folder entry has no name") << QStringLiteral("Movies\\") << QString();
    QTest::newRow("error reply taken as an entry") << QStringLiteral("-1") << QStringLiteral("-1");
}

void TestPanelText::playlistRow()
{
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QCOMPARE(PlaylistRowText(entry), expected);
}

void TestPanelText::controlsByPlayState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("connectEnabled");
    QTest::addColumn<bool>("controlsEnabled");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("status");

    const int play = int(TPlayPausePicture::Play);
    const int pause = int(TPlayPausePicture::Pause);
    const int unchanged = int(TPlayPausePicture::Unchanged);
    QTest::newRow("disconnected") << int(psDisconnected) << QStringLiteral("Connect") << true
                                  << false << unchanged << QStringLiteral("No Media Loaded");
    QTest::newRow("connecting") << int(psConnecting) << QStringLiteral("Connecting") << false
                                << false << unchanged << QStringLiteral("Connecting");
    QTest::newRow("no media") << int(psNoMedia) << QStringLiteral("Disconnect") << true << true
                              << play << QStringLiteral("No Media Loaded");
    QTest::newRow("stopped") << int(psStopped) << QStringLiteral("Disconnect") << true << true
                             << play << QStringLiteral("Playback Stopped");
    QTest::newRow("paused") << int(psPaused) << QStringLiteral("Disconnect") << true << true << play
                            << QStringLiteral("Playback Paused");
    QTest::newRow("playing") << int(psPlaying) << QStringLiteral("Disconnect") << true << true
                             << pause << QStringLiteral("Now Playing");
}

void TestPanelText::controlsByPlayState()
{
    QFETCH(int, state);
    QFETCH(QString, caption);
    QFETCH(bool, connectEnabled);
    QFETCH(bool, controlsEnabled);
    QFETCH(int, picture);
    QFETCH(QString, status);
    QCOMPARE(ConnectButtonCaption(state), caption);
    QCOMPARE(ConnectButtonEnabled(state), connectEnabled);
    QCOMPARE(ScreenControlsEnabled(state), controlsEnabled);
    QCOMPARE(int(PlayPausePicture(state)), picture);
    QCOMPARE(PlayStateText(state), status);
}

QTEST_APPLESS_MAIN(TestPanelText)
#include "tst_paneltext.moc"
