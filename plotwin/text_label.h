// A text label of a plot window and its fixed 179-byte stored record. The bytes this layer
// does not interpret (the logical font, the further reals) are kept as read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/log_font.h"
#include "plotwin/plot_view.h"

namespace curvelo {

struct TextLabel {
    static constexpr std::size_t kStoredSize = 179;
    static constexpr std::size_t kTextCapacity = 60;
    using Image = std::array<std::uint8_t, kStoredSize>;
    // Offsets of the stored record (little-endian); 170 is the list link, stale in a file.
    enum Offset : std::size_t {
        kOffKey = 0, kOffOpaque = 2, kOffText = 3, kOffX = 64, kOffY = 74, kOffFont = 104,
        kOffPointSize = 164, kOffLink = 170, kOffAnchor = 174, kOffShown = 176,
    };
    // Anchors: a point of the plane, a place relative to the view's centre, or (0 and up)
    // relative to a point of the window's point list.
    static constexpr std::int16_t kAnchorPlane = -1, kAnchorWindow = -2;

    std::int16_t key = 0;
    std::uint8_t opaque = 1;        // 0: drawn on an opaque background
    std::string text;               // UTF-8, at most 60 characters when stored
    long double x = 0, y = 0;
    std::int16_t anchor = kAnchorPlane;
    std::uint8_t shown = 1;
    // An empty face name: the window's label font.
    fw::LogFont font{.height = 0, .weight = 0, .faceName = ""};
    std::int32_t pointSize = 0;
    Image image{};                  // what was read, for the bytes not named above

    Image Store() const;
    static TextLabel Load(const Image& image);
};

// The label's place in the plane; a point anchor outside the list falls back to the plane.
WorldPoint AnchorToPlane(const TextLabel& label, const PlotView& view, const std::vector<WorldPoint>& points);

// Gives the label another anchor and keeps its place in the plane.
void Reanchor(TextLabel& label, std::int16_t anchor, const PlotView& view, const std::vector<WorldPoint>& points);

// Moves the label by a drag of dx, dy pixels, whatever its anchor.
void MoveByPixels(TextLabel& label, const PlotView& view, int dx, int dy);

// Every hyphen of the text becomes the character of the code page with this code; codes
// outside 1..255 leave the text as it is.
std::string ReplaceHyphens(const std::string& utf8, int code);

}  // namespace curvelo
