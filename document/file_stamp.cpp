#include "document/file_stamp.h"

#include "base/errors.h"

namespace qrn {

FileStamp FileStamp::of(const std::u16string& path, platform::FileSystem& files) {
    FileStamp stamp;
    stamp.path_ = path;
    try {
        stamp.digest_ = files.Digest(path);
    } catch (const Error& e) {
        stamp.refusal_ = e.describe();
    }
    return stamp;
}

}  // namespace qrn
