// Where segments, lines and points lie: their coordinates from an example's trees, the
// piece of a line that a view shows, and the range fields they leave in their record for
// the analysis tools. Plain functions, no window.
#pragma once

#include "expr/letters.h"
#include "expr/tree.h"
#include "plot2d/example.h"
#include "plotwin/plot_view.h"

namespace curvelo {

struct CurveTrees;

// The real value of a tree under the letters' present values; false when it is undefined
// or not finite.
bool EvalReal(LetterStore& letters, ExprNode* tree, long double& value);

// The end points of a segment example (kind 205); polar input (byte 55) is converted from
// (r, t) pairs. False when any coordinate is undefined.
bool SegmentEndsOf(const TExample& example, const CurveTrees& trees, LetterStore& letters, WorldPoint& a,
                   WorldPoint& b);

// The coefficients of a line example ax + by = c (kind 208); false when one is undefined.
struct LineCoefficients {
    long double a = 0, b = 0, c = 0;
};
bool LineCoefficientsOf(const CurveTrees& trees, LetterStore& letters, LineCoefficients& line);

// Below this a coefficient counts as zero.
inline constexpr long double kLineZero = 1e-18L;

// The piece of the line inside the box (xmin..xmax, ymin..ymax); false when the line does
// not exist (a and b both zero) or misses the box. A line with b zero is the vertical
// x = c/a, otherwise y = (c - ax)/b.
bool LinePieceInBox(const LineCoefficients& line, long double xmin, long double xmax, long double ymin,
                    long double ymax, WorldPoint& p, WorldPoint& q);
// The piece drawn in a view: the view enlarged by one pixel on each side.
bool LinePieceInView(const LineCoefficients& line, const PlotView& view, WorldPoint& p, WorldPoint& q);

// Clips p-q to the box; false when nothing remains.
bool ClipToBox(WorldPoint& p, WorldPoint& q, long double xmin, long double xmax, long double ymin,
               long double ymax);

// The position of a point example (kind 209), polar input converted; false when undefined.
bool PointOf(const TExample& example, const CurveTrees& trees, LetterStore& letters, WorldPoint& p);

// What a drawn segment leaves for the tools: its x extent at offsets 121/141, its y extent
// at 131/151, and byte 60 set when its ends differ in x by more than 1e-18.
void StoreSegmentRange(TExample& example, WorldPoint a, WorldPoint b);
// What a drawn line leaves: the ends of its visible piece, (x1, y1) at 121/131 and
// (x2, y2) at 141/151; byte 55 set when it was drawn, byte 60 when b is not zero.
void StoreLineRange(TExample& example, bool drawn, WorldPoint p, WorldPoint q, const LineCoefficients& line);
// The piece a line example left in its record by StoreLineRange; false when not drawn.
bool StoredLinePiece(const TExample& example, WorldPoint& p, WorldPoint& q);

}  // namespace curvelo
