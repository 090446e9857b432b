// bench_generate: the generator through Easel's suites against a plain loop that computes
// the same outline into an array, and the document's bytes per stored segment.
//
// Prints both figures after the runs:
//   ratio = (time per segment through the suites) / (time per segment of the plain loop)
//   bytes = document bytes held for art / segments held
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"
#include "host/Host.h"
#include "settings/StarSettings.h"

namespace {

using corvanta::StarSettings;

// A large star: 400 groups of one core and two shell points, 1200 segments, 20 per run.
constexpr int kGroups = 400;
constexpr int kStars = 20;
constexpr int kSegmentsPerRun = kGroups * 3 * kStars;

StarSettings BenchSettings() {
    StarSettings s{};
    corvanta::WriteDefaultSettings(s);
    s.starGroups = kGroups;
    s.starCount = kStars;
    s.starCentreMode = 1;
    return s;
}

double gBytesPerSegment = 0;

void BM_GenerateThroughSuites(benchmark::State& state) {
    easel::HostConfig config;
    config.seed = 1;
    easel::Host host(config);
    host.NewDocument();
    host.BeginMessage();
    corvanta::AcquireSuites(host.Basic());
    StarSettings s = BenchSettings();
    for (auto _ : state) {
        // Each run is a preview: it undoes the previous run's stars, then draws its own.
        s.finalRun = 0;
        s.previewDrawn = 1;
        if (corvanta::GenerateStars(s) != kSPNoError) state.SkipWithError("generation failed");
    }
    corvanta::ReleaseSuites(host.Basic());
    host.EndMessage();
    const easel::Document& doc = *host.CurrentDocument();
    size_t segments = 0;
    for (const auto& art : doc.arts)
        if (art) segments += art->path.SegmentCount();
    gBytesPerSegment = static_cast<double>(doc.ArtBytes()) / static_cast<double>(segments);
    state.counters["bytes_per_segment"] = gBytesPerSegment;
    state.SetItemsProcessed(state.iterations() * kSegmentsPerRun);
}
BENCHMARK(BM_GenerateThroughSuites)->Unit(benchmark::kMillisecond);

// The outline of one star as the generator computes it (the same sets, groups, patterns and
// single-precision steps), but with the maths called directly and the segments stored into an
// array: what the same geometry costs without the host between.
void PlainOutline(const StarSettings& s, float cx, float cy, std::vector<AIPathSegment>& out) {
    out.clear();
    int32_t pointsPerGroup = 0;
    for (int j = 0; j < corvanta::kStarSets; ++j) pointsPerGroup += s.corePointsBySet[j] + s.shellPointsBySet[j];
    const float step = (s.boundaryLimitDegrees * static_cast<float>(M_PI / 180.0)) /
                       (static_cast<float>(s.starGroups) * static_cast<float>(pointsPerGroup));
    const float t = s.interpolationPercent / 100.0f;
    const AIRealPoint centre{cx, cy};
    float angle = 0.0f;
    auto write = [&](float x, float y) {
        AIPathSegment seg{};
        seg.p = {t * centre.h + (1 - t) * x, t * centre.v + (1 - t) * y};
        seg.in = seg.out = {x, y};
        seg.corner = 1;
        out.push_back(seg);
    };
    for (int32_t g = 0; g < s.starGroups; ++g) {
        const float f = (g % 2 == 0 ? s.groupPercentEven : s.groupPercentOdd) / 100.0f;
        for (int j = 0; j < corvanta::kStarSets; ++j) {
            for (int32_t k = 0; k < s.corePointsBySet[j]; ++k) {
                const float b = s.coreRadiusBySet[j] * ((k % 2 == 0 ? s.altCorePercentEven : s.altCorePercentOdd) / 100.0f);
                const float r = b + s.starCoreRadius;
                write(cx + f * r * std::cos(angle) + s.corePointOffsetX, cy + f * r * std::sin(angle) + s.corePointOffsetY);
                angle += step;
            }
            const float d = s.starShellRadius + s.starCoreRadius;
            for (int32_t k = 0; k < s.shellPointsBySet[j]; ++k) {
                const float e = s.shellRadiusBySet[j] * ((k % 2 == 0 ? s.altShellPercentEven : s.altShellPercentOdd) / 100.0f);
                const float R = std::min((d + e) * f, s.maxShell);
                write(cx + R * std::cos(angle) + s.shellPointOffsetX, cy + R * std::sin(angle) + s.shellPointOffsetY);
                angle += step;
            }
        }
    }
}

void BM_PlainLoop(benchmark::State& state) {
    const StarSettings s = BenchSettings();
    std::vector<AIPathSegment> out;
    out.reserve(kGroups * 3);
    for (auto _ : state) {
        for (int star = 0; star < kStars; ++star) {
            PlainOutline(s, 306.0f, 396.0f, out);
            benchmark::DoNotOptimize(out.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * kSegmentsPerRun);
}
BENCHMARK(BM_PlainLoop)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration so that the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (!r.error_occurred) times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto suites = reporter.times.find("BM_GenerateThroughSuites");
    const auto plain = reporter.times.find("BM_PlainLoop");
    if (suites != reporter.times.end() && plain != reporter.times.end()) {
        std::printf("\nsegments through the suites vs the plain loop: %.2f times the time (target <= 1.5)\n",
                    suites->second / plain->second);
        std::printf("document bytes per segment: %.1f (target <= 32)\n", gBytesPerSegment);
    }
    benchmark::Shutdown();
    return 0;
}
