// bench_generate: the generator through Easel's suites against a plain loop that computes
// the same outline into an array, and the document's bytes per stored segment.
//
// Prints these figures after the runs:
//   ratio = (time per segment through the suites) / (time per segment of the plain loop)
//   bytes = document bytes held for art / segments held
//   counted vs resident: what the host counts against the memory budget for documents of a
//     few sizes, against what the process really came to hold for them (BM_DocumentMemory)
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "document/Document.h"
#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"
#include "geometry/PortableMath.h"
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
// single-precision steps, and the same sine and cosine, Easel's portable ones, so that the
// outline is the same bits), but with the maths called directly and the segments stored into
// an array: what the same geometry costs without the host between. main() checks that it
// matches the first star the generator draws.
// Both from one reduction of the angle, as the host's suite gives them.
struct PortableTrig {
    static void SinCos(float a, float& s, float& c) { easel::PortableSinCos(a, s, c); }
};
// The C library's single-precision sine and cosine: not the generator's bits, shown for
// comparison only.
struct LibraryTrig {
    static void SinCos(float a, float& s, float& c) {
        s = std::sin(a);
        c = std::cos(a);
    }
};

template <typename Trig>
void PlainOutline(const StarSettings& s, float cx, float cy, std::vector<AIPathSegment>& out) {
    out.clear();
    int32_t pointsPerGroup = 0;
    for (int j = 0; j < corvanta::kStarSets; ++j) pointsPerGroup += s.corePointsBySet[j] + s.shellPointsBySet[j];
    constexpr float kDegrees = static_cast<float>(M_PI / 180.0);
    const float step = (s.boundaryLimitDegrees * kDegrees) /
                       (static_cast<float>(s.starGroups) * static_cast<float>(pointsPerGroup));
    const float slant = s.shellPointSlant * kDegrees;
    const float t = s.interpolationPercent / 100.0f;
    const AIRealPoint centre{cx, cy};
    int sets[corvanta::kStarSets];
    int setCount = 0;
    for (int j = 0; j < corvanta::kStarSets; ++j)
        if (s.corePointsBySet[j] > 0 || s.shellPointsBySet[j] > 0) sets[setCount++] = j;
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
        for (int n = 0; n < setCount; ++n) {
            const int j = sets[n];
            for (int32_t k = 0; k < s.corePointsBySet[j]; ++k) {
                const float b = s.coreRadiusBySet[j] * ((k % 2 == 0 ? s.altCorePercentEven : s.altCorePercentOdd) / 100.0f);
                const float r = b + s.starCoreRadius;
                float sine, cosine;
                Trig::SinCos(angle, sine, cosine);
                write(cx + f * r * cosine + s.corePointOffsetX, cy + f * r * sine + s.corePointOffsetY);
                angle += step;
            }
            const float d = s.starShellRadius + s.starCoreRadius;
            for (int32_t k = 0; k < s.shellPointsBySet[j]; ++k) {
                const float e = s.shellRadiusBySet[j] * ((k % 2 == 0 ? s.altShellPercentEven : s.altShellPercentOdd) / 100.0f);
                const float R = std::min((d + e) * f, s.maxShell);
                const float a = angle + slant;
                float sine, cosine;
                Trig::SinCos(a, sine, cosine);
                write(cx + R * cosine + s.shellPointOffsetX, cy + R * sine + s.shellPointOffsetY);
                angle += step;
            }
        }
    }
}

template <typename Trig>
void BM_PlainLoop(benchmark::State& state) {
    const StarSettings s = BenchSettings();
    std::vector<AIPathSegment> out;
    out.reserve(kGroups * 3);
    for (auto _ : state) {
        for (int star = 0; star < kStars; ++star) {
            PlainOutline<Trig>(s, 306.0f, 396.0f, out);
            benchmark::DoNotOptimize(out.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * kSegmentsPerRun);
}
BENCHMARK(BM_PlainLoop<PortableTrig>)->Name("BM_PlainLoop")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLoop<LibraryTrig>)->Name("BM_PlainLoopLibm")->Unit(benchmark::kMillisecond);

// True when the generator's first star (centre mode 1: the page's centre) is, segment for
// segment and bit for bit, what PlainOutline computes: the comparison is of the same work.
bool PlainLoopMatchesGenerator() {
    easel::HostConfig config;
    config.seed = 1;
    easel::Host host(config);
    host.NewDocument();
    host.BeginMessage();
    corvanta::AcquireSuites(host.Basic());
    StarSettings s = BenchSettings();
    s.starCount = 1;
    const SPErr error = corvanta::GenerateStars(s);
    corvanta::ReleaseSuites(host.Basic());
    host.EndMessage();
    if (error != kSPNoError) return false;
    const easel::Document& doc = *host.CurrentDocument();
    const easel::Art* star = nullptr;
    for (const auto& art : doc.arts)
        if (art && art->kind == easel::ArtKind::Path && art->owner == 0) {
            star = &*art;
            break;
        }
    if (!star) return false;
    std::vector<AIPathSegment> plain;
    PlainOutline<PortableTrig>(s, doc.pageWidth * 0.5f, doc.pageHeight * 0.5f, plain);
    if (plain.size() != star->path.SegmentCount()) return false;
    for (size_t i = 0; i < plain.size(); ++i) {
        const AIPathSegment got = star->path.Segment(i);
        if (std::memcmp(&got, &plain[i], sizeof got) != 0) return false;
    }
    return true;
}

// ---- Memory: what the host counts against the budget, and what the process holds ----------

// The process's resident set, bytes (VmRSS of /proc/self/status).
size_t ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

// Bytes the allocator has handed out and not had back (small blocks and mapped ones).
size_t AllocatedBytes() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

struct MemoryFigures {
    double counted = 0;    // growth of Document::artBytesHeld
    double resident = 0;   // growth of the resident set
    double allocated = 0;  // growth of the allocator's bytes in use
    double segments = 0;
};

// Builds, in a child process of its own (so that nothing earlier is in the heap), a document
// of `stars` stars of `groups` groups each, drawn `perRun` stars to a message as final runs,
// and measures it. Each message commits, so the paths are compacted as a document's are.
MemoryFigures MeasureDocument(int stars, int groups, bool copies, int perRun) {
    MemoryFigures figures;
    int fds[2];
    if (pipe(fds) != 0) return figures;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        MemoryFigures f;
        {
            easel::HostConfig config;
            config.seed = 7;
            easel::Host host(config);
            easel::Document& doc = host.NewDocument();
            const size_t countedBefore = doc.artBytesHeld;
            const size_t residentBefore = ResidentBytes();
            const size_t allocatedBefore = AllocatedBytes();
            StarSettings s = BenchSettings();
            s.starGroups = groups;
            s.starCentreMode = 2;  // spread over the page
            if (copies) {
                // Every star also leaves a drop shadow, sketch strokes and a symbol.
                s.dropShadow = 1;
                s.sketchRepeats = 2;
                s.symbolize = 1;
            }
            bool ok = true;
            for (int drawn = 0; ok && drawn < stars; drawn += perRun) {
                s.starCount = std::min(perRun, stars - drawn);
                s.finalRun = 1;
                s.previewDrawn = 0;
                host.BeginMessage();
                corvanta::AcquireSuites(host.Basic());
                ok = corvanta::GenerateStars(s) == kSPNoError;
                corvanta::ReleaseSuites(host.Basic());
                host.EndMessage();
            }
            const easel::Document& held = *host.CurrentDocument();
            f.counted = ok ? static_cast<double>(held.artBytesHeld - countedBefore) : 0;
            f.resident = static_cast<double>(ResidentBytes() - residentBefore);
            f.allocated = static_cast<double>(AllocatedBytes() - allocatedBefore);
            for (const auto& art : held.arts)
                if (art) f.segments += static_cast<double>(art->path.SegmentCount());
        }
        const ssize_t written = write(fds[1], &f, sizeof f);
        _exit(written == static_cast<ssize_t>(sizeof f) ? 0 : 1);
    }
    close(fds[1]);
    if (child > 0) {
        if (read(fds[0], &figures, sizeof figures) != static_cast<ssize_t>(sizeof figures)) figures = {};
        int status = 0;
        waitpid(child, &status, 0);
    }
    close(fds[0]);
    return figures;
}

// One document per argument set (stars, groups per star, whether each star has its shadow,
// sketch strokes and symbol): counted / resident should be near 1
// (within a quarter), whatever the mix of few large and many small paths.
void BM_DocumentMemory(benchmark::State& state) {
    const int stars = static_cast<int>(state.range(0));
    const int groups = static_cast<int>(state.range(1));
    const bool copies = state.range(2) != 0;
    MemoryFigures f;
    for (auto _ : state) f = MeasureDocument(stars, groups, copies, 100);
    if (f.counted <= 0 || f.resident <= 0) {
        state.SkipWithError("the document could not be built or measured");
        return;
    }
    state.counters["counted_MiB"] = f.counted / (1 << 20);
    state.counters["resident_MiB"] = f.resident / (1 << 20);
    state.counters["allocated_MiB"] = f.allocated / (1 << 20);
    state.counters["counted_per_resident"] = f.counted / f.resident;
    state.counters["bytes_per_segment"] = f.counted / f.segments;
}
BENCHMARK(BM_DocumentMemory)
    ->Args({100000, 2, 0})  // tiny stars: 600 000 segments, 6 to a path
    ->Args({20000, 10, 0})  // many small stars: 600 000 segments
    ->Args({2000, 100, 0})  // 600 000 segments in medium paths
    ->Args({500, 400, 0})   // 600 000 segments in large paths
    ->Args({5000, 10, 1})   // small stars with their copies and symbols
    ->Args({200, 400, 1})   // large stars with their copies and symbols
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

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
    if (!PlainLoopMatchesGenerator()) {
        std::fprintf(stderr, "bench_generate: the plain loop does not compute the generator's outline\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto suites = reporter.times.find("BM_GenerateThroughSuites");
    const auto plain = reporter.times.find("BM_PlainLoop");
    const auto libm = reporter.times.find("BM_PlainLoopLibm");
    if (suites != reporter.times.end() && plain != reporter.times.end()) {
        std::printf("\nsegments through the suites vs the plain loop: %.2f times the time (target <= 1.5)\n",
                    suites->second / plain->second);
        if (libm != reporter.times.end())
            std::printf("  (vs the plain loop with the C library's sin and cos, other bits: %.2f)\n",
                        suites->second / libm->second);
        std::printf("document bytes per segment: %.1f (target <= 32)\n", gBytesPerSegment);
    }
    benchmark::Shutdown();
    return 0;
}
