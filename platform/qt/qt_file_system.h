#pragma once

#include "platform/platform.h"

namespace qrn::platform {

// The file system through Qt. Every path goes through resolveNativePath first, so Windows
// drive paths find their files in the Wine prefix; errors name the path as the caller gave it.
class QtFileSystem : public FileSystem {
public:
    std::unique_ptr<TextStream> OpenTextFile(const std::u16string& path) override;
    bool FolderExists(const std::u16string& path) override;
    bool FileExists(const std::u16string& path) override;
    void DeleteFile(const std::u16string& path) override;
    std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path,
                                                 CreateMode mode) override;
};

}  // namespace qrn::platform
