// Acquisition by exact name and version, counting, omitted suites and fault injection.
#include "SuiteFixture.h"

namespace easel::testing {
namespace {

TEST(Registry, ExactNameAndVersionOnly) {
    Host host;
    const SPBasicSuite* b = host.Basic();
    const void* t = &t;
    EXPECT_EQ(b->AcquireSuite(kAIPathSuite, kAIPathSuiteVersion + 1, &t), kSPSuiteNotFoundError);
    EXPECT_EQ(t, nullptr);
    t = &t;
    EXPECT_EQ(b->AcquireSuite("AI Path suite", kAIPathSuiteVersion, &t), kSPSuiteNotFoundError);
    EXPECT_EQ(t, nullptr);
    EXPECT_EQ(b->AcquireSuite("ADM Dialog Suite", 2, &t), kSPSuiteNotFoundError);
    EXPECT_EQ(b->AcquireSuite("ADM Tracker Suite", 2, &t), kSPSuiteNotFoundError) << "placeholders too";
    EXPECT_EQ(b->AcquireSuite(nullptr, 1, &t), kSPBadParameterError);
    EXPECT_EQ(b->AcquireSuite(kAIPathSuite, kAIPathSuiteVersion, nullptr), kSPBadParameterError);
    EXPECT_EQ(host.AcquireCount(), 0);
}

TEST(Registry, RepeatedAcquisitionGivesTheSameTableAndReleasesAreCounted) {
    Host host;
    const SPBasicSuite* b = host.Basic();
    const void* first = nullptr;
    const void* second = nullptr;
    ASSERT_EQ(b->AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &first), kSPNoError);
    ASSERT_EQ(b->AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &second), kSPNoError);
    EXPECT_EQ(first, second);
    EXPECT_EQ(host.OpenAcquisitions(), 2);
    EXPECT_EQ(b->ReleaseSuite(kAIArtSuite, kAIArtSuiteVersion), kSPNoError);
    EXPECT_EQ(b->ReleaseSuite(kAIArtSuite, kAIArtSuiteVersion), kSPNoError);
    EXPECT_EQ(b->ReleaseSuite(kAIArtSuite, kAIArtSuiteVersion), kSPSuiteNotFoundError);
    EXPECT_EQ(b->ReleaseSuite(kAIPathSuite, kAIPathSuiteVersion), kSPSuiteNotFoundError);
    EXPECT_EQ(b->ReleaseSuite("nothing", 1), kSPSuiteNotFoundError);
    EXPECT_EQ(host.AcquireCount(), 2);
    EXPECT_EQ(host.ReleaseCount(), 2);
    EXPECT_EQ(host.OpenAcquisitions(), 0);
    EXPECT_TRUE(b->IsEqual("a", "a"));
    EXPECT_FALSE(b->IsEqual("a", nullptr));
}

TEST(Registry, EverySuiteIsOfferedUnlessOmitted) {
    HostConfig c;
    c.omittedSuites = {kAIUndoSuite};
    Host host(c);
    const SPBasicSuite* b = host.Basic();
    const std::pair<const char*, int32_t> all[] = {
        {"SP Blocks Suite", 2}, {"AI MdMemory Suite", 1}, {"AI Real Math Suite", 1},
        {"AI Random Suite", 3}, {"AI Document Suite", 7}, {"AI Document View Suite", 7},
        {"AI Art Suite", 9}, {"AI Path Suite", 4}, {"AI Path Style Suite", 5},
        {"AI Swatch List Suite", 4}, {"AI Art Style Suite", 3}, {"AI Layer Suite", 9}};
    for (const auto& [name, version] : all) {
        const void* t = nullptr;
        EXPECT_EQ(b->AcquireSuite(name, version, &t), kSPNoError) << name;
        EXPECT_NE(t, nullptr);
    }
    const void* t = &t;
    EXPECT_EQ(b->AcquireSuite(kAIUndoSuite, kAIUndoSuiteVersion, &t), kSPSuiteNotFoundError);
    EXPECT_EQ(t, nullptr);
}

class FaultTest : public SuiteTest {
protected:
    explicit FaultTest(HostConfig c) : SuiteTest(std::move(c)) {}
    static HostConfig At(std::string operation, int64_t nth, SPErr code) {
        HostConfig c;
        c.faults.push_back({std::move(operation), nth, code});
        return c;
    }
};

class ThirdSegmentFails : public FaultTest {
protected:
    ThirdSegmentFails() : FaultTest(At("AI Path Suite/SetPathSegments", 3, kAITooManySegmentsError)) {}
};

TEST_F(ThirdSegmentFails, OnlyThatCallFailsAndOnlyOnce) {
    AIArtHandle h = NewPath();
    SPErr codes[5];
    for (int16_t i = 0; i < 5; ++i) {
        const AIPathSegment s = Seg(i, i);
        codes[i] = path->SetPathSegments(h, Count(h), 1, &s);
    }
    EXPECT_EQ(codes[0], kSPNoError);
    EXPECT_EQ(codes[1], kSPNoError);
    EXPECT_EQ(codes[2], kAITooManySegmentsError);
    EXPECT_EQ(codes[3], kSPNoError);
    EXPECT_EQ(codes[4], kSPNoError);
    EXPECT_EQ(Count(h), 4);  // the failed call wrote nothing
    EXPECT_EQ(host_.CallCount("AI Path Suite/SetPathSegments"), 5);
}

class EveryCallCounted : public FaultTest {
protected:
    EveryCallCounted() : FaultTest(At("*", 4, kSPOutOfMemoryError)) {}
};

TEST_F(EveryCallCounted, StarCountsEveryOperationTogether) {
    EXPECT_EQ(host_.CallCount(), 0);  // acquisitions are not suite operations
    AIArtHandle h = NewPath();                 // 1
    int16_t n = 0;
    EXPECT_EQ(path->GetPathSegmentCount(h, &n), kSPNoError);  // 2
    EXPECT_EQ(undo->UndoChanges(), kSPNoError);               // 3
    AIArtHandle out = nullptr;
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &out), kSPOutOfMemoryError);  // 4
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Doc().layers[0].art.size(), 0u);
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &out), kSPNoError);  // 5
    EXPECT_EQ(host_.CallCount(), 5);
}

TEST(Faults, AnUnknownOperationNameIsRefused) {
    HostConfig c;
    c.faults.push_back({"AI Path Suite/SetPathSegment", 1, 1});
    EXPECT_THROW(Host host(c), std::invalid_argument);
    Host after;  // a refused Host leaves no live session behind
}

}  // namespace
}  // namespace easel::testing
