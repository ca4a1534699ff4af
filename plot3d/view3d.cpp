#include "plot3d/view3d.h"

#include <algorithm>
#include <cmath>

namespace curvelo {
namespace {

// Far-away eyes are pulled back to this many cell diagonals (L1) from the centre.
constexpr long double kFarDiagonals = 10000;
// Enough halvings to bring any finite extended value down to the cell.
constexpr int kMaxHalvings = 20000;
constexpr int kMaxDoublings = 256;

bool Finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// tan of the elevation; 0 where it would blow up, so the eye drops to the centre's height.
long double SafeTan(long double a) {
    if (std::fabs(std::cos(a)) < kTiny3 || std::fabs(a) > 5e18L) return 0;
    return std::tan(a);
}

}  // namespace

View3D::View3D() {
    CellChanged();
    axisMin = cellMin;
    axisMax = cellMax;
    EyeChanged();
}

void View3D::CellChanged() {
    centre = (cellMin + cellMax) * 0.5L;
    const Vec3 d = cellMax - cellMin;
    // SetCell keeps every extent positive; a broken cell still must not divide by zero.
    auto inv = [](long double e) { return std::fabs(e) < kTiny3 ? 1 / kTiny3 : 1 / e; };
    cellScale = {inv(d.x), inv(d.y), inv(d.z)};
}

void View3D::SetCell(const Vec3& minimum, const Vec3& maximum) {
    cellMin = minimum;
    cellMax = maximum;
    CellChanged();
}

Vec3 View3D::Normalise(const Vec3& p) const {
    const Vec3 d = p - centre;
    return {d.x * cellScale.x, d.y * cellScale.y, d.z * cellScale.z};
}

void View3D::UpdateProjection() {
    const Vec3 d = cubeNormalisation ? normEye : eye - centre;
    viewVector = d;
    const long double rho2 = d.x * d.x + d.y * d.y;
    const long double r = std::sqrt(d.z * d.z + rho2);
    // The eye never stands over the cell, so rho is never 0 in practice; keep it finite anyway.
    const long double rho = std::max(std::sqrt(rho2), kTiny3);
    factorA = r * r / rho;
    factorB = r / rho;
}

void View3D::EyeChanged() {
    normEye = Normalise(eye);
    UpdateProjection();
}

WorldPoint View3D::ProjectPoint(const Vec3& p) const {
    const Vec3& d = viewVector;
    const Vec3 w = cubeNormalisation ? normEye - Normalise(p) : eye - p;
    const long double t = d.Dot(w);
    const long double k = std::fabs(t) < kTiny3 ? 1 / kTiny3 : 1 / t;
    const long double u = k * factorA * (w.x * d.y - w.y * d.x);
    const long double v = k * factorB * (d.z * (d.x * w.x + d.y * w.y) - w.z * (d.x * d.x + d.y * d.y));
    return {u, v};
}

ScreenPoint View3D::ProjectToScreen(const Vec3& p, const PlotView& view) const {
    const WorldPoint w = ProjectPoint(p);
    ScreenPoint s;
    const bool inX = view.MapX(w.x, &s.x);
    const bool inY = view.MapY(w.y, &s.y);
    if (!inX || !inY) s.x = -1;
    return s;
}

WorldPoint View3D::ProjectByKind(int kind, long double x, long double y, long double z, long double t) const {
    switch (kind) {
    case 5: return {z, x};
    case 6: return {y, z};
    case 7: return ProjectPoint({x, y, z});
    case 9: return {t, x};
    case 10:
    case 11: return {t, y};
    case 12: return {t, z};
    default: return {x, y};
    }
}

bool View3D::OverCellBase(long double x, long double y) const {
    return x >= cellMin.x && x <= cellMax.x && y >= cellMin.y && y <= cellMax.y;
}

void View3D::Rotate(bool right) {
    const long double s = right ? std::sin(rotationStep) : -std::sin(rotationStep);
    const long double q = std::cos(rotationStep);
    const Vec3 base = rotateAboutOrigin ? Vec3{} : centre;
    const Vec3 d = eye - base;
    eye = Vec3{q * d.x - s * d.y, s * d.x + q * d.y, d.z} + base;
    EyeChanged();
}

void View3D::Tilt(bool up) {
    const Vec3 base = rotateAboutOrigin ? Vec3{} : centre;
    const Vec3 d = eye - base;
    const long double rho = std::sqrt(d.x * d.x + d.y * d.y);
    if (rho < kTiny3) return;
    const long double a = std::atan(d.z / rho);
    const long double room = kPi3 / 2 - std::fabs(a);
    // 40 up and 39 down: an up step followed by a down step lands where it started.
    const long double a2 = up ? a + room / 40 : a - room / 39;
    eye = Vec3{d.x, d.y, SafeTan(a2) * rho} + base;
    EyeChanged();
}

bool View3D::Approach() {
    const Vec3 candidate = (eye + centre) * 0.5L;
    if (OverCellBase(candidate.x, candidate.y)) return false;
    eye = candidate;
    EyeChanged();
    return true;
}

void View3D::MoveAway() {
    eye = eye * 2 - centre;
    BringEyeIntoRange();
    EyeChanged();
}

void View3D::BringEyeIntoRange() {
    const long double limit = kFarDiagonals * CellDiagonalL1();
    for (int i = 0; i < kMaxHalvings && (eye - centre).L1() > limit; ++i) eye = eye * 0.5L;
    for (int i = 0; i < kMaxDoublings && OverCellBase(eye.x, eye.y); ++i) eye = eye * 2;
    // An eye straight above a cell about the origin cannot leave it by doubling.
    if (!Finite(eye) || OverCellBase(eye.x, eye.y)) {
        const long double k = 8000 * CellDiagonalL1();
        eye = {k, k, k};
    }
}

bool View3D::FromInfinity() {
    const Vec3 d = eye - centre;
    const long double len = std::sqrt(d.Dot(d));
    if (len < kTiny3 || !std::isfinite(len)) return false;
    eye = centre + d * (1000 * CellDiagonalL1() / len);
    EyeChanged();
    return true;
}

void View3D::Isometric() {
    const long double k = 8000 * CellDiagonalL1();
    eye = {k, k, k};
    EyeChanged();
}

int View3D::CheckEye(const Vec3& candidate) const {
    if (!Finite(candidate)) return kMsgTooFar;
    if (OverCellBase(candidate.x, candidate.y)) return kMsgTooClose;
    if ((candidate - centre).L1() > kFarDiagonals * CellDiagonalL1()) return kMsgTooFar;
    return 0;
}

bool View3D::SetCellFromBoxes(std::span<const Box3> boxes) {
    Vec3 lo{1e18L, 1e18L, 1e18L}, hi{-1e18L, -1e18L, -1e18L};
    bool any = false;
    for (const Box3& b : boxes) {
        if (!Finite(b.min) || !Finite(b.max)) continue;
        lo = {std::min(lo.x, b.min.x), std::min(lo.y, b.min.y), std::min(lo.z, b.min.z)};
        hi = {std::max(hi.x, b.max.x), std::max(hi.y, b.max.y), std::max(hi.z, b.max.z)};
        any = true;
    }
    if (!any) return false;
    if ((lo - cellMin).L1() < kCellEpsilon && (hi - cellMax).L1() < kCellEpsilon) return false;
    if (hi.x - lo.x < kCellEpsilon) hi.x = lo.x + 1;
    if (hi.y - lo.y < kCellEpsilon) hi.y = lo.y + 1;
    if (hi.z - lo.z < kCellEpsilon) hi.z = lo.z + 1;
    SetCell(lo, hi);
    visibilityTolerance = 0.001L * ((hi.x - lo.x) + (hi.y - lo.y));
    BringEyeIntoRange();
    EyeChanged();
    return true;
}

void View3D::UpdateAxisBox() {
    if (axisLengthsFixed) return;
    auto upper = [](long double m) { return 1.3L * m < kTiny3 ? 1.0L : 1.3L * m; };
    auto lower = [](long double m) { return 1.3L * m > kTiny3 ? -1.0L : 1.3L * m; };
    axisMax = {upper(cellMax.x), upper(cellMax.y), upper(cellMax.z)};
    axisMin = {lower(cellMin.x), lower(cellMin.y), lower(cellMin.z)};
}

void View3D::FitViewToCell(PlotView& view, bool axesShown) {
    Vec3 lo = cellMin, hi = cellMax;
    if (axesShown) {
        UpdateAxisBox();
        lo = {std::min(lo.x, axisMin.x), std::min(lo.y, axisMin.y), std::min(lo.z, axisMin.z)};
        hi = {std::max(hi.x, axisMax.x), std::max(hi.y, axisMax.y), std::max(hi.z, axisMax.z)};
    }
    UpdateProjection();
    long double umin = 1e300L, umax = -1e300L, vmin = 1e300L, vmax = -1e300L;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{(corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y, (corner & 4) ? hi.z : lo.z};
        const WorldPoint w = ProjectPoint(p);
        umin = std::min(umin, w.x);
        umax = std::max(umax, w.x);
        vmin = std::min(vmin, w.y);
        vmax = std::max(vmax, w.y);
    }
    const long double hw = 0.55L * ((umax - umin) + 0.01L);
    const long double hh = 0.55L * ((vmax - vmin) + 0.01L);
    const long double cx = (umin + umax) / 2, cy = (vmin + vmax) / 2;
    if (!std::isfinite(hw) || !std::isfinite(hh) || !std::isfinite(cx) || !std::isfinite(cy)) return;
    view.unequal = 0;
    view.aspect = 1;
    view.cx = cx;
    view.cy = cy;
    view.hw = hw;
    view.ApplyView();
    if (view.hh < hh) {
        view.hw *= hh / view.hh;
        view.ApplyView();
    }
}

int View3D::SetAxisBox(const Vec3& minimum, const Vec3& maximum, bool fixed) {
    if (!Finite(minimum) || !Finite(maximum)) return 6;
    if (minimum.L1() > kMaxCoordinate || maximum.L1() > kMaxCoordinate) return 17;
    if (maximum.x - minimum.x < kCellEpsilon || maximum.y - minimum.y < kCellEpsilon ||
        maximum.z - minimum.z < kCellEpsilon)
        return 6;
    if (minimum == axisMin && maximum == axisMax && fixed == axisLengthsFixed) return -1;
    axisMin = minimum;
    axisMax = maximum;
    axisLengthsFixed = fixed;
    return 0;
}

int View3D::SetRotationFrames(int frames) {
    if (frames < kMinRotationFrames || frames > kMaxRotationFrames) return 17;
    rotationFrames = static_cast<std::int16_t>(frames);
    return 0;
}

bool View3D::SetRotationStep(long double step) {
    if (!std::isfinite(step) || std::fabs(step) < kTiny3) return false;
    rotationStep = step;
    return true;
}

Spherical ToSpherical(const Vec3& eye) {
    Spherical s;
    s.rho = std::sqrt(eye.Dot(eye));
    if (std::fabs(eye.x) < kTiny3)
        s.theta = eye.y < 0 ? -kPi3 / 2 : kPi3 / 2;
    else
        s.theta = std::atan2(eye.y, eye.x);
    s.phi = s.rho < kTiny3 ? 0 : std::acos(std::clamp(eye.z / s.rho, -1.0L, 1.0L));
    return s;
}

bool FromSpherical(const Spherical& s, Vec3* eye) {
    if (!std::isfinite(s.theta) || !std::isfinite(s.phi) || !std::isfinite(s.rho)) return false;
    if (std::fabs(s.theta) > 5e18L || std::fabs(s.phi) > 5e18L) return false;
    *eye = {s.rho * std::sin(s.phi) * std::cos(s.theta), s.rho * std::sin(s.phi) * std::sin(s.theta),
            s.rho * std::cos(s.phi)};
    return true;
}

}  // namespace curvelo
