// The evaluator: one recursion over the nodes, values kept in the nodes, no allocation.
#include "expr/eval.h"

#include <cmath>
#include <cstring>

#include "expr/eval_arith.h"
#include "expr/eval_cancel.h"
#include "expr/eval_complex.h"
#include "expr/eval_functions.h"
#include "expr/fast_exp.h"
#include "expr/fast_trig.h"
#include "expr/hyperbolic.h"
#include "expr/node_kinds.h"

namespace curvelo {

namespace {

// Sum and difference; a zero imaginary part is kept as exact zero bits (the real case).
inline void AddValues(const ExtComplex& a, const ExtComplex& b, ExtComplex& out) {
    out.re = a.re + b.re;
    if (IsZeroBits(a.im) && IsZeroBits(b.im))
        SetZero(out.im);
    else
        out.im = a.im + b.im;
}

inline void SubtractValues(const ExtComplex& a, const ExtComplex& b, ExtComplex& out) {
    out.re = a.re - b.re;
    if (IsZeroBits(a.im) && IsZeroBits(b.im))
        SetZero(out.im);
    else
        out.im = a.im - b.im;
}

// One more step of a loop, unless the work was cancelled or the loop budget is spent.
inline bool TakeLoopStep(LetterStore& s) {
    if (!CountEvalStep(s)) return false;
    if (s.LoopBudget < 0) return true;
    if (s.LoopBudget == 0) return false;
    --s.LoopBudget;
    return true;
}

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;
constexpr long double kInvSqrtTwoPi = 0.398942280401432677939946059934381868L;
constexpr long double kFactorialLimit = 32767.0L;
constexpr long double kGaussCutoff = 10.0L;

bool NearJump(const LetterStore& s, long double d) { return std::fabs(d) < s.JumpTolerance; }

// The slot an iteration or period reduction works on: X, or Z in complex mode.
ExtComplex& VariableSlot(LetterStore& s) { return s.LetterValues[s.ComplexMode ? kLetterZ : kLetterX]; }

bool EvalSum(LetterStore& s, ExprNode* n, ExtComplex& out) {
    const ExprNode* term = n->childA;
    const ExprNode* range = n->childB;
    if (!term || !range || !range->childA || !range->childB || !term->childB) return false;
    std::int32_t lo = 0, hi = 0;
    if (!ToInteger(range->childA->value, lo) || !ToInteger(range->childB->value, hi) || hi < lo) return false;
    const int index = nk::LetterIndex(term->childB->kind);
    if (index < 1 || index >= kLetterCount) return false;
    ExprNode* summand = term->childA;
    const bool product = n->kind == nk::PROD;
    ExtComplex acc{product ? 1.0L : 0.0L, 0.0L};
    for (std::int64_t k = lo; k <= hi; ++k) {
        if (!TakeLoopStep(s)) return false;
        s.LetterValues[index] = {static_cast<long double>(k), 0.0L};
        if (!EvalNode(s, summand)) return false;
        const ExtComplex v = summand ? summand->value : ExtComplex{};
        if (product) {
            if (!Multiply(acc, v, s.ComplexMode, acc)) return false;
            // Once the product is exactly zero it stays zero; skip the remaining factors.
            if (acc.re == 0 && acc.im == 0) {
                s.LetterValues[index] = {static_cast<long double>(hi), 0.0L};
                break;
            }
        } else {
            acc.re += v.re;
            acc.im += v.im;
        }
    }
    s.JumpFlag = 0;
    out = acc;
    return true;
}

bool EvalIter(LetterStore& s, ExprNode* n, const ExtComplex& firstStep, ExtComplex& out) {
    ExtComplex& slot = VariableSlot(s);
    if (n->aux < 1) {
        out = s.ComplexMode ? slot : ExtComplex{slot.re, 0.0L};
        return true;
    }
    const ExtComplex saved = slot;
    ExtComplex x = firstStep;
    bool ok = true;
    for (std::int32_t i = 1; i < n->aux; ++i) {
        if (!TakeLoopStep(s)) {
            ok = false;
            break;
        }
        slot = x;
        if (!EvalNode(s, n->childB)) {
            ok = false;
            break;
        }
        x = n->childB ? n->childB->value : ExtComplex{};
    }
    slot = saved;
    out = ok ? x : ExtComplex{};
    return ok;
}

bool EvalIterDerivative(LetterStore& s, ExprNode* n, const ExtComplex& a, const ExtComplex& b, ExtComplex& out) {
    if (n->aux < 1) {
        out = {1.0L, 0.0L};
        return true;
    }
    if (!n->childA || !n->childB) return false;
    ExtComplex& slot = VariableSlot(s);
    const ExtComplex saved = slot;
    ExtComplex product = a;  // f'(x0)
    ExtComplex x = b;        // x1 = f(x0)
    bool ok = true;
    for (std::int32_t i = 1; i < n->aux && ok; ++i) {
        if (!TakeLoopStep(s)) {
            ok = false;
            break;
        }
        slot = x;
        if (!EvalNode(s, n->childA) || !Multiply(product, n->childA->value, s.ComplexMode, product)) {
            ok = false;
        } else if (i + 1 < n->aux) {
            if (!EvalNode(s, n->childB))
                ok = false;
            else
                x = n->childB->value;
        }
    }
    slot = saved;
    out = ok ? product : ExtComplex{};
    return ok;
}

bool EvalPeriodic(LetterStore& s, ExprNode* n, const ExtComplex& start, const ExtComplex& period, ExtComplex& out) {
    ExtComplex& slot = VariableSlot(s);
    const ExtComplex saved = slot;
    const long double x = slot.re;
    const long double k = std::floor((x - start.re) / period.re);
    const long double reduced = x - k * period.re;
    if (!std::isfinite(reduced)) return false;
    slot.re = reduced;
    const bool ok = EvalNode(s, n->childB);
    slot = saved;
    if (reduced + s.JumpTolerance > start.re + period.re) s.JumpFlag = 1;
    if (!ok) return false;
    out = n->childB ? n->childB->value : ExtComplex{};
    return true;
}

// Divide's rules on a quotient formed from two-part values.
bool DividePairs(const fasttrig::Pair& a, const fasttrig::Pair& b, ExtComplex& out) {
    out = {};
    if (!(std::fabs(b.hi) >= kTiny)) return false;
    const long double q = fasttrig::Quotient(a, b);
    if (!(std::fabs(q) <= kBig)) return false;
    if (std::fabs(q) >= kTiny) out.re = q;
    return true;
}

// tan = sin/cos; sec, csc and cot = 1/cos, 1/sin and 1/tan through the division rules, each
// formed in one quotient of the two-part sine and cosine.
bool TrigQuotient(std::uint16_t kind, long double x, ExtComplex& out) {
    out = {};
    fasttrig::Pair sine, cosine;
    if (!(std::fabs(x) <= kTrigLimit) || !SinCosPairs(x, sine, cosine)) return false;
    switch (kind) {
    case nk::TAN:
        if (!(std::fabs(cosine.hi) >= kTiny)) return false;
        out.re = fasttrig::Quotient(sine, cosine);
        return true;
    case nk::SEC:
        return DividePairs({1.0L, 0.0L}, cosine, out);
    case nk::CSC:
        return DividePairs({1.0L, 0.0L}, sine, out);
    default:  // COT: tan must be defined and not below TINY
        if (!(std::fabs(cosine.hi) >= kTiny) || !(std::fabs(fasttrig::Quotient(sine, cosine)) >= kTiny)) return false;
        return DividePairs(cosine, sine, out);
    }
}

bool EvalBinom(LetterStore& s, long double a, const ExtComplex& rv, ExtComplex& out) {
    std::int32_t r = 0;
    if (!ToInteger(rv, r)) return false;
    long double p = 1.0L;
    for (std::int32_t i = 0; i < r; ++i) {
        if (!TakeLoopStep(s)) return false;
        p *= (a - i) / static_cast<long double>(r - i);
        if (!(std::fabs(p) < kBig)) return false;
        if (p == 0) break;  // stays zero
    }
    out = {p, 0.0L};
    return true;
}

bool EvalGcd(LetterStore& s, long double a, long double b, ExtComplex& out) {
    const long double limit = static_cast<long double>(kIntMax);
    if (!(std::fabs(a) <= limit) || !(std::fabs(b) <= limit)) return false;
    auto nearHalf = [&](long double v) {
        const long double m = std::fabs(v);
        return std::fabs(m - std::floor(m) - 0.5L) < s.JumpTolerance;
    };
    if (nearHalf(a) || nearHalf(b)) s.JumpFlag = 1;
    if (std::fabs(a) < 0.5L || std::fabs(b) < 0.5L) {
        out = {};
        return true;
    }
    std::int64_t x = RoundToInt(a), y = RoundToInt(b);
    if (x < 0) x = -x;
    if (y < 0) y = -y;
    while (y != 0) {
        const std::int64_t t = x % y;
        x = y;
        y = t;
    }
    out = {static_cast<long double>(x), 0.0L};
    return true;
}

bool EvalRoot(const ExtComplex& av, const ExtComplex& bv, bool complexMode, ExtComplex& out) {
    std::int32_t n = 0;
    if (!ToInteger(av, n) || n == 0) return false;
    if (complexMode) return ComplexRoot(bv, n, out);
    const long double b = bv.re;
    if (std::fabs(b) < kTiny) {
        out = {};
        return n > 0;
    }
    if (b < 0 && n % 2 == 0) return false;
    const long double v = std::exp(std::log(std::fabs(b)) / n);
    out = {b < 0 ? -v : v, 0.0L};
    return std::isfinite(v);
}

}  // namespace

bool EvalPower(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out) {
    std::int32_t n = 0;
    if (ToInteger(b, n)) return IntegerPower(a, n, complexMode, out);
    if (complexMode) return ComplexPower(a, b, out);
    if (!(a.re >= 0)) return false;
    // Zero to a negative power is undefined, as 0^-1 is; the exponent rule below would
    // turn 0^-0.5 into e^2500.
    if (a.re < kTiny && b.re < 0) return false;
    long double t = a.re >= kTiny ? std::log(a.re) : -kExpLimit;
    t *= b.re;
    if (t < -kExpLimit) {
        out = {};
        return true;
    }
    if (!(t <= kExpLimit)) return false;
    out = {FastExp(t), 0.0L};
    return true;
}

// Real-mode (and real-part) functions of one argument.
bool EvalRealFunction(LetterStore& s, std::uint16_t kind, const ExtComplex& b, ExtComplex& out) {
    const long double x = b.re;
    const bool hasImag = b.im != 0;
    long double v = 0.0L;
    switch (kind) {
    case nk::SIN:
        if (!(std::fabs(x) <= kTrigLimit)) return false;
        v = FastSin(x);
        break;
    case nk::COS:
        if (!(std::fabs(x) <= kTrigLimit)) return false;
        v = FastCos(x);
        break;
    case nk::TAN:
    case nk::SEC:
    case nk::CSC:
    case nk::COT:
        return TrigQuotient(kind, x, out);
    case nk::ARCSIN:
    case nk::ARCCOS:
        if (!(std::fabs(x) <= 1.0L) || hasImag) return false;
        v = kind == nk::ARCSIN ? std::asin(x) : std::acos(x);
        break;
    case nk::ARCTAN:
        v = std::atan(x);
        break;
    case nk::ARCCOT:
        v = Arccot(x);
        break;
    case nk::EXP:
        if (!(x < kExpLimit)) return false;
        v = x <= -kExpLimit ? 0.0L : FastExp(x);
        break;
    case nk::LN:
    case nk::LOG:
        if (!(x >= kTiny) || hasImag) return false;
        v = kind == nk::LN ? std::log(x) : std::log(x) / kLn10;
        break;
    case nk::SQR:
        if (!(x >= 0)) return false;
        v = std::sqrt(x);
        break;
    case nk::ABS: {
        const long double q = b.re * b.re + b.im * b.im;
        v = q < kTiny ? 0.0L : std::hypot(b.re, b.im);
        break;
    }
    case nk::SINH:
    case nk::COSH:
        if (!(std::fabs(x) < kExpLimit)) return false;
        v = kind == nk::SINH ? Sinh(x) : Cosh(x);
        break;
    case nk::TANH:
        v = std::fabs(x) >= kExpLimit ? (x < 0 ? -1.0L : 1.0L) : Tanh(x);
        break;
    case nk::SECH:
        v = std::fabs(x) >= kExpLimit ? 0.0L : Sech(x);
        break;
    case nk::COTH:
        if (NearJump(s, x)) s.JumpFlag = 1;
        if (!(std::fabs(x) > kTiny)) return false;
        v = std::fabs(x) >= kExpLimit ? (x < 0 ? -1.0L : 1.0L) : Coth(x);
        break;
    case nk::CSCH:
        if (NearJump(s, x)) s.JumpFlag = 1;
        if (!(std::fabs(x) > kTiny)) return false;
        v = std::fabs(x) >= kExpLimit ? 0.0L : Csch(x);
        break;
    case nk::ARGSINH:
        if (hasImag) return false;
        v = Argsinh(x);
        break;
    case nk::ARGCOSH:
        if (!(x >= 1.0L) || hasImag) return false;
        v = std::acosh(x);
        break;
    case nk::ARGTANH:
        if (!(std::fabs(x) + kTiny <= 1.0L) || hasImag) return false;
        v = 0.5L * std::log((1.0L + x) / (1.0L - x));
        break;
    case nk::ARGCOTH:
        if (!(std::fabs(x) >= 1.0L + kTiny) || hasImag) return false;
        v = 0.5L * std::log((x + 1.0L) / (x - 1.0L));
        break;
    case nk::SGN:
    case nk::HVS:
        if (NearJump(s, x)) s.JumpFlag = 1;
        v = x < 0 ? (kind == nk::SGN ? -1.0L : 0.0L) : 1.0L;
        break;
    case nk::INT:
        v = std::trunc(x);
        if (NearJump(s, x - v)) s.JumpFlag = 1;
        break;
    case nk::FRAC:
        v = x - std::trunc(x);
        if (NearJump(s, v)) s.JumpFlag = 1;
        break;
    case nk::FLOOR:
        v = std::floor(x);
        if (x - v < s.JumpTolerance) s.JumpFlag = 1;
        break;
    case nk::CEIL:
        v = std::ceil(x);
        if (v - x < s.JumpTolerance) s.JumpFlag = 1;
        break;
    case nk::FACT:
    case nk::GAMMA: {
        if (kind == nk::FACT && !(std::fabs(x) <= kFactorialLimit)) return false;
        bool jump = false;
        const bool ok = Gamma(kind == nk::FACT ? x + 1.0L : x, s.JumpTolerance, v, jump);
        if (jump) s.JumpFlag = 1;
        if (!ok) return false;
        break;
    }
    case nk::ERF:
        v = Erf(x);
        break;
    case nk::GAUSS:
        v = std::fabs(x) > kGaussCutoff ? 0.0L : FastExp(-x * x / 2.0L) * kInvSqrtTwoPi;
        break;
    case nk::RAND:
        v = (2.0L * RandomUnit() - 1.0L) * x;
        break;
    case nk::CIS:
        out = {FastCos(x), FastSin(x)};
        return true;
    case nk::RE:
        v = b.re;
        break;
    case nk::IM:
        v = b.im;
        break;
    case nk::CONJ:
        out = {b.re, -b.im};
        return true;
    case nk::ARG:
        v = PolarAngle(b.re, b.im);
        break;
    default:
        // Kinds without a rule are defined and 0.
        break;
    }
    out = {v, 0.0L};
    return true;
}

bool IsOneArgumentFunction(std::uint16_t kind) {
    switch (kind) {
    case nk::ARCTAN: case nk::TAN: case nk::COS: case nk::EXP: case nk::FACT: case nk::INT:
    case nk::SINH: case nk::COSH: case nk::TANH: case nk::ARCCOS: case nk::LN: case nk::ABS:
    case nk::ARCSIN: case nk::SIN: case nk::SEC: case nk::CSC: case nk::COT: case nk::ARG:
    case nk::SGN: case nk::FRAC: case nk::LOG: case nk::SECH: case nk::COTH: case nk::CSCH:
    case nk::RAND: case nk::ERF: case nk::HVS: case nk::GAMMA: case nk::CIS: case nk::RE:
    case nk::IM: case nk::CONJ: case nk::GAUSS: case nk::FLOOR: case nk::CEIL:
    case nk::ARGSINH: case nk::ARGCOSH: case nk::ARGTANH: case nk::ARGCOTH: case nk::ARCCOT:
    case nk::SQR:
        return true;
    default:
        return false;
    }
}

namespace {

// Everything that is not arithmetic, a letter or a simple function: kept out of EvalNode
// so that its stack frame stays small for deep trees.
[[gnu::noinline]] bool EvalSpecial(LetterStore& s, ExprNode* n, const ExtComplex& a, const ExtComplex& c,
                                   const ExtComplex& b, bool failA, ExtComplex& out) {
    const bool cm = s.ComplexMode != 0;
    switch (n->kind) {
    case nk::FIRSTDEF:
        out = failA ? b : a;
        return true;
    case nk::ROOT:
        return EvalRoot(a, b, cm, out);
    case nk::BINOM:
        return EvalBinom(s, a.re, b, out);
    case nk::MAX:
        out = {a.re >= b.re ? a.re : b.re, 0.0L};
        return true;
    case nk::MIN:
        out = {a.re <= b.re ? a.re : b.re, 0.0L};
        return true;
    case nk::MOD: {
        const long double m = std::fabs(b.re);
        if (!(m >= ExpLimitLow())) return false;
        const long double r = a.re - m * std::floor(a.re / m);
        if (!std::isfinite(r)) return false;
        if (r < s.JumpTolerance) s.JumpFlag = 1;
        out = {r, 0.0L};
        return true;
    }
    case nk::GCD:
        return EvalGcd(s, a.re, b.re, out);
    case nk::ABS2:
        out = {std::hypot(a.re, b.re), 0.0L};
        return true;
    case nk::ARG2:
        out = {PolarAngle(a.re, b.re), 0.0L};
        return true;
    case nk::SELNEG:
    case nk::SELPOS: {
        if (NearJump(s, c.re)) s.JumpFlag = 1;
        const bool negative = c.re < 0;
        out = (negative == (n->kind == nk::SELNEG)) ? b : a;
        return true;
    }
    case nk::SUM:
    case nk::PROD:
        return EvalSum(s, n, out);
    case nk::ITER:
        return EvalIter(s, n, b, out);
    case nk::ITERD:
        return EvalIterDerivative(s, n, a, b, out);
    case nk::PERIODIC:
        return EvalPeriodic(s, n, a, c, out);
    default:
        break;
    }
    if (IsOneArgumentFunction(n->kind)) {
        if (cm) {
            bool handled = false;
            const bool ok = ComplexFunction(n->kind, b, out, handled);
            if (handled) return ok;
        }
        return EvalRealFunction(s, n->kind, b, out);
    }
    out = {};
    return true;
}

}  // namespace

namespace {

const ExtComplex kZero{};

// Leaves are handled without a call; everything else recurses.
inline bool EvalChild(LetterStore& s, ExprNode* n) {
    if (!n) return true;
    const std::uint16_t kind = n->kind;
    if (kind == nk::NUM) return true;
    if (nk::IsLetter(kind)) {
        const int index = kind - nk::AT;
        if (!s.ComplexMode) {
            // Real mode reads the real part only: the imaginary part of "@" holds its
            // animation step, which must not make ln(@) or arcsin(@) undefined.
            // Copied as raw bytes: an 80-bit load and store would cost far more.
            std::memcpy(&n->value.re, &s.LetterValues[index].re, sizeof(long double));
            SetZero(n->value.im);
        } else if (index == kLetterX || index == kLetterY) {
            const ExtComplex& z = s.LetterValues[kLetterZ];
            n->value = {index == kLetterX ? z.re : z.im, 0.0L};
        } else {
            n->value = s.LetterValues[index];
        }
        return true;
    }
    return EvalNode(s, n);
}

inline bool Store(ExprNode* n, long double re) {
    n->value.re = re;
    SetZero(n->value.im);
    return true;
}

inline bool Fail(ExprNode* n) {
    n->value = {};
    return false;
}

}  // namespace

// The full protocol for every kind and mode.
[[gnu::noinline]] static bool EvalGeneric(LetterStore& s, ExprNode* n) {
    const std::uint16_t kind = n->kind;
    // Children in the order A, C, B; the value of a node is written only once it is known.
    ExprNode* const nodeA = n->childA;
    ExprNode* const nodeC = n->childC;
    ExprNode* const nodeB = kind == nk::PERIODIC ? nullptr : n->childB;
    const bool okA = EvalChild(s, nodeA);
    const bool okC = EvalChild(s, nodeC);
    const bool okB = EvalChild(s, nodeB);
    const ExtComplex& a = nodeA ? nodeA->value : kZero;
    const ExtComplex& c = nodeC ? nodeC->value : kZero;
    const ExtComplex& b = nodeB ? nodeB->value : kZero;

    if (kind == nk::JOIN) {
        if (!okC) return Fail(n);
        const int index = (n->aux >= 0 && n->aux < kLetterCount) ? n->aux : 0;
        const long double letter = s.LetterValues[index].re;
        if (std::fabs(letter - c.re) < s.JumpTolerance) s.JumpFlag = 1;
        if (letter < c.re) {
            if (!okA) return Fail(n);
            n->value = a;
        } else {
            if (!okB) return Fail(n);
            n->value = b;
        }
        return true;
    }
    if (!okB || (!okA && kind != nk::FIRSTDEF)) return Fail(n);
    if ((kind == nk::SELNEG || kind == nk::SELPOS) && !okC) return Fail(n);

    const bool cm = s.ComplexMode != 0;
    switch (kind) {
    case nk::PLUS:
        AddValues(a, b, n->value);
        return true;
    case nk::MINUS:
        SubtractValues(a, b, n->value);
        return true;
    case nk::TIMES:
        return MultiplyQuick(a, b, cm, n->value);
    case nk::DIVIDE:
        return DivideQuick(a, b, cm, n->value);
    case nk::SQUARE:
        return MultiplyQuick(b, b, cm, n->value);
    case nk::CARET:
        return EvalPower(a, b, cm, n->value);
    case nk::POW: {
        std::int32_t e = 0;
        if (!ToInteger(a, e)) return Fail(n);
        return IntegerPower(b, e, cm, n->value);
    }
    case nk::AUX1: case nk::AUX2: case nk::AUX3: case nk::AUX4: case nk::AUX5:
        n->value = s.AuxValues[kind - nk::AUX1];
        return true;
    default:
        break;
    }
    if (!cm) {
        // The most common real functions without the detour through the dispatcher.
        const long double x = b.re;
        switch (kind) {
        case nk::SIN:
            return std::fabs(x) <= kTrigLimit ? Store(n, FastSin(x)) : Fail(n);
        case nk::COS:
            return std::fabs(x) <= kTrigLimit ? Store(n, FastCos(x)) : Fail(n);
        case nk::EXP:
            if (!(x < kExpLimit)) return Fail(n);
            return Store(n, x <= -kExpLimit ? 0.0L : FastExp(x));
        case nk::SQR:
            return x >= 0 ? Store(n, std::sqrt(x)) : Fail(n);
        case nk::ABS:
            if (b.im == 0) return Store(n, x * x < kTiny ? 0.0L : std::fabs(x));
            break;
        case nk::LN:
            return (x >= kTiny && b.im == 0) ? Store(n, std::log(x)) : Fail(n);
        default:
            break;
        }
    }
    ExtComplex out{};
    const bool ok = EvalSpecial(s, n, a, c, b, !okA, out);
    n->value = out;
    return ok;
}

// Real-mode arithmetic and the commonest functions with a small stack frame; every other
// node (and any node carrying a third child) takes the full protocol.
bool EvalNode(LetterStore& s, ExprNode* n) {
    if (!n) return true;
    const std::uint16_t kind = n->kind;
    if (kind == nk::NUM || kind == nk::SUMTERM) return true;
    if (nk::IsLetter(kind)) return EvalChild(s, n);
    if (n->childC || s.ComplexMode) return EvalGeneric(s, n);
    ExprNode* const nodeA = n->childA;
    ExprNode* const nodeB = n->childB;
    switch (kind) {
    case nk::PLUS:
    case nk::MINUS:
    case nk::TIMES:
    case nk::DIVIDE:
    case nk::POW: {
        const bool okA = EvalChild(s, nodeA);
        const bool okB = EvalChild(s, nodeB);
        if (!okA || !okB) return Fail(n);
        const ExtComplex& a = nodeA ? nodeA->value : kZero;
        const ExtComplex& b = nodeB ? nodeB->value : kZero;
        switch (kind) {
        case nk::PLUS:
            AddValues(a, b, n->value);
            return true;
        case nk::MINUS:
            SubtractValues(a, b, n->value);
            return true;
        case nk::TIMES:
            return MultiplyQuick(a, b, false, n->value);
        case nk::DIVIDE:
            return DivideQuick(a, b, false, n->value);
        default: {
            std::int32_t e = 0;
            if (!ToInteger(a, e)) return Fail(n);
            return IntegerPower(b, e, false, n->value);
        }
        }
    }
    case nk::SIN:
    case nk::COS:
    case nk::EXP:
    case nk::SQR:
    case nk::SQUARE: {
        if (nodeA) break;
        if (!EvalChild(s, nodeB)) return Fail(n);
        const ExtComplex& b = nodeB ? nodeB->value : kZero;
        const long double x = b.re;
        // The exponent field settles the limits in the common case without an 80-bit
        // constant load: below 2^62 is inside TRIGLIMIT, below 2^12 inside EXPLIMIT.
        const std::uint16_t field = ExponentField(b.re);
        switch (kind) {
        case nk::SIN:
            return (field < 0x3FFF + 62 || std::fabs(x) <= kTrigLimit) ? Store(n, FastSin(x)) : Fail(n);
        case nk::COS:
            return (field < 0x3FFF + 62 || std::fabs(x) <= kTrigLimit) ? Store(n, FastCos(x)) : Fail(n);
        case nk::EXP:
            if (field < 0x3FFF + 12) return Store(n, FastExp(x));
            if (!(x < kExpLimit)) return Fail(n);
            return Store(n, x <= -kExpLimit ? 0.0L : FastExp(x));
        case nk::SQR:
            return x >= 0 ? Store(n, std::sqrt(x)) : Fail(n);
        default:
            return MultiplyQuick(b, b, false, n->value);
        }
    }
    default:
        break;
    }
    return EvalGeneric(s, n);
}

bool EvalAt(LetterStore& s, ExprNode* tree, int k, long double v, long double& result) {
    result = 0.0L;
    if (k >= 0 && k < kLetterCount)
        s.LetterValues[k] = {v, 0.0L};
    else if (k >= kFirstAuxLetter && k < kFirstAuxLetter + kAuxCount)
        s.AuxValues[k - kFirstAuxLetter] = {v, 0.0L};
    else
        return false;
    if (!EvalNode(s, tree) || EvalCancelled(s)) return false;
    if (tree) result = tree->value.re;
    return true;
}

bool EvalAtComplex(LetterStore& s, ExprNode* tree, int k, ExtComplex v, ExtComplex& result) {
    result = {};
    if (k >= 0 && k < kLetterCount)
        s.LetterValues[k] = v;
    else if (k >= kFirstAuxLetter && k < kFirstAuxLetter + kAuxCount)
        s.AuxValues[k - kFirstAuxLetter] = v;
    else
        return false;
    if (!EvalNode(s, tree) || EvalCancelled(s)) return false;
    if (tree) result = tree->value;
    return true;
}

}  // namespace curvelo
