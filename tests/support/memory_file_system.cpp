#include "tests/support/memory_file_system.h"

#include <algorithm>

namespace qrn::test {

namespace {

class MemoryStream : public platform::TextStream {
public:
    explicit MemoryStream(std::u16string text) : text_(std::move(text)) {}
    bool AtEndOfStream() override { return pos_ >= text_.size(); }
    std::u16string ReadLine() override {
        if (AtEndOfStream()) throw FileError(u"mémoire", u"lecture après la fin du fichier");
        const std::size_t stop = std::min(text_.find_first_of(u"\r\n", pos_), text_.size());
        std::u16string line = text_.substr(pos_, stop - pos_);
        const bool crlf =
            stop + 1 < text_.size() && text_[stop] == u'\r' && text_[stop + 1] == u'\n';
        pos_ = stop == text_.size() ? stop : stop + (crlf ? 2 : 1);
        return line;
    }

private:
    std::u16string text_;
    std::size_t pos_ = 0;
};

class MemoryOutput : public platform::OutputFile {
public:
    MemoryOutput(MemoryFileSystem& fs, std::u16string path) : fs_(fs), path_(std::move(path)) {}
    void Write(std::u16string_view text) override { text_ += text; }
    void Commit() override { fs_.files[path_] = text_; }

private:
    MemoryFileSystem& fs_;
    std::u16string path_;
    std::u16string text_;
};

}  // namespace

std::unique_ptr<platform::TextStream> MemoryFileSystem::OpenTextFile(const std::u16string& path) {
    const auto found = files.find(path);
    if (found == files.end()) throw FileError(path, u"fichier introuvable");
    return std::make_unique<MemoryStream>(found->second);
}

void MemoryFileSystem::DeleteFile(const std::u16string& path) {
    if (files.erase(path) == 0) throw FileError(path, u"fichier introuvable");
}

std::unique_ptr<platform::OutputFile> MemoryFileSystem::CreateOutputFile(
    const std::u16string& path, platform::CreateMode mode) {
    if (mode == platform::CreateMode::CreateNew && files.count(path))
        throw FileExistsError(path, u"le fichier existe déjà");
    return std::make_unique<MemoryOutput>(*this, path);
}

}  // namespace qrn::test
