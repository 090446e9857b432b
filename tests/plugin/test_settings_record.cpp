// The settings record: layout, defaults, and creation through the host's memory service.
#include <cstring>
#include <map>

#include "PluginFixture.h"

namespace corvanta::testing {
namespace {

float FloatWord(const StarSettings& s, int n) {
    const uint32_t bits = GetSettingsWord(s, n);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

class SettingsRecordTest : public PluginTest {};

TEST_F(SettingsRecordTest, ANewRecordHoldsEveryDefaultAndTheViewCentre) {
    AIFilterParameters slot = nullptr;
    ASSERT_EQ(CreateStarSettings(&slot), kSPNoError);
    const StarSettings* s = SettingsOf(slot);
    ASSERT_NE(s, nullptr);
    size_t size = 0;
    ASSERT_EQ(MdMemorySuite()->MdMemoryGetSize(slot, &size), kSPNoError);
    EXPECT_EQ(size, 632u);

    std::map<int, uint32_t> ints = {{0, 1}, {1, 1}, {3, 10}, {113, 1}, {114, 1}, {145, 1},
                                    {146, 1}, {17, 1}, {37, 2}};
    std::map<int, float> floats = {{7, 40.0f}, {8, 5.0f}, {12, 100.0f}, {97, 100.0f},
                                   {98, 100.0f}, {99, 100.0f}, {100, 100.0f}, {109, 100.0f},
                                   {110, 100.0f}, {111, 360.0f}, {112, 9999.0f}};
    for (int n = 0; n < kStarSettingsWords; ++n) {
        if (n == 107 || n == 108) continue;
        if (ints.count(n))
            EXPECT_EQ(GetSettingsWord(*s, n), ints[n]) << "word " << n;
        else if (floats.count(n))
            EXPECT_EQ(FloatWord(*s, n), floats[n]) << "word " << n;
        else
            EXPECT_EQ(GetSettingsWord(*s, n), 0u) << "word " << n;  // 0 and 0.0 share their bits
    }
    // The first view of a new document is centred on the page.
    EXPECT_FLOAT_EQ(s->userCentreH, 306.0f);
    EXPECT_FLOAT_EQ(s->userCentreV, 396.0f);
    EXPECT_EQ(MdMemorySuite()->MdMemoryDisposeHandle(slot), kSPNoError);
}

TEST_F(SettingsRecordTest, NamedFieldsAreTheirWords) {
    StarSettings s{};
    s.starCount = 77;
    s.maxShell = -3.5f;
    s.shellRadiusBySet[15] = 2.0f;
    s.dialogBoundsSaved = 1;
    EXPECT_EQ(GetSettingsWord(s, 113), 77u);
    EXPECT_EQ(FloatWord(s, 112), -3.5f);
    EXPECT_EQ(FloatWord(s, 92), 2.0f);
    EXPECT_EQ(GetSettingsWord(s, 157), 1u);
    SetSettingsWord(s, 3, 400);
    EXPECT_EQ(s.starGroups, 400);
}

class SettingsWithoutMemory : public PluginTest {
protected:
    SettingsWithoutMemory() : PluginTest(Config()) {}
    static easel::HostConfig Config() {
        easel::HostConfig c;
        c.faults.push_back({"AI MdMemory Suite/MdMemoryNewHandle", 1, kSPMemoryHandleError});
        c.faults.push_back({"AI Document Suite/GetDocumentSetup", 1, kSPNoDocumentError});
        return c;
    }
};

TEST_F(SettingsWithoutMemory, FailuresLeaveTheSlotEmptySoTheNextAttemptStartsClean) {
    AIFilterParameters slot = nullptr;
    EXPECT_EQ(CreateStarSettings(&slot), kSPMemoryHandleError);
    EXPECT_EQ(slot, nullptr);
    // The block is made, then the document cannot be asked: it is given back.
    EXPECT_EQ(CreateStarSettings(&slot), kSPNoDocumentError);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(host_.OpenMemoryHandles(), 0);
    ASSERT_EQ(CreateStarSettings(&slot), kSPNoError);
    EXPECT_EQ(SettingsOf(slot)->starGroups, 10);
    MdMemorySuite()->MdMemoryDisposeHandle(slot);
}

}  // namespace
}  // namespace corvanta::testing
