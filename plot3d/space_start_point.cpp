#include "plot3d/space_start_point.h"

#include "expr/byte_io.h"

namespace curvelo {

SpaceStartPoint ReadSpaceStartPoint(const Cv2InitialCondition& record) {
    SpaceStartPoint s;
    s.p = ReadStartPoint(record);
    s.z = LoadExt80(record.record.data() + kStartPointZ);
    return s;
}

void WriteSpaceStartPoint(const SpaceStartPoint& s, Cv2InitialCondition& record) {
    WriteStartPoint(s.p, record);
    StoreExt80(s.z, record.record.data() + kStartPointZ);
}

}  // namespace curvelo
