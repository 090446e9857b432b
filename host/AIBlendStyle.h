/* AIBlendStyle.h: "AI Blend Style Suite" version 2, an art object's opacity. */
#ifndef HOST_AIBLENDSTYLE_H
#define HOST_AIBLENDSTYLE_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIBlendStyleSuite "AI Blend Style Suite"
#define kAIBlendStyleSuiteVersion 2

typedef struct AIBlendStyleSuite {
    /** The art's opacity, 0 (invisible) to 1 (opaque); 1 for a dead or NULL art, which
     *  cannot be told apart from an opaque one: callers that must know use GetArtType. */
    AIReal (SPAPI *GetOpacity)(AIArtHandle art);

    /** Sets the art's opacity. Values outside 0 .. 1 (infinities included) are clamped to it;
     *  a NaN is refused. An envelope has an opacity of its own, which multiplies its content's
     *  where it is shown.
     *  Returns kSPNoError; kSPBadParameterError for a dead or NULL art or a NaN;
     *  kAILockedLayerError when the art's layer is locked or hidden. */
    SPErr (SPAPI *SetOpacity)(AIArtHandle art, AIReal opacity);
} AIBlendStyleSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIBLENDSTYLE_H */
