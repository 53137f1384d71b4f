#pragma once

#include <QIODevice>
#include <functional>
#include <string>

class QPainter;

namespace qrn::mapdraw {

// Paints an SVG picture of width by height pixels into out through draw; false when the
// painter failed. Throws FileError naming file when this build has no SVG writer.
bool writeSvg(QIODevice& out, double width, double height, const std::u16string& file,
              const std::function<void(QPainter&)>& draw);

}  // namespace qrn::mapdraw
