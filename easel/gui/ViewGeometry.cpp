#include "gui/ViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace easel::gui {

double FitZoom(double pageWidth, double pageHeight, int widthPx, int heightPx) {
    if (!(pageWidth > 0) || !(pageHeight > 0)) return 1.0;
    // A tiny area keeps at least a pixel of room rather than a negative one.
    const double w = std::max(1.0, double(widthPx) - 2.0 * kFitMargin);
    const double h = std::max(1.0, double(heightPx) - 2.0 * kFitMargin);
    return std::clamp(std::min(w / pageWidth, h / pageHeight), kMinZoom, kMaxZoom);
}

View FitView(const Document& doc, int widthPx, int heightPx) {
    View v;
    v.centreX = doc.pageWidth / 2;
    v.centreY = doc.pageHeight / 2;
    v.zoom = static_cast<float>(FitZoom(doc.pageWidth, doc.pageHeight, widthPx, heightPx));
    v.widthPx = widthPx;
    v.heightPx = heightPx;
    return v;
}

View Zoomed(const View& view, int steps) {
    View v = view;
    v.zoom = static_cast<float>(std::clamp(view.zoom * std::pow(kZoomStep, steps), kMinZoom, kMaxZoom));
    return v;
}

View Resized(const View& view, int widthPx, int heightPx) {
    View v = view;
    v.widthPx = widthPx;
    v.heightPx = heightPx;
    return v;
}

View Panned(const View& view, const Document& doc, double dx, double dy) {
    View v = view;
    if (!(view.zoom > 0)) return v;
    v.centreX = static_cast<float>(std::clamp(view.centreX + dx / view.zoom, 0.0, double(doc.pageWidth)));
    v.centreY = static_cast<float>(std::clamp(view.centreY - dy / view.zoom, 0.0, double(doc.pageHeight)));
    return v;
}

Point ArtworkToPixel(const View& view, Point a) {
    return {view.widthPx * 0.5 + (a.x - view.centreX) * view.zoom,
            view.heightPx * 0.5 - (a.y - view.centreY) * view.zoom};
}

Point PixelToArtwork(const View& view, Point p) {
    return {view.centreX + (p.x - view.widthPx * 0.5) / view.zoom,
            view.centreY - (p.y - view.heightPx * 0.5) / view.zoom};
}

PictureMapping MapPicture(const View& from, const View& to) {
    if (!(from.zoom > 0) || !(to.zoom > 0)) return {};
    const double scale = double(to.zoom) / double(from.zoom);
    // The picture's pixel (0, 0) shows the artwork point a; in `to`, a sits at ArtworkToPixel.
    const Point origin = ArtworkToPixel(to, PixelToArtwork(from, {0, 0}));
    return {scale, origin.x, origin.y};
}

bool SameView(const View& a, const View& b) {
    return a.centreX == b.centreX && a.centreY == b.centreY && a.zoom == b.zoom && a.widthPx == b.widthPx &&
           a.heightPx == b.heightPx;
}

}  // namespace easel::gui
