#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/catalogue.h"
#include "platform/qt/qt_file_system.h"

namespace qrn::bench {

// The benchmarks' temporary folder: the catalogue file QRN.txt and one plan file per row
// count, made on first use and removed with the folder when the program ends.
class Workspace {
public:
    static Workspace& instance();
    ~Workspace();

    const std::string& folder() const { return folder_; }
    const std::string& cataloguePath() const { return cataloguePath_; }
    // The plan of rows lines, written the first time it is asked for.
    const std::string& planPath(long rows);
    std::size_t planSize(long rows);

    platform::QtFileSystem& files() { return files_; }
    // The catalogue loaded from QRN.txt through the file system.
    const Catalogue& catalogue() const { return catalogue_; }

private:
    Workspace();

    struct Plan {
        std::string path;
        std::size_t size;
    };
    const Plan& plan(long rows);

    std::string folder_;
    std::string cataloguePath_;
    std::map<long, Plan> plans_;
    platform::QtFileSystem files_;
    Catalogue catalogue_;
};

std::u16string u16(const std::string& path);

}  // namespace qrn::bench
