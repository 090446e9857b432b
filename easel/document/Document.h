// Document.h: Easel's document model.
//
// Conventions: points, y upward, origin at the page's bottom-left corner (as host/AITypes.h).
// Layers are stored bottom first; each layer's art is in paint order, bottom first. Art and
// layers are addressed by stable ids (never by pointers into containers that move); an id
// is never reused within a document, so a stale handle is always detectable.
//
// An art id names a slot of Document::arts and the slot's generation:
//   id = (generation << kArtSlotBits) | (slot + 1)
// A slot emptied by undo is handed out again under the next generation, so a preview that
// is drawn and undone thousands of times keeps `arts` at the size of one preview while every
// id it ever gave out stays dead. A document built by appending (generation 0) simply has
// arts[id - 1].
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The same seed draws the same stars on every build only if floats round alike: on 32-bit x86
// that means SSE arithmetic, not the x87 unit's wider registers.
#if (defined(__i386__) || defined(_M_IX86)) && defined(__GNUC__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds need SSE arithmetic (-msse2 -mfpmath=sse)"
#endif

#include "AIPath.h"
#include "AIPathStyle.h"
#include "document/SegmentStore.h"

namespace easel {

using ArtId = uint32_t;    // 0 is never a live art
using LayerId = uint32_t;  // 0 is never a live layer

enum class ColorModel { Gray, RGB, CMYK };

// A path holds segments; an envelope holds no segments of its own but names two other arts,
// its content and its shape, which live in Document::arts off every layer (their `owner` is
// the envelope) so that their handles stay valid while the envelope shows them.
enum class ArtKind { Path, Envelope };

// What an envelope is made of. Its outline (the content mapped into the shape, or into a warp
// of the content's bounds) is not stored: EnvelopeResult (document/Envelope.h) computes it from
// these, so that later writes to the content are followed without any bookkeeping.
struct EnvelopeData {
    ArtId content = 0;   // the art distorted
    ArtId shape = 0;     // the outline it is mapped into while warp is 0
    int32_t flags = 0;   // as given to MakeEnvelope (reserved, 0)
    int32_t fidelity = 50;  // 0 .. 100: how finely each content segment is sampled
    int32_t warp = 0;    // 0: the shape; 1 .. 15: a preset warp of the content's bounds
    float bend = 0, horizontal = 0, vertical = 0;  // each -1 .. 1
    bool rotate = false; // the warp turned a quarter (vertical instead of horizontal)
};

// A path's segments; the corner flags are kept apart from the points so that a stored
// segment costs 24 bytes, and the storage is shared with copies until one is written
// (SegmentStore.h).
struct PathData {
    SegmentStore segments;
    bool closed = false;

    size_t SegmentCount() const { return segments.size(); }
    AIPathSegment Segment(size_t i) const;
    // i <= SegmentCount(); i == count appends. Throws std::bad_alloc when the storage cannot
    // grow or be copied.
    void SetSegment(size_t i, const AIPathSegment& s);
};

struct Art {
    ArtId id = 0;
    ArtKind kind = ArtKind::Path;
    PathData path;
    PathStyle style{};
    float opacity = 1.0f;  // 0 transparent .. 1 opaque
    EnvelopeData envelope;  // kind Envelope only
    ArtId owner = 0;        // the envelope holding this art off the page; 0 when on a layer
};

struct Layer {
    LayerId id = 0;
    std::string name;
    bool visible = true;
    bool locked = false;
    std::vector<ArtId> art;  // paint order, bottom first
};

struct Symbol {
    std::string name;
    Art art;  // the definition, a copy taken when the symbol was made
};

struct Swatch {
    std::string name;
    PaintColor color{};
};

struct GraphicStyle {
    std::string name;
    PathStyle paint{};
    float opacity = 1.0f;
};

struct View {
    float centreX = 0, centreY = 0;  // artwork point at the view's centre
    float zoom = 1.0f;               // pixels per point
    int32_t widthPx = 800, heightPx = 600;
};

struct Document {
    float pageWidth = 612.0f;  // points
    float pageHeight = 792.0f;
    ColorModel colorModel = ColorModel::RGB;
    std::vector<View> views;
    std::vector<Layer> layers;  // bottom first
    LayerId currentLayer = 0;
    std::vector<Symbol> symbols;
    std::vector<Swatch> swatches;
    std::vector<GraphicStyle> styles;
    PathStyle currentPaint{};  // what a new path receives

    // Art by slot (ArtSlot(id)), empty once the art is gone.
    std::vector<std::optional<Art>> arts;
    LayerId nextLayerId = 1;
    // Ids of art removed by undo whose slots may be used again (each under its next
    // generation), last removed last.
    std::vector<ArtId> freedArtIds;
    // ArtBytes(), kept up to date by every edit Easel's host makes, so that the memory budget
    // is checked in constant time. Code that edits a document directly need not keep it.
    size_t artBytesHeld = 0;
    // The emptied storage of paths undone in the current transaction, which new paths take
    // over (a preview drawn again after its undo then grows no vector and touches no new
    // memory). Counted in ArtBytes while kept; the host lets it go when the transaction ends.
    static constexpr size_t kSparePathLimit = 32;
    std::array<PathData, kSparePathLimit> sparePaths;
    size_t spareCount = 0;
    // CopyBytes of the copies the undo journal holds for the open transaction; the journal
    // keeps it (and artBytesHeld) up to date.
    size_t journalBytes = 0;

    // The live art `id`, or nullptr. Inline (below): every suite call that names art starts here.
    Art* FindArt(ArtId id);
    const Art* FindArt(ArtId id) const;
    Layer* FindLayer(LayerId id);
    const Layer* FindLayer(LayerId id) const;
    // The layer holding art `id`, or nullptr (also for art held by an envelope).
    Layer* LayerOf(ArtId id);
    // The art that stands for `id` on the page: `id` itself, or the envelope holding it
    // (followed outward through envelopes of envelopes). 0 for a dead id.
    ArtId PlacedArt(ArtId id) const;

    // Bytes the document holds for art (capacity, not size), for the memory budget.
    // Walks the whole document; the host keeps artBytesHeld instead.
    size_t ArtBytes() const;

    // The id AddArt gives next, and makes sure AddArt cannot throw; may throw bad_alloc.
    // Returns 0 when no slot is left (the art cannot be made).
    ArtId ReserveArt();
    // Stores art under the id ReserveArt returned (art.id is set); never throws after a
    // successful ReserveArt. Placing the art on a layer is the caller's.
    ArtId AddArt(Art art) noexcept;
    // Empties the art's slot and lets the slot be used again under a new id.
    void RemoveArt(ArtId id) noexcept;
    // As RemoveArt, but keeps the path's storage, emptied, among the spares when there is room.
    // Gives the bytes kept (PathBytes of the spare; 0 when none was kept).
    size_t RemoveArtKeepingStorage(ArtId id) noexcept;
    // An empty path on the storage of the newest spare (or on none); the spare's bytes now
    // belong to the path.
    PathData TakeSparePath() noexcept;
    // Frees every spare; gives the bytes freed.
    size_t ReleaseSparePaths() noexcept;
};

constexpr unsigned kArtSlotBits = 22;  // up to 4 194 303 art slots per document
// Art ids use this many bits: all 32 where a handle has room beside them (64-bit hosts); 28
// on 32-bit hosts, where a handle's top 4 bits name its kind (suites/Runtime.h).
constexpr unsigned kArtIdBits = sizeof(void*) >= 8 ? 32 : 28;
constexpr ArtId kArtSlotMask = (ArtId(1) << kArtSlotBits) - 1;
// The slot of `id` in Document::arts; meaningful for id != 0.
constexpr size_t ArtSlot(ArtId id) { return size_t((id & kArtSlotMask) - 1); }

inline Art* Document::FindArt(ArtId id) {
    if ((id & kArtSlotMask) == 0) return nullptr;
    const size_t slot = ArtSlot(id);
    if (slot >= arts.size()) return nullptr;
    std::optional<Art>& art = arts[slot];
    return art && art->id == id ? &*art : nullptr;
}
inline const Art* Document::FindArt(ArtId id) const { return const_cast<Document*>(this)->FindArt(id); }

// What the memory budget counts, meant to follow what the process holds for the document:
// - a path: its segment block (SegmentStore::BlockBytes of its capacity) and kHeapBlockBytes;
// - each slot of Document::arts: sizeof(std::optional<Art>), live or not;
// - each layer's list of art: 4 bytes per id of capacity;
// - a symbol: sizeof(Symbol) and its art's path;
// - the journal's copy of art changed in the open transaction: sizeof(Art) and its path (the
//   copy shares the path's block until the path is written, then holds the old block alone);
// - spare path storage kept for new paths (Document::sparePaths): as a path.
// A heap block costs its allocator about 16 bytes beyond what it holds (its header, and the
// rounding of every block to 16 bytes), which matters for the many short paths of small stars.
inline constexpr size_t kHeapBlockBytes = 16;
// Bytes of a path with room for `segments` segments.
constexpr size_t PathBytesFor(size_t segments) {
    return segments ? SegmentStore::BlockBytes(segments) + kHeapBlockBytes : 0;
}
// Bytes a path holds (capacity, not size), as ArtBytes counts them.
size_t PathBytes(const PathData& path);
// Bytes the journal holds for its copy of `art`.
size_t CopyBytes(const Art& art);
// Bytes a symbol holds, as ArtBytes counts them.
size_t SymbolBytes(const Symbol& symbol);

// PaintColor helpers.
PaintColor GrayColor(float ink);
PaintColor RgbColor(float r, float g, float b);
PaintColor CmykColor(float c, float m, float y, float k);
PaintColor NoneColor();

// The default paint of a new document: white fill, black 1-point stroke, in the colour model.
PathStyle DefaultPaint(ColorModel model);

// The graphic styles of a new document, "[Default]" first (see NewDocument).
std::vector<GraphicStyle> DefaultStyles(ColorModel model);

// A new document: US Letter, the given colour model, one layer "Layer 1" (current), one
// view centred on the page, the default swatches and graphic styles (see DefaultStyles).
Document NewDocument(ColorModel model = ColorModel::RGB);
// The same on a page of the given size (points, each > 0), its view centred on it.
Document NewDocument(ColorModel model, float pageWidth, float pageHeight);

// Equality of what a document shows and keeps (page, colour model, layers and their art in
// order, symbols), bit for bit on floats; ids, views and swatches are not compared.
bool SameDocument(const Document& a, const Document& b);

}  // namespace easel
