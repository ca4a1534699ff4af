#include "plot2d/ode_form.h"

#include <algorithm>

#include "expr/eval.h"
#include "plot2d/direction_field.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

std::string Get(const OdeForm& form, int id) {
    auto it = form.edits.find(id);
    return it == form.edits.end() ? std::string() : it->second;
}

bool Checked(const OdeForm& form, int id) {
    auto it = form.checks.find(id);
    return it != form.checks.end() && it->second;
}

// Compiles a formula edit into text slot `text`; the code of the first error.
std::uint16_t TakeFormula(FormulaEngine& engine, std::string text, std::string& slot) {
    if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
    if (std::uint16_t code = engine.CompileFormula(text)) return code;
    FreeTree(engine.TakeCompiledTree());
    slot = text;
    return 0;
}

}  // namespace

bool HasOdeForm(std::uint16_t kind) { return kind == kKindSystem || kind == kKindSlope; }

OdeForm OdeFormOf(const TExample& e, const NumberFormat& format) {
    OdeForm f;
    if (e.kind == kKindSlope) {
        f.edits[odeid::kDyDx] = e.texts[2];
    } else {
        f.edits[odeid::kDxDt] = e.texts[0];
        f.edits[odeid::kDyDt] = e.texts[1];
        f.edits[odeid::kRestriction] = e.texts[3];
        f.checks[odeid::kRestricted] = Restricted(e);
        f.checks[odeid::kTimeDependent] = TimeDependent(e);
    }
    f.edits[odeid::kRows] = std::to_string(e.fieldRows);
    f.edits[odeid::kSegment] = format.FormatForField(e.fieldSegment * 0.1L);
    f.edits[odeid::kPenWidth] = std::to_string(e.penWidth);
    f.checks[odeid::kBorders] = e.flags52[0] != 0;
    f.fieldStyle = std::min<int>(e.reserved16, e.kind == kKindSlope ? 1 : 2);
    f.colour = e.penColour < kColourCount ? e.penColour : 4;
    return f;
}

FormOutcome ApplyOdeForm(const OdeForm& form, FormulaEngine& engine, TExample& example) {
    TExample e = example;
    if (e.kind == kKindSlope) {
        if (std::uint16_t code = TakeFormula(engine, Get(form, odeid::kDyDx), e.texts[2])) return {code, odeid::kDyDx};
    } else {
        for (int id : {odeid::kDxDt, odeid::kDyDt})
            if (std::uint16_t code = TakeFormula(engine, Get(form, id), e.texts[static_cast<std::size_t>(id - odeid::kDxDt)]))
                return {code, id};
        const bool restricted = Checked(form, odeid::kRestricted);
        // The restriction is checked only when it is asked for; its text is kept either way.
        std::string restriction = Get(form, odeid::kRestriction);
        if (restricted) {
            if (std::uint16_t code = TakeFormula(engine, restriction, e.texts[3])) return {code, odeid::kRestriction};
        } else {
            if (restriction.size() > TExample::kTextCapacity) restriction.resize(TExample::kTextCapacity);
            e.texts[3] = restriction;
        }
        e.positiveROnly = restricted;
        e.flag51 = Checked(form, odeid::kTimeDependent);
    }
    std::int32_t rows = 0, width = 0;
    if (std::uint16_t code = EvaluateInteger(engine, Get(form, odeid::kRows), kMinFieldRows, kMaxFieldRows, rows))
        return {code, odeid::kRows};
    long double percent = 0;
    if (std::uint16_t code = EvaluateText(engine, Get(form, odeid::kSegment), percent)) return {code, odeid::kSegment};
    const long double tenths = percent * 10;
    if (!(tenths >= kMinFieldSegment - 0.5L && tenths <= kMaxFieldSegment)) return {17, odeid::kSegment};
    if (std::uint16_t code = EvaluateInteger(engine, Get(form, odeid::kPenWidth), kMinPenWidth, kMaxPenWidth, width))
        return {code, odeid::kPenWidth};
    e.fieldRows = static_cast<std::uint16_t>(rows);
    e.fieldSegment = static_cast<std::uint16_t>(std::clamp<long double>(tenths + 0.5L, kMinFieldSegment, kMaxFieldSegment));
    e.penWidth = static_cast<std::uint16_t>(width);
    e.flags52[0] = Checked(form, odeid::kBorders);
    e.reserved16 = static_cast<std::uint16_t>(std::clamp(form.fieldStyle, 0, e.kind == kKindSlope ? 1 : 2));
    e.penColour = static_cast<std::uint16_t>(std::clamp(form.colour, 0, kColourCount - 1));
    example = e;
    return {};
}

}  // namespace curvelo
