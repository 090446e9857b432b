#include "geometry/Coons.h"
#include "geometry/PortableMath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace easel::geometry {

namespace {

double Distance(Point a, Point b) { return PortableHypot(a.x - b.x, a.y - b.y); }

double SignedArea(const std::vector<Point>& ring) {
    double area = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const Point& p = ring[i];
        const Point& q = ring[(i + 1) % ring.size()];
        area += p.x * q.y - q.x * p.y;
    }
    return area / 2;
}

size_t Nearest(const std::vector<Point>& ring, Point target) {
    size_t best = 0;
    double bestDistance = Distance(ring[0], target);
    for (size_t i = 1; i < ring.size(); ++i) {
        const double d = Distance(ring[i], target);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// ring[from], ring[from + 1], ... ring[to], around the ring.
std::vector<Point> Arc(const std::vector<Point>& ring, size_t from, size_t to) {
    std::vector<Point> out;
    for (size_t i = from;; i = (i + 1) % ring.size()) {
        out.push_back(ring[i]);
        if (i == to) break;
    }
    return out;
}

// The index `length` along the ring from `from`, by cumulative length (nearest point).
size_t IndexAtLength(const std::vector<Point>& ring, size_t from, double length) {
    double walked = 0;
    size_t i = from;
    for (size_t steps = 0; steps < ring.size(); ++steps) {
        const size_t next = (i + 1) % ring.size();
        const double step = Distance(ring[i], ring[next]);
        if (walked + step / 2 >= length) return i;
        walked += step;
        i = next;
    }
    return i;
}

}  // namespace

CoonsPatch::Side CoonsPatch::MakeSide(std::vector<Point> points) {
    Side side;
    side.at.assign(points.size(), 0.0);
    double total = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        total += Distance(points[i - 1], points[i]);
        side.at[i] = total;
    }
    if (total > 0)
        for (double& a : side.at) a /= total;
    side.points = std::move(points);
    return side;
}

Point CoonsPatch::Side::Along(double t) const {
    if (points.empty()) return {};
    if (points.size() == 1 || !(at.back() > 0)) return points.front();
    t = std::clamp(t, 0.0, 1.0);
    const auto it = std::upper_bound(at.begin(), at.end(), t);
    if (it == at.end()) return points.back();
    const size_t hi = static_cast<size_t>(it - at.begin());
    const size_t lo = hi - 1;  // at[0] == 0 <= t, so hi >= 1
    const double span = at[hi] - at[lo];
    const double f = span > 0 ? (t - at[lo]) / span : 0;
    return {points[lo].x + f * (points[hi].x - points[lo].x), points[lo].y + f * (points[hi].y - points[lo].y)};
}

CoonsPatch CoonsPatch::FromOutline(std::vector<Point> ring) {
    // Repeated points add nothing and would make a corner ambiguous.
    ring.erase(std::unique(ring.begin(), ring.end(),
                           [](Point a, Point b) { return a.x == b.x && a.y == b.y; }),
               ring.end());
    while (ring.size() > 1 && ring.back().x == ring.front().x && ring.back().y == ring.front().y)
        ring.pop_back();
    CoonsPatch patch;
    if (ring.size() < 2) {
        const Point p = ring.empty() ? Point{} : ring.front();
        patch.bottom_ = patch.top_ = patch.left_ = patch.right_ = MakeSide({p});
        return patch;
    }
    // Counter-clockwise (y upward), so that from the bottom-left corner the ring runs along
    // the bottom, up the right side, back along the top and down the left side.
    if (SignedArea(ring) < 0) std::reverse(ring.begin(), ring.end());

    double left = ring[0].x, right = left, bottom = ring[0].y, top = bottom;
    for (const Point& p : ring) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    const size_t n = ring.size();
    const size_t bl = Nearest(ring, {left, bottom});
    size_t br = Nearest(ring, {right, bottom});
    size_t tr = Nearest(ring, {right, top});
    size_t tl = Nearest(ring, {left, top});
    const auto after = [&](size_t i) { return (i + n - bl) % n; };
    if (!(0 < after(br) && after(br) < after(tr) && after(tr) < after(tl))) {
        double perimeter = 0;
        for (size_t i = 0; i < n; ++i) perimeter += Distance(ring[i], ring[(i + 1) % n]);
        br = IndexAtLength(ring, bl, perimeter / 4);
        tr = IndexAtLength(ring, bl, perimeter / 2);
        tl = IndexAtLength(ring, bl, perimeter * 3 / 4);
    }
    patch.bottom_ = MakeSide(Arc(ring, bl, br));
    patch.right_ = MakeSide(Arc(ring, br, tr));
    std::vector<Point> topSide = Arc(ring, tr, tl);
    std::reverse(topSide.begin(), topSide.end());
    patch.top_ = MakeSide(std::move(topSide));
    std::vector<Point> leftSide = Arc(ring, tl, bl);
    std::reverse(leftSide.begin(), leftSide.end());
    patch.left_ = MakeSide(std::move(leftSide));
    return patch;
}

Point CoonsPatch::At(double u, double v) const {
    u = std::clamp(u, 0.0, 1.0);
    v = std::clamp(v, 0.0, 1.0);
    const Point c0 = bottom_.Along(u), c1 = top_.Along(u);
    const Point d0 = left_.Along(v), d1 = right_.Along(v);
    const Point p00 = bottom_.Along(0), p10 = bottom_.Along(1);
    const Point p01 = top_.Along(0), p11 = top_.Along(1);
    const auto blend = [&](double a0, double a1, double b0, double b1, double q00, double q10,
                           double q01, double q11) {
        return (1 - v) * a0 + v * a1 + (1 - u) * b0 + u * b1 -
               ((1 - u) * (1 - v) * q00 + u * (1 - v) * q10 + (1 - u) * v * q01 + u * v * q11);
    };
    return {blend(c0.x, c1.x, d0.x, d1.x, p00.x, p10.x, p01.x, p11.x),
            blend(c0.y, c1.y, d0.y, d1.y, p00.y, p10.y, p01.y, p11.y)};
}

}  // namespace easel::geometry
