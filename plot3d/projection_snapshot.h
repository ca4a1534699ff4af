// The window's central projection copied into doubles for one drawing: the fast and slow
// surface drawings project thousands of points and keep every value in registers.
#pragma once

#include <array>
#include <cmath>

#include "plot3d/view3d.h"

namespace curvelo {

struct ProjectionSnapshot {
    explicit ProjectionSnapshot(const View3D& view);
    // A view of the cell from the eye (tests and batch drawings).
    ProjectionSnapshot(const std::array<long double, 3>& eye, const std::array<long double, 3>& cellMin,
                       const std::array<long double, 3>& cellMax, bool cube);

    // The world point as the projection sees it: itself, or its cube coordinates.
    void Normalise(double& x, double& y, double& z) const {
        if (!cube) return;
        x = (x - centre[0]) * scale[0];
        y = (y - centre[1]) * scale[1];
        z = (z - centre[2]) * scale[2];
    }
    // (u, v) on the view plane: View3D::ProjectPoint in doubles.
    void Project(double x, double y, double z, double& u, double& v) const {
        Normalise(x, y, z);
        const double wx = e[0] - x, wy = e[1] - y, wz = e[2] - z;
        const double t = d[0] * wx + d[1] * wy + d[2] * wz;
        const double k = std::fabs(t) < 1e-18 ? 1e18 : 1.0 / t;
        u = k * a * (wx * d[1] - wy * d[0]);
        v = k * b * (d[2] * (d[0] * wx + d[1] * wy) - wz * rho2);
    }

    bool cube = false;
    double centre[3] = {1, 1, 1};
    double scale[3] = {0.5, 0.5, 0.5};
    double worldEye[3] = {60, 80, 60};  // the eye in world coordinates
    double e[3] = {60, 80, 60};         // the eye as projected (normalised in cube mode)
    double d[3] = {59, 79, 59};         // view vector
    double rho2 = 0, a = 0, b = 0;  // D.x² + D.y², factors A and B
    double cellMin[3] = {0, 0, 0}, cellMax[3] = {2, 2, 2};
};

// A view of the cell from the eye, its projection up to date.
View3D ViewLookingFrom(const std::array<long double, 3>& eye, const std::array<long double, 3>& cellMin,
                       const std::array<long double, 3>& cellMax, bool cube);

}  // namespace curvelo
