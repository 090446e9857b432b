// Where a run's art goes: one new layer per run, a symbol per star, the copies in their
// stacking order; whole runs through GenerateStars.
#include <cmath>
#include <cstring>

#include "FinishingFixture.h"

namespace corvanta::testing {
namespace {

class LayersTest : public PluginTest {
protected:
    LayersTest() = default;
    explicit LayersTest(easel::HostConfig c) : PluginTest(std::move(c)) {}
    StarSettings Settings(int stars) {
        StarSettings s = DefaultSettings();
        s.starCentreMode = 2;  // anywhere on the page
        s.starCount = stars;
        return s;
    }
    const easel::Layer& Top() { return Doc().layers.back(); }
};

TEST_F(LayersTest, NewLayersMakesOneLayerPerRunEvenWithoutStars) {
    StarSettings s = Settings(0);
    s.newLayers = 1;
    ASSERT_EQ(Go(s), kSPNoError);
    ASSERT_EQ(Doc().layers.size(), 2u);
    EXPECT_TRUE(Top().art.empty());
    EXPECT_EQ(Doc().currentLayer, Top().id);
}

TEST_F(LayersTest, OneNewLayerHoldsEveryStarAndCopyOfTheRun) {
    StarSettings s = Settings(10);
    s.newLayers = 1;
    s.dropShadow = 1;
    s.sketchRepeats = 2;
    ASSERT_EQ(Go(s), kSPNoError);
    ASSERT_EQ(Doc().layers.size(), 2u);
    EXPECT_TRUE(Doc().layers.front().art.empty());
    EXPECT_EQ(Top().art.size(), 10u * 4u);
}

TEST_F(LayersTest, SymbolsAreMadeFromTheStarAloneAndLeaveTheCopiesOnThePage) {
    StarSettings s = Settings(5);
    s.symbolize = 1;
    s.dropShadow = 1;
    s.sketchRepeats = 3;
    ASSERT_EQ(Go(s), kSPNoError);
    ASSERT_EQ(Doc().symbols.size(), 5u);
    const auto art = Art();
    ASSERT_EQ(art.size(), 5u * 5u) << "stars, shadows and sketches stay on the page";
    for (size_t i = 0; i < 5; ++i) {
        const easel::Art& star = *art[i * 5 + 1];
        const easel::Art& symbol = Doc().symbols[i].art;
        EXPECT_EQ(symbol.path.SegmentCount(), star.path.SegmentCount());
        EXPECT_EQ(std::memcmp(symbol.path.segments.data(), star.path.segments.data(),
                              star.path.segments.size() * sizeof star.path.segments[0]),
                  0);
        EXPECT_EQ(std::memcmp(&symbol.style, &star.style, sizeof star.style), 0);
    }
}

TEST_F(LayersTest, AnAnchorOnTheDistortionCentreNoLongerEndsTheRun) {
    // Stars at the page's corner whose core points lie on it, distorted about that corner.
    StarSettings s = Settings(3);
    s.starCentreMode = 3;
    s.starCoreRadius = 0;
    for (float& r : s.coreRadiusBySet) r = 0;
    s.distortionCentreMode = 7;
    s.distortFieldPercent = 100;
    s.distortRadius = 50;
    ASSERT_EQ(Preview(s), kSPNoError);
    const auto art = Art();
    ASSERT_EQ(art.size(), 3u);
    for (const easel::Art* star : art) {
        int onCentre = 0;
        for (const auto& p : star->path.segments) {
            const float d = std::hypot(p.px, p.py);
            EXPECT_TRUE(d == 0.0f || std::fabs(d - 50.0f) < 1e-3f) << d;
            onCentre += d == 0.0f;
        }
        EXPECT_GT(onCentre, 0);
    }
    EXPECT_EQ(host_.RedrawCount(), 1);
}

TEST_F(LayersTest, EveryFinishingOptionTogetherInEachColourModel) {
    for (easel::ColorModel model : {easel::ColorModel::RGB, easel::ColorModel::Gray, easel::ColorModel::CMYK}) {
        host_.NewDocument(model);
        StarSettings s = Settings(4);
        s.randomStarSettings = 1;
        s.distortRadius = 60;
        s.distortFieldPercent = 50;
        s.distortRandom = 5;
        s.twirlDegrees = 45;
        s.distortionCentreMode = 3;
        for (int32_t* flag : {&s.randomFillColor, &s.randomOpacity, &s.randomWidth, &s.randomStrokeColor,
                              &s.randomFillSwatches, &s.randomStyle, &s.jitterFill, &s.jitterStroke,
                              &s.jitterWidth, &s.randomScaling, &s.jitterScaling, &s.edgeScaling,
                              &s.randomRotation, &s.randomWarp, &s.dropShadow, &s.halfShadow,
                              &s.randomShadowAngle, &s.randomShadowOpacity, &s.randomShadowScale,
                              &s.newLayers, &s.symbolize})
            *flag = 1;
        s.sketchRepeats = 2;
        s.sketchColorMode = 9;
        s.sketchWeightTenths = 10;
        ASSERT_EQ(Preview(s), kSPNoError);
        ASSERT_EQ(Preview(s), kSPNoError);
        EXPECT_EQ(Doc().symbols.size(), 4u);
        EXPECT_EQ(Doc().layers.size(), 2u);
        EXPECT_EQ(Go(s), kSPNoError);
        EXPECT_EQ(Doc().layers.size(), 2u) << "the go run keeps the matching preview";
    }
}

easel::HostConfig FailingOnce(const char* operation) {
    easel::HostConfig c;
    c.seed = 7;
    c.faults.push_back({operation, 1, kSPOutOfMemoryError});
    return c;
}

class LayerInsertFault : public LayersTest {
protected:
    LayerInsertFault() : LayersTest(FailingOnce("AI Layer Suite/InsertLayer")) {}
};

TEST_F(LayerInsertFault, AFailedLayerEndsTheRunBeforeAnyStar) {
    StarSettings s = Settings(3);
    s.newLayers = 1;
    EXPECT_EQ(Preview(s), kSPOutOfMemoryError);
    EXPECT_TRUE(Art().empty());
    EXPECT_EQ(host_.RedrawCount(), 0);
}

}  // namespace
}  // namespace corvanta::testing
