#include "plot3d/observer_form.h"

namespace curvelo {

std::array<std::string, 3> ObserverTexts(const Vec3& eye, ObserverMode mode, const NumberFormat& format) {
    if (!mode.spherical) return {format.FormatForField(eye.x), format.FormatForField(eye.y), format.FormatForField(eye.z)};
    const Spherical s = ToSpherical(eye);
    const long double k = mode.degrees ? 180 / kPi3 : 1;
    return {format.FormatForField(s.rho), format.FormatForField(s.theta * k), format.FormatForField(s.phi * k)};
}

int ObserverEye(const std::array<long double, 3>& values, ObserverMode mode, const View3D& view, Vec3* eye) {
    Vec3 candidate{values[0], values[1], values[2]};
    if (mode.spherical) {
        const long double k = mode.degrees ? kPi3 / 180 : 1;
        if (!FromSpherical({values[0], values[1] * k, values[2] * k}, &candidate)) return 17;
    }
    if (const int code = view.CheckEye(candidate)) return code;
    *eye = candidate;
    return 0;
}

std::array<const char*, 3> ObserverLabels(ObserverMode mode) {
    if (mode.spherical) return {"rho =", "theta =", "phi ="};
    return {"x =", "y =", "z ="};
}

}  // namespace curvelo
