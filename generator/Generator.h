// Generator.h: the generator's per-run and per-star state and its phases.
//
// One run: GenerateStars prepares a GeneratorRun, then for each star draws StarParameters,
// counts the outline (CountStarPoints), places it (ChooseStarCentre,
// ChooseInterpolationCentre), writes it (WriteOutline) and passes the path through the
// finishing phases in a fixed order. Geometry is in points, y upward; angles in radians,
// counter-clockwise from +x. Values are single precision throughout, so that results are the
// same on every build.
#pragma once

#include "frame/SuiteTable.h"
#include "settings/StarSettings.h"

// The same seed draws the same stars on every build only if floats round alike: on 32-bit x86
// that means SSE arithmetic, not the x87 unit's wider registers.
#if (defined(__i386__) || defined(_M_IX86)) && defined(__GNUC__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds need SSE arithmetic (-msse2 -mfpmath=sse)"
#endif

namespace corvanta {

// Lives for one run, never stored.
struct GeneratorRun {
    const StarSettings* settings = nullptr;
    float pageWidth = 0, pageHeight = 0;  // points, from the document setup
    float halfWidth = 0, halfHeight = 0;
    int32_t swatchCount = 0;              // read once at the start of the run
    int32_t styleCount = 0;
    float sketchWeight = 0;               // points
    float interpolationAmount = 0;        // fraction
    AILayerHandle newLayer = nullptr;     // made when newLayers is on; not used afterwards
    int32_t starIndex = 0;                // 0 for the first star
    AIRealPoint previousCentre{0, 0};     // bounds centre of the star finished last
    AIRealPoint firstCentre{0, 0};        // bounds centre of the run's first star
    // The shifts of out.y, p.y and in.x of the last segment a sketch copy had shifted, in
    // points, carried from copy to copy and star to star for the " Use shift" colour.
    bool sketchShiftRemembered = false;
    float sketchShiftOutY = 0, sketchShiftPY = 0, sketchShiftInX = 0;
};

// Per-star values drawn from the settings (fixed, or random fractions of them when
// randomStarSettings is on).
struct StarParameters {
    float coreRadius;         // points
    float shellSlant;         // radians
    float shellRadius;        // points
    float distortionRadius;   // points
    float distortionFactor;   // fraction
    float randomDistortion;   // points
    float twirlAngle;         // radians
    float groupFactorEven;    // fraction
    float groupFactorOdd;     // fraction
    float altCoreEven, altCoreOdd;    // fractions
    float altShellEven, altShellOdd;  // fractions
    float setCoreRadius[kStarSets];   // points
    float setShellRadius[kStarSets];  // points
    AIRealPoint coreOffset;   // points
    AIRealPoint shellOffset;  // points
};

// The counts of one star's outline.
struct StarCounts {
    int32_t setCoreCount[kStarSets];
    int32_t setShellCount[kStarSets];
    int32_t pointsPerGroup;  // S, at least 2
    int32_t groupCount;      // G, at least 2
    float angleStep;         // radians between two consecutive points
};

// One star's two placement points, points.
struct StarPlacement {
    AIRealPoint starCentre;
    AIRealPoint interpolationCentre;
};

// The host's random service: uniform in [0, 1), one call per value.
inline float Rnd() { return RandomSuite()->FloatRnd(); }

// A random integer below n: rnd × n truncated toward zero.
inline int32_t RandomBelow(int32_t n) { return static_cast<int32_t>(Rnd() * static_cast<float>(n)); }

// A sign draw: +1 when it is at most 0.5, −1 otherwise.
inline float SignDraw() { return Rnd() <= 0.5f ? 1.0f : -1.0f; }

// How the generator transforms art: the object and its fill gradients, fill patterns and
// stroke patterns follow the matrix; stroke widths stay (line scale 1.0).
constexpr int32_t kArtTransformFlags =
    kTransformObjects | kTransformFillGradients | kTransformFillPatterns | kTransformStrokePatterns;

// Scales art by (sx, sy), or turns it counter-clockwise, about the point c: the matrix of the
// translation by −c, the operation, and the translation by +c, applied by the host. Returns the
// host's code.
SPErr ScaleArtAbout(AIArtHandle art, AIRealPoint c, float sx, float sy);
SPErr RotateArtAbout(AIArtHandle art, AIRealPoint c, float radians);

StarParameters DrawStarParameters(const StarSettings& s);
StarCounts CountStarPoints(const StarSettings& s);
AIRealPoint ChooseStarCentre(const GeneratorRun& run);
AIRealPoint ChooseInterpolationCentre(const GeneratorRun& run, AIRealPoint starCentre);
SPErr WriteOutline(const GeneratorRun& run, const StarParameters& p, const StarCounts& counts,
                   const StarPlacement& place, AIArtHandle path);
SPErr RememberCentres(GeneratorRun& run, AIArtHandle path);

// The colour of a random swatch of the document's list: position rnd × swatchCount + 1, kept
// within 2 .. swatchCount (2 also for shorter lists), since positions 0 and 1 cannot be
// painted with. False, with *color untouched, when the host has no swatch there.
bool PickRandomSwatch(const GeneratorRun& run, PaintColor* color);

// Finishing phases, in the order the driver runs them. Each returns 0 or the host code of a
// checked call that failed, which ends the run; art made until then stays. Paint, opacity,
// swatch and colour-model calls are not checked: a paint record the host did not fill is never
// written back.

// One new layer above all layers (newLayers); the host makes it current.
SPErr InsertRunLayer(GeneratorRun& run);
// Random fill colour, opacity, stroke width, stroke colour, swatch fill, in this order.
void RandomizePaint(const GeneratorRun& run, AIArtHandle path);
// Distortion field, random distortion, point twirl, anchor by anchor. An anchor on the
// distortion centre stays where it is; a twirl of anchors that all lie on one point moves none.
SPErr DistortStar(const GeneratorRun& run, const StarParameters& p, AIArtHandle path);
// Random scaling, jitter scaling, edge scaling, rotation, each about the current bounds centre.
SPErr TransformStar(const GeneratorRun& run, AIArtHandle path);
// Graphic style (checked), fill, stroke and width jitter.
SPErr JitterPaint(const GeneratorRun& run, AIArtHandle path);
// The star into an envelope of a random shape around its placement centre, with a preset warp
// 1 .. 15 in 15 cases of 18. The star's own path stays the handle of the later phases.
SPErr WarpStar(const GeneratorRun& run, const StarParameters& p, const StarPlacement& place,
               AIArtHandle path);
// A copy directly below the star, black or at half value in the document's model, moved by
// (5, −5) or a random offset, optionally at random opacity and squashed toward its bottom.
SPErr AddDropShadow(const GeneratorRun& run, AIArtHandle path);
// sketchRepeats copies above all art, shifted or scribbled, unfilled, stroked by the sketch
// colour option; remembers the last shifts in `run` for the " Use shift" colour.
SPErr AddSketchStrokes(GeneratorRun& run, AIArtHandle path);
// A symbol defined by the star alone (symbolize); the star stays on the page.
SPErr MakeSymbol(const GeneratorRun& run, AIArtHandle path);

}  // namespace corvanta
