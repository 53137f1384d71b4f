#pragma once

#include <map>
#include <memory>
#include <string>

#include "base/errors.h"
#include "platform/platform.h"

namespace qrn::test {

// An in-memory file system for tests: files are texts, lines split as the real streams split
// them (CR LF, lone LF, lone CR; no extra line after a final line end).
class MemoryFileSystem : public platform::FileSystem {
public:
    std::map<std::u16string, std::u16string> files;

    std::unique_ptr<platform::TextStream> OpenTextFile(const std::u16string& path) override;
    bool FolderExists(const std::u16string&) override { return false; }
    bool FileExists(const std::u16string& path) override { return files.count(path) > 0; }
    void DeleteFile(const std::u16string& path) override;
    std::unique_ptr<platform::OutputFile> CreateOutputFile(const std::u16string& path,
                                                           platform::CreateMode mode) override;
};

}  // namespace qrn::test
