#include "export/JsonDump.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>
#include <filesystem>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

#include "document/Envelope.h"
#include "export/FloatText.h"
#include "export/TextWriter.h"
#include "platform/Files.h"

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

// Writes JSON text as nlohmann::json's dump(2) lays it out (2-space indent, "key": value,
// "{}" and "[]" for empty containers), a value at a time, so that no tree of the document is
// built. Keys are given in the order dump writes them, alphabetical (std::map order).
class JsonOut {
public:
    explicit JsonOut(TextWriter& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    // `key` is one of the writer's own names (ASCII, nothing to escape).
    void Key(std::string_view key) {
        Frame& f = stack_.back();
        out_.Put(f.first ? std::string_view("\n") : std::string_view(",\n"));
        f.first = false;
        Indent(stack_.size());
        out_.Put('"');
        out_.Put(key);
        out_.Put("\": ");
    }

    void Null() {
        BeforeValue();
        out_.Put("null");
    }
    void Bool(bool b) {
        BeforeValue();
        out_.Put(b ? std::string_view("true") : std::string_view("false"));
    }
    void Int(int64_t v) {
        BeforeValue();
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.Put(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
    }
    void Unsigned(uint64_t v) {
        BeforeValue();
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.Put(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
    }
    // A non-finite float has no JSON number; null keeps the text valid and the reader
    // refuses it, so such a value is never silently turned into another one. Others are
    // written as the short double nearest their shortest text, by nlohmann's own number
    // formatting (the one dump uses), so the text is what a dump of a tree gives.
    void Float(float f) {
        if (!std::isfinite(f)) return Null();
        BeforeValue();
        char buf[64];
        char* end = nlohmann::detail::to_chars(buf, buf + sizeof buf, FloatAsShortDouble(f));
        out_.Put(std::string_view(buf, static_cast<size_t>(end - buf)));
    }
    // Names come from users: escaped as dump escapes them, bad UTF-8 replaced by U+FFFD.
    void String(const std::string& s) {
        BeforeValue();
        out_.Put(json(s).dump(-1, ' ', false, json::error_handler_t::replace));
    }
    void Text(std::string_view literal) {  // one of the writer's own names
        BeforeValue();
        out_.Put('"');
        out_.Put(literal);
        out_.Put('"');
    }

private:
    struct Frame {
        bool array;
        bool first;
    };

    void BeforeValue() {
        if (stack_.empty() || !stack_.back().array) return;
        Frame& f = stack_.back();
        out_.Put(f.first ? std::string_view("\n") : std::string_view(",\n"));
        f.first = false;
        Indent(stack_.size());
    }
    void Open(char bracket) {
        BeforeValue();
        out_.Put(bracket);
        stack_.push_back(Frame{bracket == '[', true});
    }
    void Close(char bracket) {
        const bool empty = stack_.back().first;
        stack_.pop_back();
        if (!empty) {
            out_.Put('\n');
            Indent(stack_.size());
        }
        out_.Put(bracket);
    }
    void Indent(size_t depth) {
        static constexpr std::string_view kSpaces = "                                ";
        for (size_t n = depth * 2; n > 0;) {
            const size_t k = std::min(n, kSpaces.size());
            out_.Put(kSpaces.substr(0, k));
            n -= k;
        }
    }

    TextWriter& out_;
    std::vector<Frame> stack_;
};

void PutPair(JsonOut& j, float x, float y) {
    j.BeginArray();
    j.Float(x);
    j.Float(y);
    j.EndArray();
}

// The record's "booleans" are int32; a value other than 0 or 1 is kept as the integer so
// that the dump stays exact for whatever the host stored.
void PutFlag(JsonOut& j, int32_t v) {
    if (v == 0 || v == 1)
        j.Bool(v == 1);
    else
        j.Int(v);
}

template <size_t N>
void PutNamed(JsonOut& j, int32_t v, const std::array<const char*, N>& names) {
    if (v >= 0 && static_cast<size_t>(v) < N)
        j.Text(names[static_cast<size_t>(v)]);
    else
        j.Int(v);
}

void PutColor(JsonOut& j, const PaintColor& c) {
    const ColorKindName* k = FindColorKind(c.kind);
    size_t used = k ? k->components : 4;
    // Unused components are normally 0; stray values are kept (after the used ones) so
    // that the record reads back bit for bit.
    size_t written = used;
    for (size_t i = used; i < 4; ++i)
        if (!IsPositiveZero(c.c[i])) written = i + 1;
    j.BeginObject();
    j.Key("components");
    j.BeginArray();
    for (size_t i = 0; i < written; ++i) j.Float(c.c[i]);
    j.EndArray();
    j.Key("kind");
    if (k)
        j.Text(k->name);
    else
        j.Int(c.kind);  // cannot be stored by the host; the reader refuses it
    if (!k || k->hasRef || c.ref != 0) {
        j.Key("ref");
        j.Int(c.ref);
    }
    j.EndObject();
}

void PutStyle(JsonOut& j, const PathStyle& s) {
    const size_t dashCount =
        s.dash.count >= 0 && s.dash.count <= 6 ? static_cast<size_t>(s.dash.count) : 0;
    size_t dashWritten = dashCount;
    for (size_t i = dashCount; i < 6; ++i)
        if (!IsPositiveZero(s.dash.array[i])) dashWritten = i + 1;
    j.BeginObject();
    j.Key("cap");
    PutNamed(j, s.cap, kCapNames);
    j.Key("dash");
    j.BeginObject();
    j.Key("array");
    j.BeginArray();
    for (size_t i = 0; i < dashWritten; ++i) j.Float(s.dash.array[i]);
    j.EndArray();
    j.Key("count");
    j.Int(s.dash.count);
    j.Key("offset");
    j.Float(s.dash.offset);
    j.EndObject();
    j.Key("evenOdd");
    PutFlag(j, s.evenOdd);
    j.Key("fillColor");
    PutColor(j, s.fillColor);
    j.Key("fillOverprint");
    PutFlag(j, s.fillOverprint);
    j.Key("fillPaint");
    PutFlag(j, s.fillPaint);
    j.Key("join");
    PutNamed(j, s.join, kJoinNames);
    j.Key("miterLimit");
    j.Float(s.miterLimit);
    j.Key("strokeColor");
    PutColor(j, s.strokeColor);
    j.Key("strokeOverprint");
    PutFlag(j, s.strokeOverprint);
    j.Key("strokePaint");
    PutFlag(j, s.strokePaint);
    j.Key("strokeWidth");
    j.Float(s.strokeWidth);
    j.EndObject();
}

void PutSegments(JsonOut& j, const PathData& path) {
    j.BeginArray();
    for (size_t i = 0; i < path.SegmentCount(); ++i) {
        const SegmentPoints& p = path.segments[i];
        j.BeginObject();
        j.Key("corner");
        j.Bool(path.segments.Corner(i));
        j.Key("in");
        PutPair(j, p.ix, p.iy);
        j.Key("out");
        PutPair(j, p.ox, p.oy);
        j.Key("p");
        PutPair(j, p.px, p.py);
        j.EndObject();
    }
    j.EndArray();
}

void PutArt(JsonOut& j, const Document& doc, const Art& a, int depth = 0);

// An envelope's held art; a missing one (which the host never leaves) is written as null,
// which the reader refuses.
void PutHeld(JsonOut& j, const Document& doc, ArtId id, int depth) {
    const Art* held = doc.FindArt(id);
    if (!held || depth > 64) return j.Null();
    PutArt(j, doc, *held, depth + 1);
}

void PutArt(JsonOut& j, const Document& doc, const Art& a, int depth) {
    j.BeginObject();
    if (a.kind == ArtKind::Envelope) {
        const EnvelopeData& e = a.envelope;
        j.Key("content");
        PutHeld(j, doc, e.content, depth);
        j.Key("fidelity");
        j.Int(e.fidelity);
        j.Key("flags");
        j.Int(e.flags);
        j.Key("kind");
        j.Text("envelope");
        j.Key("opacity");
        j.Float(a.opacity);
        j.Key("result");
        {
            const PathData result = EnvelopeResult(doc, a);
            j.BeginObject();
            j.Key("closed");
            j.Bool(result.closed);
            j.Key("segments");
            PutSegments(j, result);
            j.EndObject();
        }
        j.Key("shape");
        PutHeld(j, doc, e.shape, depth);
        j.Key("warp");
        j.BeginObject();
        j.Key("bend");
        j.Float(e.bend);
        j.Key("horizontal");
        j.Float(e.horizontal);
        j.Key("rotate");
        j.Bool(e.rotate);
        j.Key("style");
        j.Int(e.warp);
        j.Key("vertical");
        j.Float(e.vertical);
        j.EndObject();
    } else {
        j.Key("closed");
        j.Bool(a.path.closed);
        j.Key("kind");
        j.Text("path");
        j.Key("opacity");
        j.Float(a.opacity);
        j.Key("segments");
        PutSegments(j, a.path);
        j.Key("style");
        PutStyle(j, a.style);
    }
    j.EndObject();
}

// How much of the work an art is, for progress: its stored segments, and one for itself.
double Weight(const Document& doc, const Art& a) {
    if (a.kind != ArtKind::Envelope) return 1.0 + static_cast<double>(a.path.SegmentCount());
    double w = 1.0;
    for (ArtId held : {a.envelope.content, a.envelope.shape})
        if (const Art* h = doc.FindArt(held)) w += static_cast<double>(h->path.SegmentCount());
    return w;
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

// One segment of a segment list, checked as it arrives.
void ReadSegment(PathData& out, const json& s, const std::string& sp) {
    Object(s, sp);
    const auto [px, py] = Point(Field(s, sp, "p"), Key(sp, "p"));
    const auto [ix, iy] = Point(Field(s, sp, "in"), Key(sp, "in"));
    const auto [ox, oy] = Point(Field(s, sp, "out"), Key(sp, "out"));
    const bool corner = Bool(Field(s, sp, "corner"), Key(sp, "corner"));
    out.segments.Append(SegmentPoints{px, py, ix, iy, ox, oy}, corner);
}

// What the reader keeps of an object that holds a segment list (a path, an envelope's
// result) or held art (an envelope): its small fields as a tree, the segments read one by
// one as they arrived, and the held paths. A "segments", "content" or "shape" that is not of
// the expected kind is kept among the fields, where the checks below refuse it.
struct Pieces {
    json fields = json::object();
    bool hasSegments = false;
    PathData segments;
    std::unique_ptr<Pieces> content, shape, result;
};

PathData ReadSegments(Pieces& j, const std::string& path) {
    PathData out;
    if (j.hasSegments)
        out = std::move(j.segments);  // checked segment by segment while reading
    else
        Array(Field(j.fields, path, "segments"), Key(path, "segments"));  // refuses it
    out.closed = Bool(Field(j.fields, path, "closed"), Key(path, "closed"));
    return out;
}

// A path art (kind "path").
Art ReadPath(Pieces& pieces, const std::string& path) {
    const json& j = pieces.fields;
    const json& kind = Field(j, path, "kind");
    if (!kind.is_string() || kind.get_ref<const std::string&>() != "path")
        Fail(Key(path, "kind"), "unknown art kind (expected \"path\")");
    Art a;
    a.kind = ArtKind::Path;
    a.opacity = Opacity(j, path);
    a.style = ReadStyle(Field(j, path, "style"), Key(path, "style"));
    a.path = ReadSegments(pieces, path);
    return a;
}

// An envelope's held path: read whole, or refused as it stands among the fields.
Art ReadHeld(Pieces& envelope, std::unique_ptr<Pieces>& held, const char* key, const std::string& path) {
    const std::string heldPath = Key(path, key);
    if (!held) {
        Object(Field(envelope.fields, path, key), heldPath);  // missing, or not an object
        Fail(heldPath, "expected an object");
    }
    return ReadPath(*held, heldPath);
}

// Stores art read from a dump under the next id of a fresh document.
ArtId Store(Document& doc, Art a, const std::string& path) {
    if (doc.ReserveArt() == 0) Fail(path, "more art than a document can hold");
    return doc.AddArt(std::move(a));
}

// Layer art: a path, or an envelope whose content and shape are stored first (taking the ids
// before the envelope's) and held by it. The computed result is checked and then left, since
// the host computes it afresh from content, shape and warp.
ArtId ReadLayerArt(Document& doc, Pieces& pieces, const std::string& path) {
    const json& j = pieces.fields;
    const json& kind = Field(j, path, "kind");
    if (kind.is_string() && kind.get_ref<const std::string&>() == "path") return Store(doc, ReadPath(pieces, path), path);
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
    const std::string resultPath = Key(path, "result");
    if (pieces.result)
        ReadSegments(*pieces.result, resultPath);
    else if (const json* result = OptionalField(j, "result"))
        Object(*result, resultPath);  // not an object: refused
    Art content = ReadHeld(pieces, pieces.content, "content", path);
    Art shape = ReadHeld(pieces, pieces.shape, "shape", path);
    d.content = Store(doc, std::move(content), Key(path, "content"));
    d.shape = Store(doc, std::move(shape), Key(path, "shape"));
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

// ---------------------------------------------------------------------------------------
// The reader's event handler. nlohmann::json's SAX parser hands over the text a value at a
// time; containers that can be large (the layers, each layer's art, segment lists, symbols)
// are followed by frames that build the document as their elements complete, and everything
// else (a paint record, a page size, one segment) is built as a small tree and checked by the
// functions above. No tree of the whole document is ever held.

enum class Next { Object, Array, Scalar };

class Frame {
public:
    virtual ~Frame() = default;
    // An object frame learns each key before its value.
    virtual void OnKey(std::string& /*key*/) {}
    // For the next value: a frame to follow it with, or null to build it as a tree (or to
    // skip it, when Skip says so).
    virtual std::unique_ptr<Frame> Child(Next /*next*/) { return nullptr; }
    virtual bool Skip() { return false; }
    // The next value, built as a tree.
    virtual void Take(json&& value) = 0;
    // The frame's own container has ended.
    virtual void End() {}
};

// Keys the reader knows in an object; others are skipped without being built.
bool Known(std::initializer_list<const char*> keys, const std::string& key) {
    for (const char* k : keys)
        if (key == k) return true;
    return false;
}

// A segment list: each segment is built as a small tree and checked as it completes.
class SegmentsFrame final : public Frame {
public:
    SegmentsFrame(Pieces& target, std::string path) : target_(target), path_(std::move(path)) {
        target_.hasSegments = true;
    }
    void Take(json&& value) override {
        const size_t i = target_.segments.SegmentCount();
        if (i >= static_cast<size_t>(kAIMaxPathSegments))
            Fail(path_, "more than " + std::to_string(kAIMaxPathSegments) + " segments");
        ReadSegment(target_.segments, value, Index(path_, i));
    }
    void End() override {
        // Growth by doubling leaves room a stored path does not keep.
        target_.segments.segments.ShrinkToFit();
    }

private:
    Pieces& target_;
    std::string path_;
};

// An object with a segment list or held art: a path, an envelope, an envelope's result.
class PiecesFrame : public Frame {
public:
    PiecesFrame(Pieces& target, std::string path, bool envelopeKeys)
        : target_(target), path_(std::move(path)), envelopeKeys_(envelopeKeys) {}
    void OnKey(std::string& key) override { key_ = std::move(key); }
    bool Skip() override {
        if (envelopeKeys_ && Known({"content", "shape", "result"}, key_)) return false;
        return !Known({"segments", "closed", "kind", "opacity", "style", "flags", "fidelity", "warp"}, key_);
    }
    std::unique_ptr<Frame> Child(Next next) override {
        if (key_ == "segments" && next == Next::Array) {
            // A repeated key replaces the earlier value, as for any other field.
            target_.segments = PathData{};
            target_.fields.erase(key_);
            return std::make_unique<SegmentsFrame>(target_, Key(path_, "segments"));
        }
        if (envelopeKeys_ && next == Next::Object) {
            std::unique_ptr<Pieces>* held = key_ == "content" ? &target_.content
                                            : key_ == "shape" ? &target_.shape
                                            : key_ == "result" ? &target_.result
                                                               : nullptr;
            if (held) {
                *held = std::make_unique<Pieces>();
                target_.fields.erase(key_);
                return std::make_unique<PiecesFrame>(**held, Key(path_, key_.c_str()), false);
            }
        }
        return nullptr;
    }
    void Take(json&& value) override {
        if (key_ == "segments") target_.hasSegments = false;
        if (key_ == "content") target_.content.reset();
        if (key_ == "shape") target_.shape.reset();
        if (key_ == "result") target_.result.reset();
        target_.fields[key_] = std::move(value);
    }

protected:
    Pieces& target_;
    std::string path_;

private:
    bool envelopeKeys_;
    std::string key_;
};

// One art of a layer's art list, stored in the document as soon as it has been read.
class LayerArtFrame final : public PiecesFrame {
public:
    LayerArtFrame(Document& doc, std::vector<ArtId>& art, std::string path)
        : PiecesFrame(pieces_, std::move(path), true), doc_(doc), art_(art) {}
    void End() override { art_.push_back(ReadLayerArt(doc_, pieces_, path_)); }

private:
    Pieces pieces_;
    Document& doc_;
    std::vector<ArtId>& art_;
};

// A list whose elements must be objects, each followed by a frame of its own.
class ListFrame final : public Frame {
public:
    using Make = std::function<std::unique_ptr<Frame>(const std::string& elementPath)>;
    ListFrame(std::string path, Make make) : path_(std::move(path)), make_(std::move(make)) {}
    std::unique_ptr<Frame> Child(Next next) override {
        const std::string ep = Index(path_, count_++);
        if (next != Next::Object) Fail(ep, "expected an object");
        return make_(ep);
    }
    void Take(json&&) override {}  // not reached: Child refuses what is not an object

private:
    std::string path_;
    Make make_;
    size_t count_ = 0;
};

class LayerFrame final : public Frame {
public:
    LayerFrame(Document& doc, std::string path) : doc_(doc), path_(std::move(path)) {}
    void OnKey(std::string& key) override { key_ = std::move(key); }
    bool Skip() override { return !Known({"name", "visible", "locked", "art"}, key_); }
    std::unique_ptr<Frame> Child(Next next) override {
        if (key_ != "art" || next != Next::Array) return nullptr;
        if (haveArt_) Fail(Key(path_, "art"), "given twice");
        haveArt_ = true;
        fields_.erase("art");
        return std::make_unique<ListFrame>(Key(path_, "art"), [this](const std::string& ep) {
            return std::make_unique<LayerArtFrame>(doc_, layer_.art, ep);
        });
    }
    void Take(json&& value) override {
        if (key_ == "art" && haveArt_) Fail(Key(path_, "art"), "given twice");
        fields_[key_] = std::move(value);
    }
    void End() override {
        const std::string& lp = path_;
        layer_.id = doc_.nextLayerId++;
        layer_.name = String(Field(fields_, lp, "name"), Key(lp, "name"));
        layer_.visible = Bool(Field(fields_, lp, "visible"), Key(lp, "visible"));
        layer_.locked = Bool(Field(fields_, lp, "locked"), Key(lp, "locked"));
        if (!haveArt_) Array(Field(fields_, lp, "art"), Key(lp, "art"));  // missing or not an array
        doc_.layers.push_back(std::move(layer_));
    }

private:
    Document& doc_;
    std::string path_;
    std::string key_;
    json fields_ = json::object();
    Layer layer_;
    bool haveArt_ = false;
};

class SymbolFrame final : public Frame {
public:
    SymbolFrame(Document& doc, std::string path) : doc_(doc), path_(std::move(path)) {}
    void OnKey(std::string& key) override { key_ = std::move(key); }
    bool Skip() override { return !Known({"name", "art"}, key_); }
    std::unique_ptr<Frame> Child(Next next) override {
        if (key_ != "art" || next != Next::Object) return nullptr;
        art_ = std::make_unique<Pieces>();
        fields_.erase("art");
        return std::make_unique<PiecesFrame>(*art_, Key(path_, "art"), false);
    }
    void Take(json&& value) override {
        if (key_ == "art") art_.reset();
        fields_[key_] = std::move(value);
    }
    void End() override {
        const std::string& sp = path_;
        Symbol symbol;
        symbol.name = String(Field(fields_, sp, "name"), Key(sp, "name"));
        const std::string ap = Key(sp, "art");
        if (!art_) {
            Object(Field(fields_, sp, "art"), ap);  // missing, or not an object
            Fail(ap, "expected an object");
        }
        symbol.art = ReadPath(*art_, ap);
        symbol.art.id = 0;
        doc_.symbols.push_back(std::move(symbol));
    }

private:
    Document& doc_;
    std::string path_;
    std::string key_;
    json fields_ = json::object();
    std::unique_ptr<Pieces> art_;
};

// The document object. Layers and symbols are read into `work` as they come (ids are handed
// out in load order, whatever the order of the keys); the rest is kept as small trees and
// checked at the end, when the colour model is known.
class RootFrame final : public Frame {
public:
    explicit RootFrame(std::optional<Document>& result) : result_(result) {}
    void OnKey(std::string& key) override { key_ = std::move(key); }
    bool Skip() override {
        return !Known({"page", "colorModel", "layers", "currentLayer", "symbols", "views", "swatches",
                       "styles", "currentPaint"},
                      key_);
    }
    std::unique_ptr<Frame> Child(Next next) override {
        if (next != Next::Array) return nullptr;
        if (key_ == "layers") {
            if (haveLayers_) Fail("layers", "given twice");
            haveLayers_ = true;
            fields_.erase(key_);
            return std::make_unique<ListFrame>("layers", [this](const std::string& ep) {
                return std::make_unique<LayerFrame>(work_, ep);
            });
        }
        if (key_ == "symbols") {
            if (haveSymbols_) Fail("symbols", "given twice");
            haveSymbols_ = true;
            fields_.erase(key_);
            return std::make_unique<ListFrame>("symbols", [this](const std::string& ep) {
                return std::make_unique<SymbolFrame>(work_, ep);
            });
        }
        return nullptr;
    }
    void Take(json&& value) override {
        if ((key_ == "layers" && haveLayers_) || (key_ == "symbols" && haveSymbols_)) Fail(key_, "given twice");
        fields_[key_] = std::move(value);
    }
    void End() override {
        const json& dump = fields_;
        const std::string root;
        const json& page = Object(Field(dump, root, "page"), "page");
        const float width = Float(Field(page, "page", "width"), "page.width");
        const float height = Float(Field(page, "page", "height"), "page.height");
        if (!(width > 0.0f)) Fail("page.width", "must be greater than 0");
        if (!(height > 0.0f)) Fail("page.height", "must be greater than 0");
        const ColorModel model = ReadColorModel(Field(dump, root, "colorModel"), "colorModel");
        if (!haveLayers_) Array(Field(dump, root, "layers"), "layers");  // missing or not an array

        Document doc = NewDocument(model);
        doc.pageWidth = width;
        doc.pageHeight = height;
        for (View& v : doc.views) {
            v.centreX = width * 0.5f;
            v.centreY = height * 0.5f;
        }
        doc.layers = std::move(work_.layers);
        doc.arts = std::move(work_.arts);
        doc.freedArtIds = std::move(work_.freedArtIds);
        doc.nextLayerId = work_.nextLayerId;
        doc.currentLayer = 0;

        const json& current = Field(dump, root, "currentLayer");
        if (doc.layers.empty()) {
            if (!current.is_null()) Fail("currentLayer", "must be null in a document without layers");
        } else {
            if (current.is_null()) Fail("currentLayer", "expected a layer index, got null");
            const auto index = Int(current, "currentLayer", 0, static_cast<int64_t>(doc.layers.size()) - 1);
            doc.currentLayer = doc.layers[static_cast<size_t>(index)].id;
        }

        if (!haveSymbols_) Array(Field(dump, root, "symbols"), "symbols");  // missing or not an array
        doc.symbols = std::move(work_.symbols);

        if (const json* v = OptionalField(dump, "views")) doc.views = ReadViews(*v, "views");
        if (const json* s = OptionalField(dump, "swatches")) doc.swatches = ReadSwatches(*s, "swatches");
        if (const json* s = OptionalField(dump, "styles")) doc.styles = ReadStyles(*s, "styles");
        if (const json* p = OptionalField(dump, "currentPaint")) doc.currentPaint = ReadStyle(*p, "currentPaint");
        // The host checks its memory budget against this running total, not a fresh walk.
        doc.artBytesHeld = doc.ArtBytes();
        result_ = std::move(doc);
    }

private:
    std::optional<Document>& result_;
    std::string key_;
    json fields_ = json::object();
    Document work_;
    bool haveLayers_ = false, haveSymbols_ = false;
};

// Stands above the document: the text's one value must be an object.
class TopFrame final : public Frame {
public:
    explicit TopFrame(std::optional<Document>& result) : result_(result) {}
    std::unique_ptr<Frame> Child(Next next) override {
        if (next != Next::Object) return nullptr;
        return std::make_unique<RootFrame>(result_);
    }
    void Take(json&&) override { Fail("", "expected an object"); }

private:
    std::optional<Document>& result_;
};

// The SAX handler: passes events to the innermost frame, or builds the small tree it asked
// for, or skips a value no one reads.
class Handler {
public:
    Handler() { frames_.push_back(std::make_unique<TopFrame>(result_)); }

    Document Result() {
        if (!result_) Fail("", "expected an object");
        return std::move(*result_);
    }

    bool null() { return Scalar(nullptr); }
    bool boolean(bool b) { return Scalar(b); }
    bool number_integer(json::number_integer_t v) { return Scalar(v); }
    bool number_unsigned(json::number_unsigned_t v) { return Scalar(v); }
    bool number_float(json::number_float_t v, const std::string&) { return Scalar(v); }
    bool string(std::string& s) { return Scalar(std::move(s)); }
    bool binary(json::binary_t& b) { return Scalar(std::move(b)); }

    bool start_object(std::size_t) { return Start(Next::Object); }
    bool start_array(std::size_t) { return Start(Next::Array); }
    bool end_object() { return Finish(); }
    bool end_array() { return Finish(); }

    bool key(std::string& k) {
        if (skipDepth_ > 0) return true;
        if (!tree_.empty()) {
            treeKey_ = std::move(k);
            return true;
        }
        frames_.back()->OnKey(k);
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        throw DumpError(std::string("document: not valid JSON: ") + e.what());
    }

private:
    // Where a new tree value goes: into the innermost open tree container.
    json* Place(json&& value) {
        json& parent = *tree_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        json& slot = parent[treeKey_];
        slot = std::move(value);
        return &slot;
    }

    bool Scalar(json&& value) {
        if (skipDepth_ > 0) return true;
        if (!tree_.empty()) {
            Place(std::move(value));
            return true;
        }
        Frame& f = *frames_.back();
        if (f.Skip()) return true;
        if (auto child = f.Child(Next::Scalar)) Fail("", "internal: a frame for a scalar");
        f.Take(std::move(value));
        return true;
    }

    bool Start(Next next) {
        if (skipDepth_ > 0) {
            ++skipDepth_;
            return true;
        }
        json empty = next == Next::Object ? json::object() : json::array();
        if (!tree_.empty()) {
            tree_.push_back(Place(std::move(empty)));
            return true;
        }
        Frame& f = *frames_.back();
        if (f.Skip()) {
            skipDepth_ = 1;
            return true;
        }
        if (auto child = f.Child(next)) {
            frames_.push_back(std::move(child));
            return true;
        }
        treeRoot_ = std::move(empty);
        tree_.push_back(&treeRoot_);
        return true;
    }

    bool Finish() {
        if (skipDepth_ > 0) {
            --skipDepth_;
            return true;
        }
        if (!tree_.empty()) {
            tree_.pop_back();
            if (tree_.empty()) frames_.back()->Take(std::move(treeRoot_));
            return true;
        }
        std::unique_ptr<Frame> done = std::move(frames_.back());
        frames_.pop_back();
        done->End();
        return true;
    }

    std::optional<Document> result_;
    std::vector<std::unique_ptr<Frame>> frames_;
    json treeRoot_;
    std::vector<json*> tree_;
    std::string treeKey_;
    size_t skipDepth_ = 0;
};

// Reads a file through a buffer of its own, for the parser's input iterator.
class FileSource {
public:
    FileSource(std::FILE* f, uint64_t size, Progress* progress)
        : f_(f), size_(size), progress_(progress), buffer_(new char[kBuffer]) {}

    // Whether the file has ended; reads the next piece when the buffer is used up.
    bool AtEnd() {
        if (pos_ < len_) return false;
        if (eof_) return true;
        len_ = std::fread(buffer_.get(), 1, kBuffer, f_);
        pos_ = 0;
        read_ += len_;
        if (len_ < kBuffer) {
            if (std::ferror(f_)) throw std::system_error(errno ? errno : EIO, std::generic_category());
            eof_ = true;
        }
        ReportOrCancel(progress_, size_ > 0 ? std::min(1.0, static_cast<double>(read_) / static_cast<double>(size_)) : 1.0);
        return len_ == 0;
    }
    char Current() const { return buffer_[pos_]; }
    void Advance() { ++pos_; }

private:
    static constexpr size_t kBuffer = size_t{1} << 20;
    std::FILE* f_;
    uint64_t size_;
    Progress* progress_;
    std::unique_ptr<char[]> buffer_;
    size_t pos_ = 0, len_ = 0;
    uint64_t read_ = 0;
    bool eof_ = false;
};

// An input iterator over a FileSource; the default-made one is the end.
class FileIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    FileIterator() = default;
    explicit FileIterator(FileSource* source) : source_(source) {}
    char operator*() const { return source_->Current(); }
    FileIterator& operator++() {
        source_->Advance();
        return *this;
    }
    FileIterator operator++(int) {
        FileIterator before = *this;
        source_->Advance();
        return before;
    }
    bool operator==(const FileIterator& other) const { return Ended() == other.Ended(); }
    bool operator!=(const FileIterator& other) const { return !(*this == other); }

private:
    bool Ended() const { return !source_ || source_->AtEnd(); }
    FileSource* source_ = nullptr;
};

template <typename Parse>
Document ReadWith(Parse parse) {
    Handler handler;
    parse(handler);
    return handler.Result();
}

}  // namespace

void DumpDocument(const Document& doc, TextWriter& out, Progress* progress) {
    JsonOut j(out);
    double total = 0.0;
    for (const Layer& l : doc.layers)
        for (ArtId id : l.art)
            if (const Art* a = doc.FindArt(id)) total += Weight(doc, *a);
    double done = 0.0;

    j.BeginObject();
    j.Key("colorModel");
    j.Text(ColorModelName(doc.colorModel));
    j.Key("currentLayer");
    {
        bool found = false;
        for (size_t i = 0; i < doc.layers.size() && !found; ++i)
            if (doc.layers[i].id == doc.currentLayer) {
                j.Unsigned(i);
                found = true;
            }
        if (!found) j.Null();
    }
    j.Key("currentPaint");
    PutStyle(j, doc.currentPaint);
    j.Key("layers");
    j.BeginArray();
    for (const Layer& l : doc.layers) {
        j.BeginObject();
        j.Key("art");
        j.BeginArray();
        for (ArtId id : l.art)
            if (const Art* a = doc.FindArt(id)) {
                PutArt(j, doc, *a);
                done += Weight(doc, *a);
                ReportOrCancel(progress, total > 0 ? std::min(1.0, done / total) : 1.0);
            }
        j.EndArray();
        j.Key("locked");
        j.Bool(l.locked);
        j.Key("name");
        j.String(l.name);
        j.Key("visible");
        j.Bool(l.visible);
        j.EndObject();
    }
    j.EndArray();
    j.Key("page");
    j.BeginObject();
    j.Key("height");
    j.Float(doc.pageHeight);
    j.Key("width");
    j.Float(doc.pageWidth);
    j.EndObject();
    j.Key("styles");
    j.BeginArray();
    for (const GraphicStyle& g : doc.styles) {
        j.BeginObject();
        j.Key("name");
        j.String(g.name);
        j.Key("opacity");
        j.Float(g.opacity);
        j.Key("style");
        PutStyle(j, g.paint);
        j.EndObject();
    }
    j.EndArray();
    j.Key("swatches");
    j.BeginArray();
    for (const Swatch& s : doc.swatches) {
        j.BeginObject();
        j.Key("color");
        PutColor(j, s.color);
        j.Key("name");
        j.String(s.name);
        j.EndObject();
    }
    j.EndArray();
    j.Key("symbols");
    j.BeginArray();
    for (const Symbol& s : doc.symbols) {
        j.BeginObject();
        j.Key("art");
        PutArt(j, doc, s.art);
        j.Key("name");
        j.String(s.name);
        j.EndObject();
    }
    j.EndArray();
    j.Key("views");
    j.BeginArray();
    for (const View& v : doc.views) {
        j.BeginObject();
        j.Key("centre");
        PutPair(j, v.centreX, v.centreY);
        j.Key("heightPx");
        j.Int(v.heightPx);
        j.Key("widthPx");
        j.Int(v.widthPx);
        j.Key("zoom");
        j.Float(v.zoom);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    out.Put('\n');
}

std::string DumpDocumentText(const Document& doc) {
    std::string text;
    {
        StringWriter out(text);
        DumpDocument(doc, out);
        out.Flush();
    }
    return text;
}

json DumpDocument(const Document& doc) { return json::parse(DumpDocumentText(doc)); }

Document LoadDocumentText(std::string_view text) {
    return ReadWith([&](Handler& h) { json::sax_parse(text.begin(), text.end(), &h); });
}

Document LoadDocument(const json& dump) {
    // Through the text, so that a tree is checked exactly as a file is.
    return LoadDocumentText(dump.dump(-1, ' ', false, json::error_handler_t::replace));
}

Document LoadDocumentFile(const std::string& path, Progress* progress) {
    const auto fail = [&](const std::string& reason) -> DumpError {
        return DumpError("cannot read \"" + path + "\": " + reason);
    };
    errno = 0;
    std::FILE* f = OpenForReading(path);
    if (!f) throw fail(errno ? std::generic_category().message(errno) : "cannot open the file");
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(f, std::fclose);
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    try {
        FileSource source(f, ec ? 0 : static_cast<uint64_t>(size), progress);
        return ReadWith([&](Handler& h) { json::sax_parse(FileIterator(&source), FileIterator(), &h); });
    } catch (const DumpError& e) {
        throw fail(e.what());
    } catch (const std::bad_alloc&) {
        throw fail("out of memory");
    } catch (const std::system_error& e) {
        throw fail(e.code().message());
    }
}

}  // namespace easel
