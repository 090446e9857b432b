// The classic reduction-and-polynomial method: the angle is reduced by pi/2 in three parts (so
// the reduction is exact to far beyond double precision for the angles drawings use), and sin
// and cos on [-pi/4, pi/4] and atan on [0, 7/16] are minimax polynomials. Very large angles
// (past 10^6) are first reduced by fmod, which is exact everywhere, modulo the double nearest
// 2 pi.
#include "geometry/PortableMath.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace easel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// sin(x) for |x| <= pi/4, with y the low part of x (x + y is the reduced angle).
double KernelSin(double x, double y) {
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double v = z * x;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x) for |x| <= pi/4, with y the low part of x.
double KernelCos(double x, double y) {
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const double hz = 0.5 * z;
    const double w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

// std::nearbyint(v) in the current rounding mode, for |v| < 2^51: adding and taking away
// 1.5 * 2^52 leaves no bits below the units, and both operations are exactly rounded IEEE
// ones. It gives +0 where nearbyint gives -0 (v in [-0.5, -0]), which the reduction below
// cannot tell apart: n only ever multiplies, and x - (+-0) is x.
double RoundToInteger(double v) {
    constexpr double kShifter = 6755399441055744.0;  // 1.5 * 2^52
    return (v + kShifter) - kShifter;
}

// std::ilogb(v), read from the exponent field for normal numbers (the library call for the
// rest: zero and subnormals never come out of the reduction of a float angle, but doubles
// may give them).
int BinaryExponent(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    if (field == 0 || field == 0x7FF) return std::ilogb(v);
    return field - 1023;
}

// x = n * pi/2 + (hi + lo) with |hi + lo| a little over pi/4 at most; returns n mod 4.
int ReduceByHalfPi(double x, double& hi, double& lo) {
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
    const double n = RoundToInteger(x * kInvHalfPi);
    double r = x - n * p1;  // exact
    double w = n * p1t;
    hi = r - w;
    // When r and w cancel, the next parts of pi/2 are needed for the low bits.
    const int exponent = x != 0 ? BinaryExponent(x) : 0;
    if (x != 0 && exponent - BinaryExponent(hi) > 16) {
        double t = r;
        w = n * p2;
        r = t - w;
        w = n * p2t - ((t - r) - w);
        hi = r - w;
        if (exponent - BinaryExponent(hi) > 49) {
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

}  // namespace

double PortableSin(double x) {
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

double PortableCos(double x) {
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

void PortableSinCos(double x, double& sine, double& cosine) {
    if (!std::isfinite(x)) {
        sine = cosine = kNaN;
        return;
    }
    if (std::fabs(x) <= 0.7853981633974483) {
        sine = KernelSin(x, 0.0);
        cosine = KernelCos(x, 0.0);
        return;
    }
    double hi, lo;
    const int quadrant = ReduceByHalfPi(x, hi, lo);
    const double s = KernelSin(hi, lo), c = KernelCos(hi, lo);
    switch (quadrant) {
        case 0: sine = s; cosine = c; break;
        case 1: sine = c; cosine = -s; break;
        case 2: sine = -s; cosine = -c; break;
        default: sine = -c; cosine = s; break;
    }
}

namespace {

// atan(x) for x >= 0.
double AtanPositive(double x) {
    static constexpr double kAtanHi[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01,
                                         9.82793723247329054082e-01, 1.57079632679489655800e+00};
    static constexpr double kAtanLo[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17,
                                         1.39033110312309984516e-17, 6.12323399573676603587e-17};
    static constexpr double aT[] = {3.33333333333329318027e-01,  -1.99999999998764832476e-01,
                                    1.42857142725034663711e-01,  -1.11111104054623557880e-01,
                                    9.09088713343650656196e-02,  -7.69187620504482999495e-02,
                                    6.66107313738753120669e-02,  -5.83357013379057348645e-02,
                                    4.97687799461593236017e-02,  -3.65315727442169155270e-02,
                                    1.62858201153657823623e-02};
    if (x >= 1.0e17) return kAtanHi[3] + kAtanLo[3];
    int id = -1;
    if (x >= 0.4375) {
        if (x < 1.1875) {
            if (x < 0.6875) {
                id = 0;
                x = (2.0 * x - 1.0) / (2.0 + x);
            } else {
                id = 1;
                x = (x - 1.0) / (x + 1.0);
            }
        } else if (x < 2.4375) {
            id = 2;
            x = (x - 1.5) / (1.0 + 1.5 * x);
        } else {
            id = 3;
            x = -1.0 / x;
        }
    }
    const double z = x * x;
    const double w = z * z;
    const double s1 = z * (aT[0] + w * (aT[2] + w * (aT[4] + w * (aT[6] + w * (aT[8] + w * aT[10])))));
    const double s2 = w * (aT[1] + w * (aT[3] + w * (aT[5] + w * (aT[7] + w * aT[9]))));
    if (id < 0) return x - x * (s1 + s2);
    return kAtanHi[id] - ((x * (s1 + s2) - kAtanLo[id]) - x);
}

}  // namespace

double PortableAtan2(double y, double x) {
    constexpr double kPi = 3.1415926535897931160e+00, kPiLo = 1.2246467991473531772e-16;
    constexpr double kHalfPi = 1.5707963267948965580e+00;
    if (std::isnan(x) || std::isnan(y)) return kNaN;
    if (y == 0.0) {
        if (std::signbit(x)) return std::copysign(kPi, y);  // x < 0 or x = -0
        return y;                                            // +-0 keeps its sign
    }
    if (x == 0.0) return std::copysign(kHalfPi, y);
    if (std::isinf(x)) {
        if (std::isinf(y)) return std::copysign(x > 0 ? kPi / 4 : 3 * kPi / 4, y);
        return x > 0 ? std::copysign(0.0, y) : std::copysign(kPi, y);
    }
    if (std::isinf(y)) return std::copysign(kHalfPi, y);
    const double q = std::fabs(y / x);
    double a;
    if (std::isinf(q) || q > 1.0e300) a = kHalfPi;
    else if (x < 0 && q < 1.0e-300) a = 0.0;
    else a = AtanPositive(q);
    if (x > 0) return std::copysign(a, y);
    return std::copysign(kPi - (a - kPiLo), y);
}

double PortableHypot(double x, double y) {
    x = std::fabs(x);
    y = std::fabs(y);
    if (std::isinf(x) || std::isinf(y)) return std::numeric_limits<double>::infinity();
    if (std::isnan(x) || std::isnan(y)) return kNaN;
    const double big = x > y ? x : y, small = x > y ? y : x;
    if (big == 0.0) return 0.0;
    // Squares of floats, and of doubles up to 1e150, neither overflow nor lose the small one.
    if (big < 1.0e150 && big > 1.0e-150) return std::sqrt(big * big + small * small);
    const double r = small / big;
    return big * std::sqrt(1.0 + r * r);
}

}  // namespace easel
