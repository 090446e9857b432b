// "AI Transform Art Suite" v1: a matrix applied to art. Each point is mapped in double and
// rounded once; the whole result is computed before anything is written, so that a point that
// would leave the range of floats refuses the call and leaves the art as it was.
#include <algorithm>
#include <cmath>
#include <vector>

#include "AITransformArt.h"
#include "geometry/Matrix.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

constexpr int32_t kKnownFlags = kTransformObjects | kTransformFillGradients | kTransformFillPatterns |
                                kTransformStrokePatterns | kScaleLines;

// The path's segments with their points mapped by m into `out`; false when one is not a
// finite float.
bool MapPoints(const PathData& path, const AIRealMatrix& m, SegmentStore& out) {
    out.Clear();
    out.Reserve(path.segments.size());
    for (size_t i = 0; i < path.segments.size(); ++i) {
        const SegmentPoints& p = path.segments[i];
        SegmentPoints q;
        const auto map = [&](float x, float y, float& ox, float& oy) {
            const geometry::Point r = geometry::Apply(m, {x, y});
            return geometry::ToFloat(r.x, &ox) && geometry::ToFloat(r.y, &oy);
        };
        if (!map(p.px, p.py, q.px, q.py) || !map(p.ix, p.iy, q.ix, q.iy) || !map(p.ox, p.oy, q.ox, q.oy))
            return false;
        out.Append(q, path.segments.Corner(i));
    }
    return true;
}

// What one path becomes: its segments (moved, or shared with what it has) and its stroke width.
struct Change {
    ArtId id = 0;
    SegmentStore segments;
    float strokeWidth = 0;
};

SPErr SPAPI TransformArt(AIArtHandle handle, const AIRealMatrix* matrix, AIReal lineScale, int32_t flags) {
    return DocumentBoundary(Op::TransformArt, [&](Runtime&, Session& s) -> SPErr {
        if (!matrix || !geometry::Finite(*matrix) || (flags & ~kKnownFlags) != 0) return kSPBadParameterError;
        const bool scaleLines = (flags & kScaleLines) != 0;
        if (scaleLines && !(std::isfinite(lineScale) && lineScale >= 0.0f)) return kSPBadParameterError;
        const ArtId id = ArtIdOf(handle);
        const Art* art = s.doc.FindArt(id);
        if (!art) return kSPBadParameterError;
        if (const SPErr e = CheckWritable(s.LayerOfArt(id))) return e;

        // A path changes alone; an envelope through its content and shape, its outline then
        // following from them.
        std::vector<ArtId> paths;
        if (art->kind == ArtKind::Envelope) {
            for (ArtId held : {art->envelope.content, art->envelope.shape})
                if (const Art* h = s.doc.FindArt(held); h && h->kind == ArtKind::Path) paths.push_back(held);
        } else {
            paths.push_back(id);
        }
        std::vector<Change> changes;
        for (ArtId pathId : paths) {
            const Art* p = s.doc.FindArt(pathId);
            Change c;
            c.id = pathId;
            c.strokeWidth = p->style.strokeWidth;
            if (flags & kTransformObjects) {
                if (!MapPoints(p->path, *matrix, c.segments)) return kSPBadParameterError;
            } else {
                c.segments = p->path.segments;
            }
            if (scaleLines && !geometry::ToFloat(double(p->style.strokeWidth) * lineScale, &c.strokeWidth))
                return kSPBadParameterError;
            changes.push_back(std::move(c));
        }
        for (const Change& c : changes)
            if (!s.journal.Covers(c.id)) s.journal.Changing(s.doc, c.id);
        // Nothing below allocates: each path takes the storage made for it above.
        for (Change& c : changes) {
            Art* p = s.doc.FindArt(c.id);
            s.doc.artBytesHeld = s.doc.artBytesHeld - PathBytes(p->path) + PathBytesFor(c.segments.capacity());
            p->path.segments = std::move(c.segments);
            p->style.strokeWidth = c.strokeWidth;
        }
        return kSPNoError;
    });
}

const AITransformArtSuite kTable = {TransformArt};

}  // namespace

const void* TransformArtSuiteTable() { return &kTable; }

}  // namespace easel
