// Undo: exactly the current message's changes go, nothing else; dead handles are refused.
#include <cstring>

#include "SuiteFixture.h"
#include "document/Journal.h"
#include "suites/Runtime.h"

namespace easel::testing {
namespace {

using JournalTest = SuiteTest;

TEST_F(JournalTest, UndoRemovesThisMessagesArtAndKeepsEarlierArt) {
    AIArtHandle kept = PathWith(3);
    NextMessage();
    AIArtHandle made = PathWith(5);
    AIArtHandle below = nullptr;
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceBelow, kept, &below), kSPNoError);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);

    ASSERT_EQ(Doc().layers[0].art.size(), 1u);
    EXPECT_EQ(Count(kept), 3);
    int16_t n = 0;
    EXPECT_EQ(path->GetPathSegmentCount(made, &n), kSPBadParameterError);
    EXPECT_EQ(path->GetPathSegmentCount(below, &n), kSPBadParameterError);
    const AIPathSegment s = Seg(1, 1);
    EXPECT_EQ(path->SetPathSegments(made, 0, 1, &s), kSPBadParameterError);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

TEST_F(JournalTest, ChangedEarlierPathIsRestoredBitForBit) {
    AIArtHandle h = PathWith(4);
    PathStyle red = Doc().currentPaint;
    red.fillColor.c[1] = 0.25f;
    ASSERT_EQ(style->SetPathStyle(h, &red), kSPNoError);
    NextMessage();
    const Document before = Doc();

    const AIPathSegment overwrite = Seg(-0.0f, 7);  // -0 differs from 0 only in its bits
    const AIPathSegment more[2] = {Seg(9, 9), Seg(10, 10)};
    ASSERT_EQ(path->SetPathSegments(h, 0, 1, &overwrite), kSPNoError);
    ASSERT_EQ(path->SetPathSegments(h, 4, 2, more), kSPNoError);
    ASSERT_EQ(path->SetPathClosed(h, 1), kSPNoError);
    ASSERT_EQ(style->SetPathStyle(h, &before.currentPaint), kSPNoError);
    AIArtStyleHandle def = nullptr;
    ASSERT_EQ(artStyle->GetNthArtStyle(0, &def), kSPNoError);
    ASSERT_EQ(artStyle->SetArtStyle(h, def), kSPNoError);
    ASSERT_FALSE(SameDocument(before, Doc()));

    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_TRUE(SameDocument(before, Doc()));
    EXPECT_EQ(Count(h), 4);  // the handle of restored art still works
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

// One segment appended to earlier art that has room for it (as art edited directly may have):
// the append needs no new storage, yet the journal must still copy the path first.
TEST_F(JournalTest, OneSegmentAppendedWithRoomToSpareToEarlierArtIsUndone) {
    AIArtHandle h = PathWith(3);
    NextMessage();
    PathData& p = Doc().FindArt(ArtIdOf(h))->path;
    p.segments.Reserve(64);
    const Document before = Doc();
    for (int16_t i = 3; i < 6; ++i) {
        const AIPathSegment s = Seg(i, -i);
        ASSERT_EQ(path->SetPathSegments(h, i, 1, &s), kSPNoError);
    }
    EXPECT_EQ(Count(h), 6);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_TRUE(SameDocument(before, Doc()));
    EXPECT_EQ(Count(h), 3);
}

TEST_F(JournalTest, RepeatedUndoDoesNothingAndChangesAfterUndoAreUndoneAgain) {
    AIArtHandle h = PathWith(2);
    NextMessage();
    const Document before = Doc();
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    EXPECT_TRUE(SameDocument(before, Doc()));

    // Each undo starts the record afresh: the second change needs its own copy.
    for (int round = 0; round < 2; ++round) {
        const AIPathSegment s = Seg(50, 50);
        ASSERT_EQ(path->SetPathSegments(h, 1, 1, &s), kSPNoError);
        PathWith(3);
        ASSERT_EQ(undo->UndoChanges(), kSPNoError);
        EXPECT_TRUE(SameDocument(before, Doc())) << "round " << round;
    }
}

TEST_F(JournalTest, InsertedLayersAndTheCurrentLayerAreRestored) {
    AILayerHandle first = nullptr, second = nullptr;
    ASSERT_EQ(layer->GetCurrentLayer(&first), kSPNoError);
    ASSERT_EQ(layer->InsertLayer(nullptr, kPlaceAboveAll, &second), kSPNoError);
    EXPECT_EQ(Doc().layers.back().name, "Layer 2");
    PathWith(2);  // lands on the new, current layer
    EXPECT_EQ(Doc().layers.back().art.size(), 1u);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);

    EXPECT_EQ(Doc().layers.size(), 1u);
    AILayerHandle current = nullptr;
    ASSERT_EQ(layer->GetCurrentLayer(&current), kSPNoError);
    EXPECT_EQ(current, first);
    EXPECT_EQ(layer->SetCurrentLayer(second), kSPBadParameterError);
}

TEST_F(JournalTest, UndoneIdsStayDeadWhileTheirSlotsAreUsedAgain) {
    AIArtHandle old = PathWith(1);
    ASSERT_EQ(undo->UndoChanges(), kSPNoError);
    AIArtHandle fresh = PathWith(1);
    EXPECT_NE(old, fresh);
    int16_t n = 0;
    EXPECT_EQ(path->GetPathSegmentCount(old, &n), kSPBadParameterError);
    EXPECT_EQ(Count(fresh), 1);
    // Many preview cycles in one message do not grow the document's art table.
    const size_t slots = Doc().arts.size();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(undo->UndoChanges(), kSPNoError);
        PathWith(1);
    }
    EXPECT_EQ(Doc().arts.size(), slots);
}

TEST(Journal, SymbolsAddedInTheTransactionGo) {
    Document doc = NewDocument();
    doc.symbols.push_back({"kept", Art{}});
    Journal journal;
    journal.Begin(doc);
    doc.symbols.push_back({"added", Art{}});
    journal.Undo(doc);
    ASSERT_EQ(doc.symbols.size(), 1u);
    EXPECT_EQ(doc.symbols[0].name, "kept");
}

TEST_F(JournalTest, EndOfMessageCompactsTouchedPaths) {
    AIArtHandle h = PathWith(5);
    NextMessage();
    const Art* a = Doc().FindArt(Doc().layers[0].art[0]);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->path.segments.capacity(), 5u);
    EXPECT_EQ(Count(h), 5);
    EXPECT_EQ(host_.HeldArtBytes(), Doc().ArtBytes());
}

}  // namespace
}  // namespace easel::testing
