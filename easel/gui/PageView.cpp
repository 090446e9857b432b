#include "gui/PageView.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <cairo.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include "render/Raster.h"

namespace easel::gui {

namespace {

constexpr double kDesk = 0.62;  // gray around the page, as PageRenderer draws it
constexpr int kWheelPixels = 40;

// The views alive, so that a wake-up posted by a renderer whose view is gone is dropped.
// Touched on the user-interface thread only.
std::set<const PageView*>& LiveViews() {
    static std::set<const PageView*> views;
    return views;
}

}  // namespace

PageView::PageView(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
    view_.widthPx = w;
    view_.heightPx = h;
    // FLTK's thread support (Fl::awake from the renderer) starts with the first Fl::lock.
    static std::once_flag threads;
    std::call_once(threads, [] { Fl::lock(); });
    LiveViews().insert(this);
    renderer_ = std::make_unique<PageRenderer>([this] { Fl::awake(&PageView::OnFrameReady, this); });
}

PageView::~PageView() {
    LiveViews().erase(this);
    renderer_.reset();  // joins the worker before the members it may wake are gone
}

void PageView::OnFrameReady(void* data) {
    auto* view = static_cast<PageView*>(data);
    if (LiveViews().count(view)) view->FrameArrived();
}

void PageView::FrameArrived() {
    if (auto frame = renderer_->TakeFrame()) frame_ = std::move(frame);
    const bool wasWaiting = waiting_;
    waiting_ = !(frame_ && frame_->list == requestedList_ && SameView(frame_->view, requestedView_) &&
                 frame_->list == list_ && SameView(frame_->view, view_));
    redraw();
    if (wasWaiting != waiting_ && renderState_) renderState_();
}

void PageView::SetDocument(Document* doc) {
    doc_ = doc;
    if (doc_) {
        // A document of its own view (a new one, or one restored by undo) is shown as the
        // window shows it now; the first time, fitted.
        if (fitted_) view_ = FitView(*doc_, w(), h());
        Store();
    }
    DocumentChanged();
}

void PageView::DocumentChanged() {
    listStale_ = true;
    Changed();
}

void PageView::Changed() {
    cancelled_ = false;
    redraw();
}

void PageView::Fit() {
    fitted_ = true;
    if (doc_) view_ = FitView(*doc_, w(), h());
    Store();
    Changed();
}

void PageView::Zoom(int steps) {
    fitted_ = false;
    view_ = Zoomed(view_, steps);
    Store();
    Changed();
}

void PageView::BeginPick(std::function<void(int, int)> done) {
    pick_ = std::move(done);
    if (Fl_Window* win = window()) win->cursor(FL_CURSOR_CROSS);
}

void PageView::CancelPick() {
    pick_ = nullptr;
    if (Fl_Window* win = window()) win->cursor(FL_CURSOR_DEFAULT);
}

void PageView::CancelRender() {
    renderer_->Cancel();
    cancelled_ = true;
    requested_ = false;
    if (waiting_) {
        waiting_ = false;
        if (renderState_) renderState_();
    }
}

void PageView::resize(int nx, int ny, int nw, int nh) {
    Fl_Widget::resize(nx, ny, nw, nh);
    view_ = fitted_ && doc_ ? FitView(*doc_, nw, nh) : Resized(view_, nw, nh);
    Store();
    Changed();
}

void PageView::Store() {
    if (!doc_) return;
    if (doc_->views.empty()) doc_->views.emplace_back();
    doc_->views[0] = view_;
}

void PageView::RequestIfNeeded() {
    if (listStale_) {
        // The snapshot is made here, on this thread, while the plug-in is not inside a message
        // that edits the document; the renderer never sees the live document, only segment
        // blocks the document no longer writes to (SegmentStore). It costs a look at each
        // path and a pass over the segments that changed since the last one.
        list_ = doc_ ? MakeRenderList(*doc_) : nullptr;
        listStale_ = false;
    }
    const bool shown = frame_ && frame_->list == list_ && SameView(frame_->view, view_);
    const bool asked = requested_ && requestedList_ == list_ && SameView(requestedView_, view_);
    if (shown || asked || cancelled_) {
        if (shown && waiting_) {
            renderer_->Cancel();  // back to what is shown: a render on the way is stale
            requested_ = false;
            waiting_ = false;
            if (renderState_) renderState_();
        }
        return;
    }
    requestedList_ = list_;
    requestedView_ = view_;
    requested_ = true;
    renderer_->Request(list_, view_);
    if (!waiting_) {
        waiting_ = true;
        waitingSince_ = std::chrono::steady_clock::now();
        if (renderState_) renderState_();
    }
}

void PageView::draw() {
    const int width = w(), height = h();
    if (width <= 0 || height <= 0) return;
    RequestIfNeeded();

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        fl_rectf(x(), y(), width, height, FL_DARK3);
        return;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, kDesk, kDesk, kDesk);
    cairo_paint(cr);
    if (frame_ && frame_->width > 0 && frame_->height > 0) {
        // The last picture, where its artwork now is: exact when the view is the same.
        cairo_surface_t* picture = cairo_image_surface_create_for_data(
            frame_->pixels.data(), CAIRO_FORMAT_RGB24, frame_->width, frame_->height, frame_->stride);
        const PictureMapping m = MapPicture(frame_->view, view_);
        cairo_translate(cr, m.dx, m.dy);
        cairo_scale(cr, m.scale, m.scale);
        cairo_set_source_surface(cr, picture, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_FAST);
        cairo_rectangle(cr, 0, 0, frame_->width, frame_->height);
        cairo_fill(cr);
        cairo_surface_destroy(picture);
    } else if (doc_) {
        // No picture yet: the blank page where it will be.
        const Point topLeft = ArtworkToPixel(view_, {0, doc_->pageHeight});
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, topLeft.x, topLeft.y, doc_->pageWidth * view_.zoom, doc_->pageHeight * view_.zoom);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    // RGB24 keeps each pixel in a native 32-bit word, 0x00RRGGBB; FLTK wants bytes R, G, B.
    rgb_.resize(size_t(width) * size_t(height) * 3);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int row = 0; row < height; ++row) {
        const unsigned char* src = data + size_t(row) * size_t(stride);
        unsigned char* dst = rgb_.data() + size_t(row) * size_t(width) * 3;
        for (int col = 0; col < width; ++col) {
            uint32_t p;
            std::memcpy(&p, src + 4 * col, 4);
            dst[3 * col] = static_cast<unsigned char>(p >> 16);
            dst[3 * col + 1] = static_cast<unsigned char>(p >> 8);
            dst[3 * col + 2] = static_cast<unsigned char>(p);
        }
    }
    cairo_surface_destroy(surface);
    fl_draw_image(rgb_.data(), x(), y(), width, height, 3);
}

int PageView::handle(int event) {
    switch (event) {
        case FL_ENTER:
            if (pick_)
                if (Fl_Window* win = window()) win->cursor(FL_CURSOR_CROSS);
            return 1;
        case FL_PUSH:
            if (pick_) {
                auto done = std::move(pick_);
                CancelPick();
                done(Fl::event_x() - x(), Fl::event_y() - y());
                return 1;
            }
            dragX_ = Fl::event_x();
            dragY_ = Fl::event_y();
            return 1;
        case FL_DRAG:
            if (doc_ && !pick_) {
                // The page follows the hand: dragging right moves the centre left.
                fitted_ = false;
                view_ = Panned(view_, *doc_, dragX_ - Fl::event_x(), dragY_ - Fl::event_y());
                dragX_ = Fl::event_x();
                dragY_ = Fl::event_y();
                Store();
                Changed();
            }
            return 1;
        case FL_RELEASE:
            return 1;
        case FL_MOUSEWHEEL:
            if (!doc_) return 0;
            fitted_ = false;
            view_ = Panned(view_, *doc_, Fl::event_dx() * kWheelPixels, Fl::event_dy() * kWheelPixels);
            Store();
            Changed();
            return 1;
        case FL_KEYBOARD:
            if (pick_ && Fl::event_key() == FL_Escape) {
                CancelPick();
                return 1;
            }
            return 0;
        default:
            return Fl_Widget::handle(event);
    }
}

}  // namespace easel::gui
