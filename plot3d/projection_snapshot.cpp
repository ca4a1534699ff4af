#include "plot3d/projection_snapshot.h"

#include <algorithm>

namespace curvelo {

ProjectionSnapshot::ProjectionSnapshot(const std::array<long double, 3>& eye, const std::array<long double, 3>& lo,
                                       const std::array<long double, 3>& hi, bool cubeMode)
    : cube(cubeMode) {
    for (int i = 0; i < 3; ++i) {
        cellMin[i] = static_cast<double>(lo[i]);
        cellMax[i] = static_cast<double>(hi[i]);
        centre[i] = static_cast<double>((lo[i] + hi[i]) / 2);
        const long double extent = hi[i] - lo[i];
        scale[i] = extent != 0 ? static_cast<double>(1 / extent) : 1.0;
        worldEye[i] = static_cast<double>(eye[i]);
        e[i] = worldEye[i];
    }
    Normalise(e[0], e[1], e[2]);
    for (int i = 0; i < 3; ++i) d[i] = cube ? e[i] : e[i] - centre[i];
    rho2 = d[0] * d[0] + d[1] * d[1];
    const double r = std::sqrt(d[2] * d[2] + rho2);
    // An eye straight above the centre has no horizontal direction; keep the factors finite.
    const double rho = std::max(std::sqrt(rho2), 1e-18);
    a = r * r / rho;
    b = r / rho;
}

}  // namespace curvelo
