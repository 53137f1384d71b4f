#include "editor/editor_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace qrn {

namespace {

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

QAction* item(QMenu* menu, const char* name, const char16_t* label, QKeySequence keys = {}) {
    QAction* action = menu->addAction(text(label));
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    return action;
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* menu(QMenuBar& bar, const char* name, const char16_t* label) {
    QMenu* added = bar.addMenu(text(label));
    added->setObjectName(QLatin1String(name));
    return added;
}

QAction* check(QAction* action, bool checked) {
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

}  // namespace

EditorMenus buildEditorMenus(QMenuBar& bar, QUndoStack& history) {
    EditorMenus m{};
    QMenu* file = m.file = menu(bar, "File", u"&Fichier");
    m.newFile = item(file, "NewFile", u"&Nouveau", QKeySequence(Qt::CTRL | Qt::Key_N));
    separator(file, "sep1");
    m.openFile = item(file, "OpenFile", u"&Ouvrir", QKeySequence(Qt::CTRL | Qt::Key_O));
    m.recentFiles = file->addMenu(text(u"Fichiers &récents"));
    m.recentFiles->setObjectName(QStringLiteral("RecentFiles"));
    m.recentFiles->menuAction()->setObjectName(QStringLiteral("RecentFiles"));
    m.recentFiles->setToolTipsVisible(true);
    separator(file, "sep3");
    m.saveFile = item(file, "SaveFile", u"&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S));
    m.saveFilesAs = item(file, "SaveFilesAs", u"Enregistrer &sous...",
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m.exportMapImage = item(file, "ExportMapImage", u"E&xporter l'image de la carte...");
    separator(file, "sep2");
    m.quit = item(file, "Quit", u"&Quitter");

    m.edit = menu(bar, "Edit", u"&Édition");
    m.undo = history.createUndoAction(m.edit, text(u"&Annuler"));
    m.undo->setObjectName(QStringLiteral("Undo"));
    m.undo->setShortcut(QKeySequence::Undo);
    m.redo = history.createRedoAction(m.edit, text(u"&Rétablir"));
    m.redo->setObjectName(QStringLiteral("Redo"));
    m.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m.edit->addAction(m.undo);
    m.edit->addAction(m.redo);
    separator(m.edit, "sep6");
    m.cut = item(m.edit, "CutRows", u"Co&uper", QKeySequence::Cut);
    m.copy = item(m.edit, "CopyRows", u"&Copier", QKeySequence::Copy);
    m.paste = item(m.edit, "PasteRows", u"C&oller", QKeySequence::Paste);
    m.duplicate = item(m.edit, "DuplicateRows", u"&Dupliquer", QKeySequence(Qt::CTRL | Qt::Key_D));
    separator(m.edit, "sep7");
    m.find = item(m.edit, "FindRows", u"Re&chercher...", QKeySequence::Find);

    QMenu* show = menu(bar, "Show", u"&Afficher");
    m.stoneAge = check(item(show, "ShowStoneAge", u"Age de la &pierre"), true);
    m.toolAge = check(item(show, "ShowToolAge", u"Age de l'&outil"), true);
    m.bronzeAge = check(item(show, "ShowBronzeAge", u"Age du &bronze"), true);
    m.ironAge = check(item(show, "ShowIronAge", u"Age du &fer"), true);
    separator(show, "sep5");
    m.showMap = check(item(show, "ShowMap", u"&Carte"), false);

    QMenu* plugin = menu(bar, "PlugMnu", u"&Plugin");
    m.options = item(plugin, "ShowOpt", u"&Options...");
    separator(plugin, "sep4");
    m.help = item(plugin, "ShowHelp", u"A&ide", QKeySequence(Qt::Key_F1));
    m.about = item(plugin, "ShowAbout", u"A &propos de...");
    return m;
}

}  // namespace qrn
