#include "host/control_placement.h"

#include <windows.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "platform/win/qrnplg_com.h"

namespace qrn::host {

namespace {

QString hex(HRESULT code) {
    return QStringLiteral("0x%1").arg(static_cast<quint32>(code), 8, 16, QLatin1Char('0'));
}

// Registers QRNPlg.dll beside the program, as `regsvr32` would.
HRESULT registerBesideProgram(QString& error) {
    const QString path = QDir::toNativeSeparators(
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("QRNPlg.dll")));
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral(
            "Plugin introuvable : QRNPlg.Plg n'est pas enregistré et QRNPlg.dll n'est pas à côté "
            "du programme.");
        return REGDB_E_CLASSNOTREG;
    }
    HMODULE library = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (library == nullptr) {
        error = QStringLiteral("Chargement du plugin impossible : %1 (erreur %2).")
                    .arg(path)
                    .arg(GetLastError());
        return E_FAIL;
    }
    using RegisterFn = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer =
        // Through void (*)(): GetProcAddress's type says nothing of the function's own.
        reinterpret_cast<RegisterFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "DllRegisterServer")));
    const HRESULT result = registerServer ? registerServer() : E_NOINTERFACE;
    FreeLibrary(library);
    if (FAILED(result))
        error = QStringLiteral("Enregistrement du plugin impossible (code %1).").arg(hex(result));
    return result;
}

HRESULT createObject(IQrnWidgetFactory** factory) {
    CLSID classId{};
    HRESULT result = CLSIDFromProgID(kQrnPlgProgId, &classId);
    if (SUCCEEDED(result))
        result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IQrnWidgetFactory,
                                  reinterpret_cast<void**>(factory));
    return result;
}

}  // namespace

QWidget* placeControl(QWidget* parent, QString& error) {
    // Qt has made this thread a single-threaded apartment already; this only counts one more
    // user of it. A thread in the multithreaded apartment cannot host the control.
    const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(apartment)) {
        error = QStringLiteral("COM indisponible (code %1).").arg(hex(apartment));
        return nullptr;
    }
    IQrnWidgetFactory* factory = nullptr;
    HRESULT result = createObject(&factory);
    // Not registered, or registered to a file that is gone: register the copy beside the host.
    if (FAILED(result)) {
        if (FAILED(registerBesideProgram(error))) return nullptr;
        result = createObject(&factory);
    }
    if (FAILED(result)) {
        error = QStringLiteral("Création du contrôle QRNPlg.Plg impossible (code %1).")
                    .arg(hex(result));
        return nullptr;
    }
    void* widget = nullptr;
    result = factory->CreateWidget(parent, &widget);
    factory->Release();
    if (FAILED(result)) {
        error = QStringLiteral("Création du contrôle impossible (code %1).").arg(hex(result));
        return nullptr;
    }
    return static_cast<QWidget*>(widget);
}

}  // namespace qrn::host
