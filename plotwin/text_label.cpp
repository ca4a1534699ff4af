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
    l.anchor = static_cast<std::int16_t>(GetU16(&in[kOffAnchor]));
    l.shown = in[kOffShown];
    return l;
}

WorldPoint AnchorToPlane(const TextLabel& label, const PlotView& view, const std::vector<WorldPoint>& points) {
    if (label.anchor <= TextLabel::kAnchorWindow) return {label.x + view.cx, label.y + view.cy};
    if (label.anchor >= 0 && static_cast<std::size_t>(label.anchor) < points.size()) {
        const WorldPoint& p = points[static_cast<std::size_t>(label.anchor)];
        return {label.x + p.x, label.y + p.y};
    }
    return {label.x, label.y};
}

}  // namespace curvelo
