#pragma once

#include "platform/platform.h"

namespace qrn::platform {

// The per-user settings store in Qt's native format: the application name names both the
// organisation and the application, the section is the group.
class QtSettings : public Settings {
public:
    std::u16string GetSetting(const std::u16string& appName, const std::u16string& section,
                              const std::u16string& key, const std::u16string& fallback) override;
    // Stores the text exactly and writes it out at once; throws FileError when it cannot.
    void SaveSetting(const std::u16string& appName, const std::u16string& section,
                     const std::u16string& key, const std::u16string& value) override;
};

}  // namespace qrn::platform
