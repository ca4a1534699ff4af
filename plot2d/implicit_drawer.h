// Drawing of implicit curves F(x, y) = 0 (kind 204): the branches remembered in the
// example's start-point list are traced again; when the example asks for a search (byte
// 58), random pairs of points with a sign change of F are narrowed to a point of the curve
// by bisection, and every point not on a branch drawn already starts a new branch.
// "Already drawn" is kept in a coverage mask at the view's pixels rather than read back
// from the picture, so the search behaves alike on the screen, in a layer bitmap, on a
// printer page and in vector output. Also the hatching of F < 0 or F > 0.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "expr/letters.h"
#include "plot2d/cv2_document.h"
#include "plot2d/implicit_field.h"
#include "plot2d/inventory.h"
#include "plot2d/trajectory_tracer.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// Attempts of a search; with long search they go on until Q (bounded by the second
// figure, and by the third when nothing may poll the keyboard).
inline constexpr int kImplicitAttempts = 25;
inline constexpr int kLongSearchAttempts = 1000000;
inline constexpr int kSilentLongSearchAttempts = 500;
// Start points an example keeps; a search stops adding beyond it.
inline constexpr int kMaxImplicitStartPoints = 2000;

// Shading of an implicit inequality (byte 49 of the example).
enum ImplicitShading : std::uint8_t { kShadeNone = 0, kShadeBelow = 1, kShadeAbove = 2 };

// A start point as its 95-byte node holds it: the point (offsets 0, 10), the family pass
// it belongs to (u16 at 32) and that pass's parameter value (ext80 at 20).
struct ImplicitStart {
    WorldPoint p;
    int pass = 0;
    long double passValue = 0;
};
Cv2InitialCondition StoreImplicitStart(const ImplicitStart& start);
ImplicitStart LoadImplicitStart(const Cv2InitialCondition& node);

// Pixels of the view that a traced branch covers; coarser than the view when that is huge.
class CoverageMask {
public:
    explicit CoverageMask(const PlotView& view);
    void Clear();
    void MarkSegment(WorldPoint a, WorldPoint b);
    // Whether any of the 3 x 3 pixels around p is covered.
    bool Covered(WorldPoint p) const;

private:
    bool ToCell(WorldPoint p, long double& cx, long double& cy) const;
    void Mark(long long x, long long y);
    const PlotView& view_;
    int scale_ = 1;
    long long width_ = 1, height_ = 1;
    std::vector<std::uint8_t> cells_;
};

// Which edits make an implicit example search again: the list is emptied and byte 58 set.
void RequestImplicitSearch(InventorySlot& slot);

struct ImplicitHooks {
    std::function<int()> pollKey;             // last key pressed, 0: none
    std::function<void()> showSoFar;          // observe mode: the picture to the screen
    std::function<int(int delayMs)> showPassAndWait;  // an observed family's pause
    std::function<WorldPoint()> randomPoint;  // uniform in the view
};

class ImplicitDrawer {
public:
    ImplicitDrawer(LetterStore& letters, DrawSurface& surface, const TraceSettings& tracing)
        : letters_(letters), surface_(surface), tracing_(tracing) {}

    bool silent = false;        // no keyboard polling (printing, batch)
    bool observeAllowed = true; // observe mode shows the steps (not while printing)
    ImplicitHooks hooks;

    // Draws a visible kind-204 example; returns the last key (kKeyStopDrawing on Q).
    int Draw(InventorySlot& slot);

    std::uint64_t Evaluations() const { return evaluations_; }
    int BranchesTraced() const { return branches_; }

private:
    int DrawPass(InventorySlot& slot, ImplicitField& field, int pass, long double passValue, bool search);
    void Shade(ImplicitField& field, ImplicitShading shading);
    bool Stopped(int key) const;

    LetterStore& letters_;
    DrawSurface& surface_;
    TraceSettings tracing_;
    std::uint64_t evaluations_ = 0;
    int branches_ = 0;
    int lastKey_ = 0;
};

}  // namespace curvelo
