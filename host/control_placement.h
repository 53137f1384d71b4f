#pragma once

#include <QString>

class QWidget;

namespace qrn::host {

// The plug-in's control, made under parent through the system's component interface: found
// and registered first when it is not yet. Null, with the reason in error, when it cannot be.
QWidget* placeControl(QWidget* parent, QString& error);

}  // namespace qrn::host
