#include "platform/qt/save_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <random>
#include <string>

namespace qrn::platform {

namespace {

constexpr char kMark[] = ".qrnsave-";
constexpr int kRandomLetters = 6;
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
// NAME's bytes at most: with the dot, the mark and the letters, within the usual 255.
constexpr qsizetype kNameBytes = 200;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Seconds and nanoseconds as one comparable number.
long double seconds(const timespec& t) {
    return static_cast<long double>(t.tv_sec) + static_cast<long double>(t.tv_nsec) / 1e9L;
}

// When this process started, by the system clock, from the kernel's count of clock ticks
// since boot; the time of the first call when the system does not say. A forked child asks
// again: it started later than its parent.
long double processStart() {
    static std::mutex guard;
    static pid_t known = 0;
    static long double start = 0;
    const std::lock_guard<std::mutex> lock(guard);
    if (known == getpid()) return start;
    known = getpid();
    timespec now{}, sinceBoot{};
    clock_gettime(CLOCK_REALTIME, &now);
    start = seconds(now);
    std::ifstream stat("/proc/self/stat");
    std::string line;
    const long ticks = sysconf(_SC_CLK_TCK);
    if (!std::getline(stat, line) || ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0)
        return start;
    // The command's name, in parentheses, may hold anything: the fields follow its last ')'.
    // The start time is the 22nd field, the 20th after the name.
    std::size_t at = line.rfind(')');
    for (int field = 0; field < 20 && at != std::string::npos; ++field) at = line.find(' ', at + 1);
    if (at == std::string::npos) return start;
    const long double startTicks = std::strtold(line.c_str() + at + 1, nullptr);
    if (startTicks > 0) start -= seconds(sinceBoot) - startTicks / static_cast<long double>(ticks);
    return start;
}

// Whether the file was last written or changed before this process started: a save of
// a live process still writing it would be newer.
bool olderThanThisProcess(const struct stat& info) {
    const long double changed = std::max(seconds(info.st_mtim), seconds(info.st_ctim));
    return changed < processStart();
}

// Removes name from the folder at dir when it is a stale temporary file (see the header).
void removeIfStale(int dir, const char* name) {
    const int fd = openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return;
    struct stat info {};
    struct stat again {};
    // The lock is held until the file is gone: a save cannot take it up in between.
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
        olderThanThisProcess(info) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        fstatat(dir, name, &again, AT_SYMLINK_NOFOLLOW) == 0 && again.st_dev == info.st_dev &&
        again.st_ino == info.st_ino)
        unlinkat(dir, name, 0);
    close(fd);
}

}  // namespace

QByteArray temporaryNameBeside(const QByteArray& target) {
    static thread_local std::mt19937 draw{std::random_device{}()};
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.mid(slash + 1);
    if (name.size() > kNameBytes) {
        // Not inside a UTF-8 sequence: back to the start of the character cut.
        qsizetype cut = kNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.truncate(cut);
    }
    QByteArray path = target.left(slash + 1) + '.' + name + kMark;
    for (int i = 0; i < kRandomLetters; ++i) path += kLetters[draw() % (sizeof kLetters - 1)];
    return path;
}

bool isTemporaryName(const QByteArray& name) {
    const qsizetype letters = name.size() - kRandomLetters;
    const qsizetype mark = letters - qsizetype(sizeof kMark - 1);
    if (mark < 1 || name[0] != '.' || name.mid(mark, sizeof kMark - 1) != kMark) return false;
    for (qsizetype i = letters; i < name.size(); ++i)
        if (!isLetter(name[i])) return false;
    return true;
}

void removeStaleTemporaries(const QByteArray& folder) {
    const int dir =
        open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    const int listed = dup(dir);
    DIR* entries = listed < 0 ? nullptr : fdopendir(listed);
    if (entries == nullptr) {
        if (listed >= 0) close(listed);
        close(dir);
        return;
    }
    while (const dirent* entry = readdir(entries)) {
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN) continue;
        if (isTemporaryName(QByteArray(entry->d_name))) removeIfStale(dir, entry->d_name);
    }
    closedir(entries);
    close(dir);
}

}  // namespace qrn::platform
