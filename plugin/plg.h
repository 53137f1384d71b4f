#pragma once

#include <QWidget>
#include <cstdint>

#include "editor/module_state.h"
#include "platform/platform.h"

class QPushButton;

namespace qrn {

// The control a host places: a square filled by one button, "QRN". Each press opens a new,
// independent editor window. The control keeps no state of its own: the windows it opens are
// listed in the module state it shares with every control of its thread.
class Plg : public QWidget {
    Q_OBJECT

public:
    Plg(platform::Platform& platform, ModuleState& state, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void initialize();
    void openEditor();

    platform::Platform& platform_;
    ModuleState& state_;
    QPushButton* button_;
};

}  // namespace qrn
