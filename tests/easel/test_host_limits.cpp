// The host's limits: segments per path, locked and hidden layers, the memory budget.
#include "SuiteFixture.h"

namespace easel::testing {
namespace {

using HostLimits = SuiteTest;

TEST_F(HostLimits, APathHoldsAtMost32767Segments) {
    AIArtHandle h = NewPath();
    std::vector<AIPathSegment> many(kAIMaxPathSegments - 1, Seg(1, 2));
    ASSERT_EQ(path->SetPathSegments(h, 0, static_cast<int16_t>(many.size()), many.data()), kSPNoError);
    const AIPathSegment one = Seg(3, 4);
    ASSERT_EQ(path->SetPathSegments(h, kAIMaxPathSegments - 1, 1, &one), kSPNoError);
    EXPECT_EQ(Count(h), kAIMaxPathSegments);
    EXPECT_EQ(path->SetPathSegments(h, kAIMaxPathSegments, 1, &one), kAITooManySegmentsError);
    EXPECT_EQ(Count(h), kAIMaxPathSegments);
    // Overwriting within the limit is still fine; two segments straddling it write neither.
    const AIPathSegment two[2] = {Seg(5, 5), Seg(6, 6)};
    EXPECT_EQ(path->SetPathSegments(h, kAIMaxPathSegments - 1, 2, two), kAITooManySegmentsError);
    AIPathSegment last{};
    ASSERT_EQ(path->GetPathSegments(h, kAIMaxPathSegments - 1, 1, &last), kSPNoError);
    EXPECT_EQ(last.p.h, 3);
    EXPECT_EQ(path->SetPathSegments(h, kAIMaxPathSegments - 1, 1, two), kSPNoError);
}

TEST_F(HostLimits, LockedOrHiddenLayersTakeNoArtAndNoChanges) {
    AIArtHandle h = PathWith(1);
    for (bool hide : {false, true}) {
        Layer& l = Doc().layers[0];
        l.locked = !hide;
        l.visible = !hide;
        AIArtHandle out = nullptr;
        const AIPathSegment s = Seg(1, 1);
        EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &out), kAILockedLayerError);
        EXPECT_EQ(art->NewArt(kPathArt, kPlaceAbove, h, &out), kAILockedLayerError);
        EXPECT_EQ(art->DuplicateArt(h, kPlaceAboveAll, nullptr, &out), kAILockedLayerError);
        EXPECT_EQ(path->SetPathSegments(h, 1, 1, &s), kAILockedLayerError);
        EXPECT_EQ(path->SetPathClosed(h, 1), kAILockedLayerError);
        EXPECT_EQ(style->SetPathStyle(h, &Doc().currentPaint), kAILockedLayerError);
        EXPECT_EQ(Count(h), 1);  // reading is still allowed
        EXPECT_EQ(Doc().layers[0].art.size(), 1u);
        l.locked = false;
        l.visible = true;
    }
}

class SmallBudget : public SuiteTest {
protected:
    SmallBudget() : SuiteTest(Config()) {}
    static HostConfig Config() {
        HostConfig c;
        c.memoryBudget = 64 * 1024;
        return c;
    }
};

TEST_F(SmallBudget, ADocumentPastItsBudgetIsRefusedWithMinus108) {
    AIArtHandle h = NewPath();
    const AIPathSegment s = Seg(1, 1);
    int16_t written = 0;
    SPErr e = kSPNoError;
    while ((e = path->SetPathSegments(h, written, 1, &s)) == kSPNoError) ++written;
    EXPECT_EQ(e, kSPOutOfMemoryError);
    EXPECT_EQ(Count(h), written);
    EXPECT_GT(written, 1000);  // 24-byte segments: the budget holds a couple of thousand
    EXPECT_LE(host_.HeldArtBytes(), host_.MemoryBudget());
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());

    AIArtHandle copy = nullptr;
    EXPECT_EQ(art->DuplicateArt(h, kPlaceAboveAll, nullptr, &copy), kSPOutOfMemoryError);
    EXPECT_EQ(Doc().layers[0].art.size(), 1u);
    // Undo gives the room back.
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &copy), kSPNoError);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

// The counting rule of the memory budget (document/Document.h), worked by hand: a path costs
// one heap block of a 40-byte header, 24 bytes per segment of room and its corner flags in
// 64-bit words, plus 16 bytes for the allocator's own; the first art gives the document 16 art
// slots and its layer room for 8 ids. Room grows to 32 segments on the first write, then
// doubles; a message's end compacts.
constexpr size_t kBlock = 40 + 16;
TEST_F(HostLimits, MemoryCountOfAPathItsSlotAndItsLayer) {
    host_.EndMessage();
    host_.BeginMessage();
    const size_t empty = host_.HeldArtBytes();
    const size_t slots = 16 * sizeof(std::optional<Art>) + 8 * sizeof(ArtId);
    AIArtHandle h = NewPath();
    EXPECT_EQ(host_.HeldArtBytes() - empty, slots);  // no segment, no heap block yet
    const AIPathSegment s = Seg(1, 2);
    ASSERT_EQ(path->SetPathSegments(h, 0, 1, &s), kSPNoError);
    EXPECT_EQ(host_.HeldArtBytes() - empty, slots + kBlock + 32 * 24 + 8);
    NextMessage();
    EXPECT_EQ(host_.HeldArtBytes() - empty, slots + kBlock + 24 + 8);
    for (int16_t i = 1; i < 33; ++i) ASSERT_EQ(path->SetPathSegments(h, i, 1, &s), kSPNoError);
    // The path existed before this message, so the journal holds its one-segment copy too.
    const size_t copy = sizeof(Art) + kBlock + 24 + 8;
    EXPECT_EQ(host_.HeldArtBytes() - empty, slots + kBlock + 64 * 24 + 8 + copy);
    NextMessage();
    EXPECT_EQ(host_.HeldArtBytes() - empty, slots + kBlock + 33 * 24 + 8);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

// What undo keeps is memory too: the journal's copy of changed art while its message is open,
// and the storage of an undone path until a new path takes it over or the message ends.
TEST_F(HostLimits, MemoryCountOfJournalCopiesAndSpareStorage) {
    AIArtHandle h = PathWith(1);
    NextMessage();
    const size_t committed = host_.HeldArtBytes();
    ASSERT_EQ(path->SetPathClosed(h, 1), kSPNoError);  // copies the art: one segment of room
    EXPECT_EQ(host_.HeldArtBytes() - committed, sizeof(Art) + kBlock + 24 + 8);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(host_.HeldArtBytes(), committed);
    ASSERT_EQ(path->SetPathClosed(h, 1), kSPNoError);
    NextMessage();
    EXPECT_EQ(host_.HeldArtBytes(), committed);

    PathWith(1);  // room for 32 segments until the message ends
    const size_t withPath = host_.HeldArtBytes();
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_EQ(host_.HeldArtBytes(), withPath);  // the path is gone, its storage is kept
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
    PathWith(1);  // takes the storage over: nothing grows
    EXPECT_EQ(host_.HeldArtBytes(), withPath);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    NextMessage();  // the spare storage is let go
    EXPECT_EQ(host_.HeldArtBytes(), committed);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

TEST(HostDocument, SuitesWithoutADocumentAnswerNoDocument) {
    Host host;
    const AIArtSuite* art = Acquire<AIArtSuite>(host.Basic(), kAIArtSuite, kAIArtSuiteVersion);
    const AIUndoSuite* undo = Acquire<AIUndoSuite>(host.Basic(), kAIUndoSuite, kAIUndoSuiteVersion);
    AIArtHandle out = nullptr;
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &out), kSPNoDocumentError);
    EXPECT_EQ(undo->UndoChanges(), kSPNoDocumentError);
}

TEST(HostDocument, ASecondLiveHostAborts) {
    Host first;
    EXPECT_DEATH(Host second, "second Host");
}

}  // namespace
}  // namespace easel::testing
