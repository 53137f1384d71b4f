// The controls, captions and menus of the editor window and what each one is wired to.

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "base/errors.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "editor/map_view.h"
#include "editor/module_state.h"
#include "editor/picker_model.h"
#include "editor/placement_table_model.h"
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

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

// Whether the editor windows show the map, "1" or "0".
constexpr SettingValue kShowMapSetting{u"QRNPlg", u"Window", u"ShowMap"};

QAction* item(QMenu* menu, const char* name, const char16_t* label) {
    QAction* action = menu->addAction(text(label));
    action->setObjectName(QLatin1String(name));
    return action;
}

// The building of a row, edited in place through a list of the entries the picker offers: the
// model is given the chosen picker position.
class BuildingDelegate : public QStyledItemDelegate {
public:
    BuildingDelegate(PickerModel* entries, QObject* parent)
        : QStyledItemDelegate(parent), entries_(entries) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 0) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("BuildingEditor"));
        box->setModel(entries_);
        // A choice in the open list is the edit; the keyboard commits with Enter.
        connect(box, &QComboBox::activated, this, [this, box] {
            auto* self = const_cast<BuildingDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = qobject_cast<QComboBox*>(editor);
        if (!box || index.column() != 0) return QStyledItemDelegate::setEditorData(editor, index);
        // The entry of the row's building and catalogue index, else the first of its name.
        const QString name = index.data(Qt::EditRole).toString();
        const int catalogueIndex = index.data(PlacementTableModel::kCatalogueIndexRole).toInt();
        int found = -1;
        for (int i = 0; i < box->count(); ++i) {
            if (box->itemText(i) != name) continue;
            if (box->itemData(i).toInt() == catalogueIndex) {
                found = i;
                break;
            }
            if (found < 0) found = i;
        }
        box->setCurrentIndex(found);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* box = qobject_cast<QComboBox*>(editor);
        if (!box || index.column() != 0)
            return QStyledItemDelegate::setModelData(editor, model, index);
        if (box->currentIndex() >= 0) model->setData(index, box->currentIndex(), Qt::EditRole);
    }

private:
    PickerModel* entries_;
};

}  // namespace

void QRN::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    // The list page: input area, list and row buttons. Text7 lies over it in the same cell of
    // the grid and covers it in the text view.
    auto* page = new QWidget(central);

    pickerBox_ = new QComboBox(page);
    pickerBox_->setObjectName(QStringLiteral("Combo1"));
    pickerBox_->setEditable(true);
    pickerBox_->setInsertPolicy(QComboBox::NoInsert);
    pickerBox_->setModel(pickerModel_);
    pickerBox_->setMinimumContentsLength(24);
    pickerBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pickerBox_->setMaxVisibleItems(20);
    // Offer the entries whose name holds the typed text, accents and case aside, in a popup
    // without changing what the user types; picking one selects it.
    completionModel_ = new QSortFilterProxyModel(pickerBox_);
    completionModel_->setSourceModel(pickerModel_);
    completionModel_->setFilterRole(PickerModel::kFoldedRole);
    auto* completer = new QCompleter(pickerBox_);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    pickerBox_->setCompleter(completer);
    completer->setModel(completionModel_);  // the combo box gave it its own model
    completer->popup()->installEventFilter(this);
    pickerHint_ = new QLabel(page);
    pickerHint_->setObjectName(QStringLiteral("PickerHint"));

    auto* input = new QGridLayout;
    input->setHorizontalSpacing(6);
    input->setVerticalSpacing(2);
    input->addWidget(pickerBox_, 1, 0);
    input->addWidget(pickerHint_, 2, 0, Qt::AlignLeft | Qt::AlignTop);
    static const char16_t* const kCaptions[6] = {u"X:", u"Y:", u"N", u"S", u"E", u"O"};
    for (int i = 0; i < 6; ++i) {
        auto* field = new QLineEdit(QStringLiteral("0"), page);
        field->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        field->setFixedWidth(64);
        inputFields_[std::size_t(i)] = field;
        input->addWidget(caption(kCaptions[i], page, Qt::AlignLeft | Qt::AlignBottom), 0, i + 1);
        input->addWidget(field, 1, i + 1);
    }
    input->addWidget(caption(u"Coordonées", page, Qt::AlignCenter | Qt::AlignTop), 2, 1, 1, 2);
    input->addWidget(caption(u"Décalage possible", page, Qt::AlignCenter | Qt::AlignTop), 2, 3, 1,
                     4);
    input->setColumnStretch(0, 1);
    input->setColumnMinimumWidth(7, 12);

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

    // The list, and beside it the map when "Carte" is checked.
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setObjectName(QStringLiteral("ListMapSplitter"));
    splitter->setChildrenCollapsible(false);
    listView_ = new QTreeView(splitter);
    listView_->setObjectName(QStringLiteral("ListView1"));
    listView_->setRootIsDecorated(false);
    listView_->setItemsExpandable(false);
    listView_->setUniformRowHeights(true);
    listView_->setSortingEnabled(false);
    // The current cell shows: it is the one F2 or typing edits.
    listView_->setAllColumnsShowFocus(false);
    listView_->setAlternatingRowColors(true);
    listView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView_->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    listView_->setModel(listModel_);
    listView_->setItemDelegateForColumn(0, new BuildingDelegate(pickerModel_, listView_));
    listView_->installEventFilter(this);
    listView_->viewport()->installEventFilter(this);
    QHeaderView* header = listView_->header();
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setMinimumSectionSize(40);
    for (int c = 1; c < PlacementTableModel::kColumnCount; ++c)
        header->resizeSection(c, c <= 2 ? 60 : 90);

    mapPane_ = new QWidget(splitter);
    mapPane_->setObjectName(QStringLiteral("MapPane"));
    mapView_ = new MapView(*document_, state_.catalogue, mapPane_);
    auto* offMap = new QLabel(mapPane_);
    offMap->setObjectName(QStringLiteral("MapOffMap"));
    auto* tile = new QLabel(mapPane_);
    tile->setObjectName(QStringLiteral("MapTile"));
    tile->setMinimumWidth(150);
    QPushButton* fitAll = button(u"Tout voir", "MapFitAll", mapPane_);
    connect(mapView_, &MapView::offMapChanged, offMap, &QLabel::setText);
    connect(mapView_, &MapView::tileHovered, tile, &QLabel::setText);
    connect(fitAll, &QPushButton::clicked, mapView_, &MapView::fitAll);
    offMap->setText(mapView_->offMapText());
    auto* mapLine = new QHBoxLayout;
    mapLine->addWidget(offMap, 1);
    mapLine->addWidget(tile);
    mapLine->addWidget(fitAll);
    auto* mapLayout = new QVBoxLayout(mapPane_);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    mapLayout->addWidget(mapView_, 1);
    mapLayout->addLayout(mapLine);
    mapPane_->hide();
    splitter->addWidget(listView_);
    splitter->addWidget(mapPane_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);

    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(removeButton_);
    rowButtons->addWidget(upButton_);
    rowButtons->addWidget(downButton_);
    rowButtons->addStretch();

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addLayout(input);
    pageLayout->addWidget(splitter, 1);
    pageLayout->addLayout(rowButtons);

    planText_ = new QPlainTextEdit(central);
    planText_->setObjectName(QStringLiteral("Text7"));
    planText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    planText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    planText_->setAutoFillBackground(true);
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
    const QList<QWidget*> order{pickerBox_,      inputFields_[0], inputFields_[1], inputFields_[2],
                                inputFields_[3], inputFields_[4], inputFields_[5], addButton_,
                                insertButton_,   listView_,       mapView_,        removeButton_,
                                upButton_,       downButton_,     planText_,       viewFileButton_};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    resize(820, 540);
}

void QRN::buildMenus() {
    QMenu* file = menuBar()->addMenu(text(u"&Fichier"));
    file->setObjectName(QStringLiteral("File"));
    const auto fileItem = [this, file](const char* name, const char16_t* label, QKeySequence keys,
                                       auto slot) {
        QAction* action = item(file, name, label);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    fileItem("NewFile", u"&Nouveau", QKeySequence(Qt::CTRL | Qt::Key_N), &QRN::newFile);
    separator(file, "sep1");
    fileItem("OpenFile", u"&Ouvrir", QKeySequence(Qt::CTRL | Qt::Key_O), &QRN::openFile);
    separator(file, "sep3");
    fileItem("SaveFile", u"&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S), &QRN::saveFile);
    fileItem("SaveFilesAs", u"Enregistrer &sous...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
             &QRN::saveFilesAs);
    separator(file, "sep2");
    connect(item(file, "Quit", u"&Quitter"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(text(u"&Édition"));
    edit->setObjectName(QStringLiteral("Edit"));
    undoAction_ = document_->undoStack()->createUndoAction(edit, text(u"&Annuler"));
    undoAction_->setObjectName(QStringLiteral("Undo"));
    undoAction_->setShortcut(QKeySequence::Undo);
    redoAction_ = document_->undoStack()->createRedoAction(edit, text(u"&Rétablir"));
    redoAction_->setObjectName(QStringLiteral("Redo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);

    QMenu* show = menuBar()->addMenu(text(u"&Afficher"));
    show->setObjectName(QStringLiteral("Show"));
    const auto age = [this, show](const char* name, const char16_t* label) {
        QAction* action = item(show, name, label);
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::triggered, this, &QRN::ageFilter);
        return action;
    };
    stoneAgeAction_ = age("ShowStoneAge", u"Age de la &pierre");
    toolAgeAction_ = age("ShowToolAge", u"Age de l'&outil");
    bronzeAgeAction_ = age("ShowBronzeAge", u"Age du &bronze");
    ironAgeAction_ = age("ShowIronAge", u"Age du &fer");
    separator(show, "sep5");
    showMapAction_ = item(show, "ShowMap", u"&Carte");
    showMapAction_->setCheckable(true);
    connect(showMapAction_, &QAction::toggled, this, &QRN::showMap);
    showMapAction_->setChecked(kShowMapSetting.get(platform_.settings(), u"0") == u"1");

    QMenu* plugin = menuBar()->addMenu(text(u"&Plugin"));
    plugin->setObjectName(QStringLiteral("PlugMnu"));
    connect(item(plugin, "ShowOpt", u"&Options..."), &QAction::triggered, this, &QRN::showOptions);
    separator(plugin, "sep4");
    QAction* help = item(plugin, "ShowHelp", u"A&ide");
    help->setShortcut(QKeySequence(Qt::Key_F1));
    connect(help, &QAction::triggered, this, &QRN::showHelp);
    connect(item(plugin, "ShowAbout", u"A &propos de..."), &QAction::triggered, this,
            &QRN::showAbout);
}

void QRN::connectControls() {
    connect(pickerBox_, &QComboBox::editTextChanged, this, &QRN::pickerTextChanged);
    connect(pickerBox_, &QComboBox::activated, this, &QRN::pickerEntryChosen);
    connect(pickerBox_, &QComboBox::currentIndexChanged, this, &QRN::pickerEntryChosen);
    for (std::size_t i = 0; i < inputFields_.size(); ++i) {
        connect(inputFields_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& value) { input_.fields[i] = value.toStdU16String(); });
    }

    connect(listModel_, &PlacementTableModel::listSelectionChanged, this, &QRN::syncViewSelection);
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QRN::viewSelectionChanged);
    connect(mapView_, &MapView::markerChosen, this, &QRN::mapMarkerChosen);
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

    // Typing in the picker: the offered entries follow, and the hint says when none is named.
    connect(pickerBox_->lineEdit(), &QLineEdit::textEdited, this, &QRN::pickerTyped);
    // Enter in a field of the input area adds the row.
    for (QLineEdit* field : inputFields_)
        connect(field, &QLineEdit::returnPressed, addButton_, &QPushButton::click);

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
    command(addButton_, u"La ligne n'a pas pu être ajoutée.",
            [this] { operations::add(*document_, input_); });
    command(insertButton_, u"La ligne n'a pas pu être insérée.",
            [this] { operations::insert(*document_, input_); });
    // When the input area names no building, the status bar says why nothing was added.
    for (QPushButton* button : {addButton_, insertButton_}) {
        connect(button, &QPushButton::clicked, this, [this, button] {
            const QString why = whyNothingAdded(button == insertButton_);
            if (why.isEmpty())
                statusBar()->clearMessage();
            else
                statusBar()->showMessage(why, 8000);
        });
    }

    // The list's own keys and context menu: they act on the selected row.
    const auto listAction = [this](const char* name, const char16_t* label, QKeySequence keys,
                                   Qt::ShortcutContext context, auto slot) {
        auto* action = new QAction(text(label), listView_);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        action->setShortcutContext(context);
        listView_->addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    takeRowAction_ =
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
    listView_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(viewFileButton_, &QPushButton::clicked, this, &QRN::switchView);
}

void QRN::showMap(bool shown) {
    // The first time in a window, the map gets room of its own beside the list, as much as the
    // screen leaves: the window grows, never past the screen's free area, and moves back onto it.
    if (shown && mapPane_->isHidden() && width() < 1100) {
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
    listView_->scrollTo(listModel_->index(position - 1, 0));
}

}  // namespace qrn
