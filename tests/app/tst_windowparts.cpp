// The window's pure parts: the system time estimate, the pictures and the size rules.
#include "app/BuiltinPictures.h"
#include "app/MainFormLayout.h"
#include "app/SystemTimeText.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestWindowParts : public QObject
{
    Q_OBJECT

private slots:
    void dateTimeAsDays_data();
    void dateTimeAsDays();
    void screenTimeEstimate_data();
    void screenTimeEstimate();
    void unsynchronisedScreenShowsNothing();

    void builtinPicturesAreCrispAndDistinct();
    void replacementPictures();

    void sizeRules_data();
    void sizeRules();
    void minimumSizeFollowsAddButton();
    void storedBoundsStayReachable_data();
    void storedBoundsStayReachable();
};

namespace {

double At(int hour, int minute)
{
    // Some day in 2026, at the given console time.
    return DateTimeToDays(QDateTime(QDate(2026, 3, 14), QTime(hour, minute)));
}

constexpr double Hour = 1.0 / 24.0;

} // namespace

void TestWindowParts::dateTimeAsDays_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<double>("days");
    QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("before day zero") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    QTest::newRow("2000 noon") << QDateTime(QDate(2000, 1, 1), QTime(12, 0)) << 36526.5;
}

void TestWindowParts::dateTimeAsDays()
{
    QFETCH(QDateTime, when);
    QFETCH(double, days);
    QCOMPARE(DateTimeToDays(when), days);
}

void TestWindowParts::screenTimeEstimate_data()
{
    QTest::addColumn<double>("now");
    QTest::addColumn<double>("diff");
    QTest::addColumn<QString>("shown");
    // The difference is console minus screen.
    QTest::newRow("2 h ahead at 23:30") << At(23, 30) << -2 * Hour << QStringLiteral("01:30:00");
    QTest::newRow("1 h behind at 00:30") << At(0, 30) << Hour << QStringLiteral("23:30:00");
    QTest::newRow("clocks agree") << At(14, 5) << 0.0 << QStringLiteral("14:05:00");
    QTest::newRow("whole days drop out") << At(10, 0) << 3.0 + Hour << QStringLiteral("09:00:00");
    QTest::newRow("negative fraction") << At(12, 0) << -0.75 << QStringLiteral("06:00:00");
    QTest::newRow("exactly one day is midnight") << At(12, 0) << -0.5 << QStringLiteral("00:00:00");
    QTest::newRow("seconds kept") << At(8, 0) << -(5.0 / 86400.0) << QStringLiteral("08:00:05");
}

void TestWindowParts::screenTimeEstimate()
{
    QFETCH(double, now);
    QFETCH(double, diff);
    QFETCH(QString, shown);
    QCOMPARE(SystemTimeText(true, diff, now, QStringLiteral("HH:mm:ss")), shown);
}

void TestWindowParts::unsynchronisedScreenShowsNothing()
{
    QCOMPARE(SystemTimeText(false, -2 * Hour, At(23, 30), QStringLiteral("HH:mm:ss")), QString());
    // The system's format is used without a zone name: the time is the screen PC's.
    const QString format = LongTimeFormat();
    QVERIFY(!format.isEmpty());
    QVERIFY2(!format.contains(QLatin1Char('t')), qPrintable(format));
}

void TestWindowParts::builtinPicturesAreCrispAndDistinct()
{
    QList<QImage> states;
    for (int i = 0; i < StatePictureCount; ++i) {
        const QPixmap picture = BuiltinStatePicture(static_cast<TStatePicture>(i), 2.0);
        QCOMPARE(picture.size(), QSize(88, 88));
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(44, 44));
        const QImage image = picture.toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(!states.contains(image));
        states << image;
    }
    QCOMPARE(BuiltinLockPicture(1.0).size(), QSize(16, 16));
    QVERIFY(BuiltinLinkPicture(1.0).toImage() != BuiltinLinkBrokePicture(1.0).toImage());
    QVERIFY(BuiltinButtonPicture(TButtonPicture::Play, 1.0).toImage() !=
            BuiltinButtonPicture(TButtonPicture::Pause, 1.0).toImage());

    TConsolePictures pictures;
    pictures.CreateBuiltin(1.0);
    QVERIFY(pictures.StatePicture(100).isNull());
    QVERIFY(pictures.StatePicture(7).isNull());
    QCOMPARE(pictures.StatePicture(-1).toImage(), pictures.Picture(TStatePicture::Off).toImage());
}

void TestWindowParts::replacementPictures()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString dataFolder = folder.path() + QLatin1Char('/');

    // A plain bitmap: magenta background (its bottom-left pixel) around a blue square.
    QImage bitmap(40, 30, QImage::Format_RGB32);
    bitmap.fill(QColor(255, 0, 255));
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            bitmap.setPixel(x, y, qRgb(0, 0, 255));
    QVERIFY(bitmap.save(dataFolder + QStringLiteral("monitor_play.bmp"), "BMP"));
    QFile corrupt(dataFolder + QStringLiteral("monitor_stop.bmp"));
    QVERIFY(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("BM this is not a bitmap");
    corrupt.close();

    TConsolePictures pictures;
    pictures.CreateBuiltin(1.0);
    const QImage builtinStop = pictures.Picture(TStatePicture::Stop).toImage();
    const QImage builtinPause = pictures.Picture(TStatePicture::Pause).toImage();
    QCOMPARE(pictures.LoadReplacements(dataFolder), 1);

    const QImage play = pictures.StatePicture(3).toImage();
    QCOMPARE(play.size(), QSize(40, 30));
    QCOMPARE(qAlpha(play.pixel(0, 0)), 0);
    QCOMPARE(play.pixel(15, 15), qRgb(0, 0, 255));
    QCOMPARE(pictures.Picture(TStatePicture::Stop).toImage(), builtinStop);
    QCOMPARE(pictures.Picture(TStatePicture::Pause).toImage(), builtinPause);

    QPixmap untouched = BuiltinLockPicture(1.0);
    QVERIFY(!LoadReplacementPicture(dataFolder + QStringLiteral("missing.bmp"), untouched));
    QCOMPARE(untouched.size(), QSize(16, 16));
}

void TestWindowParts::sizeRules_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("hidden");
    for (const QSize &size : {QSize(950, 576), QSize(1280, 800), QSize(1920, 1080)}) {
        const QByteArray name =
            QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
        QTest::newRow(QByteArray(name + " compact").constData()) << size << true;
        QTest::newRow(QByteArray(name + " extended").constData()) << size << false;
    }
}

void TestWindowParts::sizeRules()
{
    QFETCH(QSize, client);
    QFETCH(bool, hidden);
    const TMainFormMetrics k;
    const TMainFormGeometry g = LayOutMainForm(client, hidden, k);
    const int w = client.width();
    const int h = client.height();
    const int m = 16;

    QCOMPARE(g.DisconnectAllButton.right(), w - m - 1);
    QCOMPARE(g.ConnectAllButton.right() + 1 + m, g.DisconnectAllButton.left());
    const int column = g.DisconnectAllButton.left();
    for (const QRect &r :
         {g.ConnectButton, g.SchedToggleButton, g.SchedEditButton, g.SysTimePanel, g.VolumePanel})
        QCOMPARE(r.left(), column);
    for (const QRect &r : {g.HeaderLabel, g.SchedulePanel})
        QCOMPARE(r.right() + 1 + m, column);
    QCOMPARE(g.TAGPanel.bottom(), h - m - 1);
    QVERIFY(g.MonitorList.bottom() < g.TAGPanel.top());
    QVERIFY(!g.RemoveAllButton.intersects(g.ConnectAllButton));
    QVERIFY(!g.NowPlayingPanel.intersects(g.PositionPanel));

    if (hidden) {
        QCOMPARE(g.NowPlayingPanel.bottom(), h - m - 1);
        QVERIFY(g.SchedulePanel.bottom() < g.NowPlayingPanel.top());
        QVERIFY(g.NowPlayingPanel.top() - g.SchedulePanel.bottom() <= m);
        return;
    }
    QCOMPARE(g.SchedulePanel.bottom(), g.SchedEditButton.bottom());
    QVERIFY(g.NowPlayingPanel.top() > g.SchedulePanel.bottom());
    const int aw = k.ApplyButtonWidth;
    QCOMPARE(g.CurPLPanel.width(), (w - g.CurPLPanel.left() - aw / 2 - m * 3 / 2) * 38 / 100);
    QCOMPARE(g.ApplyPLButton.left(), g.CurPLPanel.right() + 1 + m / 2);
    const int columnMiddle = (g.ApplyPLButton.top() + g.CopyPLButton.bottom()) / 2;
    QVERIFY(qAbs(columnMiddle - g.CurPLPanel.center().y()) <= 1);
    QCOMPARE(g.EditPLPanel.left(), g.CurPLPanel.right() + 1 + m + aw);
    QCOMPARE(g.EditPLPanel.right(), w - m - 1);
    QCOMPARE(g.SeekRow.bottom(), h - m - 1);
    QCOMPARE(g.EditorMoveRow.bottom(), h - m - 1);
    QVERIFY(g.CurPLPanel.bottom() < g.TransportRow.top());
    QVERIFY(g.CurPLPanel.top() > g.NowPlayingPanel.bottom());
    QVERIFY(g.CurPLPanel.height() > 3 * k.ButtonRowHeight);
    QVERIFY(!g.EditPLPanel.intersects(g.VolumePanel));
}

void TestWindowParts::minimumSizeFollowsAddButton()
{
    TMainFormMetrics k;
    QCOMPARE(MinimumClientSize(k), QSize(950, 576));
    k.AddButtonWidth = 101;
    k.AddButtonHeight = 80;
    QCOMPARE(MinimumClientSize(k), QSize(959, 640));
    // Below the minimum the window is laid out as at the minimum.
    const TMainFormGeometry small = LayOutMainForm(QSize(400, 300), false, TMainFormMetrics());
    const TMainFormGeometry minimum = LayOutMainForm(QSize(950, 576), false, TMainFormMetrics());
    QCOMPARE(small.EditPLPanel, minimum.EditPLPanel);
    QCOMPARE(small.TAGPanel, minimum.TAGPanel);
}

void TestWindowParts::storedBoundsStayReachable_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("usable");
    const QSize minimum(950, 576);
    QTest::newRow("on the first monitor") << QRect(100, 50, 1200, 800) << QRect(100, 50, 1200, 800);
    QTest::newRow("on the second monitor")
        << QRect(2000, 100, 1000, 700) << QRect(2000, 100, 1000, 700);
    QTest::newRow("partly off, title reachable")
        << QRect(1500, 900, 1000, 700) << QRect(1500, 900, 1000, 700);
    QTest::newRow("too small") << QRect(10, 10, 300, 200) << QRect(QPoint(10, 10), minimum);
    // Saved on a third monitor that has been removed since.
    QTest::newRow("monitor gone") << QRect(4000, 100, 1000, 700) << QRect(460, 190, 1000, 700);
    QTest::newRow("title above every monitor")
        << QRect(100, -900, 1000, 700) << QRect(460, 190, 1000, 700);
}

void TestWindowParts::storedBoundsStayReachable()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, usable);
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)};
    QCOMPARE(UsableWindowBounds(stored, screens, QSize(950, 576)), usable);
}

QTEST_MAIN(TestWindowParts)
#include "tst_windowparts.moc"
