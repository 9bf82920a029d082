#include "TSignalWatcher.h"
#include "TSimLog.h"
#include "TSimOptions.h"
#include "TSimServer.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvane-presenter-sim"));

    TSimOptions options;
    QString message;
    switch (ParseSimArguments(QCoreApplication::arguments(), options, message)) {
    case TParseOutcome::Help:
        Print(stdout, message);
        return 0;
    case TParseOutcome::Error:
        Print(stderr, QStringLiteral("orvane-presenter-sim: ") + message);
        return 2;
    case TParseOutcome::Run:
        break;
    }

    TSimLog log(options.Verbose, options.RecordPath);
    if (!log.IsOpen()) {
        Print(stderr, QStringLiteral("orvane-presenter-sim: cannot write ") + options.RecordPath);
        return 1;
    }
    TSignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &TSignalWatcher::Terminated, &app, &QCoreApplication::quit);

    std::vector<std::unique_ptr<TSimServer>> servers;
    for (const TScreenSetup &setup : options.Screens) {
        auto server = std::make_unique<TSimServer>(setup, options.Faults, log);
        if (!server->Listen()) {
            Print(stderr, QStringLiteral("orvane-presenter-sim: cannot listen on 127.0.0.1:") +
                              QString::number(setup.Port) + QStringLiteral(": ") +
                              server->ErrorText());
            return 1;
        }
        Print(stdout, QStringLiteral("listening on 127.0.0.1:") + QString::number(server->Port()));
        servers.push_back(std::move(server));
    }
    return app.exec();
}
