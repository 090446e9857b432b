// bench_export: SVG and JSON export and the JSON load over a large document, against writing
// the same number of bytes with a plain buffered write, and each one's peak memory beyond the
// document's own.
//
// The document stands in for the heavy star document at a tenth of its size: 30 stars of
// 61 paths (a star and its sketch copies) of 1200 segments each, 2.2 million segments, with
// coordinates of as many digits as the generator's.
//
// Counters:
//   MB_per_s             the export's (or load's) throughput in bytes of text per second
//   vs_plain_write       its time over the time of fwrite-ing as many bytes through a 1 MiB buffer
//   extra_MiB            peak resident memory of a child process doing the work, beyond its peak
//                        after making the document (VmHWM from /proc/self/status)
//   extra_per_doc_bytes  extra_MiB over the document's own bytes (target: at most 64 MiB in all)
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/Document.h"
#include "export/JsonDump.h"
#include "export/Svg.h"
#include "export/TextWriter.h"

namespace {

constexpr int kStars = 30;
constexpr int kPathsPerStar = 61;
constexpr int kSegments = 1200;

easel::Document HeavyDocument() {
    easel::Document d = easel::NewDocument();
    uint32_t state = 1;
    const auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    };
    for (int s = 0; s < kStars; ++s)
        for (int p = 0; p < kPathsPerStar; ++p) {
            easel::Art a;
            a.style = easel::DefaultPaint(easel::ColorModel::RGB);
            a.style.fillColor = easel::RgbColor(next(), next(), next());
            a.path.closed = true;
            for (int i = 0; i < kSegments; ++i) {
                const float x = 612.0f * next(), y = 792.0f * next();
                a.path.SetSegment(a.path.SegmentCount(), AIPathSegment{{x, y}, {x + next(), y}, {x, y - next()}, static_cast<SPBoolean>(i % 2)});
            }
            d.ReserveArt();
            d.layers[0].art.push_back(d.AddArt(std::move(a)));
        }
    return d;
}

const easel::Document& Doc() {
    static const easel::Document doc = HeavyDocument();
    return doc;
}

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / ("bench_export_" + std::to_string(::getpid()) + name)).string();
}

// Writes through the exporters' own writer to a file; returns the bytes written.
uint64_t ExportTo(const std::string& path, bool json) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    uint64_t bytes = 0;
    {
        easel::FileWriter out(f);
        if (json)
            easel::DumpDocument(Doc(), out);
        else
            easel::ExportSvg(Doc(), out);
        out.Flush();
        bytes = out.Count();
    }
    std::fclose(f);
    return bytes;
}

// Seconds to fwrite `bytes` bytes to a file through a 1 MiB buffer.
double PlainWriteSeconds(const std::string& path, uint64_t bytes) {
    std::vector<char> chunk(size_t{1} << 20, 'x');
    const auto start = std::chrono::steady_clock::now();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    for (uint64_t left = bytes; left > 0;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(left, chunk.size()));
        std::fwrite(chunk.data(), 1, n, f);
        left -= n;
    }
    std::fclose(f);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long HighWaterKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Runs `work` in a child after making the document; the child's peak beyond the document's,
// in KiB (negative when it could not be measured).
template <typename Work>
long ExtraPeakKiB(Work work) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        (void)Doc();
        // Memory the parent freed would be reused unseen: give it back first. The high-water
        // mark is inherited from the parent; "5" resets it to what is resident now.
        ::malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = HighWaterKiB();
        work();
        const long extra = HighWaterKiB() - before;
        (void)!::write(fds[1], &extra, sizeof extra);
        ::_exit(0);
    }
    ::close(fds[1]);
    long extra = -1;
    if (::read(fds[0], &extra, sizeof extra) != static_cast<ssize_t>(sizeof extra)) extra = -1;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return extra;
}

void Report(benchmark::State& state, uint64_t bytes, double seconds, double plainSeconds, long extraKiB) {
    const double docBytes = static_cast<double>(Doc().ArtBytes());
    state.counters["MB_per_s"] = static_cast<double>(bytes) / 1e6 / seconds;
    state.counters["vs_plain_write"] = seconds / plainSeconds;
    state.counters["extra_MiB"] = static_cast<double>(extraKiB) / 1024.0;
    state.counters["doc_MiB"] = docBytes / 1048576.0;
    state.counters["extra_per_doc_bytes"] = static_cast<double>(extraKiB) * 1024.0 / docBytes;
}

void BM_Export(benchmark::State& state, bool json) {
    const std::string path = TempPath(json ? ".json" : ".svg");
    (void)Doc();
    uint64_t bytes = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bytes = ExportTo(path, json);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
    }
    const double plain = PlainWriteSeconds(path, bytes);
    const long extra = ExtraPeakKiB([&] { ExportTo(path, json); });
    std::filesystem::remove(path);
    Report(state, bytes, seconds, plain, extra);
}
BENCHMARK_CAPTURE(BM_Export, svg, false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(BM_Export, json, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_LoadJson(benchmark::State& state) {
    const std::string path = TempPath("-load.json");
    const uint64_t bytes = ExportTo(path, true);
    double seconds = 0;
    size_t loadedBytes = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const easel::Document d = easel::LoadDocumentFile(path);
        loadedBytes = d.ArtBytes();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        if (!easel::SameDocument(d, Doc())) state.SkipWithError("the loaded document differs");
    }
    const double plain = PlainWriteSeconds(path + ".plain", bytes);
    std::filesystem::remove(path + ".plain");
    // The loaded document is a second one beside the first (holding no spare capacity, unlike
    // the one made segment by segment): its own bytes are the document's share.
    const long extra = ExtraPeakKiB([&] { (void)easel::LoadDocumentFile(path); }) -
                       static_cast<long>(loadedBytes / 1024);
    std::filesystem::remove(path);
    Report(state, bytes, seconds, plain, extra);
}
BENCHMARK(BM_LoadJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
