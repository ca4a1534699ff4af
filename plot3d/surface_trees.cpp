#include "plot3d/surface_trees.h"

#include <cmath>
#include <string>

#include "expr/differentiate.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"
#include "expr/simplify.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {
namespace {

ExprNode* Letter(std::uint16_t kind) { return NewNode(kind); }
ExprNode* Num(long double v) { return NewNumber(v); }
ExprNode* Add(ExprNode* a, ExprNode* b) { return NewBinary(nk::PLUS, a, b); }
ExprNode* Sub(ExprNode* a, ExprNode* b) { return NewBinary(nk::MINUS, a, b); }
ExprNode* Mul(ExprNode* a, ExprNode* b) { return NewBinary(nk::TIMES, a, b); }
ExprNode* Div(ExprNode* a, ExprNode* b) { return NewBinary(nk::DIVIDE, a, b); }
ExprNode* Copy(const ExprNode* t) { return CloneTree(t); }

ExprNode* CompileText(FormulaEngine& engine, const std::string& text, std::uint16_t& firstError) {
    const std::uint16_t code = engine.CompileFormula(text);
    if (code == 0) return engine.TakeCompiledTree();
    if (firstError == 0) firstError = code;
    return Num(0.0L);
}

void SetTree(InventorySlot& slot, int i, ExprNode* tree) {
    FreeTree(slot.trees[static_cast<std::size_t>(i)]);
    slot.trees[static_cast<std::size_t>(i)] = tree;
}

long double ValueAt(FormulaEngine& engine, ExprNode* tree, long double t, bool& defined) {
    long double v = 0.0L;
    defined = EvalAt(engine, tree, kLetterT, t, v) && std::isfinite(v);
    return v;
}

// Tube around the curve of texts 0..2 with radius text 3, built with the symbolic frame:
// N the principal normal, B = beta / |beta| (equal to tangent x N, with a shorter tree).
std::uint16_t CompileTube(InventorySlot& slot, FormulaEngine& engine) {
    std::uint16_t error = 0;
    const TExample& e = slot.example;
    ExprNode* g[3];
    for (int i = 0; i < 3; ++i) g[i] = CompileText(engine, e.texts[static_cast<std::size_t>(i)], error);
    ExprNode* r = CompileText(engine, e.texts[3], error);
    ExprNode* d1[3] = {};
    ExprNode* d2[3] = {};
    bool tooLarge = false;
    for (int i = 0; i < 3; ++i) {
        d1[i] = Differentiate(engine, g[i], nk::T);
        d2[i] = d1[i] ? Differentiate(engine, d1[i], nk::T) : nullptr;
        tooLarge = tooLarge || !d1[i] || !d2[i];
    }
    auto freeAll = [&] {
        for (int i = 0; i < 3; ++i) {
            FreeTree(g[i]);
            FreeTree(d1[i]);
            FreeTree(d2[i]);
        }
        FreeTree(r);
    };
    if (tooLarge) {
        freeAll();
        for (int i = 0; i < 3; ++i) SetTree(slot, i, Num(0.0L));
        return error ? error : kDerivativeTooLarge;
    }
    const ConstTreeTriple gp = {d1[0], d1[1], d1[2]};
    TreeTriple beta = BuildCrossProduct(gp, {d2[0], d2[1], d2[2]});
    ExprNode* betaLength = BuildLength3(beta[0], beta[1], beta[2]);
    ExprNode* length = BuildLength3(d1[0], d1[1], d1[2]);

    // A straight curve has no principal normal: a fixed unit vector across the tangent at
    // t = 1 stands in for it.
    const long double savedT = GetLetter(engine.letters, kLetterT);
    bool betaDefined = false;
    const long double betaAt1 = ValueAt(engine, betaLength, 1.0L, betaDefined);
    long double tangent[3] = {1, 0, 0};
    bool tangentDefined = true;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        tangent[i] = ValueAt(engine, d1[i], 1.0L, ok);
        tangentDefined = tangentDefined && ok;
    }
    SetLetter(engine.letters, kLetterT, savedT);
    const bool straight = betaDefined && std::fabs(betaAt1) < 1e-18L;

    ExprNode* normal[3];
    ExprNode* second[3];
    if (!straight) {
        TreeTriple bxg = BuildCrossProduct({beta[0], beta[1], beta[2]}, gp);
        for (int i = 0; i < 3; ++i) {
            normal[i] = Div(bxg[static_cast<std::size_t>(i)], Mul(Copy(betaLength), Copy(length)));
            second[i] = Div(Copy(beta[static_cast<std::size_t>(i)]), Copy(betaLength));
        }
    } else {
        long double len = std::sqrt(tangent[0] * tangent[0] + tangent[1] * tangent[1] + tangent[2] * tangent[2]);
        if (!tangentDefined || !(len > 1e-18L)) {
            tangent[0] = 0; tangent[1] = 0; tangent[2] = 1; len = 1;
        }
        for (long double& c : tangent) c /= len;
        // The axis least along the tangent, made perpendicular to it.
        int axis = 0;
        for (int i = 1; i < 3; ++i)
            if (std::fabs(tangent[i]) < std::fabs(tangent[axis])) axis = i;
        long double n[3] = {0, 0, 0};
        n[axis] = 1;
        const long double dot = tangent[axis];
        long double nl = 0;
        for (int i = 0; i < 3; ++i) {
            n[i] -= dot * tangent[i];
            nl += n[i] * n[i];
        }
        nl = std::sqrt(nl);
        for (long double& c : n) c /= nl;
        ExprNode* fixed[3] = {Num(n[0]), Num(n[1]), Num(n[2])};
        TreeTriple txn = BuildCrossProduct(gp, {fixed[0], fixed[1], fixed[2]});
        for (int i = 0; i < 3; ++i) {
            normal[i] = fixed[i];
            second[i] = Div(txn[static_cast<std::size_t>(i)], Copy(length));
        }
    }
    for (int i = 0; i < 3; ++i) {
        ExprNode* around = Add(Mul(NewUnary(nk::COS, Letter(nk::U)), normal[i]),
                               Mul(NewUnary(nk::SIN, Letter(nk::U)), second[i]));
        ExprNode* coordinate = Add(Copy(g[i]), Mul(Copy(r), around));
        SetTree(slot, i, SimplifyTree(engine, coordinate));
    }
    for (ExprNode* b : beta) FreeTree(b);
    FreeTree(betaLength);
    FreeTree(length);
    freeAll();
    return error;
}

// The curve of texts 0, 1 (polar: r in text 2; explicit: y = f(x) in text 1) turned about the line a x + b y = c of its
// plane: the point moves by (cos u - 1) h n in the plane and h sin u |n| out of it, with
// n = (a, b) and h = (a x + b y - c) / |n|^2.
std::uint16_t CompileRevolution(InventorySlot& slot, FormulaEngine& engine) {
    std::uint16_t error = 0;
    TExample& e = slot.example;
    ExprNode* x = nullptr;
    ExprNode* y = nullptr;
    if (!e.texts[2].empty()) {
        ExprNode* r = CompileText(engine, e.texts[2], error);
        ExprNode* t = Letter(nk::T);
        auto xy = BuildPolarToCartesian(r, t);
        FreeTree(r);
        FreeTree(t);
        x = xy[0];
        y = xy[1];
    } else if (e.texts[0].empty()) {
        // An explicit curve y = f(x) of a 2D window: x = t, y = f(t).
        x = Letter(nk::T);
        y = CompileText(engine, e.texts[1], error);
        ToParametric(y);
    } else {
        x = CompileText(engine, e.texts[0], error);
        y = CompileText(engine, e.texts[1], error);
    }
    const long double a = surf::AxisA(e), b = surf::AxisB(e), c = surf::AxisC(e);
    long double n2 = a * a + b * b;
    if (!(n2 > 1e-36L) || !std::isfinite(n2)) {
        if (!error) error = 6;
        n2 = 1;
    }
    auto h = [&] { return Div(Sub(Add(Mul(Num(a), Copy(x)), Mul(Num(b), Copy(y))), Num(c)), Num(n2)); };
    auto cosMinus1 = [&] { return Sub(NewUnary(nk::COS, Letter(nk::U)), Num(1)); };
    SetTree(slot, 0, SimplifyTree(engine, Add(Copy(x), Mul(cosMinus1(), Mul(Num(a), h())))));
    SetTree(slot, 1, SimplifyTree(engine, Add(Copy(y), Mul(cosMinus1(), Mul(Num(b), h())))));
    SetTree(slot, 2, SimplifyTree(engine, Mul(Num(std::sqrt(n2)), Mul(h(), NewUnary(nk::SIN, Letter(nk::U))))));
    FreeTree(x);
    FreeTree(y);
    return error;
}

// The square of side `size` centred on (k, m, n) across the normal (a, b, c).
std::uint16_t CompilePlane(InventorySlot& slot, FormulaEngine& engine, PlaneCoefficients& plane) {
    long double size = 2;
    std::uint16_t error = ReadPlane(engine, slot.example, plane, size);
    if (error) {
        plane = PlaneCoefficients{};
        size = 2;
    }
    const long double nl = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
    const long double n[3] = {plane.a / nl, plane.b / nl, plane.c / nl};
    // First direction: the normal crossed with the axis it leans on least.
    int axis = 0;
    for (int i = 1; i < 3; ++i)
        if (std::fabs(n[i]) < std::fabs(n[axis])) axis = i;
    long double e1[3] = {0, 0, 0};
    e1[axis] = 1;
    long double dot = n[axis], l1 = 0;
    for (int i = 0; i < 3; ++i) {
        e1[i] -= dot * n[i];
        l1 += e1[i] * e1[i];
    }
    l1 = std::sqrt(l1);
    for (long double& v : e1) v /= l1;
    const long double e2[3] = {n[1] * e1[2] - n[2] * e1[1], n[2] * e1[0] - n[0] * e1[2], n[0] * e1[1] - n[1] * e1[0]};
    const long double centre[3] = {plane.k, plane.m, plane.n};
    const long double half = size / 2;
    for (int i = 0; i < 3; ++i)
        SetTree(slot, i, Add(Num(centre[i]), Add(Mul(Num(half * e1[i]), Letter(nk::T)),
                                                 Mul(Num(half * e2[i]), Letter(nk::U)))));
    return error;
}

}  // namespace

std::uint16_t ParseThreeNumbers(FormulaEngine& engine, std::string_view text, long double out[3]) {
    std::string parts[3];
    int count = 0, depth = 0;
    for (char ch : text) {
        if (ch == '(') ++depth;
        if (ch == ')') --depth;
        if (ch == ',' && depth == 0) {
            if (++count > 2) return 1;
            continue;
        }
        parts[count] += ch;
    }
    if (count != 2) return 1;
    for (int i = 0; i < 3; ++i)
        if (std::uint16_t code = EvaluateText(engine, parts[i], out[i])) return code;
    return 0;
}

std::uint16_t ReadPlane(FormulaEngine& engine, const TExample& e, PlaneCoefficients& plane, long double& size) {
    long double abc[3];
    for (int i = 0; i < 3; ++i)
        if (std::uint16_t code = EvaluateText(engine, e.texts[static_cast<std::size_t>(i)], abc[i])) return code;
    long double kmn[3];
    if (std::uint16_t code = ParseThreeNumbers(engine, e.texts[3], kmn)) return code;
    if (std::uint16_t code = EvaluateText(engine, e.texts[5], size)) return code;
    const long double n2 = abc[0] * abc[0] + abc[1] * abc[1] + abc[2] * abc[2];
    if (!(n2 > 1e-36L) || !std::isfinite(n2) || !(size > 0) || !std::isfinite(size)) return 6;
    plane = {abc[0], abc[1], abc[2], kmn[0], kmn[1], kmn[2]};
    return 0;
}

std::uint16_t CompileSurface(InventorySlot& slot, FormulaEngine& engine) {
    TExample& e = slot.example;
    std::uint16_t error = 0;
    SurfaceWork* work = EnsureSurfaceWork(slot);
    switch (e.kind) {
    case kKindSurfaceExplicit:
    case kKindCylindrical:
        SetTree(slot, 2, CompileText(engine, e.texts[2], error));
        break;
    case kKindSurfaceParametric:
    case kKindSpherical:
        for (int i = 0; i < 3; ++i) SetTree(slot, i, CompileText(engine, e.texts[static_cast<std::size_t>(i)], error));
        break;
    case kKindTube: error = CompileTube(slot, engine); break;
    case kKindRevolution: error = CompileRevolution(slot, engine); break;
    case kKindPlane: error = CompilePlane(slot, engine, work->plane); break;
    case kKindSurfaceImplicit: {
        // f = g is kept as f - g; a malformed equation as "=", which the parser refuses.
        std::string formula;
        if (!ImplicitDifference(e.texts[4], formula)) formula = "=";
        SetTree(slot, 4, CompileText(engine, formula, error));
        break;
    }
    default: break;
    }
    if (work) work->ResetPrograms(slot);
    return error;
}

}  // namespace curvelo
