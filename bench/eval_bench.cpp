// Evaluation speed of the formula engine over a sweep of 1000 values of x, side by side with
// muparser (double precision, its fastest single-threaded modes) and with the same formulas
// written as native code: the formula inlined in the loop, x and the result in registers,
// results stored to an array, the C library's functions. Every benchmark runs several
// repetitions; the table at the end gives median CPU nanoseconds per value and ratios of
// those medians.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/median_reporter.h"
#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/eval_program.h"

extern "C" void omp_set_num_threads(int);  // muparser's bulk mode runs on OpenMP

using namespace curvelo;

namespace {

constexpr int kSweep = 1000;
constexpr long double kA = 1.25L, kB = -0.75L, kC = 0.5L;

template <typename T>
struct Coefficients {
    T a, b, c;
};

// Each formula as text and as native code, written once for long double and double.
struct SquarePlusOne {
    static constexpr const char* kText = "x*x+1";
    template <typename T>
    static T Eval(T x, const Coefficients<T>&) { return x * x + 1; }
};
struct Sinc {
    static constexpr const char* kText = "sin(x)/x";
    template <typename T>
    static T Eval(T x, const Coefficients<T>&) { return std::sin(x) / x; }
};
struct Cube {
    static constexpr const char* kText = "(x^2+1)^3-sqrt(abs(x))";
    template <typename T>
    static T Eval(T x, const Coefficients<T>&) {
        const T u = x * x + 1;
        return u * u * u - std::sqrt(std::fabs(x));
    }
};
struct Wave {
    static constexpr const char* kText = "exp(-x*x/2)*cos(3*x)";
    template <typename T>
    static T Eval(T x, const Coefficients<T>&) { return std::exp(-x * x / 2) * std::cos(3 * x); }
};
struct Quadratic {
    static constexpr const char* kText = "a*x^2+b*x+c";
    template <typename T>
    static T Eval(T x, const Coefficients<T>& k) { return k.a * x * x + k.b * x + k.c; }
};

const char* const kTexts[] = {SquarePlusOne::kText, Sinc::kText, Cube::kText, Wave::kText, Quadratic::kText};

// A sweep that avoids x = 0 exactly.
template <typename T>
std::vector<T> Sweep() {
    std::vector<T> xs(kSweep);
    for (int i = 0; i < kSweep; ++i) xs[i] = static_cast<T>(-5.0L + (i + 0.5L) * 10.0L / kSweep);
    return xs;
}

template <typename T, typename Formula>
void BenchNative(benchmark::State& state) {
    const std::vector<T> xs = Sweep<T>();
    std::vector<T> out(kSweep);
    Coefficients<T> k{static_cast<T>(kA), static_cast<T>(kB), static_cast<T>(kC)};
    benchmark::DoNotOptimize(k);  // the coefficients are data, as they are for the engines
    for (auto _ : state) {
        for (int i = 0; i < kSweep; ++i) out[i] = Formula::Eval(xs[i], k);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSweep);
}

// The flattened code that drawing uses one value per call, the same code over the whole
// sweep as one batch, or the tree walk.
enum class Mode { kSingle, kBatch, kTree };

void BenchCurvelo(benchmark::State& state, const char* text, Mode mode) {
    FormulaEngine engine;
    SetLetter(engine.letters, 1, kA);
    SetLetter(engine.letters, 2, kB);
    SetLetter(engine.letters, 3, kC);
    if (engine.CompileFormula(text) != 0) {
        state.SkipWithError("does not compile");
        return;
    }
    ExprNode* tree = engine.TakeCompiledTree();
    const std::vector<long double> xs = Sweep<long double>();
    std::vector<long double> out(kSweep);
    std::vector<std::uint8_t> defined(kSweep), jumps(kSweep);
    LetterStore& letters = engine.letters;
    EvalProgram program(tree);
    if (mode != Mode::kTree && !program.IsFlat()) {
        state.SkipWithError("not flattened");
        FreeTree(tree);
        return;
    }
    for (auto _ : state) {
        if (mode == Mode::kBatch) {
            program.RunBatch(letters, kLetterX, xs.data(), kSweep, out.data(), defined.data(), jumps.data());
        } else {
            for (int i = 0; i < kSweep; ++i) {
                letters.LetterValues[kLetterX] = {xs[i], 0.0L};
                out[i] = (mode == Mode::kSingle ? program.Run(letters) : EvalNode(letters, tree)) ? tree->value.re : 0.0L;
            }
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSweep);
    FreeTree(tree);
}

// One value per call (the bytecode is compiled by the first call).
void BenchMuparser(benchmark::State& state, const char* text) {
    double x = 0, a = static_cast<double>(kA), b = static_cast<double>(kB), c = static_cast<double>(kC);
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("a", &a);
    parser.DefineVar("b", &b);
    parser.DefineVar("c", &c);
    parser.SetExpr(text);
    parser.Eval();
    const std::vector<double> xs = Sweep<double>();
    std::vector<double> out(kSweep);
    for (auto _ : state) {
        for (int i = 0; i < kSweep; ++i) {
            x = xs[i];
            out[i] = parser.Eval();
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSweep);
}

// The bulk mode: every variable is an array with one entry per value; one thread.
void BenchMuparserBulk(benchmark::State& state, const char* text) {
    std::vector<double> xs = Sweep<double>();
    std::vector<double> as(kSweep, static_cast<double>(kA)), bs(kSweep, static_cast<double>(kB)),
        cs(kSweep, static_cast<double>(kC)), out(kSweep);
    mu::Parser parser;
    parser.DefineVar("x", xs.data());
    parser.DefineVar("a", as.data());
    parser.DefineVar("b", bs.data());
    parser.DefineVar("c", cs.data());
    parser.SetExpr(text);
    parser.Eval();
    for (auto _ : state) {
        parser.Eval(out.data(), kSweep);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSweep);
}

void BenchCompile(benchmark::State& state) {
    // A typical 40-character formula.
    const char* text = "a*sin(2*x)+b*cos(x/3)-sqrt(abs(x))*exp(x)";
    FormulaEngine engine;
    for (auto _ : state) {
        if (engine.CompileFormula(text) != 0) {
            state.SkipWithError("does not compile");
            return;
        }
        FreeTree(engine.TakeCompiledTree());
    }
}

template <typename Formula>
void RegisterNative() {
    benchmark::RegisterBenchmark((std::string("native long double/") + Formula::kText).c_str(),
                                 BenchNative<long double, Formula>);
    benchmark::RegisterBenchmark((std::string("native double/") + Formula::kText).c_str(), BenchNative<double, Formula>);
}

}  // namespace

int main(int argc, char** argv) {
    omp_set_num_threads(1);
    for (const char* text : kTexts) {
        benchmark::RegisterBenchmark((std::string("curvelo/") + text).c_str(), BenchCurvelo, text, Mode::kSingle);
        benchmark::RegisterBenchmark((std::string("batch/") + text).c_str(), BenchCurvelo, text, Mode::kBatch);
        benchmark::RegisterBenchmark((std::string("tree/") + text).c_str(), BenchCurvelo, text, Mode::kTree);
        benchmark::RegisterBenchmark((std::string("muparser/") + text).c_str(), BenchMuparser, text);
        benchmark::RegisterBenchmark((std::string("muparser bulk/") + text).c_str(), BenchMuparserBulk, text);
    }
    RegisterNative<SquarePlusOne>();
    RegisterNative<Sinc>();
    RegisterNative<Cube>();
    RegisterNative<Wave>();
    RegisterNative<Quadratic>();
    benchmark::RegisterBenchmark("compile/40 characters", BenchCompile);
    std::vector<char*> args = bench::WithDefaultRepetitions(argc, argv, "0.1");
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto ns = [&](const std::string& name) { return reporter.MedianSeconds(name) * 1e9 / kSweep; };
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("\nMedian CPU time per value (ns) over %d repetitions; ratios of medians.\n",
                reporter.Repetitions(std::string("curvelo/") + kTexts[0]));
    std::printf("curvelo: one value per call; batch: the sweep at once; ratios for the batch, against the\n"
                "faster of muparser's two modes and the native rows.\n");
    std::printf("%-24s %8s %8s %8s %8s %8s %8s %8s | %9s %9s %9s\n", "formula", "curvelo", "batch", "tree", "muparser",
                "mu bulk", "nat ld", "nat dbl", "/muparser", "/nat ld", "/nat dbl");
    for (const char* text : kTexts) {
        const std::string t = text;
        const double single = ns("curvelo/" + t), ours = ns("batch/" + t), tree = ns("tree/" + t);
        const double mu = ns("muparser/" + t), bulk = ns("muparser bulk/" + t);
        const double fastestMu = bulk > 0 && bulk < mu ? bulk : mu;
        const double ld = ns("native long double/" + t), dbl = ns("native double/" + t);
        std::printf("%-24s %8.2f %8.2f %8.2f %8.2f %8.2f %8.2f %8.2f | %8.2fx %8.2fx %8.2fx\n", text, single, ours, tree,
                    mu, bulk, ld, dbl, ratio(ours, fastestMu), ratio(ours, ld), ratio(ours, dbl));
    }
    const double compile = reporter.MedianSeconds("compile/40 characters");
    if (compile > 0) std::printf("compile, 40 characters: %.2f us\n", compile * 1e6);
    benchmark::Shutdown();
    return 0;
}
