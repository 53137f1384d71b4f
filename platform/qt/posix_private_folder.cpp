#include "platform/qt/posix_private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "platform/qt/checked_open.h"
#include "platform/qt/file_size_signal.h"
#include "platform/qt/native_path.h"
#include "platform/qt/qt_text_stream.h"

namespace qrn::platform {

namespace {

bool isOwnRegularFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

[[noreturn]] void fail(const std::u16string& path, std::u16string_view reason) {
    throw FileError(path, std::u16string(reason));
}

// Opens the folder name under at (at itself when name is the whole path), never through a link,
// creating it first when asked. -1 when it is missing and not to be created.
int openFolder(int at, const std::string& name, const std::u16string& path, bool create,
               bool last) {
    const char* n = name.c_str();
    if (create && ::mkdirat(at, n, 0700) != 0 && errno != EEXIST)
        fail(path, withSystemReason(last ? u"impossible de créer le dossier de récupération"
                                         : u"impossible de créer un dossier au-dessus du "
                                           u"dossier de récupération",
                                    errno));
    const int fd = ::openat(at, n, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT && !create) return -1;
        struct stat link {};
        if ((error == ELOOP || error == ENOTDIR) &&
            ::fstatat(at, n, &link, AT_SYMLINK_NOFOLLOW) == 0) {
            if (last)
                fail(path, S_ISLNK(link.st_mode)
                               ? u"le dossier de récupération est un lien symbolique"
                               : u"le dossier de récupération n'est pas un dossier");
            fail(path, S_ISLNK(link.st_mode)
                           ? u"le dossier au-dessus du dossier de récupération est un lien "
                             u"symbolique"
                           : u"le dossier au-dessus du dossier de récupération n'est pas un "
                             u"dossier");
        }
        fail(path, withSystemReason(u"dossier de récupération inaccessible", error));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid()) {
        ::close(fd);
        fail(path, last ? u"le dossier de récupération appartient à un autre utilisateur"
                        : u"le dossier au-dessus du dossier de récupération appartient à un "
                          u"autre utilisateur");
    }
    // Unsaved plans are the user's own: nobody else may read them.
    if (last && create && (info.st_mode & 07777) != 0700 && ::fchmod(fd, 0700) != 0) {
        const int error = errno;
        ::close(fd);
        fail(path, withSystemReason(u"impossible de protéger le dossier de récupération", error));
    }
    return fd;
}

// A copy written under a temporary name of the folder and renamed over its name at Commit().
class PrivateOutputFile : public OutputFile {
public:
    PrivateOutputFile(std::shared_ptr<const int> folder, std::string name, std::u16string path)
        : folder_(std::move(folder)), name_(std::move(name)), path_(std::move(path)) {
        static std::atomic<unsigned> counter = 0;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            temporary_ = '.' + name_ + '.' + std::to_string(::getpid()) + '-' +
                         std::to_string(counter++) + '-' + std::to_string(now % 100000);
            fd_ = ::openat(*folder_, temporary_.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd_ < 0 && errno != EEXIST)
                fail(path_, withSystemReason(u"création impossible", errno));
        }
        if (fd_ < 0) fail(path_, u"création impossible (aucun nom temporaire libre)");
    }
    ~PrivateOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlinkat(*folder_, temporary_.c_str(), 0);
    }
    PrivateOutputFile(const PrivateOutputFile&) = delete;
    PrivateOutputFile& operator=(const PrivateOutputFile&) = delete;

    void Write(std::u16string_view text) override {
        const std::string bytes = encodeWindows1252(text);
        const FileSizeSignalHold hold;  // a size limit fails this copy, not the host
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) fail(path_, withSystemReason(u"écriture impossible", errno));
            done += static_cast<std::size_t>(put);
        }
    }

    void Commit() override {
        if (::fsync(fd_) != 0) fail(path_, withSystemReason(u"écriture impossible", errno));
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) fail(path_, withSystemReason(u"écriture impossible", errno));
        // Whatever took the copy's name since it was last written is left alone: a link is
        // neither followed nor replaced.
        struct stat info {};
        if (::fstatat(*folder_, name_.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            !isOwnRegularFile(info))
            fail(path_, S_ISLNK(info.st_mode)
                            ? u"la copie de secours a été remplacée par un lien symbolique ; "
                              u"elle n'est pas suivie"
                            : u"la copie de secours a été remplacée par un fichier qui n'est "
                              u"pas un fichier ordinaire de cet utilisateur");
        if (::renameat(*folder_, temporary_.c_str(), *folder_, name_.c_str()) != 0)
            fail(path_, withSystemReason(u"écriture impossible", errno));
        committed_ = true;
        ::fsync(*folder_);
    }

private:
    std::shared_ptr<const int> folder_;
    std::string name_;
    std::u16string path_;
    std::string temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

class PosixPrivateFolder : public PrivateFolder {
public:
    PosixPrivateFolder(int fd, std::u16string path)
        : fd_(new int(fd),
              [](const int* p) {
                  ::close(*p);
                  delete p;
              }),
          path_(std::move(path)) {}

    Kind Look(const std::u16string& name) override {
        struct stat info {};
        if (!look(name, info)) return Kind::None;
        return isOwnRegularFile(info) ? Kind::OwnFile : Kind::Other;
    }

    std::vector<std::u16string> List(std::u16string_view suffix) override {
        std::vector<std::u16string> names;
        const int copy = ::dup(*fd_);
        DIR* dir = copy < 0 ? nullptr : ::fdopendir(copy);
        if (dir == nullptr) {
            const int error = errno;
            if (copy >= 0) ::close(copy);
            fail(path_, withSystemReason(u"dossier de récupération illisible", error));
        }
        ::rewinddir(dir);
        while (const dirent* entry = ::readdir(dir)) {
            std::u16string name = decodeFileName(entry->d_name);
            if (name.size() > suffix.size() && name.ends_with(suffix) && name[0] != u'.')
                names.push_back(std::move(name));
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::unique_ptr<TextStream> OpenTextFile(const std::u16string& name) override {
        const std::u16string path = PathOf(name);
        const int fd = ::openat(*fd_, encodeFileName(name).c_str(),
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT) fail(path, u"fichier introuvable");
            fail(path, withSystemReason(u"lecture impossible", errno));
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !isOwnRegularFile(info)) {
            ::close(fd);
            fail(path, u"ce n'est pas un fichier ordinaire de cet utilisateur");
        }
        return std::make_unique<QtTextStream>(fd, path);
    }

    std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& name) override {
        return std::make_unique<PrivateOutputFile>(fd_, encodeFileName(name), PathOf(name));
    }

    void DeleteFile(const std::u16string& name) override {
        struct stat info {};
        if (!look(name, info)) return;
        if (!isOwnRegularFile(info))
            fail(PathOf(name), u"ce n'est pas un fichier ordinaire de cet utilisateur");
        if (::unlinkat(*fd_, encodeFileName(name).c_str(), 0) != 0 && errno != ENOENT)
            fail(PathOf(name), withSystemReason(u"suppression impossible", errno));
    }

    bool RemoveUnheld(const std::u16string& name) override {
        const std::string bytes = encodeFileName(name);
        const int fd = ::openat(*fd_, bytes.c_str(),
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat info {};
        const bool removed = ::fstat(fd, &info) == 0 && isOwnRegularFile(info) &&
                             ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                             ::unlinkat(*fd_, bytes.c_str(), 0) == 0;
        ::close(fd);
        return removed;
    }

    std::int64_t ModifiedAt(const std::u16string& name) override {
        struct stat info {};
        return look(name, info) && isOwnRegularFile(info) ? info.st_mtime : 0;
    }

    std::u16string PathOf(const std::u16string& name) override { return joinPath(path_, name); }

private:
    bool look(const std::u16string& name, struct stat& info) const {
        return ::fstatat(*fd_, encodeFileName(name).c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    }

    std::shared_ptr<const int> fd_;
    std::u16string path_;
};

}  // namespace

std::unique_ptr<PrivateFolder> openPosixPrivateFolder(const std::u16string& path, bool create) {
    std::string native = nativePathBytes(path);
    while (native.size() > 1 && native.back() == '/') native.pop_back();
    // The folder and the one above it are the program's; what lies above them is the user's
    // own (a data folder that is a link is the user's choice), reached as the system does.
    std::vector<std::string> owned;
    for (int i = 0; i < 2 && native != "." && native != "/" && !native.empty(); ++i) {
        const std::size_t slash = native.rfind('/');
        if (slash == std::string::npos) {
            owned.insert(owned.begin(), native);
            native = ".";
        } else {
            owned.insert(owned.begin(), native.substr(slash + 1));
            native.resize(slash == 0 ? 1 : slash);
        }
    }
    if (owned.empty()) fail(path, u"le dossier de récupération n'est pas un dossier");
    if (create) {
        // mkdir -p of the user's folders above.
        std::string sofar;
        for (std::size_t at = 0; at != std::string::npos;) {
            const std::size_t next = native.find('/', at + 1);
            sofar = native.substr(0, next);
            if (!sofar.empty()) ::mkdir(sofar.c_str(), 0700);
            at = next;
        }
    }
    int fd = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && !create) return nullptr;
        fail(path, withSystemReason(u"impossible de créer le dossier de récupération", errno));
    }
    for (std::size_t i = 0; i < owned.size(); ++i) {
        const int above = fd;
        const auto closeAbove = [above](const int*) { ::close(above); };
        const std::unique_ptr<const int, decltype(closeAbove)> closing(&above, closeAbove);
        const int next = openFolder(above, owned[i], path, create, i + 1 == owned.size());
        if (next < 0) return nullptr;
        fd = next;
    }
    return std::make_unique<PosixPrivateFolder>(fd, path);
}

}  // namespace qrn::platform
