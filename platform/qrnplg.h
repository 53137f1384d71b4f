#pragma once

/*
 * The plug-in library libQRNPlg.so as a host sees it: four C functions, found at run time
 * (dlopen/dlsym or QLibrary::resolve), and one control class, "QRNPlg.Plg".
 *
 * A host:
 *   1. finds the library: the path registered for the class (see below), else its own copies;
 *   2. calls DllRegisterServer() when the class is not registered yet;
 *   3. calls DllGetClassObject("QRNPlg.Plg", &classObject), then
 *      classObject->CreateInstance(classObject, parentWidget, &control) for each control it
 *      wants, and classObject->Release(classObject) when done with the class object;
 *   4. may unload the library once DllCanUnloadNow() answers QRN_S_OK.
 *
 * Controls are QWidgets: the host must use the same Qt 6 libraries as the plug-in, pass a
 * QWidget* as parentWidget (the parent owns the control) and call everything on the thread
 * that owns that widget. Each thread that uses the library has its own editor window list,
 * catalogue and plan folder.
 *
 * Registration is per user: $XDG_CONFIG_HOME/QRNPlg/components.ini (default
 * ~/.config/QRNPlg/components.ini), group [QRNPlg.Plg], key Library = the absolute path of
 * the library file.
 *
 * Every function returns a QrnResult, a 32-bit code in the manner of a Windows HRESULT:
 * zero or positive is success, negative is failure.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define QRNPLG_API __attribute__((visibility("default")))
#else
#define QRNPLG_API
#endif

typedef int32_t QrnResult;

/* Success. */
#define QRN_S_OK ((QrnResult)0)
/* Success, but the answer is no: DllCanUnloadNow while a control or editor window lives. */
#define QRN_S_FALSE ((QrnResult)1)
/* A failure with no more precise code (a control whose initialisation failed). */
#define QRN_E_FAIL ((QrnResult)0x80004005)
/* A required pointer argument was null. */
#define QRN_E_POINTER ((QrnResult)0x80004003)
/* DllGetClassObject was asked for a class this library does not hold. */
#define QRN_CLASS_E_CLASSNOTAVAILABLE ((QrnResult)0x80040111)
/* The registration could not be written or removed. */
#define QRN_SELFREG_E_CLASS ((QrnResult)0x80040201)

/* The name of the library's one control class. */
#define QRNPLG_CLASS_NAME "QRNPlg.Plg"

typedef struct QrnClassObject QrnClassObject;

/* What DllGetClassObject hands out: creates controls of its class. */
struct QrnClassObject {
    /* Creates a control as a child of parentWidget (a QWidget*, required) and stores the new
     * QWidget* in *control. The control's initialisation runs now. Returns QRN_S_OK,
     * QRN_E_POINTER, or QRN_E_FAIL (then *control is null). */
    QrnResult (*CreateInstance)(QrnClassObject* self, void* parentWidget, void** control);
    /* Gives the class object back; it must not be used afterwards. */
    void (*Release)(QrnClassObject* self);
};

/* Records the control class and this library's absolute path for the current user.
 * QRN_S_OK, or QRN_SELFREG_E_CLASS when the registration cannot be written. */
QRNPLG_API QrnResult DllRegisterServer(void);

/* Removes the current user's registration of the control class.
 * QRN_S_OK (also when nothing was registered), or QRN_SELFREG_E_CLASS. */
QRNPLG_API QrnResult DllUnregisterServer(void);

/* Stores in *classObject a class object for className. QRN_S_OK, QRN_E_POINTER, or
 * QRN_CLASS_E_CLASSNOTAVAILABLE (then *classObject is null). */
QRNPLG_API QrnResult DllGetClassObject(const char* className, QrnClassObject** classObject);

/* QRN_S_OK when no control, editor window or class object of the library is alive (on any
 * thread), else QRN_S_FALSE. */
QRNPLG_API QrnResult DllCanUnloadNow(void);

/* The exports' types, for dlsym and QLibrary::resolve. */
typedef QrnResult (*QrnDllRegisterServerFn)(void);
typedef QrnResult (*QrnDllUnregisterServerFn)(void);
typedef QrnResult (*QrnDllGetClassObjectFn)(const char*, QrnClassObject**);
typedef QrnResult (*QrnDllCanUnloadNowFn)(void);

#ifdef __cplusplus
}
#endif
