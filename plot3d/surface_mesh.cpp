#include "plot3d/surface_mesh.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"
#include "expr/letters.h"
#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

constexpr long double kEmptyBox = 1e18L;
constexpr long double kWallOffset = 1e-13L;

constexpr int kSurfaceLetters[] = {kLetterR, kLetterT, kLetterU, kLetterX, kLetterY, kLetterZ};

// A grid point where the formulas are undefined but have a limit (sin(r)/r at r = 0): the
// values a little to either side along the diagonal agree, and the vertex takes them.
// Poles and jumps disagree there and stay undefined.
bool LimitAt(InventorySlot& slot, LetterStore& letters, long double p1, long double p2, long double h1,
             long double h2, long double out[3]) {
    const long double factors[4] = {1, 2, -1, -2};
    long double v[4][3];
    for (int k = 0; k < 4; ++k)
        if (!EvalSurfacePoint(slot, letters, p1 + factors[k] * h1, p2 + factors[k] * h2, v[k])) return false;
    for (int a = 0; a < 3; ++a) {
        for (int k = 1; k < 4; ++k)
            if (std::fabs(v[k][a] - v[0][a]) > 1e-6L * (1 + std::fabs(v[0][a]))) return false;
        out[a] = (v[0][a] + v[2][a]) / 2;
    }
    return true;
}

}  // namespace

ScopedSurfaceLetters::ScopedSurfaceLetters(LetterStore& letters) : letters_(letters) {
    for (std::size_t k = 0; k < std::size(kSurfaceLetters); ++k) saved_[k] = GetLetter(letters_, kSurfaceLetters[k]);
}

ScopedSurfaceLetters::~ScopedSurfaceLetters() {
    for (std::size_t k = 0; k < std::size(kSurfaceLetters); ++k) SetLetter(letters_, kSurfaceLetters[k], saved_[k]);
}

SurfaceWork::SurfaceWork() {
    const auto n = static_cast<std::size_t>(kMaxMeshVertices);
    vertices.reserve(n);
    defined.reserve(n);
    screenU.resize(n);
    screenV.resize(n);
    shown.resize(n);
    distance.resize(n);
    front.resize(n);
}

void SurfaceWork::ResetPrograms(InventorySlot& slot) {
    for (int i = 0; i < 3; ++i) programs[i].Reset(slot.trees[static_cast<std::size_t>(i)]);
}

SurfaceWork* EnsureSurfaceWork(InventorySlot& slot) {
    if (!IsMeshKind(slot.example.kind)) {
        slot.work.reset();
        return nullptr;
    }
    if (auto* w = dynamic_cast<SurfaceWork*>(slot.work.get())) return w;
    slot.work = std::make_unique<SurfaceWork>();
    return static_cast<SurfaceWork*>(slot.work.get());
}

SurfaceWork* SurfaceWorkOf(InventorySlot& slot) { return dynamic_cast<SurfaceWork*>(slot.work.get()); }
const SurfaceWork* SurfaceWorkOf(const InventorySlot& slot) {
    return dynamic_cast<const SurfaceWork*>(slot.work.get());
}

bool EvalSurfacePoint(InventorySlot& slot, LetterStore& letters, long double p1, long double p2, long double out[3]) {
    SurfaceWork* work = SurfaceWorkOf(slot);
    if (!work) return false;
    const std::uint16_t kind = slot.example.kind;
    if (kind == kKindSurfaceExplicit || kind == kKindCylindrical) {
        const bool cylindrical = kind == kKindCylindrical;
        SetLetter(letters, cylindrical ? kLetterR : kLetterX, p1);
        SetLetter(letters, cylindrical ? kLetterT : kLetterY, p2);
        if (!work->programs[2].Tree() || !work->programs[2].Run(letters)) return false;
        out[0] = cylindrical ? p1 * std::cos(p2) : p1;
        out[1] = cylindrical ? p1 * std::sin(p2) : p2;
        out[2] = work->programs[2].Tree()->value.re;
        return std::isfinite(out[2]);
    }
    SetLetter(letters, kLetterT, p1);
    SetLetter(letters, kLetterU, p2);
    for (int i = 0; i < 3; ++i) {
        EvalProgram& p = work->programs[i];
        if (!p.Tree() || !p.Run(letters)) return false;
        out[i] = p.Tree()->value.re;
        if (!std::isfinite(out[i])) return false;
    }
    return true;
}

bool ComputeMesh(InventorySlot& slot, FormulaEngine& engine) {
    SurfaceWork* work = SurfaceWorkOf(slot);
    TExample& e = slot.example;
    if (!work || !IsMeshKind(e.kind)) return false;
    ClampSurfaceCounts(e);
    const int n1 = surf::N1(e), n2 = surf::N2(e);
    work->n1 = n1;
    work->n2 = n2;
    const auto count = static_cast<std::size_t>((n1 + 1) * (n2 + 1));
    work->vertices.resize(count);
    work->defined.resize(count);

    const ScopedSurfaceLetters keepLetters(engine.letters);

    const bool automatic = surf::AutoBox(e);
    std::array<long double, 3> lo = e.values161, hi = e.values191;
    if (automatic) {
        lo.fill(kEmptyBox);
        hi.fill(-kEmptyBox);
    }
    const long double d1 = (e.high - e.low) / n1, d2 = (e.high2 - e.low2) / n2;
    bool any = false;
    for (int i = 0; i <= n1; ++i) {
        const long double p1 = i == n1 ? e.high : e.low + i * d1;
        for (int j = 0; j <= n2; ++j) {
            const long double p2 = j == n2 ? e.high2 : e.low2 + j * d2;
            long double p[3] = {0, 0, 0};
            const bool ok = EvalSurfacePoint(slot, engine.letters, p1, p2, p) ||
                            LimitAt(slot, engine.letters, p1, p2, d1 * 1e-7L, d2 * 1e-7L, p);
            const std::size_t at = static_cast<std::size_t>(i * (n2 + 1) + j);
            work->defined[at] = ok ? 1 : 0;
            if (ok) {
                any = true;
                for (int a = 0; a < 3; ++a) {
                    // Values beyond the engine's range would make the box useless.
                    p[a] = std::clamp(p[a], -kEmptyBox, kEmptyBox);
                    if (automatic) {
                        lo[a] = std::min(lo[a], p[a]);
                        hi[a] = std::max(hi[a], p[a]);
                    } else if (p[a] < lo[a]) {
                        p[a] = lo[a] - kWallOffset;
                    } else if (p[a] > hi[a]) {
                        p[a] = hi[a] + kWallOffset;
                    }
                }
            }
            work->vertices[at] = {static_cast<double>(p[0]), static_cast<double>(p[1]), static_cast<double>(p[2])};
        }
    }
    // A mesh with no defined vertex keeps the box it had.
    if (automatic && any) {
        TidyBox(lo, hi);
        e.values161 = lo;
        e.values191 = hi;
    }
    return true;
}

void TidyBox(std::array<long double, 3>& lo, std::array<long double, 3>& hi) {
    for (int a = 0; a < 3; ++a) {
        if (!(hi[a] - lo[a] >= 1e-13L)) {
            const long double mid = (lo[a] <= hi[a]) ? lo[a] : (lo[a] + hi[a]) / 2;
            lo[a] = std::min(lo[a], mid) - 0.5L;
            hi[a] = std::max(hi[a], mid) + 0.5L;
        }
        const long double extent = hi[a] - lo[a];
        const long double grid = std::pow(10.0L, std::floor(std::log10(extent))) / 100;
        if (!(grid > 0) || !std::isfinite(grid)) continue;
        // A bound a rounding error past a grid line stays on it.
        const long double slack = 1e-9L;
        lo[a] = std::floor(lo[a] / grid + slack) * grid;
        hi[a] = std::ceil(hi[a] / grid - slack) * grid;
    }
}

}  // namespace curvelo
