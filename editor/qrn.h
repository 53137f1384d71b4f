#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "base/errors.h"
#include "core/age_filter.h"
#include "core/input_area.h"
#include "core/placement_list.h"
#include "document/plan_document.h"
#include "document/recovery_store.h"
#include "editor/editor_menus.h"
#include "platform/platform.h"

class QAction;
class QGridLayout;
class QSplitter;
class QFileSystemWatcher;
class QLineEdit;
class QPushButton;
class QTimer;

namespace qrn {

namespace platform {
class Platform;
}
struct ModuleState;
class Autosave;
class BuildingPicker;
class PickerModel;
class PlacementListView;
class PlanTextView;
class PlacementTableModel;
class MapPane;
class MapView;
class FindBar;

// The plan editor window. It holds the window's own placement list, input area and
// CurrentFile (in its document, with the undo history); the widgets only show them. Every
// command calls the core and tells the user of a failure through the platform's message box.
// Closing the window (its close box or "Quitter") asks first when the plan is modified, then
// deletes the window and everything it held. The window watches its file: saving over a file
// another program changed asks first, and a change seen while nothing is unsaved offers to
// reload it.
class QRN : public QMainWindow {
    Q_OBJECT
public:
    QRN(platform::Platform& platform, ModuleState& state, QWidget* parent = nullptr);
    ~QRN() override;

    PlanDocument& document() { return *document_; }
    const PlacementList& list() const { return document_->list(); }
    const InputArea& input() const { return input_; }
    const std::u16string& currentFile() const { return document_->fileName(); }
    // Reads the plan at path into the window as "Ouvrir" does, without its dialog or its
    // question (Ouvrir, Recharger, and plans given from outside: the host's command line, the
    // file manager): a plan that cannot be opened leaves the list as it was, a plan read only
    // in part keeps the rows before the bad line without a file name; either is said.
    void openPath(const std::u16string& path);
    // True while Text7 shows the plan text in place of the list.
    bool textViewShown() const;
    Autosave& autosave() { return *autosave_; }

signals:
    // The plans of a drop after the first (which this window opens), each to be opened in a
    // window of its own.
    void plansToOpenElsewhere(const QStringList& files);

protected:
    // The load step runs the first time the window is shown.
    void showEvent(QShowEvent* event) override;
    // A modified plan is not closed without asking; the text view is taken back first.
    void closeEvent(QCloseEvent* event) override;

private:
    // qrn_layout.cpp
    void buildControls();
    QGridLayout* buildInputArea(QWidget* page);
    QSplitter* buildListAndMap(QWidget* page);
    void buildMenus();
    void connectControls();
    void connectRowCommands();

    // qrn.cpp
    void load();
    void offerRecovery();
    // Runs one of the document's operations (document/plan_operations.h); a failure is told as
    // context + CR LF + where and why. The document's rowsChanged brings the view in line with
    // the list afterwards.
    void run(const std::u16string& context, const std::function<void()>& operation);
    // The open plan's file name without its folder; "QRN" for a window with no file.
    QString planName() const;
    void updateTitle();
    // The status line after a save: the plan's name, its rows and how many are marked because
    // the game would not read one of their values as meant.
    void tellSaved();
    void tell(const std::u16string& text);
    void showFields();
    void syncViewSelection();
    // After a command: the row it added, inserted, moved or changed is brought into view.
    void scrollToChange();
    // A cell of ListView1 edited in place, as one undoable command.
    bool editCell(int position, int column, const QVariant& value);
    // "Reprendre la ligne": the selected row back into the input area.
    void takeRow();
    // The row at from (from 1) dragged to to, as one undoable command.
    void moveRow(int from, int to);
    // Why Ajouter or Insérer would add nothing, for the status bar; empty when it adds a row.
    QString whyNothingAdded(bool inserting) const;
    void viewSelectionChanged();
    void ageFilter();
    // Shows or hides the map beside the list and keeps the choice for the next window.
    void showMap(bool shown);
    void mapMarkerChosen(int position);
    void showOptions();
    void showHelp();
    void showAbout();

    // qrn_rows.cpp: several rows at once, the clipboard and "Rechercher"
    QWidget* buildFindBar(QWidget* page);
    void connectRowSelection();
    // A row dragged in the list: a selected row of several takes the block with it.
    void dragRows(int from, int to);
    bool copySelection();
    void cutSelection();
    void pasteRows();
    void duplicateSelection();
    void showMatch(int position);

    // qrn_file_commands.cpp
    void newFile();
    void openFile();
    // True when the plan was written.
    bool saveFile();
    bool saveFilesAs();
    // Writes the plan to file; once written, file is the window's. A read-only file is
    // replaced only when the user says so.
    bool writePlan(const std::u16string& file,
                   platform::CreateMode mode = platform::CreateMode::Replace);
    // Watches the window's file and its folder (a file replaced whole is watched anew).
    void watchFile();
    // The window's file may have changed on disk: reload it if the user wishes, asked once
    // per change and only while nothing is unsaved.
    void fileChangedOnDisk();
    // Something in the folder of the window's file changed: the file may be back, or (its name
    // not reachable through the watcher) changed.
    void folderChangedOnDisk();
    // Reads the rows of stream, showing the progress of a long read, which can be cancelled
    // (false then).
    bool readRows(platform::TextStream& stream, const std::u16string& path,
                  PlacementList::Rows& rows);
    // Before the plan is left: false when the user cancels or saving fails.
    bool maybeSave();

    // qrn_desktop_plans.cpp
    // Plan files dropped on the window: the first here, once the plan here may be left; the
    // others elsewhere.
    void openDropped(const QStringList& files);
    // "Fichiers récents" as the settings hold it now (another window may have changed it).
    void fillRecentFiles();
    // A recent plan chosen: opened, or when it is gone, taken off the list with a status line.
    void openRecent(const QString& file);
    // The plan just opened or saved goes first in "Fichiers récents", its path made absolute.
    void rememberRecent(const std::u16string& file);

    // qrn_keyboard.cpp
    // Accessible names, the buttons' keys and tooltips, the text view's "Édition" items, the
    // status bar.
    // The text view's own undo, redo, cut, copy and paste in "Édition", hidden until it shows.
    void addTextEditActions();
    void nameControls();
    // After "Ajouter" or "Insérer": why nothing was added in the status bar, else the picker
    // ready for the next row.
    void tellWhyNothingAdded(bool inserting);
    // Saving from the text view: the text is taken back, saved, and shown again where it was.
    bool stayInTextView(const std::function<bool()>& save);
    // The row and cell a failure names, selected in the list and brought into view.
    void showRefusedCell(const Error& failure);

    // qrn_preview.cpp
    void switchView();
    // Shows the list as text; typed, when given, replaces that text as if typed (a recovered
    // plan).
    void goToTextView(const std::optional<std::u16string>& typed = std::nullopt);
    // Takes the text back into the list. When a line cannot be read: for the plain switch
    // (command empty), says so and stays in the text view, the list as it was; for a command
    // leaving the plan, asks whether to stay or to drop the text's changes.
    bool goToListView(const std::u16string& command = {});
    // The list view, taking the text back first when the text view is shown.
    bool leaveTextView(const std::u16string& command = {});
    // The text typed in Text7 into the document's pending text.
    void syncPendingText();
    void setListControlsVisible(bool visible);

    platform::Platform& platform_;
    ModuleState& state_;
    PlanDocument* document_;
    RecoveryStore recovery_;
    Autosave* autosave_;
    InputArea input_;
    AgeChecks ages_;
    std::u16string shownText_;    // the plan text as the text view first showed it
    bool textShowing_ = false;    // Text7 is being filled, not typed in
    QTimer* textSync_ = nullptr;  // brings a burst of typing into the document once
    QFileSystemWatcher* watcher_ = nullptr;
    FileStamp offeredReload_;  // the change last offered for reloading
    bool askingReload_ = false;
    bool reading_ = false;  // a plan is being read, its progress shown
    bool loaded_ = false;
    std::optional<QSize> sizeBeforeMap_;  // the window before the map widened it
    bool listSyncing_ = false;
    // What the last command, undo or redo did to the rows, for scrollToChange.
    int changedRow_ = -1;
    bool rowsMoved_ = false;

    PlacementTableModel* listModel_ = nullptr;
    PickerModel* pickerModel_ = nullptr;
    BuildingPicker* picker_ = nullptr;         // Combo1 and PickerHint
    std::array<QLineEdit*, 6> inputFields_{};  // Text1 to Text6: X, Y, N, S, E, O
    PlanTextView* planText_ = nullptr;         // Text7
    PlacementListView* listView_ = nullptr;    // ListView1
    QPushButton* removeButton_ = nullptr;      // Command1 "Supprimer"
    QPushButton* upButton_ = nullptr;          // Command2 "/\"
    QPushButton* downButton_ = nullptr;        // Command3 "\/"
    QPushButton* addButton_ = nullptr;         // Command4 "Ajouter"
    QPushButton* insertButton_ = nullptr;      // Command5 "Insérer"
    QPushButton* viewFileButton_ = nullptr;    // Command6 "Voir le fichier"
    EditorMenus menus_{};
    QList<QAction*> textEditActions_;  // the text view's own undo, redo, cut, copy, paste
    QString pickerMessage_;            // the status message about the picker, while it holds
    MapPane* mapPane_ = nullptr;       // the map and the line under it
    MapView* mapView_ = nullptr;       // MapView
    FindBar* findBar_ = nullptr;       // FindBar "Rechercher"
};

}  // namespace qrn
