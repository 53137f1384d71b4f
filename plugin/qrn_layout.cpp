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
#include <QTreeView>
#include <QVBoxLayout>

#include "core/commands.h"
#include "plugin/picker_model.h"
#include "plugin/placement_table_model.h"
#include "plugin/qrn.h"

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

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction* item(QMenu* menu, const char* name, const char16_t* label) {
    QAction* action = menu->addAction(text(label));
    action->setObjectName(QLatin1String(name));
    return action;
}

}  // namespace

void QRN::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    // The list page: input area, list and row buttons. Text7 lies over it in the same cell of
    // the grid and covers it in the text view.
    auto* page = new QWidget(central);

    combo1_ = new QComboBox(page);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    combo1_->setModel(pickerModel_);
    combo1_->setMinimumContentsLength(24);
    combo1_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo1_->setMaxVisibleItems(20);
    // Offer matches in a popup without changing what the user types; picking one selects it.
    auto* completer = new QCompleter(pickerModel_, combo1_);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    combo1_->setCompleter(completer);

    auto* input = new QGridLayout;
    input->setHorizontalSpacing(6);
    input->setVerticalSpacing(2);
    input->addWidget(combo1_, 1, 0);
    static const char16_t* const kCaptions[6] = {u"X:", u"Y:", u"N", u"S", u"E", u"O"};
    for (int i = 0; i < 6; ++i) {
        auto* field = new QLineEdit(QStringLiteral("0"), page);
        field->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        field->setFixedWidth(64);
        fields_[std::size_t(i)] = field;
        input->addWidget(caption(kCaptions[i], page, Qt::AlignLeft | Qt::AlignBottom), 0, i + 1);
        input->addWidget(field, 1, i + 1);
    }
    input->addWidget(caption(u"Coordonées", page, Qt::AlignCenter | Qt::AlignTop), 2, 1, 1, 2);
    input->addWidget(caption(u"Décalage possible", page, Qt::AlignCenter | Qt::AlignTop), 2, 3, 1,
                     4);
    input->setColumnStretch(0, 1);
    input->setColumnMinimumWidth(7, 12);

    static const char16_t* const kButtons[6] = {u"Supprimer", u"/\\",     u"\\/",
                                                u"Ajouter",   u"Insérer", u"Voir le fichier"};
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(text(kButtons[i]), i == 5 ? central : page);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setAutoDefault(false);
        commands_[std::size_t(i)] = button;
    }
    auto* addButtons = new QVBoxLayout;
    addButtons->setSpacing(4);
    addButtons->addWidget(commands_[3]);
    addButtons->addWidget(commands_[4]);
    addButtons->addStretch();
    input->addLayout(addButtons, 0, 8, 3, 1);

    listView1_ = new QTreeView(page);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setRootIsDecorated(false);
    listView1_->setItemsExpandable(false);
    listView1_->setUniformRowHeights(true);
    listView1_->setSortingEnabled(false);
    listView1_->setAllColumnsShowFocus(true);
    listView1_->setAlternatingRowColors(true);
    listView1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setModel(listModel_);
    QHeaderView* header = listView1_->header();
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setMinimumSectionSize(40);
    for (int c = 1; c < PlacementTableModel::kColumnCount; ++c)
        header->resizeSection(c, c <= 2 ? 60 : 90);

    auto* rowButtons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) rowButtons->addWidget(commands_[std::size_t(i)]);
    rowButtons->addStretch();

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addLayout(input);
    pageLayout->addWidget(listView1_, 1);
    pageLayout->addLayout(rowButtons);

    text7_ = new QPlainTextEdit(central);
    text7_->setObjectName(QStringLiteral("Text7"));
    text7_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text7_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text7_->setAutoFillBackground(true);
    text7_->hide();

    auto* views = new QGridLayout;
    views->addWidget(page, 0, 0);
    views->addWidget(text7_, 0, 0);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->addLayout(views, 1);
    centralLayout->addWidget(commands_[5]);
    text7_->raise();

    // Tab goes through the input area, the add buttons, the list and its buttons, then the
    // switch at the bottom.
    const QList<QWidget*> order{combo1_,      fields_[0], fields_[1],   fields_[2],
                                fields_[3],   fields_[4], fields_[5],   commands_[3],
                                commands_[4], listView1_, commands_[0], commands_[1],
                                commands_[2], text7_,     commands_[5]};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    resize(820, 540);
}

void QRN::buildMenus() {
    QMenu* file = menuBar()->addMenu(text(u"Fichier"));
    file->setObjectName(QStringLiteral("File"));
    connect(item(file, "NewFile", u"Nouveau"), &QAction::triggered, this, &QRN::newFile);
    separator(file, "sep1");
    connect(item(file, "OpenFile", u"Ouvrir"), &QAction::triggered, this, &QRN::openFile);
    separator(file, "sep3");
    connect(item(file, "SaveFile", u"Enregistrer"), &QAction::triggered, this, &QRN::saveFile);
    connect(item(file, "SaveFilesAs", u"Enregistrer sous..."), &QAction::triggered, this,
            &QRN::saveFilesAs);
    separator(file, "sep2");
    connect(item(file, "Quit", u"Quitter"), &QAction::triggered, this, &QWidget::close);

    QMenu* show = menuBar()->addMenu(text(u"Afficher"));
    show->setObjectName(QStringLiteral("Show"));
    static const char* const kNames[4] = {"ShowStoneAge", "ShowToolAge", "ShowBronzeAge",
                                          "ShowIronAge"};
    static const char16_t* const kLabels[4] = {u"Age de la pierre", u"Age de l'outil",
                                               u"Age du bronze", u"Age du fer"};
    for (std::size_t i = 0; i < 4; ++i) {
        QAction* age = item(show, kNames[i], kLabels[i]);
        age->setCheckable(true);
        age->setChecked(true);
        connect(age, &QAction::triggered, this, &QRN::ageFilter);
        ageActions_[i] = age;
    }

    QMenu* plugin = menuBar()->addMenu(text(u"Plugin"));
    plugin->setObjectName(QStringLiteral("PlugMnu"));
    connect(item(plugin, "ShowOpt", u"Options..."), &QAction::triggered, this, &QRN::showOptions);
    separator(plugin, "sep4");
    QAction* help = item(plugin, "ShowHelp", u"Aide");
    help->setShortcut(QKeySequence(Qt::Key_F1));
    connect(help, &QAction::triggered, this, &QRN::showHelp);
    connect(item(plugin, "ShowAbout", u"A propos de..."), &QAction::triggered, this,
            &QRN::showAbout);
}

void QRN::connectControls() {
    connect(combo1_, &QComboBox::editTextChanged, this, &QRN::pickerTextChanged);
    connect(combo1_, &QComboBox::activated, this, &QRN::pickerEntryChosen);
    connect(combo1_, &QComboBox::currentIndexChanged, this, &QRN::pickerEntryChosen);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        connect(fields_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& value) { input_.fields[i] = value.toStdU16String(); });
    }

    connect(listModel_, &PlacementTableModel::listSelectionChanged, this, &QRN::syncViewSelection);
    connect(listView1_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QRN::viewSelectionChanged);

    connect(commands_[0], &QPushButton::clicked, this,
            [this] { run(u"La ligne n'a pas pu être supprimée.", [this] { Supprimer(list_); }); });
    connect(commands_[1], &QPushButton::clicked, this, [this] {
        run(u"La ligne n'a pas pu être déplacée.", [this] { MoveUp(list_, input_); });
    });
    connect(commands_[2], &QPushButton::clicked, this, [this] {
        run(u"La ligne n'a pas pu être déplacée.", [this] { MoveDown(list_, input_); });
    });
    connect(commands_[3], &QPushButton::clicked, this, [this] {
        run(u"La ligne n'a pas pu être ajoutée.", [this] { Ajouter(list_, input_); });
    });
    connect(commands_[4], &QPushButton::clicked, this, [this] {
        run(u"La ligne n'a pas pu être insérée.", [this] { Inserer(list_, input_); });
    });
    connect(commands_[5], &QPushButton::clicked, this, &QRN::switchView);
}

}  // namespace qrn
