// Fast drawing of surfaces: the painter's algorithm. Every quadrilateral of every fast
// surface is sorted by its distance from the eye and filled from the farthest to the
// nearest, in plain, two-sided shaded or spectrum colours.
#pragma once

#include <cstdint>
#include <vector>

#include "plot2d/inventory.h"
#include "plot3d/projection_snapshot.h"
#include "plot3d/surface_mesh.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// Status of a fast drawing: done, or the quadrilateral list could not be had.
inline constexpr int kDrawOutOfMemory = 4;

// Projects the mesh into the work's screen buffers (world units of the view plane) and
// computes each quadrilateral's distance and orientation. A vertex is not drawn when its
// formulas were undefined, or when keep-at-the-walls is off and it is not strictly inside
// the example's box.
void ProjectMesh(SurfaceWork& work, const TExample& example, const ProjectionSnapshot& projection);

// The spectrum factor of a height: 0.2 at and below the cell's bottom, 1 at its top.
double SpectrumFactor(double z, double cellMinZ, double cellMaxZ);

class SurfacePainter {
public:
    // Draws every visible fast surface of the inventory; 0 or kDrawOutOfMemory.
    int DrawFastSurfaces(DrawSurface& out, ExampleInventory& inventory, const ProjectionSnapshot& projection,
                         bool colourOutput);

    // How many quadrilaterals the last drawing filled (tests and benchmarks).
    int QuadsDrawn() const { return drawn_; }

private:
    struct Quad {
        double distance;
        std::uint16_t example, i, j;
    };
    struct Look {
        Rgb fill, pen;
        int width;
    };
    static Look LookOf(const TExample& e, const SurfaceWork& w, const Quad& q, const ProjectionSnapshot& p,
                       bool colourOutput);
    // The quadrilateral's vertex indices; false when one of them is not drawn.
    static bool Corners(const SurfaceWork& w, const Quad& q, std::size_t v[4]);
    // Raster outputs are filled pixel by pixel; every other output gets polygons.
    void DrawDirect(const fw::RasterTarget& raster, ExampleInventory& inventory, const ProjectionSnapshot& p,
                    bool colourOutput, std::size_t n);
    void DrawThrough(DrawSurface& out, ExampleInventory& inventory, const ProjectionSnapshot& p, bool colourOutput,
                     std::size_t n);

    std::vector<Quad> quads_;
    std::vector<std::size_t> firstVertex_;  // per inventory index: its first vertex in device_
    std::vector<fw::PointF> device_;        // device pixels of every vertex, for raster outputs
    int drawn_ = 0;
};

}  // namespace curvelo
