#pragma once

// The registry keys of an in-process COM class: written by DllRegisterServer, removed by
// DllUnregisterServer, read by the host and the tests.

#include <windows.h>

#include <string>

namespace qrn::platform::com {

struct ClassRegistration {
    std::wstring classId;     // "{...}"
    std::wstring progId;      // "QRNPlg.Plg"
    std::wstring name;        // the class's description, "Plg"
    std::wstring serverPath;  // the DLL's full path
};

// Where a registration goes: HKEY_LOCAL_MACHINE\Software\Classes when this process may write
// it, else HKEY_CURRENT_USER\Software\Classes. The caller closes the key.
HKEY openClassesRootForWriting();

// Writes CLSID\{id} (name, InprocServer32 = server with ThreadingModel Apartment, ProgID) and
// PROGID (name, CLSID) under classesRoot. On failure removes what it wrote and returns the
// system's error code; ERROR_SUCCESS otherwise.
LONG writeRegistration(HKEY classesRoot, const ClassRegistration& cls);

// Removes CLSID\{id} and PROGID under classesRoot when they name cls.serverPath (the same
// file, case aside); a registration of another file is left. ERROR_SUCCESS also when there
// was nothing to remove.
LONG removeRegistration(HKEY classesRoot, const ClassRegistration& cls);

// The server file registered for classId under classesRoot; empty when there is none.
std::wstring registeredServer(HKEY classesRoot, const std::wstring& classId);

}  // namespace qrn::platform::com
