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
