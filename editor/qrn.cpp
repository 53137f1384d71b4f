#include "editor/qrn.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>

#include "base/errors.h"
#include "core/game_reading.h"
#include "document/autosave.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "editor/building_picker.h"
#include "editor/map_pane.h"
#include "editor/map_view.h"
#include "editor/module_state.h"
#include "editor/picker_model.h"
#include "editor/placement_list_view.h"
#include "editor/placement_table_model.h"
#include "editor/plan_drop.h"
#include "editor/plan_text_view.h"
#include "editor/window_state.h"
#include "platform/platform.h"
#include "platform/widgets/screen_fit.h"

namespace qrn {

QRN::QRN(platform::Platform& platform, ModuleState& state, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      state_(state),
      document_(new PlanDocument(this)),
      recovery_(
          state.recoveryFolder.isEmpty() ? RecoveryStore::defaultFolder() : state.recoveryFolder,
          platform.random(), platform.files()),
      autosave_(new Autosave(*document_, recovery_, this)) {
    setObjectName(QStringLiteral("QRN"));
    setAttribute(Qt::WA_DeleteOnClose);
    autosave_->setInterval(state.autosaveIntervalMs);
    listModel_ = new PlacementTableModel(document_->list(), &state.catalogue, this);
    pickerModel_ = new PickerModel(input_.picker, this);
    buildControls();
    buildMenus();
    connectControls();
    new PlanDrop(*this, [this](const QStringList& files) { openDropped(files); });
    restoreWindowState(*this, platform_.settings());
    platform::keepOnScreen(*this);  // a remembered size too
    connect(document_, &PlanDocument::fileNameChanged, this, &QRN::updateTitle);
    // The text typed in the text view is the plan: the first change marks it modified at once,
    // the rest of a burst of typing follows when the typing pauses.
    textSync_ = new QTimer(this);
    textSync_->setSingleShot(true);
    textSync_->setInterval(300);
    connect(textSync_, &QTimer::timeout, this, &QRN::syncPendingText);
    connect(planText_->document(), &QTextDocument::contentsChanged, this, [this] {
        if (textShowing_) return;
        if (document_->pendingText())
            textSync_->start();
        else
            syncPendingText();
    });
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &QRN::fileChangedOnDisk);
    // A file deleted and written anew is no longer watched: its folder tells when it is back.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &QRN::folderChangedOnDisk);
    connect(document_, &PlanDocument::fileNameChanged, this, &QRN::watchFile);
    connect(document_, &PlanDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(document_, &PlanDocument::rowsChanged, this, [this] {
        syncViewSelection();
        scrollToChange();
    });
    connect(autosave_, &Autosave::failed, this, [this](const QString& message) {
        statusBar()->showMessage(
            QStringLiteral("La copie de secours du plan n'a pas pu être écrite : ") + message);
    });
    updateTitle();
}

QRN::~QRN() {
    // The views and models refer to the list and the picker, which go before the QObject
    // children do: take them down first. The autosave goes before the document it copies.
    delete takeCentralWidget();
    delete listModel_;
    delete pickerModel_;
    delete autosave_;
}

QString QRN::planName() const {
    const std::u16string& file = document_->fileName();
    return file.empty() ? QStringLiteral("QRN")
                        : QFileInfo(QString::fromStdU16String(file)).fileName();
}

void QRN::tellSaved() {
    // Said after every save: rows the game would not read as meant are saved as they are.
    const int rows = document_->list().count();
    QString told = QStringLiteral("Plan enregistré : %1 (%2 ligne%3)")
                       .arg(planName())
                       .arg(rows)
                       .arg(rows > 1 ? QStringLiteral("s") : QString());
    if (const long marked = rowsMisreadByGame(document_->list()); marked > 0)
        told += marked == 1 ? QStringLiteral(
                                  ". 1 ligne marquée : le jeu ne lira pas une de ses "
                                  "valeurs comme voulu.")
                            : QStringLiteral(
                                  ". %1 lignes marquées : le jeu ne lira pas une de "
                                  "leurs valeurs comme voulu.")
                                  .arg(marked);
    statusBar()->showMessage(told, 8000);
}

void QRN::updateTitle() {
    // A window with no file is titled "QRN"; [*] shows where the modified mark goes.
    setWindowTitle(document_->fileName().empty() ? QStringLiteral("QRN[*]")
                                                 : planName() + QStringLiteral("[*] - QRN"));
}

void QRN::closeEvent(QCloseEvent* event) {
    if (!leaveTextView(u"Quitter") || !maybeSave()) {
        event->ignore();
        return;
    }
    keepWindowState(*this, platform_.settings());
    QMainWindow::closeEvent(event);
}

bool QRN::textViewShown() const {
    return !planText_->isHidden();
}

void QRN::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (loaded_) return;
    loaded_ = true;
    load();
    // Asked once the window is on screen, so the question comes with the window it concerns.
    QTimer::singleShot(0, this, &QRN::offerRecovery);
}

void QRN::load() {
    platform::Application& app = platform_.app();
    const std::u16string folder = app.Path();
    app.SetHelpFile(platform::joinPath(platform::joinPath(folder, u"Help"), u"Help.chm"));
    const std::u16string catalogueFile = platform::joinPath(folder, u"QRN.txt");
    try {
        state_.catalogue.load(platform_.files(), catalogueFile);
    } catch (Error& e) {
        if (e.file.empty()) e.file = catalogueFile;
        tell(
            u"Le catalogue des bâtiments n'a pas pu être chargé ; la liste des bâtiments "
            u"reste vide.\r\n" +
            e.describe());
        return;
    }
    picker_->rebuild([this] { fillPicker(state_.catalogue, input_.picker); });
    mapView_->refresh();
    picker_->show();
}

void QRN::offerRecovery() {
    std::vector<std::unique_ptr<RecoveryEntry>> orphans;
    try {
        orphans = recovery_.orphans();
    } catch (const Error& e) {
        statusBar()->showMessage(QString::fromStdU16String(e.describe()));
        return;
    }
    if (!recovery_.skipped().isEmpty()) statusBar()->showMessage(recovery_.skippedText());
    for (std::unique_ptr<RecoveryEntry>& entry : orphans) {
        RecoveredPlan plan;
        try {
            plan = entry->read();
        } catch (const Error& e) {
            tell(u"Une copie de secours n'a pas pu être lue ; elle reste en place.\r\n" +
                 e.describe());
            continue;
        }
        const std::u16string question = recoveryQuestion(plan, entry->savedAt());
        switch (platform_.ui().AskRecover(question)) {
            case platform::RecoveryChoice::Recover: {
                // The file as it was when the copy was made: a newer save is not overwritten
                // unasked.
                FileStamp stamp = plan.stamp ? FileStamp(plan.file, *plan.stamp) : FileStamp();
                document_->restore(std::move(plan.rows), std::move(plan.file), std::move(stamp));
                autosave_->adopt(std::move(entry));
                // Text typed in the text view comes back there, as it was left.
                if (plan.text) goToTextView(plan.text);
                return;  // the others wait for the next window
            }
            case platform::RecoveryChoice::Delete:
                try {
                    entry->remove();
                } catch (const Error& e) {
                    tell(u"La copie de secours n'a pas pu être supprimée.\r\n" + e.describe());
                }
                break;
            case platform::RecoveryChoice::Ignore:
                break;
        }
    }
}

void QRN::run(const std::u16string& context, const std::function<void()>& operation) {
    // The view's own selection signals are ignored while the list changes under it; once the
    // rows have changed, the document's rowsChanged brings the view's selection and scroll in
    // step.
    QScopedValueRollback<bool> guard(listSyncing_, true);
    try {
        operation();
    } catch (const Error& e) {
        tell(context + u"\r\n" + e.describe());
    }
}

void QRN::scrollToChange() {
    // A moved row is the selected one, which follows it.
    const std::optional<int> selected = document_->list().selected();
    const int row = rowsMoved_ && selected ? *selected - 1 : changedRow_;
    listView_->scrollToRow(row + 1);
    changedRow_ = -1;
    rowsMoved_ = false;
}

bool QRN::editCell(int position, int column, const QVariant& value) {
    PlacementList& list = document_->list();
    if (position < 1 || position > list.count()) return false;
    const PlacementRow& old = list.row(position);
    std::array<std::u16string, kCellCount> cells;
    for (int c = 0; c < kCellCount; ++c) cells[std::size_t(c)] = old.cell(c);
    std::u16string building = old.building();
    CatalogueIndex index = old.index();
    if (column == 0) {
        // The building as Ajouter takes it from the picker: its text and catalogue index.
        const int entry = value.toInt();
        if (entry < 0 || entry >= input_.picker.count()) return false;
        building = input_.picker.entry(entry).text;
        index =
            CatalogueIndex::number(static_cast<std::int16_t>(input_.picker.entry(entry).itemData));
    } else {
        // Stored as typed, as the input fields are.
        cells[std::size_t(column - 1)] = value.toString().toStdU16String();
    }
    PlacementRow row(building, {cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]}, index);
    if (row == old) return true;  // kept unchanged: no undo step
    run(u"La cellule n'a pas pu être modifiée.",
        [&] { operations::replaceRow(*document_, position, std::move(row)); });
    return true;
}

void QRN::takeRow() {
    const std::optional<int> selected = document_->list().selected();
    if (!selected) {
        statusBar()->showMessage(QStringLiteral("Aucune ligne n'est sélectionnée."), 8000);
        return;
    }
    const PlacementRow& row = document_->list().row(*selected);
    // The entry the row was made from when the picker offers it, else its text as if typed.
    int entry = -1;
    for (int i = 0; i < input_.picker.count() && entry < 0; ++i) {
        const Picker::Entry& e = input_.picker.entry(i);
        if (e.text == row.building() && e.itemData == row.index().value()) entry = i;
    }
    if (entry >= 0)
        input_.picker.select(entry);
    else
        input_.picker.setText(row.building());
    for (int c = 0; c < kCellCount; ++c) input_.fields[std::size_t(c)] = row.cell(c);
    picker_->show();
    showFields();
}

void QRN::moveRow(int from, int to) {
    run(u"La ligne n'a pas pu être déplacée.", [&] { operations::moveRow(*document_, from, to); });
}

QString QRN::whyNothingAdded(bool inserting) const {
    const Picker& picker = input_.picker;
    if (!picker.resolvedEntry()) {
        const std::u16string hidden = hiddenByAge(state_.catalogue, ages_, picker.text());
        if (!hidden.empty())
            return QStringLiteral("Aucune ligne ajoutée. ") + QString::fromStdU16String(hidden) +
                   u'.';
        return picker.text().empty()
                   ? QStringLiteral("Aucune ligne ajoutée : aucun bâtiment n'est choisi.")
                   : QStringLiteral("Aucune ligne ajoutée : aucun bâtiment ne s'appelle « %1 ».")
                         .arg(QString::fromStdU16String(picker.text()));
    }
    if (inserting && !document_->list().empty() && !document_->list().selected())
        return QStringLiteral(
            "Aucune ligne insérée : choisissez d'abord la ligne devant "
            "laquelle insérer.");
    return {};
}

void QRN::tell(const std::u16string& text) {
    // Each line a sentence: the reason under the context starts with a capital.
    std::u16string told = text;
    for (std::size_t at = told.find(u"\r\n"); at != told.npos; at = told.find(u"\r\n", at + 2)) {
        const QString first = QString(QChar(told.size() > at + 2 ? told[at + 2] : u' ')).toUpper();
        if (told.size() > at + 2) told[at + 2] = first.at(0).unicode();
    }
    platform_.ui().MsgBox(told);
}

void QRN::showFields() {
    for (std::size_t i = 0; i < inputFields_.size(); ++i)
        inputFields_[i]->setText(QString::fromStdU16String(input_.fields[i]));
}

void QRN::syncViewSelection() {
    QScopedValueRollback<bool> guard(listSyncing_, true);
    listView_->showSelection(document_->list().selection());
}

void QRN::viewSelectionChanged() {
    if (listSyncing_) return;
    QScopedValueRollback<bool> guard(listSyncing_, true);
    document_->list().setSelection(listView_->viewSelection());
}

void QRN::ageFilter() {
    ages_.stone = menus_.stoneAge->isChecked();
    ages_.tool = menus_.toolAge->isChecked();
    ages_.bronze = menus_.bronzeAge->isChecked();
    ages_.iron = menus_.ironAge->isChecked();
    try {
        picker_->rebuild([this] { Blist(state_.catalogue, ages_, input_.picker); });
    } catch (const Error& e) {
        tell(u"La liste des bâtiments n'a pas pu être refaite.\r\n" + e.describe());
    }
    picker_->show();
}

void QRN::showOptions() {
    if (state_.dialogs) {
        state_.dialogs->showOptions();
        mapPane_->reloadSettings();  // the map's size may have changed
    } else {
        tell(u"Les options ne sont pas encore disponibles.");
    }
}

void QRN::showHelp() {
    platform_.ui().OpenHelp(platform_.app().HelpFile(), u"QRN1.htm");
}

void QRN::showAbout() {
    if (state_.dialogs)
        state_.dialogs->showAbout();
    else
        tell(u"QRN : composition de plans de placement des bâtiments.");
}

}  // namespace qrn
