#include "tests/support/memory_file_system.h"

#include <algorithm>

#include "base/codepage.h"
#include "base/text.h"

namespace qrn::test {

namespace {

using Operation = MemoryFileSystem::Operation;

class MemoryStream : public platform::TextStream {
public:
    MemoryStream(MemoryFileSystem& fs, std::u16string path, std::u16string text)
        : fs_(fs), path_(std::move(path)), text_(std::move(text)) {}
    bool AtEndOfStream() override {
        fs_.pass(Operation::AtEnd, path_, linesRead_ + 1);
        return pos_ >= text_.size();
    }
    std::u16string ReadLine() override {
        fs_.pass(Operation::ReadLine, path_, linesRead_ + 1);
        if (pos_ >= text_.size()) throw FileError(path_, u"lecture après la fin du fichier");
        ++linesRead_;
        const std::size_t stop = std::min(text_.find_first_of(u"\r\n", pos_), text_.size());
        std::u16string line = text_.substr(pos_, stop - pos_);
        const bool crlf =
            stop + 1 < text_.size() && text_[stop] == u'\r' && text_[stop + 1] == u'\n';
        pos_ = stop == text_.size() ? stop : stop + (crlf ? 2 : 1);
        return line;
    }

private:
    MemoryFileSystem& fs_;
    std::u16string path_;
    std::u16string text_;
    std::size_t pos_ = 0;
    long linesRead_ = 0;
};

// Nothing shows at the path until the commit, as with a temporary file renamed over it.
class MemoryOutput : public platform::OutputFile {
public:
    MemoryOutput(MemoryFileSystem& fs, std::u16string path) : fs_(fs), path_(std::move(path)) {}
    // Refuses what the 8-bit files cannot hold, as the real files do.
    void Write(std::u16string_view text) override {
        encodeWindows1252(text);
        const std::size_t half = text.size() / 2;
        text_ += text.substr(0, half);
        fs_.pass(Operation::Write, path_);
        text_ += text.substr(half);
    }
    void Commit() override {
        fs_.pass(Operation::Commit, path_);
        fs_.files[path_] = text_;
    }

private:
    MemoryFileSystem& fs_;
    std::u16string path_;
    std::u16string text_;
};

}  // namespace

void MemoryFileSystem::pass(Operation operation, const std::u16string& path, long line) {
    if (!counting_) return;
    last_ = operation;
    if (++points_ != failAt_) return;
    injected_ = true;
    FileError error(path, u"erreur d'entrée-sortie (panne simulée)");
    error.line = line;
    throw error;
}

std::unique_ptr<platform::TextStream> MemoryFileSystem::OpenTextFile(const std::u16string& path) {
    pass(Operation::Open, path);
    const auto found = files.find(path);
    if (found == files.end()) throw FileError(path, u"fichier introuvable");
    return std::make_unique<MemoryStream>(*this, path, found->second);
}

platform::FileDigest MemoryFileSystem::Digest(const std::u16string& path) {
    const auto found = files.find(path);
    if (found == files.end()) return {};
    return {true, std::int64_t(found->second.size()), toUtf8(found->second)};
}

std::unique_ptr<platform::PrivateFolder> MemoryFileSystem::OpenPrivateFolder(
    const std::u16string& path, bool) {
    throw FileError(path, u"pas de dossier privé en mémoire");
}

void MemoryFileSystem::DeleteFile(const std::u16string& path) {
    pass(Operation::Delete, path);
    if (files.erase(path) == 0) throw FileError(path, u"fichier introuvable");
}

std::unique_ptr<platform::OutputFile> MemoryFileSystem::CreateOutputFile(
    const std::u16string& path, platform::CreateMode mode) {
    pass(Operation::Create, path);
    if (mode == platform::CreateMode::CreateNew && files.count(path))
        throw FileExistsError(path, u"le fichier existe déjà");
    return std::make_unique<MemoryOutput>(*this, path);
}

}  // namespace qrn::test
