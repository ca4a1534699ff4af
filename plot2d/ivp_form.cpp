#include "plot2d/ivp_form.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

std::string Get(const IvpForm& form, int id) {
    auto it = form.edits.find(id);
    return it == form.edits.end() ? std::string() : it->second;
}

constexpr std::uint16_t kSpaceSystemKind = 310;

std::string Trimmed(std::string s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

IvpForm IvpFormOf(std::uint16_t kind, const TInitialCondition& c, const NumberFormat& format) {
    IvpForm f;
    auto text = [&](int index, long double value) {
        return c.AsText() && !c.texts[static_cast<std::size_t>(index)].empty() ? c.texts[static_cast<std::size_t>(index)]
                                                                               : Trimmed(format.FormatForField(value));
    };
    f.edits[ivpid::kX] = text(TInitialCondition::kTextX0, c.x0);
    f.edits[ivpid::kY] = text(TInitialCondition::kTextY0, c.y0);
    if (kind == kKindSlope) {
        f.edits[ivpid::kStep] = text(TInitialCondition::kTextStep, c.step);
        f.edits[ivpid::kSteps] = c.AsText() && !c.texts[TInitialCondition::kTextSteps].empty()
                                     ? c.texts[TInitialCondition::kTextSteps]
                                     : std::to_string(c.StepLimit());
    } else {
        f.edits[ivpid::kT] = text(TInitialCondition::kTextT0, c.t0);
    }
    if (kind == kSpaceSystemKind) f.edits[ivpid::kZ] = text(TInitialCondition::kTextZ0, c.z0);
    f.edits[ivpid::kPenWidth] = std::to_string(c.width);
    f.asText = c.AsText();
    f.method = static_cast<int>(c.Method());
    f.direction = static_cast<int>(c.Direction());
    f.colour = c.colour < kColourCount ? c.colour : 0;
    return f;
}

FormOutcome ApplyIvpForm(std::uint16_t kind, const IvpForm& form, FormulaEngine& engine, TInitialCondition& c) {
    TInitialCondition n = c;
    struct Real { int id; long double* target; int text; };
    std::vector<Real> reals = {{ivpid::kX, &n.x0, TInitialCondition::kTextX0}, {ivpid::kY, &n.y0, TInitialCondition::kTextY0}};
    if (kind == kKindSlope) reals.push_back({ivpid::kStep, &n.step, TInitialCondition::kTextStep});
    else reals.push_back({ivpid::kT, &n.t0, TInitialCondition::kTextT0});
    if (kind == kSpaceSystemKind) reals.push_back({ivpid::kZ, &n.z0, TInitialCondition::kTextZ0});
    n.texts = {};
    for (const Real& r : reals) {
        std::string text = Get(form, r.id);
        if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
        if (std::uint16_t code = EvaluateText(engine, text, *r.target)) return {code, r.id};
        n.texts[static_cast<std::size_t>(r.text)] = text;
    }
    if (kind == kKindSlope) {
        if (!(n.step != 0)) return {17, ivpid::kStep};
        std::string text = Get(form, ivpid::kSteps);
        if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
        long double steps = 0;
        if (std::uint16_t code = EvaluateText(engine, text, steps)) return {code, ivpid::kSteps};
        if (!(steps >= 1)) return {14, ivpid::kSteps};
        if (steps > kMaxSlopeSteps) return {17, ivpid::kSteps};
        n.steps = std::floor(steps);
        n.texts[TInitialCondition::kTextSteps] = text;
        n.methodCode = static_cast<std::uint16_t>(std::clamp(form.method, 0, 2));
    } else {
        n.directionCode = static_cast<std::uint16_t>(std::clamp(form.direction, 0, 2));
    }
    std::int32_t width = 1;
    if (std::uint16_t code = EvaluateInteger(engine, Get(form, ivpid::kPenWidth), kMinPenWidth, kMaxPenWidth, width))
        return {code, ivpid::kPenWidth};
    n.width = static_cast<std::uint16_t>(width);
    n.colour = static_cast<std::uint16_t>(std::clamp(form.colour, 0, kColourCount - 1));
    n.textFlag = form.asText ? kConditionAsText : kConditionPlain;
    if (!form.asText) n.texts = {};
    c = n;
    return {};
}

void UpdateFromTexts(std::uint16_t kind, FormulaEngine& engine, TInitialCondition& c) {
    if (!c.AsText()) return;
    auto take = [&](int index, long double& target) {
        const std::string& text = c.texts[static_cast<std::size_t>(index)];
        long double v = 0;
        if (!text.empty() && EvaluateText(engine, text, v) == 0 && std::isfinite(v)) target = v;
    };
    take(TInitialCondition::kTextX0, c.x0);
    take(TInitialCondition::kTextY0, c.y0);
    if (kind == kKindSlope) {
        long double step = c.step, steps = c.steps;
        take(TInitialCondition::kTextStep, step);
        take(TInitialCondition::kTextSteps, steps);
        if (step != 0) c.step = step;
        if (steps >= 1) c.steps = std::min(std::floor(steps), kMaxSlopeSteps);
    } else {
        take(TInitialCondition::kTextT0, c.t0);
    }
    if (kind == kSpaceSystemKind) take(TInitialCondition::kTextZ0, c.z0);
}

std::string IvpListLine(std::uint16_t kind, const TInitialCondition& c, const NumberFormat& format) {
    auto num = [&](long double v) { return Trimmed(format.FormatForField(v)); };
    std::string line = "(" + num(c.x0) + "; " + num(c.y0);
    if (kind == kSpaceSystemKind) line += "; " + num(c.z0);
    if (kind == kKindSlope) {
        static const char* const kMethods[] = {"Euler", "mod Euler", "Runge-Kutta"};
        line += ")  h = " + num(c.step) + ", " + std::to_string(c.StepLimit()) + " lépés, " +
                kMethods[static_cast<int>(c.Method())];
    } else {
        static const char* const kDirections[] = {"előre", "hátra", "mindkettő"};
        line += "; t = " + num(c.t0) + ")  " + kDirections[static_cast<int>(c.Direction())];
    }
    line += ", " + std::string(ColourName(std::min<int>(c.colour, kColourCount - 1)));
    if (c.AsText()) line += ", szöveg";
    return line;
}

std::vector<TInitialCondition> ConditionsAtClick(std::uint16_t kind, long double x, long double y,
                                                 const std::vector<TInitialCondition>& existing, long double viewWidth) {
    TInitialCondition c;
    if (!existing.empty()) {
        c = existing.back();
    } else {
        c.step = viewWidth > 0 && std::isfinite(viewWidth) ? viewWidth / 200 : 0.05L;
        c.steps = 400;
    }
    // A click places numbers, not formulas.
    c.textFlag = kConditionPlain;
    c.texts = {};
    c.x0 = x;
    c.y0 = y;
    c.t0 = 0;
    if (kind != kKindSlope) return {c};
    if (!(c.step != 0)) c.step = 0.05L;
    c.steps = std::max<long double>(c.steps, 1);
    TInitialCondition right = c, left = c;
    right.step = std::fabs(c.step);
    left.step = -std::fabs(c.step);
    return {right, left};
}

}  // namespace curvelo
