#include "import/SvgImport.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "import/SvgValues.h"

namespace easel {
namespace {

using svgimport::Anchor;
using svgimport::Contour;
using svgimport::PaintValue;

constexpr const char* kSvgNs = "http://www.w3.org/2000/svg";
constexpr const char* kInkscapeNs = "http://www.inkscape.org/namespaces/inkscape";
constexpr const char* kSodipodiNs = "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd";
constexpr size_t kMaxSegments = 32767;
// The handle length of a quarter of a circle of radius 1 drawn as one cubic curve.
constexpr double kKappa = 0.5522847498307936;
constexpr double kPointsPerPx = 0.75;  // 96 px and 72 points to the inch

// x' = a x + c y + e, y' = b x + d y + f
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};
// m after n: the point goes through n first.
Matrix Then(const Matrix& m, const Matrix& n) {
    return {m.a * n.a + m.c * n.b, m.b * n.a + m.d * n.b, m.a * n.c + m.c * n.d,
            m.b * n.c + m.d * n.d, m.a * n.e + m.c * n.f + m.e, m.b * n.e + m.d * n.f + m.f};
}

std::string Lower(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}
std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

// A number at the start of `s` (after blanks); sets `rest` past it.
std::optional<double> Number(const char* s, const char** rest) {
    while (std::isspace(static_cast<unsigned char>(*s))) ++s;
    char* end = nullptr;
    const double v = std::strtod(s, &end);
    if (end == s || !std::isfinite(v)) return std::nullopt;
    *rest = end;
    return v;
}

// A length in user units (px): px, pt, pc, mm, cm, in, em and ex (of a 16 px font) or a
// percentage of `percentOf`.
std::optional<double> Length(const std::string& text, double percentOf) {
    const std::string s = Trim(text);
    const char* rest = nullptr;
    const std::optional<double> v = Number(s.c_str(), &rest);
    if (!v) return std::nullopt;
    const std::string unit = Lower(Trim(rest));
    if (unit.empty() || unit == "px") return *v;
    if (unit == "pt") return *v / kPointsPerPx;
    if (unit == "pc") return *v * 12 / kPointsPerPx;
    if (unit == "mm") return *v * 96 / 25.4;
    if (unit == "cm") return *v * 96 / 2.54;
    if (unit == "in") return *v * 96;
    if (unit == "em") return *v * 16;
    if (unit == "ex") return *v * 8;
    if (unit == "%") return *v * percentOf / 100;
    return std::nullopt;
}

// A page length in points, exact for points (Easel writes its page in points).
std::optional<double> PageLength(const std::string& text) {
    const std::string s = Trim(text);
    const char* rest = nullptr;
    const std::optional<double> v = Number(s.c_str(), &rest);
    if (!v) return std::nullopt;
    const std::string unit = Lower(Trim(rest));
    if (unit == "pt") return *v;
    if (unit == "%") return std::nullopt;
    const std::optional<double> px = Length(s, 0);
    if (!px) return std::nullopt;
    return *px * kPointsPerPx;
}

std::vector<double> Numbers(const std::string& text, bool& ok) {
    std::vector<double> out;
    std::string s = text;
    std::replace(s.begin(), s.end(), ',', ' ');
    const char* p = s.c_str();
    ok = true;
    for (;;) {
        while (std::isspace(static_cast<unsigned char>(*p))) ++p;
        if (!*p) break;
        const char* rest = nullptr;
        const std::optional<double> v = Number(p, &rest);
        if (!v) {
            ok = false;
            break;
        }
        out.push_back(*v);
        p = rest;
    }
    return out;
}

// The inherited paint properties, and the opacity of the groups above.
struct Style {
    PaintValue fill = [] {
        PaintValue v;
        v.kind = PaintValue::Kind::Rgb;  // black
        return v;
    }();
    PaintValue stroke;  // none
    uint32_t color = 0;
    double fillOpacity = 1, strokeOpacity = 1;
    double strokeWidth = 1;
    int32_t cap = 0, join = 0;
    double miterLimit = 4;
    std::vector<double> dash;
    double dashOffset = 0;
    bool evenOdd = false;
    bool hidden = false;         // visibility: hidden
    double groupOpacity = 1;     // the product of the groups' opacity
};

// What one element says for itself (not inherited).
struct Own {
    double opacity = 1;
    bool displayNone = false;
    bool clip = false, mask = false, filter = false, marker = false;
};

class Importer {
public:
    Importer(xmlDocPtr xml, std::string name) : xml_(xml), name_(std::move(name)) {}

    ImportResult Run() {
        xmlNodePtr root = xmlDocGetRootElement(xml_);
        if (!root || !IsSvg(root, "svg")) {
            const std::string what = root ? std::string("<") + reinterpret_cast<const char*>(root->name) + ">" : "nothing";
            throw ImportError("cannot read \"" + name_ + "\": line " +
                              std::to_string(root ? xmlGetLineNo(root) : 1) + ": not an SVG file (the root element is " +
                              what + ", not <svg>)");
        }
        IndexIds(root);
        doc_ = NewDocument(ColorModel::RGB);
        doc_.layers.clear();
        doc_.currentLayer = 0;
        Page(root);

        Style style;
        Own own;
        ReadStyle(root, style, own);
        for (xmlNodePtr n = root->children; n; n = n->next) {
            if (n->type != XML_ELEMENT_NODE) continue;
            if (IsSvg(n, "g") && Attr(n, kInkscapeNs, "groupmode") == "layer") {
                Layer& l = NewLayer(Label(n));
                Style s = style;
                Own o;
                ReadStyle(n, s, o);
                l.visible = !o.displayNone;
                l.locked = Attr(n, kSodipodiNs, "insensitive") == "true";
                if (o.opacity < 1) s.groupOpacity *= o.opacity;
                Matrix m = root_;
                if (const auto t = Prop(n, "transform")) m = Then(m, Transform(*t));
                if (const auto id = Prop(n, "id")) layerIds_[*id] = l.id;
                Count(o);
                loose_ = false;
                for (xmlNodePtr c = n->children; c; c = c->next) Element(c, s, m, l.id);
            } else {
                Element(n, style, root_, 0);
            }
        }
        if (doc_.layers.empty()) NewLayer("Layer 1");
        doc_.currentLayer = doc_.layers.back().id;
        if (xmlNodePtr nv = NamedView(root)) {
            const auto it = layerIds_.find(Attr(nv, kInkscapeNs, "current-layer"));
            if (it != layerIds_.end()) doc_.currentLayer = it->second;
        }
        ImportResult result;
        result.document = std::move(doc_);
        if (!lost_.empty()) {
            std::string text = "\"" + name_ + "\": the document cannot hold everything: left out or changed: ";
            bool first = true;
            for (const auto& [kind, count] : lost_) {
                if (!first) text += ", ";
                first = false;
                text += kind + " (" + std::to_string(count) + ")";
            }
            result.warnings.push_back(text);
        }
        return result;
    }

private:
    static bool InSvgNs(xmlNodePtr n) {
        return !n->ns || !n->ns->href || std::string(reinterpret_cast<const char*>(n->ns->href)) == kSvgNs;
    }
    static bool IsSvg(xmlNodePtr n, const char* name) {
        return n->type == XML_ELEMENT_NODE && InSvgNs(n) && std::string(reinterpret_cast<const char*>(n->name)) == name;
    }
    // An attribute in a namespace (nullptr: none), or "".
    static std::string Attr(xmlNodePtr n, const char* ns, const char* name) {
        for (xmlAttrPtr a = n->properties; a; a = a->next) {
            if (std::string(reinterpret_cast<const char*>(a->name)) != name) continue;
            const bool inNs = a->ns && a->ns->href;
            if (ns ? !(inNs && std::string(reinterpret_cast<const char*>(a->ns->href)) == ns) : inNs) continue;
            xmlChar* v = xmlNodeListGetString(n->doc, a->children, 1);
            std::string out = v ? reinterpret_cast<const char*>(v) : "";
            xmlFree(v);
            return out;
        }
        return {};
    }
    static std::optional<std::string> Prop(xmlNodePtr n, const char* name) {
        for (xmlAttrPtr a = n->properties; a; a = a->next)
            if (!a->ns && std::string(reinterpret_cast<const char*>(a->name)) == name) return Attr(n, nullptr, name);
        return std::nullopt;
    }

    void IndexIds(xmlNodePtr n) {
        for (; n; n = n->next) {
            if (n->type != XML_ELEMENT_NODE) continue;
            if (const auto id = Prop(n, "id")) ids_.emplace(*id, InSvgNs(n) ? reinterpret_cast<const char*>(n->name) : "");
            IndexIds(n->children);
        }
    }

    xmlNodePtr NamedView(xmlNodePtr root) {
        for (xmlNodePtr n = root->children; n; n = n->next)
            if (n->type == XML_ELEMENT_NODE && n->ns && n->ns->href &&
                std::string(reinterpret_cast<const char*>(n->ns->href)) == kSodipodiNs &&
                std::string(reinterpret_cast<const char*>(n->name)) == "namedview")
                return n;
        return nullptr;
    }

    std::string Label(xmlNodePtr n) {
        std::string label = Attr(n, kInkscapeNs, "label");
        if (label.empty()) label = Prop(n, "id").value_or("");
        if (label.empty()) label = "Layer " + std::to_string(doc_.layers.size() + 1);
        return label;
    }

    Layer& NewLayer(std::string name) {
        Layer l;
        l.id = doc_.nextLayerId++;
        l.name = std::move(name);
        doc_.layers.push_back(std::move(l));
        return doc_.layers.back();
    }

    void Lose(const std::string& kind, int n = 1) { lost_[kind] += n; }
    void Count(const Own& o) {
        if (o.clip) Lose("clip path");
        if (o.mask) Lose("mask");
        if (o.filter) Lose("filter");
        if (o.marker) Lose("marker");
    }

    // The page from width, height and viewBox, in points; root_ maps the root's user space
    // to the document's (points, y upward).
    void Page(xmlNodePtr root) {
        std::optional<std::array<double, 4>> box;
        if (const auto vb = Prop(root, "viewBox")) {
            bool ok = false;
            const std::vector<double> v = Numbers(*vb, ok);
            if (ok && v.size() == 4 && v[2] > 0 && v[3] > 0) box = std::array<double, 4>{v[0], v[1], v[2], v[3]};
            else Lose("unreadable viewBox");
        }
        std::optional<double> w, h;
        if (const auto t = Prop(root, "width")) {
            w = PageLength(*t);
            if (!w && Trim(*t).find('%') == std::string::npos) Lose("unreadable page width");
        }
        if (const auto t = Prop(root, "height")) {
            h = PageLength(*t);
            if (!h && Trim(*t).find('%') == std::string::npos) Lose("unreadable page height");
        }
        if (!w) w = box ? (*box)[2] * kPointsPerPx : 612.0;
        if (!h) h = box ? (*box)[3] * kPointsPerPx : 792.0;
        // The document keeps the page in single precision, where a size far below a point
        // would be 0, which is no page.
        if (!(*w < 3.0e38 && *h < 3.0e38 && static_cast<float>(*w) > 0 && static_cast<float>(*h) > 0)) {
            Lose("unusable page size");
            w = 612.0, h = 792.0;
        }
        doc_.pageWidth = static_cast<float>(*w);
        doc_.pageHeight = static_cast<float>(*h);
        for (View& v : doc_.views) v.centreX = doc_.pageWidth / 2, v.centreY = doc_.pageHeight / 2;

        Matrix toPage{kPointsPerPx, 0, 0, kPointsPerPx, 0, 0};
        viewportW_ = *w / kPointsPerPx, viewportH_ = *h / kPointsPerPx;
        if (box) {
            const auto [x, y, bw, bh] = *box;
            double sx = *w / bw, sy = *h / bh;
            std::string par = Trim(Prop(root, "preserveAspectRatio").value_or("xMidYMid meet"));
            if (par.rfind("defer", 0) == 0) par = Trim(par.substr(5));
            const bool none = par.rfind("none", 0) == 0;
            const bool slice = par.find("slice") != std::string::npos;
            double tx = -x * sx, ty = -y * sy;
            if (!none) {
                const double s = slice ? std::max(sx, sy) : std::min(sx, sy);
                sx = sy = s;
                const double fx = par.find("xMin") != std::string::npos ? 0 : par.find("xMax") != std::string::npos ? 1 : 0.5;
                const double fy = par.find("YMin") != std::string::npos ? 0 : par.find("YMax") != std::string::npos ? 1 : 0.5;
                tx = -x * s + (*w - bw * s) * fx;
                ty = -y * s + (*h - bh * s) * fy;
            }
            toPage = {sx, 0, 0, sy, tx, ty};
            viewportW_ = bw, viewportH_ = bh;
        }
        const Matrix flip{1, 0, 0, -1, 0, *h};
        root_ = Then(flip, toPage);
    }

    Matrix Transform(const std::string& text) {
        std::array<double, 6> m{};
        if (!svgimport::ParseTransform(text, m)) {
            Lose("unreadable transform (ignored)");
            return {};
        }
        return {m[0], m[1], m[2], m[3], m[4], m[5]};
    }

    // The presentation attributes, then the style attribute's declarations over them.
    void ReadStyle(xmlNodePtr n, Style& s, Own& o) {
        static const char* const kProps[] = {"fill", "stroke", "color", "fill-opacity", "stroke-opacity", "opacity",
                                             "stroke-width", "stroke-linecap", "stroke-linejoin", "stroke-miterlimit",
                                             "stroke-dasharray", "stroke-dashoffset", "fill-rule", "display",
                                             "visibility", "clip-path", "mask", "filter", "marker", "marker-start",
                                             "marker-mid", "marker-end"};
        std::vector<std::pair<std::string, std::string>> decls;
        for (const char* p : kProps)
            if (const auto v = Prop(n, p)) decls.emplace_back(p, *v);
        if (const auto st = Prop(n, "style")) {
            std::string text = *st;
            size_t at = 0;
            while (at <= text.size()) {
                size_t semi = text.find(';', at);
                if (semi == std::string::npos) semi = text.size();
                const std::string decl = text.substr(at, semi - at);
                const size_t colon = decl.find(':');
                if (colon != std::string::npos) {
                    std::string value = Trim(decl.substr(colon + 1));
                    const size_t important = Lower(value).find("!important");
                    if (important != std::string::npos) value = Trim(value.substr(0, important));
                    decls.emplace_back(Lower(Trim(decl.substr(0, colon))), value);
                }
                at = semi + 1;
            }
        }
        // `color` first, since currentColor in fill and stroke means this element's colour.
        for (const auto& [k, v] : decls)
            if (k == "color") Apply(k, v, s, o);
        for (const auto& [k, v] : decls)
            if (k != "color") Apply(k, v, s, o);
    }

    void Apply(const std::string& k, const std::string& v, Style& s, Own& o) {
        if (v == "inherit" || v.empty()) return;
        const auto number = [&](double& out) {
            const char* rest = nullptr;
            const std::optional<double> x = Number(v.c_str(), &rest);
            if (x && Trim(rest).empty()) out = *x;
            else if (x && Trim(rest) == "%") out = *x / 100;
            else Lose("unreadable value of " + k);
        };
        if (k == "fill" || k == "stroke") {
            PaintValue p;
            if (!svgimport::ParsePaint(v, p)) return Lose("unreadable value of " + k);
            if (p.kind == PaintValue::Kind::CurrentColor) p.kind = PaintValue::Kind::Rgb, p.rgb = s.color;
            if (p.hasFallback && p.fallback == PaintValue::Kind::CurrentColor)
                p.fallback = PaintValue::Kind::Rgb, p.fallbackRgb = s.color;
            (k == "fill" ? s.fill : s.stroke) = p;
        } else if (k == "color") {
            double alpha = 1;
            if (!svgimport::ParseColor(v, s.color, alpha)) Lose("unreadable value of color");
        } else if (k == "fill-opacity") {
            number(s.fillOpacity);
            s.fillOpacity = std::clamp(s.fillOpacity, 0.0, 1.0);
        } else if (k == "stroke-opacity") {
            number(s.strokeOpacity);
            s.strokeOpacity = std::clamp(s.strokeOpacity, 0.0, 1.0);
        } else if (k == "opacity") {
            number(o.opacity);
            o.opacity = std::clamp(o.opacity, 0.0, 1.0);
        } else if (k == "stroke-width") {
            const std::optional<double> w = Length(v, std::hypot(viewportW_, viewportH_) / std::sqrt(2.0));
            if (w && *w >= 0) s.strokeWidth = *w;
            else Lose("unreadable value of stroke-width");
        } else if (k == "stroke-linecap") {
            if (v == "butt") s.cap = 0;
            else if (v == "round") s.cap = 1;
            else if (v == "square") s.cap = 2;
            else Lose("unreadable value of stroke-linecap");
        } else if (k == "stroke-linejoin") {
            if (v == "miter" || v == "miter-clip") s.join = 0;
            else if (v == "round") s.join = 1;
            else if (v == "bevel") s.join = 2;
            else Lose("unreadable value of stroke-linejoin");
        } else if (k == "stroke-miterlimit") {
            number(s.miterLimit);
        } else if (k == "stroke-dasharray") {
            if (v == "none") return s.dash.clear();
            std::string t = v;
            std::replace(t.begin(), t.end(), ',', ' ');
            std::istringstream in(t);
            std::vector<double> dash;
            std::string item;
            while (in >> item) {
                const std::optional<double> d = Length(item, std::hypot(viewportW_, viewportH_) / std::sqrt(2.0));
                if (!d || *d < 0) return Lose("unreadable value of stroke-dasharray");
                dash.push_back(*d);
            }
            if (dash.size() % 2) dash.insert(dash.end(), dash.begin(), dash.end());
            s.dash = dash;
        } else if (k == "stroke-dashoffset") {
            const std::optional<double> d = Length(v, std::hypot(viewportW_, viewportH_) / std::sqrt(2.0));
            if (d) s.dashOffset = *d;
            else Lose("unreadable value of stroke-dashoffset");
        } else if (k == "fill-rule") {
            s.evenOdd = v == "evenodd";
        } else if (k == "display") {
            o.displayNone = v == "none";
        } else if (k == "visibility") {
            s.hidden = v == "hidden" || v == "collapse";
        } else if (k == "clip-path") {
            o.clip = v != "none";
        } else if (k == "mask") {
            o.mask = v != "none";
        } else if (k == "filter") {
            o.filter = v != "none";
        } else if (k.rfind("marker", 0) == 0) {
            o.marker = o.marker || v != "none";
        }
    }

    // One element of the content: `layer` 0 means outside any layer.
    void Element(xmlNodePtr n, const Style& parent, const Matrix& ctm, LayerId layer) {
        if (n->type != XML_ELEMENT_NODE) return;
        if (!InSvgNs(n)) return;  // editors' own elements (sodipodi:namedview, metadata)
        const std::string name = reinterpret_cast<const char*>(n->name);
        static const char* const kSilent[] = {"title", "desc", "metadata", "linearGradient", "radialGradient",
                                              "pattern", "clipPath", "mask", "filter", "marker", "script", "cursor",
                                              "font", "font-face", "color-profile", "view"};
        for (const char* s : kSilent)
            if (name == s) return;  // definitions count where they are used
        if (name == "defs") {
            for (xmlNodePtr c = n->children; c; c = c->next)
                if (IsSvg(c, "symbol")) Symbol(c, parent);
            return;
        }
        if (name == "symbol") return Symbol(n, parent);
        if (name == "style") return Lose("style sheet");
        static const std::map<std::string, std::string> kLost = {
            {"text", "text"},   {"image", "image"}, {"use", "clone (use)"}, {"foreignObject", "foreign object"},
            {"svg", "nested svg"}, {"switch", "switch"}, {"animate", "animation"}, {"animateTransform", "animation"},
            {"animateMotion", "animation"}, {"set", "animation"}, {"animateColor", "animation"}};
        if (const auto it = kLost.find(name); it != kLost.end()) return Lose(it->second);

        Style s = parent;
        Own o;
        ReadStyle(n, s, o);
        if (o.displayNone) {
            Lose("hidden element (display:none)");
            return;
        }
        Matrix m = ctm;
        if (const auto t = Prop(n, "transform")) m = Then(m, Transform(*t));
        Count(o);
        if (name == "g" || name == "a") {
            s.groupOpacity *= o.opacity;
            for (xmlNodePtr c = n->children; c; c = c->next) Element(c, s, m, layer);
            return;
        }
        std::vector<Contour> contours;
        if (!Shape(n, name, contours)) {
            Lose("element <" + name + ">");
            return;
        }
        if (s.hidden) {
            Lose("hidden element (visibility:hidden)");
            return;
        }
        std::vector<Art> arts = MakeArt(contours, s, o, m, name == "path");
        for (Art& a : arts) Place(std::move(a), layer);
    }

    void Place(Art art, LayerId layer) {
        if (layer == 0) {
            if (!loose_ || doc_.layers.empty()) {
                NewLayer("Layer " + std::to_string(doc_.layers.size() + 1));
                loose_ = true;
            }
            layer = doc_.layers.back().id;
        }
        if (doc_.ReserveArt() == 0) {
            Lose("art beyond what a document can hold");
            return;
        }
        const ArtId id = doc_.AddArt(std::move(art));
        doc_.FindLayer(layer)->art.push_back(id);
    }

    void Symbol(xmlNodePtr n, const Style& parent) {
        Style s = parent;
        Own o;
        ReadStyle(n, s, o);
        std::vector<Art> arts;
        CollectSymbolArt(n, s, root_, arts);
        if (arts.empty()) return;
        if (arts.size() > 1) Lose("symbol art beyond its first path", static_cast<int>(arts.size() - 1));
        easel::Symbol sym;
        sym.name = Attr(n, kInkscapeNs, "label");
        if (sym.name.empty()) sym.name = Prop(n, "id").value_or("New Symbol");
        sym.art = std::move(arts.front());
        sym.art.id = 0;
        doc_.symbols.push_back(std::move(sym));
    }
    void CollectSymbolArt(xmlNodePtr n, const Style& s, const Matrix& m, std::vector<Art>& out) {
        for (xmlNodePtr c = n->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE || !InSvgNs(c)) continue;
            const std::string name = reinterpret_cast<const char*>(c->name);
            Style cs = s;
            Own o;
            ReadStyle(c, cs, o);
            Matrix cm = m;
            if (const auto t = Prop(c, "transform")) cm = Then(cm, Transform(*t));
            if (name == "g") {
                cs.groupOpacity *= o.opacity;
                CollectSymbolArt(c, cs, cm, out);
                continue;
            }
            std::vector<Contour> contours;
            if (!Shape(c, name, contours)) continue;
            for (Art& a : MakeArt(contours, cs, o, cm, name == "path")) out.push_back(std::move(a));
        }
    }

    double Coord(xmlNodePtr n, const char* attr, double percentOf, bool& ok) {
        const auto v = Prop(n, attr);
        if (!v) return 0;
        const std::optional<double> x = Length(*v, percentOf);
        if (!x) {
            ok = false;
            return 0;
        }
        return *x;
    }

    // The outline of a path or basic shape in user space; false for other elements and for
    // shapes whose attributes cannot be read.
    bool Shape(xmlNodePtr n, const std::string& name, std::vector<Contour>& out) {
        bool ok = true;
        const double vw = viewportW_, vh = viewportH_, vd = std::hypot(vw, vh) / std::sqrt(2.0);
        if (name == "path") {
            const std::string d = Prop(n, "d").value_or("");
            if (!svgimport::ParsePathData(d, out)) Lose("path data after an error");
            return true;
        }
        Builder b{&out};
        if (name == "rect") {
            const double x = Coord(n, "x", vw, ok), y = Coord(n, "y", vh, ok);
            const double w = Coord(n, "width", vw, ok), h = Coord(n, "height", vh, ok);
            const auto rxText = Prop(n, "rx"), ryText = Prop(n, "ry");
            double rx = Coord(n, "rx", vw, ok), ry = Coord(n, "ry", vh, ok);
            if (!ok) return false;
            if (!(w > 0 && h > 0)) return true;  // not drawn
            if (rxText && !ryText) ry = rx;
            if (ryText && !rxText) rx = ry;
            rx = std::clamp(rx, 0.0, w / 2);
            ry = std::clamp(ry, 0.0, h / 2);
            if (rx <= 0 || ry <= 0) {
                b.Move(x, y), b.Line(x + w, y), b.Line(x + w, y + h), b.Line(x, y + h), b.Close();
                return true;
            }
            const double kx = kKappa * rx, ky = kKappa * ry;
            b.Move(x + rx, y);
            b.Line(x + w - rx, y);
            b.Cubic(x + w - rx + kx, y, x + w, y + ry - ky, x + w, y + ry);
            b.Line(x + w, y + h - ry);
            b.Cubic(x + w, y + h - ry + ky, x + w - rx + kx, y + h, x + w - rx, y + h);
            b.Line(x + rx, y + h);
            b.Cubic(x + rx - kx, y + h, x, y + h - ry + ky, x, y + h - ry);
            b.Line(x, y + ry);
            b.Cubic(x, y + ry - ky, x + rx - kx, y, x + rx, y);
            b.Close();
            return true;
        }
        if (name == "circle" || name == "ellipse") {
            const double cx = Coord(n, "cx", vw, ok), cy = Coord(n, "cy", vh, ok);
            double rx = 0, ry = 0;
            if (name == "circle") rx = ry = Coord(n, "r", vd, ok);
            else rx = Coord(n, "rx", vw, ok), ry = Coord(n, "ry", vh, ok);
            if (!ok) return false;
            if (!(rx > 0 && ry > 0)) return true;
            const double kx = kKappa * rx, ky = kKappa * ry;
            b.Move(cx + rx, cy);
            b.Cubic(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
            b.Cubic(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
            b.Cubic(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
            b.Cubic(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
            b.Close();
            return true;
        }
        if (name == "line") {
            const double x1 = Coord(n, "x1", vw, ok), y1 = Coord(n, "y1", vh, ok);
            const double x2 = Coord(n, "x2", vw, ok), y2 = Coord(n, "y2", vh, ok);
            if (!ok) return false;
            b.Move(x1, y1), b.Line(x2, y2);
            return true;
        }
        if (name == "polyline" || name == "polygon") {
            bool read = true;
            std::vector<double> v = Numbers(Prop(n, "points").value_or(""), read);
            if (!read || v.size() % 2) Lose("points after an error");
            if (v.size() % 2) v.pop_back();
            if (v.size() < 2) return true;
            b.Move(v[0], v[1]);
            for (size_t i = 2; i + 1 < v.size(); i += 2) b.Line(v[i], v[i + 1]);
            if (name == "polygon") b.Close();
            return true;
        }
        return false;
    }

    // Contours of the basic shapes, written as path data would be.
    struct Builder {
        std::vector<Contour>* out;
        void Move(double x, double y) {
            out->push_back({});
            out->back().anchors.push_back({x, y, x, y, x, y});
        }
        void Line(double x, double y) { out->back().anchors.push_back({x, y, x, y, x, y}); }
        void Cubic(double x1, double y1, double x2, double y2, double x, double y) {
            Anchor& last = out->back().anchors.back();
            last.ox = x1, last.oy = y1;
            out->back().anchors.push_back({x, y, x2, y2, x, y});
        }
        void Close() {
            Contour& c = out->back();
            if (c.anchors.size() > 1 && c.anchors.back().px == c.anchors.front().px &&
                c.anchors.back().py == c.anchors.front().py) {
                c.anchors.front().ix = c.anchors.back().ix;
                c.anchors.front().iy = c.anchors.back().iy;
                c.anchors.pop_back();
            }
            c.closed = true;
        }
    };

    PaintColor Paint(const PaintValue& p, bool& painted, double& alpha) {
        painted = true;
        alpha = 1;
        switch (p.kind) {
            case PaintValue::Kind::None: painted = false; return NoneColor();
            case PaintValue::Kind::Rgb:
            case PaintValue::Kind::CurrentColor: alpha = p.alpha; return Rgb(p.rgb);
            case PaintValue::Kind::Url: break;
        }
        const auto it = p.urlIsFragment ? ids_.find(p.url) : ids_.end();
        const std::string kind = it == ids_.end() ? "" : it->second;
        // Easel's own paint servers: the swatches "White, Black" and "Stripes".
        if (p.url == "gradient-1" && kind == "linearGradient") {
            PaintColor c{};
            c.kind = kGradientColor, c.ref = 1;
            return c;
        }
        if (p.url == "pattern-1" && kind == "pattern") {
            PaintColor c{};
            c.kind = kPatternColor, c.ref = 1;
            return c;
        }
        Lose(kind == "linearGradient" || kind == "radialGradient" ? "gradient"
             : kind == "pattern"                                  ? "pattern"
                                                                  : "paint server that is not there");
        if (p.hasFallback) {
            if (p.fallback == PaintValue::Kind::None) {
                painted = false;
                return NoneColor();
            }
            return Rgb(p.fallbackRgb);
        }
        if (kind.empty()) {  // a reference to nothing paints nothing
            painted = false;
            return NoneColor();
        }
        return Rgb(0x808080);  // a stand-in, as Easel draws paint it cannot show
    }
    static PaintColor Rgb(uint32_t rgb) {
        return RgbColor(static_cast<float>(((rgb >> 16) & 0xff) / 255.0), static_cast<float>(((rgb >> 8) & 0xff) / 255.0),
                        static_cast<float>((rgb & 0xff) / 255.0));
    }

    std::vector<Art> MakeArt(const std::vector<Contour>& contours, const Style& s, const Own& o, const Matrix& m,
                             bool isPath) {
        Art base;
        PathStyle& st = base.style;
        bool fill = false, stroke = false;
        double fillAlpha = 1, strokeAlpha = 1;
        st.fillColor = Paint(s.fill, fill, fillAlpha);
        st.strokeColor = Paint(s.stroke, stroke, strokeAlpha);
        const double scale = std::sqrt(std::abs(m.a * m.d - m.b * m.c));
        if (s.strokeWidth <= 0) stroke = false;
        // The document holds single-precision numbers: a stroke value past their range would
        // become infinite there (and no dump could keep it), so such a stroke, miter limit or
        // dash is left out and named, as paths past the range are.
        const auto inRange = [](double v) { return std::abs(v) < 3.0e38; };
        const double width = s.strokeWidth * scale;
        if (stroke && !inRange(width)) {
            Lose("stroke width beyond the document's number range");
            stroke = false;
        }
        st.fillPaint = fill ? 1 : 0;
        st.strokePaint = stroke ? 1 : 0;
        if (inRange(width)) st.strokeWidth = static_cast<float>(width);
        st.evenOdd = s.evenOdd ? 1 : 0;
        st.cap = s.cap;
        st.join = s.join;
        if (inRange(s.miterLimit)) {
            st.miterLimit = static_cast<float>(s.miterLimit);
        } else {
            Lose("miter limit beyond the document's number range");
            st.miterLimit = 4.0f;  // SVG's initial value
        }
        if (!s.dash.empty() && std::any_of(s.dash.begin(), s.dash.end(), [](double d) { return d > 0; })) {
            const size_t n = std::min<size_t>(s.dash.size(), 6);
            const bool dashInRange = inRange(s.dashOffset * scale) &&
                std::all_of(s.dash.begin(), s.dash.begin() + static_cast<std::ptrdiff_t>(n),
                            [&](double d) { return inRange(d * scale); });
            if (!dashInRange) {
                Lose("dash beyond the document's number range");
            } else {
                if (s.dash.size() > 6) Lose("dash lengths beyond six");
                st.dash.count = static_cast<int32_t>(n);
                for (int32_t i = 0; i < st.dash.count; ++i) st.dash.array[i] = static_cast<float>(s.dash[size_t(i)] * scale);
                st.dash.offset = static_cast<float>(s.dashOffset * scale);
            }
        }
        // One opacity per art: the element's (and its groups'), times the opacity of the one
        // paint used.
        double opacity = o.opacity * s.groupOpacity;
        const double fo = s.fillOpacity * fillAlpha, so = s.strokeOpacity * strokeAlpha;
        if (fill && !stroke) opacity *= fo;
        else if (stroke && !fill) opacity *= so;
        else if (fill && stroke) {
            if (fo != 1 || so != 1) Lose("separate fill and stroke opacity");
            opacity *= std::max(fo, so);
        }
        base.opacity = static_cast<float>(std::clamp(opacity, 0.0, 1.0));

        std::vector<Art> out;
        size_t kept = 0;
        for (const Contour& c : contours) {
            if (c.anchors.empty()) continue;
            if (c.anchors.size() > kMaxSegments) {
                Lose("path of more than 32767 segments");
                continue;
            }
            Art a = base;
            a.path.closed = c.closed;
            bool finite = true;
            for (const Anchor& p : c.anchors) {
                const auto map = [&](double x, double y, float& ox, float& oy) {
                    const double X = m.a * x + m.c * y + m.e, Y = m.b * x + m.d * y + m.f;
                    if (!(std::abs(X) < 3.0e38 && std::abs(Y) < 3.0e38)) finite = false;
                    ox = static_cast<float>(X), oy = static_cast<float>(Y);
                };
                SegmentPoints sp{};
                map(p.px, p.py, sp.px, sp.py);
                map(p.ix, p.iy, sp.ix, sp.iy);
                map(p.ox, p.oy, sp.ox, sp.oy);
                a.path.segments.Append(sp, !Smooth(sp));
            }
            if (!finite) {
                Lose("path beyond the document's number range");
                continue;
            }
            out.push_back(std::move(a));
            ++kept;
        }
        if (isPath && kept > 1 && fill) Lose("compound path split into separate paths");
        return out;
    }

    // Both handles off the anchor and on one line through it, on opposite sides.
    static bool Smooth(const SegmentPoints& p) {
        const double ax = p.px - p.ix, ay = p.py - p.iy, bx = p.ox - p.px, by = p.oy - p.py;
        const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
        if (la == 0 || lb == 0) return false;
        return std::abs(ax * by - ay * bx) <= 1e-6 * la * lb && ax * bx + ay * by > 0;
    }

    xmlDocPtr xml_;
    std::string name_;
    Document doc_;
    Matrix root_;
    double viewportW_ = 816, viewportH_ = 1056;
    std::unordered_map<std::string, std::string> ids_;  // id -> element name
    std::unordered_map<std::string, LayerId> layerIds_;
    bool loose_ = false;  // the top layer takes art found outside any layer
    std::map<std::string, int> lost_;
};

struct XmlDocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct XmlCtxtFree {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

}  // namespace

ImportResult ImportSvgText(std::string_view text, const std::string& name) {
    if (text.size() > static_cast<size_t>(INT_MAX))
        throw ImportError("cannot read \"" + name + "\": the file is too large");
    std::unique_ptr<xmlParserCtxt, XmlCtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) throw std::bad_alloc();
    std::unique_ptr<xmlDoc, XmlDocFree> xml(xmlCtxtReadMemory(ctxt.get(), text.data(), static_cast<int>(text.size()),
                                                              nullptr, nullptr,
                                                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!xml || !ctxt->wellFormed) {
        const xmlError* e = xmlCtxtGetLastError(ctxt.get());
        std::string message = e && e->message ? Trim(e->message) : "not well-formed XML";
        const int line = e ? e->line : 0;
        throw ImportError("cannot read \"" + name + "\": " + (line > 0 ? "line " + std::to_string(line) + ": " : "") +
                          "malformed XML: " + message);
    }
    return Importer(xml.get(), name).Run();
}

ImportResult ImportSvgFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ImportError("cannot read \"" + path + "\": the file cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ImportError("cannot read \"" + path + "\": reading failed");
    return ImportSvgText(text.str(), path);
}

}  // namespace easel
