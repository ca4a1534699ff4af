#include "plot2d/method_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace curvelo {
namespace {

constexpr long double kRelativeTolerance = 1e-15L;
constexpr long double kAbsoluteTolerance = 1e-15L;
constexpr int kMaxReferenceSubsteps = 20000;

// One Dormand-Prince 5(4) step: the fifth-order value and the error estimate.
bool DormandPrince(const SlopeFunction& f, long double x, long double y, long double h, long double& y5,
                   long double& error) {
    long double k1, k2, k3, k4, k5, k6, k7;
    if (!f(x, y, k1)) return false;
    if (!f(x + h / 5, y + h * (k1 / 5), k2)) return false;
    if (!f(x + 3 * h / 10, y + h * (3 * k1 / 40 + 9 * k2 / 40), k3)) return false;
    if (!f(x + 4 * h / 5, y + h * (44 * k1 / 45 - 56 * k2 / 15 + 32 * k3 / 9), k4)) return false;
    if (!f(x + 8 * h / 9, y + h * (19372 * k1 / 6561 - 25360 * k2 / 2187 + 64448 * k3 / 6561 - 212 * k4 / 729), k5))
        return false;
    if (!f(x + h, y + h * (9017 * k1 / 3168 - 355 * k2 / 33 + 46732 * k3 / 5247 + 49 * k4 / 176 - 5103 * k5 / 18656), k6))
        return false;
    y5 = y + h * (35 * k1 / 384 + 500 * k3 / 1113 + 125 * k4 / 192 - 2187 * k5 / 6784 + 11 * k6 / 84);
    if (!f(x + h, y5, k7)) return false;
    const long double y4 = y + h * (5179 * k1 / 57600 + 7571 * k3 / 16695 + 393 * k4 / 640 - 92097 * k5 / 339200 +
                                    187 * k6 / 2100 + k7 / 40);
    error = std::fabs(y5 - y4);
    return std::isfinite(y5);
}

std::string Number(long double v, bool ok) {
    if (!ok) return "nem definiált";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10Lg", v);
    return buffer;
}

std::string Error(long double v, long double reference, bool ok) {
    if (!ok) return "-";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3Le", std::fabs(v - reference));
    return buffer;
}

std::string Cell(const std::string& s, std::size_t width) {
    std::string c = s;
    if (c.size() < width) c.append(width - c.size(), ' ');
    return c + " ";
}

}  // namespace

bool ReferenceStep(const SlopeFunction& f, long double x, long double& y, long double h) {
    const long double end = x + h;
    long double sub = h;
    for (int i = 0; i < kMaxReferenceSubsteps; ++i) {
        if ((h > 0 && x >= end) || (h < 0 && x <= end)) return true;
        if ((h > 0 && x + sub > end) || (h < 0 && x + sub < end)) sub = end - x;
        long double y5 = 0, error = 0;
        if (!DormandPrince(f, x, y, sub, y5, error)) {
            sub /= 4;
            if (std::fabs(sub) < std::fabs(h) * 1e-12L) return false;
            continue;
        }
        const long double tolerance = kAbsoluteTolerance + kRelativeTolerance * std::max(std::fabs(y), std::fabs(y5));
        if (error <= tolerance) {
            x = (std::fabs(end - (x + sub)) < std::fabs(h) * 1e-15L) ? end : x + sub;
            y = y5;
        }
        const long double factor = error > 0 ? 0.9L * std::pow(tolerance / error, 0.2L) : 5;
        sub *= std::clamp<long double>(factor, 0.2L, 5);
        if (std::fabs(sub) < std::fabs(h) * 1e-12L) return false;
    }
    return false;
}

std::vector<ComparisonRow> CompareMethods(const SlopeFunction& f, long double x0, long double y0, long double h,
                                          long long steps) {
    std::vector<ComparisonRow> rows;
    steps = std::clamp<long long>(steps, 0, kMaxComparisonRows);
    if (!(h != 0) || !std::isfinite(h)) return rows;
    ComparisonRow row;
    row.x = x0;
    row.euler = row.modified = row.rungeKutta = row.reference = y0;
    rows.push_back(row);
    long double xe = x0, xm = x0, xr = x0;
    for (long long i = 0; i < steps; ++i) {
        ComparisonRow next = rows.back();
        next.x = x0 + static_cast<long double>(i + 1) * h;
        next.eulerOk = next.eulerOk && SlopeStep(f, SlopeMethod::kEuler, xe, next.euler, h);
        next.modifiedOk = next.modifiedOk && SlopeStep(f, SlopeMethod::kModifiedEuler, xm, next.modified, h);
        next.rungeKuttaOk = next.rungeKuttaOk && SlopeStep(f, SlopeMethod::kRungeKutta, xr, next.rungeKutta, h);
        next.referenceOk = next.referenceOk && ReferenceStep(f, rows.back().x, next.reference, h);
        rows.push_back(next);
    }
    return rows;
}

std::string ComparisonText(const std::string& equation, long double h, const std::vector<ComparisonRow>& rows) {
    std::string text = "dy/dx = " + equation + ",  h = " + Number(h, true) + "\r\n";
    text += "referencia: adaptív Dormand-Prince 5(4), tűrés 1e-15\r\n\r\n";
    constexpr std::size_t w = 16, e = 11;
    text += Cell("x", w) + Cell("Euler", w) + Cell("mod Euler", w) + Cell("Runge-Kutta", w) + Cell("referencia", w) +
            Cell("hiba Euler", e) + Cell("hiba mod", e) + Cell("hiba R-K", e) + "\r\n";
    for (const ComparisonRow& r : rows) {
        text += Cell(Number(r.x, true), w) + Cell(Number(r.euler, r.eulerOk), w) +
                Cell(Number(r.modified, r.modifiedOk), w) + Cell(Number(r.rungeKutta, r.rungeKuttaOk), w) +
                Cell(Number(r.reference, r.referenceOk), w) +
                Cell(Error(r.euler, r.reference, r.eulerOk && r.referenceOk), e) +
                Cell(Error(r.modified, r.reference, r.modifiedOk && r.referenceOk), e) +
                Cell(Error(r.rungeKutta, r.reference, r.rungeKuttaOk && r.referenceOk), e) + "\r\n";
    }
    return text;
}

}  // namespace curvelo
