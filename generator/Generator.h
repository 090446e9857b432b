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

StarParameters DrawStarParameters(const StarSettings& s);
StarCounts CountStarPoints(const StarSettings& s);
AIRealPoint ChooseStarCentre(const GeneratorRun& run);
AIRealPoint ChooseInterpolationCentre(const GeneratorRun& run, AIRealPoint starCentre);
SPErr WriteOutline(const GeneratorRun& run, const StarParameters& p, const StarCounts& counts,
                   const StarPlacement& place, AIArtHandle path);
SPErr RememberCentres(GeneratorRun& run, AIArtHandle path);

// Finishing phases, in the order the driver runs them. Each returns 0 or the host code that
// ends the run.
SPErr InsertRunLayer(GeneratorRun& run);
void RandomizePaint(const GeneratorRun& run, AIArtHandle path);
// endRun is set when the star's distortion cannot go on; the run then ends with success.
SPErr DistortStar(const GeneratorRun& run, const StarParameters& p, const StarPlacement& place,
                  AIArtHandle path, bool* endRun);
SPErr TransformStar(const GeneratorRun& run, AIArtHandle path);
SPErr JitterPaint(const GeneratorRun& run, AIArtHandle path);
SPErr WarpStar(const GeneratorRun& run, AIArtHandle path);
SPErr AddDropShadow(const GeneratorRun& run, AIArtHandle path);
SPErr AddSketchStrokes(const GeneratorRun& run, AIArtHandle path);
SPErr MakeSymbol(const GeneratorRun& run, AIArtHandle path);

}  // namespace corvanta
