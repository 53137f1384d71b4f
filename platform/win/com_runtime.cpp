#include "platform/win/com_runtime.h"

#include <olectl.h>
#include <windows.h>

#include <QString>
#include <string>

#include "platform/widgets/component_class.h"
#include "platform/win/com_control.h"
#include "platform/win/com_registry.h"

namespace qrn::platform {

namespace {

void anchor() {}

std::wstring wide(const char* text) {
    return QString::fromUtf8(text).toStdWString();
}

com::ClassRegistration registration(const ComponentClass& cls) {
    return {wide(cls.classId), wide(cls.className), L"Plg", ownFilePath().toStdWString()};
}

}  // namespace

// The module that holds this code, found by an address in it: the DLL, not the host program.
QString ownFilePath() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&anchor), &module))
        return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return QString::fromWCharArray(path.data(), length);
        path.resize(path.size() * 2);
    }
}

namespace com {

HRESULT registerServer(const ComponentClass& cls) {
    const ClassRegistration reg = registration(cls);
    if (reg.serverPath.empty()) return SELFREG_E_CLASS;
    HKEY root = openClassesRootForWriting();
    if (root == nullptr) return SELFREG_E_CLASS;
    const LONG status = writeRegistration(root, reg);
    RegCloseKey(root);
    return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregisterServer(const ComponentClass& cls) {
    const ClassRegistration reg = registration(cls);
    HRESULT result = S_OK;
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY root = nullptr;
        const LONG opened =
            RegOpenKeyExW(hive, L"Software\\Classes", 0, KEY_READ | DELETE | KEY_SET_VALUE, &root);
        if (opened == ERROR_SUCCESS) {
            if (removeRegistration(root, reg) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
            RegCloseKey(root);
        } else if (opened != ERROR_FILE_NOT_FOUND &&
                   RegOpenKeyExW(hive, L"Software\\Classes", 0, KEY_READ, &root) == ERROR_SUCCESS) {
            // A registration of this file that this user may not remove is a failure; one of
            // another file, or none, is none of his business.
            const std::wstring server = registeredServer(root, reg.classId);
            if (!server.empty() && CompareStringOrdinal(server.c_str(), -1, reg.serverPath.c_str(),
                                                        -1, TRUE) == CSTR_EQUAL)
                result = SELFREG_E_CLASS;
            RegCloseKey(root);
        }
    }
    return result;
}

HRESULT getClassObject(const ComponentClass& cls, REFCLSID classId, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    CLSID own{};
    if (FAILED(CLSIDFromString(wide(cls.classId).c_str(), &own)) || !IsEqualCLSID(classId, own))
        return CLASS_E_CLASSNOTAVAILABLE;
    IClassFactory* factory = newClassFactory(cls);
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

HRESULT canUnloadNow() {
    return componentInUse() ? S_FALSE : S_OK;
}

}  // namespace com

}  // namespace qrn::platform
