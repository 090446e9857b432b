#include "Document.h"

#include <algorithm>
#include <cstring>

namespace easel {

AIPathSegment PathData::Segment(size_t i) const {
    const SegmentPoints& s = segments[i];
    AIPathSegment out{};
    out.p = {s.px, s.py};
    out.in = {s.ix, s.iy};
    out.out = {s.ox, s.oy};
    out.corner = segments.Corner(i) ? 1 : 0;
    return out;
}

void PathData::SetSegment(size_t i, const AIPathSegment& s) {
    const SegmentPoints packed{s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v};
    if (i == segments.size())
        segments.Append(packed, s.corner != 0);
    else
        segments.Set(i, packed, s.corner != 0);
}

Layer* Document::FindLayer(LayerId id) {
    for (Layer& l : layers)
        if (l.id == id) return &l;
    return nullptr;
}

const Layer* Document::FindLayer(LayerId id) const {
    return const_cast<Document*>(this)->FindLayer(id);
}

Layer* Document::LayerOf(ArtId id) {
    for (Layer& l : layers)
        for (ArtId a : l.art)
            if (a == id) return &l;
    return nullptr;
}

ArtId Document::PlacedArt(ArtId id) const {
    // An envelope never holds itself, but a forged cycle must not loop: a chain can be no
    // longer than the number of arts.
    for (size_t hops = 0; hops <= arts.size(); ++hops) {
        const Art* art = FindArt(id);
        if (!art) return 0;
        if (art->owner == 0) return id;
        id = art->owner;
    }
    return 0;
}

size_t PathBytes(const PathData& path) { return PathBytesFor(path.segments.capacity()); }

size_t CopyBytes(const Art& art) { return sizeof(Art) + PathBytes(art.path); }

size_t SymbolBytes(const Symbol& symbol) { return sizeof(Symbol) + PathBytes(symbol.art.path); }

size_t Document::ArtBytes() const {
    size_t bytes = arts.capacity() * sizeof(std::optional<Art>);
    for (size_t i = 0; i < spareCount; ++i) bytes += PathBytes(sparePaths[i]);
    bytes += journalBytes;
    for (const auto& a : arts)
        if (a) bytes += PathBytes(a->path);
    for (const Layer& l : layers) bytes += l.art.capacity() * sizeof(ArtId);
    for (const Symbol& s : symbols) bytes += SymbolBytes(s);
    return bytes;
}

namespace {

constexpr ArtId kGenerationStep = ArtId(1) << kArtSlotBits;
constexpr uint64_t kArtIdEnd = uint64_t{1} << kArtIdBits;  // the first id past the range

}  // namespace

ArtId Document::ReserveArt() {
    // A slot whose generations are used up is retired for good rather than wrap around.
    while (!freedArtIds.empty() && uint64_t{freedArtIds.back()} + kGenerationStep >= kArtIdEnd)
        freedArtIds.pop_back();
    if (!freedArtIds.empty()) return freedArtIds.back() + kGenerationStep;
    if (arts.size() >= kArtSlotMask) return 0;
    // Doubling by hand keeps the growth, and so the budget check, predictable.
    if (arts.size() == arts.capacity()) arts.reserve(arts.empty() ? 16 : arts.capacity() * 2);
    // Every slot can be freed at most once at a time, so this room lets RemoveArt never fail.
    if (freedArtIds.capacity() < arts.capacity()) freedArtIds.reserve(arts.capacity());
    return static_cast<ArtId>(arts.size() + 1);
}

ArtId Document::AddArt(Art art) noexcept {
    const ArtId id = ReserveArt();  // cannot allocate: the caller reserved already
    art.id = id;
    if (!freedArtIds.empty()) {
        freedArtIds.pop_back();
        arts[ArtSlot(id)].emplace(std::move(art));
    } else {
        arts.emplace_back(std::move(art));
    }
    return id;
}

void Document::RemoveArt(ArtId id) noexcept {
    if (!FindArt(id)) return;
    arts[ArtSlot(id)].reset();
    if (freedArtIds.size() < freedArtIds.capacity()) freedArtIds.push_back(id);  // see ReserveArt
}

size_t Document::RemoveArtKeepingStorage(ArtId id) noexcept {
    Art* art = FindArt(id);
    if (!art) return 0;
    size_t kept = 0;
    // Storage shared with a copy (a render list's, the journal's) is not the document's to reuse.
    if (spareCount < kSparePathLimit && art->path.segments.capacity() > 0 && !art->path.segments.Shared()) {
        PathData& spare = sparePaths[spareCount++];
        spare.segments = std::move(art->path.segments);
        spare.segments.Clear();
        spare.closed = false;
        kept = PathBytes(spare);
    }
    RemoveArt(id);
    return kept;
}

PathData Document::TakeSparePath() noexcept {
    if (spareCount == 0) return {};
    return std::move(sparePaths[--spareCount]);
}

size_t Document::ReleaseSparePaths() noexcept {
    size_t freed = 0;
    while (spareCount > 0) {
        PathData& spare = sparePaths[--spareCount];
        freed += PathBytes(spare);
        spare = PathData{};
    }
    return freed;
}

PaintColor GrayColor(float ink) {
    PaintColor c{};
    c.kind = kGrayColor;
    c.c[0] = ink;
    return c;
}

PaintColor RgbColor(float r, float g, float b) {
    PaintColor c{};
    c.kind = kThreeColor;
    c.c[0] = r;
    c.c[1] = g;
    c.c[2] = b;
    return c;
}

PaintColor CmykColor(float cy, float m, float y, float k) {
    PaintColor c{};
    c.kind = kFourColor;
    c.c[0] = cy;
    c.c[1] = m;
    c.c[2] = y;
    c.c[3] = k;
    return c;
}

PaintColor NoneColor() {
    PaintColor c{};
    c.kind = kNoneColor;
    return c;
}

namespace {

PaintColor White(ColorModel model) {
    switch (model) {
        case ColorModel::Gray: return GrayColor(0.0f);
        case ColorModel::CMYK: return CmykColor(0, 0, 0, 0);
        case ColorModel::RGB: break;
    }
    return RgbColor(1, 1, 1);
}

PaintColor Black(ColorModel model) {
    switch (model) {
        case ColorModel::Gray: return GrayColor(1.0f);
        case ColorModel::CMYK: return CmykColor(0, 0, 0, 1);
        case ColorModel::RGB: break;
    }
    return RgbColor(0, 0, 0);
}

PaintColor Special(int32_t kind, int32_t ref, float tint = 0.0f) {
    PaintColor c{};
    c.kind = kind;
    c.ref = ref;
    c.c[0] = tint;
    return c;
}

}  // namespace

PathStyle DefaultPaint(ColorModel model) {
    PathStyle s{};
    s.fillPaint = 1;
    s.strokePaint = 1;
    s.fillColor = White(model);
    s.strokeColor = Black(model);
    s.strokeWidth = 1.0f;
    s.miterLimit = 4.0f;
    return s;
}

namespace {

// An sRGB colour written in the document's model: gray as ink (1 - luminance), cmyk by the
// plain conversion without colour management, the inverse of what SVG export shows.
PaintColor InModel(ColorModel model, float r, float g, float b) {
    switch (model) {
        case ColorModel::Gray: return GrayColor(1.0f - (0.299f * r + 0.587f * g + 0.114f * b));
        case ColorModel::CMYK: {
            const float k = 1.0f - std::max({r, g, b});
            if (k >= 1.0f) return CmykColor(0, 0, 0, 1);
            return CmykColor((1 - r - k) / (1 - k), (1 - g - k) / (1 - k), (1 - b - k) / (1 - k), k);
        }
        case ColorModel::RGB: break;
    }
    return RgbColor(r, g, b);
}

}  // namespace

std::vector<GraphicStyle> DefaultStyles(ColorModel model) {
    const PathStyle base = DefaultPaint(model);
    std::vector<GraphicStyle> styles;
    const auto add = [&](const char* name, float opacity, auto&& change) {
        GraphicStyle g;
        g.name = name;
        g.paint = base;
        g.opacity = opacity;
        change(g.paint);
        styles.push_back(std::move(g));
    };
    add("[Default]", 1.0f, [](PathStyle&) {});
    add("Gold", 1.0f, [&](PathStyle& p) {
        p.fillColor = InModel(model, 1.0f, 0.8f, 0.1f);
        p.strokeColor = InModel(model, 0.6f, 0.4f, 0.0f);
        p.strokeWidth = 1.5f;
    });
    add("Ember", 0.8f, [&](PathStyle& p) {
        p.fillColor = InModel(model, 0.9f, 0.3f, 0.1f);
        p.strokePaint = 0;
    });
    add("Ice", 0.6f, [&](PathStyle& p) {
        p.fillColor = InModel(model, 0.75f, 0.9f, 1.0f);
        p.strokeColor = InModel(model, 0.2f, 0.4f, 0.8f);
        p.strokeWidth = 0.5f;
    });
    add("Outline", 1.0f, [&](PathStyle& p) {
        p.fillPaint = 0;
        p.strokeWidth = 2.0f;
        p.join = 1;
        p.cap = 1;
    });
    add("Ghost", 0.35f, [&](PathStyle& p) { p.strokeColor = InModel(model, 0.5f, 0.5f, 0.5f); });
    return styles;
}

Document NewDocument(ColorModel model) {
    Document d;
    d.colorModel = model;
    d.views.push_back(View{d.pageWidth * 0.5f, d.pageHeight * 0.5f, 1.0f, 800, 600});
    Layer first;
    first.id = d.nextLayerId++;
    first.name = "Layer 1";
    d.layers.push_back(first);
    d.currentLayer = first.id;
    d.currentPaint = DefaultPaint(model);

    // The first two swatches cannot be painted with; then white, black, the process
    // colours, a gradient and a pattern.
    d.swatches = {
        {"[None]", NoneColor()},
        {"[Registration]", Special(kCustomColor, 0, 1.0f)},
        {"White", White(model)},
        {"Black", Black(model)},
        {"Cyan", CmykColor(1, 0, 0, 0)},
        {"Magenta", CmykColor(0, 1, 0, 0)},
        {"Yellow", CmykColor(0, 0, 1, 0)},
        {"Red", RgbColor(1, 0, 0)},
        {"Green", RgbColor(0, 1, 0)},
        {"Blue", RgbColor(0, 0, 1)},
        {"White, Black", Special(kGradientColor, 1)},
        {"Stripes", Special(kPatternColor, 1)},
    };
    d.styles = DefaultStyles(model);
    return d;
}

namespace {

// An empty vector's data() may be null, which memcmp must not be given.
bool SameBytes(const void* a, const void* b, size_t n) { return n == 0 || std::memcmp(a, b, n) == 0; }

bool SameColor(const PaintColor& a, const PaintColor& b) {
    return a.kind == b.kind && a.ref == b.ref && SameBytes(a.c, b.c, sizeof a.c);
}

bool SameStyle(const PathStyle& a, const PathStyle& b) {
    return a.fillPaint == b.fillPaint && a.strokePaint == b.strokePaint &&
           SameColor(a.fillColor, b.fillColor) && SameColor(a.strokeColor, b.strokeColor) &&
           SameBytes(&a.strokeWidth, &b.strokeWidth, sizeof(float)) &&
           a.fillOverprint == b.fillOverprint && a.strokeOverprint == b.strokeOverprint &&
           a.evenOdd == b.evenOdd && a.cap == b.cap && a.join == b.join &&
           SameBytes(&a.miterLimit, &b.miterLimit, sizeof(float)) &&
           a.dash.count == b.dash.count && SameBytes(a.dash.array, b.dash.array, sizeof a.dash.array) &&
           SameBytes(&a.dash.offset, &b.dash.offset, sizeof(float));
}

bool SameFloat(float a, float b) { return SameBytes(&a, &b, sizeof(float)); }

bool SameArt(const Document& da, const Art& a, const Document& db, const Art& b, int depth = 0) {
    if (a.kind == ArtKind::Envelope || b.kind == ArtKind::Envelope) {
        if (a.kind != b.kind || depth > 64) return false;
        const EnvelopeData& x = a.envelope;
        const EnvelopeData& y = b.envelope;
        if (x.flags != y.flags || x.fidelity != y.fidelity || x.warp != y.warp ||
            !SameFloat(x.bend, y.bend) || !SameFloat(x.horizontal, y.horizontal) ||
            !SameFloat(x.vertical, y.vertical) || x.rotate != y.rotate || !SameFloat(a.opacity, b.opacity))
            return false;
        // Content and shape are compared by what they hold, since ids differ between documents.
        const Art* ca = da.FindArt(x.content);
        const Art* cb = db.FindArt(y.content);
        const Art* sa = da.FindArt(x.shape);
        const Art* sb = db.FindArt(y.shape);
        return ca && cb && sa && sb && SameArt(da, *ca, db, *cb, depth + 1) &&
               SameArt(da, *sa, db, *sb, depth + 1);
    }
    return a.kind == b.kind && a.path.closed == b.path.closed &&
           SameSegments(a.path.segments, b.path.segments) && SameStyle(a.style, b.style) &&
           SameBytes(&a.opacity, &b.opacity, sizeof(float));
}

}  // namespace

Document NewDocument(ColorModel model, float pageWidth, float pageHeight) {
    Document d = NewDocument(model);
    d.pageWidth = pageWidth;
    d.pageHeight = pageHeight;
    for (View& v : d.views) {
        v.centreX = pageWidth * 0.5f;
        v.centreY = pageHeight * 0.5f;
    }
    return d;
}

// Compares what a document shows and keeps: page, colour model, layers with their art in
// order, and symbols. Ids and the host's bookkeeping (views, swatches) are not compared,
// since a document read back from a dump numbers its art afresh.
bool SameDocument(const Document& a, const Document& b) {
    if (a.pageWidth != b.pageWidth || a.pageHeight != b.pageHeight ||
        a.colorModel != b.colorModel || a.layers.size() != b.layers.size() ||
        a.symbols.size() != b.symbols.size())
        return false;
    for (size_t i = 0; i < a.layers.size(); ++i) {
        const Layer& la = a.layers[i];
        const Layer& lb = b.layers[i];
        if (la.name != lb.name || la.visible != lb.visible || la.locked != lb.locked ||
            la.art.size() != lb.art.size())
            return false;
        for (size_t j = 0; j < la.art.size(); ++j) {
            const Art* x = a.FindArt(la.art[j]);
            const Art* y = b.FindArt(lb.art[j]);
            if (!x || !y || !SameArt(a, *x, b, *y)) return false;
        }
    }
    for (size_t i = 0; i < a.symbols.size(); ++i)
        if (a.symbols[i].name != b.symbols[i].name || !SameArt(a, a.symbols[i].art, b, b.symbols[i].art))
            return false;
    return true;
}

}  // namespace easel
