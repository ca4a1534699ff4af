#include "framework/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "framework/bitmap.h"
#include "framework/qt_internal.h"
#include "framework/vector_picture.h"

namespace curvelo::fw::clipboard {
namespace {

QClipboard* Board() { return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr; }

const QMimeData* Data() {
    QClipboard* b = Board();
    return b ? b->mimeData() : nullptr;
}

constexpr char kSvg[] = "image/svg+xml";
constexpr char kPdf[] = "application/pdf";

}  // namespace

void SetText(const std::string& utf8) {
    if (QClipboard* b = Board()) b->setText(ToQ(utf8));
}

bool HasText() {
    const QMimeData* d = Data();
    return d && d->hasText();
}

std::string GetText() {
    QClipboard* b = Board();
    return b ? FromQ(b->text()) : std::string();
}

void SetImage(const Bitmap& image) {
    if (QClipboard* b = Board()) b->setImage(image.Impl()->image);
}

bool HasImage() {
    const QMimeData* d = Data();
    return d && d->hasImage();
}

bool GetImage(Bitmap& out) {
    QClipboard* b = Board();
    if (!b) return false;
    QImage im = b->image();
    if (im.isNull()) return false;
    out.Impl()->image = im.convertToFormat(QImage::Format_RGB32);
    return true;
}

void SetPicture(const VectorPicture& picture, const std::string& description) {
    QClipboard* b = Board();
    if (!b) return;
    auto* data = new QMimeData;
    std::string svg = picture.ToSvg(description);
    std::string pdf = picture.ToPdf(description);
    data->setData(kSvg, QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    data->setData(kPdf, QByteArray(pdf.data(), static_cast<qsizetype>(pdf.size())));
    data->setImageData(picture.Impl()->raster.Impl()->image);
    b->setMimeData(data);
}

bool HasSvg() {
    const QMimeData* d = Data();
    return d && d->hasFormat(kSvg);
}

std::string GetSvg() {
    const QMimeData* d = Data();
    return d ? d->data(kSvg).toStdString() : std::string();
}

std::string GetPdf() {
    const QMimeData* d = Data();
    return d ? d->data(kPdf).toStdString() : std::string();
}

void Clear() {
    if (QClipboard* b = Board()) b->clear();
}

}  // namespace curvelo::fw::clipboard
