#include "geometry/Matrix.h"
#include "geometry/PortableMath.h"

namespace easel::geometry {

namespace {

AIRealMatrix Rounded(double a, double b, double c, double d, double tx, double ty) {
    return {static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
            static_cast<float>(d), static_cast<float>(tx), static_cast<float>(ty)};
}

}  // namespace

AIRealMatrix Concat(const AIRealMatrix& f, const AIRealMatrix& t) {
    const double a = double(t.a) * f.a + double(t.c) * f.b;
    const double b = double(t.b) * f.a + double(t.d) * f.b;
    const double c = double(t.a) * f.c + double(t.c) * f.d;
    const double d = double(t.b) * f.c + double(t.d) * f.d;
    const double tx = double(t.a) * f.tx + double(t.c) * f.ty + t.tx;
    const double ty = double(t.b) * f.tx + double(t.d) * f.ty + t.ty;
    return Rounded(a, b, c, d, tx, ty);
}

AIRealMatrix Translation(double tx, double ty) { return Rounded(1, 0, 0, 1, tx, ty); }

AIRealMatrix Scale(double sx, double sy) { return Rounded(sx, 0, 0, sy, 0, 0); }

AIRealMatrix Rotation(double radians) {
    const double c = PortableCos(radians), s = PortableSin(radians);
    return Rounded(c, s, -s, c, 0, 0);
}

}  // namespace easel::geometry
