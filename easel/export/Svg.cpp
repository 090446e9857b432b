#include "export/Svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "document/Envelope.h"
#include "export/FloatText.h"
#include "export/TextWriter.h"

namespace easel {

namespace {

void AppendCodePoint(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i], advancing i; returns U+FFFD for a malformed,
// overlong or surrogate sequence so that the output is always well-formed.
uint32_t DecodeUtf8(std::string_view s, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t b0 = byte(i);
    size_t len;
    uint32_t cp;
    if (b0 < 0x80) { ++i; return b0; }
    if (b0 >= 0xC2 && b0 <= 0xDF) { len = 2; cp = b0 & 0x1Fu; }
    else if (b0 >= 0xE0 && b0 <= 0xEF) { len = 3; cp = b0 & 0x0Fu; }
    else if (b0 >= 0xF0 && b0 <= 0xF4) { len = 4; cp = b0 & 0x07u; }
    else { ++i; return 0xFFFD; }
    if (i + len > s.size()) { ++i; return 0xFFFD; }
    for (size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) { ++i; return 0xFFFD; }
        cp = (cp << 6) | (byte(i + k) & 0x3Fu);
    }
    static constexpr uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return 0xFFFD; }
    i += len;
    return cp;
}

// Text for an attribute value or element content. Names come from users and may hold
// anything; XML 1.0 forbids most control characters outright, so those become U+FFFD
// like bad UTF-8 rather than producing a file no parser accepts.
std::string Xml(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        uint32_t cp = DecodeUtf8(s, i);
        switch (cp) {
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            case '"': out += "&quot;"; continue;
            case '\'': out += "&apos;"; continue;
            // Attribute-value normalisation would turn raw whitespace into spaces.
            case '\t': out += "&#9;"; continue;
            case '\n': out += "&#10;"; continue;
            case '\r': out += "&#13;"; continue;
            default: break;
        }
        if (cp < 0x20 || cp == 0xFFFE || cp == 0xFFFF) cp = 0xFFFD;
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string Hex(float r, float g, float b) {
    const auto byte = [](float v) {
        const float clamped = v >= 0.0f ? std::min(v, 1.0f) : 0.0f;  // NaN -> 0
        return static_cast<unsigned>(std::lround(clamped * 255.0f));
    };
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", byte(r), byte(g), byte(b));
    return buf;
}

// The paint servers Easel's documents know: gradient 1 is the swatch "White, Black" (a linear
// gradient from white on the left to black on the right of the painted object), pattern 1 the
// swatch "Stripes" (black stripes 2 points wide every 4 points, on white). Other numbers have
// no definition and keep the mid-grey stand-in.
constexpr int32_t kKnownGradient = 1;
constexpr int32_t kKnownPattern = 1;

bool HasServer(const PaintColor& c) {
    return (c.kind == kGradientColor && c.ref == kKnownGradient) ||
           (c.kind == kPatternColor && c.ref == kKnownPattern);
}

// SVG has only sRGB; spot colours and unknown gradients and patterns are shown with a plain
// stand-in (see the README).
std::string SvgPaint(bool painted, const PaintColor& c) {
    if (!painted) return "none";
    switch (c.kind) {
        case kThreeColor: return Hex(c.c[0], c.c[1], c.c[2]);
        case kGrayColor: return Hex(1 - c.c[0], 1 - c.c[0], 1 - c.c[0]);
        case kFourColor: {
            const float k = 1 - c.c[3];
            return Hex((1 - c.c[0]) * k, (1 - c.c[1]) * k, (1 - c.c[2]) * k);
        }
        case kCustomColor: return Hex(1 - c.c[0], 1 - c.c[0], 1 - c.c[0]);
        case kNoneColor: return "none";
        case kGradientColor:
            if (c.ref == kKnownGradient) return "url(#gradient-" + std::to_string(c.ref) + ")";
            return "#808080";
        case kPatternColor:
            if (c.ref == kKnownPattern) return "url(#pattern-" + std::to_string(c.ref) + ")";
            return "#808080";
        default: return "#808080";
    }
}

void PutFloat(TextWriter& out, float f) {
    char buf[32];
    const auto written = std::to_chars(buf, buf + sizeof buf, f);
    out.Put(std::string_view(buf, static_cast<size_t>(written.ptr - buf)));
}

void PutPoint(TextWriter& out, float x, float y) {
    PutFloat(out, x);
    out.Put(' ');
    PutFloat(out, y);
}

void PutSegment(TextWriter& out, const SegmentPoints& from, const SegmentPoints& to) {
    if (from.ox == from.px && from.oy == from.py && to.ix == to.px && to.iy == to.py) {
        out.Put(" L ");
    } else {
        out.Put(" C ");
        PutPoint(out, from.ox, from.oy);
        out.Put(' ');
        PutPoint(out, to.ix, to.iy);
        out.Put(' ');
    }
    PutPoint(out, to.px, to.py);
}

// The path data, written straight to the output (it is most of the file).
void PutPathData(TextWriter& out, const PathData& path) {
    const auto& pts = path.segments;
    out.Put("M ");
    PutPoint(out, pts[0].px, pts[0].py);
    for (size_t i = 1; i < pts.size(); ++i) PutSegment(out, pts[i - 1], pts[i]);
    if (path.closed) {
        PutSegment(out, pts.back(), pts[0]);
        out.Put(" Z");
    }
}

bool AllFinite(const Art& a) {
    for (const SegmentPoints& p : a.path.segments)
        for (float v : {p.px, p.py, p.ix, p.iy, p.ox, p.oy})
            if (!std::isfinite(v)) return false;
    return std::isfinite(a.style.strokeWidth) && std::isfinite(a.opacity);
}

void PutAttr(TextWriter& out, const char* name, std::string_view value) {
    out.Put(' ');
    out.Put(name);
    out.Put("=\"");
    out.Put(value);
    out.Put('"');
}

void PutPath(TextWriter& out, const Art& a, std::string_view indent) {
    // An empty path draws nothing and "M" alone is not valid path data. Non-finite values
    // cannot be stored by the host; a path holding one anyway is left out rather than
    // writing a number SVG cannot parse.
    if (a.path.segments.empty() || !AllFinite(a)) return;
    const PathStyle& s = a.style;
    out.Put(indent);
    out.Put("<path d=\"");
    PutPathData(out, a.path);
    out.Put('"');
    PutAttr(out, "fill", SvgPaint(s.fillPaint != 0, s.fillColor));
    if (s.evenOdd) PutAttr(out, "fill-rule", "evenodd");
    PutAttr(out, "stroke", SvgPaint(s.strokePaint != 0, s.strokeColor));
    PutAttr(out, "stroke-width", FloatText(s.strokeWidth));
    if (s.strokePaint) {
        // Only what differs from SVG's defaults (butt, miter, limit 4, solid).
        if (s.cap == 1) PutAttr(out, "stroke-linecap", "round");
        if (s.cap == 2) PutAttr(out, "stroke-linecap", "square");
        if (s.join == 1) PutAttr(out, "stroke-linejoin", "round");
        if (s.join == 2) PutAttr(out, "stroke-linejoin", "bevel");
        // SVG refuses limits below 1 (a zeroed record holds 0); those keep the default.
        if (s.miterLimit >= 1.0f && s.miterLimit != 4.0f && std::isfinite(s.miterLimit))
            PutAttr(out, "stroke-miterlimit", FloatText(s.miterLimit));
        if (s.dash.count > 0 && s.dash.count <= 6) {
            std::string dashes;
            bool valid = true;
            float sum = 0;
            for (int32_t i = 0; i < s.dash.count; ++i) {
                const float v = s.dash.array[i];
                valid = valid && std::isfinite(v) && v >= 0;
                sum += v;
                if (i) dashes += ' ';
                dashes += FloatText(v);
            }
            // SVG renders an invalid or all-zero list as solid; say so by leaving it out.
            if (valid && sum > 0) {
                PutAttr(out, "stroke-dasharray", dashes);
                if (s.dash.offset != 0 && std::isfinite(s.dash.offset))
                    PutAttr(out, "stroke-dashoffset", FloatText(s.dash.offset));
            }
        }
    }
    PutAttr(out, "opacity", FloatText(a.opacity));
    out.Put("/>\n");
}

// The paint an art shows with (ShownArt's, without computing an envelope's outline).
const PathStyle& ShownStyle(const Document& doc, const Art& a) {
    if (a.kind != ArtKind::Envelope) return a.style;
    if (const Art* content = doc.FindArt(a.envelope.content)) return content->style;
    return doc.currentPaint;
}

// How much of the work an art is, for progress: its stored segments, and one for itself.
double Weight(const Document& doc, const Art& a) {
    if (a.kind != ArtKind::Envelope) return 1.0 + static_cast<double>(a.path.SegmentCount());
    const Art* content = doc.FindArt(a.envelope.content);
    return 1.0 + (content ? static_cast<double>(content->path.SegmentCount()) : 0.0);
}

}  // namespace

void ExportSvg(const Document& doc, TextWriter& out, Progress* progress) {
    const std::string w = FloatText(doc.pageWidth);
    const std::string h = FloatText(doc.pageHeight);
    // Document y runs up from the page's bottom; SVG's runs down from the top. One flip per
    // group keeps every coordinate in the file exactly the float the document holds.
    const std::string flip = "matrix(1 0 0 -1 0 " + h + ")";

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\"";
    out << " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"";
    // A locked layer, and a current layer other than the topmost (which a reader takes when
    // nothing names one), are said as Inkscape says them, so that the file reads back whole.
    size_t current = doc.layers.size();
    for (size_t i = 0; i < doc.layers.size(); ++i)
        if (doc.layers[i].id == doc.currentLayer) current = i;
    const bool namesCurrent = current + 1 < doc.layers.size();
    const bool anyLocked = std::any_of(doc.layers.begin(), doc.layers.end(), [](const Layer& l) { return l.locked; });
    if (namesCurrent || anyLocked) out << " xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"";
    out << " version=\"1.1\" width=\"" << w << "pt\" height=\"" << h << "pt\"";
    out << " viewBox=\"0 0 " << w << " " << h << "\">\n";
    if (namesCurrent)
        out << "  <sodipodi:namedview id=\"namedview\" inkscape:current-layer=\"layer-" << std::to_string(current + 1)
            << "\"/>\n";

    // Which paint servers are used, and how much work there is, found before anything is
    // written; an envelope's outline is computed only when it is written.
    bool gradient = false, pattern = false;
    const auto uses = [&](const PathStyle& s) {
        for (const PaintColor* c : {&s.fillColor, &s.strokeColor}) {
            if (!HasServer(*c)) continue;
            const bool painted = c == &s.fillColor ? s.fillPaint != 0 : s.strokePaint != 0;
            if (!painted) continue;
            gradient = gradient || c->kind == kGradientColor;
            pattern = pattern || c->kind == kPatternColor;
        }
    };
    double total = 0.0;
    for (const Layer& l : doc.layers)
        for (ArtId id : l.art)
            if (const Art* a = doc.FindArt(id)) {
                uses(ShownStyle(doc, *a));
                total += Weight(doc, *a);
            }
    for (const Symbol& s : doc.symbols) {
        uses(s.art.style);
        total += Weight(doc, s.art);
    }
    double done = 0.0;
    const auto advance = [&](const Art& a) {
        done += Weight(doc, a);
        ReportOrCancel(progress, total > 0 ? std::min(1.0, done / total) : 1.0);
    };

    if (!doc.symbols.empty() || gradient || pattern) {
        out << "  <defs>\n";
        if (gradient)
            out << "    <linearGradient id=\"gradient-1\" inkscape:label=\"White, Black\">"
                   "<stop offset=\"0\" stop-color=\"#ffffff\"/><stop offset=\"1\" stop-color=\"#000000\"/>"
                   "</linearGradient>\n";
        if (pattern)
            out << "    <pattern id=\"pattern-1\" inkscape:label=\"Stripes\" patternUnits=\"userSpaceOnUse\""
                   " width=\"4\" height=\"4\"><rect width=\"4\" height=\"4\" fill=\"#ffffff\"/>"
                   "<rect width=\"2\" height=\"4\" fill=\"#000000\"/></pattern>\n";
        for (size_t i = 0; i < doc.symbols.size(); ++i) {
            const Symbol& s = doc.symbols[i];
            // Names need not be valid XML ids (or unique), so ids are positional and the
            // name goes into the label.
            out << "    <symbol id=\"symbol-" << std::to_string(i + 1) << "\" inkscape:label=\""
                << Xml(s.name) << "\" overflow=\"visible\">\n";
            out << "      <g transform=\"" << flip << "\">\n";
            PutPath(out, s.art, "        ");
            out << "      </g>\n";
            out << "    </symbol>\n";
            advance(s.art);
        }
        out << "  </defs>\n";
    }

    for (size_t i = 0; i < doc.layers.size(); ++i) {
        const Layer& l = doc.layers[i];
        out << "  <g id=\"layer-" << std::to_string(i + 1) << "\" inkscape:groupmode=\"layer\"";
        out << " inkscape:label=\"" << Xml(l.name) << "\"";
        if (!l.visible) out << " style=\"display:none\"";
        if (l.locked) out << " sodipodi:insensitive=\"true\"";
        out << " transform=\"" << flip << "\">\n";
        for (ArtId id : l.art) {
            const Art* a = doc.FindArt(id);
            if (!a) continue;
            // An envelope is written as what it shows; path art as it is, without a copy.
            if (a->kind == ArtKind::Envelope)
                PutPath(out, ShownArt(doc, *a), "    ");
            else
                PutPath(out, *a, "    ");
            advance(*a);
        }
        out << "  </g>\n";
    }
    out << "</svg>\n";
}

std::string ExportSvg(const Document& doc) {
    std::string text;
    {
        StringWriter out(text);
        ExportSvg(doc, out);
        out.Flush();
    }
    return text;
}

}  // namespace easel
