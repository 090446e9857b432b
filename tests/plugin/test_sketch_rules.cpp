// Sketch strokes and the drop shadow, value by value, from a scripted random source: every
// sketch colour option (the random ones at and around their thresholds, with three inputs
// each), the rigid and the scribbled shift, "Sketch width(R)", the order of a copy's draws,
// and the shadow's offset, opacity and squash. Expected values are worked by hand.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "FinishingFixture.h"
#include "ScriptedRandom.h"
#include "suites/Runtime.h"

namespace corvanta::testing {
namespace {

class SketchRulesTest : public FinishingTest {
protected:
    void SetUp() override {
        FinishingTest::SetUp();
        settings_.randomSketchShift = 0;
        settings_.randomSketchWidth = 0;
        settings_.sketchWeightTenths = 15;
        settings_.sketchRepeats = 1;
        PrepareRun();
    }
    std::vector<AIArtHandle> Layer() {
        std::vector<AIArtHandle> out;
        for (easel::ArtId id : Doc().layers.back().art) out.push_back(easel::ArtHandle(id));
        return out;
    }
    // Two segments whose handles lie apart from their anchors.
    AIArtHandle MakeCurve() {
        AIArtHandle path = nullptr;
        EXPECT_EQ(ArtSuite()->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path), kSPNoError);
        for (int16_t i = 0; i < 2; ++i) {
            const AIPathSegment seg = kCurve[i];
            EXPECT_EQ(PathSuite()->SetPathSegments(path, i, 1, &seg), kSPNoError);
        }
        return path;
    }
    void Paint(AIArtHandle art, PaintColor stroke, float opacity) {
        PathStyle s = Style(art);
        s.fillPaint = 1;
        s.fillColor = easel::RgbColor(1, 1, 1);
        s.strokeColor = stroke;
        s.strokePaint = 0;  // the copies are stroked all the same
        SetStyle(art, s);
        ASSERT_EQ(BlendStyleSuite()->SetOpacity(art, opacity), kSPNoError);
    }
    static void ExpectColor(const PaintColor& c, const PaintColor& want) {
        EXPECT_EQ(c.kind, want.kind);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(c.c[i], want.c[i]) << "component " << i;
    }

    static constexpr AIPathSegment kCurve[2] = {
        {{100, 100}, {98, 103}, {104, 97}, 1},
        {{140, 120}, {136, 121}, {143, 118}, 1},
    };
};

// ---- Colour options ----------------------------------------------------------------------

struct ColourCase {
    const char* name;
    int32_t mode;
    PaintColor stroke;          // the star's
    float shift;                // "Sketch shift(p)"
    std::vector<float> draws;   // after the shift's four
    PaintColor want;
    float opacity;              // the copy's; the star has 0.5
};

TEST_F(SketchRulesTest, EveryColourOptionWithItsDraws) {
    using easel::CmykColor, easel::GrayColor, easel::RgbColor;
    const PaintColor rgb = RgbColor(0.5f, 0.25f, 1), cmyk = CmykColor(0.5f, 0.25f, 0.75f, 0.4f);
    const PaintColor gray = GrayColor(0.6f);
    // The shift's draws: + 0.5 × amount in x, − 0.25 × amount in y (8: 4 and −2).
    const std::vector<float> shiftDraws = {0.5f, 0.5f, Above(0.5f), 0.25f};
    const ColourCase cases[] = {
        {"black, cmyk", 0, cmyk, 0, {}, CmykColor(1, 1, 1, 1), 0.5f},
        {"same colour", 1, rgb, 0, {}, rgb, 0.5f},
        {"random colour keeps a cmyk black", 2, cmyk, 0, {0.125f, 0.25f, 0.375f}, CmykColor(0.125f, 0.25f, 0.375f, 0.4f), 0.5f},
        {"random colour, gray", 2, gray, 0, {0.875f}, GrayColor(0.875f), 0.5f},
        {"reduced, rgb", 4, rgb, 0, {}, RgbColor(0.4f, 0.2f, 0.8f), 0.5f},
        {"reduced, cmyk", 4, cmyk, 0, {}, CmykColor(0.4f, 0.2f, 0.6f, 0.32f), 0.5f},
        // Random reduced: reduce only for a draw above 0.5.
        {"random reduced at 0.5", 5, rgb, 0, {0.5f}, rgb, 0.5f},
        {"random reduced just above 0.5", 5, cmyk, 0, {Above(0.5f)}, CmykColor(0.4f, 0.2f, 0.6f, 0.32f), 0.5f},
        {"random reduced at 0.75", 5, gray, 0, {0.75f}, GrayColor(0.48f), 0.5f},
        {"random reduced at 0.25", 5, gray, 0, {0.25f}, gray, 0.5f},
        // Random black / colour: black above 0.5, else a random colour.
        {"black / colour just above 0.5", 6, rgb, 0, {Above(0.5f)}, RgbColor(0, 0, 0), 0.5f},
        {"black / colour at 0.5", 6, cmyk, 0, {0.5f, 0.125f, 0.25f, 0.375f}, CmykColor(0.125f, 0.25f, 0.375f, 0.4f), 0.5f},
        {"black / colour at 0.25", 6, gray, 0, {0.25f, 0.625f}, GrayColor(0.625f), 0.5f},
        {"black / colour at 0.75, gray", 6, gray, 0, {0.75f}, GrayColor(1), 0.5f},
        // From the shift: out.y, p.y and in.x shifts over the amount; black without an amount.
        {"shift colour without a shift", 7, rgb, 0, {}, RgbColor(0, 0, 0), 0.5f},
        {"shift colour, rgb", 7, rgb, 8, {}, RgbColor(-0.25f, -0.25f, 0.5f), 0.5f},
        {"shift colour, cmyk keeps its black", 7, cmyk, 8, {}, CmykColor(-0.25f, -0.25f, 0.5f, 0.4f), 0.5f},
        {"shift colour, gray", 7, gray, 8, {}, GrayColor(-0.25f), 0.5f},
        // The opacity's draw comes before the colour's.
        {"black + random opacity", 8, rgb, 0, {0.375f}, RgbColor(0, 0, 0), 0.375f},
        {"random colour + random opacity", 9, rgb, 0, {0.375f, 0.125f, 0.25f, 0.625f}, RgbColor(0.125f, 0.25f, 0.625f), 0.375f},
        {"reducing opacity", 10, rgb, 0, {}, rgb, 0.4f},
        {"white + random opacity, rgb", 11, rgb, 0, {0.625f}, RgbColor(1, 1, 1), 0.625f},
        {"white + random opacity, cmyk", 11, cmyk, 0, {0.625f}, CmykColor(0, 0, 0, 0), 0.625f},
        {"outside the list", 12, rgb, 0, {}, rgb, 0.5f},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.sketchColorMode = c.mode;
        settings_.sketchShiftAmount = c.shift;
        run_ = GeneratorRun{};
        PrepareRun();
        AIArtHandle star = MakeCurve();
        Paint(star, c.stroke, 0.5f);
        std::vector<float> draws = shiftDraws;
        draws.insert(draws.end(), c.draws.begin(), c.draws.end());
        {
            ScriptedRandom script(draws);
            ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
            EXPECT_EQ(script.Taken(), draws.size());
        }
        const AIArtHandle copy = Layer().back();
        ASSERT_NE(copy, star);
        const PathStyle s = Style(copy);
        ExpectColor(s.strokeColor, c.want);
        EXPECT_EQ(s.strokePaint, 1);
        EXPECT_EQ(s.fillPaint, 0);
        EXPECT_FLOAT_EQ(s.strokeWidth, 1.5f);
        EXPECT_FLOAT_EQ(BlendStyleSuite()->GetOpacity(copy), c.opacity);
    }
}

TEST_F(SketchRulesTest, RandomSwatchColourByItsPosition) {
    // Position rnd × count + 1, at least 2 and at most the count; the swatches at 2 and 3
    // differ, so a position off by one fails.
    const int32_t count = run_.swatchCount;
    ASSERT_GE(count, 4) << "the new document's swatch list";
    const struct {
        float draw;
        int32_t position;
    } cases[] = {{0.0f, 2}, {1.5f / static_cast<float>(count), 2},
                 {2.5f / static_cast<float>(count), 3}, {Below(1.0f), count}};
    settings_.sketchColorMode = 3;
    settings_.sketchShiftAmount = 0;
    PaintColor second{}, third{};
    AISwatchRef ref = nullptr;
    ASSERT_EQ(SwatchListSuite()->GetNthSwatch(2, &ref), kSPNoError);
    ASSERT_EQ(SwatchListSuite()->GetSwatchColor(ref, &second), kSPNoError);
    ASSERT_EQ(SwatchListSuite()->GetNthSwatch(3, &ref), kSPNoError);
    ASSERT_EQ(SwatchListSuite()->GetSwatchColor(ref, &third), kSPNoError);
    ASSERT_NE(std::memcmp(&second, &third, sizeof second), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.draw);
        // A position the host has no swatch for (this host numbers from 0, so the count is
        // one past the end) leaves the star's colour.
        AISwatchRef swatch = nullptr;
        PaintColor want = easel::RgbColor(0.5f, 0.25f, 1);
        if (SwatchListSuite()->GetNthSwatch(c.position, &swatch) == kSPNoError && swatch)
            ASSERT_EQ(SwatchListSuite()->GetSwatchColor(swatch, &want), kSPNoError);
        else
            EXPECT_EQ(c.position, count);
        AIArtHandle star = MakeCurve();
        Paint(star, easel::RgbColor(0.5f, 0.25f, 1), 1);
        {
            ScriptedRandom script({0.5f, 0.5f, 0.5f, 0.5f, c.draw});
            ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
            EXPECT_EQ(script.Taken(), 5u);
        }
        ExpectColor(Style(Layer().back()).strokeColor, want);
    }
}

// ---- Shift and scribble ------------------------------------------------------------------

TEST_F(SketchRulesTest, RigidShiftAndScribbleByTheirDraws) {
    settings_.sketchShiftAmount = 8;
    settings_.sketchColorMode = 7;
    // sx = + 0.5 × 8 = 4 (a sign draw of 0.25 is +); sy = − 0.75 × 8 = −6.
    const std::vector<float> shift = {0.25f, 0.5f, Above(0.5f), 0.75f};
    // Scribbled, each coordinate moves by sign × s × rnd (sign + at 0.5 and below), in the
    // order p.x, p.y, in.x, in.y, out.x, out.y, with s = 4 for x and −6 for y.
    const std::vector<float> scribble = {
        0.5f, 0.25f, 0.75f, 0.5f, 0.0f, 0.75f, 0.25f, 0.125f, Above(0.5f), 0.5f, 0.5f, 0.625f,  // segment 0
        0.875f, 0.125f, 0.125f, 0.25f, 0.5f, 0.5f, 0.75f, 0.75f, 0.25f, 0.0f, Above(0.5f), 0.375f,  // 1
    };
    const float scribbled[2][6] = {
        {1, 3, 3, -0.75f, -2, -3.75f},
        {-0.5f, -1.5f, 2, 4.5f, 0, 2.25f},
    };
    for (bool scribbling : {false, true}) {
        SCOPED_TRACE(scribbling ? "scribbled" : "rigid");
        settings_.randomSketchShift = scribbling;
        run_ = GeneratorRun{};
        PrepareRun();
        AIArtHandle star = MakeCurve();
        Paint(star, easel::RgbColor(0.5f, 0.25f, 1), 1);
        std::vector<float> draws = shift;
        if (scribbling) draws.insert(draws.end(), scribble.begin(), scribble.end());
        {
            ScriptedRandom script(draws);
            ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
            EXPECT_EQ(script.Taken(), draws.size());
        }
        const AIArtHandle copy = Layer().back();
        const auto segs = Segments(copy);
        ASSERT_EQ(segs.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            const float* d = scribbled[i];
            const float rigid[6] = {4, -6, 4, -6, 4, -6};
            const float* by = scribbling ? d : rigid;
            const AIPathSegment& from = kCurve[i];
            EXPECT_FLOAT_EQ(segs[i].p.h, from.p.h + by[0]) << i;
            EXPECT_FLOAT_EQ(segs[i].p.v, from.p.v + by[1]) << i;
            EXPECT_FLOAT_EQ(segs[i].in.h, from.in.h + by[2]) << i;
            EXPECT_FLOAT_EQ(segs[i].in.v, from.in.v + by[3]) << i;
            EXPECT_FLOAT_EQ(segs[i].out.h, from.out.h + by[4]) << i;
            EXPECT_FLOAT_EQ(segs[i].out.v, from.out.v + by[5]) << i;
        }
        // " Use shift": the last segment's out.y, p.y and in.x shifts over 8.
        const PaintColor c = Style(copy).strokeColor;
        if (scribbling) ExpectColor(c, easel::RgbColor(0.28125f, -0.1875f, 0.25f));
        else ExpectColor(c, easel::RgbColor(-0.75f, -0.75f, 0.5f));
        // The star itself is not moved.
        const auto star0 = Segments(star);
        EXPECT_EQ(star0[0].p.h, 100.0f);
        EXPECT_EQ(star0[1].out.v, 118.0f);
    }
}

TEST_F(SketchRulesTest, EachCopyStartsFromTheStar) {
    // Three copies, each shifted from the star, not from the copy before; a shift of 0 in
    // one direction still moves the copy in the other.
    settings_.sketchRepeats = 3;
    settings_.sketchShiftAmount = 8;
    AIArtHandle star = MakeCurve();
    {
        ScriptedRandom script({0.25f, 0.5f, 0.25f, 0.25f,          // (+4, +2)
                               Above(0.5f), 0.125f, 0.5f, 0.875f,  // (−1, +7)
                               Above(0.5f), 0.0f, 0.5f, 0.375f});  // (0, +3)
        ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
        EXPECT_EQ(script.Taken(), 12u);
    }
    const auto art = Layer();
    ASSERT_EQ(art.size(), 4u);
    const AIRealPoint want[3] = {{4, 2}, {-1, 7}, {0, 3}};
    for (size_t k = 0; k < 3; ++k) {
        const auto segs = Segments(art[k + 1]);
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_FLOAT_EQ(segs[i].p.h, kCurve[i].p.h + want[k].h) << k;
            EXPECT_FLOAT_EQ(segs[i].p.v, kCurve[i].p.v + want[k].v) << k;
        }
    }
}

TEST_F(SketchRulesTest, NoRepeatsNoCopiesAndNoDraws) {
    for (int32_t repeats : {0, -3}) {
        settings_.sketchRepeats = repeats;
        AIArtHandle star = MakeCurve();
        const size_t before = Layer().size();
        ScriptedRandom script({});
        ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
        EXPECT_EQ(Layer().size(), before);
        EXPECT_EQ(Layer().back(), star);
    }
}

// ---- Sketch width(R) -----------------------------------------------------------------------

TEST_F(SketchRulesTest, SketchWidthIsTheWeightOrADrawnFractionOfItAfterTheColour) {
    // Scribble and width draws are both on when the record is new.
    const StarSettings fresh = DefaultSettings();
    EXPECT_NE(fresh.randomSketchShift, 0);
    EXPECT_NE(fresh.randomSketchWidth, 0);

    // The width's draw is a copy's last: after the shift and the colour (option 9: opacity,
    // then three components).
    settings_.sketchColorMode = 9;
    settings_.sketchShiftAmount = 0;
    const struct {
        bool random;
        float draw;  // < 0: none
        float width;
    } cases[] = {{false, -1, 1.5f}, {true, 0.5f, 0.75f}, {true, 0.25f, 0.375f}, {true, 0.0f, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.draw);
        settings_.randomSketchWidth = c.random;
        AIArtHandle star = MakeCurve();
        Paint(star, easel::RgbColor(0.5f, 0.25f, 1), 1);
        std::vector<float> draws = {0.5f, 0.5f, 0.5f, 0.5f, 0.875f, 0.125f, 0.25f, 0.625f};
        if (c.draw >= 0) draws.push_back(c.draw);
        {
            ScriptedRandom script(draws);
            ASSERT_EQ(AddSketchStrokes(run_, star), kSPNoError);
            EXPECT_EQ(script.Taken(), draws.size());
        }
        const AIArtHandle copy = Layer().back();
        const PathStyle s = Style(copy);
        EXPECT_FLOAT_EQ(s.strokeWidth, c.width);
        ExpectColor(s.strokeColor, easel::RgbColor(0.125f, 0.25f, 0.625f));
        EXPECT_FLOAT_EQ(BlendStyleSuite()->GetOpacity(copy), 0.875f);
    }
}

// ---- Drop shadow ---------------------------------------------------------------------------

TEST_F(SketchRulesTest, ShadowOffsetOpacityAndSquashByTheirDraws) {
    settings_.dropShadow = 1;
    const struct {
        const char* name;
        bool angle, opacity, scale;
        std::vector<float> draws;
        float dx, dy, alpha, squash;
    } cases[] = {
        {"fixed", false, false, false, {}, 5, -5, 1, 1},
        // A sign (+ at 0.5 and below), then dx = rnd × sign × 5; again for dy with −5.
        {"angle +, −", true, false, false, {0.5f, 0.5f, Above(0.5f), 0.25f}, 2.5f, 1.25f, 1, 1},
        {"angle −, +", true, false, false, {Above(0.5f), 0.75f, 0.25f, 0.5f}, -3.75f, -2.5f, 1, 1},
        {"opacity", false, true, false, {0.375f}, 5, -5, 0.375f, 1},
        {"squash", false, false, true, {0.25f}, 5, -5, 1, 0.25f},
        {"all, in order", true, true, true, {0.25f, 0.125f, 0.75f, 0.5f, 0.625f, 0.75f}, 0.625f, 2.5f, 0.625f, 0.75f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.randomShadowAngle = c.angle;
        settings_.randomShadowOpacity = c.opacity;
        settings_.randomShadowScale = c.scale;
        AIArtHandle star = MakePath({{100, 100}, {140, 100}, {140, 180}});
        {
            ScriptedRandom script(c.draws);
            ASSERT_EQ(AddDropShadow(run_, star), kSPNoError);
            EXPECT_EQ(script.Taken(), c.draws.size());
        }
        const auto art = Layer();
        ASSERT_GE(art.size(), 2u);
        ASSERT_EQ(art.back(), star);
        const AIArtHandle shadow = art[art.size() - 2];
        EXPECT_FLOAT_EQ(BlendStyleSuite()->GetOpacity(shadow), c.alpha);
        // Moved by (dx, dy), then squashed toward its bottom edge (y = 100 + dy).
        const auto segs = Segments(shadow);
        const AIRealPoint star0[] = {{100, 100}, {140, 100}, {140, 180}};
        ASSERT_EQ(segs.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(segs[i].p.h, star0[i].h + c.dx, 1e-4) << i;
            EXPECT_NEAR(segs[i].p.v, 100 + c.dy + c.squash * (star0[i].v - 100), 1e-4) << i;
        }
    }
}

}  // namespace
}  // namespace corvanta::testing
