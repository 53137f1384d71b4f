#include "core/age_filter.h"

#include <array>
#include <bitset>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/input_area.h"

namespace qrn {

namespace {

void appendIndex(std::u16string& list, int index) {
    list += decimal(index);
    list += u';';
}

// One piece of an index list as a catalogue index.
int indexOf(std::u16string_view piece) {
    if (piece.empty()) throw TypeMismatch(u"liste d'index : élément vide");
    long value = 0;
    for (char16_t c : piece) {
        if (c < u'0' || c > u'9')
            throw TypeMismatch(u"liste d'index : " + quoted(piece) + u" n'est pas un nombre");
        value = value * 10 + (c - u'0');
        if (value > Catalogue::kMaxIndex) break;
    }
    if (value > Catalogue::kMaxIndex)
        throw IndexError(u"liste d'index : " + quoted(piece) + u" hors de 0 à 1000");
    return int(value);
}

struct Age {
    bool shown;
    std::u16string_view code, name;
};

// The four ages, in the order of their boxes, each with its catalogue code and whether it shows.
std::array<Age, 4> agesOf(const AgeChecks& checks) {
    return {{{checks.stone, u"15", u"Age de la pierre"},
             {checks.tool, u"14", u"Age de l'outil"},
             {checks.bronze, u"12", u"Age du bronze"},
             {checks.iron, u"8", u"Age du fer"}}};
}

}  // namespace

std::u16string ListMatches(const Catalogue& catalogue, std::int16_t field,
                           std::u16string_view value) {
    if (field < 1 || field > 7)
        throw IndexError(u"champ de catalogue " + decimal(field) + u" hors de 1 à 7");
    std::u16string result;
    for (int i = 0; i <= catalogue.count(); ++i) {
        if (catalogue.field(i, field) == value) appendIndex(result, i);
    }
    return result;
}

std::u16string ClassThem(const Catalogue& catalogue, std::u16string_view str) {
    std::bitset<Catalogue::kSize> marks;
    for (std::size_t semicolon; (semicolon = str.find(u';')) != str.npos;) {
        marks.set(std::size_t(indexOf(str.substr(0, semicolon))));
        str.remove_prefix(semicolon + 1);
    }
    std::u16string result;
    for (int i = 0; i <= catalogue.count(); ++i) {
        if (marks.test(std::size_t(i))) appendIndex(result, i);
    }
    return result;
}

void Blist(const Catalogue& catalogue, const AgeChecks& checks, Picker& picker) {
    std::u16string list = u"0;";
    for (const Age& age : agesOf(checks))
        if (age.shown) list += ListMatches(catalogue, 5, age.code);
    list += ListMatches(catalogue, 1, u"L");
    list = ClassThem(catalogue, list);

    picker.clear();
    // Before any catalogue has loaded, entry 0 is blank: a row made from it would save as a
    // plan line that can never be read back.
    if (!catalogue.loaded()) return;
    std::u16string_view rest = list;
    for (std::size_t semicolon; (semicolon = rest.find(u';')) != rest.npos;) {
        const int index = indexOf(rest.substr(0, semicolon));
        picker.add(catalogue.field(index, Field::DisplayName), index);
        rest.remove_prefix(semicolon + 1);
    }
    if (picker.count() > 0) picker.select(0);
}

std::u16string hiddenByAge(const Catalogue& catalogue, const AgeChecks& checks,
                           std::u16string_view typed) {
    const std::array<Age, 4> ages = agesOf(checks);
    const std::u16string folded = foldName(typed);
    if (folded.empty() || !catalogue.loaded()) return {};
    for (int i = 1; i <= catalogue.count(); ++i) {
        if (catalogue.field(i, Field::ListingMark) == u"L") continue;
        const std::u16string& name = catalogue.field(i, Field::DisplayName);
        if (foldName(name) != folded) continue;
        for (const Age& age : ages) {
            if (!age.shown && catalogue.field(i, Field::AgeCode) == age.code)
                return quoted(name) + u" est masqué : " + std::u16string(age.name);
        }
    }
    return {};
}

}  // namespace qrn
