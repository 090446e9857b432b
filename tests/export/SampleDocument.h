// A small hand-built document shared by the export tests: two layers (the top one hidden),
// a straight triangle, an open curve, a closed curve, an empty path, gray / cmyk / rgb /
// none / spot paint, and one symbol.
#pragma once

#include <initializer_list>
#include <string>

#include "document/Document.h"

namespace easel::testing {

inline AIPathSegment Corner(float x, float y) {
    return AIPathSegment{{x, y}, {x, y}, {x, y}, 1};
}

inline AIPathSegment Smooth(float x, float y, float ix, float iy, float ox, float oy) {
    return AIPathSegment{{x, y}, {ix, iy}, {ox, oy}, 0};
}

inline Art MakePath(std::initializer_list<AIPathSegment> segs, bool closed, const PathStyle& style) {
    Art a;
    for (const AIPathSegment& s : segs) a.path.SetSegment(a.path.SegmentCount(), s);
    a.path.closed = closed;
    a.style = style;
    return a;
}

inline ArtId Place(Document& d, size_t layer, Art a) {
    d.ReserveArt();
    const ArtId id = d.AddArt(std::move(a));
    d.layers[layer].art.push_back(id);
    return id;
}

inline Document SampleDocument() {
    Document d = NewDocument(ColorModel::RGB);
    Layer top;
    top.id = d.nextLayerId++;
    top.name = "Stars & <Hidden> \"top\"";
    top.visible = false;
    d.layers.push_back(top);

    PathStyle triangle = DefaultPaint(ColorModel::RGB);
    triangle.fillColor = GrayColor(0.25f);
    triangle.strokeColor = CmykColor(0.5f, 0, 0, 0.5f);
    triangle.strokeWidth = 2.5f;
    Place(d, 0, MakePath({Corner(100, 700), Corner(200, 700), Corner(150, 600)}, false, triangle));

    PathStyle curve = DefaultPaint(ColorModel::RGB);
    curve.fillPaint = 0;
    curve.strokeColor = RgbColor(1, 0.5f, 0);
    Place(d, 0, MakePath({Smooth(10, 20, 10, 20, 30, 40), Smooth(50, 20, 40, 60, 50, 20)}, false, curve));

    PathStyle closed = DefaultPaint(ColorModel::RGB);
    closed.fillColor = NoneColor();
    closed.strokeColor = CmykColor(0, 1, 1, 0);
    closed.evenOdd = 1;
    Art loop = MakePath({Smooth(0.1f, 5, 0, 0, 1, 9), Corner(20, 5)}, true, closed);
    loop.opacity = 0.5f;
    Place(d, 0, loop);

    Place(d, 0, MakePath({}, false, closed));  // empty: a path just made by NewArt

    PathStyle spot = DefaultPaint(ColorModel::RGB);
    spot.fillColor.kind = kCustomColor;
    spot.fillColor.ref = 3;
    spot.fillColor.c[0] = 0.25f;
    spot.strokeColor.kind = kGradientColor;
    spot.strokeColor.ref = 1;
    Place(d, 1, MakePath({Corner(1, 1), Corner(2, 2)}, false, spot));

    d.symbols.push_back(Symbol{"Star <1>", MakePath({Corner(0, 0), Corner(5, 10), Corner(10, 0)}, true, triangle)});
    return d;
}

}  // namespace easel::testing
