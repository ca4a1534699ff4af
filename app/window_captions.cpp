#include "app/window_captions.h"

#include "resources/resources.h"

namespace curvelo {

std::string WindowCaptions::Untitled(std::uint16_t& counter, const char* ext) {
    std::string caption = std::string(res::String(29)) + std::to_string(counter + 1) + ext;
    ++counter;
    return caption;
}

std::string WindowCaptions::NextPlot2() { return Untitled(plot2_, ".cv2"); }
std::string WindowCaptions::NextPlot3() { return Untitled(plot3_, ".cv3"); }
std::string WindowCaptions::NextManyBody() { return Untitled(manyBody_, ".cv2"); }

std::string WindowCaptions::NextMapDomain(bool complexPlane) {
    std::string caption = std::string(res::String(156)) + std::to_string(map_ + 1) +
                          (complexPlane ? ".maz" : ".ma2");
    ++map_;
    return caption;
}

std::string WindowCaptions::MapRange() { return std::string(res::String(157)); }
std::string WindowCaptions::Guessing() { return std::string(res::String(205)); }

}  // namespace curvelo
