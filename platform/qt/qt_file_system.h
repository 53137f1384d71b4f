#pragma once

#include "platform/platform.h"

namespace qrn::platform {

// The file system through Qt. Every path goes through resolveNativePath first, so Windows
// drive paths find their files in the Wine prefix, and reaches the file by its exact bytes (a
// name that is not UTF-8 included); errors name the path as the caller gave it.
class QtFileSystem : public FileSystem {
public:
    std::unique_ptr<TextStream> OpenTextFile(const std::u16string& path) override;
    bool FolderExists(const std::u16string& path) override;
    bool FileExists(const std::u16string& path) override;
    void DeleteFile(const std::u16string& path) override;
    std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path,
                                                 CreateMode mode) override;
    FileDigest Digest(const std::u16string& path) override;
    std::unique_ptr<PrivateFolder> OpenPrivateFolder(const std::u16string& path,
                                                     bool create) override;
};

}  // namespace qrn::platform
