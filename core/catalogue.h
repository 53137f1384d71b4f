#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrn {

namespace platform {
class FileSystem;
}

// The seven fields of a catalogue record, numbered by their line within the record.
enum class Field : int {
    ListingMark = 1,  // "L" keeps the entry in the picker whatever ages are shown
    PlanId = 2,       // the building's identifier in plan files
    PlanTail = 3,     // written after the padded plan identifier
    Unused4 = 4,
    AgeCode = 5,  // "15" Stone, "14" Tool, "12" Bronze, "8" Iron Age
    Unused6 = 6,
    DisplayName = 7,
};

// The building catalogue: a fixed table of 1001 entries (indices 0 to 1000) and the count,
// the highest filled index (-1 when the file held no record). Before any load the count is 0
// and every field is empty.
class Catalogue {
public:
    static constexpr int kSize = 1001;
    static constexpr int kMaxIndex = kSize - 1;

    Catalogue();

    std::int16_t count() const { return count_; }
    // True once a load (or assign) has filled the table; before that entry 0 is blank.
    bool loaded() const { return loaded_; }
    // Field 1 to 7 of entry 0 to 1000; anything else is an IndexError.
    const std::u16string& field(int index, int field) const;
    const std::u16string& field(int index, Field f) const { return field(index, int(f)); }

    // LoadCatalogue: reads the seven-line records of the file at path. Comment lines ("'"
    // first) and blank lines ("" or " ") are skipped only where a record may begin. Entries
    // 0 to the new count are overwritten; entries above it keep what they held. A failed load
    // (missing file, a 1002nd record, a file that ends inside a record) throws and leaves the
    // table and the count exactly as they were.
    void load(platform::FileSystem& files, const std::u16string& path);

    // The lowest index from 0 to the count whose plan identifier equals id exactly: the
    // first index ListMatches(field 2, id) gives.
    std::optional<int> findPlanId(std::u16string_view id) const;

    // For tests and tools: replace the table's first entries and the count as a load would.
    void assign(const std::vector<std::array<std::u16string, 7>>& records);

private:
    void rebuildPlanIdIndex();

    std::vector<std::array<std::u16string, 7>> entries_;
    std::int16_t count_ = 0;
    bool loaded_ = false;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    std::unordered_map<std::u16string, int, Hash, std::equal_to<>> planIdIndex_;
};

}  // namespace qrn
