// The plug-in's frame: suite acquisition with nesting, the module-loading messages, code texts
// and length-prefixed strings.
#include <cstring>

#include "PluginFixture.h"
#include "frame/Globals.h"
#include "frame/PascalString.h"
#include "frame/Registration.h"

extern "C" SPErr SPAPI PluginMain(const char* caller, const char* selector, void* message);

namespace corvanta::testing {
namespace {

TEST(PascalString, ConvertsInPlaceBothWaysAndRefusesWhatALengthByteCannotHold) {
    char text[300] = "ZTK <Create>";
    ASSERT_TRUE(CToPascal(text));
    EXPECT_EQ(text[0], 12);
    EXPECT_EQ(std::memcmp(text + 1, "ZTK <Create>", 12), 0);
    PascalToC(text);
    EXPECT_STREQ(text, "ZTK <Create>");

    std::memset(text, 'x', 255);
    text[255] = '\0';
    ASSERT_TRUE(CToPascal(text));
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 255);
    std::memset(text, 'y', 256);
    text[256] = '\0';
    EXPECT_FALSE(CToPascal(text));
    EXPECT_EQ(text[0], 'y');
    EXPECT_EQ(std::strlen(text), 256u);

    char empty[2] = "";
    ASSERT_TRUE(CToPascal(empty));
    EXPECT_EQ(empty[0], 0);
}

TEST(CodeText, NumbersAndFourCharacterCodes) {
    EXPECT_EQ(TextToCode("-108"), -108);
    EXPECT_EQ(TextToCode("271"), 271);
    EXPECT_EQ(TextToCode("SEGM"), 0x5345474D);
    EXPECT_EQ(TextToCode("<Others>"), SPFourCharCode('<', 'O', 't', 'h'));
    EXPECT_EQ(TextToCode("70000"), 70000 - 65536) << "only the low 16 bits count";
    EXPECT_EQ(TextToCode("ab"), SPFourCharCode('a', 'b', 0, 0)) << "short codes are not read past";

    char text[256];
    CodeToText(-108, text);
    EXPECT_STREQ(text, "-108");
    CodeToText(-50, text);
    EXPECT_STREQ(text, "-50");
    CodeToText(65535, text);
    EXPECT_STREQ(text, "65535");
    CodeToText(kSPBadSelectorError, text);
    EXPECT_STREQ(text, "!sel");
    CodeToText(kSPMemoryHandleError, text);
    EXPECT_STREQ(text, "!MEM");
    CodeToText(kAILockedLayerError, text);
    EXPECT_STREQ(text, "SEGM");
}

class FrameTest : public PluginTest {
protected:
    FrameTest() = default;
    explicit FrameTest(easel::HostConfig config) : PluginTest(std::move(config)) {}
    SPMessageData Message() {
        SPMessageData m{};
        m.basic = host_.Basic();
        return m;
    }
};

TEST_F(FrameTest, NestedMessagesAcquireOnceAndTheOutermostReleaseEmptiesEverySlot) {
    const int64_t acquired = host_.AcquireCount();
    ASSERT_EQ(gSuiteNesting, 1);
    AcquireSuites(host_.Basic());  // an inner message
    EXPECT_EQ(host_.AcquireCount(), acquired);
    EXPECT_NE(ArtSuite(), nullptr);
    ReleaseSuites(host_.Basic());
    EXPECT_EQ(gSuiteNesting, 1);
    EXPECT_NE(ArtSuite(), nullptr);
    EndMessage();
    EXPECT_EQ(gSuiteNesting, 0);
    EXPECT_EQ(host_.OpenAcquisitions(), 0) << "every acquired suite is given back";
    for (const void* slot : gSuiteRefs) EXPECT_EQ(slot, nullptr);
}

class FrameWithoutPathSuite : public PluginTest {
protected:
    FrameWithoutPathSuite() : PluginTest(Config()) {}
    static easel::HostConfig Config() {
        easel::HostConfig c;
        c.omittedSuites = {kAIPathSuite};
        return c;
    }
    void SetUp() override { host_.NewDocument(); }
};

TEST_F(FrameWithoutPathSuite, AMissingSuiteStrandsNoOtherSuite) {
    AcquireSuites(host_.Basic());
    EXPECT_EQ(PathSuite(), nullptr);
    EXPECT_NE(ArtStyleSuite(), nullptr) << "the walk goes on past an early missing suite";
    ReleaseSuites(host_.Basic());
    EXPECT_EQ(host_.OpenAcquisitions(), 0);
    EXPECT_EQ(ArtStyleSuite(), nullptr);
}

TEST_F(FrameTest, ModuleLoadingMessagesKeepTheGlobalsAndResetTheNesting) {
    EndMessage();
    PluginGlobals kept{};
    gGlobals = &kept;
    SPMessageData m = Message();
    EXPECT_EQ(PluginMain(kSPAccessCaller, kSPAccessUnloadSelector, &m), kSPNoError);
    EXPECT_EQ(m.globals, &kept);
    gGlobals = nullptr;
    gSuiteNesting = 3;
    EXPECT_EQ(PluginMain(kSPAccessCaller, kSPAccessReloadSelector, &m), kSPNoError);
    EXPECT_EQ(gGlobals, &kept);
    EXPECT_EQ(gSuiteNesting, 0);
    const int64_t acquired = host_.AcquireCount();
    EXPECT_EQ(PluginMain(kSPAccessCaller, "Something else", &m), kSPNoError);
    EXPECT_EQ(host_.AcquireCount(), acquired) << "module-loading messages acquire nothing";
    gGlobals = nullptr;
}

class FrameWithoutDialogSuites : public FrameTest {
protected:
    FrameWithoutDialogSuites() : FrameTest(Config()) {}
    static easel::HostConfig Config() {
        easel::HostConfig c;
        c.omittedSuites = {kADMBasicSuite, kADMDialogSuite, kADMItemSuite, "ADM Tracker Suite"};
        return c;
    }
};

TEST_F(FrameWithoutDialogSuites, AHostWithoutTheDialogSuitesGetsItsCodeBackAndEverySuiteReturned) {
    EndMessage();
    SPMessageData m = Message();
    // Without the alert service the walk over the table goes on silently and ends on a suite
    // this host lacks: nothing is dispatched, nothing is shown, and everything acquired is
    // given back.
    EXPECT_EQ(PluginMain(kCallerAIMenu, kSelectorAIGoMenuItem, &m), kSPSuiteNotFoundError);
    EXPECT_EQ(gSuiteNesting, 0);
    EXPECT_EQ(host_.OpenAcquisitions(), 0);
    EXPECT_GT(host_.AcquireCount(), 0);
    EXPECT_EQ(PluginMain(kCallerAIMenu, kSelectorAIGoMenuItem, nullptr), kSPBadParameterError);
}

}  // namespace
}  // namespace corvanta::testing
