#include "platform/qt/qt_application.h"

#include <dlfcn.h>
#include <link.h>

#include <QFileInfo>

#include "base/errors.h"

namespace qrn::platform {

namespace {

// The address whose file dladdr looks up: any function of this library would do.
void codeAnchor() {}

// The file that holds this code. The main program's link map has an empty name (dladdr would
// give argv[0], which may be relative to a directory since left), so the kernel tells us.
QString codeFile() {
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&codeAnchor), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) == 0 ||
        map == nullptr)
        throw FileError(u"", u"le fichier du programme est introuvable");
    if (map->l_name != nullptr && map->l_name[0] != '\0') return QFile::decodeName(map->l_name);
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

}  // namespace

std::u16string QtApplication::Path() {
    return QFileInfo(codeFile()).absolutePath().toStdU16String();
}

}  // namespace qrn::platform
