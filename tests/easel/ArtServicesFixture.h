// ArtServicesFixture.h: SuiteTest with the suites of opacity, transforms, shapes, envelopes
// and symbols acquired too.
#pragma once

#include "AIBlendStyle.h"
#include "AIEnvelope.h"
#include "AIShapeConstruction.h"
#include "AISymbol.h"
#include "AITransformArt.h"
#include "SuiteFixture.h"

namespace easel::testing {

class ArtServicesTest : public SuiteTest {
protected:
    ArtServicesTest() {
        const SPBasicSuite* b = host_.Basic();
        blend = Acquire<AIBlendStyleSuite>(b, kAIBlendStyleSuite, kAIBlendStyleSuiteVersion);
        transform = Acquire<AITransformArtSuite>(b, kAITransformArtSuite, kAITransformArtSuiteVersion);
        shapes = Acquire<AIShapeConstructionSuite>(b, kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion);
        envelope = Acquire<AIEnvelopeSuite>(b, kAIEnvelopeSuite, kAIEnvelopeSuiteVersion);
        symbols = Acquire<AISymbolSuite>(b, kAISymbolSuite, kAISymbolSuiteVersion);
    }

    std::vector<AIPathSegment> Segments(AIArtHandle h) {
        std::vector<AIPathSegment> out(static_cast<size_t>(Count(h)));
        EXPECT_EQ(path->GetPathSegments(h, 0, static_cast<int16_t>(out.size()), out.data()), kSPNoError);
        return out;
    }
    AIArtHandle Rect(float cx, float cy, float w, float h) {
        const AIRealPoint c{cx, cy};
        AIArtHandle out = nullptr;
        EXPECT_EQ(shapes->NewPointPointRect(&c, w, h, 0, &out), kSPNoError);
        return out;
    }
    AIArtHandle Oval(float cx, float cy, float w, float h) {
        const AIRealPoint c{cx, cy};
        AIArtHandle out = nullptr;
        EXPECT_EQ(shapes->NewPointPointOval(&c, w, h, 0, &out), kSPNoError);
        return out;
    }
    // Ids of the current layer's art, bottom first.
    std::vector<ArtId> LayerArt() { return Doc().FindLayer(Doc().currentLayer)->art; }

    const AIBlendStyleSuite* blend;
    const AITransformArtSuite* transform;
    const AIShapeConstructionSuite* shapes;
    const AIEnvelopeSuite* envelope;
    const AISymbolSuite* symbols;
};

inline ArtId Id(AIArtHandle h) { return static_cast<ArtId>(reinterpret_cast<uintptr_t>(h) & 0xFFFFFFFFu); }

}  // namespace easel::testing
