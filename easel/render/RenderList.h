// RenderList.h: what the renderer draws, copied out of a document: each drawable path's
// points and its paint already resolved to screen colours and cairo's stroke settings.
//
// A render list never changes once made, so one list can be drawn by several threads at once
// (the bands of one image) and kept while the document goes on changing (the window renders
// from a list while the plug-in edits the document). It shares each path's segments with the
// document (SegmentStore: the document copies a path's block before writing to it while a
// list holds it), so making one costs no copy of segments; everything the drawing would
// otherwise compute per path and per draw (colours, stroke attributes, envelope outlines) is
// computed here once, and bounds are kept with the segments, computed once per change.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "document/Document.h"

namespace easel {

// A colour as the screen shows it: red, green, blue, each 0..1 and a multiple of 1/255.
struct ScreenColor {
    double r = 0, g = 0, b = 0;
};

// `c` as shown, or false when it paints nothing (kNoneColor). Gray is ink (1 - g per
// channel); CMYK converts plainly, r = (1 - c)(1 - k) and so on; a spot colour is black at
// its tint; patterns, gradients and unknown kinds are mid gray (128/255).
bool ScreenColorOf(const PaintColor& c, ScreenColor& out);

// An axis-aligned box, points.
struct Box {
    double left = 0, bottom = 0, right = 0, top = 0;
};

// One path as it is drawn: at least one of fill and stroke, opacity above 0.
struct RenderPath {
    SegmentStore segments;  // never empty; every value finite
    bool closed = false;
    bool filled = false, stroked = false;
    bool evenOdd = false;
    ScreenColor fill, stroke;
    double opacity = 1;  // 0 < opacity <= 1
    // Stroke settings as cairo takes them (cairo_line_cap_t, cairo_line_join_t).
    double width = 0, miterLimit = 4;
    int cap = 0, join = 0;
    int dashCount = 0;  // 0: solid
    double dashes[6] = {};
    double dashOffset = 0;
    // Every point the paint can touch: the anchors and handles (a cubic stays inside its
    // control points), widened by how far the stroke reaches past its centre line.
    Box reach;
};

struct RenderList {
    double pageWidth = 0, pageHeight = 0;  // points
    std::vector<RenderPath> paths;         // paint order, bottom first
    size_t segments = 0;                   // of all paths together
};

// The visible art of `doc` in paint order: layers bottom first, hidden layers left out, an
// envelope as what it shows (ShownArt), paths that paint nothing or hold a non-finite value
// left out, as the SVG export leaves them out.
std::shared_ptr<const RenderList> MakeRenderList(const Document& doc);

}  // namespace easel
