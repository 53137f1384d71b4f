#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QSortFilterProxyModel;

namespace qrn {

class Picker;
class PickerModel;

// The building picker: Combo1, which shows the core's Picker and lets the user choose an entry
// or type a name, with a completion pop-up offering the entries whose name holds the typed
// text (accents and case aside), and PickerHint under it, which says when the text names no
// building. A click outside the pop-up closes it and lands where it was aimed.
class BuildingPicker : public QObject {
    Q_OBJECT
public:
    // The widgets are made as children of parent.
    BuildingPicker(Picker& picker, PickerModel* model, QWidget* parent);
    ~BuildingPicker() override;

    QComboBox* combo() const { return box_; }
    QLabel* hint() const { return hint_; }

    // Shows the picker's selection and text (after the core changed them).
    void show();
    // Changes the picker's entries through change (show() shows them).
    void rebuild(const std::function<void()>& change);
    // Takes what the user sees as chosen (Enter, Tab, "Ajouter", "Insérer"): the completion
    // pop-up's highlighted entry while it is open, else the core's rule (Picker::chosenEntry).
    // The entry found is selected; the pop-up closes.
    void commit();
    // Why a typed name is not offered although the catalogue has it (the age filter hides
    // it); empty when it is not hidden. The hint says it.
    void setHiddenReason(std::function<std::u16string(const std::u16string&)> reason) {
        hiddenReason_ = std::move(reason);
    }

signals:
    // Ctrl+Enter pressed while the completion pop-up held the keyboard (the window's own key
    // for it is not seen then); the entry is already taken.
    void controlEnterPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textChanged(const QString& text);
    void entryChosen(int position);
    void typed(const QString& text);
    void updateHint();
    bool popupEvent(QWidget* popup, QEvent* event);
    // The picker position of the pop-up's highlighted entry while the pop-up shows.
    std::optional<int> highlighted() const;

    Picker& picker_;
    PickerModel* model_;
    QComboBox* box_;
    QLabel* hint_;
    QSortFilterProxyModel* completion_;  // the offered entries matching the text
    bool syncing_ = false;
    std::function<std::u16string(const std::u16string&)> hiddenReason_;
    // Where a press outside the completion pop-up went, for its release.
    QPointer<QWidget> pressTarget_;
};

}  // namespace qrn
