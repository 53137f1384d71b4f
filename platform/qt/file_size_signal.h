#pragma once

// A write past the process's file size limit (RLIMIT_FSIZE) fails with EFBIG, as on a full disk,
// and also raises SIGXFSZ, whose default action ends the process: a save would take the whole
// host with it, every window and its unsaved plans, and leave its temporary file behind.
//
// The plug-in is a library inside someone else's process, so it does not change the signal's
// disposition, which is the host's and holds for every thread. Instead each write holds the
// signal back from its own thread (blocks it there) and takes away the one it raised before
// letting it through again: the write fails with EFBIG, which the saving code reports.

#include <signal.h>

namespace qrn::platform {

// For its lifetime, a SIGXFSZ this thread raises neither ends the process nor reaches a handler.
// Nothing is done when the thread already blocks the signal: then it is the host's to handle.
class FileSizeSignalHold {
public:
    FileSizeSignalHold();
    ~FileSizeSignalHold();
    FileSizeSignalHold(const FileSizeSignalHold&) = delete;
    FileSizeSignalHold& operator=(const FileSizeSignalHold&) = delete;

private:
    sigset_t previous_{};
    bool holding_ = false;
    bool wasPending_ = false;
};

// For a program's own main(): the process ignores SIGXFSZ from then on, so that a size limit
// is an error of the write that passes it, whatever writes it.
void ignoreFileSizeSignal();

}  // namespace qrn::platform
