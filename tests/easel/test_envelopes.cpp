// Envelopes: the Coons patch and the warps as geometry alone, then MakeEnvelope and
// SetEnvelopeWarp through the suite, the content handle staying usable, and undo.
#include <cmath>
#include <cstring>
#include <numbers>

#include "ArtServicesFixture.h"
#include "document/Envelope.h"
#include "geometry/Coons.h"
#include "geometry/Warp.h"

namespace easel::testing {
namespace {

using geometry::Box;
using geometry::Point;

PathData Polygon(std::initializer_list<Point> points, bool closed = true) {
    PathData p;
    for (const Point& q : points) {
        AIPathSegment s = Seg(static_cast<float>(q.x), static_cast<float>(q.y));
        p.SetSegment(p.SegmentCount(), s);
    }
    p.closed = closed;
    return p;
}

TEST(CoonsPatch, ARectangleOutlineIsTheBilinearMapOfItsCorners) {
    // Either direction, starting anywhere: the patch's corners are the rectangle's.
    for (bool reverse : {false, true}) {
        std::vector<Point> ring = geometry::Flatten(Polygon({{10, 30}, {10, 10}, {50, 10}, {50, 30}}), 4);
        if (reverse) std::reverse(ring.begin(), ring.end());
        const auto patch = geometry::CoonsPatch::FromOutline(ring);
        for (double u : {0.0, 0.25, 0.5, 1.0})
            for (double v : {0.0, 0.3, 1.0}) {
                const Point p = patch.At(u, v);
                EXPECT_NEAR(p.x, 10 + 40 * u, 1e-9) << u << "," << v;
                EXPECT_NEAR(p.y, 10 + 20 * v, 1e-9) << u << "," << v;
            }
    }
}

TEST(CoonsPatch, DegenerateOutlinesStayFinite) {
    const auto single = geometry::CoonsPatch::FromOutline({{3, 4}, {3, 4}, {3, 4}});
    EXPECT_EQ(single.At(0.5, 0.5).x, 3);
    EXPECT_EQ(single.At(0.5, 0.5).y, 4);
    const auto none = geometry::CoonsPatch::FromOutline({});
    EXPECT_TRUE(std::isfinite(none.At(0.2, 0.9).x));
    const auto line = geometry::CoonsPatch::FromOutline({{0, 0}, {10, 0}});
    for (double u : {0.0, 0.5, 1.0}) {
        const Point p = line.At(u, 0.5);
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        EXPECT_NEAR(p.y, 0, 1e-12);
    }
}

TEST(Warps, EveryWarpIsFiniteStaysInASaneBoxAndBendZeroIsTheIdentity) {
    const Box box{100, 200, 160, 230};  // 60 × 30 around (130, 215)
    for (int32_t style = geometry::kFirstWarp; style <= geometry::kLastWarp; ++style)
        for (double bend : {-1.0, -0.3, 0.0, 1e-12, 0.5, 1.0})
            for (double h : {-1.0, 0.0, 1.0})
                for (bool rotate : {false, true})
                    for (double u = 0; u <= 1.0; u += 0.125)
                        for (double v = 0; v <= 1.0; v += 0.125) {
                            const geometry::WarpParams w{style, bend, h, -h, rotate};
                            const Point p = geometry::WarpPoint(w, box, u, v);
                            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << style;
                            // Twice the larger extent around the centre, with the distortions' 1.5.
                            EXPECT_LE(std::fabs(p.x - 130), 1.5 * 2 * 60) << style << " " << bend;
                            EXPECT_LE(std::fabs(p.y - 215), 1.5 * 2 * 60) << style << " " << bend;
                            if (bend == 0 && h == 0) {
                                EXPECT_NEAR(p.x, 100 + 60 * u, 1e-9) << style;
                                EXPECT_NEAR(p.y, 200 + 30 * v, 1e-9) << style;
                            }
                        }
}

TEST(Warps, TheyDifferFromOneAnother) {
    const Box box{0, 0, 100, 50};
    std::vector<std::vector<double>> seen;
    for (int32_t style = geometry::kFirstWarp; style <= geometry::kLastWarp; ++style) {
        std::vector<double> samples;
        for (double u = 0; u <= 1.0; u += 0.25)
            for (double v = 0; v <= 1.0; v += 0.25) {
                const Point p = geometry::WarpPoint({style, 0.7, 0, 0, false}, box, u, v);
                samples.push_back(p.x);
                samples.push_back(p.y);
            }
        for (const auto& other : seen) EXPECT_NE(samples, other) << style;
        seen.push_back(samples);
    }
}

TEST(Warps, ArcBendsTheBoxAroundACircleAndAZeroSizedBoxStays) {
    const Box box{-50, -10, 50, 10};
    // With bend 1 the ends turn by 90 degrees: the bottom-left corner points straight left.
    const Point end = geometry::WarpPoint({1, 1, 0, 0, false}, box, 0, 0.5);
    const Point middle = geometry::WarpPoint({1, 1, 0, 0, false}, box, 0.5, 0.5);
    const double r0 = 50 / (std::numbers::pi / 2);
    EXPECT_NEAR(end.x, -r0, 1e-9);
    EXPECT_NEAR(end.y, -r0, 1e-9);
    EXPECT_NEAR(middle.y, 0, 1e-9);
    const Point flat = geometry::WarpPoint({1, 1, 1, 1, true}, Box{5, 5, 5, 9}, 0.5, 0.25);
    EXPECT_EQ(flat.x, 5);
    EXPECT_EQ(flat.y, 6);
}

using EnvelopeTest = ArtServicesTest;

TEST_F(EnvelopeTest, SquareIntoAnEllipseLiesOnTheEllipse) {
    AIArtHandle square = Rect(0, 0, 10, 10);
    AIArtHandle ellipse = Oval(300, 400, 200, 100);
    AIArtHandle env = nullptr;
    ASSERT_EQ(envelope->MakeEnvelope(&square, 1, ellipse, nullptr, &env), kSPNoError);
    int16_t type = 0;
    ASSERT_EQ(art->GetArtType(env, &type), kSPNoError);
    EXPECT_EQ(type, kEnvelopeArt);
    // The envelope takes the square's place; content and shape leave the page.
    EXPECT_EQ(LayerArt(), std::vector<ArtId>{Id(env)});

    const Art* e = Doc().FindArt(Id(env));
    const PathData result = EnvelopeResult(Doc(), *e);
    EXPECT_TRUE(result.closed);
    EXPECT_EQ(result.SegmentCount(), 4u * 8u);  // fidelity 50: 8 pieces per segment
    for (const SegmentPoints& p : result.segments) {
        const double r = std::pow((p.px - 300) / 100.0, 2) + std::pow((p.py - 400) / 50.0, 2);
        EXPECT_NEAR(r, 1.0, 2e-3) << p.px << "," << p.py;
    }
    AIRealRect b{};
    ASSERT_EQ(art->GetArtBounds(env, &b), kSPNoError);
    EXPECT_NEAR(b.left, 200, 0.5);
    EXPECT_NEAR(b.right, 400, 0.5);
    EXPECT_NEAR(b.top, 450, 0.5);
}

TEST_F(EnvelopeTest, TheContentHandleStaysUsableAndTheResultFollowsIt) {
    AIArtHandle star = PathWith(4);
    const AIPathSegment last = Seg(10, 0);
    ASSERT_EQ(path->SetPathSegments(star, 3, 1, &last), kSPNoError);
    AIArtHandle below = PathWith(1);
    AIArtHandle shape = nullptr;
    ASSERT_EQ(art->DuplicateArt(star, kPlaceAboveAll, nullptr, &shape), kSPNoError);
    AIArtHandle env = nullptr;
    AIEnvelopeOptions options{0, 50};
    ASSERT_EQ(envelope->MakeEnvelope(&star, 1, shape, &options, &env), kSPNoError);

    // The generator's later phases work on the star itself.
    EXPECT_EQ(Count(star), 4);
    AIArtHandle shadow = nullptr, sketch = nullptr;
    ASSERT_EQ(art->DuplicateArt(star, kPlaceBelow, star, &shadow), kSPNoError);
    ASSERT_EQ(art->DuplicateArt(star, kPlaceAboveAll, nullptr, &sketch), kSPNoError);
    EXPECT_EQ(LayerArt(), (std::vector<ArtId>{Id(shadow), Id(env), Id(below), Id(sketch)}));
    EXPECT_EQ(Count(shadow), 4);
    PathStyle st{};
    ASSERT_EQ(style->GetPathStyle(star, &st), kSPNoError);
    st.strokeWidth = 7;
    ASSERT_EQ(style->SetPathStyle(star, &st), kSPNoError);
    ASSERT_EQ(blend->SetOpacity(star, 0.5f), kSPNoError);
    ASSERT_EQ(symbols->NewSymbolFromArt(star, nullptr, 0), kSPNoError);
    EXPECT_EQ(Doc().symbols.back().art.path.SegmentCount(), 4u);
    const AIRealMatrix move{1, 0, 0, 1, 5, 0};
    ASSERT_EQ(transform->TransformArt(shadow, &move, 1, 15), kSPNoError);

    const Art shown = ShownArt(Doc(), *Doc().FindArt(Id(env)));
    EXPECT_EQ(shown.style.strokeWidth, 7);
    EXPECT_EQ(shown.opacity, 0.5f);
    // Moving the content moves the result (the shape stays, so the result is in the shape).
    ASSERT_EQ(transform->TransformArt(star, &move, 1, 15), kSPNoError);
    const Art after = ShownArt(Doc(), *Doc().FindArt(Id(env)));
    EXPECT_EQ(after.path.SegmentCount(), shown.path.SegmentCount());

    // An envelope is not a path, and its content cannot be enveloped twice.
    int16_t n = 0;
    EXPECT_EQ(path->GetPathSegmentCount(env, &n), kSPBadParameterError);
    EXPECT_EQ(style->SetPathStyle(env, &st), kSPBadParameterError);
    AIArtHandle other = Rect(0, 0, 1, 1), again = nullptr;
    EXPECT_EQ(envelope->MakeEnvelope(&star, 1, other, nullptr, &again), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(&other, 1, shape, nullptr, &again), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(&other, 1, env, nullptr, &again), kSPBadParameterError);
}

TEST_F(EnvelopeTest, RefusalsLeaveTheDocumentAsItWas) {
    AIArtHandle a = Rect(0, 0, 4, 4);
    AIArtHandle b = Oval(0, 0, 8, 8);
    NextMessage();
    const Document before = Doc();
    AIArtHandle env = nullptr;
    const AIEnvelopeOptions tooFine{0, 101};
    AIArtHandle pair[2] = {a, b};
    EXPECT_EQ(envelope->MakeEnvelope(&a, 1, b, nullptr, nullptr), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(nullptr, 1, b, nullptr, &env), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(pair, 2, b, nullptr, &env), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(&a, 0, b, nullptr, &env), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(&a, 1, a, nullptr, &env), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(&a, 1, nullptr, nullptr, &env), kSPBadParameterError);
    EXPECT_EQ(envelope->MakeEnvelope(&a, 1, b, &tooFine, &env), kSPBadParameterError);
    EXPECT_EQ(envelope->SetEnvelopeWarp(a, 1, 0, 0, 0, 0), kSPBadParameterError);  // not an envelope
    Doc().layers[0].locked = true;
    EXPECT_EQ(envelope->MakeEnvelope(&a, 1, b, nullptr, &env), kAILockedLayerError);
    Doc().layers[0].locked = false;
    EXPECT_EQ(env, nullptr);
    EXPECT_TRUE(SameDocument(before, Doc()));

    ASSERT_EQ(envelope->MakeEnvelope(&a, 1, b, nullptr, &env), kSPNoError);
    for (int32_t warp : {0, 16, -1})
        EXPECT_EQ(envelope->SetEnvelopeWarp(env, warp, 0, 0, 0, 0), kSPBadParameterError) << warp;
    EXPECT_EQ(envelope->SetEnvelopeWarp(env, 1, 1.5f, 0, 0, 0), kSPBadParameterError);
    EXPECT_EQ(envelope->SetEnvelopeWarp(env, 1, 0, std::nanf(""), 0, 0), kSPBadParameterError);
    EXPECT_EQ(envelope->SetEnvelopeWarp(env, 1, 0, 0, -INFINITY, 0), kSPBadParameterError);
    EXPECT_EQ(Doc().FindArt(Id(env))->envelope.warp, 0);
}

TEST_F(EnvelopeTest, EveryPresetWarpGivesAFiniteOutlineNearTheContent) {
    for (int32_t warp = 1; warp <= 15; ++warp) {
        AIArtHandle star = Rect(300, 300, 80, 40);
        AIArtHandle shape = Oval(300, 300, 10, 10);
        AIArtHandle env = nullptr;
        ASSERT_EQ(envelope->MakeEnvelope(&star, 1, shape, nullptr, &env), kSPNoError);
        const SPBoolean rotate = warp % 2 ? 1 : 0;
        ASSERT_EQ(envelope->SetEnvelopeWarp(env, warp, -0.8f, 0.4f, -1.0f, rotate), kSPNoError);
        const PathData r = EnvelopeResult(Doc(), *Doc().FindArt(Id(env)));
        ASSERT_EQ(r.SegmentCount(), 32u) << warp;
        for (const SegmentPoints& p : r.segments) {
            EXPECT_TRUE(std::isfinite(p.px) && std::isfinite(p.py));
            EXPECT_LE(std::fabs(p.px - 300), 3 * 80) << warp;
            EXPECT_LE(std::fabs(p.py - 300), 3 * 80) << warp;
        }
    }
}

TEST_F(EnvelopeTest, UndoPutsEarlierArtBackWhereItStood) {
    AIArtHandle low = PathWith(1);
    AIArtHandle star = Rect(10, 10, 4, 4);
    AIArtHandle mid = PathWith(2);
    AIArtHandle shape = Oval(10, 10, 20, 10);
    AIArtHandle top = PathWith(3);
    NextMessage();
    const Document before = Doc();
    const std::vector<ArtId> order = LayerArt();

    AIArtHandle made = PathWith(2);  // made in this message, below the envelope's place
    AIArtHandle env = nullptr;
    ASSERT_EQ(envelope->MakeEnvelope(&star, 1, shape, nullptr, &env), kSPNoError);
    ASSERT_EQ(envelope->SetEnvelopeWarp(env, 9, 0.5f, 0, 0, 1), kSPNoError);
    ASSERT_EQ(blend->SetOpacity(env, 0.3f), kSPNoError);
    AIArtHandle copy = nullptr;
    ASSERT_EQ(art->DuplicateArt(env, kPlaceBelow, low, &copy), kSPNoError);
    ASSERT_EQ(symbols->NewSymbolFromArt(env, nullptr, 0), kSPNoError);
    (void)made;
    (void)mid;
    (void)top;

    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(LayerArt(), order);
    EXPECT_TRUE(SameDocument(before, Doc()));
    EXPECT_EQ(Doc().FindArt(Id(star))->owner, 0u);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
    int16_t type = 0;
    EXPECT_EQ(art->GetArtType(env, &type), kSPBadParameterError);
    EXPECT_EQ(art->GetArtType(copy, &type), kSPBadParameterError);
    // And the same again, now that the slots are reused.
    ASSERT_EQ(envelope->MakeEnvelope(&star, 1, shape, nullptr, &env), kSPNoError);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(LayerArt(), order);
}

TEST_F(EnvelopeTest, DuplicatingAnEnvelopeCopiesItsContentAndShape) {
    AIArtHandle star = Rect(10, 10, 4, 4);
    AIArtHandle shape = Oval(10, 10, 20, 10);
    AIArtHandle env = nullptr, copy = nullptr;
    ASSERT_EQ(envelope->MakeEnvelope(&star, 1, shape, nullptr, &env), kSPNoError);
    ASSERT_EQ(art->DuplicateArt(env, kPlaceAboveAll, nullptr, &copy), kSPNoError);
    const Art* c = Doc().FindArt(Id(copy));
    ASSERT_EQ(c->kind, ArtKind::Envelope);
    EXPECT_NE(c->envelope.content, Id(star));
    EXPECT_EQ(Doc().FindArt(c->envelope.content)->owner, Id(copy));
    const AIPathSegment s = Seg(50, 50);
    ASSERT_EQ(path->SetPathSegments(star, 0, 1, &s), kSPNoError);
    EXPECT_NE(EnvelopeResult(Doc(), *Doc().FindArt(Id(env))).segments[0].px,
              EnvelopeResult(Doc(), *c).segments[0].px);
}

// Every call of an envelope's life failing in turn: each failure is reported, nothing
// crashes, and undo always brings the document back.
TEST(EnvelopeFaults, EveryFailingCallIsReportedAndUndoneCleanly) {
    for (int64_t nth = 1; nth < 40; ++nth) {
        Host host([&] {
            HostConfig c;
            c.faults.push_back({"*", nth, kSPOutOfMemoryError});
            return c;
        }());
        host.NewDocument();
        const SPBasicSuite* b = host.Basic();
        const auto* art = Acquire<AIArtSuite>(b, kAIArtSuite, kAIArtSuiteVersion);
        const auto* shapes = Acquire<AIShapeConstructionSuite>(b, kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion);
        const auto* env = Acquire<AIEnvelopeSuite>(b, kAIEnvelopeSuite, kAIEnvelopeSuiteVersion);
        const auto* sym = Acquire<AISymbolSuite>(b, kAISymbolSuite, kAISymbolSuiteVersion);
        const auto* xf = Acquire<AITransformArtSuite>(b, kAITransformArtSuite, kAITransformArtSuiteVersion);
        const auto* undo = Acquire<AIUndoSuite>(b, kAIUndoSuite, kAIUndoSuiteVersion);
        const auto* blend = Acquire<AIBlendStyleSuite>(b, kAIBlendStyleSuite, kAIBlendStyleSuiteVersion);
        host.BeginMessage();
        const AIRealPoint c{100, 100};
        AIArtHandle early = nullptr;
        shapes->NewPointPointRect(&c, 30, 30, 0, &early);
        host.EndMessage();
        host.BeginMessage();
        const Document before = *host.CurrentDocument();
        bool failed = false;
        const auto call = [&](SPErr e) {
            if (e == kSPOutOfMemoryError) failed = true;
            return e == kSPNoError;
        };
        AIArtHandle shape = nullptr, e = nullptr, copy = nullptr, shadow = nullptr;
        const AIRealMatrix m{1, 0, 0, 1, 3, 4};
        if (call(shapes->NewPointPointOval(&c, 60, 40, 0, &shape)) &&
            call(env->MakeEnvelope(&early, 1, shape, nullptr, &e)) &&
            call(env->SetEnvelopeWarp(e, 15, 0.5f, 0, 0, 0)) && call(blend->SetOpacity(e, 0.5f)) &&
            call(art->DuplicateArt(e, kPlaceAboveAll, nullptr, &copy)) &&
            call(art->DuplicateArt(early, kPlaceBelow, early, &shadow)) && call(xf->TransformArt(e, &m, 1, 15)) &&
            call(sym->NewSymbolFromArt(early, nullptr, 0))) {
        }
        if (failed) {
            ASSERT_EQ(undo->UndoChanges(), kSPNoError);
            EXPECT_TRUE(SameDocument(before, *host.CurrentDocument())) << nth;
            EXPECT_EQ(host.HeldArtBytes(), host.CurrentDocument()->ArtBytes()) << nth;
        }
    }
}

}  // namespace
}  // namespace easel::testing
