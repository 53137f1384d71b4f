#pragma once

#include <QAbstractListModel>

#include "core/input_area.h"

namespace qrn {

// Shows the entries of the core Picker in Combo1: the display name, and the catalogue index as
// item data (Qt::UserRole). The picker has no observer of its own; whoever rebuilds it calls
// reload() afterwards.
class PickerModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PickerModel(const Picker& picker, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void reload();

private:
    const Picker& picker_;
};

}  // namespace qrn
