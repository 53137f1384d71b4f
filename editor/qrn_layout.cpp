// The parts of the editor window, where each lies, and what each is wired to.

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "base/errors.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "editor/building_editor.h"
#include "editor/building_picker.h"
#include "editor/editor_menus.h"
#include "editor/map_pane.h"
#include "editor/map_view.h"
#include "editor/module_state.h"
#include "editor/placement_list_view.h"
#include "editor/placement_table_model.h"
#include "editor/plan_text_view.h"
#include "editor/qrn.h"
#include "editor/settings.h"

namespace qrn {

namespace {

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

QLabel* caption(const char16_t* s, QWidget* parent, Qt::Alignment alignment) {
    auto* label = new QLabel(text(s), parent);
    label->setAlignment(alignment);
    return label;
}

QPushButton* button(const char16_t* label, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text(label), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

void QRN::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    // The list page: input area, list and row buttons. Text7 lies over it in the same cell of
    // the grid and covers it in the text view.
    auto* page = new QWidget(central);
    QGridLayout* input = buildInputArea(page);
    removeButton_ = button(u"Supprimer", "Command1", page);
    upButton_ = button(u"/\\", "Command2", page);
    downButton_ = button(u"\\/", "Command3", page);
    addButton_ = button(u"Ajouter", "Command4", page);
    insertButton_ = button(u"Insérer", "Command5", page);
    viewFileButton_ = button(u"Voir le fichier", "Command6", central);
    auto* addButtons = new QVBoxLayout;
    addButtons->setSpacing(4);
    addButtons->addWidget(addButton_);
    addButtons->addWidget(insertButton_);
    addButtons->addStretch();
    input->addLayout(addButtons, 0, 8, 3, 1);

    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(removeButton_);
    rowButtons->addWidget(upButton_);
    rowButtons->addWidget(downButton_);
    rowButtons->addStretch();

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addLayout(input);
    pageLayout->addWidget(buildFindBar(page));
    pageLayout->addWidget(buildListAndMap(page), 1);
    pageLayout->addLayout(rowButtons);

    planText_ = new PlanTextView(central);
    planText_->hide();
    auto* views = new QGridLayout;
    views->addWidget(page, 0, 0);
    views->addWidget(planText_, 0, 0);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->addLayout(views, 1);
    centralLayout->addWidget(viewFileButton_);
    planText_->raise();

    // Tab goes through the input area, the add buttons, the list and its buttons, then the
    // switch at the bottom.
    const QList<QWidget*> order{
        picker_->combo(), inputFields_[0], inputFields_[1], inputFields_[2],
        inputFields_[3],  inputFields_[4], inputFields_[5], addButton_,
        insertButton_,    listView_,       mapView_,        removeButton_,
        upButton_,        downButton_,     planText_,       viewFileButton_};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    resize(820, 540);
}

QGridLayout* QRN::buildInputArea(QWidget* page) {
    picker_ = new BuildingPicker(input_.picker, pickerModel_, page);
    auto* input = new QGridLayout;
    input->setHorizontalSpacing(6);
    input->setVerticalSpacing(2);
    QLabel* building = caption(u"Bâtiment", page, Qt::AlignLeft | Qt::AlignBottom);
    building->setBuddy(picker_->combo());
    input->addWidget(building, 0, 0);
    input->addWidget(picker_->combo(), 1, 0);
    // A name, not a line: the picker keeps its width when the window widens for the map.
    picker_->combo()->setMaximumWidth(480);
    input->addWidget(picker_->hint(), 2, 0, Qt::AlignLeft | Qt::AlignTop);
    static const char16_t* const kCaptions[6] = {u"X:", u"Y:", u"N", u"S", u"E", u"O"};
    for (int i = 0; i < 6; ++i) {
        auto* field = new QLineEdit(QStringLiteral("0"), page);
        field->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        field->setFixedWidth(64);
        inputFields_[std::size_t(i)] = field;
        QLabel* label = caption(kCaptions[i], page, Qt::AlignLeft | Qt::AlignBottom);
        label->setBuddy(field);
        input->addWidget(label, 0, i + 1);
        input->addWidget(field, 1, i + 1);
    }
    input->addWidget(caption(u"Coordonées", page, Qt::AlignCenter | Qt::AlignTop), 2, 1, 1, 2);
    input->addWidget(caption(u"Décalage possible", page, Qt::AlignCenter | Qt::AlignTop), 2, 3, 1,
                     4);
    input->setColumnStretch(0, 1);
    input->setColumnMinimumWidth(7, 12);
    return input;
}

QSplitter* QRN::buildListAndMap(QWidget* page) {
    // The list, and beside it the map when "Carte" is checked.
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setObjectName(QStringLiteral("ListMapSplitter"));
    splitter->setChildrenCollapsible(false);
    listView_ = new PlacementListView(listModel_, splitter);
    listView_->setItemDelegateForColumn(
        0, new BuildingDelegate(input_.picker, pickerModel_, listView_));

    mapPane_ = new MapPane(*document_, state_.catalogue, input_, platform_, splitter);
    mapView_ = mapPane_->view();
    mapPane_->hide();
    splitter->addWidget(listView_);
    splitter->addWidget(mapPane_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    return splitter;
}

void QRN::buildMenus() {
    menus_ = buildEditorMenus(*menuBar(), *document_->undoStack());
    connect(menus_.newFile, &QAction::triggered, this, &QRN::newFile);
    connect(menus_.openFile, &QAction::triggered, this, &QRN::openFile);
    connect(menus_.file, &QMenu::aboutToShow, this, &QRN::fillRecentFiles);
    connect(menus_.saveFile, &QAction::triggered, this, &QRN::saveFile);
    connect(menus_.saveFilesAs, &QAction::triggered, this, &QRN::saveFilesAs);
    connect(menus_.exportMapImage, &QAction::triggered, mapPane_,
            [this] { mapPane_->exportImage(); });
    connect(menus_.quit, &QAction::triggered, this, &QWidget::close);
    for (QAction* age : {menus_.stoneAge, menus_.toolAge, menus_.bronzeAge, menus_.ironAge})
        connect(age, &QAction::triggered, this, &QRN::ageFilter);
    connect(menus_.showMap, &QAction::toggled, this, &QRN::showMap);
    menus_.showMap->setChecked(kShowMapSetting.get(platform_.settings(), u"0") == u"1");
    connect(menus_.options, &QAction::triggered, this, &QRN::showOptions);
    connect(menus_.help, &QAction::triggered, this, &QRN::showHelp);
    connect(menus_.about, &QAction::triggered, this, &QRN::showAbout);
    nameControls();
}

void QRN::connectControls() {
    for (std::size_t i = 0; i < inputFields_.size(); ++i) {
        connect(inputFields_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& value) { input_.fields[i] = value.toStdU16String(); });
    }
    // Enter in a field of the input area adds the row.
    for (QLineEdit* field : inputFields_)
        connect(field, &QLineEdit::returnPressed, addButton_, &QPushButton::click);

    connect(listModel_, &PlacementTableModel::listSelectionChanged, this, &QRN::syncViewSelection);
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QRN::viewSelectionChanged);
    connect(listView_, &PlacementListView::rowDragged, this, &QRN::dragRows);
    connect(mapPane_, &MapPane::rowChosen, this, &QRN::mapMarkerChosen);
    listModel_->setCellEditor([this](int position, int column, const QVariant& value) {
        return editCell(position, column, value);
    });
    // What a command, an undo or a redo does to the rows, so that it can be brought into view
    // afterwards; a whole new plan is shown from its top.
    connect(listModel_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first) { changedRow_ = first; });
    connect(listModel_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from) { changedRow_ = from.row(); });
    connect(listModel_, &QAbstractItemModel::rowsMoved, this, [this] { rowsMoved_ = true; });
    connect(listModel_, &QAbstractItemModel::modelReset, this, [this] {
        changedRow_ = -1;
        rowsMoved_ = false;
    });
    connectRowCommands();
    connectRowSelection();
    connect(viewFileButton_, &QPushButton::clicked, this, &QRN::switchView);
}

void QRN::connectRowCommands() {
    // Each row command is one of the document's operations, one step of the undo history.
    const auto command = [this](QPushButton* button, const char16_t* failure, auto operation) {
        connect(button, &QPushButton::clicked, this,
                [this, failure, operation] { run(failure, [this, operation] { operation(); }); });
    };
    command(removeButton_, u"La ligne n'a pas pu être supprimée.",
            [this] { operations::remove(*document_); });
    command(upButton_, u"La ligne n'a pas pu être déplacée.",
            [this] { operations::moveUp(*document_, input_); });
    command(downButton_, u"La ligne n'a pas pu être déplacée.",
            [this] { operations::moveDown(*document_, input_); });
    command(addButton_, u"La ligne n'a pas pu être ajoutée.", [this] {
        picker_->commit();
        operations::add(*document_, input_);
    });
    command(insertButton_, u"La ligne n'a pas pu être insérée.", [this] {
        picker_->commit();
        operations::insert(*document_, input_);
    });
    // When the input area names no building, the status bar says why nothing was added.
    for (QPushButton* button : {addButton_, insertButton_}) {
        connect(button, &QPushButton::clicked, this,
                [this, button] { tellWhyNothingAdded(button == insertButton_); });
    }

    // The list's own keys and context menu: they act on the selected row.
    const auto listAction = [this](const char* name, const char16_t* label, QKeySequence keys,
                                   Qt::ShortcutContext context, auto slot) {
        QAction* action = listView_->addListAction(name, text(label), keys, context);
        connect(action, &QAction::triggered, this, slot);
    };
    listAction("TakeRow", u"Reprendre la ligne", QKeySequence(Qt::CTRL | Qt::Key_R),
               Qt::WindowShortcut, &QRN::takeRow);
    listAction("RemoveRow", u"Supprimer", QKeySequence(Qt::Key_Delete),
               Qt::WidgetWithChildrenShortcut, [this] {
                   if (document_->list().selected()) removeButton_->click();
               });
    listAction("MoveRowUp", u"Monter la ligne", QKeySequence(Qt::CTRL | Qt::Key_Up),
               Qt::WidgetWithChildrenShortcut, [this] {
                   if (document_->list().selected()) upButton_->click();
               });
    listAction("MoveRowDown", u"Descendre la ligne", QKeySequence(Qt::CTRL | Qt::Key_Down),
               Qt::WidgetWithChildrenShortcut, [this] {
                   if (document_->list().selected()) downButton_->click();
               });
}

void QRN::showMap(bool shown) {
    // The first time in a window, the map gets room of its own beside the list, as much as the
    // screen leaves: the window grows, never past the screen's free area, and moves back onto it.
    if (!shown && sizeBeforeMap_ && !mapPane_->isHidden()) {
        // The room the map took goes back: the window is as wide as it was before.
        resize(sizeBeforeMap_->width(), height());
        sizeBeforeMap_.reset();
    }
    if (shown && mapPane_->isHidden() && width() < 1100) {
        sizeBeforeMap_ = size();
        const QRect room = screen()->availableGeometry();
        const QSize frame = frameGeometry().size() - size();
        const int wide = std::max(width(), std::min(1300, room.width() - frame.width()));
        const int tall = std::max(height(), std::min(600, room.height() - frame.height()));
        resize(wide, tall);
        if (isVisible() && frameGeometry().right() > room.right())
            move(std::max(room.left(), room.right() + 1 - frameGeometry().width()), y());
        if (auto* splitter = qobject_cast<QSplitter*>(mapPane_->parentWidget()))
            splitter->setSizes({wide * 620 / 1300, wide * 680 / 1300});
    }
    mapPane_->setVisible(shown && !textViewShown());
    try {
        kShowMapSetting.set(platform_.settings(), shown ? u"1" : u"0");
    } catch (const Error& e) {
        statusBar()->showMessage(QStringLiteral("Le choix de la carte n'a pas pu être gardé : ") +
                                 QString::fromStdU16String(e.describe()));
    }
}

void QRN::mapMarkerChosen(int position) {
    syncViewSelection();
    listView_->scrollToRow(position);
}

}  // namespace qrn
