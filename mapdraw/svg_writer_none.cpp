#include "base/errors.h"
#include "mapdraw/svg_writer.h"

// A build without Qt SVG writes the map as PNG only.
namespace qrn::mapdraw {

bool writeSvg(QIODevice&, double, double, const std::u16string& file,
              const std::function<void(QPainter&)>&) {
    throw FileError(file, u"cette version ne sait pas écrire d'image SVG : choisissez .png");
}

}  // namespace qrn::mapdraw
