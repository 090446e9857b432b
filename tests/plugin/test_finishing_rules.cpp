// The finishing phases' rules as plain functions, without a host: the distortion field, the
// twirl, edge scaling, and the colour actions on one PaintColor.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "AIDocument.h"
#include "generator/ColorActions.h"
#include "generator/Geometry.h"
#include "suites/Runtime.h"

namespace corvanta {
namespace {

const AIRealMathSuite& Math() { return *static_cast<const AIRealMathSuite*>(easel::RealMathSuiteTable()); }

// A scripted draw source: the values given, in order; running past them is a test failure.
std::vector<float> gDraws;
size_t gNext = 0;
float Scripted() {
    if (gNext >= gDraws.size()) {
        ADD_FAILURE() << "more draws than scripted";
        return 0.0f;
    }
    return gDraws[gNext++];
}
void Script(std::vector<float> draws) {
    gDraws = std::move(draws);
    gNext = 0;
}

PaintColor Color(int32_t kind, float a, float b = 0, float c = 0, float d = 0) {
    PaintColor p{};
    p.kind = kind;
    p.c[0] = a, p.c[1] = b, p.c[2] = c, p.c[3] = d;
    return p;
}

void ExpectComponents(const PaintColor& c, int32_t kind, std::vector<float> values) {
    EXPECT_EQ(c.kind, kind);
    for (size_t i = 0; i < values.size(); ++i) EXPECT_FLOAT_EQ(c.c[i], values[i]) << "component " << i;
}

TEST(DistortionFieldRule, FactorOneLandsOnTheCircleAndHalfGoesHalfway) {
    EXPECT_FLOAT_EQ(FieldDistance(40.0f, 1.0f, 100.0f), 100.0f);
    EXPECT_FLOAT_EQ(FieldDistance(140.0f, 1.0f, 100.0f), 100.0f);
    EXPECT_FLOAT_EQ(FieldDistance(40.0f, 0.5f, 100.0f), 70.0f);
    EXPECT_FLOAT_EQ(FieldDistance(40.0f, 0.0f, 100.0f), 40.0f);
    EXPECT_FLOAT_EQ(FieldDistance(40.0f, 2.0f, 100.0f), 160.0f) << "F above 1 overshoots";
    EXPECT_FLOAT_EQ(FieldDistance(40.0f, -1.0f, 100.0f), -20.0f) << "negative F pushes away";
    // A negative radius aims at the mirrored point: the anchor crosses the centre.
    const AIRealPoint p = AlongRay({0, 0}, {30, 40}, 50.0f, FieldDistance(50.0f, 1.0f, -10.0f));
    EXPECT_FLOAT_EQ(p.h, -6.0f);
    EXPECT_FLOAT_EQ(p.v, -8.0f);
}

TEST(TwirlRule, OutermostAnchorsStayAndInnerOnesTurnTheOtherWay) {
    const AIRealPoint c{100, 100};
    const AIRealPoint outer = TwirlAnchor(Math(), {200, 100}, c, 100.0f, 1.0f);
    EXPECT_FLOAT_EQ(outer.h, 200.0f);
    EXPECT_FLOAT_EQ(outer.v, 100.0f);
    // Halfway in, a small twirl turns the anchor by about −T/2 about c, keeping its distance.
    const float T = 0.02f;
    const AIRealPoint inner = TwirlAnchor(Math(), {150, 100}, c, 100.0f, T);
    EXPECT_NEAR(std::atan2(inner.v - 100.0f, inner.h - 100.0f), -T / 2, 1e-4);
    EXPECT_NEAR(std::hypot(inner.h - 100.0f, inner.v - 100.0f), 50.0f, 0.01f);
    // A half turn at the centre's side pushes the anchor out to three times its distance.
    const AIRealPoint far = TwirlAnchor(Math(), {101, 100}, c, 1e6f, static_cast<float>(M_PI));
    EXPECT_NEAR(std::hypot(far.h - 100.0f, far.v - 100.0f), 3.0f, 1e-3);
}

TEST(EdgeScaling, FactorByPlaceOnThePage) {
    EXPECT_FLOAT_EQ(EdgeScaleFactor(Math(), {306, 396}, 612, 792), 1.0f);
    EXPECT_FLOAT_EQ(EdgeScaleFactor(Math(), {153, 396}, 612, 792), 0.51f);
    EXPECT_FLOAT_EQ(EdgeScaleFactor(Math(), {459, 396}, 612, 792), 0.51f) << "the right quarter too";
    EXPECT_FLOAT_EQ(EdgeScaleFactor(Math(), {306, 0}, 612, 792), 0.02f);
    EXPECT_FLOAT_EQ(EdgeScaleFactor(Math(), {612, 792}, 612, 792), 0.02f);
    // The smaller factor of the two axes wins.
    EXPECT_FLOAT_EQ(EdgeScaleFactor(Math(), {153, 99}, 612, 792), 0.265f);
    // Outside the page the factor falls below 0.02 and, far enough, below 0 (a mirror).
    EXPECT_LT(EdgeScaleFactor(Math(), {-10, 396}, 612, 792), 0.02f);
    EXPECT_LT(EdgeScaleFactor(Math(), {-100, 396}, 612, 792), 0.0f);
}

TEST(ColorActions, RandomColourKeepsTheFillsBlackAndZeroesTheStrokes) {
    PaintColor fill = Color(kFourColor, 0, 0, 0, 0.7f);
    Script({0.1f, 0.2f, 0.3f});
    RandomizeColor(fill, Scripted);
    ExpectComponents(fill, kFourColor, {0.1f, 0.2f, 0.3f, 0.7f});
    PaintColor stroke = Color(kFourColor, 0, 0, 0, 0.7f);
    Script({0.1f, 0.2f, 0.3f});
    RandomizeColor(stroke, Scripted, true);
    ExpectComponents(stroke, kFourColor, {0.1f, 0.2f, 0.3f, 0.0f});
    PaintColor gray = Color(kGrayColor, 0.9f);
    Script({0.25f});
    RandomizeColor(gray, Scripted);
    ExpectComponents(gray, kGrayColor, {0.25f});
    EXPECT_EQ(gNext, 1u) << "one draw for gray";
    PaintColor spot = Color(kCustomColor, 0.5f);
    Script({});
    RandomizeColor(spot, Scripted);
    ExpectComponents(spot, kCustomColor, {0.5f});
}

TEST(ColorActions, JitterMovesLessThanAStepAndClamps) {
    // First draw the size, second the sign: r × 10 > 5 is down.
    Script({0.5f, 0.9f});
    EXPECT_FLOAT_EQ(JitterComponent(1.0f, 3.0f, Scripted), -0.5f);
    Script({0.5f, 0.5f});
    EXPECT_FLOAT_EQ(JitterComponent(1.0f, 3.0f, Scripted), 2.5f) << "r × 10 = 5 is not above 5";
    PaintColor white = Color(kThreeColor, 1, 1, 1);
    Script({0.9f, 0.1f, 0.9f, 0.1f, 0.9f, 0.9f});
    JitterColor(white, Scripted);
    ExpectComponents(white, kThreeColor, {1, 1, 0.91f});
    PaintColor cmyk = Color(kFourColor, 0, 0, 0, 1.5f);
    Script({0.5f, 0.9f, 0.5f, 0.9f, 0.5f, 0.9f});
    JitterColor(cmyk, Scripted);
    ExpectComponents(cmyk, kFourColor, {0, 0, 0, 1.5f});
    EXPECT_EQ(gNext, 6u) << "black is neither jittered nor clamped";
}

TEST(ShadowColours, BlackInTheDocumentsModel) {
    const PaintColor star = Color(kThreeColor, 1, 0.5f, 0);
    ExpectComponents(ShadowColor(star, kDocRGBColor, false), kThreeColor, {0, 0, 0});
    ExpectComponents(ShadowColor(star, kDocGrayColor, false), kGrayColor, {1});
    ExpectComponents(ShadowColor(star, kDocCMYKColor, false), kFourColor, {1, 1, 1, 1});
    ExpectComponents(ShadowColor(star, 7, false), kThreeColor, {1, 0.5f, 0});  // an unknown model
}

TEST(ShadowColours, HalfShadowHalvesInTheDocumentsModel) {
    ExpectComponents(ShadowColor(Color(kThreeColor, 1, 0.5f, 0), kDocRGBColor, true), kThreeColor,
                     {0.5f, 0.25f, 0});
    ExpectComponents(ShadowColor(Color(kGrayColor, 0.6f), kDocGrayColor, true), kGrayColor, {0.3f});
    ExpectComponents(ShadowColor(Color(kFourColor, 1, 0.5f, 0, 0.2f), kDocCMYKColor, true), kFourColor,
                     {0.5f, 0.25f, 0, 0.1f});
    // A colour of another model is converted first, so the shadow keeps its look.
    ExpectComponents(ShadowColor(Color(kGrayColor, 1.0f), kDocRGBColor, true), kThreeColor, {0, 0, 0});
    ExpectComponents(ShadowColor(Color(kFourColor, 1, 0, 0, 0), kDocRGBColor, true), kThreeColor,
                     {0, 0.5f, 0.5f});
    ExpectComponents(ShadowColor(Color(kThreeColor, 0.5f, 0.5f, 0.5f), kDocGrayColor, true), kGrayColor,
                     {0.25f});
    PaintColor none = Color(kNoneColor, 0);
    EXPECT_EQ(ShadowColor(none, kDocRGBColor, true).kind, kNoneColor);
    PaintColor gradient = Color(kGradientColor, 0);
    gradient.ref = 1;
    const PaintColor g = ShadowColor(gradient, kDocRGBColor, true);
    ExpectComponents(g, kThreeColor, {0.25f, 0.25f, 0.25f});
    EXPECT_EQ(g.ref, 0);
}

}  // namespace
}  // namespace corvanta
