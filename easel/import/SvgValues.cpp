#include "import/SvgValues.h"

// SVG++'s arc iterator leaves control points unset until its first step; GCC, inlining it
// here, cannot see that they are always set before they are read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <svgpp/svgpp.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace easel::svgimport {
namespace {

using namespace svgpp;

struct PathSink {
    std::vector<Contour>* out;
    bool open = false;  // the last contour takes the next segments
    double startX = 0, startY = 0;

    Contour& Current() {
        if (!open) {
            // A segment after a closepath starts a new subpath at the closed one's start.
            out->push_back({});
            out->back().anchors.push_back({startX, startY, startX, startY, startX, startY});
            open = true;
        }
        return out->back();
    }
    void path_move_to(double x, double y, tag::coordinate::absolute) {
        out->push_back({});
        out->back().anchors.push_back({x, y, x, y, x, y});
        startX = x, startY = y;
        open = true;
    }
    void path_line_to(double x, double y, tag::coordinate::absolute) {
        Current().anchors.push_back({x, y, x, y, x, y});
    }
    void path_cubic_bezier_to(double x1, double y1, double x2, double y2, double x, double y,
                              tag::coordinate::absolute) {
        Contour& c = Current();
        c.anchors.back().ox = x1;
        c.anchors.back().oy = y1;
        c.anchors.push_back({x, y, x2, y2, x, y});
    }
    void path_quadratic_bezier_to(double, double, double, double, tag::coordinate::absolute) {}
    // Arcs come here whole (ArcPolicy), so that the cases SVG sets apart for arcs are taken before
    // SVG++'s conversion, which does not take them and would divide by a zero radius
    // into a NaN (and then convert it to an int): an arc to its own start point is left out, one
    // with a zero radius is a straight line. Arcs whose centre form is not finite (radii or
    // distances far past the page) are straight lines too. Every other arc is converted as
    // SVG++ converts it, into cubic curves of at most a quarter turn each.
    void path_elliptical_arc_to(double rx, double ry, double rotation, bool largeArc, bool sweep, double x, double y,
                                tag::coordinate::absolute) {
        const double x0 = open ? out->back().anchors.back().px : startX;
        const double y0 = open ? out->back().anchors.back().py : startY;
        if (x0 == x && y0 == y) return;
        rx = std::fabs(rx), ry = std::fabs(ry);
        const double phi = rotation * boost::math::constants::degree<double>();
        double cx = 0, cy = 0, theta1 = 0, theta2 = 0;
        const bool finite = std::isfinite(rx) && std::isfinite(ry) && std::isfinite(phi) && std::isfinite(x) &&
                            std::isfinite(y) && std::isfinite(x0) && std::isfinite(y0);
        if (finite && rx != 0 && ry != 0)
            arc_endpoint_to_center(x0, y0, x, y, rx, ry, phi, largeArc, sweep, cx, cy, theta1, theta2);
        if (!finite || rx == 0 || ry == 0 || !std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(theta1) ||
            !std::isfinite(theta2) || !std::isfinite(rx) || !std::isfinite(ry)) {
            path_line_to(x, y, tag::coordinate::absolute());
            return;
        }
        if (sweep && theta2 < theta1) theta2 += boost::math::constants::two_pi<double>();
        if (!sweep && theta2 > theta1) theta2 -= boost::math::constants::two_pi<double>();
        using Arc = arc_to_bezier<double>;
        Arc pieces(cx, cy, rx, ry, phi, Arc::circle_angle_tag(), theta1, theta2, Arc::max_angle_tag(),
                   boost::math::constants::half_pi<double>());
        for (Arc::iterator it(pieces); !it.eof(); it.advance())
            path_cubic_bezier_to(it.p1x(), it.p1y(), it.p2x(), it.p2y(), it.p3x(), it.p3y(), tag::coordinate::absolute());
    }
    void path_close_subpath() {
        if (!open) return;
        Contour& c = out->back();
        // The closing segment ends on the first anchor: that segment's end handle is the first
        // anchor's in handle, and the repeated anchor goes.
        if (c.anchors.size() > 1 && c.anchors.back().px == c.anchors.front().px &&
            c.anchors.back().py == c.anchors.front().py) {
            c.anchors.front().ix = c.anchors.back().ix;
            c.anchors.front().iy = c.anchors.back().iy;
            c.anchors.pop_back();
        }
        c.closed = true;
        open = false;
    }
    void path_exit() {}
};

// SVG++'s minimal path form (absolute coordinates, lines and cubic curves only), but with arcs
// passed on whole to PathSink, which converts them.
struct ArcPolicy : policy::path::minimal {
    static const bool arc_as_cubic_bezier = false;
};

struct TransformSink {
    std::array<double, 6> m{1, 0, 0, 1, 0, 0};
    void transform_matrix(const boost::array<double, 6>& t) { std::copy(t.begin(), t.end(), m.begin()); }
};

struct PaintSink {
    PaintValue v;
    void set(tag::attribute::fill, tag::value::none) { v.kind = PaintValue::Kind::None; }
    void set(tag::attribute::fill, tag::value::currentColor) { v.kind = PaintValue::Kind::CurrentColor; }
    void set(tag::attribute::fill, int c) { v.kind = PaintValue::Kind::Rgb, v.rgb = static_cast<uint32_t>(c); }
    void set(tag::attribute::fill, int c, tag::skip_icc_color) { set(tag::attribute::fill(), c); }
    template <class R, class... Rest>
    void set(tag::attribute::fill, tag::iri_fragment, R const& iri, Rest const&... rest) {
        Url(std::string(iri.begin(), iri.end()), true, rest...);
    }
    template <class R, class... Rest>
    void set(tag::attribute::fill, R const& iri, Rest const&... rest) {
        Url(std::string(iri.begin(), iri.end()), false, rest...);
    }

    void Url(std::string url, bool fragment) {
        v.kind = PaintValue::Kind::Url, v.url = std::move(url), v.urlIsFragment = fragment;
    }
    void Url(std::string url, bool fragment, tag::value::none) {
        Url(std::move(url), fragment);
        v.hasFallback = true, v.fallback = PaintValue::Kind::None;
    }
    void Url(std::string url, bool fragment, tag::value::currentColor) {
        Url(std::move(url), fragment);
        v.hasFallback = true, v.fallback = PaintValue::Kind::CurrentColor;
    }
    void Url(std::string url, bool fragment, int c) {
        Url(std::move(url), fragment);
        v.hasFallback = true, v.fallback = PaintValue::Kind::Rgb, v.fallbackRgb = static_cast<uint32_t>(c);
    }
    void Url(std::string url, bool fragment, int c, tag::skip_icc_color) { Url(std::move(url), fragment, c); }
};

struct ColorSink {
    uint32_t rgb = 0;
    void set(tag::attribute::color, int c) { rgb = static_cast<uint32_t>(c); }
    void set(tag::attribute::color, int c, tag::skip_icc_color) { rgb = static_cast<uint32_t>(c); }
};

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

uint32_t Pack(double r, double g, double b) {
    const auto c = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

// The colour forms CSS added beside SVG 1.1's: rgba(), hsl(), hsla(), #rgba, #rrggbbaa, and
// transparent.
bool ParseCssColor(const std::string& raw, uint32_t& rgb, double& alpha) {
    std::string s;
    for (char ch : Trim(raw)) s += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (s == "transparent") return rgb = 0, alpha = 0, true;
    if (!s.empty() && s[0] == '#' && (s.size() == 5 || s.size() == 9)) {
        for (size_t i = 1; i < s.size(); ++i)
            if (!std::isxdigit(static_cast<unsigned char>(s[i]))) return false;
        const bool shortForm = s.size() == 5;
        const auto digit = [&](size_t i) {
            const auto h = static_cast<uint32_t>(std::strtoul(s.substr(shortForm ? 1 + i : 1 + 2 * i, shortForm ? 1 : 2).c_str(), nullptr, 16));
            return shortForm ? h * 17 : h;
        };
        rgb = digit(0) << 16 | digit(1) << 8 | digit(2);
        alpha = digit(3) / 255.0;
        return true;
    }
    const size_t open = s.find('('), close = s.rfind(')');
    if (open == std::string::npos || close != s.size() - 1) return false;
    const std::string fn = Trim(s.substr(0, open));
    if (fn != "rgb" && fn != "rgba" && fn != "hsl" && fn != "hsla") return false;
    std::vector<double> v;
    std::vector<bool> percent;
    std::string args = s.substr(open + 1, close - open - 1);
    std::replace(args.begin(), args.end(), ',', ' ');
    std::replace(args.begin(), args.end(), '/', ' ');
    const char* p = args.c_str();
    for (;;) {
        while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
        if (!*p) break;
        char* end = nullptr;
        const double x = std::strtod(p, &end);
        if (end == p || !std::isfinite(x)) return false;
        p = end;
        bool pc = false;
        if (*p == '%') pc = true, ++p;
        else if (std::string_view(p).substr(0, 3) == "deg") p += 3;
        v.push_back(x);
        percent.push_back(pc);
    }
    if (v.size() != 3 && v.size() != 4) return false;
    alpha = v.size() == 4 ? std::clamp(percent[3] ? v[3] / 100 : v[3], 0.0, 1.0) : 1.0;
    if (fn[0] == 'r') {
        const auto ch = [&](size_t i) { return percent[i] ? v[i] / 100 : v[i] / 255; };
        rgb = Pack(ch(0), ch(1), ch(2));
        return true;
    }
    const double h = std::fmod(std::fmod(v[0], 360.0) + 360.0, 360.0) / 360.0;
    const double sat = std::clamp(v[1] / 100, 0.0, 1.0), light = std::clamp(v[2] / 100, 0.0, 1.0);
    const double q = light < 0.5 ? light * (1 + sat) : light + sat - light * sat, pp = 2 * light - q;
    const auto hue = [&](double t) {
        t = t < 0 ? t + 1 : t > 1 ? t - 1 : t;
        if (t < 1.0 / 6) return pp + (q - pp) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return pp + (q - pp) * (2.0 / 3 - t) * 6;
        return pp;
    };
    rgb = Pack(hue(h + 1.0 / 3), hue(h), hue(h - 1.0 / 3));
    return true;
}

}  // namespace

bool ParsePathData(const std::string& d, std::vector<Contour>& out) {
    PathSink sink{&out};
    try {
        return value_parser<tag::type::path_data, path_policy<ArcPolicy>>::parse(
            tag::attribute::d(), sink, d, tag::source::attribute());
    } catch (const std::exception&) {
        return false;
    }
}

bool ParseTransform(const std::string& text, std::array<double, 6>& m) {
    TransformSink sink;
    try {
        if (!value_parser<tag::type::transform_list, transform_policy<policy::transform::matrix>>::parse(
                tag::attribute::transform(), sink, text, tag::source::attribute()))
            return false;
    } catch (const std::exception&) {
        return false;
    }
    m = sink.m;
    return true;
}

// rgb() goes to the reader above too: SVG++ truncates percentages (50% to 127), where CSS
// rounds them (to 128).
bool IsFunctional(const std::string& text) {
    const std::string t = Trim(text);
    return t.size() > 3 && std::tolower(static_cast<unsigned char>(t[0])) == 'r' &&
           std::tolower(static_cast<unsigned char>(t[1])) == 'g' && std::tolower(static_cast<unsigned char>(t[2])) == 'b';
}

bool ParsePaint(const std::string& text, PaintValue& out) {
    if (IsFunctional(text)) {
        PaintValue v;
        if (!ParseCssColor(text, v.rgb, v.alpha)) return false;
        v.kind = PaintValue::Kind::Rgb;
        out = v;
        return true;
    }
    PaintSink sink;
    bool ok = false;
    try {
        ok = value_parser<tag::type::paint>::parse(tag::attribute::fill(), sink, text, tag::source::attribute());
    } catch (const std::exception&) {
        ok = false;
    }
    if (ok) {
        out = sink.v;
        return true;
    }
    PaintValue v;
    if (!ParseCssColor(text, v.rgb, v.alpha)) return false;
    v.kind = PaintValue::Kind::Rgb;
    out = v;
    return true;
}

bool ParseColor(const std::string& text, uint32_t& rgb, double& alpha) {
    if (IsFunctional(text)) return ParseCssColor(text, rgb, alpha);
    ColorSink sink;
    try {
        if (value_parser<tag::type::color>::parse(tag::attribute::color(), sink, text, tag::source::attribute())) {
            rgb = sink.rgb;
            alpha = 1.0;
            return true;
        }
    } catch (const std::exception&) {
    }
    return ParseCssColor(text, rgb, alpha);
}

}  // namespace easel::svgimport
