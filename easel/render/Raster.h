// Raster.h: drawing a document with cairo, anti-aliased, and writing it as PNG or PDF.
//
// The drawing follows the SVG export exactly: the same colours (8 bits per channel, the same
// stand-ins for spot, pattern and gradient paint), the same stroke attributes and the same
// paths left out (no segments, a non-finite value). A faded path is painted as SVG's
// `opacity` does: fill and stroke composited together, then faded (a group, only as large as
// the path, and only when it has both a fill and a stroke; one paint alone is simply drawn
// at that alpha). Layers paint bottom first; hidden
// layers are not drawn. An envelope is drawn as what it shows (ShownArt: its content mapped
// into its shape or warp, in the content's paint). Symbols are definitions only and draw
// nothing by themselves.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "document/Document.h"
#include "document/Progress.h"
#include "render/RenderList.h"

typedef struct _cairo cairo_t;

namespace easel {

// A document that could not be rendered (the page cannot be an image, cairo failed); what()
// says why.
class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Draws the visible art of `doc`. The caller has set cr's user space to the document's
// (points, y upward from the page's bottom-left corner), for example with SetPageTransform.
// Draws no page background. cr's state is the same afterwards.
void DrawDocumentArt(cairo_t* cr, const Document& doc);

// The same for a render list. Paths whose reach lies wholly outside cr's clip are skipped.
// `progress` hears the share of paths drawn; when it says stop, Cancelled is thrown and cr
// is left as it was.
void DrawRenderList(cairo_t* cr, const RenderList& list, Progress* progress = nullptr);

// Where the page lands on an image: its top-left corner at pixel (left, top), `scale` pixels
// per point.
struct PagePlacement {
    double scale = 1, left = 0, top = 0;
};

// Draws `list` over the pixels of a cairo image (CAIRO_FORMAT_ARGB32 or RGB24, `stride` bytes
// a row, as cairo_format_stride_for_width gives), which keeps what it held beneath the art.
// The image is cut into bands of rows drawn by up to `threads` threads at once (0: one per
// processor); each pixel comes out as drawing the whole image in one piece gives it.
// `progress` is asked only on the calling thread, every few milliseconds, with the share of
// the work done; when it says stop, the threads stop between paths and Cancelled is thrown
// (the image then holds part of the art).
void DrawRenderListToImage(const RenderList& list, unsigned char* data, int format, int width, int height,
                           int stride, const PagePlacement& placement, Progress* progress = nullptr,
                           unsigned threads = 0);

// Maps the document's page onto the device: the page's top-left corner at device pixel
// (left, top), `scale` device pixels per point, y downward as devices have it.
void SetPageTransform(cairo_t* cr, const Document& doc, double scale, double left, double top);

// Pixels per point of a PNG: 2 (144 dpi), less for a page whose longer side would exceed
// kMaxRasterSide pixels, so that any page gives an image cairo can hold.
constexpr double kRasterScale = 2.0;
constexpr int kMaxRasterSide = 8192;
double RasterScale(const Document& doc);

// The whole page as PNG bytes at RasterScale: the art over a transparent background, as an
// SVG shows it. Throws RenderError, and Cancelled when `progress` says stop.
std::string RenderPng(const Document& doc, Progress* progress = nullptr);

// The same at `scale` pixels per point (positive, finite; the image at most kMaxRasterSide
// pixels a side, else RenderError).
std::string RenderPngAtScale(const Document& doc, double scale, Progress* progress = nullptr);

// One PDF page the size of the document's page (points), the art as vectors. Throws
// RenderError.
std::string RenderPdf(const Document& doc);

}  // namespace easel
