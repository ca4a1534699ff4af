// The mesh of a surface: its vertices on the regular grid of the parameter rectangle, which
// vertices are defined, and the example's box that follows the mesh or clips it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "expr/engine.h"
#include "expr/eval_program.h"
#include "plot2d/inventory.h"
#include "plot3d/surface_trees.h"

namespace curvelo {

struct MeshVertex {
    double x = 0, y = 0, z = 0;
};

// What a surface slot keeps besides its trees. The buffers are sized for the largest mesh
// when the work is made, so drawing never allocates.
struct SurfaceWork : SlotWork {
    SurfaceWork();
    int n1 = 0, n2 = 0;                   // intervals of the mesh last computed
    std::vector<MeshVertex> vertices;     // row-major, (n1 + 1) rows of (n2 + 1)
    std::vector<std::uint8_t> defined;    // 0 where the formulas were undefined
    PlaneCoefficients plane;              // kind 315
    EvalProgram programs[3];              // the coordinate trees, flattened
    // Buffers of one fast drawing: screen points (x = -1: not drawn, in world units of
    // the projection plane), quadrilateral distance and orientation.
    std::vector<double> screenU, screenV;
    std::vector<std::uint8_t> shown;
    std::vector<double> distance;
    std::vector<std::uint8_t> front;

    int VertexCount() const { return (n1 + 1) * (n2 + 1); }
    const MeshVertex& Vertex(int i, int j) const { return vertices[static_cast<std::size_t>(i * (n2 + 1) + j)]; }
    void ResetPrograms(InventorySlot& slot);
};

// Keeps the letters a surface's evaluation and hiding tests write (R, T, U, X, Y, Z) and
// puts them back when it goes.
class ScopedSurfaceLetters {
public:
    explicit ScopedSurfaceLetters(LetterStore& letters);
    ~ScopedSurfaceLetters();
    ScopedSurfaceLetters(const ScopedSurfaceLetters&) = delete;
    ScopedSurfaceLetters& operator=(const ScopedSurfaceLetters&) = delete;

private:
    LetterStore& letters_;
    long double saved_[6];
};

// The slot's surface work, made when the slot holds a mesh kind; null for other kinds.
SurfaceWork* EnsureSurfaceWork(InventorySlot& slot);
SurfaceWork* SurfaceWorkOf(InventorySlot& slot);
const SurfaceWork* SurfaceWorkOf(const InventorySlot& slot);

// The point of the surface at parameters (p1, p2); false when any formula is undefined.
// The parameters go into the letters the kind reads (X, Y; R, T; or T, U).
bool EvalSurfacePoint(InventorySlot& slot, LetterStore& letters, long double p1, long double p2,
                      long double out[3]);

// Fills the mesh of a surface and, for an automatic box, the box; false when the slot is
// not a mesh kind. The letters are as before afterwards.
bool ComputeMesh(InventorySlot& slot, FormulaEngine& engine);

// Widens each axis narrower than 1e-13 by 0.5 on either side, then rounds the bounds
// outward to a hundredth of the power of ten at or below the axis's extent.
void TidyBox(std::array<long double, 3>& lo, std::array<long double, 3>& hi);

}  // namespace curvelo
