// Where a space curve pierces a surface: the surface's implicit form S(x, y, z) with the
// curve's coordinates put in for x, y and z gives F(t), whose roots are searched over 101
// subintervals of the curve's range, one root per call, wrapping at the end.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/letters.h"
#include "expr/tree.h"
#include "plot2d/root_scan.h"

namespace curvelo {

struct PiercingPoint {
    long double t = 0, x = 0, y = 0, z = 0;
    // Angle between the curve's tangent and the surface's tangent plane (radians, 0 ... pi/2);
    // negative when either direction is undefined there.
    long double angle = -1;
};

// The box a piercing point must lie strictly inside.
struct PiercingBox {
    long double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    bool StrictlyInside(long double x, long double y, long double z) const;
};

// S of a surface as a new tree: Z - f(X, Y) from the explicit surface's z tree, or a copy of
// the implicit surface's difference f - g. Null for a missing tree.
ExprNode* ExplicitSurfaceFunction(const ExprNode* zTree);
ExprNode* ImplicitSurfaceFunction(const ExprNode* difference);

class PiercingSearch {
public:
    PiercingSearch() = default;
    ~PiercingSearch();
    PiercingSearch(const PiercingSearch&) = delete;
    PiercingSearch& operator=(const PiercingSearch&) = delete;

    // Builds F(t) from S (its X, Y, Z replaced by the curve's trees in T); copies are kept.
    // The search starts again at the first subinterval. False when a tree is missing or the
    // range is empty; the search then finds nothing.
    bool Set(const ExprNode* surface, const ExprNode* x, const ExprNode* y, const ExprNode* z, long double tLow,
             long double tHigh, const PiercingBox& box);
    // The next root of F from the subinterval where the last search stopped, counted only
    // strictly inside the box. T, X, Y and Z keep their values.
    ScanOutcome Next(LetterStore& letters, PiercingPoint& point, const std::function<int()>& pollKey = {});

    int Cursor() const { return scan_.Cursor(); }
    void SetCursor(int k) { scan_.SetCursor(k); }
    const ExprNode* Function() const { return f_; }

private:
    void Clear();
    bool CurvePoint(LetterStore& letters, long double t, long double p[3]) const;
    long double AngleAt(LetterStore& letters, long double t, const long double p[3]) const;

    ExprNode* f_ = nullptr;
    ExprNode* s_ = nullptr;
    ExprNode* c_[3] = {nullptr, nullptr, nullptr};
    PiercingBox box_;
    RootScan scan_;
};

}  // namespace curvelo
