// Fill, stroke and opacity: the random colours per kind, widths, opacity, swatches, graphic
// styles and jitter, with their order of draws.
#include <cstring>
#include <map>
#include <string>

#include "FinishingFixture.h"

namespace corvanta::testing {
namespace {

class PaintTest : public FinishingTest {
protected:
    // A document of another colour model, current from now on.
    void UseDocument(easel::ColorModel model) {
        host_.NewDocument(model);
        PrepareRun();
    }
    float Opacity(AIArtHandle art) { return BlendStyleSuite()->GetOpacity(art); }
    // The position of the swatch whose colour this is, or -1.
    int SwatchPosition(const PaintColor& c) {
        for (size_t i = 0; i < Doc().swatches.size(); ++i)
            if (std::memcmp(&Doc().swatches[i].color, &c, sizeof c) == 0) return static_cast<int>(i);
        return -1;
    }
};

bool SameStyle(const PathStyle& a, const PathStyle& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(PaintTest, RandomizePaintTakesItsDrawsInOrder) {
    settings_.randomFillColor = settings_.randomOpacity = settings_.randomWidth = 1;
    settings_.randomStrokeColor = settings_.randomFillSwatches = 1;
    AIArtHandle path = MakeStarLike(300, 400, 50);
    PathStyle start = Style(path);
    start.strokeWidth = 4.0f;
    start.cap = 1;  // fields the generator does not touch come back unchanged
    SetStyle(path, start);
    SyncDraws();
    RandomizePaint(run_, path);
    const float fill[3] = {Replay(), Replay(), Replay()};
    const float opacity = Replay();
    const float width = Replay() * 4.0f;
    const float stroke[3] = {Replay(), Replay(), Replay()};
    int n = static_cast<int>(Replay() * 12.0f) + 1;
    if (n == 1) n = 2;
    EXPECT_EQ(DrawsTaken(), 0);

    const PathStyle s = Style(path);
    EXPECT_EQ(Opacity(path), opacity);
    EXPECT_EQ(s.strokeWidth, width);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.strokeColor.c[i], stroke[i]);
    EXPECT_EQ(s.fillPaint, 1);
    if (n < 12) {
        EXPECT_EQ(SwatchPosition(s.fillColor), n) << "the swatch replaces the random fill";
    } else {
        // The list has no position 12: the random fill stays.
        for (int i = 0; i < 3; ++i) EXPECT_EQ(s.fillColor.c[i], fill[i]);
    }
    EXPECT_EQ(s.cap, 1);
}

TEST_F(PaintTest, CmykFillKeepsItsBlackAndTheStrokeLosesIt) {
    UseDocument(easel::ColorModel::CMYK);
    settings_.randomFillColor = settings_.randomStrokeColor = 1;
    AIArtHandle path = MakeStarLike(300, 400, 50);
    PathStyle start = Style(path);
    start.fillColor = easel::CmykColor(0, 0, 0, 0.7f);
    start.strokeColor = easel::CmykColor(0, 0, 0, 1.0f);
    SetStyle(path, start);
    RandomizePaint(run_, path);
    const PathStyle s = Style(path);
    EXPECT_EQ(s.fillColor.kind, kFourColor);
    EXPECT_EQ(s.fillColor.c[3], 0.7f);
    EXPECT_NE(s.fillColor.c[0], 0.0f);
    EXPECT_EQ(s.strokeColor.c[3], 0.0f);
    EXPECT_NE(s.strokeColor.c[0], 0.0f);
}

TEST_F(PaintTest, SwatchPositionsSkipTheFirstTwoAndFavourPosition2) {
    run_.swatchCount = 5;
    std::map<int, int> picks;
    const int n = 2000;
    for (int i = 0; i < n; ++i) {
        PaintColor c{};
        ASSERT_TRUE(PickRandomSwatch(run_, &c));
        ++picks[SwatchPosition(c)];
    }
    EXPECT_EQ(picks.size(), 4u);
    for (int pos = 3; pos <= 5; ++pos) EXPECT_NEAR(picks[pos], n / 5, 80) << "position " << pos;
    EXPECT_NEAR(picks[2], 2 * n / 5, 100);
}

TEST_F(PaintTest, AFailedSwatchLookupLeavesColourAndFlag) {
    Doc().swatches.resize(2);  // "[None]" and "[Registration]" only: position 2 is missing
    PrepareRun();
    settings_.randomFillSwatches = 1;
    AIArtHandle path = MakeStarLike(300, 400, 50);
    PathStyle start = Style(path);
    start.fillPaint = 0;
    SetStyle(path, start);
    RandomizePaint(run_, path);
    EXPECT_TRUE(SameStyle(Style(path), start));
    PaintColor c = easel::RgbColor(0.1f, 0.2f, 0.3f);
    EXPECT_FALSE(PickRandomSwatch(run_, &c));
    EXPECT_EQ(c.c[1], 0.2f);
}

TEST_F(PaintTest, GraphicStylePositionsNeverZeroWithStylesPresent) {
    Doc().styles.resize(1);  // "[Default]", and two more below
    for (int i = 1; i <= 2; ++i) {
        easel::GraphicStyle g = Doc().styles[0];
        g.name = "Style " + std::to_string(i);
        g.opacity = 0.25f * static_cast<float>(i);  // tells the styles apart
        Doc().styles.push_back(g);
    }
    PrepareRun();
    settings_.randomStyle = 1;
    std::map<float, int> picks;
    const int n = 900;
    for (int i = 0; i < n; ++i) {
        AIArtHandle path = MakeStarLike(300, 400, 50);
        ASSERT_EQ(JitterPaint(run_, path), kSPNoError);
        ++picks[Opacity(path)];
    }
    EXPECT_EQ(picks.count(1.0f), 0u) << "the default style at position 0 is never used";
    EXPECT_NEAR(picks[0.25f], 2 * n / 3, 60);
    EXPECT_NEAR(picks[0.5f], n / 3, 60);
}

TEST_F(PaintTest, WithTheDefaultStyleAloneTheStarKeepsItsPaintAndTheRunGoesOn) {
    Doc().styles.resize(1);
    PrepareRun();
    settings_.randomStyle = 1;  // position 1 would be asked for, which this host lacks
    AIArtHandle path = MakeStarLike(300, 400, 50);
    const PathStyle before = Style(path);
    EXPECT_EQ(JitterPaint(run_, path), kSPNoError);
    const PathStyle after = Style(path);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_EQ(Opacity(path), 1.0f);
}

TEST_F(PaintTest, JitterClampsColoursAndWidths) {
    settings_.jitterFill = settings_.jitterStroke = settings_.jitterWidth = 1;
    int zeroWidths = 0;
    for (int i = 0; i < 300; ++i) {
        AIArtHandle path = MakeStarLike(300, 400, 50);  // white fill, black stroke, width 1
        ASSERT_EQ(JitterPaint(run_, path), kSPNoError);
        const PathStyle s = Style(path);
        for (int k = 0; k < 3; ++k) {
            EXPECT_LE(s.fillColor.c[k], 1.0f);
            EXPECT_GT(s.fillColor.c[k], 0.9f);
            EXPECT_GE(s.strokeColor.c[k], 0.0f);
            EXPECT_LT(s.strokeColor.c[k], 0.1f);
        }
        EXPECT_GE(s.strokeWidth, 0.0f);
        EXPECT_LT(s.strokeWidth, 4.0f);
        zeroWidths += s.strokeWidth == 0.0f;
    }
    EXPECT_GT(zeroWidths, 60) << "a jitter below -1 gives exactly 0, about one time in three";
}

}  // namespace
}  // namespace corvanta::testing
