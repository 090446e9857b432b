// Placement: every entry of the star centre and interpolation centre lists, and the centres
// remembered from star to star.
#include <map>

#include "PluginFixture.h"
#include "generator/Generator.h"

namespace corvanta::testing {
namespace {

class PlacementTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        settings_ = DefaultSettings();
        settings_.userCentreH = 100.0f;
        settings_.userCentreV = 200.0f;
        run_.settings = &settings_;
        run_.pageWidth = 612.0f;
        run_.pageHeight = 792.0f;
    }
    AIRealPoint Star(int mode) {
        settings_.starCentreMode = mode;
        return ChooseStarCentre(run_);
    }
    AIRealPoint Interpolation(int mode, AIRealPoint c = {50.0f, 60.0f}) {
        settings_.interpolationCentreMode = mode;
        return ChooseInterpolationCentre(run_, c);
    }
    StarSettings settings_{};
    GeneratorRun run_;
};

void ExpectPoint(AIRealPoint p, float x, float y) {
    EXPECT_FLOAT_EQ(p.h, x);
    EXPECT_FLOAT_EQ(p.v, y);
}

TEST_F(PlacementTest, FixedStarCentres) {
    ExpectPoint(Star(0), 100.0f, 200.0f);
    ExpectPoint(Star(1), 306.0f, 396.0f);
    ExpectPoint(Star(3), 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(Star(4).v, 200.0f);
    EXPECT_FLOAT_EQ(Star(5).h, 100.0f);
    // Values the list does not offer fall back to the user-entered centre.
    ExpectPoint(Star(8), 100.0f, 200.0f);
    ExpectPoint(Star(-1), 100.0f, 200.0f);
    ExpectPoint(Star(INT32_MIN), 100.0f, 200.0f);
}

TEST_F(PlacementTest, RandomStarCentresStayOnThePage) {
    for (int i = 0; i < 200; ++i) {
        const AIRealPoint p = Star(2);
        EXPECT_TRUE(p.h >= 0 && p.h < 612.0f && p.v >= 0 && p.v < 792.0f);
        const AIRealPoint h = Star(4);
        EXPECT_TRUE(h.h >= 0 && h.h < 612.0f);
        const AIRealPoint v = Star(5);
        EXPECT_TRUE(v.v >= 0 && v.v < 792.0f);
    }
}

TEST_F(PlacementTest, AnyCornerPicksOnlyCornersInEqualShares) {
    std::map<std::pair<float, float>, int> seen;
    for (int i = 0; i < 2000; ++i) {
        const AIRealPoint p = Star(6);
        ++seen[{p.h, p.v}];
    }
    ASSERT_EQ(seen.size(), 4u);
    for (auto corner : {std::pair{0.0f, 0.0f}, {612.0f, 0.0f}, {0.0f, 792.0f}, {612.0f, 792.0f}}) {
        EXPECT_GT(seen[corner], 400) << corner.first << "," << corner.second;
        EXPECT_LT(seen[corner], 600);
    }
}

TEST_F(PlacementTest, FrameCentresRingThePage) {
    float minAlong = 1e9f, maxAlong = -1e9f;
    int vertical = 0;
    for (int i = 0; i < 1000; ++i) {
        const AIRealPoint p = Star(7);
        const bool onVertical = p.h == 0.0f || p.h == 612.0f;
        const bool onHorizontal = p.v == 0.0f || p.v == 792.0f;
        ASSERT_TRUE(onVertical || onHorizontal) << p.h << "," << p.v;
        if (onVertical) {
            ++vertical;
            minAlong = std::min(minAlong, p.v / 792.0f);
            maxAlong = std::max(maxAlong, p.v / 792.0f);
        }
    }
    EXPECT_GT(vertical, 350);
    EXPECT_LT(vertical, 650);
    EXPECT_LT(minAlong, 0.05f);
    EXPECT_GT(maxAlong, 0.95f);
}

TEST_F(PlacementTest, InterpolationCentres) {
    ExpectPoint(Interpolation(0), 50.0f, 60.0f);
    ExpectPoint(Interpolation(1), 306.0f, 396.0f);
    ExpectPoint(Interpolation(3), 0.0f, 0.0f);
    run_.starIndex = 3;
    ExpectPoint(Interpolation(4), 80.0f, 60.0f);
    ExpectPoint(Interpolation(5), 50.0f, 90.0f);
    EXPECT_FLOAT_EQ(Interpolation(6).v, 0.0f);
    EXPECT_FLOAT_EQ(Interpolation(7).v, 792.0f);
    EXPECT_FLOAT_EQ(Interpolation(8).h, 0.0f);
    EXPECT_FLOAT_EQ(Interpolation(9).h, 612.0f);
    for (int i = 0; i < 100; ++i) {
        const AIRealPoint p = Interpolation(2);
        EXPECT_TRUE(p.h >= 0 && p.h < 612.0f && p.v >= 0 && p.v < 792.0f);
        EXPECT_LT(Interpolation(6).h, 612.0f);
        EXPECT_LT(Interpolation(9).v, 792.0f);
    }
    ExpectPoint(Interpolation(10), 50.0f, 60.0f);
}

TEST_F(PlacementTest, InterpolationClimbsTenPointsPerStar) {
    StarSettings s = DefaultSettings();
    s.starCount = 5;
    s.interpolationPercent = 100.0f;
    s.interpolationCentreMode = 5;
    ASSERT_EQ(Go(s), kSPNoError);
    auto art = Art();
    ASSERT_EQ(art.size(), 5u);
    for (size_t k = 0; k < 5; ++k) {
        const auto& p = art[k]->path.segments[7];
        EXPECT_FLOAT_EQ(p.px, 306.0f);
        EXPECT_FLOAT_EQ(p.py, 396.0f + 10.0f * static_cast<float>(k));
    }
}

TEST_F(PlacementTest, RememberedCentresFollowTheFinishedStars) {
    EXPECT_FLOAT_EQ(run_.previousCentre.h, 0.0f);
    EXPECT_FLOAT_EQ(run_.firstCentre.v, 0.0f);
    const AIRealPoint corners[3][2] = {{{0, 0}, {10, 20}}, {{100, 100}, {200, 120}}, {{-50, -10}, {-30, 30}}};
    for (int k = 0; k < 3; ++k) {
        AIArtHandle path = nullptr;
        ASSERT_EQ(ArtSuite()->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path), kSPNoError);
        for (int16_t i = 0; i < 2; ++i) {
            AIPathSegment seg{corners[k][i], corners[k][i], corners[k][i], 1};
            ASSERT_EQ(PathSuite()->SetPathSegments(path, i, 1, &seg), kSPNoError);
        }
        run_.starIndex = k;
        ASSERT_EQ(RememberCentres(run_, path), kSPNoError);
        if (k == 0) {
            ExpectPoint(run_.previousCentre, 5.0f, 10.0f);
            ExpectPoint(run_.firstCentre, 5.0f, 10.0f);
        }
    }
    ExpectPoint(run_.previousCentre, -40.0f, 10.0f);
    ExpectPoint(run_.firstCentre, 5.0f, 10.0f);
}

}  // namespace
}  // namespace corvanta::testing
