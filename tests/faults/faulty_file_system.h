#pragma once

#include <string>

#include "platform/platform.h"

namespace qrn::test {

// A file system over another one that fails one chosen operation. Every operation that can fail
// on a real disk is a numbered point, counted from 1 in the order the calls come: opening a file
// for reading, each end-of-file test and each line read (a read in the middle of the file),
// creating an output file, each write (which hands half of its text on before failing, as a
// full disk would), the final commit (the rename or close that makes the file visible), and
// the delete. Points are counted from start() on; before it nothing fails. A run that fails
// nothing counts the points; a walk then fails each in turn (walkFailurePoints).
class FaultyFileSystem : public platform::FileSystem {
public:
    enum class Operation { Open, AtEnd, ReadLine, Create, Write, Commit, Delete };

    explicit FaultyFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    // Counts points from here on and fails the one with this number (from 1); 0 fails nothing.
    void start(int failAt);
    int points() const { return points_; }
    bool injected() const { return injected_; }
    // The operation of the last point passed.
    Operation last() const { return last_; }

    std::unique_ptr<platform::TextStream> OpenTextFile(const std::u16string& path) override;
    bool FolderExists(const std::u16string& path) override { return inner_.FolderExists(path); }
    bool FileExists(const std::u16string& path) override { return inner_.FileExists(path); }
    void DeleteFile(const std::u16string& path) override;
    std::unique_ptr<platform::OutputFile> CreateOutputFile(const std::u16string& path,
                                                           platform::CreateMode mode) override;

    // Counts a point; true when it is the one to fail.
    bool pass(Operation operation);

private:
    platform::FileSystem& inner_;
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
