#include "core/picker.h"

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"

namespace qrn {

const Picker::Entry& Picker::entry(int position) const {
    if (position < 0 || position >= count()) {
        throw IndexError(u"entrée " + decimal(position) + u" hors de la liste des bâtiments");
    }
    return entries_[std::size_t(position)];
}

void Picker::add(std::u16string text, int itemData) {
    entries_.push_back({std::move(text), itemData});
}

void Picker::clear() {
    entries_.clear();
    text_.clear();
    listIndex_ = -1;
}

void Picker::select(int position) {
    if (position == -1) {
        listIndex_ = -1;
        return;
    }
    text_ = entry(position).text;
    listIndex_ = position;
}

void Picker::setText(std::u16string text) {
    text_ = std::move(text);
    listIndex_ = -1;
}

std::optional<int> Picker::resolvedEntry() const {
    if (listIndex_ >= 0) return listIndex_;
    for (int i = 0; i < count(); ++i) {
        if (entries_[std::size_t(i)].text == text_) return i;
    }
    if (text_.empty()) return std::nullopt;
    const std::u16string typed = foldName(text_);
    std::optional<int> holding;
    std::optional<int> equal;
    int holders = 0;
    for (int i = 0; i < count(); ++i) {
        const std::u16string name = foldName(entries_[std::size_t(i)].text);
        if (name.find(typed) == name.npos) continue;
        if (holders++ == 0) holding = i;
        if (!equal && name == typed) equal = i;
    }
    return holders == 1 ? holding : equal;
}

std::optional<int> Picker::chosenEntry(std::optional<int> highlighted) const {
    if (highlighted && *highlighted >= 0 && *highlighted < count()) return highlighted;
    return resolvedEntry();
}

std::u16string foldName(std::u16string_view name) {
    // Windows-1252 letters from U+00C0 to U+00FF, each with its base letter; "*" keeps the
    // character (the multiplication and division signs, thorn).
    static constexpr char16_t kLatin1[] =
        u"aaaaaaæceeeeiiiidnooooo*ouuuuy*s"
        u"aaaaaaæceeeeiiiidnooooo*ouuuuy*y";
    std::u16string folded;
    folded.reserve(name.size());
    for (char16_t c : name) {
        if (c >= u'A' && c <= u'Z') {
            folded += char16_t(c - u'A' + u'a');
        } else if (c >= 0xC0 && c <= 0xFF && kLatin1[c - 0xC0] != u'*') {
            const char16_t base = kLatin1[c - 0xC0];
            if (base == u'æ')
                folded += u"ae";
            else if (c == 0xDF)
                folded += u"ss";
            else
                folded += base;
        } else if (c == 0x152 || c == 0x153) {
            folded += u"oe";
        } else if (c == 0x160 || c == 0x161) {
            folded += u's';
        } else if (c == 0x17D || c == 0x17E) {
            folded += u'z';
        } else if (c == 0x178) {
            folded += u'y';
        } else if (c < 0x300 || c > 0x36F) {  // combining accents typed apart go
            folded += c;
        }
    }
    return folded;
}

void fillPicker(const Catalogue& catalogue, Picker& picker) {
    picker.clear();
    for (int i = 0; i <= catalogue.count(); ++i)
        picker.add(catalogue.field(i, Field::DisplayName), i);
    if (picker.count() > 0) picker.select(0);
}

}  // namespace qrn
