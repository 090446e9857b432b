#include "render/Raster.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "document/Envelope.h"

namespace easel {

namespace {

// 8 bits per channel, exactly as the SVG export rounds its #rrggbb.
double Channel(float v) {
    const float clamped = v >= 0.0f ? std::min(v, 1.0f) : 0.0f;  // NaN -> 0
    return static_cast<double>(std::lround(clamped * 255.0f)) / 255.0;
}

bool AllFinite(const Art& a) {
    for (const SegmentPoints& p : a.path.points)
        for (float v : {p.px, p.py, p.ix, p.iy, p.ox, p.oy})
            if (!std::isfinite(v)) return false;
    return std::isfinite(a.style.strokeWidth) && std::isfinite(a.opacity);
}

void AddSegment(cairo_t* cr, const SegmentPoints& from, const SegmentPoints& to) {
    if (from.ox == from.px && from.oy == from.py && to.ix == to.px && to.iy == to.py)
        cairo_line_to(cr, to.px, to.py);
    else
        cairo_curve_to(cr, from.ox, from.oy, to.ix, to.iy, to.px, to.py);
}

void AddPath(cairo_t* cr, const PathData& path) {
    const auto& pts = path.points;
    cairo_new_path(cr);
    cairo_move_to(cr, pts[0].px, pts[0].py);
    for (size_t i = 1; i < pts.size(); ++i) AddSegment(cr, pts[i - 1], pts[i]);
    if (path.closed) {
        AddSegment(cr, pts.back(), pts[0]);
        cairo_close_path(cr);
    }
}

void SetStroke(cairo_t* cr, const PathStyle& s) {
    cairo_set_line_width(cr, s.strokeWidth);
    cairo_set_line_cap(cr, s.cap == 1 ? CAIRO_LINE_CAP_ROUND
                           : s.cap == 2 ? CAIRO_LINE_CAP_SQUARE
                                        : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, s.join == 1 ? CAIRO_LINE_JOIN_ROUND
                            : s.join == 2 ? CAIRO_LINE_JOIN_BEVEL
                                          : CAIRO_LINE_JOIN_MITER);
    // A limit below 1 (a zeroed record holds 0) means nothing; it keeps the usual 4.
    const bool limitValid = s.miterLimit >= 1.0f && std::isfinite(s.miterLimit);
    cairo_set_miter_limit(cr, limitValid ? s.miterLimit : 4.0);
    double dashes[6];
    int count = 0;
    bool valid = s.dash.count > 0 && s.dash.count <= 6;
    double sum = 0;
    for (int32_t i = 0; valid && i < s.dash.count; ++i) {
        const float v = s.dash.array[i];
        valid = std::isfinite(v) && v >= 0;
        dashes[count++] = v;
        sum += v;
    }
    // An invalid or all-zero list strokes solid, as it does in the SVG.
    if (valid && sum > 0)
        cairo_set_dash(cr, dashes, count, std::isfinite(s.dash.offset) ? s.dash.offset : 0.0);
    else
        cairo_set_dash(cr, nullptr, 0, 0);
}

void DrawArt(cairo_t* cr, const Art& a) {
    if (a.path.points.empty() || !AllFinite(a)) return;
    const PathStyle& s = a.style;
    ScreenColor fill, stroke;
    const bool filled = s.fillPaint != 0 && ScreenColorOf(s.fillColor, fill);
    const bool stroked = s.strokePaint != 0 && s.strokeWidth > 0 && ScreenColorOf(s.strokeColor, stroke);
    const double opacity = std::clamp(static_cast<double>(a.opacity), 0.0, 1.0);
    if ((!filled && !stroked) || opacity <= 0) return;

    cairo_save(cr);
    // Fill and stroke are composited together, then faded, so a stroke does not show the
    // fill through where they overlap.
    const bool group = opacity < 1.0;
    if (group) cairo_push_group(cr);
    AddPath(cr, a.path);
    if (filled) {
        cairo_set_fill_rule(cr, s.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_set_source_rgb(cr, fill.r, fill.g, fill.b);
        cairo_fill_preserve(cr);
    }
    if (stroked) {
        SetStroke(cr, s);
        cairo_set_source_rgb(cr, stroke.r, stroke.g, stroke.b);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    if (group) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, opacity);
    }
    cairo_restore(cr);
}

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

void DrawDocumentArt(cairo_t* cr, const Document& doc) {
    for (const Layer& layer : doc.layers) {
        if (!layer.visible) continue;
        for (ArtId id : layer.art) {
            const Art* a = doc.FindArt(id);
            if (!a) continue;
            if (a->kind == ArtKind::Path)
                DrawArt(cr, *a);
            else
                DrawArt(cr, ShownArt(doc, *a));  // an envelope: its computed outline
        }
    }
}

void SetPageTransform(cairo_t* cr, const Document& doc, double scale, double left, double top) {
    cairo_translate(cr, left, top + scale * doc.pageHeight);
    cairo_scale(cr, scale, -scale);
}

double RasterScale(const Document& doc) {
    const double side = std::max(doc.pageWidth, doc.pageHeight);
    return std::min(kRasterScale, kMaxRasterSide / side);
}

std::string RenderPng(const Document& doc) {
    CheckPage(doc);
    const double scale = RasterScale(doc);
    // At least one pixel, so that a page thinner than a pixel still gives an image.
    const int width = std::max(1, static_cast<int>(std::lround(doc.pageWidth * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(doc.pageHeight * scale)));
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    Check(cairo_surface_status(surface.get()), "cannot make the image");
    {
        Context cr(cairo_create(surface.get()));
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GOOD);
        SetPageTransform(cr.get(), doc, scale, 0, 0);
        DrawDocumentArt(cr.get(), doc);
        Check(cairo_status(cr.get()), "cannot draw the document");
    }
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
