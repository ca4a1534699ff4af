// Feeds arbitrary bytes to the .cv2 document reader. An accepted input must survive
// write -> read -> write unchanged.
#include <cstdint>
#include <cstdlib>

#include "plot2d/cv2_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace curvelo;
    for (std::int32_t type : {kFileType2D, kFileType3D}) {
        Cv2Document doc;
        if (ReadCv2(data, size, type, doc) != kCv2Ok) continue;
        const auto once = WriteCv2(doc);
        Cv2Document again;
        if (ReadCv2(once, type, again) != kCv2Ok) std::abort();
        if (WriteCv2(again) != once) std::abort();
    }
    return 0;
}
