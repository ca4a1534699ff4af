#include "special/map_document.h"

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
    if (!r.Ok() || !d.grid.Valid()) return false;
    out = std::move(d);
    return true;
}

}  // namespace curvelo
