#include "TSimOptions.h"

#include "TStartPlaylist.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

bool ParseNumber(const QString &text, qint64 minimum, qint64 maximum, qint64 &value)
{
    bool ok = false;
    const qint64 parsed = text.trimmed().toLongLong(&ok);
    if (!ok || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

// "INDEX=VALUE" with INDEX a screen index below `count`.
bool SplitIndexed(const QString &text, int count, int &index, QString &value)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    qint64 parsed = 0;
    if (equals <= 0 || !ParseNumber(text.left(equals), 0, count - 1, parsed))
        return false;
    index = static_cast<int>(parsed);
    value = text.mid(equals + 1);
    return true;
}

bool ParseCode(const QString &text, int &code)
{
    qint64 parsed = 0;
    if (text.trimmed().size() > 4 || !ParseNumber(text, 0, 9999, parsed))
        return false;
    code = static_cast<int>(parsed);
    return true;
}

bool ParseStartState(const QString &text, int &state)
{
    static const QHash<QString, int> states{{QStringLiteral("stopped"), TPresenterState::Stopped},
                                            {QStringLiteral("paused"), TPresenterState::Paused},
                                            {QStringLiteral("playing"), TPresenterState::Playing}};
    const auto found = states.constFind(text.trimmed().toLower());
    if (found == states.constEnd())
        return false;
    state = found.value();
    return true;
}

// "STATE[:PLAYLIST]" for one screen whose shared folder is already known.
bool ApplyStartFor(const QString &value, TPresenterConfig &presenter, QString &error)
{
    // A state has no colon; web links in the playlist keep theirs.
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    int state = 0;
    if (!ParseStartState(colon < 0 ? value : value.left(colon), state)) {
        error = QStringLiteral("the state must be playing, paused or stopped");
        return false;
    }
    QStringList entries;
    const QString playlist = colon < 0 ? QString() : value.mid(colon + 1);
    if (!ResolveStartPlaylist(TShareFolder(presenter.SharePath), playlist, entries, error))
        return false;
    presenter.StartState = state;
    presenter.StartPlaylist = entries;
    return true;
}

} // namespace

bool ParseMonitorArgument(const QString &text, MonitorRectList &monitors)
{
    monitors.clear();
    for (const QString &rect : text.split(QLatin1Char('|'))) {
        const QStringList parts = rect.split(QLatin1Char(','));
        qint64 values[4] = {0, 0, 0, 0};
        if (parts.size() != 4)
            return false;
        for (int i = 0; i < 4; ++i) {
            const qint64 minimum = i < 2 ? -100000 : 1;
            if (!ParseNumber(parts.at(i), minimum, 100000, values[i]))
                return false;
        }
        monitors.append(MonitorRect{static_cast<qint32>(values[0]), static_cast<qint32>(values[1]),
                                    static_cast<qint32>(values[2]),
                                    static_cast<qint32>(values[3])});
    }
    return !monitors.isEmpty();
}

TParseOutcome ParseSimArguments(const QStringList &arguments, TSimOptions &options,
                                QString &message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates presenter screens on 127.0.0.1 for the console, its tests and demos."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("First port (default 4769)."), QStringLiteral("P"),
                                  QStringLiteral("4769"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Number of screens, on ports P .. P+N-1."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Encipher every screen with this password."),
                                      QStringLiteral("X"));
    const QCommandLineOption passwordFor(
        QStringLiteral("password-for"),
        QStringLiteral("Password of one screen (0-based index); repeatable."),
        QStringLiteral("INDEX=X"));
    const QCommandLineOption share(QStringLiteral("share"),
                                   QStringLiteral("Shared media folder of every screen."),
                                   QStringLiteral("DIR"));
    const QCommandLineOption shareFor(QStringLiteral("share-for"),
                                      QStringLiteral("Shared folder of one screen; repeatable."),
                                      QStringLiteral("INDEX=DIR"));
    const QCommandLineOption monitors(
        QStringLiteral("monitors"),
        QStringLiteral("Monitor rectangles left,top,width,height joined by '|', for every "
                       "screen or, with INDEX=, for one; repeatable (default 0,0,1920,1080)."),
        QStringLiteral("[INDEX=]RECTS"));
    const QCommandLineOption clockOffset(
        QStringLiteral("clock-offset"),
        QStringLiteral("Seconds added to this machine's clock in clock replies."),
        QStringLiteral("SECONDS"), QStringLiteral("0"));
    const QCommandLineOption startFor(
        QStringLiteral("start-for"),
        QStringLiteral(
            "Start one screen (0-based index) with media: STATE is playing, paused or "
            "stopped; PLAYLIST is a .m3u or .m3u8 file in its shared folder or share paths "
            "joined by '|' (default: every media file of the share). Repeatable."),
        QStringLiteral("INDEX=STATE[:PLAYLIST]"));
    const QCommandLineOption entryLength(
        QStringLiteral("entry-length"),
        QStringLiteral("Seconds each playlist entry plays before the next one starts; "
                       "0 plays an entry for ever (default 60)."),
        QStringLiteral("SECONDS"), QStringLiteral("60"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Print every line received and sent."));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Append every received line to FILE as PORT, a tab and the line."),
        QStringLiteral("FILE"));
    const QCommandLineOption delayCode(
        QStringLiteral("delay-code"),
        QStringLiteral("Answer CODE only after MS milliseconds; repeatable."),
        QStringLiteral("CODE=MS"));
    const QCommandLineOption dropCode(QStringLiteral("drop-code"),
                                      QStringLiteral("Never answer CODE; repeatable."),
                                      QStringLiteral("CODE"));
    const QCommandLineOption dropAfter(
        QStringLiteral("drop-after"),
        QStringLiteral("Close each connection after N received lines."), QStringLiteral("N"));
    const QCommandLineOption garbage(
        QStringLiteral("garbage"),
        QStringLiteral("Send lines that are not protocol lines, on connect and with replies."));
    const QCommandLineOption longLine(
        QStringLiteral("long-line"),
        QStringLiteral("Send one line of BYTES bytes right after connecting."),
        QStringLiteral("BYTES"));
    const QCommandLineOption wrongPassword(
        QStringLiteral("wrong-password"),
        QStringLiteral("Encipher with a password other than the configured one."));
    parser.addOptions({help, port, count, password, passwordFor, share, shareFor, monitors,
                       clockOffset, startFor, entryLength, verbose, record, delayCode, dropCode,
                       dropAfter, garbage, longLine, wrongPassword});

    options = TSimOptions();
    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return TParseOutcome::Error;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        return TParseOutcome::Help;
    }
    if (!parser.positionalArguments().isEmpty()) {
        message = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first();
        return TParseOutcome::Error;
    }

    qint64 firstPort = 0;
    qint64 screenCount = 0;
    qint64 offset = 0;
    qint64 entrySeconds = 0;
    if (!ParseNumber(parser.value(port), 1, 65535, firstPort)) {
        message = QStringLiteral("--port needs a number from 1 to 65535.");
        return TParseOutcome::Error;
    }
    if (!ParseNumber(parser.value(count), 1, 1000, screenCount) ||
        firstPort + screenCount - 1 > 65535) {
        message =
            QStringLiteral("--count needs a number from 1 to 1000 that keeps ports below 65536.");
        return TParseOutcome::Error;
    }
    if (!ParseNumber(parser.value(clockOffset), -100LL * 365 * 86400, 100LL * 365 * 86400,
                     offset)) {
        message = QStringLiteral("--clock-offset needs a whole number of seconds.");
        return TParseOutcome::Error;
    }
    if (!ParseNumber(parser.value(entryLength), 0, 24 * 3600, entrySeconds)) {
        message = QStringLiteral("--entry-length needs a number of seconds from 0 to 86400.");
        return TParseOutcome::Error;
    }

    const int screens = static_cast<int>(screenCount);
    for (int i = 0; i < screens; ++i) {
        TScreenSetup setup;
        setup.Port = static_cast<quint16>(firstPort + i);
        setup.Password = parser.value(password);
        setup.Presenter.SharePath = parser.value(share);
        setup.Presenter.ClockOffsetSeconds = offset;
        setup.Presenter.EntrySeconds = static_cast<int>(entrySeconds);
        options.Screens.append(setup);
    }

    int index = 0;
    QString value;
    for (const QString &item : parser.values(passwordFor)) {
        if (!SplitIndexed(item, screens, index, value)) {
            message =
                QStringLiteral("--password-for needs INDEX=X with INDEX below --count: ") + item;
            return TParseOutcome::Error;
        }
        options.Screens[index].Password = value;
    }
    for (const QString &item : parser.values(shareFor)) {
        if (!SplitIndexed(item, screens, index, value)) {
            message =
                QStringLiteral("--share-for needs INDEX=DIR with INDEX below --count: ") + item;
            return TParseOutcome::Error;
        }
        options.Screens[index].Presenter.SharePath = value;
    }
    for (const QString &item : parser.values(monitors)) {
        MonitorRectList rects;
        const bool indexed = item.contains(QLatin1Char('='));
        if (indexed && !SplitIndexed(item, screens, index, value)) {
            message = QStringLiteral("--monitors needs INDEX below --count: ") + item;
            return TParseOutcome::Error;
        }
        if (!ParseMonitorArgument(indexed ? value : item, rects)) {
            message = QStringLiteral("--monitors needs left,top,width,height rectangles: ") + item;
            return TParseOutcome::Error;
        }
        for (int i = 0; i < screens; ++i) {
            if (!indexed || i == index)
                options.Screens[i].Presenter.Monitors = rects;
        }
    }

    for (const TScreenSetup &setup : options.Screens) {
        const QString &path = setup.Presenter.SharePath;
        if (!path.isEmpty() && !QFileInfo(path).isDir()) {
            message = QStringLiteral("Shared folder is not a directory: ") + path;
            return TParseOutcome::Error;
        }
    }
    // After the shares: the playlist is looked up in the screen's own one.
    for (const QString &item : parser.values(startFor)) {
        QString error;
        if (!SplitIndexed(item, screens, index, value)) {
            message = QStringLiteral("--start-for needs INDEX=STATE[:PLAYLIST] with INDEX below "
                                     "--count: ") +
                      item;
            return TParseOutcome::Error;
        }
        if (!ApplyStartFor(value, options.Screens[index].Presenter, error)) {
            message = QStringLiteral("--start-for ") + item + QStringLiteral(": ") + error;
            return TParseOutcome::Error;
        }
    }

    TSimFaults &faults = options.Faults;
    for (const QString &item : parser.values(delayCode)) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        int code = 0;
        qint64 ms = 0;
        if (equals <= 0 || !ParseCode(item.left(equals), code) ||
            !ParseNumber(item.mid(equals + 1), 0, 3600 * 1000, ms)) {
            message = QStringLiteral("--delay-code needs CODE=MS: ") + item;
            return TParseOutcome::Error;
        }
        faults.DelayMs.insert(code, static_cast<int>(ms));
    }
    for (const QString &item : parser.values(dropCode)) {
        int code = 0;
        if (!ParseCode(item, code)) {
            message = QStringLiteral("--drop-code needs a code of up to four digits: ") + item;
            return TParseOutcome::Error;
        }
        faults.DroppedCodes.insert(code);
    }
    qint64 number = 0;
    if (parser.isSet(dropAfter)) {
        if (!ParseNumber(parser.value(dropAfter), 1, 1000000000, number)) {
            message = QStringLiteral("--drop-after needs a positive number of lines.");
            return TParseOutcome::Error;
        }
        faults.DropAfterLines = static_cast<int>(number);
    }
    if (parser.isSet(longLine)) {
        if (!ParseNumber(parser.value(longLine), 1, 1024LL * 1024 * 1024, number)) {
            message = QStringLiteral("--long-line needs a positive number of bytes up to 1 GiB.");
            return TParseOutcome::Error;
        }
        faults.LongLineBytes = number;
    }
    faults.Garbage = parser.isSet(garbage);
    faults.WrongPassword = parser.isSet(wrongPassword);
    options.Verbose = parser.isSet(verbose);
    options.RecordPath = parser.value(record);
    return TParseOutcome::Run;
}
