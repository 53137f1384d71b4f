#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace qrn {

// The About box: who made the plug-in, and its version. "OK" closes it.
class AboutFrm : public QDialog {
    Q_OBJECT

public:
    explicit AboutFrm(QWidget* parent = nullptr);

private:
    QLabel* titleLabel_;
    QLabel* creditLabel1_;
    QLabel* creditLabel2_;
    QLabel* creditLabel3_;
    QPushButton* okButton_;
};

}  // namespace qrn
