// Evaluation speed of the formula engine, side by side with muparser (double precision,
// compiled bytecode) and with the same formulas written as native long double code.
// After the runs a table of ns per evaluation and the two ratios is printed; with
// --benchmark_repetitions=N the best repetition of each counts.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/eval_program.h"

using namespace curvelo;

namespace {

constexpr int kSweep = 1000;
constexpr long double kA = 1.25L, kB = -0.75L, kC = 0.5L;

struct Formula {
    const char* text;
    long double (*native)(long double x);
};

long double NativeSquarePlusOne(long double x) { return x * x + 1; }
long double NativeSinc(long double x) { return std::sin(x) / x; }
long double NativeCube(long double x) {
    const long double u = x * x + 1;
    return u * u * u - std::sqrt(std::fabs(x));
}
long double NativeWave(long double x) { return std::exp(-x * x / 2) * std::cos(3 * x); }
long double NativeQuadratic(long double x) { return kA * x * x + kB * x + kC; }

const Formula kFormulas[] = {
    {"x*x+1", NativeSquarePlusOne},
    {"sin(x)/x", NativeSinc},
    {"(x^2+1)^3-sqrt(abs(x))", NativeCube},
    {"exp(-x*x/2)*cos(3*x)", NativeWave},
    {"a*x^2+b*x+c", NativeQuadratic},
};

// A sweep that avoids x = 0 exactly.
std::vector<long double> Sweep() {
    std::vector<long double> xs(kSweep);
    for (int i = 0; i < kSweep; ++i) xs[i] = -5.0L + (i + 0.5L) * 10.0L / kSweep;
    return xs;
}

// flat = true: the flattened code that drawing uses; false: the tree walk.
void BenchCurvelo(benchmark::State& state, const Formula* f, bool flat) {
    FormulaEngine engine;
    SetLetter(engine.letters, 1, kA);
    SetLetter(engine.letters, 2, kB);
    SetLetter(engine.letters, 3, kC);
    if (engine.CompileFormula(f->text) != 0) {
        state.SkipWithError("does not compile");
        return;
    }
    ExprNode* tree = engine.TakeCompiledTree();
    const std::vector<long double> xs = Sweep();
    LetterStore& letters = engine.letters;
    EvalProgram program(tree);
    if (flat && !program.IsFlat()) {
        state.SkipWithError("not flattened");
        FreeTree(tree);
        return;
    }
    for (auto _ : state) {
        long double sum = 0;
        for (long double x : xs) {
            letters.LetterValues[kLetterX] = {x, 0.0L};
            if (flat ? program.Run(letters) : EvalNode(letters, tree)) sum += tree->value.re;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSweep);
    FreeTree(tree);
}

void BenchMuparser(benchmark::State& state, const Formula* f) {
    double x = 0, a = static_cast<double>(kA), b = static_cast<double>(kB), c = static_cast<double>(kC);
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("a", &a);
    parser.DefineVar("b", &b);
    parser.DefineVar("c", &c);
    parser.SetExpr(f->text);
    parser.Eval();  // the first call compiles the bytecode
    std::vector<double> xs;
    for (long double v : Sweep()) xs.push_back(static_cast<double>(v));
    for (auto _ : state) {
        double sum = 0;
        for (double v : xs) {
            x = v;
            sum += parser.Eval();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSweep);
}

void BenchNative(benchmark::State& state, const Formula* f) {
    const std::vector<long double> xs = Sweep();
    for (auto _ : state) {
        long double sum = 0;
        for (long double x : xs) {
            benchmark::DoNotOptimize(x);
            sum += f->native(x);
        }
        benchmark::DoNotOptimize(sum);
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

// Collects ns per evaluation of every run so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0 || run.run_type != Run::RT_Iteration) continue;
            // CPU time, and the best of the repetitions: the machine may be shared.
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const std::string name = run.run_name.function_name;
            const double ns = seconds * 1e9 / (name.rfind("compile", 0) == 0 ? 1 : kSweep);
            auto it = nsPerCall.find(name);
            if (it == nsPerCall.end() || ns < it->second) nsPerCall[name] = ns;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nsPerCall;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Formula& f : kFormulas) {
        benchmark::RegisterBenchmark((std::string("curvelo/") + f.text).c_str(), BenchCurvelo, &f, true);
        benchmark::RegisterBenchmark((std::string("tree/") + f.text).c_str(), BenchCurvelo, &f, false);
        benchmark::RegisterBenchmark((std::string("muparser/") + f.text).c_str(), BenchMuparser, &f);
        benchmark::RegisterBenchmark((std::string("native/") + f.text).c_str(), BenchNative, &f);
    }
    benchmark::RegisterBenchmark("compile/40 characters", BenchCompile);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-26s %10s %10s %10s %12s %12s %10s\n", "formula", "curvelo", "muparser", "native",
                "/muparser", "/native", "tree walk");
    for (const Formula& f : kFormulas) {
        const double ours = reporter.nsPerCall[std::string("curvelo/") + f.text];
        const double mu = reporter.nsPerCall[std::string("muparser/") + f.text];
        const double native = reporter.nsPerCall[std::string("native/") + f.text];
        const double tree = reporter.nsPerCall[std::string("tree/") + f.text];
        std::printf("%-26s %8.2fns %8.2fns %8.2fns %11.2fx %11.2fx %8.2fns\n", f.text, ours, mu, native,
                    mu > 0 ? ours / mu : 0.0, native > 0 ? ours / native : 0.0, tree);
    }
    const double compile = reporter.nsPerCall["compile/40 characters"];
    if (compile > 0) std::printf("compile, 40 characters: %.2f us\n", compile / 1000.0);
    benchmark::Shutdown();
    return 0;
}
