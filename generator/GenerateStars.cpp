// The generation driver: the run's protocol, the order of the phases, the error policy.
#include "generator/GenerateStars.h"

#include "generator/Generator.h"

namespace corvanta {

namespace {

float Percent(float value) { return RealMathSuite()->AIRealDivide(value, 100.0f); }
float Radians(float degrees) { return RealMathSuite()->DegreeToRadian(degrees); }

// rnd × (1 − w) + w: a random factor between w and 1.
float RandomGroupFactor(float w) { return Rnd() * (1.0f - w) + w; }

SPErr MakeStar(GeneratorRun& run) {
    const StarSettings& s = *run.settings;
    const StarParameters p = DrawStarParameters(s);
    const StarCounts counts = CountStarPoints(s);
    StarPlacement place;
    place.starCentre = ChooseStarCentre(run);
    place.interpolationCentre = ChooseInterpolationCentre(run, place.starCentre);

    AIArtHandle path = nullptr;
    SPErr error = ArtSuite()->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path);
    if (error) return error;
    if ((error = WriteOutline(run, p, counts, place, path))) return error;
    if (IsOn(s.closed) && (error = PathSuite()->SetPathClosed(path, 1))) return error;

    RandomizePaint(run, path);
    if ((error = DistortStar(run, p, path))) return error;
    if ((error = TransformStar(run, path))) return error;
    if ((error = JitterPaint(run, path))) return error;
    if ((error = RememberCentres(run, path))) return error;
    if ((error = WarpStar(run, p, place, path))) return error;
    if ((error = AddDropShadow(run, path))) return error;
    if ((error = AddSketchStrokes(run, path))) return error;
    return MakeSymbol(run, path);
}

}  // namespace

StarParameters DrawStarParameters(const StarSettings& s) {
    StarParameters p{};
    if (!IsOn(s.randomStarSettings)) {
        p.coreRadius = s.starCoreRadius;
        p.shellSlant = Radians(s.shellPointSlant);
        p.shellRadius = s.starShellRadius;
        p.distortionRadius = s.distortRadius;
        p.distortionFactor = Percent(s.distortFieldPercent);
        p.randomDistortion = s.distortRandom;
        p.twirlAngle = Radians(s.twirlDegrees);
        p.groupFactorEven = Percent(s.groupPercentEven);
        p.groupFactorOdd = Percent(s.groupPercentOdd);
        p.altCoreEven = Percent(s.altCorePercentEven);
        p.altCoreOdd = Percent(s.altCorePercentOdd);
        p.altShellEven = Percent(s.altShellPercentEven);
        p.altShellOdd = Percent(s.altShellPercentOdd);
        for (int j = 0; j < kStarSets; ++j) {
            p.setCoreRadius[j] = s.coreRadiusBySet[j];
            p.setShellRadius[j] = s.shellRadiusBySet[j];
        }
        p.coreOffset = {s.corePointOffsetX, s.corePointOffsetY};
        p.shellOffset = {s.shellPointOffsetX, s.shellPointOffsetY};
        return p;
    }
    // The draws come in this order, one per value; each statement is one draw.
    p.coreRadius = Rnd() * s.starCoreRadius;
    p.shellSlant = Radians(Rnd() * s.shellPointSlant);
    p.shellRadius = Rnd() * s.starShellRadius;
    p.distortionRadius = Rnd() * s.distortRadius;
    p.distortionFactor = Rnd() * Percent(s.distortFieldPercent);
    p.randomDistortion = Rnd() * s.distortRandom;
    p.twirlAngle = Radians(Rnd() * s.twirlDegrees);
    p.groupFactorEven = RandomGroupFactor(Percent(s.groupPercentEven));
    p.groupFactorOdd = RandomGroupFactor(Percent(s.groupPercentOdd));
    p.altCoreEven = Rnd() * Percent(s.altCorePercentEven);
    p.altCoreOdd = Rnd() * Percent(s.altCorePercentOdd);
    p.altShellEven = Rnd() * Percent(s.altShellPercentEven);
    p.altShellOdd = Rnd() * Percent(s.altShellPercentOdd);
    for (int j = 0; j < kStarSets; ++j) {
        p.setCoreRadius[j] = Rnd() * s.coreRadiusBySet[j];
        p.setShellRadius[j] = Rnd() * s.shellRadiusBySet[j];
    }
    p.coreOffset.h = Rnd() * s.corePointOffsetX;
    p.coreOffset.v = Rnd() * s.corePointOffsetY;
    p.shellOffset.h = Rnd() * s.shellPointOffsetX;
    p.shellOffset.v = Rnd() * s.shellPointOffsetY;
    return p;
}

SPErr GenerateStars(StarSettings& settings) {
    GeneratorRun run;
    run.settings = &settings;

    // The swatch count is informative only; the style count must be known.
    SwatchListSuite()->CountSwatches(&run.swatchCount);
    SPErr error = ArtStyleSuite()->CountArtStyles(&run.styleCount);
    if (error) return error;

    const bool finalRun = IsOn(settings.finalRun);
    if (finalRun && IsOn(settings.previewDrawn)) {
        // The preview in the document was drawn with these very settings: it is the result.
        settings.previewDrawn = 0;
        return kSPNoError;
    }

    if ((error = UndoSuite()->UndoChanges())) return error;
    AIDocumentSetup setup{};
    if ((error = DocumentSuite()->GetDocumentSetup(&setup))) return error;
    run.pageWidth = setup.width;
    run.pageHeight = setup.height;
    run.halfWidth = setup.width * 0.5f;
    run.halfHeight = setup.height * 0.5f;
    run.sketchWeight = RealMathSuite()->AIRealDivide(settings.sketchWeightTenths, 10.0f);
    run.interpolationAmount = Percent(settings.interpolationPercent);
    if (IsOn(settings.newLayers) && (error = InsertRunLayer(run))) return error;

    for (run.starIndex = 0; run.starIndex < settings.starCount; ++run.starIndex) {
        if ((error = MakeStar(run))) return error;
    }

    if (!finalRun) DocumentSuite()->RedrawDocument();
    return kSPNoError;
}

}  // namespace corvanta
