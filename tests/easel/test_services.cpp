// The memory, random and real math services.
#include <cmath>
#include <cstring>

#include "SuiteFixture.h"

namespace easel::testing {
namespace {

using Services = SuiteTest;

TEST_F(Services, BlocksAreTrackedAndForeignPointersRefused) {
    void* b = nullptr;
    ASSERT_EQ(blocks->AllocateBlock(16, "test", &b), kSPNoError);
    std::memset(b, 7, 16);
    void* bigger = nullptr;
    ASSERT_EQ(blocks->ReallocateBlock(b, 4096, "test", &bigger), kSPNoError);
    EXPECT_EQ(static_cast<unsigned char*>(bigger)[15], 7);
    EXPECT_EQ(host_.OpenBlocks(), 1);
    int local = 0;
    EXPECT_EQ(blocks->FreeBlock(&local), kSPBadParameterError);
    void* out = &out;
    EXPECT_EQ(blocks->ReallocateBlock(&local, 8, "", &out), kSPBadParameterError);
    EXPECT_EQ(blocks->AllocateBlock(8, "", nullptr), kSPBadParameterError);
    EXPECT_EQ(blocks->AllocateBlock(size_t(-1), "", &out), kSPMemoryHandleError);
    EXPECT_EQ(out, nullptr);
    void* same = nullptr;
    EXPECT_EQ(blocks->ReallocateBlock(bigger, size_t(-1), "", &same), kSPMemoryHandleError);
    EXPECT_EQ(same, bigger);  // the caller still has its block
    EXPECT_EQ(blocks->FreeBlock(bigger), kSPNoError);
    EXPECT_EQ(blocks->FreeBlock(bigger), kSPBadParameterError);  // twice
    EXPECT_EQ(blocks->FreeBlock(nullptr), kSPNoError);
    EXPECT_EQ(host_.OpenBlocks(), 0);
}

TEST_F(Services, HandlesAreZeroFilledAndKeepTheirContentsWhenResized) {
    AIMdMemoryHandle h = nullptr;
    ASSERT_EQ(memory->MdMemoryNewHandle(8, &h), kSPNoError);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(static_cast<char*>(*h)[i], 0);
    static_cast<char*>(*h)[0] = 42;
    ASSERT_EQ(memory->MdMemoryResizeHandle(h, 1 << 16), kSPNoError);
    size_t size = 0;
    ASSERT_EQ(memory->MdMemoryGetSize(h, &size), kSPNoError);
    EXPECT_EQ(size, size_t(1) << 16);
    EXPECT_EQ(static_cast<char*>(*h)[0], 42);
    EXPECT_EQ(static_cast<char*>(*h)[(1 << 16) - 1], 0);

    void* bogus[1] = {nullptr};
    EXPECT_EQ(memory->MdMemoryGetSize(bogus, &size), kSPBadParameterError);
    EXPECT_EQ(memory->MdMemoryGetSize(h, nullptr), kSPBadParameterError);
    EXPECT_EQ(memory->MdMemoryDisposeHandle(bogus), kSPBadParameterError);
    EXPECT_EQ(memory->MdMemoryResizeHandle(h, size_t(-1)), kSPMemoryHandleError);
    EXPECT_EQ(host_.OpenMemoryHandles(), 1);
    EXPECT_EQ(memory->MdMemoryDisposeHandle(h), kSPNoError);
    EXPECT_EQ(memory->MdMemoryDisposeHandle(nullptr), kSPNoError);
    EXPECT_EQ(host_.OpenMemoryHandles(), 0);
}

std::vector<float> Draws(std::optional<uint32_t> seed, int n) {
    HostConfig c;
    c.seed = seed;
    Host host(c);
    const AIRandomSuite* r = Acquire<AIRandomSuite>(host.Basic(), kAIRandomSuite, kAIRandomSuiteVersion);
    std::vector<float> out;
    for (int i = 0; i < n; ++i) out.push_back(r->FloatRnd());
    return out;
}

TEST(Random, SeededSequencesRepeatAndStayInTheHalfOpenUnitInterval) {
    const auto a = Draws(11, 100000);
    EXPECT_EQ(a, Draws(11, 100000));
    EXPECT_NE(a, Draws(12, 100000));
    double sum = 0;
    for (float v : a) {
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        sum += v;
    }
    EXPECT_NEAR(sum / double(a.size()), 0.5, 0.01);
}

TEST_F(Services, RealMathIsSinglePrecision) {
    EXPECT_EQ(math->DegreeToRadian(90.0f), 90.0f * static_cast<float>(M_PI / 180.0));
    // sin 1 = 0.841470984807..., atan2(1, -1) = 3 pi / 4 = 2.356194490192...: the nearest floats.
    EXPECT_EQ(math->AIRealSin(1.0f), 0.84147096f);
    EXPECT_EQ(math->AIRealATan(1.0f, -1.0f), 2.3561945f);
    EXPECT_TRUE(std::isinf(math->AIRealDivide(1.0f, 0.0f)));
    const AIRealPoint p{0, 0}, q{3, 4};
    EXPECT_EQ(math->AIRealPointLength(&p, &q), 5.0f);
    AIRealPoint mid{};
    math->AIRealPointInterpolate(&p, &q, 0.25f, &mid);  // t p1 + (1 - t) p2
    EXPECT_EQ(mid.h, 2.25f);
    EXPECT_EQ(math->AIRealInterpolate(10.0f, 20.0f, 1.0f), 10.0f);

    // Translate, then scale by 2, then a quarter turn: (1, 0) -> (2, 0) -> (4, 0) -> (0, 4).
    AIRealMatrix m{};
    math->AIRealMatrixSetTranslate(&m, 1, 0);
    math->AIRealMatrixConcatScale(&m, 2, 2);
    math->AIRealMatrixConcatTranslate(&m, 0, 0);
    math->AIRealMatrixConcatRotate(&m, static_cast<float>(M_PI / 2));
    const float x = 1, y = 0;
    EXPECT_NEAR(m.a * x + m.c * y + m.tx, 0.0f, 1e-5);
    EXPECT_NEAR(m.b * x + m.d * y + m.ty, 4.0f, 1e-5);
}

// The host notes where each counted call came from: one place called in a loop is one site,
// two places calling the same operation are two, and a fault names the place it failed.
class CallSites : public SuiteTest {
protected:
    static HostConfig Tracked() {
        HostConfig c;
        c.trackCallSites = true;
        c.faults.push_back({"AI Path Suite/GetPathSegmentCount", 2, kSPBadParameterError});
        return c;
    }
    CallSites() : SuiteTest(Tracked()) {}
};

TEST_F(CallSites, EachPlaceInTheCallersCodeIsOneSite) {
    const int64_t before = host_.CallCount();
    AIArtHandle h = PathWith(3);  // NewArt once, SetPathSegments three times from one place
    int16_t n = 0;
    ASSERT_EQ(path->GetPathSegmentCount(h, &n), kSPNoError);
    EXPECT_EQ(path->GetPathSegmentCount(h, &n), kSPBadParameterError);  // the armed fault

    std::vector<Host::CallSite> sites = host_.CallSites();
    std::erase_if(sites, [&](const Host::CallSite& s) { return s.firstCall <= before; });
    ASSERT_EQ(sites.size(), 4u) << "NewArt, SetPathSegments, and two GetPathSegmentCount places";
    const int64_t firsts[] = {before + 1, before + 2, before + 5, before + 6};
    for (size_t i = 0; i < sites.size(); ++i) EXPECT_EQ(sites[i].firstCall, firsts[i]) << i;
    const std::vector<uintptr_t> faulted = host_.FaultedCallSites();
    ASSERT_EQ(faulted.size(), 1u);
    EXPECT_EQ(faulted[0], sites[3].address) << "the second place failed, not the first";
    EXPECT_NE(sites[2].address, sites[3].address);
}

}  // namespace
}  // namespace easel::testing
