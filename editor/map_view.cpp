#include "editor/map_view.h"

#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "core/catalogue.h"
#include "core/commands.h"
#include "document/plan_document.h"
#include "mapdraw/map_painter.h"

namespace qrn {

namespace {

constexpr double kMinScale = 1e-7;  // the whole coordinate range fits in a few pixels
constexpr double kMaxScale = 96;

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
        emit offMapChanged();
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

void MapView::paintDragMarks(QPainter& painter, const mapdraw::Scene& scene) const {
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
    paintDragMarks(painter, scene);
    if (legendButton_->isChecked()) {
        const QRect button = legendButton_->geometry();
        const bool right = button.left() > width() / 2;
        mapdraw::paintLegend(painter,
                             right ? QPointF(button.right(), button.bottom() + 4)
                                   : QPointF(button.left(), button.bottom() + 4),
                             right);
    }
}

}  // namespace qrn
