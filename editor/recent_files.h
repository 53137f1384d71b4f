#pragma once

#include <array>
#include <string>
#include <vector>

namespace qrn {

namespace platform {
class Settings;
}

// The plans last opened or saved, per user, the most recent first and at most eight: read
// from the settings each time, so that every window of every process sees the same list.
class RecentFiles {
public:
    explicit RecentFiles(platform::Settings& settings) : settings_(settings) {}

    std::vector<std::u16string> files() const;
    // Puts file first; the same path further down goes, and the ninth falls off. Throws the
    // store's FileError when the list cannot be kept.
    void add(const std::u16string& file);
    void remove(const std::u16string& file);
    void clear();

private:
    // What the eight keys hold, in order.
    using Keys = std::array<std::u16string, 8>;
    Keys keys() const;
    static std::vector<std::u16string> listed(const Keys& keys);
    // Writes the list after over the keys as they were before.
    void store(const Keys& before, const std::vector<std::u16string>& after);

    platform::Settings& settings_;
};

}  // namespace qrn
