// Tumble: the order and number of its draws, the ranges of what it writes over many seeded
// presses, the fields it never touches, and draws a broken random source might give.
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "PluginFixture.h"
#include "dialog/Tumble.h"

namespace corvanta::testing {
namespace {

constexpr AIRealPoint kCentre{300.0f, 400.0f};

StarSettings Scrambled(std::mt19937& bits) {
    StarSettings s;
    for (int n = 0; n < kStarSettingsWords; ++n) SetSettingsWord(s, n, static_cast<uint32_t>(bits()));
    return s;
}

// A scripted source: the given draws in order, then `rest`; counts every call.
struct Script {
    std::vector<float> draws;
    float rest = 0.0f;
    size_t calls = 0;

    static AIReal Next(void* context) {
        auto* self = static_cast<Script*>(context);
        const size_t i = self->calls++;
        return i < self->draws.size() ? self->draws[i] : self->rest;
    }
    RandomSource Source() { return {Next, this}; }
};

// A seeded uniform source in [0, 1), 24 bits per draw.
struct Seeded {
    std::mt19937 engine;
    size_t calls = 0;

    static AIReal Next(void* context) {
        auto* self = static_cast<Seeded*>(context);
        ++self->calls;
        return static_cast<float>(self->engine() >> 8) * 0x1p-24f;
    }
    RandomSource Source() { return {Next, this}; }
};

// The words Tumble never writes: Preview, the tab, the sketch settings, boundary limit, max
// shell, star count, paint, layer, symbol, shadow and jitter settings, rotation, polygon
// mode, the preset, finalRun, the dialog's bounds and the reserved words.
bool Untouched(int n) {
    static const int kWords[] = {0,   1,   4,   5,   6,   8,   111, 112, 113, 114, 116, 117,
                                 122, 124, 125, 127, 128, 131, 132, 133, 134, 135, 136, 137,
                                 138, 139, 140, 141, 142, 143, 144, 145, 146, 151, 153, 154,
                                 155, 156, 157};
    for (int w : kWords)
        if (w == n) return true;
    return (n >= 33 && n <= 36) || (n >= 53 && n <= 56) || (n >= 73 && n <= 76) || (n >= 93 && n <= 96);
}

TEST(TumbleDraws, WithNoChanceTakenOnlyTheSureStepsWrite) {
    StarSettings s = DefaultSettings();
    s.randomScaling = 1;
    s.corePointsBySet[5] = 9;
    s.twirlDegrees = 12.0f;
    Script script;  // every draw 0: no chance is taken
    TumbleSettings(s, kCentre, script.Source());
    EXPECT_EQ(script.calls, size_t(kTumbleMinDraws));

    StarSettings want = DefaultSettings();
    want.userCentreH = kCentre.h;
    want.userCentreV = kCentre.v;
    want.starGroups = 2;
    want.starCoreRadius = 0.0f;
    want.starShellRadius = 0.0f;
    want.shellPointsBySet[0] = 1;
    for (int n = 0; n < kStarSettingsWords; ++n)
        EXPECT_EQ(GetSettingsWord(s, n), GetSettingsWord(want, n)) << "word " << n;
}

TEST(TumbleDraws, WithEveryChanceTakenTheLaterStepsWin) {
    StarSettings s = DefaultSettings();
    Script script;
    script.rest = 0.99f;
    TumbleSettings(s, kCentre, script.Source());
    EXPECT_EQ(script.calls, size_t(kTumbleMaxDraws));

    const float r = 0.99f;
    EXPECT_EQ(s.starGroups, 61);
    EXPECT_EQ(s.starCoreRadius, 200.0f * r);
    EXPECT_EQ(s.corePointOffsetX, -50.0f * r);
    EXPECT_EQ(s.corePointOffsetY, -50.0f * r);
    EXPECT_EQ(s.shellPointSlant, 30.0f * r);
    EXPECT_EQ(s.starShellRadius, 200.0f * r);
    EXPECT_EQ(s.shellPointOffsetX, -50.0f * r);
    EXPECT_EQ(s.shellPointOffsetY, -50.0f * r);
    EXPECT_EQ(s.corePointsBySet[0], 7);
    EXPECT_EQ(s.shellPointsBySet[0], 7);
    EXPECT_EQ(s.coreRadiusBySet[0], -200.0f * r);
    EXPECT_EQ(s.shellRadiusBySet[0], -200.0f * r);
    EXPECT_EQ(s.corePointsBySet[1], 6);
    EXPECT_EQ(s.shellPointsBySet[1], 6);
    EXPECT_EQ(s.coreRadiusBySet[1], -100.0f * r);
    EXPECT_EQ(s.shellRadiusBySet[1], -100.0f * r);
    EXPECT_EQ(s.corePointsBySet[2], 4);
    EXPECT_EQ(s.shellPointsBySet[2], 4);
    EXPECT_EQ(s.coreRadiusBySet[2], -100.0f * r);
    EXPECT_EQ(s.altCorePercentEven, 50.0f + 100.0f * r);
    EXPECT_EQ(s.altShellPercentOdd, 50.0f + 100.0f * r);
    EXPECT_EQ(s.distortRadius, 300.0f * r);
    EXPECT_EQ(s.distortFieldPercent, 200.0f * r);
    EXPECT_EQ(s.twirlDegrees, 30.0f * r);
    EXPECT_EQ(s.userCentreH, kCentre.h + 100.0f * r - 100.0f * r);
    EXPECT_EQ(s.groupPercentOdd, 70.0f + 60.0f * r);
    EXPECT_EQ(s.interpolationPercent, -200.0f * r);
    EXPECT_EQ(s.interpolationCentreMode, 9);
    for (int32_t flag : {s.randomStarSettings, s.randomStarGroups, s.randomStructure, s.randomSubpoints,
                         s.randomInterpolate, s.randomCoreCreate, s.randomShellCreate,
                         s.randomInnerDistance1, s.randomInnerDistance2, s.randomOuterDistance1,
                         s.randomOuterDistance2})
        EXPECT_EQ(flag, 1);
    // The step for "Scaling (R)" switches it on when taken.
    EXPECT_EQ(s.randomScaling, 1);
}

// A chance not taken draws nothing more, so every later value comes from the right draw.
TEST(TumbleDraws, EachDrawFeedsItsOwnStep) {
    StarSettings s = DefaultSettings();
    Script script;
    script.draws = {
        0.5f,         // 1: groups 2 + 30
        0.25f,        // 2: core radius 50
        0.0f,         // 3: not taken
        0.95f, 0.5f,  // 4: taken, offset x -25
        0.95f, 0.2f,  // 5: taken, offset y 10
        0.5f,         // 6: not taken
        0.9f,         // 7: 100 r is not above 90: not taken
        0.75f,        // 8: shell radius 150
        0.0f, 0.0f, 0.0f, 0.0f,  // 9 .. 12: not taken
        0.5f, 0.1f, 0.99f, 0.3f,  // 14 .. 17: set 1 core 4, radius 20, shell 7, radius 60
    };
    TumbleSettings(s, kCentre, script.Source());
    EXPECT_EQ(script.calls, size_t(kTumbleMinDraws + 2));
    EXPECT_EQ(s.starGroups, 32);
    EXPECT_EQ(s.starCoreRadius, 50.0f);
    EXPECT_EQ(s.corePointOffsetX, -25.0f);
    EXPECT_EQ(s.corePointOffsetY, 50.0f * 0.2f);
    EXPECT_EQ(s.shellPointSlant, 0.0f);
    EXPECT_EQ(s.starShellRadius, 150.0f);
    EXPECT_EQ(s.shellPointOffsetX, 0.0f);
    EXPECT_EQ(s.corePointsBySet[0], 4);
    EXPECT_EQ(s.coreRadiusBySet[0], 200.0f * 0.1f);
    EXPECT_EQ(s.shellPointsBySet[0], 7);
    EXPECT_EQ(s.shellRadiusBySet[0], 200.0f * 0.3f);
    EXPECT_EQ(s.userCentreH, kCentre.h);
    EXPECT_EQ(s.randomScaling, 0);
}

// Over many presses from records full of arbitrary bits: every written field lands in its
// range, every chance is sometimes taken and sometimes not, and the fields Tumble does not
// own keep their bits.
TEST(TumbleDraws, SeededPressesStayInRangeAndLeaveOtherFieldsAlone) {
    std::mt19937 bits(20261208);
    Seeded random{std::mt19937(99)};
    int setTwoUsed = 0, setThreeUsed = 0, scalingOn = 0, centreMoved = 0, presses = 2000;
    for (int press = 0; press < presses; ++press) {
        const StarSettings before = Scrambled(bits);
        StarSettings s = before;
        const size_t callsBefore = random.calls;
        TumbleSettings(s, kCentre, random.Source());
        const size_t calls = random.calls - callsBefore;
        ASSERT_GE(calls, size_t(kTumbleMinDraws));
        ASSERT_LE(calls, size_t(kTumbleMaxDraws));

        for (int n = 0; n < kStarSettingsWords; ++n) {
            if (Untouched(n)) {
                ASSERT_EQ(GetSettingsWord(s, n), GetSettingsWord(before, n)) << "word " << n;
            }
        }

        const std::string at = "press " + std::to_string(press);
        ASSERT_GE(s.starGroups, 2) << at;
        ASSERT_LE(s.starGroups, 61) << at;
        ASSERT_GE(s.starCoreRadius, 0.0f);
        ASSERT_LE(s.starCoreRadius, 200.0f);
        ASSERT_LE(s.starShellRadius, 200.0f);
        for (float offset : {s.corePointOffsetX, s.corePointOffsetY, s.shellPointOffsetX, s.shellPointOffsetY})
            ASSERT_LE(std::fabs(offset), 50.0f) << at;
        ASSERT_GE(s.shellPointSlant, 0.0f);
        ASSERT_LE(s.shellPointSlant, 30.0f);
        ASSERT_EQ(s.starSetIndex, 0);
        ASSERT_GE(s.corePointsBySet[0], 1);
        ASSERT_LE(s.corePointsBySet[0], 7);
        ASSERT_GE(s.shellPointsBySet[0], 1);
        ASSERT_LE(s.shellPointsBySet[0], 7);
        ASSERT_LE(std::fabs(s.coreRadiusBySet[0]), 200.0f);
        ASSERT_LE(std::fabs(s.shellRadiusBySet[0]), 200.0f);
        ASSERT_LE(s.corePointsBySet[1], 6);
        ASSERT_LE(s.shellPointsBySet[1], 6);
        ASSERT_LE(s.corePointsBySet[2], 4);
        ASSERT_LE(s.shellPointsBySet[2], 4);
        for (int j = 1; j < 3; ++j) {
            ASSERT_GE(s.corePointsBySet[j], 0);
            ASSERT_GE(s.shellPointsBySet[j], 0);
            ASSERT_LE(std::fabs(s.coreRadiusBySet[j]), 100.0f);
            ASSERT_LE(std::fabs(s.shellRadiusBySet[j]), 100.0f);
        }
        for (int j = 3; j < kStarSets; ++j) {
            ASSERT_EQ(s.corePointsBySet[j], 0) << at << ", set " << j + 1;
            ASSERT_EQ(s.shellPointsBySet[j], 0);
            ASSERT_EQ(s.coreRadiusBySet[j], 0.0f);
            ASSERT_EQ(s.shellRadiusBySet[j], 0.0f);
        }
        for (float p : {s.altCorePercentEven, s.altCorePercentOdd, s.altShellPercentEven, s.altShellPercentOdd}) {
            ASSERT_GE(p, 50.0f);
            ASSERT_LE(p, 150.0f);
        }
        ASSERT_EQ(s.distortionCentreMode, 0);
        ASSERT_EQ(s.distortRandom, 0.0f);
        ASSERT_GE(s.distortRadius, 0.0f);
        ASSERT_LE(s.distortRadius, 300.0f);
        ASSERT_GE(s.distortFieldPercent, 0.0f);
        ASSERT_LE(s.distortFieldPercent, 200.0f);
        ASSERT_GE(s.twirlDegrees, 0.0f);
        ASSERT_LE(s.twirlDegrees, 30.0f);
        ASSERT_EQ(s.starCentreMode, 0);
        ASSERT_LE(std::fabs(s.userCentreH - kCentre.h), 100.0f);
        ASSERT_LE(std::fabs(s.userCentreV - kCentre.v), 100.0f);
        for (float g : {s.groupPercentEven, s.groupPercentOdd}) {
            ASSERT_GE(g, 70.0f);
            ASSERT_LE(g, 130.0f);
        }
        ASSERT_LE(std::fabs(s.interpolationPercent), 200.0f);
        ASSERT_GE(s.interpolationCentreMode, 0);
        ASSERT_LE(s.interpolationCentreMode, 9);
        for (int n : {115, 118, 119, 120, 121, 123, 126, 129, 130, 147, 148, 149, 150}) {
            const uint32_t flag = GetSettingsWord(s, n);
            ASSERT_TRUE(flag == 0 || flag == 1) << at << ", word " << n;
        }
        ASSERT_EQ(s.randomWarp, 0);
        ASSERT_EQ(s.previewDrawn, 0);

        setTwoUsed += s.corePointsBySet[1] + s.shellPointsBySet[1] > 0;
        setThreeUsed += s.corePointsBySet[2] + s.shellPointsBySet[2] > 0;
        scalingOn += s.randomScaling;
        centreMoved += s.userCentreH != kCentre.h;
    }
    // Chance 90 is taken one time in ten, chance 95 one time in twenty.
    EXPECT_GT(setTwoUsed, presses / 20);
    EXPECT_LT(setTwoUsed, presses / 7);
    EXPECT_GT(setThreeUsed, presses / 40);
    EXPECT_LT(setThreeUsed, presses / 12);
    EXPECT_GT(scalingOn, presses / 20);
    EXPECT_LT(scalingOn, presses / 7);
    EXPECT_GT(centreMoved, presses / 20);
}

// A source outside its promise (NaN, 1, beyond, negative) still gives counts and choices in
// range, as from the nearest draw inside [0, 1).
TEST(TumbleDraws, DrawsOutsideTheUnitRangeAreHeldInside) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float bad : {nan, -3.0f, -0.0f}) {
        StarSettings s = DefaultSettings();
        Script script;
        script.rest = bad;
        TumbleSettings(s, kCentre, script.Source());
        EXPECT_EQ(script.calls, size_t(kTumbleMinDraws));
        EXPECT_EQ(s.starGroups, 2);
        EXPECT_EQ(s.starCoreRadius, 0.0f);
        EXPECT_EQ(s.corePointsBySet[0], 1);
    }
    for (float bad : {1.0f, 7.5f, std::numeric_limits<float>::infinity()}) {
        StarSettings s = DefaultSettings();
        Script script;
        script.rest = bad;
        TumbleSettings(s, kCentre, script.Source());
        EXPECT_EQ(script.calls, size_t(kTumbleMaxDraws));
        EXPECT_EQ(s.starGroups, 61);
        EXPECT_EQ(s.corePointsBySet[0], 7);
        EXPECT_EQ(s.corePointsBySet[1], 6);
        EXPECT_EQ(s.corePointsBySet[2], 4);
        EXPECT_EQ(s.interpolationCentreMode, 9);
        EXPECT_LE(s.starCoreRadius, 200.0f);
        EXPECT_TRUE(std::isfinite(s.userCentreH));
    }
}

}  // namespace
}  // namespace corvanta::testing
