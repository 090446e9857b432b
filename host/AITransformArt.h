/* AITransformArt.h: "AI Transform Art Suite" version 1, matrices applied to art. */
#ifndef HOST_AITRANSFORMART_H
#define HOST_AITRANSFORMART_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAITransformArtSuite "AI Transform Art Suite"
#define kAITransformArtSuiteVersion 1

/** What TransformArt changes (bits of `flags`). */
enum {
    kTransformObjects = 1,         /**< the art's geometry: anchors and control points */
    kTransformFillGradients = 2,   /**< a gradient fill follows the art */
    kTransformFillPatterns = 4,    /**< a pattern fill follows the art */
    kTransformStrokePatterns = 8,  /**< a pattern stroke follows the art */
    kScaleLines = 16               /**< stroke widths are multiplied by lineScale */
};

typedef struct AITransformArtSuite {
    /** Maps every point of the art by matrix (p' = (a x + c y + tx, b x + d y + ty)).
     *  Only with kTransformObjects set do the points move. With kScaleLines set the stroke
     *  width is multiplied by lineScale (which must then be finite and >= 0); without it the
     *  width stays and lineScale is not looked at. This host's gradients and patterns fill the
     *  painted object's bounds, so they follow it whatever bits 2, 4 and 8 say. An envelope is
     *  transformed through its content and shape; its outline follows from them (a warp then
     *  works on the moved content's bounds). Art an envelope holds may be transformed alone.
     *  Returns kSPNoError; kSPBadParameterError for a dead or NULL art, a NULL matrix, a
     *  matrix with a non-finite entry, flags outside the five bits above, a bad lineScale or a
     *  point that would not be a finite float; kAILockedLayerError when the art's layer (for
     *  held art, its envelope's) is locked or hidden. On failure the art is unchanged. */
    SPErr (SPAPI *TransformArt)(AIArtHandle art, const AIRealMatrix* matrix, AIReal lineScale,
                                int32_t flags);
} AITransformArtSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AITRANSFORMART_H */
