// The visibility test of the slow drawing: whether a surface lies between a point and the
// eye. Explicit, cylindrical and implicit surfaces are tested by stepping along the line of
// sight inside their box; the plane by its two sides; parametric surfaces, when parametric
// shading is on, by the planes of their quadrilaterals.
#pragma once

#include <cstdint>
#include <vector>

#include "expr/eval_program.h"
#include "plot2d/inventory.h"
#include "plot3d/projection_snapshot.h"

namespace curvelo {

struct VisibilitySettings {
    bool hiddenLineTest = true;     // slow lines test each sample
    bool parametricShading = false; // parametric kinds take part in hiding
    int steps = 12;                 // steps along the line of sight ("Áttetszőség")
    double planeTolerance = 0.1;    // 0.001 x "Egysíkúság"
    double tolerance = 0.1;         // how far a tested point moves towards the eye
};

// The window's settings as the visibility test takes them.
VisibilitySettings VisibilityOf(const View3D& view);

class HidingTest {
public:
    // Takes the hiding examples of the inventory as they are now; the meshes must be
    // computed and the projection must be the drawing's. Allocates; call once per drawing.
    void Prepare(ExampleInventory& inventory, FormulaEngine& engine, const ProjectionSnapshot& projection,
                 const VisibilitySettings& settings);

    // Inside the window's cell (inclusive) and not hidden.
    bool IsPointVisible(const double p[3]);
    bool IsPointHidden(const double p[3]);

private:
    struct Hider {
        InventorySlot* slot = nullptr;
        std::uint16_t kind = 0;
        double lo[3] = {}, hi[3] = {};  // the example's box
        double p1lo = 0, p1hi = 0, p2lo = 0, p2hi = 0;
        int program = -1;               // into programs_ (explicit, cylindrical, implicit)
        int firstQuad = 0, quadCount = 0;  // into quads_ (parametric kinds)
        double planeU[4] = {}, planeV[4] = {};  // screen corners of a plane
        double eyeSide = 0;             // the plane's value at the eye
    };
    // A parametric quadrilateral: screen polygon and bounding box, the planes through three
    // triples of its corners (unit normal and offset) and the eye's signed distance to each.
    struct QuadPlanes {
        double u[4], v[4];
        double umin, umax, vmin, vmax;
        double n[3][4];
        double eyeSide[3];
    };

    bool ExampleHides(Hider& h, const double q[3], double su, double sv);
    bool SteppedHides(Hider& h, const double q[3]);
    double Side(Hider& h, double x, double y, double z, bool& ok);

    std::vector<Hider> hiders_;
    std::vector<QuadPlanes> quads_;
    std::vector<EvalProgram> programs_;
    LetterStore* letters_ = nullptr;
    ProjectionSnapshot projection_{{60, 80, 60}, {0, 0, 0}, {2, 2, 2}, false};
    VisibilitySettings settings_;
};

// Whether the screen point (u, v) lies inside the polygon of n corners (crossing rule).
bool InsidePolygon(const double* u, const double* v, int n, double pu, double pv);

}  // namespace curvelo
