#include "platform/widgets/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace qrn::platform {

namespace {

// The window that window opens over: its parent's, else the active one; none for itself.
const QWidget* reference(const QWidget& window) {
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (parent == nullptr || !parent->isVisible()) parent = QApplication::activeWindow();
    return parent != &window ? parent : nullptr;
}

// Refits its window at each showing, before the window system places it.
class ScreenFit : public QObject {
public:
    explicit ScreenFit(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent())
            fitOnScreen(*static_cast<QWidget*>(watched));
        return false;
    }
};

}  // namespace

void fitOnScreen(QWidget& window) {
    const QWidget* over = reference(window);
    QScreen* screen = over != nullptr && over->screen() != nullptr ? over->screen()
                      : window.screen() != nullptr                 ? window.screen()
                                                                   : QApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    // The frame is known once the window was on screen; before, a title bar is allowed for.
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    const QMargins margins =
        frame != inner ? QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                                  frame.right() - inner.right(), frame.bottom() - inner.bottom())
                       : QMargins(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const QSize size = inner.size()
                           .boundedTo(area.marginsRemoved(margins).size())
                           .expandedTo(window.minimumSize());
    if (size != inner.size()) window.resize(size);
    const QSize outer = size.grownBy(margins);
    // A window never placed opens centred over the one it opens over (or the screen).
    QPoint at = frame.topLeft();
    if (!window.testAttribute(Qt::WA_Moved)) {
        const QRect around = over != nullptr ? over->frameGeometry() : area;
        at = around.center() - QPoint(outer.width() / 2, outer.height() / 2);
    }
    at.setX(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    at.setY(
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (at != frame.topLeft() || !window.testAttribute(Qt::WA_Moved)) window.move(at);
}

void keepOnScreen(QWidget& window) {
    new ScreenFit(window);
}

}  // namespace qrn::platform
