#include "special/guess_problem.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace curvelo {

GuessSwitches GuessSwitches::Reset() {
    GuessSwitches s;
    s.on[3] = 1;
    s.minDegree = s.maxDegree = 2;
    return s;
}

GuessSwitches GuessSwitches::All() {
    GuessSwitches s;
    s.on.fill(1);
    s.minDegree = kMinDegree;
    s.maxDegree = kMaxDegree;
    return s;
}

bool GuessSwitches::AnyType() const {
    return std::any_of(on.begin() + 1, on.end(), [](std::uint8_t b) { return b != 0; });
}

namespace {

// A nonzero integer in -m ... m.
int NonZero(RandomInts& r, int m) {
    const int v = r.Between(1, m);
    return r.Next() % 2 ? v : -v;
}

// "(x-3)", "(x+2)", "x".
std::string Factor(int k) {
    if (k == 0) return "x";
    return k > 0 ? "(x-" + std::to_string(k) + ")" : "(x+" + std::to_string(-k) + ")";
}

// "x" or "3x".
std::string Times(int b) { return b == 1 ? "x" : std::to_string(b) + "x"; }

// A leading coefficient: "", "-", "2", "-3".
std::string Coefficient(int a) {
    if (a == 1) return "";
    if (a == -1) return "-";
    return std::to_string(a);
}

// "+3", "-2" or nothing.
std::string Shift(int c) {
    if (c == 0) return "";
    return c > 0 ? "+" + std::to_string(c) : std::to_string(c);
}

// "(x-2)" written as "x-c" inside a function's brackets.
std::string Inside(int c) {
    if (c == 0) return "x";
    return c > 0 ? "x-" + std::to_string(c) : "x+" + std::to_string(-c);
}

// The base of a logarithm: "log(u)" for 10, else "log(u)/log(b)".
std::string Log(const std::string& u, int base) {
    return base == 10 ? "log(" + u + ")" : "log(" + u + ")/log(" + std::to_string(base) + ")";
}

int LogBase(RandomInts& r) {
    static constexpr int kBases[] = {2, 3, 4, 5, 10};
    return kBases[r.Next() % 5];
}

std::vector<int> Roots(RandomInts& r, int count, int m) {
    std::vector<int> roots(static_cast<std::size_t>(count));
    for (int& k : roots) k = r.Between(-m, m);
    std::sort(roots.begin(), roots.end());
    return roots;
}

long double Product(const std::vector<int>& roots, long double x) {
    long double p = 1;
    for (int k : roots) p *= x - k;
    return p;
}

GuessProblem Polynomial(const GuessSwitches& s, RandomInts& r) {
    const int lo = std::clamp<int>(s.minDegree, kMinDegree, kMaxDegree);
    const int hi = std::clamp<int>(s.maxDegree, lo, kMaxDegree);
    const int degree = r.Between(lo, hi);
    const std::vector<int> roots = Roots(r, degree, degree <= 3 ? 4 : 3);
    // Scale so the turning points between the zeros stay within a few units.
    const long double from = roots.front() - 0.5L, to = roots.back() + 0.5L;
    long double largest = 0;
    for (int i = 0; i <= 200; ++i) largest = std::max(largest, std::fabs(Product(roots, from + (to - from) * i / 200)));
    const int divisor = std::max(1, static_cast<int>(std::ceil(largest / 3.5L)));
    const bool negative = r.Next() % 2;
    GuessProblem p;
    p.type = 1;
    p.formula = negative ? "-" : "";
    if (divisor > 1) p.formula += "(1/" + std::to_string(divisor) + ")";
    for (int k : roots) p.formula += Factor(k);
    p.cx = (roots.front() + roots.back()) / 2.0L;
    p.halfWidth = std::max(4.5L, (roots.back() - roots.front()) / 2.0L + 1.5L);
    return p;
}

GuessProblem Rational(const GuessSwitches& s, RandomInts& r) {
    const int poles = r.Between(1, 2);
    const int zeros = std::min(r.Between(0, 2), std::max(0, 8 - poles));
    std::vector<int> below = Roots(r, poles, 3);
    below.erase(std::unique(below.begin(), below.end()), below.end());
    std::vector<int> above;
    for (int tries = 0; static_cast<int>(above.size()) < zeros && tries < 100; ++tries) {
        const int k = r.Between(-4, 4);
        if (std::find(below.begin(), below.end(), k) == below.end()) above.push_back(k);
    }
    std::sort(above.begin(), above.end());
    (void)s;
    const int a = NonZero(r, 2);
    GuessProblem p;
    p.type = 2;
    std::string top;
    for (int k : above) top += Factor(k);
    if (top.empty()) p.formula = std::to_string(a);
    else p.formula = Coefficient(a) + top;
    std::string bottom;
    for (int k : below) bottom += Factor(k);
    p.formula += below.size() > 1 ? "/(" + bottom + ")" : "/" + bottom;
    const int left = std::min(below.front(), above.empty() ? below.front() : above.front());
    const int right = std::max(below.back(), above.empty() ? below.back() : above.back());
    p.cx = (left + right) / 2.0L;
    p.halfWidth = std::max(4.5L, (right - left) / 2.0L + 2);
    return p;
}

GuessProblem Parabola(const GuessSwitches& s, RandomInts& r) {
    const int a = NonZero(r, 4);
    const int b = r.Between(-4, 4);
    int rr = 0;
    do rr = NonZero(r, 4);
    while (rr == b);
    int n = std::abs(rr - b), d = a * a;
    const int g = std::gcd(n, d);
    n /= g;
    d /= g;
    GuessProblem p;
    p.type = 3;
    p.absolute = s.on[kGuessAbsoluteSwitch] && r.Next() % 4 == 0 && b < 0;
    // The coefficient's sign: the curve passes through (0, r).
    bool minus = rr < b;
    if (!p.absolute && r.Next() % 5 == 0) minus = !minus;
    std::string text = p.absolute ? "abs(" : "";
    if (b != 0) text += std::to_string(b) + (minus ? "-" : "+");
    else if (minus) text += "-";
    if (d == 1 && n > 1) text += std::to_string(n);
    else if (d != 1) text += "(" + std::to_string(n) + "/" + std::to_string(d) + ")";
    text += Factor(a) + Factor(a);
    if (p.absolute) text += ")";
    p.formula = text;
    // The view is centred on the vertex; |f| has its vertex reflected above the axis.
    p.cx = a;
    p.cy = p.absolute ? -b : b;
    return p;
}

GuessProblem Periodic(int type, RandomInts& r) {
    static constexpr const char* kNames[] = {"sin", "cos", "tan", "sec", "csc", "cot"};
    const char* name = kNames[type - 4];
    const bool scaled = type == 4 || type == 5 || type == 7 || type == 8;
    const int a = scaled ? NonZero(r, type <= 5 ? 3 : 2) : 1;
    const int b = r.Between(1, type <= 5 ? 3 : 2);
    const int c = r.Between(-3, 3);
    GuessProblem p;
    p.type = type;
    p.formula = Coefficient(a) + name + "(" + Times(b) + ")" + Shift(c);
    p.cy = c;
    p.halfWidth = std::max(4.5L, std::abs(a) + 1.5L);
    return p;
}

GuessProblem Exponential(RandomInts& r) {
    const int a = NonZero(r, 2), b = r.Between(2, 3), c = r.Between(-2, 2), d = r.Between(-3, 3);
    GuessProblem p;
    p.type = 10;
    const std::string power = std::to_string(b) + "^" + (c == 0 ? "x" : "(" + Inside(c) + ")");
    p.formula = (a == 1 ? "" : a == -1 ? "-" : std::to_string(a) + "*") + power + Shift(d);
    p.cx = c;
    p.cy = d + a / 2.0L;
    return p;
}

GuessProblem Logarithm(int type, RandomInts& r) {
    const int c = r.Between(-3, 3), d = r.Between(-3, 3), base = LogBase(r);
    GuessProblem p;
    p.type = type;
    if (type == 11) {
        p.formula = Log(Inside(c), base);
        p.cx = c + 3;
    } else if (type == 12) {
        p.formula = Log(c == 0 ? "-x" : std::to_string(c) + "-x", base);
        p.cx = c - 3;
    } else {
        p.formula = Log("abs(" + Inside(c) + ")", base);
        p.cx = c;
    }
    p.formula += Shift(d);
    p.cy = d;
    return p;
}

GuessProblem Root(RandomInts& r) {
    int a = 1, b = 2;
    do {
        a = r.Between(1, 5);
        b = r.Between(2, 3);
    } while (a % b == 0);
    const int c = r.Between(-3, 3);
    GuessProblem p;
    p.type = 14;
    p.formula = "x^(" + std::to_string(a) + "/" + std::to_string(b) + ")" + Shift(c);
    p.cx = 3;
    p.cy = c + 1.5L;
    return p;
}

}  // namespace

GuessProblem GenerateGuessProblem(int type, const GuessSwitches& s, RandomInts& r) {
    GuessProblem p;
    switch (type) {
    case 1: p = Polynomial(s, r); break;
    case 2: p = Rational(s, r); break;
    case 4: case 5: case 6: case 7: case 8: case 9: p = Periodic(type, r); break;
    case 10: p = Exponential(r); break;
    case 11: case 12: case 13: p = Logarithm(type, r); break;
    case 14: p = Root(r); break;
    default: return Parabola(s, r);
    }
    // The absolute-value variant: the graph folds up above the x axis.
    if (s.on[kGuessAbsoluteSwitch] && r.Next() % 4 == 0) {
        p.absolute = true;
        p.formula = "abs(" + p.formula + ")";
        p.cy = std::max(std::fabs(p.cy), p.halfWidth / 2);
    }
    return p;
}

GuessProblem NewGuessProblem(const GuessSwitches& s, RandomInts& r) {
    if (!s.AnyType()) return GenerateGuessProblem(3, s, r);
    // Switches that are on come up within a few hundred draws; the bound only guards the loop.
    for (int i = 0; i < 100000; ++i) {
        const int t = r.Next() % kGuessTypes + 1;
        if (s.on[static_cast<std::size_t>(t)]) return GenerateGuessProblem(t, s, r);
    }
    return GenerateGuessProblem(3, s, r);
}

}  // namespace curvelo
