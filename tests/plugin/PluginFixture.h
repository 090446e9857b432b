// PluginFixture.h: the plug-in's code run in-process against Easel, inside one host message
// with the suites in the plug-in's slots.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "document/Document.h"
#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"
#include "host/Host.h"
#include "settings/StarSettings.h"

namespace corvanta::testing {

inline StarSettings DefaultSettings() {
    StarSettings s{};
    WriteDefaultSettings(s);
    s.userCentreH = 306.0f;
    s.userCentreV = 396.0f;
    return s;
}

class PluginTest : public ::testing::Test {
protected:
    explicit PluginTest(easel::HostConfig config = SeededConfig()) : host_(std::move(config)) {}

    static easel::HostConfig SeededConfig() {
        easel::HostConfig c;
        c.seed = 7;
        return c;
    }

    void SetUp() override {
        host_.NewDocument();
        BeginMessage();
    }
    void TearDown() override {
        if (inMessage_) EndMessage();
    }

    void BeginMessage() {
        host_.BeginMessage();
        // The code is that of the last suite of the table, which this host may not offer;
        // what matters here is that the art services are in their slots.
        AcquireSuites(host_.Basic());
        inMessage_ = true;
        ASSERT_NE(ArtSuite(), nullptr);
        ASSERT_NE(PathSuite(), nullptr);
        ASSERT_NE(UndoSuite(), nullptr);
    }
    void EndMessage() {
        ReleaseSuites(host_.Basic());
        host_.EndMessage();
        inMessage_ = false;
    }

    easel::Document& Doc() { return *host_.CurrentDocument(); }

    // Art of the current layer, bottom first.
    std::vector<const easel::Art*> Art() {
        std::vector<const easel::Art*> out;
        for (const easel::Layer& layer : Doc().layers)
            for (easel::ArtId id : layer.art) out.push_back(Doc().FindArt(id));
        return out;
    }

    // Runs the generator as the dialog's preview would, or as the filter's go run.
    SPErr Preview(StarSettings& s) {
        s.finalRun = 0;
        s.previewDrawn = 1;
        return GenerateStars(s);
    }
    SPErr Go(StarSettings& s) {
        s.finalRun = 1;
        return GenerateStars(s);
    }

    easel::Host host_;
    bool inMessage_ = false;
};

struct Polar {
    float distance, degrees;
};

// Anchor i of a path as distance and angle (0 <= angle < 360) around a centre.
inline Polar PolarOf(const easel::PathData& path, size_t i, float cx, float cy) {
    const auto& p = path.segments[i];
    const double dx = p.px - cx, dy = p.py - cy;
    double deg = std::atan2(dy, dx) * 180.0 / M_PI;
    if (deg < -1e-3) deg += 360.0;
    return {static_cast<float>(std::hypot(dx, dy)), static_cast<float>(deg)};
}

inline bool HandlesOnAnchor(const easel::SegmentPoints& s) {
    return s.ix == s.px && s.iy == s.py && s.ox == s.px && s.oy == s.py;
}

}  // namespace corvanta::testing
