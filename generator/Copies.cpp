// The copies of each star: its drop shadow below it and its sketch strokes above it.
//
// Every copy is made from the star itself, with the paint the star has by now; a copy is never
// copied again.
#include "generator/ColorActions.h"
#include "generator/Generator.h"

namespace corvanta {

namespace {

// The sketch colour list, by its stored position.
enum SketchColor : int32_t {
    kSketchBlack = 0,
    kSketchSameColor = 1,
    kSketchRandomColor = 2,
    kSketchRandomSwatch = 3,
    kSketchReduced = 4,
    kSketchRandomReduced = 5,
    kSketchRandomBlackOrColor = 6,
    kSketchFromShift = 7,
    kSketchBlackRandomOpacity = 8,
    kSketchColorRandomOpacity = 9,
    kSketchReducingOpacity = 10,
    kSketchWhiteRandomOpacity = 11,
};

// The colour of option 7: the remembered shifts of out.y, p.y and in.x over the shift amount,
// unclamped (−1 .. 1). Before any copy of the run was shifted there is nothing to take the
// colour from, and the option's own fallback, black, is used.
void ColourFromShift(const GeneratorRun& run, float amount, PaintColor& c) {
    if (amount == 0.0f || !run.sketchShiftRemembered) {
        MakeBlack(c);
        return;
    }
    if (c.kind == kFourColor || c.kind == kThreeColor) {
        c.c[0] = run.sketchShiftOutY / amount;
        c.c[1] = run.sketchShiftPY / amount;
        c.c[2] = run.sketchShiftInX / amount;
    } else if (c.kind == kGrayColor) {
        c.c[0] = run.sketchShiftOutY / amount;
    }
}

void ApplySketchColour(const GeneratorRun& run, AIArtHandle copy, PaintColor& stroke) {
    const StarSettings& s = *run.settings;
    const AIBlendStyleSuite* blend = BlendStyleSuite();
    switch (s.sketchColorMode) {
        case kSketchBlack: MakeBlack(stroke); break;
        case kSketchRandomColor: RandomizeColor(stroke, Rnd); break;
        case kSketchRandomSwatch: PickRandomSwatch(run, &stroke); break;
        case kSketchReduced: ReduceColor(stroke); break;
        case kSketchRandomReduced:
            if (Rnd() > 0.5f) ReduceColor(stroke);
            break;
        case kSketchRandomBlackOrColor:
            if (Rnd() > 0.5f) MakeBlack(stroke);
            else RandomizeColor(stroke, Rnd);
            break;
        case kSketchFromShift: ColourFromShift(run, s.sketchShiftAmount, stroke); break;
        case kSketchBlackRandomOpacity:
            blend->SetOpacity(copy, Rnd());
            MakeBlack(stroke);
            break;
        case kSketchColorRandomOpacity:
            blend->SetOpacity(copy, Rnd());
            RandomizeColor(stroke, Rnd);
            break;
        case kSketchReducingOpacity:
            // The copy has the star's opacity, so every copy of a star gets the same value.
            blend->SetOpacity(copy, blend->GetOpacity(copy) * 0.8f);
            break;
        case kSketchWhiteRandomOpacity:
            blend->SetOpacity(copy, Rnd());
            MakeWhite(stroke);
            break;
        default: break;  // 1, and any value the list does not offer: the star's own colour
    }
}

// Shifts every segment of the copy: rigidly by (sx, sy), or, scribbled, each coordinate by its
// own random part of sx or sy. The shifts of the last segment written are remembered for the
// " Use shift" colour.
SPErr ShiftCopy(GeneratorRun& run, AIArtHandle copy, float sx, float sy, bool scribble) {
    const AIPathSuite* paths = PathSuite();
    int16_t count = 0;
    if (SPErr error = paths->GetPathSegmentCount(copy, &count)) return error;
    for (int16_t i = 0; i < count; ++i) {
        AIPathSegment seg{};
        if (SPErr error = paths->GetPathSegments(copy, i, 1, &seg)) return error;
        // p.x, p.y, in.x, in.y, out.x, out.y: the order of the draws.
        float* coordinates[6] = {&seg.p.h, &seg.p.v, &seg.in.h, &seg.in.v, &seg.out.h, &seg.out.v};
        float shifts[6];
        for (int k = 0; k < 6; ++k) {
            const float s = k % 2 == 0 ? sx : sy;
            if (scribble) {
                const float sign = SignDraw();
                shifts[k] = sign * s * Rnd();
            } else {
                shifts[k] = s;
            }
            *coordinates[k] += shifts[k];
        }
        if (SPErr error = paths->SetPathSegments(copy, i, 1, &seg)) return error;
        run.sketchShiftRemembered = true;
        run.sketchShiftOutY = shifts[5];
        run.sketchShiftPY = shifts[1];
        run.sketchShiftInX = shifts[2];
    }
    return kSPNoError;
}

}  // namespace

SPErr AddDropShadow(const GeneratorRun& run, AIArtHandle path) {
    const StarSettings& s = *run.settings;
    if (!IsOn(s.dropShadow)) return kSPNoError;
    AIArtHandle copy = nullptr;
    if (SPErr error = ArtSuite()->DuplicateArt(path, kPlaceBelow, path, &copy)) return error;

    // The copy already carries the star's paint; when that cannot be read it is left so.
    PathStyle style{};
    if (PathStyleSuite()->GetPathStyle(path, &style) == kSPNoError) {
        int16_t model = -1;  // unknown: the colours stay
        DocumentSuite()->GetDocumentColorModel(&model);
        const bool half = IsOn(s.halfShadow);
        style.fillColor = ShadowColor(style.fillColor, model, half);
        style.strokeColor = ShadowColor(style.strokeColor, model, half);
        PathStyleSuite()->SetPathStyle(copy, &style);
    }

    float dx = 5.0f, dy = -5.0f;  // right and down
    if (IsOn(s.randomShadowAngle)) {
        const float signX = SignDraw();
        dx = Rnd() * signX * 5.0f;
        const float signY = SignDraw();
        dy = Rnd() * signY * -5.0f;
    }
    if (IsOn(s.randomShadowOpacity)) BlendStyleSuite()->SetOpacity(copy, Rnd());

    AIRealMatrix m{};
    RealMathSuite()->AIRealMatrixSetTranslate(&m, dx, dy);
    if (SPErr error = TransformArtSuite()->TransformArt(copy, &m, 1.0f, kArtTransformFlags))
        return error;

    if (IsOn(s.randomShadowScale)) {
        // Squashed toward its bottom edge, which stays where it is.
        AIRealRect b{};
        if (SPErr error = ArtSuite()->GetArtBounds(copy, &b)) return error;
        const AIRealPoint base{b.left + (b.right - b.left) / 2.0f, b.bottom};
        if (SPErr error = ScaleArtAbout(copy, base, 1.0f, Rnd())) return error;
    }
    return kSPNoError;
}

SPErr AddSketchStrokes(GeneratorRun& run, AIArtHandle path) {
    const StarSettings& s = *run.settings;
    const float amount = s.sketchShiftAmount;
    const bool scribble = IsOn(s.randomSketchShift);
    for (int32_t r = 0; r < s.sketchRepeats; ++r) {
        AIArtHandle copy = nullptr;
        if (SPErr error = ArtSuite()->DuplicateArt(path, kPlaceAboveAll, nullptr, &copy))
            return error;

        const float signX = SignDraw();
        const float sx = Rnd() * amount * signX;
        const float signY = SignDraw();
        const float sy = Rnd() * amount * signY;
        if (sx != 0.0f || sy != 0.0f)
            if (SPErr error = ShiftCopy(run, copy, sx, sy, scribble)) return error;

        PathStyle style{};
        const bool valid = PathStyleSuite()->GetPathStyle(copy, &style) == kSPNoError;
        style.strokePaint = 1;
        ApplySketchColour(run, copy, style.strokeColor);
        style.fillPaint = 0;  // a bare stroke
        style.strokeWidth = IsOn(s.randomSketchWidth) ? Rnd() * run.sketchWeight : run.sketchWeight;
        if (valid) PathStyleSuite()->SetPathStyle(copy, &style);
    }
    return kSPNoError;
}

}  // namespace corvanta
