#include "plot2d/curve_form.h"

#include <cmath>

#include "expr/differentiate.h"
#include "expr/eval.h"
#include "plot2d/example_kinds.h"
#include "plot2d/measure_integrand.h"

namespace curvelo {
namespace {

constexpr long double kTiny = 1e-18L;

ExprNode* Num(long double v) { return NewNumber(v); }
ExprNode* Letter(int letter) { return NewNode(nk::LetterKind(letter)); }
ExprNode* Add(ExprNode* a, ExprNode* b) { return NewBinary(nk::PLUS, a, b); }
ExprNode* Sub(ExprNode* a, ExprNode* b) { return NewBinary(nk::MINUS, a, b); }
ExprNode* Mul(ExprNode* a, ExprNode* b) { return NewBinary(nk::TIMES, a, b); }

// Evaluates a tree that does not depend on the curve's letter (a coefficient).
bool Constant(LetterStore& letters, ExprNode* tree, long double& value) {
    if (!tree || !EvalNode(letters, tree)) return false;
    value = tree->value.re;
    return std::isfinite(value);
}

// x, y from the given trees, with their first and second derivatives in the letter.
bool SetCurve(FormulaEngine& engine, CurveForm& f, ExprNode* x, ExprNode* y) {
    const std::uint16_t v = nk::LetterKind(f.letter);
    f.x.reset(x);
    f.y.reset(y);
    f.dx.reset(Differentiate(engine, f.x.get(), v));
    f.dy.reset(Differentiate(engine, f.y.get(), v));
    if (!f.dx || !f.dy) return false;
    f.ddx.reset(Differentiate(engine, f.dx.get(), v));
    f.ddy.reset(Differentiate(engine, f.dy.get(), v));
    return f.ddx && f.ddy;
}

// The straight piece from (x1, y1) in direction (ux, uy): P(T) = p1 + T·u.
bool SetStraight(FormulaEngine& engine, CurveForm& f, long double x1, long double y1, long double ux,
                 long double uy) {
    return SetCurve(engine, f, Add(Num(x1), Mul(Num(ux), Letter(f.letter))),
                    Add(Num(y1), Mul(Num(uy), Letter(f.letter))));
}

// G = a·X + b·Y - c with its constant gradient.
void SetLinearEquation(CurveForm& f, long double a, long double b, long double c) {
    f.g.reset(Sub(Add(Mul(Num(a), Letter(kLetterX)), Mul(Num(b), Letter(kLetterY))), Num(c)));
    f.gx.reset(Num(a));
    f.gy.reset(Num(b));
    f.gScale = std::hypot(a, b);
}

bool BuildSegment(FormulaEngine& engine, const InventorySlot& slot, CurveForm& f) {
    long double v[4];
    for (int i = 0; i < 4; ++i)
        if (!Constant(engine.letters, slot.trees[static_cast<std::size_t>(i)], v[i])) return false;
    if (slot.example.longSearch) {  // (r, t) pairs
        const long double r1 = v[0], t1 = v[1], r2 = v[2], t2 = v[3];
        v[0] = r1 * std::cos(t1), v[1] = r1 * std::sin(t1), v[2] = r2 * std::cos(t2), v[3] = r2 * std::sin(t2);
    }
    f.ax = v[0], f.ay = v[1], f.bx = v[2], f.by = v[3];
    const long double ux = f.bx - f.ax, uy = f.by - f.ay;
    if (!std::isfinite(ux) || !std::isfinite(uy) || std::hypot(ux, uy) <= kTiny) return false;
    f.letter = kLetterT;
    f.lo = 0, f.hi = 1;
    f.bounded = true;
    // uy·(X - x1) - ux·(Y - y1)
    SetLinearEquation(f, uy, -ux, uy * f.ax - ux * f.ay);
    return SetStraight(engine, f, f.ax, f.ay, ux, uy);
}

bool BuildLine(FormulaEngine& engine, const InventorySlot& slot, const PlotView& view, CurveForm& f) {
    long double a = 0, b = 0, c = 0;
    if (!Constant(engine.letters, slot.trees[0], a) || !Constant(engine.letters, slot.trees[1], b) ||
        !Constant(engine.letters, slot.trees[2], c))
        return false;
    if (std::fabs(a) <= kTiny && std::fabs(b) <= kTiny) return false;
    f.letter = kLetterT;
    SetLinearEquation(f, a, b, c);
    // Across the view: by x unless the line is vertical.
    if (std::fabs(b) > kTiny) {
        f.lo = view.xmin, f.hi = view.xmax;
        return SetStraight(engine, f, 0, c / b, 1, -a / b);
    }
    f.lo = view.ymin, f.hi = view.ymax;
    return SetStraight(engine, f, c / a, 0, 0, 1);
}

}  // namespace

bool HasCurveForm(std::uint16_t kind) {
    return kind == kKindExplicit || kind == kKindPolar || kind == kKindParametric || kind == kKindSegment ||
           kind == kKindLine;
}

bool HasCurveQuantities(std::uint16_t kind) { return kind == kKindPolar || kind == kKindParametric; }

bool HasExtrema(std::uint16_t kind) { return kind == kKindExplicit || HasCurveQuantities(kind); }

bool BuildCurveForm(FormulaEngine& engine, const InventorySlot& slot, const PlotView& view, CurveForm& f) {
    const TExample& e = slot.example;
    f = CurveForm{};
    f.kind = e.kind;
    switch (e.kind) {
    case kKindSegment: return BuildSegment(engine, slot, f);
    case kKindLine: return BuildLine(engine, slot, view, f);
    case kKindExplicit: {
        if (!slot.trees[1]) return false;
        f.letter = kLetterX;
        f.lo = e.low, f.hi = e.high;
        if (e.intervalFixed) f.bounded = true, f.xLow = e.low, f.xHigh = e.high;
        if (!SetCurve(engine, f, Letter(kLetterX), CloneTree(slot.trees[1]))) return false;
        f.g.reset(Sub(Letter(kLetterY), CloneTree(slot.trees[1])));
        // dy is f' in X: the gradient of Y - f(X) is (-f', 1).
        f.gx.reset(Sub(Num(0), CloneTree(f.dy.get())));
        f.gy.reset(Num(1));
        return true;
    }
    case kKindPolar:
    case kKindParametric: {
        if (!slot.trees[0] || !slot.trees[1]) return false;
        f.letter = SampledLetter(e);
        f.lo = e.low, f.hi = e.high;
        if (!SetCurve(engine, f, CloneTree(slot.trees[0]), CloneTree(slot.trees[1]))) return false;
        if (e.kind == kKindPolar) {
            if (!slot.trees[2]) return false;
            f.positiveROnly = e.positiveROnly != 0;
            f.r.reset(CloneTree(slot.trees[2]));
        } else {
            f.r.reset(BuildLength2(f.x.get(), f.y.get()));
        }
        f.dr.reset(Differentiate(engine, f.r.get(), nk::LetterKind(f.letter)));
        return f.dr != nullptr;
    }
    default: return false;
    }
}

bool CurvePointAt(LetterStore& letters, const CurveForm& form, long double t, long double& px, long double& py) {
    if (form.letter < 0 || form.letter >= kLetterCount) return false;
    const ExtComplex saved = letters.LetterValues[form.letter];
    long double r = 1;
    const bool ok = EvalAt(letters, form.x.get(), form.letter, t, px) &&
                    EvalAt(letters, form.y.get(), form.letter, t, py) &&
                    (!form.positiveROnly || (EvalAt(letters, form.r.get(), form.letter, t, r) && r > 0));
    letters.LetterValues[form.letter] = saved;
    return ok && std::isfinite(px) && std::isfinite(py);
}

bool EquationHolds(const CurveForm& form, long double px, long double py) {
    if (!form.bounded) return true;
    if (form.kind != kKindSegment) return px >= form.xLow && px <= form.xHigh;
    const long double ux = form.bx - form.ax, uy = form.by - form.ay;
    const long double s = ((px - form.ax) * ux + (py - form.ay) * uy) / (ux * ux + uy * uy);
    constexpr long double kSlack = 1e-12L;
    return s >= -kSlack && s <= 1 + kSlack;
}

ExprNode* QuantityDerivative(const CurveForm& form, Quantity q) {
    return q == Quantity::kX ? form.dx.get() : q == Quantity::kY ? form.dy.get() : form.dr.get();
}

}  // namespace curvelo
