#include "platform/widgets/component_runtime.h"

#include <dlfcn.h>
#include <link.h>

#include <QFileInfo>
#include <QString>
#include <QWidget>
#include <cstring>
#include <exception>

#include "platform/widgets/component_registry.h"

namespace qrn::platform {

namespace {

void anchor() {}

// A class object: the C interface first, so the host's pointer is the object's own.
struct ClassObject {
    QrnClassObject abi;
    const ComponentClass* cls;
};

QrnResult createInstance(QrnClassObject* self, void* parentWidget, void** control) {
    if (control == nullptr) return QRN_E_POINTER;
    *control = nullptr;
    if (self == nullptr || parentWidget == nullptr) return QRN_E_POINTER;
    const ComponentClass& cls = *reinterpret_cast<ClassObject*>(self)->cls;
    try {
        QWidget* widget = cls.create(static_cast<QWidget*>(parentWidget));
        holdWhileAlive(widget);
        *control = widget;
        return QRN_S_OK;
    } catch (const std::exception&) {
        // A control whose initialisation threw is gone again; the parent keeps nothing.
        return QRN_E_FAIL;
    }
}

void release(QrnClassObject* self) {
    if (self == nullptr) return;
    delete reinterpret_cast<ClassObject*>(self);
    dropComponentUse();
}

}  // namespace

QString ownFilePath() {
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&anchor), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) != 0 &&
        map != nullptr && map->l_name != nullptr && map->l_name[0] != '\0')
        return QFileInfo(QFile::decodeName(map->l_name)).absoluteFilePath();
    // The main program's link map has no name.
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

QrnResult registerServer(const ComponentClass& cls) {
    return registerLibrary(QString::fromUtf8(cls.className), ownFilePath()) ? QRN_S_OK
                                                                            : QRN_SELFREG_E_CLASS;
}

QrnResult unregisterServer(const ComponentClass& cls) {
    return unregisterLibrary(QString::fromUtf8(cls.className)) ? QRN_S_OK : QRN_SELFREG_E_CLASS;
}

QrnResult getClassObject(const ComponentClass& cls, const char* className,
                         QrnClassObject** classObject) {
    if (classObject == nullptr) return QRN_E_POINTER;
    *classObject = nullptr;
    if (className == nullptr) return QRN_E_POINTER;
    if (std::strcmp(className, cls.className) != 0) return QRN_CLASS_E_CLASSNOTAVAILABLE;
    auto* object = new ClassObject{{&createInstance, &release}, &cls};
    addComponentUse();
    *classObject = &object->abi;
    return QRN_S_OK;
}

QrnResult canUnloadNow() {
    return componentInUse() ? QRN_S_FALSE : QRN_S_OK;
}

}  // namespace qrn::platform
