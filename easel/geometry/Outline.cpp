#include "geometry/Outline.h"

#include <algorithm>

#include "AIPath.h"

namespace easel::geometry {

Box PathBounds(const PathData& path) {
    const SegmentStore& s = path.segments;
    if (s.empty()) return {};
    // In single precision, as the points are stored: the extremes are the same numbers.
    PointBounds b;
    if (!s.FiniteBounds(b)) b = OrderedBounds(s.data(), s.size());
    return {b.left, b.bottom, b.right, b.top};
}

Point SegmentPoint(const SegmentPoints& from, const SegmentPoints& to, double t) {
    const double s = 1 - t;
    const double w0 = s * s * s, w1 = 3 * s * s * t, w2 = 3 * s * t * t, w3 = t * t * t;
    return {w0 * from.px + w1 * from.ox + w2 * to.ix + w3 * to.px,
            w0 * from.py + w1 * from.oy + w2 * to.iy + w3 * to.py};
}

std::vector<Point> Flatten(const PathData& path, int pieces) {
    const auto& pts = path.segments;
    std::vector<Point> out;
    if (pts.empty()) return out;
    pieces = std::max(pieces, 1);
    const size_t segments = path.closed ? pts.size() : pts.size() - 1;
    out.reserve(segments * size_t(pieces) + 1);
    out.push_back({pts[0].px, pts[0].py});
    for (size_t i = 0; i < segments; ++i) {
        const SegmentPoints& from = pts[i];
        const SegmentPoints& to = pts[(i + 1) % pts.size()];
        for (int k = 1; k <= pieces; ++k) out.push_back(SegmentPoint(from, to, double(k) / pieces));
    }
    // The closing segment ends where the path began.
    if (path.closed && out.size() > 1) out.pop_back();
    return out;
}

int PiecesForFidelity(int fidelity, size_t segments) {
    // Fidelity 0 keeps the anchors only; 50 cuts each segment into 8; 100 into 16.
    const int wanted = 1 + std::clamp(fidelity, 0, 100) * 15 / 100;
    // An open path adds its first point to segments × pieces.
    const size_t room = (kAIMaxPathSegments - 1) / std::max<size_t>(segments, 1);
    return static_cast<int>(std::max<size_t>(1, std::min<size_t>(size_t(wanted), room)));
}

bool MapPath(const PathData& path, const Box& box, int fidelity,
             const std::function<Point(double, double)>& map, PathData& result) {
    result = PathData{};
    result.closed = path.closed;
    const size_t segments = path.segments.empty() ? 0 : path.closed ? path.segments.size() : path.segments.size() - 1;
    const std::vector<Point> samples = Flatten(path, PiecesForFidelity(fidelity, segments));
    const double w = box.Width(), h = box.Height();
    result.segments.Reserve(samples.size());
    for (const Point& p : samples) {
        const double u = w > 0 ? (p.x - box.left) / w : 0.5;
        const double v = h > 0 ? (p.y - box.bottom) / h : 0.5;
        const Point q = map(u, v);
        float x = 0, y = 0;
        if (!ToFloat(q.x, &x) || !ToFloat(q.y, &y)) {
            result.segments.Clear();
            return false;
        }
        result.segments.Append({x, y, x, y, x, y}, true);
    }
    return true;
}

}  // namespace easel::geometry
