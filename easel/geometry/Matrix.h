// Matrix.h: affine maps of the art suites' AIRealMatrix, as free functions.
//
// A matrix maps (x, y) to (a x + c y + tx, b x + d y + ty). Products are computed in double and
// rounded once, so that a transform applied to art lands on the nearest float.
#pragma once

#include <cmath>

#include "AITypes.h"

namespace easel::geometry {

struct Point {
    double x = 0, y = 0;
};

inline Point Apply(const AIRealMatrix& m, Point p) {
    return {double(m.a) * p.x + double(m.c) * p.y + double(m.tx),
            double(m.b) * p.x + double(m.d) * p.y + double(m.ty)};
}

inline bool Finite(const AIRealMatrix& m) {
    return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) && std::isfinite(m.d) &&
           std::isfinite(m.tx) && std::isfinite(m.ty);
}

// `first` followed by `then`: Apply(Concat(first, then), p) == Apply(then, Apply(first, p)).
AIRealMatrix Concat(const AIRealMatrix& first, const AIRealMatrix& then);

// The map of a translation, a scale about the origin and a rotation (radians, counter-clockwise).
AIRealMatrix Translation(double tx, double ty);
AIRealMatrix Scale(double sx, double sy);
AIRealMatrix Rotation(double radians);

// x rounded to the float nearest it; false (and *out untouched) when that float is not finite.
inline bool ToFloat(double x, float* out) {
    const float f = static_cast<float>(x);
    if (!std::isfinite(f)) return false;
    *out = f;
    return true;
}

}  // namespace easel::geometry
