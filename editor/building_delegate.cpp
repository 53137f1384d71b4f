#include "editor/building_delegate.h"

#include <QComboBox>

#include "editor/picker_model.h"
#include "editor/placement_table_model.h"

namespace qrn {

BuildingDelegate::BuildingDelegate(PickerModel* entries, QObject* parent)
    : QStyledItemDelegate(parent), entries_(entries) {}

QWidget* BuildingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    if (index.column() != 0) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("BuildingEditor"));
    box->setModel(entries_);
    // A choice in the open list is the edit; the keyboard commits with Enter.
    connect(box, &QComboBox::activated, this, [this, box] {
        auto* self = const_cast<BuildingDelegate*>(this);
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    return box;
}

void BuildingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* box = qobject_cast<QComboBox*>(editor);
    if (!box || index.column() != 0) return QStyledItemDelegate::setEditorData(editor, index);
    // The entry of the row's building and catalogue index, else the first of its name.
    const QString name = index.data(Qt::EditRole).toString();
    const int catalogueIndex = index.data(PlacementTableModel::kCatalogueIndexRole).toInt();
    int found = -1;
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i) != name) continue;
        if (box->itemData(i).toInt() == catalogueIndex) {
            found = i;
            break;
        }
        if (found < 0) found = i;
    }
    box->setCurrentIndex(found);
}

void BuildingDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    auto* box = qobject_cast<QComboBox*>(editor);
    if (!box || index.column() != 0) return QStyledItemDelegate::setModelData(editor, model, index);
    if (box->currentIndex() >= 0) model->setData(index, box->currentIndex(), Qt::EditRole);
}

}  // namespace qrn
