// The plug-in as a Windows host sees it: QRNPlg.dll registered through its exports, the control
// made through COM by its ProgID, its empty automation interface, and the library's use.

#include <windows.h>

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "platform/win/com_registry.h"
#include "platform/win/qrnplg_com.h"

using namespace qrn::platform::com;

namespace {

const std::wstring kClassId = L"{DBF10EA4-B05D-4FDD-B236-88FBB1364982}";

using ExportFn = HRESULT(STDAPICALLTYPE*)();

ExportFn exported(HMODULE library, const char* name) {
    return reinterpret_cast<ExportFn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

bool keyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The class's keys in either place a registration may go.
bool anyClassKey() {
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        for (const std::wstring& key : {L"Software\\Classes\\CLSID\\" + kClassId,
                                        std::wstring(L"Software\\Classes\\QRNPlg.Plg")})
            if (keyExists(hive, key)) return true;
    return false;
}

QList<QWidget*> editorWindows() {
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QByteArray(w->metaObject()->className()) == "qrn::QRN" && w->isVisible()) found << w;
    return found;
}

}  // namespace

class TestComComponent : public QObject {
    Q_OBJECT

private:
    QString dll =
        QDir::toNativeSeparators(QFileInfo(QStringLiteral(QRN_PLUGIN_FILE)).absoluteFilePath());
    HMODULE library = nullptr;
    ExportFn registerServer = nullptr, unregisterServer = nullptr, canUnloadNow = nullptr;

private slots:
    void initTestCase() {
        QVERIFY(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        library = LoadLibraryW(reinterpret_cast<LPCWSTR>(dll.utf16()));
        QVERIFY2(library != nullptr, qPrintable(dll));
        registerServer = exported(library, "DllRegisterServer");
        unregisterServer = exported(library, "DllUnregisterServer");
        canUnloadNow = exported(library, "DllCanUnloadNow");
        QVERIFY(registerServer && unregisterServer && canUnloadNow);
    }

    // Removing takes exactly the keys written, and only while they name the same file.
    void registryKeysComeAndGoWithTheirFile() {
        HKEY root = nullptr;
        QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\QRNPlgTest\\Classes", 0, nullptr, 0,
                                 KEY_ALL_ACCESS, nullptr, &root, nullptr),
                 ERROR_SUCCESS);
        const ClassRegistration cls{kClassId, L"QRNPlg.Plg", L"Plg", L"C:\\Plug\\QRNPlg.dll"};
        QCOMPARE(writeRegistration(root, cls), ERROR_SUCCESS);
        QCOMPARE(registeredServer(root, kClassId), cls.serverPath);
        wchar_t text[64] = {};
        DWORD size = sizeof text;
        QCOMPARE(RegGetValueW(root, (L"CLSID\\" + kClassId + L"\\InprocServer32").c_str(),
                              L"ThreadingModel", RRF_RT_REG_SZ, nullptr, text, &size),
                 ERROR_SUCCESS);
        QCOMPARE(QString::fromWCharArray(text), QStringLiteral("Apartment"));
        size = sizeof text;
        QCOMPARE(
            RegGetValueW(root, L"QRNPlg.Plg\\CLSID", nullptr, RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
        QCOMPARE(QString::fromWCharArray(text), QString::fromStdWString(kClassId));

        ClassRegistration other = cls;
        other.serverPath = L"C:\\Autre\\QRNPlg.dll";
        QCOMPARE(removeRegistration(root, other), ERROR_SUCCESS);
        QVERIFY(keyExists(root, L"QRNPlg.Plg"));
        other.serverPath = L"c:\\plug\\qrnplg.DLL";  // the same file
        QCOMPARE(removeRegistration(root, other), ERROR_SUCCESS);
        QVERIFY(!keyExists(root, L"CLSID\\" + kClassId));
        QVERIFY(!keyExists(root, L"QRNPlg.Plg"));
        RegCloseKey(root);
        QCOMPARE(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QRNPlgTest"), ERROR_SUCCESS);
    }

    void theExportsRegisterCreateAndReportUse() {
        CLSID found{};
        QCOMPARE(unregisterServer(), S_OK);
        QVERIFY(!anyClassKey());
        QVERIFY(FAILED(CLSIDFromProgID(kQrnPlgProgId, &found)));
        QCOMPARE(registerServer(), S_OK);
        QCOMPARE(CLSIDFromProgID(kQrnPlgProgId, &found), S_OK);
        QVERIFY(IsEqualCLSID(found, CLSID_QrnPlg));

        QCOMPARE(canUnloadNow(), S_OK);
        IUnknown* object = nullptr;
        QCOMPARE(CoCreateInstance(found, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&object)),
                 S_OK);
        QCOMPARE(canUnloadNow(), S_FALSE);
        IDispatch* automation = nullptr;
        QCOMPARE(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&automation)),
                 S_OK);
        UINT typeInfos = 1;
        QCOMPARE(automation->GetTypeInfoCount(&typeInfos), S_OK);
        QCOMPARE(typeInfos, 0u);
        wchar_t caption[] = L"Caption";
        LPOLESTR names[] = {caption};
        DISPID id = 0;
        QCOMPARE(automation->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
        QCOMPARE(id, DISPID_UNKNOWN);
        DISPPARAMS none{};
        QCOMPARE(
            automation->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
        automation->Release();
        IPersist* persist = nullptr;
        QCOMPARE(object->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)),
                 E_NOINTERFACE);

        IQrnWidgetFactory* factory = nullptr;
        QCOMPARE(object->QueryInterface(IID_IQrnWidgetFactory, reinterpret_cast<void**>(&factory)),
                 S_OK);
        object->Release();
        auto* container = new QWidget;
        void* widget = nullptr;
        QCOMPARE(factory->CreateWidget(nullptr, &widget), E_POINTER);
        QCOMPARE(factory->CreateWidget(container, &widget), S_OK);
        factory->Release();
        auto* plg = static_cast<QWidget*>(widget);
        QCOMPARE(plg->parentWidget(), container);
        QCOMPARE(canUnloadNow(), S_FALSE);  // the control
        container->show();
        auto* button = plg->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(button ? button->text() : QString(), QStringLiteral("QRN"));
        button->click();
        QCOMPARE(editorWindows().size(), 1);
        delete container;
        QCOMPARE(canUnloadNow(), S_FALSE);  // the editor window outlives the control
        for (QWidget* window : editorWindows()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(canUnloadNow(), S_OK);

        IClassFactory* classFactory = nullptr;
        QCOMPARE(CoGetClassObject(CLSID_QrnPlg, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(&classFactory)),
                 S_OK);
        QCOMPARE(classFactory->LockServer(TRUE), S_OK);
        classFactory->Release();
        QCOMPARE(canUnloadNow(), S_FALSE);  // the lock
        CoGetClassObject(CLSID_QrnPlg, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                         reinterpret_cast<void**>(&classFactory));
        classFactory->LockServer(FALSE);
        classFactory->Release();
        QCOMPARE(canUnloadNow(), S_OK);

        QCOMPARE(unregisterServer(), S_OK);
        QVERIFY(!anyClassKey());
        QVERIFY(FAILED(CLSIDFromProgID(kQrnPlgProgId, &found)));
    }
};

QTEST_MAIN(TestComComponent)
#include "test_com_component.moc"
