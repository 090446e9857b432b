/* AISwatchList.h: "AI Swatch List Suite" version 4, the current document's swatches.
 *
 * Positions are 0-based; the first two swatches of every document are "[None]" and
 * "[Registration]", which cannot be painted with. */
#ifndef HOST_AISWATCHLIST_H
#define HOST_AISWATCHLIST_H

#include "AIPathStyle.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAISwatchListSuite "AI Swatch List Suite"
#define kAISwatchListSuiteVersion 4

typedef struct AISwatchListSuite {
    /** Number of swatches. Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError. */
    SPErr (SPAPI *CountSwatches)(int32_t* count);

    /** The swatch at position n. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for n outside 0 .. count - 1 (*swatch is NULL) or a null swatch. */
    SPErr (SPAPI *GetNthSwatch)(int32_t n, AISwatchRef* swatch);

    /** The swatch's colour. Returns kSPNoError; kSPBadParameterError for a dead swatch or
     *  a null color. */
    SPErr (SPAPI *GetSwatchColor)(AISwatchRef swatch, PaintColor* color);
} AISwatchListSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AISWATCHLIST_H */
