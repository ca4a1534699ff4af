#include "plot3d/surface_kinds.h"

#include <algorithm>

#include "plot2d/example_kinds.h"

namespace curvelo {
namespace {

constexpr long double kPi = 3.14159265358979323846L;
// Layers a new surface offers in its level dialog, less one.
constexpr std::uint16_t kDefaultLayerIntervals = 8;

const std::array<SurfaceKindInfo, 8>& SurfaceKinds() {
    static const std::array<SurfaceKindInfo, 8> kinds = {{
        {301, 1001, "EQUA301", {"", "", "sin(xx+yy)/(xx+yy)", "", "", "", ""}, -kPi, kPi, -kPi, kPi, 36, 36},
        {302, 1002, "EQUA302", {"", "", "rrrcos(3t)/(1+rrrr)", "", "", "", ""}, 0.0L, 1.2L, 0.0L, kTwoPi, 36, 70},
        {303, 1003, "EQUA303", {"sin(u)cos(t)", "sin(u)sin(t)", "cos(u)", "", "", "", ""}, 0.0L, kTwoPi, 0.0L, kPi, 36, 36},
        {305, 1005, "EQUA305", {"", "", "", "", "xx+yy+zz=4", "", ""}, 0.0L, 1.0L, 0.0L, 1.0L, 36, 36},
        {306, 1006, "EQUA306", {"cos(7t)", "sin(7t)", "t", "0.3", "", "", ""}, 0.0L, kTwoPi, 0.0L, kTwoPi, 120, 16},
        {307, 0, "EQUA307", {"t", "1+0.5sin(t)", "", "", "", "", ""}, 0.0L, kTwoPi, 0.0L, kTwoPi, 36, 36},
        {315, 1015, "EQUA315", {"2.54", "1.732", "2.718", "1.618,3.142,1.414", "", "2.0", ""}, -1.0L, 1.0L, -1.0L, 1.0L, 36, 36},
        {316, 1016, "EQUA316", {"", "", "", "1.0+0.25sin(3u)", "", "", ""}, 0.0L, kTwoPi, 0.0L, kPi, 36, 36},
    }};
    return kinds;
}

}  // namespace

bool IsMeshKind(std::uint16_t kind) {
    switch (kind) {
    case 301: case 302: case 303: case 306: case 307: case 315: case 316: return true;
    default: return false;
    }
}

bool IsHidingKind(std::uint16_t kind) { return IsMeshKind(kind) || kind == kKindSurfaceImplicit; }

bool IsParametricMeshKind(std::uint16_t kind) {
    return kind == kKindSurfaceParametric || kind == kKindTube || kind == kKindRevolution ||
           kind == kKindSpherical;
}

const SurfaceKindInfo* FindSurfaceKind(std::uint16_t kind) {
    for (const auto& k : SurfaceKinds())
        if (k.kind == kind) return &k;
    return nullptr;
}

const SurfaceKindInfo* FindSurfaceKindByCommand(int command) {
    if (command == 0) return nullptr;
    for (const auto& k : SurfaceKinds())
        if (k.command == command) return &k;
    return nullptr;
}

TExample NewSurfaceExample(std::uint16_t kind, std::uint16_t penColour, std::uint16_t nextColour) {
    const SurfaceKindInfo* info = FindSurfaceKind(kind);
    TExample e = NewExample(kind, info ? info->low : 0.0L, info ? info->high : 1.0L, penColour);
    if (!info) return e;
    for (std::size_t i = 0; i < e.texts.size(); ++i) e.texts[i] = info->texts[i];
    e.low2 = info->low2;
    e.high2 = info->high2;
    e.ints111[0] = static_cast<std::uint16_t>(info->n1);
    e.ints111[1] = static_cast<std::uint16_t>(info->n2);
    surf::Colour1(e) = penColour;
    surf::MeshColour(e) = 0;
    surf::Slow(e) = 0;
    surf::Spectrum(e) = 0;
    if (kind == kKindSpherical) {
        // The spherical dialog writes the coordinate texts; a new one starts with them too.
        const std::string r = "(" + e.texts[3] + ")";
        e.texts[0] = r + "sin(u)cos(t)";
        e.texts[1] = r + "sin(u)sin(t)";
        e.texts[2] = r + "cos(u)";
    } else if (kind == kKindTube) {
        surf::Shaded(e) = 1;
        surf::Colour1(e) = 6;
        surf::Colour2(e) = 11;
    } else if (kind == kKindPlane) {
        surf::Colour2(e) = nextColour;
    } else if (kind == kKindRevolution) {
        // The axis of turning defaults to the x axis (0x + 1y = 0).
        surf::AxisA(e) = 0.0L;
        surf::AxisB(e) = 1.0L;
        surf::AxisC(e) = 0.0L;
    } else if (kind == kKindSurfaceImplicit) {
        e.values161 = {-2.1L, -2.1L, -2.1L};
        e.values191 = {2.1L, 2.1L, 2.1L};
        surf::AutoBox(e) = 0;
        e.ints111 = {kDefaultLayerIntervals, kDefaultLayerIntervals, kDefaultLayerIntervals};
    }
    // The contour lines z = h of an explicit surface count in its third word.
    if (kind == kKindSurfaceExplicit) e.ints111[2] = kDefaultLayerIntervals;
    e.saved221 = e.values161;
    e.saved251 = e.values191;
    return e;
}

std::uint16_t CheckMeshIntervals(long n1, long n2) {
    if (n1 < 1 || n2 < 1 || n1 > kMaxMeshVertices || n2 > kMaxMeshVertices) return 17;
    if ((n1 + 1) * (n2 + 1) > kMaxMeshVertices) return 17;
    return 0;
}

void ClampSurfaceCounts(TExample& e) {
    if (!IsMeshKind(e.kind)) return;
    int n1 = std::clamp<int>(e.ints111[0], 1, kMaxMeshVertices);
    int n2 = std::clamp<int>(e.ints111[1], 1, kMaxMeshVertices);
    // Too many vertices: shrink the larger count until they fit (twice at most).
    for (int pass = 0; pass < 4 && (n1 + 1) * (n2 + 1) > kMaxMeshVertices; ++pass) {
        if (n1 >= n2) n1 = std::max(1, kMaxMeshVertices / (n2 + 1) - 1);
        else n2 = std::max(1, kMaxMeshVertices / (n1 + 1) - 1);
    }
    e.ints111[0] = static_cast<std::uint16_t>(n1);
    e.ints111[1] = static_cast<std::uint16_t>(n2);
    for (auto& s : e.ints117) s = static_cast<std::uint16_t>(std::clamp<int>(s, kMinSamples, kMaxSamples));
}

}  // namespace curvelo
