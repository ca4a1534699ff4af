#include "framework/dc.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QRegion>

#include <algorithm>
#include <cmath>

#include "framework/bitmap.h"
#include "framework/line_raster.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {

QColor Q(Color c) { return QColor(c.r, c.g, c.b); }

Qt::PenStyle QStyle(PenStyle s) {
    switch (s) {
        case PenStyle::Dash: return Qt::DashLine;
        case PenStyle::Dot: return Qt::DotLine;
        case PenStyle::DashDot: return Qt::DashDotLine;
        case PenStyle::DashDotDot: return Qt::DashDotDotLine;
        case PenStyle::Null: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle QBrushStyle(BrushStyle s) {
    switch (s) {
        case BrushStyle::Null: return Qt::NoBrush;
        case BrushStyle::Horizontal: return Qt::HorPattern;
        case BrushStyle::Vertical: return Qt::VerPattern;
        case BrushStyle::Cross: return Qt::CrossPattern;
        case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
        default: return Qt::SolidPattern;
    }
}

// The symbol font's Latin letters stand for Greek ones.
QString SymbolText(std::string_view text) {
    static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : s) {
        char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z') c = QChar(lower[u - 'a']);
        else if (u >= 'A' && u <= 'Z') c = QChar(upper[u - 'A']);
    }
    return s;
}

// The dash pattern of a style in screen pixels (as the screen draws it with a one-pixel pen).
QList<qreal> ScreenPattern(PenStyle s) {
    switch (s) {
        case PenStyle::Dash: return {4, 2};
        case PenStyle::Dot: return {1, 2};
        case PenStyle::DashDot: return {4, 2, 1, 2};
        case PenStyle::DashDotDot: return {4, 2, 1, 2, 1, 2};
        default: return {};
    }
}

// A logical font's sizes are screen pixels.
LogFont ScaledFont(LogFont f, double scale) {
    if (scale == 1) return f;
    const auto scaled = [scale](std::int32_t v) {
        // Sizes from a document may be anything; far past any drawable size is as good.
        const long r = std::clamp(std::lround(v * scale), -1000000L, 1000000L);
        return static_cast<std::int32_t>(r == 0 && v != 0 ? (v < 0 ? -1 : 1) : r);
    };
    f.height = scaled(f.height);
    f.width = scaled(f.width);
    return f;
}

// True when the painter would draw the same line as LineRaster does: a bitmap target,
// anti-aliased, a solid opaque pen one pixel wide, plain painting without a transform.
// `raster` then covers the bitmap within the painter's clip.
bool DirectLines(const DcImpl& d, LineRaster& raster) {
    if (!d.rasterBits || !d.directLines || d.record) return false;
    const QPainter& p = *d.painter;
    if (!p.testRenderHint(QPainter::Antialiasing) || d.pen.style() != Qt::SolidLine || d.pen.widthF() != 0 ||
        d.pen.brush().style() != Qt::SolidPattern || d.pen.color().alpha() != 255 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0 ||
        p.deviceTransform().type() != QTransform::TxNone)
        return false;
    const QImage* image = static_cast<const QImage*>(p.device());
    raster = LineRaster(d.rasterBits, d.rasterStride, image->width(), image->height());
    if (p.hasClipping()) {
        // The framework clips to rectangles only, so the bounding rectangle is the clip.
        const QRect c = p.clipBoundingRect().toAlignedRect();
        raster.SetClip(c.left(), c.top(), c.left() + c.width(), c.top() + c.height());
    }
    return true;
}

Color PenColour(const DcImpl& d) {
    const QColor c = d.pen.color();
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()), static_cast<std::uint8_t>(c.blue())};
}

template <class F>
void Record(DcImpl& d, F&& f) {
    if (d.record) d.record->push_back(std::forward<F>(f));
}

}  // namespace

std::unique_ptr<DcImpl> MakeDcImpl(QPainter* painter, QPaintDevice* device, double screenScale) {
    auto d = std::make_unique<DcImpl>();
    d->painter = painter;
    d->screenScale = screenScale > 0 ? screenScale : 1;
    if (device) {
        d->dpiX = device->logicalDpiX();
        d->dpiY = device->logicalDpiY();
        d->deviceSize = QSize(device->width(), device->height());
    }
    d->font = QFontFromLogFont(ScaledFont(LogFont{}, d->screenScale), d->dpiY);
    painter->setPen(d->pen);
    painter->setBrush(d->brush);
    painter->setFont(d->font);
    painter->setRenderHint(QPainter::Antialiasing, false);
    return d;
}

DC::DC(std::unique_ptr<DcImpl> impl) : impl_(std::move(impl)) {}

DC::DC(Bitmap& bitmap) {
    QImage& image = bitmap.Impl()->image;
    auto* p = new QPainter(&image);
    impl_ = MakeDcImpl(p, &image);
    impl_->ownedPainter.reset(p);
    // The painter has the image to itself now, so these are the pixels it paints.
    if (p->isActive() && (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied)) {
        impl_->rasterBits = reinterpret_cast<std::uint32_t*>(image.bits());
        impl_->rasterStride = static_cast<int>(image.bytesPerLine());
    }
}

DC::~DC() = default;

void DC::SelectPen(const Pen& pen) {
    Record(*impl_, [pen](DC& d) { d.SelectPen(pen); });
    QPen p(Q(pen.color));
    p.setStyle(QStyle(pen.style));
    if (pen.width <= 1) {
        p.setWidth(0);  // cosmetic: one pixel on every device scale
        p.setCapStyle(Qt::FlatCap);
    } else {
        p.setWidth(pen.width);
        p.setCapStyle(Qt::RoundCap);
        p.setJoinStyle(Qt::RoundJoin);
    }
    // On a finer device the built-in patterns would shrink to a few device pixels and print
    // as a solid line; the pattern keeps its screen length instead (in units of the width).
    if (impl_->screenScale != 1) {
        QList<qreal> pattern = ScreenPattern(pen.style);
        if (!pattern.isEmpty()) {
            const double unit = impl_->screenScale / std::max(1, pen.width);
            for (qreal& v : pattern) v *= unit;
            p.setDashPattern(pattern);
        }
    }
    impl_->pen = p;
    impl_->painter->setPen(p);
}

void DC::SelectBrush(const Brush& brush) {
    Record(*impl_, [brush](DC& d) { d.SelectBrush(brush); });
    impl_->brush = QBrush(Q(brush.color), QBrushStyle(brush.style));
    impl_->painter->setBrush(impl_->brush);
}

void DC::SelectFont(const LogFont& font) {
    Record(*impl_, [font](DC& d) { d.SelectFont(font); });
    impl_->font = QFontFromLogFont(ScaledFont(font, impl_->screenScale), impl_->dpiY);
    impl_->symbolFont = font.IsSymbolFont();
    impl_->escapement = font.escapement;
    impl_->painter->setFont(impl_->font);
}

void DC::SetTextColor(Color c) {
    Record(*impl_, [c](DC& d) { d.SetTextColor(c); });
    impl_->textColor = Q(c);
}

void DC::SetBkColor(Color c) {
    Record(*impl_, [c](DC& d) { d.SetBkColor(c); });
    impl_->bkColor = Q(c);
}

void DC::SetBkMode(BkMode mode) {
    Record(*impl_, [mode](DC& d) { d.SetBkMode(mode); });
    impl_->opaque = mode == BkMode::Opaque;
}

void DC::SetTextAlign(unsigned align) {
    Record(*impl_, [align](DC& d) { d.SetTextAlign(align); });
    impl_->align = align;
}

void DC::SetAntialias(bool on) {
    Record(*impl_, [on](DC& d) { d.SetAntialias(on); });
    impl_->painter->setRenderHint(QPainter::Antialiasing, on);
    impl_->painter->setRenderHint(QPainter::TextAntialiasing, on);
}

void DC::SetDirectLines(bool on) { impl_->directLines = on; }

void DC::MoveTo(int x, int y) {
    Record(*impl_, [x, y](DC& d) { d.MoveTo(x, y); });
    impl_->pos = QPoint(x, y);
}

void DC::LineTo(int x, int y) {
    Record(*impl_, [x, y](DC& d) { d.LineTo(x, y); });
    LineRaster raster(nullptr, 0, 0, 0);
    if (DirectLines(*impl_, raster))
        raster.Line({impl_->pos.x(), impl_->pos.y()}, {x, y}, PenColour(*impl_));
    else
        impl_->painter->drawLine(impl_->pos, QPoint(x, y));
    impl_->pos = QPoint(x, y);
}

Point DC::CurrentPosition() const { return {impl_->pos.x(), impl_->pos.y()}; }

void DC::Polyline(const Point* points, int count) {
    if (!points || count < 2) return;
    if (impl_->record) {
        std::vector<Point> copy(points, points + count);
        impl_->record->push_back([copy](DC& d) { d.Polyline(copy.data(), static_cast<int>(copy.size())); });
    }
    LineRaster raster(nullptr, 0, 0, 0);
    if (DirectLines(*impl_, raster)) {
        raster.Polyline(points, count, PenColour(*impl_));
        return;
    }
    auto& s = impl_->scratch;
    s.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) s[static_cast<std::size_t>(i)] = QPoint(points[i].x, points[i].y);
    impl_->painter->drawPolyline(s.data(), count);
}

void DC::Polygon(const Point* points, int count) {
    if (!points || count < 2) return;
    if (impl_->record) {
        std::vector<Point> copy(points, points + count);
        impl_->record->push_back([copy](DC& d) { d.Polygon(copy.data(), static_cast<int>(copy.size())); });
    }
    auto& s = impl_->scratch;
    s.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) s[static_cast<std::size_t>(i)] = QPoint(points[i].x, points[i].y);
    impl_->painter->drawPolygon(s.data(), count);
}

void DC::Rectangle(int l, int t, int r, int b) {
    Record(*impl_, [=](DC& d) { d.Rectangle(l, t, r, b); });
    // The outline lies inside the rectangle, whose right and bottom are exclusive.
    impl_->painter->drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

void DC::Ellipse(int l, int t, int r, int b) {
    Record(*impl_, [=](DC& d) { d.Ellipse(l, t, r, b); });
    // The smallest ellipse covers its one pixel; Qt draws nothing for an empty rectangle.
    if (r - l == 1 && b - t == 1) impl_->painter->drawPoint(l, t);
    else impl_->painter->drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
}

void DC::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    Record(*impl_, [=](DC& d) { d.Arc(l, t, r, b, x1, y1, x2, y2); });
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    // Screen y grows downwards; angles are counter-clockwise as seen on the screen.
    double a1 = std::atan2(-(y1 - cy), x1 - cx) * 180.0 / M_PI;
    double a2 = std::atan2(-(y2 - cy), x2 - cx) * 180.0 / M_PI;
    double span = a2 - a1;
    if (span <= 0) span += 360.0;  // both angles lie within [-180, 180]
    impl_->painter->drawArc(QRectF(l, t, r - l - 1, b - t - 1), static_cast<int>(std::lround(a1 * 16)),
                            static_cast<int>(std::lround(span * 16)));
}

void DC::FillRect(const Rect& r, Color c) {
    Record(*impl_, [r, c](DC& d) { d.FillRect(r, c); });
    impl_->painter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), Q(c));
}

void DC::SetPixel(int x, int y, Color c) {
    Record(*impl_, [=](DC& d) { d.SetPixel(x, y, c); });
    impl_->painter->fillRect(QRect(x, y, 1, 1), Q(c));
}

void DC::TextOut(int x, int y, std::string_view text) {
    if (impl_->record) {
        std::string copy(text);
        impl_->record->push_back([x, y, copy](DC& d) { d.TextOut(x, y, copy); });
    }
    QString s = impl_->symbolFont ? SymbolText(text)
                                  : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QFontMetrics fm(impl_->font, impl_->painter->device());
    int w = fm.horizontalAdvance(s);
    unsigned h = impl_->align & 6u;
    unsigned v = impl_->align & 24u;
    int dx = h == kAlignCenter ? -w / 2 : h == kAlignRight ? -w : 0;
    int dy = v == kAlignBaseline ? 0 : v == kAlignBottom ? -fm.descent() : fm.ascent();
    QPainter& p = *impl_->painter;
    p.save();
    p.translate(x, y);
    if (impl_->escapement != 0) p.rotate(-impl_->escapement / 10.0);
    if (impl_->opaque) p.fillRect(QRect(dx, dy - fm.ascent(), w, fm.height()), impl_->bkColor);
    p.setPen(impl_->textColor);
    p.drawText(QPoint(dx, dy), s);
    p.restore();
}

Size DC::GetTextExtent(std::string_view text) const {
    QString s = impl_->symbolFont ? SymbolText(text)
                                  : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QFontMetrics fm(impl_->font, impl_->painter->device());
    return {fm.horizontalAdvance(s), fm.height()};
}

TextMetrics DC::GetTextMetrics() const {
    QFontMetrics fm(impl_->font, impl_->painter->device());
    return {fm.height(), fm.ascent(), fm.descent(), fm.averageCharWidth()};
}

void DC::BitBlt(int x, int y, int width, int height, const Bitmap& source, int srcX, int srcY) {
    if (source.IsNull() || width <= 0 || height <= 0) return;
    if (impl_->record) {
        Bitmap copy = source;
        impl_->record->push_back([=](DC& d) { d.BitBlt(x, y, width, height, copy, srcX, srcY); });
    }
    impl_->painter->drawImage(QPoint(x, y), source.Impl()->image, QRect(srcX, srcY, width, height));
}

void DC::SetClipRect(const Rect& r) {
    Record(*impl_, [r](DC& d) { d.SetClipRect(r); });
    impl_->painter->setClipRect(QRect(r.left, r.top, r.Width(), r.Height()));
}

void DC::ResetClip() {
    Record(*impl_, [](DC& d) { d.ResetClip(); });
    impl_->painter->setClipping(false);
}

void DC::SaveState() {
    Record(*impl_, [](DC& d) { d.SaveState(); });
    impl_->painter->save();
}

void DC::RestoreState() {
    Record(*impl_, [](DC& d) { d.RestoreState(); });
    impl_->painter->restore();
}

RasterTarget DC::Raster() const {
    RasterTarget t;
    const DcImpl& d = *impl_;
    QPainter* p = d.painter;
    if (d.record || d.printer || !p || !p->isActive() || !p->device()) return t;
    if (p->device()->devType() != QInternal::Image) return t;
    auto* image = static_cast<QImage*>(p->device());
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied) return t;
    if (image->devicePixelRatio() != 1 || p->transform().type() != QTransform::TxNone) return t;
    if (p->compositionMode() != QPainter::CompositionMode_SourceOver || p->opacity() != 1) return t;
    QRect clip = image->rect();
    if (p->hasClipping()) {
        const QRegion region = p->clipRegion();
        if (region.rectCount() != 1) return t;
        clip &= region.boundingRect();
    }
    t.bits = reinterpret_cast<std::uint32_t*>(image->bits());
    t.width = image->width();
    t.height = image->height();
    t.stride = image->bytesPerLine() / 4;
    t.clip = {clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1};
    t.antialias = p->testRenderHint(QPainter::Antialiasing);
    return t;
}

int DC::DpiX() const { return impl_->dpiX; }
int DC::DpiY() const { return impl_->dpiY; }
Point DC::PhysicalOffset() const { return {impl_->physicalOffset.x(), impl_->physicalOffset.y()}; }
Size DC::DeviceSize() const { return {impl_->deviceSize.width(), impl_->deviceSize.height()}; }
bool DC::IsPrinter() const { return impl_->printer; }
double DC::ScreenScale() const { return impl_->screenScale; }

}  // namespace curvelo::fw
