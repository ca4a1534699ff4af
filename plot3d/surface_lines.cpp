#include "plot3d/surface_lines.h"

#include <algorithm>

#include "expr/letters.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {
namespace {

LineStyle StyleOf(std::uint16_t penStyle) {
    return penStyle == 1 ? LineStyle::kDotted : penStyle == 2 ? LineStyle::kDashed : LineStyle::kSolid;
}

// Joins consecutive shown points into polylines.
class RunWriter {
public:
    explicit RunWriter(DrawSurface& out) : out_(out) {}
    ~RunWriter() { Break(); }
    void Point(double u, double v) {
        if (!open_) {
            out_.BeginPolyline();
            open_ = true;
        }
        out_.PolylineTo({u, v});
    }
    void Break() {
        if (open_) out_.EndPolyline();
        open_ = false;
    }

private:
    DrawSurface& out_;
    bool open_ = false;
};

int DrawLines(LineDrawContext& c, InventorySlot& slot, int direction) {
    const TExample& e = slot.example;
    const PlotView& view = c.out.View();
    const int lines = direction == 1 ? surf::N2(e) : surf::N1(e);
    const int samples = std::clamp(direction == 1 ? surf::Samples1(e) : surf::Samples2(e), kMinSamples, kMaxSamples);
    const long double lineLow = direction == 1 ? e.low2 : e.low, lineHigh = direction == 1 ? e.high2 : e.high;
    const long double runLow = direction == 1 ? e.low : e.low2, runHigh = direction == 1 ? e.high : e.high2;
    for (int k = 0; k <= lines; ++k) {
        const long double fixed = k == lines ? lineHigh : lineLow + k * ((lineHigh - lineLow) / lines);
        RunWriter run(c.out);
        for (int s = 0; s <= samples; ++s) {
            const long double moving = s == samples ? runHigh : runLow + s * ((runHigh - runLow) / samples);
            long double p[3];
            const bool defined = direction == 1 ? EvalSurfacePoint(slot, c.engine.letters, moving, fixed, p)
                                                : EvalSurfacePoint(slot, c.engine.letters, fixed, moving, p);
            const double q[3] = {static_cast<double>(p[0]), static_cast<double>(p[1]), static_cast<double>(p[2])};
            double u = 0, v = 0;
            if (defined) c.projection.Project(q[0], q[1], q[2], u, v);
            if (defined && view.InView(u, v) && c.hiding.IsPointVisible(q)) run.Point(u, v);
            else run.Break();
        }
        run.Break();
        if (c.pollKey && c.pollKey() == kDrawStopped) return kDrawStopped;
    }
    return 0;
}

}  // namespace

int DrawSurfaceLines(LineDrawContext& c, InventorySlot& slot, int direction) {
    TExample& e = slot.example;
    if (!SurfaceWorkOf(slot) || surf::N1(e) < 1 || surf::N2(e) < 1) return 0;
    LetterStore& letters = c.engine.letters;
    const ScopedSurfaceLetters keepLetters(letters);
    const int familyLetter = std::clamp<int>(e.familyParam, 1, 23);
    const long double familySaved = GetLetter(letters, familyLetter);

    c.out.Save();
    c.out.SetPen(ColourForOutput(e.penColour, c.colourOutput), e.penWidth, StyleOf(e.penStyle));
    int status = 0;
    const int passes = e.familyActive ? std::clamp<int>(std::abs(e.familySteps), 1, 1000) : 0;
    for (int m = 0; m <= passes && status == 0; ++m) {
        if (e.familyActive) SetLetter(letters, familyLetter, e.familyLow + m * (e.familyHigh - e.familyLow) / passes);
        status = DrawLines(c, slot, direction);
    }
    c.out.Restore();

    if (e.familyActive) SetLetter(letters, familyLetter, familySaved);
    return status;
}

}  // namespace curvelo
