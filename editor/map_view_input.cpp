// The map's input: the tool tip, the mouse (choosing, dragging, placing, panning, the rubber
// band), the wheel and the keys.

#include "editor/map_view.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "mapdraw/map_painter.h"

namespace qrn {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kClickSlop = 4;  // pixels a click may wander before it becomes a pan

QString text(std::u16string_view t) {
    return QString::fromUtf16(t.data(), qsizetype(t.size()));
}

}  // namespace

QString MapView::toolTipAt(QPointF point) const {
    const QPointF at = toMap(point);
    const std::optional<int> hit =
        model_.markerAt(at.x(), at.y(), (mapdraw::markerHalf(view_.scale) + 1) / view_.scale);
    if (!hit) return {};
    const PlacementRow& row = model_.list().row(*hit);
    QString tip =
        QStringLiteral("Ligne %1 : %2\nX %3, Y %4, N %5, S %6, E %7, O %8")
            .arg(*hit)
            .arg(text(row.building()), text(row.cell(Column::X)), text(row.cell(Column::Y)),
                 text(row.cell(Column::N)), text(row.cell(Column::S)), text(row.cell(Column::E)),
                 text(row.cell(Column::O)));
    const std::vector<int> overlaps = model_.overlapsOf(*hit);
    if (!overlaps.empty()) {
        QStringList rows;
        for (std::size_t i = 0; i < std::min<std::size_t>(overlaps.size(), 12); ++i)
            rows << QString::number(overlaps[i]);
        if (overlaps.size() > 12) rows << QStringLiteral("…");
        tip += QStringLiteral("\nChevauche les lignes ") + rows.join(QStringLiteral(", "));
    }
    return tip;
}

bool MapView::event(QEvent* event) {
    // Escape during a drag is the map's, whatever shortcut the window gives the key.
    if (event->type() == QEvent::ShortcutOverride && drag_ == Drag::Marker &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void MapView::track(QPointF point) {
    lastPoint_ = point;
    if (const auto tile = view_.tileAt(point.x(), point.y())) {
        emit tileHovered(QStringLiteral("Tuile X %1, Y %2").arg(tile->first).arg(tile->second));
        if (drag_ != Drag::Marker) std::tie(dragX_, dragY_) = *tile;
    }
}

void MapView::mousePressEvent(QMouseEvent* event) {
    following_ = false;
    pressPoint_ = lastPoint_ = event->position();
    if (event->button() == Qt::MiddleButton) {
        drag_ = Drag::Pan;
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (tool_ == Tool::Place) {
        drag_ = Drag::Place;
        return;
    }
    const QPointF at = toMap(event->position());
    const std::optional<int> hit =
        model_.markerAt(at.x(), at.y(), (mapdraw::markerHalf(view_.scale) + 1) / view_.scale);
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (!hit) {
        drag_ = keys & (Qt::ShiftModifier | Qt::ControlModifier) ? Drag::Band : Drag::Pan;
        return;
    }
    PlacementList& list = document_.list();
    if (keys & Qt::ControlModifier) {
        list.toggle(*hit);
        if (list.isSelected(*hit)) emit markerChosen(*hit);
        return;
    }
    drag_ = Drag::Marker;
    dragRow_ = *hit;
    dragX_ = model_.entry(*hit).x;
    dragY_ = model_.entry(*hit).y;
    // A selected marker of several takes the others with it; the selection stays as it is, so
    // that the map does not move under the pointer.
    dragBlock_ = list.selectionCount() > 1 && list.isSelected(*hit);
    if (!dragBlock_) {
        list.select(*hit);
        emit markerChosen(*hit);
    }
    update();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    hovering_ = true;
    const QPointF point = event->position();
    if (drag_ == Drag::Place && (point - pressPoint_).manhattanLength() > kClickSlop)
        drag_ = Drag::Pan;
    if (drag_ == Drag::Pan) {
        const QPointF d = point - lastPoint_;
        centreOn(view_.centreX - d.x() / view_.scale, view_.centreY + d.y() / view_.scale);
    } else if (drag_ == Drag::Marker && dragRow_ <= model_.count()) {
        const QPointF from = toMap(pressPoint_), at = toMap(point);
        const MapEntry& e = model_.entry(dragRow_);
        const auto to = [](double v) {
            return std::int32_t(std::clamp(std::round(v), double(-kMapCoordinateLimit),
                                           double(kMapCoordinateLimit)));
        };
        const std::int32_t x = to(e.x + at.x() - from.x()), y = to(e.y + at.y() - from.y());
        if (x != dragX_ || y != dragY_) update();
        dragX_ = x;
        dragY_ = y;
    }
    const std::int32_t oldX = dragX_, oldY = dragY_;
    track(point);
    if (drag_ == Drag::Marker || drag_ == Drag::Band ||
        (tool_ == Tool::Place && (oldX != dragX_ || oldY != dragY_)))
        update();
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    mouseMoveEvent(event);
    const Drag drag = std::exchange(drag_, Drag::None);
    if (drag == Drag::Band) {
        selectBand(pressPoint_, event->position(), event->modifiers() & Qt::ControlModifier);
    } else if (drag == Drag::Marker && dragRow_ <= model_.count()) {
        const MapEntry& e = model_.entry(dragRow_);
        if (dragBlock_ && (dragX_ != e.x || dragY_ != e.y))
            operations::moveSelectionOnMap(document_, dragX_ - e.x, dragY_ - e.y, false);
        else if (dragX_ != e.x || dragY_ != e.y)
            operations::moveOnMap(document_, dragRow_, dragX_, dragY_, false);
    } else if (drag == Drag::Place && input_ &&
               view_.tileAt(event->position().x(), event->position().y())) {
        operations::place(document_, *input_, dragX_, dragY_);
    }
    update();
}

void MapView::selectBand(QPointF from, QPointF to, bool adding) {
    const QPointF a = toMap(from), b = toMap(to);
    const auto tile = [](double v) { return std::int64_t(std::floor(v)); };
    const TileRect band{tile(std::min(a.x(), b.x())), tile(std::min(a.y(), b.y())),
                        tile(std::max(a.x(), b.x())), tile(std::max(a.y(), b.y()))};
    std::vector<int> rows;
    model_.inside(band, std::numeric_limits<std::size_t>::max(), rows);
    PlacementList& list = document_.list();
    PlacementList::Selection selection;
    if (adding) selection = list.selection();
    std::vector<char> chosen(std::size_t(list.count()) + 1, 0);
    for (const auto& [first, last] : selection.runs)
        std::fill(chosen.begin() + first, chosen.begin() + last + 1, 1);
    for (const int row : rows) {
        const MapEntry& e = model_.entry(row);
        if (e.onMap && band.contains(e.x, e.y)) {
            chosen[std::size_t(row)] = 1;
            if (!selection.current) selection.current = row;
        }
    }
    selection.runs.clear();
    for (int p = 1; p <= list.count(); ++p)
        if (chosen[std::size_t(p)]) {
            if (!selection.runs.empty() && selection.runs.back().second == p - 1)
                selection.runs.back().second = p;
            else
                selection.runs.emplace_back(p, p);
        }
    if (!selection.runs.empty() && selection.current && !chosen[std::size_t(*selection.current)])
        selection.current.reset();
    list.setSelection(selection);
    if (selection.current) emit markerChosen(*selection.current);
}

void MapView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomAbout(event->position(), std::pow(kZoomStep, steps));
    event->accept();
}

void MapView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && drag_ == Drag::Marker) {
        // The dragged placement goes back where it was; nothing changes.
        drag_ = Drag::None;
        update();
        return;
    }
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_S || event->key() == Qt::Key_P)) {
        setTool(event->key() == Qt::Key_P ? Tool::Place : Tool::Select);
        return;
    }
    following_ = false;
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    const QPointF about = rect().contains(cursor) ? QPointF(cursor) : QPointF(rect().center());
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
            zoomAbout(about, kZoomStep);
            return;
        }
        if (event->key() == Qt::Key_Minus) {
            zoomAbout(about, 1 / kZoomStep);
            return;
        }
    }
    int dx = 0, dy = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            dx = -1;
            break;
        case Qt::Key_Right:
            dx = 1;
            break;
        case Qt::Key_Up:
            dy = 1;
            break;
        case Qt::Key_Down:
            dy = -1;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    const std::optional<int> selected = model_.list().selected();
    if (!selected || !model_.entry(*selected).onMap) return;
    if (model_.list().selectionCount() > 1) {
        // Every selected placement together, successive presses one command.
        operations::moveSelectionOnMap(document_, dx, dy, true);
        revealSelection();
        return;
    }
    const MapEntry& e = model_.entry(*selected);
    if (std::abs(std::int64_t(e.x) + dx) > kMapCoordinateLimit ||
        std::abs(std::int64_t(e.y) + dy) > kMapCoordinateLimit)
        return;
    // Successive presses on one row are one command.
    operations::moveOnMap(document_, *selected, e.x + dx, e.y + dy, true);
    revealSelection();
}

void MapView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hovering_ = false;
    if (tool_ == Tool::Place) update();
    emit tileHovered(QString());
}

}  // namespace qrn
