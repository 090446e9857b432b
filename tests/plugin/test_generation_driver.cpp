// The generation driver: the preview/go protocol, undo of the previous run, the error policy.
#include "PluginFixture.h"

#include <cstring>

namespace corvanta::testing {
namespace {

class DriverTest : public PluginTest {
protected:
    static StarSettings Scattered(int count) {
        StarSettings s = DefaultSettings();
        s.starCentreMode = 2;  // anywhere on the page: each run looks different
        s.starCount = count;
        return s;
    }
    easel::SegmentStore FirstAnchors() {
        auto art = Art();
        return art.empty() ? easel::SegmentStore{} : art[0]->path.segments;
    }
};

bool Same(const easel::SegmentStore& a, const easel::SegmentStore& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(easel::SegmentPoints)) == 0;
}

TEST_F(DriverTest, EachPreviewReplacesThePreviousOneAndRedraws) {
    StarSettings s = Scattered(3);
    ASSERT_EQ(Preview(s), kSPNoError);
    ASSERT_EQ(Art().size(), 3u);
    const auto first = FirstAnchors();
    ASSERT_EQ(Preview(s), kSPNoError);
    EXPECT_EQ(Art().size(), 3u);
    EXPECT_FALSE(Same(first, FirstAnchors()));
    EXPECT_EQ(host_.RedrawCount(), 2);
}

TEST_F(DriverTest, GoAfterAMatchingPreviewKeepsThePreviewExactly) {
    StarSettings s = Scattered(4);
    ASSERT_EQ(Preview(s), kSPNoError);
    const auto preview = FirstAnchors();
    const int redraws = host_.RedrawCount();
    ASSERT_EQ(Go(s), kSPNoError);
    EXPECT_EQ(s.previewDrawn, 0);
    EXPECT_EQ(Art().size(), 4u);
    EXPECT_TRUE(Same(preview, FirstAnchors()));
    EXPECT_EQ(host_.RedrawCount(), redraws) << "a go run asks for no redraw";
}

TEST_F(DriverTest, GoWithoutAMatchingPreviewDrawsAfresh) {
    StarSettings s = Scattered(4);
    ASSERT_EQ(Preview(s), kSPNoError);
    const auto preview = FirstAnchors();
    s.previewDrawn = 0;  // Preview was switched off before OK
    ASSERT_EQ(Go(s), kSPNoError);
    EXPECT_EQ(Art().size(), 4u);
    EXPECT_FALSE(Same(preview, FirstAnchors()));
    EXPECT_EQ(host_.RedrawCount(), 1);
}

TEST_F(DriverTest, UndoRemovesOnlyTheCurrentMessagesArt) {
    StarSettings s = Scattered(2);
    ASSERT_EQ(Go(s), kSPNoError);
    const auto kept = FirstAnchors();
    EndMessage();
    BeginMessage();
    ASSERT_EQ(Preview(s), kSPNoError);
    ASSERT_EQ(Preview(s), kSPNoError);
    auto art = Art();
    ASSERT_EQ(art.size(), 4u);
    EXPECT_TRUE(Same(kept, art[0]->path.segments)) << "the earlier message's stars stay below";
}

TEST_F(DriverTest, NoStarsStillUndoesAndRedraws) {
    StarSettings s = Scattered(3);
    ASSERT_EQ(Preview(s), kSPNoError);
    s.starCount = 0;
    ASSERT_EQ(Preview(s), kSPNoError);
    EXPECT_TRUE(Art().empty());
    EXPECT_EQ(host_.RedrawCount(), 2);
    s.starCount = -5;
    EXPECT_EQ(Preview(s), kSPNoError);
    EXPECT_TRUE(Art().empty());
}

TEST_F(DriverTest, StarsOfOneRunShareTheirShapeWithoutRandomisers) {
    StarSettings s = Scattered(5);
    ASSERT_EQ(Go(s), kSPNoError);
    auto art = Art();
    ASSERT_EQ(art.size(), 5u);
    const auto& a = art[0]->path.segments;
    for (size_t k = 1; k < art.size(); ++k) {
        const auto& b = art[k]->path.segments;
        ASSERT_EQ(b.size(), a.size());
        const float dx = b[0].px - a[0].px, dy = b[0].py - a[0].py;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(b[i].px - a[i].px, dx, 2e-3);
            EXPECT_NEAR(b[i].py - a[i].py, dy, 2e-3);
        }
    }
}

TEST_F(DriverTest, RandomStarSettingsDrawFractionsOfTheRadii) {
    StarSettings s = DefaultSettings();
    s.randomStarSettings = 1;
    s.starCount = 20;
    ASSERT_EQ(Go(s), kSPNoError);
    for (const easel::Art* a : Art())
        for (size_t i = 0; i < a->path.SegmentCount(); ++i)
            EXPECT_LE(PolarOf(a->path, i, 306.0f, 396.0f).distance, 140.0f + 1e-3);
}

TEST_F(DriverTest, OpenStarsStayOpen) {
    StarSettings s = DefaultSettings();
    s.closed = 0;
    ASSERT_EQ(Go(s), kSPNoError);
    EXPECT_FALSE(Art()[0]->path.closed);
}

TEST_F(DriverTest, NewLayersMakesOneLayerPerRunThatHoldsEveryStar) {
    StarSettings s = Scattered(10);
    s.newLayers = 1;
    ASSERT_EQ(Go(s), kSPNoError);
    ASSERT_EQ(Doc().layers.size(), 2u);
    EXPECT_TRUE(Doc().layers[0].art.empty());
    EXPECT_EQ(Doc().layers[1].art.size(), 10u);

    s.starCount = 0;
    ASSERT_EQ(Go(s), kSPNoError);  // undoes the first run's layer, then adds an empty one
    ASSERT_EQ(Doc().layers.size(), 2u);
    EXPECT_TRUE(Doc().layers[1].art.empty());
}

easel::HostConfig FailAt(std::string operation, int64_t nth, SPErr code) {
    easel::HostConfig c;
    c.seed = 7;
    c.faults.push_back({std::move(operation), nth, code});
    return c;
}

class SegmentRefusedAtFifthStar : public PluginTest {
protected:
    SegmentRefusedAtFifthStar()
        : PluginTest(FailAt("AI Path Suite/SetPathSegments", 4 * 30 + 10, kAITooManySegmentsError)) {}
};

TEST_F(SegmentRefusedAtFifthStar, LeavesFourStarsAndAPartialFifthWithoutRedraw) {
    StarSettings s = DefaultSettings();
    s.starCount = 8;
    EXPECT_EQ(Preview(s), kAITooManySegmentsError);
    auto art = Art();
    ASSERT_EQ(art.size(), 5u);
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(art[k]->path.SegmentCount(), 30u);
    EXPECT_EQ(art[4]->path.SegmentCount(), 9u);
    EXPECT_FALSE(art[4]->path.closed);
    EXPECT_EQ(host_.RedrawCount(), 0);
}

class StyleCountRefused : public PluginTest {
protected:
    StyleCountRefused() : PluginTest(FailAt("AI Art Style Suite/CountArtStyles", 1, kSPOutOfMemoryError)) {}
};

TEST_F(StyleCountRefused, EndsTheRunBeforeAnythingElseEvenAKeptPreview) {
    StarSettings s = DefaultSettings();
    s.finalRun = 1;
    s.previewDrawn = 1;
    EXPECT_EQ(GenerateStars(s), kSPOutOfMemoryError);
    EXPECT_EQ(s.previewDrawn, 1);
    EXPECT_TRUE(Art().empty());
}

TEST_F(DriverTest, HostLimitsEndTheRunWithTheHostsCode) {
    StarSettings s = DefaultSettings();
    // 400 groups of 16 sets × 20 core and 20 shell points: far past a path's 32767 segments.
    s.starGroups = 400;
    for (int j = 0; j < kStarSets; ++j) s.corePointsBySet[j] = s.shellPointsBySet[j] = 20;
    EXPECT_EQ(Go(s), kAITooManySegmentsError);
    ASSERT_EQ(Art().size(), 1u);
    EXPECT_EQ(Art()[0]->path.SegmentCount(), 32767u);

    s.starGroups = 10;
    for (int j = 0; j < kStarSets; ++j) s.corePointsBySet[j] = s.shellPointsBySet[j] = 0;
    Doc().layers[0].locked = true;
    EXPECT_EQ(Go(s), kAILockedLayerError);
}

}  // namespace
}  // namespace corvanta::testing
