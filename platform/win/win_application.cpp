#include <windows.h>

#include <QFileInfo>

#include "base/errors.h"
#include "platform/qt/qt_application.h"
#include "platform/win/win_path.h"

namespace qrn::platform {

namespace {

// The address whose module is looked up: any function of this module would do.
void codeAnchor() {}

// The file of the module that holds this code: the plug-in's DLL, or the program it is linked
// into, never the host that loaded it.
std::wstring codeFile() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&codeAnchor), &module))
        throw FileError(u"", u"le fichier du programme est introuvable");
    std::wstring name(MAX_PATH, L'\0');
    while (true) {
        const DWORD got = GetModuleFileNameW(module, name.data(), DWORD(name.size()));
        if (got == 0) throw FileError(u"", u"le fichier du programme est introuvable");
        if (got < name.size()) {
            name.resize(got);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

}  // namespace

std::u16string QtApplication::Path() {
    std::wstring file = codeFile();
    // Paths over the limit come back with the \\?\ prefix, which the program's texts do not use.
    if (file.rfind(LR"(\\?\)", 0) == 0) file.erase(0, 4);
    const std::size_t slash = file.find_last_of(L"\\/");
    return fromWide(slash == std::wstring::npos ? file : file.substr(0, slash));
}

}  // namespace qrn::platform
