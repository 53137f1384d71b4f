#pragma once

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
    void store(const std::vector<std::u16string>& files);

    platform::Settings& settings_;
};

}  // namespace qrn
