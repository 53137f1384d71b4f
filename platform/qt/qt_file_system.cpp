#include "platform/qt/qt_file_system.h"

#include <QFile>
#include <QFileInfo>

#include "base/errors.h"
#include "platform/qt/native_path.h"
#include "platform/qt/qt_output_file.h"
#include "platform/qt/qt_text_stream.h"

namespace qrn::platform {

std::unique_ptr<TextStream> QtFileSystem::OpenTextFile(const std::u16string& path) {
    return std::make_unique<QtTextStream>(nativePathBytes(path), path);
}

bool QtFileSystem::FolderExists(const std::u16string& path) {
    return !path.empty() && QFileInfo(nativePathString(path)).isDir();
}

bool QtFileSystem::FileExists(const std::u16string& path) {
    if (path.empty()) return false;
    const QFileInfo info(nativePathString(path));
    return info.exists() && !info.isDir();
}

void QtFileSystem::DeleteFile(const std::u16string& path) {
    const QString native = nativePathString(path);
    const QFileInfo info(native);
    if (!info.exists() && !info.isSymLink()) throw FileError(path, u"fichier introuvable");
    if (info.isDir()) throw FileError(path, u"c'est un dossier");
    QFile file(native);
    if (!file.remove())
        throw FileError(path,
                        u"suppression impossible (" + file.errorString().toStdU16String() + u")");
}

std::unique_ptr<OutputFile> QtFileSystem::CreateOutputFile(const std::u16string& path,
                                                           CreateMode mode) {
    const QString native = nativePathString(path);
    if (mode == CreateMode::CreateNew) return std::make_unique<NewOutputFile>(native, path);
    return std::make_unique<ReplacingOutputFile>(native, path, mode == CreateMode::ReplaceReadOnly);
}

}  // namespace qrn::platform
