#include "expr/eval_program.h"

#include <cmath>

#include "expr/eval.h"
#include "expr/eval_arith.h"
#include "expr/eval_functions.h"
#include "expr/eval_steps.h"
#include "expr/fast_exp.h"
#include "expr/fast_trig.h"
#include "expr/node_kinds.h"

namespace curvelo {

namespace {

using namespace evalsteps;

bool IsLeaf(const ExprNode* n) { return !n || n->kind == nk::NUM || nk::IsLetter(n->kind); }

}  // namespace

void EvalProgram::Reset(ExprNode* tree) {
    tree_ = tree;
    steps_.clear();
    stack_.clear();
    passes_.clear();
    plannedLetter_ = -1;
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
        // A constant integer exponent: ^ takes the integer power then, as POW does.
        const bool powerOfB = arithmetic == kPow && a && a->kind == nk::NUM && ToInteger(a->value, e);
        const bool powerOfA = arithmetic == kCaret && b && b->kind == nk::NUM && ToInteger(b->value, e);
        if (powerOfB || powerOfA) {
            if (!Emit(powerOfB ? b : a, depth)) return false;
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
        if (stack_.size() < static_cast<std::size_t>(depth) + 1) stack_.resize(depth + 1);
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

}  // namespace curvelo
