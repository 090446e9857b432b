// The error table as the user meets it: a filter message that fails returns its code to the
// host and shows the plug-in's error dialog with that code's message and the code's text; a
// code the table does not list gets the last message; Cancel shows nothing.
#include "DialogFixture.h"

#include <cctype>
#include <string>
#include <vector>

namespace corvanta::testing {
namespace {

const char kMemory[] = "The filter cannot complete because there isn't enough memory (RAM) available.";
const char kLocked[] = "The filter cannot complete because a layer is locked or invisible.";
const char kAnchors[] = "The filter cannot complete because a path has too many anchor points.";
const char kSelection[] = "The selection is not valid for this filter.";
const char kUnknown[] = "The filter cannot complete because of an unknown error.";

constexpr SPErr Code(const char (&c)[5]) {
    return static_cast<SPErr>((uint32_t(uint8_t(c[0])) << 24) | (uint32_t(uint8_t(c[1])) << 16) |
                              (uint32_t(uint8_t(c[2])) << 8) | uint32_t(uint8_t(c[3])));
}

struct ErrorRow {
    const char* name;
    SPErr code;
    const char* message;
    const char* codeText;
};

// Each listed code, and codes that come near a listed one without being it.
const ErrorRow kRows[] = {
    {"Minus108", -108, kMemory, "-108"},
    {"Code271", 271, kMemory, "271"},
    {"SEGM", Code("SEGM"), kLocked, "SEGM"},
    {"NESS", Code("NESS"), kAnchors, "NESS"},
    {"NotListedMEM", Code("!MEM"), kUnknown, "!MEM"},
    {"NotListedMinus50", -50, kUnknown, "-50"},
    {"NotListed65535", 65535, kUnknown, "65535"},
    // -108 and 271 in their low 16 bits only: the code is compared whole.
    {"Minus108Plus65536", -108 + 65536, kUnknown, "65428"},
    {"Code271Minus65536", 271 - 65536, kUnknown, "-65265"},
    {"NESSInLowerCase", Code("ness"), kUnknown, "ness"},
    // The first four characters of the messages and of the catch-all's own code string.
    {"LikeAMessage", Code("The "), kUnknown, "The "},
    {"TheCatchAllsCode", Code("<Oth"), kUnknown, "<Oth"},
};

class ErrorTable : public DialogTest {
protected:
    explicit ErrorTable(easel::HostConfig config = Seeded()) : DialogTest(std::move(config)) {}

    // The error dialogs shown so far.
    std::vector<easel::DialogRecord> ErrorDialogs() const {
        std::vector<easel::DialogRecord> out;
        for (const easel::DialogRecord& d : host_.Dialogs())
            if (d.resourceId == 16051) out.push_back(d);
        return out;
    }

    // Exactly one error dialog was shown, with this message and code text, and OK ended it.
    void ExpectShown(const char* message, const char* codeText) {
        const auto shown = ErrorDialogs();
        ASSERT_EQ(shown.size(), 1u);
        const easel::DialogRecord& d = shown[0];
        EXPECT_EQ(d.name, "Error Dialog");
        EXPECT_EQ(d.title, "Plug-in Error");
        EXPECT_EQ(d.result, 1);
        std::vector<std::pair<int32_t, std::string>> want = {{1, "OK"}, {2, message}, {3, codeText}, {4, ""}};
        EXPECT_EQ(d.items, want);
        ASSERT_EQ(presenter_->alerts.size(), 1u) << "nothing else was shown";
    }
};

// The go run's first segment write fails with the row's code; with Preview off it is the only
// run, so the code comes back from "AI Go" unchanged.
class ErrorTableGoRun : public ErrorTable, public ::testing::WithParamInterface<ErrorRow> {
protected:
    ErrorTableGoRun() : ErrorTable(FirstSegmentWriteFails(GetParam().code)) {}
};

TEST_P(ErrorTableGoRun, ShowsTheCodesMessageAndText) {
    StarSettings s = NewRecord();
    s.previewOn = 0;
    SetRecord(s);
    EXPECT_EQ(Run([](DialogModel&) {}), GetParam().code);
    ExpectShown(GetParam().message, GetParam().codeText);
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorTableGoRun, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<ErrorRow>& p) { return std::string(p.param.name); });

// "!sel" comes from the frame itself: the plug-in has no menu item to run.
TEST_F(ErrorTable, AMenuMessageIsRefusedWithTheSelectionMessage) {
    EXPECT_EQ(plugin_.Send(kCallerAIMenu, kSelectorAIGoMenuItem), Code("!sel"));
    ExpectShown(kSelection, "!sel");
}

TEST_F(ErrorTable, CancelShowsNothing) {
    EXPECT_EQ(Run([](DialogModel& d) { ASSERT_EQ(d.UserPress(kCancelItem), UserResult::Done); }),
              kSPUserCanceledError);
    EXPECT_TRUE(ErrorDialogs().empty());
    EXPECT_TRUE(presenter_->alerts.empty());
    EXPECT_EQ(Code("STOP"), kSPUserCanceledError);
}

// Success shows nothing either.
TEST_F(ErrorTable, ASuccessfulRunShowsNothing) {
    EXPECT_EQ(Run([](DialogModel&) {}), kSPNoError);
    EXPECT_TRUE(ErrorDialogs().empty());
    EXPECT_TRUE(presenter_->alerts.empty());
}

}  // namespace
}  // namespace corvanta::testing
