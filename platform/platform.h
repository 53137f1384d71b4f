#pragma once

// The services the plug-in calls on, behind one interface. This header uses the standard
// library only, so the core and plan file code can take a Platform and tests can hand in
// stand-ins. Texts are 16-bit; files are Windows-1252, one byte a character.
// Every failure is a qrn::FileError (or another qrn::Error) naming the path.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qrn::platform {

// The separator callers put between a folder and a name.
inline constexpr char16_t kPathSeparator = u'/';

// A line-oriented reader over an 8-bit text file. A line ends at CR LF, at a lone LF or at a
// lone CR; a line end after the last line yields no extra empty line. The file is closed
// when the stream is destroyed.
class TextStream {
public:
    virtual ~TextStream() = default;
    virtual bool AtEndOfStream() = 0;
    // The next line without its line end. Throws FileError when called at the end or when the
    // file cannot be read.
    virtual std::u16string ReadLine() = 0;
    // The same into line, whose memory is reused from one line to the next.
    virtual void ReadLineInto(std::u16string& line) { line = ReadLine(); }
    // How far the reading is: the bytes read so far and the file's size; both 0 when unknown.
    virtual std::int64_t BytesRead() { return 0; }
    virtual std::int64_t Size() { return 0; }
};

// A file being written. Nothing is visible under its name until Commit() succeeds; an output
// destroyed without a successful Commit() leaves the disk as it was before it was opened.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Appends the text, one byte a character. A character outside Windows-1252 throws
    // InvalidArgument naming it, and nothing of this text is written.
    virtual void Write(std::u16string_view text) = 0;
    virtual void Commit() = 0;
};

// What a file held at one moment, to tell later whether it changed: its size and a digest of
// its bytes, or that there was no file of that name.
struct FileDigest {
    bool exists = false;
    std::int64_t size = -1;
    std::string sha256;  // lowercase hexadecimal

    friend bool operator==(const FileDigest&, const FileDigest&) = default;
};

enum class CreateMode {
    // An existing file is replaced whole, atomically, by Commit(). A file whose permissions
    // forbid writing it throws ReadOnlyFileError, whoever the user is (root included).
    Replace,
    // The same, read-only files included; the file keeps its permissions.
    ReplaceReadOnly,
    CreateNew,  // throws FileExistsError when the name is taken
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens for reading; never creates. Throws FileError when the file is missing, is a
    // folder or cannot be read.
    virtual std::unique_ptr<TextStream> OpenTextFile(const std::u16string& path) = 0;
    virtual bool FolderExists(const std::u16string& path) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    // Removes a file; throws FileError when it cannot.
    virtual void DeleteFile(const std::u16string& path) = 0;
    virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& path,
                                                         CreateMode mode) = 0;
    // The digest of the file at path, opened and checked as OpenTextFile opens it (never
    // waiting, only a regular file of a size it reads), before a byte is read. A missing file
    // gives a digest that does not exist; what OpenTextFile refuses throws its FileError.
    virtual FileDigest Digest(const std::u16string& path) = 0;
    // The private folder at path (see PrivateFolder), created when create is true and it is
    // missing; nullptr when it is missing and create is false. Throws FileError naming path
    // when it is not a folder of this user's.
    virtual std::unique_ptr<class PrivateFolder> OpenPrivateFolder(const std::u16string& path,
                                                                   bool create) = 0;
};

// A folder only this user reaches, the files in it addressed by name relative to the folder as
// it was opened: a name is never followed as a link, and only regular files of this user's are
// read, written or replaced. A folder the program creates above it is held to the same (never a
// link), so nothing moved or linked in its place after the opening is ever reached.
class PrivateFolder {
public:
    // What a name of the folder is, looked at as itself.
    enum class Kind { None, OwnFile, Other };
    virtual ~PrivateFolder() = default;
    virtual Kind Look(const std::u16string& name) = 0;
    // The names ending in suffix, whatever they are, in order.
    virtual std::vector<std::u16string> List(std::u16string_view suffix) = 0;
    // Opens an own regular file for reading; FileError for anything else.
    virtual std::unique_ptr<TextStream> OpenTextFile(const std::u16string& name) = 0;
    // Writes name anew: a temporary file of the folder, renamed over name by Commit(). Commit()
    // refuses (FileError, the temporary removed) when name is there and is not an own regular
    // file: a copy replaced by a link is never followed nor replaced.
    virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::u16string& name) = 0;
    // Removes name when it is an own regular file; nothing when it is missing; FileError else.
    virtual void DeleteFile(const std::u16string& name) = 0;
    // Removes name when it is an own regular file that no process holds locked (a lock file
    // left by a process that is gone); true when it was removed.
    virtual bool RemoveUnheld(const std::u16string& name) = 0;
    // When name was last written, in seconds since 1970; 0 when it is not an own file.
    virtual std::int64_t ModifiedAt(const std::u16string& name) = 0;
    // The full path of name, for messages.
    virtual std::u16string PathOf(const std::u16string& name) = 0;
};

// The application object.
class Application {
public:
    virtual ~Application() = default;
    // The folder of the file that holds the plug-in's code (the shared library, or the
    // executable where the code is linked in), without a trailing separator.
    virtual std::u16string Path() = 0;
    virtual std::u16string HelpFile() = 0;
    virtual void SetHelpFile(const std::u16string& path) = 0;
    // "QRNPlg": titles message boxes.
    virtual std::u16string Title() = 0;
};

// The per-user settings store: texts addressed by application name, section and key.
class Settings {
public:
    virtual ~Settings() = default;
    virtual std::u16string GetSetting(const std::u16string& appName, const std::u16string& section,
                                      const std::u16string& key,
                                      const std::u16string& fallback) = 0;
    virtual void SaveSetting(const std::u16string& appName, const std::u16string& section,
                             const std::u16string& key, const std::u16string& value) = 0;
};

// Random numbers and the time of day.
class Random {
public:
    virtual ~Random() = default;
    // The next number of a uniform distribution on [0, 1).
    virtual double Rnd() = 0;
    virtual void Randomize(double seed) = 0;
    // Seconds since midnight, with the fraction.
    virtual double Timer() = 0;
};

// The services that need a window system. Every call is modal and returns when the user is done.
// What the user answers when unsaved changes would be lost.
enum class SaveChoice { Save, Discard, Cancel };
// What the user does with a plan that a window left unsaved when it stopped unexpectedly.
enum class RecoveryChoice { Recover, Ignore, Delete };
// Leaving a text view whose text cannot be read back: stay with the bad line selected, leave
// without the text's changes, or stay as it is.
enum class TextLeaveChoice { KeepEditing, Drop, Cancel };
// Saving over a file that another program changed since it was opened or saved.
enum class OverwriteChoice { Overwrite, SaveAs, Cancel };
// A window's file changed on disk while the window has no unsaved edits.
enum class ReloadChoice { Reload, Ignore };
// Saving a plan some of whose rows would not read back as they are shown.
enum class WriteAnywayChoice { Write, Cancel };

class Ui {
public:
    virtual ~Ui() = default;
    // "Enregistrer", "Ne pas enregistrer" or "Annuler", asked about the plan named planName
    // (its file name, or "Sans titre" for a plan never saved).
    virtual SaveChoice AskSaveChanges(const std::u16string& planName) = 0;
    // "Récupérer", "Ignorer" (ask again later) or "Supprimer", about the plan text describes.
    virtual RecoveryChoice AskRecover(const std::u16string& text) = 0;
    // "Continuer la modification", "Abandonner le texte" or "Annuler", about the bad line text
    // describes.
    virtual TextLeaveChoice AskLeaveText(const std::u16string& text) = 0;
    // "Écraser", "Enregistrer sous..." or "Annuler", about the changed file text describes.
    virtual OverwriteChoice AskOverwrite(const std::u16string& text) = 0;
    // "Écraser quand même", "Enregistrer sous..." or "Annuler", about the read-only file text
    // describes.
    virtual OverwriteChoice AskOverwriteReadOnly(const std::u16string& text) = 0;
    // "Recharger" or "Ignorer", about the changed file text describes.
    virtual ReloadChoice AskReload(const std::u16string& text) = 0;
    // "Enregistrer quand même" or "Annuler", about the rows text describes.
    virtual WriteAnywayChoice AskWriteAnyway(const std::u16string& text) = 0;
    // A message with an OK button only, no icon, titled with the application's title.
    virtual void MsgBox(const std::u16string& text) = 0;
    // The open and save file dialogs: no filter, default extension or title. They start in
    // initialFolder (the dialog's own default when it is empty) and return the chosen full
    // path exactly as the user gave it, or the empty text when the user cancelled.
    virtual std::u16string ShowOpen(const std::u16string& initialFolder) = 0;
    virtual std::u16string ShowSave(const std::u16string& initialFolder) = 0;
    // A folder dialog starting in initialFolder: the chosen folder, or the empty text when the
    // user cancelled.
    virtual std::u16string ShowFolder(const std::u16string& initialFolder) = 0;
    // Opens the help file at a topic.
    virtual void OpenHelp(const std::u16string& helpFile, const std::u16string& topic) = 0;
};

// Every service in one place; whoever needs one is given the Platform.
class Platform {
public:
    virtual ~Platform() = default;
    virtual FileSystem& files() = 0;
    virtual Application& app() = 0;
    virtual Settings& settings() = 0;
    virtual Random& random() = 0;
    virtual Ui& ui() = 0;
};

// Joins a folder and a name with the separator.
inline std::u16string joinPath(const std::u16string& folder, std::u16string_view name) {
    std::u16string path = folder;
    path += kPathSeparator;
    path += name;
    return path;
}

}  // namespace qrn::platform
