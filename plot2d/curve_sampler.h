// Drawing of explicit, polar and parametric curves: the compiled trees are sampled at
// equally spaced parameter values and consecutive valid samples are joined, with the pen
// lifted where a value is undefined or a function reports a jump.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/eval_program.h"
#include "expr/letters.h"
#include "expr/tree.h"
#include "plot2d/example.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// Key code that stops a slow drawing.
inline constexpr int kKeyStopDrawing = 81;  // 'Q'

// The trees of one example, indexed as the record numbers them (0..6); not owned.
struct CurveTrees {
    ExprNode* tree[TExample::kTexts] = {};
};

// The line style of an example's pen style (0 solid, 1 dotted, 2 dashed, ...).
LineStyle StyleOf(std::uint16_t style);

// Parameter range and step count of one pass.
struct SamplingRange {
    bool empty = false;
    long double lo = 0, hi = 0;
    std::int64_t steps = 0;  // N: samples 0..N
};

// Bounds and step count for an example in a view of width W; transformed windows do not
// clip fixed explicit intervals to the view.
SamplingRange ComputeSamplingRange(const TExample& example, const PlotView& view,
                                   bool transformActive = false);

// A view change writes the view's x range into every explicit example whose interval is
// not fixed.
void FollowViewRange(TExample& example, const PlotView& view);

// Applied to each sample when a window maps its coordinates; false makes it invalid.
using PointTransform = std::function<bool(WorldPoint&)>;

struct SamplerHooks {
    // Polls the keyboard; returns the last key code (0: none).
    std::function<int()> pollKey;
    // An observed family: the off-screen picture goes to the screen, then a pause that
    // polls the keyboard; returns the last key (kKeyStopDrawing stops the family).
    std::function<int(int delayMs)> showPassAndWait;
    PointTransform transform;
};

// The line style of a stored pen style (0 solid, 1 dotted, 2 dashed, ...).
LineStyle LineStyleOf(std::uint16_t style);

// Runs pass() once, or, for an example with an active family, once per member with the
// family's letter set to the member's value; an observed family (negative steps) shows
// each member and waits between them. The letter gets its value back afterwards. Returns
// the last key; kKeyStopDrawing ends the members early.
int ForEachFamilyMember(const TExample& example, LetterStore& letters, const SamplerHooks& hooks,
                        const std::function<int()>& pass);

class CurveSampler {
public:
    CurveSampler(LetterStore& letters, DrawSurface& surface) : letters_(letters), surface_(surface) {}

    bool dotsMode = false;   // each valid sample as a dot instead of segments
    bool silent = false;     // no keyboard polling
    int dotRadius = 1;
    int curveWidth = 1;      // the window's curve width, for examples derived by tools
    bool batched = true;     // the grid evaluated ahead in batches (off: sample by sample)
    SamplerHooks hooks;

    // Draws kinds 201, 202 and 203 (others and hidden examples draw nothing). Returns the
    // last polled key; kKeyStopDrawing when the user stopped the drawing.
    int Draw(TExample& example, const CurveTrees& trees);

    std::uint64_t Evaluations() const { return evaluations_; }
    void ResetEvaluations() { evaluations_ = 0; }

private:
    // A sample is drawn, undefined (outside the curve's domain), or broken by a jump.
    enum class SampleState { kValid, kUndefined, kBroken };

    int DrawPass(const TExample& example, const SamplingRange& range);
    // Evaluates text number `text` of the example being drawn.
    bool Evaluate(int text, long double& value);
    SampleState Sample(const TExample& example, long double t, WorldPoint& p);
    // Sample with `evaluate(text, value)` in place of the evaluation of a tree.
    template <typename Evaluator>
    SampleState SampleWith(const TExample& example, long double t, WorldPoint& p, Evaluator&& evaluate);
    // Sample() for sample i of a pass over `range`, at parameter t: the grid's samples are
    // evaluated ahead in batches, with the same outcome bit for bit.
    SampleState GridSample(const TExample& example, const SamplingRange& range, std::int64_t i, long double t,
                           WorldPoint& p);
    // Evaluates the samples from i on as batches; false when a tree has no flat code.
    bool FillGrid(const TExample& example, const SamplingRange& range, std::int64_t i, long double t);
    // Between a valid sample at `inside` and an undefined one at `outside`, the last point
    // of the curve before its domain ends, found by bisection; false when none lies closer
    // to the edge than the sample itself.
    bool FindEdge(const TExample& example, long double inside, long double outside, long double& tEdge,
                  WorldPoint& edge);
    // Adds a valid point to the pass: joined to the previous one unless the pen is up or,
    // with `checkBreak`, a pole or jump lies between them.
    void AddPoint(const TExample& example, long double t, const WorldPoint& p, bool checkBreak);
    // True when the curve does not run continuously from sample a (at ta) to b (at tb):
    // a pole, a jump or an undefined stretch lies between them. Only for segments that
    // MayBreak.
    bool BreaksBetween(const TExample& example, long double ta, const WorldPoint& a, long double tb,
                       const WorldPoint& b);
    // The cheap first test of BreaksBetween: only a segment longer than breakGap_ pixels
    // can break.
    bool MayBreak(const WorldPoint& a, const WorldPoint& b) const;
    void DrawArrow(TExample& example);
    void LiftPen();
    void Join(const WorldPoint& from, bool fromInView, const WorldPoint& to, bool toInView);

    LetterStore& letters_;
    DrawSurface& surface_;
    int sampledLetter_ = kLetterX;
    bool inPolyline_ = false;
    WorldPoint polylineEnd_;
    // The pass's last valid point while the pen is down.
    bool penDown_ = false;
    WorldPoint previous_;
    bool previousInView_ = false;
    long double previousT_ = 0;
    bool exporting_ = false;  // the surface records an export rather than a picture
    // Pixels beyond which a segment is looked at for a pole; 0: the example joins every
    // jump.
    long double breakGap_ = 0;
    std::uint64_t evaluations_ = 0;
    EvalProgram programs_[TExample::kTexts];

    // Samples of the grid evaluated ahead, indexed by text (0..2) as Sample evaluates them.
    static constexpr int kGridChunk = 256;
    struct Grid {
        std::int64_t first = 0;
        int count = 0;
        long double t[kGridChunk];
        long double value[3][kGridChunk];
        std::uint8_t defined[3][kGridChunk];
        std::uint8_t jump[3][kGridChunk];
    };
    Grid grid_;
};

}  // namespace curvelo
