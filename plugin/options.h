#pragma once

#include <QDialog>

#include "editor/module_state.h"
#include "platform/platform.h"

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
    QGroupBox* buildMapSizeBox();
    void load();
    bool folderAccepted(const QString& typed);
    void store();

    platform::Platform& platform_;
    ModuleState& state_;
    QGroupBox* folderFrame_;
    QLabel* folderLabel_;
    QLineEdit* pathEdit_;
    QLineEdit* mapWidthEdit_;   // MapWidth
    QLineEdit* mapHeightEdit_;  // MapHeight
    QPushButton* browseButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace qrn
