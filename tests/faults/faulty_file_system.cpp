#include "tests/faults/faulty_file_system.h"

#include "base/errors.h"

namespace qrn::test {

namespace {

using Operation = FaultyFileSystem::Operation;

FileError injectedError(const std::u16string& path, long line = 0) {
    FileError error(path, u"erreur d'entrée-sortie (panne simulée)");
    error.line = line;
    return error;
}

class FaultyStream : public platform::TextStream {
public:
    FaultyStream(FaultyFileSystem& fs, std::unique_ptr<platform::TextStream> inner,
                 std::u16string path)
        : fs_(fs), inner_(std::move(inner)), path_(std::move(path)) {}

    bool AtEndOfStream() override {
        if (fs_.pass(Operation::AtEnd)) throw injectedError(path_, linesRead_ + 1);
        return inner_->AtEndOfStream();
    }
    std::u16string ReadLine() override {
        if (fs_.pass(Operation::ReadLine)) throw injectedError(path_, linesRead_ + 1);
        ++linesRead_;
        return inner_->ReadLine();
    }

private:
    FaultyFileSystem& fs_;
    std::unique_ptr<platform::TextStream> inner_;
    std::u16string path_;
    long linesRead_ = 0;
};

class FaultyOutput : public platform::OutputFile {
public:
    FaultyOutput(FaultyFileSystem& fs, std::unique_ptr<platform::OutputFile> inner,
                 std::u16string path)
        : fs_(fs), inner_(std::move(inner)), path_(std::move(path)) {}

    void Write(std::u16string_view text) override {
        if (fs_.pass(Operation::Write)) {
            inner_->Write(text.substr(0, text.size() / 2));
            throw injectedError(path_);
        }
        inner_->Write(text);
    }
    // A failed commit leaves the inner output uncommitted, as a failed rename leaves the
    // temporary file aside.
    void Commit() override {
        if (fs_.pass(Operation::Commit)) throw injectedError(path_);
        inner_->Commit();
    }

private:
    FaultyFileSystem& fs_;
    std::unique_ptr<platform::OutputFile> inner_;
    std::u16string path_;
};

}  // namespace

void FaultyFileSystem::start(int failAt) {
    counting_ = true;
    failAt_ = failAt;
    points_ = 0;
    injected_ = false;
}

bool FaultyFileSystem::pass(Operation operation) {
    if (!counting_) return false;
    last_ = operation;
    if (++points_ != failAt_) return false;
    injected_ = true;
    return true;
}

std::unique_ptr<platform::TextStream> FaultyFileSystem::OpenTextFile(const std::u16string& path) {
    if (pass(Operation::Open)) throw injectedError(path);
    return std::make_unique<FaultyStream>(*this, inner_.OpenTextFile(path), path);
}

void FaultyFileSystem::DeleteFile(const std::u16string& path) {
    if (pass(Operation::Delete)) throw injectedError(path);
    inner_.DeleteFile(path);
}

std::unique_ptr<platform::OutputFile> FaultyFileSystem::CreateOutputFile(
    const std::u16string& path, platform::CreateMode mode) {
    if (pass(Operation::Create)) throw injectedError(path);
    return std::make_unique<FaultyOutput>(*this, inner_.CreateOutputFile(path, mode), path);
}

}  // namespace qrn::test
