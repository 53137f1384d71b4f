#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

namespace qrn {

// Plan files dragged from the file manager onto a window: taken over every widget of it, the
// fields, the list and the text view included (each would otherwise take the drop as text or
// as a row), and handed to open once the drop is over, so that a question it asks does not
// hold the file manager's drag.
class PlanDrop : public QObject {
public:
    using Open = std::function<void(const QStringList& files)>;

    // Watches window and every widget in it at this time.
    PlanDrop(QWidget& window, Open open);

    // The local files a drag carries, in its order; empty when it carries none.
    static QStringList localFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Open open_;
};

}  // namespace qrn
