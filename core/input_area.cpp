#include "core/input_area.h"

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
    return std::nullopt;
}

void fillPicker(const Catalogue& catalogue, Picker& picker) {
    picker.clear();
    for (int i = 0; i <= catalogue.count(); ++i)
        picker.add(catalogue.field(i, Field::DisplayName), i);
    if (picker.count() > 0) picker.select(0);
}

}  // namespace qrn
