// SVG import against small hand-made files, one table per rule; expected anchors worked out
// by hand in the document's coordinates (points, y upward from the page's bottom-left).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "export/JsonDump.h"
#include "export/Svg.h"
#include "import/SvgImport.h"

namespace easel {
namespace {

constexpr double kK = 0.5522847498307936;

// A page of 100 × 100 points whose user unit is one point: document y = 100 − SVG y.
std::string Page(const std::string& body, const std::string& extra = "") {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
           "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" "
           "width=\"100pt\" height=\"100pt\" viewBox=\"0 0 100 100\"" + extra + ">" + body + "</svg>";
}

std::vector<const Art*> AllArt(const Document& d) {
    std::vector<const Art*> out;
    for (const Layer& l : d.layers)
        for (ArtId id : l.art) out.push_back(d.FindArt(id));
    return out;
}

struct P {
    double x, y;
};
// Anchors, with handles: {anchor, in, out}.
struct A {
    P p, in, out;
};

void ExpectAnchors(const Art& a, const std::vector<A>& want, bool closed, const std::string& what) {
    EXPECT_EQ(a.path.closed, closed) << what;
    ASSERT_EQ(a.path.segments.size(), want.size()) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        const SegmentPoints& s = a.path.segments[i];
        const A& w = want[i];
        const double tol = 1e-3;
        EXPECT_NEAR(s.px, w.p.x, tol) << what << " anchor " << i;
        EXPECT_NEAR(s.py, w.p.y, tol) << what << " anchor " << i;
        EXPECT_NEAR(s.ix, w.in.x, tol) << what << " in " << i;
        EXPECT_NEAR(s.iy, w.in.y, tol) << what << " in " << i;
        EXPECT_NEAR(s.ox, w.out.x, tol) << what << " out " << i;
        EXPECT_NEAR(s.oy, w.out.y, tol) << what << " out " << i;
    }
}
A Corner(double x, double y) { return {{x, y}, {x, y}, {x, y}}; }

struct ShapeCase {
    const char* name;
    std::string body;
    std::vector<A> anchors;
    bool closed;
};

TEST(SvgImport, ShapesAndPathsGiveTheirOutlineInDocumentCoordinates) {
    const double k10 = kK * 10;
    const std::vector<ShapeCase> cases = {
        {"path with lines", "<path d='M10 10 L30 10 L30 40 Z'/>", {Corner(10, 90), Corner(30, 90), Corner(30, 60)}, true},
        {"relative path, h and v", "<path d='m10 10 h20 v30 h-20'/>",
         {Corner(10, 90), Corner(30, 90), Corner(30, 60), Corner(10, 60)}, false},
        {"cubic, closing on the first anchor", "<path d='M0 50 C0 40 10 40 10 50 C10 60 0 60 0 50 Z'/>",
         {{{0, 50}, {0, 40}, {0, 60}}, {{10, 50}, {10, 60}, {10, 40}}}, true},
        {"quadratic as cubic", "<path d='M0 0 Q30 30 60 0'/>",
         {{{0, 100}, {0, 100}, {20, 80}}, {{60, 100}, {40, 80}, {60, 100}}}, false},
        {"rect", "<rect x='10' y='20' width='30' height='40'/>",
         {Corner(10, 80), Corner(40, 80), Corner(40, 40), Corner(10, 40)}, true},
        {"line", "<line x1='1' y1='2' x2='3' y2='4'/>", {Corner(1, 98), Corner(3, 96)}, false},
        {"polyline", "<polyline points='0,0 10,0 10,10'/>", {Corner(0, 100), Corner(10, 100), Corner(10, 90)}, false},
        {"polygon", "<polygon points='0 0, 10 0, 10 10'/>", {Corner(0, 100), Corner(10, 100), Corner(10, 90)}, true},
        {"circle: four quarter arcs from (cx + r, cy)", "<circle cx='50' cy='50' r='10'/>",
         {{{60, 50}, {60, 50 + k10}, {60, 50 - k10}},
          {{50, 40}, {50 + k10, 40}, {50 - k10, 40}},
          {{40, 50}, {40, 50 - k10}, {40, 50 + k10}},
          {{50, 60}, {50 - k10, 60}, {50 + k10, 60}}},
         true},
        {"ellipse", "<ellipse cx='50' cy='50' rx='20' ry='10'/>",
         {{{70, 50}, {70, 50 + k10}, {70, 50 - k10}},
          {{50, 40}, {50 + kK * 20, 40}, {50 - kK * 20, 40}},
          {{30, 50}, {30, 50 - k10}, {30, 50 + k10}},
          {{50, 60}, {50 - kK * 20, 60}, {50 + kK * 20, 60}}},
         true},
        {"rounded rect, ry taken from rx", "<rect x='0' y='0' width='40' height='20' rx='10'/>",
         {{{10, 100}, {10 - k10, 100}, {10, 100}},
          {{30, 100}, {30, 100}, {30 + k10, 100}},
          {{40, 90}, {40, 90 + k10}, {40, 90}},
          {{40, 90}, {40, 90}, {40, 90 - k10}},
          {{30, 80}, {30 + k10, 80}, {30, 80}},
          {{10, 80}, {10, 80}, {10 - k10, 80}},
          {{0, 90}, {0, 90 - k10}, {0, 90}},
          {{0, 90}, {0, 90}, {0, 90 + k10}}},
         true},
    };
    for (const ShapeCase& c : cases) {
        const ImportResult r = ImportSvgText(Page(c.body), "t.svg");
        const auto art = AllArt(r.document);
        ASSERT_EQ(art.size(), 1u) << c.name;
        ExpectAnchors(*art[0], c.anchors, c.closed, c.name);
        EXPECT_TRUE(r.warnings.empty()) << c.name << ": " << (r.warnings.empty() ? "" : r.warnings[0]);
    }
}

// The arcs SVG sets apart: one ending where it starts is left out, one with a zero radius is a
// straight line. A zero radius once reached the arc conversion and made a NaN that was
// converted to an int; the fuzzer's input is kept in tests/fuzz/regress/svg/.
TEST(SvgImport, DegenerateArcsAreLeftOutOrStraight) {
    const std::vector<ShapeCase> cases = {
        {"zero rx", "<path d='M10 10 A0 5 30 1 0 50 80'/>", {Corner(10, 90), Corner(50, 20)}, false},
        {"zero ry", "<path d='M10 10 A20 0 345 1 0 50 80'/>", {Corner(10, 90), Corner(50, 20)}, false},
        {"relative, both zero", "<path d='M10 10 a0 0 0 0 1 40 70'/>", {Corner(10, 90), Corner(50, 20)}, false},
        {"to its own start", "<path d='M10 10 A5 5 0 0 1 10 10 L20 10'/>", {Corner(10, 90), Corner(20, 90)}, false},
    };
    for (const ShapeCase& c : cases) {
        const ImportResult r = ImportSvgText(Page(c.body), "t.svg");
        const auto art = AllArt(r.document);
        ASSERT_EQ(art.size(), 1u) << c.name;
        ExpectAnchors(*art[0], c.anchors, c.closed, c.name);
    }
}

// Stroke values past single precision's range are left out and named, never kept as infinity
// (which no dump can hold). fuzz_svg's input is kept in tests/fuzz/regress/svg/.
TEST(SvgImport, StrokeValuesBeyondTheNumberRangeAreLeftOutAndNamed) {
    struct Case {
        const char* name;
        const char* style;
        const char* lost;
        bool stroked;
    };
    const Case cases[] = {
        {"width", "stroke='red' stroke-width='1e39'", "stroke width beyond the document's number range (1)", false},
        {"width by the transform", "stroke='red' stroke-width='1e30' transform='scale(1e10)'",
         "stroke width beyond the document's number range (1)", false},
        {"miter limit", "stroke='red' stroke-miterlimit='1e39'", "miter limit beyond the document's number range (1)", true},
        {"dash", "stroke='red' stroke-dasharray='1 1e39'", "dash beyond the document's number range (1)", true},
        {"dash offset", "stroke='red' stroke-dasharray='1 2' stroke-dashoffset='-1e39'",
         "dash beyond the document's number range (1)", true},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSvgText(Page(std::string("<path d='M1 1 L2 2' ") + c.style + "/>"), "t.svg");
        const auto art = AllArt(r.document);
        ASSERT_EQ(art.size(), 1u) << c.name;
        const PathStyle& st = art[0]->style;
        EXPECT_EQ(st.strokePaint != 0, c.stroked) << c.name;
        EXPECT_TRUE(std::isfinite(st.strokeWidth) && std::isfinite(st.miterLimit) && std::isfinite(st.dash.offset)) << c.name;
        for (int32_t i = 0; i < st.dash.count; ++i) EXPECT_TRUE(std::isfinite(st.dash.array[i])) << c.name;
        if (std::string(c.name).find("dash") != std::string::npos) {
            EXPECT_EQ(st.dash.count, 0) << c.name;
        }
        if (std::string(c.name) == "miter limit") {
            EXPECT_EQ(st.miterLimit, 4.0f);
        }
        ASSERT_EQ(r.warnings.size(), 1u) << c.name;
        EXPECT_NE(r.warnings[0].find(c.lost), std::string::npos) << c.name << ": " << r.warnings[0];
        EXPECT_TRUE(SameDocument(LoadDocumentText(DumpDocumentText(r.document)), r.document)) << c.name;
    }
}

TEST(SvgImport, ArcsBecomeCubicsThroughTheirEndsAndQuarterPoints) {
    // A half circle of radius 10 centred on (50, 50), from (40, 50) over the top to (60, 50).
    const ImportResult r = ImportSvgText(Page("<path d='M40 50 A10 10 0 0 1 60 50'/>"), "t.svg");
    const auto art = AllArt(r.document);
    ASSERT_EQ(art.size(), 1u);
    const auto& pts = art[0]->path.segments;
    ASSERT_GE(pts.size(), 3u);
    EXPECT_NEAR(pts.front().px, 40, 1e-4);
    EXPECT_NEAR(pts.front().py, 50, 1e-4);
    EXPECT_NEAR(pts.back().px, 60, 1e-4);
    EXPECT_NEAR(pts.back().py, 50, 1e-4);
    // Every anchor lies on the circle, and each curve's midpoint too (within a cubic's error).
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_NEAR(std::hypot(pts[i].px - 50, pts[i].py - 50), 10, 1e-4);
        EXPECT_GE(pts[i].py, 50 - 1e-4) << "over the top: y upward in the document";
        if (i == 0) continue;
        const auto& a = pts[i - 1];
        const auto& b = pts[i];
        const double mx = (a.px + 3 * a.ox + 3 * b.ix + b.px) / 8, my = (a.py + 3 * a.oy + 3 * b.iy + b.py) / 8;
        EXPECT_NEAR(std::hypot(mx - 50, my - 50), 10, 0.01);
    }
}

struct TransformCase {
    const char* name;
    std::string svg;
    P first;  // where the rect's first corner (SVG 0,0) lands
    P third;  // and its third (SVG 10,10)
};

TEST(SvgImport, EveryTransformOnTheWayDownAndThePageUnitsAreApplied) {
    const std::string rect = "<rect width='10' height='10'/>";
    const std::vector<TransformCase> cases = {
        {"translate on the shape", Page("<rect transform='translate(5,6)' width='10' height='10'/>"), {5, 94}, {15, 84}},
        {"nested groups", Page("<g transform='translate(10 0)'><g transform='scale(2)'>" + rect + "</g></g>"),
         {10, 100}, {30, 80}},
        {"rotate(90)", Page("<g transform='translate(50,50) rotate(90)'>" + rect + "</g>"), {50, 50}, {40, 40}},
        {"matrix", Page("<g transform='matrix(1 0 0 1 3 4)'>" + rect + "</g>"), {3, 96}, {13, 86}},
        {"px without a viewBox: 0.75 pt each",
         "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='200'>" + rect + "</svg>", {0, 150}, {7.5, 142.5}},
        {"mm page with a viewBox in mm", "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='50mm' "
                                         "viewBox='0 0 100 50'>" + rect + "</svg>",
         {0, 50 * 72 / 25.4}, {10 * 72 / 25.4, 40 * 72 / 25.4}},
        {"inch page, viewBox offset", "<svg xmlns='http://www.w3.org/2000/svg' width='1in' height='1in' "
                                      "viewBox='10 10 20 20'>" + rect + "</svg>",
         {-36, 108}, {0, 72}},
        {"cm page, meet keeps the aspect centred", "<svg xmlns='http://www.w3.org/2000/svg' width='2cm' height='1cm' "
                                                   "viewBox='0 0 10 10'>" + rect + "</svg>",
         {72 / 2.54 / 2, 72 / 2.54}, {72 / 2.54 * 1.5, 0}},
    };
    for (const TransformCase& c : cases) {
        const ImportResult r = ImportSvgText(c.svg, "t.svg");
        const auto art = AllArt(r.document);
        ASSERT_EQ(art.size(), 1u) << c.name;
        const auto& pts = art[0]->path.segments;
        ASSERT_EQ(pts.size(), 4u) << c.name;
        EXPECT_NEAR(pts[0].px, c.first.x, 1e-3) << c.name;
        EXPECT_NEAR(pts[0].py, c.first.y, 1e-3) << c.name;
        EXPECT_NEAR(pts[2].px, c.third.x, 1e-3) << c.name;
        EXPECT_NEAR(pts[2].py, c.third.y, 1e-3) << c.name;
    }
}

TEST(SvgImport, ThePageSizeInPointsFromItsUnits) {
    const struct {
        const char *w, *h;
        double pw, ph;
    } cases[] = {{"612pt", "792pt", 612, 792}, {"96px", "48", 72, 36}, {"25.4mm", "2.54cm", 72, 72},
                 {"2in", "1pc", 144, 12}};
    for (const auto& c : cases) {
        const std::string svg = std::string("<svg xmlns='http://www.w3.org/2000/svg' width='") + c.w + "' height='" +
                                c.h + "'/>";
        const Document d = ImportSvgText(svg, "t.svg").document;
        EXPECT_NEAR(d.pageWidth, c.pw, 1e-4) << c.w;
        EXPECT_NEAR(d.pageHeight, c.ph, 1e-4) << c.h;
        ASSERT_EQ(d.views.size(), 1u);
        EXPECT_FLOAT_EQ(d.views[0].centreX, d.pageWidth / 2);
    }
}

// A page that single precision cannot hold, too small (0 there) or too large, is Letter, and
// the warning says so. fuzz_svg's input (a viewBox 2e-97 high) is kept in tests/fuzz/regress/svg/.
TEST(SvgImport, APageSizeSinglePrecisionCannotHoldIsLetterAndNamed) {
    for (const char* size : {"width='10' height='1e-50'", "width='1e-46pt' height='10'", "viewBox='0 0 209 2e-97'",
                             "width='1e39' height='10'"}) {
        const ImportResult r = ImportSvgText(std::string("<svg xmlns='http://www.w3.org/2000/svg' ") + size + "/>", "t.svg");
        EXPECT_EQ(r.document.pageWidth, 612.0f) << size;
        EXPECT_EQ(r.document.pageHeight, 792.0f) << size;
        ASSERT_EQ(r.warnings.size(), 1u) << size;
        EXPECT_NE(r.warnings[0].find("unusable page size"), std::string::npos) << size << ": " << r.warnings[0];
    }
}

struct PaintCase {
    const char* name;
    std::string body;
    PathStyle want;
    float opacity;
};

PathStyle Paint(bool fill, PaintColor f, bool stroke, PaintColor s, float width = 1) {
    PathStyle p{};
    p.fillPaint = fill, p.fillColor = f, p.strokePaint = stroke, p.strokeColor = s, p.strokeWidth = width;
    p.miterLimit = 4;
    return p;
}
PaintColor Rgb8(int r, int g, int b) {
    return RgbColor(static_cast<float>(r / 255.0), static_cast<float>(g / 255.0), static_cast<float>(b / 255.0));
}

TEST(SvgImport, PaintFromAttributesStyleAndInheritance) {
    const PaintColor black = Rgb8(0, 0, 0), none = NoneColor();
    std::vector<PaintCase> cases = {
        {"SVG's defaults: black fill, no stroke", "<path d='M0 0 L1 1'/>", Paint(true, black, false, none), 1},
        {"keyword", "<path fill='red' d='M0 0 L1 1'/>", Paint(true, Rgb8(255, 0, 0), false, none), 1},
        {"#rgb", "<path fill='#0f8' d='M0 0 L1 1'/>", Paint(true, Rgb8(0, 255, 0x88), false, none), 1},
        {"rgb() percentages", "<path fill='rgb(100%,0%,50%)' d='M0 0 L1 1'/>", Paint(true, Rgb8(255, 0, 128), false, none), 1},
        {"hsl()", "<path fill='hsl(120,100%,50%)' d='M0 0 L1 1'/>", Paint(true, Rgb8(0, 255, 0), false, none), 1},
        {"currentColor", "<path color='#123456' fill='currentColor' d='M0 0 L1 1'/>",
         Paint(true, Rgb8(0x12, 0x34, 0x56), false, none), 1},
        {"style over attribute", "<path fill='red' style='fill:blue; stroke : #000000' d='M0 0 L1 1'/>",
         Paint(true, Rgb8(0, 0, 255), true, black), 1},
        {"inherited from groups",
         "<g fill='none' stroke='#00ff00' stroke-width='3'><g style='stroke-linecap:round'>"
         "<path d='M0 0 L1 1'/></g></g>",
         [&] {
             PathStyle p = Paint(false, none, true, Rgb8(0, 255, 0), 3);
             p.cap = 1;
             return p;
         }(),
         1},
        {"caps, joins, miter limit, dashes, even-odd",
         "<path fill-rule='evenodd' stroke='black' stroke-linecap='square' stroke-linejoin='bevel' "
         "stroke-miterlimit='9' stroke-dasharray='1,2,3' stroke-dashoffset='1' d='M0 0 L1 1'/>",
         [&] {
             PathStyle p = Paint(true, black, true, black);
             p.cap = 2, p.join = 2, p.miterLimit = 9, p.evenOdd = 1;
             p.dash.count = 6;
             const float d[6] = {1, 2, 3, 1, 2, 3};
             for (int i = 0; i < 6; ++i) p.dash.array[i] = d[i];
             p.dash.offset = 1;
             return p;
         }(),
         1},
        {"stroke width scaled with the shape", "<g transform='scale(2)'><path stroke='black' stroke-width='1.5' d='M0 0 L1 1'/></g>",
         Paint(true, black, true, black, 3), 1},
        {"fill opacity times the element's and its group's", "<g opacity='0.5'><path opacity='0.5' fill-opacity='0.5' d='M0 0 L1 1'/></g>",
         Paint(true, black, false, none), 0.125f},
        {"stroke opacity where only the stroke is used", "<path fill='none' stroke='black' stroke-opacity='0.25' d='M0 0 L1 1'/>",
         Paint(false, none, true, black), 0.25f},
        {"rgba's alpha as the fill opacity", "<path fill='rgba(255,0,0,0.5)' d='M0 0 L1 1'/>",
         Paint(true, Rgb8(255, 0, 0), false, none), 0.5f},
    };
    for (const PaintCase& c : cases) {
        const ImportResult r = ImportSvgText(Page(c.body), "t.svg");
        const auto art = AllArt(r.document);
        ASSERT_EQ(art.size(), 1u) << c.name;
        const PathStyle& got = art[0]->style;
        const PathStyle& w = c.want;
        EXPECT_EQ(got.fillPaint, w.fillPaint) << c.name;
        EXPECT_EQ(got.strokePaint, w.strokePaint) << c.name;
        for (const auto& [g, e] : {std::pair{&got.fillColor, &w.fillColor}, std::pair{&got.strokeColor, &w.strokeColor}}) {
            EXPECT_EQ(g->kind, e->kind) << c.name;
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(g->c[i], e->c[i], 1e-6) << c.name;
        }
        EXPECT_FLOAT_EQ(got.strokeWidth, w.strokeWidth) << c.name;
        EXPECT_EQ(got.cap, w.cap) << c.name;
        EXPECT_EQ(got.join, w.join) << c.name;
        EXPECT_FLOAT_EQ(got.miterLimit, w.miterLimit) << c.name;
        EXPECT_EQ(got.evenOdd, w.evenOdd) << c.name;
        EXPECT_EQ(got.dash.count, w.dash.count) << c.name;
        for (int i = 0; i < w.dash.count; ++i) EXPECT_FLOAT_EQ(got.dash.array[i], w.dash.array[i]) << c.name;
        EXPECT_FLOAT_EQ(got.dash.offset, w.dash.offset) << c.name;
        EXPECT_FLOAT_EQ(art[0]->opacity, c.opacity) << c.name;
        EXPECT_TRUE(r.warnings.empty()) << c.name << ": " << (r.warnings.empty() ? "" : r.warnings[0]);
    }
}

TEST(SvgImport, InkscapeLayersTheirStatesAndTheCurrentOne) {
    const std::string svg = Page(
        "<sodipodi:namedview inkscape:current-layer='l2'/>"
        "<path d='M0 0 L1 1'/>"
        "<g id='l1' inkscape:groupmode='layer' inkscape:label='Back' style='display:none'><path d='M0 0 L2 2'/>"
        "<g><path d='M0 0 L3 3'/><path d='M0 0 L4 4'/></g></g>"
        "<path d='M0 0 L5 5'/><rect width='1' height='1'/>"
        "<g id='l2' inkscape:groupmode='layer' inkscape:label='Front' sodipodi:insensitive='true'>"
        "<path d='M0 0 L6 6'/></g>");
    const Document d = ImportSvgText(svg, "t.svg").document;
    ASSERT_EQ(d.layers.size(), 4u);
    const struct {
        const char* name;
        bool visible, locked;
        std::vector<float> ends;  // each art's second anchor's x, in stacking order
    } want[] = {{"Layer 1", true, false, {1}},
                {"Back", false, false, {2, 3, 4}},
                {"Layer 3", true, false, {5, 1}},
                {"Front", true, true, {6}}};
    for (size_t i = 0; i < 4; ++i) {
        const Layer& l = d.layers[i];
        EXPECT_EQ(l.name, want[i].name);
        EXPECT_EQ(l.visible, want[i].visible) << l.name;
        EXPECT_EQ(l.locked, want[i].locked) << l.name;
        ASSERT_EQ(l.art.size(), want[i].ends.size()) << l.name;
        for (size_t j = 0; j < l.art.size(); ++j)
            EXPECT_EQ(d.FindArt(l.art[j])->path.segments[1].px, want[i].ends[j]) << l.name << " art " << j;
    }
    EXPECT_EQ(d.currentLayer, d.layers[3].id);

    // Without a named view (or naming no layer) the topmost layer is current.
    const Document top = ImportSvgText(Page("<g inkscape:groupmode='layer' inkscape:label='A'/>"
                                            "<g inkscape:groupmode='layer' inkscape:label='B'/>"
                                            "<sodipodi:namedview inkscape:current-layer='nothing'/>"),
                                       "t.svg")
                             .document;
    ASSERT_EQ(top.layers.size(), 2u);
    EXPECT_EQ(top.currentLayer, top.layers[1].id);
    // An empty file still gives a document with one layer.
    const Document empty = ImportSvgText(Page(""), "t.svg").document;
    ASSERT_EQ(empty.layers.size(), 1u);
    EXPECT_EQ(empty.currentLayer, empty.layers[0].id);
}

TEST(SvgImport, WhatTheDocumentCannotHoldIsNamedInOneWarningWithCounts) {
    const std::string svg = Page(
        "<defs><linearGradient id='g'/><radialGradient id='r'/><clipPath id='c'/><filter id='f'/></defs>"
        "<text>a</text><text>b</text><image width='1' height='1'/>"
        "<path fill='url(#g)' d='M0 0 L1 1'/><path fill='url(#r) blue' d='M0 0 L1 1'/>"
        "<path clip-path='url(#c)' d='M0 0 L1 1'/><g style='filter:url(#f)'><path d='M0 0 L1 1'/></g>");
    const ImportResult r = ImportSvgText(svg, "lost.svg");
    ASSERT_EQ(r.warnings.size(), 1u);
    const std::string& w = r.warnings[0];
    for (const char* part : {"lost.svg", "text (2)", "image (1)", "gradient (2)", "clip path (1)", "filter (1)"})
        EXPECT_NE(w.find(part), std::string::npos) << part << " in " << w;
    // The art that is there is kept: a gradient without a fallback as mid gray, with one as
    // its fallback.
    const auto art = AllArt(r.document);
    ASSERT_EQ(art.size(), 4u);
    EXPECT_NEAR(art[0]->style.fillColor.c[0], 128 / 255.0, 1e-6);
    EXPECT_FLOAT_EQ(art[1]->style.fillColor.c[2], 1.0f);
}

TEST(SvgImport, FilesThatAreNotSvgOrMalformedAreRefusedNamingTheFileAndLine) {
    const struct {
        const char* text;
        const char* part;
    } cases[] = {{"<svg xmlns='http://www.w3.org/2000/svg'>\n<path d='M0 0'>\n</svg>", "line 3"},
                 {"<html>\n<body/></html>", "<html>"},
                 {"not xml at all", "line 1"},
                 {"", "bad.svg"}};
    for (const auto& c : cases) {
        try {
            ImportSvgText(c.text, "bad.svg");
            ADD_FAILURE() << c.text << " was read";
        } catch (const ImportError& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find("\"bad.svg\""), std::string::npos) << m;
            EXPECT_NE(m.find(c.part), std::string::npos) << m;
        }
    }
    EXPECT_THROW(ImportSvgFile("/nonexistent/x.svg"), ImportError);
}

// A document with what Easel's SVG carries: layers (one hidden), open and closed paths with
// curves, paint with caps, joins, dashes, the even-odd rule, the gradient and pattern swatches,
// and a symbol.
Document Sample() {
    Document d = NewDocument(ColorModel::RGB);
    d.pageWidth = 500;
    d.pageHeight = 300.5f;
    d.layers[0].name = "Under & <over>";
    Layer top;
    top.id = d.nextLayerId++;
    top.name = "Top";
    top.visible = false;
    d.layers.push_back(top);
    const auto add = [&](size_t layer, Art a) {
        d.ReserveArt();
        d.layers[layer].art.push_back(d.AddArt(std::move(a)));
    };
    Art a;
    a.style = DefaultPaint(ColorModel::RGB);
    a.style.fillColor = Rgb8(10, 200, 30);
    a.style.cap = 1, a.style.join = 2, a.style.evenOdd = 1, a.style.miterLimit = 7;
    a.style.dash.count = 2, a.style.dash.array[0] = 3, a.style.dash.array[1] = 1.5f, a.style.dash.offset = 0.25f;
    a.opacity = 0.5f;
    a.path.closed = true;
    for (const SegmentPoints& p : {SegmentPoints{10.1f, 20.2f, 10.1f, 20.2f, 30, 40}, SegmentPoints{50.5f, 60, 40, 70, 50.5f, 60},
                                   SegmentPoints{80, 10, 80, 10, 80, 10}})
        a.path.segments.Append(p, true);
    add(0, a);
    Art b = a;
    b.path.closed = false;
    b.style.fillColor = PaintColor{kGradientColor, {0, 0, 0, 0}, 1};
    b.style.strokeColor = PaintColor{kPatternColor, {0, 0, 0, 0}, 1};
    b.style.dash = {};
    add(1, b);
    Symbol s;
    s.name = "Star";
    s.art = a;
    s.art.id = 0;
    d.symbols.push_back(s);
    d.currentLayer = d.layers[1].id;
    return d;
}

TEST(SvgImport, EaselsOwnSvgReadsBackAsTheSameDocument) {
    const Document original = Sample();
    const std::string svg = ExportSvg(original);
    const ImportResult r = ImportSvgText(svg, "easel.svg");
    EXPECT_TRUE(r.warnings.empty()) << r.warnings[0];
    const Document& back = r.document;
    EXPECT_EQ(back.pageWidth, original.pageWidth);
    EXPECT_EQ(back.pageHeight, original.pageHeight);
    ASSERT_EQ(back.layers.size(), original.layers.size());
    for (size_t i = 0; i < back.layers.size(); ++i) {
        EXPECT_EQ(back.layers[i].name, original.layers[i].name);
        EXPECT_EQ(back.layers[i].visible, original.layers[i].visible);
        ASSERT_EQ(back.layers[i].art.size(), original.layers[i].art.size());
        for (size_t j = 0; j < back.layers[i].art.size(); ++j) {
            const Art& x = *back.FindArt(back.layers[i].art[j]);
            const Art& y = *original.FindArt(original.layers[i].art[j]);
            EXPECT_EQ(x.path.closed, y.path.closed);
            ASSERT_EQ(x.path.segments.size(), y.path.segments.size());
            EXPECT_EQ(std::memcmp(x.path.segments.data(), y.path.segments.data(), x.path.segments.size() * sizeof(SegmentPoints)), 0)
                << "every coordinate bit for bit";
            EXPECT_EQ(x.opacity, y.opacity);
            EXPECT_EQ(x.style.cap, y.style.cap);
            EXPECT_EQ(x.style.join, y.style.join);
            EXPECT_EQ(x.style.evenOdd, y.style.evenOdd);
            EXPECT_EQ(x.style.dash.count, y.style.dash.count);
            EXPECT_EQ(x.style.fillColor.kind, y.style.fillColor.kind);
            EXPECT_EQ(x.style.fillColor.ref, y.style.fillColor.ref);
            EXPECT_EQ(x.style.strokeColor.kind, y.style.strokeColor.kind);
            EXPECT_EQ(x.style.strokeColor.ref, y.style.strokeColor.ref);
        }
    }
    ASSERT_EQ(back.symbols.size(), 1u);
    EXPECT_EQ(back.symbols[0].name, "Star");
    EXPECT_EQ(back.symbols[0].art.path.segments.size(), 3u);
    // What SVG holds comes back whole: writing the read document gives the same bytes.
    EXPECT_EQ(ExportSvg(back), svg);
}

TEST(SvgImport, EaselsOwnSvgKeepsTheLocksAndTheCurrentLayer) {
    // Every layer current in turn, and each lock state: the file says what a reader would
    // not take by itself (a lock, a current layer other than the topmost).
    const Document sample = Sample();
    for (size_t current = 0; current < sample.layers.size(); ++current)
        for (bool locked : {false, true}) {
            Document d = sample;
            d.currentLayer = d.layers[current].id;
            d.layers[0].locked = locked;
            const ImportResult r = ImportSvgText(ExportSvg(d), "easel.svg");
            const Document& back = r.document;
            ASSERT_EQ(back.layers.size(), d.layers.size());
            EXPECT_EQ(back.FindLayer(back.currentLayer), &back.layers[current]) << current << " " << locked;
            for (size_t i = 0; i < d.layers.size(); ++i) EXPECT_EQ(back.layers[i].locked, d.layers[i].locked) << i;
        }
}

TEST(SvgImport, PathsBeyondTheSegmentLimitAreRefusedWithAWarning) {
    std::string d = "M0 0";
    for (int i = 0; i < 32767; ++i) d += " L" + std::to_string(i % 100) + " 1";
    const ImportResult r = ImportSvgText(Page("<path d='" + d + "'/><path d='M0 0 L1 1'/>"), "long.svg");
    EXPECT_EQ(AllArt(r.document).size(), 1u);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find("more than 32767 segments (1)"), std::string::npos) << r.warnings[0];
}

}  // namespace
}  // namespace easel
