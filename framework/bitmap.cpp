#include "framework/bitmap.h"

#include <algorithm>

#include <QBuffer>
#include <QImageWriter>

#include "framework/qt_internal.h"
#include "framework/safe_file.h"

namespace curvelo::fw {
namespace {
constexpr int kMaxSide = 16384;
}

Bitmap::Bitmap() : impl_(std::make_unique<BitmapImpl>()) {}
Bitmap::Bitmap(int width, int height) : Bitmap() { Create(width, height); }
Bitmap::~Bitmap() = default;
Bitmap::Bitmap(const Bitmap& other) : impl_(std::make_unique<BitmapImpl>(*other.impl_)) {}
Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) *impl_ = *other.impl_;
    return *this;
}
Bitmap::Bitmap(Bitmap&& other) noexcept : impl_(std::move(other.impl_)) {
    other.impl_ = std::make_unique<BitmapImpl>();
}
Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    std::swap(impl_, other.impl_);
    return *this;
}

bool Bitmap::Create(int width, int height) {
    width = std::clamp(width, 0, kMaxSide);
    height = std::clamp(height, 0, kMaxSide);
    impl_->image = QImage(width, height, QImage::Format_RGB32);
    if (width > 0 && height > 0 && impl_->image.isNull()) return false;
    impl_->image.fill(Qt::white);
    return true;
}

bool Bitmap::IsNull() const { return impl_->image.isNull(); }
int Bitmap::Width() const { return impl_->image.width(); }
int Bitmap::Height() const { return impl_->image.height(); }
void Bitmap::Fill(Color c) { impl_->image.fill(QColor(c.r, c.g, c.b)); }

Color Bitmap::GetPixel(int x, int y) const {
    const QImage& im = impl_->image;
    if (x < 0 || y < 0 || x >= im.width() || y >= im.height()) return {};
    QRgb p = im.pixel(x, y);
    return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
            static_cast<std::uint8_t>(qBlue(p))};
}

std::string Bitmap::EncodePng(int quality) const {
    if (impl_->image.isNull()) return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    writer.setQuality(quality);
    if (!writer.write(impl_->image)) return {};
    return buffer.data().toStdString();
}

bool Bitmap::SavePng(const std::string& path, std::string* error) const {
    const std::string png = EncodePng();
    if (png.empty()) {
        if (error) *error = "nothing to save";
        return false;
    }
    return WriteFileSafely(path, png, error);
}

}  // namespace curvelo::fw
