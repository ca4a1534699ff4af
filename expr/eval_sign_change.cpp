// Bisection for a sign change of a tree in one letter.
#include <cmath>

#include "expr/eval.h"

namespace curvelo {

namespace {

// The side of a value: positive or not.
bool Positive(long double v) { return v > 0; }

}  // namespace

std::uint16_t FindSignChange(LetterStore& s, ExprNode* tree, int k, long double a, long double b,
                             long double& root) {
    root = a;
    if (k < 0 || k >= kLetterCount) return kEvalUndefined;
    const ExtComplex saved = s.LetterValues[k];
    auto finish = [&](std::uint16_t code) {
        s.LetterValues[k] = saved;
        return code;
    };
    long double fa = 0.0L, fb = 0.0L;
    if (!EvalAt(s, tree, k, a, fa) || !std::isfinite(fa)) return finish(kEvalUndefined);
    if (!EvalAt(s, tree, k, b, fb) || !std::isfinite(fb)) return finish(kEvalUndefined);
    // An end that is itself a root is accepted whatever the other end does.
    if (std::fabs(fa) <= kTiny) {
        root = a;
        return finish(0);
    }
    if (std::fabs(fb) <= kTiny) {
        root = b;
        return finish(0);
    }
    if (Positive(fa) == Positive(fb)) return finish(kEvalNoSignChange);
    long double lo = a, hi = b;
    long double mid = (lo + hi) / 2.0L;
    for (int halvings = 0; halvings < 101; ) {
        mid = (lo + hi) / 2.0L;
        long double fm = 0.0L;
        if (!EvalAt(s, tree, k, mid, fm)) return finish(kEvalUndefined);
        if (Positive(fm) == Positive(fa)) {
            lo = mid;
            fa = fm;
        } else {
            hi = mid;
        }
        ++halvings;
        if (std::fabs(hi - lo) < s.BisectTolerance) break;
    }
    root = mid;
    return finish(0);
}

}  // namespace curvelo
