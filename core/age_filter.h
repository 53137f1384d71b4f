#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qrn {

class Catalogue;
class Picker;

// The four check marks of the "Afficher" menu, all checked when a window opens.
struct AgeChecks {
    bool stone = true;   // "Age de la pierre", code "15"
    bool tool = true;    // "Age de l'outil", code "14"
    bool bronze = true;  // "Age du bronze", code "12"
    bool iron = true;    // "Age du fer", code "8"
};

// Index lists are texts: each index in decimal followed by ";" ("0;3;17;").

// Every index from 0 to the count whose field equals value exactly, ascending. field must be
// 1 to 7 (IndexError otherwise).
std::u16string ListMatches(const Catalogue& catalogue, std::int16_t field,
                           std::u16string_view value);

// The same indices in ascending order, each once, by marking: the cost is the list's length
// plus the catalogue count. Indices above the count are dropped; an index outside 0 to 1000
// is an IndexError, a piece that is not a number a TypeMismatch.
std::u16string ClassThem(const Catalogue& catalogue, std::u16string_view str);

// Rebuilds the picker: entry 0, the entries of the checked ages and the "L" entries, in
// catalogue order, then selects the first entry (none when the picker stays empty). Nothing
// while no catalogue has loaded.
void Blist(const Catalogue& catalogue, const AgeChecks& checks, Picker& picker);

// Why typed names no entry the picker offers when the age filter hides it: "« Temple » est
// masqué : Age du bronze", naming the catalogue's entry whose name folds to typed (see
// foldName) and whose age is unchecked. Empty when no hidden entry has that name.
std::u16string hiddenByAge(const Catalogue& catalogue, const AgeChecks& checks,
                           std::u16string_view typed);

}  // namespace qrn
