// The settings dialog's item table: creation order, tabs, rectangles, bound words, lists, and
// the record rules the handlers apply (dependent enabling, tab refresh, captions, picks).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialog/DialogLayout.h"
#include "dialog/PickValues.h"
#include "dialog/Presets.h"

namespace corvanta {
namespace {

std::vector<int32_t> Ids(std::span<const ItemLayout> items) {
    std::vector<int32_t> ids;
    for (const ItemLayout& i : items) ids.push_back(i.id);
    return ids;
}

bool Overlap(const ADMRect& a, const ADMRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(DialogLayout, ItemsAreCreatedInTheLayoutsOrderWithUniqueIdentifiers) {
    const std::vector<int32_t> order = {
        4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,  20,  21,  22,
        23,  34,  24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  100, 101, 102, 104, 105, 106, 109,
        111, 113, 114, 116, 117, 118, 119, 122, 124, 126, 127, 128, 130, 131, 129, 152, 151, 150, 153,
        154, 155, 1,   2,   180, 181, 3,   52,  59,  57,  66,  65,  61,  53,  55,  56,  54,  63,  64,
        73,  74,  75,  76,  77,  78,  51,  62,  50,  60,  67,  69,  58,  70,  71,  72,  68,  79,  80,
        81,  82,  83,  84,  85,  160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 190, 191, 192, 193};
    EXPECT_EQ(Ids(DialogItems()), order);
    EXPECT_EQ(DialogItems().size(), 114u);
    EXPECT_EQ(std::set<int32_t>(order.begin(), order.end()).size(), order.size());
    for (int32_t id : order) ASSERT_NE(FindItemLayout(id), nullptr) << id;
    EXPECT_EQ(FindItemLayout(103), nullptr);
    EXPECT_EQ(FindItemLayout(0), nullptr);
}

TEST(DialogLayout, EveryTabbedItemIsInExactlyTheVisibilitySetOfItsTab) {
    std::map<int32_t, int> seen;
    for (int32_t tab = kBasicTab; tab <= kSettingsTab; ++tab)
        for (int32_t id : TabItems(tab)) {
            const ItemLayout* item = FindItemLayout(id);
            ASSERT_NE(item, nullptr) << id;
            EXPECT_EQ(item->tab, tab) << "item " << id;
            ++seen[id];
        }
    for (const ItemLayout& item : DialogItems()) {
        const int expected = item.tab == kAlwaysShown ? 0 : 1;
        EXPECT_EQ(seen[item.id], expected) << "item " << item.id;
    }
    EXPECT_EQ(TabItems(1).size(), 18u);
    EXPECT_EQ(TabItems(5).size(), 36u);
    EXPECT_TRUE(TabItems(0).empty());
    EXPECT_TRUE(TabItems(6).empty());
    // The always-visible column, the preview switch, the preset list and the tab strip.
    std::set<int32_t> always;
    for (const ItemLayout& item : DialogItems())
        if (item.tab == kAlwaysShown) always.insert(item.id);
    EXPECT_EQ(always, (std::set<int32_t>{1, 2, 3, 152, 160, 161, 162, 163, 164, 165, 166, 167, 168,
                                         169, 180, 181}));
}

TEST(DialogLayout, ItemsVisibleTogetherNeverOverlapAndSharedPlacesBelongToDifferentTabs) {
    for (int32_t tab = kBasicTab; tab <= kSettingsTab; ++tab) {
        std::vector<const ItemLayout*> shown;
        for (const ItemLayout& item : DialogItems())
            if (item.tab == kAlwaysShown || item.tab == tab) shown.push_back(&item);
        for (size_t a = 0; a < shown.size(); ++a)
            for (size_t b = a + 1; b < shown.size(); ++b)
                EXPECT_FALSE(Overlap(shown[a]->bounds, shown[b]->bounds))
                    << "tab " << tab << ": items " << shown[a]->id << " and " << shown[b]->id;
        for (const ItemLayout* item : shown) {
            EXPECT_LE(item->bounds.right, kDialogWidth) << item->id;
            EXPECT_LE(item->bounds.bottom, kDialogHeight) << item->id;
        }
    }
    const std::vector<std::vector<int32_t>> sharing = {{12, 20, 24}, {13, 21, 25}, {151, 150, 153},
                                                       {109, 122}, {111, 124}};
    for (const auto& group : sharing) {
        std::set<int32_t> tabs;
        for (int32_t id : group) {
            EXPECT_EQ(std::memcmp(&FindItemLayout(id)->bounds, &FindItemLayout(group[0])->bounds,
                                  sizeof(ADMRect)),
                      0)
                << id;
            tabs.insert(FindItemLayout(id)->tab);
        }
        EXPECT_EQ(tabs.size(), group.size()) << "items sharing a place must be on different tabs";
        EXPECT_EQ(tabs.count(kAlwaysShown), 0u);
    }
}

TEST(DialogLayout, ValueItemsAreBoundToTheirRecordWords) {
    // Item: word, for the items whose binding is easy to get wrong (the star-set arrays, the
    // second values, the out-of-order words).
    const std::map<int32_t, int32_t> words = {{3, 0},    {4, 3},    {11, 15},  {12, 17},  {13, 57},
                                              {14, 37},  {15, 77},  {24, 107}, {31, 6},   {32, 8},
                                              {33, 4},   {34, 14},  {151, 16}, {152, 124}, {154, 5},
                                              {155, 2},  {81, 115}, {78, 135}, {85, 150}};
    for (const auto& [id, word] : words) EXPECT_EQ(FindItemLayout(id)->word, word) << "item " << id;
    // The 36 switches of the Settings tab cover words 114 to 150 but the preset index (124).
    std::set<int32_t> switches;
    for (int32_t id : TabItems(kSettingsTab)) switches.insert(FindItemLayout(id)->word);
    std::set<int32_t> expected;
    for (int32_t w = 114; w <= 150; ++w)
        if (w != 124) expected.insert(w);
    EXPECT_EQ(switches, expected);

    for (const ItemLayout& item : DialogItems()) {
        if (item.kind != ItemKind::kSpinEdit) continue;
        const bool integer = item.id == 4 || item.id == 12 || item.id == 14 || item.id == 30 || item.id == 33;
        EXPECT_EQ(item.value, integer ? ValueType::kInteger : ValueType::kReal) << item.id;
        if (!integer) {
            EXPECT_EQ(item.decimals, item.id == 31 || item.id == 32 || item.id == 34 ? 2 : 5) << item.id;
        }
        EXPECT_EQ(item.perSet, item.id >= 12 && item.id <= 15) << item.id;
    }
}

TEST(DialogLayout, ListsAreFilledInOrderWithTheirEntries) {
    std::vector<int32_t> order;
    std::vector<size_t> counts;
    for (const ListLayout& list : DialogLists()) {
        order.push_back(list.id);
        counts.push_back(list.entries.size());
        for (const char* text : list.entries) {
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text[0], ' ') << text;
            EXPECT_NE(text[1], ' ') << text;
        }
        EXPECT_EQ(FindItemLayout(list.id)->kind, ItemKind::kPopupList);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{152, 155, 151, 150, 153, 154}));
    EXPECT_EQ(counts, (std::vector<size_t>{30, 10, 16, 10, 8, 12}));
    const auto lists = DialogLists();
    EXPECT_EQ(lists[0].entries.data(), kPresetNames);
    EXPECT_STREQ(lists[1].entries[9], " Interpolation 10");
    EXPECT_STREQ(lists[2].entries[4], " Set 5 - Points/Radius");
    EXPECT_STREQ(lists[3].entries[6], " Document Botton < Center");
    EXPECT_STREQ(lists[4].entries[7], " Place star as frame");
    EXPECT_STREQ(lists[5].entries[11], " Use white + random opacity");
}

TEST(DialogLayout, ReadBackCoversEveryValueItemOnceWithTheStarSetFirst) {
    const auto order = ReadBackOrder();
    std::set<int32_t> read(order.begin(), order.end());
    EXPECT_EQ(read.size(), order.size());
    for (const ItemLayout& item : DialogItems()) {
        const bool value = item.value != ValueType::kNone && item.id != kPresetList;
        EXPECT_EQ(read.count(item.id), value ? 1u : 0u) << "item " << item.id;
    }
    const auto at = [&](int32_t id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
    for (int32_t id = 12; id <= 15; ++id) EXPECT_LT(at(151), at(id));
    EXPECT_EQ(order[0], 3);
}

TEST(DialogRules, DependentItemsFollowTheirConditionsBothWays) {
    StarSettings s{};
    WriteDefaultSettings(s);
    auto enabled = [&](int32_t id) {
        for (const DependentRule& rule : DependentRules())
            for (int32_t item : rule.items)
                if (item == id) return rule.holds(s);
        return true;
    };
    const std::vector<int32_t> dependent = {31, 32, 154, 155, 75, 76, 77, 78, 79, 80, 81};
    for (int32_t id : dependent) EXPECT_FALSE(enabled(id)) << "a new record greys out " << id;
    EXPECT_TRUE(enabled(4));

    s.dropShadow = 1;
    for (int32_t id : {75, 76, 77, 78}) EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(79));
    s.sketchRepeats = 3;
    for (int32_t id : {31, 32, 154, 79, 80}) EXPECT_TRUE(enabled(id)) << id;
    s.interpolationPercent = -0.5f;
    for (int32_t id : {155, 81}) EXPECT_TRUE(enabled(id)) << id;
    s.interpolationPercent = -0.0f;
    EXPECT_FALSE(enabled(155)) << "minus zero is no interpolation";
    s.dropShadow = 0;
    s.sketchRepeats = 0;
    for (int32_t id : dependent) EXPECT_FALSE(enabled(id)) << id;
}

TEST(DialogRules, TabRefreshAndTabButtons) {
    const int32_t first[] = {4, 12, 20, 24, 50};
    for (int32_t tab = 1; tab <= 5; ++tab) {
        const TabRefresh r = TabRefreshFor(tab);
        EXPECT_EQ(r.tab, tab);
        EXPECT_EQ(r.firstValueItem, first[tab - 1]);
        EXPECT_EQ(r.button, 159 + tab);
        EXPECT_EQ(TabOfButton(159 + tab), tab);
    }
    for (int32_t bad : {0, 6, -1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        const TabRefresh r = TabRefreshFor(bad);
        EXPECT_EQ(r.tab, kBasicTab);
        EXPECT_EQ(r.firstValueItem, 4);
        EXPECT_EQ(r.button, 160);
    }
    EXPECT_EQ(TabOfButton(165), 0);
    EXPECT_EQ(TabOfButton(1), 0);
}

TEST(DialogRules, PickedStarGroupsTruncateTowardZeroAndSaturate) {
    EXPECT_EQ(StarGroupsFromPick(123.9f), 12);
    EXPECT_EQ(StarGroupsFromPick(-123.9f), -12);
    EXPECT_EQ(StarGroupsFromPick(9.99f), 0);
    EXPECT_EQ(StarGroupsFromPick(1e30f), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StarGroupsFromPick(-1e30f), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(StarGroupsFromPick(std::numeric_limits<float>::infinity()), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StarGroupsFromPick(std::nanf("")), 0);

    StarSettings s{};
    EXPECT_TRUE(ApplyPick(s, 192, {-7.25f, 5.0f}));
    EXPECT_EQ(s.starShellRadius, -7.25f) << "the item's range is not applied to the record";
    const StarSettings before = s;
    EXPECT_FALSE(ApplyPick(s, 189, {1.0f, 1.0f}));
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
    EXPECT_EQ(PickedSpinEdit(193), 8);
    EXPECT_EQ(PickedSpinEdit(194), 0);
}

}  // namespace
}  // namespace corvanta
