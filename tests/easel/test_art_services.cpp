// Opacity, transforms, shape construction, duplication, bounds, symbols and graphic styles,
// through the suites as the generator calls them, with their refusals and their undo.
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "ArtServicesFixture.h"

namespace easel::testing {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

using OpacityTest = ArtServicesTest;

TEST_F(OpacityTest, ClampsRefusesNaNAndIsUndone) {
    AIArtHandle h = PathWith(2);
    NextMessage();
    EXPECT_EQ(blend->GetOpacity(h), 1.0f);
    ASSERT_EQ(blend->SetOpacity(h, 0.25f), kSPNoError);
    EXPECT_EQ(blend->GetOpacity(h), 0.25f);
    ASSERT_EQ(blend->SetOpacity(h, 3.0f), kSPNoError);
    EXPECT_EQ(blend->GetOpacity(h), 1.0f);
    ASSERT_EQ(blend->SetOpacity(h, -kInf), kSPNoError);
    EXPECT_EQ(blend->GetOpacity(h), 0.0f);
    EXPECT_EQ(blend->SetOpacity(h, kNaN), kSPBadParameterError);
    EXPECT_EQ(blend->GetOpacity(h), 0.0f);
    EXPECT_EQ(blend->SetOpacity(nullptr, 0.5f), kSPBadParameterError);
    EXPECT_EQ(blend->GetOpacity(nullptr), 1.0f);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(blend->GetOpacity(h), 1.0f);
}

TEST_F(OpacityTest, LockedLayerIsRefused) {
    AIArtHandle h = PathWith(2);
    Doc().layers[0].locked = true;
    EXPECT_EQ(blend->SetOpacity(h, 0.5f), kAILockedLayerError);
    EXPECT_EQ(blend->GetOpacity(h), 1.0f);
}

using TransformTest = ArtServicesTest;

TEST_F(TransformTest, FlagsFifteenKeepTheStrokeWidthAndSixteenScalesIt) {
    AIArtHandle h = Rect(10, 20, 4, 2);
    const AIRealMatrix twice{2, 0, 0, 2, 1, -1};
    ASSERT_EQ(transform->TransformArt(h, &twice, 1.0f, 15), kSPNoError);
    PathStyle st{};
    ASSERT_EQ(style->GetPathStyle(h, &st), kSPNoError);
    EXPECT_EQ(st.strokeWidth, 1.0f);
    const auto segs = Segments(h);
    EXPECT_EQ(segs[0].p.h, 2 * 8.0f + 1);  // top-left (8, 21) -> (17, 41)
    EXPECT_EQ(segs[0].p.v, 2 * 21.0f - 1);

    ASSERT_EQ(transform->TransformArt(h, &twice, 3.0f, 15 | kScaleLines), kSPNoError);
    ASSERT_EQ(style->GetPathStyle(h, &st), kSPNoError);
    EXPECT_EQ(st.strokeWidth, 3.0f);

    // Without kTransformObjects the geometry stays; the width still follows lineScale.
    ASSERT_EQ(transform->TransformArt(h, &twice, 0.5f, kScaleLines), kSPNoError);
    EXPECT_EQ(Segments(h)[0].p.h, 2 * 17.0f + 1);
    ASSERT_EQ(style->GetPathStyle(h, &st), kSPNoError);
    EXPECT_EQ(st.strokeWidth, 1.5f);
}

TEST_F(TransformTest, RotationAboutACentreAsTheGeneratorBuildsIt) {
    AIArtHandle h = Rect(100, 100, 20, 10);
    AIRealMatrix m{};
    math->AIRealMatrixSetTranslate(&m, -100, -100);
    math->AIRealMatrixConcatRotate(&m, static_cast<float>(std::numbers::pi / 2));
    math->AIRealMatrixConcatTranslate(&m, 100, 100);
    ASSERT_EQ(transform->TransformArt(h, &m, 1.0f, 15), kSPNoError);
    AIRealRect b{};
    ASSERT_EQ(art->GetArtBounds(h, &b), kSPNoError);
    EXPECT_NEAR(b.left, 95, 1e-4);
    EXPECT_NEAR(b.right, 105, 1e-4);
    EXPECT_NEAR(b.bottom, 90, 1e-4);
    EXPECT_NEAR(b.top, 110, 1e-4);
}

TEST_F(TransformTest, BadArgumentsAndOverflowChangeNothing) {
    AIArtHandle h = Rect(0, 0, 2, 2);
    NextMessage();
    const Document before = Doc();
    const AIRealMatrix ok{1, 0, 0, 1, 0, 0};
    const AIRealMatrix nan{kNaN, 0, 0, 1, 0, 0};
    const AIRealMatrix huge{3e38f, 0, 0, 3e38f, 0, 0};  // once fits a float, twice does not
    EXPECT_EQ(transform->TransformArt(nullptr, &ok, 1, 15), kSPBadParameterError);
    EXPECT_EQ(transform->TransformArt(h, nullptr, 1, 15), kSPBadParameterError);
    EXPECT_EQ(transform->TransformArt(h, &nan, 1, 15), kSPBadParameterError);
    EXPECT_EQ(transform->TransformArt(h, &ok, 1, 1 << 5), kSPBadParameterError);
    EXPECT_EQ(transform->TransformArt(h, &ok, kNaN, 15 | kScaleLines), kSPBadParameterError);
    EXPECT_EQ(transform->TransformArt(h, &ok, -1, 15 | kScaleLines), kSPBadParameterError);
    EXPECT_EQ(transform->TransformArt(h, &ok, kNaN, 15), kSPNoError);  // lineScale unused
    EXPECT_TRUE(SameDocument(before, Doc()));
    ASSERT_EQ(transform->TransformArt(h, &huge, 1, 15), kSPNoError);
    EXPECT_EQ(transform->TransformArt(h, &huge, 1, 15), kSPBadParameterError);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_TRUE(SameDocument(before, Doc()));
}

using ShapeTest = ArtServicesTest;

TEST_F(ShapeTest, RectangleCornersRunCounterClockwiseFromTopLeft) {
    AIArtHandle h = Rect(50, 40, 20, 10);
    SPBoolean closed = 0;
    ASSERT_EQ(path->GetPathClosed(h, &closed), kSPNoError);
    EXPECT_EQ(closed, 1);
    const auto s = Segments(h);
    ASSERT_EQ(s.size(), 4u);
    const float expected[4][2] = {{40, 45}, {40, 35}, {60, 35}, {60, 45}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(s[i].p.h, expected[i][0]) << i;
        EXPECT_EQ(s[i].p.v, expected[i][1]) << i;
        EXPECT_EQ(s[i].in.h, s[i].p.h);
        EXPECT_EQ(s[i].out.v, s[i].p.v);
        EXPECT_EQ(s[i].corner, 1);
    }
    const AIRealPoint c{50, 40};
    AIArtHandle r = nullptr;
    ASSERT_EQ(shapes->NewPointPointRect(&c, 20, 10, 1, &r), kSPNoError);
    const auto back = Segments(r);
    EXPECT_EQ(back[1].p.h, 60);  // reversed: top-left, top-right, ...
    EXPECT_EQ(back[1].p.v, 45);
    // Made with the current paint, above all.
    PathStyle st{};
    ASSERT_EQ(style->GetPathStyle(h, &st), kSPNoError);
    EXPECT_EQ(std::memcmp(&st, &Doc().currentPaint, sizeof st), 0);
    EXPECT_EQ(LayerArt().back(), Id(r));
}

TEST_F(ShapeTest, EllipsePassesThroughItsFourAnchorsAndItsDiagonalPoints) {
    AIArtHandle h = Oval(10, 20, 40, 20);
    const auto s = Segments(h);
    ASSERT_EQ(s.size(), 4u);
    const float anchors[4][2] = {{10, 30}, {-10, 20}, {10, 10}, {30, 20}};  // top, left, bottom, right
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(s[i].p.h, anchors[i][0]) << i;
        EXPECT_EQ(s[i].p.v, anchors[i][1]) << i;
        EXPECT_EQ(s[i].corner, 0);
    }
    // The middle of each quarter arc lies on the ellipse.
    for (size_t i = 0; i < 4; ++i) {
        const AIPathSegment& a = s[i];
        const AIPathSegment& b = s[(i + 1) % 4];
        const double x = (a.p.h + 3.0 * a.out.h + 3.0 * b.in.h + b.p.h) / 8;
        const double y = (a.p.v + 3.0 * a.out.v + 3.0 * b.in.v + b.p.v) / 8;
        const double r = std::pow((x - 10) / 20, 2) + std::pow((y - 20) / 10, 2);
        EXPECT_NEAR(r, 1.0, 1e-6) << i;
    }
    AIRealRect b{};
    ASSERT_EQ(art->GetArtBounds(h, &b), kSPNoError);
    EXPECT_EQ(b.left, -10);
    EXPECT_EQ(b.top, 30);
}

TEST_F(ShapeTest, RefusalsMakeNothing) {
    const AIRealPoint c{0, 0}, bad{kNaN, 0}, edge{3.4e38f, 0};
    AIArtHandle h = nullptr;
    EXPECT_EQ(shapes->NewPointPointRect(nullptr, 1, 1, 0, &h), kSPBadParameterError);
    EXPECT_EQ(shapes->NewPointPointRect(&c, 1, 1, 0, nullptr), kSPBadParameterError);
    EXPECT_EQ(shapes->NewPointPointOval(&bad, 1, 1, 0, &h), kSPBadParameterError);
    EXPECT_EQ(shapes->NewPointPointOval(&c, kInf, 1, 0, &h), kSPBadParameterError);
    EXPECT_EQ(shapes->NewPointPointRect(&edge, 3.4e38f, 1, 0, &h), kSPBadParameterError);
    EXPECT_EQ(h, nullptr);
    EXPECT_TRUE(LayerArt().empty());
    Doc().layers[0].visible = false;
    EXPECT_EQ(shapes->NewPointPointOval(&c, 1, 1, 0, &h), kAILockedLayerError);
    // Zero extents are a degenerate shape, not an error.
    Doc().layers[0].visible = true;
    EXPECT_EQ(shapes->NewPointPointRect(&c, 0, 0, 0, &h), kSPNoError);
}

using DuplicateTest = ArtServicesTest;

TEST_F(DuplicateTest, BelowAnObjectAndAboveAll) {
    AIArtHandle a = PathWith(2);
    AIArtHandle star = PathWith(3);
    AIArtHandle c = PathWith(1);
    AIArtHandle shadow = nullptr, sketch = nullptr;
    ASSERT_EQ(art->DuplicateArt(star, kPlaceBelow, star, &shadow), kSPNoError);
    ASSERT_EQ(art->DuplicateArt(star, kPlaceAboveAll, nullptr, &sketch), kSPNoError);
    EXPECT_EQ(LayerArt(), (std::vector<ArtId>{Id(a), Id(shadow), Id(star), Id(c), Id(sketch)}));
    EXPECT_EQ(Count(shadow), 3);
    ASSERT_EQ(blend->SetOpacity(star, 0.5f), kSPNoError);
    AIArtHandle copy = nullptr;
    ASSERT_EQ(art->DuplicateArt(star, kPlaceAbove, a, &copy), kSPNoError);
    EXPECT_EQ(blend->GetOpacity(copy), 0.5f);
    EXPECT_EQ(LayerArt()[1], Id(copy));
}

using SymbolTest = ArtServicesTest;

TEST_F(SymbolTest, CopiesTheArtLeavesItAndNamesEachNewSymbol) {
    AIArtHandle star = PathWith(5);
    ASSERT_EQ(blend->SetOpacity(star, 0.75f), kSPNoError);
    AIPatternHandle first = nullptr;
    ASSERT_EQ(symbols->NewSymbolFromArt(star, &first, 0), kSPNoError);
    EXPECT_NE(first, nullptr);
    ASSERT_EQ(symbols->NewSymbolFromArt(star, nullptr, 0), kSPNoError);
    int32_t n = 0;
    ASSERT_EQ(symbols->CountSymbols(&n), kSPNoError);
    EXPECT_EQ(n, 2);
    const auto& list = Doc().symbols;
    EXPECT_EQ(list[0].name, "New Symbol");
    EXPECT_EQ(list[1].name, "New Symbol 1");
    EXPECT_EQ(list[0].art.path.SegmentCount(), 5u);
    EXPECT_EQ(list[0].art.opacity, 0.75f);
    EXPECT_EQ(list[0].art.id, 0u);
    // The art stays on the page, and later changes to it do not reach the definition.
    EXPECT_EQ(LayerArt().size(), 1u);
    const AIPathSegment s = Seg(100, 100);
    ASSERT_EQ(path->SetPathSegments(star, 0, 1, &s), kSPNoError);
    EXPECT_EQ(list[0].art.path.segments[0].px, 0.0f);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

TEST_F(SymbolTest, RefusalsAndUndo) {
    AIArtHandle star = PathWith(2);
    NextMessage();
    EXPECT_EQ(symbols->NewSymbolFromArt(nullptr, nullptr, 0), kSPBadParameterError);
    EXPECT_EQ(symbols->NewSymbolFromArt(star, nullptr, 1), kSPBadParameterError);
    EXPECT_EQ(symbols->CountSymbols(nullptr), kSPBadParameterError);
    ASSERT_EQ(symbols->NewSymbolFromArt(star, nullptr, 0), kSPNoError);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_TRUE(Doc().symbols.empty());
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

using GraphicStyleTest = ArtServicesTest;

TEST_F(GraphicStyleTest, EveryStyleIsNamedAndAssigningAppliesPaintAndOpacity) {
    int32_t count = 0;
    ASSERT_EQ(artStyle->CountArtStyles(&count), kSPNoError);
    ASSERT_GE(count, 3);
    EXPECT_EQ(Doc().styles[0].name, "[Default]");
    AIArtHandle h = PathWith(3);
    NextMessage();
    for (int32_t i = 1; i < count; ++i) {
        AIArtStyleHandle g = nullptr;
        ASSERT_EQ(artStyle->GetNthArtStyle(i, &g), kSPNoError);
        ASSERT_EQ(artStyle->SetArtStyle(h, g), kSPNoError);
        const GraphicStyle& want = Doc().styles[size_t(i)];
        PathStyle st{};
        ASSERT_EQ(style->GetPathStyle(h, &st), kSPNoError);
        EXPECT_EQ(std::memcmp(&st, &want.paint, sizeof st), 0) << want.name;
        EXPECT_EQ(blend->GetOpacity(h), want.opacity) << want.name;
    }
    // The styles are visibly different from the default paint and from each other.
    for (int32_t i = 1; i < count; ++i)
        EXPECT_NE(std::memcmp(&Doc().styles[size_t(i)].paint, &Doc().styles[0].paint, sizeof(PathStyle)), 0);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(blend->GetOpacity(h), 1.0f);
}

TEST(DocumentColourModel, StylesAndSwatchesAreWrittenInTheModel) {
    for (ColorModel model : {ColorModel::Gray, ColorModel::RGB, ColorModel::CMYK}) {
        const Document d = NewDocument(model);
        const int32_t kind = model == ColorModel::Gray ? kGrayColor : model == ColorModel::RGB ? kThreeColor : kFourColor;
        for (const GraphicStyle& g : d.styles) {
            EXPECT_EQ(g.paint.fillColor.kind, kind) << g.name;
            EXPECT_EQ(g.paint.strokeColor.kind, kind) << g.name;
            for (float c : g.paint.fillColor.c) EXPECT_TRUE(c >= 0 && c <= 1) << g.name;
        }
    }
}

}  // namespace
}  // namespace easel::testing
