#include "special/map_document.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"

namespace curvelo {

namespace {

constexpr std::int32_t kMapVersion = 1;
constexpr std::size_t kMaxFormula = 255;

void PutView(ByteWriter& w, const MapView& v) {
    for (long double x : {v.cx, v.cy, v.hw, v.hh}) w.Ext80(x);
}

bool GetView(ByteReader& r, MapView& v) {
    v = {r.Ext80(), r.Ext80(), r.Ext80(), r.Ext80()};
    return std::isfinite(v.cx) && std::isfinite(v.cy) && std::isfinite(v.hw) && std::isfinite(v.hh) && v.hw > 1e-18L &&
           v.hh > 1e-18L;
}

}  // namespace

std::vector<std::uint8_t> WriteMapDocument(const MapDocument& d) {
    ByteWriter w;
    w.I32(d.complexPlane ? kMapFileComplex : kMapFileReal);
    w.I32(kMapVersion);
    PutView(w, d.domain);
    PutView(w, d.range);
    for (long double x : {d.grid.spacing, d.grid.xmin, d.grid.xmax, d.grid.ymin, d.grid.ymax}) w.Ext80(x);
    for (const std::string& f : d.formulas) w.LengthText(f.substr(0, kMaxFormula));
    const std::size_t n = std::min(d.curves.size(), kMaxMapCurves);
    w.U16(static_cast<std::uint16_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        const MapCurve& c = d.curves[i];
        w.U16(c.kind);
        w.Ext80(c.low);
        w.Ext80(c.high);
        w.U16(c.colour);
        for (const std::string& t : c.texts) w.LengthText(t.substr(0, kMaxFormula));
    }
    return w.Data();
}

bool ReadMapDocument(const std::vector<std::uint8_t>& bytes, bool complexPlane, MapDocument& out) {
    if (bytes.size() > kMaxMapFileBytes) return false;
    ByteReader r(bytes);
    MapDocument d;
    d.complexPlane = complexPlane;
    if (r.I32() != (complexPlane ? kMapFileComplex : kMapFileReal) || r.I32() != kMapVersion) return false;
    if (!GetView(r, d.domain) || !GetView(r, d.range)) return false;
    d.grid = {r.Ext80(), r.Ext80(), r.Ext80(), r.Ext80(), r.Ext80()};
    for (std::string& f : d.formulas) f = r.LengthText(kMaxFormula);
    const std::uint16_t n = r.U16();
    if (n > kMaxMapCurves) return false;
    for (std::uint16_t i = 0; i < n && r.Ok(); ++i) {
        MapCurve c;
        c.kind = r.U16();
        c.low = r.Ext80();
        c.high = r.Ext80();
        c.colour = r.U16();
        for (std::string& t : c.texts) t = r.LengthText(kMaxFormula);
        if ((c.kind != 201 && c.kind != 203) || !std::isfinite(c.low) || !std::isfinite(c.high) || c.colour > 24)
            return false;
        d.curves.push_back(std::move(c));
    }
    if (!r.Ok() || !d.grid.Valid()) return false;
    out = std::move(d);
    return true;
}

}  // namespace curvelo
