#include "editor/building_picker.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>

#include "core/input_area.h"
#include "editor/picker_model.h"

namespace qrn {

BuildingPicker::BuildingPicker(Picker& picker, PickerModel* model, QWidget* parent)
    : QObject(parent), picker_(picker), model_(model) {
    box_ = new QComboBox(parent);
    box_->setObjectName(QStringLiteral("Combo1"));
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setModel(model);
    box_->setMinimumContentsLength(24);
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box_->setMaxVisibleItems(20);
    // Offer the entries whose name holds the typed text, accents and case aside, in a popup
    // without changing what the user types; picking one selects it.
    completion_ = new QSortFilterProxyModel(box_);
    completion_->setSourceModel(model);
    completion_->setFilterRole(PickerModel::kFoldedRole);
    auto* completer = new QCompleter(box_);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    box_->setCompleter(completer);
    completer->setModel(completion_);  // the combo box gave it its own model
    completer->popup()->installEventFilter(this);
    hint_ = new QLabel(parent);
    hint_->setObjectName(QStringLiteral("PickerHint"));

    connect(box_, &QComboBox::editTextChanged, this, &BuildingPicker::textChanged);
    connect(box_, &QComboBox::activated, this, &BuildingPicker::entryChosen);
    connect(box_, &QComboBox::currentIndexChanged, this, &BuildingPicker::entryChosen);
    // Typing: the offered entries follow, and the hint says when none is named.
    connect(box_->lineEdit(), &QLineEdit::textEdited, this, &BuildingPicker::typed);
    box_->lineEdit()->installEventFilter(this);
}

BuildingPicker::~BuildingPicker() {
    // The pop-up's last events must not reach a picker that is gone.
    if (QCompleter* completer = box_->completer()) completer->popup()->removeEventFilter(this);
}

void BuildingPicker::show() {
    {
        QScopedValueRollback<bool> guard(syncing_, true);
        box_->setCurrentIndex(picker_.listIndex());
        box_->setEditText(QString::fromStdU16String(picker_.text()));
    }
    updateHint();
}

void BuildingPicker::rebuild(const std::function<void()>& change) {
    QScopedValueRollback<bool> guard(syncing_, true);
    model_->rebuild(change);
}

std::optional<int> BuildingPicker::highlighted() const {
    QAbstractItemView* popup = box_->completer()->popup();
    const QModelIndex current = popup->currentIndex();
    if (!popup->isVisible() || !current.isValid() || !popup->selectionModel()->isSelected(current))
        return std::nullopt;
    const auto* shown = qobject_cast<const QAbstractProxyModel*>(current.model());
    if (shown == nullptr) return std::nullopt;
    const QModelIndex offered = shown->mapToSource(current);
    return completion_->mapToSource(offered).row();
}

void BuildingPicker::commit() {
    const std::optional<int> chosen = picker_.chosenEntry(highlighted());
    box_->completer()->popup()->hide();
    if (!chosen || (picker_.listIndex() == *chosen)) return;
    picker_.select(*chosen);
    show();
}

void BuildingPicker::textChanged(const QString& text) {
    if (syncing_) return;
    // Choosing an entry also sets the text: that is no typing.
    const int current = box_->currentIndex();
    if (current >= 0 && current < picker_.count() && text == box_->itemText(current))
        picker_.select(current);
    else
        picker_.setText(text.toStdU16String());
    updateHint();
}

void BuildingPicker::entryChosen(int position) {
    if (syncing_ || position < 0 || position >= picker_.count()) return;
    picker_.select(position);
    updateHint();
}

void BuildingPicker::updateHint() {
    const bool named = picker_.resolvedEntry() || picker_.count() == 0;
    const std::u16string hidden =
        named || !hiddenReason_ ? std::u16string() : hiddenReason_(picker_.text());
    hint_->setText(named                    ? QString()
                   : !hidden.empty()        ? QString::fromStdU16String(hidden)
                   : picker_.text().empty() ? QStringLiteral("Aucun bâtiment choisi")
                                            : QStringLiteral("Aucun bâtiment de ce nom"));
}

void BuildingPicker::typed(const QString& text) {
    completion_->setFilterFixedString(foldForMatching(text));
    QCompleter* completer = box_->completer();
    if (text.isEmpty() || completion_->rowCount() == 0)
        completer->popup()->hide();
    else
        completer->complete();
}

bool BuildingPicker::eventFilter(QObject* watched, QEvent* event) {
    // Enter and Tab take the entry the user sees before they do what they do.
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool taking =
        key != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
    if (taking && watched == box_->lineEdit()) commit();
    QCompleter* completer = box_->completer();
    if (taking && completer && watched == completer->popup() && completer->popup()->isVisible()) {
        commit();
        if (key->modifiers() & Qt::ControlModifier)
            emit controlEnterPressed();
        else
            QApplication::sendEvent(box_->lineEdit(), event);
        return true;
    }
    if (completer && watched == completer->popup()) return popupEvent(completer->popup(), event);
    return QObject::eventFilter(watched, event);
}

bool BuildingPicker::popupEvent(QWidget* popup, QEvent* event) {
    // A press outside the pop-up closes it (as the completer would) and goes on to whatever
    // was clicked, instead of being swallowed; its release follows it there.
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QWidget* target = nullptr;
    if (press) {
        if (popup->rect().contains(mouse->position().toPoint())) return false;
        // A click elsewhere (on "Ajouter", say) takes the entry the pop-up highlighted.
        if (highlighted()) commit();
        popup->hide();
        target = QApplication::widgetAt(mouse->globalPosition().toPoint());
        pressTarget_ = target;
    } else {
        target = pressTarget_;
        pressTarget_ = nullptr;
        if (!target) return false;
    }
    if (target) {
        // A press sent on is no user's press: Qt gives no focus for it, so it is given here
        // as a click would.
        if (press) {
            for (QWidget* w = target; w != nullptr; w = w->parentWidget()) {
                if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
                    w->setFocus(Qt::MouseFocusReason);
                    break;
                }
                if (w->isWindow()) break;
            }
        }
        const QPointF local = target->mapFromGlobal(mouse->globalPosition());
        QMouseEvent copy(event->type(), local, mouse->globalPosition(), mouse->button(),
                         mouse->buttons(), mouse->modifiers());
        QApplication::sendEvent(target, &copy);
    }
    return true;
}

}  // namespace qrn
