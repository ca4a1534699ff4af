#include "plot3d/space_form.h"

#include <algorithm>
#include <vector>

#include "expr/eval.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/start_points.h"
#include "plot3d/space_kinds.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

using namespace spaceid;

struct TextEdit {
    int id, text;
};

struct Switch {
    int id;
    std::uint8_t& (*field)(TExample&);
};

std::uint8_t& ArrowField(TExample& e) { return e.arrow; }

std::vector<TextEdit> FormulaEdits(std::uint16_t kind) {
    switch (kind) {
    case kKindSpaceSegment: return {{kText0, 0}, {kText1, 1}, {kText2, 2}, {kText3, 3}, {kText5, 5}, {kText6, 6}};
    case kKindSpaceCurve:
    case kKindSpacePoint:
    case kKindSpaceSequence:
    case kKindSpaceSystem: return {{kText0, 0}, {kText1, 1}, {kText2, 2}};
    default: return {};
    }
}

std::vector<Switch> SwitchesOf(std::uint16_t kind) {
    switch (kind) {
    case kKindSpaceCurve: return {{kArrow, ArrowField}};
    case kKindSpacePoint:
        return {{kProjections, space::Projections}, {kProjectionsDashed, space::ProjectionsDashed},
                {kArcs, space::Arcs}, {kArcsDashed, space::ArcsDashed}};
    case kKindSpaceSystem: return {{kTimeDependent, space::TimeDependent}, {kRestricted, space::Restricted}};
    case kKindSpaceSequence: return {{kConnect, space::Connect}};
    default: return {};
    }
}

bool HasWidth(std::uint16_t kind) { return kind != kKindSpacePoint && kind != kKindSpacePointSequence; }
bool IsCurve(std::uint16_t kind) { return kind == kKindSpaceCurve || kind == kKindSpaceSegment; }


FormOutcome ReadPointSize(const EquationForm& form, FormulaEngine& engine, TExample& e) {
    long double size = 0;
    if (std::uint16_t code = EvaluateText(engine, FormFormula(form, kPointSize), size)) return {code, kPointSize};
    if (!(size >= 0 && size <= kMaxPointSize)) return {17, kPointSize};
    space::PointSize(e) = size;
    return {};
}

}  // namespace

EquationForm SpaceFormOf(const TExample& example, const NumberFormat& format) {
    TExample e = example;
    EquationForm f;
    for (const TextEdit& t : FormulaEdits(e.kind)) f.edits[t.id] = e.texts[static_cast<std::size_t>(t.text)];
    for (const Switch& s : SwitchesOf(e.kind)) f.checks[s.id] = s.field(e) != 0;
    if (HasWidth(e.kind)) f.edits[kPenWidth] = std::to_string(e.penWidth);
    f.combos[kColour] = e.penColour < kColourCount ? e.penColour : 0;
    if (IsCurve(e.kind)) {
        f.edits[kSamples] = std::to_string(space::Samples(e));
        f.checks[kDashed] = space::Dashed(e);
    }
    switch (e.kind) {
    case kKindSpaceCurve:
        f.edits[kLow] = format.FormatForField(e.low);
        f.edits[kHigh] = format.FormatForField(e.high);
        f.edits[kArrowT] = format.FormatForField(e.extra311[TExample::kArrowT]);
        f.edits[kArrowSize] = std::to_string(e.arrowSize + 10);
        break;
    case kKindSpacePoint:
        f.edits[kPointSize] = format.FormatForField(e.value291);
        f.checks[kFilled] = e.flag51 == 0;
        f.checks[kHollow] = e.flag51 != 0;
        break;
    case kKindSpaceSystem:
        f.edits[kText3] = e.texts[3];
        f.edits[kDensity] = std::to_string(e.density);
        break;
    case kKindSpacePointSequence:
        f.edits[kText3] = e.texts[3];
        f.edits[kPointSize] = format.FormatForField(e.value291);
        break;
    default: break;
    }
    return f;
}

FormOutcome ApplySpaceForm(const EquationForm& form, FormulaEngine& engine, TExample& example) {
    TExample e = example;
    for (const TextEdit& t : FormulaEdits(e.kind)) {
        const std::string text = FormFormula(form, t.id);
        if (std::uint16_t code = engine.CompileFormula(text)) return {code, t.id};
        FreeTree(engine.TakeCompiledTree());
        e.texts[static_cast<std::size_t>(t.text)] = text;
    }
    auto whole = [&](int id, int lo, int hi, std::int32_t& out) -> std::uint16_t {
        return EvaluateInteger(engine, FormFormula(form, id), lo, hi, out);
    };
    std::int32_t v = 0;
    if (HasWidth(e.kind)) {
        if (std::uint16_t code = whole(kPenWidth, kMinPenWidth, kMaxPenWidth, v)) return {code, kPenWidth};
        e.penWidth = static_cast<std::uint16_t>(v);
    }
    if (IsCurve(e.kind)) {
        if (std::uint16_t code = whole(kSamples, kMinCurveSamples, kMaxCurveSamples, v)) return {code, kSamples};
        e.ints117[0] = static_cast<std::uint16_t>(v);
        space::SetDashed(e, FormChecked(form, kDashed));
    }
    switch (e.kind) {
    case kKindSpaceCurve: {
        for (int id : {kLow, kHigh, kArrowT}) {
            long double& target = id == kLow ? e.low : id == kHigh ? e.high : e.extra311[TExample::kArrowT];
            if (std::uint16_t code = EvaluateText(engine, FormFormula(form, id), target)) return {code, id};
        }
        // A reversed interval would draw nothing without saying why.
        if (!(e.low < e.high)) return {17, kHigh};
        if (std::uint16_t code = whole(kArrowSize, kMinArrowSize, kMaxArrowSize, v)) return {code, kArrowSize};
        e.arrowSize = static_cast<std::uint16_t>(v - 10);
        break;
    }
    case kKindSpacePoint: {
        if (FormOutcome bad = ReadPointSize(form, engine, e); bad.code) return bad;
        e.flag51 = FormChecked(form, kHollow) ? 1 : 0;
        break;
    }
    case kKindSpaceSystem: {
        const std::string restriction = FormFormula(form, kText3);
        if (FormChecked(form, kRestricted) || !restriction.empty()) {
            if (std::uint16_t code = engine.CompileFormula(restriction)) return {code, kText3};
            FreeTree(engine.TakeCompiledTree());
        }
        e.texts[3] = restriction;
        if (std::uint16_t code = whole(kDensity, kMinDensity, kMaxDensity, v)) return {code, kDensity};
        e.density = static_cast<std::uint16_t>(v);
        break;
    }
    case kKindSpacePointSequence: {
        const std::string list = FormFormula(form, kText3);
        long double numbers[kMaxPointOnCurveNumbers];
        const int n = ParsePointOnCurveNumbers(list, numbers);
        if (n < 3 || n % 3 != 0) return {1, kText3};  // "nem értem"
        e.texts[3] = list;
        if (FormOutcome bad = ReadPointSize(form, engine, e); bad.code) return bad;
        break;
    }
    default: break;
    }
    for (const Switch& s : SwitchesOf(e.kind)) s.field(e) = FormChecked(form, s.id) ? 1 : 0;
    if (auto it = form.combos.find(kColour); it != form.combos.end() && it->second >= 0 && it->second < kColourCount)
        e.penColour = static_cast<std::uint16_t>(it->second);
    example = e;
    return {};
}

}  // namespace curvelo
