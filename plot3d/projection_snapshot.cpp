#include "plot3d/projection_snapshot.h"

namespace curvelo {

ProjectionSnapshot::ProjectionSnapshot(const View3D& view) : cube(view.cubeNormalisation) {
    const Vec3* sources[] = {&view.centre, &view.cellScale, &view.eye, &view.viewVector, &view.cellMin, &view.cellMax};
    double* targets[] = {centre, scale, worldEye, d, cellMin, cellMax};
    for (int k = 0; k < 6; ++k) {
        targets[k][0] = static_cast<double>(sources[k]->x);
        targets[k][1] = static_cast<double>(sources[k]->y);
        targets[k][2] = static_cast<double>(sources[k]->z);
    }
    const Vec3& projected = cube ? view.normEye : view.eye;
    e[0] = static_cast<double>(projected.x);
    e[1] = static_cast<double>(projected.y);
    e[2] = static_cast<double>(projected.z);
    rho2 = d[0] * d[0] + d[1] * d[1];
    a = static_cast<double>(view.factorA);
    b = static_cast<double>(view.factorB);
}

View3D ViewLookingFrom(const std::array<long double, 3>& eye, const std::array<long double, 3>& cellMin,
                       const std::array<long double, 3>& cellMax, bool cube) {
    View3D view;
    view.SetCell({cellMin[0], cellMin[1], cellMin[2]}, {cellMax[0], cellMax[1], cellMax[2]});
    view.cubeNormalisation = cube;
    view.eye = {eye[0], eye[1], eye[2]};
    view.EyeChanged();
    return view;
}

ProjectionSnapshot::ProjectionSnapshot(const std::array<long double, 3>& eye, const std::array<long double, 3>& cellMin,
                                       const std::array<long double, 3>& cellMax, bool cubeMode)
    : ProjectionSnapshot(ViewLookingFrom(eye, cellMin, cellMax, cubeMode)) {}

}  // namespace curvelo
