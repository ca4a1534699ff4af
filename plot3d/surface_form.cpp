#include "plot3d/surface_form.h"

#include <algorithm>
#include <vector>

#include "expr/eval.h"
#include "plot2d/example_limits.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_trees.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

struct TextEdit {
    int id;
    int text;
};

// The edits that hold formula texts, in the order they are checked.
std::vector<TextEdit> TextEditsOf(std::uint16_t kind) {
    using namespace surfid;
    switch (kind) {
    case kKindSurfaceExplicit:
    case kKindCylindrical: return {{kText2, 2}};
    case kKindSurfaceParametric:
    case kKindRevolution: return {{kText0, 0}, {kText1, 1}, {kText2, 2}};
    case kKindSurfaceImplicit: return {{kEquation, 4}};
    case kKindTube: return {{kText0, 0}, {kText1, 1}, {kText2, 2}, {kText3, 3}};
    case kKindPlane: return {{kText0, 0}, {kText1, 1}, {kText2, 2}, {kText3, 3}, {kSquareSize, 5}};
    case kKindSpherical: return {{kText3, 3}};
    default: return {};
    }
}


std::uint16_t Colour(const EquationForm& form, int id, std::uint16_t old) {
    auto it = form.combos.find(id);
    if (it == form.combos.end() || it->second < 0 || it->second >= kColourCount) return old;
    return static_cast<std::uint16_t>(it->second);
}

// Whether a formula edit must hold a formula: the surface of revolution needs its polar r,
// or y (x empty: y = f(x)).
bool Required(const TExample& e, const EquationForm& form, int id) {
    if (e.kind != kKindRevolution) return true;
    const bool polar = !FormFormula(form, surfid::kText2).empty();
    return polar ? id == surfid::kText2 : id == surfid::kText1;
}

}  // namespace

EquationForm SurfaceFormOf(const TExample& e, const NumberFormat& format) {
    using namespace surfid;
    EquationForm f;
    for (const TextEdit& t : TextEditsOf(e.kind)) f.edits[t.id] = e.texts[static_cast<std::size_t>(t.text)];
    f.edits[kPenWidth] = std::to_string(e.penWidth);
    f.combos[kPenColour] = e.penColour;
    f.penStyle = e.penStyle <= 2 ? e.penStyle : 0;
    if (!IsMeshKind(e.kind)) return f;
    f.edits[kLow] = format.FormatForField(e.low);
    f.edits[kHigh] = format.FormatForField(e.high);
    f.edits[kLow2] = format.FormatForField(e.low2);
    f.edits[kHigh2] = format.FormatForField(e.high2);
    f.edits[kN1] = std::to_string(surf::N1(e));
    f.edits[kN2] = std::to_string(surf::N2(e));
    f.edits[kSamples1] = std::to_string(surf::Samples1(e));
    f.edits[kSamples2] = std::to_string(surf::Samples2(e));
    if (e.kind == kKindRevolution) {
        f.edits[kAxisA] = format.FormatForField(e.value281);
        f.edits[kAxisB] = format.FormatForField(e.value291);
        f.edits[kAxisC] = format.FormatForField(e.value301);
    }
    f.combos[kColour1] = surf::Colour1(e);
    f.combos[kColour2] = surf::Colour2(e);
    f.combos[kMeshColour] = surf::MeshColour(e);
    f.checks[kShaded] = surf::Shaded(e);
    f.checks[kFast] = !surf::Slow(e);
    f.checks[kSpectrum] = surf::Spectrum(e);
    f.checks[kMeshLines] = surf::MeshLines(e);
    return f;
}

FormOutcome ApplySurfaceForm(const EquationForm& form, FormulaEngine& engine, TExample& example) {
    using namespace surfid;
    TExample e = example;
    for (const TextEdit& t : TextEditsOf(e.kind)) {
        const std::string text = FormFormula(form, t.id);
        if (e.kind == kKindPlane && t.text != 4) {
            // Numbers of the plane: a, b, c, the point "k,m,n" and the square's size.
            long double v[3];
            const std::uint16_t code = t.text == 3 ? ParseThreeNumbers(engine, text, v) : EvaluateText(engine, text, v[0]);
            if (code) return {code, t.id};
        } else if (!text.empty() || Required(e, form, t.id)) {
            // The implicit equation f = g is checked as f - g.
            std::string formula = text;
            if (e.kind == kKindSurfaceImplicit && !ImplicitDifference(text, formula)) formula = "=";
            if (std::uint16_t code = engine.CompileFormula(formula)) return {code, t.id};
            FreeTree(engine.TakeCompiledTree());
        }
        e.texts[static_cast<std::size_t>(t.text)] = text;
    }
    if (e.kind == kKindPlane) {
        PlaneCoefficients plane;
        long double size = 0;
        if (std::uint16_t code = ReadPlane(engine, e, plane, size)) return {code, kText0};
    }
    if (e.kind == kKindSpherical) {
        const std::string r = "(" + e.texts[3] + ")";
        const std::string texts[3] = {r + "sin(u)cos(t)", r + "sin(u)sin(t)", r + "cos(u)"};
        for (int i = 0; i < 3; ++i) {
            // The built texts must fit the record's buffers too.
            if (texts[i].size() > TExample::kTextCapacity) return {17, kText3};
            e.texts[static_cast<std::size_t>(i)] = texts[i];
        }
    }
    std::int32_t width = 0;
    if (std::uint16_t code = EvaluateInteger(engine, FormFormula(form, kPenWidth), kMinPenWidth, kMaxPenWidth, width))
        return {code, kPenWidth};
    e.penWidth = static_cast<std::uint16_t>(width);
    e.penColour = Colour(form, kPenColour, e.penColour);
    e.penStyle = static_cast<std::uint16_t>(std::clamp(form.penStyle, 0, 2));
    if (IsMeshKind(e.kind)) {
        struct RealField { int id; long double* target; };
        std::vector<RealField> reals = {{kLow, &e.low}, {kHigh, &e.high}, {kLow2, &e.low2}, {kHigh2, &e.high2}};
        if (e.kind == kKindRevolution)
            reals.insert(reals.end(), {{kAxisA, &e.value281}, {kAxisB, &e.value291}, {kAxisC, &e.value301}});
        for (const RealField& r : reals)
            if (std::uint16_t code = EvaluateText(engine, FormFormula(form, r.id), *r.target)) return {code, r.id};
        // A reversed or empty range would give a mesh of one point.
        if (!(e.low < e.high)) return {17, kHigh};
        if (!(e.low2 < e.high2)) return {17, kHigh2};
        if (e.kind == kKindRevolution && !(e.value281 * e.value281 + e.value291 * e.value291 > 1e-36L))
            return {6, kAxisA};
        std::int32_t n[2] = {0, 0}, samples[2] = {0, 0};
        const int nIds[2] = {kN1, kN2}, sIds[2] = {kSamples1, kSamples2};
        for (int k = 0; k < 2; ++k) {
            if (std::uint16_t code = EvaluateInteger(engine, FormFormula(form, nIds[k]), 1, kMaxMeshVertices, n[k]))
                return {code, nIds[k]};
            if (std::uint16_t code = EvaluateInteger(engine, FormFormula(form, sIds[k]), kMinSamples, kMaxSamples, samples[k]))
                return {code, sIds[k]};
        }
        if (std::uint16_t code = CheckMeshIntervals(n[0], n[1])) return {code, kN1};
        e.ints111[0] = static_cast<std::uint16_t>(n[0]);
        e.ints111[1] = static_cast<std::uint16_t>(n[1]);
        e.ints117[0] = static_cast<std::uint16_t>(samples[0]);
        e.ints117[1] = static_cast<std::uint16_t>(samples[1]);
        surf::Colour1(e) = Colour(form, kColour1, surf::Colour1(e));
        surf::Colour2(e) = Colour(form, kColour2, surf::Colour2(e));
        surf::MeshColour(e) = Colour(form, kMeshColour, surf::MeshColour(e));
        surf::Shaded(e) = FormChecked(form, kShaded);
        surf::Slow(e) = !FormChecked(form, kFast);
        surf::Spectrum(e) = FormChecked(form, kSpectrum);
        surf::MeshLines(e) = FormChecked(form, kMeshLines);
    }
    example = e;
    return {};
}

}  // namespace curvelo
