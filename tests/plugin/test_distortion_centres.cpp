// Distortion and the whole-star transforms, value by value, from a scripted random source:
// every distortion centre entry with its draws and its target rule, random distortion, the
// order of the field, random distortion and twirl, random and jitter scaling, rotation, the
// order of the four transforms, and the warp's draws. Expected values are worked by hand.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "FinishingFixture.h"
#include "ScriptedRandom.h"
#include "suites/Runtime.h"

namespace corvanta::testing {
namespace {

constexpr float kTolerance = 1e-3f;  // points

// Offsets of four anchors, each 50 points from the point they are added to. kSymmetric's
// bounds are centred on that point; kLopsided's bounds centre lies 4 right and 18 up of it,
// so a rule that took the bounds centre instead of its own point fails.
const std::vector<AIRealPoint> kSymmetric = {{30, 40}, {-30, -40}, {50, 0}, {-50, 0}};
const std::vector<AIRealPoint> kLopsided = {{30, 40}, {0, 50}, {-40, 30}, {48, -14}};
// For " Random distortion field": bounds 50 left, 30 right, 40 down and 40 up of the point, so
// that draws of 0.625 (x) and 0.5 (y) pick it.
const std::vector<AIRealPoint> kInBounds = {{-50, 0}, {30, 40}, {30, -40}, {-30, -40}};

std::vector<AIRealPoint> Around(AIRealPoint c, const std::vector<AIRealPoint>& offsets) {
    std::vector<AIRealPoint> out;
    for (const AIRealPoint& o : offsets) out.push_back({c.h + o.h, c.v + o.v});
    return out;
}

class DistortionCentresTest : public FinishingTest {
protected:
    void ExpectAnchors(AIArtHandle path, AIRealPoint c, const std::vector<AIRealPoint>& offsets,
                       const std::vector<float>& k) {
        const auto segs = Segments(path);
        ASSERT_EQ(segs.size(), offsets.size());
        for (size_t i = 0; i < segs.size(); ++i) {
            const float x = c.h + k[i] * offsets[i].h, y = c.v + k[i] * offsets[i].v;
            EXPECT_NEAR(segs[i].p.h, x, kTolerance) << "anchor " << i;
            EXPECT_NEAR(segs[i].p.v, y, kTolerance) << "anchor " << i;
            // The handles sat on the anchor and moved with it.
            EXPECT_EQ(segs[i].in.h, segs[i].p.h) << i;
            EXPECT_EQ(segs[i].out.v, segs[i].p.v) << i;
        }
    }
};

// ---- The distortion field ----------------------------------------------------------------

TEST_F(DistortionCentresTest, EveryCentreEntryWithItsDrawsAndItsRule) {
    // Factor 0.5 toward a radius of 150 from a distance of 50: plain d′ = 100 (twice the
    // offset); alternate half on odd anchors 75 (1.5 times); random d′ = 50 + rnd × 50.
    StarParameters p{};
    p.distortionFactor = 0.5f;
    p.distortionRadius = 150;
    settings_.userCentreH = 120;
    settings_.userCentreV = 220;
    run_.previousCentre = {250, 350};
    run_.firstCentre = {150, 450};
    const std::vector<float> kPlain(4, 2.0f);
    const std::vector<float> kRandomDraws = {0.5f, 0.25f, 0.75f, 0.125f};
    const std::vector<float> kRandom = {1.5f, 1.25f, 1.75f, 1.125f};
    const struct Case {
        int32_t mode;
        AIRealPoint centre;
        const std::vector<AIRealPoint>& offsets;
        std::vector<float> draws;
        std::vector<float> k;
    } cases[] = {
        {0, {300, 400}, kSymmetric, {}, kPlain},                            // " Star center"
        {1, {306, 396}, kLopsided, {}, kPlain},                             // " Document center"
        {2, {300, 400}, kSymmetric, {}, {2, 1.5f, 2, 1.5f}},                // " Star - alternate half"
        {3, {300, 400}, kSymmetric, kRandomDraws, kRandom},                 // " Star - random"
        {4, {200, 300}, kInBounds, {0.625f, 0.5f}, kPlain},                 // " Random distortion field"
        {5, {153, 99}, kLopsided, {0.5f, 0.25f}, kPlain},                   // " Anywhere in document"
        {6, {120, 220}, kLopsided, kRandomDraws, kRandom},                  // " Document Botton < Center"
        {7, {0, 0}, kLopsided, {}, kPlain},                                 // " Document bottom left"
        {8, {250, 350}, kLopsided, {}, kPlain},                             // " Next star center"
        {9, {150, 450}, kLopsided, {}, kPlain},                             // " Use first star created - center"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("entry " + std::to_string(c.mode));
        settings_.distortionCentreMode = c.mode;
        AIArtHandle path = MakePath(Around(c.centre, c.offsets));
        {
            ScriptedRandom script(c.draws);
            ASSERT_EQ(DistortStar(run_, p, path), kSPNoError);
            EXPECT_EQ(script.Taken(), c.draws.size());
        }
        ExpectAnchors(path, c.centre, c.offsets, c.k);
    }
}

TEST_F(DistortionCentresTest, AZeroFactorOrRadiusLeavesTheFieldOutAndDrawsNothing) {
    settings_.distortionCentreMode = 3;  // would draw for every anchor
    for (const auto& [factor, radius] : {std::pair{0.0f, 150.0f}, std::pair{0.5f, 0.0f}}) {
        StarParameters p{};
        p.distortionFactor = factor;
        p.distortionRadius = radius;
        AIArtHandle path = MakePath(Around({300, 400}, kSymmetric));
        ScriptedRandom script({});
        ASSERT_EQ(DistortStar(run_, p, path), kSPNoError);
        ExpectAnchors(path, {300, 400}, kSymmetric, {1, 1, 1, 1});
    }
}

// ---- Random distortion -------------------------------------------------------------------

TEST_F(DistortionCentresTest, RandomDistortionShiftsXThenYOfEachSegmentByItsOwnDraws) {
    const std::vector<float> draws = {0.5f, 0.25f, 0.75f, 0.125f, 0.375f, 0.875f};
    for (float D : {8.0f, -8.0f}) {
        SCOPED_TRACE(D);
        StarParameters p{};
        p.randomDistortion = D;
        // Handles apart from their anchors: they move by the anchor's shift.
        AIArtHandle path = nullptr;
        ASSERT_EQ(ArtSuite()->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path), kSPNoError);
        const AIRealPoint anchors[] = {{10, 20}, {30, 40}, {50, 60}};
        for (int16_t i = 0; i < 3; ++i) {
            const AIRealPoint a = anchors[i];
            const AIPathSegment seg{a, {a.h - 1, a.v + 2}, {a.h + 3, a.v - 4}, 0};
            ASSERT_EQ(PathSuite()->SetPathSegments(path, i, 1, &seg), kSPNoError);
        }
        {
            ScriptedRandom script(draws);
            ASSERT_EQ(DistortStar(run_, p, path), kSPNoError);
            EXPECT_EQ(script.Taken(), draws.size());
        }
        // Shifts of 8 × (0.5, 0.25), (0.75, 0.125), (0.375, 0.875), with the sign of D.
        const float s = D > 0 ? 1.0f : -1.0f;
        const AIRealPoint shift[] = {{4 * s, 2 * s}, {6 * s, 1 * s}, {3 * s, 7 * s}};
        const auto segs = Segments(path);
        ASSERT_EQ(segs.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            const AIRealPoint a{anchors[i].h + shift[i].h, anchors[i].v + shift[i].v};
            EXPECT_FLOAT_EQ(segs[i].p.h, a.h) << i;
            EXPECT_FLOAT_EQ(segs[i].p.v, a.v) << i;
            EXPECT_FLOAT_EQ(segs[i].in.h, a.h - 1) << i;
            EXPECT_FLOAT_EQ(segs[i].in.v, a.v + 2) << i;
            EXPECT_FLOAT_EQ(segs[i].out.h, a.h + 3) << i;
            EXPECT_FLOAT_EQ(segs[i].out.v, a.v - 4) << i;
        }
    }
}

// ---- The order of the distortion phases ----------------------------------------------------

TEST_F(DistortionCentresTest, TheFieldTakesItsDrawsBeforeRandomDistortion) {
    settings_.distortionCentreMode = 3;  // one draw per anchor
    StarParameters p{};
    p.distortionFactor = 0.5f;
    p.distortionRadius = 150;
    p.randomDistortion = 8;
    AIArtHandle path = MakePath(Around({300, 400}, kSymmetric));
    const std::vector<float> draws = {0.5f, 0.25f, 0.75f, 0.125f,                           // field
                                      0.375f, 0.625f, 0.875f, 0.0625f, 0.5f, 0.25f, 0.75f, 0.125f};  // shifts
    {
        ScriptedRandom script(draws);
        ASSERT_EQ(DistortStar(run_, p, path), kSPNoError);
        EXPECT_EQ(script.Taken(), draws.size());
    }
    const float k[] = {1.5f, 1.25f, 1.75f, 1.125f};
    const AIRealPoint shift[] = {{3, 5}, {7, 0.5f}, {4, 2}, {6, 1}};
    const auto segs = Segments(path);
    ASSERT_EQ(segs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(segs[i].p.h, 300 + k[i] * kSymmetric[i].h + shift[i].h, kTolerance) << i;
        EXPECT_NEAR(segs[i].p.v, 400 + k[i] * kSymmetric[i].v + shift[i].v, kTolerance) << i;
    }
}

TEST_F(DistortionCentresTest, TheTwirlComesLastOnTheDistortedOutline) {
    // All three phases at once equal the field, then random distortion, then the twirl, each
    // run alone on the result of the one before (each is pinned by hand on its own).
    settings_.distortionCentreMode = 3;
    StarParameters all{};
    all.distortionFactor = 0.5f;
    all.distortionRadius = 150;
    all.randomDistortion = 8;
    all.twirlAngle = 1.0f;
    const std::vector<float> field = {0.5f, 0.25f, 0.75f, 0.125f};
    const std::vector<float> shifts = {0.375f, 0.625f, 0.875f, 0.0625f, 0.5f, 0.25f, 0.75f, 0.125f};

    AIArtHandle together = MakePath(Around({300, 400}, kSymmetric));
    {
        std::vector<float> draws = field;
        draws.insert(draws.end(), shifts.begin(), shifts.end());
        ScriptedRandom script(draws);
        ASSERT_EQ(DistortStar(run_, all, together), kSPNoError);
        EXPECT_EQ(script.Taken(), draws.size());
    }

    AIArtHandle inTurn = MakePath(Around({300, 400}, kSymmetric));
    StarParameters only{};
    only.distortionFactor = all.distortionFactor;
    only.distortionRadius = all.distortionRadius;
    {
        ScriptedRandom script(field);
        ASSERT_EQ(DistortStar(run_, only, inTurn), kSPNoError);
    }
    only = StarParameters{};
    only.randomDistortion = all.randomDistortion;
    {
        ScriptedRandom script(shifts);
        ASSERT_EQ(DistortStar(run_, only, inTurn), kSPNoError);
    }
    only = StarParameters{};
    only.twirlAngle = all.twirlAngle;
    {
        ScriptedRandom script({});
        ASSERT_EQ(DistortStar(run_, only, inTurn), kSPNoError);
    }

    const auto a = Segments(together), b = Segments(inTurn);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_FLOAT_EQ(a[i].p.h, b[i].p.h) << i;
        EXPECT_FLOAT_EQ(a[i].p.v, b[i].p.v) << i;
    }
}

// ---- Whole-star transforms -----------------------------------------------------------------

// The transforms act about the bounds centre; kSymmetric around (306, 396), the page's centre,
// keeps that centre through every one of them and has edge factor 1.
struct TransformCase {
    const char* name;
    int32_t StarSettings::* option;
    std::vector<float> draws;
    float scale;    // the uniform factor expected
    int quarter;    // the turn expected, in quarter turns (counter-clockwise)
};

TEST_F(DistortionCentresTest, ScalingJitterAndRotationByTheirDraws) {
    const TransformCase cases[] = {
        // rnd + 0.01
        {"Scaling (R) 0", &StarSettings::randomScaling, {0.0f}, 0.01f, 0},
        {"Scaling (R) 0.49", &StarSettings::randomScaling, {0.49f}, 0.5f, 0},
        {"Scaling (R) 0.75", &StarSettings::randomScaling, {0.75f}, 0.76f, 0},
        // 1 ± rnd × 0.1, negative when the second draw × 10 > 5
        {"Jitter scaling +", &StarSettings::jitterScaling, {0.5f, 0.5f}, 1.05f, 0},
        {"Jitter scaling −", &StarSettings::jitterScaling, {0.5f, Above(0.5f)}, 0.95f, 0},
        {"Jitter scaling order", &StarSettings::jitterScaling, {0.25f, 0.75f}, 0.975f, 0},
        {"Jitter scaling 0", &StarSettings::jitterScaling, {0.0f, 0.9f}, 1.0f, 0},
        // rnd × 10 radians: π/20 is a quarter turn, π/10 a half turn
        {"Rotation (R) quarter", &StarSettings::randomRotation, {0.15707963f}, 1.0f, 1},
        {"Rotation (R) half", &StarSettings::randomRotation, {0.31415927f}, 1.0f, 2},
    };
    const AIRealPoint c{306, 396};
    for (const TransformCase& t : cases) {
        SCOPED_TRACE(t.name);
        settings_ = DefaultSettings();
        settings_.*t.option = 1;
        AIArtHandle path = MakePath(Around(c, kSymmetric));
        {
            ScriptedRandom script(t.draws);
            ASSERT_EQ(TransformStar(run_, path), kSPNoError);
            EXPECT_EQ(script.Taken(), t.draws.size());
        }
        const auto segs = Segments(path);
        ASSERT_EQ(segs.size(), kSymmetric.size());
        for (size_t i = 0; i < segs.size(); ++i) {
            AIRealPoint o = kSymmetric[i];
            for (int q = 0; q < t.quarter; ++q) o = {-o.v, o.h};
            EXPECT_NEAR(segs[i].p.h, c.h + t.scale * o.h, kTolerance) << i;
            EXPECT_NEAR(segs[i].p.v, c.v + t.scale * o.v, kTolerance) << i;
        }
    }
}

TEST_F(DistortionCentresTest, TransformsTakeTheirDrawsInOrderScalingJitterEdgeRotation) {
    // Centred at (153, 396): edge factor 0.51. Scaling 0.49 + 0.01, jitter +0.05, a quarter
    // turn: every offset turned and scaled by 0.5 × 1.05 × 0.51 = 0.26775.
    settings_.randomScaling = 1;
    settings_.jitterScaling = 1;
    settings_.edgeScaling = 1;
    settings_.randomRotation = 1;
    const AIRealPoint c{153, 396};
    AIArtHandle path = MakePath(Around(c, kSymmetric));
    {
        ScriptedRandom script({0.49f, 0.5f, 0.25f, 0.15707963f});
        ASSERT_EQ(TransformStar(run_, path), kSPNoError);
        EXPECT_EQ(script.Taken(), 4u);
    }
    const auto segs = Segments(path);
    ASSERT_EQ(segs.size(), kSymmetric.size());
    for (size_t i = 0; i < segs.size(); ++i) {
        const AIRealPoint o = kSymmetric[i];
        EXPECT_NEAR(segs[i].p.h, c.h - 0.26775f * o.v, kTolerance) << i;
        EXPECT_NEAR(segs[i].p.v, c.v + 0.26775f * o.h, kTolerance) << i;
    }
}

// ---- Warp ----------------------------------------------------------------------------------

struct WarpCase {
    const char* name;
    std::vector<float> draws;
    enum Shape { Copy, Rect, Oval } shape;
    float width, height;  // the shape's extents (rect and oval)
    int32_t warp;         // 0: none
    float bend, horizontal, vertical;
    bool rotate;
};

TEST_F(DistortionCentresTest, WarpDrawsItsExtentsShapePresetAndAmountsInOrder) {
    // size = 40 + 100: w = rnd × 280, h = rnd × 280.
    const WarpCase cases[] = {
        // r1 ≤ 0.5: a copy of the star; preset 0 × 18 = 0: none.
        {"copy, no preset", {0.5f, 0.25f, 0.5f, 0.0f}, WarpCase::Copy, 0, 0, 0, 0, 0, 0, false},
        // r1 above 0.5, r2 ≤ 0.5: the rectangle, 70 × 210; 0.5 × 18 = 9; each amount a sign
        // (+ when ≤ 0.5) then its size; rotate only above 0.5.
        {"rectangle, preset 9",
         {0.25f, 0.75f, Above(0.5f), 0.5f, 0.5f, 0.5f, 0.25f, Above(0.5f), 0.5f, 0.25f, 0.75f, 0.5f},
         WarpCase::Rect, 70, 210, 9, 0.25f, -0.5f, 0.75f, false},
        // r2 above 0.5: the oval, 35 × 140; 0.86 × 18 = 15.48: preset 15.
        {"oval, preset 15",
         {0.125f, 0.5f, 0.75f, Above(0.5f), 0.86f, Above(0.5f), 0.125f, 0.5f, 0.875f, 0.75f, 0.0625f, Above(0.5f)},
         WarpCase::Oval, 35, 140, 15, -0.125f, 0.875f, -0.0625f, true},
        // 0.9 × 18 = 16.2: no preset; 0.06 × 18 = 1.08: preset 1.
        {"copy, 16 is no preset", {0.5f, 0.5f, 0.0f, 0.9f}, WarpCase::Copy, 0, 0, 0, 0, 0, 0, false},
        {"copy, preset 1", {0.5f, 0.5f, 0.25f, 0.06f, 0.0f, 0.5f, 1.0f - 0x1p-24f, 0.25f, 0.5f, 0.0f, 0.0f},
         WarpCase::Copy, 0, 0, 1, 0.5f, -0.25f, 0.0f, false},
    };
    settings_.randomWarp = 1;
    StarParameters p{};
    p.coreRadius = 40;
    p.shellRadius = 100;
    const StarPlacement place{{300, 400}, {0, 0}};
    for (const WarpCase& w : cases) {
        SCOPED_TRACE(w.name);
        AIArtHandle path = MakePath(Around({310, 420}, kLopsided));
        {
            ScriptedRandom script(w.draws);
            ASSERT_EQ(WarpStar(run_, p, place, path), kSPNoError);
            EXPECT_EQ(script.Taken(), w.draws.size());
        }
        // The newest envelope holds the star.
        const easel::Art* envelope = nullptr;
        for (const easel::Layer& layer : Doc().layers)
            for (easel::ArtId id : layer.art)
                if (Doc().FindArt(id)->kind == easel::ArtKind::Envelope) envelope = Doc().FindArt(id);
        ASSERT_NE(envelope, nullptr);
        const easel::EnvelopeData& e = envelope->envelope;
        EXPECT_EQ(e.content, easel::ArtIdOf(path));
        EXPECT_EQ(e.flags, 0);
        EXPECT_EQ(e.fidelity, 50);
        EXPECT_EQ(e.warp, w.warp);
        EXPECT_FLOAT_EQ(e.bend, w.bend);
        EXPECT_FLOAT_EQ(e.horizontal, w.horizontal);
        EXPECT_FLOAT_EQ(e.vertical, w.vertical);
        EXPECT_EQ(e.rotate, w.rotate);

        const easel::PathData& shape = Doc().FindArt(e.shape)->path;
        float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
        for (const auto& s : shape.segments) {
            left = std::min(left, s.px), right = std::max(right, s.px);
            bottom = std::min(bottom, s.py), top = std::max(top, s.py);
        }
        if (w.shape == WarpCase::Copy) {
            const auto star = Segments(path);
            ASSERT_EQ(shape.SegmentCount(), star.size());
            for (size_t i = 0; i < star.size(); ++i) {
                EXPECT_EQ(shape.segments[i].px, star[i].p.h) << i;
                EXPECT_EQ(shape.segments[i].py, star[i].p.v) << i;
            }
            continue;
        }
        // Around the star's placement centre (300, 400), not its bounds.
        EXPECT_NEAR(left, 300 - w.width / 2, kTolerance);
        EXPECT_NEAR(right, 300 + w.width / 2, kTolerance);
        EXPECT_NEAR(bottom, 400 - w.height / 2, kTolerance);
        EXPECT_NEAR(top, 400 + w.height / 2, kTolerance);
        // A rectangle's anchors are its corners; an oval's the middles of its sides.
        for (const auto& s : shape.segments) {
            const bool corner = (s.px == left || s.px == right) && (s.py == bottom || s.py == top);
            EXPECT_EQ(corner, w.shape == WarpCase::Rect);
        }
    }
}

}  // namespace
}  // namespace corvanta::testing
