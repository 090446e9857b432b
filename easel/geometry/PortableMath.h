// PortableMath.h: the elementary functions whose results reach the document (the Real Math
// suite, transforms, warps, envelopes), computed the same on every system.
//
// The C libraries' sin, cos and atan2 differ in the last bit from one system to the next
// (glibc and the Windows runtime do), which would make the same seed draw different documents.
// These use only IEEE operations that are exactly rounded everywhere (+ - * / and sqrt) and
// fixed polynomials, so the same inputs give the same bits on every build; they are within
// one unit in the last place of the true value. Radians; NaN for NaN and infinite angles.
#pragma once

namespace easel {

double PortableSin(double radians);
double PortableCos(double radians);
// Both at once, from one reduction of the angle: the same bits as the two calls.
void PortableSinCos(double radians, double& sine, double& cosine);
// The angle of (x, y) in [-pi, pi], as atan2.
double PortableAtan2(double y, double x);
// sqrt(x^2 + y^2) without overflow for any finite float inputs.
double PortableHypot(double x, double y);

// Single precision: the double result rounded once.
inline float PortableSin(float radians) { return static_cast<float>(PortableSin(static_cast<double>(radians))); }
inline float PortableCos(float radians) { return static_cast<float>(PortableCos(static_cast<double>(radians))); }
inline void PortableSinCos(float radians, float& sine, float& cosine) {
    double s, c;
    PortableSinCos(static_cast<double>(radians), s, c);
    sine = static_cast<float>(s);
    cosine = static_cast<float>(c);
}
inline float PortableAtan2(float y, float x) {
    return static_cast<float>(PortableAtan2(static_cast<double>(y), static_cast<double>(x)));
}

}  // namespace easel
