// ColorActions.h: what the generator does to one PaintColor, as free functions.
//
// Only the process kinds (gray, cmyk, rgb) are changed component by component; every other
// kind (none, pattern, gradient, spot) is left as it is. Components are 0 .. 1; a gray level
// is ink (1 black). Functions that need random values take the draw source, one call per
// value, so that the order of draws is visible here and tests can supply their own.
#pragma once

#include "AIPathStyle.h"

namespace corvanta {

// A source of random values in [0, 1): the host's random service in the generator.
using Draw = float (*)();

// Black as the generator writes it: gray 1.0; rgb 0, 0, 0; cmyk 1, 1, 1, 1. Other kinds stay.
void MakeBlack(PaintColor& c);
// White: gray 0.0; rgb 1, 1, 1; cmyk 0, 0, 0, 0. Other kinds stay.
void MakeWhite(PaintColor& c);

// The random colour: cmyk and rgb get three draws in their first three components, gray one
// draw. A cmyk black is kept, or set to 0 with zeroBlack (the stroke's rule).
void RandomizeColor(PaintColor& c, Draw rnd, bool zeroBlack = false);

// Every process component times 0.8 (all four of cmyk, three of rgb, the gray level).
void ReduceColor(PaintColor& c);

// value + d, d = rnd × step (first draw), negated when the second draw r has r × 10 > 5.
float JitterComponent(float value, float step, Draw rnd);

// JitterComponent with step 0.1 on the first three components of cmyk or rgb (a cmyk black
// is neither jittered nor clamped) or on the gray level, each result clamped to 0 .. 1.
void JitterColor(PaintColor& c, Draw rnd);

// The colour in the document's model (kDocGrayColor, kDocRGBColor, kDocCMYKColor) by plain
// conversions without colour management: gray ink g is rgb 1 − g and cmyk 0, 0, 0, g; rgb and
// cmyk convert as r = (1 − c)(1 − k); a spot colour counts as black at its tint, a pattern or
// gradient as mid gray. None stays none, and so does any colour under an unknown model.
PaintColor InDocumentModel(const PaintColor& c, int16_t model);

// A drop shadow's colour for a star colour: black in the document's model, or with `half` the
// colour (taken into the model first) at half value: each process component × 0.5. Under an
// unknown model, and for a colour of kind none, the colour stays.
PaintColor ShadowColor(const PaintColor& c, int16_t model, bool half);

}  // namespace corvanta
