#pragma once

#include <QDialog>

#include "platform/platform.h"
#include "plugin/module_state.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qrn {

// The Options dialog: the plan folder setting as the user types it.
class Options : public QDialog {
    Q_OBJECT

public:
    // Loading shows the stored setting, not the plan folder in use.
    Options(platform::Platform& platform, ModuleState& state, QWidget* parent = nullptr);

private:
    void Form_Load();
    void Command1_Click();

    platform::Platform& platform_;
    ModuleState& state_;
    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* OptPath;
    QPushButton* Command1;
    QPushButton* Command2;
};

}  // namespace qrn
