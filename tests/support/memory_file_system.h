#pragma once

#include <map>
#include <memory>
#include <string>

#include "base/errors.h"
#include "platform/platform.h"

namespace qrn::test {

// An in-memory file system for tests: files are texts, lines split as the real streams split
// them (CR LF, lone LF, lone CR; no extra line after a final line end).
//
// It can fail one chosen operation. Every operation that can fail on a real disk is a numbered
// point, counted from 1 in the order the calls come: opening a file for reading, each
// end-of-file test and each line read (a read in the middle of the file), creating an output
// file, each write (which keeps half of its text before failing, as a full disk would), the
// commit (the rename that makes the file visible), and the delete. Points are counted from
// failAt() on; before it nothing fails. A run that fails nothing counts the points; a walk then
// fails each in turn (walkFailurePoints).
class MemoryFileSystem : public platform::FileSystem {
public:
    enum class Operation { Open, AtEnd, ReadLine, Create, Write, Commit, Delete };

    std::map<std::u16string, std::u16string> files;

    // Counts points from here on and fails the one with this number (from 1); 0 fails nothing.
    void failAt(int point) {
        counting_ = true;
        failAt_ = point;
        points_ = 0;
        injected_ = false;
    }
    int points() const { return points_; }
    bool injected() const { return injected_; }
    // The operation of the last point passed.
    Operation last() const { return last_; }
    // Counts a point, and throws the injected failure (naming the file and line) when it is the
    // one to fail.
    void pass(Operation operation, const std::u16string& path, long line = 0);

    std::unique_ptr<platform::TextStream> OpenTextFile(const std::u16string& path) override;
    bool FolderExists(const std::u16string&) override { return false; }
    bool FileExists(const std::u16string& path) override { return files.count(path) > 0; }
    void DeleteFile(const std::u16string& path) override;
    std::unique_ptr<platform::OutputFile> CreateOutputFile(const std::u16string& path,
                                                           platform::CreateMode mode) override;
    // The text's size and the text itself stand for the digest.
    platform::FileDigest Digest(const std::u16string& path) override;
    // No private folder in memory: throws FileError.
    std::unique_ptr<platform::PrivateFolder> OpenPrivateFolder(const std::u16string& path,
                                                               bool create) override;

private:
    bool counting_ = false;
    int failAt_ = 0;
    int points_ = 0;
    bool injected_ = false;
    Operation last_ = Operation::Open;
};

// Runs run(0), which fails nothing and returns the number of points it passed, then run(k) for
// every point k. Returns the number of faults injected.
template <class Run>
int walkFailurePoints(Run run) {
    const int points = run(0);
    for (int k = 1; k <= points; ++k) run(k);
    return points;
}

}  // namespace qrn::test
