// The observer dialog's fields: the eye as three texts (Cartesian or spherical, angles in
// radians or degrees) and the eye that three typed values ask for.
#pragma once

#include <array>
#include <string>

#include "plot3d/view3d.h"
#include "plotwin/number_format.h"

namespace curvelo {

struct ObserverMode {
    bool spherical = false;
    bool degrees = false;
};

std::array<std::string, 3> ObserverTexts(const Vec3& eye, ObserverMode mode, const NumberFormat& format);
// The eye for the three values read from the fields: 0, or a message code: 17 for an angle
// beyond reach, kMsgTooClose or kMsgTooFar.
int ObserverEye(const std::array<long double, 3>& values, ObserverMode mode, const View3D& view, Vec3* eye);
// The labels of the three fields.
std::array<const char*, 3> ObserverLabels(ObserverMode mode);

}  // namespace curvelo
