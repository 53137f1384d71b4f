#include "editor/picker_model.h"

namespace qrn {

QString foldForMatching(const QString& text) {
    // The picker's own rule, so that the completion offers what Enter takes.
    return QString::fromStdU16String(foldName(text.toStdU16String()));
}

PickerModel::PickerModel(const Picker& picker, QObject* parent)
    : QAbstractListModel(parent), picker_(picker) {}

int PickerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : picker_.count();
}

QVariant PickerModel::data(const QModelIndex& index, int role) const {
    // Views and combo boxes ask for invalid indexes too (the text of no entry).
    if (!index.isValid() || index.row() >= picker_.count()) return {};
    const Picker::Entry& entry = picker_.entry(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdU16String(entry.text);
        case Qt::UserRole:
            return entry.itemData;
        case kFoldedRole:
            return QString::fromStdU16String(foldName(entry.text));
        default:
            return {};
    }
}

void PickerModel::rebuild(const std::function<void()>& change) {
    beginResetModel();
    try {
        change();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

}  // namespace qrn
