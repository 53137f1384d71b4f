#include "editor/recent_files.h"

#include <algorithm>

#include "editor/settings.h"

namespace qrn {

RecentFiles::Keys RecentFiles::keys() const {
    Keys keys;
    static_assert(std::tuple_size_v<Keys> == kRecentFileSettings.size());
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = kRecentFileSettings[i].get(settings_);
    return keys;
}

std::vector<std::u16string> RecentFiles::listed(const Keys& keys) {
    // An empty key ends the list.
    return {keys.begin(), std::find(keys.begin(), keys.end(), std::u16string())};
}

std::vector<std::u16string> RecentFiles::files() const {
    return listed(keys());
}

void RecentFiles::add(const std::u16string& file) {
    const Keys before = keys();
    std::vector<std::u16string> after = listed(before);
    std::erase(after, file);
    after.insert(after.begin(), file);
    store(before, after);
}

void RecentFiles::remove(const std::u16string& file) {
    const Keys before = keys();
    std::vector<std::u16string> after = listed(before);
    std::erase(after, file);
    store(before, after);
}

void RecentFiles::clear() {
    store(keys(), {});
}

void RecentFiles::store(const Keys& before, const std::vector<std::u16string>& after) {
    // Each key written is a write of the settings file: only the keys that change are written
    // (saving the plan that is already first writes nothing).
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::u16string value = i < after.size() ? after[i] : std::u16string();
        if (value != before[i]) kRecentFileSettings[i].set(settings_, value);
    }
}

}  // namespace qrn
