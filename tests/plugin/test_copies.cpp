// The copies of a star: the drop shadow below it and the sketch strokes above it, with every
// sketch colour option.
#include <cmath>
#include <cstring>

#include "FinishingFixture.h"
#include "suites/Runtime.h"

namespace corvanta::testing {
namespace {

class CopiesTest : public FinishingTest {
protected:
    void SetUp() override {
        FinishingTest::SetUp();
        // The defaults scribble and draw widths; the tests switch those on where they mean to.
        settings_.randomSketchShift = 0;
        settings_.randomSketchWidth = 0;
        settings_.sketchWeightTenths = 10;
        PrepareRun();
    }
    void UseDocument(easel::ColorModel model) {
        host_.NewDocument(model);
        PrepareRun();
    }
    // Handles of the current layer's art, bottom first.
    std::vector<AIArtHandle> Layer() {
        std::vector<AIArtHandle> out;
        for (easel::ArtId id : Doc().layers.back().art) out.push_back(easel::ArtHandle(id));
        return out;
    }
    float Opacity(AIArtHandle art) { return BlendStyleSuite()->GetOpacity(art); }
    void Paint(AIArtHandle art, PaintColor fill, PaintColor stroke, bool stroked = true) {
        PathStyle s = Style(art);
        s.fillColor = fill;
        s.strokeColor = stroke;
        s.strokePaint = stroked;
        SetStyle(art, s);
    }
    static void ExpectRgb(const PaintColor& c, float r, float g, float b) {
        EXPECT_EQ(c.kind, kThreeColor);
        EXPECT_FLOAT_EQ(c.c[0], r);
        EXPECT_FLOAT_EQ(c.c[1], g);
        EXPECT_FLOAT_EQ(c.c[2], b);
    }
};

// ---- Drop shadow ----------------------------------------------------------------------

TEST_F(CopiesTest, ShadowIsABlackCopyRightBelowMovedRightAndDown) {
    settings_.dropShadow = 1;
    AIArtHandle below = MakeStarLike(100, 100, 10);
    AIArtHandle star = MakeStarLike(300, 400, 50);
    ASSERT_EQ(AddDropShadow(run_, star), kSPNoError);
    const auto art = Layer();
    ASSERT_EQ(art.size(), 3u);
    EXPECT_EQ(art[0], below);
    EXPECT_EQ(art[2], star);
    const AIArtHandle shadow = art[1];
    ExpectRgb(Style(shadow).fillColor, 0, 0, 0);
    ExpectRgb(Style(shadow).strokeColor, 0, 0, 0);
    EXPECT_EQ(Style(shadow).fillPaint, Style(star).fillPaint);
    const AIRealRect s = Bounds(star), b = Bounds(shadow);
    EXPECT_FLOAT_EQ(b.left, s.left + 5);
    EXPECT_FLOAT_EQ(b.top, s.top - 5);
    EXPECT_EQ(Style(shadow).strokeWidth, Style(star).strokeWidth);
}

TEST_F(CopiesTest, ShadowIsBlackInAGrayDocumentToo) {
    settings_.dropShadow = 1;
    UseDocument(easel::ColorModel::Gray);
    AIArtHandle star = MakeStarLike(300, 400, 50);
    ASSERT_EQ(AddDropShadow(run_, star), kSPNoError);
    const PathStyle gray = Style(Layer()[0]);
    EXPECT_EQ(gray.fillColor.kind, kGrayColor);
    EXPECT_EQ(gray.fillColor.c[0], 1.0f);
}

TEST_F(CopiesTest, HalfShadowHalvesTheStarsColours) {
    settings_.dropShadow = settings_.halfShadow = 1;
    AIArtHandle star = MakeStarLike(300, 400, 50);
    Paint(star, easel::RgbColor(1, 0.5f, 0), easel::RgbColor(0.2f, 0.4f, 0.6f));
    ASSERT_EQ(AddDropShadow(run_, star), kSPNoError);
    const PathStyle s = Style(Layer()[0]);
    ExpectRgb(s.fillColor, 0.5f, 0.25f, 0);
    ExpectRgb(s.strokeColor, 0.1f, 0.2f, 0.3f);
}

TEST_F(CopiesTest, RandomShadowAngleOpacityAndSquash) {
    settings_.dropShadow = settings_.randomShadowAngle = 1;
    settings_.randomShadowOpacity = settings_.randomShadowScale = 1;
    SyncDraws();
    for (int i = 0; i < 20; ++i) {
        AIArtHandle star = MakeStarLike(300, 400, 50);
        ASSERT_EQ(AddDropShadow(run_, star), kSPNoError);
        const float signX = Replay() <= 0.5f ? 1.0f : -1.0f;
        const float dx = Replay() * signX * 5.0f;
        const float signY = Replay() <= 0.5f ? 1.0f : -1.0f;
        const float dy = Replay() * signY * -5.0f;
        const float opacity = Replay();
        const float squash = Replay();
        ASSERT_EQ(DrawsTaken(0), 0);

        const AIArtHandle shadow = Layer()[Layer().size() - 2];
        EXPECT_TRUE(std::fabs(dx) < 5.0f && std::fabs(dy) < 5.0f);
        EXPECT_EQ(Opacity(shadow), opacity);
        const AIRealRect s = Bounds(star), b = Bounds(shadow);
        EXPECT_NEAR(b.bottom, s.bottom + dy, 1e-3) << "the bottom edge stays";
        EXPECT_NEAR(b.top - b.bottom, (s.top - s.bottom) * squash, 1e-3) << "the top comes down";
        EXPECT_NEAR(b.left, s.left + dx, 1e-3);
        EXPECT_NEAR(b.right - b.left, s.right - s.left, 1e-3);
    }
}

// ---- Sketch strokes --------------------------------------------------------------------

TEST_F(CopiesTest, UnshiftedSketchesLieOnTheStarUnfilledAndBlackForOption7) {
    settings_.sketchRepeats = 3;
    settings_.sketchShiftAmount = 0;
    settings_.sketchColorMode = 7;
    settings_.sketchWeightTenths = 15;
    PrepareRun();
    AIArtHandle star = MakeStarLike(300, 400, 50);
    Paint(star, easel::RgbColor(1, 1, 1), easel::RgbColor(0.2f, 0.4f, 0.6f));
    SyncDraws();
    ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
    EXPECT_EQ(DrawsTaken(), 12) << "two signs and two sizes per copy, even without a shift";
    const auto art = Layer();
    ASSERT_EQ(art.size(), 4u);
    EXPECT_EQ(art[0], star) << "the copies go above the star";
    const auto outline = Segments(star);
    for (size_t i = 1; i < art.size(); ++i) {
        const PathStyle s = Style(art[i]);
        EXPECT_EQ(s.fillPaint, 0);
        EXPECT_EQ(s.strokePaint, 1);
        ExpectRgb(s.strokeColor, 0, 0, 0);
        EXPECT_FLOAT_EQ(s.strokeWidth, 1.5f);
        const auto copy = Segments(art[i]);
        EXPECT_EQ(std::memcmp(copy.data(), outline.data(), copy.size() * sizeof copy[0]), 0);
    }
}

TEST_F(CopiesTest, RigidShiftMovesEachCopyAsAWhole) {
    settings_.sketchRepeats = 5;
    settings_.sketchShiftAmount = 8;
    AIArtHandle star = MakeStarLike(300, 400, 50);
    const auto outline = Segments(star);
    ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
    const auto art = Layer();
    for (size_t k = 1; k < art.size(); ++k) {
        const auto copy = Segments(art[k]);
        const float sx = copy[0].p.h - outline[0].p.h, sy = copy[0].p.v - outline[0].p.v;
        EXPECT_LT(std::fabs(sx), 8.0f);
        EXPECT_LT(std::fabs(sy), 8.0f);
        for (size_t i = 0; i < copy.size(); ++i) {
            EXPECT_FLOAT_EQ(copy[i].p.h, outline[i].p.h + sx);
            EXPECT_FLOAT_EQ(copy[i].in.v, outline[i].in.v + sy);
            EXPECT_FLOAT_EQ(copy[i].out.h, outline[i].out.h + sx);
        }
    }
}

TEST_F(CopiesTest, EveryColourOption) {
    settings_.sketchRepeats = 2;
    settings_.sketchShiftAmount = 4;
    const PaintColor stroke = easel::RgbColor(0.5f, 0.25f, 1.0f);
    for (int mode : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 99, -1}) {
        SCOPED_TRACE(mode);
        settings_.sketchColorMode = mode;
        PrepareRun();
        AIArtHandle star = MakeStarLike(300, 400, 50);
        Paint(star, easel::RgbColor(1, 1, 1), stroke);
        ASSERT_EQ(BlendStyleSuite()->SetOpacity(star, 0.5f), kSPNoError);
        const size_t first = Layer().size();
        ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
        const auto art = Layer();
        ASSERT_EQ(art.size(), first + 2);
        for (size_t k = first; k < art.size(); ++k) {
            const PathStyle s = Style(art[k]);
            const PaintColor& c = s.strokeColor;
            const float opacity = Opacity(art[k]);
            const bool same = std::memcmp(&c, &stroke, sizeof c) == 0;
            const bool black = c.c[0] == 0 && c.c[1] == 0 && c.c[2] == 0;
            const bool reduced = c.c[0] == 0.4f && c.c[1] == 0.2f && c.c[2] == 0.8f;
            EXPECT_EQ(s.fillPaint, 0);
            EXPECT_EQ(s.strokePaint, 1);
            switch (mode) {
                case 0: EXPECT_TRUE(black); break;
                case 2: case 9: EXPECT_TRUE(!same && !black); break;
                case 3: {  // a paintable swatch's colour, or the star's when the position is missing
                    bool swatch = false;
                    for (size_t i = 2; i < Doc().swatches.size(); ++i)
                        swatch |= std::memcmp(&Doc().swatches[i].color, &c, sizeof c) == 0;
                    EXPECT_TRUE(swatch || same);
                    break;
                }
                case 4: EXPECT_TRUE(reduced); break;
                case 5: EXPECT_TRUE(reduced || same); break;
                case 6: EXPECT_TRUE(black || !same); break;
                case 7: EXPECT_TRUE(!same) << "the colour comes from the shift"; break;
                case 8: EXPECT_TRUE(black); break;
                case 11: ExpectRgb(c, 1, 1, 1); break;
                default: EXPECT_TRUE(same); break;
            }
            if (mode == 8 || mode == 9 || mode == 11) EXPECT_NE(opacity, 0.5f);
            else if (mode == 10) EXPECT_FLOAT_EQ(opacity, 0.4f) << "each copy from the star";
            else EXPECT_EQ(opacity, 0.5f);
        }
    }
}

TEST_F(CopiesTest, ShiftColourUsesTheLastSegmentsShifts) {
    settings_.sketchRepeats = 1;
    settings_.sketchShiftAmount = 4;
    settings_.sketchColorMode = 7;
    AIArtHandle star = MakeStarLike(300, 400, 50);
    const auto outline = Segments(star);
    ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
    const AIArtHandle copy = Layer()[1];
    const auto moved = Segments(copy);
    const float sx = moved.back().in.h - outline.back().in.h;
    const float sy = moved.back().out.v - outline.back().out.v;
    // The shifts read back from coordinates near 400 lose a few bits: compare closely, not exactly.
    const PaintColor c = Style(copy).strokeColor;
    EXPECT_NEAR(c.c[0], sy / 4, 1e-4);
    EXPECT_NEAR(c.c[1], sy / 4, 1e-4);
    EXPECT_NEAR(c.c[2], sx / 4, 1e-4);
    EXPECT_NE(c.c[0], 0.0f);
}

TEST_F(CopiesTest, ShiftColourBeforeAnyShiftIsBlack) {
    settings_.sketchRepeats = 2;
    settings_.sketchShiftAmount = 4;
    settings_.sketchColorMode = 7;
    AIArtHandle empty = MakePath({});  // nothing to shift, so nothing is remembered
    Paint(empty, easel::RgbColor(1, 1, 1), easel::RgbColor(0.5f, 0.25f, 1.0f));
    ASSERT_EQ(AddSketchStrokes(run_, empty), kSPNoError);
    for (size_t k = 1; k < Layer().size(); ++k) ExpectRgb(Style(Layer()[k]).strokeColor, 0, 0, 0);
}

}  // namespace
}  // namespace corvanta::testing
