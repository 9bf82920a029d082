#include "TSignalWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

extern "C" void WriteSignalByte(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    // Nothing else is safe here; a full pipe just loses a repeated signal.
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[0], &byte, 1);
}

} // namespace

TSignalWatcher::TSignalWatcher(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    FNotifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TSignalWatcher::ReadSignal);

    struct sigaction action = {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

TSignalWatcher::~TSignalWatcher()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    delete FNotifier;
    FNotifier = nullptr;
    for (int &fd : SignalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TSignalWatcher::ReadSignal()
{
    char byte = 0;
    if (::read(SignalPipe[1], &byte, 1) == 1)
        emit Terminated(static_cast<unsigned char>(byte));
}
