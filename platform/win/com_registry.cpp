#include "platform/win/com_registry.h"

#include <cwchar>

namespace qrn::platform::com {

namespace {

const wchar_t kClassesKey[] = L"Software\\Classes";

std::wstring classKey(const std::wstring& classId) {
    return L"CLSID\\" + classId;
}

LONG setText(HKEY root, const std::wstring& subKey, const wchar_t* valueName,
             const std::wstring& value) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status;
}

std::wstring readText(HKEY root, const std::wstring& subKey, const wchar_t* valueName) {
    DWORD size = 0;
    if (RegGetValueW(root, subKey.c_str(), valueName, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size < sizeof(wchar_t))
        return {};
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, subKey.c_str(), valueName, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return {};
    text.resize(std::wcslen(text.c_str()));
    return text;
}

// Removes subKey with everything under it; nothing there is no failure.
LONG deleteTree(HKEY root, const std::wstring& subKey) {
    const LONG status = RegDeleteTreeW(root, subKey.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

HKEY openClassesRootForWriting() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kClassesKey, 0, KEY_CREATE_SUB_KEY | KEY_SET_VALUE,
                      &key) == ERROR_SUCCESS)
        return key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kClassesKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        return key;
    return nullptr;
}

LONG writeRegistration(HKEY classesRoot, const ClassRegistration& cls) {
    const std::wstring clsid = classKey(cls.classId);
    const std::wstring server = clsid + L"\\InprocServer32";
    struct Value {
        std::wstring key;
        const wchar_t* name;  // null: the key's default value
        std::wstring text;
    };
    const Value values[] = {
        {clsid, nullptr, cls.name},
        {server, nullptr, cls.serverPath},
        {server, L"ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID", nullptr, cls.progId},
        {cls.progId, nullptr, cls.name},
        {cls.progId + L"\\CLSID", nullptr, cls.classId},
    };
    for (const Value& value : values) {
        const LONG status = setText(classesRoot, value.key, value.name, value.text);
        if (status != ERROR_SUCCESS) {
            deleteTree(classesRoot, cls.progId);
            deleteTree(classesRoot, clsid);
            return status;
        }
    }
    return ERROR_SUCCESS;
}

LONG removeRegistration(HKEY classesRoot, const ClassRegistration& cls) {
    const std::wstring server = registeredServer(classesRoot, cls.classId);
    if (server.empty() ||
        CompareStringOrdinal(server.c_str(), -1, cls.serverPath.c_str(), -1, TRUE) != CSTR_EQUAL)
        return ERROR_SUCCESS;
    // The ProgID goes only while it still leads to this class.
    if (readText(classesRoot, cls.progId + L"\\CLSID", nullptr) == cls.classId) {
        if (const LONG status = deleteTree(classesRoot, cls.progId); status != ERROR_SUCCESS)
            return status;
    }
    return deleteTree(classesRoot, classKey(cls.classId));
}

std::wstring registeredServer(HKEY classesRoot, const std::wstring& classId) {
    return readText(classesRoot, classKey(classId) + L"\\InprocServer32", nullptr);
}

}  // namespace qrn::platform::com
