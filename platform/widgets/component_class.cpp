#include "platform/widgets/component_class.h"

#include <QObject>
#include <atomic>

namespace qrn::platform {

namespace {

std::atomic<int> uses{0};

}  // namespace

void addComponentUse() {
    ++uses;
}

void dropComponentUse() {
    --uses;
}

bool componentInUse() {
    return uses.load() != 0;
}

void holdWhileAlive(QObject* object) {
    if (object == nullptr) return;
    addComponentUse();
    QObject::connect(object, &QObject::destroyed, [] { dropComponentUse(); });
}

}  // namespace qrn::platform
