#include "geometry/Warp.h"
#include "geometry/PortableMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace easel::geometry {

namespace {

constexpr double kPi = std::numbers::pi;

// The warp in the box's frame: (x, y) in -1 .. 1, half extents a (along x) and c (along y),
// bend b; gives the point relative to the box's centre, in points.
Point Deform(int32_t style, double x, double y, double a, double c, double b) {
    const double X = a * x, Y = c * y;
    const double across = 1 - x * x;  // 1 in the middle, 0 at the ends
    switch (style) {
        case 1: {  // arc: x becomes an angle around a centre of curvature below (b > 0)
            if (std::fabs(b) < 1e-9 || !(a > 0)) return {X, Y};
            const double sign = b > 0 ? 1 : -1;
            const double r0 = a / (std::fabs(b) * kPi / 2);  // the ends turn by b·90 degrees
            const double phi = X / r0;
            const double y0 = sign * Y;
            const double r = r0 + y0;
            const double s = PortableSin(phi / 2);
            // r cos(phi) - r0, without the cancellation of two large terms.
            const double up = y0 * PortableCos(phi) - 2 * r0 * s * s;
            return {r * PortableSin(phi), sign * up};
        }
        case 2: return {X, Y - b * c * across * (1 - y) / 2};
        case 3: return {X, Y + b * c * across * (1 + y) / 2};
        case 4: return {X, Y + b * c * across};
        case 5: return {X, Y * (1 + b * across)};
        case 6: return {X * (1 + 0.25 * b * (1 - y)), Y - b * c * across * (1 - y) / 2};
        case 7: return {X * (1 + 0.25 * b * (1 + y)), Y + b * c * across * (1 + y) / 2};
        case 8: return {X, Y + 0.5 * b * c * PortableSin(kPi * x)};
        case 9: return {X, Y + 0.35 * b * c * PortableSin(2 * kPi * x + kPi * y / 2)};
        case 10: return {X, Y * (1 + 0.5 * b * across * (1 - x))};
        case 11: return {X, Y + b * c * (1 - PortableCos(kPi * (x + 1) / 2)) / 2};
        case 12: {
            const double r2 = x * x + y * y;
            const double f = r2 < 1 ? 1 + 0.5 * b * (1 - r2) : 1;
            return {X * f, Y * f};
        }
        case 13: return {X * (1 + 0.5 * b * (1 - y * y)), Y * (1 + 0.5 * b * across)};
        case 14: return {X * (1 - 0.5 * b * (1 - y * y)), Y * (1 + 0.25 * b * across)};
        case 15: {
            const double rho = std::min(1.0, std::sqrt(x * x + y * y) / std::numbers::sqrt2);
            const double theta = b * kPi / 2 * (1 - rho);
            const double cs = PortableCos(theta), sn = PortableSin(theta);
            return {cs * X - sn * Y, sn * X + cs * Y};
        }
        default: return {X, Y};
    }
}

}  // namespace

Point WarpPoint(const WarpParams& warp, const Box& box, double u, double v) {
    const double a = box.Width() / 2, c = box.Height() / 2;
    const double cx = box.left + a, cy = box.bottom + c;
    if (!(a > 0) || !(c > 0)) return {box.left + u * box.Width(), box.bottom + v * box.Height()};
    const double x = 2 * u - 1, y = 2 * v - 1;
    Point q;
    if (warp.rotate) {
        // The same warp with the axes exchanged: its bends run up the box instead of across.
        const Point t = Deform(warp.style, y, x, c, a, warp.bend);
        q = {t.y, t.x};
    } else {
        q = Deform(warp.style, x, y, a, c, warp.bend);
    }
    q.y *= 1 + 0.5 * warp.horizontal * x;
    q.x *= 1 + 0.5 * warp.vertical * y;
    return {cx + q.x, cy + q.y};
}

}  // namespace easel::geometry
