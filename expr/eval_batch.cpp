// Batch evaluation of a flattened program: the steps regrouped into passes over blocks of
// samples. A pass reads 80-bit values once, applies its steps in registers and stores once;
// the loads and stores of 80-bit values, not the arithmetic, are what a pass costs.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "expr/eval_program.h"
#include "expr/eval_steps.h"
#include "expr/fast_exp.h"
#include "expr/fast_trig.h"

namespace curvelo {

namespace {

using namespace evalsteps;

// Steps that, up to three at a time, share a pass. Each gives what the walk gives wherever
// it does not raise `bad`; where it raises it, the block goes through Run sample by sample.
enum Fused : std::uint8_t {
    kNoOp,
    kAddOp,
    kSubOp,
    kRSubOp,  // operand - running
    kMulOp,
    kSqOp,
    kCubeOp,
    kDivOp,
    kRDivOp,  // operand / running
    kAbsOp,
    kSqrtOp,
    kFusedCount
};
// Steps with a pass of their own (they call out, or cost far more than a load and store).
enum Single : std::uint8_t {
    kSinPass = kFusedCount,
    kCosPass,
    kExpPass,
    kLnPass,
    kPowerPass,     // integer power by a constant exponent
    kFunctionPass,  // any other real function
    kCaretRight,    // running ^ operand
    kCaretLeft,     // operand ^ running
    kPowRight,      // pow(operand, running): the operand is the exponent
    kPowLeft,       // pow(running, operand)
};

constexpr int kFirstLane = 2;  // lanes 0 and 1: the sampled letter and the output

// A lane's values for one block: an array, or one value for every sample.
struct Lane {
    const long double* p;
    bool scalar;
};

// Reads a lane inside a pass: a scalar is held in a register, not read per sample.
struct LaneReader {
    explicit LaneReader(const Lane& lane) : p(lane.p), scalar(lane.scalar), value(lane.scalar ? *lane.p : 0.0L) {}
    long double operator[](int i) const { return scalar ? value : p[i]; }
    const long double* p;
    bool scalar;
    long double value;
};

constexpr bool Binary(int op) { return (op >= kAddOp && op <= kMulOp) || op == kDivOp || op == kRDivOp; }

inline bool Ordinary(long double v) { return std::fabs(v) < kTwoTo59; }

template <int Op>
inline long double Fast(long double v, long double o, unsigned& bad) {
    if constexpr (Op == kNoOp) {
        return v;
    } else if constexpr (Op == kAddOp) {
        return v + o;
    } else if constexpr (Op == kSubOp) {
        return v - o;
    } else if constexpr (Op == kRSubOp) {
        return o - v;
    } else if constexpr (Op == kMulOp) {
        bad |= static_cast<unsigned>(!Ordinary(v)) | static_cast<unsigned>(!Ordinary(o));
        return v * o;
    } else if constexpr (Op == kDivOp || Op == kRDivOp) {
        const long double num = Op == kDivOp ? v : o, den = Op == kDivOp ? o : v;
        const long double q = num / den;
        const long double mq = std::fabs(q), md = std::fabs(den);
        bad |= static_cast<unsigned>(!Ordinary(num)) | static_cast<unsigned>(!(md >= kTwoToMinus59)) |
               static_cast<unsigned>(!(md < kTwoTo59)) | static_cast<unsigned>(!(mq >= kTwoToMinus59)) |
               static_cast<unsigned>(!(mq < kTwoTo59));
        return q;
    } else if constexpr (Op == kSqOp) {
        bad |= static_cast<unsigned>(!Ordinary(v));
        return v * v;
    } else if constexpr (Op == kCubeOp) {
        // Square-and-multiply from the lowest bit: v times v^2.
        const long double s = v * v;
        bad |= static_cast<unsigned>(!Ordinary(v)) | static_cast<unsigned>(!Ordinary(s));
        return v * s;
    } else if constexpr (Op == kAbsOp) {
        return v * v < kTiny ? 0.0L : std::fabs(v);
    } else {
        bad |= static_cast<unsigned>(!(v >= 0));
        return std::sqrt(v);
    }
}

// A third step of a pass is one of the first few (none, +, -, reversed -, *, square, cube):
// those end most chains, and all combinations of three would make the table needlessly large.
constexpr int kTailCount = kCubeOp + 1;

template <int Op1, int Op2, int Op3>
bool FusedPass(Lane sourceLane, long double* target, const Lane* lanes, int n) {
    const LaneReader source(sourceLane), a(lanes[0]), b(lanes[1]), c(lanes[2]);
    unsigned bad = 0;
    for (int i = 0; i < n; ++i) {
        long double v = source[i];
        v = Fast<Op1>(v, Binary(Op1) ? a[i] : 0.0L, bad);
        v = Fast<Op2>(v, Binary(Op2) ? b[i] : 0.0L, bad);
        v = Fast<Op3>(v, Binary(Op3) ? c[i] : 0.0L, bad);
        target[i] = v;
    }
    return bad != 0;
}

using FusedKernel = bool (*)(Lane, long double*, const Lane*, int);

template <std::size_t... I>
constexpr std::array<FusedKernel, sizeof...(I)> FusedTable(std::index_sequence<I...>) {
    return {&FusedPass<static_cast<int>(I / (kFusedCount * kTailCount)), static_cast<int>(I / kTailCount % kFusedCount),
                       static_cast<int>(I % kTailCount)>...};
}

constexpr auto kFusedKernels = FusedTable(std::make_index_sequence<kFusedCount * kFusedCount * kTailCount>{});

// A costly step over the block; `kernel` returns false for an undefined sample.
template <typename Kernel>
inline bool MapPass(Lane sourceLane, long double* target, int n, Kernel kernel) {
    const LaneReader source(sourceLane);
    bool bad = false;
    for (int i = 0; i < n; ++i) {
        long double v = source[i];
        bad |= !kernel(v, i);
        target[i] = v;
    }
    return bad;
}

}  // namespace

void EvalProgram::Plan(int letter) {
    passes_.clear();
    scalars_.clear();
    scalarLetters_.clear();
    plannedLetter_ = letter;
    // The scalars' lane numbers follow the stack levels; they are offset once the depth is known.
    auto scalar = [&](long double value, std::uint8_t fromLetter) {
        scalars_.push_back(value);
        scalarLetters_.push_back(fromLetter);
        return static_cast<std::int16_t>(-static_cast<int>(scalars_.size()));
    };
    auto letterLane = [&](std::uint8_t l) { return l == letter ? std::int16_t{0} : scalar(0.0L, l); };
    auto levelLane = [](int depth) { return static_cast<std::int16_t>(depth == 0 ? 1 : kFirstLane + depth - 1); };

    struct ChainStep {
        std::uint8_t op;
        std::int16_t operand;
        int depthAfter;
        std::int32_t exponent;
        std::uint16_t kind;
    };
    std::vector<ChainStep> chain;
    std::int16_t source = 0;
    int depth = 0, maxDepth = 0;
    // The running value's steps since its load become passes; cheap ones share passes.
    auto flush = [&]() {
        if (chain.empty()) {
            Pass copy;
            copy.source = source;
            copy.target = levelLane(depth);
            passes_.push_back(copy);
        }
        for (std::size_t k = 0; k < chain.size();) {
            Pass pass;
            pass.source = source;
            const ChainStep& first = chain[k];
            pass.ops[0] = first.op;
            pass.operands[0] = first.operand;
            pass.exponent = first.exponent;
            pass.kind = first.kind;
            int depthAfter = first.depthAfter;
            ++k;
            // Up to three cheap steps share the pass, the third from the tail set.
            for (int slot = 1; slot < 3 && first.op < kFusedCount && k < chain.size(); ++slot) {
                const std::uint8_t op = chain[k].op;
                if (op >= (slot == 1 ? kFusedCount : kTailCount)) break;
                pass.ops[slot] = op;
                pass.operands[slot] = chain[k].operand;
                depthAfter = chain[k].depthAfter;
                ++k;
            }
            pass.target = levelLane(depthAfter);
            source = pass.target;
            passes_.push_back(pass);
        }
        chain.clear();
    };
    for (const Step& step : steps_) {
        ChainStep c{kNoOp, 0, depth, 0, 0};
        switch (step.op) {
        case kLoadLetter: source = letterLane(step.letter); continue;
        case kLoadConst: source = scalar(step.constant, kNoLetter); continue;
        case kPush:
            flush();
            maxDepth = std::max(maxDepth, ++depth);
            continue;
        case kSin: c.op = kSinPass; break;
        case kCos: c.op = kCosPass; break;
        case kExp: c.op = kExpPass; break;
        case kLn: c.op = kLnPass; break;
        case evalsteps::kSqrt: c.op = kSqrtOp; break;
        case evalsteps::kAbs: c.op = kAbsOp; break;
        case kSquare: c.op = kSqOp; break;
        case kPowInt:
            // The walk's square-and-multiply for 2 and 3 is one or two products.
            c.op = step.exponent == 2   ? std::uint8_t{kSqOp}
                   : step.exponent == 3 ? std::uint8_t{kCubeOp}
                                        : std::uint8_t{kPowerPass};
            c.exponent = step.exponent;
            break;
        case kRealFunction:
            c.op = kFunctionPass;
            c.kind = step.kind;
            break;
        default: {
            const int arithmetic = (step.op - kFirstBinary) / kOperandCount;
            const int operand = (step.op - kFirstBinary) % kOperandCount;
            const bool left = operand == kLeftLetter || operand == kLeftConst || operand == kLeftStack;
            if (operand == kRightLetter || operand == kLeftLetter) {
                c.operand = letterLane(step.letter);
            } else if (operand == kLeftStack) {
                c.operand = levelLane(--depth);
                c.depthAfter = depth;
            } else {
                c.operand = scalar(step.constant, kNoLetter);
            }
            switch (arithmetic) {
            case kPlus: c.op = kAddOp; break;
            case kMinus: c.op = left ? kRSubOp : kSubOp; break;
            case kTimes: c.op = kMulOp; break;
            case kDivide: c.op = left ? kRDivOp : kDivOp; break;
            case kCaret: c.op = left ? kCaretLeft : kCaretRight; break;
            default: c.op = left ? kPowRight : kPowLeft; break;
            }
            break;
        }
        }
        // x*x as the first step reads x once.
        if (c.op == kMulOp && chain.empty() && c.operand == source) c.op = kSqOp;
        chain.push_back(c);
    }
    flush();
    levels_.assign(static_cast<std::size_t>(maxDepth) * kBlock, 0.0L);
    // Scalars were numbered -1, -2, ...; their lanes come after the levels.
    const int firstScalar = kFirstLane + maxDepth;
    auto relane = [&](std::int16_t& lane) {
        if (lane < 0) lane = static_cast<std::int16_t>(firstScalar - lane - 1);
    };
    for (Pass& pass : passes_) {
        relane(pass.source);
        relane(pass.operands[0]);
        relane(pass.operands[1]);
        relane(pass.operands[2]);
    }
}

bool EvalProgram::RunPasses(LetterStore& s, const long double* xs, long double* out, int n) {
    const int firstScalar = kFirstLane + static_cast<int>(levels_.size() / kBlock);
    auto lane = [&](int id) -> Lane {
        if (id == 0) return {xs, false};
        if (id == 1) return {out, false};
        if (id < firstScalar) return {levels_.data() + static_cast<std::size_t>(id - kFirstLane) * kBlock, false};
        return {scalars_.data() + (id - firstScalar), true};
    };
    bool bad = false;
    const std::uint8_t savedJump = s.JumpFlag;
    for (const Pass& pass : passes_) {
        const Lane source = lane(pass.source);
        long double* const target =
            pass.target == 1 ? out : levels_.data() + static_cast<std::size_t>(pass.target - kFirstLane) * kBlock;
        const LaneReader operand(lane(pass.operands[0]));
        switch (pass.ops[0]) {
        case kSinPass:
            bad |= MapPass(source, target, n, [](long double& v, int) {
                const bool ok = std::fabs(v) <= kTrigLimit;
                v = FastSin(v);
                return ok;
            });
            break;
        case kCosPass:
            bad |= MapPass(source, target, n, [](long double& v, int) {
                const bool ok = std::fabs(v) <= kTrigLimit;
                v = FastCos(v);
                return ok;
            });
            break;
        case kExpPass:
            bad |= MapPass(source, target, n, [](long double& v, int) {
                const bool ok = v < kExpLimit;
                v = v <= -kExpLimit ? 0.0L : FastExp(v);
                return ok;
            });
            break;
        case kLnPass:
            bad |= MapPass(source, target, n, [](long double& v, int) {
                const bool ok = v >= kTiny;
                v = ok ? std::log(v) : 0.0L;
                return ok;
            });
            break;
        case kPowerPass: {
            const std::int32_t e = pass.exponent;
            bad |= MapPass(source, target, n, [e](long double& v, int) { return RealIntegerPower(v, e, v); });
            break;
        }
        case kFunctionPass: {
            const std::uint16_t kind = pass.kind;
            // A jump sends the sample through Run as an undefined value does.
            bad |= MapPass(source, target, n, [&s, kind](long double& v, int) {
                s.JumpFlag = 0;
                ExtComplex r;
                const bool ok = EvalRealFunction(s, kind, {v, 0.0L}, r) && IsZeroBits(r.im) && !s.JumpFlag;
                v = r.re;
                return ok;
            });
            break;
        }
        case kCaretRight:
            bad |= MapPass(source, target, n, [operand](long double& v, int i) { return Apply<kCaret>(v, operand[i], v); });
            break;
        case kCaretLeft:
            bad |= MapPass(source, target, n, [operand](long double& v, int i) { return Apply<kCaret>(operand[i], v, v); });
            break;
        case kPowRight:
            bad |= MapPass(source, target, n, [operand](long double& v, int i) { return Apply<kPow>(operand[i], v, v); });
            break;
        case kPowLeft:
            bad |= MapPass(source, target, n, [operand](long double& v, int i) { return Apply<kPow>(v, operand[i], v); });
            break;
        default: {
            const Lane operands[3] = {lane(pass.operands[0]), lane(pass.operands[1]), lane(pass.operands[2])};
            bad |= kFusedKernels[(pass.ops[0] * kFusedCount + pass.ops[1]) * kTailCount + pass.ops[2]](source, target,
                                                                                                 operands, n);
            break;
        }
        }
    }
    s.JumpFlag = savedJump;
    return !bad;
}

void EvalProgram::RunBatch(LetterStore& s, int letter, const long double* xs, int count, long double* values,
                           std::uint8_t* defined, std::uint8_t* jumps) {
    auto run = [&](int i, bool flat) {
        SetLetter(s, letter, xs[i]);
        s.JumpFlag = 0;
        defined[i] = static_cast<std::uint8_t>(flat ? Run(s) : EvalNode(s, tree_));
        values[i] = tree_ ? tree_->value.re : 0.0L;
        jumps[i] = s.JumpFlag;
    };
    if (count <= 0) return;
    if (!flat_ || s.ComplexMode || letter < 0 || letter >= kLetterCount) {
        for (int i = 0; i < count; ++i) run(i, false);
        return;
    }
    // Every step adds at most one stack level and one scalar, so lanes fit their 16 bits.
    constexpr std::size_t kMostPlannedSteps = 16000;
    if (steps_.size() > kMostPlannedSteps) {
        for (int i = 0; i < count; ++i) run(i, true);
        return;
    }
    if (plannedLetter_ != letter) Plan(letter);
    for (std::size_t j = 0; j < scalars_.size(); ++j)
        if (scalarLetters_[j] != kNoLetter) scalars_[j] = s.LetterValues[scalarLetters_[j]].re;
    bool lastBySample = false;
    for (int base = 0; base < count; base += kBlock) {
        const int n = count - base < kBlock ? count - base : kBlock;
        lastBySample = !RunPasses(s, xs + base, values + base, n);
        if (lastBySample) {
            for (int i = base; i < base + n; ++i) run(i, true);
        } else {
            std::memset(defined + base, 1, static_cast<std::size_t>(n));
            std::memset(jumps + base, 0, static_cast<std::size_t>(n));
        }
    }
    if (!lastBySample) {
        SetLetter(s, letter, xs[count - 1]);
        tree_->value.re = values[count - 1];
        SetZero(tree_->value.im);
        s.JumpFlag = 0;
    }
}

}  // namespace curvelo
