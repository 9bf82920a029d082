#pragma once

#include "TPresenterState.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Ways to misbehave, for fault tests of the console.
struct TSimFaults
{
    QHash<int, int> DelayMs;    // code -> delay of its replies in milliseconds
    QSet<int> DroppedCodes;     // codes that are never answered
    int DropAfterLines = 0;     // close the connection after this many received lines; 0 never
    bool Garbage = false;       // send lines no presenter would send
    qint64 LongLineBytes = 0;   // send one line of this many bytes on connect; 0 never
    bool WrongPassword = false; // encipher with a password other than the configured one
};

// One simulated screen.
struct TScreenSetup
{
    quint16 Port = 4769;
    QString Password;
    TPresenterConfig Presenter;
};

struct TSimOptions
{
    QList<TScreenSetup> Screens;
    TSimFaults Faults;
    bool Verbose = false;
    QString RecordPath;
};

enum class TParseOutcome { Run, Help, Error };

// Reads the command line (program name first). On Help, `message` is the
// help text; on Error, the reason.
TParseOutcome ParseSimArguments(const QStringList &arguments, TSimOptions &options,
                                QString &message);

// Parses "left,top,width,height|..." into rectangles; false on any malformed part.
bool ParseMonitorArgument(const QString &text, MonitorRectList &monitors);
