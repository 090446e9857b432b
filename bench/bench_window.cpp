// bench_window: how soon the window answers while the page of a heavy document is rendered.
//
// The document: STARS stars of 1200 segments each (400 groups of one core and two shell
// points), placed at random over the page by preset 13, drawn by the plug-in's generator:
//   bench_window [STARS]     (default 300; the command line's
//   easel --fresh --seed 1 --set 3=0 --set 152=13 --set 4=400 --press 161 --set 14=2
//         --press 163 --set 30=STARS)
// shown in Easel's page view (easel/gui/PageView), in a window of 660 x 600 pixels.
//
// A heartbeat timer on the user-interface thread, every 5 ms, notes the longest time the event
// loop was away (the longest the window would keep a click or a key waiting). The steps a user
// makes while a render runs are timed on that thread: the document shown, a zoom in, a zoom
// out, fitting the page, and the art changed again (a new preview), each in the middle of the
// render before it, which it abandons. An art change moves one star's outline, written point
// by point as a preview writes it. Target: each step and the longest gap under 100 ms.
//
// Needs a display: without one the program runs itself again under xvfb-run, and when that is
// not installed says so and skips.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "document/Document.h"
#include "gui/PageView.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The longest time the event loop was away, over the heartbeats since the last Reset.
struct Heartbeat {
    static constexpr double kPeriod = 0.005;
    Clock::time_point last = Clock::now();
    double longestMs = 0;

    void Reset() {
        last = Clock::now();
        longestMs = 0;
    }
    static void Beat(void* data) {
        auto* self = static_cast<Heartbeat*>(data);
        const Clock::time_point now = Clock::now();
        self->longestMs = std::max(self->longestMs, Milliseconds(now - self->last));
        self->last = now;
        Fl::repeat_timeout(kPeriod, Beat, data);
    }
};

struct Step {
    std::string name;
    double callMs = 0;     // the step itself, on the user-interface thread
    double longestMs = 0;  // the longest gap of the event loop from the step until `until`
    double renderMs = 0;   // from the step until the render it asked for was shown
};

// Runs the event loop until the view has no render waiting (or `seconds` passed).
void RunWhileRendering(const easel::gui::PageView& view, double seconds) {
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    // The first draw, which asks for the render, may still be to come.
    for (int i = 0; i < 5 && !view.Rendering(); ++i) Fl::wait(0.01);
    while (view.Rendering() && Clock::now() < end) Fl::wait(0.01);
}

// A change of art as a new preview makes one: the first star's outline moved by `dx` points,
// written point by point into the document.
void MoveFirstStar(easel::Document& doc, float dx) {
    for (auto& art : doc.arts) {
        if (!art || art->kind != easel::ArtKind::Path || art->path.segments.empty()) continue;
        easel::SegmentStore& segments = art->path.segments;
        for (size_t i = 0; i < segments.size(); ++i) {
            easel::SegmentPoints p = segments[i];
            p.px += dx, p.ix += dx, p.ox += dx;
            segments.Set(i, p, segments.Corner(i));
        }
        return;
    }
}

void RunFor(double seconds) {
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end) Fl::wait(0.01);
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        if (!std::getenv("BENCH_WINDOW_INNER") && std::system("command -v xvfb-run >/dev/null 2>&1") == 0) {
            ::setenv("BENCH_WINDOW_INNER", "1", 1);
            std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                                       const_cast<char*>("-screen 0 1280x1024x24 -nolisten tcp")};
            for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
            args.push_back(nullptr);
            ::execvp("xvfb-run", args.data());
        }
        std::printf("bench_window: no display and no xvfb-run (Debian's xvfb): skipped\n");
        return 0;
    }
    const int stars = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;

    std::printf("making the document: %d stars of 1200 segments, spread over the page\n", stars);
    easel::Document doc = bench::GenerateDocument(stars, bench::Placement::Spread);
    size_t segments = 0;
    for (const auto& art : doc.arts)
        if (art) segments += art->path.SegmentCount();
    std::printf("  %zu segments\n", segments);

    Fl_Double_Window window(660, 600, "bench_window");
    easel::gui::PageView view(0, 0, 660, 600);
    window.end();
    window.resizable(&view);
    window.show();
    RunFor(0.3);  // mapped and drawn empty

    Heartbeat heartbeat;
    Fl::add_timeout(Heartbeat::kPeriod, Heartbeat::Beat, &heartbeat);

    std::vector<Step> steps;
    // One step: `act` in the middle of whatever render runs, then the loop until its render
    // is shown; a step after it may come `midway` seconds in, to find a render running.
    auto measure = [&](const std::string& name, const std::function<void()>& act, double midway) {
        Step step{name};
        heartbeat.Reset();
        const Clock::time_point start = Clock::now();
        act();
        step.callMs = Milliseconds(Clock::now() - start);
        if (midway > 0) {
            RunFor(midway);
        } else {
            RunWhileRendering(view, 600);
            step.renderMs = Milliseconds(Clock::now() - start);
        }
        step.longestMs = heartbeat.longestMs;
        steps.push_back(step);
    };

    measure("document shown", [&] { view.SetDocument(&doc); }, 0);
    // The same render asked for again, so that each step below lands in the middle of one.
    measure("art changed", [&] {
        MoveFirstStar(doc, 10);
        view.DocumentChanged();
    }, 0.15);
    measure("zoom in (render running)", [&] { view.Zoom(1); }, 0.15);
    measure("zoom out (render running)", [&] { view.Zoom(-1); }, 0.15);
    measure("fit page (render running)", [&] { view.Fit(); }, 0.15);
    measure("art changed (render running)", [&] {
        MoveFirstStar(doc, -10);
        view.DocumentChanged();
    }, 0);

    std::printf("\n%-32s %12s %16s %14s\n", "step", "call (ms)", "longest gap (ms)", "render (ms)");
    double worst = 0;
    for (const Step& s : steps) {
        worst = std::max({worst, s.callMs, s.longestMs});
        if (s.renderMs > 0)
            std::printf("%-32s %12.1f %16.1f %14.0f\n", s.name.c_str(), s.callMs, s.longestMs, s.renderMs);
        else
            std::printf("%-32s %12.1f %16.1f %14s\n", s.name.c_str(), s.callMs, s.longestMs, "(abandoned)");
    }
    std::printf("\nthe window answered within %.1f ms at worst while rendering (target <= 100)\n", worst);
    return 0;
}
