#include "plugin/qrn.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>

#include "base/errors.h"
#include "platform/platform.h"
#include "plugin/autosave.h"
#include "plugin/map_view.h"
#include "plugin/module_state.h"
#include "plugin/picker_model.h"
#include "plugin/placement_table_model.h"
#include "plugin/plan_document.h"

namespace qrn {

QRN::QRN(platform::Platform& platform, ModuleState& state, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      state_(state),
      document_(new PlanDocument(this)),
      recovery_(
          state.recoveryFolder.isEmpty() ? RecoveryStore::defaultFolder() : state.recoveryFolder,
          platform.random()),
      autosave_(new Autosave(*document_, recovery_, platform.files(), this)) {
    setObjectName(QStringLiteral("QRN"));
    setAttribute(Qt::WA_DeleteOnClose);
    autosave_->setInterval(state.autosaveIntervalMs);
    listModel_ = new PlacementTableModel(document_->list(), this);
    pickerModel_ = new PickerModel(input_.picker, this);
    buildControls();
    buildMenus();
    connectControls();
    connect(document_, &PlanDocument::fileNameChanged, this, &QRN::updateTitle);
    connect(document_, &PlanDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(document_, &PlanDocument::rowsChanged, this, &QRN::syncViewSelection);
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

void QRN::updateTitle() {
    // A window with no file is titled "QRN"; [*] shows where the modified mark goes.
    const std::u16string& file = document_->fileName();
    setWindowTitle(file.empty() ? QStringLiteral("QRN[*]")
                                : QFileInfo(QString::fromStdU16String(file)).fileName() +
                                      QStringLiteral("[*] - QRN"));
}

void QRN::closeEvent(QCloseEvent* event) {
    if (!leaveTextView() || !maybeSave()) {
        event->ignore();
        return;
    }
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
    {
        QScopedValueRollback<bool> guard(pickerSyncing_, true);
        pickerModel_->rebuild([this] { fillPicker(state_.catalogue, input_.picker); });
    }
    mapView_->refresh();
    showPicker();
}

void QRN::offerRecovery() {
    std::vector<std::unique_ptr<RecoveryEntry>> orphans;
    try {
        orphans = recovery_.orphans();
    } catch (const Error&) {
        return;  // no folder yet: nothing to offer
    }
    for (std::unique_ptr<RecoveryEntry>& entry : orphans) {
        RecoveredPlan plan;
        try {
            plan = entry->read(platform_.files());
        } catch (const Error& e) {
            tell(u"Une copie de secours n'a pas pu être lue ; elle reste en place.\r\n" +
                 e.describe());
            continue;
        }
        const std::u16string name = plan.file.empty() ? std::u16string(u"sans nom") : plan.file;
        const std::u16string question =
            u"Un plan non enregistré a été retrouvé après un arrêt inattendu : " + name + u" (" +
            QString::number(qsizetype(plan.rows.size())).toStdU16String() +
            u" lignes).\r\nRécupérer le rétablit dans cette fenêtre ; Ignorer le garde pour "
            u"plus tard ; Supprimer l'efface.";
        switch (platform_.ui().AskRecover(question)) {
            case platform::RecoveryChoice::Recover:
                document_->restore(std::move(plan.rows), std::move(plan.file));
                autosave_->adopt(std::move(entry));
                return;  // the others wait for the next window
            case platform::RecoveryChoice::Delete:
                try {
                    entry->remove(platform_.files());
                } catch (const Error& e) {
                    tell(u"La copie de secours n'a pas pu être supprimée.\r\n" + e.describe());
                }
                break;
            case platform::RecoveryChoice::Ignore:
                break;
        }
    }
}

void QRN::run(const QString& name, const std::u16string& context,
              const std::function<void()>& command) {
    {
        // The view's own selection signals are ignored while the list changes under it.
        QScopedValueRollback<bool> guard(listSyncing_, true);
        try {
            document_->edit(name, command);
        } catch (const Error& e) {
            tell(context + u"\r\n" + e.describe());
        }
    }
    syncViewSelection();
}

void QRN::tell(const std::u16string& text) {
    platform_.ui().MsgBox(text);
}

void QRN::showPicker() {
    QScopedValueRollback<bool> guard(pickerSyncing_, true);
    pickerBox_->setCurrentIndex(input_.picker.listIndex());
    pickerBox_->setEditText(QString::fromStdU16String(input_.picker.text()));
}

void QRN::showFields() {
    for (std::size_t i = 0; i < inputFields_.size(); ++i)
        inputFields_[i]->setText(QString::fromStdU16String(input_.fields[i]));
}

void QRN::pickerTextChanged(const QString& text) {
    if (pickerSyncing_) return;
    // Choosing an entry also sets the text: that is no typing.
    const int current = pickerBox_->currentIndex();
    if (current >= 0 && current < input_.picker.count() && text == pickerBox_->itemText(current))
        input_.picker.select(current);
    else
        input_.picker.setText(text.toStdU16String());
}

void QRN::pickerEntryChosen(int position) {
    if (pickerSyncing_ || position < 0 || position >= input_.picker.count()) return;
    input_.picker.select(position);
}

void QRN::syncViewSelection() {
    QScopedValueRollback<bool> guard(listSyncing_, true);
    QItemSelectionModel* selection = listView_->selectionModel();
    if (const std::optional<int> selected = document_->list().selected()) {
        // The view follows the list's selection without scrolling to it.
        const bool autoScroll = listView_->hasAutoScroll();
        listView_->setAutoScroll(false);
        selection->setCurrentIndex(listModel_->index(*selected - 1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        listView_->setAutoScroll(autoScroll);
    } else {
        selection->clearSelection();
    }
}

void QRN::viewSelectionChanged() {
    if (listSyncing_) return;
    QScopedValueRollback<bool> guard(listSyncing_, true);
    const QModelIndexList rows = listView_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        document_->list().clearSelection();
    else
        document_->list().select(rows.first().row() + 1);
}

void QRN::ageFilter() {
    ages_.stone = stoneAgeAction_->isChecked();
    ages_.tool = toolAgeAction_->isChecked();
    ages_.bronze = bronzeAgeAction_->isChecked();
    ages_.iron = ironAgeAction_->isChecked();
    try {
        QScopedValueRollback<bool> guard(pickerSyncing_, true);
        pickerModel_->rebuild([this] { Blist(state_.catalogue, ages_, input_.picker); });
    } catch (const Error& e) {
        tell(u"La liste des bâtiments n'a pas pu être refaite.\r\n" + e.describe());
    }
    showPicker();
}

void QRN::showOptions() {
    if (state_.dialogs)
        state_.dialogs->showOptions();
    else
        tell(u"Les options ne sont pas encore disponibles.");
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
