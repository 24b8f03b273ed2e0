#include "qt/startup/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace revuro {

namespace {
// A signal handler takes no context, so the pipe it writes to has to be reachable without one.
std::atomic<int> g_writeEnd{-1};

void WriteSignalNumber(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const int fd = g_writeEnd.load();
    if (fd >= 0) (void)!::write(fd, &byte, 1);
    errno = savedErrno;
}
}  // namespace

Result<std::unique_ptr<QuitSignals>> QuitSignals::Install() {
    if (g_writeEnd.load() >= 0) return Error{"the quit signals are already being watched"};
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return Error{std::string("no pipe for the quit signals: ") + std::strerror(errno)};
    return std::unique_ptr<QuitSignals>(new QuitSignals(ends[0], ends[1]));
}

QuitSignals::QuitSignals(int readEnd, int writeEnd) : readEnd_(readEnd), writeEnd_(writeEnd) {
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &QuitSignals::ReadPipe);
    g_writeEnd.store(writeEnd_);

    struct sigaction action {};
    action.sa_handler = &WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previousTerm_);
    ::sigaction(SIGINT, &action, &previousInt_);
}

QuitSignals::~QuitSignals() {
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    ::sigaction(SIGINT, &previousInt_, nullptr);
    g_writeEnd.store(-1);
    notifier_.reset();
    ::close(writeEnd_);
    ::close(readEnd_);
}

void QuitSignals::ReadPipe() {
    unsigned char byte = 0;
    while (::read(readEnd_, &byte, 1) == 1) emit received(byte);
}

}  // namespace revuro
