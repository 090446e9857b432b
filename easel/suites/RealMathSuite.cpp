// "AI Real Math Suite" v1: plain IEEE single precision, and sin, cos and atan2 of our own
// (geometry/PortableMath.h), so that results are the same on every build and system. Nothing
// here can fail, so these entries are not counted or faulted.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

#include "AIRealMath.h"
#include "geometry/PortableMath.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

constexpr float kDegreesToRadians = static_cast<float>(3.14159265358979323846 / 180.0);
constexpr float kRadiansToDegrees = static_cast<float>(180.0 / 3.14159265358979323846);

AIReal SPAPI Divide(AIReal a, AIReal b) { return a / b; }
AIReal SPAPI DegreeToRadian(AIReal degrees) { return degrees * kDegreesToRadians; }
AIReal SPAPI RadianToDegree(AIReal radians) { return radians * kRadiansToDegrees; }
// A plug-in placing points on a circle asks for the cosine and then the sine of one angle, so
// both come from one reduction, and the last angle's pair is kept for the second call. The
// values are those of PortableSin and PortableCos, bit for bit. The pair starts as that of a
// NaN, which is right for that NaN and cannot match any other angle.
struct SineAndCosine {
    uint32_t angleBits = 0x7FC00000u;
    float sine = std::numeric_limits<float>::quiet_NaN();
    float cosine = std::numeric_limits<float>::quiet_NaN();
};

// The last angle's pair; the reduction is out of line so that a repeated angle costs a
// comparison.
[[gnu::noinline]] void Reduce(SineAndCosine& pair, float radians, uint32_t bits) {
    PortableSinCos(radians, pair.sine, pair.cosine);
    pair.angleBits = bits;
}

inline const SineAndCosine& OfAngle(float radians) {
    thread_local SineAndCosine last;
    uint32_t bits;
    std::memcpy(&bits, &radians, sizeof bits);
    if (last.angleBits != bits) Reduce(last, radians, bits);
    return last;
}

AIReal SPAPI Sin(AIReal radians) { return OfAngle(radians).sine; }
AIReal SPAPI Cos(AIReal radians) { return OfAngle(radians).cosine; }
// atan2 gives -pi for y = -0 (or a negative y too small to matter) and x < 0; the suite's range
// is (-pi, pi], so that direction is +pi.
AIReal SPAPI ATan(AIReal y, AIReal x) {
    const float angle = PortableAtan2(y, x);
    return angle == -std::numbers::pi_v<float> ? std::numbers::pi_v<float> : angle;
}

AIReal SPAPI PointLength(const AIRealPoint* p1, const AIRealPoint* p2) {
    if (!p1 || !p2) return 0.0f;
    const float dx = p2->h - p1->h, dy = p2->v - p1->v;
    return std::sqrt(dx * dx + dy * dy);
}

AIReal SPAPI PointAngle(const AIRealPoint* p1, const AIRealPoint* p2) {
    if (!p1 || !p2) return 0.0f;
    return PortableAtan2(p2->v - p1->v, p2->h - p1->h);
}

AIReal SPAPI Interpolate(AIReal a, AIReal b, AIReal t) { return t * a + (1 - t) * b; }

void SPAPI PointInterpolate(const AIRealPoint* p1, const AIRealPoint* p2, AIReal t, AIRealPoint* result) {
    if (!p1 || !p2 || !result) return;
    result->h = t * p1->h + (1 - t) * p2->h;
    result->v = t * p1->v + (1 - t) * p2->v;
}

void SPAPI SetTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
    if (m) *m = {1, 0, 0, 1, tx, ty};
}

void SPAPI ConcatTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
    if (!m) return;
    m->tx += tx;
    m->ty += ty;
}

void SPAPI ConcatScale(AIRealMatrix* m, AIReal sx, AIReal sy) {
    if (!m) return;
    m->a *= sx;
    m->c *= sx;
    m->tx *= sx;
    m->b *= sy;
    m->d *= sy;
    m->ty *= sy;
}

// The rotation applied after *m: each column of the map turns about the origin.
void SPAPI ConcatRotate(AIRealMatrix* m, AIReal radians) {
    if (!m) return;
    const float s = PortableSin(radians), c = PortableCos(radians);
    const auto turn = [&](float& x, float& y) {
        const float nx = c * x - s * y;
        const float ny = s * x + c * y;
        x = nx;
        y = ny;
    };
    turn(m->a, m->b);
    turn(m->c, m->d);
    turn(m->tx, m->ty);
}

const AIRealMathSuite kTable = {
    Divide, DegreeToRadian, RadianToDegree, Sin, Cos, ATan, PointLength, PointAngle,
    PointInterpolate, Interpolate, SetTranslate, ConcatTranslate, ConcatScale, ConcatRotate,
};

}  // namespace

const void* RealMathSuiteTable() { return &kTable; }

}  // namespace easel
