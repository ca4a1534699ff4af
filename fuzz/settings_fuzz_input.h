#pragma once
// One fuzz input for the window settings reader: an accepted file must survive
// write -> read -> write unchanged. Shared by the libFuzzer target and the corpus replay.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "plotwin/window_settings.h"

namespace curvelo::fuzz {

inline void RunSettingsFuzzInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (std::int32_t kind : {kSettingsKind2D, kSettingsKind3D}) {
        auto read = ReadWindowSettings(bytes, kind);
        if (!read) continue;
        const std::vector<std::uint8_t> once = WriteWindowSettings(*read);
        auto again = ReadWindowSettings(once, kind);
        if (!again) std::abort();
        if (WriteWindowSettings(*again) != once) std::abort();
    }
}

}  // namespace curvelo::fuzz
