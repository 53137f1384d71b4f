#include "mapdraw/svg_writer.h"

#include <QPainter>
#include <QSvgGenerator>

namespace qrn::mapdraw {

bool writeSvg(QIODevice& out, double width, double height, const std::u16string&,
              const std::function<void(QPainter&)>& draw) {
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setSize(QSize(int(width), int(height)));
    generator.setViewBox(QRectF(0, 0, width, height));
    generator.setTitle(QStringLiteral("Plan de placement"));
    QPainter painter(&generator);
    draw(painter);
    return painter.end();
}

}  // namespace qrn::mapdraw
