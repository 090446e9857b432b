#include "gui/PageRenderer.h"

#include <cairo.h>
#include <sys/resource.h>
#include <unistd.h>

#include <exception>

#include "gui/ViewGeometry.h"
#include "render/Raster.h"

namespace easel::gui {

namespace {

constexpr double kDesk = 0.62;    // gray around the page
constexpr double kShadow = 0.35;  // the page's shadow, 3 pixels down and right

class ReportProgress : public Progress {
public:
    explicit ReportProgress(const std::function<bool(double)>& report) : report_(report) {}
    bool Report(double done) override { return !report_ || report_(done); }

private:
    const std::function<bool(double)>& report_;
};

}  // namespace

bool PageRenderer::Draw(const RenderList* list, const View& view, Frame& frame,
                        const std::function<bool(double)>& report) {
    frame.width = std::max(0, view.widthPx);
    frame.height = std::max(0, view.heightPx);
    frame.stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, std::max(1, frame.width));
    frame.pixels.assign(size_t(frame.stride) * size_t(frame.height), 0);
    frame.view = view;
    if (frame.width == 0 || frame.height == 0) return true;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(frame.pixels.data(), CAIRO_FORMAT_RGB24,
                                                                   frame.width, frame.height, frame.stride);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, kDesk, kDesk, kDesk);
    cairo_paint(cr);
    Point topLeft{}; double pw = 0, ph = 0;
    if (list) {
        topLeft = ArtworkToPixel(view, {0, list->pageHeight});
        pw = list->pageWidth * view.zoom;
        ph = list->pageHeight * view.zoom;
        cairo_set_source_rgb(cr, kShadow, kShadow, kShadow);
        cairo_rectangle(cr, topLeft.x + 3, topLeft.y + 3, pw, ph);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, topLeft.x, topLeft.y, pw, ph);
        cairo_fill(cr);
    }
    cairo_surface_flush(surface);
    bool complete = true;
    if (list) {
        ReportProgress progress(report);
        try {
            DrawRenderListToImage(*list, frame.pixels.data(), CAIRO_FORMAT_RGB24, frame.width, frame.height,
                                  frame.stride, {view.zoom, topLeft.x, topLeft.y}, &progress);
        } catch (const Cancelled&) {
            complete = false;
        } catch (const RenderError&) {
            // cairo could not draw (no memory): the page shows what it got.
        }
        cairo_surface_mark_dirty(surface);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, topLeft.x - 0.5, topLeft.y - 0.5, pw + 1, ph + 1);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return complete;
}

PageRenderer::PageRenderer(std::function<void()> ready) : ready_(std::move(ready)), worker_([this] { Run(); }) {}

PageRenderer::~PageRenderer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        ++latest_;  // the render being drawn is stale
    }
    wake_.notify_all();
    worker_.join();
}

uint64_t PageRenderer::Request(std::shared_ptr<const RenderList> list, const View& view) {
    uint64_t number;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        list_ = std::move(list);
        view_ = view;
        pending_ = true;
        busy_ = true;
        done_ = 0;
        number = ++latest_;
    }
    wake_.notify_all();
    return number;
}

void PageRenderer::Cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = false;
    list_.reset();
    ++latest_;
    busy_ = false;
}

std::unique_ptr<Frame> PageRenderer::TakeFrame() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::move(finished_);
}

void PageRenderer::Run() {
    // Below the user-interface thread, so that a render using every core still leaves the
    // window the processor it needs to answer at once. The threads that draw the bands are
    // made by this one and start at its priority. (The nice value is a thread's own on Linux.)
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    for (;;) {
        std::shared_ptr<const RenderList> list;
        View view;
        uint64_t number;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return quit_ || pending_; });
            if (quit_) return;
            pending_ = false;
            list = std::move(list_);
            view = view_;
            number = latest_;
        }
        auto frame = std::make_unique<Frame>();
        frame->list = list;
        frame->request = number;
        bool complete = false;
        try {
            complete = Draw(list.get(), view, *frame, [&](double done) {
                if (latest_ != number) return false;
                done_ = done;
                return true;
            });
        } catch (const std::exception&) {
            // No memory for the picture: the last one stays up, and the next change tries again.
        }
        bool deliver = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (latest_ == number) {
                busy_ = false;
                if (complete) {
                    finished_ = std::move(frame);
                    deliver = true;
                }
            }
        }
        if (deliver && ready_) ready_();
    }
}

}  // namespace easel::gui
