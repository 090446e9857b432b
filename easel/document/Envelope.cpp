#include "document/Envelope.h"

#include "geometry/Coons.h"
#include "geometry/Warp.h"

namespace easel {

namespace {

// Samples per shape segment when its outline becomes the patch's sides: the sides are then
// within a small fraction of a point of the true curves for any shape a page holds.
constexpr int kShapePieces = 32;

}  // namespace

PathData EnvelopeResult(const Document& doc, const Art& envelope) {
    if (envelope.kind != ArtKind::Envelope) return envelope.path;
    const EnvelopeData& e = envelope.envelope;
    const Art* content = doc.FindArt(e.content);
    if (!content || content->kind != ArtKind::Path) return {};
    const geometry::Box box = geometry::PathBounds(content->path);
    PathData result;
    if (e.warp >= geometry::kFirstWarp && e.warp <= geometry::kLastWarp) {
        const geometry::WarpParams warp{e.warp, e.bend, e.horizontal, e.vertical, e.rotate};
        geometry::MapPath(content->path, box, e.fidelity,
                          [&](double u, double v) { return geometry::WarpPoint(warp, box, u, v); },
                          result);
        return result;
    }
    const Art* shape = doc.FindArt(e.shape);
    if (!shape || shape->kind != ArtKind::Path) return {};
    PathData outline = shape->path;
    outline.closed = true;  // an open shape is closed by its last side
    const geometry::CoonsPatch patch =
        geometry::CoonsPatch::FromOutline(geometry::Flatten(outline, kShapePieces));
    geometry::MapPath(content->path, box, e.fidelity,
                      [&](double u, double v) { return patch.At(u, v); }, result);
    return result;
}

Art ShownArt(const Document& doc, const Art& art) {
    if (art.kind != ArtKind::Envelope) return art;
    Art shown;
    shown.kind = ArtKind::Path;
    shown.path = EnvelopeResult(doc, art);
    if (const Art* content = doc.FindArt(art.envelope.content)) {
        shown.style = content->style;
        shown.opacity = content->opacity * art.opacity;
    } else {
        shown.style = doc.currentPaint;
        shown.opacity = art.opacity;
    }
    return shown;
}

}  // namespace easel
