#include "plotwin/text_label.h"

#include <algorithm>
#include <cstring>

#include "expr/byte_io.h"
#include "expr/codepage.h"

namespace curvelo {

TextLabel::Image TextLabel::Store() const {
    Image out = image;
    PutU16(&out[kOffKey], static_cast<std::uint16_t>(key));
    out[kOffOpaque] = opaque;
    const std::string bytes = Utf8ToCp1250(text).substr(0, kTextCapacity);
    std::fill(out.begin() + kOffText, out.begin() + kOffText + kTextCapacity + 1, 0);
    std::memcpy(&out[kOffText], bytes.data(), bytes.size());
    StoreExt80(x, &out[kOffX]);
    // The font bytes are rewritten only when the label's font differs from what they read as,
    // so a record read from a file keeps its bytes.
    const auto fontBytes = font.Store();
    if (fw::LogFont::Load(&out[kOffFont]).Store() != fontBytes)
        std::copy(fontBytes.begin(), fontBytes.end(), out.begin() + kOffFont);
    if (static_cast<std::int32_t>(GetU32(&out[kOffPointSize])) != pointSize)
        PutU32(&out[kOffPointSize], static_cast<std::uint32_t>(pointSize));
    StoreExt80(y, &out[kOffY]);
    PutU32(&out[kOffLink], 0);
    PutU16(&out[kOffAnchor], static_cast<std::uint16_t>(anchor));
    out[kOffShown] = shown;
    return out;
}

TextLabel TextLabel::Load(const Image& in) {
    TextLabel l;
    l.image = in;
    l.key = static_cast<std::int16_t>(GetU16(&in[kOffKey]));
    l.opaque = in[kOffOpaque];
    const auto* text = reinterpret_cast<const char*>(&in[kOffText]);
    l.text = Cp1250ToUtf8(std::string_view(text, strnlen(text, kTextCapacity)));
    l.x = LoadExt80(&in[kOffX]);
    l.y = LoadExt80(&in[kOffY]);
    l.font = fw::LogFont::Load(&in[kOffFont]);
    l.pointSize = static_cast<std::int32_t>(GetU32(&in[kOffPointSize]));
    l.anchor = static_cast<std::int16_t>(GetU16(&in[kOffAnchor]));
    l.shown = in[kOffShown];
    return l;
}

namespace {

WorldPoint AnchorBase(std::int16_t anchor, const PlotView& view, const std::vector<WorldPoint>& points) {
    if (anchor <= TextLabel::kAnchorWindow) return {view.cx, view.cy};
    if (anchor >= 0 && static_cast<std::size_t>(anchor) < points.size()) return points[static_cast<std::size_t>(anchor)];
    return {0, 0};
}

}  // namespace

WorldPoint AnchorToPlane(const TextLabel& label, const PlotView& view, const std::vector<WorldPoint>& points) {
    const WorldPoint base = AnchorBase(label.anchor, view, points);
    return {label.x + base.x, label.y + base.y};
}

void Reanchor(TextLabel& label, std::int16_t anchor, const PlotView& view, const std::vector<WorldPoint>& points) {
    const WorldPoint at = AnchorToPlane(label, view, points);
    const WorldPoint base = AnchorBase(anchor, view, points);
    label.anchor = anchor;
    label.x = at.x - base.x;
    label.y = at.y - base.y;
}

void MoveByPixels(TextLabel& label, const PlotView& view, int dx, int dy) {
    const WorldPoint from = view.PixelToWorld(0, 0), to = view.PixelToWorld(dx, dy);
    label.x += to.x - from.x;
    label.y += to.y - from.y;
}

std::string ReplaceHyphens(const std::string& utf8, int code) {
    if (code < 1 || code > 255) return utf8;
    const std::string with = Cp1250ToUtf8(std::string(1, static_cast<char>(code)));
    std::string out;
    for (char c : utf8) {
        if (c == '-') out += with;
        else out += c;
    }
    return out;
}

}  // namespace curvelo
