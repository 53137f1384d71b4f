#include "editor/placement_table_model.h"

#include <QColor>
#include <QStringView>

#include "core/game_reading.h"
#include "planfile/plan_writer.h"

namespace qrn {

namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

}  // namespace

PlacementTableModel::PlacementTableModel(PlacementList& list, const Catalogue* catalogue,
                                         QObject* parent)
    : QAbstractTableModel(parent), list_(list), catalogue_(catalogue) {
    list_.addObserver(this);
}

PlacementTableModel::~PlacementTableModel() {
    list_.removeObserver(this);
}

int PlacementTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.count();
}

int PlacementTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PlacementTableModel::data(const QModelIndex& index, int role) const {
    // Views and combo boxes ask for invalid indexes too (the text of no entry).
    if (!index.isValid() || index.row() >= list_.count() || index.column() >= kColumnCount)
        return {};
    const PlacementRow& row = list_.row(index.row() + 1);
    if (index.column() == 0) {
        switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return toQString(row.building());
            case Qt::ToolTipRole:
            case Qt::BackgroundRole: {
                // The building is marked when its plan identifier would name another entry.
                const std::optional<ReadBackProblem> problem = readBackProblem(row);
                if (!problem || problem->column != kCellCount)
                    return role == Qt::ToolTipRole ? QVariant(toQString(row.building()))
                                                   : QVariant();
                return readBackMark(*problem, role);
            }
            case kCatalogueIndexRole:
                return int(row.index().value());
            default:
                return {};
        }
    }
    const std::u16string_view cell = row.cell(index.column() - 1);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return toQString(cell);
        case Qt::ToolTipRole:
        case Qt::ForegroundRole:
        case Qt::BackgroundRole:
            break;
        default:
            return {};
    }
    // Judged by the writer's own rules, so the marks and a save never disagree.
    const std::optional<CellRefusal> refusal = cellRefusal(cell);
    if (refusal && role == Qt::ToolTipRole)
        return QStringLiteral("Ne pourra pas être enregistré : ") +
               QString::fromStdU16String(refusal->reason);
    if (refusal)
        return role == Qt::ForegroundRole ? QColor(0xA0, 0x00, 0x00) : QColor(0xFF, 0xD8, 0xD8);
    // A row that would not read back is marked in every cell, each telling the first reason.
    if (role == Qt::ForegroundRole) return {};
    const std::optional<ReadBackProblem> problem = readBackProblem(row);
    if (problem) return readBackMark(*problem, role);
    // A value that saves and reads back, but that the game would not read as meant.
    if (const auto misread = gameReadingProblem(Column(index.column() - 1), cell)) {
        if (role == Qt::ToolTipRole)
            return QStringLiteral("Le jeu ne lira pas la valeur comme voulu : ") +
                   QString::fromStdU16String(*misread);
        return QColor(0xE0, 0xD8, 0xFF);
    }
    return role == Qt::ToolTipRole ? QVariant(toQString(cell)) : QVariant();
}

std::optional<ReadBackProblem> PlacementTableModel::readBackProblem(const PlacementRow& row) const {
    if (catalogue_ == nullptr) return std::nullopt;
    const PlanRowView view = planRowView(row);
    if (readsBack(view, *catalogue_)) return std::nullopt;
    return readBackProblems(view, *catalogue_).front();
}

QVariant PlacementTableModel::readBackMark(const ReadBackProblem& problem, int role) {
    if (role == Qt::ToolTipRole)
        return QStringLiteral("Ne serait pas relu tel quel : ") +
               QString::fromStdU16String(problem.describe());
    return QColor(0xFF, 0xE8, 0xB0);
}

QVariant PlacementTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    static const char16_t* const kHeaders[kColumnCount] = {
        u"Bâtiment", u"X", u"Y", u"Décalage N", u"Décalage S", u"Décalage E", u"Décalage O",
    };
    if (section < 0 || section >= kColumnCount) return {};
    return QString::fromUtf16(kHeaders[section]);
}

Qt::ItemFlags PlacementTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return editor_ ? flags | Qt::ItemIsEditable : flags;
}

bool PlacementTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editor_ || role != Qt::EditRole || !index.isValid() || index.row() >= list_.count() ||
        index.column() >= kColumnCount)
        return false;
    return editor_(index.row() + 1, index.column(), value);
}

void PlacementTableModel::beforeInsert(int position, int count) {
    beginInsertRows(QModelIndex(), position - 1, position + count - 2);
}

void PlacementTableModel::afterInsert() {
    endInsertRows();
}

void PlacementTableModel::beforeRemove(int position, int count) {
    beginRemoveRows(QModelIndex(), position - 1, position + count - 2);
}

void PlacementTableModel::afterRemove() {
    endRemoveRows();
}

void PlacementTableModel::beforeMove(int first, int count, int to) {
    // Qt names the row the block goes before, counted before the move; the view's selection
    // and persistent indexes follow their rows.
    const int before = to < first ? to - 1 : to + count - 1;
    beginMoveRows(QModelIndex(), first - 1, first + count - 2, QModelIndex(), before);
}

void PlacementTableModel::afterMove() {
    endMoveRows();
}

void PlacementTableModel::beforeReset() {
    beginResetModel();
}

void PlacementTableModel::afterReset() {
    endResetModel();
}

void PlacementTableModel::beforeReplace(int position) {
    replacing_ = position;
}

void PlacementTableModel::afterReplace() {
    emit dataChanged(index(replacing_ - 1, 0), index(replacing_ - 1, kColumnCount - 1));
}

void PlacementTableModel::selectionChanged() {
    emit listSelectionChanged();
}

}  // namespace qrn
