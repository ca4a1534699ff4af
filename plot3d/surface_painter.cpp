#include "plot3d/surface_painter.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

bool StrictlyInside(const MeshVertex& v, const TExample& e) {
    const double p[3] = {v.x, v.y, v.z};
    for (int a = 0; a < 3; ++a)
        if (!(p[a] > static_cast<double>(e.values161[static_cast<std::size_t>(a)]) &&
              p[a] < static_cast<double>(e.values191[static_cast<std::size_t>(a)])))
            return false;
    return true;
}

Rgb Scaled(Rgb c, double s) {
    auto f = [s](std::uint8_t v) { return static_cast<std::uint8_t>(std::lround(v * s)); };
    return {f(c.r), f(c.g), f(c.b)};
}

// Pen and brush are set only when they change: a frame has thousands of polygons.
class StyleCache {
public:
    explicit StyleCache(DrawSurface& out) : out_(out) {}
    void Pen(Rgb c, int width) {
        if (havePen_ && c == pen_ && width == width_) return;
        out_.SetPen(c, width, LineStyle::kSolid);
        pen_ = c;
        width_ = width;
        havePen_ = true;
    }
    void Brush(Rgb c) {
        if (haveBrush_ && c == brush_) return;
        out_.SetBrush(c);
        brush_ = c;
        haveBrush_ = true;
    }

private:
    DrawSurface& out_;
    Rgb pen_, brush_;
    int width_ = 0;
    bool havePen_ = false, haveBrush_ = false;
};

}  // namespace

double SpectrumFactor(double z, double cellMinZ, double cellMaxZ) {
    const double extent = cellMaxZ - cellMinZ;
    const double zscale = extent != 0 ? 1.0 / extent : 0.0;
    double s = 0.2 + 0.8 * zscale * (z - cellMinZ);
    if (!(s >= 0.2)) s = 0.2;
    if (s + 1e-18 > 1) s = 1;
    return s;
}

void ProjectMesh(SurfaceWork& work, const TExample& e, const ProjectionSnapshot& p) {
    const int count = work.VertexCount();
    const bool keep = surf::KeepAtWalls(e);
    for (int k = 0; k < count; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const MeshVertex& v = work.vertices[at];
        const bool drawn = work.defined[at] && (keep || StrictlyInside(v, e));
        work.shown[at] = drawn ? 1 : 0;
        if (drawn) p.Project(v.x, v.y, v.z, work.screenU[at], work.screenV[at]);
        // A vertex whose projection is not a number has no point on the screen.
        if (drawn && !(std::isfinite(work.screenU[at]) && std::isfinite(work.screenV[at]))) work.shown[at] = 0;
    }
    const int n2 = work.n2, row = n2 + 1;
    for (int i = 0; i < work.n1; ++i)
        for (int j = 0; j < n2; ++j) {
            const MeshVertex* c[4] = {&work.vertices[static_cast<std::size_t>(i * row + j)],
                                      &work.vertices[static_cast<std::size_t>(i * row + j + 1)],
                                      &work.vertices[static_cast<std::size_t>((i + 1) * row + j + 1)],
                                      &work.vertices[static_cast<std::size_t>((i + 1) * row + j)]};
            double q[4][3];
            for (int k = 0; k < 4; ++k) {
                q[k][0] = c[k]->x;
                q[k][1] = c[k]->y;
                q[k][2] = c[k]->z;
                p.Normalise(q[k][0], q[k][1], q[k][2]);
            }
            const double m[3] = {(q[0][0] + q[1][0] + q[2][0] + q[3][0]) / 4,
                                 (q[0][1] + q[1][1] + q[2][1] + q[3][1]) / 4,
                                 (q[0][2] + q[1][2] + q[2][2] + q[3][2]) / 4};
            const auto at = static_cast<std::size_t>(i * n2 + j);
            work.distance[at] = std::sqrt((p.e[0] - m[0]) * (p.e[0] - m[0]) + (p.e[1] - m[1]) * (p.e[1] - m[1]) +
                                          (p.e[2] - m[2]) * (p.e[2] - m[2]));
            // det(V(i, j+1) - V, V(i+1, j) - V, E - V) with V = V(i, j)
            const double a[3] = {q[1][0] - q[0][0], q[1][1] - q[0][1], q[1][2] - q[0][2]};
            const double b[3] = {q[3][0] - q[0][0], q[3][1] - q[0][1], q[3][2] - q[0][2]};
            const double w[3] = {p.e[0] - q[0][0], p.e[1] - q[0][1], p.e[2] - q[0][2]};
            const double det = a[0] * (b[1] * w[2] - b[2] * w[1]) - a[1] * (b[0] * w[2] - b[2] * w[0]) +
                               a[2] * (b[0] * w[1] - b[1] * w[0]);
            work.front[at] = det > 0 ? 1 : 0;
        }
}

SurfacePainter::Look SurfacePainter::LookOf(const TExample& e, const SurfaceWork& w, const Quad& q,
                                            const ProjectionSnapshot& p, bool colourOutput) {
    const std::size_t first = static_cast<std::size_t>(q.i * (w.n2 + 1) + q.j);
    if (surf::Spectrum(e)) {
        const double s = SpectrumFactor(w.vertices[first].z, p.cellMin[2], p.cellMax[2]);
        const Rgb fill = colourOutput ? Scaled(ColourOf(e.penColour), s)
                                      : GreyOf(static_cast<int>(std::lround((1 - s) * 28)) + 1);
        return {fill, surf::MeshLines(e) ? ColourForOutput(surf::MeshColour(e), colourOutput) : fill, e.penWidth};
    }
    const int fill = !surf::Shaded(e) ? kColourWhite
                     : w.front[static_cast<std::size_t>(q.i * w.n2 + q.j)] ? surf::Colour1(e)
                                                                           : surf::Colour2(e);
    return {colourOutput ? ColourOf(fill) : (fill == kColourWhite ? ColourOf(kColourWhite) : GreyOf(fill)),
            ColourForOutput(e.penColour, colourOutput), e.penWidth};
}

int SurfacePainter::DrawFastSurfaces(DrawSurface& out, ExampleInventory& inventory, const ProjectionSnapshot& p,
                                     bool colourOutput) {
    drawn_ = 0;
    std::size_t count = 0, vertices = 0;
    bool wide = false;
    for (int x = 0; x < inventory.Count(); ++x) {
        const TExample& e = inventory.At(x);
        const SurfaceWork* w = SurfaceWorkOf(inventory.Slot(x));
        if (!w || !e.visible || surf::Slow(e)) continue;
        count += static_cast<std::size_t>(w->n1 * w->n2);
        vertices += static_cast<std::size_t>(w->VertexCount());
        wide = wide || e.penWidth > 1;
    }
    if (count == 0) return 0;
    // Wide outlines keep the device's own strokes (their soft edges and round corners).
    const fw::RasterTarget raster = wide ? fw::RasterTarget{} : out.Raster();
    try {
        quads_.resize(count);
        firstVertex_.resize(static_cast<std::size_t>(inventory.Count()));
        if (raster) device_.resize(vertices);
    } catch (const std::bad_alloc&) {
        return kDrawOutOfMemory;
    }
    std::size_t n = 0, base = 0;
    for (int x = 0; x < inventory.Count(); ++x) {
        const TExample& e = inventory.At(x);
        SurfaceWork* w = SurfaceWorkOf(inventory.Slot(x));
        if (!w || !e.visible || surf::Slow(e)) continue;
        ProjectMesh(*w, e, p);
        for (int i = 0; i < w->n1; ++i)
            for (int j = 0; j < w->n2; ++j)
                quads_[n++] = {w->distance[static_cast<std::size_t>(i * w->n2 + j)], static_cast<std::uint16_t>(x),
                               static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j)};
        firstVertex_[static_cast<std::size_t>(x)] = base;
        if (raster) {
            // The same device pixels as the drawing interface would use, once per vertex.
            const PlotView& view = out.View();
            for (int k = 0; k < w->VertexCount(); ++k) {
                const auto at = static_cast<std::size_t>(k);
                device_[base + at] = {static_cast<double>(view.DeviceX(w->screenU[at])),
                                      static_cast<double>(view.DeviceY(w->screenV[at]))};
            }
        }
        base += static_cast<std::size_t>(w->VertexCount());
    }
    std::sort(quads_.begin(), quads_.begin() + static_cast<std::ptrdiff_t>(n),
              [](const Quad& a, const Quad& b) { return a.distance > b.distance; });
    if (raster) DrawDirect(raster, inventory, p, colourOutput, n);
    else DrawThrough(out, inventory, p, colourOutput, n);
    return 0;
}

void SurfacePainter::DrawDirect(const fw::RasterTarget& raster, ExampleInventory& inventory,
                                const ProjectionSnapshot& p, bool colourOutput, std::size_t n) {
    fw::QuadFiller filler(raster);
    fw::PointF corner[4];
    for (std::size_t k = 0; k < n; ++k) {
        const Quad& q = quads_[k];
        const SurfaceWork& w = *SurfaceWorkOf(inventory.Slot(q.example));
        std::size_t v[4];
        if (!Corners(w, q, v)) continue;
        const std::size_t base = firstVertex_[q.example];
        for (int c = 0; c < 4; ++c) corner[c] = device_[base + v[c]];
        const Look look = LookOf(inventory.At(q.example), w, q, p, colourOutput);
        filler.Fill(corner, 4, {look.fill.r, look.fill.g, look.fill.b});
        filler.Outline(corner, 4, {look.pen.r, look.pen.g, look.pen.b});
        ++drawn_;
    }
}

void SurfacePainter::DrawThrough(DrawSurface& out, ExampleInventory& inventory, const ProjectionSnapshot& p,
                                 bool colourOutput, std::size_t n) {
    StyleCache style(out);
    out.Save();
    WorldPoint corner[4];
    for (std::size_t k = 0; k < n; ++k) {
        const Quad& q = quads_[k];
        const SurfaceWork& w = *SurfaceWorkOf(inventory.Slot(q.example));
        std::size_t v[4];
        if (!Corners(w, q, v)) continue;
        const Look look = LookOf(inventory.At(q.example), w, q, p, colourOutput);
        style.Brush(look.fill);
        style.Pen(look.pen, look.width);
        for (int c = 0; c < 4; ++c) corner[c] = {w.screenU[v[c]], w.screenV[v[c]]};
        out.FilledPolygon(corner, 4);
        ++drawn_;
    }
    out.Restore();
}

bool SurfacePainter::Corners(const SurfaceWork& w, const Quad& q, std::size_t v[4]) {
    const int row = w.n2 + 1;
    v[0] = static_cast<std::size_t>(q.i * row + q.j);
    v[1] = v[0] + 1;
    v[2] = v[0] + static_cast<std::size_t>(row) + 1;
    v[3] = v[0] + static_cast<std::size_t>(row);
    return w.shown[v[0]] && w.shown[v[1]] && w.shown[v[2]] && w.shown[v[3]];
}

}  // namespace curvelo
