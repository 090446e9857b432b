// The finishing phases' geometry as plain functions (see Geometry.h).
#include "generator/Geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace corvanta {

AIRealPoint BoundsCentre(const AIRealRect& b) {
    return {b.left + (b.right - b.left) / 2.0f, b.bottom + (b.top - b.bottom) / 2.0f};
}

float FieldDistance(float d, float factor, float radius) { return d + factor * (radius - d); }

AIRealPoint AlongRay(AIRealPoint centre, AIRealPoint p, float d, float dNew) {
    const float ratio = dNew / d;
    return {centre.h + (p.h - centre.h) * ratio, centre.v + (p.v - centre.v) * ratio};
}

void MoveSegment(AIPathSegment& s, float dx, float dy) {
    s.p.h += dx;
    s.p.v += dy;
    s.in.h += dx;
    s.in.v += dy;
    s.out.h += dx;
    s.out.v += dy;
}

AIRealPoint TwirlAnchor(const AIRealMathSuite& math, AIRealPoint p, AIRealPoint c, float m,
                        float angle) {
    const float d = math.AIRealPointLength(&c, &p);
    const float a = math.AIRealATan(p.v - c.v, p.h - c.h);
    const float turned = a + angle * (1.0f - d / m);
    return {p.h + d * (math.AIRealCos(a) - math.AIRealCos(turned)),
            p.v + d * (math.AIRealSin(a) - math.AIRealSin(turned))};
}

namespace {

// The centre's place between the page's nearer edge (0) and its middle line (1) in one axis.
float EdgeFraction(float c, float page) {
    const float half = page * 0.5f;
    if (c - half < 0) return c / half;
    return (page - c) / (page - half);
}

}  // namespace

float EdgeScaleFactor(const AIRealMathSuite& math, AIRealPoint c, float pageWidth, float pageHeight) {
    const float fx = math.AIRealInterpolate(1.0f, 0.02f, EdgeFraction(c.h, pageWidth));
    const float fy = math.AIRealInterpolate(1.0f, 0.02f, EdgeFraction(c.v, pageHeight));
    return fy < fx ? fy : fx;
}

namespace {

// Sign and exponent field: floats with the same value here lie on one grid of spacing u (the
// last place), in one interval of magnitudes [lo, hi).
uint32_t Binade(float x) { return std::bit_cast<uint32_t>(x) >> 23; }

}  // namespace

float AdvanceAngle(float angle, float step, int64_t count) {
    // Within one binade, x + step rounds to x plus the same multiple of u every time: u is
    // fixed and x is on its grid, and a tie goes to the even neighbour, so once one step has
    // landed on the grid of this binade (even, in a tie) every later one falls the same way.
    // So after two equal steps inside a binade, n more steps add n times that increment
    // exactly, as long as every sum stays inside the binade; the steps near its edges, where
    // the grid changes, are added one at a time.
    int equalSteps = 0;
    float last = 0.0f;
    while (count > 0) {
        const float next = angle + step;
        if (std::bit_cast<uint32_t>(next) == std::bit_cast<uint32_t>(angle)) break;
        --count;
        const bool inBinade = std::isfinite(next) && std::isfinite(angle) && Binade(next) == Binade(angle);
        const float d = next - angle;  // exact for two floats of one binade
        equalSteps = !inBinade ? 0 : (equalSteps > 0 && d == last ? equalSteps + 1 : 1);
        last = d;
        angle = next;
        if (equalSteps < 2 || count == 0) continue;

        const int exponent = static_cast<int>(Binade(angle) & 0xFF);
        const double lo = exponent == 0 ? 0.0 : std::ldexp(1.0, exponent - 127);
        const double hi = std::ldexp(1.0, exponent == 0 ? -126 : exponent - 126);
        const double magnitude = std::fabs(static_cast<double>(angle));
        const bool growing = std::signbit(angle) == std::signbit(d);
        const double room = growing ? hi - magnitude : magnitude - lo;
        // Two increments short of the edge, so that every sum, and the step after, stays inside.
        const double fits = std::floor(room / std::fabs(static_cast<double>(d))) - 2.0;
        if (fits < 1.0) continue;
        const int64_t n = std::min<int64_t>(count, static_cast<int64_t>(fits));
        // n < 2^23 and d a multiple of u below 2^24 u, so n × d and the sum are exact doubles,
        // and the sum a float of this binade.
        angle = static_cast<float>(static_cast<double>(angle) + static_cast<double>(n) * static_cast<double>(d));
        count -= n;
    }
    return angle;
}

}  // namespace corvanta
