// Drawing of the Equation menu's objects besides curves: segments, lines, points, recursive
// sequences, rolling circles, points on a curve, point sequences and the nodes of an
// interpolation polynomial. Families repeat the drawing for each value of their letter.
#pragma once

#include <vector>

#include "plot2d/curve_sampler.h"
#include "plot2d/cv2_document.h"
#include "plot2d/start_points.h"

namespace curvelo {

// Size of a point when the example has no size of its own.
inline constexpr long double kDefaultPointSize = 3;

class ObjectDrawer {
public:
    ObjectDrawer(LetterStore& letters, DrawSurface& surface) : letters_(letters), surface_(surface) {}

    bool silent = false;  // no keyboard polling
    long double periodTolerance = kDefaultPeriodTolerance;
    SamplerHooks hooks;

    // Whether the example is one this drawer draws (an interpolation polynomial: its nodes).
    static bool Draws(const TExample& example);

    // Draws a visible example of those kinds; a sequence takes its start points (whose
    // counts may be updated). Returns the last polled key (kKeyStopDrawing: stopped).
    int Draw(TExample& example, const CurveTrees& trees, std::vector<Cv2InitialCondition>* startPoints = nullptr);

    // Per start point, what the last sequence drawn gave.
    const std::vector<SequenceRun>& SequenceRuns() const { return runs_; }

private:
    int DrawOnce(TExample& example, const CurveTrees& trees, std::vector<Cv2InitialCondition>* startPoints);
    void DrawSegment(TExample& example, const CurveTrees& trees);
    void DrawLine(TExample& example, const CurveTrees& trees);
    int DrawSequence(const CurveTrees& trees, std::vector<Cv2InitialCondition>& startPoints, bool connect,
                     bool stopAtBorder);
    int DrawRollingCircle(const TExample& example, const CurveTrees& trees);
    void DrawPointsOnCurve(const TExample& example, const CurveTrees& trees);
    void DrawNumberPairs(const std::string& text, long double size);
    // A segment clipped to the view, as far as anything of it is seen.
    void ClippedSegment(WorldPoint a, WorldPoint b);
    int Poll();

    LetterStore& letters_;
    DrawSurface& surface_;
    std::vector<SequenceRun> runs_;
};

}  // namespace curvelo
