/* AIArt.h: "AI Art Suite" version 9, art objects of the current document. */
#ifndef HOST_AIART_H
#define HOST_AIART_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIArtSuite "AI Art Suite"
#define kAIArtSuiteVersion 9

/** Kinds of art (16-bit). */
enum {
    kUnknownArt = 0,
    kPathArt = 2
    /* kEnvelopeArt = 24, in AIEnvelope.h */
};

typedef struct AIArtSuite {
    /** Makes a new, empty art object of `type` (only kPathArt is made by NewArt) placed by
     *  paintOrder relative to prep (NULL with kPlaceAboveAll / kPlaceBelowAll: the current
     *  layer's top or bottom). The new path has no segments, is open, has opacity 1 and
     *  the document's current paint. The art belongs to the document.
     *  Returns kSPNoError; kSPNoDocumentError; kAILockedLayerError when the target layer
     *  is locked or hidden; kSPOutOfMemoryError past the document's memory budget;
     *  kSPBadParameterError for another type, an unknown order, a null or dead prep where
     *  one is needed, or a null newArt. */
    SPErr (SPAPI *NewArt)(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt);

    /** Copies art (its segments, paint and opacity) to a new object placed by paintOrder
     *  relative to prep, as NewArt places it. An envelope is copied with copies of its content
     *  and shape; art an envelope holds is copied as a plain path on the page, and as prep it
     *  stands for its envelope. Returns as NewArt, and kSPBadParameterError for a null or dead
     *  art. */
    SPErr (SPAPI *DuplicateArt)(AIArtHandle art, int16_t paintOrder, AIArtHandle prep,
                                AIArtHandle* newArt);

    /** The kind of art, one of the constants above. Returns kSPNoError;
     *  kSPBadParameterError for a dead art or a null type. */
    SPErr (SPAPI *GetArtType)(AIArtHandle art, int16_t* type);

    /** The smallest rectangle holding every anchor and handle of the art, in points.
     *  Art without points gives (0, 0, 0, 0); an envelope gives the bounds of its computed
     *  outline. Returns kSPNoError; kSPBadParameterError
     *  for a dead art or a null bounds. */
    SPErr (SPAPI *GetArtBounds)(AIArtHandle art, AIRealRect* bounds);
} AIArtSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIART_H */
