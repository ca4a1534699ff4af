#include "plot3d/plane_slices.h"

#include <algorithm>
#include <cmath>

#include "expr/eval_program.h"
#include "plot3d/surface_kinds.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

// f(x, y) of an explicit surface; false where undefined.
class SurfaceHeight {
public:
    SurfaceHeight(const InventorySlot& slot, LetterStore& letters) : letters_(letters) {
        if (slot.example.kind == kKindSurfaceExplicit) program_.Reset(slot.trees[2]);
    }
    bool Ok() const { return program_.Tree() != nullptr; }
    bool At(long double x, long double y, long double& z) {
        if (!Ok()) return false;
        letters_.LetterValues[kLetterX] = {x, 0.0L};
        letters_.LetterValues[kLetterY] = {y, 0.0L};
        if (!program_.Run(letters_)) return false;
        z = program_.Tree()->value.re;
        return std::isfinite(z);
    }

private:
    LetterStore& letters_;
    EvalProgram program_;
};

// Red for x = h, orange for y = h; the tangent plane a light grey card with a black edge.
constexpr int kSliceColourX = 4, kSliceColourY = 8, kTangentFill = 19;

void DrawPolyline(DrawSurface& out, const SpacePolyline& line, const std::function<WorldPoint(const Vec3&)>& project) {
    if (line.size() < 2) return;
    out.BeginPolyline();
    for (const Vec3& p : line) out.PolylineTo(project(p));
    out.EndPolyline();
}

}  // namespace

std::vector<SpacePolyline> SectionCurve(const InventorySlot& slot, LetterStore& letters, int axis, long double h,
                                        int samples) {
    std::vector<SpacePolyline> pieces;
    SurfaceHeight f(slot, letters);
    if (!f.Ok()) return pieces;
    const TExample& e = slot.example;
    const int other = axis == 0 ? 1 : 0;
    const long double lo = e.values161[static_cast<std::size_t>(other)];
    const long double hi = e.values191[static_cast<std::size_t>(other)];
    const int n = std::clamp(samples, 2, 100000);
    SpacePolyline piece;
    for (int i = 0; i <= n; ++i) {
        const long double s = lo + (hi - lo) * i / n;
        const long double x = axis == 0 ? h : s, y = axis == 0 ? s : h;
        long double z = 0;
        if (f.At(x, y, z)) {
            piece.push_back({x, y, z});
        } else if (!piece.empty()) {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (!piece.empty()) pieces.push_back(std::move(piece));
    return pieces;
}

TangentPlane TangentAt(const InventorySlot& slot, LetterStore& letters, long double x0, long double y0) {
    TangentPlane t;
    SurfaceHeight f(slot, letters);
    const TExample& e = slot.example;
    const long double wx = std::fabs(e.values191[0] - e.values161[0]), wy = std::fabs(e.values191[1] - e.values161[1]);
    const long double dx = std::max(wx, 1e-9L) * 1e-6L, dy = std::max(wy, 1e-9L) * 1e-6L;
    long double z0, a, b, c, d;
    if (!f.At(x0, y0, z0) || !f.At(x0 + dx, y0, a) || !f.At(x0 - dx, y0, b) || !f.At(x0, y0 + dy, c) ||
        !f.At(x0, y0 - dy, d))
        return t;
    t.point = {x0, y0, z0};
    t.fx = (a - b) / (2 * dx);
    t.fy = (c - d) / (2 * dy);
    if (!std::isfinite(t.fx) || !std::isfinite(t.fy)) return t;
    const long double hx = kTangentFraction * wx, hy = kTangentFraction * wy;
    const long double sx[4] = {-1, 1, 1, -1}, sy[4] = {-1, -1, 1, 1};
    for (int k = 0; k < 4; ++k) {
        const long double x = x0 + sx[k] * hx, y = y0 + sy[k] * hy;
        t.corners[static_cast<std::size_t>(k)] = {x, y, t.At(x, y)};
    }
    t.defined = true;
    return t;
}

void DrawSliceOverlay(DrawSurface& out, const SliceOverlay& overlay, const InventorySlot& slot, LetterStore& letters,
                      const std::function<WorldPoint(const Vec3&)>& project) {
    if (overlay.example < 0 || slot.example.kind != kKindSurfaceExplicit) return;
    out.Save();
    // The kept planes thin, the current ones thick, each direction in its own colour.
    const Rgb colourX = ColourOf(kSliceColourX), colourY = ColourOf(kSliceColourY);
    const auto section = [&](int axis, long double h, int width) {
        out.SetPen(axis == 0 ? colourX : colourY, width, LineStyle::kSolid);
        for (const SpacePolyline& line : SectionCurve(slot, letters, axis, h)) DrawPolyline(out, line, project);
    };
    for (long double h : overlay.keptX) section(0, h, 1);
    for (long double h : overlay.keptY) section(1, h, 1);
    section(0, overlay.hx, 3);
    section(1, overlay.hy, 3);
    long double z = 0;
    const TangentPlane t = TangentAt(slot, letters, overlay.hx, overlay.hy);
    if (t.defined) z = t.point.z;
    if (t.defined && overlay.tangent) {
        out.SetPen(ColourOf(kColourBlack), 1, LineStyle::kSolid);
        out.SetBrush(ColourOf(kTangentFill));
        std::array<WorldPoint, 4> card;
        for (std::size_t k = 0; k < card.size(); ++k) card[k] = project(t.corners[k]);
        out.FilledPolygon(card.data(), static_cast<int>(card.size()));
        // The square's outline and its middle lines through the point.
        SpacePolyline outline(t.corners.begin(), t.corners.end());
        outline.push_back(t.corners[0]);
        DrawPolyline(out, outline, project);
        const auto mid = [](const Vec3& a, const Vec3& b) { return (a + b) * 0.5L; };
        DrawPolyline(out, {mid(t.corners[0], t.corners[1]), mid(t.corners[3], t.corners[2])}, project);
        DrawPolyline(out, {mid(t.corners[0], t.corners[3]), mid(t.corners[1], t.corners[2])}, project);
    }
    if (t.defined) {
        out.SetBrush(ColourOf(kColourBlack));
        out.Dot(project({overlay.hx, overlay.hy, z}), 4);
    }
    out.Restore();
}

}  // namespace curvelo
