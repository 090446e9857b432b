/* AIArtStyle.h: "AI Art Style Suite" version 3, the current document's named graphic
 * styles. Positions are 0-based; position 0 is always "[Default]". */
#ifndef HOST_AIARTSTYLE_H
#define HOST_AIARTSTYLE_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIArtStyleSuite "AI Art Style Suite"
#define kAIArtStyleSuiteVersion 3

typedef struct AIArtStyleSuite {
    /** Number of named graphic styles. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError. */
    SPErr (SPAPI *CountArtStyles)(int32_t* count);

    /** The style at position n. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for n outside 0 .. count - 1 or a null style. */
    SPErr (SPAPI *GetNthArtStyle)(int32_t n, AIArtStyleHandle* style);

    /** Assigns a style to art: the art takes the style's paint and opacity.
     *  Returns kSPNoError; kAILockedLayerError; kSPBadParameterError for a dead art or
     *  style. */
    SPErr (SPAPI *SetArtStyle)(AIArtHandle art, AIArtStyleHandle style);
} AIArtStyleSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIARTSTYLE_H */
