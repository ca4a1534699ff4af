#include "plotwin/colour_table.h"

#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr Rgb kTable[kColourCount] = {
    {0, 0, 0},       {255, 255, 255}, {255, 0, 255},   {255, 255, 0},   {255, 0, 0},
    {0, 191, 63},    {0, 0, 255},     {0, 127, 127},   {255, 127, 0},   {255, 0, 127},
    {160, 47, 0},    {0, 255, 255},   {191, 191, 127}, {127, 0, 127},   {32, 255, 0},
    {255, 127, 127}, {127, 127, 0},   {0, 47, 160},    {224, 224, 224}, {192, 192, 192},
    {160, 160, 160}, {128, 128, 128}, {96, 96, 96},    {64, 64, 64},    {191, 0, 63},
};

}  // namespace

Rgb ColourOf(int index) {
    if (index < 1 || index >= kColourCount) return kTable[0];
    return kTable[index];
}

Rgb ColourForOutput(int index, bool colourOutput) {
    return colourOutput ? ColourOf(index) : kTable[0];
}

Rgb GreyOf(int index) {
    if (index == 0) return {0, 0, 0};
    if (index == 1) return {255, 255, 255};
    int m = index % kColourCount;
    if (m < 0) m += kColourCount;
    const auto level = static_cast<std::uint8_t>(248 - m * 8);
    return {level, level, level};
}

std::string_view ColourName(int index) {
    if (index < 0 || index >= kColourCount) return {};
    return res::String(kColourNameFirstString + index);
}

}  // namespace curvelo
