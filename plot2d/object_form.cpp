#include "plot2d/object_form.h"

#include <algorithm>

#include "expr/eval.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/interpolation.h"
#include "plot2d/start_points.h"

namespace curvelo {
namespace {

// Message 401 "nem értem" for a list of numbers that does not fit the kind.
constexpr std::uint16_t kNotUnderstood = 1;
// Message 417 "túl a határokon" for a value outside what the field allows.
constexpr std::uint16_t kOutOfRange = 17;

struct RealField {
    int id;
    long double& (*field)(TExample&);
    long double lo, hi;  // accepted closed range
};
struct WholeField {
    int id;
    std::uint16_t& (*field)(TExample&);
    int lo, hi;
};
struct CheckField {
    int id;
    std::uint8_t& (*field)(TExample&);
};

struct FormFields {
    std::vector<int> formulas;   // edit ids, in the order they are checked
    std::vector<RealField> reals;
    std::vector<WholeField> wholes;
    std::vector<CheckField> checks;
    bool range = false;          // edits 221/223, lower below upper
    bool penStyle = true;
};

constexpr long double kHuge = 1e300L;

long double& Value281(TExample& e) { return e.value281; }
long double& Value291(TExample& e) { return e.value291; }
std::uint16_t& Density(TExample& e) { return e.density; }
std::uint16_t& PenWidth(TExample& e) { return e.penWidth; }
std::uint16_t& NodeSize(TExample& e) { return e.fieldRows; }
std::uint16_t& PairSize(TExample& e) { return e.confirmMark; }
std::uint8_t& Connect(TExample& e) { return e.flag60; }
std::uint8_t& StopAtBorder(TExample& e) { return e.flags52[0]; }
std::uint8_t& IntervalFixed(TExample& e) { return e.intervalFixed; }

const WholeField kWidth{eqid::kPenWidth, PenWidth, kMinPenWidth, kMaxPenWidth};
const WholeField kDensityField{eqid::kDensity, Density, kMinDensity, kMaxDensity};
const RealField kPointSizeField{objid::kPointSize, Value291, 0, kMaxPointSize};

std::vector<int> ShapeFormulas(std::uint16_t shape) {
    switch (shape) {
    case kKindPolar: return {eqid::kTextR};
    case kKindParametric: return {eqid::kTextX, eqid::kTextY};
    default: return {eqid::kTextY};
    }
}

FormFields FieldsOf(const TExample& e) {
    FormFields s;
    switch (e.kind) {
    case kKindSegment:
        s.formulas = {eqid::kTextX, eqid::kTextY, eqid::kTextR, objid::kText3};
        s.wholes = {kWidth};
        break;
    case kKindLine:
        s.formulas = {eqid::kTextX, eqid::kTextY, eqid::kTextR};
        s.wholes = {kWidth};
        break;
    case kKindPoint:
        s.formulas = {eqid::kTextX, eqid::kTextY};
        s.reals = {kPointSizeField};
        s.penStyle = false;
        break;
    case kKindSequence:
        s.formulas = {eqid::kTextX, eqid::kTextY};
        s.wholes = {kWidth};
        s.checks = {{objid::kConnect, Connect}, {objid::kStopAtBorder, StopAtBorder}};
        break;
    case kKindRollingCircle:
        s.formulas = {eqid::kTextY};
        s.reals = {{objid::kRadius, Value281, 1e-18L, kHuge}, {objid::kPointSize, Value291, -kHuge, kHuge}};
        s.wholes = {kDensityField, kWidth};
        s.range = true;
        break;
    case kKindPointOnCurve:
        s.formulas = ShapeFormulas(PointOnCurveShape(e));
        s.reals = {kPointSizeField};
        s.penStyle = false;
        break;
    case kKindPointSequence:
        s.wholes = {{objid::kPointSize, PairSize, 0, kMaxPointSize}};
        s.penStyle = false;
        break;
    case kKindExplicit:  // an interpolation polynomial
        s.wholes = {{objid::kNodeSize, NodeSize, 0, kMaxPointSize}, kDensityField, kWidth};
        s.checks = {{eqid::kIntervalFixed, IntervalFixed}};
        s.range = true;
        break;
    default: break;
    }
    return s;
}

std::string& TextOfEdit(TExample& e, int id) { return e.texts[static_cast<std::size_t>(id - eqid::kTextX)]; }

// The list of numbers a kind keeps in a text: its edit, and whether it suits the kind.
int NumberListEdit(const TExample& e) {
    if (e.kind == kKindExplicit) return eqid::kTextX;  // interpolation nodes, text 0
    if (e.kind == kKindPointOnCurve || e.kind == kKindPointSequence) return objid::kText3;
    return 0;
}

std::uint16_t CheckNumberList(TExample& e, const std::string& text) {
    long double numbers[kMaxPointOnCurveNumbers];
    const int n = ParsePointOnCurveNumbers(text, numbers);
    switch (e.kind) {
    case kKindPointOnCurve:
        if (n == 0) return kNotUnderstood;
        e.reserved36[0] = static_cast<std::uint16_t>(n);
        return 0;
    case kKindPointSequence: return n >= 2 && n % 2 == 0 ? 0 : kNotUnderstood;
    case kKindExplicit: {
        std::vector<WorldPoint> nodes;
        std::vector<long double> c;
        if (!ParseNodeText(text, nodes) || !InterpolationCoefficients(nodes, c)) return kNotUnderstood;
        StoreNodes(e, nodes);
        return RebuildInterpolation(e) ? 0 : kNotUnderstood;
    }
    default: return 0;
    }
}

}  // namespace

bool HasObjectForm(const TExample& e) {
    switch (e.kind) {
    case kKindSegment: case kKindLine: case kKindPoint: case kKindSequence: case kKindRollingCircle:
    case kKindPointOnCurve: case kKindPointSequence: return true;
    case kKindExplicit: return e.interpolation != 0;
    default: return false;
    }
}

EquationForm ObjectFormOf(const TExample& example, const NumberFormat& format) {
    TExample e = example;
    const FormFields s = FieldsOf(e);
    EquationForm f;
    // A point on a curve shows every curve text, so another shape can be chosen.
    const std::vector<int> formulas = e.kind == kKindPointOnCurve
                                          ? std::vector<int>{eqid::kTextX, eqid::kTextY, eqid::kTextR}
                                          : s.formulas;
    for (int id : formulas) f.edits[id] = TextOfEdit(e, id);
    if (const int list = NumberListEdit(e)) f.edits[list] = TextOfEdit(e, list);
    for (const RealField& r : s.reals) f.edits[r.id] = format.FormatForField(r.field(e));
    for (const WholeField& w : s.wholes) f.edits[w.id] = std::to_string(w.field(e));
    for (const CheckField& c : s.checks) f.checks[c.id] = c.field(e) != 0;
    if (s.range) {
        f.edits[eqid::kLow] = format.FormatForField(e.low);
        f.edits[eqid::kHigh] = format.FormatForField(e.high);
    }
    if (e.kind == kKindPointOnCurve) {
        const std::uint16_t shape = PointOnCurveShape(e);
        f.checks[objid::kShapeExplicit] = shape == kKindExplicit;
        f.checks[objid::kShapePolar] = shape == kKindPolar;
        f.checks[objid::kShapeParametric] = shape == kKindParametric;
    }
    f.penStyle = e.penStyle <= 2 ? e.penStyle : 0;
    return f;
}

FormOutcome ApplyObjectForm(const EquationForm& form, FormulaEngine& engine, TExample& example) {
    TExample e = example;
    const auto checked = [&form](int id) {
        auto it = form.checks.find(id);
        return it != form.checks.end() && it->second;
    };
    if (e.kind == kKindPointOnCurve)
        e.kindCount = checked(objid::kShapePolar)        ? kKindPolar
                      : checked(objid::kShapeParametric) ? kKindParametric
                                                         : kKindExplicit;
    const FormFields s = FieldsOf(e);
    for (int id : s.formulas) {
        std::string text = FormText(form, id);
        if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
        if (std::uint16_t code = engine.CompileFormula(text)) return {code, id};
        FreeTree(engine.TakeCompiledTree());
        TextOfEdit(e, id) = text;
    }
    if (const int list = NumberListEdit(e)) {
        std::string text = FormText(form, list);
        if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
        if (std::uint16_t code = CheckNumberList(e, text)) return {code, list};
        TextOfEdit(e, list) = text;
    }
    for (const RealField& r : s.reals) {
        long double v = 0;
        if (std::uint16_t code = EvaluateText(engine, FormText(form, r.id), v)) return {code, r.id};
        if (!(v >= r.lo && v <= r.hi)) return {kOutOfRange, r.id};
        r.field(e) = v;
    }
    if (s.range) {
        for (int id : {eqid::kLow, eqid::kHigh})
            if (std::uint16_t code = EvaluateText(engine, FormText(form, id), id == eqid::kLow ? e.low : e.high))
                return {code, id};
        // A reversed interval would draw nothing without saying why.
        if (!(e.low < e.high)) return {kOutOfRange, eqid::kHigh};
    }
    for (const WholeField& w : s.wholes) {
        std::int32_t v = 0;
        if (std::uint16_t code = EvaluateInteger(engine, FormText(form, w.id), w.lo, w.hi, v)) return {code, w.id};
        w.field(e) = static_cast<std::uint16_t>(v);
    }
    for (const CheckField& c : s.checks) c.field(e) = checked(c.id) ? 1 : 0;
    if (s.penStyle) e.penStyle = static_cast<std::uint16_t>(std::clamp(form.penStyle, 0, 2));
    if (e.kind == kKindPoint || e.kind == kKindPointOnCurve || e.kind == kKindPointSequence) e.flag56 = 1;
    example = e;
    return {};
}

}  // namespace curvelo
