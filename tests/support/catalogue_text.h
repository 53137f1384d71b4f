#pragma once

#include <array>
#include <string>
#include <vector>

namespace qrn::test {

using Record = std::array<std::u16string, 7>;

// A record whose fields are made from a short name: mark, "ID_name", "tail name", "-", age,
// "-", "Name name".
inline Record record(const std::u16string& name, const std::u16string& age = u"15",
                     const std::u16string& mark = u"-") {
    return {mark, u"ID_" + name, u"tail " + name, u"-", age, u"-", u"Name " + name};
}

// The catalogue file text of these records, one field a line, CR LF after each line.
inline std::u16string catalogueText(const std::vector<Record>& records) {
    std::u16string text;
    for (const auto& r : records)
        for (const auto& field : r) text += field + u"\r\n";
    return text;
}

}  // namespace qrn::test
