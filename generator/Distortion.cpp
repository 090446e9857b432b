// Distortion, transforms and warps of a finished outline.
//
// The point-by-point phases keep no copy of the path: each segment is read, moved (its anchor
// and both handles by the same amount) and written back through the host before the next one.
// The whole-star transforms happen about the centre of the star's bounds as they are at that
// moment.
#include "generator/Generator.h"
#include "generator/Geometry.h"

namespace corvanta {

namespace {

SPErr CentreOfBounds(AIArtHandle path, AIRealPoint* centre, AIRealRect* bounds = nullptr) {
    AIRealRect b{};
    if (SPErr error = ArtSuite()->GetArtBounds(path, &b)) return error;
    *centre = BoundsCentre(b);
    if (bounds) *bounds = b;
    return kSPNoError;
}

// How the field's target distance is found for each anchor.
enum class FieldRule { Plain, AlternateHalf, Random };

// Chooses the distortion centre and rule for distortionCentreMode; a value the dialog does not
// offer acts as " Star center".
SPErr ChooseDistortionCentre(const GeneratorRun& run, AIArtHandle path, AIRealPoint* centre,
                             FieldRule* rule) {
    const StarSettings& s = *run.settings;
    *rule = FieldRule::Plain;
    switch (s.distortionCentreMode) {
        case 1: *centre = {run.halfWidth, run.halfHeight}; return kSPNoError;
        case 2: *rule = FieldRule::AlternateHalf; return CentreOfBounds(path, centre);
        case 3: *rule = FieldRule::Random; return CentreOfBounds(path, centre);
        case 4: {  // a random point of the star's bounds
            AIRealPoint unused{};
            AIRealRect b{};
            if (SPErr error = CentreOfBounds(path, &unused, &b)) return error;
            const float x = b.left + Rnd() * (b.right - b.left);
            *centre = {x, b.bottom + Rnd() * (b.top - b.bottom)};
            return kSPNoError;
        }
        case 5: {  // the page's lower-left quarter only
            const float x = Rnd() * run.halfWidth;
            *centre = {x, Rnd() * run.halfHeight};
            return kSPNoError;
        }
        case 6:
            *rule = FieldRule::Random;
            *centre = {s.userCentreH, s.userCentreV};
            return kSPNoError;
        case 7: *centre = {0.0f, 0.0f}; return kSPNoError;
        case 8: *centre = run.previousCentre; return kSPNoError;
        case 9: *centre = run.firstCentre; return kSPNoError;
        default: return CentreOfBounds(path, centre);
    }
}

SPErr DistortionField(const GeneratorRun& run, const StarParameters& p, AIArtHandle path) {
    const float F = p.distortionFactor, R = p.distortionRadius;
    AIRealPoint centre{};
    FieldRule rule = FieldRule::Plain;
    if (SPErr error = ChooseDistortionCentre(run, path, &centre, &rule)) return error;

    const AIPathSuite* paths = PathSuite();
    const AIRealMathSuite* math = RealMathSuite();
    int16_t count = 0;
    if (SPErr error = paths->GetPathSegmentCount(path, &count)) return error;
    for (int16_t i = 0; i < count; ++i) {
        AIPathSegment seg{};
        if (SPErr error = paths->GetPathSegments(path, i, 1, &seg)) return error;
        const float d = math->AIRealPointLength(&centre, &seg.p);
        // An anchor on the centre has no direction to move along: it stays where it is, and
        // the star and the run go on.
        if (d == 0.0f) continue;
        float factor = F;
        if (rule == FieldRule::AlternateHalf && i % 2 == 1) factor = F * 0.5f;
        if (rule == FieldRule::Random) factor = Rnd() * F;
        const AIRealPoint moved = AlongRay(centre, seg.p, d, FieldDistance(d, factor, R));
        MoveSegment(seg, moved.h - seg.p.h, moved.v - seg.p.v);
        if (SPErr error = paths->SetPathSegments(path, i, 1, &seg)) return error;
    }
    return kSPNoError;
}

SPErr RandomDistortion(const StarParameters& p, AIArtHandle path) {
    const float D = p.randomDistortion;
    const AIPathSuite* paths = PathSuite();
    int16_t count = 0;
    if (SPErr error = paths->GetPathSegmentCount(path, &count)) return error;
    for (int16_t i = 0; i < count; ++i) {
        AIPathSegment seg{};
        if (SPErr error = paths->GetPathSegments(path, i, 1, &seg)) return error;
        const float dx = Rnd() * D;
        const float dy = Rnd() * D;
        MoveSegment(seg, dx, dy);
        if (SPErr error = paths->SetPathSegments(path, i, 1, &seg)) return error;
    }
    return kSPNoError;
}

SPErr PointTwirl(const StarParameters& p, AIArtHandle path) {
    const AIPathSuite* paths = PathSuite();
    const AIRealMathSuite* math = RealMathSuite();
    AIRealPoint c{};
    if (SPErr error = CentreOfBounds(path, &c)) return error;
    int16_t count = 0;
    if (SPErr error = paths->GetPathSegmentCount(path, &count)) return error;

    float m = 0.0f;  // the largest distance of an anchor from c
    for (int16_t i = 0; i < count; ++i) {
        AIPathSegment seg{};
        if (SPErr error = paths->GetPathSegments(path, i, 1, &seg)) return error;
        const float d = math->AIRealPointLength(&c, &seg.p);
        if (d > m) m = d;
    }
    // Every anchor on c: there is nothing to turn.
    if (m == 0.0f) return kSPNoError;

    for (int16_t i = 0; i < count; ++i) {
        AIPathSegment seg{};
        if (SPErr error = paths->GetPathSegments(path, i, 1, &seg)) return error;
        const AIRealPoint moved = TwirlAnchor(*math, seg.p, c, m, p.twirlAngle);
        MoveSegment(seg, moved.h - seg.p.h, moved.v - seg.p.v);
        if (SPErr error = paths->SetPathSegments(path, i, 1, &seg)) return error;
    }
    return kSPNoError;
}

}  // namespace

SPErr ScaleArtAbout(AIArtHandle art, AIRealPoint c, float sx, float sy) {
    const AIRealMathSuite* math = RealMathSuite();
    AIRealMatrix m{};
    math->AIRealMatrixSetTranslate(&m, -c.h, -c.v);
    math->AIRealMatrixConcatScale(&m, sx, sy);
    math->AIRealMatrixConcatTranslate(&m, c.h, c.v);
    return TransformArtSuite()->TransformArt(art, &m, 1.0f, kArtTransformFlags);
}

SPErr RotateArtAbout(AIArtHandle art, AIRealPoint c, float radians) {
    const AIRealMathSuite* math = RealMathSuite();
    AIRealMatrix m{};
    math->AIRealMatrixSetTranslate(&m, -c.h, -c.v);
    math->AIRealMatrixConcatRotate(&m, radians);
    math->AIRealMatrixConcatTranslate(&m, c.h, c.v);
    return TransformArtSuite()->TransformArt(art, &m, 1.0f, kArtTransformFlags);
}

SPErr DistortStar(const GeneratorRun& run, const StarParameters& p, AIArtHandle path) {
    if (p.distortionFactor != 0.0f && p.distortionRadius != 0.0f)
        if (SPErr error = DistortionField(run, p, path)) return error;
    if (p.randomDistortion != 0.0f)
        if (SPErr error = RandomDistortion(p, path)) return error;
    if (p.twirlAngle != 0.0f)
        if (SPErr error = PointTwirl(p, path)) return error;
    return kSPNoError;
}

SPErr TransformStar(const GeneratorRun& run, AIArtHandle path) {
    const StarSettings& s = *run.settings;
    AIRealPoint c{};
    if (IsOn(s.randomScaling)) {
        if (SPErr error = CentreOfBounds(path, &c)) return error;
        const float scale = Rnd() + 0.01f;
        if (SPErr error = ScaleArtAbout(path, c, scale, scale)) return error;
    }
    if (IsOn(s.jitterScaling)) {
        if (SPErr error = CentreOfBounds(path, &c)) return error;
        float j = Rnd() * 0.1f;
        const float r = Rnd();
        if (r * 10.0f > 5.0f) j = -j;
        if (SPErr error = ScaleArtAbout(path, c, 1.0f + j, 1.0f + j)) return error;
    }
    if (IsOn(s.edgeScaling)) {
        if (SPErr error = CentreOfBounds(path, &c)) return error;
        const float f = EdgeScaleFactor(*RealMathSuite(), c, run.pageWidth, run.pageHeight);
        if (SPErr error = ScaleArtAbout(path, c, f, f)) return error;
    }
    if (IsOn(s.randomRotation)) {
        if (SPErr error = CentreOfBounds(path, &c)) return error;
        const float radians = Rnd() * 10.0f;
        if (SPErr error = RotateArtAbout(path, c, radians)) return error;
    }
    return kSPNoError;
}

SPErr WarpStar(const GeneratorRun& run, const StarParameters& p, const StarPlacement& place,
               AIArtHandle path) {
    if (!IsOn(run.settings->randomWarp)) return kSPNoError;
    const float size = p.coreRadius + p.shellRadius;
    const float w = Rnd() * size * 2.0f;
    const float h = Rnd() * size * 2.0f;

    // The shape's own calls are not checked: without a shape the envelope is refused, and
    // that refusal ends the run.
    AIArtHandle shape = nullptr;
    if (Rnd() <= 0.5f) {
        ArtSuite()->DuplicateArt(path, kPlaceAboveAll, nullptr, &shape);
    } else if (Rnd() <= 0.5f) {
        ShapeConstructionSuite()->NewPointPointRect(&place.starCentre, w, h, 0, &shape);
    } else {
        ShapeConstructionSuite()->NewPointPointOval(&place.starCentre, w, h, 0, &shape);
    }

    AIArtHandle content[1] = {path};
    const AIEnvelopeOptions options{0, 50};
    AIArtHandle envelope = nullptr;
    if (SPErr error = EnvelopeSuite()->MakeEnvelope(content, 1, shape, &options, &envelope))
        return error;

    // 0, 16 and 17 keep the plain shape.
    const int32_t style = RandomBelow(18);
    if (style < 1 || style > 15) return kSPNoError;
    float amounts[3];  // bend, horizontal, vertical: each a sign draw, then its size
    for (float& amount : amounts) {
        const float sign = SignDraw();
        amount = sign * Rnd();
    }
    const SPBoolean rotate = Rnd() > 0.5f ? 1 : 0;
    return EnvelopeSuite()->SetEnvelopeWarp(envelope, style, amounts[0], amounts[1], amounts[2],
                                            rotate);
}

}  // namespace corvanta
