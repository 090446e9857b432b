// The sine and cosine as they were first written (nearbyint and ilogb from the C library),
// kept as the reference the faster reduction must match bit for bit: documents drawn before
// and after the change must be the same bytes.
#pragma once

#include <cmath>
#include <limits>

namespace easel::reference {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// sin(x) for |x| <= pi/4, with y the low part of x (x + y is the reduced angle).
inline double KernelSin(double x, double y) {
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double v = z * x;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x) for |x| <= pi/4, with y the low part of x.
inline double KernelCos(double x, double y) {
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const double hz = 0.5 * z;
    const double w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

// x = n * pi/2 + (hi + lo) with |hi + lo| a little over pi/4 at most; returns n mod 4.
inline int ReduceByHalfPi(double x, double& hi, double& lo) {
    constexpr double kTwoPi = 6.28318530717958623200;          // the double nearest 2 pi
    constexpr double kInvHalfPi = 6.36619772367581382433e-01;  // 2 / pi
    // pi/2 in parts of 33 significant bits, so that n times each is exact: pi/2 = p1 + p1t,
    // p1t = p2 + p2t, p2t = p3 + p3t.
    constexpr double p1 = 1.57079632673412561417e+00, p1t = 6.07710050650619224932e-11;
    constexpr double p2 = 6.07710050630396597660e-11, p2t = 2.02226624879595063154e-21;
    constexpr double p3 = 2.02226624871116645580e-21, p3t = 8.47842766036889956997e-32;
    // n * p1 is exact while n < 2^20; past that, fmod (exact) stands in for the reduction, so
    // a huge angle still gives the same bits everywhere, though not its true sine.
    if (std::fabs(x) > 1.0e6) x = std::fmod(x, kTwoPi);
    const double n = std::nearbyint(x * kInvHalfPi);
    double r = x - n * p1;  // exact
    double w = n * p1t;
    hi = r - w;
    // When r and w cancel, the next parts of pi/2 are needed for the low bits.
    if (x != 0 && std::ilogb(x) - std::ilogb(hi) > 16) {
        double t = r;
        w = n * p2;
        r = t - w;
        w = n * p2t - ((t - r) - w);
        hi = r - w;
        if (std::ilogb(x) - std::ilogb(hi) > 49) {
            t = r;
            w = n * p3;
            r = t - w;
            w = n * p3t - ((t - r) - w);
            hi = r - w;
        }
    }
    lo = (r - hi) - w;
    return static_cast<int>(static_cast<long long>(n) & 3);
}


inline double Sin(double x) {
    if (!std::isfinite(x)) return kNaN;
    if (std::fabs(x) <= 0.7853981633974483) return KernelSin(x, 0.0);
    double hi, lo;
    switch (ReduceByHalfPi(x, hi, lo)) {
        case 0: return KernelSin(hi, lo);
        case 1: return KernelCos(hi, lo);
        case 2: return -KernelSin(hi, lo);
        default: return -KernelCos(hi, lo);
    }
}

inline double Cos(double x) {
    if (!std::isfinite(x)) return kNaN;
    if (std::fabs(x) <= 0.7853981633974483) return KernelCos(x, 0.0);
    double hi, lo;
    switch (ReduceByHalfPi(x, hi, lo)) {
        case 0: return KernelCos(hi, lo);
        case 1: return -KernelSin(hi, lo);
        case 2: return -KernelCos(hi, lo);
        default: return KernelSin(hi, lo);
    }
}

}  // namespace easel::reference
