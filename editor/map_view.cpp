#include "editor/map_view.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/catalogue.h"
#include "core/commands.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "mapdraw/map_painter.h"

namespace qrn {

namespace {

constexpr double kMinScale = 1e-7;  // the whole coordinate range fits in a few pixels
constexpr double kMaxScale = 96;
constexpr double kZoomStep = 1.25;
constexpr double kClickSlop = 4;  // pixels a click may wander before it becomes a pan

QString text(std::u16string_view t) {
    return QString::fromUtf16(t.data(), qsizetype(t.size()));
}

}  // namespace

MapView::MapView(PlanDocument& document, const Catalogue& catalogue, QWidget* parent)
    : QWidget(parent),
      document_(document),
      catalogue_(catalogue),
      model_(document.list(), &catalogue) {
    setObjectName(QStringLiteral("MapView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(200, 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
    legendButton_ = new QToolButton(this);
    legendButton_->setObjectName(QStringLiteral("MapLegend"));
    legendButton_->setText(QStringLiteral("Légende"));
    legendButton_->setCheckable(true);
    connect(legendButton_, &QToolButton::toggled, this, [this] {
        placeLegend();
        update();
    });
    model_.rowsChanged = [this] {
        if (following_) fitAll();
        redraw();
        emit offMapChanged(offMapText());
    };
    model_.selectionMoved = [this] {
        revealSelection();
        placeLegend();
        redraw();
    };
    // Another plan is seen whole, then keeps the zoom the user gives it.
    connect(&document_, &PlanDocument::startedOver, this, [this] {
        if (isVisible())
            fitAll();
        else
            fitted_ = false;
    });
}

MapView::~MapView() {
    model_.rowsChanged = nullptr;
    model_.selectionMoved = nullptr;
}

void MapView::refresh() {
    model_.rebuild();
}

QString MapView::offMapText() const {
    const int n = model_.offMapCount();
    if (n == 0) return {};
    return n == 1 ? QStringLiteral("1 ligne hors carte")
                  : QStringLiteral("%1 lignes hors carte").arg(n);
}

QPointF MapView::toWidget(double x, double y) const {
    return {view_.screenX(x), view_.screenY(y)};
}

QPointF MapView::toMap(QPointF p) const {
    return {view_.mapX(p.x()), view_.mapY(p.y())};
}

void MapView::setTool(Tool tool) {
    if (tool == tool_) return;
    if (drag_ == Drag::Marker) drag_ = Drag::None;
    tool_ = tool;
    setCursor(tool == Tool::Place ? Qt::CrossCursor : Qt::ArrowCursor);
    update();
    emit toolChanged(tool);
}

void MapView::setMapSize(std::optional<MapSize> size) {
    size_ = size;
    redraw();
}

void MapView::centreOn(double x, double y) {
    view_.centreX = x;
    view_.centreY = y;
    placeLegend();
    redraw();
}

void MapView::setView(double x, double y, double scale) {
    fitted_ = true;
    following_ = false;
    view_.scale = std::clamp(scale, kMinScale, kMaxScale);
    centreOn(x, y);
}

void MapView::fitAll() {
    fitted_ = true;
    following_ = true;
    std::optional<TileRect> all = model_.bounds();
    if (size_) {
        const TileRect edge{0, 0, size_->width - 1, size_->height - 1};
        all = all ? all->united(edge) : edge;
    }
    if (!all) {
        centreOn(0.5, 0.5);
        return;
    }
    const double w = double(all->right - all->left + 1), h = double(all->top - all->bottom + 1);
    view_.scale = std::clamp(0.9 * std::min(width() / w, height() / h), kMinScale, kMaxScale);
    centreOn(double(all->left) + w / 2, double(all->bottom) + h / 2);
}

void MapView::revealSelection() {
    const std::optional<int> selected = model_.list().selected();
    if (!selected || *selected > model_.count() || !isVisible()) return;
    const MapEntry& e = model_.entry(*selected);
    if (!e.onMap) return;
    const QPointF p = toWidget(e.x + 0.5, e.y + 0.5);
    if (!QRectF(rect()).adjusted(8, 8, -8, -8).contains(p)) centreOn(e.x + 0.5, e.y + 0.5);
}

void MapView::placeLegend() {
    // Top right, unless the selected placement lies under the open legend there: then top left.
    const int margin = 6;
    QPoint corner(width() - legendButton_->sizeHint().width() - margin, margin);
    const std::optional<int> selected = model_.list().selected();
    if (legendButton_->isChecked() && selected && *selected <= model_.count() &&
        model_.entry(*selected).onMap) {
        const MapEntry& e = model_.entry(*selected);
        const QPointF c = toWidget(e.x + 0.5, e.y + 0.5);
        if (c.x() > width() / 2.0 && c.y() < height() / 2.0) corner.setX(margin);
    }
    legendButton_->move(corner);
}

void MapView::zoomAbout(QPointF point, double factor) {
    following_ = false;
    const QPointF before = toMap(point);
    view_.scale = std::clamp(view_.scale * factor, kMinScale, kMaxScale);
    const QPointF after = toMap(point);
    centreOn(view_.centreX + before.x() - after.x(), view_.centreY + before.y() - after.y());
}

void MapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!fitted_) fitAll();
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    view_.width = width();
    view_.height = height();
    baseValid_ = false;
    placeLegend();
    if (following_) fitAll();
}

std::optional<MapEntry> MapView::ghost() const {
    std::optional<PlacementRow> row;
    if (drag_ == Drag::Marker && dragRow_ <= model_.count()) {
        const MapEntry& e = model_.entry(dragRow_);
        if (dragX_ == e.x && dragY_ == e.y) return std::nullopt;
        row = movedRow(model_.list().row(dragRow_), dragX_, dragY_);
    } else if (tool_ == Tool::Place && hovering_ && input_ && drag_ != Drag::Pan) {
        row = placedRow(*input_, dragX_, dragY_);
    }
    if (!row) return std::nullopt;
    return mapEntryOf(*row, &catalogue_);
}

void MapView::redraw() {
    baseValid_ = false;
    update();
}

void MapView::paintEvent(QPaintEvent*) {
    if (view_.width != width() || view_.height != height()) {
        // Drawn (render) before its first resize event.
        view_.width = width();
        view_.height = height();
        baseValid_ = false;
    }
    mapdraw::Scene scene{&model_, view_, size_, ghost(), drag_ == Drag::Marker ? dragRow_ : 0};
    // While a placement is dragged or placed, only its ghost moves: the map under it is kept.
    const int lifted = scene.ghost ? scene.ghostRow : 0;
    const qreal ratio = devicePixelRatioF();
    if (!baseValid_ || lifted != baseLifted_ || base_.size() != size() * ratio ||
        base_.devicePixelRatio() != ratio) {
        if (base_.size() != size() * ratio)
            base_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        base_.setDevicePixelRatio(ratio);
        QPainter layer(&base_);
        layer.setFont(font());
        mapdraw::paintBase(layer, scene, lifted, visible_);
        baseValid_ = true;
        baseLifted_ = lifted;
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), base_);
    mapdraw::paintGhost(painter, scene);
    if (scene.ghost) {
        // The target tile beside the pointer.
        const QString where = QStringLiteral("%1, %2").arg(dragX_).arg(dragY_);
        const QRectF box = painter.fontMetrics().boundingRect(where).adjusted(-3, -2, 3, 2);
        const QRectF at = box.translated(lastPoint_ + QPointF(14, 22) - box.topLeft());
        painter.setPen(QColor(0, 90, 255));
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawRect(at);
        painter.drawText(at, Qt::AlignCenter, where);
    }
    if (drag_ == Drag::Marker && dragBlock_ && scene.ghost) {
        // The other selected placements, where the drag would take them.
        const MapEntry& held = model_.entry(dragRow_);
        const std::int64_t dx = std::int64_t(dragX_) - held.x, dy = std::int64_t(dragY_) - held.y;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 90, 255), 2, Qt::DashLine));
        for (const int row : model_.list().selectedPositions()) {
            const MapEntry& e = model_.entry(row);
            if (row == dragRow_ || !e.onMap) continue;
            const TileRect& r = e.region;
            painter.drawRect(
                mapdraw::screenRect(view_, {r.left + dx, r.bottom + dy, r.right + dx, r.top + dy}));
        }
    }
    if (drag_ == Drag::Band) {
        painter.setPen(QPen(QColor(0, 90, 255), 1, Qt::DashLine));
        painter.setBrush(QColor(0, 90, 255, 40));
        painter.drawRect(QRectF(pressPoint_, lastPoint_).normalized());
    }
    if (legendButton_->isChecked()) {
        const QRect button = legendButton_->geometry();
        const bool right = button.left() > width() / 2;
        mapdraw::paintLegend(painter,
                             right ? QPointF(button.right(), button.bottom() + 4)
                                   : QPointF(button.left(), button.bottom() + 4),
                             right);
    }
}

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
