// Easel's dialog manager driven the way a plug-in drives it: a small in-test plug-in opens
// dialogs from the real module's templates and builds items through the ADM suite tables,
// while a test presenter plays the user's events on the model.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "ADMDialog.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMTracker.h"
#include "dialogs/DialogManager.h"
#include "dialogs/DialogModel.h"
#include "dialogs/DialogPresenter.h"
#include "dialogs/SpinEditRules.h"
#include "host/Host.h"
#include "platform/ModuleLoader.h"
#include "plugins/PluginManager.h"
#include "resources/ModuleResources.h"

namespace easel::testing {
namespace {

constexpr int32_t kEmptyDialog = 16100, kAboutDialog = 16050;

// The suites, as the in-test plug-in holds them: its procs are plain C functions.
const ADMDialogSuite* gDialog;
const ADMItemSuite* gItem;
const ADMListSuite* gList;
const ADMEntrySuite* gEntry;
const ADMTrackerSuite* gTracker;
std::vector<std::string> gLog;
std::function<void(ADMDialogRef)> gInit;

SPErr SPAPI Init(ADMDialogRef d) {
    if (gInit) gInit(d);
    return kSPNoError;
}

void SPAPI LogNotify(ADMItemRef item, ADMNotifierRef) {
    gLog.push_back("notify " + std::to_string(gItem->GetID(item)) + " value " +
                   std::to_string(gItem->GetFloatValue(item)));
}

// Plays `play` on the dialog, then ends it with 1 if it is still open.
class TestPresenter : public DialogPresenter {
public:
    std::function<void(DialogModel&)> play;
    int32_t RunModal(DialogModel& d) override {
        const auto playing = play;  // a play may set the next dialog's play
        if (playing) playing(d);
        if (!d.Ended()) d.End(1);
        return d.Result();
    }
};

class Recorder : public DialogObserver {
public:
    void ItemChanged(const ItemModel& item, ItemChange change) override {
        gLog.push_back("changed " + std::to_string(item.Id()) + " " + std::to_string(static_cast<int>(change)));
    }
    void DialogChanged(const DialogModel&, DialogChange change) override {
        gLog.push_back("dialog " + std::to_string(static_cast<int>(change)));
    }
};

class DialogModelTest : public ::testing::Test {
protected:
    DialogModelTest() {
        auto resources = std::make_shared<ModuleResources>(
            ParseResources(MakeSystemModuleLoader()->ReadResources(EASEL_MODULE)));
        plugin_ = host_.AddPlugin(resources, "test");
        const SPBasicSuite* b = host_.Basic();
        auto acquire = [&](const char* name, int32_t version) {
            const void* table = nullptr;
            EXPECT_EQ(b->AcquireSuite(name, version, &table), kSPNoError) << name;
            return table;
        };
        gDialog = static_cast<const ADMDialogSuite*>(acquire(kADMDialogSuite, kADMDialogSuiteVersion));
        gItem = static_cast<const ADMItemSuite*>(acquire(kADMItemSuite, kADMItemSuiteVersion));
        gList = static_cast<const ADMListSuite*>(acquire(kADMListSuite, kADMListSuiteVersion));
        gEntry = static_cast<const ADMEntrySuite*>(acquire(kADMEntrySuite, kADMEntrySuiteVersion));
        gTracker = static_cast<const ADMTrackerSuite*>(acquire(kADMTrackerSuite, kADMTrackerSuiteVersion));
        host_.SetDialogPresenter(presenter_);
        gLog.clear();
        gInit = nullptr;
    }
    ~DialogModelTest() override { gInit = nullptr; }

    // Runs the empty dialog with `init` as the plug-in's init and `play` as the user.
    int32_t Run(std::function<void(ADMDialogRef)> init, std::function<void(DialogModel&)> play = nullptr) {
        gInit = std::move(init);
        presenter_->play = std::move(play);
        return gDialog->Modal(plugin_, "Test", kEmptyDialog, kADMModalDialogStyle, Init, this);
    }

    static ADMItemRef Make(ADMDialogRef d, int32_t id, const char* type, ADMRect r = {10, 10, 60, 30}) {
        return gDialog->CreateItem(d, id, type, &r);
    }

    Host host_;
    SPPluginRef plugin_ = nullptr;
    std::shared_ptr<TestPresenter> presenter_ = std::make_shared<TestPresenter>();
};

TEST_F(DialogModelTest, TemplatesBecomeDialogsInPixelsWithEveryItem) {
    ADMRect bounds{};
    int32_t items = 0;
    gInit = [&](ADMDialogRef d) {
        gDialog->GetBoundsRect(d, &bounds);
        EXPECT_NE(gDialog->GetItem(d, 1), nullptr);
        items = gItem->GetID(gDialog->GetItem(d, -1));
    };
    presenter_->play = [&](DialogModel& d) {
        EXPECT_EQ(d.Title(), "Corvanta Plug-in About");
        EXPECT_EQ(d.Items().size(), 9u) << "every label is kept, though all of them are -1";
        EXPECT_EQ(d.Item(1)->Kind(), ItemKind::PushButton);
        EXPECT_EQ(d.Item(-1)->Kind(), ItemKind::TextStatic);
        // "&OK" at 130, 146, 40 x 14 dialog units: 6 x 13 pixel base units.
        const ADMRect ok = d.Item(1)->Bounds();
        EXPECT_EQ(ok.left, 195);
        EXPECT_EQ(ok.top, 237);
        EXPECT_EQ(ok.right - ok.left, 60);
        EXPECT_EQ(ok.bottom - ok.top, 23);
    };
    EXPECT_EQ(gDialog->Modal(plugin_, "About", kAboutDialog, 0, Init, nullptr), 1);
    EXPECT_EQ(bounds.right - bounds.left, 453);  // 302 x 166 dialog units
    EXPECT_EQ(bounds.bottom - bounds.top, 270);
    EXPECT_EQ(items, -1);
    EXPECT_EQ(gDialog->Modal(plugin_, "None", 999, 0, Init, nullptr), -1) << "no such template";
    EXPECT_EQ(gDialog->Modal(nullptr, "None", kAboutDialog, 0, Init, nullptr), -1) << "no such plug-in";
}

TEST_F(DialogModelTest, StaleForeignAndNullHandlesAreIgnored) {
    ADMDialogRef dialog = nullptr;
    ADMItemRef spin = nullptr, popup = nullptr;
    ADMListRef list = nullptr;
    ADMEntryRef entry = nullptr;
    EXPECT_EQ(Run([&](ADMDialogRef d) {
        dialog = d;
        EXPECT_EQ(gDialog->GetUserData(d), this);
        spin = Make(d, 5, kADMSpinEditType);
        popup = Make(d, 6, kADMPopupListType);
        list = gItem->GetList(popup);
        entry = gList->InsertEntry(list, 0);
        EXPECT_EQ(gItem->GetList(spin), nullptr) << "only popup lists have lists";
        EXPECT_EQ(Make(d, 5, kADMSpinEditType), nullptr) << "the identifier is taken";
        EXPECT_EQ(Make(d, 7, "ADM Spin Edit"), nullptr) << "not a type name";
        EXPECT_EQ(gDialog->CreateItem(d, 8, kADMTextStaticType, nullptr), nullptr);
        // Handles of one kind are not taken for another.
        EXPECT_EQ(gItem->GetID(reinterpret_cast<ADMItemRef>(entry)), 0);
        EXPECT_EQ(gList->NumberOfEntries(reinterpret_cast<ADMListRef>(entry)), 0);
        EXPECT_EQ(gEntry->GetIndex(reinterpret_cast<ADMEntryRef>(spin)), -1);
        EXPECT_EQ(gDialog->GetUserData(reinterpret_cast<ADMDialogRef>(spin)), nullptr);
    }), 1);
    // After the dialog has closed every handle into it is dead.
    EXPECT_EQ(gDialog->GetUserData(dialog), nullptr);
    EXPECT_EQ(gDialog->GetItem(dialog, 5), nullptr);
    EXPECT_EQ(gItem->GetID(spin), 0);
    EXPECT_EQ(gItem->GetDialog(spin), nullptr);
    EXPECT_EQ(gItem->GetFloatValue(spin), 0.0f);
    gItem->SetText(spin, "ignored");
    gItem->SendNotify(spin, kADMUserChangedNotifier);
    EXPECT_EQ(gList->NumberOfEntries(list), 0);
    EXPECT_EQ(gList->IndexEntry(list, 0), nullptr);
    EXPECT_EQ(gEntry->GetID(entry), 0);
    EXPECT_EQ(gEntry->GetIndex(entry), -1);
    gEntry->Select(entry, 1);
    ADMRect r{1, 2, 3, 4};
    gDialog->GetBoundsRect(dialog, &r);
    EXPECT_EQ(r.right, 0);
    // Forged and null handles.
    auto* forged = reinterpret_cast<ADMItemRef>(uintptr_t{0x1234});
    EXPECT_EQ(gItem->GetID(forged), 0);
    EXPECT_EQ(gItem->GetIntValue(nullptr), 0);
    EXPECT_EQ(gTracker->GetModifiers(reinterpret_cast<ADMTrackerRef>(forged)), 0u);
    int32_t h = 7, v = 7;
    gTracker->GetPoint(nullptr, &h, &v);
    EXPECT_EQ(h, 0) << "no event now";
    gTracker->GetPoint(nullptr, nullptr, nullptr);
}

TEST_F(DialogModelTest, ASpinEditKeepsEveryValueWithinItsLimits) {
    Run([&](ADMDialogRef d) {
        ADMItemRef s = Make(d, 4, kADMSpinEditType);
        gItem->SetIntValue(s, 7);
        EXPECT_EQ(gItem->GetIntValue(s), 0) << "a new spin edit's range is 0 .. 0";
        gItem->SetMinIntValue(s, 2);  // above the maximum: the maximum follows
        EXPECT_EQ(gItem->GetIntValue(s), 2);
        gItem->SetMaxIntValue(s, 400);
        gItem->SetIntValue(s, 10);
        EXPECT_EQ(gItem->GetIntValue(s), 10);
        gItem->SetIntValue(s, 1000);
        EXPECT_EQ(gItem->GetIntValue(s), 400);
        gItem->SetMaxIntValue(s, 100);
        EXPECT_EQ(gItem->GetIntValue(s), 100) << "new limits bring the value in";
        gItem->SetMaxFloatValue(s, -5.0f);
        EXPECT_EQ(gItem->GetIntValue(s), -5) << "a maximum below the minimum moves the minimum";
        gItem->SetMinFloatValue(s, std::numeric_limits<float>::quiet_NaN());
        gItem->SetFloatValue(s, std::numeric_limits<float>::quiet_NaN());
        EXPECT_EQ(gItem->GetFloatValue(s), -5.0f) << "NaN is ignored";

        ADMItemRef r = Make(d, 5, kADMSpinEditType);
        gItem->SetMinFloatValue(r, -3e9f);
        gItem->SetMaxFloatValue(r, 3e9f);
        gItem->SetFloatValue(r, 2.5f);
        EXPECT_EQ(gItem->GetIntValue(r), 3) << "integer reads round to nearest";
        gItem->SetFloatValue(r, 3e9f);
        EXPECT_EQ(gItem->GetIntValue(r), std::numeric_limits<int32_t>::max());
        gItem->SetFloatValue(r, -3e9f);
        EXPECT_EQ(gItem->GetIntValue(r), std::numeric_limits<int32_t>::min());
        gItem->SetFloatValue(r, 0.1f);
        EXPECT_EQ(gItem->GetFloatValue(r), 0.1f) << "a real comes back exactly";
        gItem->SetText(r, "12.5");
        EXPECT_EQ(gItem->GetFloatValue(r), 12.5f) << "text that is a number sets a spin edit";
        gItem->SetText(r, "twelve");
        EXPECT_EQ(gItem->GetFloatValue(r), 12.5f);
        gItem->SetNotifyProc(r, LogNotify);
        gItem->SetPrecision(r, 99);
        gItem->SetFloatValue(r, -0.000001f);
    }, [](DialogModel& d) {
        ItemModel& r = *d.Item(5);
        EXPECT_EQ(r.Precision(), 10);
        r.SetPrecision(2);
        EXPECT_EQ(r.ShownText(), "0.00") << "never -0";
        EXPECT_EQ(d.UserSetValue(5, 4e9), UserResult::Done);
        EXPECT_EQ(r.Value(), 3e9f) << "the user's value is kept within the limits too";
        EXPECT_EQ(d.UserSetValue(5, std::numeric_limits<double>::infinity()), UserResult::BadValue);
        ASSERT_EQ(gLog.size(), 1u);
        EXPECT_EQ(gLog[0], "notify 5 value " + std::to_string(3e9f)) << "the notifier sees the new value";
    });
}

TEST_F(DialogModelTest, PopupListsHoldEntriesByPositionAndOneChoice) {
    Run([&](ADMDialogRef d) {
        ADMItemRef popup = Make(d, 150, kADMPopupListType);
        ADMListRef list = gItem->GetList(popup);
        EXPECT_EQ(gItem->GetIntValue(popup), -1) << "nothing chosen";
        EXPECT_EQ(gList->GetActiveEntry(list), nullptr);
        ADMEntryRef b = gList->InsertEntry(list, 0);
        ADMEntryRef c = gList->InsertEntry(list, 99);  // past the end: appended
        ADMEntryRef a = gList->InsertEntry(list, -4);  // negative: first
        gEntry->SetText(a, " A");
        gEntry->SetText(b, " B");
        gEntry->SetText(c, " C");
        for (ADMEntryRef e : {a, b, c}) gEntry->SetID(e, 10 * gEntry->GetIndex(e));
        EXPECT_EQ(gList->NumberOfEntries(list), 3);
        EXPECT_EQ(gList->IndexEntry(list, 1), b);
        EXPECT_EQ(gList->IndexEntry(list, 3), nullptr);
        EXPECT_EQ(gList->IndexEntry(list, -1), nullptr);
        gEntry->Select(b, 1);
        gEntry->Select(c, 1);
        EXPECT_EQ(gList->GetActiveEntry(list), c) << "one chosen entry";
        EXPECT_EQ(gItem->GetIntValue(popup), 20) << "the value is the chosen entry's identifier";
        gEntry->Select(b, 0);
        EXPECT_EQ(gList->GetActiveEntry(list), c) << "unchoosing another entry changes nothing";
        gItem->SetIntValue(popup, 10);
        EXPECT_EQ(gList->GetActiveEntry(list), b) << "a value chooses the entry with that identifier";
        gItem->SetIntValue(popup, 15);
        EXPECT_EQ(gList->GetActiveEntry(list), b) << "no entry has it: unchanged";
        gItem->SetNotifyProc(popup, LogNotify);
    }, [](DialogModel& d) {
        EXPECT_EQ(d.UserChooseEntry(150, 3), UserResult::BadValue);
        EXPECT_EQ(d.UserChooseEntry(150, 0), UserResult::Done);
        EXPECT_EQ(d.Item(150)->List()->ChosenPosition(), 0);
        ASSERT_EQ(gLog.size(), 1u);
        EXPECT_EQ(gLog[0], "notify 150 value " + std::to_string(0.0f));
    });
}

// Item 20's notifier sends a notification to item 21 and reads what that one wrote.
void SPAPI Chain(ADMItemRef item, ADMNotifierRef) {
    ADMItemRef other = gDialog->GetItem(gItem->GetDialog(item), 21);
    gLog.push_back("before");
    gItem->SendNotify(other, kADMUserChangedNotifier);
    gLog.push_back("after " + std::to_string(gItem->GetIntValue(other)));
}
void SPAPI Write(ADMItemRef item, ADMNotifierRef) {
    gItem->SetIntValue(item, 1);
    gLog.push_back("inner");
}
void SPAPI EndWith7(ADMItemRef item, ADMNotifierRef) { gDialog->EndModal(gItem->GetDialog(item), 7); }

TEST_F(DialogModelTest, NotificationsRunAtOnceAndNestAndItemsOneAndTwoEndTheDialog) {
    EXPECT_EQ(Run([](ADMDialogRef d) {
        ADMItemRef a = Make(d, 20, kADMTextPushButtonType);
        ADMItemRef b = Make(d, 21, kADMTextCheckBoxType);
        gItem->SetNotifyProc(a, Chain);
        gItem->SetNotifyProc(b, Write);
        gItem->SendNotify(a, kADMUserChangedNotifier);
        gItem->SendNotify(a, nullptr);  // no type: ignored
        Make(d, 3, kADMTextPushButtonType);
        gItem->SendNotify(gDialog->GetItem(d, 3), kADMUserChangedNotifier);  // default: nothing
        Make(d, 2, kADMTextPushButtonType);
    }, [](DialogModel& d) {
        EXPECT_FALSE(d.Ended()) << "push buttons other than 1 and 2 do not end the dialog";
        EXPECT_EQ(d.UserPress(2), UserResult::Done);
        EXPECT_TRUE(d.Ended());
        d.End(1);
        EXPECT_EQ(d.UserPress(2), UserResult::Ended);
    }), 2) << "the first end decides";
    EXPECT_EQ(gLog, (std::vector<std::string>{"before", "inner", "after 1"}));

    EXPECT_EQ(Run([](ADMDialogRef d) {
        gItem->SetNotifyProc(Make(d, 1, kADMTextPushButtonType), EndWith7);
    }, [](DialogModel& d) { d.UserPress(1); }), 7) << "a notifier of item 1 replaces its default";
    EXPECT_EQ(Run([](ADMDialogRef d) { gDialog->EndModal(d, 5); }), 5) << "ended in init: never presented";
}

TEST_F(DialogModelTest, UserEventsReachOnlyWhatAUserCouldReach) {
    Run([](ADMDialogRef d) {
        Make(d, 4, kADMSpinEditType);
        gItem->Show(Make(d, 5, kADMSpinEditType), 0);
        gItem->Enable(Make(d, 6, kADMTextCheckBoxType), 0);
        Make(d, 7, kADMTextCheckBoxType);
        Make(d, 8, kADMTextStaticType);
        Make(d, 9, kADMPicturePushButtonType);
    }, [](DialogModel& d) {
        EXPECT_EQ(d.UserSetValue(99, 1), UserResult::NoSuchItem);
        EXPECT_EQ(d.UserSetValue(5, 1), UserResult::Hidden);
        EXPECT_EQ(d.UserSetValue(6, 1), UserResult::Disabled);
        EXPECT_EQ(d.UserSetValue(7, 2), UserResult::BadValue) << "a check box is 0 or 1";
        EXPECT_EQ(d.UserSetValue(8, 1), UserResult::WrongKind);
        EXPECT_EQ(d.UserPress(4), UserResult::WrongKind);
        EXPECT_EQ(d.UserChooseEntry(4, 0), UserResult::WrongKind);
        EXPECT_EQ(d.UserPick(9, 1, 1), UserResult::Done);
        EXPECT_EQ(d.UserClose(), UserResult::Done);
        EXPECT_EQ(d.Result(), 2) << "the close box ends as Cancel";
        EXPECT_EQ(d.UserSetValue(4, 1), UserResult::Ended);
    });
}

struct Tracked {
    uint32_t modifiers = 0, byTracker = 0;
    int32_t h = -1, v = -1;
    ADMTrackerRef tracker = nullptr;
};
Tracked gTracked;

ADMBoolean SPAPI Track(ADMItemRef item, ADMTrackerRef tracker) {
    gTracked.modifiers = gTracker->GetModifiers(nullptr);
    gTracked.byTracker = gTracker->GetModifiers(tracker);
    gTracker->GetPoint(nullptr, &gTracked.h, &gTracked.v);
    gTracked.tracker = tracker;
    gLog.push_back("track");
    return gItem->DefaultTrack(item, tracker);
}

TEST_F(DialogModelTest, APickCarriesThePickBitAndThePointForTheTrackHandlerOnly) {
    Run([](ADMDialogRef d) {
        ADMItemRef pick = Make(d, 190, kADMPicturePushButtonType);
        gItem->SetTrackProc(pick, Track);
        gItem->SetNotifyProc(pick, LogNotify);
    }, [](DialogModel& d) {
        ASSERT_EQ(d.UserPick(190, 500, 300), UserResult::Done);
        EXPECT_EQ(gTracked.modifiers, static_cast<uint32_t>(kADMPickModifier));
        EXPECT_EQ(gTracked.byTracker, static_cast<uint32_t>(kADMPickModifier));
        EXPECT_EQ(gTracked.h, 500);
        EXPECT_EQ(gTracked.v, 300);
        EXPECT_EQ(gTracker->GetModifiers(gTracked.tracker), 0u) << "the event is over";
        EXPECT_EQ(gTracker->GetModifiers(nullptr), 0u);
        ASSERT_EQ(d.UserPress(190), UserResult::Done);
        EXPECT_EQ(gTracked.modifiers, 0u) << "a plain press is no pick";
    });
    EXPECT_EQ(gLog, (std::vector<std::string>{"track", "track"})) << "the track handler replaces the notifier";
}

TEST_F(DialogModelTest, ObserversSeeEveryChangeBeforeTheNotifierRuns) {
    Recorder recorder;
    Run([](ADMDialogRef d) {
        gItem->SetNotifyProc(Make(d, 3, kADMTextCheckBoxType), LogNotify);
        gDialog->Size(d, 430, 375);
    }, [&](DialogModel& d) {
        d.AddObserver(&recorder);
        gLog.clear();
        d.UserSetValue(3, 1);
        ADMItemRef item = d.Manager().Ref(*d.Item(3));
        gItem->Show(item, 0);
        gItem->Show(item, 0);  // no change: not told
        gItem->Enable(item, 0);
        gItem->SetText(item, "Preview");
        gDialog->Size(d.Manager().Ref(d), -5, 10);
        EXPECT_EQ(d.Bounds().right, d.Bounds().left) << "a negative size is 0";
        EXPECT_EQ(d.Bounds().bottom - d.Bounds().top, 10);
        d.End(1);
        d.RemoveObserver(&recorder);
    });
    auto code = [](auto change) { return std::to_string(static_cast<int>(change)); };
    EXPECT_EQ(gLog, (std::vector<std::string>{
                        "changed 3 " + code(ItemChange::Value), "notify 3 value " + std::to_string(1.0f),
                        "changed 3 " + code(ItemChange::Shown), "changed 3 " + code(ItemChange::Enabled),
                        "changed 3 " + code(ItemChange::Text), "dialog " + code(DialogChange::Bounds),
                        "dialog " + code(DialogChange::Ended)}));
}

TEST_F(DialogModelTest, OnlyTheInnermostDialogTakesUserEvents) {
    UserResult outerPress = UserResult::Done;
    DialogModel* outer = nullptr;
    Run([](ADMDialogRef d) { Make(d, 10, kADMTextPushButtonType); },
        [&](DialogModel& d) {
            outer = &d;
            presenter_->play = [&](DialogModel&) { outerPress = outer->UserPress(10); };
            EXPECT_EQ(gDialog->Modal(plugin_, "Inner", kAboutDialog, 0, nullptr, nullptr), 1);
            EXPECT_EQ(d.UserPress(10), UserResult::Done) << "the inner dialog has closed";
        });
    EXPECT_EQ(outerPress, UserResult::NotActive);
    EXPECT_TRUE(host_.OpenDialogs().empty());
}

// Item 1's notifier reads the dialog's bounds, as a plug-in keeping its dialog's place does
// when the dialog closes.
ADMRect gBoundsAtConfirm;
void SPAPI ReadBoundsAndEnd(ADMItemRef item, ADMNotifierRef notifier) {
    gItem->DefaultNotify(item, notifier);
    gDialog->GetBoundsRect(gItem->GetDialog(item), &gBoundsAtConfirm);
}

TEST_F(DialogModelTest, AMovedWindowIsWhereThePluginReadsTheDialogAsItCloses) {
    Recorder recorder;
    gBoundsAtConfirm = {};
    EXPECT_EQ(Run([](ADMDialogRef d) {
        gDialog->Size(d, 430, 375);
        gItem->SetNotifyProc(Make(d, 1, kADMTextPushButtonType), ReadBoundsAndEnd);
    }, [&](DialogModel& d) {
        const ADMRect opened = d.Bounds();
        d.AddObserver(&recorder);
        gLog.clear();
        EXPECT_EQ(d.UserMove(opened.left, opened.top), UserResult::Done);
        EXPECT_TRUE(gLog.empty()) << "no move, nothing told";
        EXPECT_EQ(d.UserMove(300, 200), UserResult::Done);
        EXPECT_EQ(gLog, (std::vector<std::string>{"dialog " + std::to_string(static_cast<int>(DialogChange::Bounds))}));
        EXPECT_EQ(d.UserPress(1), UserResult::Done);
        EXPECT_EQ(d.UserMove(10, 10), UserResult::Ended) << "the dialog has closed";
        d.RemoveObserver(&recorder);
    }), 1);
    EXPECT_EQ(gBoundsAtConfirm.left, 300);
    EXPECT_EQ(gBoundsAtConfirm.top, 200);
    EXPECT_EQ(gBoundsAtConfirm.right, 730) << "the size is kept";
    EXPECT_EQ(gBoundsAtConfirm.bottom, 575);
}

// The real module's settings dialog: moved and closed with OK, it opens the next time where
// it was left, the place having gone through the filter's kept record.
TEST(SettingsDialogPlace, TheSettingsDialogReopensWhereTheUserLeftIt) {
    Host host{HostConfig{7, {}, size_t(512) << 20, size_t(1) << 30, {}}};
    PluginManager plugin{host};
    ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPNoError);
    auto presenter = std::make_shared<TestPresenter>();
    host.SetDialogPresenter(presenter);

    ADMRect opened{-1, -1, -1, -1};
    presenter->play = [&](DialogModel& d) {
        opened = d.Bounds();
        EXPECT_EQ(d.UserMove(321, 123), UserResult::Done);
        EXPECT_EQ(d.UserPress(1), UserResult::Done);
    };
    ASSERT_EQ(plugin.RunFilter(host.NewDocument()), kSPNoError);
    const int32_t width = opened.right - opened.left, height = opened.bottom - opened.top;
    EXPECT_EQ(opened.left, 0) << "a fresh record keeps no place: the template's";
    EXPECT_EQ(opened.top, 0);

    presenter->play = [&](DialogModel& d) {
        opened = d.Bounds();
        EXPECT_EQ(d.UserClose(), UserResult::Done);
    };
    EXPECT_NE(plugin.RunFilter(host.NewDocument()), kSPNoError) << "canceled";
    EXPECT_EQ(opened.left, 321);
    EXPECT_EQ(opened.top, 123);
    EXPECT_EQ(opened.right - opened.left, width);
    EXPECT_EQ(opened.bottom - opened.top, height);
}

// One arrow press (or `presses` wheel notches) from `value` on an item with these decimals
// and limits.
struct StepCase {
    const char* what;
    double value;
    int32_t presses;
    bool shift;
    int32_t precision;
    double minimum, maximum;
    double expected;
};

TEST(SpinEditRules, ArrowsStepByOneOrATenthToExactValuesWithinTheRange) {
    const StepCase cases[] = {
        // Integers: 1, Shift 10.
        {"count up", 40, 1, false, 0, 2, 400, 41},
        {"count down", 40, -1, false, 0, 2, 400, 39},
        {"count up with Shift", 40, 1, true, 0, 2, 400, 50},
        {"count down with Shift", 40, -1, true, 0, 2, 400, 30},
        {"count at its maximum", 400, 1, false, 0, 2, 400, 400},
        {"count with Shift past its maximum", 395, 1, true, 0, 2, 400, 400},
        {"count at its minimum", 2, -1, false, 0, 2, 400, 2},
        {"count with Shift past its minimum", 5, -1, true, 0, 2, 400, 2},
        // Points, degrees, percent, shown with five decimals: still 1, never 0.00001.
        {"points up", 40, 1, false, 5, 0, 5000, 41},
        {"points with Shift", 40, 1, true, 5, 0, 5000, 50},
        {"a float's last bits dropped", static_cast<double>(33.3f), 1, false, 5, 0, 5000, 34.3},
        {"through zero", -0.5, 1, false, 5, -2000, 2000, 0.5},
        {"points at the top", 4999.5, 1, false, 5, 0, 5000, 5000},
        {"degrees at the bottom", 5.5, -1, true, 5, 5, 360, 5},
        // Two decimals: 0.1, Shift 1.
        {"tenth up", 2.5, 1, false, 2, 0, 400, 2.6},
        {"tenth down", 2.5, -1, false, 2, 0, 400, 2.4},
        {"tenths with Shift", 2.5, 1, true, 2, 0, 400, 3.5},
        {"0.2 + 0.1 is 0.3", 0.2, 1, false, 2, 0, 400, 0.3},
        {"float 0.1 steps to 0.2", static_cast<double>(0.1f), 1, false, 2, 0, 400, 0.2},
        {"hundredths kept", 2.55, 1, false, 2, 0, 400, 2.65},
        {"tenth at the bottom", 0.05, -1, false, 2, 0, 400, 0},
        {"tenth past the top", 399.95, 1, false, 2, 0, 400, 400},
        {"Shift at the top", 399.5, 1, true, 2, 0, 400, 400},
        {"negative with Shift", -0.3, -1, true, 2, -1000, 1000, -1.3},
        // Three wheel notches at once.
        {"three notches", 1, 3, false, 2, 0, 400, 1.3},
        {"three notches down", 10, -3, false, 0, 0, 60, 7},
    };
    for (const StepCase& c : cases)
        EXPECT_EQ(SteppedValue(c.value, c.presses, c.shift, c.precision, c.minimum, c.maximum), c.expected) << c.what;
    EXPECT_EQ(SpinStep(0), 1.0);
    EXPECT_EQ(SpinStep(1), 0.1);
    EXPECT_EQ(SpinStep(2), 0.1);
    EXPECT_EQ(SpinStep(5), 1.0);
}

TEST(SpinEditRules, ShownNumbersLeaveOutTrailingZeros) {
    EXPECT_EQ(ConciseSpinText(100, 5), "100");
    EXPECT_EQ(ConciseSpinText(9999, 5), "9999");
    EXPECT_EQ(ConciseSpinText(-9999, 5), "-9999");
    EXPECT_EQ(ConciseSpinText(10, 0), "10") << "an integer's own zeros stay";
    EXPECT_EQ(ConciseSpinText(2.5, 2), "2.5");
    EXPECT_EQ(ConciseSpinText(0.1f, 2), "0.1");
    EXPECT_EQ(ConciseSpinText(33.3f, 5), "33.3");
    EXPECT_EQ(ConciseSpinText(12.345678, 5), "12.34568") << "rounded to the item's decimals";
    EXPECT_EQ(ConciseSpinText(-1.25, 2), "-1.25");
    EXPECT_EQ(ConciseSpinText(-0.000001, 2), "0") << "never -0";
    EXPECT_EQ(ConciseSpinText(0, 5), "0");
}

}  // namespace
}  // namespace easel::testing
