#!/usr/bin/env python3
"""Writes reference_values.inc: arguments and correctly rounded 64-bit-mantissa results
of the evaluator's functions, computed at 400 bits with mpmath. Run once when the table
changes; the test only reads the generated file."""
import random
import sys

import mpmath
from mpmath import mp, mpf

mp.prec = 400
TRIG_LIMIT = mpf(5) * 10**18


def round64(v):
    with mp.workprec(64):
        return +v


def literal(v):
    v = round64(v)
    if v == 0:
        return "0.0L"
    sign, man, exp, _ = v._mpf_
    return "%s0x%xp%dL" % ("-" if sign else "", man, exp)


def ext(m, e):
    """The long double m * 2^e (m below 2^64)."""
    return round64(mpf(m) * mpf(2) ** e)


def random_ext(rng, lo_exp, hi_exp, signed=True):
    e = rng.randint(lo_exp, hi_exp)
    m = rng.getrandbits(64) | (1 << 63)
    v = ext(m, e - 63)
    return -v if signed and rng.random() < 0.5 else v


def hard_trig_arguments():
    """Long doubles nearest to multiples of pi/2: per binade the best rational approximations
    m/k of (pi/2) 2^(63-e) with a 64-bit m (convergents, semiconvergents and their multiples),
    and the closest of the nearest long doubles to k pi/2 for k up to 10^6."""
    found = {}
    half_pi = mp.pi / 2
    for e in range(0, 63):
        alpha = half_pi * mpf(2) ** (63 - e)
        terms = []
        a = alpha
        for _ in range(80):
            q = int(mpmath.floor(a))
            terms.append(q)
            frac = a - q
            if frac == 0:
                break
            a = 1 / frac
        p_prev, q_prev, p, q = 1, 0, terms[0], 1
        candidates = [(p, q)]
        for t in terms[1:]:
            for j in range(1, t + 1):
                candidates.append((p_prev + j * p, q_prev + j * q))
            p_prev, q_prev, p, q = p, q, t * p + p_prev, t * q + q_prev
            candidates.append((p, q))
            if p >= 1 << 64:
                break
        scored = []
        for p, q in candidates:
            if q < 1 or p < 1:
                continue
            if p < 1 << 63:
                t = -(-(1 << 63) // p)
                p, q = p * t, q * t
            if not (1 << 63) <= p < 1 << 64:
                continue
            x = ext(p, e - 63)
            if x > TRIG_LIMIT:
                continue
            scored.append((abs(x - q * half_pi) / x, x))
        scored.sort()
        for _, x in scored[:3]:
            found[x] = True
    # Exact integers: P = pi/2 * 2^400.
    big = int(mpmath.floor(half_pi * mpf(2) ** 400))
    best = []
    for k in range(1, 1000001):
        v = k * big
        bits = v.bit_length()
        shift = bits - 64
        m = (v + (1 << (shift - 1))) >> shift
        err = abs((m << shift) - v)
        best.append((err / v, k, m, shift - 400))
    best.sort()
    for _, _, m, e in best[:80]:
        found[ext(m, e)] = True
    return list(found)


def main(path):
    rng = random.Random(20261208)
    rows = []

    def add(name, f, xs):
        for x in xs:
            x = round64(x)
            rows.append((name, literal(x), literal(f(x))))

    hard = hard_trig_arguments()
    examples = [round64(mpf("360632.84548353313522")), round64(mpf("1127.8317626387357726"))]
    trig_random = ([random_ext(rng, -3, 3) for _ in range(150)] + [random_ext(rng, 3, 20) for _ in range(150)] +
                   [random_ext(rng, 20, 62) for _ in range(100)])
    trig_random = [x for x in trig_random if abs(x) <= TRIG_LIMIT]
    for name, f in (("kSin", mpmath.sin), ("kCos", mpmath.cos)):
        add(name, f, hard + [-x for x in hard[::5]] + examples + trig_random)

    # Values beyond TINY and BIG are the division rules' business, not accuracy.
    quotient_args = [x for x in [random_ext(rng, -3, 8) for _ in range(150)] + [x for x in hard if x < 1e4][:60]
                     if min(abs(mpmath.sin(x)), abs(mpmath.cos(x))) > 2e-18]
    add("kTan", mpmath.tan, quotient_args)
    add("kCot", mpmath.cot, quotient_args)
    add("kSec", mpmath.sec, quotient_args)
    add("kCsc", mpmath.csc, quotient_args)

    add("kExp", mpmath.exp, [x for x in (random_ext(rng, -20, 12) for _ in range(220)) if abs(x) < 4999])
    positive = [random_ext(rng, -59, 200, signed=False) for _ in range(200)] + \
               [1 + random_ext(rng, -40, -2) for _ in range(40)]
    add("kLn", mpmath.log, positive)
    add("kLog", mpmath.log10, positive)
    add("kSqrt", mpmath.sqrt, positive)
    unit = [random_ext(rng, -30, -1) for _ in range(150)] + [1 - random_ext(rng, -40, -2, signed=False) for _ in range(30)]
    add("kArcsin", mpmath.asin, unit)
    add("kArccos", mpmath.acos, unit)
    add("kArctan", mpmath.atan, [random_ext(rng, -30, 60) for _ in range(200)])
    hyper = [random_ext(rng, -30, 12) for _ in range(200)]
    hyper = [x for x in hyper if abs(x) < 4999]
    add("kSinh", mpmath.sinh, hyper)
    add("kCosh", mpmath.cosh, hyper)
    add("kTanh", mpmath.tanh, hyper)
    add("kSech", mpmath.sech, hyper)
    hyper_nonzero = [x for x in hyper if abs(x) > 1e-17]
    add("kCoth", mpmath.coth, hyper_nonzero)
    add("kCsch", mpmath.csch, hyper_nonzero)
    add("kArgsinh", mpmath.asinh, [random_ext(rng, -30, 100) for _ in range(200)])
    add("kArgcosh", mpmath.acosh, [1 + random_ext(rng, -40, 100, signed=False) for _ in range(200)])

    # Complex mode: argument and value as real and imaginary parts.
    complex_rows = []
    for name, f in (("kExp", mpmath.exp), ("kSin", mpmath.sin), ("kCos", mpmath.cos), ("kSinh", mpmath.sinh),
                    ("kCosh", mpmath.cosh), ("kLn", mpmath.log), ("kTan", mpmath.tan), ("kCot", mpmath.cot),
                    ("kSec", mpmath.sec), ("kCsc", mpmath.csc), ("kTanh", mpmath.tanh), ("kCoth", mpmath.coth),
                    ("kSech", mpmath.sech), ("kCsch", mpmath.csch), ("kSqrt", mpmath.sqrt),
                    ("kLog", lambda z: mpmath.log(z) / mpmath.log(10)), ("kArcsin", mpmath.asin),
                    ("kArccos", mpmath.acos), ("kArctan", mpmath.atan), ("kArgsinh", mpmath.asinh),
                    ("kArgcosh", mpmath.acosh)):
        for _ in range(30):
            z = mpmath.mpc(round64(random_ext(rng, -8, 3)), round64(random_ext(rng, -8, 3)))
            v = f(z)
            # Each part of the value as a rounded part and the rest, so the test sees the exact error.
            complex_rows.append((name, literal(z.real), literal(z.imag), literal(v.real), literal(v.real - round64(v.real)),
                                 literal(v.imag), literal(v.imag - round64(v.imag))))
    with open(path.replace("reference_values", "complex_reference_values"), "w") as out:
        out.write("// Generated by make_reference_values.py: argument (re, im), value (re and its rest, im and its rest).\n")
        for row in complex_rows:
            out.write("{%s, %s, %s, %s, %s, %s, %s},\n" % row)

    with open(path, "w") as out:
        out.write("// Generated by make_reference_values.py: argument, correctly rounded value.\n")
        for name, x, y in rows:
            out.write("{%s, %s, %s},\n" % (name, x, y))
    print(len(rows), "rows", file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "reference_values.inc")
