#include "framework/svg_raster.h"

#include <QSvgRenderer>

#include "framework/qt_internal.h"
#include "framework/svg_image.h"

namespace curvelo::fw {

QImage SvgImage(std::string_view svg, int size) {
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid() || size < 1 || size > 1024) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image;
}

bool WriteSvgAsPng(std::string_view svg, int size, const std::string& path) {
    const QImage image = SvgImage(svg, size);
    return !image.isNull() && image.save(ToQ(path), "PNG");
}

}  // namespace curvelo::fw
