// Tumble.h: the "Tumble" button (item 181), which throws the dice for the shape of the star.
//
// A press puts the shape fields of the record back to their defaults (structure and radii,
// point offsets, distortion, user centre, group scaling, interpolation and the flags that
// randomise shape) and gives a random selection of them random values. Colour, opacity,
// sketch, shadow, jitter, style, layer and symbol settings, the number of stars, the boundary
// limit, the maximum shell, "Closed", "Edge scaling", "Rotation (R)", "Polygon mode", Preview,
// the tab, the preset and the dialog's bookkeeping keep their values. The record keeps no
// trace of how a star was made.
//
// The record work (TumbleSettings) needs no dialog and no host; the notifier Tumble adds the
// host's view centre and random numbers and the dialog around it.
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"
#include "settings/StarSettings.h"

namespace corvanta {

// A random sequence: each call of next(context) gives its next value, uniform in [0, 1).
struct RandomSource {
    AIReal (*next)(void* context);
    void* context;
};

// Draws one press makes: at least kTumbleMinDraws, at most kTumbleMaxDraws, depending on
// which chances are taken.
inline constexpr int kTumbleMinDraws = 38;
inline constexpr int kTumbleMaxDraws = 73;

// Puts the shape fields back to their defaults, with the user centre at viewCentre (artwork
// points) and `previewDrawn` cleared, then makes the draws in their fixed order. A chance p
// is taken when 100 r > p for a fresh draw r; a step not taken draws nothing more. A draw
// outside [0, 1) (a NaN included) is taken as the nearest value inside, so that every count
// and list choice stays in its range whatever the source gives.
void TumbleSettings(StarSettings& s, AIRealPoint viewCentre, RandomSource random);

// The notify procedure of button 181: the record (the dialog's user data) is tumbled with the
// current view centre and the host's random numbers, the dialog is refreshed from it as after
// a preset, list 152 keeps its choice, list 151 is notified (star set 1 is shown) and the
// active tab is refreshed, which reads the record back and, with Preview on, redraws.
void SPAPI Tumble(ADMItemRef item, ADMNotifierRef notifier);

}  // namespace corvanta
