#include "messages/TLOGForm.h"

#include "app/MainFormLayout.h"
#include "messages/MessageSeam.h"
#include "store/TConsoleSettings.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Small enough for any monitor, large enough to read a row and grab the window.
constexpr QSize MinimumLogSize(200, 120);

QPointer<TLOGForm> &LOGFormInstance()
{
    static QPointer<TLOGForm> instance;
    return instance;
}

} // namespace

QString LogHeaderRow(const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    return QStringLiteral("***** ") + locale.toString(when.date(), QLocale::ShortFormat) +
           QStringLiteral(" - ") + locale.toString(when.time(), QLocale::LongFormat) +
           QStringLiteral(" *****");
}

QStringList LogEntryRows(const QString &header, const QString &text)
{
    QStringList rows{header};
    // The entry ends with three line breaks; cut at CR, LF or CR LF, and a final
    // break adds no row, which leaves exactly two empty rows after the text.
    const QString entry = text + QStringLiteral("\r\n\r\n\r\n");
    qsizetype start = 0;
    const qsizetype length = entry.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = entry.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        rows.append(entry.mid(start, i - start));
        if (c == u'\r' && i + 1 < length && entry.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        rows.append(entry.mid(start));
    return rows;
}

TLOGForm::TLOGForm(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Notification LOG"));
    // Showing the log must not take the operator's focus from what they are doing.
    setAttribute(Qt::WA_ShowWithoutActivating);

    FLOGList = new QListWidget(this);
    FLOGList->setObjectName(QStringLiteral("LOGList"));
    FLOGList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FLOGList->setUniformItemSizes(true);
    FLOGList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FLOGList);

    resize(520, 300);
    RestoreBounds();
}

void TLOGForm::AddEntry(const QString &text)
{
    FLOGList->addItems(LogEntryRows(LogHeaderRow(QDateTime::currentDateTime()), text));
    if (isVisible())
        raise();
    else
        show();
    // After showing, so the list scrolls within its final height.
    ScrollToEnd();
}

QStringList TLOGForm::Rows() const
{
    QStringList rows;
    rows.reserve(FLOGList->count());
    for (int i = 0; i < FLOGList->count(); ++i)
        rows.append(FLOGList->item(i)->text());
    return rows;
}

void TLOGForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TLOGForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    StoreBounds();
}

void TLOGForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    StoreBounds();
}

void TLOGForm::RestoreBounds()
{
    const TConsoleSettings &settings = ConsoleSettings();
    if (settings.LOGWidth < 0)
        return;
    // The log opens by itself to report failures, so it must never come up on a
    // monitor that is gone, nor too small to see.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect bounds = UsableWindowBounds(
        QRect(settings.LOGLeft, settings.LOGTop, settings.LOGWidth, settings.LOGHeight), screens,
        MinimumLogSize);
    FRestoring = true;
    move(bounds.topLeft());
    resize(bounds.size());
    FRestoring = false;
}

void TLOGForm::StoreBounds()
{
    // Only bounds the operator gave the window are remembered, not the ones it was
    // built with before being shown.
    if (FRestoring || !isVisible())
        return;
    TConsoleSettings &settings = ConsoleSettings();
    settings.LOGLeft = x();
    settings.LOGTop = y();
    settings.LOGWidth = width();
    settings.LOGHeight = height();
}

void TLOGForm::ScrollToEnd()
{
    if (FLOGList->count() > 0)
        FLOGList->scrollToItem(FLOGList->item(FLOGList->count() - 1),
                               QAbstractItemView::PositionAtBottom);
}

TLOGForm *LOGForm()
{
    QPointer<TLOGForm> &instance = LOGFormInstance();
    if (!instance)
        instance = new TLOGForm;
    return instance;
}

void SetLOGFormOwner(QWidget *mainWindow)
{
    TLOGForm *form = LOGForm();
    const bool wasVisible = form->isVisible();
    const QRect bounds = form->geometry();
    form->setParent(mainWindow, Qt::Tool);
    form->setGeometry(bounds);
    if (wasVisible)
        form->show();
    else // the saved bounds may have been loaded since the log was made
        form->RestoreBounds();
}

void AddLogEntry(const QString &text)
{
    MessageSeam::RecordLogEntry(text);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qWarning("%s", qUtf8Printable(text));
        return;
    }
    LOGForm()->AddEntry(text);
}
