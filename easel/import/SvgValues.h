// SvgValues.h: the grammars of SVG attribute values the importer needs (path data, transform
// lists, paint and colours), read by SVG++. Only SvgValues.cpp includes SVG++, which is heavy
// to compile.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace easel::svgimport {

// An anchor in user space: the point and its two handles.
struct Anchor {
    double px, py, ix, iy, ox, oy;
};

// One subpath: anchors in order; closed after a closepath.
struct Contour {
    std::vector<Anchor> anchors;
    bool closed = false;
};

// Appends the subpaths of `d`, every command made absolute, shorthands and quadratic curves
// written as cubic curves, arcs as cubic curves of at most a quarter turn each. On an error the
// subpaths read before it are kept (as SVG renders a path up to its first error) and false is
// returned.
bool ParsePathData(const std::string& d, std::vector<Contour>& out);

// The transform list as one matrix (a b c d e f: x' = a x + c y + e, y' = b x + d y + f).
bool ParseTransform(const std::string& text, std::array<double, 6>& m);

struct PaintValue {
    enum class Kind { None, Rgb, CurrentColor, Url };
    Kind kind = Kind::None;
    uint32_t rgb = 0;           // 0xRRGGBB
    double alpha = 1.0;         // Rgb: the colour's own alpha (rgba(), hsla(), #rrggbbaa)
    std::string url;            // Url: the fragment (the id), without '#'
    bool urlIsFragment = false;
    Kind fallback = Kind::None;  // Url: what is painted when the server is not used
    bool hasFallback = false;
    uint32_t fallbackRgb = 0;
};
bool ParsePaint(const std::string& text, PaintValue& out);

// A colour (keywords, #rgb, #rrggbb, rgb() in integers or percentages, and hsl(), rgba(),
// hsla(), #rgba and #rrggbbaa, whose alpha is returned separately).
bool ParseColor(const std::string& text, uint32_t& rgb, double& alpha);

}  // namespace easel::svgimport
