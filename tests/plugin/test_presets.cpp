// The presets of list 152: their texts, the reset they start with, the values of each, an
// index that names no preset, and the view centre they put the star at.
#include <climits>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "PluginFixture.h"
#include "dialog/DialogLayout.h"
#include "dialog/Presets.h"

namespace corvanta::testing {
namespace {

constexpr AIRealPoint kCentre{123.5f, -42.25f};

// A record whose every word holds arbitrary bits, as a record from anywhere may.
StarSettings Scrambled(uint32_t seed) {
    std::mt19937 bits(seed);
    StarSettings s;
    for (int n = 0; n < kStarSettingsWords; ++n) SetSettingsWord(s, n, static_cast<uint32_t>(bits()));
    return s;
}

bool NotWrittenByReset(int n) {
    const bool reserved = (n >= 33 && n <= 36) || (n >= 53 && n <= 56) || (n >= 73 && n <= 76) ||
                          (n >= 93 && n <= 96);
    return reserved || n == 151 || (n >= 153 && n <= 156);  // finalRun, dialogBounds
}

void ExpectSameWords(const StarSettings& got, const StarSettings& want, const std::string& what) {
    for (int n = 0; n < kStarSettingsWords; ++n)
        EXPECT_EQ(GetSettingsWord(got, n), GetSettingsWord(want, n)) << what << ", word " << n;
}

TEST(PresetNames, ThirtyTextsEachWithItsLeadingBlank) {
    EXPECT_STREQ(PresetName(0), " Reset");
    EXPECT_STREQ(PresetName(9), " Sword star");
    EXPECT_STREQ(PresetName(14), " 10 basic stars - random placement/fill");
    EXPECT_STREQ(PresetName(15), " Star on new layer");
    EXPECT_STREQ(PresetName(29), " Interpolate 3");
    for (int i = 0; i < kPresetCount; ++i) {
        ASSERT_NE(PresetName(i), nullptr);
        EXPECT_EQ(PresetName(i)[0], ' ') << i;
        EXPECT_NE(PresetName(i)[1], ' ') << i;
    }
    for (int32_t bad : {-1, 30, 31, INT_MIN, INT_MAX}) {
        EXPECT_EQ(PresetName(bad), nullptr) << bad;
        EXPECT_EQ(PresetIndexOrReset(bad), kResetPreset) << bad;
    }
    EXPECT_EQ(PresetIndexOrReset(29), 29);
}

TEST(PresetReset, IsANewRecordButForTheKeptWordsAndTheViewCentre) {
    StarSettings fresh{};
    WriteDefaultSettings(fresh);
    fresh.userCentreH = kCentre.h;
    fresh.userCentreV = kCentre.v;

    for (uint32_t seed : {1u, 2u, 3u}) {
        const StarSettings before = Scrambled(seed);
        StarSettings s = before;
        ApplyPresetToSettings(s, kResetPreset, kCentre);
        for (int n = 0; n < kStarSettingsWords; ++n) {
            const bool kept = n == 0 || n == 1 || n == 157 || NotWrittenByReset(n);
            EXPECT_EQ(GetSettingsWord(s, n), GetSettingsWord(kept ? before : fresh, n))
                << "seed " << seed << ", word " << n;
        }
    }
}

// Edits made after a preset are lost when it is chosen again; Preview and the tab are not.
TEST(PresetReset, ChoosingAPresetAgainDropsLaterEdits) {
    StarSettings s = DefaultSettings();
    ApplyPresetToSettings(s, 2, kCentre);
    const StarSettings chosen = s;
    s.starGroups = 333;
    s.corePointsBySet[7] = 4;
    s.randomWarp = 1;
    s.previewDrawn = 1;
    s.previewOn = 0;
    s.activeTab = 4;
    ApplyPresetToSettings(s, 2, kCentre);
    EXPECT_EQ(s.starGroups, 40);
    EXPECT_EQ(s.corePointsBySet[7], 0);
    EXPECT_EQ(s.randomWarp, 0);
    EXPECT_EQ(s.previewDrawn, 0);
    EXPECT_EQ(s.previewOn, 0);
    EXPECT_EQ(s.activeTab, 4);
    s.previewOn = chosen.previewOn;
    s.activeTab = chosen.activeTab;
    ExpectSameWords(s, chosen, "chosen twice");
}

struct PresetRow {
    int32_t index;
    std::function<void(StarSettings&)> values;
};

// Each preset's values, written out literally; set k is array position k - 1.
const PresetRow kRows[] = {
    {0, [](StarSettings&) {}},
    {1, [](StarSettings& s) { s.starGroups = 40; }},
    {2, [](StarSettings& s) { s.starGroups = 40; s.shellPointSlant = 40.0f; }},
    {3, [](StarSettings& s) { s.starCoreRadius = 5.0f; }},
    {4, [](StarSettings& s) { s.starCoreRadius = 100.0f; s.starShellRadius = 10.0f; }},
    {5, [](StarSettings& s) { s.starCoreRadius = 5.0f; s.corePointOffsetX = 100.0f; }},
    {6, [](StarSettings& s) { s.shellPointsBySet[0] = 1; }},
    {7, [](StarSettings& s) { s.shellPointsBySet[0] = 1; s.starShellRadius = 100.0f; s.starGroups = 20; }},
    {8, [](StarSettings& s) { s.randomFillColor = 1; }},
    {9, [](StarSettings& s) {
         s.shellPointsBySet[0] = s.shellPointsBySet[1] = s.shellPointsBySet[2] = 1;
         s.shellRadiusBySet[1] = 200.0f;
     }},
    {10, [](StarSettings& s) { s.corePointsBySet[0] = 6; }},
    {11, [](StarSettings& s) {
         s.corePointsBySet[0] = 6;
         s.corePointsBySet[1] = s.corePointsBySet[2] = 1;
         s.coreRadiusBySet[2] = 100.0f;
     }},
    {12, [](StarSettings& s) { s.distortRadius = 100.0f; s.distortFieldPercent = 200.0f; }},
    {13, [](StarSettings& s) { s.shellPointsBySet[0] = 1; s.starCount = 10; s.starCentreMode = 2; }},
    {14, [](StarSettings& s) {
         s.shellPointsBySet[0] = 1; s.starCount = 10; s.starCentreMode = 2; s.randomFillColor = 1;
     }},
    {15, [](StarSettings& s) { s.newLayers = 1; }},
    {16, [](StarSettings& s) {
         for (int j = 0; j < 6; ++j) {
             s.corePointsBySet[j] = s.shellPointsBySet[j] = 6;
             s.coreRadiusBySet[j] = s.shellRadiusBySet[j] = 100.0f;
         }
         s.starGroups = 40;
         s.starCount = 20;
         s.randomFillColor = s.randomStarSettings = s.randomStarGroups = 1;
         s.randomStructure = s.randomSubpoints = 1;
         s.starCentreMode = 2;
     }},
    {17, [](StarSettings& s) { s.groupPercentEven = 50.0f; s.groupPercentOdd = 200.0f; }},
    {18, [](StarSettings& s) { s.twirlDegrees = 100.0f; }},
    {19, [](StarSettings& s) { s.boundaryLimitDegrees = 180.0f; s.starGroups = 50; }},
    {20, [](StarSettings& s) {
         s.boundaryLimitDegrees = 180.0f; s.starGroups = 50; s.shellPointOffsetX = 100.0f;
     }},
    {21, [](StarSettings& s) { s.dropShadow = 1; }},
    {22, [](StarSettings& s) { s.randomOuterDistance2 = 1; }},
    {23, [](StarSettings& s) { s.sketchRepeats = 20; s.sketchShiftAmount = 30.0f; s.sketchWeightTenths = 10.0f; }},
    {24, [](StarSettings& s) {
         s.sketchRepeats = 20; s.sketchShiftAmount = 30.0f; s.sketchWeightTenths = 10.0f;
         s.randomSketchShift = 0;
     }},
    {25, [](StarSettings& s) {
         s.sketchRepeats = 20; s.sketchShiftAmount = 10.0f; s.sketchWeightTenths = 30.0f;
         s.randomSketchWidth = 0;
     }},
    {26, [](StarSettings& s) {
         s.sketchRepeats = 20; s.sketchShiftAmount = 30.0f; s.sketchWeightTenths = 5.0f;
         s.sketchColorMode = 2;
     }},
    {27, [](StarSettings& s) { s.interpolationPercent = -100.0f; }},
    {28, [](StarSettings& s) { s.interpolationPercent = 100.0f; }},
    {29, [](StarSettings& s) { s.interpolationPercent = 100.0f; s.randomInterpolate = 1; }},
};

TEST(PresetValues, EveryPresetWritesExactlyItsRowOverTheReset) {
    static_assert(std::size(kRows) == kPresetCount);
    const StarSettings start = Scrambled(11);
    for (const PresetRow& row : kRows) {
        StarSettings want = start;
        WriteDefaultSettings(want);
        want.previewOn = start.previewOn;
        want.activeTab = start.activeTab;
        want.dialogBoundsSaved = start.dialogBoundsSaved;
        want.presetIndex = row.index;
        want.userCentreH = kCentre.h;
        want.userCentreV = kCentre.v;
        row.values(want);

        StarSettings got = start;
        ApplyPresetToSettings(got, row.index, kCentre);
        ExpectSameWords(got, want, PresetName(row.index));
    }
}

TEST(PresetValues, StarOnNewLayerDiffersFromResetByTheLayerSwitch) {
    StarSettings reset = DefaultSettings(), layer = DefaultSettings();
    ApplyPresetToSettings(reset, 0, kCentre);
    ApplyPresetToSettings(layer, 15, kCentre);
    EXPECT_EQ(reset.newLayers, 0);
    EXPECT_EQ(layer.newLayers, 1);
    layer.newLayers = 0;
    layer.presetIndex = 0;
    ExpectSameWords(layer, reset, "new layer against reset");
}

// The dialog shows every preset's values as they are: each lies within its spin edit's range
// and each list choice names an entry.
TEST(PresetValues, EveryValueFitsItsItem) {
    for (int32_t i = 0; i < kPresetCount; ++i) {
        StarSettings s = DefaultSettings();
        ApplyPresetToSettings(s, i, kCentre);
        for (const ItemLayout& item : DialogItems()) {
            if (item.kind != ItemKind::kSpinEdit) continue;
            const int sets = item.perSet ? kStarSets : 1;
            for (int j = 0; j < sets; ++j) {
                const float v = item.value == ValueType::kInteger
                                    ? static_cast<float>(IntWord(s, item.word + j))
                                    : FloatWord(s, item.word + j);
                EXPECT_GE(v, item.minimum) << PresetName(i) << ", item " << item.id << ", set " << j + 1;
                EXPECT_LE(v, item.maximum) << PresetName(i) << ", item " << item.id << ", set " << j + 1;
            }
        }
        for (const ListLayout& list : DialogLists()) {
            const int32_t chosen = IntWord(s, FindItemLayout(list.id)->word);
            EXPECT_GE(chosen, 0) << PresetName(i) << ", list " << list.id;
            EXPECT_LT(chosen, static_cast<int32_t>(list.entries.size())) << PresetName(i) << ", list " << list.id;
        }
    }
}

// A list entry or a record word that names no preset is taken as " Reset": nothing is read
// from outside the tables and the record ends with a valid index.
TEST(PresetValues, AnIndexNamingNoPresetActsAsReset) {
    StarSettings reset = Scrambled(5);
    ApplyPresetToSettings(reset, kResetPreset, kCentre);
    for (int32_t bad : {-1, 30, 1000, INT_MIN, INT_MAX}) {
        StarSettings s = Scrambled(5);
        ApplyPresetToSettings(s, bad, kCentre);
        ExpectSameWords(s, reset, "index " + std::to_string(bad));
        EXPECT_EQ(s.presetIndex, 0);

        StarSettings untouched = DefaultSettings();
        const StarSettings copy = untouched;
        WritePresetValues(untouched, bad);
        ExpectSameWords(untouched, copy, "values of " + std::to_string(bad));
    }
}

class PresetViewCentre : public PluginTest {};

TEST_F(PresetViewCentre, IsTheFirstViewsCentre) {
    const AIRealPoint c = CurrentViewCentre(AIRealPoint{-1.0f, -1.0f});
    EXPECT_EQ(c.h, 306.0f);
    EXPECT_EQ(c.v, 396.0f);
}

class PresetViewCentreWithoutView : public PluginTest {
protected:
    PresetViewCentreWithoutView() : PluginTest(Config()) {}
    static easel::HostConfig Config() {
        easel::HostConfig c;
        c.faults.push_back({"AI Document View Suite/GetNthDocumentView", 1, kSPBadParameterError});
        c.faults.push_back({"AI Document View Suite/GetNthDocumentView", 2, kSPBadParameterError});
        c.faults.push_back({"AI Document Suite/GetDocumentSetup", 2, kSPNoDocumentError});
        return c;
    }
};

// Without a view the star goes to the page centre; without a document it stays where it was.
TEST_F(PresetViewCentreWithoutView, FallsBackToThePageCentreThenToTheRecord) {
    const AIRealPoint page = CurrentViewCentre(AIRealPoint{-1.0f, -1.0f});
    EXPECT_EQ(page.h, 306.0f);
    EXPECT_EQ(page.v, 396.0f);
    const AIRealPoint kept = CurrentViewCentre(AIRealPoint{-1.0f, -2.0f});
    EXPECT_EQ(kept.h, -1.0f);
    EXPECT_EQ(kept.v, -2.0f);
}

}  // namespace
}  // namespace corvanta::testing
