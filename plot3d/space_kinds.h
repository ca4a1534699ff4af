// The one- and zero-dimensional kinds of the 3D windows: space curves, segments, points in
// three coordinate systems, systems of three differential equations, recursive point
// sequences and point sequences. Their codes, commands, defaults, the record fields they
// give their own meaning, their compile step and their boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "expr/engine.h"
#include "plot2d/example_limits.h"
#include "plot2d/inventory.h"

namespace curvelo {

enum SpaceKind : std::uint16_t {
    kKindSpaceCurve = 304, kKindSpaceSegment = 308, kKindSpacePoint = 309, kKindSpaceSystem = 310,
    kKindSpaceSequence = 312, kKindSpacePointSequence = 318,
};

namespace spacecmd {
inline constexpr int kCurve = 1004, kSegment = 1008, kPointCartesian = 1009, kSystem = 1010, kSequence = 1012,
                     kPointCylindrical = 1013, kPointSpherical = 1014;
inline constexpr int kMeridian = 795, kConditions = 780, kStartPoints = 782;
inline constexpr int kPointSequence = 508, kRunningPoint = 708;
}  // namespace spacecmd

// Coordinate systems of a point (the word at offset 32).
enum class PointCoordinates : std::uint16_t { kCartesian = 0, kCylindrical = 1, kSpherical = 2 };

bool IsSpaceKind(std::uint16_t kind);
// Kinds drawn as a curve of t: the space curve and the segment.
inline bool IsSpaceCurveKind(std::uint16_t kind) { return kind == kKindSpaceCurve || kind == kKindSpaceSegment; }

struct SpaceKindInfo {
    std::uint16_t kind;
    int command;
    const char* dialog;
    std::array<const char*, 7> texts;
    long double low, high;
};
const SpaceKindInfo* FindSpaceKind(std::uint16_t kind);

// The kind a command of the Equation menu makes (0: none) and, for points, their coordinates.
std::uint16_t SpaceKindOfCommand(int command, PointCoordinates& coordinates);

// A new example of the kind with its defaults.
TExample NewSpaceExample(std::uint16_t kind, std::uint16_t penColour, PointCoordinates coordinates);

// Begins a new example of the kind in the next slot; -1 when the inventory is full.
int BeginSpaceExample(ExampleInventory& inventory, std::uint16_t kind, PointCoordinates coordinates);

// Samples of a curve and segment (arrow sizes are those of plane curves).
inline constexpr int kMinCurveSamples = 1, kMaxCurveSamples = 32000, kDefaultCurveSamples = 700;


// Named access to the record fields these kinds use in their own way.
namespace space {
inline int Samples(const TExample& e) { return e.ints117[0]; }
inline bool Dashed(const TExample& e) { return static_cast<std::int16_t>(e.ints117[1]) < 0; }
inline void SetDashed(TExample& e, bool on) { e.ints117[1] = static_cast<std::uint16_t>(on ? -1 : 1); }
inline bool HasArrow(const TExample& e) { return e.arrow != 0; }
inline PointCoordinates Coordinates(const TExample& e) {
    return e.reserved32 <= 2 ? PointCoordinates(e.reserved32) : PointCoordinates::kCartesian;
}
// Points: size, hollow dot, projecting segments and polar arcs with their dashed variants.
inline long double& PointSize(TExample& e) { return e.value291; }
inline std::uint8_t& Hollow(TExample& e) { return e.flag51; }
inline std::uint8_t& Projections(TExample& e) { return e.flag60; }
inline std::uint8_t& ProjectionsDashed(TExample& e) { return e.flag49; }
inline std::uint8_t& Arcs(TExample& e) { return e.periodic; }
inline std::uint8_t& ArcsDashed(TExample& e) { return e.interpolation; }
// Systems: time dependence and the restriction r > 0 (text 3).
inline std::uint8_t& TimeDependent(TExample& e) { return e.flag51; }
inline std::uint8_t& Restricted(TExample& e) { return e.positiveROnly; }
// Sequences: join consecutive terms.
inline std::uint8_t& Connect(TExample& e) { return e.flag60; }
}  // namespace space

// The point of a kind-309 example in Cartesian coordinates; false when undefined or when a
// cylindrical angle exceeds 5e18.
bool PointToCartesian(PointCoordinates system, const long double in[3], long double out[3]);

// Compile step of every 3D kind: these kinds here, the surfaces by CompileSurface.
std::uint16_t CompileSpaceExample(InventorySlot& slot, FormulaEngine& engine);

// The point of a curve or segment at t; false where undefined. Sets the letter T.
bool EvalCurvePoint(InventorySlot& slot, LetterStore& letters, long double t, long double out[3]);
// The point example's position; false where undefined.
bool EvalSpacePoint(InventorySlot& slot, LetterStore& letters, long double out[3]);

// Recomputes the box of an example of these kinds when its box is automatic; false for
// other kinds. The letters are as before afterwards.
bool ComputeSpaceBox(InventorySlot& slot, FormulaEngine& engine);

// The texts of the meridian of the sphere of the given radius at the given longitude (both
// formula texts): a space curve over t from 0 to pi, t measured from the positive z axis.
std::array<std::string, 3> MeridianTexts(const std::string& radius, const std::string& longitude);

}  // namespace curvelo
