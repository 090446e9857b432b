// SuiteFixture.h: a Host with a new document and every suite acquired the way a plug-in
// acquires them, through the basic services.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "AIArt.h"
#include "AIArtStyle.h"
#include "AIDocument.h"
#include "AILayer.h"
#include "AIMdMemory.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AIRandom.h"
#include "AIRealMath.h"
#include "AIUndo.h"
#include "SPBlocks.h"
#include "host/Host.h"

namespace easel::testing {

template <typename Suite>
const Suite* Acquire(const SPBasicSuite* basic, const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(basic->AcquireSuite(name, version, &table), kSPNoError) << name;
    return static_cast<const Suite*>(table);
}

inline AIPathSegment Seg(float x, float y) {
    AIPathSegment s{};
    s.p = s.in = s.out = {x, y};
    s.corner = 1;
    return s;
}

class SuiteTest : public ::testing::Test {
protected:
    explicit SuiteTest(HostConfig config = {}) : host_(std::move(config)) {
        host_.NewDocument();
        const SPBasicSuite* b = host_.Basic();
        art = Acquire<AIArtSuite>(b, kAIArtSuite, kAIArtSuiteVersion);
        path = Acquire<AIPathSuite>(b, kAIPathSuite, kAIPathSuiteVersion);
        style = Acquire<AIPathStyleSuite>(b, kAIPathStyleSuite, kAIPathStyleSuiteVersion);
        undo = Acquire<AIUndoSuite>(b, kAIUndoSuite, kAIUndoSuiteVersion);
        layer = Acquire<AILayerSuite>(b, kAILayerSuite, kAILayerSuiteVersion);
        blocks = Acquire<SPBlocksSuite>(b, kSPBlocksSuite, kSPBlocksSuiteVersion);
        memory = Acquire<AIMdMemorySuite>(b, kAIMdMemorySuite, kAIMdMemorySuiteVersion);
        random = Acquire<AIRandomSuite>(b, kAIRandomSuite, kAIRandomSuiteVersion);
        math = Acquire<AIRealMathSuite>(b, kAIRealMathSuite, kAIRealMathSuiteVersion);
        artStyle = Acquire<AIArtStyleSuite>(b, kAIArtStyleSuite, kAIArtStyleSuiteVersion);
        host_.BeginMessage();
    }

    Document& Doc() { return *host_.CurrentDocument(); }

    AIArtHandle NewPath() {
        AIArtHandle h = nullptr;
        EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &h), kSPNoError);
        return h;
    }
    // A path with n segments at (i, i).
    AIArtHandle PathWith(int n) {
        AIArtHandle h = NewPath();
        for (int i = 0; i < n; ++i) {
            const AIPathSegment s = Seg(float(i), float(i));
            EXPECT_EQ(path->SetPathSegments(h, static_cast<int16_t>(i), 1, &s), kSPNoError);
        }
        return h;
    }
    int16_t Count(AIArtHandle h) {
        int16_t n = -1;
        EXPECT_EQ(path->GetPathSegmentCount(h, &n), kSPNoError);
        return n;
    }
    void NextMessage() {
        host_.EndMessage();
        host_.BeginMessage();
    }

    Host host_;
    const AIArtSuite* art;
    const AIPathSuite* path;
    const AIPathStyleSuite* style;
    const AIUndoSuite* undo;
    const AILayerSuite* layer;
    const SPBlocksSuite* blocks;
    const AIMdMemorySuite* memory;
    const AIRandomSuite* random;
    const AIRealMathSuite* math;
    const AIArtStyleSuite* artStyle;
};

}  // namespace easel::testing
