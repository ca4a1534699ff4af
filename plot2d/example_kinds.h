// The example kinds of the 2D windows: codes, the command and dialog that make each, the
// string id of its name, its default formula texts and its default range.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "plot2d/example.h"

namespace curvelo {

enum ExampleKind : std::uint16_t {
    kKindExplicit = 201, kKindPolar = 202, kKindParametric = 203, kKindImplicit = 204,
    kKindSegment = 205, kKindIndefiniteIntegral = 206, kKindRollingCircle = 207,
    kKindLine = 208, kKindPoint = 209, kKindSystem = 210, kKindSlope = 211,
    kKindSequence = 212, kKindInterpolation = 213, kKindPointOnCurve = 215,
    kKindPointSequence = 218, kKindOrbital = 219,
};

enum class DefaultRange { View, ZeroToTwoPi, ZeroToOne, None };

struct ExampleKindInfo {
    std::uint16_t kind;
    int command;                  // menu command that creates it (0: made by a tool)
    int secondCommand;            // the (r,t) variant of segments and points, else 0
    const char* dialog;           // dialog resource that edits it
    int nameId;                   // string id of the kind name (0: none)
    std::array<const char*, 5> defaultTexts;
    DefaultRange range;
};

// Every 2D kind, in kind order.
const std::array<ExampleKindInfo, 16>& ExampleKinds2D();
const ExampleKindInfo* FindExampleKind(std::uint16_t kind);
const ExampleKindInfo* FindExampleKindByCommand(int command);

// The range a new example of the kind starts with; viewLow/viewHigh is the view's x range.
void DefaultRangeOf(std::uint16_t kind, long double viewLow, long double viewHigh,
                    long double& start, long double& end);

// The work buffers a kind caches points in (element counts; 0 = none): the arrays at
// offsets 495 and 499 as rows x columns, the buffers at 503 and 507 in bytes.
struct ExampleWorkBuffers {
    int rows495 = 0, cols495 = 0;
    int rows499 = 0, cols499 = 0;
    int bytes503 = 0;
    int bytes507 = 0;
    bool Any() const { return rows495 || rows499 || bytes503 || bytes507; }
};
ExampleWorkBuffers WorkBuffersOf(std::uint16_t kind);

// The numbers of a point-on-curve example's text 3: up to 128 runs of digits with at most
// one point and a minus sign only in front; anything else separates them.
inline constexpr int kMaxPointOnCurveNumbers = 128;
int ParsePointOnCurveNumbers(std::string_view text, long double out[kMaxPointOnCurveNumbers]);

// The curve a point-on-curve example copied: its kind (201, 202 or 203) is kept in the
// kind-specific count; anything else reads as explicit.
std::uint16_t PointOnCurveShape(const TExample& example);

constexpr long double kTwoPi = 6.283185307179586L;

}  // namespace curvelo
