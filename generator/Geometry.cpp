// The finishing phases' geometry as plain functions (see Geometry.h).
#include "generator/Geometry.h"

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

}  // namespace corvanta
