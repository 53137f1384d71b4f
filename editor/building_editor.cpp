#include "editor/building_editor.h"

#include <QKeyEvent>
#include <QListView>
#include <QSortFilterProxyModel>
#include <algorithm>

#include "core/input_area.h"
#include "editor/picker_model.h"
#include "editor/placement_table_model.h"

namespace qrn {

namespace {

constexpr int kShownRows = 10;

}  // namespace

BuildingEditor::BuildingEditor(const Picker& picker, PickerModel* entries, QWidget* parent)
    : QLineEdit(parent), picker_(picker), shown_(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("BuildingEditor"));
    setAccessibleName(QStringLiteral("Bâtiment"));
    shown_->setSourceModel(entries);
    shown_->setFilterRole(PickerModel::kFoldedRole);
    list_ = new QListView(parent ? parent->window() : nullptr);
    list_->setObjectName(QStringLiteral("BuildingEditorList"));
    list_->setAccessibleName(QStringLiteral("Bâtiments"));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setUniformItemSizes(true);
    list_->setModel(shown_);
    list_->hide();
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
        list_->setCurrentIndex(index);
        emit picked();
    });
    connect(this, &QLineEdit::textEdited, this, &BuildingEditor::narrow);
}

BuildingEditor::~BuildingEditor() {
    delete list_;
}

void BuildingEditor::showEntry(int position) {
    shown_->setFilterFixedString(QString());
    setText(position >= 0 && position < picker_.count()
                ? QString::fromStdU16String(picker_.entry(position).text)
                : QString());
    selectAll();
    highlight(position >= 0 ? std::optional<int>(position) : std::nullopt);
}

std::optional<int> BuildingEditor::chosenEntry() const {
    const QModelIndex current = list_->currentIndex();
    std::optional<int> highlighted;
    if (current.isValid()) highlighted = shown_->mapToSource(current).row();
    Picker typed = picker_;
    typed.setText(text().toStdU16String());
    return typed.chosenEntry(highlighted);
}

void BuildingEditor::narrow(const QString& text) {
    shown_->setFilterFixedString(foldForMatching(text));
    Picker typed = picker_;
    typed.setText(text.toStdU16String());
    highlight(typed.resolvedEntry());
    placeList();
    list_->setVisible(shown_->rowCount() > 0);
}

void BuildingEditor::highlight(std::optional<int> position) {
    const QModelIndex shown =
        position ? shown_->mapFromSource(shown_->sourceModel()->index(*position, 0))
                 : QModelIndex();
    list_->setCurrentIndex(shown);
    if (shown.isValid()) list_->scrollTo(shown);
}

void BuildingEditor::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Up:
            step = -1;
            break;
        case Qt::Key_Down:
            step = 1;
            break;
        case Qt::Key_PageUp:
            step = -kShownRows;
            break;
        case Qt::Key_PageDown:
            step = kShownRows;
            break;
        default:
            return QLineEdit::keyPressEvent(event);
    }
    event->accept();
    const int rows = shown_->rowCount();
    if (rows == 0) return;
    const QModelIndex current = list_->currentIndex();
    const int row = current.isValid() ? std::clamp(current.row() + step, 0, rows - 1)
                    : step > 0        ? 0
                                      : rows - 1;
    list_->setCurrentIndex(shown_->index(row, 0));
    placeList();
    list_->show();
}

void BuildingEditor::placeList() {
    QWidget* window = list_->parentWidget();
    if (!window) return;
    list_->raise();
    const int rowHeight = std::max(list_->sizeHintForRow(0), fontMetrics().height());
    const int rows = std::clamp(shown_->rowCount(), 1, kShownRows);
    list_->setGeometry(
        QRect(mapTo(window, QPoint(0, height())),
              QSize(std::max(width(), 200), rows * rowHeight + 2 * list_->frameWidth())));
}

void BuildingEditor::moveEvent(QMoveEvent* event) {
    QLineEdit::moveEvent(event);
    placeList();
}

void BuildingEditor::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeList();
}

void BuildingEditor::hideEvent(QHideEvent* event) {
    if (list_) list_->hide();
    QLineEdit::hideEvent(event);
}

BuildingDelegate::BuildingDelegate(const Picker& picker, PickerModel* entries, QObject* parent)
    : QStyledItemDelegate(parent), picker_(picker), entries_(entries) {}

QWidget* BuildingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    if (index.column() != 0) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* editor = new BuildingEditor(picker_, entries_, parent);
    connect(editor, &BuildingEditor::picked, this, [this, editor] {
        auto* self = const_cast<BuildingDelegate*>(this);
        emit self->commitData(editor);
        emit self->closeEditor(editor);
    });
    return editor;
}

void BuildingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* building = qobject_cast<BuildingEditor*>(editor);
    if (!building || index.column() != 0) return QStyledItemDelegate::setEditorData(editor, index);
    // The entry of the row's building and catalogue index, else the first of its name.
    const std::u16string name = index.data(Qt::EditRole).toString().toStdU16String();
    const int catalogueIndex = index.data(PlacementTableModel::kCatalogueIndexRole).toInt();
    int found = -1;
    for (int i = 0; i < picker_.count(); ++i) {
        if (picker_.entry(i).text != name) continue;
        if (picker_.entry(i).itemData == catalogueIndex) {
            found = i;
            break;
        }
        if (found < 0) found = i;
    }
    building->showEntry(found);
}

void BuildingDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    auto* building = qobject_cast<BuildingEditor*>(editor);
    if (!building || index.column() != 0)
        return QStyledItemDelegate::setModelData(editor, model, index);
    if (const std::optional<int> chosen = building->chosenEntry())
        model->setData(index, *chosen, Qt::EditRole);
}

}  // namespace qrn
