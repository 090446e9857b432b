// Each star's draws, value by value, from a scripted random source: the star parameters in
// their order, the counts of "Structure (R)" and "Star groups (R)" over all sixteen sets, the
// outline randomisers point by point, the placement lists, and the order of these phases in
// one run. Expected values are worked by hand from the rules, so one wrong constant or two
// draws taken in the other order fails a case.
#include <cmath>
#include <string>
#include <vector>

#include "FinishingFixture.h"
#include "ScriptedRandom.h"

namespace corvanta::testing {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTolerance = 1e-3f;  // points: the sines of the running angle are not exact

class StarDrawsTest : public FinishingTest {};

// ---- Star parameters ------------------------------------------------------------------

// Settings whose every star parameter differs from the others, so that a draw given to the
// wrong parameter changes a value.
StarSettings ParameterSettings() {
    StarSettings s = DefaultSettings();
    s.starCoreRadius = 40;
    s.shellPointSlant = 90;
    s.starShellRadius = 100;
    s.distortRadius = 80;
    s.distortFieldPercent = 50;
    s.distortRandom = 16;
    s.twirlDegrees = 180;
    s.groupPercentEven = 50;
    s.groupPercentOdd = 20;
    s.altCorePercentEven = 100;
    s.altCorePercentOdd = 60;
    s.altShellPercentEven = 80;
    s.altShellPercentOdd = 40;
    for (int j = 0; j < kStarSets; ++j) {
        s.coreRadiusBySet[j] = 32.0f * static_cast<float>(j + 1);
        s.shellRadiusBySet[j] = -16.0f * static_cast<float>(j + 1);
    }
    s.corePointOffsetX = 8;
    s.corePointOffsetY = 12;
    s.shellPointOffsetX = 20;
    s.shellPointOffsetY = 24;
    return s;
}

struct ParameterCase {
    const char* name;
    float StarParameters::* field;
    float fixed;   // "Star settings (R)" off
    float drawn;   // on, with draw k equal to (k + 1) / 64
};

TEST_F(StarDrawsTest, StarParametersTakeOneDrawEachInTableOrder) {
    settings_ = ParameterSettings();
    const float deg = kPi / 180.0f;
    // Draw k (0-based) is (k + 1) / 64; the row order is the order of the draws.
    const ParameterCase cases[] = {
        {"coreRadius", &StarParameters::coreRadius, 40, 40 * 1 / 64.0f},                // 0.625
        {"shellSlant", &StarParameters::shellSlant, 90 * deg, 2.8125f * deg},           // 90 × 2/64
        {"shellRadius", &StarParameters::shellRadius, 100, 4.6875f},                   // 100 × 3/64
        {"distortionRadius", &StarParameters::distortionRadius, 80, 5},                // 80 × 4/64
        {"distortionFactor", &StarParameters::distortionFactor, 0.5f, 0.0390625f},     // 0.5 × 5/64
        {"randomDistortion", &StarParameters::randomDistortion, 16, 1.5f},             // 16 × 6/64
        {"twirlAngle", &StarParameters::twirlAngle, 180 * deg, 19.6875f * deg},        // 180 × 7/64
        {"groupFactorEven", &StarParameters::groupFactorEven, 0.5f, 0.5625f},          // 8/64 × 0.5 + 0.5
        {"groupFactorOdd", &StarParameters::groupFactorOdd, 0.2f, 0.3125f},            // 9/64 × 0.8 + 0.2
        {"altCoreEven", &StarParameters::altCoreEven, 1.0f, 0.15625f},                 // 10/64 × 1
        {"altCoreOdd", &StarParameters::altCoreOdd, 0.6f, 0.103125f},                  // 11/64 × 0.6
        {"altShellEven", &StarParameters::altShellEven, 0.8f, 0.15f},                  // 12/64 × 0.8
        {"altShellOdd", &StarParameters::altShellOdd, 0.4f, 0.08125f},                 // 13/64 × 0.4
    };
    // Sets 1 to 16 in turn, core then shell: draws 13 + 2j and 14 + 2j, of radii 32 (j + 1)
    // and −16 (j + 1): (7 + j)(j + 1) and −(15 + 2j)(j + 1) / 4.
    const float setCore[kStarSets] = {7, 16, 27, 40, 55, 72, 91, 112,
                                      135, 160, 187, 216, 247, 280, 315, 352};
    const float setShell[kStarSets] = {-3.75f, -8.5f, -14.25f, -21, -28.75f, -37.5f, -47.25f, -58,
                                       -69.75f, -82.5f, -96.25f, -111, -126.75f, -143.5f, -161.25f, -180};
    // Then the offsets: draws 45 to 48 of 8, 12, 20, 24.
    const AIRealPoint coreOffset{5.75f, 8.8125f}, shellOffset{15, 18.375f};

    for (bool random : {false, true}) {
        SCOPED_TRACE(random ? "Star settings (R) on" : "off");
        settings_.randomStarSettings = random;
        std::vector<float> draws;
        if (random)
            for (int k = 0; k < 49; ++k) draws.push_back(static_cast<float>(k + 1) / 64.0f);
        ScriptedRandom script(draws);
        const StarParameters p = DrawStarParameters(settings_);
        EXPECT_EQ(script.Taken(), draws.size());
        for (const ParameterCase& c : cases)
            EXPECT_NEAR(p.*c.field, random ? c.drawn : c.fixed, 1e-6f) << c.name;
        for (int j = 0; j < kStarSets; ++j) {
            EXPECT_FLOAT_EQ(p.setCoreRadius[j], random ? setCore[j] : 32.0f * static_cast<float>(j + 1))
                << "set " << j + 1;
            EXPECT_FLOAT_EQ(p.setShellRadius[j], random ? setShell[j] : -16.0f * static_cast<float>(j + 1))
                << "set " << j + 1;
        }
        EXPECT_FLOAT_EQ(p.coreOffset.h, random ? coreOffset.h : 8);
        EXPECT_FLOAT_EQ(p.coreOffset.v, random ? coreOffset.v : 12);
        EXPECT_FLOAT_EQ(p.shellOffset.h, random ? shellOffset.h : 20);
        EXPECT_FLOAT_EQ(p.shellOffset.v, random ? shellOffset.v : 24);
    }
}

// ---- Counts: "Structure (R)" and "Star groups (R)" ---------------------------------------

struct SetCount {
    int32_t core;
    float coreDraw;  // < 0: a zero count, which draws nothing
    int32_t coreWant;
    int32_t shell;
    float shellDraw;
    int32_t shellWant;
};

TEST_F(StarDrawsTest, StructureKeepsEachNonZeroCountWithOneDrawOfCountPlusOne) {
    // rnd × (c + 1) truncated; draws at and just below the steps of c + 1 = 2, 4, 8, 16.
    const SetCount sets[kStarSets] = {
        {1, 0.5f, 1, 3, Below(0.75f), 2},           // set 1
        {0, -1, 0, 7, 0.125f, 1},                   // set 2
        {3, 0.75f, 3, 0, -1, 0},                    // set 3
        {15, Below(0.0625f), 0, 1, Below(0.5f), 0}, // set 4
        {20, 0.5f, 10, 2, 0.99f, 2},                // set 5: 10.5, 2.97
        {0, -1, 0, 0, -1, 0},                       // set 6: no draws
        {7, 0.875f, 7, 5, 0.25f, 1},                // set 7: 7, 1.5
        {2, 0.34f, 1, 4, 0.3f, 1},                  // set 8: 1.02, 1.5
        {9, 0.05f, 0, 0, -1, 0},                    // set 9: 0.5
        {1, 0.625f, 1, 1, 0.375f, 0},               // set 10
        {11, 0.5f, 6, 6, 0.5f, 3},                  // set 11: 6, 3.5
        {3, 0.5f, 2, 3, 0.25f, 1},                  // set 12
        {0, -1, 0, 15, 0.9375f, 15},                // set 13
        {12, 0.1f, 1, 0, -1, 0},                    // set 14: 1.3
        {8, 0.7f, 6, 8, 0.3f, 2},                   // set 15: 6.3, 2.7
        {16, 0.95f, 16, 19, 0.4f, 8},               // set 16: 16.15, 8
    };
    settings_.randomStructure = 1;
    settings_.randomStarGroups = 1;
    settings_.starGroups = 10;
    settings_.boundaryLimitDegrees = 180;
    std::vector<float> draws;
    for (int j = 0; j < kStarSets; ++j) {
        settings_.corePointsBySet[j] = sets[j].core;
        settings_.shellPointsBySet[j] = sets[j].shell;
        if (sets[j].coreDraw >= 0) draws.push_back(sets[j].coreDraw);
        if (sets[j].shellDraw >= 0) draws.push_back(sets[j].shellDraw);
    }
    draws.push_back(0.55f);  // the group count after every set: 5.5 → 5

    ScriptedRandom script(draws);
    const StarCounts c = CountStarPoints(settings_);
    EXPECT_EQ(script.Taken(), draws.size());
    for (int j = 0; j < kStarSets; ++j) {
        EXPECT_EQ(c.setCoreCount[j], sets[j].coreWant) << "core count of set " << j + 1;
        EXPECT_EQ(c.setShellCount[j], sets[j].shellWant) << "shell count of set " << j + 1;
    }
    // 54 core and 36 shell points per group, five groups over a half turn.
    EXPECT_EQ(c.pointsPerGroup, 90);
    EXPECT_EQ(c.groupCount, 5);
    EXPECT_NEAR(c.angleStep, kPi / 450.0f, 1e-7f);
}

TEST_F(StarDrawsTest, GroupCountAndTheFallbackToTwo) {
    struct Case {
        int32_t starGroups;
        bool random;
        float draw;  // < 0: none
        int32_t want;
    } cases[] = {
        {10, false, -1, 10}, {2, false, -1, 2},   {1, false, -1, 2},  {3, false, -1, 3},
        {10, true, 0.55f, 5}, {10, true, 0.3f, 3}, {10, true, Below(0.2f), 2} /* 1 → 2 */,
        {10, true, 0.0f, 2},  {400, true, 0.999f, 399}, {3, true, 0.99f, 2}, {7, true, 0.5f, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.starGroups) + (c.random ? " drawn " + std::to_string(c.draw) : ""));
        settings_.starGroups = c.starGroups;
        settings_.randomStarGroups = c.random;
        std::vector<float> draws;
        if (c.draw >= 0) draws.push_back(c.draw);
        ScriptedRandom script(draws);
        const StarCounts counts = CountStarPoints(settings_);
        EXPECT_EQ(script.Taken(), draws.size());
        EXPECT_EQ(counts.groupCount, c.want);
        EXPECT_EQ(counts.pointsPerGroup, 3);  // the default set 1: one core, two shell points
        EXPECT_NEAR(counts.angleStep, 2 * kPi / static_cast<float>(3 * c.want), 1e-6f);
    }
}

TEST_F(StarDrawsTest, TooFewPointsGiveSetOneAPointOfEachRingAndLeaveTheOtherSets) {
    // Structure (R) leaves set 5's single shell point and drops set 1's: S = 1, so set 1 gets
    // one core and one shell point, set 5 keeps its point, and the step is taken for S = 2.
    settings_.randomStructure = 1;
    settings_.starGroups = 4;
    settings_.corePointsBySet[0] = 3;
    settings_.shellPointsBySet[0] = 0;
    settings_.shellPointsBySet[4] = 1;
    ScriptedRandom script({Below(0.25f), 0.5f});  // 4 × just below 1/4 → 0; 2 × 0.5 → 1
    const StarCounts c = CountStarPoints(settings_);
    EXPECT_EQ(script.Taken(), 2u);
    EXPECT_EQ(c.setCoreCount[0], 1);
    EXPECT_EQ(c.setShellCount[0], 1);
    EXPECT_EQ(c.setShellCount[4], 1);
    EXPECT_EQ(c.pointsPerGroup, 2);
    EXPECT_NEAR(c.angleStep, 2 * kPi / 8.0f, 1e-6f);
}

// ---- The outline randomisers -------------------------------------------------------------

// One star of two groups (factors 1 and 0.5), each with two core points of set 2 and two shell
// points of set 16, a quarter turn apart, around (100, 200):
//   core radius 40, set 2's core radius 20 (alternate 1, 0.5): r = 60, 50;
//   shell distance 40 + 60 = 100, set 16's shell radius 40 (alternate 1, 0.5): e = 40, 20.
// The interpolation centre is the origin and the amount 0.5, so an anchor is (1 − t) times
// the point its handles keep.
struct OutlineCase {
    const char* name;
    std::vector<int32_t StarSettings::*> options;
    std::vector<float> draws;
    std::vector<int> written;           // which of the 8 points the segments hold, in order
    std::vector<AIRealPoint> points;    // the 8 computed points (the handles)
    std::vector<float> t;               // the 8 interpolation fractions
};

const std::vector<AIRealPoint> kPlainPoints = {
    {160, 200}, {100, 250}, {-40, 200}, {100, 80},    // group 0: r 60, 50; R 140, 120
    {130, 200}, {100, 225}, {30, 200}, {100, 140}};   // group 1: halved
const std::vector<float> kHalf(8, 0.5f);
const std::vector<int> kAll = {0, 1, 2, 3, 4, 5, 6, 7};

TEST_F(StarDrawsTest, OutlineRandomisersPointByPoint) {
    using S = StarSettings;
    const std::vector<OutlineCase> cases = {
        {"none", {}, {}, kAll, kPlainPoints, kHalf},
        // b = rnd × b and e = rnd × e, one draw per point.
        {"Subpoints (R)", {&S::randomSubpoints}, {0.5f, 0.25f, 0.75f, 0.125f, 0.375f, 0.625f, 0.875f, 0.0625f},
         kAll,
         {{150, 200}, {100, 242.5f}, {-30, 200}, {100, 97.5f},
          {123.75f, 200}, {100, 223.125f}, {32.5f, 200}, {100, 149.375f}},
         kHalf},
        // t = rnd × 0.5 per point; the handles stay.
        {"Interpolate(R)", {&S::randomInterpolate}, {0.5f, 0.25f, 0.75f, 0.125f, 0.375f, 0.625f, 0.875f, 0.0625f},
         kAll, kPlainPoints, {0.25f, 0.125f, 0.375f, 0.0625f, 0.1875f, 0.3125f, 0.4375f, 0.03125f}},
        // rx = rnd × f × r, core points only; the vertical radius stays f × r.
        {"Innerdistance1(R)", {&S::randomInnerDistance1}, {0.5f, 0.25f, 0.75f, 0.125f}, kAll,
         {{130, 200}, {100, 250}, {-40, 200}, {100, 80}, {122.5f, 200}, {100, 225}, {30, 200}, {100, 140}},
         kHalf},
        // rx = rnd × r, without the group factor.
        {"Innerdistance2(R)", {&S::randomInnerDistance2}, {0.5f, 0.25f, 0.75f, 0.125f}, kAll,
         {{130, 200}, {100, 250}, {-40, 200}, {100, 80}, {145, 200}, {100, 225}, {30, 200}, {100, 140}},
         kHalf},
        // Both: two draws per core point, the second one's value stands.
        {"Innerdistance1(R) and 2(R)", {&S::randomInnerDistance1, &S::randomInnerDistance2},
         {0.5f, 0.25f, 0.75f, 0.125f, 0.375f, 0.625f, 0.875f, 0.0625f}, kAll,
         {{115, 200}, {100, 250}, {-40, 200}, {100, 80}, {137.5f, 200}, {100, 225}, {30, 200}, {100, 140}},
         kHalf},
        // e = rnd × e, shell points only.
        {"Outerdistance1(R)", {&S::randomOuterDistance1}, {0.5f, 0.25f, 0.75f, 0.125f}, kAll,
         {{160, 200}, {100, 250}, {-20, 200}, {100, 95}, {130, 200}, {100, 225}, {35, 200}, {100, 148.75f}},
         kHalf},
        // d′ = rnd × d.
        {"Outerdistance2(R)", {&S::randomOuterDistance2}, {0.5f, 0.25f, 0.75f, 0.125f}, kAll,
         {{160, 200}, {100, 250}, {10, 200}, {100, 155}, {130, 200}, {100, 225}, {42.5f, 200}, {100, 183.75f}},
         kHalf},
        // Both: e's draw first, then d's.
        {"Outerdistance1(R) and 2(R)", {&S::randomOuterDistance1, &S::randomOuterDistance2},
         {0.5f, 0.25f, 0.75f, 0.125f, 0.375f, 0.625f, 0.875f, 0.0625f}, kAll,
         {{160, 200}, {100, 250}, {55, 200}, {100, 172.5f}, {130, 200}, {100, 225}, {61.25f, 200}, {100, 188.125f}},
         kHalf},
        // Kept only when rnd × 10 > 5: 0.5 is overwritten, the float above it kept.
        {"Core/Create (R)", {&S::randomCoreCreate}, {0.5f, Above(0.5f), 0.25f, 0.75f}, {1, 2, 3, 5, 6, 7},
         kPlainPoints, kHalf},
        // The last point, not kept, still stands: nothing comes after it.
        {"Shell/Create (R)", {&S::randomShellCreate}, {0.75f, 0.5f, Above(0.5f), 0.0f}, {0, 1, 2, 4, 5, 6, 7},
         kPlainPoints, kHalf},
        // Everything at once: per core point subpoint, interpolation, inner 1, inner 2, create;
        // per shell point subpoint, interpolation, outer 1, outer 2, create.
        {"all",
         {&S::randomSubpoints, &S::randomInterpolate, &S::randomInnerDistance1, &S::randomInnerDistance2,
          &S::randomOuterDistance1, &S::randomOuterDistance2, &S::randomCoreCreate, &S::randomShellCreate},
         {0.5f, 0.25f, 0.75f, 0.125f, Above(0.5f), 0.5f, 0.25f, 0.75f, 0.125f, Above(0.5f),
          0.5f, 0.75f, 0.25f, 0.125f, 0.875f, 0.5f, 0.75f, 0.25f, 0.125f, 0.875f,
          0.5f, 0.25f, 0.75f, 0.125f, Above(0.5f), 0.5f, 0.25f, 0.75f, 0.125f, Above(0.5f),
          0.5f, 0.75f, 0.25f, 0.125f, 0.875f, 0.5f, 0.75f, 0.25f, 0.125f, 0.875f},
         kAll,
         // core: b halved, r = 50 and 45, rx = r / 8; shell: e halved, then × 0.25, d′ = 12.5,
         // R = 17.5 and 15
         {{106.25f, 200}, {100, 245}, {82.5f, 200}, {100, 185},
          {106.25f, 200}, {100, 222.5f}, {91.25f, 200}, {100, 192.5f}},
         {0.125f, 0.125f, 0.375f, 0.375f, 0.125f, 0.125f, 0.375f, 0.375f}},
    };

    StarParameters p{};
    p.coreRadius = 40;
    p.shellRadius = 60;
    p.groupFactorEven = 1;
    p.groupFactorOdd = 0.5f;
    p.altCoreEven = 1;
    p.altCoreOdd = 0.5f;
    p.altShellEven = 1;
    p.altShellOdd = 0.5f;
    p.setCoreRadius[1] = 20;
    p.setShellRadius[15] = 40;
    StarCounts counts{};
    counts.setCoreCount[1] = 2;
    counts.setShellCount[15] = 2;
    counts.pointsPerGroup = 4;
    counts.groupCount = 2;
    counts.angleStep = kPi / 2;
    const StarPlacement place{{100, 200}, {0, 0}};

    for (const OutlineCase& c : cases) {
        SCOPED_TRACE(c.name);
        settings_ = DefaultSettings();
        for (auto option : c.options) settings_.*option = 1;
        run_.interpolationAmount = 0.5f;
        AIArtHandle path = MakePath({});
        {
            ScriptedRandom script(c.draws);
            ASSERT_EQ(WriteOutline(run_, p, counts, place, path), kSPNoError);
            EXPECT_EQ(script.Taken(), c.draws.size());
        }
        const auto segs = Segments(path);
        ASSERT_EQ(segs.size(), c.written.size());
        for (size_t i = 0; i < segs.size(); ++i) {
            const int k = c.written[i];
            const AIRealPoint at = c.points[static_cast<size_t>(k)];
            const float keep = 1.0f - c.t[static_cast<size_t>(k)];
            EXPECT_NEAR(segs[i].in.h, at.h, kTolerance) << "point " << k;
            EXPECT_NEAR(segs[i].in.v, at.v, kTolerance) << "point " << k;
            EXPECT_NEAR(segs[i].out.h, at.h, kTolerance) << "point " << k;
            EXPECT_NEAR(segs[i].out.v, at.v, kTolerance) << "point " << k;
            EXPECT_NEAR(segs[i].p.h, keep * at.h, kTolerance) << "anchor " << k;
            EXPECT_NEAR(segs[i].p.v, keep * at.v, kTolerance) << "anchor " << k;
        }
    }
}

// ---- Placement ---------------------------------------------------------------------------

TEST_F(StarDrawsTest, StarCentreEntriesWithTheirDraws) {
    // A 612 × 792 page; the user-entered centre is (306, 396).
    struct Case {
        int32_t mode;
        std::vector<float> draws;
        AIRealPoint want;
    } cases[] = {
        {0, {}, {306, 396}},
        {1, {}, {306, 396}},
        {2, {0.25f, 0.75f}, {153, 594}},
        {3, {}, {0, 0}},
        {4, {0.75f}, {459, 396}},
        {5, {0.125f}, {306, 99}},
        // Any corner: u = rnd × 20 against 5, 10 and 15.
        {6, {Below(0.25f)}, {0, 0}},
        {6, {0.25f}, {612, 0}},
        {6, {Below(0.5f)}, {612, 0}},
        {6, {0.5f}, {0, 792}},
        {6, {Below(0.75f)}, {0, 792}},
        {6, {0.75f}, {612, 792}},
        // Frame: u > 10 a vertical edge (x = 0 when v > 10, else W), then y; otherwise a
        // horizontal edge (y = 0 when v > 10, else H), then x.
        {7, {Above(0.5f), Above(0.5f), 0.25f}, {0, 198}},
        {7, {Above(0.5f), 0.5f, 0.25f}, {612, 198}},
        {7, {0.5f, Above(0.5f), 0.25f}, {153, 0}},
        {7, {0.5f, 0.5f, 0.25f}, {153, 792}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " after " + std::to_string(c.draws.size()) + " draws");
        settings_.starCentreMode = c.mode;
        ScriptedRandom script(c.draws);
        const AIRealPoint at = ChooseStarCentre(run_);
        EXPECT_EQ(script.Taken(), c.draws.size());
        EXPECT_FLOAT_EQ(at.h, c.want.h);
        EXPECT_FLOAT_EQ(at.v, c.want.v);
    }
}

TEST_F(StarDrawsTest, InterpolationCentreEntriesWithTheirDraws) {
    const AIRealPoint centre{50, 70};
    struct Case {
        int32_t mode;
        std::vector<float> draws;
        AIRealPoint want;
    } cases[] = {
        {0, {}, {50, 70}},          {1, {}, {306, 396}},       {2, {0.25f, 0.75f}, {153, 594}},
        {3, {}, {0, 0}},            {4, {}, {80, 70}},         {5, {}, {50, 100}},  // star index 3
        {6, {0.75f}, {459, 0}},     {7, {0.125f}, {76.5f, 792}}, {8, {0.25f}, {0, 198}},
        {9, {0.875f}, {612, 693}},
    };
    run_.starIndex = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        settings_.interpolationCentreMode = c.mode;
        ScriptedRandom script(c.draws);
        const AIRealPoint at = ChooseInterpolationCentre(run_, centre);
        EXPECT_EQ(script.Taken(), c.draws.size());
        EXPECT_FLOAT_EQ(at.h, c.want.h);
        EXPECT_FLOAT_EQ(at.v, c.want.v);
    }
}

// ---- The phases of one star in a run -----------------------------------------------------

TEST_F(StarDrawsTest, OneRunDrawsParametersCountsGroupsCentresThenThePoints) {
    // Only the core and shell radii of the 49 parameter draws show in the outline (every
    // other parameter multiplies a zero, or a group percentage of 100); the rest are 1/16, so
    // that a draw taken by the wrong phase changes what is drawn.
    StarSettings& s = settings_;
    s.randomStarSettings = 1;
    s.randomStructure = 1;
    s.randomStarGroups = 1;
    s.starCentreMode = 2;
    s.interpolationCentreMode = 2;
    s.interpolationPercent = 100;  // every anchor on the interpolation centre
    s.closed = 0;
    std::vector<float> draws(49, 0.0625f);
    draws[0] = 0.5f;   // core radius 20
    draws[2] = 0.75f;  // shell radius 75
    for (float d : {0.75f, 0.9f,     // set 1: one core point of 1 (1.5), two shell points of 2 (2.7)
                    0.45f,           // four groups of 10
                    0.5f, 0.25f,     // star centre (306, 198)
                    0.25f, 0.75f})   // interpolation centre (153, 594)
        draws.push_back(d);

    {
        ScriptedRandom script(draws);
        ASSERT_EQ(Go(s), kSPNoError);
        EXPECT_EQ(script.Taken(), draws.size());
    }
    const auto art = Art();
    ASSERT_EQ(art.size(), 1u);
    const easel::PathData& path = art[0]->path;
    ASSERT_EQ(path.SegmentCount(), 12u);
    for (size_t i = 0; i < 12; ++i) {
        const auto& seg = path.segments[i];
        EXPECT_NEAR(seg.px, 153, kTolerance) << i;
        EXPECT_NEAR(seg.py, 594, kTolerance) << i;
        const double dx = seg.ix - 306, dy = seg.iy - 198;
        // One core point at 20, two shell points at 20 + 75, every 30 degrees.
        EXPECT_NEAR(std::hypot(dx, dy), i % 3 == 0 ? 20 : 95, kTolerance) << i;
        double deg = std::atan2(dy, dx) * 180 / M_PI;
        if (deg < -1e-3) deg += 360;
        EXPECT_NEAR(deg, 30.0 * static_cast<double>(i), 1e-3) << i;
    }
}

}  // namespace
}  // namespace corvanta::testing
