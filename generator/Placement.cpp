// Placement: each star's centre and interpolation centre, and the centres remembered from
// star to star.
#include "generator/Generator.h"

namespace corvanta {

AIRealPoint ChooseStarCentre(const GeneratorRun& run) {
    const StarSettings& s = *run.settings;
    const float W = run.pageWidth, H = run.pageHeight;
    switch (s.starCentreMode) {
        case 1: return {W * 0.5f, H * 0.5f};
        case 2: {
            const float x = Rnd() * W;
            return {x, Rnd() * H};
        }
        case 3: return {0.0f, 0.0f};
        case 4: return {Rnd() * W, s.userCentreV};
        case 5: return {s.userCentreH, Rnd() * H};
        case 6: {  // one of the four corners, each with the same chance
            const float u = Rnd() * 20.0f;
            if (u < 5.0f) return {0.0f, 0.0f};
            if (u < 10.0f) return {W, 0.0f};
            if (u < 15.0f) return {0.0f, H};
            return {W, H};
        }
        case 7: {  // a point on one page edge: over many stars, a frame
            const float u = Rnd() * 20.0f;
            const float v = Rnd() * 20.0f;
            if (u > 10.0f) return {v > 10.0f ? 0.0f : W, Rnd() * H};
            return {Rnd() * W, v > 10.0f ? 0.0f : H};
        }
        default:
            // 0, and any value the dialog does not offer: the user-entered centre.
            return {s.userCentreH, s.userCentreV};
    }
}

AIRealPoint ChooseInterpolationCentre(const GeneratorRun& run, AIRealPoint c) {
    const float W = run.pageWidth, H = run.pageHeight;
    const float step = 10.0f * static_cast<float>(run.starIndex);
    switch (run.settings->interpolationCentreMode) {
        case 1: return {W * 0.5f, H * 0.5f};
        case 2: {
            const float x = Rnd() * W;
            return {x, Rnd() * H};
        }
        case 3: return {0.0f, 0.0f};
        case 4: return {c.h + step, c.v};
        case 5: return {c.h, c.v + step};
        case 6: return {Rnd() * W, 0.0f};
        case 7: return {Rnd() * W, H};
        case 8: return {0.0f, Rnd() * H};
        case 9: return {W, Rnd() * H};
        default:
            // 0, and any value the dialog does not offer: the star centre.
            return c;
    }
}

SPErr RememberCentres(GeneratorRun& run, AIArtHandle path) {
    AIRealRect b{};
    if (SPErr error = ArtSuite()->GetArtBounds(path, &b)) return error;
    run.previousCentre = {b.left + (b.right - b.left) * 0.5f, b.bottom + (b.top - b.bottom) * 0.5f};
    if (run.starIndex == 0) run.firstCentre = run.previousCentre;
    return kSPNoError;
}

}  // namespace corvanta
