// Every function the evaluator computes freely must give the correctly rounded value or a
// neighbour of it. The table holds arguments (random ones and the long doubles nearest to
// multiples of pi/2, where argument reduction is hardest) with values computed at 400 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "expr/eval_functions.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"

using namespace curvelo;

namespace {

enum Fn {
    kSin, kCos, kTan, kCot, kSec, kCsc, kExp, kLn, kLog, kSqrt, kArcsin, kArccos, kArctan,
    kSinh, kCosh, kTanh, kSech, kCoth, kCsch, kArgsinh, kArgcosh,
};

struct Reference {
    Fn fn;
    long double x;
    long double expected;
};

const Reference kReferences[] = {
#include "reference_values.inc"
};

nk::Kind KindOf(Fn fn) {
    static const nk::Kind kinds[] = {
        nk::SIN, nk::COS, nk::TAN, nk::COT, nk::SEC, nk::CSC, nk::EXP, nk::LN, nk::LOG, nk::SQR, nk::ARCSIN,
        nk::ARCCOS, nk::ARCTAN, nk::SINH, nk::COSH, nk::TANH, nk::SECH, nk::COTH, nk::CSCH, nk::ARGSINH, nk::ARGCOSH,
    };
    return kinds[fn];
}

// The correctly rounded value or one of its two neighbours.
bool WithinOneUlp(long double got, long double expected) {
    return got == expected || got == std::nextafter(expected, INFINITY) || got == std::nextafter(expected, -INFINITY);
}

// Distance in units of the last place of the expected value, for the messages.
long double UlpError(long double got, long double expected) {
    int exponent = 0;
    std::frexp(expected, &exponent);
    return std::fabs(got - expected) / std::ldexp(1.0L, exponent - 64);
}

bool Evaluate(Fn fn, long double x, long double& out) {
    LetterStore store;
    ExtComplex value;
    if (!EvalRealFunction(store, KindOf(fn), {x, 0.0L}, value)) return false;
    out = value.re;
    return true;
}

}  // namespace

TEST(Accuracy, RealFunctionsAreWithinOneUnitInTheLastPlaceOfTheirExactValues) {
    std::map<int, int> failures;
    std::map<int, long double> worst;
    for (const Reference& r : kReferences) {
        long double got = 0;
        const bool defined = Evaluate(r.fn, r.x, got);
        if (defined && WithinOneUlp(got, r.expected)) continue;
        ++failures[r.fn];
        const long double error = defined ? UlpError(got, r.expected) : INFINITY;
        if (error > worst[r.fn]) worst[r.fn] = error;
        if (failures[r.fn] <= 3)
            ADD_FAILURE() << "function " << r.fn << " at " << static_cast<double>(r.x) << " ("
                          << std::to_string(static_cast<double>(error)) << " ulp)";
    }
    for (const auto& [fn, count] : failures)
        std::printf("function %d: %d misses, worst %.3Lg ulp\n", fn, count, worst[fn]);
}
