// Tumble step by step: each step's chance threshold, constants and order of draws and writes,
// worked by hand from chosen draws. A press is a list of draws, one group per step; a baseline
// takes no chance and gives the sure steps distinct draws, and each case replaces the groups
// of one or two steps. The whole record is compared word by word, so a write to a wrong field,
// a field missed by the reset, a draw too many or too few, or two draws swapped all fail.
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "PluginFixture.h"
#include "dialog/Tumble.h"

namespace corvanta::testing {
namespace {

constexpr AIRealPoint kCentre{300.0f, 400.0f};
constexpr int kSteps = 39;

// Draws on either side of a chance: the float nearest p / 100 and its neighbours. 0.9f and
// 0.95f lie just under 0.9 and 0.95, so they are not taken; 0.8f lies just over 0.8, so it
// is. The product 100 r is the exact one: 100 x Above(90) rounded to a float would be 90.
float At(int percent) { return static_cast<float>(percent) / 100.0f; }
float Below(int percent) { return std::nextafter(At(percent), 0.0f); }
float Above(int percent) { return std::nextafter(At(percent), 1.0f); }
const float kTop = std::nextafter(1.0f, 0.0f);  // the largest draw

// A scripted source: the draws in order, then zeros; counts every call.
struct Script {
    std::vector<float> draws;
    size_t calls = 0;
    static AIReal Next(void* context) {
        auto* self = static_cast<Script*>(context);
        const size_t i = self->calls++;
        return i < self->draws.size() ? self->draws[i] : 0.0f;
    }
    RandomSource Source() { return {Next, this}; }
};

StarSettings Scrambled(uint32_t seed) {
    std::mt19937 bits(seed);
    StarSettings s;
    for (int n = 0; n < kStarSettingsWords; ++n) SetSettingsWord(s, n, static_cast<uint32_t>(bits()));
    return s;
}

// The reset a press starts with: the shape fields at their defaults, the user centre at the
// view's centre, `previewDrawn` cleared; every other word keeps its bits.
StarSettings Reset(StarSettings s) {
    s.interpolationCentreMode = 0;
    s.starGroups = 10;
    s.starCoreRadius = 40.0f;
    s.corePointOffsetX = 0.0f;
    s.corePointOffsetY = 0.0f;
    s.shellPointSlant = 0.0f;
    s.starShellRadius = 100.0f;
    s.shellPointOffsetX = 0.0f;
    s.interpolationPercent = 0.0f;
    s.shellPointOffsetY = 0.0f;
    s.starSetIndex = 0;
    for (int j = 0; j < 16; ++j) {
        s.corePointsBySet[j] = j == 0 ? 1 : 0;
        s.shellPointsBySet[j] = j == 0 ? 2 : 0;
        s.coreRadiusBySet[j] = 0.0f;
        s.shellRadiusBySet[j] = 0.0f;
    }
    s.altCorePercentEven = s.altCorePercentOdd = 100.0f;
    s.altShellPercentEven = s.altShellPercentOdd = 100.0f;
    s.distortionCentreMode = 0;
    s.distortRadius = 0.0f;
    s.distortFieldPercent = 0.0f;
    s.distortRandom = 0.0f;
    s.twirlDegrees = 0.0f;
    s.starCentreMode = 0;
    s.userCentreH = kCentre.h;
    s.userCentreV = kCentre.v;
    s.groupPercentEven = s.groupPercentOdd = 100.0f;
    s.randomInterpolate = s.randomStarSettings = s.randomStarGroups = s.randomStructure = 0;
    s.randomSubpoints = s.randomWarp = s.randomScaling = s.randomCoreCreate = s.randomShellCreate = 0;
    s.randomInnerDistance1 = s.randomInnerDistance2 = s.randomOuterDistance1 = s.randomOuterDistance2 = 0;
    s.previewDrawn = 0;
    return s;
}

// The baseline press: every chance drawn 0 (not taken), the sure steps with distinct draws.
using Groups = std::vector<std::vector<float>>;  // index = step number; [0] unused
Groups Baseline() {
    Groups g(kSteps + 1, std::vector<float>{0.0f});
    g[0].clear();
    g[1] = {0.5f};    // starGroups 2 + 30 = 32
    g[2] = {0.25f};   // starCoreRadius 50
    g[8] = {0.75f};   // starShellRadius 150
    g[13].clear();    // no draw
    g[14] = {0.5f};   // set 1 core points: 1 + 3.5 -> 4
    g[15] = {0.125f}; // set 1 core radius 25
    g[16] = {0.875f}; // set 1 shell points: 1 + 6.125 -> 7
    g[17] = {0.375f}; // set 1 shell radius 75
    return g;
}
void BaselineWrites(StarSettings& s) {
    s.starGroups = 32;
    s.starCoreRadius = 50.0f;
    s.starShellRadius = 150.0f;
    s.corePointsBySet[0] = 4;
    s.coreRadiusBySet[0] = 25.0f;
    s.shellPointsBySet[0] = 7;
    s.shellRadiusBySet[0] = 75.0f;
}

struct StepCase {
    const char* what;
    std::vector<std::pair<int, std::vector<float>>> groups;  // step, its draws
    std::function<void(StarSettings&)> writes;                // over the baseline's result
};

const std::function<void(StarSettings&)> kNothing = [](StarSettings&) {};

// What each step writes from chosen draws, worked by hand.
const StepCase kCases[] = {
    {"1: 2 + 60 r at r = 0", {{1, {0.0f}}}, [](StarSettings& s) { s.starGroups = 2; }},
    {"1: truncated, 2 + 7.5", {{1, {0.125f}}}, [](StarSettings& s) { s.starGroups = 9; }},
    {"1: at the top draw", {{1, {kTop}}}, [](StarSettings& s) { s.starGroups = 61; }},
    {"2: 200 r", {{2, {0.625f}}}, [](StarSettings& s) { s.starCoreRadius = 125.0f; }},
    {"3: 50 r", {{3, {Above(90), 0.5f}}}, [](StarSettings& s) { s.corePointOffsetX = 25.0f; }},
    {"4: -50 r", {{4, {Above(90), 0.5f}}}, [](StarSettings& s) { s.corePointOffsetX = -25.0f; }},
    {"3 then 4: the later wins", {{3, {Above(90), 0.5f}}, {4, {Above(90), 0.25f}}},
     [](StarSettings& s) { s.corePointOffsetX = -12.5f; }},
    {"5: 50 r", {{5, {Above(90), 0.75f}}}, [](StarSettings& s) { s.corePointOffsetY = 37.5f; }},
    {"6: -50 r", {{6, {Above(90), 0.75f}}}, [](StarSettings& s) { s.corePointOffsetY = -37.5f; }},
    {"5 then 6: the later wins", {{5, {Above(90), 0.75f}}, {6, {Above(90), 0.125f}}},
     [](StarSettings& s) { s.corePointOffsetY = -6.25f; }},
    {"7: 30 r", {{7, {Above(90), 0.5f}}}, [](StarSettings& s) { s.shellPointSlant = 15.0f; }},
    {"8: 200 r", {{8, {0.0625f}}}, [](StarSettings& s) { s.starShellRadius = 12.5f; }},
    {"9: 50 r", {{9, {Above(90), 0.5f}}}, [](StarSettings& s) { s.shellPointOffsetX = 25.0f; }},
    {"10: -50 r", {{10, {Above(90), 0.25f}}}, [](StarSettings& s) { s.shellPointOffsetX = -12.5f; }},
    {"9 then 10: the later wins", {{9, {Above(90), 0.5f}}, {10, {Above(90), 0.25f}}},
     [](StarSettings& s) { s.shellPointOffsetX = -12.5f; }},
    {"11: 50 r", {{11, {Above(90), 0.75f}}}, [](StarSettings& s) { s.shellPointOffsetY = 37.5f; }},
    {"12: -50 r", {{12, {Above(90), 0.125f}}}, [](StarSettings& s) { s.shellPointOffsetY = -6.25f; }},
    {"11 then 12: the later wins", {{11, {Above(90), 0.75f}}, {12, {Above(90), 0.125f}}},
     [](StarSettings& s) { s.shellPointOffsetY = -6.25f; }},
    {"14: 1 + 7 r at r = 0", {{14, {0.0f}}}, [](StarSettings& s) { s.corePointsBySet[0] = 1; }},
    {"14: at the top draw", {{14, {kTop}}}, [](StarSettings& s) { s.corePointsBySet[0] = 7; }},
    {"15: 200 r", {{15, {0.5f}}}, [](StarSettings& s) { s.coreRadiusBySet[0] = 100.0f; }},
    {"16: 1 + 7 r at r = 0", {{16, {0.0f}}}, [](StarSettings& s) { s.shellPointsBySet[0] = 1; }},
    {"17: 200 r", {{17, {0.9375f}}}, [](StarSettings& s) { s.shellRadiusBySet[0] = 187.5f; }},
    {"18: set 1 radii negated, no draw", {{18, {Above(95)}}},
     [](StarSettings& s) {
         s.coreRadiusBySet[0] = -25.0f;
         s.shellRadiusBySet[0] = -75.0f;
     }},
    {"19: set 2 from four draws", {{19, {Above(90), 0.5f, 0.875f, 0.25f, 0.75f}}},
     [](StarSettings& s) {
         s.corePointsBySet[1] = 3;  // 3.5
         s.shellPointsBySet[1] = 6;  // 6.125
         s.coreRadiusBySet[1] = 25.0f;
         s.shellRadiusBySet[1] = 75.0f;
     }},
    {"19: counts at the top draw", {{19, {Above(90), kTop, kTop, 0.0f, 0.0f}}},
     [](StarSettings& s) { s.corePointsBySet[1] = s.shellPointsBySet[1] = 6; }},
    {"19 then 20: set 2 negated", {{19, {Above(90), 0.5f, 0.875f, 0.25f, 0.75f}}, {20, {Above(95)}}},
     [](StarSettings& s) {
         s.corePointsBySet[1] = 3;
         s.shellPointsBySet[1] = 6;
         s.coreRadiusBySet[1] = -25.0f;
         s.shellRadiusBySet[1] = -75.0f;
     }},
    {"20 alone: the empty set's radii negated", {{20, {Above(95)}}},
     [](StarSettings& s) {
         s.coreRadiusBySet[1] = -s.coreRadiusBySet[1];
         s.shellRadiusBySet[1] = -s.shellRadiusBySet[1];
     }},
    {"21: set 3 from four draws", {{21, {Above(95), 0.5f, 0.875f, 0.25f, 0.75f}}},
     [](StarSettings& s) {
         s.corePointsBySet[2] = 2;   // 2.5
         s.shellPointsBySet[2] = 4;  // 4.375
         s.coreRadiusBySet[2] = 25.0f;
         s.shellRadiusBySet[2] = 75.0f;
     }},
    {"21: counts at the top draw", {{21, {Above(95), kTop, kTop, 0.0f, 0.0f}}},
     [](StarSettings& s) { s.corePointsBySet[2] = s.shellPointsBySet[2] = 4; }},
    {"21 then 22: set 3 negated", {{21, {Above(95), 0.5f, 0.875f, 0.25f, 0.75f}}, {22, {Above(95)}}},
     [](StarSettings& s) {
         s.corePointsBySet[2] = 2;
         s.shellPointsBySet[2] = 4;
         s.coreRadiusBySet[2] = -25.0f;
         s.shellRadiusBySet[2] = -75.0f;
     }},
    {"23: 50 + 100 r", {{23, {Above(90), 0.25f}}}, [](StarSettings& s) { s.altCorePercentEven = 75.0f; }},
    {"24: 50 + 100 r", {{24, {Above(90), 0.75f}}}, [](StarSettings& s) { s.altCorePercentOdd = 125.0f; }},
    {"25: 50 + 100 r", {{25, {Above(90), 0.125f}}}, [](StarSettings& s) { s.altShellPercentEven = 62.5f; }},
    {"26: 50 + 100 r", {{26, {Above(90), 0.875f}}}, [](StarSettings& s) { s.altShellPercentOdd = 137.5f; }},
    {"27: distortion, twirl not taken", {{27, {Above(90), 0.5f, 0.25f, Below(90)}}},
     [](StarSettings& s) {
         s.distortRadius = 150.0f;
         s.distortFieldPercent = 50.0f;
     }},
    {"27: distortion, twirl at its threshold", {{27, {Above(90), 0.5f, 0.25f, At(90)}}},
     [](StarSettings& s) {
         s.distortRadius = 150.0f;
         s.distortFieldPercent = 50.0f;
     }},
    {"27: distortion and twirl 30 r", {{27, {Above(90), 0.5f, 0.25f, Above(90), 0.75f}}},
     [](StarSettings& s) {
         s.distortRadius = 150.0f;
         s.distortFieldPercent = 50.0f;
         s.twirlDegrees = 22.5f;
     }},
    {"28: the centre moves by 100 r1 - 100 r2 on each axis", {{28, {Above(90), 0.75f, 0.25f, 0.125f, 0.625f}}},
     [](StarSettings& s) {
         s.userCentreH = 350.0f;  // 300 + 75 - 25
         s.userCentreV = 350.0f;  // 400 + 12.5 - 62.5
     }},
    {"29: 70 + 60 r, even then odd", {{29, {Above(90), 0.25f, 0.75f}}},
     [](StarSettings& s) {
         s.groupPercentEven = 85.0f;
         s.groupPercentOdd = 115.0f;
     }},
    {"30: 200 r, neither nested chance", {{30, {Above(90), 0.25f, Below(90), Below(90)}}},
     [](StarSettings& s) { s.interpolationPercent = 50.0f; }},
    {"30: negated, no centre mode", {{30, {Above(90), 0.25f, Above(90), At(90)}}},
     [](StarSettings& s) { s.interpolationPercent = -50.0f; }},
    {"30: not negated, centre mode 10 r", {{30, {Above(90), 0.25f, At(90), Above(90), 0.75f}}},
     [](StarSettings& s) {
         s.interpolationPercent = 50.0f;
         s.interpolationCentreMode = 7;  // 7.5
     }},
    {"30: both, centre mode at the top draw", {{30, {Above(90), 0.25f, Above(90), Above(90), kTop}}},
     [](StarSettings& s) {
         s.interpolationPercent = -50.0f;
         s.interpolationCentreMode = 9;
     }},
    {"31", {{31, {Above(90)}}}, [](StarSettings& s) { s.randomStarSettings = 1; }},
    {"32", {{32, {Above(90)}}}, [](StarSettings& s) { s.randomStarGroups = 1; }},
    {"33", {{33, {Above(80)}}}, [](StarSettings& s) { s.randomStructure = 1; }},
    {"34", {{34, {Above(80)}}}, [](StarSettings& s) { s.randomSubpoints = 1; }},
    {"35", {{35, {Above(90)}}}, [](StarSettings& s) { s.randomInterpolate = 1; }},
    // The filter's own choice: this step switches "Scaling (R)" on.
    {"36", {{36, {Above(90)}}}, [](StarSettings& s) { s.randomScaling = 1; }},
    {"37", {{37, {Above(90)}}}, [](StarSettings& s) { s.randomCoreCreate = s.randomShellCreate = 1; }},
    {"38", {{38, {Above(95)}}}, [](StarSettings& s) { s.randomInnerDistance1 = s.randomInnerDistance2 = 1; }},
    {"39", {{39, {Above(95)}}}, [](StarSettings& s) { s.randomOuterDistance1 = s.randomOuterDistance2 = 1; }},
};

// Each step's chance, and the draws its writes take when the chance is taken (nested chances
// not taken).
struct Chance {
    int step, percent, valueDraws;
};
const Chance kChances[] = {
    {3, 90, 1},  {4, 90, 1},  {5, 90, 1},  {6, 90, 1},  {7, 90, 1},  {9, 90, 1},  {10, 90, 1},
    {11, 90, 1}, {12, 90, 1}, {18, 95, 0}, {19, 90, 4}, {20, 95, 0}, {21, 95, 4}, {22, 95, 0},
    {23, 90, 1}, {24, 90, 1}, {25, 90, 1}, {26, 90, 1}, {27, 90, 3}, {28, 90, 4}, {29, 90, 2},
    {30, 90, 3}, {31, 90, 0}, {32, 90, 0}, {33, 80, 0}, {34, 80, 0}, {35, 90, 0}, {36, 90, 0},
    {37, 90, 0}, {38, 95, 0}, {39, 95, 0},
};

// Compares every word's bits; a negated empty radius is -0.0, as negation gives.
void ExpectRecord(const StarSettings& got, const StarSettings& want, const std::string& what) {
    for (int n = 0; n < kStarSettingsWords; ++n)
        EXPECT_EQ(GetSettingsWord(got, n), GetSettingsWord(want, n)) << what << ": word " << n;
}

struct Outcome {
    StarSettings record;
    size_t calls, scripted;
};

Outcome Press(const StarSettings& start, const Groups& groups) {
    Script script;
    for (const auto& g : groups) script.draws.insert(script.draws.end(), g.begin(), g.end());
    StarSettings s = start;
    TumbleSettings(s, kCentre, script.Source());
    return {s, script.calls, script.draws.size()};
}

TEST(TumbleSteps, TheBaselineWritesOnlyTheSureStepsOverTheReset) {
    const StarSettings start = Scrambled(1);
    const Outcome got = Press(start, Baseline());
    EXPECT_EQ(got.calls, size_t(38));
    EXPECT_EQ(got.calls, got.scripted);
    StarSettings want = Reset(start);
    BaselineWrites(want);
    ExpectRecord(got.record, want, "baseline");
}

TEST(TumbleSteps, EachStepWritesItsValuesFromItsOwnDraws) {
    int seed = 100;
    for (const StepCase& c : kCases) {
        const StarSettings start = Scrambled(++seed);
        Groups groups = Baseline();
        for (const auto& [step, draws] : c.groups) groups[step] = draws;
        const Outcome got = Press(start, groups);
        EXPECT_EQ(got.calls, got.scripted) << c.what << ": every draw taken, no more";

        StarSettings want = Reset(start);
        BaselineWrites(want);
        c.writes(want);
        ExpectRecord(got.record, want, c.what);
    }
}

// Just below its threshold (and at it, for 90 and 95) a chance is not taken: no further draw
// and no write; just above, it takes exactly its value draws.
TEST(TumbleSteps, EachChanceIsTakenOnlyAboveItsThreshold) {
    const StarSettings start = Scrambled(7);
    StarSettings notTaken = Reset(start);
    BaselineWrites(notTaken);
    for (const Chance& c : kChances) {
        const std::string at = "step " + std::to_string(c.step) + ", chance " + std::to_string(c.percent);
        std::vector<float> under = {Below(c.percent)}, over = {Above(c.percent)};
        (c.percent == 80 ? over : under).push_back(At(c.percent));
        for (float r : under) {
            Groups groups = Baseline();
            groups[c.step] = {r};
            const Outcome got = Press(start, groups);
            EXPECT_EQ(got.calls, size_t(38)) << at << ", r " << r;
            ExpectRecord(got.record, notTaken, at + ", r = " + std::to_string(r));
        }
        for (float r : over) {
            Groups groups = Baseline();
            groups[c.step] = std::vector<float>(1 + c.valueDraws, 0.5f);
            groups[c.step][0] = r;
            const Outcome got = Press(start, groups);
            EXPECT_EQ(got.calls, size_t(38 + c.valueDraws)) << at << ": taken at r = " << r;
            // A step without value draws shows it was taken by what it wrote.
            if (c.valueDraws == 0) {
                EXPECT_NE(std::memcmp(&got.record, &notTaken, sizeof notTaken), 0) << at << ": taken at r = " << r;
            }
        }
    }
}

// The steps in their order: with every chance taken and a distinct draw for every value, each
// field holds the value of its own draw (counted by hand along the table).
TEST(TumbleSteps, WithEveryChanceTakenEachValueComesFromItsPlaceInTheSequence) {
    const float a90 = Above(90), a95 = Above(95), a80 = Above(80);
    const std::vector<float> draws = {
        0.5f,             // 1: groups 32
        0.25f,            // 2: core radius 50
        a90, 0.125f,      // 3: core offset x 6.25
        a90, 0.375f,      // 4: core offset x -18.75
        a90, 0.625f,      // 5: core offset y 31.25
        a90, 0.875f,      // 6: core offset y -43.75
        a90, 0.5f,        // 7: slant 15
        0.0625f,          // 8: shell radius 12.5
        a90, 0.1875f,     // 9: shell offset x 9.375
        a90, 0.3125f,     // 10: shell offset x -15.625
        a90, 0.4375f,     // 11: shell offset y 21.875
        a90, 0.5625f,     // 12: shell offset y -28.125
        0.0f,             // 14: set 1 core points 1
        0.6875f,          // 15: set 1 core radius 137.5
        0.8125f,          // 16: set 1 shell points 1 + 5.6875 -> 6
        0.9375f,          // 17: set 1 shell radius 187.5
        a95,              // 18: negated
        a90, 0.25f, 0.5f, 0.0625f, 0.125f,  // 19: set 2: 1, 3, 6.25, 12.5
        a95,              // 20: negated
        a95, 0.5f, 0.25f, 0.375f, 0.625f,   // 21: set 3: 2, 1, 37.5, 62.5
        a95,              // 22: negated
        a90, 0.0625f,     // 23: 56.25
        a90, 0.1875f,     // 24: 68.75
        a90, 0.3125f,     // 25: 81.25
        a90, 0.4375f,     // 26: 93.75
        a90, 0.75f, 0.875f, a90, 0.25f,     // 27: radius 225, field 175, twirl 7.5
        a90, 0.5f, 0.0f, 0.0f, 0.5f,        // 28: h 350, v 350
        a90, 0.125f, 0.875f,                // 29: 77.5, 122.5
        a90, 0.625f, a90, a90, 0.375f,      // 30: -125, mode 3
        a90, a90, a80, a80, a90, a90, a90, a95, a95,  // 31 .. 39
    };
    ASSERT_EQ(draws.size(), size_t(kTumbleMaxDraws));
    const StarSettings start = Scrambled(3);
    Script script{draws};
    StarSettings s = start;
    TumbleSettings(s, kCentre, script.Source());
    EXPECT_EQ(script.calls, size_t(kTumbleMaxDraws));

    StarSettings want = Reset(start);
    want.starGroups = 32;
    want.starCoreRadius = 50.0f;
    want.corePointOffsetX = -18.75f;
    want.corePointOffsetY = -43.75f;
    want.shellPointSlant = 15.0f;
    want.starShellRadius = 12.5f;
    want.shellPointOffsetX = -15.625f;
    want.shellPointOffsetY = -28.125f;
    want.corePointsBySet[0] = 1;
    want.coreRadiusBySet[0] = -137.5f;
    want.shellPointsBySet[0] = 6;
    want.shellRadiusBySet[0] = -187.5f;
    want.corePointsBySet[1] = 1;
    want.shellPointsBySet[1] = 3;
    want.coreRadiusBySet[1] = -6.25f;
    want.shellRadiusBySet[1] = -12.5f;
    want.corePointsBySet[2] = 2;
    want.shellPointsBySet[2] = 1;
    want.coreRadiusBySet[2] = -37.5f;
    want.shellRadiusBySet[2] = -62.5f;
    want.altCorePercentEven = 56.25f;
    want.altCorePercentOdd = 68.75f;
    want.altShellPercentEven = 81.25f;
    want.altShellPercentOdd = 93.75f;
    want.distortRadius = 225.0f;
    want.distortFieldPercent = 175.0f;
    want.twirlDegrees = 7.5f;
    want.userCentreH = 350.0f;
    want.userCentreV = 350.0f;
    want.groupPercentEven = 77.5f;
    want.groupPercentOdd = 122.5f;
    want.interpolationPercent = -125.0f;
    want.interpolationCentreMode = 3;
    want.randomStarSettings = want.randomStarGroups = want.randomStructure = want.randomSubpoints = 1;
    want.randomInterpolate = want.randomScaling = want.randomCoreCreate = want.randomShellCreate = 1;
    want.randomInnerDistance1 = want.randomInnerDistance2 = 1;
    want.randomOuterDistance1 = want.randomOuterDistance2 = 1;
    ExpectRecord(s, want, "every chance taken");
}

}  // namespace
}  // namespace corvanta::testing
