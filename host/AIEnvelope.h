/* AIEnvelope.h: "AI Envelope Suite" version 1, art distorted into the shape of other art.
 *
 * An envelope is an art object (kind kEnvelopeArt) that owns two others: its content (the art
 * it distorts) and its shape (the outline the content is mapped into). Its result is the
 * content's outline so mapped, recomputed by the host whenever the content, the shape or the
 * warp changes. Content and shape handles stay valid: the plug-in may go on writing the
 * content, and the envelope follows. */
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
     *  is `shape`; both leave the page and belong to the envelope. A NULL options means flags 0,
     *  fidelity 50. Returns kSPNoError; kSPBadParameterError for artCount other than 1, a NULL,
     *  dead or already enveloped art or shape, the same object as art and shape, a fidelity
     *  outside 0 .. 100 or a NULL envelope; kAILockedLayerError on a locked or hidden layer. */
    SPErr (*MakeEnvelope)(AIArtHandle* art, int32_t artCount, AIArtHandle shape,
                          const AIEnvelopeOptions* options, AIArtHandle* envelope);

    /** Replaces the envelope's shape by the preset warp `style` (1 .. 15) of the content's
     *  bounds, with bend, horizontal and vertical distortion each in -1 .. 1 and, with rotate
     *  set, the warp turned a quarter (vertical instead of horizontal). Returns kSPNoError;
     *  kSPBadParameterError for an art that is not a live envelope, a style outside 1 .. 15
     *  or an amount outside -1 .. 1 or not finite. */
    SPErr (*SetEnvelopeWarp)(AIArtHandle envelope, int32_t style, AIReal bend,
                             AIReal horizontal, AIReal vertical, SPBoolean rotate);
} AIEnvelopeSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIENVELOPE_H */
