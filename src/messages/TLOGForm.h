#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;

// The notification log: a non-modal tool window collecting reports about groups of
// screens. It lives for the whole run; rows are only ever appended.
class TLOGForm : public QWidget
{
    Q_OBJECT
public:
    explicit TLOGForm(QWidget *parent = nullptr);

    // Appends one entry (header, the text's lines, two empty rows) and brings the
    // log into view.
    void AddEntry(const QString &text);

    QStringList Rows() const;

    // Takes the bounds kept in the settings, when there are any.
    void RestoreBounds();
    QListWidget *LOGList() const { return FLOGList; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void StoreBounds();
    void ScrollToEnd();

    QListWidget *FLOGList = nullptr;
    bool FRestoring = false;
};

// The one log window of the run, created on first use.
TLOGForm *LOGForm();

// Makes the log a tool window of the main window, so it stays above the console's
// other windows. Call once the main window exists.
void SetLOGFormOwner(QWidget *mainWindow);

// Appends one entry to the notification log and brings the log into view.
void AddLogEntry(const QString &text);

// Row building, kept apart from the window so it can be checked directly.
QString LogHeaderRow(const QDateTime &when);
QStringList LogEntryRows(const QString &header, const QString &text);
