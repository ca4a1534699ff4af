#include "plot2d/root_scan.h"

#include <cmath>

#include "expr/eval.h"
#include "framework/kit_services.h"

namespace curvelo {
bool EvalInLetter(LetterStore& letters, ExprNode* f, int v, long double t, long double& value) {
    if (!f || v < 0 || v >= kLetterCount) return false;
    const ExtComplex saved = letters.LetterValues[v];
    const bool ok = EvalAt(letters, f, v, t, value) && std::isfinite(value);
    letters.LetterValues[v] = saved;
    return ok;
}

int BracketRoot(LetterStore& letters, ExprNode* f, int v, long double a, long double b, long double tolerance,
                long double& root) {
    root = a;
    if (v < 0 || v >= kLetterCount) return kRootUndefined;
    const ExtComplex saved = letters.LetterValues[v];
    auto finish = [&](int code) {
        letters.LetterValues[v] = saved;
        return code;
    };
    long double fa = 0, fb = 0;
    if (!EvalInLetter(letters, f, v, a, fa)) return finish(kRootUndefined);
    bool found = false;
    if (std::fabs(fa) < kRootTiny) {
        root = a;
        found = true;
    }
    const bool sa = fa > 0;
    if (!EvalInLetter(letters, f, v, b, fb)) return finish(kRootUndefined);
    if (!found && std::fabs(fb) < kRootTiny) {
        root = b;
        found = true;
    }
    if ((fb > 0) == sa) return finish(found ? kRootAtEndOnly : kRootNoSignChange);
    for (int halvings = 0; !found; ++halvings) {
        const long double m = (a + b) * 0.5L;
        long double fm = 0;
        if (!EvalInLetter(letters, f, v, m, fm)) return finish(kRootUndefined);
        if ((fm > 0) == sa) a = m;
        else b = m;
        if (b - a < tolerance || halvings + 1 >= kMaxHalvings) {
            root = m;
            found = true;
        }
    }
    return finish(kRootFound);
}

void RootScan::SetInterval(long double lo, long double hi) {
    lo_ = lo;
    hi_ = hi;
    cursor_ = 0;
}

bool RootScan::Accepts(LetterStore& letters, const ScanTarget& target, long double a, long double b,
                       long double& root, int& suspicious) const {
    const long double tolerance = Tolerance();
    const int code = BracketRoot(letters, target.f, target.letter, a, b, tolerance, root);
    long double value = 0;
    auto valueAt = [&](long double t) { return EvalInLetter(letters, target.f, target.letter, t, value); };
    bool hit = false;
    if (code < 0) {
        ++suspicious;
    } else if (code == kRootFound) {
        hit = valueAt(root) && std::fabs(value) < target.poleLimit;
    } else if (target.df) {
        hit = BracketRoot(letters, target.df, target.letter, a, b, tolerance, root) == kRootFound && valueAt(root) &&
              std::fabs(value) < tolerance;
    }
    return hit && (!target.accept || target.accept(root));
}

ScanOutcome RootScan::Next(LetterStore& letters, const ScanTarget& target, long double& root,
                           const std::function<int()>& pollKey, int maxTries) {
    lastTries_ = lastSuspicious_ = 0;
    const long double w = (hi_ - lo_) * kScanWidthFactor;
    if (target.letter < 0 || target.letter >= kLetterCount || !target.f || !(hi_ > lo_) || !std::isfinite(w))
        return ScanOutcome::kNotFound;
    const int limit = maxTries < kScanSubintervals ? maxTries : kScanSubintervals;
    while (lastTries_ < limit) {
        if (pollKey && pollKey() == kKeyQuit) return ScanOutcome::kStopped;
        const long double a = lo_ + cursor_ * w;
        const long double b = a + w;
        cursor_ = cursor_ + 1 < kScanSubintervals ? cursor_ + 1 : 0;
        ++lastTries_;
        if (Accepts(letters, target, a, b, root, lastSuspicious_)) return ScanOutcome::kFound;
    }
    return lastSuspicious_ > kMaxSuspicious ? ScanOutcome::kTooMany : ScanOutcome::kNotFound;
}

int ScanMessage(ScanOutcome outcome) {
    switch (outcome) {
    case ScanOutcome::kNotFound: return kMsgNotFound;
    case ScanOutcome::kTooMany: return kMsgTooManyRoots;
    default: return 0;
    }
}

}  // namespace curvelo
