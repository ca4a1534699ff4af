#include "plot3d/cell_form.h"

#include <cstring>

#include "expr/eval.h"
#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

constexpr int kEdits[2][3] = {{cellid::kMinX, cellid::kMinY, cellid::kMinZ}, {cellid::kMaxX, cellid::kMaxY, cellid::kMaxZ}};

bool HasKeepSwitch(std::uint16_t kind) { return std::strcmp(CellDialogOf(kind), "AUTOBOXC") != 0; }

}  // namespace

const char* CellDialogOf(std::uint16_t kind) {
    if (IsMeshKind(kind)) return "AUTOBOXA";
    if (kind == kKindSurfaceImplicit || kind > 309) return "AUTOBOXB";
    return "AUTOBOXC";
}

EquationForm CellFormOf(const TExample& e, const NumberFormat& format) {
    EquationForm f;
    for (int a = 0; a < 3; ++a) {
        f.edits[kEdits[0][a]] = format.FormatForField(e.values161[static_cast<std::size_t>(a)]);
        f.edits[kEdits[1][a]] = format.FormatForField(e.values191[static_cast<std::size_t>(a)]);
    }
    f.checks[cellid::kFixed] = !surf::AutoBox(e);
    if (HasKeepSwitch(e.kind)) f.checks[cellid::kKeepAtWalls] = surf::KeepAtWalls(e);
    return f;
}

FormOutcome ApplyCellForm(const EquationForm& form, FormulaEngine& engine, TExample& example, bool& changed) {
    changed = false;
    std::array<long double, 3> box[2];
    for (int side = 0; side < 2; ++side)
        for (int a = 0; a < 3; ++a) {
            const int id = kEdits[side][a];
            auto it = form.edits.find(id);
            if (std::uint16_t code = EvaluateText(engine, it == form.edits.end() ? "" : it->second,
                                                  box[side][static_cast<std::size_t>(a)]))
                return {code, id};
        }
    for (int a = 0; a < 3; ++a)
        if (!(box[1][static_cast<std::size_t>(a)] - box[0][static_cast<std::size_t>(a)] >= 1e-13L))
            return {6, kEdits[1][a]};
    auto checked = [&](int id, bool old) {
        auto it = form.checks.find(id);
        return it == form.checks.end() ? old : it->second;
    };
    TExample e = example;
    e.values161 = box[0];
    e.values191 = box[1];
    surf::AutoBox(e) = checked(cellid::kFixed, !surf::AutoBox(e)) ? 0 : 1;
    if (HasKeepSwitch(e.kind)) surf::KeepAtWalls(e) = checked(cellid::kKeepAtWalls, surf::KeepAtWalls(e)) ? 1 : 0;
    changed = e.values161 != example.values161 || e.values191 != example.values191 ||
              surf::AutoBox(e) != surf::AutoBox(example) || surf::KeepAtWalls(e) != surf::KeepAtWalls(example);
    if (!changed) return {};
    if (e.kind == kKindSurfaceExplicit || e.kind == kKindSurfaceImplicit) {
        e.saved221 = e.values161;
        e.saved251 = e.values191;
    }
    example = e;
    return {};
}

}  // namespace curvelo
