// bench_render: Easel's PNG renderer against rsvg-convert and Inkscape drawing the same
// document, written as Easel's SVG, at the same size, side by side in one run.
//
// Documents: 300 stars of 1200 segments each (400 groups of one core and two shell points),
//   "stacked": all on the page's centre, as the settings dialog's defaults place them
//     (easel --fresh --seed 1 --set 3=0 --set 4=400 --press 163 --set 30=300);
//   "spread": placed at random over the page (preset 13, "10 basic stars - random placement")
//     (easel --fresh --seed 1 --set 3=0 --set 152=13 --set 4=400 --press 161 --set 14=2
//      --press 163 --set 30=300).
// Scales: 2 pixels per point (Easel's PNG, 1224 x 1584) and 1.
//
// Easel's time is RenderPngAtScale: the drawing and the PNG encoding, in this process. A
// tool's time is one run of its program on the SVG file, start and parsing included; the
// tool's run on an empty page of the same size is timed too ("startup"), so that what the
// drawing itself costs can be read off. At the end the ratios Easel / tool are printed per
// document and scale (below 1: Easel is faster). A tool that is not installed is named and
// its runs skipped.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include "BenchDocuments.h"
#include "export/Svg.h"
#include "host/Host.h"
#include "render/Raster.h"

namespace {

enum DocumentKind { kStacked = 0, kSpread = 1, kEmpty = 2 };
const char* const kDocumentNames[] = {"stacked", "spread", "empty"};

easel::Document Generate(DocumentKind kind) {
    if (kind == kEmpty) {
        easel::Host host;
        return host.NewDocument();
    }
    return bench::GenerateDocument(300, kind == kSpread ? bench::Placement::Spread : bench::Placement::Stacked);
}

struct Fixture {
    easel::Document doc;
    std::string svg;  // the file the tools read
};

const std::filesystem::path& WorkDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("bench_render-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

const Fixture& Get(DocumentKind kind) {
    static std::map<DocumentKind, std::unique_ptr<Fixture>> fixtures;
    auto& f = fixtures[kind];
    if (!f) {
        f = std::make_unique<Fixture>();
        f->doc = Generate(kind);
        f->svg = (WorkDir() / (std::string(kDocumentNames[kind]) + ".svg")).string();
        std::ofstream(f->svg, std::ios::binary) << easel::ExportSvg(f->doc);
    }
    return *f;
}

bool Installed(const char* program) {
    return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

void BM_Easel(benchmark::State& state) {
    const Fixture& f = Get(static_cast<DocumentKind>(state.range(0)));
    const double scale = static_cast<double>(state.range(1));
    size_t bytes = 0;
    for (auto _ : state) bytes = easel::RenderPngAtScale(f.doc, scale).size();
    state.counters["png_bytes"] = static_cast<double>(bytes);
}

// One run of `program` per iteration, with the command that draws `svg` into `png`.
void RunTool(benchmark::State& state, const char* program, std::string (*command)(const Fixture&, double)) {
    if (!Installed(program)) {
        state.SkipWithError((std::string(program) + " is not installed (Debian: " +
                             (std::string(program) == "inkscape" ? "inkscape" : "librsvg2-bin") + ")").c_str());
        return;
    }
    const Fixture& f = Get(static_cast<DocumentKind>(state.range(0)));
    const std::string cmd = command(f, static_cast<double>(state.range(1)));
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError((std::string(program) + " failed: " + cmd).c_str());
            break;
        }
}

std::string Size(const easel::Document& d, double scale, const char* w, const char* h) {
    return std::string(" ") + w + " " + std::to_string(std::lround(d.pageWidth * scale)) + " " + h + " " +
           std::to_string(std::lround(d.pageHeight * scale));
}

std::string RsvgCommand(const Fixture& f, double scale) {
    return "rsvg-convert" + Size(f.doc, scale, "-w", "-h") + " -o " + (WorkDir() / "rsvg.png").string() + " " + f.svg;
}

std::string InkscapeCommand(const Fixture& f, double scale) {
    return "inkscape --export-type=png --export-background-opacity=0" + Size(f.doc, scale, "-w", "-h") +
        " --export-filename=" + (WorkDir() / "inkscape.png").string() + " " + f.svg + " >/dev/null 2>&1";
}

void BM_Rsvg(benchmark::State& state) { RunTool(state, "rsvg-convert", RsvgCommand); }
void BM_Inkscape(benchmark::State& state) { RunTool(state, "inkscape", InkscapeCommand); }

// Registered so that Easel and the two tools draw each document and scale one right after
// the other, so that they meet the same machine.
void Register() {
    for (int scale : {2, 1})
        for (int doc : {kStacked, kSpread, kEmpty})
            for (const auto& [name, fn] : {std::pair{"BM_Easel", &BM_Easel}, std::pair{"BM_Rsvg", &BM_Rsvg},
                                           std::pair{"BM_Inkscape", &BM_Inkscape}})
                benchmark::RegisterBenchmark(name, fn)
                    ->Args({doc, scale})
                    ->ArgNames({"doc", "scale"})
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->Iterations(2);
}

// Keeps each run's time so that the ratios can be printed at the end.
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
    Register();
    for (const char* tool : {"rsvg-convert", "inkscape"})
        if (!Installed(tool)) std::printf("bench_render: %s is not installed; its runs are skipped\n", tool);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nEasel's time / the tool's time on the same SVG at the same size (below 1: Easel is faster;\n"
                "the tools' times include their start, the 'startup' column is their run on an empty page)\n");
    std::printf("%-8s %-5s %10s %12s %12s %10s %10s\n", "doc", "scale", "easel ms", "rsvg ratio", "inkscape ratio",
                "rsvg startup", "ink startup");
    for (int scale : {2, 1})
        for (int doc : {kStacked, kSpread}) {
            const auto name = [&](const char* bm, int d) {
                return std::string(bm) + "/doc:" + std::to_string(d) + "/scale:" + std::to_string(scale) +
                       "/iterations:2/real_time";
            };
            const auto time = [&](const char* bm, int d) {
                const auto it = reporter.times.find(name(bm, d));
                return it == reporter.times.end() ? -1.0 : it->second;
            };
            const double easel = time("BM_Easel", doc), rsvg = time("BM_Rsvg", doc), ink = time("BM_Inkscape", doc);
            if (easel < 0) continue;
            const auto ratio = [&](double t) { return t > 0 ? easel / t : -1.0; };
            std::printf("%-8s %-5d %10.0f %12.2f %12.2f %10.0f %10.0f\n", kDocumentNames[doc], scale, easel,
                        ratio(rsvg), ratio(ink), time("BM_Rsvg", kEmpty), time("BM_Inkscape", kEmpty));
        }
    std::printf("(a ratio of -1: that tool was not run)\n");
    benchmark::Shutdown();
    std::filesystem::remove_all(WorkDir());
    return 0;
}
