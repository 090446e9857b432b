/* AIEnvelope.h: "AI Envelope Suite" version 1, art distorted into the shape of other art.
 *
 * An envelope is an art object (kind kEnvelopeArt) that owns two others: its content (the art
 * it distorts) and its shape (the outline the content is mapped into). Its result is the
 * content's outline so mapped, recomputed by the host whenever the content, the shape or the
 * warp changes. Content and shape handles stay valid: the plug-in may go on writing the
 * content, and the envelope follows.
 *
 * This host computes the result when it is asked for (bounds, export, a symbol): every content
 * segment is cut into 1 + fidelity × 15 / 100 equal steps (8 at fidelity 50; fewer where the
 * result would pass kAIMaxPathSegments) and each sample is mapped from the content's bounds
 * into the shape, a Coons patch whose four sides are the shape's outline split at its points
 * nearest the corners of the shape's bounds, or, with a warp, into the warped bounds. The
 * result is a closed (when the content is) polyline of corner points, painted with the
 * content's paint at the content's opacity times the envelope's.
 *
 * What the other suites do with envelopes and the art they hold:
 *  - the path and path-style suites refuse an envelope (it has no segments of its own) and
 *    work on its content as on any path;
 *  - AIArtSuite: GetArtType gives kEnvelopeArt; GetArtBounds the bounds of the result;
 *    DuplicateArt of an envelope copies it with copies of its content and shape, DuplicateArt
 *    of held art gives a plain path on the page; a held art as prep stands for its envelope
 *    (directly below the content is directly below the envelope);
 *  - AIArtStyleSuite's SetArtStyle on an envelope gives the paint to its content and the
 *    opacity to the envelope;
 *  - AISymbolSuite defines a symbol of an envelope by its result, of held art by that art. */
#ifndef HOST_AIENVELOPE_H
#define HOST_AIENVELOPE_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIEnvelopeSuite "AI Envelope Suite"
#define kAIEnvelopeSuiteVersion 1

/** Art kind of an envelope, as AIArtSuite's GetArtType reports it. */
enum { kEnvelopeArt = 24 };

/** Preset warps, numbered as the host lists them. */
enum {
    kWarpArc = 1, kWarpArcLower, kWarpArcUpper, kWarpArch, kWarpBulge, kWarpShellLower,
    kWarpShellUpper, kWarpFlag, kWarpWave, kWarpFish, kWarpRise, kWarpFisheye, kWarpInflate,
    kWarpSqueeze, kWarpTwist
};

typedef struct AIEnvelopeOptions {
    int32_t flags;     /**< reserved: 0 */
    int32_t fidelity;  /**< 0 .. 100: how closely the result follows the shape; more gives
                            more points along each edge of the content */
} AIEnvelopeOptions;

typedef struct AIEnvelopeSuite {
    /** Makes an envelope, placed where the first art object was, whose content is
     *  art[0 .. artCount - 1] (this host takes one object: artCount must be 1) and whose shape
     *  is `shape`; both leave the page and belong to the envelope. Both must be path art on a
     *  layer. A NULL options means flags 0, fidelity 50. Returns kSPNoError;
     *  kSPBadParameterError for artCount other than 1, a NULL art array, a NULL, dead,
     *  non-path or already enveloped art or shape, the same object as art and shape, a
     *  fidelity outside 0 .. 100 or a NULL envelope; kAILockedLayerError when either layer is
     *  locked or hidden; kSPOutOfMemoryError past the document's memory budget. On failure
     *  nothing changes. Undo puts content and shape back where they stood. */
    SPErr (SPAPI *MakeEnvelope)(AIArtHandle* art, int32_t artCount, AIArtHandle shape,
                                const AIEnvelopeOptions* options, AIArtHandle* envelope);

    /** Replaces the envelope's shape by the preset warp `style` (1 .. 15) of the content's
     *  bounds, with bend, horizontal and vertical distortion each in -1 .. 1 and, with rotate
     *  set, the warp turned a quarter (vertical instead of horizontal). The shape stays held
     *  by the envelope (its handle valid) but no longer shapes it; a later call replaces the
     *  warp. Bend 0 leaves the content as it is; horizontal h scales heights by 1 + h·x/2 and
     *  vertical v widths by 1 + v·y/2 (x, y from -1 to 1 across the bounds). The fifteen warps
     *  are described in Easel's geometry/Warp.h. Returns kSPNoError; kSPBadParameterError for
     *  an art that is not a live envelope, a style outside 1 .. 15 or an amount outside
     *  -1 .. 1 or not finite; kAILockedLayerError on a locked or hidden layer. */
    SPErr (SPAPI *SetEnvelopeWarp)(AIArtHandle envelope, int32_t style, AIReal bend,
                                   AIReal horizontal, AIReal vertical, SPBoolean rotate);
} AIEnvelopeSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIENVELOPE_H */
