#include "editor/map_pane.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/errors.h"
#include "document/plan_document.h"
#include "editor/settings.h"
#include "mapdraw/map_painter.h"

namespace qrn {

namespace {

// The width of the whole plan's picture, in pixels.
constexpr int kImageWidth = 2000;

QToolButton* toolButton(const char16_t* text, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(QString::fromUtf16(text));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QPushButton* countButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->hide();
    return button;
}

QString rowsText(std::size_t n, const char* one, const char* many) {
    return n == 1 ? QString::fromUtf8(one) : QString::fromUtf8(many).arg(n);
}

}  // namespace

MapPane::MapPane(PlanDocument& document, const Catalogue& catalogue, const InputArea& input,
                 platform::Platform& platform, QWidget* parent)
    : QWidget(parent), document_(document), platform_(platform) {
    setObjectName(QStringLiteral("MapPane"));
    view_ = new MapView(document, catalogue, this);
    view_->setInput(&input);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(makeToolLine());
    layout->addWidget(view_, 1);
    layout->addLayout(makeCountLine());
    connect(view_, &MapView::offMapChanged, this, &MapPane::updateCounts);
    connect(view_, &MapView::markerChosen, this, &MapPane::rowChosen);
    reloadSettings();
}

QLayout* MapPane::makeToolLine() {
    QToolButton* select = toolButton(u"Sélection", "MapToolSelect", this);
    QToolButton* place = toolButton(u"Placer", "MapToolPlace", this);
    select->setToolTip(QStringLiteral("Choisir et déplacer les placements (S)"));
    place->setToolTip(QStringLiteral("Placer le bâtiment choisi d'un clic (P)"));
    auto* tools = new QButtonGroup(this);
    for (QToolButton* b : {select, place}) {
        b->setCheckable(true);
        tools->addButton(b);
    }
    select->setChecked(true);
    connect(view_, &MapView::toolChanged, this, [select, place](MapView::Tool tool) {
        (tool == MapView::Tool::Place ? place : select)->setChecked(true);
    });
    connect(select, &QToolButton::toggled, this, [this](bool on) {
        if (on) view_->setTool(MapView::Tool::Select);
    });
    connect(place, &QToolButton::toggled, this, [this](bool on) {
        if (on) view_->setTool(MapView::Tool::Place);
    });
    auto* line = new QHBoxLayout;
    line->addWidget(select);
    line->addWidget(place);
    line->addStretch(1);
    line->addWidget(makeExportButton());
    return line;
}

QToolButton* MapPane::makeExportButton() {
    QToolButton* button = toolButton(u"Exporter l'image…", "MapExport", this);
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    menu->addAction(QStringLiteral("Tout le plan…"), this, [this] { exportImage(true); });
    menu->addAction(QStringLiteral("La vue…"), this, [this] { exportImage(false); });
    button->setMenu(menu);
    return button;
}

QLayout* MapPane::makeCountLine() {
    outside_ = countButton("MapOutside", this);
    notDrawn_ = countButton("MapNotDrawn", this);
    next_ = countButton("MapNext", this);
    next_->setText(QStringLiteral("suivant"));
    tile_ = new QLabel(this);
    tile_->setObjectName(QStringLiteral("MapTile"));
    auto* fitAll = new QPushButton(QStringLiteral("Tout voir"), this);
    fitAll->setObjectName(QStringLiteral("MapFitAll"));
    connect(view_, &MapView::tileHovered, tile_, &QLabel::setText);
    connect(fitAll, &QPushButton::clicked, view_, &MapView::fitAll);
    connect(outside_, &QPushButton::clicked, this, [this] {
        if (const auto size = view_->mapSize()) choose(rowsOutside(view_->model(), *size));
    });
    connect(notDrawn_, &QPushButton::clicked, this,
            [this] { choose(rowsNotDrawn(view_->model())); });
    connect(next_, &QPushButton::clicked, this, &MapPane::next);
    auto* line = new QHBoxLayout;
    line->addWidget(outside_);
    line->addWidget(notDrawn_);
    line->addWidget(next_);
    line->addStretch(1);
    line->addWidget(tile_);
    line->addWidget(fitAll);
    return line;
}

void MapPane::reloadSettings() {
    platform::Settings& settings = platform_.settings();
    view_->setMapSize(mapSizeOf(kMapWidthSetting.get(settings), kMapHeightSetting.get(settings)));
    updateCounts();
}

void MapPane::updateCounts() {
    const MapModel& model = view_->model();
    const std::size_t outside = view_->mapSize() ? rowsOutside(model, *view_->mapSize()).size() : 0;
    const std::size_t notDrawn = std::size_t(model.offMapCount());
    outside_->setText(rowsText(outside, "1 hors des limites", "%1 hors des limites"));
    notDrawn_->setText(rowsText(notDrawn, "1 non dessinable", "%1 non dessinables"));
    outside_->setVisible(outside > 0);
    notDrawn_->setVisible(notDrawn > 0);
    // The rows a count chose may have changed: "suivant" starts again from a new click.
    chosen_.clear();
    next_->hide();
}

void MapPane::choose(std::vector<int> rows) {
    if (rows.empty()) return;
    chosen_ = std::move(rows);
    current_ = 0;
    next_->setVisible(chosen_.size() > 1);
    document_.list().select(chosen_.front());
    emit rowChosen(chosen_.front());
}

void MapPane::next() {
    if (chosen_.empty()) return;
    current_ = (current_ + 1) % chosen_.size();
    document_.list().select(chosen_[current_]);
    emit rowChosen(chosen_[current_]);
}

void MapPane::exportImage(bool wholePlan) {
    const std::u16string file = platform_.ui().ShowSave({});
    if (file.empty()) return;
    try {
        const QString name = QString::fromStdU16String(file);
        if (wholePlan)
            mapdraw::writeImage(view_->model(), view_->mapSize(), name, kImageWidth);
        else
            mapdraw::writeImage(view_->model(), view_->mapSize(), name, view_->width(),
                                view_->viewport());
    } catch (const Error& e) {
        platform_.ui().MsgBox(u"L'image de la carte n'a pas pu être écrite.\r\n" + e.describe());
    }
}

}  // namespace qrn
