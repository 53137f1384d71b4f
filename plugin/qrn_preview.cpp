// "Voir le fichier": the plan text in Text7 in place of the list, and back through a
// temporary file in the plug-in's folder.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <QTreeView>

#include "base/errors.h"
#include "base/text.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_writer.h"
#include "planfile/temp_name.h"
#include "platform/platform.h"
#include "plugin/module_state.h"
#include "plugin/qrn.h"

namespace qrn {

namespace {

// Names drawn before giving up when every one is taken.
constexpr int kTempNameAttempts = 100;

// The text as the user sees it, each line ended by CR LF as in a plan file. The raw text keeps
// characters that toPlainText() would change (a no-break space becomes a space there).
std::u16string textOf(const QPlainTextEdit& edit) {
    std::u16string text;
    for (const QChar c : edit.document()->toRawText()) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            text += u"\r\n";
        else
            text += char16_t(c.unicode());
    }
    return text;
}

}  // namespace

void QRN::setListControlsVisible(bool visible) {
    pickerBox_->setVisible(visible);
    for (QLineEdit* field : inputFields_) field->setVisible(visible);
    for (QPushButton* button : {removeButton_, upButton_, downButton_, addButton_, insertButton_})
        button->setVisible(visible);
    listView_->setVisible(visible);
    planText_->setVisible(!visible);
}

void QRN::switchView() {
    if (textViewShown())
        goToListView();
    else
        goToTextView();
}

void QRN::goToTextView() {
    std::u16string text;
    try {
        text = MakeQRNFile(list_, state_.catalogue);
    } catch (const Error& e) {
        tell(u"Le texte du plan ne peut pas être affiché.\r\n" + e.describe());
        return;
    }
    setListControlsVisible(false);
    planText_->setPlainText(QString::fromStdU16String(text));
}

void QRN::goToListView() {
    const std::u16string text = textOf(*planText_);
    const std::u16string folder = platform_.app().Path();
    std::u16string name;
    std::u16string path;
    try {
        // Created exclusively: a file left by an earlier failed conversion is never replaced.
        std::unique_ptr<platform::OutputFile> out;
        for (int attempt = 1; !out; ++attempt) {
            name = MakeTempName(platform_.random());
            path = platform::joinPath(folder, name);
            try {
                out = platform_.files().CreateOutputFile(path, platform::CreateMode::CreateNew);
            } catch (const FileExistsError&) {
                if (attempt == kTempNameAttempts) throw;
            }
        }
        out->Write(text);
        out->Commit();
    } catch (Error& e) {
        // The text exists nowhere else: stay in the text view with the list unchanged.
        if (e.file.empty()) e.file = path;
        tell(
            u"Le texte n'a pas pu être repris dans la liste : le fichier temporaire n'a pas "
            u"pu être écrit. Le texte reste affiché et la liste n'a pas changé.\r\n" +
            e.describe());
        return;
    }

    setListControlsVisible(true);
    bool read = false;
    {
        QScopedValueRollback<bool> guard(listSyncing_, true);
        try {
            openQRN(path, list_, state_.catalogue, platform_.files());
            read = true;
        } catch (const Error&) {
            tell(
                u"Une erreur s'est produite lors de la retranscription du fichier!\r\n"
                u"Il est fort probable que des données aient été perdues.\r\n"
                u"Toutefois, il vous sera possible de récupérer le contenu texte dans le "
                u"fichier " +
                name);
        }
    }
    syncViewSelection();
    if (!read) return;
    try {
        platform_.files().DeleteFile(path);
    } catch (const Error& e) {
        tell(u"Le fichier temporaire " + quoted(path) + u" n'a pas pu être supprimé : " +
             e.message());
    }
}

}  // namespace qrn
