// Fill, stroke and opacity of each star.
//
// A new path comes with the document's current paint; each option that is on reads the star's
// paint record afresh, changes it and writes it back, so a later option sees what an earlier
// one wrote. Only the fields named here change; overprint, dash, caps, joins and the miter
// limit go back as they came.
#include "generator/ColorActions.h"
#include "generator/Generator.h"

namespace corvanta {

namespace {

// The star's paint record, for changing and writing back. The host's answer is not a reason
// to end the run; but a record the host did not fill must never be written over the path, so
// `valid` says whether Write may store it. The option still makes its draws either way.
struct StyleEdit {
    AIArtHandle path;
    PathStyle style{};
    bool valid;

    explicit StyleEdit(AIArtHandle art)
        : path(art), valid(PathStyleSuite()->GetPathStyle(art, &style) == kSPNoError) {}
    void Write() const {
        if (valid) PathStyleSuite()->SetPathStyle(path, &style);
    }
};

}  // namespace

bool PickRandomSwatch(const GeneratorRun& run, PaintColor* color) {
    int32_t n = RandomBelow(run.swatchCount) + 1;
    if (n > run.swatchCount) n = run.swatchCount;
    if (n < 0) n = 0;
    if (n == 1 || n == 0) n = 2;
    AISwatchRef swatch = nullptr;
    PaintColor found{};
    // A position the host has no swatch for (a list shorter than three, or the one past its
    // end) leaves the colour as it was.
    if (SwatchListSuite()->GetNthSwatch(n, &swatch) != kSPNoError || !swatch) return false;
    if (SwatchListSuite()->GetSwatchColor(swatch, &found) != kSPNoError) return false;
    *color = found;
    return true;
}

void RandomizePaint(const GeneratorRun& run, AIArtHandle path) {
    const StarSettings& s = *run.settings;
    if (IsOn(s.randomFillColor)) {
        StyleEdit edit(path);
        RandomizeColor(edit.style.fillColor, Rnd);  // a cmyk fill keeps its black
        edit.Write();
    }
    if (IsOn(s.randomOpacity)) {
        StyleEdit edit(path);
        BlendStyleSuite()->SetOpacity(path, Rnd());
        edit.Write();
    }
    if (IsOn(s.randomWidth)) {
        StyleEdit edit(path);
        edit.style.strokeWidth = Rnd() * edit.style.strokeWidth;
        edit.Write();
    }
    if (IsOn(s.randomStrokeColor)) {
        StyleEdit edit(path);
        RandomizeColor(edit.style.strokeColor, Rnd, /*zeroBlack=*/true);
        edit.Write();
    }
    if (IsOn(s.randomFillSwatches)) {
        StyleEdit edit(path);
        if (PickRandomSwatch(run, &edit.style.fillColor)) {
            edit.style.fillPaint = 1;
            edit.Write();
        }
    }
}

SPErr JitterPaint(const GeneratorRun& run, AIArtHandle path) {
    const StarSettings& s = *run.settings;
    if (IsOn(s.randomStyle)) {
        // Position 0 is the host's default style; it is used only when there are no others
        // to count, and position 1 takes its share.
        int32_t k = RandomBelow(run.styleCount);
        if (k == 0 && run.styleCount >= 1) k = 1;
        // With the default style alone there is no position 1: asking for it would end the
        // run after its first star, so the star keeps its paint instead.
        if (k < run.styleCount || run.styleCount <= 0) {
            AIArtStyleHandle style = nullptr;
            if (SPErr error = ArtStyleSuite()->GetNthArtStyle(k, &style)) return error;
            if (SPErr error = ArtStyleSuite()->SetArtStyle(path, style)) return error;
        }
    }
    if (IsOn(s.jitterFill)) {
        StyleEdit edit(path);
        JitterColor(edit.style.fillColor, Rnd);
        edit.Write();
    }
    if (IsOn(s.jitterStroke)) {
        StyleEdit edit(path);
        JitterColor(edit.style.strokeColor, Rnd);
        edit.Write();
    }
    if (IsOn(s.jitterWidth)) {
        StyleEdit edit(path);
        const float w = JitterComponent(edit.style.strokeWidth, 3.0f, Rnd);
        edit.style.strokeWidth = w < 0.0f ? 0.0f : w;
        edit.Write();
    }
    return kSPNoError;
}

}  // namespace corvanta
