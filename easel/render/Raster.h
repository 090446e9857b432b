// Raster.h: drawing a document with cairo, anti-aliased, and writing it as PNG or PDF.
//
// The drawing follows the SVG export exactly: the same colours (8 bits per channel, the same
// stand-ins for spot, pattern and gradient paint), the same stroke attributes and the same
// paths left out (no segments, a non-finite value). Each path is painted as one group at its
// opacity, fill under stroke, as SVG's `opacity` does. Layers paint bottom first; hidden
// layers are not drawn. An envelope is drawn as what it shows (ShownArt: its content mapped
// into its shape or warp, in the content's paint). Symbols are definitions only and draw
// nothing by themselves.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "document/Document.h"

typedef struct _cairo cairo_t;

namespace easel {

// A document that could not be rendered (the page cannot be an image, cairo failed); what()
// says why.
class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A colour as the screen shows it: red, green, blue, each 0..1 and a multiple of 1/255.
struct ScreenColor {
    double r = 0, g = 0, b = 0;
};

// `c` as shown, or false when it paints nothing (kNoneColor). Gray is ink (1 - g per
// channel); CMYK converts plainly, r = (1 - c)(1 - k) and so on; a spot colour is black at
// its tint; patterns, gradients and unknown kinds are mid gray (128/255).
bool ScreenColorOf(const PaintColor& c, ScreenColor& out);

// Draws the visible art of `doc`. The caller has set cr's user space to the document's
// (points, y upward from the page's bottom-left corner), for example with SetPageTransform.
// Draws no page background. cr's state is the same afterwards.
void DrawDocumentArt(cairo_t* cr, const Document& doc);

// Maps the document's page onto the device: the page's top-left corner at device pixel
// (left, top), `scale` device pixels per point, y downward as devices have it.
void SetPageTransform(cairo_t* cr, const Document& doc, double scale, double left, double top);

// Pixels per point of a PNG: 2 (144 dpi), less for a page whose longer side would exceed
// kMaxRasterSide pixels, so that any page gives an image cairo can hold.
constexpr double kRasterScale = 2.0;
constexpr int kMaxRasterSide = 8192;
double RasterScale(const Document& doc);

// The whole page as PNG bytes at RasterScale: the art over a transparent background, as an
// SVG shows it. Throws RenderError.
std::string RenderPng(const Document& doc);

// One PDF page the size of the document's page (points), the art as vectors. Throws
// RenderError.
std::string RenderPdf(const Document& doc);

}  // namespace easel
