#include "plot3d/cv3_document.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plotwin/frame_settings.h"

namespace curvelo {
namespace {

// The 3D places of the view in the plot blocks.
enum Word3D { kPlaneSetting = 10, kVisibilitySteps = 18, kRotationFrames = 19, kCellPenScreen = 26,
              kCellPenPaper = 27 };
enum Switch3D { kCellShown = 2, kAxisFixed = 7, kCellCoordinates = 13, kCellDashed = 18 };
enum Slot3D { kEye = 11, kAxisMin = 14, kAxisMax = 17, kRotationStep = 24, kRotationDelay = 39 };

// Where the 2D frame settings that share those places go in a 3D document, as pairs
// (shared place, place aside). The tick spacing and axis origin (slots 11-14) are not kept:
// a 3D window draws no ticks.
struct Aside {
    std::size_t shared, aside;
};
constexpr Aside kSlotsAside[] = {{15, 64}, {16, 65}, {39, 66}};
constexpr Aside kWordsAside[] = {{27, 70}, {10, 71}, {19, 72}};
constexpr std::size_t kMinusCharShared = 26, kMinusCharAside = 67;
constexpr std::size_t kLabelsHiddenShared = 2, kLabelsHiddenAside = 29;
constexpr std::size_t kTickSlots[] = {11, 12, 13, 14};

constexpr std::int32_t kMaxRotationDelayMs = 60000;

std::uint16_t Word(int v) { return static_cast<std::uint16_t>(v); }
std::int16_t Signed(std::uint16_t w) { return static_cast<std::int16_t>(w); }

bool FiniteVec(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

Vec3 VecAt(const Cv2Document& doc, std::size_t slot) {
    return {doc.numbers[slot], doc.numbers[slot + 1], doc.numbers[slot + 2]};
}
void PutVec(Cv2Document& doc, std::size_t slot, const Vec3& v) {
    doc.numbers[slot] = v.x;
    doc.numbers[slot + 1] = v.y;
    doc.numbers[slot + 2] = v.z;
}

}  // namespace

void CaptureView3D(const View3D& v, Cv2Document& doc) {
    for (const Aside& a : kSlotsAside) doc.numbers[a.aside] = doc.numbers[a.shared];
    for (const Aside& a : kWordsAside) doc.plotWords[a.aside] = doc.plotWords[a.shared];
    doc.numbers[kMinusCharAside] = doc.plotWords[kMinusCharShared];
    doc.numbers[kLabelsHiddenAside] = doc.switches[kLabelsHiddenShared];

    auto& w = doc.plotWords;
    w[kPlaneSetting] = Word(v.planeSetting);
    w[kVisibilitySteps] = Word(v.visibilitySteps);
    w[kRotationFrames] = Word(v.rotationFrames);
    w[kCellPenScreen] = Word(v.cellPenScreen);
    w[kCellPenPaper] = Word(v.cellPenPaper);
    auto& s = doc.switches;
    s[kCellShown] = v.cellShown ? 1 : 0;
    s[kAxisFixed] = v.axisLengthsFixed ? 1 : 0;
    s[kCellCoordinates] = v.cellCoordinatesShown ? 1 : 0;
    s[kCellDashed] = v.cellDashed ? 1 : 0;
    PutVec(doc, kEye, v.eye);
    PutVec(doc, kAxisMin, v.axisMin);
    PutVec(doc, kAxisMax, v.axisMax);
    doc.numbers[kRotationStep] = v.rotationStep;
    doc.numbers[kRotationDelay] = v.rotationDelayMs;
}

void ApplyView3D(const Cv2Document& doc, View3D& v) {
    const auto& w = doc.plotWords;
    v.planeSetting = Signed(w[kPlaneSetting]);
    const int steps = Signed(w[kVisibilitySteps]);
    if (steps >= 1 && steps <= kMaxVisibilitySteps) v.visibilitySteps = static_cast<std::int16_t>(steps);
    v.SetRotationFrames(Signed(w[kRotationFrames]));
    v.cellPenScreen = static_cast<std::int16_t>(std::clamp<int>(Signed(w[kCellPenScreen]), 0, kMaxFrameWidth));
    v.cellPenPaper = static_cast<std::int16_t>(std::clamp<int>(Signed(w[kCellPenPaper]), 1, kMaxFrameWidth));
    const auto& s = doc.switches;
    v.cellShown = s[kCellShown] != 0;
    v.cellCoordinatesShown = s[kCellCoordinates] != 0;
    v.cellDashed = s[kCellDashed] != 0;

    const Vec3 eye = VecAt(doc, kEye);
    if (FiniteVec(eye) && eye.L1() <= kMaxCoordinate) v.eye = eye;
    const Vec3 lo = VecAt(doc, kAxisMin), hi = VecAt(doc, kAxisMax);
    // A box the axis lengths dialog would refuse is not taken.
    v.axisLengthsFixed = false;
    v.SetAxisBox(lo, hi, s[kAxisFixed] != 0);
    v.SetRotationStep(doc.numbers[kRotationStep]);
    const long double delay = doc.numbers[kRotationDelay];
    if (std::isfinite(delay) && delay >= 0 && delay <= kMaxRotationDelayMs)
        v.rotationDelayMs = static_cast<std::int32_t>(std::lround(delay));
    v.EyeChanged();
}

Cv2Document FrameSettingsOf3D(const Cv2Document& doc) {
    Cv2Document frame = doc;
    for (const Aside& a : kSlotsAside) frame.numbers[a.shared] = doc.numbers[a.aside];
    for (const Aside& a : kWordsAside) frame.plotWords[a.shared] = doc.plotWords[a.aside];
    const long double minus = doc.numbers[kMinusCharAside];
    frame.plotWords[kMinusCharShared] = std::isfinite(minus) && minus >= 0 && minus <= 65535
                                            ? static_cast<std::uint16_t>(std::lround(minus))
                                            : 0;
    frame.switches[kLabelsHiddenShared] = doc.numbers[kLabelsHiddenAside] != 0 ? 1 : 0;
    // Not a number: the reader keeps the window's own tick spacing and origin.
    for (std::size_t slot : kTickSlots) frame.numbers[slot] = std::numeric_limits<long double>::quiet_NaN();
    return frame;
}

}  // namespace curvelo
