#include "plot2d/measure_result.h"

#include "expr/byte_io.h"

namespace curvelo {

ResultRecord MeasurementResult::Store() const {
    ResultRecord r{};
    PutU16(r.data() + kOffTool, tool);
    StoreExt80(low, r.data() + kOffLow);
    StoreExt80(high, r.data() + kOffHigh);
    StoreExt80(value, r.data() + kOffValue);
    PutU32(r.data() + kOffSteps, static_cast<std::uint32_t>(steps));
    r[kOffQuantity] = quantity;
    return r;
}

MeasurementResult MeasurementResult::Load(const ResultRecord& r) {
    MeasurementResult m;
    m.tool = GetU16(r.data() + kOffTool);
    m.low = LoadExt80(r.data() + kOffLow);
    m.high = LoadExt80(r.data() + kOffHigh);
    m.value = LoadExt80(r.data() + kOffValue);
    m.steps = static_cast<std::int32_t>(GetU32(r.data() + kOffSteps));
    m.quantity = r[kOffQuantity];
    return m;
}

}  // namespace curvelo
