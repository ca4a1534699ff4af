#include "plot2d/initial_condition.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"

namespace curvelo {

long long TInitialCondition::StepLimit() const {
    if (!(steps >= 1)) return 0;  // NaN too
    return static_cast<long long>(std::min(steps, kMaxSlopeSteps));
}

Cv2InitialCondition TInitialCondition::Store() const {
    Cv2InitialCondition out;
    out.record = image;
    std::uint8_t* r = out.record.data();
    StoreExt80(x0, r + kOffX0);
    StoreExt80(y0, r + kOffY0);
    StoreExt80(t0, r + kOffT0);
    StoreExt80(z0, r + kOffZ0);
    PutU16(r + kOffTextFlag, textFlag);
    StoreExt80(steps, r + kOffSteps);
    PutU16(r + kOffMethod, methodCode);
    PutU16(r + kOffDirection, directionCode);
    StoreExt80(step, r + kOffStep);
    PutU16(r + kOffColour, colour);
    PutU16(r + kOffWidth, width);
    PutU32(r + kOffLink, 0);
    if (AsText()) out.texts = texts;
    return out;
}

TInitialCondition TInitialCondition::Load(const Cv2InitialCondition& stored) {
    TInitialCondition c;
    const std::uint8_t* r = stored.record.data();
    c.image = stored.record;
    c.x0 = LoadExt80(r + kOffX0);
    c.y0 = LoadExt80(r + kOffY0);
    c.t0 = LoadExt80(r + kOffT0);
    c.z0 = LoadExt80(r + kOffZ0);
    c.textFlag = GetU16(r + kOffTextFlag);
    c.steps = LoadExt80(r + kOffSteps);
    c.methodCode = GetU16(r + kOffMethod);
    c.directionCode = GetU16(r + kOffDirection);
    c.step = LoadExt80(r + kOffStep);
    c.colour = GetU16(r + kOffColour);
    c.width = GetU16(r + kOffWidth);
    if (c.AsText()) c.texts = stored.texts;
    return c;
}

std::vector<TInitialCondition> LoadConditions(const std::vector<Cv2InitialCondition>& stored) {
    std::vector<TInitialCondition> out;
    out.reserve(stored.size());
    for (const Cv2InitialCondition& c : stored) out.push_back(TInitialCondition::Load(c));
    return out;
}

std::vector<Cv2InitialCondition> StoreConditions(const std::vector<TInitialCondition>& conditions) {
    std::vector<Cv2InitialCondition> out;
    out.reserve(conditions.size());
    for (const TInitialCondition& c : conditions) out.push_back(c.Store());
    return out;
}

}  // namespace curvelo
