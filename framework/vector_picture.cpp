#include "framework/vector_picture.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {


void VectorPictureImpl::Replay(QPainter& p, QPaintDevice* device) const {
    DC target(MakeDcImpl(&p, device));
    for (const auto& f : record) f(target);
}

VectorPicture::VectorPicture(int widthPx, int heightPx, double widthMm, double heightMm)
    : impl_(std::make_unique<VectorPictureImpl>()) {
    impl_->w = std::clamp(widthPx, 1, 16384);
    impl_->h = std::clamp(heightPx, 1, 16384);
    impl_->wMm = widthMm > 0 ? widthMm : impl_->w * 25.4 / 96.0;
    impl_->hMm = heightMm > 0 ? heightMm : impl_->h * 25.4 / 96.0;
    impl_->raster.Create(impl_->w, impl_->h);
}

VectorPicture::~VectorPicture() = default;

DC& VectorPicture::Begin() {
    impl_->record.clear();
    impl_->raster.Fill({255, 255, 255});
    impl_->dc = std::make_unique<DC>(impl_->raster);
    impl_->dc->Impl()->record = &impl_->record;
    return *impl_->dc;
}

void VectorPicture::End() {
    if (impl_->dc) impl_->dc->Impl()->record = nullptr;
    impl_->dc.reset();
}

Size VectorPicture::SizePx() const { return {impl_->w, impl_->h}; }

std::string VectorPicture::ToSvg(const std::string& description) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator gen;
    gen.setOutputDevice(&buffer);
    gen.setSize(QSize(impl_->w, impl_->h));
    gen.setViewBox(QRect(0, 0, impl_->w, impl_->h));
    gen.setResolution(static_cast<int>(impl_->w * 25.4 / impl_->wMm + 0.5));
    gen.setTitle(QStringLiteral("Curvelo"));
    gen.setDescription(ToQ(description));
    {
        QPainter p(&gen);
        impl_->Replay(p, &gen);
    }
    return buffer.data().toStdString();
}

std::string VectorPicture::ToPdf(const std::string& title) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(ToQ(title));
        pdf.setCreator(QStringLiteral("Curvelo"));
        pdf.setPageSize(QPageSize(QSizeF(impl_->wMm, impl_->hMm), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(std::max(1, static_cast<int>(impl_->w * 25.4 / impl_->wMm + 0.5)));
        QPainter p(&pdf);
        impl_->Replay(p, &pdf);
    }
    return buffer.data().toStdString();
}

}  // namespace curvelo::fw
