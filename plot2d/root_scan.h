// The scan behind the zero, extremum and intersection tools: one bracketing root finder and
// a cursor that walks 101 equal subintervals of an interval, one hit per call, wrapping at
// the end.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/letters.h"
#include "expr/tree.h"

namespace curvelo {

inline constexpr int kScanSubintervals = 101;
inline constexpr long double kScanWidthFactor = 0.009900990099009901L;  // 1 / 101
inline constexpr long double kRootTiny = 1e-18L;
inline constexpr int kMaxHalvings = 100;
// More end-point roots without a sign change than this in one round: "túl sok".
inline constexpr int kMaxSuspicious = 10;

// Codes of the root finder: 0 a root, 1 an undefined value, 104 no sign change, -1 an end
// point is a root but the sign does not change across the interval.
inline constexpr int kRootFound = 0, kRootUndefined = 1, kRootNoSignChange = 104, kRootAtEndOnly = -1;

// F at letter v = t, when it is a finite number; letter v keeps its value.
bool EvalInLetter(LetterStore& letters, ExprNode* f, int v, long double t, long double& value);

// Bisection of F (in letter v) on [a, b] down to `tolerance` or 100 halvings; letter v is
// restored. root is meaningful when the code is 0 (or -1: the end point that vanished).
int BracketRoot(LetterStore& letters, ExprNode* f, int v, long double a, long double b, long double tolerance,
                long double& root);

// What one scan looks for: roots of f in letter `letter`. A sign-change root counts only
// when |f| there is below poleLimit (a sign change through a pole is not a root). Where f
// keeps its sign, a root of df (when given) counts when |f| there is below the scan's
// tolerance: a root where the graph only touches. `accept` may refuse a root further.
struct ScanTarget {
    ExprNode* f = nullptr;
    ExprNode* df = nullptr;
    int letter = kLetterX;
    long double poleLimit = 0;
    std::function<bool(long double t)> accept;
};

enum class ScanOutcome { kFound, kNotFound, kTooMany, kStopped };

// Messages (400 + code) the dialogs show for the outcomes without a hit.
inline constexpr int kMsgNotFound = 2;      // "nem találom"
inline constexpr int kMsgTooManyRoots = 116;  // "túl sok"

class RootScan {
public:
    RootScan() = default;
    RootScan(long double lo, long double hi) { SetInterval(lo, hi); }
    // A new interval starts the scan again from its left end.
    void SetInterval(long double lo, long double hi);
    long double Low() const { return lo_; }
    long double High() const { return hi_; }
    long double Tolerance() const { return (hi_ - lo_) * kRootTiny; }
    int Cursor() const { return cursor_; }
    // Continues from subinterval k (kept within 0 ... 100).
    void SetCursor(int k) { cursor_ = k >= 0 && k < kScanSubintervals ? k : 0; }

    // From the cursor on, at most maxTries (and one full round of) subintervals until a root
    // counts. The cursor moves past every subinterval examined. pollKey (optional) returns
    // 'Q' to stop.
    ScanOutcome Next(LetterStore& letters, const ScanTarget& target, long double& root,
                     const std::function<int()>& pollKey = {}, int maxTries = kScanSubintervals);
    // Subintervals examined by the last Next, and how many of them were suspicious.
    int LastTries() const { return lastTries_; }
    int LastSuspicious() const { return lastSuspicious_; }

private:
    bool Accepts(LetterStore& letters, const ScanTarget& target, long double a, long double b, long double& root,
                 int& suspicious) const;
    long double lo_ = 0, hi_ = 1;
    int cursor_ = 0;
    int lastTries_ = 0, lastSuspicious_ = 0;
};

// "nem találom" or "túl sok" for an outcome without a hit (0 for a hit or a stop).
int ScanMessage(ScanOutcome outcome);

}  // namespace curvelo
