// Feeds arbitrary bytes to the window settings reader.
#include "fuzz/settings_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    curvelo::fuzz::RunSettingsFuzzInput(data, size);
    return 0;
}
