#include "bench/workspace.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "bench/plan_data.h"

namespace qrn::bench {

Workspace& Workspace::instance() {
    static Workspace workspace;
    return workspace;
}

Workspace::Workspace() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qrn-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
    folder_ = pattern;
    cataloguePath_ = folder_ + "/QRN.txt";
    writeCatalogueFile(cataloguePath_);
    catalogue_.load(files_, u16(cataloguePath_));
}

Workspace::~Workspace() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

const Workspace::Plan& Workspace::plan(long rows) {
    auto found = plans_.find(rows);
    if (found != plans_.end()) return found->second;
    const std::string path = folder_ + "/plan_" + std::to_string(rows) + ".txt";
    const std::size_t size = writePlanFile(path, rows);
    return plans_.emplace(rows, Plan{path, size}).first->second;
}

const std::string& Workspace::planPath(long rows) {
    return plan(rows).path;
}

std::size_t Workspace::planSize(long rows) {
    return plan(rows).size;
}

std::u16string u16(const std::string& path) {
    return std::u16string(path.begin(), path.end());
}

}  // namespace qrn::bench
