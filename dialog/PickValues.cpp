#include "dialog/PickValues.h"

#include <cmath>
#include <cstdint>

#include "dialog/DialogLayout.h"
#include "frame/SuiteTable.h"

namespace corvanta {

int32_t PickedSpinEdit(int32_t button) {
    switch (button) {
        case kStarGroupsPick: return kStarGroupsItem;
        case kCoreRadiusPick: return kStarCoreRadiusItem;
        case kShellRadiusPick: return kStarShellRadiusItem;
        case kShellSlantPick: return kShellSlantItem;
        default: return 0;
    }
}

int32_t StarGroupsFromPick(float h) {
    const float groups = h * 0.1f;
    if (std::isnan(groups)) return 0;
    // Converting a float outside the int32 range is undefined; 2^31 is exact in a float.
    if (groups >= 2147483648.0f) return INT32_MAX;
    if (groups <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(groups);
}

bool ApplyPick(StarSettings& s, int32_t button, AIRealPoint picked) {
    switch (button) {
        case kStarGroupsPick: s.starGroups = StarGroupsFromPick(picked.h); return true;
        case kCoreRadiusPick: s.starCoreRadius = picked.h; return true;
        case kShellRadiusPick: s.starShellRadius = picked.h; return true;
        case kShellSlantPick: {
            const AIRealMathSuite* math = RealMathSuite();
            if (!math) return false;
            const AIRealPoint centre{s.userCentreH, s.userCentreV};
            s.shellPointSlant = math->RadianToDegree(math->AIRealPointAngle(&picked, &centre));
            return true;
        }
        default: return false;
    }
}

}  // namespace corvanta
