#pragma once

// Ends the test process (SIGALRM) when a step that must return at once hangs instead: the test
// fails, it does not hang.

#include <unistd.h>

namespace qrn::test {

struct Watchdog {
    explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

}  // namespace qrn::test
