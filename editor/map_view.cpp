#include "editor/map_view.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/catalogue.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"

namespace qrn {

namespace {

constexpr double kMinScale = 1e-7;  // the whole coordinate range fits in a few pixels
constexpr double kMaxScale = 96;
constexpr double kZoomStep = 1.25;
constexpr double kNameScale = 22;  // tiles this many pixels wide leave room for names
constexpr double kGridScale = 6;

QColor ageColour(MapAge age) {
    switch (age) {
        case MapAge::Stone:
            return QColor(128, 128, 128);
        case MapAge::Tool:
            return QColor(46, 139, 87);
        case MapAge::Bronze:
            return QColor(205, 127, 50);
        case MapAge::Iron:
            return QColor(70, 100, 180);
        case MapAge::Other:
            break;
    }
    return QColor(150, 60, 160);
}

const char16_t* ageName(int age) {
    static const char16_t* const kNames[kMapAgeCount] = {u"Pierre", u"Outil", u"Bronze", u"Fer",
                                                         u"Autre"};
    return kNames[age];
}

}  // namespace

MapView::MapView(PlanDocument& document, const Catalogue& catalogue, QWidget* parent)
    : QWidget(parent), document_(document), model_(document.list(), &catalogue) {
    setObjectName(QStringLiteral("MapView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(200, 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
    model_.rowsChanged = [this] {
        if (following_) fitAll();
        update();
        emit offMapChanged(offMapText());
    };
    model_.selectionMoved = [this] {
        revealSelection();
        update();
    };
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
    return {(x - centreX_) * scale_ + width() / 2.0, height() / 2.0 - (y - centreY_) * scale_};
}

QPointF MapView::toMap(QPointF p) const {
    return {(p.x() - width() / 2.0) / scale_ + centreX_,
            centreY_ - (p.y() - height() / 2.0) / scale_};
}

double MapView::markerHalf() const {
    return std::max(3.0, scale_ * 0.35);
}

TileRect MapView::visibleTiles() const {
    // Markers wider than their tile reach past it: take a margin of that much.
    const double margin = markerHalf() / scale_ + 1;
    const QPointF topLeft = toMap(QPointF(0, 0)), bottomRight = toMap(QPointF(width(), height()));
    const auto clamp = [](double v) { return std::int64_t(std::clamp(std::floor(v), -4e9, 4e9)); };
    return {clamp(topLeft.x() - margin), clamp(bottomRight.y() - margin),
            clamp(bottomRight.x() + margin), clamp(topLeft.y() + margin)};
}

QRectF MapView::widgetRect(const TileRect& r) const {
    const QRectF rect(toWidget(double(r.left), double(r.top + 1)),
                      toWidget(double(r.right + 1), double(r.bottom)));
    // Far outside the widget, painting gains nothing from exact edges.
    return rect.intersected(QRectF(-10, -10, width() + 20.0, height() + 20.0));
}

void MapView::centreOn(double x, double y) {
    centreX_ = x;
    centreY_ = y;
    update();
}

void MapView::setView(double x, double y, double scale) {
    fitted_ = true;
    following_ = false;
    scale_ = std::clamp(scale, kMinScale, kMaxScale);
    centreOn(x, y);
}

void MapView::fitAll() {
    fitted_ = true;
    following_ = true;
    const std::optional<TileRect> all = model_.bounds();
    if (!all) {
        centreOn(0.5, 0.5);
        return;
    }
    const double w = double(all->right - all->left + 1), h = double(all->top - all->bottom + 1);
    scale_ = std::clamp(0.9 * std::min(width() / w, height() / h), kMinScale, kMaxScale);
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

void MapView::zoomAbout(QPointF point, double factor) {
    following_ = false;
    const QPointF before = toMap(point);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    const QPointF after = toMap(point);
    centreOn(centreX_ + before.x() - after.x(), centreY_ + before.y() - after.y());
}

void MapView::move(int position, std::int32_t x, std::int32_t y, bool mergeWithLast) {
    operations::moveOnMap(document_, position, x, y, mergeWithLast);
}

void MapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!fitted_) fitAll();
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (following_) fitAll();
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(246, 243, 232));
    const bool detail = model_.inside(visibleTiles(), kDetailLimit, visible_);
    if (detail)
        paintDetail(painter, visible_);
    else
        paintDensity(painter);
    paintLegend(painter);
}

void MapView::paintDetail(QPainter& painter, const std::vector<int>& rows) {
    if (scale_ >= kGridScale) {
        painter.setPen(QColor(225, 220, 205));
        const TileRect view = visibleTiles();
        for (std::int64_t x = view.left; x <= view.right + 1; ++x) {
            const double px = toWidget(double(x), 0).x();
            painter.drawLine(QLineF(px, 0, px, height()));
        }
        for (std::int64_t y = view.bottom; y <= view.top + 1; ++y) {
            const double py = toWidget(0, double(y)).y();
            painter.drawLine(QLineF(0, py, width(), py));
        }
    }
    // Regions, then the places where two meet, then the markers on top.
    for (const int p : rows) {
        const MapEntry& e = model_.entry(p);
        QColor fill = ageColour(e.age);
        fill.setAlpha(40);
        painter.fillRect(widgetRect(e.region), fill);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 30, 30, 110));
    for (const int p : rows) {
        const TileRect& region = model_.entry(p).region;
        for (const int q : model_.overlapsOf(p))
            if (q > p) painter.drawRect(widgetRect(region.intersection(model_.entry(q).region)));
    }
    const std::optional<int> selected = model_.list().selected();
    const double half = markerHalf();
    const bool names = scale_ >= kNameScale;
    for (const int p : rows) {
        const MapEntry& e = model_.entry(p);
        const QPointF c = toWidget(e.x + 0.5, e.y + 0.5);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(ageColour(e.age));
        painter.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
        if (names) {
            painter.drawText(QPointF(c.x() + half + 3, c.y() + 4),
                             QString::fromStdU16String(model_.list().row(p).building()));
        }
    }
    if (selected && *selected <= model_.count() && model_.entry(*selected).onMap) {
        const MapEntry& e = model_.entry(*selected);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 90, 255), 2));
        painter.drawRect(widgetRect(e.region));
        const QPointF c = toWidget(e.x + 0.5, e.y + 0.5);
        painter.drawRect(QRectF(c.x() - half - 3, c.y() - half - 3, 2 * half + 6, 2 * half + 6));
    }
    if (drag_ == Drag::Marker &&
        (dragX_ != model_.entry(dragRow_).x || dragY_ != model_.entry(dragRow_).y)) {
        const QPointF c = toWidget(dragX_ + 0.5, dragY_ + 0.5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 90, 255), 2, Qt::DashLine));
        painter.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
    }
}

void MapView::paintDensity(QPainter& painter) {
    // Two by two pixels a cell: each cell shows the age last counted there, darker with more.
    const int cols = std::max(1, width() / 2), rows = std::max(1, height() / 2);
    const QPointF topLeft = toMap(QPointF(0, 0));
    const QPointF bottomRight = toMap(QPointF(cols * 2.0, rows * 2.0));
    std::vector<std::uint32_t> counts;
    std::vector<MapAge> ages;
    model_.density({topLeft.x(), bottomRight.y(), bottomRight.x(), topLeft.y()}, cols, rows, counts,
                   ages);
    QImage image(cols, rows, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QRgb colours[kMapAgeCount];
    for (int a = 0; a < kMapAgeCount; ++a) colours[a] = ageColour(MapAge(a)).rgb();
    for (int r = 0; r < rows; ++r) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int c = 0; c < cols; ++c) {
            const std::size_t i = std::size_t(r) * std::size_t(cols) + std::size_t(c);
            if (counts[i] == 0) continue;
            const int alpha = int(std::min<std::uint32_t>(255, 110 + 30 * counts[i]));
            const QRgb rgb = colours[int(ages[i])];
            line[c] = qPremultiply(qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha));
        }
    }
    painter.drawImage(QRectF(0, 0, cols * 2.0, rows * 2.0), image);
    const std::optional<int> selected = model_.list().selected();
    if (selected && *selected <= model_.count() && model_.entry(*selected).onMap) {
        const MapEntry& e = model_.entry(*selected);
        const QPointF c = toWidget(e.x + 0.5, e.y + 0.5);
        painter.setPen(QPen(QColor(0, 90, 255), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, 6, 6);
    }
}

void MapView::paintLegend(QPainter& painter) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height() + 2;
    const QString axes = QStringLiteral("X → est, Y ↑ nord");
    const int w = std::max(metrics.horizontalAdvance(axes), 80) + 16;
    const QRect box(6, 6, w, line * (kMapAgeCount + 1) + 8);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 210));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box.left() + 6, box.top() + 4 + metrics.ascent(), axes);
    for (int a = 0; a < kMapAgeCount; ++a) {
        const int y = box.top() + 4 + line * (a + 1);
        painter.fillRect(QRect(box.left() + 6, y + 2, 10, line - 6), ageColour(MapAge(a)));
        painter.drawText(box.left() + 22, y + metrics.ascent(), QString::fromUtf16(ageName(a)));
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
    const QPointF at = toMap(event->position());
    const std::optional<int> hit = model_.markerAt(at.x(), at.y(), (markerHalf() + 1) / scale_);
    if (!hit) {
        drag_ = Drag::Pan;
        return;
    }
    drag_ = Drag::Marker;
    dragRow_ = *hit;
    dragX_ = model_.entry(*hit).x;
    dragY_ = model_.entry(*hit).y;
    document_.list().select(*hit);
    emit markerChosen(*hit);
    update();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = toMap(event->position());
    emit tileHovered(QStringLiteral("Tuile X %1, Y %2")
                         .arg(std::floor(at.x()), 0, 'f', 0)
                         .arg(std::floor(at.y()), 0, 'f', 0));
    if (drag_ == Drag::Pan) {
        const QPointF d = event->position() - lastPoint_;
        centreOn(centreX_ - d.x() / scale_, centreY_ + d.y() / scale_);
    } else if (drag_ == Drag::Marker && dragRow_ <= model_.count()) {
        const QPointF from = toMap(pressPoint_);
        const MapEntry& e = model_.entry(dragRow_);
        const auto to = [](double v) {
            return std::int32_t(std::clamp(std::round(v), double(-kMapCoordinateLimit),
                                           double(kMapCoordinateLimit)));
        };
        dragX_ = to(e.x + at.x() - from.x());
        dragY_ = to(e.y + at.y() - from.y());
        update();
    }
    lastPoint_ = event->position();
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    mouseMoveEvent(event);
    if (drag_ == Drag::Marker && dragRow_ <= model_.count()) {
        const MapEntry& e = model_.entry(dragRow_);
        if (dragX_ != e.x || dragY_ != e.y) move(dragRow_, dragX_, dragY_, false);
    }
    drag_ = Drag::None;
    update();
}

void MapView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomAbout(event->position(), std::pow(kZoomStep, steps));
    event->accept();
}

void MapView::keyPressEvent(QKeyEvent* event) {
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
    const MapEntry& e = model_.entry(*selected);
    if (std::abs(std::int64_t(e.x) + dx) > kMapCoordinateLimit ||
        std::abs(std::int64_t(e.y) + dy) > kMapCoordinateLimit)
        return;
    // Successive presses on one row are one command.
    move(*selected, e.x + dx, e.y + dy, true);
    revealSelection();
}

void MapView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit tileHovered(QString());
}

}  // namespace qrn
