// "AI Path Suite" v4: the segments of path art.
//
// SetPathSegments is the generator's inner loop (one call per anchor), so its common case,
// one segment appended to a path made in the same message, costs two O(1) lookups, a few
// comparisons and the append: no journal entry, no allocation beyond the vectors' doubling.
#include <algorithm>

#include "AIPath.h"
#include "suites/RecordLayouts.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

bool Finite(const AIPathSegment& s) { return easel::Finite(s.p) && easel::Finite(s.in) && easel::Finite(s.out); }

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
Art* FindPath(Session& s, AIArtHandle handle) {
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

SPErr SPAPI SetPathSegments(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments) {
    return DocumentBoundary(Op::PathSetSegments, [&](Runtime& rt, Session& s) -> SPErr {
        const ArtId id = ArtIdOf(path);
        Art* art = FindPath(s, path);
        if (!art || !segments || index < 0 || count < 0) return kSPBadParameterError;
        PathData& p = art->path;
        const size_t size = p.SegmentCount();
        if (size_t(index) > size) return kSPBadParameterError;
        if (const SPErr e = CheckWritable(s.LayerOfArt(id))) return e;
        const size_t end = size_t(index) + size_t(count);
        if (end > kAIMaxPathSegments) return kAITooManySegmentsError;
        for (int16_t i = 0; i < count; ++i)
            if (!Finite(segments[i])) return kSPBadParameterError;
        if (count == 0) return kSPNoError;

        // Growth is by doubling, done here so that the budget check can foresee it exactly.
        size_t grownTo = 0;
        if (end > p.points.capacity()) {
            grownTo = std::max({end, p.points.capacity() * 2, size_t(32)});
            const size_t after = PathBytesFor(grownTo, grownTo);
            if (s.doc.artBytesHeld - PathBytes(p) + after > rt.config.memoryBudget)
                return kSPOutOfMemoryError;
        }
        if (!s.journal.Covers(id)) s.journal.Changing(s.doc, id);
        if (grownTo) {
            PathBytesWatch watch(s.doc, p);
            p.points.reserve(grownTo);
            p.corners.reserve(grownTo);
        }
        // Nothing below allocates: every segment lands. Appends are written here rather than
        // through PathData::SetSegment so that the generator's one-segment call stays inline.
        for (int16_t i = 0; i < count; ++i) {
            const AIPathSegment& g = segments[i];
            const size_t at = size_t(index) + size_t(i);
            const SegmentPoints packed{g.p.h, g.p.v, g.in.h, g.in.v, g.out.h, g.out.v};
            if (at == p.points.size()) {
                p.points.push_back(packed);
                p.corners.push_back(g.corner != 0);
            } else {
                p.points[at] = packed;
                p.corners[at] = g.corner != 0;
            }
        }
        return kSPNoError;
    });
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
