#include "expr/eval_complex.h"

#include <cmath>
#include <complex>

#include "expr/eval.h"
#include "expr/fast_exp.h"
#include "expr/fast_trig.h"
#include "expr/hyperbolic.h"
#include "expr/node_kinds.h"

namespace curvelo {

namespace {

using Cx = std::complex<long double>;

Cx ToCx(const ExtComplex& v) { return {v.re, v.im}; }

bool Finish(const Cx& v, ExtComplex& out) {
    out = {v.real(), v.imag()};
    if (!std::isfinite(out.re) || !std::isfinite(out.im)) {
        out = {};
        return false;
    }
    if (Magnitude(out) < kTiny) out = {};
    return true;
}

// Full-precision angle in (-pi, pi] for the branch computations; a negative zero
// imaginary part counts as zero so the cut stays on one side.
long double Angle(const ExtComplex& z) { return std::atan2(z.im + 0.0L, z.re); }

using fasttrig::Pair;

Pair Sum(const Pair& a, const Pair& b) {
    const long double s = a.hi + b.hi;
    const long double back = s - a.hi;
    const long double error = (a.hi - (s - back)) + (b.hi - back);
    return {s, error + (a.lo + b.lo)};
}

// Between these moduli the squares of the parts stay normal numbers.
bool SquaresAreNormal(long double modulus) { return modulus > 0x1p-4000L && modulus < 0x1p4000L; }

// re^2 + im^2 with the squares formed exactly.
Pair SquaredModulus(const ExtComplex& z) {
    long double xx, ex, yy, ey;
    fasttrig::TwoProduct(z.re, z.re, xx, ex);
    fasttrig::TwoProduct(z.im, z.im, yy, ey);
    return Sum({xx, ex}, {yy, ey});
}

// The square root of a positive pair as a pair (one Newton correction of the library's root).
Pair Root(const Pair& v) {
    const long double r = std::sqrt(v.hi);
    long double p, error;
    fasttrig::TwoProduct(r, r, p, error);
    return {r, (((v.hi - p) - error) + v.lo) / (2.0L * r)};
}

// ln|z| + i arg z; ln|z| = ln(|z|^2)/2 from the square formed exactly, so that it stays
// exact to the last bit also where |z| is near 1.
bool Log(const ExtComplex& z, Cx& out) {
    const long double m = std::hypot(z.re, z.im);
    if (!(m >= kTiny)) return false;
    long double logModulus = std::log(m);
    if (SquaresAreNormal(m)) {
        const Pair square = SquaredModulus(z);
        logModulus = 0.5L * (std::log(square.hi) + square.lo / square.hi);
    }
    out = {logModulus, Angle(z)};
    return true;
}

// The principal root (half the argument, root of the modulus), in the form that stays
// exact on the axes: sqrt(-4) is exactly 2i.
// Where the squares stay normal, the modulus and the root are carried as pairs, so each
// part is rounded once.
Cx Sqrt(const ExtComplex& z) {
    const long double m = std::hypot(z.re, z.im);
    if (m < kTiny) return {0.0L, 0.0L};
    const long double im = z.im + 0.0L;  // -0 counts as +0: the cut belongs to the upper side
    long double t = std::sqrt((std::fabs(z.re) + m) / 2.0L), other = std::fabs(im) / (2.0L * t);
    if (SquaresAreNormal(m)) {
        const Pair modulus = Root(SquaredModulus(z));
        const Pair sum = Sum({std::fabs(z.re), 0.0L}, modulus);
        const Pair root = Root({0.5L * sum.hi, 0.5L * sum.lo});
        t = root.hi + root.lo;
        other = fasttrig::Quotient({std::fabs(im), 0.0L}, {2.0L * root.hi, 2.0L * root.lo});
    }
    if (z.re >= 0) return {t, im < 0 ? -other : other};
    return {other, im < 0 ? -t : t};
}

bool Exp(const Cx& z, Cx& out) {
    if (z.real() >= kExpLimit || std::fabs(z.imag()) > kTrigLimit || std::isnan(z.real())) return false;
    if (z.real() <= -kExpLimit) {
        out = {0.0L, 0.0L};
        return true;
    }
    fasttrig::Pair s, c;
    if (!SinCosPairs(z.imag(), s, c)) return false;
    const fasttrig::Pair r = ExpPair(z.real());
    out = {fasttrig::Product(r, c), fasttrig::Product(r, s)};  // each part rounded once
    return true;
}

// 2ab as a pair (the leading product exact).
Pair TwiceProduct(const Pair& a, const Pair& b) {
    long double p, error;
    fasttrig::TwoProduct(a.hi, b.hi, p, error);
    return {2.0L * p, 2.0L * (error + (a.hi * b.lo + a.lo * b.hi))};
}

// (re + i im) / d for a real d, each part one quotient.
Cx OverReal(const Pair& re, const Pair& im, const Pair& d) {
    return {fasttrig::Quotient(re, d), fasttrig::Quotient(im, d)};
}

// The definedness and the zero rule of Divide for num / den, the value from the accurate form.
bool DivideAs(const Cx& num, const Cx& den, const Cx& accurate, ExtComplex& out) {
    if (!Divide({num.real(), num.imag()}, {den.real(), den.imag()}, true, out)) return false;
    if (out.re == 0 && out.im == 0) return true;
    if (std::isfinite(accurate.real()) && std::isfinite(accurate.imag())) out = {accurate.real(), accurate.imag()};
    return true;
}

// The trigonometric quotients of z = x + iy through the real functions of 2x and 2y, where
// |cos z|^2 = (cos 2x + cosh 2y)/2 and |sin z|^2 = (cosh 2y - cos 2x)/2; false when 2x is
// beyond the reduction.
bool TrigQuotients(std::uint16_t kind, const ExtComplex& z, Cx& accurate) {
    Pair s2, c2, s, c;
    if (!SinCosPairs(2.0L * z.re, s2, c2) || !SinCosPairs(z.re, s, c)) return false;
    const Pair sh2 = SinhPair(2.0L * z.im), ch2 = CoshPair(2.0L * z.im);
    const Pair cosSquares = Sum(c2, ch2), sinSquares = Sum(ch2, fasttrig::Negate(c2));
    switch (kind) {
    case nk::TAN:  // (sin 2x + i sinh 2y) / (cos 2x + cosh 2y)
        accurate = OverReal(s2, sh2, cosSquares);
        return true;
    case nk::COT:  // (sin 2x - i sinh 2y) / (cosh 2y - cos 2x)
        accurate = OverReal(s2, fasttrig::Negate(sh2), sinSquares);
        return true;
    case nk::SEC:  // 2 conj(cos z) / (cos 2x + cosh 2y)
        accurate = OverReal(TwiceProduct(c, CoshPair(z.im)), TwiceProduct(s, SinhPair(z.im)), cosSquares);
        return true;
    default:  // CSC: 2 conj(sin z) / (cosh 2y - cos 2x)
        accurate = OverReal(TwiceProduct(s, CoshPair(z.im)), fasttrig::Negate(TwiceProduct(c, SinhPair(z.im))),
                            sinSquares);
        return true;
    }
}

// The same for the hyperbolic quotients, with |cosh z|^2 = (cosh 2x + cos 2y)/2 and
// |sinh z|^2 = (cosh 2x - cos 2y)/2.
bool HyperbolicQuotients(std::uint16_t kind, const ExtComplex& z, Cx& accurate) {
    Pair s2, c2, s, c;
    if (!SinCosPairs(2.0L * z.im, s2, c2) || !SinCosPairs(z.im, s, c)) return false;
    const Pair sh2 = SinhPair(2.0L * z.re), ch2 = CoshPair(2.0L * z.re);
    const Pair coshSquares = Sum(ch2, c2), sinhSquares = Sum(ch2, fasttrig::Negate(c2));
    switch (kind) {
    case nk::TANH:  // (sinh 2x + i sin 2y) / (cosh 2x + cos 2y)
        accurate = OverReal(sh2, s2, coshSquares);
        return true;
    case nk::COTH:  // (sinh 2x - i sin 2y) / (cosh 2x - cos 2y)
        accurate = OverReal(sh2, fasttrig::Negate(s2), sinhSquares);
        return true;
    case nk::SECH:  // 2 conj(cosh z) / (cosh 2x + cos 2y)
        accurate = OverReal(TwiceProduct(CoshPair(z.re), c), fasttrig::Negate(TwiceProduct(SinhPair(z.re), s)),
                            coshSquares);
        return true;
    default:  // CSCH: 2 conj(sinh z) / (cosh 2x - cos 2y)
        accurate = OverReal(TwiceProduct(SinhPair(z.re), c), fasttrig::Negate(TwiceProduct(CoshPair(z.re), s)),
                            sinhSquares);
        return true;
    }
}

// A complex value with each part as a pair.
struct PairCx {
    Pair re, im;
};

Pair PairProduct(const Pair& a, const Pair& b) {
    long double p, error;
    fasttrig::TwoProduct(a.hi, b.hi, p, error);
    return {p, error + (a.hi * b.lo + a.lo * b.hi)};
}

// sin, cos, sinh or cosh of w = u + iv as pairs, from sin(u + iv) = sin u cosh v + i cos u sinh v
// and its kin; false beyond the ranges of the real kernels.
bool FunctionPairs(std::uint16_t kind, const Cx& w, PairCx& out) {
    const bool trigonometric = kind == nk::SIN || kind == nk::COS;
    const long double circular = trigonometric ? w.real() : w.imag();
    const long double hyperbolic = trigonometric ? w.imag() : w.real();
    Pair s, c;
    if (!(std::fabs(hyperbolic) < 5000.0L) || !SinCosPairs(circular, s, c)) return false;
    const Pair sh = SinhPair(hyperbolic), ch = CoshPair(hyperbolic);
    switch (kind) {
    case nk::SIN: out = {PairProduct(s, ch), PairProduct(c, sh)}; break;
    case nk::COS: out = {PairProduct(c, ch), fasttrig::Negate(PairProduct(s, sh))}; break;
    case nk::SINH: out = {PairProduct(sh, c), PairProduct(ch, s)}; break;
    default: out = {PairProduct(ch, c), PairProduct(sh, s)}; break;
    }
    return true;
}

// The library's inverse w of z mended by one Newton step w - (f(w) - z) / f'(w), with the
// residual formed from the two-part values so that the step is exact far below an ulp.
Cx NewtonMended(std::uint16_t kind, const Cx& w, const ExtComplex& z) {
    PairCx f;
    if (!std::isfinite(w.real()) || !std::isfinite(w.imag()) || !FunctionPairs(kind, w, f)) return w;
    Cx slope;
    switch (kind) {
    case nk::SIN: slope = std::cos(w); break;
    case nk::COS: slope = -std::sin(w); break;
    case nk::SINH: slope = std::cosh(w); break;
    default: slope = std::sinh(w); break;
    }
    const Cx residual{(f.re.hi - z.re) + f.re.lo, (f.im.hi - z.im) + f.im.lo};
    const Cx step = residual / slope;
    if (!std::isfinite(step.real()) || !std::isfinite(step.imag())) return w;
    return w - step;
}

// atan z mended in the same way: with w the library's value, the step is
// (sin w - z cos w) cos w, the residual of tan w = z times the slope's reciprocal cos^2 w.
Cx ArctanMended(const Cx& w, const ExtComplex& z) {
    PairCx s, c;
    if (!std::isfinite(w.real()) || !std::isfinite(w.imag()) || !FunctionPairs(nk::SIN, w, s) ||
        !FunctionPairs(nk::COS, w, c))
        return w;
    const Pair x{z.re, 0.0L}, y{z.im, 0.0L};
    const Pair re = Sum(s.re, fasttrig::Negate(Sum(PairProduct(x, c.re), fasttrig::Negate(PairProduct(y, c.im)))));
    const Pair im = Sum(s.im, fasttrig::Negate(Sum(PairProduct(x, c.im), PairProduct(y, c.re))));
    const Cx step = Cx{re.hi + re.lo, im.hi + im.lo} * Cx{c.re.hi, c.im.hi};
    if (!std::isfinite(step.real()) || !std::isfinite(step.imag())) return w;
    return w - step;
}

// log10 z = (ln|z| + i arg z) / ln 10 with both parts as pairs before the one product that
// rounds each: ln|z|^2 and arg z from the library, each mended by a Newton step.
bool Log10(const ExtComplex& z, Cx& out) {
    constexpr Pair kInvLn10{0xde5bd8a937287195p-65L, 0xd56eaabeb4cf70c9p-131L};
    Cx plain;
    if (!Log(z, plain)) return false;
    out = plain / std::log(10.0L);
    if (!SquaresAreNormal(std::hypot(z.re, z.im))) return true;
    const Pair square = SquaredModulus(z);
    // ln|z|^2 = y + (|z|^2 - e^y) / e^y.
    const long double y = std::log(square.hi);
    const Pair e = ExpPair(y);
    const Pair logSquare{y, (((square.hi - e.hi) - e.lo) + square.lo) / e.hi};
    // arg z = t + (im cos t - re sin t) / (re cos t + im sin t).
    const long double t = plain.imag();
    Pair s, c;
    if (!SinCosPairs(t, s, c)) return true;
    const Pair x{z.re, 0.0L}, yPart{z.im, 0.0L};
    const Pair cross = Sum(PairProduct(yPart, c), fasttrig::Negate(PairProduct(x, s)));
    const long double along = z.re * c.hi + z.im * s.hi;
    const Pair angle{t, (cross.hi + cross.lo) / along};
    out = {fasttrig::Product({0.5L * logSquare.hi, 0.5L * logSquare.lo}, kInvLn10), fasttrig::Product(angle, kInvLn10)};
    return true;
}

// Each part of a two-part value rounded once.
Cx Rounded(const PairCx& v) { return {v.re.hi + v.re.lo, v.im.hi + v.im.lo}; }

bool Reciprocal(const Cx& v, ExtComplex& out) {
    return Divide({1.0L, 0.0L}, {v.real(), v.imag()}, true, out);
}

// The trigonometric and hyperbolic kernels overflow once the exponent reaches EXPLIMIT.
bool TrigArgumentOk(const ExtComplex& z) {
    return std::fabs(z.re) <= kTrigLimit && std::fabs(z.im) < kExpLimit;
}
bool HyperbolicArgumentOk(const ExtComplex& z) {
    return std::fabs(z.re) < kExpLimit && std::fabs(z.im) <= kTrigLimit;
}

}  // namespace

long double Arccot(long double x) {
    constexpr long double kCancellation = 0x1p26L;  // beyond it the offset of the double pi/2 exceeds 2^-32 of the value
    return x > kCancellation ? std::atan(1.0L / x) : kHalfPiDouble - std::atan(x);
}

long double PolarAngle(long double x, long double y) {
    if (!(std::fabs(x) >= kTiny)) return y < 0 ? -kHalfPi : kHalfPi;
    long double t = std::atan(y / x);
    if (x < 0) t += (y >= 0) ? kPi : -kPi;
    return t;
}

bool ComplexFunction(std::uint16_t kind, const ExtComplex& z, ExtComplex& out, bool& handled) {
    handled = true;
    const Cx c = ToCx(z);
    Cx v;
    switch (kind) {
    case nk::SIN:
    case nk::COS: {
        PairCx v2;
        return TrigArgumentOk(z) && FunctionPairs(kind, c, v2) && Finish(Rounded(v2), out);
    }
    case nk::TAN:
    case nk::SEC:
    case nk::CSC:
    case nk::COT: {
        // Divide's rules decide on the quotient of sin z and cos z; its value comes in one
        // quotient per part from the real functions of 2x and 2y.
        if (!TrigArgumentOk(z)) return false;
        const Cx sine = std::sin(c), cosine = std::cos(c);
        const Cx one{1.0L, 0.0L};
        const Cx num = kind == nk::TAN ? sine : kind == nk::COT ? cosine : one;
        const Cx den = kind == nk::TAN || kind == nk::SEC ? cosine : sine;
        Cx accurate = num / den;
        TrigQuotients(kind, z, accurate);
        return DivideAs(num, den, accurate, out);
    }
    case nk::EXP:
        return Exp(c, v) && Finish(v, out);
    case nk::CIS:
        return Exp(Cx{-z.im, z.re}, v) && Finish(v, out);
    case nk::LN:
        return Log(z, v) && Finish(v, out);
    case nk::LOG:
        return Log10(z, v) && Finish(v, out);
    case nk::SQR:
        return Finish(Sqrt(z), out);
    case nk::SINH:
    case nk::COSH: {
        PairCx v2;
        return HyperbolicArgumentOk(z) && FunctionPairs(kind, c, v2) && Finish(Rounded(v2), out);
    }
    case nk::TANH: {
        if (std::fabs(z.re) >= kExpLimit) return Finish({z.re < 0 ? -1.0L : 1.0L, 0.0L}, out);
        Cx accurate = std::tanh(c);
        HyperbolicQuotients(kind, z, accurate);
        return Finish(accurate, out);
    }
    case nk::SECH:
    case nk::CSCH:
    case nk::COTH: {
        // The reciprocal's rules on the plain value, the value from the accurate form.
        if (std::fabs(z.re) >= kExpLimit) return Finish({kind == nk::COTH ? (z.re < 0 ? -1.0L : 1.0L) : 0.0L, 0.0L}, out);
        const Cx den = kind == nk::SECH ? std::cosh(c) : kind == nk::CSCH ? std::sinh(c) : std::tanh(c);
        Cx accurate = 1.0L / den;
        HyperbolicQuotients(kind, z, accurate);
        return DivideAs({1.0L, 0.0L}, den, accurate, out);
    }
    case nk::ARCSIN:
        return Finish(NewtonMended(nk::SIN, std::asin(c), z), out);
    case nk::ARCCOS:
        return Finish(NewtonMended(nk::COS, std::acos(c), z), out);
    case nk::ARCTAN:
        if (z.re == 0 && std::fabs(std::fabs(z.im) - 1.0L) < kTiny) return false;  // the poles +-i
        return Finish(ArctanMended(std::atan(c), z), out);
    case nk::ARCCOT:
        if (z.re == 0 && std::fabs(std::fabs(z.im) - 1.0L) < kTiny) return false;
        if (z.im == 0) return Finish({Arccot(z.re), 0.0L}, out);
        return Finish(Cx{kHalfPiDouble, 0.0L} - ArctanMended(std::atan(c), z), out);
    case nk::ARGSINH:
        return Finish(NewtonMended(nk::SINH, std::asinh(c), z), out);
    case nk::ARGCOSH:
        return Finish(NewtonMended(nk::COSH, std::acosh(c), z), out);
    case nk::ARGTANH:
        if (z.im == 0 && std::fabs(std::fabs(z.re) - 1.0L) < kTiny) return false;  // the poles +-1
        return Finish(std::atanh(c), out);
    case nk::ARGCOTH: {
        ExtComplex inv;
        if (!Reciprocal(c, inv)) return false;
        if (inv.im == 0 && std::fabs(std::fabs(inv.re) - 1.0L) < kTiny) return false;
        return Finish(std::atanh(ToCx(inv)), out);
    }
    case nk::SGN: {
        const long double m = std::hypot(z.re, z.im);
        if (!(m >= kTiny)) return false;
        return Finish(c / m, out);
    }
    case nk::ARG:
        return Finish({PolarAngle(z.re, z.im), 0.0L}, out);
    default:
        handled = false;
        return true;
    }
}

bool ComplexPower(const ExtComplex& a, const ExtComplex& b, ExtComplex& out) {
    Cx l;
    if (!Log(a, l)) {
        out = {};
        return b.re > 0;  // 0 to a positive power
    }
    Cx v;
    return Exp(ToCx(b) * l, v) && Finish(v, out);
}

bool ComplexRoot(const ExtComplex& b, std::int32_t n, ExtComplex& out) {
    out = {};
    if (n == 0) return false;
    Cx l;
    if (!Log(b, l)) return n > 0;
    Cx v;
    return Exp(l / static_cast<long double>(n), v) && Finish(v, out);
}

}  // namespace curvelo
