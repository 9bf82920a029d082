#include "messages/MessageCatalogue.h"
#include "messages/MessageSeam.h"
#include "messages/TLOGForm.h"
#include "store/TConsoleSettings.h"

#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

class TestNotificationLog : public QObject
{
    Q_OBJECT
private slots:
    void entryRows_data();
    void entryRows();
    void headerRow();
    void entriesAccumulateAndEscapeHides();
    void scrolledToTheEnd();
    void boundsKeptAndRestored();
    void restoredBoundsStayReachable_data();
    void restoredBoundsStayReachable();
};

void TestNotificationLog::entryRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("one line") << QStringLiteral("Hello") << QStringList{"H", "Hello", "", ""};
    QTest::newRow("message 53")
        << MessageFormat(53, ScreenListText({QStringLiteral("A"), QStringLiteral("B")}))
        << QStringList{"H", "The command was not applied to the following screens:", "", "A", "B",
                       "",  "Make sure all selected screens are connected.",         "", ""};
    QTest::newRow("lone CR and LF")
        << QStringLiteral("a\rb\nc\r\nd") << QStringList{"H", "a", "b", "c", "d", "", ""};
    QTest::newRow("LF CR is two breaks")
        << QStringLiteral("a\n\rb") << QStringList{"H", "a", "", "b", "", ""};
    QTest::newRow("empty text") << QString() << QStringList{"H", "", "", ""};
}

void TestNotificationLog::entryRows()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QCOMPARE(LogEntryRows(QStringLiteral("H"), text), rows);
}

void TestNotificationLog::headerRow()
{
    const QString header = LogHeaderRow(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    QVERIFY(header.startsWith(QStringLiteral("***** ")));
    QVERIFY(header.endsWith(QStringLiteral(" *****")));
    QVERIFY(header.contains(QStringLiteral(" - ")));
    QVERIFY2(header.contains(QStringLiteral("06")) || header.contains(QStringLiteral("6")),
             qPrintable(header));
}

void TestNotificationLog::entriesAccumulateAndEscapeHides()
{
    MessageSeam::Enable();
    TLOGForm *log = LOGForm();
    QCOMPARE(log, LOGForm());
    QCOMPARE(log->windowTitle(), QStringLiteral("Notification LOG"));
    QVERIFY(!log->isVisible());
    const int before = int(log->Rows().size());

    AddLogEntry(QStringLiteral("first"));
    QVERIFY(log->isVisible());
    QTest::keyClick(log, Qt::Key_Escape);
    QVERIFY(!log->isVisible());

    AddLogEntry(QStringLiteral("second\r\nline"));
    QVERIFY(log->isVisible());
    const QStringList rows = log->Rows().mid(before);
    QCOMPARE(rows.size(), 4 + 5);
    QCOMPARE(rows.at(1), QStringLiteral("first"));
    QVERIFY(rows.at(4).startsWith(QStringLiteral("***** ")));
    QCOMPARE(rows.at(6), QStringLiteral("line"));
    QCOMPARE(MessageSeam::LogEntries(),
             QStringList({QStringLiteral("first"), QStringLiteral("second\r\nline")}));
    MessageSeam::Disable();
}

void TestNotificationLog::scrolledToTheEnd()
{
    TLOGForm *log = LOGForm();
    for (int i = 0; i < 50; ++i)
        AddLogEntry(QStringLiteral("entry %1").arg(i));
    QVERIFY(QTest::qWaitForWindowExposed(log));
    QScrollBar *bar = log->LOGList()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QTRY_COMPARE(bar->value(), bar->maximum());
}

void TestNotificationLog::boundsKeptAndRestored()
{
    TLOGForm *log = LOGForm();
    log->show();
    QVERIFY(QTest::qWaitForWindowExposed(log));
    log->resize(333, 222);
    QTRY_COMPARE(ConsoleSettings().LOGWidth, 333);
    QCOMPARE(ConsoleSettings().LOGHeight, 222);

    ConsoleSettings().LOGLeft = 40;
    ConsoleSettings().LOGTop = 50;
    ConsoleSettings().LOGWidth = 410;
    ConsoleSettings().LOGHeight = 180;
    TLOGForm restored;
    QCOMPARE(restored.size(), QSize(410, 180));
    QCOMPARE(restored.pos(), QPoint(40, 50));
}

void TestNotificationLog::restoredBoundsStayReachable_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::newRow("monitor gone") << QRect(30000, 20000, 410, 180);
    QTest::newRow("above the desktop") << QRect(40, -5000, 410, 180);
    QTest::newRow("no size") << QRect(40, 50, 0, 0);
    QTest::newRow("height never stored") << QRect(40, 50, 300, -1);
}

void TestNotificationLog::restoredBoundsStayReachable()
{
    QFETCH(QRect, stored);
    ConsoleSettings().LOGLeft = stored.left();
    ConsoleSettings().LOGTop = stored.top();
    ConsoleSettings().LOGWidth = stored.width();
    ConsoleSettings().LOGHeight = stored.height();
    TLOGForm restored;
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(desktop.contains(restored.pos()));
    QVERIFY(restored.width() >= 100);
    QVERIFY(restored.height() >= 60);
}

QTEST_MAIN(TestNotificationLog)
#include "tst_notificationlog.moc"
