// Warp.h: Easel's fifteen preset warps, each a deformation of a box (the content's bounds).
//
// A warp works in the box's own frame: x and y run from -1 to 1 across it (centre 0), and the
// box's half extents a and c give the units. `bend` (-1 .. 1) sets how far the warp goes and
// which way; 0 leaves every point where it is. Horizontal and vertical distortion (-1 .. 1)
// then taper the result as a perspective would: the height is scaled by 1 + horizontal·x/2
// along x, the width by 1 + vertical·y/2 along y. With `rotate` the warp works across the
// other axis (its bends run vertically); the distortions keep their axes.
//
// The warps, by number:
//   1 arc         the box bent around a circle (the top and bottom become concentric arcs)
//   2 arc lower   the bottom edge bowed by a parabola, the top kept
//   3 arc upper   the top edge bowed, the bottom kept
//   4 arch        the whole box shifted up by a parabola across it
//   5 bulge       top and bottom pushed apart in the middle
//   6 shell lower the bottom bowed and widened, the top kept
//   7 shell upper the top bowed and widened, the bottom kept
//   8 flag        one sine wave across the box
//   9 wave        two sine waves whose phase moves with height
//  10 fish        a bulge towards the left end, the right end kept (head and tail)
//  11 rise        the box rising towards the right along an S curve
//  12 fisheye     the inside of the box's inscribed ellipse magnified
//  13 inflate     both pairs of edges pushed out in the middle
//  14 squeeze     the sides pulled in and top and bottom pushed out
//  15 twist       the box turned about its centre, most at the centre, not at the corners
// For |bend| <= 1 no point moves further than about twice the box's larger extent.
#pragma once

#include <cstdint>

#include "geometry/Outline.h"

namespace easel::geometry {

constexpr int32_t kFirstWarp = 1;
constexpr int32_t kLastWarp = 15;

struct WarpParams {
    int32_t style = 0;  // kFirstWarp .. kLastWarp; others leave points unchanged
    double bend = 0, horizontal = 0, vertical = 0;
    bool rotate = false;
};

// The place of the box's point (u, v) (0 .. 1 each, (0, 0) the bottom-left corner) after the
// warp. A box without width or height keeps its points.
Point WarpPoint(const WarpParams& warp, const Box& box, double u, double v);

}  // namespace easel::geometry
