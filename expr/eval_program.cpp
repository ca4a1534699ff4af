#include "expr/eval_program.h"

#include <cmath>

#include "expr/eval.h"
#include "expr/eval_arith.h"
#include "expr/eval_functions.h"
#include "expr/fast_exp.h"
#include "expr/fast_trig.h"
#include "expr/node_kinds.h"

namespace curvelo {

namespace {

enum Op : std::uint8_t {
    kLoadLetter,
    kLoadConst,
    kPush,
    kSin,
    kCos,
    kExp,
    kSqrt,
    kAbs,
    kLn,
    kSquare,
    kPowInt,
    kRealFunction,
    kFirstBinary,
};

// The two-operand kinds, in the order of their opcode blocks.
enum Arithmetic : int { kPlus, kMinus, kTimes, kDivide, kCaret, kPow, kArithmeticCount };

// Where the operand that is not the running value comes from. A "left" operand is the
// node's child A: the running value is then child B.
enum Operand : int { kRightLetter, kRightConst, kLeftLetter, kLeftConst, kLeftStack, kOperandCount };

constexpr std::uint8_t BinaryOp(int arithmetic, int operand) {
    return static_cast<std::uint8_t>(kFirstBinary + arithmetic * kOperandCount + operand);
}

int ArithmeticOf(nk::Kind kind) {
    switch (kind) {
    case nk::PLUS: return kPlus;
    case nk::MINUS: return kMinus;
    case nk::TIMES: return kTimes;
    case nk::DIVIDE: return kDivide;
    case nk::CARET: return kCaret;
    case nk::POW: return kPow;
    default: return -1;
    }
}

// Each kernel gives what the tree's node of that kind leaves in its real part.
template <int A>
inline bool Apply(long double a, long double b, long double& out) {
    if constexpr (A == kPlus) {
        out = a + b;
        return true;
    } else if constexpr (A == kMinus) {
        out = a - b;
        return true;
    } else if constexpr (A == kTimes) {
        return RealMultiply(a, b, out);
    } else if constexpr (A == kDivide) {
        return RealDivide(a, b, out);
    } else if constexpr (A == kCaret) {
        ExtComplex r;
        const bool ok = EvalPower({a, 0.0L}, {b, 0.0L}, false, r);
        out = r.re;
        return ok;
    } else {
        // POW: child A is the integer exponent, child B the base.
        std::int32_t e = 0;
        return ToInteger(a, 0.0L, e) && RealIntegerPower(b, e, out);
    }
}

bool IsLeaf(const ExprNode* n) { return !n || n->kind == nk::NUM || nk::IsLetter(n->kind); }

}  // namespace

void EvalProgram::Reset(ExprNode* tree) {
    tree_ = tree;
    steps_.clear();
    stack_.clear();
    // A constant root needs no code, and the walk leaves it exactly as stored.
    flat_ = tree && tree->kind != nk::NUM && Emit(tree, 0);
    if (!flat_) steps_.clear();
}

bool EvalProgram::EmitLeafOperand(const ExprNode* leaf, int arithmetic, bool leafOnRight) {
    Step step;
    if (leaf && nk::IsLetter(leaf->kind)) {
        step.op = BinaryOp(arithmetic, leafOnRight ? kRightLetter : kLeftLetter);
        step.letter = static_cast<std::uint8_t>(leaf->kind - nk::AT);
    } else {
        // A missing child evaluates to zero.
        if (leaf && !IsZeroBits(leaf->value.im)) return false;
        step.op = BinaryOp(arithmetic, leafOnRight ? kRightConst : kLeftConst);
        step.constant = leaf ? leaf->value.re : 0.0L;
    }
    steps_.push_back(step);
    return true;
}

bool EvalProgram::Emit(const ExprNode* n, int depth) {
    Step step;
    if (IsLeaf(n)) {
        if (n && nk::IsLetter(n->kind)) {
            step.op = kLoadLetter;
            step.letter = static_cast<std::uint8_t>(n->kind - nk::AT);
        } else {
            if (n && !IsZeroBits(n->value.im)) return false;
            step.op = kLoadConst;
            step.constant = n ? n->value.re : 0.0L;
        }
        steps_.push_back(step);
        return true;
    }
    if (n->childC) return false;
    const int arithmetic = ArithmeticOf(n->kind);
    if (arithmetic >= 0) {
        const ExprNode* a = n->childA;
        const ExprNode* b = n->childB;
        std::int32_t e = 0;
        if (arithmetic == kPow && a && a->kind == nk::NUM && ToInteger(a->value, e)) {
            if (!Emit(b, depth)) return false;
            step.op = kPowInt;
            step.exponent = e;
            steps_.push_back(step);
            return true;
        }
        if (IsLeaf(b)) return Emit(a, depth) && EmitLeafOperand(b, arithmetic, true);
        if (IsLeaf(a)) return Emit(b, depth) && EmitLeafOperand(a, arithmetic, false);
        if (!Emit(a, depth)) return false;
        step.op = kPush;
        steps_.push_back(step);
        if (stack_.size() < (static_cast<std::size_t>(depth) + 1) * kBlock) stack_.resize((depth + 1) * kBlock);
        if (!Emit(b, depth + 1)) return false;
        step.op = BinaryOp(arithmetic, kLeftStack);
        steps_.push_back(step);
        return true;
    }
    // Functions of one argument; RAND draws from a shared source, and CIS and CONJ leave
    // imaginary parts (CONJ a negative zero) that the running value does not carry.
    if (n->childA || !(IsOneArgumentFunction(n->kind) || n->kind == nk::SQUARE) || n->kind == nk::RAND ||
        n->kind == nk::CIS || n->kind == nk::CONJ)
        return false;
    if (!Emit(n->childB, depth)) return false;
    switch (n->kind) {
    case nk::SIN: step.op = kSin; break;
    case nk::COS: step.op = kCos; break;
    case nk::EXP: step.op = kExp; break;
    case nk::SQR: step.op = kSqrt; break;
    case nk::ABS: step.op = kAbs; break;
    case nk::LN: step.op = kLn; break;
    case nk::SQUARE: step.op = kSquare; break;
    default:
        step.op = kRealFunction;
        step.kind = n->kind;
        break;
    }
    steps_.push_back(step);
    return true;
}

// One evaluation with the running value in a register; the first undefined step hands over
// to the tree walk.
#define CURVELO_SCALAR_CASES(A)                                                            \
    case BinaryOp(A, kRightLetter):                                                        \
        if (!Apply<A>(acc, letters[step.letter].re, acc)) goto undefined;                  \
        break;                                                                             \
    case BinaryOp(A, kRightConst):                                                         \
        if (!Apply<A>(acc, step.constant, acc)) goto undefined;                            \
        break;                                                                             \
    case BinaryOp(A, kLeftLetter):                                                         \
        if (!Apply<A>(letters[step.letter].re, acc, acc)) goto undefined;                  \
        break;                                                                             \
    case BinaryOp(A, kLeftConst):                                                          \
        if (!Apply<A>(step.constant, acc, acc)) goto undefined;                            \
        break;                                                                             \
    case BinaryOp(A, kLeftStack):                                                          \
        if (!Apply<A>(*--top, acc, acc)) goto undefined;                                   \
        break;

bool EvalProgram::Run(LetterStore& s) {
    if (!flat_ || s.ComplexMode) return EvalNode(s, tree_);
    const ExtComplex* const letters = s.LetterValues;
    long double* top = stack_.data();
    long double acc = 0.0L;
    for (const Step& step : steps_) {
        switch (step.op) {
        case kLoadLetter:
            acc = letters[step.letter].re;
            break;
        case kLoadConst:
            acc = step.constant;
            break;
        case kPush:
            *top++ = acc;
            break;
        case kSin:
            if (!(std::fabs(acc) <= kTrigLimit)) goto undefined;
            acc = FastSin(acc);
            break;
        case kCos:
            if (!(std::fabs(acc) <= kTrigLimit)) goto undefined;
            acc = FastCos(acc);
            break;
        case kExp:
            if (!(acc < kExpLimit)) goto undefined;
            acc = acc <= -kExpLimit ? 0.0L : FastExp(acc);
            break;
        case kSqrt:
            if (!(acc >= 0)) goto undefined;
            acc = std::sqrt(acc);
            break;
        case kAbs:
            acc = acc * acc < kTiny ? 0.0L : std::fabs(acc);
            break;
        case kLn:
            if (!(acc >= kTiny)) goto undefined;
            acc = std::log(acc);
            break;
        case kSquare:
            if (!RealMultiply(acc, acc, acc)) goto undefined;
            break;
        case kPowInt:
            if (!RealIntegerPower(acc, step.exponent, acc)) goto undefined;
            break;
        case kRealFunction: {
            ExtComplex out;
            if (!EvalRealFunction(s, step.kind, {acc, 0.0L}, out) || !IsZeroBits(out.im)) goto undefined;
            acc = out.re;
            break;
        }
        CURVELO_SCALAR_CASES(kPlus)
        CURVELO_SCALAR_CASES(kMinus)
        CURVELO_SCALAR_CASES(kTimes)
        CURVELO_SCALAR_CASES(kDivide)
        CURVELO_SCALAR_CASES(kCaret)
        CURVELO_SCALAR_CASES(kPow)
        default:
            goto undefined;
        }
    }
    tree_->value.re = acc;
    SetZero(tree_->value.im);
    return true;
undefined:
    // The tree settles what an undefined value leaves behind.
    return EvalNode(s, tree_);
}

#undef CURVELO_SCALAR_CASES

namespace {

// Applies a two-operand kernel to every sample of a block; the operand that is not the
// running value comes from `operand` (a constant, a letter or a stack level).
template <int A, bool OperandOnLeft, typename Operand>
inline void ApplyLanes(long double* acc, std::uint8_t* ok, int n, Operand operand) {
    for (int i = 0; i < n; ++i) {
        long double r = 0.0L;
        const bool good = OperandOnLeft ? Apply<A>(operand(i), acc[i], r) : Apply<A>(acc[i], operand(i), r);
        acc[i] = r;
        ok[i] &= static_cast<std::uint8_t>(good);
    }
}

// Applies a one-operand kernel (false = undefined) to every sample of a block.
template <typename Kernel>
inline void MapLanes(long double* acc, std::uint8_t* ok, int n, Kernel kernel) {
    for (int i = 0; i < n; ++i) ok[i] &= static_cast<std::uint8_t>(kernel(acc[i]));
}

inline void Fill(long double* lanes, int n, long double v) {
    for (int i = 0; i < n; ++i) lanes[i] = v;
}

}  // namespace

#define CURVELO_BINARY_CASES(A)                                                                     \
    case BinaryOp(A, kRightLetter):                                                                 \
        if (step.letter == sampled) {                                                               \
            ApplyLanes<A, false>(acc, ok, n, [xs](int i) { return xs[i]; });                        \
        } else {                                                                                    \
            const long double v = letters[step.letter].re;                                          \
            ApplyLanes<A, false>(acc, ok, n, [v](int) { return v; });                               \
        }                                                                                           \
        break;                                                                                      \
    case BinaryOp(A, kRightConst): {                                                                \
        const long double v = step.constant;                                                        \
        ApplyLanes<A, false>(acc, ok, n, [v](int) { return v; });                                   \
        break;                                                                                      \
    }                                                                                               \
    case BinaryOp(A, kLeftLetter):                                                                  \
        if (step.letter == sampled) {                                                               \
            ApplyLanes<A, true>(acc, ok, n, [xs](int i) { return xs[i]; });                         \
        } else {                                                                                    \
            const long double v = letters[step.letter].re;                                          \
            ApplyLanes<A, true>(acc, ok, n, [v](int) { return v; });                                \
        }                                                                                           \
        break;                                                                                      \
    case BinaryOp(A, kLeftConst): {                                                                 \
        const long double v = step.constant;                                                        \
        ApplyLanes<A, true>(acc, ok, n, [v](int) { return v; });                                    \
        break;                                                                                      \
    }                                                                                               \
    case BinaryOp(A, kLeftStack): {                                                                 \
        top -= kBlock;                                                                              \
        const long double* level = top;                                                             \
        ApplyLanes<A, true>(acc, ok, n, [level](int i) { return level[i]; });                       \
        break;                                                                                      \
    }

void EvalProgram::RunBlock(LetterStore& s, int sampled, const long double* xs, int n, long double* acc,
                           std::uint8_t* ok, std::uint8_t* jump) {
    const ExtComplex* const letters = s.LetterValues;
    long double* top = stack_.data();
    const std::uint8_t savedJump = s.JumpFlag;
    for (int i = 0; i < n; ++i) {
        ok[i] = 1;
        jump[i] = 0;
    }
    for (const Step& step : steps_) {
        switch (step.op) {
        case kLoadLetter:
            if (step.letter == sampled)
                for (int i = 0; i < n; ++i) acc[i] = xs[i];
            else
                Fill(acc, n, letters[step.letter].re);
            break;
        case kLoadConst:
            Fill(acc, n, step.constant);
            break;
        case kPush:
            for (int i = 0; i < n; ++i) top[i] = acc[i];
            top += kBlock;
            break;
        case kSin:
            MapLanes(acc, ok, n, [](long double& v) {
                if (!(std::fabs(v) <= kTrigLimit)) return false;
                v = FastSin(v);
                return true;
            });
            break;
        case kCos:
            MapLanes(acc, ok, n, [](long double& v) {
                if (!(std::fabs(v) <= kTrigLimit)) return false;
                v = FastCos(v);
                return true;
            });
            break;
        case kExp:
            MapLanes(acc, ok, n, [](long double& v) {
                if (!(v < kExpLimit)) return false;
                v = v <= -kExpLimit ? 0.0L : FastExp(v);
                return true;
            });
            break;
        case kSqrt:
            MapLanes(acc, ok, n, [](long double& v) {
                if (!(v >= 0)) return false;
                v = std::sqrt(v);
                return true;
            });
            break;
        case kAbs:
            MapLanes(acc, ok, n, [](long double& v) {
                v = v * v < kTiny ? 0.0L : std::fabs(v);
                return true;
            });
            break;
        case kLn:
            MapLanes(acc, ok, n, [](long double& v) {
                if (!(v >= kTiny)) return false;
                v = std::log(v);
                return true;
            });
            break;
        case kSquare:
            MapLanes(acc, ok, n, [](long double& v) { return RealMultiply(v, v, v); });
            break;
        case kPowInt: {
            const std::int32_t e = step.exponent;
            MapLanes(acc, ok, n, [e](long double& v) { return RealIntegerPower(v, e, v); });
            break;
        }
        case kRealFunction:
            // These may set the jump flag: it is caught per sample.
            for (int i = 0; i < n; ++i) {
                s.JumpFlag = 0;
                ExtComplex out;
                const bool good = EvalRealFunction(s, step.kind, {acc[i], 0.0L}, out) && IsZeroBits(out.im);
                acc[i] = out.re;
                ok[i] &= static_cast<std::uint8_t>(good);
                jump[i] |= s.JumpFlag;
            }
            break;
        CURVELO_BINARY_CASES(kPlus)
        CURVELO_BINARY_CASES(kMinus)
        CURVELO_BINARY_CASES(kTimes)
        CURVELO_BINARY_CASES(kDivide)
        CURVELO_BINARY_CASES(kCaret)
        CURVELO_BINARY_CASES(kPow)
        default:
            for (int i = 0; i < n; ++i) ok[i] = 0;
            break;
        }
    }
    s.JumpFlag = savedJump;
}

#undef CURVELO_BINARY_CASES

void EvalProgram::RunBatch(LetterStore& s, int letter, const long double* xs, int count, long double* values,
                           std::uint8_t* defined, std::uint8_t* jumps) {
    auto walk = [&](int i) {
        SetLetter(s, letter, xs[i]);
        s.JumpFlag = 0;
        defined[i] = static_cast<std::uint8_t>(EvalNode(s, tree_));
        values[i] = tree_ ? tree_->value.re : 0.0L;
        jumps[i] = s.JumpFlag;
    };
    if (count <= 0) return;
    if (!flat_ || s.ComplexMode || letter < 0 || letter >= kLetterCount) {
        for (int i = 0; i < count; ++i) walk(i);
        return;
    }
    long double acc[kBlock];
    std::uint8_t ok[kBlock], jump[kBlock];
    bool lastWalked = false;
    for (int base = 0; base < count; base += kBlock) {
        const int n = count - base < kBlock ? count - base : kBlock;
        RunBlock(s, letter, xs + base, n, acc, ok, jump);
        for (int i = 0; i < n; ++i) {
            lastWalked = !ok[i] || jump[i];
            if (lastWalked) {
                walk(base + i);
            } else {
                values[base + i] = acc[i];
                defined[base + i] = 1;
                jumps[base + i] = 0;
            }
        }
    }
    SetLetter(s, letter, xs[count - 1]);
    if (!lastWalked) {
        tree_->value.re = values[count - 1];
        SetZero(tree_->value.im);
        s.JumpFlag = 0;
    }
}

}  // namespace curvelo
