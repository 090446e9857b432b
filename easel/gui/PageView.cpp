#include "gui/PageView.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <cairo.h>

#include <cstring>
#include <memory>

#include "render/Raster.h"

namespace easel::gui {

namespace {

constexpr double kDesk = 0.62;  // gray around the page
constexpr int kWheelPixels = 40;

}  // namespace

PageView::PageView(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
    view_.widthPx = w;
    view_.heightPx = h;
}

void PageView::SetDocument(Document* doc) {
    doc_ = doc;
    if (doc_) {
        // A document of its own view (a new one, or one restored by undo) is shown as the
        // window shows it now; the first time, fitted.
        if (fitted_) view_ = FitView(*doc_, w(), h());
        Store();
    }
    redraw();
}

void PageView::Fit() {
    fitted_ = true;
    if (doc_) view_ = FitView(*doc_, w(), h());
    Store();
    redraw();
}

void PageView::Zoom(int steps) {
    fitted_ = false;
    view_ = Zoomed(view_, steps);
    Store();
    redraw();
}

void PageView::BeginPick(std::function<void(int, int)> done) {
    pick_ = std::move(done);
    if (Fl_Window* win = window()) win->cursor(FL_CURSOR_CROSS);
}

void PageView::CancelPick() {
    pick_ = nullptr;
    if (Fl_Window* win = window()) win->cursor(FL_CURSOR_DEFAULT);
}

void PageView::resize(int nx, int ny, int nw, int nh) {
    Fl_Widget::resize(nx, ny, nw, nh);
    view_ = fitted_ && doc_ ? FitView(*doc_, nw, nh) : Resized(view_, nw, nh);
    Store();
}

void PageView::Store() {
    if (!doc_) return;
    if (doc_->views.empty()) doc_->views.emplace_back();
    doc_->views[0] = view_;
}

void PageView::draw() {
    const int width = w(), height = h();
    if (width <= 0 || height <= 0) return;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        fl_rectf(x(), y(), width, height, FL_DARK3);
        return;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, kDesk, kDesk, kDesk);
    cairo_paint(cr);
    if (doc_) {
        const Point topLeft = ArtworkToPixel(view_, {0, doc_->pageHeight});
        const double pw = doc_->pageWidth * view_.zoom, ph = doc_->pageHeight * view_.zoom;
        cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);  // shadow
        cairo_rectangle(cr, topLeft.x + 3, topLeft.y + 3, pw, ph);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, topLeft.x, topLeft.y, pw, ph);
        cairo_fill(cr);
        cairo_save(cr);
        SetPageTransform(cr, *doc_, view_.zoom, topLeft.x, topLeft.y);
        DrawDocumentArt(cr, *doc_);
        cairo_restore(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, topLeft.x - 0.5, topLeft.y - 0.5, pw + 1, ph + 1);
        cairo_stroke(cr);
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
                redraw();
            }
            return 1;
        case FL_RELEASE:
            return 1;
        case FL_MOUSEWHEEL:
            if (!doc_) return 0;
            fitted_ = false;
            view_ = Panned(view_, *doc_, Fl::event_dx() * kWheelPixels, Fl::event_dy() * kWheelPixels);
            Store();
            redraw();
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
