// A path's segment storage: copies share it until one is written, corner flags packed in
// words, bounds kept with the segments; and what the document and a render list rely on:
// a list made from the document never sees a later edit, undone or not.
#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <tuple>

#include "SuiteFixture.h"
#include "document/SegmentStore.h"
#include "render/RenderList.h"

namespace easel::testing {
namespace {

SegmentPoints At(float x, float y) { return {x, y, x - 1, y - 1, x + 1, y + 1}; }

// `n` segments at (i, 2i), corners where i % 3 == 0.
SegmentStore Made(size_t n) {
    SegmentStore s;
    for (size_t i = 0; i < n; ++i) s.Append(At(float(i), float(2 * i)), i % 3 == 0);
    return s;
}

void ExpectMade(const SegmentStore& s, size_t n) {
    ASSERT_EQ(s.size(), n);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(s[i].px, float(i)) << i;
        EXPECT_EQ(s[i].oy, float(2 * i) + 1) << i;
        EXPECT_EQ(s.Corner(i), i % 3 == 0) << i;
    }
}

TEST(SegmentStore, AWriteThroughOneCopyLeavesTheOtherAsItWas) {
    // 70 segments: the corner flags span two words, and the append lands in the second.
    SegmentStore a = Made(70);
    ASSERT_LT(a.size(), a.capacity());  // room to append in place, were the block not shared
    SegmentStore b = a;
    EXPECT_TRUE(a.Shared());
    EXPECT_EQ(a.data(), b.data());

    b.Set(1, At(100, 100), true);   // a flag that was off, in the first word
    b.Set(66, At(200, 200), false); // one that was on, in the second
    b.Append(At(300, 300), true);
    ExpectMade(a, 70);
    EXPECT_FALSE(a.Shared());
    ASSERT_EQ(b.size(), 71u);
    EXPECT_EQ(b[1].px, 100);
    EXPECT_TRUE(b.Corner(1));
    EXPECT_FALSE(b.Corner(66));
    EXPECT_EQ(b[70].px, 300);
    EXPECT_TRUE(b.Corner(70));
    EXPECT_EQ(b.capacity(), a.capacity()) << "a copy made for a write keeps the room it had";

    // A store appended to in place after its copy went keeps every flag of its own.
    SegmentStore c = Made(3);
    { SegmentStore gone = c; }
    EXPECT_FALSE(c.Shared());
    const SegmentPoints* before = c.data();
    EXPECT_TRUE(c.TryAppend(At(9, 9), false));
    EXPECT_EQ(c.data(), before);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[3].px, 9);
    EXPECT_FALSE(c.Corner(3));
    EXPECT_TRUE(c.Corner(0));
}

TEST(SegmentStore, AppendsInPlaceOnlyWithRoomAndNoSharer) {
    SegmentStore s;
    EXPECT_FALSE(s.TryAppend(At(0, 0), true)) << "no block yet";
    s.Append(At(0, 0), true);
    EXPECT_EQ(s.capacity(), 32u);
    for (int i = 1; i < 32; ++i) EXPECT_TRUE(s.TryAppend(At(float(i), 0), false));
    EXPECT_FALSE(s.TryAppend(At(32, 0), false)) << "full";
    s.Append(At(32, 0), false);
    EXPECT_EQ(s.capacity(), 64u);
    const SegmentStore copy = s;
    EXPECT_FALSE(s.TryAppend(At(33, 0), false)) << "shared";
    EXPECT_EQ(s.size(), 33u);
    EXPECT_EQ(copy.size(), 33u);
}

TEST(SegmentStore, CornerFlagsOverManyWordsSetAndCleared) {
    SegmentStore s = Made(200);
    ExpectMade(s, 200);
    for (size_t i = 0; i < 200; ++i) s.Set(i, s[i], i % 3 != 0);
    for (size_t i = 0; i < 200; ++i) EXPECT_EQ(s.Corner(i), i % 3 != 0) << i;
}

TEST(SegmentStore, ClearAndShrink) {
    SegmentStore s = Made(40);
    const size_t room = s.capacity();
    SegmentStore copy = s;
    s.Clear();  // shared: let go, the copy keeps all
    EXPECT_EQ(s.capacity(), 0u);
    ExpectMade(copy, 40);
    copy.Clear();  // its own now: the room stays for new segments
    EXPECT_EQ(copy.size(), 0u);
    EXPECT_EQ(copy.capacity(), room);

    SegmentStore t = Made(40);
    t.ShrinkToFit();
    EXPECT_EQ(t.capacity(), 40u);
    ExpectMade(t, 40);
    t.Clear();
    t.ShrinkToFit();
    EXPECT_EQ(t.capacity(), 0u);
}

TEST(SegmentStore, BoundsCoverHandlesAndFollowEveryWrite) {
    SegmentStore s;
    PointBounds b{1, 2, 3, 4};
    EXPECT_FALSE(s.FiniteBounds(b));
    s.Append({5, 6, -1, 7, 8, -2}, true);
    ASSERT_TRUE(s.FiniteBounds(b));
    EXPECT_EQ(b.left, -1);
    EXPECT_EQ(b.bottom, -2);
    EXPECT_EQ(b.right, 8);
    EXPECT_EQ(b.top, 7);
    s.Append({20, 0, 20, 0, 20, 0}, true);  // after bounds were known
    ASSERT_TRUE(s.FiniteBounds(b));
    EXPECT_EQ(b.right, 20);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        SegmentStore t = s;
        t.Set(1, {20, 0, 20, bad, 20, 0}, true);
        EXPECT_FALSE(t.FiniteBounds(b)) << bad;
        EXPECT_TRUE(s.FiniteBounds(b)) << "the shared original keeps its bounds";
        t.Set(1, {0, 0, 0, 0, 0, 0}, true);
        ASSERT_TRUE(t.FiniteBounds(b));
        EXPECT_EQ(b.right, 8);
    }
    s.Clear();
    EXPECT_FALSE(s.FiniteBounds(b));
}

// Where -0 and +0 are both the extreme, the box keeps the first met: point after point, anchor,
// then in handle, then out handle. Placement reads these bounds, so the sign is part of what a
// seed draws.
TEST(SegmentStore, BoundsKeepTheFirstOfTwoZeros) {
    struct Case {
        size_t at;        // the point holding -0 ...
        int slot;         // ... as its anchor (0), in handle (1) or out handle (2)
        size_t plusAt;    // the point holding +0
        int plusSlot;
        bool negative;    // the left edge is -0
    };
    const Case cases[] = {
        {0, 0, 0, 1, true},  {0, 1, 0, 0, false}, {0, 2, 0, 1, false}, {0, 1, 0, 2, true},
        {3, 2, 7, 0, true},  {7, 0, 3, 2, false}, {5, 1, 5, 2, true},  {6, 2, 6, 0, false},
    };
    for (const Case& c : cases) {
        SegmentStore s;
        for (size_t i = 0; i < 9; ++i) s.Append({1.5f + float(i), 1, 2, 2, 3, 3}, true);
        for (const auto& [at, slot, value] : {std::tuple{c.at, c.slot, -0.0f}, std::tuple{c.plusAt, c.plusSlot, 0.0f}}) {
            SegmentPoints p = s[at];
            (slot == 0 ? p.px : slot == 1 ? p.ix : p.ox) = value;
            s.Set(at, p, true);
        }
        PointBounds b;
        ASSERT_TRUE(s.FiniteBounds(b));
        EXPECT_EQ(b.left, 0.0f);
        EXPECT_EQ(std::signbit(b.left), c.negative) << c.at << "/" << c.slot << " against " << c.plusAt << "/" << c.plusSlot;
        const PointBounds ordered = OrderedBounds(s.data(), s.size());
        EXPECT_EQ(std::signbit(ordered.left), c.negative);
    }
}

TEST(SegmentStore, SameSegmentsComparesPointsAndFlags) {
    const SegmentStore a = Made(65);
    SegmentStore b = Made(65);
    EXPECT_TRUE(SameSegments(a, b));
    b.Set(64, b[64], !b.Corner(64));
    EXPECT_FALSE(SameSegments(a, b));
    SegmentStore c = Made(64);
    EXPECT_FALSE(SameSegments(a, c));
}

// A render thread reads and drops its copy while the document writes its own: each side sees
// only its segments, and the block goes when the last holder drops it (the sanitizer build
// would catch a block freed early or never).
TEST(SegmentStore, CopiesReadAndDroppedOnAnotherThreadWhileTheOwnerWrites) {
    SegmentStore s = Made(100);
    int wrong = 0;
    for (int round = 0; round < 200; ++round) {
        std::thread reader([copy = SegmentStore(s), round, &wrong]() mutable {
            float sum = 0;
            for (const SegmentPoints& p : copy) sum += p.px;
            PointBounds b;
            if (!copy.FiniteBounds(b) || b.right != std::max(100.0f, 99.0f + float(round)) || sum != 4950.0f + 100.0f * float(round)) ++wrong;
            copy = SegmentStore{};
        });
        PointBounds b;
        ASSERT_TRUE(s.FiniteBounds(b));
        for (size_t i = 0; i < s.size(); ++i) {
            SegmentPoints p = s[i];
            p.px += 1;
            s.Set(i, p, s.Corner(i));
        }
        reader.join();
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(s.Shared());
    EXPECT_EQ(s[99].px, 299);
}

// The document hands its paths' storage to render lists; whatever it does afterwards, a
// list keeps the segments it was made with.
using SharedWithRenderList = SuiteTest;

TEST_F(SharedWithRenderList, AListKeepsItsSegmentsThroughWritesUndoAndReuse) {
    AIArtHandle h = PathWith(3);
    NextMessage();
    const auto list = MakeRenderList(Doc());
    ASSERT_EQ(list->paths.size(), 1u);
    const SegmentStore& shown = list->paths[0].segments;
    EXPECT_EQ(shown.data(), Doc().FindArt(Doc().layers[0].art[0])->path.segments.data()) << "shared, not copied";

    // Written over and appended to: the document copies its path first.
    const AIPathSegment moved = Seg(50, 60);
    ASSERT_EQ(path->SetPathSegments(h, 1, 1, &moved), kSPNoError);
    ASSERT_EQ(path->SetPathSegments(h, 3, 1, &moved), kSPNoError);
    EXPECT_EQ(Count(h), 4);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].px, 1);

    // Undone: the path goes back to the journal's copy, and the list still holds its own.
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(Count(h), 3);
    EXPECT_EQ(shown[1].px, 1);

}

TEST_F(SharedWithRenderList, APathUndoneAwayDoesNotLendAListsStorageToTheNext) {
    PathWith(3);  // made in this message: undo keeps its storage for the next new path
    const auto list = MakeRenderList(Doc());
    ASSERT_EQ(list->paths.size(), 1u);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    AIArtHandle next = NewPath();
    const AIPathSegment far[2] = {Seg(900, 900), Seg(901, 901)};
    ASSERT_EQ(path->SetPathSegments(next, 0, 2, far), kSPNoError);
    const SegmentStore& shown = list->paths[0].segments;
    ASSERT_EQ(shown.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(shown[i].px, float(i)) << i;
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());

    // Without a list holding it, the storage is taken over: nothing new is allocated.
    PathWith(3);
    NextMessage();
    AIArtHandle again = PathWith(3);
    const SegmentPoints* storage = Doc().FindArt(Doc().layers[0].art.back())->path.segments.data();
    (void)again;
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    AIArtHandle taker = NewPath();
    ASSERT_EQ(path->SetPathSegments(taker, 0, 2, far), kSPNoError);
    EXPECT_EQ(Doc().FindArt(Doc().layers[0].art.back())->path.segments.data(), storage);
}

}  // namespace
}  // namespace easel::testing
