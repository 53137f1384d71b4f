#pragma once

#include <QAbstractListModel>
#include <functional>

#include "core/input_area.h"

namespace qrn {

// text without accents and case, for matching what is typed against names: "Écurie" and
// "ecurie" fold alike.
QString foldForMatching(const QString& text);

// Shows the entries of the core Picker in Combo1: the display name, and the catalogue index as
// item data (Qt::UserRole). The picker has no observer of its own: whoever rebuilds it does so
// through rebuild(), so that views see the change as one reset.
class PickerModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The display name folded for matching (see foldForMatching).
    static constexpr int kFoldedRole = Qt::UserRole + 1;

    explicit PickerModel(const Picker& picker, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Runs change, which rebuilds the picker, inside a model reset.
    void rebuild(const std::function<void()>& change);

private:
    const Picker& picker_;
};

}  // namespace qrn
