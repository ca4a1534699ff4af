#include "plot2d/six_sum_integrator.h"

#include <algorithm>
#include <memory>
#include <random>

namespace curvelo {
std::function<long double()> NewUniformSource() {
    auto generator = std::make_shared<std::mt19937_64>(std::random_device{}());
    return [generator] {
        // generate_canonical may round up to 1; the point must stay inside its step.
        const long double u = std::generate_canonical<long double, 64>(*generator);
        return u < 1 ? u : 0.0L;
    };
}

SixSums IntegrateSixWays(const Integrand& f, long double a, long double b, std::int32_t n,
                         const IntegratorHooks& hooks) {
    SixSums out;
    n = std::clamp<std::int32_t>(n, 1, kMaxSubintervals);
    const std::function<long double()> uniform = hooks.uniform ? hooks.uniform : NewUniformSource();
    auto sample = [&](long double x) {
        long double y = 0;
        if (f(x, y)) return y;
        ++out.undefinedPoints;
        return 0.0L;
    };

    const long double h = (b - a) / n;
    long double left = 0, mid = 0, right = 0, trapezoid = 0, parabolic = 0, random = 0;
    long double x0 = a;
    long double fl = sample(x0);
    for (std::int32_t i = 1; i <= n && out.lastKey != kKeyStopSum; ++i) {
        const long double xr = i == n ? b : x0 + h;
        const long double xm = (x0 + xr) * 0.5L;
        const long double xq = x0 + h * uniform();
        const long double fr = sample(xr), fq = sample(xq), fm = sample(xm);
        left += fl;
        mid += fm;
        right += fr;
        trapezoid += fr + fl;
        parabolic += fr + 4 * fm + fl;
        random += fq;
        x0 = xr;
        fl = fr;
        out.done = i;
        if (hooks.pollKey) out.lastKey = hooks.pollKey();
    }
    out.value = {left * h, mid * h, right * h, trapezoid * (h * 0.5L), parabolic * (h * (1.0L / 6)), random * h};
    return out;
}

}  // namespace curvelo
