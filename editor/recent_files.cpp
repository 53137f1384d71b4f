#include "editor/recent_files.h"

#include <algorithm>

#include "editor/settings.h"

namespace qrn {

std::vector<std::u16string> RecentFiles::files() const {
    std::vector<std::u16string> files;
    for (const SettingValue& setting : kRecentFileSettings) {
        std::u16string file = setting.get(settings_);
        if (file.empty()) break;
        files.push_back(std::move(file));
    }
    return files;
}

void RecentFiles::add(const std::u16string& file) {
    std::vector<std::u16string> files = this->files();
    std::erase(files, file);
    files.insert(files.begin(), file);
    store(files);
}

void RecentFiles::remove(const std::u16string& file) {
    std::vector<std::u16string> files = this->files();
    std::erase(files, file);
    store(files);
}

void RecentFiles::clear() {
    store({});
}

void RecentFiles::store(const std::vector<std::u16string>& files) {
    for (std::size_t i = 0; i < kRecentFileSettings.size(); ++i) {
        const std::u16string& value = i < files.size() ? files[i] : std::u16string();
        // Keys already empty stay untouched: a short list writes only what it holds.
        if (i >= files.size() && kRecentFileSettings[i].get(settings_).empty()) break;
        kRecentFileSettings[i].set(settings_, value);
    }
}

}  // namespace qrn
