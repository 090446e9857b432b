// Geometry.h: the point-by-point and whole-star geometry of the finishing phases, as free
// functions over plain values so that each rule can be checked alone.
//
// Points, y upward; angles in radians. Where the host computes (distances, angles, sine and
// cosine, blends) these take the host's real-math suite, so that results are those of the host's
// single-precision arithmetic.
#pragma once

#include <cstdint>

#include "AIPath.h"
#include "AIRealMath.h"

namespace corvanta {

// The centre of a rectangle: (left + (right − left) / 2, bottom + (top − bottom) / 2).
AIRealPoint BoundsCentre(const AIRealRect& b);

// The distortion field's new distance from its centre for an anchor at distance d:
// d + factor × (radius − d). factor is the field factor F (or F × 0.5, or rnd × F, by the
// centre entry's rule); factor 1 lands on the circle of `radius`, 0 leaves d.
float FieldDistance(float d, float factor, float radius);

// The anchor p moved along the ray from `centre` so that its distance d becomes dNew:
// centre + (p − centre) × dNew / d. d must not be 0 (such an anchor has no ray to move along).
AIRealPoint AlongRay(AIRealPoint centre, AIRealPoint p, float d, float dNew);

// Moves a segment's anchor and both its handles by (dx, dy), keeping each curve piece's shape
// near the anchor.
void MoveSegment(AIPathSegment& s, float dx, float dy);

// Where the point twirl takes anchor p, for bounds centre c, largest anchor distance m > 0 and
// twirl angle T: with d = |p − c| and a = atan2(p − c), a′ = a + T × (1 − d / m), the result is
// p + d × (cos a − cos a′, sin a − sin a′). An anchor at distance m stays where it is.
AIRealPoint TwirlAnchor(const AIRealMathSuite& math, AIRealPoint p, AIRealPoint c, float m,
                        float angle);

// The uniform edge-scaling factor of a star whose bounds centre is c on a page of the given
// size: per axis t is the centre's distance from the nearer page edge over half the page,
// f = t × 1.0 + (1 − t) × 0.02 (the host's blend), and the smaller of the two factors is the
// answer. 1.0 on the page's middle lines, 0.02 at an edge, below that outside the page.
float EdgeScaleFactor(const AIRealMathSuite& math, AIRealPoint c, float pageWidth, float pageHeight);

// The outline's running angle after `count` more steps (none when count <= 0), each added in
// single precision as the outline adds it: bit for bit the result of that loop, but in time
// that grows with the binades the angle crosses rather than with count, so that billions of
// left-out core points end at once. A step that no longer changes the angle (below half its
// last place, or not finite) ends the walk, since no later step can change it either.
float AdvanceAngle(float angle, float step, int64_t count);

}  // namespace corvanta
