#include "render/Raster.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document/Envelope.h"

namespace easel {

namespace {

// 8 bits per channel, exactly as the SVG export rounds its #rrggbb.
double Channel(float v) {
    const float clamped = v >= 0.0f ? std::min(v, 1.0f) : 0.0f;  // NaN -> 0
    return static_cast<double>(std::lround(clamped * 255.0f)) / 255.0;
}

void AddSegment(cairo_t* cr, const SegmentPoints& from, const SegmentPoints& to) {
    if (from.ox == from.px && from.oy == from.py && to.ix == to.px && to.iy == to.py)
        cairo_line_to(cr, to.px, to.py);
    else
        cairo_curve_to(cr, from.ox, from.oy, to.ix, to.iy, to.px, to.py);
}

void AddPath(cairo_t* cr, const RenderPath& path) {
    const SegmentStore& pts = path.segments;
    cairo_new_path(cr);
    cairo_move_to(cr, pts[0].px, pts[0].py);
    for (size_t i = 1; i < pts.size(); ++i) AddSegment(cr, pts[i - 1], pts[i]);
    if (path.closed) {
        AddSegment(cr, pts.back(), pts[0]);
        cairo_close_path(cr);
    }
}

// The stroke settings of `s` as cairo takes them, into `out`.
void ResolveStroke(const PathStyle& s, RenderPath& out) {
    out.width = s.strokeWidth;
    out.cap = s.cap == 1 ? CAIRO_LINE_CAP_ROUND : s.cap == 2 ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_BUTT;
    out.join = s.join == 1 ? CAIRO_LINE_JOIN_ROUND : s.join == 2 ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_MITER;
    // A limit below 1 (a zeroed record holds 0) means nothing; it keeps the usual 4.
    const bool limitValid = s.miterLimit >= 1.0f && std::isfinite(s.miterLimit);
    out.miterLimit = limitValid ? s.miterLimit : 4.0;
    int count = 0;
    bool valid = s.dash.count > 0 && s.dash.count <= 6;
    double sum = 0;
    for (int32_t i = 0; valid && i < s.dash.count; ++i) {
        const float v = s.dash.array[i];
        valid = std::isfinite(v) && v >= 0;
        out.dashes[count++] = v;
        sum += v;
    }
    // An invalid or all-zero list strokes solid, as it does in the SVG.
    out.dashCount = valid && sum > 0 ? count : 0;
    out.dashOffset = std::isfinite(s.dash.offset) ? s.dash.offset : 0.0;
}

void SetStroke(cairo_t* cr, const RenderPath& p) {
    cairo_set_line_width(cr, p.width);
    cairo_set_line_cap(cr, static_cast<cairo_line_cap_t>(p.cap));
    cairo_set_line_join(cr, static_cast<cairo_line_join_t>(p.join));
    cairo_set_miter_limit(cr, p.miterLimit);
    cairo_set_dash(cr, p.dashCount ? p.dashes : nullptr, p.dashCount, p.dashCount ? p.dashOffset : 0.0);
}

// How far past its centre line a stroke can paint: half its width, times the miter limit
// for miter joins (a longer miter is cut to a bevel) and sqrt(2) for square caps.
double StrokeReach(const RenderPath& p) {
    double factor = 1;
    if (p.join == CAIRO_LINE_JOIN_MITER) factor = std::max(factor, p.miterLimit);
    if (p.cap == CAIRO_LINE_CAP_SQUARE) factor = std::max(factor, M_SQRT2);
    return p.width / 2 * factor;
}

// `a` as drawn, or false when it draws nothing.
bool Resolve(const Art& a, RenderPath& out) {
    PointBounds b;
    if (!a.path.segments.FiniteBounds(b) || !std::isfinite(a.style.strokeWidth) ||
        !std::isfinite(a.opacity))
        return false;
    const PathStyle& s = a.style;
    out.filled = s.fillPaint != 0 && ScreenColorOf(s.fillColor, out.fill);
    out.stroked = s.strokePaint != 0 && s.strokeWidth > 0 && ScreenColorOf(s.strokeColor, out.stroke);
    out.opacity = std::clamp(static_cast<double>(a.opacity), 0.0, 1.0);
    if ((!out.filled && !out.stroked) || out.opacity <= 0) return false;
    out.evenOdd = s.evenOdd != 0;
    out.closed = a.path.closed;
    ResolveStroke(s, out);
    out.segments = a.path.segments;
    const double reach = out.stroked ? StrokeReach(out) : 0;
    out.reach = {b.left - reach, b.bottom - reach, b.right + reach, b.top + reach};
    return true;
}

// The device pixels `box` (user space) covers, whole pixels, one more on every side for
// anti-aliasing.
Box DeviceBox(cairo_t* cr, const Box& box) {
    Box d{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const auto& [ux, uy] : {std::pair{box.left, box.bottom}, std::pair{box.right, box.bottom},
                                 std::pair{box.left, box.top}, std::pair{box.right, box.top}}) {
        double x = ux, y = uy;
        cairo_user_to_device(cr, &x, &y);
        d.left = std::min(d.left, x);
        d.right = std::max(d.right, x);
        d.bottom = std::min(d.bottom, y);
        d.top = std::max(d.top, y);
    }
    return {std::floor(d.left) - 1, std::floor(d.bottom) - 1, std::ceil(d.right) + 1, std::ceil(d.top) + 1};
}

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// cr's clip in device space (bottom/top being the smaller and larger y).
Box DeviceClip(cairo_t* cr) {
    double x1, y1, x2, y2;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    cairo_restore(cr);
    return {x1, y1, x2, y2};
}

void DrawPath(cairo_t* cr, const RenderPath& p, const Box& device) {
    // Fill and stroke of a faded path are composited together, then faded, so a stroke does
    // not show the fill through where they overlap. That takes a group, which costs as many
    // pixels as its clip holds: it is clipped to the path's own pixels. A path with one
    // paint needs no group: that paint at the path's alpha is the same.
    const bool group = p.opacity < 1.0 && p.filled && p.stroked;
    const double alpha = group ? 1.0 : p.opacity;
    if (group) {
        cairo_save(cr);
        cairo_matrix_t m;
        cairo_get_matrix(cr, &m);
        cairo_identity_matrix(cr);
        cairo_rectangle(cr, device.left, device.bottom, device.right - device.left, device.top - device.bottom);
        cairo_clip(cr);
        cairo_set_matrix(cr, &m);
        cairo_push_group(cr);
    }
    AddPath(cr, p);
    if (p.filled) {
        cairo_set_fill_rule(cr, p.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_set_source_rgba(cr, p.fill.r, p.fill.g, p.fill.b, alpha);
        if (p.stroked) cairo_fill_preserve(cr); else cairo_fill(cr);
    }
    if (p.stroked) {
        SetStroke(cr, p);
        cairo_set_source_rgba(cr, p.stroke.r, p.stroke.g, p.stroke.b, alpha);
        cairo_stroke(cr);
    }
    if (group) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, p.opacity);
        cairo_restore(cr);
    }
}

// How often the calling thread asks its Progress while threads draw.
constexpr auto kProgressInterval = std::chrono::milliseconds(10);

void CheckPage(const Document& doc) {
    if (!(std::isfinite(doc.pageWidth) && doc.pageWidth > 0 && std::isfinite(doc.pageHeight) &&
          doc.pageHeight > 0))
        throw RenderError("the page size is not a positive finite number of points");
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    try {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    } catch (...) {
        return CAIRO_STATUS_NO_MEMORY;
    }
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

void Check(cairo_status_t status, const char* what) {
    if (status != CAIRO_STATUS_SUCCESS)
        throw RenderError(std::string(what) + ": " + cairo_status_to_string(status));
}

}  // namespace

bool ScreenColorOf(const PaintColor& c, ScreenColor& out) {
    switch (c.kind) {
        case kThreeColor: out = {Channel(c.c[0]), Channel(c.c[1]), Channel(c.c[2])}; return true;
        case kGrayColor:
        case kCustomColor: {
            const double v = Channel(1 - c.c[0]);
            out = {v, v, v};
            return true;
        }
        case kFourColor: {
            const float k = 1 - c.c[3];
            out = {Channel((1 - c.c[0]) * k), Channel((1 - c.c[1]) * k), Channel((1 - c.c[2]) * k)};
            return true;
        }
        case kNoneColor: return false;
        default: out = {128 / 255.0, 128 / 255.0, 128 / 255.0}; return true;
    }
}

std::shared_ptr<const RenderList> MakeRenderList(const Document& doc) {
    auto list = std::make_shared<RenderList>();
    list->pageWidth = doc.pageWidth;
    list->pageHeight = doc.pageHeight;
    RenderPath p;
    for (const Layer& layer : doc.layers) {
        if (!layer.visible) continue;
        for (ArtId id : layer.art) {
            const Art* a = doc.FindArt(id);
            if (!a) continue;
            // An envelope is drawn as its computed outline.
            const bool drawn = a->kind == ArtKind::Path ? Resolve(*a, p) : Resolve(ShownArt(doc, *a), p);
            if (!drawn) continue;
            list->segments += p.segments.size();
            list->paths.push_back(std::move(p));
            p = RenderPath{};
        }
    }
    return list;
}

void DrawRenderList(cairo_t* cr, const RenderList& list, Progress* progress) {
    cairo_save(cr);
    const Box clip = DeviceClip(cr);
    auto last = std::chrono::steady_clock::now();
    const double total = static_cast<double>(std::max<size_t>(1, list.paths.size()));
    for (size_t i = 0; i < list.paths.size(); ++i) {
        const RenderPath& p = list.paths[i];
        const Box device = DeviceBox(cr, p.reach);
        if (Overlap(device, clip)) DrawPath(cr, p, device);
        if (progress && std::chrono::steady_clock::now() - last >= kProgressInterval) {
            last = std::chrono::steady_clock::now();
            if (!progress->Report(static_cast<double>(i + 1) / total)) {
                cairo_restore(cr);
                throw Cancelled();
            }
        }
    }
    cairo_restore(cr);
    ReportOrCancel(progress, 1.0);
}

void DrawDocumentArt(cairo_t* cr, const Document& doc) { DrawRenderList(cr, *MakeRenderList(doc)); }

void DrawRenderListToImage(const RenderList& list, unsigned char* data, int format, int width, int height,
                           int stride, const PagePlacement& placement, Progress* progress, unsigned threads) {
    if (width <= 0 || height <= 0) return;
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    // Bands of about 64 rows, several per thread, so that a thread done with a light band
    // takes the next one rather than wait for the others.
    const int bandCount = std::clamp(height / 64, 1, static_cast<int>(threads) * 8);
    threads = std::min<unsigned>(threads, static_cast<unsigned>(bandCount));
    // Paths each band meets, counted up front so that progress follows the real work.
    std::vector<std::vector<uint32_t>> bandPaths(static_cast<size_t>(bandCount));
    size_t work = 0;
    {
        const auto toPixels = [&](double x, double y) {
            return std::pair{placement.left + placement.scale * x, placement.top + placement.scale * (list.pageHeight - y)};
        };
        for (size_t i = 0; i < list.paths.size(); ++i) {
            const Box& r = list.paths[i].reach;
            const auto [x1, y1] = toPixels(r.left, r.top);
            const auto [x2, y2] = toPixels(r.right, r.bottom);
            if (x2 + 1 < 0 || x1 - 1 > width) continue;
            for (int b = 0; b < bandCount; ++b) {
                const double rowFrom = double(height) * b / bandCount, rowTo = double(height) * (b + 1) / bandCount;
                if (y2 + 1 >= std::floor(rowFrom) && y1 - 1 <= std::ceil(rowTo)) {
                    bandPaths[size_t(b)].push_back(static_cast<uint32_t>(i));
                    ++work;
                }
            }
        }
    }
    std::atomic<int> nextBand{0};
    std::atomic<size_t> done{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> failed{false};
    const auto drawBands = [&] {
        for (int b = nextBand++; b < bandCount && !stop; b = nextBand++) {
            const int rowFrom = int(int64_t(height) * b / bandCount), rowTo = int(int64_t(height) * (b + 1) / bandCount);
            cairo_surface_t* surface = cairo_image_surface_create_for_data(
                data + size_t(rowFrom) * size_t(stride), static_cast<cairo_format_t>(format), width, rowTo - rowFrom, stride);
            cairo_t* cr = cairo_create(surface);
            cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
            // Whole rows apart, so every pixel is covered as in one image.
            cairo_translate(cr, placement.left, placement.top - rowFrom + placement.scale * list.pageHeight);
            cairo_scale(cr, placement.scale, -placement.scale);
            const Box clip{0, 0, double(width), double(rowTo - rowFrom)};
            for (uint32_t i : bandPaths[size_t(b)]) {
                if (stop) break;
                const RenderPath& p = list.paths[i];
                const Box device = DeviceBox(cr, p.reach);
                if (Overlap(device, clip)) DrawPath(cr, p, device);
                ++done;
            }
            if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) failed = true, stop = true;
            cairo_destroy(cr);
            cairo_surface_flush(surface);
            cairo_surface_destroy(surface);
        }
    };
    // With a progress every band is drawn by the pool, and this thread only asks.
    std::atomic<unsigned> running{0};
    const auto poolThread = [&] {
        drawBands();
        --running;
    };
    std::vector<std::thread> pool;
    const unsigned poolSize = progress ? threads : threads - 1;
    try {
        for (unsigned t = 0; t < poolSize; ++t) {
            ++running;
            pool.emplace_back(poolThread);
        }
    } catch (const std::system_error&) {
        --running;  // the thread that could not be started
    }
    if (!progress || pool.empty()) {
        drawBands();
    } else {
        const double total = static_cast<double>(std::max<size_t>(1, work));
        while (running > 0) {
            std::this_thread::sleep_for(kProgressInterval);
            if (!stop && !progress->Report(std::min(1.0, static_cast<double>(done.load()) / total))) stop = true;
        }
    }
    for (std::thread& t : pool) t.join();
    if (failed) throw RenderError("cannot draw the document");
    if (stop) throw Cancelled();
    ReportOrCancel(progress, 1.0);
}

void SetPageTransform(cairo_t* cr, const Document& doc, double scale, double left, double top) {
    cairo_translate(cr, left, top + scale * doc.pageHeight);
    cairo_scale(cr, scale, -scale);
}

double RasterScale(const Document& doc) {
    const double side = std::max(doc.pageWidth, doc.pageHeight);
    return std::min(kRasterScale, kMaxRasterSide / side);
}

std::string RenderPng(const Document& doc, Progress* progress) {
    CheckPage(doc);
    return RenderPngAtScale(doc, RasterScale(doc), progress);
}

std::string RenderPngAtScale(const Document& doc, double scale, Progress* progress) {
    CheckPage(doc);
    if (!(std::isfinite(scale) && scale > 0)) throw RenderError("the scale is not a positive finite number");
    // At least one pixel, so that a page thinner than a pixel still gives an image.
    const double w = std::max(1.0, std::round(doc.pageWidth * scale));
    const double h = std::max(1.0, std::round(doc.pageHeight * scale));
    if (w > kMaxRasterSide || h > kMaxRasterSide) throw RenderError("the image would be too large");
    const int width = static_cast<int>(w), height = static_cast<int>(h);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    Check(cairo_surface_status(surface.get()), "cannot make the image");
    cairo_surface_flush(surface.get());
    DrawRenderListToImage(*MakeRenderList(doc), cairo_image_surface_get_data(surface.get()), CAIRO_FORMAT_ARGB32,
                          width, height, cairo_image_surface_get_stride(surface.get()), {scale, 0, 0}, progress);
    cairo_surface_mark_dirty(surface.get());
    std::string bytes;
    Check(cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &bytes), "cannot encode the PNG");
    return bytes;
}

std::string RenderPdf(const Document& doc) {
    CheckPage(doc);
    std::string bytes;
    {
        Surface surface(cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, doc.pageWidth, doc.pageHeight));
        Check(cairo_surface_status(surface.get()), "cannot make the PDF");
        Context cr(cairo_create(surface.get()));
        SetPageTransform(cr.get(), doc, 1.0, 0, 0);
        DrawDocumentArt(cr.get(), doc);
        Check(cairo_status(cr.get()), "cannot draw the document");
        cairo_show_page(cr.get());
        cr.reset();
        cairo_surface_finish(surface.get());
        Check(cairo_surface_status(surface.get()), "cannot write the PDF");
    }
    return bytes;
}

}  // namespace easel
