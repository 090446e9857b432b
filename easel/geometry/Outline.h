// Outline.h: paths as curves: bounds, points on segments, flattening, and mapping a path
// through a deformation of its bounds (what an envelope does).
#pragma once

#include <functional>
#include <vector>

#include "document/Document.h"
#include "geometry/Matrix.h"

namespace easel::geometry {

// A rectangle, y upward; empty paths give all zeros.
struct Box {
    double left = 0, bottom = 0, right = 0, top = 0;
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
};

// The smallest box holding every anchor and handle of the path.
Box PathBounds(const PathData& path);

// The point at t (0 .. 1) of the cubic from segment `from` to segment `to` (from's out
// handle, to's in handle).
Point SegmentPoint(const SegmentPoints& from, const SegmentPoints& to, double t);

// The path as a polyline: each segment (with the closing one of a closed path) cut into
// `pieces` equal steps of its parameter. A closed path does not repeat its first point.
std::vector<Point> Flatten(const PathData& path, int pieces);

// How many steps each content segment is cut into for `fidelity` (0 .. 100), kept so that
// the result of `segments` segments stays within kAIMaxPathSegments.
int PiecesForFidelity(int fidelity, size_t segments);

// The path sampled by fidelity and every sample p sent through map(u, v), where (u, v) is p's
// place in `box` (0 .. 1 each; 0.5 across an extent of 0). The result is a polyline of corner
// points, closed like the path. Empty (and false) when a mapped point is not a finite float.
bool MapPath(const PathData& path, const Box& box, int fidelity,
             const std::function<Point(double u, double v)>& map, PathData& result);

}  // namespace easel::geometry
