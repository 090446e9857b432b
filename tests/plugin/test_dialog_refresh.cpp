// The dialog after a preset and after Tumble. Both rewrite the record and then set every item
// from it, because the refresh that follows reads every item back into the record: an item
// the refresh forgot would put its old value back. So the dialog opens on a record whose every
// shown value differs from the defaults and from the presets, and after each preset (and each
// Tumble) the record read back from the items must equal the record that was applied, field by
// field.
#include "DialogFixture.h"

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "AIRandom.h"
#include "dialog/Presets.h"
#include "dialog/Tumble.h"
#include "frame/SuiteTable.h"

namespace corvanta::testing {
namespace {

// Every value the dialog shows, away from its default and from every preset's value, inside
// its item's range; every flag the other way from its default.
StarSettings Unusual(int32_t activeTab) {
    StarSettings s = NewRecord();
    s.activeTab = activeTab;
    s.interpolationCentreMode = 6;
    s.starGroups = 7;
    s.sketchRepeats = 3;
    s.sketchColorMode = 5;
    s.sketchWeightTenths = 2.5f;
    s.starCoreRadius = 12.5f;
    s.sketchShiftAmount = 1.5f;
    s.corePointOffsetX = -3.25f;
    s.corePointOffsetY = 4.75f;
    s.shellPointSlant = 6.5f;
    s.starShellRadius = 33.5f;
    s.shellPointOffsetX = -8.5f;
    s.interpolationPercent = 2.5f;
    s.shellPointOffsetY = 9.25f;
    s.starSetIndex = 3;
    for (int j = 0; j < kStarSets; ++j) {
        s.corePointsBySet[j] = 2 + j % 3;
        s.shellPointsBySet[j] = 3 + j % 3;
        s.coreRadiusBySet[j] = 10.5f + static_cast<float>(j);
        s.shellRadiusBySet[j] = -20.25f - static_cast<float>(j);
    }
    s.altCorePercentEven = 120.5f;
    s.altCorePercentOdd = 80.5f;
    s.altShellPercentEven = 130.5f;
    s.altShellPercentOdd = 70.5f;
    s.distortionCentreMode = 4;
    s.distortRadius = 55.5f;
    s.distortFieldPercent = 44.5f;
    s.distortRandom = 3.5f;
    s.twirlDegrees = 12.5f;
    s.starCentreMode = 5;
    s.userCentreH = 111.5f;
    s.userCentreV = 222.5f;
    s.groupPercentEven = 90.5f;
    s.groupPercentOdd = 110.5f;
    s.boundaryLimitDegrees = 270.5f;
    s.maxShell = 500.5f;
    s.starCount = 3;
    s.presetIndex = 17;
    for (int n = 114; n <= 150; ++n)
        if (n != 124) SetSettingsWord(s, n, GetSettingsWord(s, n) ? 0 : 1);
    return s;
}

// What the refresh's read-back leaves besides the applied values: a preview run (Preview is
// on) with `finalRun` 0.
StarSettings AfterReadBack(StarSettings applied) {
    applied.finalRun = 0;
    applied.previewDrawn = 1;
    return applied;
}

bool ExpectRecord(const StarSettings& got, const StarSettings& want, const std::string& what) {
    bool same = true;
    for (int n = 0; n < kStarSettingsWords; ++n) {
        EXPECT_EQ(GetSettingsWord(got, n), GetSettingsWord(want, n)) << what << ": word " << n;
        same = same && GetSettingsWord(got, n) == GetSettingsWord(want, n);
    }
    return same;
}

// Tab 1 + (i mod 5) is open, so each tab's refresh row is run.
int32_t TabFor(int i) { return 1 + i % kTabCount; }

class DialogRefresh : public DialogTest {
protected:
    // Opens the dialog on Unusual(tab) and checks that it shows that record as it is.
    void RunOnUnusual(int32_t tab, const std::function<void(DialogModel&)>& script) {
        const StarSettings start = Unusual(tab);
        SetRecord(start);
        const SPErr result = Run([&](DialogModel& d) {
            if (!ExpectRecord(Live(d), AfterReadBack(start), "opened on tab " + std::to_string(tab))) return;
            script(d);
            ASSERT_EQ(d.UserPress(kCancelItem), UserResult::Done);
        });
        EXPECT_EQ(result, kSPUserCanceledError);
    }
};

TEST_F(DialogRefresh, AfterEveryPresetTheItemsHoldTheAppliedRecord) {
    for (int32_t i = 0; i < kPresetCount; ++i) {
        const std::string what = std::string("preset") + PresetName(i);
        RunOnUnusual(TabFor(i), [&](DialogModel& d) {
            StarSettings applied = Live(d);
            ApplyPresetToSettings(applied, i, CurrentViewCentre(AIRealPoint{-1.0f, -1.0f}));
            ASSERT_EQ(d.UserChooseEntry(kPresetList, i), UserResult::Done);
            ExpectRecord(Live(d), AfterReadBack(applied), what);
            EXPECT_EQ(It(d, kStarSetList).List()->ChosenPosition(), 0) << what;
            EXPECT_EQ(It(d, kSetCoreCaption).Text(), "Star core points/radius 1") << what;
            EXPECT_EQ(It(d, kSetShellCaption).Text(), "Star shell points/radius 1") << what;
            EXPECT_EQ(It(d, kPresetList).List()->ChosenPosition(), i) << what;
        });
    }
}

// The host's random service replaced by a list of draws while a Tumble is pressed; the preview
// that follows takes the host's own numbers once the list is used up.
class ScriptedRandomSlot {
public:
    explicit ScriptedRandomSlot(std::vector<float> draws) : saved_(gSuiteRefs[kRandomSlot]) {
        State() = {std::move(draws), 0, static_cast<const AIRandomSuite*>(saved_)};
        gSuiteRefs[kRandomSlot] = &kTable;
    }
    ~ScriptedRandomSlot() { gSuiteRefs[kRandomSlot] = saved_; }
    ScriptedRandomSlot(const ScriptedRandomSlot&) = delete;
    ScriptedRandomSlot& operator=(const ScriptedRandomSlot&) = delete;

private:
    struct Sequence {
        std::vector<float> draws;
        size_t next;
        const AIRandomSuite* host;
    };
    static Sequence& State() {
        static Sequence state;
        return state;
    }
    static AIReal SPAPI FloatRnd() {
        Sequence& s = State();
        return s.next < s.draws.size() ? s.draws[s.next++] : s.host->FloatRnd();
    }
    static constexpr AIRandomSuite kTable{FloatRnd};
    const void* saved_;
};

// With every chance taken every shape field gets a value of its own; with none taken the
// flags stay off. Between them every item Tumble writes differs from the unusual record once.
std::vector<float> EveryChanceTaken() {
    const float a90 = 0.90625f, a95 = 0.96875f, a80 = 0.8125f;
    return {0.5f,  0.25f, a90,   0.125f, a90,   0.375f, a90,  0.625f, a90,    0.875f, a90,    0.5f,
            0.0625f, a90, 0.1875f, a90,  0.3125f, a90,  0.4375f, a90, 0.5625f, 0.0f,  0.6875f, 0.8125f,
            0.9375f, a95, a90,   0.25f, 0.5f,   0.0625f, 0.125f, a95, a95,   0.5f,   0.25f,  0.375f,
            0.625f,  a95, a90,   0.0625f, a90,  0.1875f, a90,  0.3125f, a90,  0.4375f, a90,   0.75f,
            0.875f,  a90, 0.25f, a90,   0.5f,   0.0f,   0.0f, 0.5f,   a90,    0.125f, 0.875f, a90,
            0.625f,  a90, a90,   0.375f, a90,   a90,    a80,  a80,    a90,    a90,    a90,    a95,
            a95};
}
std::vector<float> NoChanceTaken() {
    std::vector<float> draws(kTumbleMinDraws, 0.0f);
    for (size_t i : {0u, 1u, 7u}) draws[i] = 0.5f;  // groups, core and shell radius
    for (size_t i : {12u, 13u, 14u, 15u}) draws[i] = 0.75f;  // set 1
    return draws;
}

struct RandomSlotSource {
    std::vector<float> draws;
    size_t next = 0;
    static AIReal Next(void* context) {
        auto* self = static_cast<RandomSlotSource*>(context);
        return self->next < self->draws.size() ? self->draws[self->next++] : 0.0f;
    }
};

TEST_F(DialogRefresh, AfterTumbleTheItemsHoldTheTumbledRecord) {
    ASSERT_EQ(EveryChanceTaken().size(), size_t(kTumbleMaxDraws));
    int run = 0;
    for (const auto& draws : {EveryChanceTaken(), NoChanceTaken()}) {
        for (int32_t tab = 1; tab <= kTabCount; ++tab, ++run) {
            const std::string what = "Tumble " + std::to_string(run) + " on tab " + std::to_string(tab);
            RunOnUnusual(tab, [&](DialogModel& d) {
                StarSettings applied = Live(d);
                RandomSlotSource source{draws};
                TumbleSettings(applied, CurrentViewCentre(AIRealPoint{-1.0f, -1.0f}),
                               RandomSource{RandomSlotSource::Next, &source});
                ASSERT_EQ(source.next, draws.size()) << "the script is one press";
                {
                    ScriptedRandomSlot scripted(draws);
                    ASSERT_EQ(d.UserPress(kTumbleButton), UserResult::Done);
                }
                ExpectRecord(Live(d), AfterReadBack(applied), what);
                EXPECT_EQ(It(d, kStarSetList).List()->ChosenPosition(), 0) << what;
                EXPECT_EQ(It(d, kSetCoreCaption).Text(), "Star core points/radius 1") << what;
                EXPECT_EQ(It(d, kSetShellCaption).Text(), "Star shell points/radius 1") << what;
                EXPECT_EQ(It(d, kPresetList).List()->ChosenPosition(), 17) << what << ": the preset stays";
            });
        }
    }
}

// The other way: a change to any one value item is read back into its own word, and into no
// other (but `previewDrawn`, which follows Preview). Words as the item table binds them; the star-set items edit the shown set (set 4 of
// the unusual record).
struct Binding {
    int32_t item;
    int word;
    char kind;  // 'i' integer spin edit, 'r' real spin edit, 'f' check box, 'l' popup list
};
const Binding kBindings[] = {
    {3, 0, 'f'},
    {4, 3, 'i'},    {5, 7, 'r'},    {6, 9, 'r'},    {7, 10, 'r'},   {8, 11, 'r'},   {9, 12, 'r'},
    {10, 13, 'r'},  {11, 15, 'r'},  {12, 17 + 3, 'i'}, {13, 57 + 3, 'r'}, {14, 37 + 3, 'i'},
    {15, 77 + 3, 'r'}, {16, 97, 'r'}, {17, 98, 'r'}, {18, 99, 'r'}, {19, 100, 'r'}, {20, 102, 'r'},
    {21, 103, 'r'}, {22, 104, 'r'}, {23, 105, 'r'}, {34, 14, 'r'},  {24, 107, 'r'}, {25, 108, 'r'},
    {26, 109, 'r'}, {27, 110, 'r'}, {28, 111, 'r'}, {29, 112, 'r'}, {30, 113, 'i'}, {31, 6, 'r'},
    {32, 8, 'r'},   {33, 4, 'i'},
    {52, 117, 'f'}, {59, 125, 'f'}, {57, 122, 'f'}, {66, 132, 'f'}, {65, 131, 'f'}, {61, 127, 'f'},
    {53, 118, 'f'}, {55, 120, 'f'}, {56, 121, 'f'}, {54, 119, 'f'}, {63, 129, 'f'}, {64, 130, 'f'},
    {73, 143, 'f'}, {74, 144, 'f'}, {75, 134, 'f'}, {76, 136, 'f'}, {77, 140, 'f'}, {78, 135, 'f'},
    {51, 116, 'f'}, {62, 128, 'f'}, {50, 114, 'f'}, {60, 126, 'f'}, {67, 133, 'f'}, {69, 142, 'f'},
    {58, 123, 'f'}, {70, 138, 'f'}, {71, 139, 'f'}, {72, 141, 'f'}, {68, 137, 'f'}, {79, 145, 'f'},
    {80, 146, 'f'}, {81, 115, 'f'}, {82, 147, 'f'}, {83, 148, 'f'}, {84, 149, 'f'}, {85, 150, 'f'},
    {150, 101, 'l'}, {153, 106, 'l'}, {154, 5, 'l'}, {155, 2, 'l'},
};

uint32_t FloatBits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

TEST_F(DialogRefresh, EachItemIsReadBackIntoItsOwnWordOnly) {
    static_assert(std::size(kBindings) == 1 + 31 + 36 + 4);
    RunOnUnusual(2, [&](DialogModel& d) {
        for (const Binding& b : kBindings) {
            const std::string what = "item " + std::to_string(b.item);
            const ItemLayout* layout = FindItemLayout(b.item);
            ASSERT_NE(layout, nullptr) << what;
            if (layout->tab != kAlwaysShown) {
                ASSERT_EQ(d.UserPress(kFirstTabButton + layout->tab - 1), UserResult::Done);
            }
            const StarSettings before = Live(d);
            // A new value one step away, inside the item's range; then the old one again.
            const uint32_t old = GetSettingsWord(before, b.word);
            uint32_t changed = 0;
            UserResult result = UserResult::Done;
            if (b.kind == 'l') {
                const int32_t to = static_cast<int32_t>(old) + 1;
                result = d.UserChooseEntry(b.item, to);
                changed = static_cast<uint32_t>(to);
            } else if (b.kind == 'f') {
                result = d.UserSetValue(b.item, old ? 0 : 1);
                changed = old ? 0 : 1;
            } else if (b.kind == 'i') {
                const int32_t to = static_cast<int32_t>(old) + 1;
                result = d.UserSetValue(b.item, to);
                changed = static_cast<uint32_t>(to);
            } else {
                float value;
                std::memcpy(&value, &old, sizeof value);
                const float to = value + 1.25f;
                result = d.UserSetValue(b.item, to);
                changed = FloatBits(to);
            }
            ASSERT_EQ(result, UserResult::Done) << what;
            StarSettings want = AfterReadBack(before);
            SetSettingsWord(want, b.word, changed);
            if (b.item == kPreviewItem) want.previewDrawn = static_cast<int32_t>(changed);  // no preview when off
            ExpectRecord(Live(d), want, what);

            // Back again, so that the items that depend on this one stay enabled.
            if (b.kind == 'l') {
                result = d.UserChooseEntry(b.item, static_cast<int32_t>(old));
            } else if (b.kind == 'r') {
                float value;
                std::memcpy(&value, &old, sizeof value);
                result = d.UserSetValue(b.item, value);
            } else {
                result = d.UserSetValue(b.item, static_cast<int32_t>(old));
            }
            ASSERT_EQ(result, UserResult::Done) << what;
            ExpectRecord(Live(d), AfterReadBack(before), what + ", back");
        }
    });
}

}  // namespace
}  // namespace corvanta::testing
