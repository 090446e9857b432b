// Easel's own sin, cos, atan2 and hypot: the values they must give, their special cases, and
// their accuracy against the system's library over many arguments (within one unit in the
// last place; the bits themselves are the same on every system by construction, which the
// Windows build's tests check).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>

#include "geometry/PortableMath.h"
#include "PortableMathReference.h"

namespace easel::testing {
namespace {

constexpr double kPi = std::numbers::pi;

int64_t UlpsApart(double a, double b) {
    if (a == b) return 0;
    if (std::signbit(a) != std::signbit(b)) return INT64_MAX;
    int64_t x, y;
    std::memcpy(&x, &a, 8);
    std::memcpy(&y, &b, 8);
    return x > y ? x - y : y - x;
}

TEST(PortableMath, KnownValuesAndSpecialCases) {
    // Values to 17 digits; within one unit in the last place.
    const struct { double x, sin, cos; } table[] = {
        {1.0, 0.84147098480789651, 0.54030230586813977},
        {-2.5, -0.59847214410395655, -0.80114361554693370},
        {kPi / 6, 0.49999999999999994, 0.86602540378443871},
        {100.0, -0.50636564110975879, 0.86231887228768389},
        {12345.678, -0.70408131375338160, 0.71011935871606280},
    };
    for (const auto& t : table) {
        EXPECT_LE(UlpsApart(PortableSin(t.x), t.sin), 1) << "sin " << t.x;
        EXPECT_LE(UlpsApart(PortableCos(t.x), t.cos), 1) << "cos " << t.x;
    }
    EXPECT_EQ(PortableSin(0.0), 0.0);
    EXPECT_TRUE(std::signbit(PortableSin(-0.0)));
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_TRUE(std::isnan(PortableSin(INFINITY)));
    EXPECT_TRUE(std::isnan(PortableCos(-INFINITY)));
    EXPECT_TRUE(std::isnan(PortableSin(NAN)));
    for (double huge : {1.0e6, 3.0e38, -1.0e300, DBL_MAX}) {
        EXPECT_LE(std::fabs(PortableSin(huge)), 1.0) << huge;
        EXPECT_LE(std::fabs(PortableCos(huge)), 1.0) << huge;
    }
    // Single precision rounds the double once: sin 1 and 3 pi / 4 as the nearest floats.
    EXPECT_EQ(PortableSin(1.0f), 0.84147096f);
    EXPECT_EQ(PortableAtan2(1.0f, -1.0f), 2.3561945f);

    const struct { double y, x, angle; } atan2[] = {
        {0.0, 1.0, 0.0},          {-0.0, 1.0, -0.0},         {0.0, -1.0, kPi},
        {-0.0, -1.0, -kPi},       {0.0, -0.0, kPi},          {1.0, 0.0, kPi / 2},
        {-1.0, -0.0, -kPi / 2},   {1.0, 1.0, kPi / 4},       {1.0, -1.0, 3 * kPi / 4},
        {-1.0, -1.0, -3 * kPi / 4}, {INFINITY, INFINITY, kPi / 4}, {INFINITY, -INFINITY, 3 * kPi / 4},
        {1.0, INFINITY, 0.0},     {1.0, -INFINITY, kPi},     {-1.0, -INFINITY, -kPi},
        {INFINITY, 5.0, kPi / 2}, {1.0e-310, -1.0, kPi},     {1.0e300, 1.0e-300, kPi / 2},
    };
    for (const auto& t : atan2) {
        const double a = PortableAtan2(t.y, t.x);
        EXPECT_LE(UlpsApart(a, t.angle), 1) << "atan2(" << t.y << ", " << t.x << ") = " << a;
        EXPECT_EQ(std::signbit(a), std::signbit(t.angle)) << "atan2(" << t.y << ", " << t.x << ")";
    }
    EXPECT_TRUE(std::isnan(PortableAtan2(double(NAN), 1.0)));

    EXPECT_EQ(PortableHypot(3.0, -4.0), 5.0);
    EXPECT_EQ(PortableHypot(0.0, -0.0), 0.0);
    EXPECT_LE(UlpsApart(PortableHypot(FLT_MAX, FLT_MAX), double(FLT_MAX) * std::numbers::sqrt2), 1);
    EXPECT_LE(UlpsApart(PortableHypot(1.0e-300, 1.0e-300), 1.0e-300 * std::numbers::sqrt2), 1);
    EXPECT_EQ(PortableHypot(INFINITY, NAN), INFINITY);
}

TEST(PortableMath, WithinOneUnitOfTheLibraryEverywhere) {
    std::mt19937_64 random(7);
    const double ranges[] = {1.0e-6, 1.0, 7.0, 1000.0, 1.0e5, 1.0e6};
    for (double range : ranges) {
        std::uniform_real_distribution<double> pick(-range, range);
        int64_t worstSin = 0, worstCos = 0, worstAtan = 0;
        for (int i = 0; i < 40000; ++i) {
            const double x = pick(random), y = pick(random);
            worstSin = std::max(worstSin, UlpsApart(PortableSin(x), std::sin(x)));
            worstCos = std::max(worstCos, UlpsApart(PortableCos(x), std::cos(x)));
            worstAtan = std::max(worstAtan, UlpsApart(PortableAtan2(y, x), std::atan2(y, x)));
        }
        // Near a zero of sin or cos the library is the reference for the last bit too.
        EXPECT_LE(worstSin, 1) << "range " << range;
        EXPECT_LE(worstCos, 1) << "range " << range;
        EXPECT_LE(worstAtan, 1) << "range " << range;
    }
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Sine and cosine must give the very bits they gave before the reduction was made faster (and
// PortableSinCos the bits of the two calls): a seed draws the same document as it always did.
// Every argument class the reduction treats apart: the kernel range, ordinary angles, angles a
// hair from a multiple of pi/2 (where the second and third parts of pi/2 are needed), huge
// angles reduced by fmod, zeros, subnormals, infinities and NaN.
TEST(PortableMath, SineAndCosineKeepTheirBits) {
    int checked = 0;
    const auto check = [&](double x) {
        ++checked;
        const double wantSin = reference::Sin(x), wantCos = reference::Cos(x);
        double s = 0, c = 0;
        PortableSinCos(x, s, c);
        ASSERT_TRUE(SameBits(PortableSin(x), wantSin)) << "sin " << x;
        ASSERT_TRUE(SameBits(PortableCos(x), wantCos)) << "cos " << x;
        ASSERT_TRUE(SameBits(s, wantSin) && SameBits(c, wantCos)) << "sincos " << x;
        const float xf = static_cast<float>(x);
        float sf = 0, cf = 0;
        PortableSinCos(xf, sf, cf);
        const float wantSf = static_cast<float>(reference::Sin(static_cast<double>(xf)));
        const float wantCf = static_cast<float>(reference::Cos(static_cast<double>(xf)));
        ASSERT_EQ(std::memcmp(&sf, &wantSf, 4), 0) << "sinf " << xf;
        ASSERT_EQ(std::memcmp(&cf, &wantCf, 4), 0) << "cosf " << xf;
        const float single = PortableSin(xf);
        ASSERT_EQ(std::memcmp(&single, &wantSf, 4), 0) << "sin of float " << xf;
    };
    // Floats from -8 to 8 (every angle an outline's running angle takes, and then some), a
    // sample of every 251st bit pattern.
    for (uint32_t bits = 0; bits <= 0x41000000u; bits += 251) {
        float f;
        std::memcpy(&f, &bits, 4);
        check(f);
        check(-f);
    }
    // A sample of every float bit pattern, huge and tiny ones included.
    for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) {
        const uint32_t b = static_cast<uint32_t>(bits);
        float f;
        std::memcpy(&f, &b, 4);
        check(f);
    }
    // Doubles near multiples of pi/2, up to the fmod threshold and past it.
    std::mt19937_64 random(11);
    for (int i = 0; i < 200000; ++i) {
        const double k = std::floor(std::ldexp(static_cast<double>(random() >> 11), -53) * 1.3e6);
        const double near = k * (kPi / 2);
        const int ulps = static_cast<int>(random() % 9) - 4;
        check(std::nextafter(near, ulps < 0 ? -INFINITY : INFINITY) + ulps * std::ldexp(near, -52));
        check(-near);
    }
    std::uniform_real_distribution<double> wide(-1.0e7, 1.0e7);
    for (int i = 0; i < 200000; ++i) check(wide(random));
    for (double x : {0.0, -0.0, 4.9e-324, -4.9e-324, 2.2250738585072014e-308, 0.7853981633974483,
                     0.7853981633974484, -0.7853981633974484, 1.0e6, -1.0e6, 1.0000000001e6, DBL_MAX,
                     -DBL_MAX, static_cast<double>(INFINITY), -static_cast<double>(INFINITY),
                     static_cast<double>(NAN)})
        check(x);
    EXPECT_GT(checked, 1000000);
}

}  // namespace
}  // namespace easel::testing
