#include "plot2d/equation_form.h"

#include <algorithm>

#include "expr/eval.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/inventory.h"

namespace curvelo {
namespace {

int TextIndexOfEdit(int id) { return id == eqid::kTextImplicit ? 4 : id - eqid::kTextX; }

// Whether the kind's dialog shows the interval and the discontinuity threshold.
bool HasInterval(std::uint16_t kind) { return kind != kKindImplicit; }

}  // namespace

std::string FormText(const EquationForm& form, int id) {
    auto it = form.edits.find(id);
    return it == form.edits.end() ? std::string() : it->second;
}

bool FormChecked(const EquationForm& form, int id) {
    auto it = form.checks.find(id);
    return it != form.checks.end() && it->second;
}

std::string FormFormula(const EquationForm& form, int id) {
    std::string text = FormText(form, id);
    if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
    return text;
}

bool HasEquationForm(std::uint16_t kind) {
    return kind == kKindExplicit || kind == kKindPolar || kind == kKindParametric || kind == kKindImplicit;
}

std::vector<int> FormulaEditsOf(std::uint16_t kind) {
    switch (kind) {
    case kKindExplicit: return {eqid::kTextY};
    case kKindPolar: return {eqid::kTextR};
    case kKindParametric: return {eqid::kTextX, eqid::kTextY};
    case kKindImplicit: return {eqid::kTextImplicit};
    default: return {};
    }
}

EquationForm EquationFormOf(const TExample& e, const NumberFormat& format) {
    EquationForm f;
    for (int id : FormulaEditsOf(e.kind)) f.edits[id] = e.texts[static_cast<std::size_t>(TextIndexOfEdit(id))];
    if (HasInterval(e.kind)) {
        f.edits[eqid::kLow] = format.FormatForField(e.low);
        f.edits[eqid::kHigh] = format.FormatForField(e.high);
        f.edits[eqid::kDiscontinuity] = format.FormatForField(e.discontinuity);
    }
    f.edits[eqid::kDensity] = std::to_string(e.density);
    f.edits[eqid::kPenWidth] = std::to_string(e.penWidth);
    f.penStyle = e.penStyle <= 2 ? e.penStyle : 0;
    if (e.kind == kKindExplicit) f.checks[eqid::kIntervalFixed] = e.intervalFixed != 0;
    if (e.kind == kKindPolar) f.checks[eqid::kPositiveR] = e.positiveROnly != 0;
    if (e.kind == kKindImplicit) {
        f.checks[eqid::kLongSearch] = e.longSearch != 0;
        f.checks[eqid::kObserve] = e.periodic != 0;
        f.checks[eqid::kPictureBorders] = e.flags52[0] != 0;
        f.shading = e.flag49 <= 2 ? e.flag49 : 0;
    }
    if (e.kind == kKindParametric) {
        f.checks[eqid::kArrow] = e.arrow != 0;
        f.edits[eqid::kArrowT] = format.FormatForField(e.extra311[TExample::kArrowT]);
        f.edits[eqid::kArrowSize] = std::to_string(e.arrowSize + 10);
    }
    return f;
}

FormOutcome ApplyEquationForm(const EquationForm& form, FormulaEngine& engine, TExample& example) {
    TExample e = example;
    for (int id : FormulaEditsOf(e.kind)) {
        std::string text = FormText(form, id);
        if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
        std::string formula = text;
        if (e.kind == kKindImplicit && !ImplicitDifference(text, formula)) return {1, id};  // "nem értem"
        if (std::uint16_t code = engine.CompileFormula(formula)) return {code, id};
        FreeTree(engine.TakeCompiledTree());
        e.texts[static_cast<std::size_t>(TextIndexOfEdit(id))] = text;
    }
    struct RealField { int id; long double* target; };
    std::vector<RealField> reals;
    if (HasInterval(e.kind))
        reals = {{eqid::kLow, &e.low}, {eqid::kHigh, &e.high}, {eqid::kDiscontinuity, &e.discontinuity}};
    if (e.kind == kKindParametric) reals.push_back({eqid::kArrowT, &e.extra311[TExample::kArrowT]});
    for (const RealField& r : reals)
        if (std::uint16_t code = EvaluateText(engine, FormText(form, r.id), *r.target)) return {code, r.id};
    // A reversed interval would draw nothing without saying why.
    if (HasInterval(e.kind) && !(e.low < e.high)) return {17, eqid::kHigh};

    struct WholeField { int id; std::uint16_t* target; int lo, hi, offset; };
    std::vector<WholeField> wholes = {{eqid::kDensity, &e.density, kMinDensity, kMaxDensity, 0},
                                      {eqid::kPenWidth, &e.penWidth, kMinPenWidth, kMaxPenWidth, 0}};
    if (e.kind == kKindParametric)
        wholes.push_back({eqid::kArrowSize, &e.arrowSize, kMinArrowSize, kMaxArrowSize, -10});
    for (const WholeField& w : wholes) {
        std::int32_t v = 0;
        if (std::uint16_t code = EvaluateInteger(engine, FormText(form, w.id), w.lo, w.hi, v)) return {code, w.id};
        *w.target = static_cast<std::uint16_t>(v + w.offset);
    }
    if (e.kind == kKindExplicit) e.intervalFixed = FormChecked(form, eqid::kIntervalFixed);
    if (e.kind == kKindPolar) e.positiveROnly = FormChecked(form, eqid::kPositiveR);
    if (e.kind == kKindParametric) e.arrow = FormChecked(form, eqid::kArrow);
    if (e.kind == kKindImplicit) {
        e.longSearch = FormChecked(form, eqid::kLongSearch);
        e.periodic = FormChecked(form, eqid::kObserve);
        e.flags52[0] = FormChecked(form, eqid::kPictureBorders);
        e.flag49 = static_cast<std::uint8_t>(std::clamp(form.shading, 0, 2));
    }
    e.penStyle = static_cast<std::uint16_t>(std::clamp(form.penStyle, 0, 2));
    example = e;
    return {};
}

}  // namespace curvelo
