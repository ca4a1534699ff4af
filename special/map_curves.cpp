#include "special/map_curves.h"

#include <cmath>
#include <limits>

#include "expr/eval.h"
#include "plot2d/example_kinds.h"

namespace curvelo {

bool IsMappedCurve(const TExample& e) {
    return e.visible && (e.kind == kKindExplicit || e.kind == kKindParametric);
}

std::vector<WorldPoint> SampleCurve(LetterStore& letters, const InventorySlot& slot) {
    const TExample& e = slot.example;
    std::vector<WorldPoint> points;
    if (!IsMappedCurve(e) || !std::isfinite(e.low) || !std::isfinite(e.high)) return points;
    constexpr long double kBreak = std::numeric_limits<long double>::quiet_NaN();
    points.reserve(kCurveSamples + 1);
    for (int i = 0; i <= kCurveSamples; ++i) {
        const long double s = e.low + (e.high - e.low) * i / kCurveSamples;
        WorldPoint p{kBreak, kBreak};
        if (e.kind == kKindExplicit) {
            long double y = 0;
            if (EvalAt(letters, slot.trees[1], kLetterX, s, y)) p = {s, y};
        } else {
            long double x = 0, y = 0;
            if (EvalAt(letters, slot.trees[0], kLetterT, s, x) && EvalAt(letters, slot.trees[1], kLetterT, s, y))
                p = {x, y};
        }
        points.push_back(p);
    }
    return points;
}

}  // namespace curvelo
