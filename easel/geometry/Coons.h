// Coons.h: a Coons patch, the surface spanned by four boundary curves, used to map a unit
// square onto the inside of any closed outline.
#pragma once

#include <vector>

#include "geometry/Outline.h"

namespace easel::geometry {

class CoonsPatch {
public:
    // The patch of a closed outline (a polyline, either direction). Its four corners are the
    // outline's points nearest the corners of its bounds, so that a rectangle keeps its
    // corners and an ellipse gets the points at 45 degrees; when those do not follow one
    // another around the outline (an outline that winds oddly), the outline is cut into four
    // equal lengths from the point nearest the bottom-left corner instead. Fewer than two
    // distinct points give a patch that is that point everywhere.
    static CoonsPatch FromOutline(std::vector<Point> outline);

    // The point of the patch at (u, v): (0, 0) the bottom-left corner, (1, 0) bottom-right,
    // (1, 1) top-right, (0, 1) top-left. u and v outside 0 .. 1 are clamped.
    Point At(double u, double v) const;

private:
    // A side as a polyline parametrised by its length, 0 .. 1.
    struct Side {
        std::vector<Point> points;
        std::vector<double> at;  // cumulative length, normalised
        Point Along(double t) const;
    };
    static Side MakeSide(std::vector<Point> points);

    Side bottom_, top_, left_, right_;  // bottom and top run left to right, the sides upward
};

}  // namespace easel::geometry
