#pragma once

// A real late write failure without root: the action runs in a forked child whose files cannot
// grow past a chosen size, so a write that would pass it fails with EFBIG as on a full disk,
// and raises SIGXFSZ, left at its default (which ends the process), as under a user's limit.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <optional>
#include <string>

#include "base/errors.h"

namespace qrn::test {

// Runs action in a child process in which no file can grow past limit bytes (SIGXFSZ at its
// default, not blocked). Returns the describe() text of the qrn::Error the action threw, or
// nullopt when it returned. Any other way the child ends, a signal included, is a failed check.
template <class F>
std::optional<std::u16string> runWithFileSizeLimit(off_t limit, F action) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe";
        return u"<pipe>";
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        signal(SIGXFSZ, SIG_DFL);
        sigset_t fileSize;
        sigemptyset(&fileSize);
        sigaddset(&fileSize, SIGXFSZ);
        sigprocmask(SIG_UNBLOCK, &fileSize, nullptr);
        const rlimit size{rlim_t(limit), rlim_t(limit)};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(3);
        std::u16string text;
        int status = 0;
        try {
            action();
        } catch (const Error& error) {
            text = error.describe();
            status = 1;
        } catch (...) {
            _exit(2);
        }
        const char* bytes = reinterpret_cast<const char*>(text.data());
        std::size_t left = text.size() * sizeof(char16_t);
        while (left > 0) {
            const ssize_t n = write(pipeEnds[1], bytes, left);
            if (n <= 0) _exit(4);
            bytes += n;
            left -= std::size_t(n);
        }
        _exit(status);
    }
    close(pipeEnds[1]);
    std::string received;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, std::size_t(n));
    close(pipeEnds[0]);
    int status = -1;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) > 1) {
        ADD_FAILURE() << "the child did not end normally, status " << status;
        return u"<child failed>";
    }
    if (WEXITSTATUS(status) == 0) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(received.data()),
                          received.size() / sizeof(char16_t));
}

}  // namespace qrn::test
