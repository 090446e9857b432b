// ViewGeometry.h: where the page sits in the document window, as plain arithmetic.
//
// A view shows the artwork point `centreX, centreY` (points, y upward) at the middle of an area
// of widthPx x heightPx pixels (y downward), `zoom` pixels per point. That is exactly the
// document's View record, so a pixel of the window is the view point the document view suite
// converts (ViewPointToArtworkPoint), and a pick in the window needs no conversion of its own.
#pragma once

#include "document/Document.h"

namespace easel::gui {

constexpr double kMinZoom = 1.0 / 64;  // pixels per point
constexpr double kMaxZoom = 64.0;
constexpr double kZoomStep = 1.25;  // one Zoom In or Zoom Out
constexpr int kFitMargin = 16;      // pixels kept free around a fitted page

struct Point {
    double x = 0, y = 0;
};

// The zoom at which the whole page fits into the area with kFitMargin pixels around it, within
// kMinZoom .. kMaxZoom (an area too small for the margin still shows the page, smaller).
double FitZoom(double pageWidth, double pageHeight, int widthPx, int heightPx);

// A view of the whole page: centred on it, at FitZoom.
View FitView(const Document& doc, int widthPx, int heightPx);

// `view` one zoom step in (steps > 0) or out (steps < 0) about its centre, within the limits.
View Zoomed(const View& view, int steps);

// `view` with a new area size, centre and zoom kept.
View Resized(const View& view, int widthPx, int heightPx);

// `view` moved by (dx, dy) pixels of the area, the centre kept on the page.
View Panned(const View& view, const Document& doc, double dx, double dy);

// Pixel of the area (y downward) <-> artwork point (y upward).
Point ArtworkToPixel(const View& view, Point artwork);
Point PixelToArtwork(const View& view, Point pixel);

// Where a picture drawn through `from` goes when the area now shows `to`: a pixel p of the
// picture lands on scale * p + (dx, dy), so that every artwork point stays under itself (the
// last picture stands in, zoomed and moved, while the new one is drawn).
struct PictureMapping {
    double scale = 1, dx = 0, dy = 0;
};
PictureMapping MapPicture(const View& from, const View& to);

// Whether two views show the same pixels (same centre, zoom and size).
bool SameView(const View& a, const View& b);

}  // namespace easel::gui
