// PickValues.h: the values the pick buttons 190 to 193 take from a point of the document.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "settings/StarSettings.h"

namespace corvanta {

// The spin edit beside a pick button, whose value the pick sets: 190 -> 4, 191 -> 5,
// 192 -> 9, 193 -> 8; 0 for any other item.
int32_t PickedSpinEdit(int32_t button);

// h × 0.1 (single precision) truncated toward zero, saturated at the int32 range (0 for NaN):
// the star groups a pick at horizontal artwork position h gives. The spin edit then keeps the
// value within its range.
int32_t StarGroupsFromPick(float h);

// Writes the field of the pick button from the picked artwork point: 190 starGroups =
// StarGroupsFromPick(h); 191 starCoreRadius = h; 192 starShellRadius = h; 193
// shellPointSlant = the host's angle from the picked point to the user centre, in degrees.
// The item's range is not applied here. Returns false, writing nothing, for any other button
// (or, for 193, without the real math suite).
bool ApplyPick(StarSettings& s, int32_t button, AIRealPoint picked);

}  // namespace corvanta
