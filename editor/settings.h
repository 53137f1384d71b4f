#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace qrn {

// Every per-user setting of the editor and the plug-in is named in this file.

// One per-user setting, its key named once and read and written through this object.
class SettingValue {
public:
    constexpr SettingValue(std::u16string_view app, std::u16string_view section,
                           std::u16string_view key)
        : app_(app), section_(section), key_(key) {}

    // The stored text, or defaultValue when nothing is stored.
    std::u16string get(platform::Settings& settings, std::u16string_view defaultValue = {}) const {
        return settings.GetSetting(std::u16string(app_), std::u16string(section_),
                                   std::u16string(key_), std::u16string(defaultValue));
    }
    // Throws the store's FileError when the text cannot be stored.
    void set(platform::Settings& settings, const std::u16string& value) const {
        settings.SaveSetting(std::u16string(app_), std::u16string(section_), std::u16string(key_),
                             value);
    }

private:
    std::u16string_view app_;
    std::u16string_view section_;
    std::u16string_view key_;
};

// The plan folder in which the open and save dialogs start, kept under the host's settings
// application name.
inline constexpr SettingValue kPlanFolderSetting{u"MXBEdit", u"Main", u"QRNPath"};

// Whether the editor windows show the map, "1" or "0".
inline constexpr SettingValue kShowMapSetting{u"QRNPlg", u"Window", u"ShowMap"};

// The map's size in tiles ("Taille de la carte" in the options): two whole numbers, or empty
// for a map without an edge.
inline constexpr SettingValue kMapWidthSetting{u"QRNPlg", u"Map", u"Width"};
inline constexpr SettingValue kMapHeightSetting{u"QRNPlg", u"Map", u"Height"};

// The editor window as last closed: its size "WIDTHxHEIGHT", the list and map's splitter and
// ListView1's columns (Qt's saved states, in base64).
inline constexpr SettingValue kWindowSizeSetting{u"QRNPlg", u"Window", u"Size"};
inline constexpr SettingValue kSplitterSetting{u"QRNPlg", u"Window", u"Splitter"};
inline constexpr SettingValue kColumnsSetting{u"QRNPlg", u"Window", u"Columns"};

// "Fichier > Fichiers récents": the plans last opened or saved, the most recent first, one
// path a key; an empty key ends the list.
inline constexpr std::array<SettingValue, 8> kRecentFileSettings{{
    {u"QRNPlg", u"Recent", u"File1"},
    {u"QRNPlg", u"Recent", u"File2"},
    {u"QRNPlg", u"Recent", u"File3"},
    {u"QRNPlg", u"Recent", u"File4"},
    {u"QRNPlg", u"Recent", u"File5"},
    {u"QRNPlg", u"Recent", u"File6"},
    {u"QRNPlg", u"Recent", u"File7"},
    {u"QRNPlg", u"Recent", u"File8"},
}};

}  // namespace qrn
