#pragma once
// The step codes of a flattened program and the kernels of its two-operand steps, shared
// by the one-value evaluation and the batch. Internal to the evaluator.

#include <cstdint>

#include "expr/eval.h"
#include "expr/eval_arith.h"
#include "expr/eval_functions.h"
#include "expr/node_kinds.h"

namespace curvelo::evalsteps {

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

inline int ArithmeticOf(nk::Kind kind) {
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

}  // namespace curvelo::evalsteps
