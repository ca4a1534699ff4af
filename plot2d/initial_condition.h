// One initial condition of a differential-equation example: the 95-byte stored node with its
// fields named at their offsets, and the four formula texts that follow it in a document when
// the condition is kept as text. Bytes whose meaning lies nowhere here survive a load and a
// save unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "plot2d/cv2_document.h"

namespace curvelo {

// Methods of the dy/dx solver.
enum class SlopeMethod : std::uint16_t { kEuler = 0, kModifiedEuler = 1, kRungeKutta = 2 };
// Directions of a system's trajectory.
enum class TraceDirection : std::uint16_t { kForward = 0, kBackward = 1, kBoth = 2 };

inline constexpr std::uint16_t kConditionPlain = 1000;  // no texts follow the node
inline constexpr std::uint16_t kConditionAsText = 1001;
// What the dialogs accept for the step count, also applied to stored nodes.
inline constexpr long double kMaxSlopeSteps = 100000;

struct TInitialCondition {
    enum Offset : std::size_t {
        kOffX0 = 0, kOffY0 = 10, kOffT0 = 20, kOffTextFlag = 30, kOffSteps = 43, kOffMethod = 53,
        kOffDirection = 55, kOffZ0 = 57, kOffStep = 67, kOffColour = 79, kOffWidth = 83, kOffLink = 91,
    };
    // Texts of a condition kept as formulas: x0, y0, and h and N (dy/dx) or t0 and, in
    // space, z0 (systems).
    enum Text { kTextX0 = 0, kTextY0 = 1, kTextStep = 2, kTextT0 = 2, kTextSteps = 3, kTextZ0 = 3 };

    long double x0 = 0, y0 = 0, t0 = 0;
    long double z0 = 0;  // systems in space
    std::uint16_t textFlag = kConditionPlain;
    // The count asked for. It is kept, not replaced by the steps a drawing made, so a
    // solution cut short by a smaller view grows again when the view grows.
    long double steps = 100;
    std::uint16_t methodCode = 2;     // SlopeMethod; other codes read as Runge-Kutta
    std::uint16_t directionCode = 2;  // TraceDirection; other codes read as both
    long double step = 0.1L;  // its sign is the direction of a dy/dx solution
    std::uint16_t colour = 0;
    std::uint16_t width = 1;
    std::array<std::string, 4> texts;
    // Every byte as read, so the ones without a name above are written back as they came.
    std::array<std::uint8_t, kInitialConditionSize> image{};

    bool AsText() const { return textFlag > kConditionPlain; }
    SlopeMethod Method() const { return methodCode <= 2 ? SlopeMethod(methodCode) : SlopeMethod::kRungeKutta; }
    TraceDirection Direction() const {
        return directionCode <= 2 ? TraceDirection(directionCode) : TraceDirection::kBoth;
    }
    // The count of steps a solution may make, within what the dialog allows.
    long long StepLimit() const;

    Cv2InitialCondition Store() const;
    static TInitialCondition Load(const Cv2InitialCondition& stored);
    bool operator==(const TInitialCondition&) const = default;
};

std::vector<TInitialCondition> LoadConditions(const std::vector<Cv2InitialCondition>& stored);
std::vector<Cv2InitialCondition> StoreConditions(const std::vector<TInitialCondition>& conditions);

}  // namespace curvelo
