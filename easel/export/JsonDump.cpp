#include "export/JsonDump.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

#include "document/Envelope.h"
#include "export/FloatText.h"

namespace easel {

using nlohmann::json;

namespace {

// ---------------------------------------------------------------------------------------
// Names shared by writer and reader.

struct ColorKindName {
    int32_t kind;
    const char* name;
    size_t components;  // how many of c[] the kind uses
    bool hasRef;
};

constexpr std::array<ColorKindName, 7> kColorKinds{{
    {kGrayColor, "gray", 1, false},
    {kFourColor, "cmyk", 4, false},
    {kThreeColor, "rgb", 3, false},
    {kNoneColor, "none", 0, false},
    {kPatternColor, "pattern", 0, true},
    {kGradientColor, "gradient", 0, true},
    {kCustomColor, "spot", 1, true},
}};

const ColorKindName* FindColorKind(int32_t kind) {
    for (const ColorKindName& k : kColorKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

constexpr std::array<const char*, 3> kCapNames{"butt", "round", "projecting"};
constexpr std::array<const char*, 3> kJoinNames{"miter", "round", "bevel"};

const char* ColorModelName(ColorModel m) {
    switch (m) {
        case ColorModel::Gray: return "gray";
        case ColorModel::CMYK: return "cmyk";
        case ColorModel::RGB: break;
    }
    return "rgb";
}

bool IsPositiveZero(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits == 0;
}

// ---------------------------------------------------------------------------------------
// Writer

json Num(float f) {
    // A non-finite float has no JSON number; null keeps the text valid and the reader
    // refuses it, so such a value is never silently turned into another one.
    if (!std::isfinite(f)) return nullptr;
    return FloatAsShortDouble(f);
}

json Pair(float x, float y) { return json::array({Num(x), Num(y)}); }

// The record's "booleans" are int32; a value other than 0 or 1 is kept as the integer so
// that the dump stays exact for whatever the host stored.
json Flag(int32_t v) {
    if (v == 0) return false;
    if (v == 1) return true;
    return v;
}

template <size_t N>
json Named(int32_t v, const std::array<const char*, N>& names) {
    if (v >= 0 && static_cast<size_t>(v) < N) return names[static_cast<size_t>(v)];
    return v;
}

json DumpColor(const PaintColor& c) {
    json out;
    const ColorKindName* k = FindColorKind(c.kind);
    size_t used = k ? k->components : 4;
    // Unused components are normally 0; stray values are kept (after the used ones) so
    // that the record reads back bit for bit.
    size_t written = used;
    for (size_t i = used; i < 4; ++i)
        if (!IsPositiveZero(c.c[i])) written = i + 1;
    json comps = json::array();
    for (size_t i = 0; i < written; ++i) comps.push_back(Num(c.c[i]));
    if (k)
        out["kind"] = k->name;
    else
        out["kind"] = c.kind;  // cannot be stored by the host; the reader refuses it
    out["components"] = std::move(comps);
    if (!k || k->hasRef || c.ref != 0) out["ref"] = c.ref;
    return out;
}

json DumpStyle(const PathStyle& s) {
    json dashArray = json::array();
    const size_t dashCount =
        s.dash.count >= 0 && s.dash.count <= 6 ? static_cast<size_t>(s.dash.count) : 0;
    size_t dashWritten = dashCount;
    for (size_t i = dashCount; i < 6; ++i)
        if (!IsPositiveZero(s.dash.array[i])) dashWritten = i + 1;
    for (size_t i = 0; i < dashWritten; ++i) dashArray.push_back(Num(s.dash.array[i]));
    return json{
        {"fillPaint", Flag(s.fillPaint)},
        {"strokePaint", Flag(s.strokePaint)},
        {"fillColor", DumpColor(s.fillColor)},
        {"strokeColor", DumpColor(s.strokeColor)},
        {"strokeWidth", Num(s.strokeWidth)},
        {"fillOverprint", Flag(s.fillOverprint)},
        {"strokeOverprint", Flag(s.strokeOverprint)},
        {"evenOdd", Flag(s.evenOdd)},
        {"cap", Named(s.cap, kCapNames)},
        {"join", Named(s.join, kJoinNames)},
        {"miterLimit", Num(s.miterLimit)},
        {"dash", {{"count", s.dash.count}, {"array", std::move(dashArray)}, {"offset", Num(s.dash.offset)}}},
    };
}

json DumpSegments(const PathData& path) {
    json segments = json::array();
    for (size_t i = 0; i < path.SegmentCount(); ++i) {
        const SegmentPoints& p = path.points[i];
        segments.push_back(json{
            {"p", Pair(p.px, p.py)},
            {"in", Pair(p.ix, p.iy)},
            {"out", Pair(p.ox, p.oy)},
            {"corner", i < path.corners.size() && path.corners[i]},
        });
    }
    return segments;
}

json DumpArt(const Document& doc, const Art& a, int depth = 0);

// An envelope's held art; a missing one (which the host never leaves) is written as null,
// which the reader refuses.
json DumpHeld(const Document& doc, ArtId id, int depth) {
    const Art* held = doc.FindArt(id);
    if (!held || depth > 64) return nullptr;
    return DumpArt(doc, *held, depth + 1);
}

json DumpArt(const Document& doc, const Art& a, int depth) {
    if (a.kind == ArtKind::Envelope) {
        const EnvelopeData& e = a.envelope;
        const PathData result = EnvelopeResult(doc, a);
        return json{
            {"kind", "envelope"},
            {"opacity", Num(a.opacity)},
            {"flags", e.flags},
            {"fidelity", e.fidelity},
            {"content", DumpHeld(doc, e.content, depth)},
            {"shape", DumpHeld(doc, e.shape, depth)},
            {"warp", {{"style", e.warp}, {"bend", Num(e.bend)}, {"horizontal", Num(e.horizontal)},
                      {"vertical", Num(e.vertical)}, {"rotate", e.rotate}}},
            {"result", {{"closed", result.closed}, {"segments", DumpSegments(result)}}},
        };
    }
    return json{
        {"kind", "path"},
        {"closed", a.path.closed},
        {"opacity", Num(a.opacity)},
        {"style", DumpStyle(a.style)},
        {"segments", DumpSegments(a.path)},
    };
}

// ---------------------------------------------------------------------------------------
// Reader. Every check names the field by its path from the root, so that a user can find
// the bad value in a large file.

std::string Key(const std::string& path, const char* key) {
    return path.empty() ? std::string(key) : path + "." + key;
}

std::string Index(const std::string& path, size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw DumpError((path.empty() ? std::string("document") : path) + ": " + what);
}

const json& Object(const json& j, const std::string& path) {
    if (!j.is_object()) Fail(path, "expected an object");
    return j;
}

const json& Array(const json& j, const std::string& path) {
    if (!j.is_array()) Fail(path, "expected an array");
    return j;
}

// The member `key` of object `obj` (already checked to be an object).
const json& Field(const json& obj, const std::string& path, const char* key) {
    const auto it = obj.find(key);
    if (it == obj.end()) Fail(Key(path, key), "missing");
    return *it;
}

const json* OptionalField(const json& obj, const char* key) {
    const auto it = obj.find(key);
    return it == obj.end() ? nullptr : &*it;
}

float Float(const json& j, const std::string& path) {
    if (j.is_null()) Fail(path, "expected a number, got null (a non-finite value cannot be read)");
    if (!j.is_number()) Fail(path, "expected a number");
    const double d = j.get<double>();
    // Doubles up to just below the midpoint between FLT_MAX and 2^128 round to FLT_MAX,
    // and the shortest text of FLT_MAX ("3.4028235e+38") reads as such a double.
    constexpr double kLimit = 0x1.ffffffp127;
    if (!std::isfinite(d) || std::fabs(d) >= kLimit) Fail(path, "out of the range of 32-bit floats");
    return static_cast<float>(d);
}

float FloatAtLeast(const json& j, const std::string& path, float lo) {
    const float f = Float(j, path);
    if (!(f >= lo)) Fail(path, "must be at least " + FloatText(lo));
    return f;
}

bool Bool(const json& j, const std::string& path) {
    if (!j.is_boolean()) Fail(path, "expected true or false");
    return j.get<bool>();
}

int64_t Int(const json& j, const std::string& path, int64_t lo, int64_t hi) {
    if (!j.is_number_integer()) Fail(path, "expected an integer");
    // Integers above INT64_MAX arrive as unsigned; every range asked for here is below it.
    const bool representable =
        !j.is_number_unsigned() ||
        j.get<uint64_t>() <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    const int64_t v = representable ? j.get<int64_t>() : 0;
    if (!representable || v < lo || v > hi)
        Fail(path, "expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
    return v;
}

int32_t Int32(const json& j, const std::string& path) {
    return static_cast<int32_t>(
        Int(j, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t ReadFlag(const json& j, const std::string& path) {
    if (j.is_boolean()) return j.get<bool>() ? 1 : 0;
    if (j.is_number_integer()) return Int32(j, path);
    Fail(path, "expected true, false or an integer");
}

template <size_t N>
int32_t ReadNamed(const json& j, const std::string& path, const std::array<const char*, N>& names) {
    if (j.is_string()) {
        const auto& s = j.get_ref<const std::string&>();
        for (size_t i = 0; i < N; ++i)
            if (s == names[i]) return static_cast<int32_t>(i);
    } else if (j.is_number_integer()) {
        return Int32(j, path);
    }
    std::string expected;
    for (size_t i = 0; i < N; ++i) expected += std::string(i ? ", " : "") + "\"" + names[i] + "\"";
    Fail(path, "expected one of " + expected);
}

std::string String(const json& j, const std::string& path) {
    if (!j.is_string()) Fail(path, "expected a string");
    return j.get<std::string>();
}

std::pair<float, float> Point(const json& j, const std::string& path) {
    if (!j.is_array() || j.size() != 2) Fail(path, "expected an array of 2 numbers");
    return {Float(j[0], Index(path, 0)), Float(j[1], Index(path, 1))};
}

PaintColor ReadColor(const json& j, const std::string& path) {
    Object(j, path);
    PaintColor c{};
    const std::string kindPath = Key(path, "kind");
    const json& kind = Field(j, path, "kind");
    const ColorKindName* k = nullptr;
    if (kind.is_string())
        for (const ColorKindName& candidate : kColorKinds)
            if (kind.get_ref<const std::string&>() == candidate.name) k = &candidate;
    if (!k)
        Fail(kindPath,
             "unknown colour kind (expected gray, cmyk, rgb, none, pattern, gradient or spot)");
    c.kind = k->kind;

    const std::string compPath = Key(path, "components");
    const json& comps = Array(Field(j, path, "components"), compPath);
    if (comps.size() < k->components || comps.size() > 4)
        Fail(compPath, std::string("expected ") + std::to_string(k->components) +
                           " components for a " + k->name + " colour");
    for (size_t i = 0; i < comps.size(); ++i) c.c[i] = Float(comps[i], Index(compPath, i));

    if (k->hasRef)
        c.ref = Int32(Field(j, path, "ref"), Key(path, "ref"));
    else if (const json* ref = OptionalField(j, "ref"))
        c.ref = Int32(*ref, Key(path, "ref"));
    return c;
}

PathStyle ReadStyle(const json& j, const std::string& path) {
    Object(j, path);
    PathStyle s{};
    auto field = [&](const char* key) -> const json& { return Field(j, path, key); };
    s.fillPaint = ReadFlag(field("fillPaint"), Key(path, "fillPaint"));
    s.strokePaint = ReadFlag(field("strokePaint"), Key(path, "strokePaint"));
    s.fillColor = ReadColor(field("fillColor"), Key(path, "fillColor"));
    s.strokeColor = ReadColor(field("strokeColor"), Key(path, "strokeColor"));
    s.strokeWidth = FloatAtLeast(field("strokeWidth"), Key(path, "strokeWidth"), 0.0f);
    s.fillOverprint = ReadFlag(field("fillOverprint"), Key(path, "fillOverprint"));
    s.strokeOverprint = ReadFlag(field("strokeOverprint"), Key(path, "strokeOverprint"));
    s.evenOdd = ReadFlag(field("evenOdd"), Key(path, "evenOdd"));
    s.cap = ReadNamed(field("cap"), Key(path, "cap"), kCapNames);
    s.join = ReadNamed(field("join"), Key(path, "join"), kJoinNames);
    s.miterLimit = Float(field("miterLimit"), Key(path, "miterLimit"));

    const std::string dashPath = Key(path, "dash");
    const json& dash = Object(field("dash"), dashPath);
    s.dash.count = static_cast<int32_t>(Int(Field(dash, dashPath, "count"), Key(dashPath, "count"), 0, 6));
    const std::string arrayPath = Key(dashPath, "array");
    const json& array = Array(Field(dash, dashPath, "array"), arrayPath);
    if (array.size() < static_cast<size_t>(s.dash.count) || array.size() > 6)
        Fail(arrayPath, "expected from count (" + std::to_string(s.dash.count) + ") to 6 lengths");
    for (size_t i = 0; i < array.size(); ++i) s.dash.array[i] = Float(array[i], Index(arrayPath, i));
    s.dash.offset = Float(Field(dash, dashPath, "offset"), Key(dashPath, "offset"));
    return s;
}

float Opacity(const json& j, const std::string& path) {
    const float opacity = Float(Field(j, path, "opacity"), Key(path, "opacity"));
    if (!(opacity >= 0.0f && opacity <= 1.0f)) Fail(Key(path, "opacity"), "must be from 0 to 1");
    return opacity;
}

PathData ReadSegments(const json& j, const std::string& path) {
    const std::string segPath = Key(path, "segments");
    const json& segs = Array(Field(j, path, "segments"), segPath);
    if (segs.size() > static_cast<size_t>(kAIMaxPathSegments))
        Fail(segPath, "more than " + std::to_string(kAIMaxPathSegments) + " segments");
    PathData out;
    out.closed = Bool(Field(j, path, "closed"), Key(path, "closed"));
    out.points.reserve(segs.size());
    out.corners.reserve(segs.size());
    for (size_t i = 0; i < segs.size(); ++i) {
        const std::string sp = Index(segPath, i);
        const json& s = Object(segs[i], sp);
        const auto [px, py] = Point(Field(s, sp, "p"), Key(sp, "p"));
        const auto [ix, iy] = Point(Field(s, sp, "in"), Key(sp, "in"));
        const auto [ox, oy] = Point(Field(s, sp, "out"), Key(sp, "out"));
        out.points.push_back(SegmentPoints{px, py, ix, iy, ox, oy});
        out.corners.push_back(Bool(Field(s, sp, "corner"), Key(sp, "corner")));
    }
    return out;
}

// A path art (kind "path").
Art ReadPath(const json& j, const std::string& path) {
    Object(j, path);
    const json& kind = Field(j, path, "kind");
    if (!kind.is_string() || kind.get_ref<const std::string&>() != "path")
        Fail(Key(path, "kind"), "unknown art kind (expected \"path\")");
    Art a;
    a.kind = ArtKind::Path;
    a.opacity = Opacity(j, path);
    a.style = ReadStyle(Field(j, path, "style"), Key(path, "style"));
    a.path = ReadSegments(j, path);
    return a;
}

// Stores art read from a dump under the next id of a fresh document.
ArtId Store(Document& doc, Art a, const std::string& path) {
    if (doc.ReserveArt() == 0) Fail(path, "more art than a document can hold");
    return doc.AddArt(std::move(a));
}

// Layer art: a path, or an envelope whose content and shape are stored first (taking the ids
// before the envelope's) and held by it. The computed result is checked and then left, since
// the host computes it afresh from content, shape and warp.
ArtId ReadLayerArt(Document& doc, const json& j, const std::string& path) {
    Object(j, path);
    const json& kind = Field(j, path, "kind");
    if (kind.is_string() && kind.get_ref<const std::string&>() == "path") return Store(doc, ReadPath(j, path), path);
    if (!kind.is_string() || kind.get_ref<const std::string&>() != "envelope")
        Fail(Key(path, "kind"), "unknown art kind (expected \"path\" or \"envelope\")");
    Art e;
    e.kind = ArtKind::Envelope;
    e.opacity = Opacity(j, path);
    EnvelopeData& d = e.envelope;
    d.flags = Int32(Field(j, path, "flags"), Key(path, "flags"));
    d.fidelity = static_cast<int32_t>(Int(Field(j, path, "fidelity"), Key(path, "fidelity"), 0, 100));
    const std::string warpPath = Key(path, "warp");
    const json& warp = Object(Field(j, path, "warp"), warpPath);
    d.warp = static_cast<int32_t>(Int(Field(warp, warpPath, "style"), Key(warpPath, "style"), 0, 15));
    const auto amount = [&](const char* key) {
        const float v = Float(Field(warp, warpPath, key), Key(warpPath, key));
        if (!(v >= -1.0f && v <= 1.0f)) Fail(Key(warpPath, key), "must be from -1 to 1");
        return v;
    };
    d.bend = amount("bend");
    d.horizontal = amount("horizontal");
    d.vertical = amount("vertical");
    d.rotate = Bool(Field(warp, warpPath, "rotate"), Key(warpPath, "rotate"));
    if (const json* result = OptionalField(j, "result")) {
        const std::string resultPath = Key(path, "result");
        ReadSegments(Object(*result, resultPath), resultPath);
    }
    const std::string contentPath = Key(path, "content");
    const std::string shapePath = Key(path, "shape");
    Art content = ReadPath(Field(j, path, "content"), contentPath);
    Art shape = ReadPath(Field(j, path, "shape"), shapePath);
    d.content = Store(doc, std::move(content), contentPath);
    d.shape = Store(doc, std::move(shape), shapePath);
    const ArtId id = Store(doc, std::move(e), path);
    doc.FindArt(d.content)->owner = id;
    doc.FindArt(d.shape)->owner = id;
    return id;
}

ColorModel ReadColorModel(const json& j, const std::string& path) {
    if (j.is_string()) {
        const auto& s = j.get_ref<const std::string&>();
        if (s == "gray") return ColorModel::Gray;
        if (s == "rgb") return ColorModel::RGB;
        if (s == "cmyk") return ColorModel::CMYK;
    }
    Fail(path, "expected \"gray\", \"rgb\" or \"cmyk\"");
}

std::vector<View> ReadViews(const json& j, const std::string& path) {
    Array(j, path);
    std::vector<View> views;
    for (size_t i = 0; i < j.size(); ++i) {
        const std::string vp = Index(path, i);
        const json& v = Object(j[i], vp);
        View view;
        std::tie(view.centreX, view.centreY) = Point(Field(v, vp, "centre"), Key(vp, "centre"));
        view.zoom = Float(Field(v, vp, "zoom"), Key(vp, "zoom"));
        if (!(view.zoom > 0.0f)) Fail(Key(vp, "zoom"), "must be greater than 0");
        view.widthPx = static_cast<int32_t>(
            Int(Field(v, vp, "widthPx"), Key(vp, "widthPx"), 1, std::numeric_limits<int32_t>::max()));
        view.heightPx = static_cast<int32_t>(
            Int(Field(v, vp, "heightPx"), Key(vp, "heightPx"), 1, std::numeric_limits<int32_t>::max()));
        views.push_back(view);
    }
    return views;
}

std::vector<Swatch> ReadSwatches(const json& j, const std::string& path) {
    Array(j, path);
    std::vector<Swatch> swatches;
    for (size_t i = 0; i < j.size(); ++i) {
        const std::string sp = Index(path, i);
        const json& s = Object(j[i], sp);
        swatches.push_back(Swatch{String(Field(s, sp, "name"), Key(sp, "name")),
                                  ReadColor(Field(s, sp, "color"), Key(sp, "color"))});
    }
    return swatches;
}

std::vector<GraphicStyle> ReadStyles(const json& j, const std::string& path) {
    Array(j, path);
    std::vector<GraphicStyle> styles;
    for (size_t i = 0; i < j.size(); ++i) {
        const std::string sp = Index(path, i);
        const json& s = Object(j[i], sp);
        GraphicStyle g;
        g.name = String(Field(s, sp, "name"), Key(sp, "name"));
        g.paint = ReadStyle(Field(s, sp, "style"), Key(sp, "style"));
        g.opacity = Float(Field(s, sp, "opacity"), Key(sp, "opacity"));
        if (!(g.opacity >= 0.0f && g.opacity <= 1.0f)) Fail(Key(sp, "opacity"), "must be from 0 to 1");
        styles.push_back(std::move(g));
    }
    return styles;
}

}  // namespace

json DumpDocument(const Document& doc) {
    json layers = json::array();
    json currentLayer = nullptr;
    for (size_t i = 0; i < doc.layers.size(); ++i) {
        const Layer& l = doc.layers[i];
        if (l.id == doc.currentLayer) currentLayer = i;
        json art = json::array();
        for (ArtId id : l.art)
            if (const Art* a = doc.FindArt(id)) art.push_back(DumpArt(doc, *a));
        layers.push_back(json{{"name", l.name}, {"visible", l.visible}, {"locked", l.locked},
                              {"art", std::move(art)}});
    }
    json symbols = json::array();
    for (const Symbol& s : doc.symbols) symbols.push_back(json{{"name", s.name}, {"art", DumpArt(doc, s.art)}});
    json views = json::array();
    for (const View& v : doc.views)
        views.push_back(json{{"centre", Pair(v.centreX, v.centreY)}, {"zoom", Num(v.zoom)},
                             {"widthPx", v.widthPx}, {"heightPx", v.heightPx}});
    json swatches = json::array();
    for (const Swatch& s : doc.swatches) swatches.push_back(json{{"name", s.name}, {"color", DumpColor(s.color)}});
    json styles = json::array();
    for (const GraphicStyle& g : doc.styles)
        styles.push_back(json{{"name", g.name}, {"style", DumpStyle(g.paint)}, {"opacity", Num(g.opacity)}});

    return json{
        {"page", {{"width", Num(doc.pageWidth)}, {"height", Num(doc.pageHeight)}}},
        {"colorModel", ColorModelName(doc.colorModel)},
        {"layers", std::move(layers)},
        {"currentLayer", std::move(currentLayer)},
        {"symbols", std::move(symbols)},
        {"views", std::move(views)},
        {"swatches", std::move(swatches)},
        {"styles", std::move(styles)},
        {"currentPaint", DumpStyle(doc.currentPaint)},
    };
}

std::string DumpDocumentText(const Document& doc) {
    return DumpDocument(doc).dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

Document LoadDocument(const json& dump) {
    const std::string root;
    Object(dump, root);

    const json& page = Object(Field(dump, root, "page"), "page");
    const float width = Float(Field(page, "page", "width"), "page.width");
    const float height = Float(Field(page, "page", "height"), "page.height");
    if (!(width > 0.0f)) Fail("page.width", "must be greater than 0");
    if (!(height > 0.0f)) Fail("page.height", "must be greater than 0");
    const ColorModel model = ReadColorModel(Field(dump, root, "colorModel"), "colorModel");

    Document doc = NewDocument(model);
    doc.pageWidth = width;
    doc.pageHeight = height;
    for (View& v : doc.views) {
        v.centreX = width * 0.5f;
        v.centreY = height * 0.5f;
    }
    doc.layers.clear();
    doc.arts.clear();
    doc.nextLayerId = 1;
    doc.currentLayer = 0;

    const json& layers = Array(Field(dump, root, "layers"), "layers");
    for (size_t i = 0; i < layers.size(); ++i) {
        const std::string lp = Index("layers", i);
        const json& l = Object(layers[i], lp);
        Layer layer;
        layer.id = doc.nextLayerId++;
        layer.name = String(Field(l, lp, "name"), Key(lp, "name"));
        layer.visible = Bool(Field(l, lp, "visible"), Key(lp, "visible"));
        layer.locked = Bool(Field(l, lp, "locked"), Key(lp, "locked"));
        const std::string ap = Key(lp, "art");
        const json& art = Array(Field(l, lp, "art"), ap);
        for (size_t k = 0; k < art.size(); ++k) {
            // A fresh document hands out 1, 2, ... in order, each slot's first generation.
            layer.art.push_back(ReadLayerArt(doc, art[k], Index(ap, k)));
        }
        doc.layers.push_back(std::move(layer));
    }

    const json& current = Field(dump, root, "currentLayer");
    if (doc.layers.empty()) {
        if (!current.is_null()) Fail("currentLayer", "must be null in a document without layers");
    } else {
        if (current.is_null()) Fail("currentLayer", "expected a layer index, got null");
        const auto index = Int(current, "currentLayer", 0, static_cast<int64_t>(doc.layers.size()) - 1);
        doc.currentLayer = doc.layers[static_cast<size_t>(index)].id;
    }

    const json& symbols = Array(Field(dump, root, "symbols"), "symbols");
    for (size_t i = 0; i < symbols.size(); ++i) {
        const std::string sp = Index("symbols", i);
        const json& s = Object(symbols[i], sp);
        Symbol symbol;
        symbol.name = String(Field(s, sp, "name"), Key(sp, "name"));
        symbol.art = ReadPath(Field(s, sp, "art"), Key(sp, "art"));
        symbol.art.id = 0;
        doc.symbols.push_back(std::move(symbol));
    }

    if (const json* v = OptionalField(dump, "views")) doc.views = ReadViews(*v, "views");
    if (const json* s = OptionalField(dump, "swatches")) doc.swatches = ReadSwatches(*s, "swatches");
    if (const json* s = OptionalField(dump, "styles")) doc.styles = ReadStyles(*s, "styles");
    if (const json* p = OptionalField(dump, "currentPaint")) doc.currentPaint = ReadStyle(*p, "currentPaint");
    // The host checks its memory budget against this running total, not a fresh walk.
    doc.artBytesHeld = doc.ArtBytes();
    return doc;
}

Document LoadDocumentText(std::string_view text) {
    json dump;
    try {
        dump = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        throw DumpError(std::string("document: not valid JSON: ") + e.what());
    }
    return LoadDocument(dump);
}

}  // namespace easel
