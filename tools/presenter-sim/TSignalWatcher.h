#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal. The handler only writes one byte
// to a socket pair; the work happens when the event loop reads it.
class TSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TSignalWatcher(QObject *parent = nullptr);
    ~TSignalWatcher() override;
    bool IsActive() const { return FNotifier != nullptr; }

signals:
    void Terminated(int signalNumber);

private:
    void ReadSignal();

    QSocketNotifier *FNotifier = nullptr;
};
