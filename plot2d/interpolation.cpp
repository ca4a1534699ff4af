#include "plot2d/interpolation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plot2d/example_kinds.h"

namespace curvelo {

namespace {

// The record's ext80 values from offset 161 to 331 in order, as node coordinates.
long double* NodeValue(TExample& e, int k) {
    if (k < 3) return &e.values161[static_cast<std::size_t>(k)];
    if (k < 6) return &e.values191[static_cast<std::size_t>(k - 3)];
    if (k < 9) return &e.saved221[static_cast<std::size_t>(k - 6)];
    if (k < 12) return &e.saved251[static_cast<std::size_t>(k - 9)];
    if (k == 12) return &e.value281;
    if (k == 13) return &e.value291;
    if (k == 14) return &e.value301;
    return &e.extra311[static_cast<std::size_t>(k - 15)];
}

}  // namespace

std::string NumberLiteral(long double v, int digits) {
    const long double a = std::fabs(v);
    const int magnitude = a > 0 ? static_cast<int>(std::floor(std::log10(a))) : 0;
    const int decimals = std::clamp(digits - 1 - magnitude, 0, 30);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*Lf", decimals, a);
    std::string s(buf);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return v < 0 && s != "0" ? "-" + s : s;
}

bool ParseNodeText(std::string_view text, std::vector<WorldPoint>& nodes) {
    long double numbers[kMaxPointOnCurveNumbers];
    const int n = ParsePointOnCurveNumbers(text, numbers);
    if (n == 0 || n % 2 != 0 || n / 2 > kMaxInterpolationNodes) return false;
    nodes.clear();
    for (int i = 0; i + 1 < n; i += 2) nodes.push_back({numbers[i], numbers[i + 1]});
    return true;
}

std::vector<WorldPoint> StoredNodes(const TExample& example) {
    TExample& e = const_cast<TExample&>(example);
    const int count = std::min<int>(e.reserved36[0], kMaxInterpolationNodes);
    std::vector<WorldPoint> nodes;
    for (int k = 0; k < count; ++k) nodes.push_back({*NodeValue(e, 2 * k), *NodeValue(e, 2 * k + 1)});
    return nodes;
}

void StoreNodes(TExample& e, const std::vector<WorldPoint>& nodes) {
    const int count = std::min<int>(static_cast<int>(nodes.size()), kMaxInterpolationNodes);
    for (int k = 0; k < count; ++k) {
        *NodeValue(e, 2 * k) = nodes[static_cast<std::size_t>(k)].x;
        *NodeValue(e, 2 * k + 1) = nodes[static_cast<std::size_t>(k)].y;
    }
    e.reserved36[0] = static_cast<std::uint16_t>(count);
}

bool InterpolationCoefficients(const std::vector<WorldPoint>& nodes, std::vector<long double>& c) {
    const std::size_t n = nodes.size();
    if (n == 0 || n > static_cast<std::size_t>(kMaxInterpolationNodes)) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(nodes[i].x) || !std::isfinite(nodes[i].y)) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (nodes[i].x == nodes[j].x) return false;
    }
    // Newton's divided differences, then the Newton form multiplied out from the inside.
    std::vector<long double> d(n);
    for (std::size_t i = 0; i < n; ++i) d[i] = nodes[i].y;
    for (std::size_t k = 1; k < n; ++k)
        for (std::size_t i = n - 1; i >= k; --i) d[i] = (d[i] - d[i - 1]) / (nodes[i].x - nodes[i - k].x);
    c.assign(n, 0.0L);
    for (std::size_t k = n; k-- > 0;) {
        // c <- c * (x - x_k) + d[k]
        for (std::size_t i = n - 1; i >= 1; --i) c[i] = c[i - 1] - nodes[k].x * c[i];
        c[0] = -nodes[k].x * c[0] + d[k];
    }
    long double scale = 0;
    for (long double v : c) scale = std::max(scale, std::fabs(v));
    for (long double& v : c)
        if (!std::isfinite(v)) return false;
        else if (std::fabs(v) <= scale * 1e-15L) v = 0;  // round-off of a lower degree
    while (c.size() > 1 && c.back() == 0) c.pop_back();
    return true;
}

std::string PolynomialText(const std::vector<long double>& c) {
    for (int digits = 18; digits >= 6; digits -= 3) {
        std::string s;
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (c[i] == 0 && !(i == 0 && c.size() == 1)) continue;
            if (c[i] < 0) s += "-";
            else if (!s.empty()) s += "+";
            s += NumberLiteral(std::fabs(c[i]), digits);
            if (i >= 1) s += "*x";
            if (i >= 2) s += "^" + std::to_string(i);
        }
        if (s.empty()) s = "0";
        if (s.size() <= TExample::kTextCapacity) return s;
    }
    return {};
}

bool RebuildInterpolation(TExample& e) {
    std::vector<long double> c;
    if (!InterpolationCoefficients(StoredNodes(e), c)) return false;
    const std::string text = PolynomialText(c);
    if (text.empty()) return false;
    e.texts[1] = text;
    return true;
}

}  // namespace curvelo
