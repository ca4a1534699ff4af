#include "framework/svg_raster.h"

#include <QBuffer>
#include <QSvgRenderer>

#include "framework/qt_internal.h"
#include "framework/safe_file.h"
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
    if (image.isNull()) return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return false;
    return WriteFileSafely(path, std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size())));
}

}  // namespace curvelo::fw
