// The settings dialog at work: the plug-in's code in this process, run by Easel's host and
// dialog manager as a filter (the module's resources, "AI Get Parameters", "AI Go"), with the
// user's actions played into the dialog's model.
#include "DialogFixture.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog/DialogLayout.h"
#include "dialogs/DialogModel.h"
#include "dialogs/DialogPresenter.h"
#include "document/Document.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"
#include "settings/StarSettings.h"

namespace corvanta::testing {
namespace {

bool SamePoints(const std::vector<easel::SegmentPoints>& a, const std::vector<easel::SegmentPoints>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

TEST_F(DialogTest, ANewRecordOpensOnTheBasicTabWithItsValuesAndOnePreviewStar) {
    std::vector<easel::SegmentPoints> shown;
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_EQ(d.Bounds().right - d.Bounds().left, kDialogWidth);
                  EXPECT_EQ(d.Bounds().bottom - d.Bounds().top, kDialogHeight);
                  const double basic[] = {10, 40, 0, 0, 0, 100, 0, 0};
                  for (int32_t id = 4; id <= 11; ++id) EXPECT_EQ(It(d, id).Value(), basic[id - 4]) << id;
                  EXPECT_EQ(It(d, kPreviewItem).Value(), 1);
                  ASSERT_NE(It(d, kPresetList).List()->Chosen(), nullptr);
                  EXPECT_EQ(It(d, kPresetList).List()->Chosen()->text, " Reset");
                  EXPECT_EQ(It(d, kStarSetList).List()->ChosenPosition(), 0);
                  EXPECT_EQ(It(d, 4).Maximum(), 400);
                  EXPECT_EQ(It(d, 34).Precision(), 2);
                  EXPECT_EQ(It(d, 12).Value(), 1);
                  EXPECT_EQ(It(d, 14).Value(), 2);
                  EXPECT_EQ(It(d, kSetCoreCaption).Text(), "Star core points/radius 1");
                  EXPECT_EQ(It(d, kSetShellCaption).Text(), "Star shell points/radius 1");

                  const std::vector<int32_t> greyed = {31, 32, 154, 155, 75, 76, 77, 78, 79, 80, 81};
                  for (const ItemLayout& layout : DialogItems()) {
                      const easel::ItemModel& item = It(d, layout.id);
                      EXPECT_EQ(item.Visible(), layout.tab == kAlwaysShown || layout.tab == kBasicTab)
                          << "item " << layout.id;
                      const bool off = std::find(greyed.begin(), greyed.end(), layout.id) != greyed.end();
                      EXPECT_EQ(item.Enabled(), !off) << "item " << layout.id;
                  }
                  // Opening draws the preview twice, the first undone by the second.
                  EXPECT_EQ(host_.RedrawCount(), 2);
                  EXPECT_EQ(Live(d).previewDrawn, 1);
                  shown = OnlyPathPoints();
                  EXPECT_EQ(shown.size(), 30u);
              }),
              kSPNoError);
    EXPECT_TRUE(SamePoints(OnlyPathPoints(), shown)) << "OK keeps the preview as the result";
    const StarSettings s = Record();
    EXPECT_EQ(s.previewDrawn, 0) << "the go run took the preview";
    EXPECT_EQ(s.dialogBoundsSaved, 1);
    EXPECT_EQ(s.activeTab, 1);
}

TEST_F(DialogTest, ItemElevenShowsTheShellOffsetsSecondValue) {
    StarSettings s = NewRecord();
    s.shellPointOffsetX = 3.5f;
    s.shellPointOffsetY = -7.25f;
    s.interpolationPercent = 12.5f;
    SetRecord(s);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_EQ(It(d, 10).Value(), 3.5);
                  EXPECT_EQ(It(d, 11).Value(), -7.25);
                  EXPECT_EQ(It(d, 34).Value(), 12.5);
              }),
              kSPNoError);
    EXPECT_EQ(Record().shellPointOffsetY, -7.25f);
    EXPECT_EQ(Record().shellPointOffsetX, 3.5f);
}

TEST_F(DialogTest, TheFifthStarSetIsShownAndEditedAtPositionFourOnly) {
    StarSettings s = NewRecord();
    s.corePointsBySet[4] = 3;
    s.shellPointsBySet[4] = 4;
    s.coreRadiusBySet[4] = -12.5f;
    s.shellRadiusBySet[4] = 7.25f;
    SetRecord(s);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  ASSERT_EQ(d.UserPress(161), UserResult::Done);
                  ASSERT_EQ(d.UserChooseEntry(kStarSetList, 4), UserResult::Done);
                  EXPECT_EQ(It(d, kSetCoreCaption).Text(), "Star core points/radius 5");
                  EXPECT_EQ(It(d, kSetShellCaption).Text(), "Star shell points/radius 5");
                  EXPECT_EQ(It(d, 12).Value(), 3);
                  EXPECT_EQ(It(d, 13).Value(), -12.5);
                  EXPECT_EQ(It(d, 14).Value(), 4);
                  EXPECT_EQ(It(d, 15).Value(), 7.25);
                  EXPECT_EQ(Live(d).starSetIndex, 4);

                  const StarSettings before = Live(d);
                  ASSERT_EQ(d.UserSetValue(12, 6), UserResult::Done);
                  EXPECT_EQ(Live(d).corePointsBySet[4], 6);
                  SameWordsBut(before, Live(d), {17 + 4, kFinalRunWord, kPreviewDrawnWord});
                  // Limits hold for what the user types.
                  ASSERT_EQ(d.UserSetValue(15, 9999), UserResult::Done);
                  EXPECT_EQ(Live(d).shellRadiusBySet[4], 500.0f);
              }),
              kSPNoError);
    const StarSettings after = Record();
    EXPECT_EQ(after.starSetIndex, 4) << "the next dialog opens on the same set";
    EXPECT_EQ(after.corePointsBySet[0], 1);
    EXPECT_EQ(after.corePointsBySet[4], 6);
}

TEST_F(DialogTest, DependentItemsAreEnabledAndDisabledBothWays) {
    ASSERT_EQ(Run([&](DialogModel& d) {
                  ASSERT_EQ(d.UserPress(163), UserResult::Done);  // Create
                  ASSERT_EQ(d.UserSetValue(33, 2), UserResult::Done);
                  for (int32_t id : {31, 32, 154, 79, 80}) EXPECT_TRUE(It(d, id).Enabled()) << id;
                  ASSERT_EQ(d.UserSetValue(33, 0), UserResult::Done);
                  for (int32_t id : {31, 32, 154, 79, 80}) EXPECT_FALSE(It(d, id).Enabled()) << id;

                  ASSERT_EQ(d.UserPress(162), UserResult::Done);  // Distort
                  ASSERT_EQ(d.UserSetValue(34, 2.5), UserResult::Done);
                  for (int32_t id : {155, 81}) EXPECT_TRUE(It(d, id).Enabled()) << id;
                  ASSERT_EQ(d.UserSetValue(34, 0), UserResult::Done);
                  for (int32_t id : {155, 81}) EXPECT_FALSE(It(d, id).Enabled()) << id;

                  ASSERT_EQ(d.UserPress(164), UserResult::Done);  // Settings
                  ASSERT_EQ(d.UserSetValue(74, 1), UserResult::Done);
                  for (int32_t id : {75, 76, 77, 78}) EXPECT_TRUE(It(d, id).Enabled()) << id;
                  ASSERT_EQ(d.UserSetValue(75, 1), UserResult::Done);
                  ASSERT_EQ(d.UserSetValue(74, 0), UserResult::Done);
                  for (int32_t id : {75, 76, 77, 78}) EXPECT_FALSE(It(d, id).Enabled()) << id;
                  EXPECT_EQ(Live(d).randomShadowAngle, 1) << "a greyed-out switch keeps its value";
              }),
              kSPNoError);

    StarSettings s = NewRecord();
    s.sketchRepeats = 3;
    s.dropShadow = 1;
    s.interpolationPercent = -4.0f;
    SetRecord(s);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  for (int32_t id : {31, 32, 154, 155, 75, 76, 77, 78, 79, 80, 81})
                      EXPECT_TRUE(It(d, id).Enabled()) << "opened enabled: " << id;
              }),
              kSPNoError);
}

TEST_F(DialogTest, CancelAfterSeveralPreviewsRestoresTheRecordAndTheDocumentExactly) {
    // A confirmed first use, so that the document holds art and the record non-defaults.
    ASSERT_EQ(Run([&](DialogModel& d) { ASSERT_EQ(d.UserSetValue(4, 7), UserResult::Done); }), kSPNoError);
    StarSettings s = Record();
    for (int n : {33, 34, 35, 36, 93, 94}) SetSettingsWord(s, n, 0xDEADBEEF);  // reserved words
    s.previewDrawn = 1;
    SetRecord(s);
    const easel::Document before = *doc_;
    const size_t artBefore = Paths().size();

    const SPErr result = Run([&](DialogModel& d) {
        ASSERT_EQ(d.UserSetValue(5, 77), UserResult::Done);
        ASSERT_EQ(d.UserPress(kShuffleButton), UserResult::Done);
        ASSERT_EQ(d.UserPress(164), UserResult::Done);
        ASSERT_EQ(d.UserSetValue(51, 1), UserResult::Done);  // a new layer for every preview
        ASSERT_EQ(d.UserPress(161), UserResult::Done);
        ASSERT_EQ(d.UserChooseEntry(kStarSetList, 2), UserResult::Done);
        ASSERT_EQ(d.UserSetValue(12, 9), UserResult::Done);
        ASSERT_EQ(d.UserChooseEntry(kPresetList, 16), UserResult::Done);
        ASSERT_EQ(d.UserPress(kTumbleButton), UserResult::Done);
        EXPECT_GT(Paths().size(), artBefore);
        ASSERT_EQ(d.UserPress(kCancelItem), UserResult::Done);
    });
    EXPECT_EQ(result, kSPUserCanceledError);
    EXPECT_TRUE(easel::SameDocument(before, *doc_)) << "the previews are gone";
    EXPECT_EQ(doc_->layers.size(), before.layers.size());
    const StarSettings after = Record();
    SameWordsBut(s, after, {kPreviewDrawnWord});
    EXPECT_EQ(after.previewDrawn, 0);
}

TEST_F(DialogTest, OkKeepsExactlyTheLastPreview) {
    std::vector<easel::SegmentPoints> last;
    StarSettings s = NewRecord();
    s.randomStarSettings = 1;  // every preview differs
    SetRecord(s);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  ASSERT_EQ(d.UserSetValue(5, 55), UserResult::Done);
                  ASSERT_EQ(d.UserPress(kShuffleButton), UserResult::Done);
                  const auto first = OnlyPathPoints();
                  ASSERT_EQ(d.UserPress(kShuffleButton), UserResult::Done);
                  last = OnlyPathPoints();
                  EXPECT_FALSE(SamePoints(first, last)) << "Shuffle draws with fresh random numbers";
              }),
              kSPNoError);
    EXPECT_TRUE(SamePoints(OnlyPathPoints(), last));
}

TEST_F(DialogTest, OkWithPreviewSwitchedOffLeavesOnlyTheGoRunsStars) {
    ASSERT_EQ(Run([&](DialogModel& d) {
                  ASSERT_EQ(d.UserSetValue(9, 20), UserResult::Done);
                  ASSERT_EQ(d.UserSetValue(kPreviewItem, 0), UserResult::Done);
                  EXPECT_EQ(Paths().size(), 1u) << "the earlier preview stays while the dialog is open";
                  ASSERT_EQ(d.UserSetValue(9, 60), UserResult::Done);
                  EXPECT_EQ(Live(d).previewDrawn, 0);
              }),
              kSPNoError);
    const auto paths = Paths();
    ASSERT_EQ(paths.size(), 1u) << "the stale preview was undone before the go run drew";
    // The go run's star has the final shell radius: 40 + 60.
    const auto& p = paths[0]->path.segments[1];
    EXPECT_NEAR(std::hypot(p.px - 306.0f, p.py - 396.0f), 100.0, 1e-3);
    EXPECT_EQ(Record().previewOn, 0);
}

TEST_F(DialogTest, AnActiveTabOutOfRangeOpensTheBasicTab) {
    for (int32_t tab : {0, 6, -3}) {
        StarSettings s = NewRecord();
        s.activeTab = tab;
        SetRecord(s);
        ASSERT_EQ(Run([&](DialogModel& d) {
                      EXPECT_TRUE(It(d, 4).Visible());
                      EXPECT_FALSE(It(d, 12).Visible());
                      EXPECT_FALSE(It(d, 50).Visible());
                      EXPECT_EQ(Live(d).activeTab, 1);
                  }),
                  kSPNoError);
        EXPECT_EQ(Record().activeTab, 1) << tab;
    }
    StarSettings s = NewRecord();
    s.activeTab = 4;
    SetRecord(s);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_TRUE(It(d, 24).Visible());
                  EXPECT_TRUE(It(d, 153).Visible());
                  EXPECT_FALSE(It(d, 4).Visible());
                  EXPECT_FALSE(It(d, 190).Visible());
              }),
              kSPNoError);
}

TEST_F(DialogTest, TheDialogReopensWhereOkLeftItAtItsOwnSize) {
    ASSERT_EQ(Run([&](DialogModel& d) { d.SetBounds({120, 80, 700, 600}); }), kSPNoError);
    const StarSettings s = Record();
    EXPECT_EQ(s.dialogBoundsSaved, 1);
    EXPECT_EQ(s.dialogBounds[0], 120);
    EXPECT_EQ(s.dialogBounds[1], 80);
    EXPECT_EQ(s.dialogBounds[2], 700);
    EXPECT_EQ(s.dialogBounds[3], 600);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_EQ(d.Bounds().left, 120);
                  EXPECT_EQ(d.Bounds().top, 80);
                  EXPECT_EQ(d.Bounds().right, 120 + kDialogWidth);
                  EXPECT_EQ(d.Bounds().bottom, 80 + kDialogHeight);
                  d.SetBounds({10, 20, 440, 395});
                  ASSERT_EQ(d.UserPress(kCancelItem), UserResult::Done);
              }),
              kSPUserCanceledError);
    EXPECT_EQ(Record().dialogBounds[0], 120) << "Cancel forgets where the dialog was";
}

TEST_F(DialogTest, TabButtonsShowOneTabAndChangeNothingButTheActiveTab) {
    ASSERT_EQ(Run([&](DialogModel& d) {
                  const easel::Document document = *doc_;
                  const int redraws = host_.RedrawCount();
                  for (int32_t button : {161, 162, 163, 164, 160, 164}) {
                      const StarSettings before = Live(d);
                      ASSERT_EQ(d.UserPress(button), UserResult::Done);
                      const int32_t tab = button - 159;
                      EXPECT_EQ(Live(d).activeTab, tab);
                      SameWordsBut(before, Live(d), {1});
                      for (const ItemLayout& layout : DialogItems())
                          EXPECT_EQ(It(d, layout.id).Visible(), layout.tab == kAlwaysShown || layout.tab == tab)
                              << "tab " << tab << ", item " << layout.id;
                  }
                  EXPECT_EQ(host_.RedrawCount(), redraws);
                  EXPECT_TRUE(easel::SameDocument(document, *doc_));
              }),
              kSPNoError);
    EXPECT_EQ(Record().activeTab, 5) << "the next dialog opens on the last tab";
}

TEST_F(DialogTest, PickButtonsTakeTheirValuesFromThePickedPoint) {
    ASSERT_EQ(Run([&](DialogModel& d) {
                  const easel::View& view = doc_->views[0];
                  auto artwork = [&](int32_t h, int32_t v) {
                      const float dx = static_cast<float>(h) - static_cast<float>(view.widthPx) * 0.5f;
                      const float dy = static_cast<float>(v) - static_cast<float>(view.heightPx) * 0.5f;
                      return AIRealPoint{view.centreX + dx / view.zoom, view.centreY - dy / view.zoom};
                  };
                  const int32_t cx = view.widthPx / 2, cy = view.heightPx / 2;

                  AIRealPoint p = artwork(cx + 100, cy);
                  ASSERT_EQ(d.UserPick(kCoreRadiusPick, cx + 100, cy), UserResult::Done);
                  EXPECT_EQ(It(d, 5).Value(), p.h);
                  EXPECT_EQ(Live(d).starCoreRadius, p.h);

                  p = artwork(cx - 200, cy + 30);
                  ASSERT_EQ(d.UserPick(kShellRadiusPick, cx - 200, cy + 30), UserResult::Done);
                  EXPECT_EQ(Live(d).starShellRadius, p.h);

                  p = artwork(cx + 200, cy);
                  ASSERT_EQ(d.UserPick(kStarGroupsPick, cx + 200, cy), UserResult::Done);
                  EXPECT_EQ(Live(d).starGroups, static_cast<int32_t>(p.h * 0.1f));
                  // A pick below the item's range: the spin edit keeps its minimum, and the
                  // refresh stores that.
                  ASSERT_EQ(d.UserPick(kStarGroupsPick, cx - 390, cy), UserResult::Done);
                  EXPECT_EQ(It(d, 4).Value(), 2);
                  EXPECT_EQ(Live(d).starGroups, 2);

                  p = artwork(cx + 100, cy - 50);
                  ASSERT_EQ(d.UserPick(kShellSlantPick, cx + 100, cy - 50), UserResult::Done);
                  const double expected =
                      std::atan2(396.0 - p.v, 306.0 - p.h) * 180.0 / M_PI;  // from the pick to the user centre
                  EXPECT_NEAR(Live(d).shellPointSlant, expected, 1e-3);
                  EXPECT_NEAR(It(d, 8).Value(), expected, 1e-3);

                  // A plain click picks nothing but still refreshes: one preview.
                  const StarSettings before = Live(d);
                  const int redraws = host_.RedrawCount();
                  ASSERT_EQ(d.UserPress(kCoreRadiusPick), UserResult::Done);
                  EXPECT_EQ(host_.RedrawCount(), redraws + 1);
                  SameWordsBut(before, Live(d), {kFinalRunWord, kPreviewDrawnWord});
              }),
              kSPNoError);
}

TEST_F(DialogTest, TumblePresetsAndShuffleEachDrawOnePreview) {
    ASSERT_EQ(Run([&](DialogModel& d) {
                  int redraws = host_.RedrawCount();
                  ASSERT_EQ(d.UserPress(kTumbleButton), UserResult::Done);
                  EXPECT_EQ(host_.RedrawCount(), ++redraws);
                  ASSERT_EQ(d.UserChooseEntry(kPresetList, 6), UserResult::Done);
                  EXPECT_EQ(host_.RedrawCount(), ++redraws);
                  EXPECT_EQ(Live(d).presetIndex, 6);
                  const StarSettings before = Live(d);
                  ASSERT_EQ(d.UserPress(kShuffleButton), UserResult::Done);
                  EXPECT_EQ(host_.RedrawCount(), ++redraws);
                  SameWordsBut(before, Live(d), {kFinalRunWord, kPreviewDrawnWord});
                  EXPECT_EQ(It(d, kStarSetList).List()->ChosenPosition(), 0);
              }),
              kSPNoError);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_EQ(It(d, kPresetList).List()->ChosenPosition(), 6) << "the preset chosen last";
              }),
              kSPNoError);
}

TEST_F(DialogTest, ARecordHoldingListValuesOutsideTheirListsOpensOnTheirFirstEntries) {
    StarSettings s = NewRecord();
    s.starSetIndex = 40;
    s.distortionCentreMode = -1;
    s.sketchColorMode = 12;
    s.corePointsBySet[0] = 5;
    SetRecord(s);
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_EQ(It(d, kStarSetList).List()->ChosenPosition(), 0);
                  EXPECT_EQ(It(d, 150).List()->ChosenPosition(), 0);
                  EXPECT_EQ(It(d, 154).List()->ChosenPosition(), 0);
                  EXPECT_EQ(It(d, 12).Value(), 5) << "set 1 is shown, so the read-back keeps it";
              }),
              kSPNoError);
    const StarSettings after = Record();
    EXPECT_EQ(after.starSetIndex, 0);
    EXPECT_EQ(after.distortionCentreMode, 0);
    EXPECT_EQ(after.sketchColorMode, 0);
    EXPECT_EQ(after.corePointsBySet[0], 5);
    EXPECT_EQ(after.shellPointsBySet[0], 2);
}

// The second preview's first segment write fails: the partial star it leaves was not drawn
// with the final settings, so OK removes it and the go run draws the star whole.
class DialogWithFailingPreview : public DialogTest {
protected:
    DialogWithFailingPreview() : DialogTest(Failing()) {}
    static easel::HostConfig Failing() {
        easel::HostConfig c = Seeded();
        c.faults.push_back({"AI Path Suite/SetPathSegments", 31, kAITooManySegmentsError});
        return c;
    }
};

TEST_F(DialogWithFailingPreview, AFailedPreviewIsNotKeptAsTheResult) {
    ASSERT_EQ(Run([&](DialogModel& d) {
                  EXPECT_EQ(Live(d).previewDrawn, 0);
                  ASSERT_EQ(Paths().size(), 1u);
                  EXPECT_LT(Paths()[0]->path.SegmentCount(), 30u);
              }),
              kSPNoError);
    const auto paths = Paths();
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0]->path.SegmentCount(), 30u);
}

// Cancel whose undo fails (Cancel's is the fourth: two as the dialog opens and draws its first
// preview, one before the second preview): the code is returned and shown, the preview art the undo could not remove stays,
// and the record is still the one from before the dialog, since Cancel means the edits are
// not wanted.
class DialogWithFailingCancelUndo : public DialogTest {
protected:
    DialogWithFailingCancelUndo() : DialogTest(Failing()) {}
    static easel::HostConfig Failing() {
        easel::HostConfig c = Seeded();
        c.faults.push_back({"AI Undo Suite/UndoChanges", 4, -108});
        return c;
    }
};

TEST_F(DialogWithFailingCancelUndo, TheRecordIsRestoredAndTheUndosCodeShown) {
    const StarSettings s = NewRecord();
    SetRecord(s);
    const SPErr result = Run([&](DialogModel& d) {
        ASSERT_EQ(d.UserSetValue(5, 77), UserResult::Done);
        ASSERT_EQ(d.UserPress(kCancelItem), UserResult::Done);
    });
    EXPECT_EQ(result, -108);
    const StarSettings after = Record();
    SameWordsBut(s, after, {kPreviewDrawnWord});
    EXPECT_EQ(after.previewDrawn, 0);
    EXPECT_FALSE(Paths().empty()) << "the preview the undo could not remove stays";
    ASSERT_EQ(presenter_->alerts.size(), 1u);
    EXPECT_NE(presenter_->alerts[0].find("there isn't enough memory"), std::string::npos) << presenter_->alerts[0];
}

// The go run's failures reach the host and the user: the filter returns the code and the
// plug-in's error dialog shows that code's message, while a failed preview stays silent.
struct GoFailure {
    const char* name;
    SPErr code;
    const char* message;
};
const GoFailure kGoFailures[] = {
    {"locked layer", kAILockedLayerError, "The filter cannot complete because a layer is locked or invisible."},
    {"too many anchors", kAITooManySegmentsError,
     "The filter cannot complete because a path has too many anchor points."},
    {"memory", -108, "The filter cannot complete because there isn't enough memory (RAM) available."},
};

class DialogWithFailingGo : public DialogTest, public ::testing::WithParamInterface<GoFailure> {
protected:
    // With Preview off nothing is drawn while the dialog is open, so the first segment write
    // is the go run's.
    DialogWithFailingGo() : DialogTest(FirstSegmentWriteFails(GetParam().code)) {}
};

TEST_P(DialogWithFailingGo, TheGoRunsCodeIsReturnedAndItsMessageShown) {
    StarSettings s = NewRecord();
    s.previewOn = 0;
    SetRecord(s);
    const SPErr result = Run([&](DialogModel&) { EXPECT_TRUE(Paths().empty()) << "no preview"; });
    EXPECT_EQ(result, GetParam().code);
    ASSERT_EQ(presenter_->alerts.size(), 1u);
    EXPECT_NE(presenter_->alerts[0].find(GetParam().message), std::string::npos) << presenter_->alerts[0];
}

INSTANTIATE_TEST_SUITE_P(Codes, DialogWithFailingGo, ::testing::ValuesIn(kGoFailures),
                         [](const ::testing::TestParamInfo<GoFailure>& param) {
                             std::string name;
                             for (const char* c = param.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

// A document whose current layer is locked: every preview is refused without a word and the
// dialog stays open; OK's go run is refused too, and that is shown and returned.
TEST_F(DialogTest, ALockedCurrentLayerFailsTheGoRunWithItsMessageAndLeavesTheDocumentEmpty) {
    doc_->FindLayer(doc_->currentLayer)->locked = true;
    const SPErr result = Run([&](DialogModel& d) {
        EXPECT_EQ(Live(d).previewDrawn, 0);
        ASSERT_EQ(d.UserSetValue(4, 7), UserResult::Done);
        EXPECT_FALSE(d.Ended());
        EXPECT_TRUE(presenter_->alerts.empty()) << "previews fail silently";
    });
    EXPECT_EQ(result, kAILockedLayerError);
    ASSERT_EQ(presenter_->alerts.size(), 1u);
    EXPECT_NE(presenter_->alerts[0].find("a layer is locked or invisible"), std::string::npos);
    EXPECT_TRUE(Paths().empty());
}

}  // namespace
}  // namespace corvanta::testing
