#include "plot3d/cell_form.h"

#include <cmath>

namespace curvelo {
namespace {

// Bytes of the record's switch group at offset 52: keep at the walls, automatic box.
constexpr std::size_t kAtWalls = 0, kAutomaticBox = 2;
constexpr long double kMinExtent = 1e-13L;

bool HasSavedBox(std::uint16_t kind) { return kind == 301 || kind == 305; }

}  // namespace

bool IsSurfaceKind(std::uint16_t kind) {
    switch (kind) {
    case 301: case 302: case 303: case 306: case 307: case 315: case 316: return true;
    default: return false;
    }
}

std::string CellTemplateOf(std::uint16_t kind) {
    if (IsSurfaceKind(kind)) return "AUTOBOXA";
    return kind == 305 || kind > 309 ? "AUTOBOXB" : "AUTOBOXC";
}

CellForm CellFormOf(const TExample& e) {
    CellForm f;
    for (std::size_t k = 0; k < 3; ++k) {
        f.ends[2 * k] = e.values161[k];
        f.ends[2 * k + 1] = e.values191[k];
    }
    f.fixed = e.flags52[kAutomaticBox] == 0;
    f.atWalls = e.flags52[kAtWalls] != 0;
    return f;
}

int ApplyCellForm(const CellForm& form, TExample& e) {
    for (std::size_t k = 0; k < 3; ++k) {
        const long double lo = form.ends[2 * k], hi = form.ends[2 * k + 1];
        if (!std::isfinite(lo) || !std::isfinite(hi) || hi - lo < kMinExtent) return 6;
    }
    const CellForm before = CellFormOf(e);
    if (before.ends == form.ends && before.fixed == form.fixed && before.atWalls == form.atWalls) return -1;
    for (std::size_t k = 0; k < 3; ++k) {
        e.values161[k] = form.ends[2 * k];
        e.values191[k] = form.ends[2 * k + 1];
    }
    e.flags52[kAutomaticBox] = form.fixed ? 0 : 1;
    e.flags52[kAtWalls] = form.atWalls ? 1 : 0;
    if (HasSavedBox(e.kind)) {
        e.saved221 = e.values161;
        e.saved251 = e.values191;
    }
    return 0;
}

}  // namespace curvelo
