#pragma once

#include <QStyledItemDelegate>

namespace qrn {

class PickerModel;

// The building of a row, edited in place through a list of the entries the picker offers: the
// model is given the chosen picker position.
class BuildingDelegate : public QStyledItemDelegate {
public:
    BuildingDelegate(PickerModel* entries, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    PickerModel* entries_;
};

}  // namespace qrn
