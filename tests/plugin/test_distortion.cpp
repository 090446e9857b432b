// Distortion and transforms of a star: the distortion field with its centre entries, random
// distortion, twirl, the four whole-star transforms, and warps.
#include <cmath>

#include "FinishingFixture.h"

namespace corvanta::testing {
namespace {

class DistortionTest : public FinishingTest {
protected:
    StarParameters Field(float factor, float radius) {
        StarParameters p{};
        p.distortionFactor = factor;
        p.distortionRadius = radius;
        return p;
    }
    static float Distance(const AIRealPoint& p, float cx, float cy) {
        return std::hypot(p.h - cx, p.v - cy);
    }
};

TEST_F(DistortionTest, FieldFactorOneLandsEveryAnchorOnTheCircle) {
    settings_.distortionCentreMode = 0;  // " Star center"
    AIArtHandle path = MakeStarLike(300, 400, 50);
    ASSERT_EQ(DistortStar(run_, Field(1.0f, 80.0f), path), kSPNoError);
    for (const AIPathSegment& s : Segments(path)) {
        EXPECT_NEAR(Distance(s.p, 300, 400), 80.0f, 1e-3);
        EXPECT_EQ(s.in.h, s.p.h);  // the handles moved with their anchor
        EXPECT_EQ(s.out.v, s.p.v);
    }
}

TEST_F(DistortionTest, AlternateHalfMovesOddAnchorsOnlyHalfway) {
    settings_.distortionCentreMode = 2;
    AIArtHandle path = MakePath({{100, 0}, {200, 0}, {0, 100}, {0, 200}, {-100, 0}, {0, -200}});
    const AIRealRect b = Bounds(path);
    const float cx = Cx(b), cy = Cy(b);
    const auto before = Segments(path);
    ASSERT_EQ(DistortStar(run_, Field(1.0f, 150.0f), path), kSPNoError);
    const auto after = Segments(path);
    for (size_t i = 0; i < after.size(); ++i) {
        const float d = Distance(before[i].p, cx, cy);
        const float expected = i % 2 == 0 ? 150.0f : d + 0.5f * (150.0f - d);
        EXPECT_NEAR(Distance(after[i].p, cx, cy), expected, 1e-3) << "anchor " << i;
    }
}

TEST_F(DistortionTest, CentreEntries) {
    // Each entry's centre, seen through factor 1: every anchor lands at R from it.
    settings_.userCentreH = 10.0f;
    settings_.userCentreV = 20.0f;
    run_.previousCentre = {500, 600};
    run_.firstCentre = {50, 700};
    const struct {
        int mode;
        float cx, cy;
    } fixed[] = {{1, 306, 396}, {7, 0, 0}, {8, 500, 600}, {9, 50, 700}, {42, 300, 400}};
    for (const auto& e : fixed) {
        settings_.distortionCentreMode = e.mode;
        AIArtHandle path = MakeStarLike(300, 400, 50);
        ASSERT_EQ(DistortStar(run_, Field(1.0f, 30.0f), path), kSPNoError);
        for (const AIPathSegment& s : Segments(path))
            EXPECT_NEAR(Distance(s.p, e.cx, e.cy), 30.0f, 2e-3) << "entry " << e.mode;
    }
}

TEST_F(DistortionTest, AnywhereInDocumentStaysInTheLowerLeftQuarter) {
    settings_.distortionCentreMode = 5;
    // A tiny radius gathers every anchor at the chosen centre.
    for (int i = 0; i < 100; ++i) {
        AIArtHandle path = MakeStarLike(300, 400, 50);
        ASSERT_EQ(DistortStar(run_, Field(1.0f, 1e-3f), path), kSPNoError);
        const AIRealRect b = Bounds(path);
        EXPECT_GE(b.left, -0.01f);
        EXPECT_GE(b.bottom, -0.01f);
        EXPECT_LT(b.right, 306.01f);
        EXPECT_LT(b.top, 396.01f);
    }
}

TEST_F(DistortionTest, AnAnchorOnTheCentreStaysAndTheRunGoesOn) {
    settings_.distortionCentreMode = 7;  // " Document bottom left"
    AIArtHandle path = MakePath({{30, 40}, {0, 0}, {60, 80}});
    ASSERT_EQ(DistortStar(run_, Field(1.0f, 10.0f), path), kSPNoError);
    const auto after = Segments(path);
    EXPECT_NEAR(Distance(after[0].p, 0, 0), 10.0f, 1e-4);
    EXPECT_EQ(after[1].p.h, 0.0f);
    EXPECT_EQ(after[1].p.v, 0.0f);
    EXPECT_NEAR(Distance(after[2].p, 0, 0), 10.0f, 1e-4) << "anchors after it still move";
}

TEST_F(DistortionTest, TwirlKeepsTheOutermostAnchors) {
    AIArtHandle path = MakePath({{400, 400}, {350, 400}, {300, 450}, {200, 400}, {320, 400}});
    const AIRealRect b = Bounds(path);
    const float cx = Cx(b), cy = Cy(b);
    StarParameters p{};
    p.twirlAngle = 1.0f;
    const auto before = Segments(path);
    ASSERT_EQ(DistortStar(run_, p, path), kSPNoError);
    const auto after = Segments(path);
    float m = 0;
    for (const auto& s : before) m = std::max(m, Distance(s.p, cx, cy));
    for (size_t i = 0; i < after.size(); ++i) {
        if (Distance(before[i].p, cx, cy) == m) {
            EXPECT_EQ(after[i].p.h, before[i].p.h) << "outermost anchor " << i;
            EXPECT_EQ(after[i].p.v, before[i].p.v);
        } else {
            EXPECT_NE(after[i].p.h, before[i].p.h) << "inner anchor " << i;
        }
    }
}

TEST_F(DistortionTest, TwirlOfAPointLeavesEveryAnchor) {
    AIArtHandle path = MakePath({{10, 20}, {10, 20}, {10, 20}});
    StarParameters p{};
    p.twirlAngle = 2.0f;
    ASSERT_EQ(DistortStar(run_, p, path), kSPNoError);
    for (const AIPathSegment& s : Segments(path)) {
        EXPECT_EQ(s.p.h, 10.0f);
        EXPECT_EQ(s.p.v, 20.0f);
    }
}

// ---- Transforms (the host's transform suite) ---------------------------------------------

TEST_F(DistortionTest, RandomScalingNeverGrowsBeyond101Percent) {
    settings_.randomScaling = 1;
    for (int i = 0; i < 50; ++i) {
        AIArtHandle path = MakeStarLike(300, 400, 50);
        ASSERT_EQ(TransformStar(run_, path), kSPNoError);
        const AIRealRect b = Bounds(path);
        EXPECT_LT(Width(b), 100.0f * 1.0101f);
        EXPECT_GE(Width(b), 100.0f * 0.0099f);
        EXPECT_NEAR(Cx(b), 300.0f, 1e-3) << "about the bounds centre";
        EXPECT_NEAR(Cy(b), 400.0f, 1e-3);
    }
}

TEST_F(DistortionTest, EdgeScalingByThePlaceOnThePage) {
    settings_.edgeScaling = 1;
    AIArtHandle middle = MakeStarLike(306, 396, 50);
    ASSERT_EQ(TransformStar(run_, middle), kSPNoError);
    EXPECT_FLOAT_EQ(Width(Bounds(middle)), 100.0f);
    AIArtHandle quarter = MakeStarLike(153, 396, 50);
    ASSERT_EQ(TransformStar(run_, quarter), kSPNoError);
    EXPECT_NEAR(Width(Bounds(quarter)), 51.0f, 1e-3);
    EXPECT_EQ(Style(quarter).strokeWidth, 1.0f) << "stroke widths are not scaled";
}

// ---- Warps (the host's envelope suite) -----------------------------------------------------

TEST_F(DistortionTest, AboutOneWarpInSixHasNoPresetButEveryStarIsEnveloped) {
    settings_.randomWarp = 1;
    StarParameters p{};
    p.coreRadius = 40;
    p.shellRadius = 100;
    const StarPlacement place{{300, 400}, {300, 400}};
    int plain = 0;
    const int stars = 360;
    SyncDraws();
    for (int i = 0; i < stars; ++i) {
        AIArtHandle path = MakeStarLike(300, 400, 50);
        const int64_t warps = host_.CallCount("AI Envelope Suite/SetEnvelopeWarp");
        ASSERT_EQ(WarpStar(run_, p, place, path), kSPNoError);
        const bool warped = host_.CallCount("AI Envelope Suite/SetEnvelopeWarp") > warps;
        // The draws: width, height, the shape (and which constructor), the preset, and for a
        // preset three signed amounts and the rotate flag.
        Replay();
        Replay();
        if (Replay() > 0.5f) Replay();
        const int k = static_cast<int>(Replay() * 18.0f);
        EXPECT_EQ(warped, k >= 1 && k <= 15) << "star " << i;
        if (warped)
            for (int j = 0; j < 7; ++j) Replay();
        ASSERT_EQ(DrawsTaken(0), 0) << "star " << i;
        plain += !warped;
    }
    EXPECT_EQ(host_.CallCount("AI Envelope Suite/MakeEnvelope"), stars);
    EXPECT_GT(plain, stars / 6 - 25);
    EXPECT_LT(plain, stars / 6 + 25);
}

}  // namespace
}  // namespace corvanta::testing
