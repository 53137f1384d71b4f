#pragma once

/*
 * The plug-in library QRNPlg.dll as a Windows host sees it: an in-process COM server with one
 * control class.
 *
 *   Class      Plg, CLSID {DBF10EA4-B05D-4FDD-B236-88FBB1364982}, ProgID "QRNPlg.Plg"
 *   Server     InprocServer32 = the full path of QRNPlg.dll, ThreadingModel "Apartment"
 *   Exports    DllRegisterServer, DllUnregisterServer, DllGetClassObject, DllCanUnloadNow
 *
 * `regsvr32 QRNPlg.dll` registers the class under HKEY_LOCAL_MACHINE\Software\Classes when
 * that key can be written (an elevated process, the installer), else under
 * HKEY_CURRENT_USER\Software\Classes; `regsvr32 /u QRNPlg.dll` removes the class's keys from
 * either place where they name this very file, and nothing else.
 *
 * An object of the class answers IUnknown, IDispatch (the automation interface, empty: no
 * properties, methods or events) and IQrnWidgetFactory below. A host written with Qt 6 (the
 * same Qt DLLs as the plug-in) creates the object with CoCreateInstance on a thread in a
 * single-threaded apartment, then asks IQrnWidgetFactory for the control's widget under one
 * of its own widgets, on the thread that owns that widget.
 */

#include <objbase.h>

/* The control class. */
inline constexpr CLSID CLSID_QrnPlg = {
    0xdbf10ea4, 0xb05d, 0x4fdd, {0xb2, 0x36, 0x88, 0xfb, 0xb1, 0x36, 0x49, 0x82}};
inline constexpr wchar_t kQrnPlgProgId[] = L"QRNPlg.Plg";

/* {903DADE6-BAC3-4DE2-8958-90E7C63FBE2F} */
inline constexpr IID IID_IQrnWidgetFactory = {
    0x903dade6, 0xbac3, 0x4de2, {0x89, 0x58, 0x90, 0xe7, 0xc6, 0x3f, 0xbe, 0x2f}};

/* The control as a Qt widget, for hosts built on the same Qt. */
struct IQrnWidgetFactory : public IUnknown {
    /* Creates the control as a child of parentWidget (a QWidget*, required) and stores the new
     * QWidget* in *widget; the parent owns it. The control's initialisation runs now. S_OK,
     * E_POINTER, or E_FAIL (then *widget is null). Each call makes one more control. */
    virtual HRESULT STDMETHODCALLTYPE CreateWidget(void* parentWidget, void** widget) = 0;
};
