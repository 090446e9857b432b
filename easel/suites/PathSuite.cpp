// "AI Path Suite" v4: the segments of path art.
//
// SetPathSegments is the generator's inner loop (one call per anchor). Its common case, one
// segment appended to a path made in the same message, needs no journal entry and no
// allocation beyond the vectors' doubling; and when the call before was a write to the same
// path, not even the art and layer lookups (the runtime's write cursor).
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "AIPath.h"
#include "suites/RecordLayouts.h"
#include "suites/Runtime.h"

namespace easel {
namespace {


// Keeps the running count right for whatever the write did to the path's capacity.
class PathBytesWatch {
public:
    PathBytesWatch(Document& doc, const PathData& path) : doc_(doc), path_(path), before_(PathBytes(path)) {}
    ~PathBytesWatch() { doc_.artBytesHeld = doc_.artBytesHeld - before_ + PathBytes(path_); }
    PathBytesWatch(const PathBytesWatch&) = delete;
    PathBytesWatch& operator=(const PathBytesWatch&) = delete;

private:
    Document& doc_;
    const PathData& path_;
    size_t before_;
};

// The live path art `handle` names; null for anything else, an envelope included (its
// outline is computed, not stored). An envelope's content is a path and answers here.
inline Art* FindPath(Session& s, AIArtHandle handle) {
    Art* art = s.doc.FindArt(ArtIdOf(handle));
    return art && art->kind == ArtKind::Path ? art : nullptr;
}

SPErr SPAPI GetPathSegmentCount(AIArtHandle path, int16_t* count) {
    return DocumentBoundary(Op::PathGetCount, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = FindPath(s, path);
        if (!art || !count) return kSPBadParameterError;
        *count = static_cast<int16_t>(art->path.SegmentCount());
        return kSPNoError;
    });
}

SPErr SPAPI GetPathSegments(AIArtHandle path, int16_t index, int16_t count, AIPathSegment* segments) {
    return DocumentBoundary(Op::PathGetSegments, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = FindPath(s, path);
        if (!art || !segments || index < 0 || count < 0) return kSPBadParameterError;
        if (size_t(index) + size_t(count) > art->path.SegmentCount()) return kSPBadParameterError;
        for (int16_t i = 0; i < count; ++i) segments[i] = art->path.Segment(size_t(index) + size_t(i));
        return kSPNoError;
    });
}

// The points of a segment as stored. Each point is read whole: the caller has usually just
// written the segment point by point, and one load spanning two of those stores would have to
// wait for both to reach the cache.
static_assert(sizeof(AIRealPoint) == 2 * sizeof(float) && offsetof(SegmentPoints, py) == offsetof(SegmentPoints, px) + 4 &&
                  offsetof(SegmentPoints, iy) == offsetof(SegmentPoints, ix) + 4 &&
                  offsetof(SegmentPoints, oy) == offsetof(SegmentPoints, ox) + 4,
              "a stored point is an AIRealPoint's two floats");
SegmentPoints Packed(const AIPathSegment& g) {
    AIRealPoint p, in, out;
    std::memcpy(&p, &g.p, sizeof p);
    std::memcpy(&in, &g.in, sizeof in);
    std::memcpy(&out, &g.out, sizeof out);
    return {p.h, p.v, in.h, in.v, out.h, out.v};
}

// SetPathSegments past its checks, in general: `count` (> 0) finite segments written at
// `index` (<= the path's count, the end within the limit), the path grown first if need be.
SPErr WriteSegments(Runtime& rt, Session& s, Art& art, size_t index, size_t count, const AIPathSegment* segments) {
    PathData& p = art.path;
    const size_t end = index + count;
    // Growth is by doubling, done here so that the budget check can foresee it exactly.
    size_t grownTo = 0;
    if (end > p.segments.capacity()) {
        grownTo = std::max({end, p.segments.capacity() * 2, size_t(32)});
        const size_t after = PathBytesFor(grownTo);
        if (s.doc.artBytesHeld - PathBytes(p) + after > rt.config.memoryBudget) return kSPOutOfMemoryError;
    }
    if (!s.journal.Covers(art.id)) s.journal.Changing(s.doc, art.id);
    // Storage shared with a copy (the journal's, a render list's) is copied here, once.
    if (grownTo || p.segments.Shared()) {
        PathBytesWatch watch(s.doc, p);
        p.segments.Reserve(std::max(grownTo, p.segments.capacity()));
    }
    // Nothing below allocates: every segment lands.
    for (size_t i = 0; i < count; ++i) p.SetSegment(index + i, segments[i]);
    return kSPNoError;
}

// Segment `i` (<= the count; the count appends) set from `g`, where RoomFor(store, i).
inline void PutSegment(SegmentStore& store, size_t i, const AIPathSegment& g) {
    if (i < store.size()) {
        store.Set(i, Packed(g), g.corner != 0);
        return;
    }
    // Straight into the new slot, each point read whole (see Packed).
    SegmentPoints* slot = store.TryAppendSlot(g.corner != 0);
    std::memcpy(&slot->px, &g.p, sizeof(AIRealPoint));
    std::memcpy(&slot->ix, &g.in, sizeof(AIRealPoint));
    std::memcpy(&slot->ox, &g.out, sizeof(AIRealPoint));
}

// Whether segment `i` (<= the count) can be written to `store` with no allocation.
inline bool RoomFor(const SegmentStore& store, size_t i) {
    return !store.Shared() && (i < store.size() || store.size() < store.capacity());
}

// SetPathSegments with every check; on success the journal covers the art, so the next
// write to it may go through the cursor.
SPErr WriteChecked(Runtime& rt, Session& s, Art* art, int16_t index, int16_t count, const AIPathSegment* segments) {
    if (!art || !segments || index < 0 || count < 0) return kSPBadParameterError;
    PathData& p = art->path;
    const size_t size = p.SegmentCount();
    if (size_t(index) > size) return kSPBadParameterError;
    if (const SPErr e = CheckWritable(s.LayerOfArt(*art))) return e;
    if (size_t(index) + size_t(count) > kAIMaxPathSegments) return kAITooManySegmentsError;
    for (int16_t i = 0; i < count; ++i)
        if (!Finite(segments[i])) return kSPBadParameterError;
    if (count == 0) return kSPNoError;
    if (count == 1 && RoomFor(p.segments, size_t(index)) && s.journal.Covers(art->id)) {
        PutSegment(p.segments, size_t(index), *segments);
        return kSPNoError;
    }
    return WriteSegments(rt, s, *art, size_t(index), size_t(count), segments);
}

// One segment written at `index` of the cursor's path when that needs no allocation and no
// fault is armed. Whatever WriteChecked found of the art, its layer and the journal when it
// set the cursor still holds, since nothing else has happened. False leaves the call to the
// general entry.
inline bool WriteAtCursor(Runtime& rt, AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments) {
    if (!path || path != rt.writeCursor.handle || count != 1 || !segments || !rt.faults.empty() ||
        rt.config.trackCallSites)
        return false;
    SegmentStore& store = rt.writeCursor.path->segments;
    const size_t size = store.size();
    const size_t at = static_cast<size_t>(index);
    if (index < 0 || at > size || at >= kAIMaxPathSegments || !Finite(*segments) || !RoomFor(store, at))
        return false;
    PutSegment(store, at, *segments);
    rt.CountUnfaulted(Op::PathSetSegments);
    return true;
}

// The entry with every check, apart from the cursor's case so that case stays small; `site`
// is the entry's caller.
[[gnu::noinline]] SPErr SetPathSegmentsChecked(AIArtHandle path, int16_t index, int16_t count,
                                               const AIPathSegment* segments, const void* site) {
    return DocumentBoundary(Op::PathSetSegments, [=](Runtime& rt, Session& s) -> SPErr {
        Art* art = FindPath(s, path);
        const SPErr e = WriteChecked(rt, s, art, index, count, segments);
        if (e == kSPNoError && count > 0) rt.writeCursor = {path, &art->path};
        return e;
    }, site);
}

SPErr SPAPI SetPathSegments(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments) {
    if (Runtime* rt = Runtime::live; rt && WriteAtCursor(*rt, path, index, count, segments)) return kSPNoError;
    return SetPathSegmentsChecked(path, index, count, segments, __builtin_return_address(0));
}

SPErr SPAPI GetPathClosed(AIArtHandle path, SPBoolean* closed) {
    return DocumentBoundary(Op::PathGetClosed, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = FindPath(s, path);
        if (!art || !closed) return kSPBadParameterError;
        *closed = art->path.closed ? 1 : 0;
        return kSPNoError;
    });
}

SPErr SPAPI SetPathClosed(AIArtHandle path, SPBoolean closed) {
    return DocumentBoundary(Op::PathSetClosed, [&](Runtime&, Session& s) -> SPErr {
        if (!FindPath(s, path)) return kSPBadParameterError;
        Art* art = nullptr;
        if (const SPErr e = BeginArtChange(s, path, art)) return e;
        art->path.closed = closed != 0;
        return kSPNoError;
    });
}

const AIPathSuite kTable = {GetPathSegmentCount, GetPathSegments, SetPathSegments, GetPathClosed,
                            SetPathClosed};

}  // namespace

const void* PathSuiteTable() { return &kTable; }

}  // namespace easel
