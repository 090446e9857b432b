// The art, path and path style suites: placement, copies, reads and every refusal.
#include <cmath>
#include <cstring>
#include <limits>

#include "SuiteFixture.h"

namespace easel::testing {
namespace {

using ArtAndPath = SuiteTest;

const AIPathSegment kSegmentAt1 = Seg(1, 1);

TEST_F(ArtAndPath, NewPathTakesTheCurrentPaintAndIsPlacedByOrder) {
    Doc().currentPaint.strokeWidth = 3.5f;
    AIArtHandle a = PathWith(1), b = NewPath();
    AIArtHandle under = nullptr, over = nullptr, bottom = nullptr;
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceBelow, b, &under), kSPNoError);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceAbove, a, &over), kSPNoError);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceBelowAll, nullptr, &bottom), kSPNoError);
    // Bottom first: bottom, a, over, under, b. Each gets as many segments as its place.
    const AIArtHandle order[] = {bottom, a, over, under, b};
    for (int i = 0; i < 5; ++i)
        for (int16_t k = Count(order[i]); k <= i; ++k) {
            const AIPathSegment s = Seg(0, 0);
            ASSERT_EQ(path->SetPathSegments(order[i], k, 1, &s), kSPNoError);
        }
    const auto& ids = Doc().layers[0].art;
    ASSERT_EQ(ids.size(), 5u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Doc().FindArt(ids[i])->path.SegmentCount(), i + 1);

    PathStyle got{};
    ASSERT_EQ(style->GetPathStyle(b, &got), kSPNoError);
    EXPECT_EQ(got.strokeWidth, 3.5f);
    SPBoolean closed = 1;
    ASSERT_EQ(path->GetPathClosed(b, &closed), kSPNoError);
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(Doc().FindArt(ids[4])->opacity, 1.0f);
}

TEST_F(ArtAndPath, DuplicateCopiesSegmentsClosedStyleAndOpacity) {
    AIArtHandle a = PathWith(3);
    ASSERT_EQ(path->SetPathClosed(a, 1), kSPNoError);
    Doc().FindArt(Doc().layers[0].art[0])->opacity = 0.5f;
    AIArtHandle copy = nullptr;
    ASSERT_EQ(art->DuplicateArt(a, kPlaceAboveAll, nullptr, &copy), kSPNoError);
    const auto& ids = Doc().layers[0].art;
    ASSERT_EQ(ids.size(), 2u);
    const Art& x = *Doc().FindArt(ids[0]);
    const Art& y = *Doc().FindArt(ids[1]);
    EXPECT_EQ(y.path.segments.size(), 3u);
    EXPECT_TRUE(y.path.closed);
    EXPECT_EQ(y.opacity, 0.5f);
    EXPECT_TRUE(SameSegments(x.path.segments, y.path.segments));
    EXPECT_EQ(std::memcmp(&x.style, &y.style, sizeof(PathStyle)), 0);
}

TEST_F(ArtAndPath, SegmentsRoundTripAndBoundsCoverHandles) {
    AIArtHandle h = NewPath();
    AIRealRect r{1, 1, 1, 1};
    ASSERT_EQ(art->GetArtBounds(h, &r), kSPNoError);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    AIPathSegment in[2] = {Seg(10, 20), Seg(30, 5)};
    in[1].out = {40, -2};
    in[1].corner = 0;
    ASSERT_EQ(path->SetPathSegments(h, 0, 2, in), kSPNoError);
    AIPathSegment out[2]{};
    ASSERT_EQ(path->GetPathSegments(h, 0, 2, out), kSPNoError);
    EXPECT_EQ(out[1].out.h, 40);
    EXPECT_EQ(out[1].corner, 0);
    EXPECT_EQ(out[0].corner, 1);
    ASSERT_EQ(art->GetArtBounds(h, &r), kSPNoError);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, -2);
}

TEST_F(ArtAndPath, BadHandlesPointersAndRangesAreRefused) {
    AIArtHandle h = PathWith(2);
    AILayerHandle lay = nullptr;
    ASSERT_EQ(layer->GetCurrentLayer(&lay), kSPNoError);
    const AIArtHandle forged = reinterpret_cast<AIArtHandle>(lay);  // a layer passed as art
    const AIArtHandle junk = reinterpret_cast<AIArtHandle>(uintptr_t(0xdeadbeef));
    AIPathSegment buf[4]{};
    int16_t n = 0;
    for (AIArtHandle bad : {AIArtHandle(nullptr), forged, junk}) {
        EXPECT_EQ(path->GetPathSegmentCount(bad, &n), kSPBadParameterError);
        EXPECT_EQ(path->SetPathSegments(bad, 0, 1, buf), kSPBadParameterError);
        EXPECT_EQ(path->SetPathClosed(bad, 1), kSPBadParameterError);
        int16_t type = 0;
        EXPECT_EQ(art->GetArtType(bad, &type), kSPBadParameterError);
        AIArtHandle out = nullptr;
        EXPECT_EQ(art->DuplicateArt(bad, kPlaceAboveAll, nullptr, &out), kSPBadParameterError);
        EXPECT_EQ(art->NewArt(kPathArt, kPlaceAbove, bad, &out), kSPBadParameterError);
    }
    EXPECT_EQ(path->GetPathSegmentCount(h, nullptr), kSPBadParameterError);
    EXPECT_EQ(path->GetPathSegments(h, 1, 2, buf), kSPBadParameterError);   // past the end
    EXPECT_EQ(path->GetPathSegments(h, -1, 1, buf), kSPBadParameterError);
    EXPECT_EQ(path->GetPathSegments(h, 0, 1, nullptr), kSPBadParameterError);
    EXPECT_EQ(path->SetPathSegments(h, 3, 1, buf), kSPBadParameterError);   // a gap
    EXPECT_EQ(path->SetPathSegments(h, 0, -1, buf), kSPBadParameterError);
    EXPECT_EQ(path->SetPathSegments(h, 0, 1, nullptr), kSPBadParameterError);
    AIArtHandle out = nullptr;
    EXPECT_EQ(art->NewArt(kUnknownArt, kPlaceAboveAll, nullptr, &out), kSPBadParameterError);
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, h, &out), kSPBadParameterError);
    EXPECT_EQ(art->NewArt(kPathArt, 99, nullptr, &out), kSPBadParameterError);
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, nullptr), kSPBadParameterError);
    EXPECT_EQ(Count(h), 2);
    EXPECT_EQ(Doc().layers[0].art.size(), 1u);
}

TEST_F(ArtAndPath, NonFiniteCoordinatesWriteNothing) {
    AIArtHandle h = PathWith(1);
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (float v : bad) {
        AIPathSegment two[2] = {Seg(1, 1), Seg(2, 2)};
        two[1].in.v = v;  // the second of two: the first must not land either
        EXPECT_EQ(path->SetPathSegments(h, 1, 2, two), kSPBadParameterError);
        EXPECT_EQ(Count(h), 1);
    }
}

// A write to the path written just before skips the lookups; it must refuse and count exactly
// as the first write did.
TEST_F(ArtAndPath, RepeatedWritesToOnePathAreCheckedLikeTheFirst) {
    AIArtHandle h = PathWith(2);
    const float kBad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    for (float v : kBad)
        for (int coordinate = 0; coordinate < 6; ++coordinate) {
            ASSERT_EQ(path->SetPathSegments(h, 1, 1, &kSegmentAt1), kSPNoError);  // the cursor is on h
            AIPathSegment s = Seg(5, 5);
            float* fields[] = {&s.p.h, &s.p.v, &s.in.h, &s.in.v, &s.out.h, &s.out.v};
            *fields[coordinate] = v;
            EXPECT_EQ(path->SetPathSegments(h, 2, 1, &s), kSPBadParameterError) << coordinate;
            EXPECT_EQ(path->SetPathSegments(h, 1, 1, &s), kSPBadParameterError) << coordinate;
            EXPECT_EQ(Count(h), 2);
        }
    const AIPathSegment s = Seg(7, 7);
    ASSERT_EQ(path->SetPathSegments(h, 1, 1, &s), kSPNoError);
    EXPECT_EQ(path->SetPathSegments(h, 3, 1, &s), kSPBadParameterError);  // a gap
    EXPECT_EQ(path->SetPathSegments(h, -1, 1, &s), kSPBadParameterError);
    EXPECT_EQ(path->SetPathSegments(nullptr, 2, 1, &s), kSPBadParameterError);

    // Locked or hidden by the host between two writes.
    for (bool hide : {false, true}) {
        ASSERT_EQ(path->SetPathSegments(h, 2, 1, &s), kSPNoError);
        (hide ? Doc().layers[0].visible : Doc().layers[0].locked) = hide ? false : true;
        EXPECT_EQ(path->SetPathSegments(h, 3, 1, &s), kAILockedLayerError);
        Doc().layers[0].visible = true;
        Doc().layers[0].locked = false;
    }

    // Written in an earlier message: the write is journalled again, and undone.
    NextMessage();
    const int16_t before = Count(h);
    ASSERT_EQ(path->SetPathSegments(h, before, 1, &s), kSPNoError);
    ASSERT_EQ(path->SetPathSegments(h, static_cast<int16_t>(before + 1), 1, &s), kSPNoError);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(Count(h), before);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

class ArtAndPathFaulted : public SuiteTest {
protected:
    static HostConfig ThirdWriteFails() {
        HostConfig c;
        c.faults.push_back({"AI Path Suite/SetPathSegments", 3, kSPOutOfMemoryError});
        return c;
    }
    ArtAndPathFaulted() : SuiteTest(ThirdWriteFails()) {}
};

TEST_F(ArtAndPathFaulted, AnArmedFaultFailsItsWriteEvenInARunOfWrites) {
    AIArtHandle h = PathWith(2);
    const AIPathSegment s = Seg(3, 3);
    EXPECT_EQ(path->SetPathSegments(h, 2, 1, &s), kSPOutOfMemoryError);
    EXPECT_EQ(Count(h), 2);
    EXPECT_EQ(path->SetPathSegments(h, 2, 1, &s), kSPNoError);
    EXPECT_EQ(host_.CallCount("AI Path Suite/SetPathSegments"), 4);
}

TEST_F(ArtAndPath, StyleRefusals) {
    AIArtHandle h = NewPath();
    PathStyle s = Doc().currentPaint;
    for (auto breakIt : {+[](PathStyle& x) { x.fillColor.kind = 7; }, +[](PathStyle& x) { x.strokeColor.kind = -1; },
                         +[](PathStyle& x) { x.strokeWidth = -1; },
                         +[](PathStyle& x) { x.strokeWidth = std::numeric_limits<float>::infinity(); },
                         +[](PathStyle& x) { x.dash.count = 7; }}) {
        PathStyle bad = s;
        breakIt(bad);
        EXPECT_EQ(style->SetPathStyle(h, &bad), kSPBadParameterError);
    }
    EXPECT_EQ(style->SetPathStyle(h, nullptr), kSPBadParameterError);
    EXPECT_EQ(style->GetPathStyle(h, nullptr), kSPBadParameterError);
    s.strokeWidth = 0;
    EXPECT_EQ(style->SetPathStyle(h, &s), kSPNoError);
}

}  // namespace
}  // namespace easel::testing
