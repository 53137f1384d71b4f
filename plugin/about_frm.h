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
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Command1;
};

}  // namespace qrn
