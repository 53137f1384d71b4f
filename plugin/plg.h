#pragma once

#include <QWidget>
#include <cstdint>

#include "editor/module_state.h"
#include "platform/platform.h"

class QPushButton;

namespace qrn {

class QRN;

// The control a host places: a square filled by one button, "QRN". Each press opens a new,
// independent editor window. The control keeps no state of its own: the windows it opens are
// listed in the module state it shares with every control of its thread.
class Plg : public QWidget {
    Q_OBJECT

public:
    Plg(platform::Platform& platform, ModuleState& state, QWidget* parent = nullptr);

    // Opens one editor window on each plan (file names as the system gives them, see
    // decodeFileName), as a press of "QRN" followed by "Ouvrir" would. For hosts: plans given on
    // the command line or by the file manager.
    Q_INVOKABLE void openPlans(const QStringList& files);

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void initialize();
    QRN* openEditor();

    platform::Platform& platform_;
    ModuleState& state_;
    QPushButton* button_;
};

}  // namespace qrn
