// Console reporter that also keeps the CPU time of every repetition of every benchmark, so
// that the summary after the runs can print medians and ratios of medians. The machine the
// benchmarks run on may be shared: the median of several repetitions of CPU time is what
// stays put when other processes come and go.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace curvelo::bench {

// The command line with --benchmark_repetitions and --benchmark_min_time added unless given.
inline std::vector<char*> WithDefaultRepetitions(int argc, char** argv, const char* minTime) {
    static std::string repetitions = "--benchmark_repetitions=7";
    static std::string minimum;
    minimum = std::string("--benchmark_min_time=") + minTime;
    std::vector<char*> args(argv, argv + argc);
    auto given = [&](const char* flag) {
        return std::any_of(args.begin(), args.end(), [&](const char* a) { return std::strncmp(a, flag, std::strlen(flag)) == 0; });
    };
    if (!given("--benchmark_repetitions")) args.push_back(repetitions.data());
    if (!given("--benchmark_min_time")) args.push_back(minimum.data());
    return args;
}

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0 || run.run_type != Run::RT_Iteration) continue;
            seconds_[run.run_name.function_name].push_back(run.cpu_accumulated_time /
                                                          static_cast<double>(run.iterations));
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Median CPU seconds per iteration of the named benchmark; 0 when it did not run.
    double MedianSeconds(const std::string& name) const {
        const auto it = seconds_.find(name);
        if (it == seconds_.end() || it->second.empty()) return 0;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    int Repetitions(const std::string& name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? 0 : static_cast<int>(it->second.size());
    }

private:
    std::map<std::string, std::vector<double>> seconds_;
};

}  // namespace curvelo::bench
