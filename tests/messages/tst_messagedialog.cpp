#include "messages/MessageDialogLogic.h"
#include "messages/MessageDialogs.h"
#include "messages/MessageSeam.h"
#include "messages/TMessageFormW.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

Q_DECLARE_METATYPE(TDialogButtons)

namespace {

using B = TDialogButton;

// Runs `action` on the modal dialog once it is up; gives up after a few seconds.
void WhenDialogShown(std::function<void(TMessageFormW *)> action)
{
    auto *attempts = new int(0);
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, attempts, action] {
        auto *dialog = qobject_cast<TMessageFormW *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            action(dialog);
        } else if (++*attempts > 300) {
            timer->stop();
        } else {
            return;
        }
        timer->deleteLater();
        delete attempts;
    });
    timer->start();
}

} // namespace

class TestMessageDialog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void buttonRules_data();
    void buttonRules();
    void captionsAndResults();
    void clipboardText();

    void realDialogKeys_data();
    void realDialogKeys();
    void realDialogLayoutAndHelp();
    void longTextKeepsButtonsOnScreen();
    void checkBoxWrittenBackWhateverPressed();
    void copyWithCtrlC();
    void unavailableClipboardKeepsDialogOpen();

    void seamAnswersInOrder();
    void seamDefaultsWhenEmpty_data();
    void seamDefaultsWhenEmpty();
    void seamInputQuery();
};

void TestMessageDialog::cleanup()
{
    MessageSeam::Disable();
}

void TestMessageDialog::buttonRules_data()
{
    QTest::addColumn<TDialogButtons>("buttons");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("enterResult");
    QTest::addColumn<int>("escapeResult");
    QTest::addColumn<int>("dismissed");
    QTest::newRow("yes no") << TDialogButtons(B::No | B::Yes) << "Yes No" << int(mrYes) << int(mrNo)
                            << int(mrNo);
    QTest::newRow("ok alone") << TDialogButtons(B::OK) << "OK" << int(mrOk) << int(mrOk)
                              << int(mrOk);
    QTest::newRow("ok cancel") << TDialogButtons(B::Cancel | B::OK) << "OK Cancel" << int(mrOk)
                               << int(mrCancel) << int(mrCancel);
    QTest::newRow("ok beats yes, cancel beats no")
        << TDialogButtons(B::Yes | B::No | B::OK | B::Cancel) << "Yes No OK Cancel" << int(mrOk)
        << int(mrCancel) << int(mrCancel);
    QTest::newRow("abort retry ignore")
        << TDialogButtons(B::Ignore | B::Retry | B::Abort) << "Abort Retry Ignore" << int(mrRetry)
        << int(mrNone) << int(mrCancel);
    QTest::newRow("every button") << TDialogButtons(0x7FF)
                                  << "Yes No OK Cancel Abort Retry Ignore All NoToAll YesToAll Help"
                                  << int(mrOk) << int(mrCancel) << int(mrCancel);
    QTest::newRow("help alone") << TDialogButtons(B::Help) << "Help" << int(mrNone) << int(mrNone)
                                << int(mrCancel);
    QTest::newRow("none") << TDialogButtons() << "" << int(mrNone) << int(mrNone) << int(mrCancel);
}

void TestMessageDialog::buttonRules()
{
    QFETCH(TDialogButtons, buttons);
    QFETCH(QString, order);
    QFETCH(int, enterResult);
    QFETCH(int, escapeResult);
    QFETCH(int, dismissed);
    QStringList captions;
    for (const TDialogButton button : OrderedButtons(buttons))
        captions.append(ButtonCaption(button));
    QCOMPARE(captions.join(u' '), order);
    const std::optional<TDialogButton> enter = DefaultButton(buttons);
    const std::optional<TDialogButton> escape = CancelButton(buttons);
    QCOMPARE(enter ? ButtonModalResult(*enter) : int(mrNone), enterResult);
    QCOMPARE(escape ? ButtonModalResult(*escape) : int(mrNone), escapeResult);
    QCOMPARE(DismissedResult(buttons), dismissed);
}

void TestMessageDialog::captionsAndResults()
{
    QCOMPARE(DialogCaption(TDialogType::Warning), QStringLiteral("Warning"));
    QCOMPARE(DialogCaption(TDialogType::Error), QStringLiteral("Error"));
    QCOMPARE(DialogCaption(TDialogType::Information), QStringLiteral("Information"));
    QCOMPARE(DialogCaption(TDialogType::Confirmation), QStringLiteral("Confirmation"));
    QCOMPARE(DialogCaption(TDialogType::Custom), QStringLiteral("Orvane"));

    const QList<int> results{mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                             mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
    QList<int> actual;
    for (const TDialogButton button : OrderedButtons(TDialogButtons(0x7FF)))
        actual.append(ButtonModalResult(button));
    QCOMPARE(actual, results);
}

void TestMessageDialog::clipboardText()
{
    const QString divider = QStringLiteral("---------------------------\r\n");
    QCOMPARE(divider.size(), 29);
    QCOMPARE(DialogClipboardText(QStringLiteral("Confirmation"), QStringLiteral("Are you sure?"),
                                 B::OK | B::Cancel),
             divider + QStringLiteral("Confirmation\r\n") + divider +
                 QStringLiteral("Are you sure?\r\n") + divider +
                 QStringLiteral("OK   Cancel   \r\n") + divider);
}

void TestMessageDialog::realDialogKeys_data()
{
    QTest::addColumn<TDialogButtons>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("enter on yes/no")
        << TDialogButtons(B::Yes | B::No) << int(Qt::Key_Return) << int(mrYes);
    QTest::newRow("escape on yes/no")
        << TDialogButtons(B::Yes | B::No) << int(Qt::Key_Escape) << int(mrNo);
    QTest::newRow("escape on ok") << TDialogButtons(B::OK) << int(Qt::Key_Escape) << int(mrOk);
    QTest::newRow("enter on retry")
        << TDialogButtons(B::Abort | B::Retry | B::Ignore) << int(Qt::Key_Enter) << int(mrRetry);
    QTest::newRow("closed by the window") << TDialogButtons(B::Yes | B::No) << 0 << int(mrCancel);
}

void TestMessageDialog::realDialogKeys()
{
    QFETCH(TDialogButtons, buttons);
    QFETCH(int, key);
    QFETCH(int, result);
    TMessageFormW dialog(QStringLiteral("Text"), TDialogType::Confirmation, buttons);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (key)
        QTest::keyClick(&dialog, Qt::Key(key));
    else
        dialog.close();
    QCOMPARE(dialog.result(), result);
    QVERIFY(!dialog.isVisible());
}

void TestMessageDialog::realDialogLayoutAndHelp()
{
    TMessageFormW dialog(QStringLiteral("Text"), TDialogType::Custom,
                         B::Help | B::Cancel | B::OK | B::Yes);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Orvane"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<TDialogButton> order{B::Yes, B::OK, B::Cancel, B::Help};
    for (qsizetype i = 1; i < order.size(); ++i)
        QVERIFY(dialog.Button(order.at(i - 1))->x() < dialog.Button(order.at(i))->x());
    QVERIFY(dialog.Button(B::OK)->isDefault());

    QTest::mouseClick(dialog.Button(B::Help), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.Button(B::Yes), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(mrYes));
}

void TestMessageDialog::longTextKeepsButtonsOnScreen()
{
    QStringList names;
    for (int i = 0; i < 400; ++i)
        names << QStringLiteral("Screen %1 on a rather long name for the lobby wall").arg(i);
    TMessageFormW dialog(names.join(QStringLiteral("\r\n")), TDialogType::Confirmation,
                         B::OK | B::Cancel);
    dialog.CentreOnScreen();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect desktop = dialog.screen()->availableGeometry();
    QPushButton *ok = dialog.Button(B::OK);
    const QRect okOnScreen(ok->mapToGlobal(QPoint(0, 0)), ok->size());
    QVERIFY2(desktop.contains(okOnScreen), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                          .arg(okOnScreen.x())
                                                          .arg(okOnScreen.y())
                                                          .arg(okOnScreen.width())
                                                          .arg(okOnScreen.height())));
    QVERIFY(desktop.contains(dialog.frameGeometry().topLeft()));
}

void TestMessageDialog::checkBoxWrittenBackWhateverPressed()
{
    bool flag = false;
    QString shownCaption;
    WhenDialogShown([&shownCaption](TMessageFormW *dialog) {
        if (dialog->CheckBox()) {
            shownCaption = dialog->CheckBox()->text();
            dialog->CheckBox()->setChecked(true);
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    const int result = ShowMessageDialogWithCheck(
        QStringLiteral("Note"), TDialogType::Information, B::OK | B::Cancel,
        QStringLiteral("Do not show this dialog again"), false, flag);
    QCOMPARE(result, int(mrCancel));
    QCOMPARE(shownCaption, QStringLiteral("Do not show this dialog again"));
    QVERIFY(flag);

    // An unticked box clears a flag that was set.
    WhenDialogShown([](TMessageFormW *dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    QCOMPARE(ShowMessageDialogWithCheck(QStringLiteral("Note"), TDialogType::Information, B::OK,
                                        QStringLiteral("x"), false, flag),
             int(mrOk));
    QVERIFY(!flag);
}

void TestMessageDialog::copyWithCtrlC()
{
    QGuiApplication::clipboard()->clear();
    TMessageFormW dialog(QStringLiteral("Line 1\r\nLine 2"), TDialogType::Warning,
                         B::OK | B::Cancel);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             DialogClipboardText(QStringLiteral("Warning"), QStringLiteral("Line 1\r\nLine 2"),
                                 B::OK | B::Cancel));
    QVERIFY(dialog.isVisible());
}

void TestMessageDialog::unavailableClipboardKeepsDialogOpen()
{
    MessageSeam::Enable();
    MessageSeam::SetClipboardFails(true);
    TMessageFormW dialog(QStringLiteral("Text"), TDialogType::Error, B::OK);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(dialog.isVisible());
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().Text, QStringLiteral("Cannot open clipboard"));
    QCOMPARE(shown.first().Type, TDialogType::Error);
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(mrOk));
}

void TestMessageDialog::seamAnswersInOrder()
{
    MessageSeam::Enable();
    MessageSeam::QueueAnswer(mrOk, true);
    MessageSeam::QueueAnswer(mrNo);
    bool flag = false;
    QCOMPARE(ShowMessageDialogWithCheck(QStringLiteral("First"), TDialogType::Warning, B::OK,
                                        QStringLiteral("c"), false, flag),
             int(mrOk));
    QVERIFY(flag);
    QCOMPARE(ShowMessageDialog(QStringLiteral("Second"), TDialogType::Confirmation, B::Yes | B::No),
             int(mrNo));
    QCOMPARE(MessageSeam::PendingAnswers(), 0);

    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).Caption, QStringLiteral("Warning"));
    QVERIFY(shown.at(0).WithCheck);
    QCOMPARE(shown.at(1).Text, QStringLiteral("Second"));
    QCOMPARE(shown.at(1).Buttons, TDialogButtons(B::Yes | B::No));
    QVERIFY(!shown.at(1).WithCheck);

    MessageSeam::ClearShown();
    QVERIFY(MessageSeam::Shown().isEmpty());
}

void TestMessageDialog::seamDefaultsWhenEmpty_data()
{
    QTest::addColumn<TDialogButtons>("buttons");
    QTest::addColumn<int>("result");
    QTest::newRow("ok cancel") << TDialogButtons(B::OK | B::Cancel) << int(mrCancel);
    QTest::newRow("yes no") << TDialogButtons(B::Yes | B::No) << int(mrNo);
    QTest::newRow("ok") << TDialogButtons(B::OK) << int(mrOk);
    QTest::newRow("no escape button") << TDialogButtons(B::Abort | B::Retry) << int(mrCancel);
}

void TestMessageDialog::seamDefaultsWhenEmpty()
{
    QFETCH(TDialogButtons, buttons);
    QFETCH(int, result);
    MessageSeam::Enable();
    bool flag = true;
    QCOMPARE(ShowMessageDialogWithCheck(QStringLiteral("t"), TDialogType::Warning, buttons,
                                        QStringLiteral("c"), false, flag),
             result);
    QVERIFY(flag);
}

void TestMessageDialog::seamInputQuery()
{
    MessageSeam::Enable();
    MessageSeam::QueueInput(true, QStringLiteral("Lobby 2"));
    MessageSeam::QueueInput(false, QStringLiteral("ignored"));
    QString value = QStringLiteral("Lobby");
    QVERIFY(InputQuery(QStringLiteral("Duplicate"), QStringLiteral("Enter screen name"), value));
    QCOMPARE(value, QStringLiteral("Lobby 2"));
    QVERIFY(!InputQuery(QStringLiteral("Duplicate"), QStringLiteral("Enter screen name"), value));
    QCOMPARE(value, QStringLiteral("Lobby 2"));
    QVERIFY(!InputQuery(QStringLiteral("Duplicate"), QStringLiteral("Enter screen name"), value));
    QCOMPARE(MessageSeam::PendingInputs(), 0);
    const QList<MessageSeam::TShownDialog> shown = MessageSeam::Shown();
    QCOMPARE(shown.size(), 3);
    QVERIFY(shown.first().IsInput);
    QCOMPARE(shown.first().Text, QStringLiteral("Enter screen name"));
}

QTEST_MAIN(TestMessageDialog)
#include "tst_messagedialog.moc"
