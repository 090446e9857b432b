// FinishingFixture.h: the finishing phases run one at a time on paths made for the test, inside
// one host message, with the run values the driver would have prepared.
#pragma once

#include <random>
#include <vector>

#include "PluginFixture.h"
#include "generator/Generator.h"

namespace corvanta::testing {

class FinishingTest : public PluginTest {
protected:
    explicit FinishingTest(easel::HostConfig config = SeededConfig()) : PluginTest(std::move(config)) {}

    void SetUp() override {
        PluginTest::SetUp();
        PrepareRun();
    }

    // The run values of a driver's run over the current document and settings_.
    void PrepareRun() {
        run_ = GeneratorRun{};
        run_.settings = &settings_;
        run_.pageWidth = Doc().pageWidth;
        run_.pageHeight = Doc().pageHeight;
        run_.halfWidth = run_.pageWidth * 0.5f;
        run_.halfHeight = run_.pageHeight * 0.5f;
        run_.swatchCount = static_cast<int32_t>(Doc().swatches.size());
        run_.styleCount = static_cast<int32_t>(Doc().styles.size());
        run_.sketchWeight = settings_.sketchWeightTenths / 10.0f;
    }

    // A new path above all art with these anchors, handles on the anchors.
    AIArtHandle MakePath(const std::vector<AIRealPoint>& anchors) {
        AIArtHandle path = nullptr;
        EXPECT_EQ(ArtSuite()->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path), kSPNoError);
        for (size_t i = 0; i < anchors.size(); ++i) {
            const AIPathSegment seg{anchors[i], anchors[i], anchors[i], 1};
            EXPECT_EQ(PathSuite()->SetPathSegments(path, static_cast<int16_t>(i), 1, &seg), kSPNoError);
        }
        return path;
    }

    // A square of side 2r around (cx, cy), anchors counter-clockwise from its right middle.
    AIArtHandle MakeStarLike(float cx, float cy, float r) {
        return MakePath({{cx + r, cy}, {cx + r, cy + r}, {cx, cy + r}, {cx - r, cy + r},
                         {cx - r, cy}, {cx - r, cy - r}, {cx, cy - r}, {cx + r, cy - r}});
    }

    std::vector<AIPathSegment> Segments(AIArtHandle path) {
        int16_t n = 0;
        EXPECT_EQ(PathSuite()->GetPathSegmentCount(path, &n), kSPNoError);
        std::vector<AIPathSegment> out(static_cast<size_t>(n));
        if (n > 0) {
            EXPECT_EQ(PathSuite()->GetPathSegments(path, 0, n, out.data()), kSPNoError);
        }
        return out;
    }

    PathStyle Style(AIArtHandle art) {
        PathStyle s{};
        EXPECT_EQ(PathStyleSuite()->GetPathStyle(art, &s), kSPNoError);
        return s;
    }
    void SetStyle(AIArtHandle art, const PathStyle& s) {
        ASSERT_EQ(PathStyleSuite()->SetPathStyle(art, &s), kSPNoError);
    }

    AIRealRect Bounds(AIArtHandle art) {
        AIRealRect b{};
        EXPECT_EQ(ArtSuite()->GetArtBounds(art, &b), kSPNoError);
        return b;
    }

    // The host's random sequence, replayed from the same seed: value i is the i-th draw of
    // the session (24 bits of a std::mt19937 each). Draws() gives the values from the next
    // one the host will answer, once SyncDraws() has been called at a known position.
    void SyncDraws(uint32_t seed = 7) {
        replay_.seed(seed);
        replayed_ = 0;
    }
    float Replay() {
        ++replayed_;
        return static_cast<float>(replay_() >> 8) * 0x1p-24f;
    }
    // How many draws the code under test took since the last sync or check: reads the host's
    // next value and finds it in the replayed sequence (consuming it).
    int DrawsTaken(int limit = 10000) {
        const float next = RandomSuite()->FloatRnd();
        for (int taken = 0; taken <= limit; ++taken)
            if (Replay() == next) return taken;
        return -1;
    }

    StarSettings settings_ = DefaultSettings();
    GeneratorRun run_;
    std::mt19937 replay_;
    int replayed_ = 0;
};

inline float Cx(const AIRealRect& b) { return b.left + (b.right - b.left) / 2; }
inline float Cy(const AIRealRect& b) { return b.bottom + (b.top - b.bottom) / 2; }
inline float Width(const AIRealRect& b) { return b.right - b.left; }

}  // namespace corvanta::testing
