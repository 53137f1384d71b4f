#include "plugin/plg.h"

#include <QPushButton>
#include <QResizeEvent>
#include <limits>

#include "base/errors.h"
#include "editor/qrn.h"
#include "platform/widgets/app_icon.h"
#include "platform/widgets/component_class.h"
#include "plugin/plan_folder.h"

namespace qrn {

namespace {

// The slot after upperBound: checked, an Overflow rather than a wrap.
std::int32_t nextEditorSlot(std::int32_t upperBound) {
    if (upperBound == std::numeric_limits<std::int32_t>::max())
        throw Overflow(u"trop de fenêtres d'édition ouvertes depuis le chargement du plugin");
    return upperBound + 1;
}

}  // namespace

Plg::Plg(platform::Platform& platform, ModuleState& state, QWidget* parent)
    : QWidget(parent), platform_(platform), state_(state) {
    setObjectName(QStringLiteral("Plg"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    button_ = new QPushButton(QStringLiteral("QRN"), this);
    button_->setObjectName(QStringLiteral("Command1"));
    button_->setGeometry(rect());
    connect(button_, &QPushButton::clicked, this, &Plg::openEditor);
    initialize();
}

QSize Plg::sizeHint() const {
    const int side = qMax(button_->sizeHint().width(), button_->sizeHint().height());
    return {side, side};
}

void Plg::resizeEvent(QResizeEvent* event) {
    button_->setGeometry(QRect(QPoint(0, 0), event->size()));
}

// Windows opened before stay open: the list records windows, it does not own them.
void Plg::initialize() {
    state_.EditorWindows.assign(1, QPointer<QRN>());
    LoadPlanFolder(platform_, state_);
}

void Plg::openPlans(const QStringList& files) {
    for (const QString& file : files) {
        if (QRN* window = openEditor()) window->openPath(file.toStdU16String());
    }
}

QRN* Plg::openEditor() {
    try {
        auto& windows = state_.EditorWindows;
        const std::int32_t n = nextEditorSlot(static_cast<std::int32_t>(windows.size()) - 1);
        windows.resize(static_cast<std::size_t>(n) + 1);
        // No parent: the window is independent of the control and of the host's windows, and
        // deletes itself when closed.
        auto* window = new QRN(platform_, state_);
        connect(window, &QRN::plansToOpenElsewhere, this, &Plg::openPlans);
        windows[static_cast<std::size_t>(n)] = window;
        platform::holdWhileAlive(window);
        platform::giveApplicationIcon(*window);
        window->show();
        return window;
    } catch (const Error& error) {
        platform_.ui().MsgBox(error.describe());
        return nullptr;
    }
}

}  // namespace qrn
