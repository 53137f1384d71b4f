#include "platform/qt/file_size_signal.h"

#include <pthread.h>

#include <cerrno>
#include <ctime>

namespace qrn::platform {

namespace {

sigset_t onlyFileSize() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGXFSZ);
    return set;
}

bool pending() {
    sigset_t set;
    return sigpending(&set) == 0 && sigismember(&set, SIGXFSZ) == 1;
}

}  // namespace

FileSizeSignalHold::FileSizeSignalHold() {
    const sigset_t set = onlyFileSize();
    if (pthread_sigmask(SIG_BLOCK, &set, &previous_) != 0) return;
    holding_ = sigismember(&previous_, SIGXFSZ) != 1;
    wasPending_ = holding_ && pending();
}

FileSizeSignalHold::~FileSizeSignalHold() {
    if (!holding_) return;
    const int savedErrno = errno;
    // The signal a write of this thread raised waits, blocked: it is taken away here. One that
    // was already waiting before is not ours to take.
    if (!wasPending_ && pending()) {
        const sigset_t set = onlyFileSize();
        const timespec now{};
        while (sigtimedwait(&set, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    errno = savedErrno;
}

void ignoreFileSizeSignal() {
    signal(SIGXFSZ, SIG_IGN);
}

}  // namespace qrn::platform
