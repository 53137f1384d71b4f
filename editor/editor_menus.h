#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;

namespace qrn {

// The editor window's menus, their items named by their command, captions, keys and check
// marks; the window connects them to its commands.
struct EditorMenus {
    // Fichier
    QMenu* file;
    QAction* newFile;         // NewFile "Nouveau"
    QAction* openFile;        // OpenFile "Ouvrir"
    QMenu* recentFiles;       // RecentFiles "Fichiers récents", filled by the window
    QAction* saveFile;        // SaveFile "Enregistrer"
    QAction* saveFilesAs;     // SaveFilesAs "Enregistrer sous..."
    QAction* exportMapImage;  // ExportMapImage "Exporter l'image de la carte..."
    QAction* quit;            // Quit "Quitter"
    // Édition: the plan's history
    QMenu* edit;
    QAction* undo;  // Undo "Annuler"
    QAction* redo;  // Redo "Rétablir"
    // Édition: the selected rows
    QAction* cut;        // CutRows "Couper", Ctrl+X
    QAction* copy;       // CopyRows "Copier", Ctrl+C
    QAction* paste;      // PasteRows "Coller", Ctrl+V
    QAction* duplicate;  // DuplicateRows "Dupliquer", Ctrl+D
    QAction* find;       // FindRows "Rechercher...", Ctrl+F
    // Afficher: the ages shown in the picker, all checked at first, and the map
    QAction* stoneAge;   // ShowStoneAge
    QAction* toolAge;    // ShowToolAge
    QAction* bronzeAge;  // ShowBronzeAge
    QAction* ironAge;    // ShowIronAge
    QAction* showMap;    // ShowMap "Carte", not checked
    // Plugin
    QAction* options;  // ShowOpt "Options..."
    QAction* help;     // ShowHelp "Aide", F1
    QAction* about;    // ShowAbout "A propos de..."
};

// Fills the menu bar: Fichier, Édition (over history), Afficher, Plugin.
EditorMenus buildEditorMenus(QMenuBar& bar, QUndoStack& history);

}  // namespace qrn
