// The star outline: rings, sets, groups, patterns and the outline randomisers.
#include <bit>
#include <cmath>
#include <limits>

#include "PluginFixture.h"
#include "generator/Geometry.h"

namespace corvanta::testing {
namespace {

class OutlineTest : public PluginTest {
protected:
    // Generates one run and returns its paths.
    std::vector<const easel::Art*> Run(StarSettings& s) {
        EXPECT_EQ(Go(s), kSPNoError);
        return Art();
    }
    const float cx = 306.0f, cy = 396.0f;
};

TEST_F(OutlineTest, DefaultStarHasThirtyAnchorsOnTwoRings) {
    StarSettings s = DefaultSettings();
    auto art = Run(s);
    ASSERT_EQ(art.size(), 1u);
    const easel::PathData& path = art[0]->path;
    ASSERT_EQ(path.SegmentCount(), 30u);
    EXPECT_TRUE(path.closed);
    for (size_t i = 0; i < 30; ++i) {
        const Polar at = PolarOf(path, i, cx, cy);
        // One core point at 40, then two shell points at 140, every 12 degrees.
        EXPECT_NEAR(at.distance, i % 3 == 0 ? 40.0f : 140.0f, 1e-3) << i;
        EXPECT_NEAR(at.degrees, 12.0f * static_cast<float>(i), 1e-2) << i;
        EXPECT_TRUE(HandlesOnAnchor(path.segments[i])) << i;
        EXPECT_TRUE(path.segments.Corner(i)) << i;
    }
}

TEST_F(OutlineTest, PolygonModeKeepsOnlyShellPointsAtTheirAngles) {
    StarSettings s = DefaultSettings();
    s.polygonMode = 1;
    const easel::PathData& path = Run(s)[0]->path;
    ASSERT_EQ(path.SegmentCount(), 20u);
    for (size_t i = 0; i < 20; ++i) {
        const size_t full = (i / 2) * 3 + 1 + i % 2;  // position among the default's 30
        const Polar at = PolarOf(path, i, cx, cy);
        EXPECT_NEAR(at.distance, 140.0f, 1e-3);
        EXPECT_NEAR(at.degrees, 12.0f * static_cast<float>(full), 1e-2) << i;
    }
}

TEST_F(OutlineTest, PolygonModeWithoutShellPointsWritesNothing) {
    StarSettings s = DefaultSettings();
    s.polygonMode = 1;
    s.shellPointsBySet[0] = 0;
    s.corePointsBySet[0] = 3;
    auto art = Run(s);
    ASSERT_EQ(art.size(), 1u);
    EXPECT_EQ(art[0]->path.SegmentCount(), 0u);
}

// Polygon mode turns the angle past every core point it leaves out: with counts in the
// billions that must still end at once (a fuzzed record once ran for minutes), and change
// nothing that is drawn.
TEST_F(OutlineTest, PolygonModeWithHugeCoreCountsEnds) {
    StarSettings s = DefaultSettings();
    s.polygonMode = 1;
    s.corePointsBySet[0] = INT32_MAX;
    s.shellPointsBySet[0] = 0;
    auto art = Run(s);
    ASSERT_EQ(art.size(), 1u);
    EXPECT_EQ(art[0]->path.SegmentCount(), 0u);

    s.shellPointsBySet[0] = 1;  // one shell point per group, each on the shell ring
    const SPErr e = Go(s);
    EXPECT_TRUE(e == kSPNoError || e == kSPOutOfMemoryError) << e;
    for (const easel::Art* a : Art())
        for (size_t i = 0; i < a->path.SegmentCount(); ++i)
            EXPECT_NEAR(PolarOf(a->path, i, cx, cy).distance, 140.0f, 1e-3) << i;
}

// The rule AdvanceAngle keeps: the running angle is the left-out points' steps added one by one
// in single precision, stopping once a step changes nothing.
float WalkAngle(float angle, float step, int64_t count) {
    for (int64_t k = 0; k < count; ++k) {
        const float next = angle + step;
        if (std::bit_cast<uint32_t>(next) == std::bit_cast<uint32_t>(angle)) break;
        angle = next;
    }
    return angle;
}

TEST(AdvanceAngleTest, GivesTheBitsOfStepByStepAddition) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float ulp1 = std::ldexp(1.0f, -23);  // the last place of [1, 2)
    struct Case {
        float angle, step;
        int64_t count;
    };
    const Case cases[] = {
        // The fuzzed record that ran for minutes: 100 degrees over 10 groups of 1,174,405,379
        // points; the angle stops turning after about 2.3e7 steps.
        {0.0f, (100.0f * 3.14159265f / 180.0f) / (10.0f * 1174405379.0f), 1174405120},
        {0.0f, 0.02094395f, 300},            // ordinary steps across several binades
        {1.0f, 1.5f * ulp1, 100000},         // a tie each step: to the even neighbour
        {1.0f, 2.5f * ulp1, 100000},
        {1.0f, 0.5f * ulp1, 10},             // half the last place: no step changes it
        {1.0f, 0.75f * ulp1, 3000000},       // rounds up to a whole place, then to 2 places past 2
        {3.0f, -1.0e-3f, 10000},             // down through zero into negative angles
        {-0.5f, 3.0e-7f, 5000000},           // magnitude shrinking, then growing again
        {0.0f, 1.0e-45f, 20000000},          // subnormal steps into the normal range
        {0.0f, -1.0e-45f, 100},
        {1.0e30f, 1.0e22f, 100000},          // huge angles
        {3.0e38f, 1.0e37f, 100},             // to infinity, then no further
        {1.0f, inf, 5}, {1.0f, nan, 5}, {inf, -inf, 5},
        {1.0f, 0.1f, 0}, {1.0f, 0.1f, -7},   // no steps at all
    };
    for (const Case& c : cases) {
        const float want = WalkAngle(c.angle, c.step, c.count);
        EXPECT_EQ(std::bit_cast<uint32_t>(AdvanceAngle(c.angle, c.step, c.count)), std::bit_cast<uint32_t>(want))
            << c.angle << " + " << c.count << " x " << c.step << " = " << want;
    }

    // And random angles, steps and counts, from a fixed sequence.
    uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&state] {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<uint32_t>(state >> 32);
    };
    for (int i = 0; i < 300; ++i) {
        const float angle = std::ldexp(static_cast<float>(next() % 2000) - 1000.0f, static_cast<int>(next() % 40) - 30);
        const float step = std::ldexp(static_cast<float>(next() % 2000) - 1000.0f, static_cast<int>(next() % 40) - 50);
        const int64_t count = next() % 200000;
        EXPECT_EQ(std::bit_cast<uint32_t>(AdvanceAngle(angle, step, count)),
                  std::bit_cast<uint32_t>(WalkAngle(angle, step, count)))
            << angle << " + " << count << " x " << step;
    }
}

TEST_F(OutlineTest, NoPointsAtAllFallBackToOneCoreAndOneShellPoint) {
    StarSettings s = DefaultSettings();
    s.corePointsBySet[0] = 0;
    s.shellPointsBySet[0] = 0;
    const easel::PathData& path = Run(s)[0]->path;
    ASSERT_EQ(path.SegmentCount(), 20u);  // G = 10, S = 2, 18 degrees apart
    for (size_t i = 0; i < 20; ++i) {
        const Polar at = PolarOf(path, i, cx, cy);
        EXPECT_NEAR(at.distance, i % 2 == 0 ? 40.0f : 140.0f, 1e-3);
        EXPECT_NEAR(at.degrees, 18.0f * static_cast<float>(i), 1e-2);
    }
}

TEST_F(OutlineTest, MaxShellCapsShellDistanceAndANegativeCapCrossesTheCentre) {
    StarSettings s = DefaultSettings();
    s.maxShell = 50.0f;
    {
        const easel::PathData& path = Run(s)[0]->path;
        for (size_t i = 0; i < 30; ++i)
            EXPECT_NEAR(PolarOf(path, i, cx, cy).distance, i % 3 == 0 ? 40.0f : 50.0f, 1e-3);
    }
    s.maxShell = -50.0f;
    s.previewDrawn = 0;
    const easel::PathData& path = Run(s)[0]->path;  // the go run replaced the first star
    for (size_t i = 0; i < 30; ++i) {
        const Polar at = PolarOf(path, i, cx, cy);
        if (i % 3 == 0) continue;
        EXPECT_NEAR(at.distance, 50.0f, 1e-3);
        const float expected = std::fmod(12.0f * static_cast<float>(i) + 180.0f, 360.0f);
        EXPECT_NEAR(at.degrees, expected, 1e-2) << i;
    }
}

TEST_F(OutlineTest, BoundaryLimitSweepsOnlyThatAngle) {
    StarSettings s = DefaultSettings();
    s.boundaryLimitDegrees = 180.0f;
    const easel::PathData& path = Run(s)[0]->path;
    ASSERT_EQ(path.SegmentCount(), 30u);
    for (size_t i = 0; i < 30; ++i)
        EXPECT_NEAR(PolarOf(path, i, cx, cy).degrees, 6.0f * static_cast<float>(i), 1e-2);
    EXPECT_NEAR(PolarOf(path, 29, cx, cy).degrees, 174.0f, 1e-2);
}

TEST_F(OutlineTest, RandomGroupsBelowThreeAlwaysGiveTwoGroups) {
    StarSettings s = DefaultSettings();
    s.randomStarGroups = 1;
    s.starGroups = 3;
    s.starCount = 40;
    for (const easel::Art* a : Run(s)) EXPECT_EQ(a->path.SegmentCount(), 6u);
}

TEST_F(OutlineTest, FullInterpolationPutsAnchorsOnTheCentreAndHandlesOnTheOutline) {
    StarSettings s = DefaultSettings();
    s.interpolationPercent = 100.0f;
    const easel::PathData& path = Run(s)[0]->path;
    ASSERT_EQ(path.SegmentCount(), 30u);
    for (size_t i = 0; i < 30; ++i) {
        const easel::SegmentPoints& p = path.segments[i];
        EXPECT_FLOAT_EQ(p.px, cx);
        EXPECT_FLOAT_EQ(p.py, cy);
        EXPECT_EQ(p.ix, p.ox);
        EXPECT_EQ(p.iy, p.oy);
        EXPECT_NEAR(std::hypot(p.ix - cx, p.iy - cy), i % 3 == 0 ? 40.0f : 140.0f, 1e-3);
    }
}

TEST_F(OutlineTest, CoreCreateDropsCorePointsWithoutMovingTheOthers) {
    StarSettings s = DefaultSettings();
    s.randomCoreCreate = 1;
    s.starCount = 10;
    size_t total = 0;
    for (const easel::Art* a : Run(s)) {
        const easel::PathData& path = a->path;
        size_t shells = 0;
        float lastAngle = -1.0f;
        for (size_t i = 0; i < path.SegmentCount(); ++i) {
            const Polar at = PolarOf(path, i, cx, cy);
            const float step = at.degrees / 12.0f;
            EXPECT_NEAR(step, std::round(step), 1e-3) << "angles stay on the 12-degree grid";
            EXPECT_GT(at.degrees, lastAngle) << "points stay in order";
            lastAngle = at.degrees;
            const bool core = static_cast<int>(std::round(step)) % 3 == 0;
            EXPECT_NEAR(at.distance, core ? 40.0f : 140.0f, 1e-3);
            if (!core) ++shells;
        }
        // A dropped core point is overwritten by the next (shell) point, never a shell point.
        EXPECT_EQ(shells, 20u);
        total += path.SegmentCount();
    }
    EXPECT_LT(total, 300u);
    EXPECT_GT(total, 200u);
}

TEST_F(OutlineTest, InnerDistanceTwoRandomisesOnlyTheHorizontalDistanceOverTheWholeRadius) {
    StarSettings s = DefaultSettings();
    s.randomInnerDistance2 = 1;
    s.groupPercentEven = s.groupPercentOdd = 50.0f;
    s.starCount = 20;
    float widest = 0.0f;
    for (const easel::Art* a : Run(s)) {
        for (size_t i = 0; i < 30; i += 3) {  // the core points
            const double angle = 12.0 * static_cast<double>(i) * M_PI / 180.0;
            const auto& p = a->path.segments[i];
            EXPECT_NEAR(p.py - cy, 20.0 * std::sin(angle), 1e-3);  // f × r vertically
            if (std::fabs(std::cos(angle)) < 0.3) continue;
            const double rx = (p.px - cx) / std::cos(angle);
            EXPECT_GE(rx, -1e-3);
            EXPECT_LT(rx, 40.0);
            widest = std::max(widest, static_cast<float>(rx));
        }
    }
    EXPECT_GT(widest, 20.0f) << "the horizontal distance is drawn without the group factor";
}

TEST_F(OutlineTest, AlternatePatternsAndGroupFactorsScaleEveryOtherPoint) {
    StarSettings s = DefaultSettings();
    s.corePointsBySet[0] = 2;
    s.shellPointsBySet[0] = 2;
    s.coreRadiusBySet[0] = 10.0f;
    s.shellRadiusBySet[0] = 20.0f;
    s.altCorePercentOdd = 50.0f;    // odd core points: 10 × 0.5 + 40
    s.altShellPercentOdd = 0.0f;    // odd shell points: 140 + 0
    s.groupPercentOdd = 200.0f;     // odd groups twice as far
    s.starGroups = 2;
    const easel::PathData& path = Run(s)[0]->path;
    ASSERT_EQ(path.SegmentCount(), 8u);
    const float expected[8] = {50, 45, 160, 140, 100, 90, 320, 280};
    for (size_t i = 0; i < 8; ++i) EXPECT_NEAR(PolarOf(path, i, cx, cy).distance, expected[i], 1e-3) << i;
}

TEST_F(OutlineTest, OffsetsAndSlantMoveTheirRingsOnly) {
    StarSettings s = DefaultSettings();
    s.corePointOffsetX = 5.0f;
    s.corePointOffsetY = -7.0f;
    s.shellPointSlant = 90.0f;
    const easel::PathData& path = Run(s)[0]->path;
    const Polar core = PolarOf(path, 0, cx + 5.0f, cy - 7.0f);
    EXPECT_NEAR(core.distance, 40.0f, 1e-3);
    EXPECT_NEAR(core.degrees, 0.0f, 1e-2);
    const Polar shell = PolarOf(path, 1, cx, cy);
    EXPECT_NEAR(shell.distance, 140.0f, 1e-3);
    EXPECT_NEAR(shell.degrees, 102.0f, 1e-2);
}

}  // namespace
}  // namespace corvanta::testing
