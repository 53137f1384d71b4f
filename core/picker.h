#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrn {

class Catalogue;

// The building picker (Combo1): entries carrying their catalogue index, a current text that
// the user may also type, and the selected entry position (from 0; -1 for none).
class Picker {
public:
    struct Entry {
        std::u16string text;
        int itemData;
    };

    int count() const { return int(entries_.size()); }
    const Entry& entry(int position) const;  // IndexError outside 0 to count - 1
    const std::vector<Entry>& entries() const { return entries_; }
    void add(std::u16string text, int itemData);
    void clear();  // also clears the text and the selection

    int listIndex() const { return listIndex_; }
    // Selecting an entry makes its text the current text; -1 selects nothing.
    void select(int position);
    const std::u16string& text() const { return text_; }
    // Typing: the text changes and no entry stays selected.
    void setText(std::u16string text);

    // The entry the picker stands for, as the user sees it: the selected one, else the first
    // entry whose text equals the current text, else the only entry whose name holds the text
    // (case and accents aside, as the completion offers it), else the first whose name folds to
    // the text ("marche" names "Marché"). None when the text names nothing.
    std::optional<int> resolvedEntry() const;
    // What Enter, Tab, "Ajouter" and "Insérer" take: highlighted (the completion's highlighted
    // position, when valid), else resolvedEntry().
    std::optional<int> chosenEntry(std::optional<int> highlighted) const;

private:
    std::vector<Entry> entries_;
    std::u16string text_;
    int listIndex_ = -1;
};

// A name without case and accents, for matching what is typed against names: "Écurie" and
// "ecurie" fold alike ("Œ" to "oe", "ß" to "ss").
std::u16string foldName(std::u16string_view name);

// Fills the picker with every catalogue entry, 0 to the count, and selects the first one
// (a picker left empty gets no selection). The fill at window load.
void fillPicker(const Catalogue& catalogue, Picker& picker);

}  // namespace qrn
