// The surface kinds of the 3D windows: codes, the command and dialog that make each, their
// default texts, ranges and mesh, and the record fields a surface gives its own meaning.
#pragma once

#include <array>
#include <cstdint>

#include "plot2d/example.h"

namespace curvelo {

enum SurfaceKind : std::uint16_t {
    kKindSurfaceExplicit = 301, kKindCylindrical = 302, kKindSurfaceParametric = 303,
    kKindSurfaceImplicit = 305, kKindTube = 306, kKindRevolution = 307, kKindPlane = 315,
    kKindSpherical = 316,
};

// The kinds with a mesh (the implicit surface has none).
bool IsMeshKind(std::uint16_t kind);
// The kinds that take part in hiding: the mesh kinds and the implicit surface.
bool IsHidingKind(std::uint16_t kind);
// Kinds whose hiding goes through the mesh quadrilaterals (needs parametric shading).
bool IsParametricMeshKind(std::uint16_t kind);

struct SurfaceKindInfo {
    std::uint16_t kind;
    int command;  // 3D Equation menu command (0: made from a 2D curve)
    const char* dialog;
    std::array<const char*, TExample::kTexts> texts;
    long double low, high, low2, high2;
    int n1, n2;
};

const SurfaceKindInfo* FindSurfaceKind(std::uint16_t kind);
const SurfaceKindInfo* FindSurfaceKindByCommand(int command);

// A new surface with its kind's defaults. nextColour is the default colour the next example
// would get (the plane's second side).
TExample NewSurfaceExample(std::uint16_t kind, std::uint16_t penColour, std::uint16_t nextColour);

// Mesh limits: intervals 1..3000 with (n1 + 1)(n2 + 1) vertices at most kMaxMeshVertices;
// samples per mesh line 2..32000.
inline constexpr int kMaxMeshVertices = 3000;
inline constexpr int kMinSamples = 2, kMaxSamples = 32000;
// 0, or 17 (message 417) when the intervals give too many vertices.
std::uint16_t CheckMeshIntervals(long n1, long n2);
// Brings the counts of a stored surface into what its dialog allows, so a hostile document
// cannot ask for more work than a user could.
void ClampSurfaceCounts(TExample& e);

// Named access to the record fields a surface uses in its own way.
namespace surf {
inline std::uint16_t& Colour1(TExample& e) { return e.colourCopy; }
inline std::uint16_t Colour1(const TExample& e) { return e.colourCopy; }
inline std::uint16_t& Colour2(TExample& e) { return e.reserved22; }
inline std::uint16_t Colour2(const TExample& e) { return e.reserved22; }
inline std::uint16_t& MeshColour(TExample& e) { return e.kindCount; }
inline std::uint16_t MeshColour(const TExample& e) { return e.kindCount; }
inline std::uint8_t& Shaded(TExample& e) { return e.flag51; }
inline bool Shaded(const TExample& e) { return e.flag51 != 0; }
inline std::uint8_t& KeepAtWalls(TExample& e) { return e.flags52[0]; }
inline bool KeepAtWalls(const TExample& e) { return e.flags52[0] != 0; }
inline std::uint8_t& AutoBox(TExample& e) { return e.flags52[2]; }
inline bool AutoBox(const TExample& e) { return e.flags52[2] != 0; }
inline std::uint8_t& Slow(TExample& e) { return e.arrow; }
inline bool Slow(const TExample& e) { return e.arrow != 0; }
inline std::uint8_t& Spectrum(TExample& e) { return e.interpolation; }
inline bool Spectrum(const TExample& e) { return e.interpolation != 0; }
inline std::uint8_t& MeshLines(TExample& e) { return e.flag60; }
inline bool MeshLines(const TExample& e) { return e.flag60 != 0; }
inline int N1(const TExample& e) { return e.ints111[0]; }
inline int N2(const TExample& e) { return e.ints111[1]; }
inline int Samples1(const TExample& e) { return e.ints117[0]; }
inline int Samples2(const TExample& e) { return e.ints117[1]; }
// The axis line a x + b y = c of a surface of revolution (edits 234, 235, 236).
inline long double& AxisA(TExample& e) { return e.value281; }
inline long double& AxisB(TExample& e) { return e.value291; }
inline long double& AxisC(TExample& e) { return e.value301; }
}  // namespace surf

}  // namespace curvelo
